#include "core/convert/RunInputs.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>

#include "core/convert/CommandTable.h"
#include "core/convert/ConversionState.h"
#include "core/convert/JoinCheck.h"
#include "core/convert/RunSteps.h"
#include "core/frame/Session.h"

namespace Conversion {

namespace {

bool JoinsInputs(OutputMode mode) { return mode == OutputJoined || mode == OutputOneFile; }

// The folders a conversion writes into: each file's own, the chosen one, or
// the chosen file's.
QStringList OutputFolders(OutputMode mode) {
  switch (mode) {
    case OutputSourceFolders: {
      QStringList folders;
      for (const QString& file : Session::State().FileList) folders << QFileInfo(file).path();
      return folders;
    }
    case OutputChosenFolder:
      return {Session::State().OutputFolder};
    default:
      return {QFileInfo(QDir::current().absoluteFilePath(Session::State().OutputFile)).path()};
  }
}

// An output there would be removed with the program's working folders when
// it closes, as tracks ripped from a CD for the list are.
bool WritesIntoWorkingFolders(OutputMode mode) {
  const QStringList folders = OutputFolders(mode);
  return std::any_of(folders.begin(), folders.end(), &Session::LiesInWorkingFolders);
}

}  // namespace

StartRefusal CheckStart(const QString& testTime, int selected) {
  const bool test = !testTime.isEmpty();
  const OutputMode mode = State().Choices.OutputMode;
  const int rows = Session::FileCount();
  if (rows == 0) return StartRefusal::NoFiles;
  const QString& output =
      mode == OutputChosenFolder ? Session::State().OutputFolder : Session::State().OutputFile;
  if (!test && mode != OutputSourceFolders && output.isEmpty()) return StartRefusal::NoOutputPath;
  if (!test && WritesIntoWorkingFolders(mode)) return StartRefusal::OutputInWorkingFolder;
  if (test && !JoinsInputs(mode) && rows >= 2 && selected < 0)
    return StartRefusal::NoFileSelectedForTest;
  return StartRefusal::None;
}

std::optional<RunInputs> PlanInputs(const QString& testTime, int selected) {
  const QStringList& files = Session::State().FileList;
  RunInputs planned;
  switch (State().Choices.OutputMode) {
    case OutputJoined: {
      const std::optional<QString> joined = JoinedInput();
      if (!joined) return std::nullopt;
      planned.Inputs << QStringList{*joined};
      return planned;
    }
    case OutputOneFile:
      planned.Inputs << files;
      return planned;
    default:
      break;
  }
  if (testTime.isEmpty()) {
    for (const QString& path : files) planned.Inputs << QStringList{path};
    planned.Shown = files;
    return planned;
  }
  planned.TestedRow = selected < 0 ? 0 : selected;
  planned.Inputs << QStringList{files.value(planned.TestedRow)};
  planned.Shown << files.value(planned.TestedRow);
  return planned;
}

bool NeedsTempFolder(const QString& testTime) {
  const CommandTable& table = State().Commands;
  return table.Kind(TableRow::AudioEncoding) != StageKind::Empty ||
         table.Kind(TableRow::VideoEncoding) != StageKind::Empty || !testTime.isEmpty() ||
         State().Choices.TwoPass;
}

}  // namespace Conversion
