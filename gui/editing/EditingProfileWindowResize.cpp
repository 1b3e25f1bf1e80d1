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
  QWidget* panel = resizePanel;
  Make(resizeSizeLabel, "Label10", panel, 120, 120, 3850, 285);
  MakeCaption(resizeWidthCaption, "Text22", panel, 120, 450, 900);
  MakeNumeric(resizeWidth, "Text25", panel, 1050, 450, 1000);
  MakeUnitCombo(resizeWidthUnitCombo, "Combo7", panel, 2150, 440, kUnitsFinalHeight);
  MakeCaption(resizeHeightCaption, "Text23", panel, 120, 850, 900);
  MakeNumeric(resizeHeight, "Text24", panel, 1050, 850, 1000);
  MakeUnitCombo(resizeHeightUnitCombo, "Combo6", panel, 2150, 840, kUnitsFinalWidth);
  Make(aspectLabel, "Label11", panel, 120, 1350, 3850, 285);
  Make(keepAspectOption, "Option3", panel, 120, 1650, 3850, 285)->setChecked(true);
  Make(fitAspectOption, "Option1", panel, 120, 1950, 3850, 285);
  Make(setAspectOption, "Option2", panel, 120, 2250, 2800, 285);
  MakeNumeric(aspectRatio, "Text2", panel, 2950, 2250, 1000)->setEnabled(false);
}

void EditingProfileWindow::SetResizeCaptions() {
  resizeSizeLabel->setText("Tamaño:");
  resizeWidthCaption->setText("Ancho:");
  resizeHeightCaption->setText("Alto:");
  aspectLabel->setText("Relación de aspecto:");
  keepAspectOption->setText("Mantener original");
  fitAspectOption->setText("Ajustar a dimensiones finales");
  setAspectOption->setText("Cambiar relación (Ancho/Alto):");
}

void EditingProfileWindow::WireResizePanel() {
  for (QRadioButton* option : {fitAspectOption, setAspectOption, keepAspectOption}) {
    connect(option, &QRadioButton::toggled, this, [this](bool on) {
      if (on) OnAspectModeChosen();
    });
  }
  for (size_t i = 0; i < sizePresetActions.size(); ++i) {
    connect(sizePresetActions[i], &QAction::triggered, this,
            [this, i] { ApplySizePreset(int(i)); });
  }
  connect(copyTestSizeAction, &QAction::triggered, this, &EditingProfileWindow::CopyTestFileSize);
  connect(copyTestAspectAction, &QAction::triggered, this,
          &EditingProfileWindow::CopyTestFileAspect);
}

void EditingProfileWindow::ShowResize(const EditProfileRec& p) {
  SetText(resizeHeight, p.ResizeHeight);
  SetIndex(resizeHeightUnitCombo, int(p.ResizeHeightUnit));
  SetText(resizeWidth, p.ResizeWidth);
  SetIndex(resizeWidthUnitCombo, int(p.ResizeWidthUnit));
  (p.AspectMode == AspectSetting::FitFinalSize ? fitAspectOption
   : p.AspectMode == AspectSetting::FromRatio  ? setAspectOption
                                               : keepAspectOption)
      ->setChecked(true);
  OnAspectModeChosen();
  SetText(aspectRatio, p.AspectRatio);
}

void EditingProfileWindow::ClearResize() {
  for (QLineEdit* box : {resizeWidth, resizeHeight, aspectRatio}) box->setText(QString());
  keepAspectOption->setChecked(true);
  OnAspectModeChosen();
  resizeWidthUnitCombo->setCurrentIndex(int(SizeUnit::Pixels));
  resizeHeightUnitCombo->setCurrentIndex(int(SizeUnit::Pixels));
}

void EditingProfileWindow::OnAspectModeChosen() {
  aspectRatio->setEnabled(setAspectOption->isChecked());
  if (EditingProfileEditor::State().Loading) return;
  Profile().AspectMode = fitAspectOption->isChecked()   ? AspectSetting::FitFinalSize
                         : setAspectOption->isChecked() ? AspectSetting::FromRatio
                                                        : AspectSetting::Keep;
}

void EditingProfileWindow::ApplySizePreset(int preset) {
  resizeWidth->setText(QString::number(EditFields::SizePresets[preset].width));
  resizeHeight->setText(QString::number(EditFields::SizePresets[preset].height));
  resizeWidthUnitCombo->setCurrentIndex(int(SizeUnit::Pixels));
  resizeHeightUnitCombo->setCurrentIndex(int(SizeUnit::Pixels));
}

void EditingProfileWindow::CopyTestFileSize() {
  if (NeedTestFile()) return;
  if (testWidth > 0) {
    resizeWidth->setText(QString::number(testWidth));
    resizeWidthUnitCombo->setCurrentIndex(int(SizeUnit::Pixels));
  }
  if (testHeight > 0) {
    resizeHeight->setText(QString::number(testHeight));
    resizeHeightUnitCombo->setCurrentIndex(int(SizeUnit::Pixels));
  }
}

void EditingProfileWindow::CopyTestFileAspect() {
  if (NeedTestFile()) return;
  if (testAspect <= 0) return;
  setAspectOption->setChecked(true);
  aspectRatio->setText(SingleText(testAspect));
}
