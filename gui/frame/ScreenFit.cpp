#include "gui/frame/ScreenFit.h"

#include <QApplication>
#include <QEvent>
#include <QLayout>
#include <QMainWindow>
#include <QScreen>
#include <QScrollArea>
#include <QStyle>
#include <QVBoxLayout>

namespace ScreenFit {

namespace {

// The scroll area that holds a window's content once it did not fit.
constexpr char kAreaName[] = "ScreenFitArea";
// Set on a window while it is being fitted, so that its own resize is not fitted again.
constexpr char kFitting[] = "ScreenFitting";

bool IsProgramWindow(const QObject* object) {
  auto* widget = qobject_cast<const QWidget*>(object);
  return widget && widget->isWindow() && widget->objectName().startsWith("Form");
}

// What the window manager adds around the window: what the platform tells,
// but at least a title bar and thin borders, which a window not yet framed,
// or framed by a platform that draws no title bar, would otherwise leave out.
QSize Decoration(const QWidget* window) {
  const QSize known = window->frameGeometry().size() - window->size();
  const int border = 4;
  const QSize titled(2 * border,
                     window->style()->pixelMetric(QStyle::PM_TitleBarHeight) + 2 * border);
  return known.expandedTo(titled);
}

QRect FreeArea(const QWidget* window) { return window->screen()->availableGeometry(); }

// The largest size the window itself may take.
QSize Room(const QWidget* window) { return FreeArea(window).size() - Decoration(window); }

QScrollArea* AreaOf(const QWidget* window) {
  return window->findChild<QScrollArea*>(kAreaName, Qt::FindDirectChildrenOnly);
}

// The room the content's controls take: what its layout asks for, or for
// controls it places itself, their extent with the same margin on the right
// and at the bottom as on the left and at the top.
QSize ContentExtent(const QWidget* content) {
  if (content->layout()) return content->minimumSizeHint();
  const QRect controls = content->childrenRect();
  if (controls.isEmpty()) return {};
  return {controls.right() + 1 + qMax(0, controls.left()),
          controls.bottom() + 1 + qMax(0, controls.top())};
}

// The least size of content that the window placed in the scroll area: what
// its layout asks for, or what it was drawn at when it places its controls itself.
QSize FirstExtent(const QWidget* content, const QSize& drawn) {
  return content->layout() ? ContentExtent(content) : ContentExtent(content).expandedTo(drawn);
}

QScrollArea* NewArea() {
  auto* area = new QScrollArea;
  area->setObjectName(kAreaName);
  area->setFrameShape(QFrame::NoFrame);
  area->setWidgetResizable(true);
  return area;
}

// A main window's central widget goes into the scroll area; its menus stay.
void WrapCentral(QMainWindow* window) {
  QWidget* content = window->takeCentralWidget();
  if (!content) return;
  content->setMinimumSize(FirstExtent(content, content->size()));
  QScrollArea* area = NewArea();
  area->setParent(window);
  area->setWidget(content);
  window->setCentralWidget(area);
}

// Any other window's controls, and its layout when it has one, move into a
// new content widget inside the scroll area.
void WrapWhole(QWidget* window) {
  auto* content = new QWidget;
  const QSize designed = window->size();
  QList<QWidget*> controls;
  for (QWidget* child : window->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
    if (!child->isWindow()) controls << child;
  }
  if (window->layout()) content->setLayout(window->layout());
  for (QWidget* control : controls) {
    if (control->parentWidget() == content) continue;
    const bool hidden = control->isHidden();
    control->setParent(content);
    control->setHidden(hidden);
  }
  content->resize(designed);
  content->setMinimumSize(FirstExtent(content, designed));
  QScrollArea* area = NewArea();
  area->setWidget(content);
  auto* outer = new QVBoxLayout(window);
  outer->setContentsMargins(0, 0, 0, 0);
  outer->addWidget(area);
}

// The area is shown and placed at once, not when the event loop next runs, so
// that a window that sizes its panels by its central widget as it is resized
// finds the area in its place.
void Wrap(QWidget* window) {
  if (auto* main = qobject_cast<QMainWindow*>(window)) {
    WrapCentral(main);
  } else {
    WrapWhole(window);
  }
  AreaOf(window)->show();
  window->layout()->activate();
}

// The window's limits and size, at most the room. A window as tall as the
// room widens by the vertical scroll bar, when there is room, so that its
// content need not scroll sideways as well.
void Shrink(QWidget* window, const QSize& room, const QScrollArea* area) {
  QSize wanted = window->size();
  const QWidget* content = area->widget();
  if (wanted.height() >= room.height() && content) {
    const int bar = window->style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    wanted.setWidth(qMax(wanted.width(), content->minimumWidth() + bar));
  }
  const QSize size = wanted.boundedTo(room);
  window->setMinimumSize(window->minimumSize().boundedTo(size));
  window->setMaximumSize(window->maximumSize().expandedTo(size).boundedTo(room));
  window->resize(size);
}

// The frame moved, when it must, to lie inside the free area.
void KeepInside(QWidget* window) {
  const QRect free = FreeArea(window);
  const QSize frame = window->size() + Decoration(window);
  const QPoint at = window->frameGeometry().topLeft();
  const QPoint inside(
      qBound(free.left(), at.x(), qMax(free.left(), free.right() + 1 - frame.width())),
      qBound(free.top(), at.y(), qMax(free.top(), free.bottom() + 1 - frame.height())));
  if (inside != at) window->move(inside);
}

// The window whose scroll area holds this control directly in its content:
// a panel the window shows or moves there changes what the content needs.
QWidget* WindowScrollingControl(const QWidget* control) {
  const QWidget* content = control->parentWidget();
  const QWidget* viewport = content ? content->parentWidget() : nullptr;
  const QWidget* area = viewport ? viewport->parentWidget() : nullptr;
  if (!area || area->objectName() != QLatin1String(kAreaName)) return nullptr;
  return area->window();
}

bool Places(QEvent::Type type) {
  return type == QEvent::Show || type == QEvent::Hide || type == QEvent::Move ||
         type == QEvent::Resize;
}

// The window that an event may have made larger or smaller than it was.
QWidget* WindowToFit(QObject* watched, QEvent::Type type) {
  if (!Places(type)) return nullptr;
  auto* widget = qobject_cast<QWidget*>(watched);
  if (!widget) return nullptr;
  if (IsProgramWindow(widget)) {
    return type == QEvent::Show || type == QEvent::Resize ? widget : nullptr;
  }
  return WindowScrollingControl(widget);
}

class Fitter : public QObject {
 public:
  using QObject::QObject;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    QWidget* window = WindowToFit(watched, event->type());
    if (window && window->isVisible() && !window->property(kFitting).toBool()) Fit(window);
    return false;
  }
};

}  // namespace

void Install() { qApp->installEventFilter(new Fitter(qApp)); }

void Fit(QWidget* window) {
  window->setProperty(kFitting, true);
  QScrollArea* area = AreaOf(window);
  if (area && area->widget()) area->widget()->setMinimumSize(ContentExtent(area->widget()));
  const QSize room = Room(window);
  if (!area && (window->width() > room.width() || window->height() > room.height())) {
    Wrap(window);
    area = AreaOf(window);
  }
  if (area) Shrink(window, room, area);
  KeepInside(window);
  window->setProperty(kFitting, false);
}

}  // namespace ScreenFit
