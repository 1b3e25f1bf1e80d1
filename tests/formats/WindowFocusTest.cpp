#include <QApplication>
#include <QGroupBox>
#include <QWidget>
#include <functional>

#include "CodecTestSupport.h"
#include "FormatEditorFixture.h"
#include "InstalledTools.h"
#include "core/formats/CodecViewer.h"
#include "core/formats/ExternalCodecEditor.h"
#include "gui/formats/CodecEditorWindow.h"
#include "gui/formats/CodecViewerWindow.h"
#include "gui/formats/FormatEditorWindow.h"

// Each window of the formats opens, as the program opens it, with the keyboard
// focus on its first control that takes input: a keyboard user can start at once.

namespace {

using namespace codec_test;

// The object name of the control that has the focus once the window is
// active; "" when it never became active.
QString FocusOnceActive(QWidget* window) {
  if (!WaitFor([window] { return window->isActiveWindow(); })) return QString();
  // The focus follows the activation within the same turn of the event loop.
  QApplication::processEvents();
  QWidget* focused = QApplication::focusWidget();
  return focused && focused->window() == window ? focused->objectName() : "(elsewhere)";
}

class WindowFocusTest : public FormatEditorWindowFixture {
 protected:
  void SetUp() override {
    FormatEditorWindowFixture::SetUp();
    ExternalCodecEditor::Reset();
  }
  void TearDown() override {
    ExternalCodecEditor::Reset();
    FormatEditorWindowFixture::TearDown();
  }
};

TEST_F(WindowFocusTest, EachWindowOpensWithTheFocusOnItsFirstInput) {
  WriteRecord(ProgramFolder::AppFiles("ecodec") + "/lame.qca", LameCodec());
  struct Case {
    const char* window;
    const char* focused;  // the control's object name
    std::function<QWidget*()> shown;
    std::function<void()> open;  // returns once the window has closed
  } cases[] = {
      {"the format editor", "Combo6", [] { return FormatEditorWindow::Instance(); },
       [] { FormatEditorWindow::ShowEditor("", false); }},
      {"the format editor on <Manual>", "Combo6", [] { return FormatEditorWindow::Instance(); },
       [] { FormatEditorWindow::ShowEditor("*", true); }},
      // The lists are read from ffmpeg once the editor is up, behind its wait panel.
      {"the format editor reading ffmpeg's lists", "Combo6",
       []() -> QWidget* {
         FormatEditorWindow* window = FormatEditorWindow::Instance();
         return window && !FormatEditor::State().FfmpegListsStale &&
                        !window->waitPanel->isVisibleTo(window)
                    ? window
                    : nullptr;
       },
       [] {
         UseInstalledTools();
         FormatEditor::State().FfmpegListsStale = true;
         FormatEditorWindow::ShowEditor("", false);
       }},
      {"the codec editor", "Command9", [] { return CodecEditorWindow::Instance(); },
       [] { CodecEditorWindow::ShowEditor("", 0); }},
      {"the codec editor on a file", "Command9", [] { return CodecEditorWindow::Instance(); },
       [] { CodecEditorWindow::ShowEditor("lame", 0); }},
      {"the codec list", "List1", [] { return CodecViewerWindow::Instance(); },
       [] { CodecViewer::ShowCodecInfo(nullptr, QString(), 0); }},
      {"one codec", "Command1", [] { return CodecViewerWindow::Instance(); },
       [] {
         CodecViewer::ShowCodecInfo(nullptr, ProgramFolder::AppFiles("ecodec") + "/lame.qca", 0);
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.window);
    QString focused;
    When([&] { return c.shown() && c.shown()->isVisible(); },
         [&] {
           QWidget* window = c.shown();
           focused = FocusOnceActive(window);
           window->close();
         });
    c.open();
    EXPECT_EQ(focused, c.focused);
  }
}

}  // namespace
