#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <optional>

#include "core/ground/CommandLine.h"
#include "core/ground/FilterDef.h"
#include "core/ground/ToolRunner.h"

// The filter being edited in the filter editor, its life cycle, and the
// editor's test bench, which runs the filter through ffmpeg on chosen files
// and plays the result or prints the MD5 of one second of it. Changes the
// window must show are announced through Events().
namespace FilterEditor {

// What the editor window listens to.
class Notifier : public QObject {
  Q_OBJECT

 signals:
  // The current filter was opened, closed or set back: the window shows it.
  void FilterReplaced();
};

// The notifier of the running program's state: a window connects to it when
// it is made, and its connections go with that state.
Notifier& Events();

// Everything empty, as at start-up.
void Reset();

// appfiles/filters under the program folder.
QString FilterFolder();

// Opens a filter by name; "" asks through the file manager. A name whose file
// is missing gives an empty file of that name.
void OpenFilter(const QString& name);
bool IsDirty();
// Saves; saveAs always asks for a name. False when nothing was written.
bool SaveFilter(bool saveAs);
// Offers to save a changed filter and empties the editor; false on Cancel or
// a failed save.
bool CloseFilter();
// Takes what the window's controls say into the current filter unless
// Loading is set.
void TakeControls(const FilterDef& filter);
void UndoChanges();
// Adds test inputs after those already added.
void AddTestFiles(const QStringList& paths);

// What a test run needs from the window.
struct TestSettings {
  QStringList inputs;  // full paths, in list order
  // Where the filter goes; none when the editor shows no type, and then the
  // filter text goes in as bare options.
  std::optional<FilterType> type = FilterType::Audio;
  QString filterText;
  bool multiInput = false;
  bool ffmpegOnly = false;
  bool silence = false;
};
// Why a test cannot run; Ready when it can.
enum class TestRefusal { Ready, ToolsMissing, NoParameters, NoFiles, NeedsTwoFiles };
// Checks the settings: the tools first (a missing one has been reported
// when ToolsMissing comes back), then the filter text, then the inputs.
TestRefusal CheckTest(const TestSettings& settings);
// Runs the test and returns when ffmpeg (and the player) have ended, the
// output going to show. TestRunning is set meanwhile. Busy when another tool
// held the runner: no test ran and show got nothing.
ToolRunner::RunResult RunTest(const TestSettings& settings, const ToolRunner::OutputSink& show);

// The test's run: ffmpeg with every input, the raw output format and the
// filter; piped into ffplay (silenced with -an when asked) in play mode, or
// one second to the md5 output when playMode is false.
CommandLine::Pipeline TestCommand(const QStringList& inputs, std::optional<FilterType> type,
                                  const QString& filterText, bool playMode, bool silence);

// The filter being edited, its copy as saved, its file and the test bench.
struct FilterEditorState {
  FilterDef CurrentFilter;
  FilterDef SavedFilter;
  // The .qfl being edited; "" for a new, unnamed filter.
  QString CurrentPath;
  // Set while code fills the window's controls from the current filter.
  bool Loading = false;
  // Set while a test runs.
  bool TestRunning = false;
  // Test inputs added in this visit of the window, after the main window's files.
  QStringList TestFiles;
  int TestFileCount = 0;
  // What the module tells the windows made while this state runs.
  Notifier Events;
};

// This module's part of the running program's AppState.
FilterEditorState& State();

}  // namespace FilterEditor
