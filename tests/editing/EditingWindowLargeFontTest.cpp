#include <QAbstractButton>
#include <QAbstractScrollArea>
#include <QAbstractSlider>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QWindow>
#include <memory>

#include "EditingFixture.h"
#include "WindowFit.h"
#include "gui/editing/EditingProfileWindow.h"
#include "gui/editing/FilterEditorWindow.h"
#include "gui/editing/UnitPicture.h"

// The editing windows on a 1366x768 screen at QT_FONT_DPI=144, in Spanish:
// each lies within the screen's free area and opens with every control it
// shows whole in view, captions included. The screen and the font are the
// platform's own, so the windows are looked at in a second run of this test
// program, started on such a screen.

namespace {

using namespace window_fit;

// A control a user sees, not a part of a list's, a box's or a scroll area's own.
bool IsControl(const QWidget* widget) {
  if (qobject_cast<const UnitShape*>(widget)) return false;
  const QWidget* parent = widget->parentWidget();
  return !parent || !qobject_cast<const QAbstractScrollArea*>(parent) ||
         parent->objectName() == "ScreenFitArea";
}

// The widget the control reaches past, up to the window; "" when it shows whole.
QString CutBy(const QWidget* control, const QWidget* window) {
  QRect place = control->geometry();
  for (const QWidget* parent = control->parentWidget(); parent; parent = parent->parentWidget()) {
    if (!parent->rect().contains(place)) {
      return parent->objectName().isEmpty() ? parent->metaObject()->className()
                                            : parent->objectName();
    }
    if (parent == window) return QString();
    place.translate(parent->pos());
  }
  return "no window";
}

// Whether a control's caption line is taller than the control: a button's,
// a box's or a combo's.
bool TooLow(QWidget* control) {
  auto* button = qobject_cast<QAbstractButton*>(control);
  const bool holdsALine = (button && !button->text().isEmpty()) ||
                          qobject_cast<QLineEdit*>(control) || qobject_cast<QComboBox*>(control);
  return holdsALine && control->fontMetrics().height() > control->height();
}

// What the user cannot see whole in the window as it opens.
QStringList Faults(QWidget* window) {
  QStringList faults;
  const QRect free = window->screen()->availableGeometry();
  if (!free.contains(window->frameGeometry())) {
    faults << QString("the window (%1x%2) is larger than the free area (%3x%4)")
                  .arg(window->frameGeometry().width())
                  .arg(window->frameGeometry().height())
                  .arg(free.width())
                  .arg(free.height());
  }
  for (QWidget* control : window->findChildren<QWidget*>()) {
    if (control->window() != window || !control->isVisible() || !IsControl(control)) continue;
    const QString name = control->objectName().isEmpty() ? control->metaObject()->className()
                                                         : control->objectName();
    const QString cutBy = CutBy(control, window);
    if (!cutBy.isEmpty()) faults << name + " reaches past " + cutBy;
    for (const Cut& cut : CaptionCuts(control))
      faults << name + " cuts its caption: " + Describe(cut);
    if (TooLow(control)) faults << name + " is too low for its caption";
  }
  return faults;
}

// Whether a scroll bar is shown just when there is something to scroll.
bool BarSettled(const QScrollBar* bar) { return bar->isVisible() == (bar->maximum() > 0); }

// The window is on screen and has taken its size: the scroll area that holds
// its content, if it has one, is shown with the bars it needs. (While the
// window takes its size, Qt may show a bar for a moment.)
bool Settled(QWidget* window) {
  if (!window->windowHandle() || !window->windowHandle()->isExposed()) return false;
  auto* area = window->findChild<QScrollArea*>("ScreenFitArea");
  return !area || (area->isVisible() && BarSettled(area->verticalScrollBar()) &&
                   BarSettled(area->horizontalScrollBar()));
}

void Look(const QString& name, QWidget* window, QStringList& faults) {
  window->show();
  if (!WaitFor([window] { return Settled(window); })) faults << name + ": never settled";
  for (const QString& fault : Faults(window)) faults << name + ": " + fault;
}

// The windows in each state that shows other controls.
QStringList FaultsOfTheEditingWindows() {
  QStringList faults;
  {
    auto filters = std::make_unique<FilterEditorWindow>();
    filters->Load();
    Look("filter editor", filters.get(), faults);
    filters->ShowRunPanel();
    Look("filter editor running a test", filters.get(), faults);
  }
  for (const bool scratch : {false, true}) {
    auto editor = std::make_unique<EditingProfileWindow>();
    editor->Load();
    if (scratch) editor->SetScratchLayout();
    const QString name = scratch ? "editing profile with its buttons" : "editing profile";
    for (int operation = 0; operation < editor->operationList->count(); ++operation) {
      editor->operationList->setCurrentRow(operation);
      Look(name + ", " + editor->operationList->item(operation)->text(), editor.get(), faults);
    }
    editor->OpenTestFileChooser();
    Look(name + ", test file chooser", editor.get(), faults);
    editor->CloseTestFileChooser();
    editor->testFile = "/x.avi";
    editor->testDuration = 60;
    editor->framePicture->setEnabled(true);
    editor->operationList->setCurrentRow(1);
    editor->OpenExplorer();
    Look(name + ", explorer", editor.get(), faults);
    editor->CancelExplorer();
  }
  return faults;
}

using EditingWindowLargeFontTest = EditingTest;

// With Qt's scaling off the font alone grows by half; with it on, the whole
// window does, on a screen of 911x512 scaled pixels.
TEST_F(EditingWindowLargeFontTest, OnA1366x768ScreenAtFontDpi144EveryControlShowsWhole) {
  if (InScreenRun()) {
    const QScreen* screen = QApplication::primaryScreen();
    ASSERT_NEAR(screen->size().width() * screen->devicePixelRatio(), 1366, 1);
    ASSERT_NEAR(screen->size().height() * screen->devicePixelRatio(), 768, 1);
    const QStringList faults = FaultsOfTheEditingWindows();
    EXPECT_TRUE(faults.isEmpty()) << faults.join('\n').toStdString();
    return;
  }
  for (const char* scaling : {"0", "1"}) {
    SCOPED_TRACE(std::string("QT_ENABLE_HIGHDPI_SCALING=") + scaling);
    ScreenRun run;
    run.highDpiScaling = scaling;
    run.windowFrameMargins = false;
    RunOnLaptopScreen(Folder(), run);
  }
}

}  // namespace
