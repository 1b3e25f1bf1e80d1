#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "core/editing/EditFields.h"
#include "core/editing/EditingProfileEditor.h"
#include "core/frame/AnotherToolRunning.h"
#include "core/frame/FfmpegTools.h"
#include "core/frame/FfmpegValues.h"
#include "core/frame/Player.h"
#include "gui/editing/EditingProfileWindow.h"
#include "gui/editing/EditingProfileWindowLayout.h"

using namespace EditingProfileWindowLayout;

void EditingProfileWindow::CreateTrimPanel() {
  QWidget* panel = trimPanel;
  Make(startPositionLabel, "Label14", panel, 120, 120, 3850, 285);
  MakeNumeric(startPosition, "Text31", panel, 120, 420, 2000);
  Make(playFromStartButton, "Command1", panel, 2250, 400, 800, 330);
  Make(endPositionOption, "Option4", panel, 120, 840, 3850, 285)->setChecked(true);
  MakeNumeric(endPosition, "Text33", panel, 120, 1140, 2000);
  Make(playFromEndButton, "Command11", panel, 2250, 1120, 800, 330);
  Make(durationOption, "Option5", panel, 120, 1560, 3850, 285);
  MakeNumeric(durationBox, "Text1", panel, 120, 1860, 2000)->setMaxLength(11);
  Make(durationUnitCombo, "Combo8", panel, 2250, 1850, 1600, 330);
  durationBox->setEnabled(false);
  durationUnitCombo->setEnabled(false);
}

void EditingProfileWindow::SetTrimCaptions() {
  startPositionLabel->setText("Convertir desde la posición (HH:MM:SS.mm):");
  endPositionOption->setText("Convertir hasta la posición (HH:MM:SS.mm):");
  durationOption->setText("Duración:");
  playFromStartButton->setText("Ir a");
  playFromEndButton->setText("Ir a");
  durationUnitCombo->addItems({"HH:MM:SS.mm", "cuadros", "bytes"});
}

void EditingProfileWindow::WireTrimPanel() {
  for (QLineEdit* box : {startPosition, endPosition}) {
    connect(box, &QLineEdit::textChanged, this, [this, box] { OnTimeEdited(box); });
  }
  connect(durationBox, &QLineEdit::textChanged, this, &EditingProfileWindow::OnDurationEdited);
  connect(durationUnitCombo, &QComboBox::currentIndexChanged, this,
          &EditingProfileWindow::OnDurationUnitChosen);
  for (QRadioButton* option : {endPositionOption, durationOption}) {
    connect(option, &QRadioButton::toggled, this, [this](bool on) {
      if (on) OnEndModeChosen();
    });
  }
  connect(playFromStartButton, &QPushButton::clicked, this,
          &EditingProfileWindow::PlayFromStartPosition);
  connect(playFromEndButton, &QPushButton::clicked, this,
          &EditingProfileWindow::PlayFromEndPosition);
}

void EditingProfileWindow::ShowTrim(const EditProfileRec& p) {
  SetIndex(durationUnitCombo, int(p.DurationUnit));
  SetText(durationBox, p.Duration[std::min(int(p.DurationUnit), 2)]);
  SetText(endPosition, p.EndPos);
  SetText(startPosition, p.StartPos);
  (p.EndMode == TrimEnd::AfterDuration ? durationOption : endPositionOption)->setChecked(true);
  OnEndModeChosen();
}

void EditingProfileWindow::ClearTrim() {
  startPosition->setText(QString());
  endPosition->setText(QString());
  endPositionOption->setChecked(true);
  OnEndModeChosen();
  durationBox->setText(QString());
  Profile().Duration = {};
  durationUnitCombo->setCurrentIndex(int(LengthUnit::Time));
}

void EditingProfileWindow::OnTimeEdited(QLineEdit* box) {
  if (EditingProfileEditor::State().Loading) return;
  Apply(EditFields::TimeText(box->text(), FfmpegValues::TimeToSeconds(box->text())),
        FieldOfBox(box));
}

void EditingProfileWindow::OnDurationEdited() {
  if (EditingProfileEditor::State().Loading) return;
  const auto unit = LengthUnit(std::clamp(durationUnitCombo->currentIndex(), 0, 2));
  Apply(EditFields::DurationText(durationBox->text(), unit,
                                 FfmpegValues::TimeToSeconds(durationBox->text())),
        FieldOfBox(durationBox));
}

void EditingProfileWindow::OnDurationUnitChosen() {
  const int unit = durationUnitCombo->currentIndex();
  if (unit < 0) return;
  if (!EditingProfileEditor::State().Loading) Profile().DurationUnit = LengthUnit(unit);
  const bool loading = EditingProfileEditor::State().Loading;
  EditingProfileEditor::State().Loading = true;
  SetText(durationBox, Profile().Duration[std::min(unit, 2)]);
  EditingProfileEditor::State().Loading = loading;
}

void EditingProfileWindow::OnEndModeChosen() {
  if (!EditingProfileEditor::State().Loading)
    Profile().EndMode = durationOption->isChecked() ? TrimEnd::AfterDuration : TrimEnd::AtPosition;
  endPosition->setEnabled(endPositionOption->isChecked());
  playFromEndButton->setEnabled(endPositionOption->isChecked());
  durationBox->setEnabled(durationOption->isChecked());
  durationUnitCombo->setEnabled(durationOption->isChecked());
}

void EditingProfileWindow::PlayFromStartPosition() {
  if (NeedTestFile()) return;
  const QString seconds = FfmpegValues::TimeToSeconds(startPosition->text());
  if (!seconds.isEmpty() && !AnotherToolRunning::Refuse())
    Player::PlayFile({testFile}, FfmpegTools::State().OptNames.Seek + " " + seconds);
}

void EditingProfileWindow::PlayFromEndPosition() {
  if (NeedTestFile()) return;
  const QString seconds = FfmpegValues::TimeToSeconds(endPosition->text());
  if (!seconds.isEmpty() && !AnotherToolRunning::Refuse())
    Player::PlayFile({testFile}, FfmpegTools::State().OptNames.Seek + " " + seconds);
}
