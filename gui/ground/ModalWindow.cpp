#include "gui/ground/ModalWindow.h"

#include <QApplication>
#include <QEvent>
#include <QEventLoop>
#include <QList>
#include <QPointer>
#include <QWidget>
#include <QWindow>

namespace ModalWindow {

namespace {

// The window being hidden by a nested call right now; its Hide is not a close.
QWidget* g_hidingForNestedCall = nullptr;

// Ends the loop when the window is hidden (closed) or destroyed.
class CloseWatcher : public QObject {
 public:
  explicit CloseWatcher(QEventLoop& loop) : loop_(loop) {}

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Hide && watched != g_hidingForNestedCall) loop_.quit();
    return QObject::eventFilter(watched, event);
  }

 private:
  QEventLoop& loop_;
};

}  // namespace

HiddenWindows::HiddenWindows(QWidget* keep) {
  for (QWidget* window : QApplication::topLevelWidgets()) {
    if (window != keep && window->isVisible()) {
      hidden_.append(window);
      g_hidingForNestedCall = window;
      window->hide();
      g_hidingForNestedCall = nullptr;
    }
  }
}

HiddenWindows::~HiddenWindows() {
  for (const QPointer<QWidget>& window : hidden_) {
    if (window) ShowAgain(window);
  }
}

void ShowAgain(QWidget* window) {
  // A place the program gives is one the window manager keeps. The window
  // handle is told even when the place is unchanged, which QWidget::move skips.
  if (QWindow* handle = window->windowHandle())
    handle->setFramePosition(window->frameGeometry().topLeft());
  window->setAttribute(Qt::WA_Moved);
  window->show();
}

void Run(QWidget* toolWindow) {
  HiddenWindows others(toolWindow);
  QEventLoop loop;
  CloseWatcher watcher(loop);
  QPointer<QWidget> tool(toolWindow);
  QObject::connect(toolWindow, &QObject::destroyed, &loop, &QEventLoop::quit);
  toolWindow->installEventFilter(&watcher);
  toolWindow->show();
  if (toolWindow->isVisible()) loop.exec();
  if (tool) tool->removeEventFilter(&watcher);
}

}  // namespace ModalWindow
