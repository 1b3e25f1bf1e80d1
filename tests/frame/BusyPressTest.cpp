// Presses in the frame's windows made while another tool has the runner: none
// shows an empty result as real, none disturbs the tool that runs, and each
// says at most once why nothing happened.

#include <QFile>
#include <QGroupBox>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPointer>
#include <QProcess>
#include <QPushButton>
#include <functional>

#include "InstalledTools.h"
#include "TestEnv.h"
#include "core/frame/DataFolderManager.h"
#include "core/frame/FfmpegTools.h"
#include "core/frame/Player.h"
#include "core/ground/ProgramFolder.h"
#include "core/ground/ToolRunner.h"
#include "gui/frame/FileManagerWindow.h"
#include "gui/frame/PlayerWindow.h"
#include "gui/frame/TextViewerWindow.h"

namespace {

const QString kAnotherToolRunning = "Otra herramienta está en ejecución; espere a que termine";

bool ManagerShown() {
  return FileManagerWindow::Instance() && FileManagerWindow::Instance()->isVisible();
}

// Stands for an editor that reads ffmpeg's lists as it opens.
QStringList g_edited;
void RecordingEditor(const QString& name) { g_edited << name; }

class BusyPressTest : public TestEnv {
 protected:
  void SetUp() override {
    TestEnv::SetUp();
    ToolRunner::Reset();
    UseInstalledTools();
    UseSilentPlayer();
    WriteFile("appfiles/formats/a.qfm", "a");
    DataFolderManager::InstallEditor("qfm", RecordingEditor);
    g_edited.clear();
  }
  void TearDown() override {
    FfmpegTools::State().FfmpegPath.clear();
    FfmpegTools::State().FfplayPath.clear();
    TestEnv::TearDown();
  }

  // Administers the formats and makes the press on the manager; true when the
  // manager stayed, asking for no editor.
  static bool ManagerStaysAfter(const std::function<void(FileManagerWindow*)>& press) {
    bool stayed = false;
    QPointer<FileManagerWindow> pressed;
    WhenReady first(ManagerShown, [&] {
      pressed = FileManagerWindow::Instance();
      pressed->fileList->setCurrentRow(1);
      press(pressed);
      stayed = pressed->isVisible() && !DataFolderManager::State().FmEditRequested;
      if (stayed) pressed->cancelButton->click();
    });
    // A manager that comes back after its editor is sent away, so that a failure ends.
    WhenReady back([&] { return first.Done() && !pressed && ManagerShown(); },
                   [] { FileManagerWindow::Instance()->cancelButton->click(); });
    DataFolderManager::ShowFileManager(ProgramFolder::AppFiles("formats"), "qfm",
                                       DataFolderManager::Mode::Administer, true);
    return stayed;
  }
};

TEST_F(BusyPressTest, NoPressShowsAnEmptyResultOrStopsTheToolThatRuns) {
  const QString clip = Folder() + "/tone.wav";
  ASSERT_EQ(QProcess::execute("/usr/bin/ffmpeg",
                              {"-loglevel", "error", "-f", "lavfi", "-i", "sine=d=1", clip}),
            0);
  struct Case {
    const char* press;
    // Makes the press; true when the window is as the press left it right.
    std::function<bool()> act;
    int messages;
  } cases[] = {
      {"Editar in the file manager",
       [] {
         return ManagerStaysAfter([](FileManagerWindow* window) { window->editButton->click(); });
       },
       1},
      {"a double click in the file manager",
       [] {
         return ManagerStaysAfter([](FileManagerWindow* window) {
           emit window->fileList->itemDoubleClicked(window->fileList->item(1));
         });
       },
       1},
      {"a play",
       [&clip] {
         // Puts away a player left with nothing playing, so that a failure ends.
         WhenReady putAway(
             [] {
               return PlayerWindow::Instance() && PlayerWindow::Instance()->isVisible() &&
                      !PlayerWindow::Instance()->stopButton->isEnabled();
             },
             [] { PlayerWindow::Instance()->hide(); });
         PlayerWindow::Play(Player::BuildPlayCommand({clip}, ""));
         return PlayerWindow::Instance() == nullptr;
       },
       1},
      {"a listing in the text viewer",
       [] {
         QString shown = "none";
         WhenReady read(
             [] {
               return TextViewerWindow::Instance() && TextViewerWindow::Instance()->isVisible() &&
                      TextViewerWindow::Instance()->waitFrame->isHidden();
             },
             [&shown] {
               shown = TextViewerWindow::Instance()->outputText->toPlainText();
               TextViewerWindow::Instance()->close();
             });
         TextViewerWindow::ShowCommandOutput("/usr/bin/ffmpeg -version", nullptr);
         return TextViewerWindow::Instance() == nullptr && shown == "none";
       },
       0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.press);
    g_edited.clear();
    ScriptedDialogs dialogs;
    for (int i = 0; i < c.messages; ++i) dialogs.ExpectMessage();
    bool rightAfter = false;
    ToolRunner::RunState stateAfter = ToolRunner::RunState::Idle;
    ASSERT_TRUE(WhileAnotherToolRuns([&] {
      rightAfter = c.act();
      stateAfter = ToolRunner::GetState();
    }));
    EXPECT_TRUE(rightAfter);
    EXPECT_EQ(stateAfter, ToolRunner::RunState::Running) << "the tool that runs goes on";
    EXPECT_EQ(dialogs.Messages(), QStringList(c.messages, kAnotherToolRunning));
    EXPECT_TRUE(g_edited.isEmpty()) << g_edited.join(',').toStdString();
  }
}

}  // namespace
