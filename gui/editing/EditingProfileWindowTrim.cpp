#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "core/editing/EditFields.h"
#include "core/editing/EditingProfileEditor.h"
#include "core/frame/FfmpegTools.h"
#include "core/frame/FfmpegValues.h"
#include "core/frame/Player.h"
#include "gui/editing/EditingProfileWindow.h"
#include "gui/editing/EditingProfileWindowLayout.h"

using namespace EditingProfileWindowLayout;

void EditingProfileWindow::CreateTrimPanel() {
  QWidget* panel = PicRecortarSecuencia;
  Make(Label14, "Label14", panel, 120, 120, 3850, 285);
  MakeNumeric(Text31, "Text31", panel, 120, 420, 2000);
  Make(Command1, "Command1", panel, 2250, 400, 800, 330);
  Make(Option4, "Option4", panel, 120, 840, 3850, 285)->setChecked(true);
  MakeNumeric(Text33, "Text33", panel, 120, 1140, 2000);
  Make(Command11, "Command11", panel, 2250, 1120, 800, 330);
  Make(Option5, "Option5", panel, 120, 1560, 3850, 285);
  MakeNumeric(Text1, "Text1", panel, 120, 1860, 2000)->setMaxLength(11);
  Make(Combo8, "Combo8", panel, 2250, 1850, 1600, 330);
  Text1->setEnabled(false);
  Combo8->setEnabled(false);
}

void EditingProfileWindow::SetTrimCaptions() {
  Label14->setText("Convertir desde la posición (HH:MM:SS.mm):");
  Option4->setText("Convertir hasta la posición (HH:MM:SS.mm):");
  Option5->setText("Duración:");
  Command1->setText("Ir a");
  Command11->setText("Ir a");
  Combo8->addItems({"HH:MM:SS.mm", "cuadros", "bytes"});
}

void EditingProfileWindow::WireTrimPanel() {
  for (QLineEdit* box : {Text31, Text33}) {
    connect(box, &QLineEdit::textChanged, this, [this, box] { Time_Change(box); });
  }
  connect(Text1, &QLineEdit::textChanged, this, &EditingProfileWindow::Text1_Change);
  connect(Combo8, &QComboBox::currentIndexChanged, this, &EditingProfileWindow::Combo8_Click);
  for (QRadioButton* option : {Option4, Option5}) {
    connect(option, &QRadioButton::toggled, this, [this](bool on) {
      if (on) EndMode_Click();
    });
  }
  connect(Command1, &QPushButton::clicked, this, &EditingProfileWindow::Command1_Click);
  connect(Command11, &QPushButton::clicked, this, &EditingProfileWindow::Command11_Click);
}

void EditingProfileWindow::ShowTrim(const EditProfileRec& p) {
  SetIndex(Combo8, p.DurationUnit);
  SetText(Text1, p.Duration[std::min<int>(p.DurationUnit, 2)]);
  SetText(Text33, p.EndPos);
  SetText(Text31, p.StartPos);
  (p.EndMode == 2 ? Option5 : Option4)->setChecked(true);
  EndMode_Click();
}

void EditingProfileWindow::ClearTrim() {
  Text31->setText(QString());
  Text33->setText(QString());
  Option4->setChecked(true);
  EndMode_Click();
  Text1->setText(QString());
  Profile().Duration = {};
  Combo8->setCurrentIndex(0);
}

void EditingProfileWindow::Time_Change(QLineEdit* box) {
  if (EditingProfileEditor::State().Loading == 1) return;
  Apply(EditFields::TimeText(box->text(), FfmpegValues::TimeToSeconds(box->text())),
        FieldOfBox(box));
}

void EditingProfileWindow::Text1_Change() {
  if (EditingProfileEditor::State().Loading == 1) return;
  const int unit = std::clamp(Combo8->currentIndex(), 0, 2);
  Apply(EditFields::DurationText(Text1->text(), unit, FfmpegValues::TimeToSeconds(Text1->text())),
        FieldOfBox(Text1));
}

void EditingProfileWindow::Combo8_Click() {
  const int unit = Combo8->currentIndex();
  if (unit < 0) return;
  if (EditingProfileEditor::State().Loading != 1) Profile().DurationUnit = uint8_t(unit);
  const uint8_t loading = EditingProfileEditor::State().Loading;
  EditingProfileEditor::State().Loading = 1;
  SetText(Text1, Profile().Duration[std::min(unit, 2)]);
  EditingProfileEditor::State().Loading = loading;
}

void EditingProfileWindow::EndMode_Click() {
  if (EditingProfileEditor::State().Loading != 1) Profile().EndMode = Option5->isChecked() ? 2 : 1;
  Text33->setEnabled(Option4->isChecked());
  Command11->setEnabled(Option4->isChecked());
  Text1->setEnabled(Option5->isChecked());
  Combo8->setEnabled(Option5->isChecked());
}

void EditingProfileWindow::Command1_Click() {
  if (NeedTestFile()) return;
  const QString seconds = FfmpegValues::TimeToSeconds(Text31->text());
  if (!seconds.isEmpty())
    Player::PlayFile({TestFile}, FfmpegTools::State().OptNames.Seek + " " + seconds);
}

void EditingProfileWindow::Command11_Click() {
  if (NeedTestFile()) return;
  const QString seconds = FfmpegValues::TimeToSeconds(Text33->text());
  if (!seconds.isEmpty())
    Player::PlayFile({TestFile}, FfmpegTools::State().OptNames.Seek + " " + seconds);
}
