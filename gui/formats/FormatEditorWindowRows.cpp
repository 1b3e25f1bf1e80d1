// The format editor's rows of parameters: the category chooser, the row area
// with its scroll bar, one caption box and one value combo a row, and storing
// what the user picks or types into the profile.
#include <QComboBox>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QScrollBar>
#include <QTimer>

#include "gui/formats/FormatEditorWindow.h"
#include "gui/ground/AccessibleNames.h"
#include "gui/ground/TextFit.h"
#include "gui/ground/WidgetFactory.h"

namespace {

// Design geometry is in twips, 15 to a pixel, or in pixels; both are scaled to
// this desktop's font.
int S(int designPixels) { return TextFit::Scaled(designPixels); }
using TextFit::FromTwips;

int RowHeight() { return S(22); }
int CaptionWidth() { return S(150); }
int ComboWidth() { return S(160); }

}  // namespace

// The row area -------------------------------------------------------------------------

void FormatEditorWindow::CreateRowArea(QWidget* central) {
  Picture1 = WidgetFactory::Named(new QWidget(central), "Picture1");
  Picture1->setGeometry(FromTwips(120, 600, 4935, 3375));
  VScroll1 = WidgetFactory::Named(new QScrollBar(Qt::Vertical, Picture1), "VScroll1");
  VScroll1->setGeometry(FromTwips(4680, 0, 255, 3375));
  VScroll1->setRange(0, 0);
  Label1 = WidgetFactory::Named(
      new QLabel(QString::fromUtf8("No hay parámetros qué configurar en esta categoría"), Picture1),
      "Label1");
  Label1->setGeometry(0, 0, VScroll1->x(), 2 * RowHeight());
  Label1->setWordWrap(true);
  Text1.append(NewCaptionBox());
  Combo2.append(NewValueCombo());
  Text1[0]->hide();
  Combo2[0]->hide();
}

QLineEdit* FormatEditorWindow::NewCaptionBox() {
  auto* box = WidgetFactory::Named(new QLineEdit(Picture1), "Text1");
  box->setReadOnly(true);
  box->setFocusPolicy(Qt::NoFocus);
  box->setGeometry(0, 0, CaptionWidth(), RowHeight());
  QPalette colours = box->palette();
  colours.setColor(QPalette::Base, colours.color(QPalette::Button));
  colours.setColor(QPalette::Text, colours.color(QPalette::ButtonText));
  box->setPalette(colours);
  return box;
}

QComboBox* FormatEditorWindow::NewValueCombo() {
  auto* combo = WidgetFactory::Named(new QComboBox(Picture1), "Combo2");
  combo->setEditable(true);
  combo->setInsertPolicy(QComboBox::NoInsert);
  combo->setGeometry(CaptionWidth(), 0, ComboWidth(), RowHeight());
  SetTag(combo, QString());
  return combo;
}

// The rows are made and destroyed by every rebuild, so each is wired as it is made.
void FormatEditorWindow::WireRow(int index) {
  QComboBox* combo = Combo2[index];
  combo->setProperty("Index", index);
  connect(combo, &QComboBox::editTextChanged, this,
          [this, combo] { Combo2_Change(RowIndexOf(combo)); });
  connect(combo, &QComboBox::activated, this, [this, combo] { Combo2_Click(RowIndexOf(combo)); });
  // Text that no key brings (the context menu's paste, the middle button's)
  // is undone in a list-only row as a typed key is.
  connect(combo->lineEdit(), &QLineEdit::textEdited, this,
          [this, combo] { Combo2_KeyUp(RowIndexOf(combo)); });
  combo->installEventFilter(this);
  combo->lineEdit()->installEventFilter(this);
  combo->lineEdit()->setProperty("Index", index);
}

int FormatEditorWindow::RowIndexOf(QObject* object) const {
  const QVariant index = object->property("Index");
  return index.isValid() ? index.toInt() : -1;
}

bool FormatEditorWindow::eventFilter(QObject* watched, QEvent* event) {
  const int index = RowIndexOf(watched);
  if (index >= 0 && index < Combo2.size()) {
    if (event->type() == QEvent::FocusIn) Combo2_GotFocus(index);
    // The combo hands its keys to its line edit directly, past any filter:
    // a key released in the row is seen on the combo.
    const bool inRow = watched == Combo2[index] || watched == Combo2[index]->lineEdit();
    if (event->type() == QEvent::KeyRelease && inRow) Combo2_KeyUp(index);
  }
  return QMainWindow::eventFilter(watched, event);
}

void FormatEditorWindow::ShowRows(uint8_t category, const QList<FormatEditor::ParamRow>& rows) {
  BuildingParams = 1;
  FillRows(category, rows);
  BuildingParams = 0;
}

void FormatEditorWindow::FillRows(uint8_t category, const QList<FormatEditor::ParamRow>& rows) {
  Combo6->setCurrentIndex(category);
  while (Combo2.size() > 1) {
    delete Text1.takeLast();
    delete Combo2.takeLast();
  }
  Text1[0]->clear();
  Combo2[0]->clear();
  Combo2[0]->setEditText(QString());
  SetTag(Combo2[0], QString());
  Combo2[0]->setEnabled(true);
  Text1[0]->hide();
  Combo2[0]->hide();
  Label1->show();
  if (rows.isEmpty()) return;
  Label1->hide();
  for (qsizetype i = 0; i < rows.size(); ++i) {
    if (i > 0) {
      Text1.append(NewCaptionBox());
      Combo2.append(NewValueCombo());
      WireRow(int(i));
    }
    Text1[i]->setText(rows[i].caption);
    AccessibleNames::NameAfter(Combo2[i], Text1[i]);
    Text1[i]->setCursorPosition(0);
    // Qt selects the first entry of a list it fills, so the value goes in last;
    // its entry becomes current, where the arrow keys go on from.
    Combo2[i]->addItems(rows[i].list);
    Combo2[i]->setCurrentIndex(Combo2[i]->findText(rows[i].value));
    Combo2[i]->setEditText(rows[i].value);
    SetTag(Combo2[i], rows[i].listOnly ? "1" : "");
    Combo2[i]->lineEdit()->setAcceptDrops(!rows[i].listOnly);
    Combo2[i]->setEnabled(!rows[i].disabled);
  }
  FitCaptionColumn();
  const int fit = Picture1->height() / Text1[0]->height();
  VScroll1->setMaximum(fit <= rows.size() - 1 ? int(rows.size()) - fit : 0);
  PlaceRows();
}

// The caption column takes the width of its longest caption in the language in
// force, never less than its drawn width; the value column gives up what it takes.
void FormatEditorWindow::FitCaptionColumn() {
  int captionWidth = CaptionWidth();
  for (const QLineEdit* caption : Text1) {
    captionWidth = qMax(captionWidth, TextFit::BoxWidthFor(caption));
  }
  const int rowWidth = CaptionWidth() + ComboWidth();
  for (qsizetype i = 0; i < Text1.size(); ++i) {
    Text1[i]->resize(captionWidth, Text1[i]->height());
    Combo2[i]->setGeometry(captionWidth, Combo2[i]->y(), rowWidth - captionWidth,
                           Combo2[i]->height());
  }
}

void FormatEditorWindow::PlaceRows() {
  for (qsizetype i = 0; i < Combo2.size(); ++i) {
    Text1[i]->hide();
    Combo2[i]->hide();
  }
  const int count = FormatEditor::State().ParamRowCount;
  if (count <= 0 || count > Combo2.size()) return;
  int extra = Picture1->height() / Text1[0]->height() - 1;
  const int first = VScroll1->value();
  if (first + extra > count - 1) extra = count - first - 1;
  for (int i = first; i <= first + extra; ++i) {
    Text1[i]->move(Text1[0]->x(), (i - first) * Text1[i]->height());
    Combo2[i]->move(Combo2[0]->x(), (i - first) * Combo2[i]->height());
    Text1[i]->show();
    Combo2[i]->show();
  }
}

void FormatEditorWindow::VScroll1_Change() { PlaceRows(); }

// The category ------------------------------------------------------------------------

void FormatEditorWindow::Combo6_Click() {
  if (BuildingParams == 1 || Combo6->currentIndex() < 0) return;
  FormatEditor::State().CurrentCategory = uint8_t(Combo6->currentIndex());
  Timer1->start();
}

void FormatEditorWindow::Timer1_Timer() {
  FormatEditor::BuildCategoryParams(FormatEditor::State().CurrentCategory);
  Timer1->stop();
}

// A row's value ----------------------------------------------------------------------

void FormatEditorWindow::Combo2_Change(int index) {
  if (BuildingParams == 1 || index < 0) return;
  if (Tag(Combo2[index]) != "1") StoreRowValue(index);
}

void FormatEditorWindow::Combo2_Click(int index) {
  if (BuildingParams == 1 || index < 0) return;
  StoreRowValue(index);
  // A later key release in a list-only row goes back to the picked value.
  TextOnFocus = Combo2[index]->currentText();
}

void FormatEditorWindow::StoreRowValue(int index) {
  if (index >= Combo2.size()) return;
  FormatEditor::StoreRowValue(FormatEditor::State().CurrentFormat,
                              FormatEditor::State().CurrentCategory, index,
                              Combo2[index]->currentText());
}

void FormatEditorWindow::Combo2_GotFocus(int index) { TextOnFocus = Combo2[index]->currentText(); }

void FormatEditorWindow::Combo2_KeyUp(int index) {
  if (Tag(Combo2[index]) == "1") Combo2[index]->setEditText(TextOnFocus);
}
