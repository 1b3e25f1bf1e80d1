#include <QLabel>
#include <QLineEdit>

#include "core/editing/EditFields.h"
#include "core/editing/EditingProfileEditor.h"
#include "gui/editing/EditingProfileWindow.h"
#include "gui/editing/EditingProfileWindowLayout.h"

using namespace EditingProfileWindowLayout;

void EditingProfileWindow::CreateVolumePanel() {
  Make(Label2, "Label2", PicAjustarVol, 120, 120, 3850, 285);
  MakeNumeric(Text26, "Text26", PicAjustarVol, 120, 450, 1200)->setMaxLength(6);
}

void EditingProfileWindow::SetVolumeCaptions() { Label2->setText("%Volumen (con respecto al original):"); }

void EditingProfileWindow::WireVolumePanel() {
  connect(Text26, &QLineEdit::textChanged, this, &EditingProfileWindow::Text26_Change);
}

void EditingProfileWindow::ShowVolume(const EditProfileRec& p) { SetText(Text26, p.Volume); }

void EditingProfileWindow::ClearVolume() { Text26->setText(QString()); }

void EditingProfileWindow::Text26_Change() {
  if (EditingProfileEditor::State().Loading == 1) return;
  Apply(EditFields::Volume(Text26->text()), &Profile().Volume);
}
