#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

#include "core/editing/EditingProfileEditor.h"
#include "gui/editing/EditingProfileWindow.h"
#include "gui/editing/EditingProfileWindowLayout.h"

using namespace EditingProfileWindowLayout;

void EditingProfileWindow::CreateCropPanel() {
  QWidget* panel = PicRecortarCuadro;
  Make(Label1, "Label1", panel, 120, 120, 3850, 285);
  MakeCaption(Text16, "Text16", panel, 120, 450, 900);
  MakeNumeric(Text17, "Text17", panel, 1050, 450, 1000);
  MakeUnitCombo(Combo2, "Combo2", panel, 2150, 440, kUnitsFinalHeight);
  MakeCaption(Text18, "Text18", panel, 120, 850, 900);
  MakeNumeric(Text19, "Text19", panel, 1050, 850, 1000);
  MakeUnitCombo(Combo3, "Combo3", panel, 2150, 840, kUnitsFinalWidth);
  Make(Label12, "Label12", panel, 120, 1350, 3850, 285);
  Make(Label3, "Label3", panel, 120, 1650, 3850, 285);
  MakeNumeric(Text20, "Text20", panel, 1050, 1950, 1000);
  MakeUnitCombo(Combo4, "Combo4", panel, 2150, 1940, kUnitsPosition);
  Make(Label4, "Label4", panel, 120, 2400, 3850, 285);
  MakeNumeric(Text21, "Text21", panel, 1050, 2700, 1000);
  MakeUnitCombo(Combo5, "Combo5", panel, 2150, 2690, kUnitsPosition);
}

void EditingProfileWindow::SetCropCaptions() {
  Label1->setText("Tamaño de recorte:");
  Text16->setText("Ancho:");
  Text18->setText("Alto:");
  Label12->setText("Posición del recorte:");
  Label3->setText("Desde el borde izquierdo:");
  Label4->setText("Desde el borde superior:");
}

void EditingProfileWindow::ShowCrop(const EditProfileRec& p) {
  SetText(Text19, p.CropHeight);
  SetIndex(Combo3, p.CropHeightUnit);
  SetText(Text17, p.CropWidth);
  SetIndex(Combo2, p.CropWidthUnit);
  SetText(Text20, p.CropLeft);
  SetIndex(Combo4, p.CropLeftUnit);
  SetText(Text21, p.CropTop);
  SetIndex(Combo5, p.CropTopUnit);
}

void EditingProfileWindow::ClearCrop() {
  for (QLineEdit* box : {Text17, Text19, Text20, Text21}) box->setText(QString());
  for (QComboBox* combo : {Combo2, Combo3, Combo4, Combo5}) combo->setCurrentIndex(0);
}
