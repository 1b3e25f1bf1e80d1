#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>

#include "Keyboard.h"
#include "TestEnv.h"
#include "core/frame/DataFolderManager.h"
#include "core/frame/FfmpegTools.h"
#include "core/ground/ProgramFolder.h"
#include "gui/app/ToolPathsWindow.h"
#include "gui/convert/CommandViewerWindow.h"
#include "gui/formats/CodecViewerWindow.h"
#include "gui/frame/AboutBox.h"
#include "gui/frame/FileManagerWindow.h"

// Enter presses a dialog's main button from wherever the focus is; no other
// button takes Enter because it has the focus.

namespace {

class EnterKeyTest : public TestEnv {};

TEST_F(EnterKeyTest, InTheToolPathsEnterSetsThePaths) {
  const QString ffmpeg = WriteFile("tools/ffmpeg", "#!/bin/sh\n");
  QFile::setPermissions(ffmpeg, QFile::permissions(ffmpeg) | QFile::ExeOwner);
  const char* focused[] = {"Text1", "Command1", "Command4", "Command7", "Command6"};
  for (const char* name : focused) {
    SCOPED_TRACE(name);
    FfmpegTools::State().FfmpegPath.clear();
    ScriptedDialogs dialogs;  // a file browser would be a dialog nobody expects
    ToolPathsWindow window(nullptr);
    window.Load();
    window.ffmpegPath->setText(ffmpeg);
    window.ffmpegPath->setModified(true);
    ASSERT_TRUE(ShowActive(&window));
    PressEnterOn(window.findChild<QWidget*>(name));
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(window.result(), QDialog::Accepted);
    EXPECT_EQ(FfmpegTools::State().FfmpegPath, ffmpeg);
  }
}

TEST_F(EnterKeyTest, TheAboutBoxClosesOnEnterAndOpensNoPage) {
  for (const char* name : {"Command1", "Text1", "Command2"}) {
    SCOPED_TRACE(name);
    ScriptedDialogs dialogs;  // opening the donation page would be a dialog nobody expects
    AboutBox about(nullptr);
    about.Load();
    ASSERT_TRUE(ShowActive(&about));
    PressEnterOn(about.findChild<QWidget*>(name));
    EXPECT_FALSE(about.isVisible());
    EXPECT_TRUE(dialogs.Shown().isEmpty());
  }
}

TEST_F(EnterKeyTest, TheCommandViewerKeepsItsPageOnEnter) {
  CommandViewerWindow viewer(nullptr);
  ASSERT_TRUE(ShowActive(&viewer));
  for (QPushButton* button : {viewer.nextPageButton, viewer.previousPageButton}) {
    PressEnterOn(button);
    EXPECT_TRUE(viewer.isVisible());
    EXPECT_FALSE(viewer.commandsPage->isHidden()) << "no page button took Enter";
  }
}

TEST_F(EnterKeyTest, TheCodecViewersButtonsTakeNoEnter) {
  ScriptedDialogs dialogs;  // a file browser or a "not found" would be unexpected
  CodecViewerWindow viewer(nullptr);
  viewer.Load();
  viewer.ShowDetails("codec", "about", "gone/program");
  ASSERT_TRUE(ShowActive(&viewer));
  for (QPushButton* button : {viewer.browseProgramButton, viewer.programFolderButton})
    PressEnterOn(button);
  EXPECT_TRUE(viewer.isVisible());
  EXPECT_TRUE(dialogs.Shown().isEmpty());
}

bool ManagerShown() {
  return FileManagerWindow::Instance() && FileManagerWindow::Instance()->isVisible();
}

TEST_F(EnterKeyTest, InTheFileManagerEnterAcceptsTheSelectedEntry) {
  WriteFile("appfiles/formats/a.qfm", "a");
  const QString formats = ProgramFolder::AppFiles("formats");
  When(ManagerShown, [] {
    FileManagerWindow* window = FileManagerWindow::Instance();
    ASSERT_TRUE(ShowActive(window));
    window->fileList->setCurrentRow(1);
    PressEnterOn(window->fileList);
  });
  EXPECT_EQ(DataFolderManager::ShowFileManager(formats, "qfm", DataFolderManager::Mode::Open, true),
            formats + "/a.qfm");

  When(ManagerShown, [] {
    FileManagerWindow* window = FileManagerWindow::Instance();
    ASSERT_TRUE(ShowActive(window));
    window->nameEdit->clear();
    QTest::keyClicks(window->nameEdit, "b");
    for (QPushButton* button : {window->newButton, window->deleteButton, window->cancelButton})
      button->setFocus();  // a button once focused keeps no claim on Enter
    PressEnterOn(window->nameEdit);
  });
  EXPECT_EQ(
      DataFolderManager::ShowFileManager(formats, "qfm", DataFolderManager::Mode::SaveAs, true),
      formats + "/b.qfm");
}

}  // namespace
