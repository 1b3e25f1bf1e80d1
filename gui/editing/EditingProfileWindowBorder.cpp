#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "core/editing/EditFields.h"
#include "core/editing/EditingProfileEditor.h"
#include "core/frame/DesktopServices.h"
#include "gui/editing/EditingProfileWindow.h"
#include "gui/editing/EditingProfileWindowLayout.h"
#include "gui/editing/UnitPicture.h"

using namespace EditingProfileWindowLayout;

namespace {

// A colour given as 0x00BBGGRR.
QColor SwatchColor(int color) {
  return QColor(color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF);
}

}  // namespace

void EditingProfileWindow::CreateBorderPanel() {
  QWidget* panel = borderPanel;
  Make(rightBorderLabel, "Label13", panel, 120, 120, 3850, 255);
  MakeCaption(rightBorderCaption, "Text4", panel, 120, 400, 800);
  MakeNumeric(rightBorder, "Text3", panel, 950, 400, 1100);
  MakeUnitCombo(rightBorderUnitCombo, "Combo9", panel, 2100, 390, kUnitsBorder);
  Make(leftBorderLabel, "Label16", panel, 120, 800, 3850, 255);
  MakeCaption(leftBorderCaption, "Text6", panel, 120, 1080, 800);
  MakeNumeric(leftBorder, "Text5", panel, 950, 1080, 1100);
  MakeUnitCombo(leftBorderUnitCombo, "Combo10", panel, 2100, 1070, kUnitsBorder);
  Make(topBorderLabel, "Label17", panel, 120, 1480, 3850, 255);
  MakeCaption(topBorderCaption, "Text8", panel, 120, 1760, 800);
  MakeNumeric(topBorder, "Text7", panel, 950, 1760, 1100);
  MakeUnitCombo(topBorderUnitCombo, "Combo11", panel, 2100, 1750, kUnitsBorder);
  Make(bottomBorderLabel, "Label18", panel, 120, 2160, 3850, 255);
  MakeCaption(bottomBorderCaption, "Text10", panel, 120, 2440, 800);
  MakeNumeric(bottomBorder, "Text9", panel, 950, 2440, 1100);
  MakeUnitCombo(bottomBorderUnitCombo, "Combo12", panel, 2100, 2430, kUnitsBorder);
  MakeCaption(borderColorCaption, "Text11", panel, 120, 2900, 800);
  Make(borderColorSwatch, "Picture2", panel, 950, 2880, 1100, 330);
  Make(borderColorButton, "Command12", panel, 2100, 2880, 480, 330);
}

void EditingProfileWindow::SetBorderCaptions() {
  rightBorderLabel->setText("Agregar a la derecha:");
  leftBorderLabel->setText("Agregar a la izquierda:");
  topBorderLabel->setText("Agregar arriba:");
  bottomBorderLabel->setText("Agregar abajo:");
  rightBorderCaption->setText("Ancho:");
  leftBorderCaption->setText("Ancho:");
  topBorderCaption->setText("Alto:");
  bottomBorderCaption->setText("Alto:");
  borderColorCaption->setText("Color:");
  borderColorButton->setText("...");
}

void EditingProfileWindow::WireBorderPanel() {
  connect(borderColorButton, &QPushButton::clicked, this, &EditingProfileWindow::ChooseBorderColor);
}

void EditingProfileWindow::ShowBorder(const EditProfileRec& p) {
  SetText(bottomBorder, p.BorderBottom);
  SetIndex(bottomBorderUnitCombo, int(p.BorderBottomUnit));
  SetText(topBorder, p.BorderTop);
  SetIndex(topBorderUnitCombo, int(p.BorderTopUnit));
  SetText(rightBorder, p.BorderRight);
  SetIndex(rightBorderUnitCombo, int(p.BorderRightUnit));
  SetText(leftBorder, p.BorderLeft);
  SetIndex(leftBorderUnitCombo, int(p.BorderLeftUnit));
  SetBorderSwatch(SwatchColor(EditingProfileEditor::HexToColor(p.BorderColor)));
}

void EditingProfileWindow::ClearBorder() {
  for (QLineEdit* box : {rightBorder, leftBorder, topBorder, bottomBorder}) box->setText(QString());
  for (QComboBox* combo :
       {rightBorderUnitCombo, leftBorderUnitCombo, topBorderUnitCombo, bottomBorderUnitCombo})
    combo->setCurrentIndex(int(SizeUnit::Pixels));
  SetBorderSwatch(Qt::black);
  Profile().BorderColor = "000000";
}

void EditingProfileWindow::SetBorderSwatch(const QColor& color) {
  QPalette colors = borderColorSwatch->palette();
  colors.setColor(QPalette::Window, color);
  borderColorSwatch->setPalette(colors);
}

void EditingProfileWindow::ChooseBorderColor() {
  const int color = DesktopServices::ChooseColorDialog(this, -1);
  if (color < 0) return;
  SetBorderSwatch(SwatchColor(color));
  Profile().BorderColor = EditFields::ColorToHex(color);
}
