#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

#include "core/editing/EditingProfileEditor.h"
#include "gui/editing/EditingProfileWindow.h"
#include "gui/editing/EditingProfileWindowLayout.h"

using namespace EditingProfileWindowLayout;

void EditingProfileWindow::CreateCropPanel() {
  QWidget* panel = cropPanel;
  Make(cropSizeLabel, "Label1", panel, 120, 120, 3850, 285);
  MakeCaption(cropWidthCaption, "Text16", panel, 120, 450, 900);
  MakeNumeric(cropWidth, "Text17", panel, 1050, 450, 1000);
  MakeUnitCombo(cropWidthUnitCombo, "Combo2", panel, 2150, 440, kUnitsFinalHeight);
  MakeCaption(cropHeightCaption, "Text18", panel, 120, 850, 900);
  MakeNumeric(cropHeight, "Text19", panel, 1050, 850, 1000);
  MakeUnitCombo(cropHeightUnitCombo, "Combo3", panel, 2150, 840, kUnitsFinalWidth);
  Make(cropPositionLabel, "Label12", panel, 120, 1350, 3850, 285);
  Make(cropLeftLabel, "Label3", panel, 120, 1650, 3850, 285);
  MakeNumeric(cropLeft, "Text20", panel, 1050, 1950, 1000);
  MakeUnitCombo(cropLeftUnitCombo, "Combo4", panel, 2150, 1940, kUnitsPosition);
  Make(cropTopLabel, "Label4", panel, 120, 2400, 3850, 285);
  MakeNumeric(cropTop, "Text21", panel, 1050, 2700, 1000);
  MakeUnitCombo(cropTopUnitCombo, "Combo5", panel, 2150, 2690, kUnitsPosition);
}

void EditingProfileWindow::SetCropCaptions() {
  cropSizeLabel->setText("Tamaño de recorte:");
  cropWidthCaption->setText("Ancho:");
  cropHeightCaption->setText("Alto:");
  cropPositionLabel->setText("Posición del recorte:");
  cropLeftLabel->setText("Desde el borde izquierdo:");
  cropTopLabel->setText("Desde el borde superior:");
}

void EditingProfileWindow::ShowCrop(const EditProfileRec& p) {
  SetText(cropHeight, p.CropHeight);
  SetIndex(cropHeightUnitCombo, int(p.CropHeightUnit));
  SetText(cropWidth, p.CropWidth);
  SetIndex(cropWidthUnitCombo, int(p.CropWidthUnit));
  SetText(cropLeft, p.CropLeft);
  SetIndex(cropLeftUnitCombo, int(p.CropLeftUnit));
  SetText(cropTop, p.CropTop);
  SetIndex(cropTopUnitCombo, int(p.CropTopUnit));
}

void EditingProfileWindow::ClearCrop() {
  for (QLineEdit* box : {cropWidth, cropHeight, cropLeft, cropTop}) box->setText(QString());
  for (QComboBox* combo :
       {cropWidthUnitCombo, cropHeightUnitCombo, cropLeftUnitCombo, cropTopUnitCombo})
    combo->setCurrentIndex(int(SizeUnit::Pixels));
}
