#include <QAction>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>

#include "core/editing/EditFields.h"
#include "core/editing/EditingProfileEditor.h"
#include "core/editing/NumericKey.h"
#include "core/frame/FfmpegTools.h"
#include "gui/editing/EditingProfileWindow.h"
#include "gui/editing/EditingProfileWindowLayout.h"

using EditFields::SingleText;
using namespace EditingProfileWindowLayout;

namespace {

// Text that comes by no key: the X11 selection that the middle button pastes,
// and what an input method commits.
bool BringsTextWithoutKeys(const QEvent* event) {
  switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
      return static_cast<const QMouseEvent*>(event)->button() == Qt::MiddleButton;
    case QEvent::InputMethod:
      return true;
    default:
      return false;
  }
}

}  // namespace

// The number boxes and unit lists of the operations: which field of the
// profile each writes, what it accepts while typed and on leaving, and the
// conversion to sizes relative to the test file.

void EditingProfileWindow::WireFieldBoxes() {
  for (QLineEdit* box :
       {Text17, Text19, Text20, Text21, Text25, Text24, Text2, Text3, Text5, Text7, Text9}) {
    connect(box, &QLineEdit::textChanged, this, [this, box] { PositiveNumber_Change(box); });
  }
  for (QLineEdit* box : {Text17, Text19, Text20, Text21, Text25, Text24, Text2, Text3, Text5, Text7,
                         Text9, Text26, Text31, Text33, Text1, Text29, Text30}) {
    box->installEventFilter(this);
  }
  for (QComboBox* combo :
       {Combo2, Combo3, Combo4, Combo5, Combo6, Combo7, Combo9, Combo10, Combo11, Combo12}) {
    connect(combo, &QComboBox::currentIndexChanged, this, [this, combo] { Unit_Click(combo); });
  }
  connect(Opt_ConRelDim, &QAction::triggered, this, &EditingProfileWindow::Opt_ConRelDim_Click);
}

QString* EditingProfileWindow::FieldOfBox(QLineEdit* box) {
  EditProfileRec& p = Profile();
  const std::pair<QLineEdit*, QString*> fields[] = {
      {Text17, &p.CropWidth},    {Text19, &p.CropHeight},  {Text20, &p.CropLeft},
      {Text21, &p.CropTop},      {Text25, &p.ResizeWidth}, {Text24, &p.ResizeHeight},
      {Text2, &p.AspectRatio},   {Text3, &p.BorderRight},  {Text5, &p.BorderLeft},
      {Text7, &p.BorderTop},     {Text9, &p.BorderBottom}, {Text26, &p.Volume},
      {Text29, &p.OutputParams}, {Text30, &p.InputParams}, {Text31, &p.StartPos},
      {Text33, &p.EndPos}};
  for (const auto& [control, field] : fields) {
    if (control == box) return field;
  }
  if (box == Text1) return &p.Duration[std::clamp(Combo8->currentIndex(), 0, 2)];
  return nullptr;
}

uint8_t* EditingProfileWindow::FieldOfUnit(QComboBox* combo) {
  EditProfileRec& p = Profile();
  const std::pair<QComboBox*, uint8_t*> fields[] = {
      {Combo2, &p.CropWidthUnit},    {Combo3, &p.CropHeightUnit},  {Combo4, &p.CropLeftUnit},
      {Combo5, &p.CropTopUnit},      {Combo7, &p.ResizeWidthUnit}, {Combo6, &p.ResizeHeightUnit},
      {Combo9, &p.BorderRightUnit},  {Combo10, &p.BorderLeftUnit}, {Combo11, &p.BorderTopUnit},
      {Combo12, &p.BorderBottomUnit}};
  for (const auto& [control, field] : fields) {
    if (control == combo) return field;
  }
  return nullptr;
}

void EditingProfileWindow::PositiveNumber_Change(QLineEdit* box) {
  if (EditingProfileEditor::State().Loading == 1) return;
  Apply(EditFields::PositiveNumber(box->text()), FieldOfBox(box));
}

void EditingProfileWindow::Box_Validate(QLineEdit* box) {
  const uint8_t loading = EditingProfileEditor::State().Loading;
  EditingProfileEditor::State().Loading = 1;
  if (QString* field = FieldOfBox(box)) SetText(box, *field);
  EditingProfileEditor::State().Loading = loading;
}

void EditingProfileWindow::Unit_Click(QComboBox* combo) {
  if (EditingProfileEditor::State().Loading == 1 || combo->currentIndex() < 0) return;
  *FieldOfUnit(combo) = uint8_t(combo->currentIndex());
}

void EditingProfileWindow::FilterNumericKey(QLineEdit* box, QChar key, bool allowColon, bool allowDot,
                             bool allowMinus) {
  NumericKey::BoxState state{box->text(), box->cursorPosition(),
                             box->hasSelectedText() ? box->selectionStart() : 0,
                             int(box->selectedText().size())};
  const NumericKey::BoxState edited =
      NumericKey::Apply(state, key, {allowColon, allowDot, allowMinus});
  if (edited == state) return;
  if (box->maxLength() < edited.text.size()) return;
  box->setText(edited.text);
  box->setCursorPosition(edited.caret);
}

bool EditingProfileWindow::eventFilter(QObject* watched, QEvent* event) {
  auto* box = qobject_cast<QLineEdit*>(watched);
  if (!box) return QMainWindow::eventFilter(watched, event);
  if (event->type() == QEvent::FocusOut) {
    const int index = box->property("Index").isValid() ? box->property("Index").toInt() : -1;
    if (index >= 0 && box == Text27[index])
      Text27_Validate(index);
    else if (index >= 0 && box == Text14[index])
      Text14_Validate(index);
    else if (index >= 0 && box == Text32[index])
      Text32_Validate(index);
    else
      Box_Validate(box);
    return false;
  }
  if (box == Text29 || box == Text30) return false;
  if (BringsTextWithoutKeys(event)) return true;
  if (event->type() != QEvent::KeyPress) return false;
  auto* key = static_cast<QKeyEvent*>(event);
  // Moving the caret, selecting and copying stay free; nothing else edits
  // the box except through the key rule.
  static const QList<int> moves = {Qt::Key_Left, Qt::Key_Right,   Qt::Key_Home, Qt::Key_End,
                                   Qt::Key_Tab,  Qt::Key_Backtab, Qt::Key_Up,   Qt::Key_Down};
  if (moves.contains(key->key()) || key->matches(QKeySequence::Copy) ||
      key->matches(QKeySequence::SelectAll)) {
    return false;
  }
  QChar typed = key->key() == Qt::Key_Backspace ? QChar(NumericKey::Backspace)
                : key->text().size() == 1       ? key->text().at(0)
                                                : QChar();
  if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) typed = QChar();
  if (!typed.isNull()) {
    const bool time =
        box == Text31 || box == Text33 || (box == Text1 && Combo8->currentIndex() == 0);
    const bool plainDigits = box == Text26 || box == Text1;
    const bool minus = box->objectName() == "Text27";
    FilterNumericKey(box, typed, time, time || !plainDigits, minus);
  }
  return true;
}

void EditingProfileWindow::Opt_ConRelDim_Click() {
  if (NeedTestFile()) return;
  if (TestWidth == 0 && TestHeight == 0) return;
  struct Row {
    QLineEdit* box;
    QComboBox* unit;
    int divisor;
    int newUnit;
  };
  QList<Row> rows;
  switch (List1->currentRow()) {
    case 1:
      rows = {{Text17, Combo2, TestWidth, 1},
              {Text19, Combo3, TestHeight, 2},
              {Text20, Combo4, TestWidth, 1},
              {Text21, Combo5, TestHeight, 2}};
      break;
    case 2:
      rows = {{Text25, Combo7, TestWidth, 1}, {Text24, Combo6, TestHeight, 2}};
      break;
    case 5:
      rows = {{Text3, Combo9, TestHeight, 2},
              {Text5, Combo10, TestHeight, 2},
              {Text7, Combo11, TestWidth, 1},
              {Text9, Combo12, TestWidth, 1}};
      break;
    default:
      return;
  }
  for (const Row& row : rows) {
    double value = 0;
    if (row.unit->currentIndex() != 0 || row.box->text().isEmpty() || row.divisor < 1) continue;
    if (!EditFields::IsNumeric(row.box->text(), &value)) continue;
    row.box->setText(SingleText(float(value) / float(row.divisor)));
    row.unit->setCurrentIndex(row.newUnit);
  }
}
