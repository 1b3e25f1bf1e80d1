#include <QCheckBox>

#include "core/editing/EditingProfileEditor.h"
#include "gui/editing/EditingProfileWindow.h"
#include "gui/editing/EditingProfileWindowLayout.h"

using namespace EditingProfileWindowLayout;

void EditingProfileWindow::CreateTrackPanel() {
  Make(removeAudioCheck, "Check7", trackPanel, 120, 120, 3850, 285);
  Make(removeVideoCheck, "Check3", trackPanel, 120, 480, 3850, 285);
  Make(removeSubtitlesCheck, "Check4", trackPanel, 120, 840, 3850, 285);
}

void EditingProfileWindow::SetTrackCaptions() {
  removeAudioCheck->setText("Eliminar Audio");
  removeVideoCheck->setText("Eliminar Video");
  removeSubtitlesCheck->setText("Eliminar subtítulos");
}

void EditingProfileWindow::WireTrackPanel() {
  for (QCheckBox* box : {removeAudioCheck, removeVideoCheck, removeSubtitlesCheck}) {
    connect(box, &QCheckBox::toggled, this, [this, box] { OnTrackRemovalToggled(box); });
  }
}

void EditingProfileWindow::ShowTracks(const EditProfileRec& p) {
  removeAudioCheck->setChecked(p.RemoveAudio);
  removeVideoCheck->setChecked(p.RemoveVideo);
  removeSubtitlesCheck->setChecked(p.RemoveSubtitles);
}

void EditingProfileWindow::ClearTracks() {
  for (QCheckBox* box : {removeAudioCheck, removeVideoCheck, removeSubtitlesCheck})
    box->setChecked(false);
}

void EditingProfileWindow::OnTrackRemovalToggled(QCheckBox* box) {
  if (EditingProfileEditor::State().Loading) return;
  const bool value = box->isChecked();
  if (box == removeAudioCheck) Profile().RemoveAudio = value;
  if (box == removeVideoCheck) Profile().RemoveVideo = value;
  if (box == removeSubtitlesCheck) Profile().RemoveSubtitles = value;
}
