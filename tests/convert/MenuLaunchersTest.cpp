// The main window's help-text items and data-folder managers.

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QGroupBox>
#include <QPlainTextEdit>
#include <QPointer>
#include <QStandardPaths>
#include <QTimer>
#include <optional>

#include "Children.h"
#include "TestEnv.h"
#include "core/devices/CdRipper.h"
#include "core/frame/DataFolderManager.h"
#include "core/frame/FfmpegTools.h"
#include "core/ground/ProgramFolder.h"
#include "core/ground/ToolRunner.h"
#include "gui/app/MainWindow.h"
#include "gui/frame/FileManagerWindow.h"
#include "gui/frame/TextViewerWindow.h"

namespace {

class MenuLaunchersTest : public TestEnv {
 protected:
  void SetUp() override {
    TestEnv::SetUp();
    FfmpegTools::State().FfmpegPath = QStandardPaths::findExecutable("ffmpeg");
    CdRipper::State().Cdda2wavPath.clear();
    main_ = new MainWindow;
    main_->show();
  }
  void TearDown() override {
    delete main_;
    FfmpegTools::State().FfmpegPath.clear();
    CdRipper::State().Cdda2wavPath.clear();
    TestEnv::TearDown();
  }
  // Triggers the item and returns what the text viewer showed once its text
  // holds the expected words; the viewer is then closed.
  QString ViewerText(QAction* item, const QString& expected) {
    QString shown;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
      TextViewerWindow* viewer = TextViewerWindow::Instance();
      if (!viewer || !viewer->outputText->toPlainText().contains(expected)) return;
      shown = viewer->outputText->toPlainText();
      mainHiddenMeanwhile_ = !main_->isVisible();
      viewer->close();
    });
    poll.start(20);
    item->trigger();
    return shown;
  }

  QPointer<MainWindow> main_;
  bool mainHiddenMeanwhile_ = false;
};

TEST_F(MenuLaunchersTest, FfmpegsLicenceAndHelpShowWhileTheMainWindowWaitsHidden) {
  const struct {
    QAction* item;
    const char* expected;
  } cases[] = {{main_->ffmpegLicenceAction, "GNU"},
               {main_->ffmpegHelpAction, "Advanced global options"}};
  for (const auto& c : cases) {
    mainHiddenMeanwhile_ = false;
    EXPECT_TRUE(ViewerText(c.item, c.expected).contains(c.expected)) << c.expected;
    EXPECT_TRUE(mainHiddenMeanwhile_) << c.expected;
    EXPECT_TRUE(main_->isVisible()) << c.expected;
  }
}

TEST_F(MenuLaunchersTest, Cdda2wavsHelpRunsItAndAMissingOneIsNamed) {
  {
    ScriptedDialogs dialogs;
    dialogs.ExpectMessage();
    main_->aboutCdda2wavAction->trigger();
    EXPECT_EQ(dialogs.Messages(), QStringList{"No se encuentra el archivo "});
    EXPECT_EQ(TextViewerWindow::Instance(), nullptr);
    EXPECT_TRUE(main_->isVisible());
  }
  const QString script = WriteFile("tools/cdda2wav", "#!/bin/sh\necho \"usage: $1\"\n");
  QFile::setPermissions(script, QFile::permissions(script) | QFile::ExeOwner);
  CdRipper::State().Cdda2wavPath = script;
  EXPECT_EQ(ViewerText(main_->aboutCdda2wavAction, "usage").trimmed(), "usage: -help");
  EXPECT_TRUE(mainHiddenMeanwhile_);
  EXPECT_TRUE(main_->isVisible());
}

// A cdda2wav that hangs on its drive: the viewer waits on it with the main
// window hidden until the user closes the viewer, which ends it.
TEST_F(MenuLaunchersTest, ClosingTheViewerEndsAHungCdda2wavAndBringsTheMainWindowBack) {
  const QString script = WriteFile("tools/cdda2wav", "#!/bin/sh\nexec sleep 60\n");
  QFile::setPermissions(script, QFile::permissions(script) | QFile::ExeOwner);
  CdRipper::State().Cdda2wavPath = script;
  QList<qint64> hung;
  bool accepted = false;
  WhenReady whileWaiting(
      [] {
        const TextViewerWindow* viewer = TextViewerWindow::Instance();
        return viewer && !viewer->waitFrame->isHidden() && !ChildProcesses("sleep").isEmpty();
      },
      [&] {
        hung = ChildProcesses("sleep");
        mainHiddenMeanwhile_ = !main_->isVisible();
        accepted = TextViewerWindow::Instance()->close();
      });
  main_->aboutCdda2wavAction->trigger();
  ASSERT_TRUE(whileWaiting.Done());
  EXPECT_TRUE(accepted);
  EXPECT_TRUE(mainHiddenMeanwhile_);
  EXPECT_TRUE(main_->isVisible());
  EXPECT_EQ(TextViewerWindow::Instance(), nullptr);
  ASSERT_EQ(hung.size(), 1);
  EXPECT_TRUE(AllEnd(hung));
  EXPECT_EQ(ToolRunner::GetState(), ToolRunner::RunState::Idle);
}

// A slow cdda2wav that does answer, once the test lets it: its text comes.
TEST_F(MenuLaunchersTest, ASlowCdda2wavStillShowsItsHelp) {
  const QString go = Folder() + "/go";
  CdRipper::State().Cdda2wavPath = WriteWaitingTool("tools/cdda2wav", go, "echo \"usage: $1\"\n");
  WhenReady letGo(
      [] {
        const TextViewerWindow* viewer = TextViewerWindow::Instance();
        return viewer && !viewer->waitFrame->isHidden();
      },
      [&] { QFile(go).open(QIODevice::WriteOnly); });
  EXPECT_EQ(ViewerText(main_->aboutCdda2wavAction, "usage").trimmed(), "usage: -help");
  EXPECT_TRUE(letGo.Done());
  EXPECT_TRUE(mainHiddenMeanwhile_);
  EXPECT_TRUE(main_->isVisible());
}

TEST_F(MenuLaunchersTest, EachManagerItemOpensItsDataFolder) {
  const struct {
    QAction* item;
    const char* folder;
    const char* extension;
  } cases[] = {{main_->manageFormatsAction, "formats", "qfm"},
               {main_->manageFiltersAction, "filters", "qfl"},
               {main_->manageAudioCodecsAction, "ecodec", "qca"},
               {main_->manageVideoCodecsAction, "ecodec", "qcv"},
               {main_->manageEditingProfilesAction, "editp", "qep"}};
  for (const auto& c : cases) {
    QString folder, extension;
    std::optional<DataFolderManager::Mode> mode;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
      FileManagerWindow* manager = FileManagerWindow::Instance();
      if (!manager || !manager->isVisible()) return;
      folder = DataFolderManager::State().FmFolder;
      extension = DataFolderManager::State().FmExtension;
      mode = DataFolderManager::State().FmMode;
      manager->close();
    });
    poll.start(20);
    c.item->trigger();
    EXPECT_EQ(folder, ProgramFolder::AppFiles(c.folder)) << c.extension;
    EXPECT_EQ(extension, c.extension);
    EXPECT_EQ(mode, DataFolderManager::Mode::Administer) << c.extension;
    EXPECT_TRUE(main_->isVisible()) << c.extension;
  }
}

}  // namespace
