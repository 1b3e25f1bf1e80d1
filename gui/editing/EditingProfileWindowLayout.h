#pragma once

#include <QComboBox>
#include <QLineEdit>
#include <QPalette>
#include <QStringList>
#include <QWidget>

#include "core/editing/EditFields.h"
#include "core/editing/EditingProfileEditor.h"
#include "gui/ground/TextFit.h"
#include "gui/ground/WidgetFactory.h"

// Shared by the files of the editing-profile window: building its controls at
// their design positions and filling them without needless change signals.
namespace EditingProfileWindowLayout {

// The profile the window edits.
inline EditProfileRec& Profile() { return EditingProfileEditor::State().CurrentProfile; }

// Design positions are in twips, scaled to this desktop's font.
using WidgetFactory::Make;
using WidgetFactory::Px;

// A caption that stands beside a box or over a list: a read-only text box
// that looks and behaves as a label, on the window's background and never
// taking the focus.
inline QLineEdit* MakeCaption(QLineEdit*& member, const char* name, QWidget* parent, int left,
                              int top, int width) {
  Make(member, name, parent, left, top, width, 285);
  member->setReadOnly(true);
  member->setFrame(false);
  member->setFocusPolicy(Qt::NoFocus);
  QPalette palette = member->palette();
  palette.setColor(QPalette::Base, palette.color(QPalette::Window));
  member->setPalette(palette);
  return member;
}

// A numeric box takes its characters only through the key filter.
inline QLineEdit* MakeNumeric(QLineEdit*& member, const char* name, QWidget* parent, int left,
                              int top, int width) {
  Make(member, name, parent, left, top, width, 285);
  member->setContextMenuPolicy(Qt::NoContextMenu);
  member->setAcceptDrops(false);
  // Keys come as keys, never as an input method's text.
  member->setAttribute(Qt::WA_InputMethodEnabled, false);
  return member;
}

inline QComboBox* MakeUnitCombo(QComboBox*& member, const char* name, QWidget* parent, int left,
                                int top, const QStringList& items) {
  Make(member, name, parent, left, top, 1850, 330);
  member->addItems(items);
  return member;
}

inline const QStringList kUnitsFinalHeight = {"pixels", "x (ancho original)", "x (alto original)",
                                              "x (alto final)"};
inline const QStringList kUnitsFinalWidth = {"pixels", "x (ancho original)", "x (alto original)",
                                             "x (ancho final)"};
inline const QStringList kUnitsPosition = {"pixels", "x (ancho original)", "x (alto original)",
                                           "x (ancho final)", "x (alto final)"};
inline const QStringList kUnitsBorder = {"pixels", "x (ancho original)", "x (alto original)"};

constexpr int kWindowWidth = 6960;
constexpr int kWindowHeight = 5205;

// The width a caption needs to show its whole text.
inline int CaptionWidth(const QWidget* caption) {
  if (auto* box = qobject_cast<const QLineEdit*>(caption)) return TextFit::BoxWidthFor(box);
  return caption->sizeHint().width();
}

// A caption longer than its place in the language in force takes the room it
// lacks from the control beside it, whose right edge stays.
inline void WidenIntoNeighbour(QWidget* caption, QWidget* neighbour) {
  const int missing = CaptionWidth(caption) - caption->width();
  if (missing <= 0) return;
  caption->resize(caption->width() + missing, caption->height());
  neighbour->setGeometry(neighbour->x() + missing, neighbour->y(), neighbour->width() - missing,
                         neighbour->height());
}

inline void SetText(QLineEdit* box, const QString& text) {
  if (box->text() != text) box->setText(text);
}

inline void SetIndex(QComboBox* combo, int index) {
  combo->setCurrentIndex(index >= 0 && index < combo->count() ? index : -1);
}

// Stores a box's accepted text in its field, or reports a number too big.
inline void Apply(const EditFields::FieldChange& change, QString* field) {
  if (change.outcome == EditFields::Outcome::Store) *field = change.text;
  if (change.outcome == EditFields::Outcome::Overflow) EditFields::ShowOverflowError();
}

}  // namespace EditingProfileWindowLayout
