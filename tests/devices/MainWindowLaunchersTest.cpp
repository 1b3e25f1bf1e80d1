#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QStandardPaths>
#include <QTimer>
#include <functional>
#include <memory>

#include "TestEnv.h"
#include "core/devices/CdRipper.h"
#include "core/devices/Recorder.h"
#include "core/devices/Streamer.h"
#include "core/frame/FfmpegTools.h"
#include "core/frame/Session.h"
#include "core/ground/ToolRunner.h"
#include "gui/app/MainWindow.h"
#include "gui/devices/CdRipWindow.h"
#include "gui/devices/RecorderWindow.h"

namespace {

// The main window's menu items that open the CD rip window, the recorder and the streamer.
class MainWindowLaunchersTest : public TestEnv {
 protected:
  void SetUp() override {
    TestEnv::SetUp();
    ToolRunner::Reset();
    CdRipper::Reset();
    Recorder::Reset();
    Streamer::Reset();
    Session::State().FileList.clear();
    FfmpegTools::InitOptionNames();
    FfmpegTools::State().FfmpegPath = QStandardPaths::findExecutable("ffmpeg");
    main_ = std::make_unique<MainWindow>();
    main_->show();
  }
  void TearDown() override {
    delete CdRipWindow::Instance();
    main_.reset();
    CdRipper::State().Cdda2wavPath.clear();
    FfmpegTools::State().FfmpegPath.clear();
    TestEnv::TearDown();
  }
  // A cdda2wav that finds a drive with one titled track.
  void FakeCdda2wav() {
    const QString script = WriteFile("tools/cdda2wav",
                                     "#!/bin/sh\n"
                                     "case \"$1\" in\n"
                                     "  -scanbus) printf 'scsibus0:\\n\\t0,0,0\\t  0) '\"'A' 'B' "
                                     "'C'\"' Removable CD-ROM\\n' ;;\n"
                                     "  -N) echo \"Track  1: 'Only'\" >&2 ;;\n"
                                     "esac\n");
    QFile::setPermissions(script, QFile::permissions(script) | QFile::ExeOwner);
    CdRipper::State().Cdda2wavPath = script;
  }
  std::unique_ptr<MainWindow> main_;
};

TEST_F(MainWindowLaunchersTest, TheTwoCdItemsOpenTheRipWindowInTheirModes) {
  FakeCdda2wav();
  ScriptedDialogs dialogs;
  main_->ripCdAction->trigger();
  ASSERT_NE(CdRipWindow::Instance(), nullptr);
  EXPECT_FALSE(CdRipper::State().CDRipAddToList);
  EXPECT_EQ(CdRipWindow::Instance()->trackList->count(), 1);
  EXPECT_TRUE(CdRipWindow::Instance()->outputFolder->isEnabled());
  delete CdRipWindow::Instance();

  main_->addCdTracksAction->trigger();
  ASSERT_NE(CdRipWindow::Instance(), nullptr);
  EXPECT_TRUE(CdRipper::State().CDRipAddToList);
  EXPECT_FALSE(CdRipWindow::Instance()->outputFolder->isEnabled());
}

TEST_F(MainWindowLaunchersTest, GrabarOpensTheRecorderAndEmitirStreamsTheList) {
  bool opened = false;
  auto* poll = new QTimer;
  QObject::connect(poll, &QTimer::timeout, [poll, &opened] {
    RecorderWindow* recorder = RecorderWindow::Instance();
    if (!recorder || !recorder->listingFrame->isHidden()) return;
    opened = true;
    poll->deleteLater();
    recorder->close();
  });
  poll->start(20);
  main_->recordAction->trigger();
  EXPECT_TRUE(opened);
  EXPECT_TRUE(main_->isVisible());

  ScriptedDialogs dialogs;
  dialogs.ExpectMessage();
  main_->streamAction->trigger();
  EXPECT_EQ(dialogs.Messages(), QStringList({"No se han agregado archivos a la lista"}));
}

}  // namespace
