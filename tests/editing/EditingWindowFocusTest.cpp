#include <QApplication>
#include <QMenu>
#include <QWidget>
#include <functional>

#include "EditingFixture.h"
#include "gui/editing/EditingProfileWindow.h"
#include "gui/editing/FilterEditorWindow.h"

// Each editing window, opened as the program opens it, has the keyboard focus
// on its first control that takes input, so that a keyboard user can start at
// once.

namespace {

using EditingWindowFocusTest = EditingTest;

TEST_F(EditingWindowFocusTest, EachWindowOpensWithTheFocusOnItsFirstInput) {
  const QString clip = VideoClip();
  // The editor probes the first listed file, and takes its first frame, as it opens.
  const auto loaded = [] {
    EditingProfileWindow* window = EditingProfileWindow::Instance();
    return window && !window->testFile.isEmpty() && window->fileMenu->isEnabled()
               ? static_cast<QWidget*>(window)
               : nullptr;
  };
  const struct {
    const char* window;
    std::function<void()> open;
    std::function<QWidget*()> shown;
    const char* first;
  } windows[] = {
      {"editing profile", [] { EditingProfileWindow::ShowEditor(QString(), false); },
       [] { return static_cast<QWidget*>(EditingProfileWindow::Instance()); }, "List1"},
      {"editing profile with its buttons", [] { EditingProfileWindow::ShowEditor("*", true); },
       [] { return static_cast<QWidget*>(EditingProfileWindow::Instance()); }, "List1"},
      {"editing profile with a test file",
       [&clip] {
         Session::State().FileList = {clip};
         EditingProfileWindow::ShowEditor(QString(), false);
       },
       loaded, "List1"},
      {"filter editor", [] { FilterEditorWindow::ShowEditor(QString()); },
       [] { return static_cast<QWidget*>(FilterEditorWindow::Instance()); }, "Combo1"},
  };
  for (const auto& each : windows) {
    SCOPED_TRACE(each.window);
    QString focused = "no window";
    WhenReady looked(
        [&] {
          QWidget* window = each.shown();
          return window && window->isVisible() && window->isActiveWindow() &&
                 QApplication::focusWidget();
        },
        [&] {
          focused = QApplication::focusWidget()->objectName();
          each.shown()->close();
        });
    each.open();
    EXPECT_TRUE(looked.Done());
    EXPECT_EQ(focused, each.first);
  }
}

}  // namespace
