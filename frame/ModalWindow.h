#pragma once

class QWidget;

// The program's own modal way for its tool windows: hide every visible
// top-level window, show the tool window, wait in a local event loop until it
// is closed, then show again those hidden windows that still exist. Calls nest
// (the file manager, then an editor opened from it).
namespace ModalWindow {

void Run(QWidget* toolWindow);

}  // namespace ModalWindow
