#pragma once

#include <QString>

class QWidget;

// The main window as the other windows see it: the window they stand in for
// (hidden or disabled while they are open) and whose menu captions they copy.
// It is found by its object name, "Form1", so that they need not know its class.
namespace MainWindowLink {

// The loaded main window, or nullptr.
QWidget* Window();

// The caption of the main window's menu or menu item of that object name: a
// menu's title, an item's text; a null string when there is no such control.
QString Caption(const char* control);

}  // namespace MainWindowLink
