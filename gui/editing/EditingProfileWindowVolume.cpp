#include <QLabel>
#include <QLineEdit>

#include "core/editing/EditFields.h"
#include "core/editing/EditingProfileEditor.h"
#include "gui/editing/EditingProfileWindow.h"
#include "gui/editing/EditingProfileWindowLayout.h"

using namespace EditingProfileWindowLayout;

void EditingProfileWindow::CreateVolumePanel() {
  Make(volumeLabel, "Label2", volumePanel, 120, 120, 3850, 285);
  MakeNumeric(volumePercent, "Text26", volumePanel, 120, 450, 1200)->setMaxLength(6);
}

void EditingProfileWindow::SetVolumeCaptions() {
  volumeLabel->setText("%Volumen (con respecto al original):");
}

void EditingProfileWindow::WireVolumePanel() {
  connect(volumePercent, &QLineEdit::textChanged, this, &EditingProfileWindow::OnVolumeEdited);
}

void EditingProfileWindow::ShowVolume(const EditProfileRec& p) { SetText(volumePercent, p.Volume); }

void EditingProfileWindow::ClearVolume() { volumePercent->setText(QString()); }

void EditingProfileWindow::OnVolumeEdited() {
  if (EditingProfileEditor::State().Loading) return;
  Apply(EditFields::Volume(volumePercent->text()), &Profile().Volume);
}
