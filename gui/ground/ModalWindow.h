#pragma once

#include <QList>
#include <QPointer>

class QWidget;

// The program's own modal way for its tool windows: hide every visible
// top-level window, show the tool window, wait in a local event loop until it
// is closed, then show again those hidden windows that still exist. Calls nest
// (the file manager, then an editor opened from it).
namespace ModalWindow {

void Run(QWidget* toolWindow);

// Shows again a top-level window that was hidden while a tool window was up,
// where it stood: left to the window manager, a window shown anew may be put
// anywhere, and would hop around the screen after every tool.
void ShowAgain(QWidget* window);

// Hides every visible top-level window but keep for its lifetime, then shows
// again (ShowAgain) those that still exist. Run uses it; a caller that shows tool windows
// one after another holds one so that the others stay hidden in between.
class HiddenWindows {
 public:
  explicit HiddenWindows(QWidget* keep = nullptr);
  ~HiddenWindows();
  HiddenWindows(const HiddenWindows&) = delete;
  HiddenWindows& operator=(const HiddenWindows&) = delete;

 private:
  QList<QPointer<QWidget>> hidden_;
};

}  // namespace ModalWindow
