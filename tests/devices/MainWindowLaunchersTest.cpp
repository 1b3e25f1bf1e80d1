#include <QAction>
#include <QApplication>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QStandardPaths>
#include <QTimer>

#include "DeviceFixture.h"
#include "gui/devices/RecorderWindow.h"

namespace {

// The main window's menu items that open the CD rip window, the recorder and the streamer.
class MainWindowLaunchersTest : public DeviceWindowsTest {
 protected:
  void SetUp() override {
    DeviceWindowsTest::SetUp();
    FfmpegTools::State().FfmpegPath = QStandardPaths::findExecutable("ffmpeg");
    ShowMain();
  }
};

TEST_F(MainWindowLaunchersTest, TheTwoCdItemsOpenTheRipWindowInTheirModes) {
  CdRipper::State().Cdda2wavPath = Executable("tools/cdda2wav", kOneTrackCdda2wav);
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
