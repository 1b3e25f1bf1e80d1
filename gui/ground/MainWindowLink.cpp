#include "gui/ground/MainWindowLink.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QWidget>

namespace MainWindowLink {

QWidget* Window() {
  for (QWidget* window : QApplication::topLevelWidgets()) {
    if (window->objectName() == QLatin1String("Form1")) return window;
  }
  return nullptr;
}

QString Caption(const char* control) {
  QWidget* main = Window();
  if (!main) return QString();
  const QString name = QString::fromLatin1(control);
  if (const auto* menu = main->findChild<QMenu*>(name)) return menu->title();
  if (const auto* action = main->findChild<QAction*>(name)) return action->text();
  return QString();
}

}  // namespace MainWindowLink
