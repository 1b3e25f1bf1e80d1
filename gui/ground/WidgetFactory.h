#pragma once

#include <QString>
#include <QWidget>
#include <utility>

#include "gui/ground/TextFit.h"

class QAction;
class QListWidget;
class QMenu;

// Making the windows' controls. Every control carries its design name, by
// which the translators and the tests find it.
class QPushButton;

namespace WidgetFactory {

// Gives the control (a widget, a menu or a menu item) its design name.
template <class C>
C* Named(C* control, const char* name) {
  control->setObjectName(QString::fromLatin1(name));
  return control;
}

// A design length in twips as pixels of this desktop.
inline int Px(int twips) { return TextFit::Pixels(twips); }

// A control made under parent at a design place in twips, kept in member.
template <class W>
W* Make(W*& member, const char* name, QWidget* parent, int left, int top, int width, int height) {
  member = Named(new W(parent), name);
  member->setGeometry(TextFit::FromTwips(left, top, width, height));
  return member;
}

// A control made under parent with its design name, from the control's own
// constructor arguments (a caption, say) before the parent.
template <class W, class... Args>
W* Create(QWidget* parent, const char* name, Args&&... args) {
  return Named(new W(std::forward<Args>(args)..., parent), name);
}

// A menu item with its design name; CheckItem makes it checkable.
QAction* MenuItem(QMenu* menu, const char* name, const QString& caption);
QAction* CheckItem(QMenu* menu, const char* name, const QString& caption);
// A menu separator with its design name.
QAction* Separator(QMenu* menu, const char* name);

// Lets the list scroll sideways, a pixel at a time, when its lines are wider
// than the box, instead of cutting them short with an ellipsis. Qt measures
// the lines itself.
void LetListScrollSideways(QListWidget* list);

// Enter presses button (none when it is null) wherever the focus is in the
// window; no other push button of the window takes Enter on its own.
void SetEnterButton(QWidget* window, QPushButton* button);

}  // namespace WidgetFactory
