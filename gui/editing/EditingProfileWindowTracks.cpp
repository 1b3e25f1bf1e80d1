#include <QCheckBox>

#include "core/editing/EditingProfileEditor.h"
#include "gui/editing/EditingProfileWindow.h"
#include "gui/editing/EditingProfileWindowLayout.h"

using namespace EditingProfileWindowLayout;

void EditingProfileWindow::CreateTrackPanel() {
  Make(Check7, "Check7", PicEliminarPistas, 120, 120, 3850, 285);
  Make(Check3, "Check3", PicEliminarPistas, 120, 480, 3850, 285);
  Make(Check4, "Check4", PicEliminarPistas, 120, 840, 3850, 285);
}

void EditingProfileWindow::SetTrackCaptions() {
  Check7->setText("Eliminar Audio");
  Check3->setText("Eliminar Video");
  Check4->setText("Eliminar subtítulos");
}

void EditingProfileWindow::WireTrackPanel() {
  for (QCheckBox* box : {Check7, Check3, Check4}) {
    connect(box, &QCheckBox::toggled, this, [this, box] { Track_Click(box); });
  }
}

void EditingProfileWindow::ShowTracks(const EditProfileRec& p) {
  Check7->setChecked(p.RemoveAudio == 1);
  Check3->setChecked(p.RemoveVideo == 1);
  Check4->setChecked(p.RemoveSubtitles == 1);
}

void EditingProfileWindow::ClearTracks() {
  for (QCheckBox* box : {Check7, Check3, Check4}) box->setChecked(false);
}

void EditingProfileWindow::Track_Click(QCheckBox* box) {
  if (EditingProfileEditor::State().Loading == 1) return;
  const uint8_t value = box->isChecked() ? 1 : 0;
  if (box == Check7) Profile().RemoveAudio = value;
  if (box == Check3) Profile().RemoveVideo = value;
  if (box == Check4) Profile().RemoveSubtitles = value;
}
