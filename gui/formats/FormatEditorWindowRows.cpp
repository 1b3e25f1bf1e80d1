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
  rowArea = WidgetFactory::Named(new QWidget(central), "Picture1");
  rowArea->setGeometry(FromTwips(120, 600, 4935, 3375));
  rowScroll = WidgetFactory::Named(new QScrollBar(Qt::Vertical, rowArea), "VScroll1");
  rowScroll->setGeometry(FromTwips(4680, 0, 255, 3375));
  rowScroll->setRange(0, 0);
  noRowsLabel = WidgetFactory::Named(
      new QLabel(QString::fromUtf8("No hay parámetros qué configurar en esta categoría"), rowArea),
      "Label1");
  noRowsLabel->setGeometry(0, 0, rowScroll->x(), 2 * RowHeight());
  noRowsLabel->setWordWrap(true);
  rowCaptions.append(NewCaptionBox());
  rowValueCombos.append(NewValueCombo());
  rowCaptions[0]->hide();
  rowValueCombos[0]->hide();
}

QLineEdit* FormatEditorWindow::NewCaptionBox() {
  auto* box = WidgetFactory::Named(new QLineEdit(rowArea), "Text1");
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
  auto* combo = WidgetFactory::Named(new QComboBox(rowArea), "Combo2");
  combo->setEditable(true);
  combo->setInsertPolicy(QComboBox::NoInsert);
  combo->setGeometry(CaptionWidth(), 0, ComboWidth(), RowHeight());
  SetTag(combo, QString());
  return combo;
}

// The rows are made and destroyed by every rebuild, so each is wired as it is made.
void FormatEditorWindow::WireRow(int index) {
  QComboBox* combo = rowValueCombos[index];
  combo->setProperty("Index", index);
  connect(combo, &QComboBox::editTextChanged, this,
          [this, combo] { OnRowValueEdited(RowIndexOf(combo)); });
  connect(combo, &QComboBox::activated, this,
          [this, combo] { OnRowValuePicked(RowIndexOf(combo)); });
  // Text that no key brings (the context menu's paste, the middle button's)
  // is undone in a list-only row as a typed key is.
  connect(combo->lineEdit(), &QLineEdit::textEdited, this,
          [this, combo] { OnRowKeyReleased(RowIndexOf(combo)); });
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
  if (index >= 0 && index < rowValueCombos.size()) {
    if (event->type() == QEvent::FocusIn) OnRowValueFocused(index);
    // The combo hands its keys to its line edit directly, past any filter:
    // a key released in the row is seen on the combo.
    const bool inRow =
        watched == rowValueCombos[index] || watched == rowValueCombos[index]->lineEdit();
    if (event->type() == QEvent::KeyRelease && inRow) OnRowKeyReleased(index);
  }
  return QMainWindow::eventFilter(watched, event);
}

void FormatEditorWindow::ShowRows(FormatEditor::Category category,
                                  const QList<FormatEditor::ParamRow>& rows) {
  buildingRows = true;
  FillRows(category, rows);
  buildingRows = false;
}

void FormatEditorWindow::FillRows(FormatEditor::Category category,
                                  const QList<FormatEditor::ParamRow>& rows) {
  categoryCombo->setCurrentIndex(int(category));
  while (rowValueCombos.size() > 1) {
    delete rowCaptions.takeLast();
    delete rowValueCombos.takeLast();
  }
  rowCaptions[0]->clear();
  rowValueCombos[0]->clear();
  rowValueCombos[0]->setEditText(QString());
  SetTag(rowValueCombos[0], QString());
  rowValueCombos[0]->setEnabled(true);
  rowCaptions[0]->hide();
  rowValueCombos[0]->hide();
  noRowsLabel->show();
  if (rows.isEmpty()) return;
  noRowsLabel->hide();
  for (qsizetype i = 0; i < rows.size(); ++i) {
    if (i > 0) {
      rowCaptions.append(NewCaptionBox());
      rowValueCombos.append(NewValueCombo());
      WireRow(int(i));
    }
    rowCaptions[i]->setText(rows[i].caption);
    AccessibleNames::NameAfter(rowValueCombos[i], rowCaptions[i]);
    rowCaptions[i]->setCursorPosition(0);
    // Qt selects the first entry of a list it fills, so the value goes in last;
    // its entry becomes current, where the arrow keys go on from.
    rowValueCombos[i]->addItems(rows[i].list);
    rowValueCombos[i]->setCurrentIndex(rowValueCombos[i]->findText(rows[i].value));
    rowValueCombos[i]->setEditText(rows[i].value);
    SetTag(rowValueCombos[i], rows[i].listOnly ? "1" : "");
    rowValueCombos[i]->lineEdit()->setAcceptDrops(!rows[i].listOnly);
    rowValueCombos[i]->setEnabled(!rows[i].disabled);
  }
  FitCaptionColumn();
  const int fit = rowArea->height() / rowCaptions[0]->height();
  rowScroll->setMaximum(fit <= rows.size() - 1 ? int(rows.size()) - fit : 0);
  PlaceRows();
}

// The caption column takes the width of its longest caption in the language in
// force, never less than its drawn width; the value column gives up what it takes.
void FormatEditorWindow::FitCaptionColumn() {
  int captionWidth = CaptionWidth();
  for (const QLineEdit* caption : rowCaptions) {
    captionWidth = qMax(captionWidth, TextFit::BoxWidthFor(caption));
  }
  const int rowWidth = CaptionWidth() + ComboWidth();
  for (qsizetype i = 0; i < rowCaptions.size(); ++i) {
    rowCaptions[i]->resize(captionWidth, rowCaptions[i]->height());
    rowValueCombos[i]->setGeometry(captionWidth, rowValueCombos[i]->y(), rowWidth - captionWidth,
                                   rowValueCombos[i]->height());
  }
}

void FormatEditorWindow::PlaceRows() {
  for (qsizetype i = 0; i < rowValueCombos.size(); ++i) {
    rowCaptions[i]->hide();
    rowValueCombos[i]->hide();
  }
  const int count = FormatEditor::State().ParamRowCount;
  if (count <= 0 || count > rowValueCombos.size()) return;
  int extra = rowArea->height() / rowCaptions[0]->height() - 1;
  const int first = rowScroll->value();
  if (first + extra > count - 1) extra = count - first - 1;
  for (int i = first; i <= first + extra; ++i) {
    rowCaptions[i]->move(rowCaptions[0]->x(), (i - first) * rowCaptions[i]->height());
    rowValueCombos[i]->move(rowValueCombos[0]->x(), (i - first) * rowValueCombos[i]->height());
    rowCaptions[i]->show();
    rowValueCombos[i]->show();
  }
}

void FormatEditorWindow::OnRowsScrolled() { PlaceRows(); }

// The category ------------------------------------------------------------------------

void FormatEditorWindow::OnCategoryChosen() {
  if (buildingRows || categoryCombo->currentIndex() < 0) return;
  FormatEditor::State().CurrentCategory = FormatEditor::Category(categoryCombo->currentIndex());
  rebuildTimer->start();
}

void FormatEditorWindow::OnRebuildTimer() {
  FormatEditor::BuildCategoryParams(FormatEditor::State().CurrentCategory);
  rebuildTimer->stop();
}

// A row's value ----------------------------------------------------------------------

void FormatEditorWindow::OnRowValueEdited(int index) {
  if (buildingRows || index < 0) return;
  if (Tag(rowValueCombos[index]) != "1") StoreRowValue(index);
}

void FormatEditorWindow::OnRowValuePicked(int index) {
  if (buildingRows || index < 0) return;
  StoreRowValue(index);
  // A later key release in a list-only row goes back to the picked value.
  textOnFocus = rowValueCombos[index]->currentText();
}

void FormatEditorWindow::StoreRowValue(int index) {
  if (index >= rowValueCombos.size()) return;
  FormatEditor::StoreRowValue(FormatEditor::State().CurrentFormat,
                              FormatEditor::State().CurrentCategory, index,
                              rowValueCombos[index]->currentText());
}

void FormatEditorWindow::OnRowValueFocused(int index) {
  textOnFocus = rowValueCombos[index]->currentText();
}

void FormatEditorWindow::OnRowKeyReleased(int index) {
  if (Tag(rowValueCombos[index]) == "1") rowValueCombos[index]->setEditText(textOnFocus);
}
