#pragma once

#include <QString>
#include <QStringList>
#include <cstdint>

#include "editing/FilterDef.h"
#include "frame/CaptureConsole.h"

// The filter being edited in the filter editor (Form4), its life cycle, and
// the editor's test bench, which runs the filter through ffmpeg on chosen
// files and plays the result or prints the MD5 of one second of it.
namespace FilterEditor {

extern FilterDef CurrentFilter;
extern FilterDef SavedFilter;
// The .qfl being edited; "" for a new, unnamed filter.
extern QString CurrentPath;
// 1 while code fills the window's controls from the current filter.
extern uint8_t Loading;
// 1 while a test runs.
extern uint8_t TestRunning;
// Test inputs added in this visit of the window, after the main window's files.
extern QStringList TestFiles;
extern int TestFileCount;

// Everything empty (start of a run, each test).
void Reset();

// appfiles/filters under the program folder.
QString FilterFolder();

// Opens the editor, on the named filter when the name is not empty, and
// returns when the window has gone.
void ShowEditor(const QString& name);
// Opens a filter by name; "" asks through the file manager. A name whose file
// is missing gives an empty file of that name.
void OpenFilter(const QString& name);
bool IsDirty();
// Saves; saveAs 1 always asks for a name. False when nothing was written.
bool SaveFilter(uint8_t saveAs);
// Offers to save a changed filter and empties the editor; false on Cancel or
// a failed save.
bool CloseFilter();
// Closes the filter and, when that worked and unload is true, the window.
bool ExitEditor(bool unload);
// Copies the window's controls into the current filter unless Loading is 1.
void ReadControls();
void UndoChanges();
// The open dialog for more test inputs.
void AddTestFiles();
// Runs the test with the window's settings.
void TestFilter();

// The test's run: ffmpeg with every input, the raw output format and the
// filter; piped into ffplay (silenced with -an when asked) in play mode, or
// one second to the md5 output when playMode is false.
CaptureConsole::Pipeline TestCommand(const QStringList& inputs, int type, const QString& filterText,
                                     bool playMode, bool silence);

}  // namespace FilterEditor
