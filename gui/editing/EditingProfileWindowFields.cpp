#include <QAction>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <algorithm>

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
  for (QLineEdit* box : {cropWidth, cropHeight, cropLeft, cropTop, resizeWidth, resizeHeight,
                         aspectRatio, rightBorder, leftBorder, topBorder, bottomBorder}) {
    connect(box, &QLineEdit::textChanged, this, [this, box] { OnPositiveNumberEdited(box); });
  }
  for (QLineEdit* box :
       {cropWidth, cropHeight, cropLeft, cropTop, resizeWidth, resizeHeight, aspectRatio,
        rightBorder, leftBorder, topBorder, bottomBorder, volumePercent, startPosition, endPosition,
        durationBox, outputParams, inputParams}) {
    box->installEventFilter(this);
  }
  for (QComboBox* combo :
       {cropWidthUnitCombo, cropHeightUnitCombo, cropLeftUnitCombo, cropTopUnitCombo,
        resizeHeightUnitCombo, resizeWidthUnitCombo, rightBorderUnitCombo, leftBorderUnitCombo,
        topBorderUnitCombo, bottomBorderUnitCombo}) {
    connect(combo, &QComboBox::currentIndexChanged, this, [this, combo] { OnUnitChosen(combo); });
  }
  connect(relativeSizesAction, &QAction::triggered, this,
          &EditingProfileWindow::ConvertToRelativeSizes);
}

QString* EditingProfileWindow::FieldOfBox(QLineEdit* box) {
  EditProfileRec& p = Profile();
  const std::pair<QLineEdit*, QString*> fields[] = {
      {cropWidth, &p.CropWidth},       {cropHeight, &p.CropHeight},
      {cropLeft, &p.CropLeft},         {cropTop, &p.CropTop},
      {resizeWidth, &p.ResizeWidth},   {resizeHeight, &p.ResizeHeight},
      {aspectRatio, &p.AspectRatio},   {rightBorder, &p.BorderRight},
      {leftBorder, &p.BorderLeft},     {topBorder, &p.BorderTop},
      {bottomBorder, &p.BorderBottom}, {volumePercent, &p.Volume},
      {outputParams, &p.OutputParams}, {inputParams, &p.InputParams},
      {startPosition, &p.StartPos},    {endPosition, &p.EndPos}};
  for (const auto& [control, field] : fields) {
    if (control == box) return field;
  }
  if (box == durationBox) return &p.Duration[std::clamp(durationUnitCombo->currentIndex(), 0, 2)];
  return nullptr;
}

SizeUnit* EditingProfileWindow::FieldOfUnit(QComboBox* combo) {
  EditProfileRec& p = Profile();
  const std::pair<QComboBox*, SizeUnit*> fields[] = {
      {cropWidthUnitCombo, &p.CropWidthUnit},     {cropHeightUnitCombo, &p.CropHeightUnit},
      {cropLeftUnitCombo, &p.CropLeftUnit},       {cropTopUnitCombo, &p.CropTopUnit},
      {resizeWidthUnitCombo, &p.ResizeWidthUnit}, {resizeHeightUnitCombo, &p.ResizeHeightUnit},
      {rightBorderUnitCombo, &p.BorderRightUnit}, {leftBorderUnitCombo, &p.BorderLeftUnit},
      {topBorderUnitCombo, &p.BorderTopUnit},     {bottomBorderUnitCombo, &p.BorderBottomUnit}};
  for (const auto& [control, field] : fields) {
    if (control == combo) return field;
  }
  return nullptr;
}

void EditingProfileWindow::OnPositiveNumberEdited(QLineEdit* box) {
  if (EditingProfileEditor::State().Loading) return;
  Apply(EditFields::PositiveNumber(box->text()), FieldOfBox(box));
}

void EditingProfileWindow::OnBoxLeft(QLineEdit* box) {
  const bool loading = EditingProfileEditor::State().Loading;
  EditingProfileEditor::State().Loading = true;
  if (QString* field = FieldOfBox(box)) SetText(box, *field);
  EditingProfileEditor::State().Loading = loading;
}

void EditingProfileWindow::OnUnitChosen(QComboBox* combo) {
  if (EditingProfileEditor::State().Loading || combo->currentIndex() < 0) return;
  *FieldOfUnit(combo) = SizeUnit(combo->currentIndex());
}

void EditingProfileWindow::FilterNumericKey(QLineEdit* box, QChar key, bool allowColon,
                                            bool allowDot, bool allowMinus) {
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
    if (index >= 0 && box == gainBoxes[index])
      OnGainBoxLeft(index);
    else if (index >= 0 && box == frequencyBoxes[index])
      OnFrequencyBoxLeft(index);
    else if (index >= 0 && box == bandwidthBoxes[index])
      OnBandwidthBoxLeft(index);
    else
      OnBoxLeft(box);
    return false;
  }
  if (box == outputParams || box == inputParams) return false;
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
        box == startPosition || box == endPosition ||
        (box == durationBox && durationUnitCombo->currentIndex() == int(LengthUnit::Time));
    const bool plainDigits = box == volumePercent || box == durationBox;
    // A gain may be negative.
    const bool minus = std::find(gainBoxes.begin(), gainBoxes.end(), box) != gainBoxes.end();
    FilterNumericKey(box, typed, time, time || !plainDigits, minus);
  }
  return true;
}

void EditingProfileWindow::ConvertToRelativeSizes() {
  if (NeedTestFile()) return;
  if (testWidth == 0 && testHeight == 0) return;
  struct Row {
    QLineEdit* box;
    QComboBox* unit;
    int divisor;
    SizeUnit newUnit;
  };
  QList<Row> rows;
  switch (ChosenOperation()) {
    case Operation::Crop:
      rows = {{cropWidth, cropWidthUnitCombo, testWidth, SizeUnit::InputWidth},
              {cropHeight, cropHeightUnitCombo, testHeight, SizeUnit::InputHeight},
              {cropLeft, cropLeftUnitCombo, testWidth, SizeUnit::InputWidth},
              {cropTop, cropTopUnitCombo, testHeight, SizeUnit::InputHeight}};
      break;
    case Operation::Resize:
      rows = {{resizeWidth, resizeWidthUnitCombo, testWidth, SizeUnit::InputWidth},
              {resizeHeight, resizeHeightUnitCombo, testHeight, SizeUnit::InputHeight}};
      break;
    case Operation::Border:
      rows = {{rightBorder, rightBorderUnitCombo, testHeight, SizeUnit::InputHeight},
              {leftBorder, leftBorderUnitCombo, testHeight, SizeUnit::InputHeight},
              {topBorder, topBorderUnitCombo, testWidth, SizeUnit::InputWidth},
              {bottomBorder, bottomBorderUnitCombo, testWidth, SizeUnit::InputWidth}};
      break;
    default:
      return;
  }
  for (const Row& row : rows) {
    double value = 0;
    if (row.unit->currentIndex() != int(SizeUnit::Pixels) || row.box->text().isEmpty() ||
        row.divisor < 1)
      continue;
    if (!EditFields::IsNumeric(row.box->text(), &value)) continue;
    row.box->setText(SingleText(float(value) / float(row.divisor)));
    row.unit->setCurrentIndex(int(row.newUnit));
  }
}
