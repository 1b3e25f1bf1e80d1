#include "core/editing/FilterEditor.h"

#include <QDir>
#include <QFileInfo>

#include "core/frame/DataFolderManager.h"
#include "core/frame/FfmpegTools.h"
#include "core/ground/CommandLine.h"
#include "core/ground/ConsoleText.h"
#include "core/ground/ProgramFolder.h"
#include "core/ground/RecordFile.h"
#include "core/lang/Lang.h"

namespace FilterEditor {

Notifier& Events() { return State().Events; }

namespace {

void ShowFilter() { emit Events().FilterReplaced(); }

}  // namespace

void Reset() {
  State().CurrentFilter = FilterDef();
  State().SavedFilter = FilterDef();
  State().CurrentPath.clear();
  State().Loading = false;
  State().TestRunning = false;
  State().TestFiles.clear();
  State().TestFileCount = 0;
}

QString FilterFolder() { return ProgramFolder::AppFiles("filters"); }

void OpenFilter(const QString& name) {
  if (IsDirty() && !CloseFilter()) return;
  QString path;
  if (name.isEmpty()) {
    path = DataFolderManager::ShowFileManager(FilterFolder(), "qfl", DataFolderManager::Mode::Open,
                                              true);
    if (path.isEmpty()) return;
  } else {
    path = FilterFolder() + "/" + name + ".qfl";
  }
  // A new name gets an empty file; whatever else is there is read below, and
  // a pipe or a device is refused there.
  RecordFile::CreateEmpty(path);
  FilterDef read;
  if (RecordFile::Read(path, read) != RecordFile::Result::Ok) {
    Lang::MsgCannotReadFile(path);
    return;
  }
  State().SavedFilter = read;
  State().CurrentFilter = State().SavedFilter;
  State().CurrentPath = path;
  ShowFilter();
}

bool IsDirty() {
  return State().CurrentFilter.Params != State().SavedFilter.Params ||
         State().CurrentFilter.MultiInput != State().SavedFilter.MultiInput ||
         State().CurrentFilter.Type != State().SavedFilter.Type;
}

bool SaveFilter(bool saveAs) {
  QString path = State().CurrentPath;
  if (saveAs || path.isEmpty()) {
    path = DataFolderManager::ShowFileManager(FilterFolder(), "qfl",
                                              DataFolderManager::Mode::SaveAs, true);
    if (path.isEmpty()) return false;
  }
  if (!QDir().mkpath(FilterFolder())) {
    Lang::MsgCannotCreateDir(FilterFolder());
    return false;
  }
  if (RecordFile::Write(path, State().CurrentFilter) != RecordFile::Result::Ok) {
    Lang::MsgCannotWriteFile(path);
    return false;
  }
  State().SavedFilter = State().CurrentFilter;
  State().CurrentPath = path;
  return true;
}

bool CloseFilter() {
  if (IsDirty()) {
    const Dialogs::Button answer =
        Lang::AskSaveChanges(QFileInfo(State().CurrentPath).completeBaseName());
    if (answer == Dialogs::Button::Cancel) return false;
    if (answer == Dialogs::Button::Yes && !SaveFilter(false)) return false;
  }
  State().CurrentPath.clear();
  State().CurrentFilter = FilterDef();
  State().SavedFilter = FilterDef();
  ShowFilter();
  return true;
}

void TakeControls(const FilterDef& filter) {
  if (State().Loading) return;
  State().CurrentFilter = filter;
}

void UndoChanges() {
  State().CurrentFilter = State().SavedFilter;
  ShowFilter();
}

void AddTestFiles(const QStringList& paths) {
  State().TestFiles += paths;
  State().TestFileCount = int(State().TestFiles.size());
}

CommandLine::Pipeline TestCommand(const QStringList& inputs, std::optional<FilterType> type,
                                  const QString& filterText, bool playMode, bool silence) {
  const FfmpegOptionNames& opt = FfmpegTools::State().OptNames;
  QStringList args;
  for (const QString& input : inputs) args << "-i" << input;
  args << opt.Format << "matroska" << opt.AudioCodec << "pcm_s16le" << opt.VideoCodec << "rawvideo"
       << opt.PixelFormat << "yuv420p";
  if (type == FilterType::Audio) args << opt.AudioFilter;
  if (type == FilterType::Video) args << opt.VideoFilter;
  if (type == FilterType::Complex) args << opt.FilterComplex;
  // The filter text is typed as part of a command line: blanks and quotes in
  // it keep their command-line meaning.
  args << CommandLine::SplitCommandLine(filterText);
  if (!playMode) {
    args << opt.Duration << "1"
         << "md5:";
    return {{FfmpegTools::State().FfmpegPath, args}};
  }
  args << "pipe:1";
  QStringList player;
  if (silence) player << opt.NoAudio;
  player << "-i"
         << "pipe:0";
  return {{FfmpegTools::State().FfmpegPath, args}, {FfmpegTools::State().FfplayPath, player}};
}

TestRefusal CheckTest(const TestSettings& settings) {
  if (!FfmpegTools::FfplayExists() || !FfmpegTools::FfmpegExists())
    return TestRefusal::ToolsMissing;
  if (settings.filterText.isEmpty()) return TestRefusal::NoParameters;
  if (settings.inputs.isEmpty()) return TestRefusal::NoFiles;
  if (settings.multiInput && settings.inputs.size() < 2) return TestRefusal::NeedsTwoFiles;
  return TestRefusal::Ready;
}

ToolRunner::RunResult RunTest(const TestSettings& settings, const ToolRunner::OutputSink& show) {
  const bool playMode = !settings.ffmpegOnly;
  const CommandLine::Pipeline command =
      TestCommand(settings.inputs, settings.type, settings.filterText, playMode, settings.silence);
  State().TestRunning = true;
  QString output;
  int exitCode = 0;
  const QString workDir = playMode ? QFileInfo(FfmpegTools::State().FfmpegPath).path() : QString();
  const ToolRunner::RunResult result = ToolRunner::RunCaptured(
      command, workDir, false, false, show,
      playMode ? ConsoleText::Display::ReplaceByVisibleChunk : ConsoleText::Display::AppendChunk,
      output, 0, exitCode);
  State().TestRunning = false;
  return result;
}

}  // namespace FilterEditor
