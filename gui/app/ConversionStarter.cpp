#include "gui/app/ConversionStarter.h"

#include <QListWidget>

#include "core/convert/ConversionRun.h"
#include "core/convert/ConversionState.h"
#include "core/convert/RunInputs.h"
#include "core/frame/DesktopServices.h"
#include "core/frame/FfmpegTools.h"
#include "core/frame/Player.h"
#include "core/frame/Session.h"
#include "core/ground/Dialogs.h"
#include "core/ground/ToolRunner.h"
#include "core/lang/Lang.h"
#include "gui/convert/ProgressWindow.h"
#include "gui/formats/CodecViewerWindow.h"

namespace Conversion {

namespace {

// "Yes" to the question of a missing encoder program opens the codec viewer
// over owner, which gives the path as stored, relative when inside the
// program folder.
std::optional<QString> LocateEncoder(QWidget* owner, bool isVideo) {
  const Dialogs::Button answer =
      isVideo ? Lang::AskFindVideoCodecExe() : Lang::AskFindAudioCodecExe();
  if (answer != Dialogs::Button::Yes) return QString();
  const QString entered =
      CodecViewer::ShowCodecInfo(owner, Session::State().FormatProfilePath, isVideo);
  if (entered.isEmpty()) return std::nullopt;
  return Session::ResolveAppPath(entered);
}

// A progress window for the run, connected both ways.
void ShowProgress(ConversionRun& run) {
  auto* form = new ProgressWindow;
  form->Load();
  QObject::connect(&run, &ConversionRun::Started, form, &ProgressWindow::ShowStarted);
  QObject::connect(&run, &ConversionRun::InputStarted, form, &ProgressWindow::ShowInput);
  QObject::connect(&run, &ConversionRun::StageStarted, form, &ProgressWindow::ShowStage);
  QObject::connect(&run, &ConversionRun::ConsoleLine, form, &ProgressWindow::ShowConsoleLine);
  QObject::connect(&run, &ConversionRun::InputEnded, form, &ProgressWindow::ShowInputEnded);
  QObject::connect(&run, &ConversionRun::Failed, form, &ProgressWindow::ShowFailure);
  QObject::connect(&run, &ConversionRun::Ended, form, &ProgressWindow::ShowEnded);
  QObject::connect(&run, &ConversionRun::Finished, form, &ProgressWindow::ShowFinished);
  QObject::connect(form, &ProgressWindow::StopClicked, &run, &ConversionRun::Stop);
  QObject::connect(form, &ProgressWindow::ForceStopClicked, &run, &ConversionRun::ForceStop);
}

void AskTestQuestion(const TestResult& result) {
  if (Dialogs::MsgBox(result.Report, {Dialogs::Buttons::YesNo}, Lang::BoxTitle()) !=
      Dialogs::Button::Yes)
    return;
  if (!result.Folder.isEmpty())
    DesktopServices::ShellOpen(result.Folder);
  else
    Player::PlayFile(result.Files, QString());
}

}  // namespace

void ShowTableFailure(const TableBuild& build) {
  switch (build.Failure) {
    case TableFailure::None:
      break;
    case TableFailure::EncoderNotLocated:
      break;
    case TableFailure::InvalidTestDuration:
      Lang::MsgInvalidTestDuration();
      break;
    case TableFailure::FormatProfileMissing:
      Lang::MsgFormatProfileNotFound(QString());
      break;
    case TableFailure::FormatProfileUnreadable:
      Lang::MsgFormatProfileReadError();
      break;
    case TableFailure::AudioEncoderUnusable:
      Lang::MsgAudioEncodeCmdError();
      break;
    case TableFailure::VideoEncoderUnusable:
      Lang::MsgVideoEncodeCmdError();
      break;
    case TableFailure::NoFileExtension:
      Lang::MsgNoFileExtension();
      break;
    case TableFailure::FfmpegNotFound:
      Lang::MsgFfmpegNotFound();
      break;
    case TableFailure::EditProfileMissing:
      Lang::MsgEditProfileNotFound(QString());
      break;
    case TableFailure::EditProfileUnreadable:
      Lang::MsgEditProfileReadError();
      break;
    case TableFailure::AllTracksRemoved:
      Lang::MsgAllTracksRemoved();
      break;
    case TableFailure::FilterUnreadable:
      Lang::MsgFilterReadError(build.FilterPath);
      break;
    case TableFailure::AudioEditUnusable:
      Lang::MsgAudioEditCmdError();
      break;
    case TableFailure::TrimUnusable:
      Lang::MsgTrimCmdError();
      break;
    case TableFailure::FiltersNeedOneFile:
      Lang::MsgFiltersNeedFileOutput();
      break;
  }
}

bool BuildCommandTable(const QString& testTime, QWidget* owner) {
  const TableBuild build = BuildTable(
      State().Choices, testTime, [owner](bool isVideo) { return LocateEncoder(owner, isVideo); });
  if (build.MultiOutput) State().MultiOutput = *build.MultiOutput;
  if (build.Failure != TableFailure::None) {
    ShowTableFailure(build);
    return false;
  }
  State().Commands = build.Table;
  return true;
}

void Convert(const QString& testTime, QListWidget* inputList) {
  if (State().Running || ToolRunner::GetState() != ToolRunner::RunState::Idle) return;
  const QListWidgetItem* current = inputList ? inputList->currentItem() : nullptr;
  const int selected = current && current->isSelected() ? inputList->row(current) : -1;
  if (!FfmpegTools::FfmpegExists()) return;
  switch (CheckStart(testTime, selected)) {
    case StartRefusal::None:
      break;
    case StartRefusal::NoFiles:
      return Lang::MsgNoFilesInList();
    case StartRefusal::NoOutputPath:
      return Lang::MsgNoOutputPath();
    case StartRefusal::OutputInWorkingFolder:
      return Lang::MsgOutputInWorkingFolder();
    case StartRefusal::NoFileSelectedForTest:
      return Lang::MsgSelectFileForTest();
  }
  if (!BuildCommandTable(testTime, inputList ? inputList->window() : nullptr)) return;
  const std::optional<RunInputs> planned = PlanInputs(testTime, selected);
  if (!planned) return;
  if (inputList && planned->TestedRow >= 0 && planned->TestedRow != selected)
    inputList->setCurrentRow(planned->TestedRow);
  if (NeedsTempFolder(testTime)) {
    State().TempDir = Session::CreateTempFolder(true);
    if (State().TempDir.isEmpty()) return;
  }
  ConversionRun run(testTime, planned->Inputs, planned->Shown);
  ShowProgress(run);
  QObject::connect(&run, &ConversionRun::TestFinished, &AskTestQuestion);
  run.Execute();
}

}  // namespace Conversion
