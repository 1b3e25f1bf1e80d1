#include "FreshStart.h"

#include <QApplication>
#include <QDir>
#include <QPointer>
#include <QProcessEnvironment>
#include <QTranslator>
#include <QWidget>
#include <iostream>

#include "core/convert/Conversion.h"
#include "core/devices/CdRipper.h"
#include "core/devices/Recorder.h"
#include "core/devices/Streamer.h"
#include "core/editing/EditingProfileEditor.h"
#include "core/editing/FilterEditor.h"
#include "core/formats/CodecViewer.h"
#include "core/formats/ExternalCodecEditor.h"
#include "core/formats/FormatEditor.h"
#include "core/frame/DataFolderManager.h"
#include "core/frame/DesktopServices.h"
#include "core/frame/Dialogs.h"
#include "core/frame/FfmpegTools.h"
#include "core/frame/ProgramFolder.h"
#include "core/frame/Session.h"
#include "core/frame/ToolRunner.h"
#include "core/lang/Lang.h"

FreshStart::FreshStart()
    : startEnvironment_(QProcessEnvironment::systemEnvironment()),
      startFolder_(QDir::currentPath()) {
  KeepProgramValues();
}

void FreshStart::KeepProgramValues() {
  Keep(FfmpegTools::FfmpegPath);
  Keep(FfmpegTools::FfplayPath);
  Keep(FfmpegTools::FfprobePath);
  Keep(FfmpegTools::OptNames);
  Keep(FfmpegTools::ParamCaptions);
  Keep(FfmpegTools::PipeMode);
  Keep(DesktopServices::LastFolder);
  Keep(Session::OutputFile);
  Keep(Session::OutputFolder);
  Keep(Session::FormatProfilePath);
  Keep(Session::EditProfilePath);
  Keep(Session::FileList);
  Keep(DataFolderManager::FmFolder);
  Keep(DataFolderManager::FmExtension);
  Keep(DataFolderManager::FmMode);
  Keep(DataFolderManager::FmResult);
  Keep(DataFolderManager::FmSpecialEntries);
  Keep(DataFolderManager::FmEditRequested);
  Keep(ToolRunner::ConsoleState);
  Keep(ToolRunner::ConsoleInput);
  Keep(Lang::Msg);
  Keep(Lang::LanguageName);
  Keep(CodecViewer::FilePath);
  Keep(CodecViewer::IsVideo);
  Keep(ExternalCodecEditor::CurrentCodec);
  Keep(ExternalCodecEditor::SavedCodec);
  Keep(ExternalCodecEditor::CurrentPath);
  Keep(ExternalCodecEditor::CurrentIsVideo);
  Keep(ExternalCodecEditor::EditIndex);
  Keep(FormatEditor::FfmpegListsStale);
  Keep(FormatEditor::AudioEncoders);
  Keep(FormatEditor::VideoEncoders);
  Keep(FormatEditor::SubtitleEncoders);
  Keep(FormatEditor::AudioDecoders);
  Keep(FormatEditor::VideoDecoders);
  Keep(FormatEditor::SubtitleDecoders);
  Keep(FormatEditor::MuxerFormats);
  Keep(FormatEditor::DemuxerFormats);
  Keep(FormatEditor::InputPixelFormats);
  Keep(FormatEditor::OutputPixelFormats);
  Keep(FormatEditor::CurrentFormat);
  Keep(FormatEditor::SavedFormat);
  Keep(FormatEditor::CurrentFormatFile);
  Keep(FormatEditor::TempFormatMode);
  Keep(FormatEditor::CurrentCategory);
  Keep(FormatEditor::ParamRowCount);
  Keep(Conversion::Choices);
  Keep(Conversion::Commands);
  Keep(Conversion::MultiOutput);
  Keep(Conversion::Errors);
  Keep(Conversion::TempDir);
  Keep(Conversion::StopRequested);
  Keep(Conversion::Running);
  Keep(FilterEditor::CurrentFilter);
  Keep(FilterEditor::SavedFilter);
  Keep(FilterEditor::CurrentPath);
  Keep(FilterEditor::Loading);
  Keep(FilterEditor::TestRunning);
  Keep(FilterEditor::TestFiles);
  Keep(FilterEditor::TestFileCount);
  Keep(EditingProfileEditor::CurrentProfile);
  Keep(EditingProfileEditor::SavedProfile);
  Keep(EditingProfileEditor::CurrentPath);
  Keep(EditingProfileEditor::Loading);
  Keep(EditingProfileEditor::ScratchMode);
  Keep(CdRipper::Cdda2wavPath);
  Keep(CdRipper::CDRipAddToList);
  Keep(CdRipper::CDRipBusy);
  Keep(CdRipper::CDRipCancel);
  Keep(CdRipper::CDRipOutputDir);
  Keep(CdRipper::CDRipDevice);
  Keep(Recorder::RecBufferSizeMB);
  Keep(Recorder::RecOutputPath);
  Keep(Recorder::RecFormatProfilePath);
  Keep(Recorder::RecRunning);
  Keep(Recorder::RecStoppedByUser);
  Keep(Streamer::StreamInputArgs);
  Keep(Streamer::LocalIPAddress);
  Keep(Streamer::StreamFormatProfilePath);
  Keep(Streamer::StreamRunning);
}

void FreshStart::OnTestEnd(const ::testing::TestInfo& test) {
  RemoveWindows(test);
  qDeleteAll(qApp->findChildren<QTranslator*>(Qt::FindDirectChildrenOnly));
  for (const std::function<void()>& restore : restorers_) restore();
  Dialogs::SetResponder(nullptr);
  ProgramFolder::SetForTests(QString());
  RestoreEnvironment();
  QDir::setCurrent(startFolder_);
}

// A window closed with Qt::WA_DeleteOnClose goes only when the event loop next
// runs, which between two tests it does not: until then its Instance() and a
// search by its name still find it. A window that outlived its test is named,
// so that the test can be mended, and removed.
void FreshStart::RemoveWindows(const ::testing::TestInfo& test) const {
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  QList<QPointer<QWidget>> left;
  for (QWidget* window : QApplication::topLevelWidgets()) {
    if (!window->parentWidget()) left << window;
  }
  for (const QPointer<QWidget>& window : left) {
    if (!window) continue;
    std::cerr << "A window outlived " << test.test_suite_name() << '.' << test.name() << ": "
              << window->metaObject()->className() << ' ' << window->objectName().toStdString()
              << '\n';
    delete window.data();
  }
}

void FreshStart::RestoreEnvironment() const {
  const QProcessEnvironment now = QProcessEnvironment::systemEnvironment();
  for (const QString& name : now.keys()) {
    if (!startEnvironment_.contains(name)) qunsetenv(name.toLocal8Bit());
  }
  for (const QString& name : startEnvironment_.keys()) {
    const QString value = startEnvironment_.value(name);
    if (!now.contains(name) || now.value(name) != value) {
      qputenv(name.toLocal8Bit(), value.toLocal8Bit());
    }
  }
}
