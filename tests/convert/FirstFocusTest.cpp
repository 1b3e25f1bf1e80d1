// Each window opens with the keyboard focus on its first control that takes
// input, so that a keyboard user can start at once.

#include <QApplication>
#include <QWidget>
#include <functional>
#include <memory>

#include "TestEnv.h"
#include "core/convert/ConversionState.h"
#include "gui/app/MainWindow.h"
#include "gui/app/ToolPathsWindow.h"
#include "gui/convert/CommandViewerWindow.h"
#include "gui/convert/ProgressWindow.h"

namespace {

class FirstFocusTest : public TestEnv {
 protected:
  void TearDown() override {
    Conversion::State().Running = false;
    TestEnv::TearDown();
  }
};

// The control of the window that has the keyboard focus once the window is
// active, by object name; "" when the focus never came into the window.
QString FocusedIn(QWidget* window) {
  window->activateWindow();
  const bool focused = WaitFor([window] {
    const QWidget* focus = QApplication::focusWidget();
    return focus && focus->window() == window;
  });
  return focused ? QApplication::focusWidget()->objectName() : QString();
}

ProgressWindow* Progress() {
  auto* window = new ProgressWindow;
  window->Load();
  window->ShowStarted();
  return window;
}

TEST_F(FirstFocusTest, EachWindowOpensWithTheFocusOnItsFirstControlThatTakesInput) {
  MainWindow main;
  main.show();
  const struct {
    const char* window;
    std::function<QWidget*()> open;
    const char* focused;
  } cases[] = {
      {"main window", [&] { return &main; }, "List1"},
      {"tool paths",
       [&] {
         auto* window = new ToolPathsWindow(&main);
         window->Load();
         window->show();
         return window;
       },
       "Text1"},
      {"command viewer",
       [&] {
         auto* window = new CommandViewerWindow(&main);
         window->show();
         return window;
       },
       "Command2"},
      {"progress, while it runs", [] { return Progress(); }, "Command1"},
      {"progress, at its end",
       [] {
         ProgressWindow* window = Progress();
         window->ShowFinished({});
         return window;
       },
       "Command2"},
      {"progress, its errors shown",
       [] {
         ProgressWindow* window = Progress();
         window->ShowFinished({{"/a.wav", "Convirtiendo", "Error al convertir", "cmd", "out"}});
         window->ShowErrors();
         return window;
       },
       "List1"},
      {"progress, its errors closed",
       [] {
         ProgressWindow* window = Progress();
         window->ShowFinished({{"/a.wav", "Convirtiendo", "Error al convertir", "cmd", "out"}});
         window->ShowErrors();
         window->Done();
         return window;
       },
       "Command2"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.window);
    QWidget* window = c.open();
    std::unique_ptr<QWidget> owned(window == &main ? nullptr : window);
    EXPECT_EQ(FocusedIn(window), QString(c.focused));
    if (auto* progress = qobject_cast<ProgressWindow*>(window)) progress->errorPanel->hide();
    window->hide();
  }
}

}  // namespace
