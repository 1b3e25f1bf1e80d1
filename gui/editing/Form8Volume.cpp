#include <QLabel>
#include <QLineEdit>

#include "core/editing/EditFields.h"
#include "gui/editing/Form8.h"
#include "gui/editing/Form8Layout.h"

using EditingProfileEditor::CurrentProfile;
using namespace Form8Layout;

void Form8::CreateVolumePanel() {
  Make(Label2, "Label2", PicAjustarVol, 120, 120, 3850, 285);
  MakeNumeric(Text26, "Text26", PicAjustarVol, 120, 450, 1200)->setMaxLength(6);
}

void Form8::SetVolumeCaptions() { Label2->setText("%Volumen (con respecto al original):"); }

void Form8::WireVolumePanel() {
  connect(Text26, &QLineEdit::textChanged, this, &Form8::Text26_Change);
}

void Form8::ShowVolume(const EditProfileRec& p) { SetText(Text26, p.Volume); }

void Form8::ClearVolume() { Text26->setText(QString()); }

void Form8::Text26_Change() {
  if (EditingProfileEditor::Loading == 1) return;
  Apply(EditFields::Volume(Text26->text()), &CurrentProfile.Volume);
}
