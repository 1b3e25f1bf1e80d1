#include "gui/ground/WidgetFactory.h"

#include <QAction>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>

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

void SetEnterButton(QWidget* window, QPushButton* button) {
  for (QPushButton* other : window->findChildren<QPushButton*>()) other->setAutoDefault(false);
  if (button) button->setDefault(true);
}

void LetListScrollSideways(QListWidget* list) {
  list->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  list->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
  list->setTextElideMode(Qt::ElideNone);
  list->setWordWrap(false);
}

}  // namespace WidgetFactory
