// Each window of the frame opens, as the program opens it, with the keyboard
// focus on its first control that takes input, so that a keyboard user need
// not click first.

#include <QApplication>
#include <QPushButton>
#include <functional>

#include "TestEnv.h"
#include "core/frame/DataFolderManager.h"
#include "core/frame/FfmpegTools.h"
#include "core/frame/Player.h"
#include "core/frame/TextViewer.h"
#include "core/ground/ProgramFolder.h"
#include "core/ground/ToolRunner.h"
#include "gui/frame/AboutBox.h"
#include "gui/frame/FileManagerWindow.h"
#include "gui/frame/LanguageWindow.h"
#include "gui/frame/PlayerWindow.h"

namespace {

QWidget* ActiveWindowNamed(const QString& name) {
  QWidget* window = QApplication::activeWindow();
  return window && window->objectName() == name && window->isVisible() ? window : nullptr;
}

class FirstFocusTest : public TestEnv {
 protected:
  void SetUp() override {
    TestEnv::SetUp();
    ToolRunner::Reset();
    WriteFile("appfiles/formats/a.qfm", "a");
  }
};

TEST_F(FirstFocusTest, EachWindowOpensWithTheFocusOnItsFirstInput) {
  const QString formats = ProgramFolder::AppFiles("formats");
  const auto manager = [formats](DataFolderManager::Mode mode) {
    return [formats, mode] { DataFolderManager::ShowFileManager(formats, "qfm", mode, true); };
  };
  struct Case {
    const char* opening;
    const char* window;
    std::function<void()> open;
    const char* focused;
    // Done in the window once it is up, before the focus is looked at.
    const char* press = nullptr;
  } cases[] = {
      {"the file manager to open", "Form3", manager(DataFolderManager::Mode::Open), "List1"},
      {"the file manager to save", "Form3", manager(DataFolderManager::Mode::SaveAs), "List1"},
      {"the file manager to administer", "Form3", manager(DataFolderManager::Mode::Administer),
       "List1"},
      {"the text viewer", "Form6",
       [] { TextViewer::ShowCommandOutput("/usr/bin/ffmpeg -version", nullptr); }, "Text2"},
      {"the language chooser", "Form13", [] { LanguageWindow::ShowModal(nullptr); }, "Combo1"},
      {"the language-file maker", "Form13", [] { LanguageWindow::ShowModal(nullptr); }, "Text2",
       "Command1"},
      {"the about box", "Form16", [] { AboutBox::ShowModal(nullptr); }, "Text1"},
      {"the player", "Form18",
       [] {
         Player::PlayCommand sleeping;
         sleeping.pipeline = {CommandLine::Command{"/bin/sleep", {"60"}}};
         PlayerWindow::Play(sleeping);
       },
       "Text1"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.opening);
    QString focused = "(none)";
    When([&c] { return ActiveWindowNamed(c.window) != nullptr; },
         [&c, &focused] {
           QWidget* window = ActiveWindowNamed(c.window);
           if (c.press) window->findChild<QPushButton*>(c.press)->click();
           if (QWidget* focus = QApplication::focusWidget()) focused = focus->objectName();
           // The player closes once its play has been stopped.
           if (auto* player = qobject_cast<PlayerWindow*>(window)) {
             player->stopButton->click();
             When([] { return ToolRunner::GetState() == ToolRunner::RunState::Idle; },
                  [player] { player->close(); });
           } else {
             // A first close request closes the language-file maker, the second the chooser.
             window->close();
             if (window->isVisible()) window->close();
           }
         });
    c.open();
    EXPECT_EQ(focused, c.focused);
  }
}

}  // namespace
