#pragma once

#include <QList>
#include <QString>

class QAbstractButton;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QScrollArea;
class QWidget;

// The checks of how a window fits a larger font: whether each caption shows
// whole in its control, whether a control can be reached in its window, and
// the run of a test on the screen of a 1366x768 laptop.
namespace window_fit {

// A text that its control does not show whole.
struct Cut {
  QString control;
  QString text;
  int needed = 0;     // pixels the text needs
  int available = 0;  // pixels the control gives it
};

// The width a text takes in a widget's own font, mnemonics and line breaks included.
int TextWidth(const QWidget* widget, const QString& text);

void CheckButton(const QAbstractButton* button, QList<Cut>& cuts);
void CheckLabel(const QLabel* label, QList<Cut>& cuts);
void CheckGroupTitle(const QGroupBox* group, QList<Cut>& cuts);
void CheckList(const QListWidget* list, QList<Cut>& cuts);
void CheckCaptionBox(const QLineEdit* box, QList<Cut>& cuts);
void CheckCombo(const QComboBox* combo, QList<Cut>& cuts);

// The captions a control of any of the kinds above does not show whole.
QList<Cut> CaptionCuts(const QWidget* control);

// "control: "text" needs n px, has m", as a failure tells it.
QString Describe(const Cut& cut);

// The scroll area whose content widget this is, if any.
const QScrollArea* AreaShowing(const QWidget* content);

// A control the user can reach in its window: no widget it lies in cuts it,
// up to the window or up to the content of a scroll area that can bring it
// into view, which area must itself be reachable.
bool Reachable(const QWidget* control, const QWidget* window);

// How the test program is started again on the laptop screen.
struct ScreenRun {
  const char* fontDpi = "144";       // QT_FONT_DPI; "" leaves the desktop's own
  const char* highDpiScaling = "0";  // QT_ENABLE_HIGHDPI_SCALING; "" leaves Qt's default
  bool windowFrameMargins = true;    // whether the platform tells a frame around windows
  QString test;                      // the gtest filter; empty runs the current test
};

// Whether this program is the one RunOnLaptopScreen started.
bool InScreenRun();

// Runs a test again in a test program of its own on an offscreen screen of
// 1366x768 pixels, at 96 dpi, with the larger font the run asks for; the
// screen is set where the platform starts, so the program is started anew for
// it. The screen's description is written in folder.
void RunOnLaptopScreen(const QString& folder, const ScreenRun& run = {});

}  // namespace window_fit
