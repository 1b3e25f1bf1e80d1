#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

#include "core/editing/EditFields.h"
#include "core/editing/EditingProfileEditor.h"
#include "gui/editing/EditingProfileWindow.h"
#include "gui/editing/EditingProfileWindowLayout.h"

using EditFields::SingleText;
using namespace EditingProfileWindowLayout;

void EditingProfileWindow::CreateResizePanel() {
  QWidget* panel = PicCambiarTamanoCuadro;
  Make(Label10, "Label10", panel, 120, 120, 3850, 285);
  MakeCaption(Text22, "Text22", panel, 120, 450, 900);
  MakeNumeric(Text25, "Text25", panel, 1050, 450, 1000);
  MakeUnitCombo(Combo7, "Combo7", panel, 2150, 440, kUnitsFinalHeight);
  MakeCaption(Text23, "Text23", panel, 120, 850, 900);
  MakeNumeric(Text24, "Text24", panel, 1050, 850, 1000);
  MakeUnitCombo(Combo6, "Combo6", panel, 2150, 840, kUnitsFinalWidth);
  Make(Label11, "Label11", panel, 120, 1350, 3850, 285);
  Make(Option3, "Option3", panel, 120, 1650, 3850, 285)->setChecked(true);
  Make(Option1, "Option1", panel, 120, 1950, 3850, 285);
  Make(Option2, "Option2", panel, 120, 2250, 2800, 285);
  MakeNumeric(Text2, "Text2", panel, 2950, 2250, 1000)->setEnabled(false);
}

void EditingProfileWindow::SetResizeCaptions() {
  Label10->setText("Tamaño:");
  Text22->setText("Ancho:");
  Text23->setText("Alto:");
  Label11->setText("Relación de aspecto:");
  Option3->setText("Mantener original");
  Option1->setText("Ajustar a dimensiones finales");
  Option2->setText("Cambiar relación (Ancho/Alto):");
}

void EditingProfileWindow::WireResizePanel() {
  for (QRadioButton* option : {Option1, Option2, Option3}) {
    connect(option, &QRadioButton::toggled, this, [this](bool on) {
      if (on) Aspect_Click();
    });
  }
  for (size_t i = 0; i < Tam.size(); ++i) {
    connect(Tam[i], &QAction::triggered, this, [this, i] { SizePreset_Click(int(i)); });
  }
  connect(Opt_CopySizeTestFile, &QAction::triggered, this, &EditingProfileWindow::Opt_CopySizeTestFile_Click);
  connect(Opt_CopyRAFileTest, &QAction::triggered, this, &EditingProfileWindow::Opt_CopyRAFileTest_Click);
}

void EditingProfileWindow::ShowResize(const EditProfileRec& p) {
  SetText(Text24, p.ResizeHeight);
  SetIndex(Combo6, p.ResizeHeightUnit);
  SetText(Text25, p.ResizeWidth);
  SetIndex(Combo7, p.ResizeWidthUnit);
  (p.AspectMode == 2 ? Option1 : p.AspectMode == 3 ? Option2 : Option3)->setChecked(true);
  Aspect_Click();
  SetText(Text2, p.AspectRatio);
}

void EditingProfileWindow::ClearResize() {
  for (QLineEdit* box : {Text25, Text24, Text2}) box->setText(QString());
  Option3->setChecked(true);
  Aspect_Click();
  Combo7->setCurrentIndex(0);
  Combo6->setCurrentIndex(0);
}

void EditingProfileWindow::Aspect_Click() {
  Text2->setEnabled(Option2->isChecked());
  if (EditingProfileEditor::State().Loading == 1) return;
  Profile().AspectMode = Option1->isChecked() ? 2 : Option2->isChecked() ? 3 : 1;
}

void EditingProfileWindow::SizePreset_Click(int preset) {
  Text25->setText(QString::number(EditFields::SizePresets[preset].width));
  Text24->setText(QString::number(EditFields::SizePresets[preset].height));
  Combo7->setCurrentIndex(0);
  Combo6->setCurrentIndex(0);
}

void EditingProfileWindow::Opt_CopySizeTestFile_Click() {
  if (NeedTestFile()) return;
  if (TestWidth > 0) {
    Text25->setText(QString::number(TestWidth));
    Combo7->setCurrentIndex(0);
  }
  if (TestHeight > 0) {
    Text24->setText(QString::number(TestHeight));
    Combo6->setCurrentIndex(0);
  }
}

void EditingProfileWindow::Opt_CopyRAFileTest_Click() {
  if (NeedTestFile()) return;
  if (TestAspect <= 0) return;
  Option2->setChecked(true);
  Text2->setText(SingleText(TestAspect));
}
