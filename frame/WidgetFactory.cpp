#include "frame/WidgetFactory.h"

#include <QAction>
#include <QMenu>

namespace WidgetFactory {

QAction* MenuItem(QMenu* menu, const char* name, const QString& caption) {
  return Named(menu->addAction(caption), name);
}

QAction* CheckItem(QMenu* menu, const char* name, const QString& caption) {
  QAction* action = MenuItem(menu, name, caption);
  action->setCheckable(true);
  return action;
}

QAction* Separator(QMenu* menu, const char* name) { return Named(menu->addSeparator(), name); }

}  // namespace WidgetFactory
