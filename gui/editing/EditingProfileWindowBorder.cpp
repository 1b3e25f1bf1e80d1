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
QColor SwatchColor(int color) { return QColor(color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF); }

}  // namespace

void EditingProfileWindow::CreateBorderPanel() {
  QWidget* panel = PicAddBorder;
  Make(Label13, "Label13", panel, 120, 120, 3850, 255);
  MakeCaption(Text4, "Text4", panel, 120, 400, 800);
  MakeNumeric(Text3, "Text3", panel, 950, 400, 1100);
  MakeUnitCombo(Combo9, "Combo9", panel, 2100, 390, kUnitsBorder);
  Make(Label16, "Label16", panel, 120, 800, 3850, 255);
  MakeCaption(Text6, "Text6", panel, 120, 1080, 800);
  MakeNumeric(Text5, "Text5", panel, 950, 1080, 1100);
  MakeUnitCombo(Combo10, "Combo10", panel, 2100, 1070, kUnitsBorder);
  Make(Label17, "Label17", panel, 120, 1480, 3850, 255);
  MakeCaption(Text8, "Text8", panel, 120, 1760, 800);
  MakeNumeric(Text7, "Text7", panel, 950, 1760, 1100);
  MakeUnitCombo(Combo11, "Combo11", panel, 2100, 1750, kUnitsBorder);
  Make(Label18, "Label18", panel, 120, 2160, 3850, 255);
  MakeCaption(Text10, "Text10", panel, 120, 2440, 800);
  MakeNumeric(Text9, "Text9", panel, 950, 2440, 1100);
  MakeUnitCombo(Combo12, "Combo12", panel, 2100, 2430, kUnitsBorder);
  MakeCaption(Text11, "Text11", panel, 120, 2900, 800);
  Make(Picture2, "Picture2", panel, 950, 2880, 1100, 330);
  Make(Command12, "Command12", panel, 2100, 2880, 480, 330);
}

void EditingProfileWindow::SetBorderCaptions() {
  Label13->setText("Agregar a la derecha:");
  Label16->setText("Agregar a la izquierda:");
  Label17->setText("Agregar arriba:");
  Label18->setText("Agregar abajo:");
  Text4->setText("Ancho:");
  Text6->setText("Ancho:");
  Text8->setText("Alto:");
  Text10->setText("Alto:");
  Text11->setText("Color:");
  Command12->setText("...");
}

void EditingProfileWindow::WireBorderPanel() {
  connect(Command12, &QPushButton::clicked, this, &EditingProfileWindow::Command12_Click);
}

void EditingProfileWindow::ShowBorder(const EditProfileRec& p) {
  SetText(Text9, p.BorderBottom);
  SetIndex(Combo12, p.BorderBottomUnit);
  SetText(Text7, p.BorderTop);
  SetIndex(Combo11, p.BorderTopUnit);
  SetText(Text3, p.BorderRight);
  SetIndex(Combo9, p.BorderRightUnit);
  SetText(Text5, p.BorderLeft);
  SetIndex(Combo10, p.BorderLeftUnit);
  SetBorderSwatch(SwatchColor(EditingProfileEditor::HexToColor(p.BorderColor)));
}

void EditingProfileWindow::ClearBorder() {
  for (QLineEdit* box : {Text3, Text5, Text7, Text9}) box->setText(QString());
  for (QComboBox* combo : {Combo9, Combo10, Combo11, Combo12}) combo->setCurrentIndex(0);
  SetBorderSwatch(Qt::black);
  Profile().BorderColor = "000000";
}

void EditingProfileWindow::SetBorderSwatch(const QColor& color) {
  QPalette colors = Picture2->palette();
  colors.setColor(QPalette::Window, color);
  Picture2->setPalette(colors);
}

void EditingProfileWindow::Command12_Click() {
  const int color = DesktopServices::ChooseColorDialog(this, 0, -1);
  if (color < 0) return;
  SetBorderSwatch(SwatchColor(color));
  Profile().BorderColor = EditFields::ColorToHex(color);
}
