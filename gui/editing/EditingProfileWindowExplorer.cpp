#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QRandomGenerator>
#include <QTimer>
#include <cmath>

#include "core/editing/EditFields.h"
#include "core/editing/EditPreview.h"
#include "core/editing/EditingProfileEditor.h"
#include "core/frame/FfmpegTools.h"
#include "core/frame/Player.h"
#include "core/ground/CommandLine.h"
#include "core/ground/ConsoleText.h"
#include "core/ground/FileServices.h"
#include "core/ground/ToolRunner.h"
#include "core/lang/Lang.h"
#include "gui/editing/EditingProfileWindow.h"
#include "gui/editing/EditingProfileWindowLayout.h"
#include "gui/editing/UnitPicture.h"

using EditFields::RoundHalfEven;
using EditFields::SingleText;
using namespace EditingProfileWindowLayout;

// The explorer of the test file: frame grabs and a time line to mark a range
// or draw a crop rectangle, border detection and an audio audition.

void EditingProfileWindow::CreateExplorer(QWidget* central) {
  Make(explorerPanel, "PicExploreStream", central, 120, 120, 6720, 4080)->hide();
  QWidget* panel = explorerPanel;
  panel->setAutoFillBackground(true);
  Make(framePicture, "Picture1", panel, 120, 120, 4800, 3135);
  cropRect = new UnitShape(framePicture, QColor(255, 0, 0), false);
  cropRect->setObjectName("Shape4");
  cropRect->SetGeometry(0, 0, 1, 1);
  Make(timeLine, "Picture4", panel, 120, 3300, 4800, 255);
  rangeBar = new UnitShape(timeLine, QColor(0, 0, 255), true);
  rangeBar->setObjectName("Shape3");
  rangeBar->SetGeometry(0, 0, 1, 1);
  positionMarker = new UnitShape(timeLine, QColor(0, 255, 0), true);
  positionMarker->setObjectName("Shape2");
  positionMarker->SetGeometry(-2, 0.25, 2, 0.5);
  Make(volumeBar, "Picture5", panel, 5040, 120, 255, 1095);
  volumeMarker = new UnitShape(volumeBar, QColor(0, 255, 0), true);
  volumeMarker->setObjectName("Shape5");
  volumeMarker->SetGeometry(0, 0.9, 1, 2);
  MakeCaption(volumeCaption, "Text15", panel, 5040, 1260, 1560);
  Make(muteCheck, "Check1", panel, 5040, 1600, 1560, 285);
  Make(markFirstButton, "Command7", panel, 5040, 2000, 1560, 330);
  Make(markSecondButton, "Command10", panel, 5040, 2400, 1560, 330)->hide();
  Make(detectBordersButton, "Command8", panel, 5040, 2400, 1560, 330);
  Make(playButton, "Command6", panel, 5040, 2800, 1560, 330);
  Make(explorerAcceptButton, "Command4", panel, 2280, 3660, 1200, 360);
  Make(explorerCancelButton, "Command5", panel, 3600, 3660, 1200, 360);
}

void EditingProfileWindow::SetExplorerCaptions() {
  volumeCaption->setText("Volumen");
  muteCheck->setText("Silencio");
  markFirstButton->setText("Marcar posición 1");
  markSecondButton->setText("Marcar posición 2");
  detectBordersButton->setText("Detectar bordes");
  playButton->setText("Reproducir");
  explorerAcceptButton->setText("Aceptar");
  explorerCancelButton->setText("Cancelar");
}

void EditingProfileWindow::WireExplorer() {
  connect(explorerAction, &QAction::triggered, this, &EditingProfileWindow::OpenExplorer);
  connect(markFirstButton, &QPushButton::clicked, this, &EditingProfileWindow::MarkFirstPosition);
  connect(markSecondButton, &QPushButton::clicked, this, &EditingProfileWindow::MarkSecondPosition);
  connect(timeLine, &UnitPicture::MouseUp, this,
          [this](Qt::MouseButton, double x, double) { OnTimeLineClicked(x); });
  connect(volumeBar, &UnitPicture::MouseUp, this,
          [this](Qt::MouseButton, double, double y) { OnVolumeBarClicked(y); });
  connect(framePicture, &UnitPicture::MouseDown, this,
          [this](Qt::MouseButton, double x, double y) { StartCropDrag(x, y); });
  connect(framePicture, &UnitPicture::MouseMove, this, &EditingProfileWindow::DragCrop);
  connect(framePicture, &UnitPicture::MouseUp, this, &EditingProfileWindow::EndCropDrag);
  connect(playButton, &QPushButton::clicked, this, &EditingProfileWindow::PlayExplored);
  connect(detectBordersButton, &QPushButton::clicked, this, &EditingProfileWindow::DetectBorders);
  connect(explorerAcceptButton, &QPushButton::clicked, this, &EditingProfileWindow::AcceptExplorer);
  connect(explorerCancelButton, &QPushButton::clicked, this, &EditingProfileWindow::CancelExplorer);
  connect(auditionTimer, &QTimer::timeout, this, &EditingProfileWindow::OnAuditionTimer);
}

float EditingProfileWindow::Position() const {
  return float(positionMarker->Left + positionMarker->Width);
}

void EditingProfileWindow::PreviewAtPosition() {
  const QString posText = SingleText(Position() * testDuration);
  if (GrabsFrames()) GrabFrame(posText, false);
  if (testHasAudio && volumeBar->isEnabled() && !muteCheck->isChecked() &&
      FileServices::FileExists(FfmpegTools::State().FfplayPath)) {
    const QString volume = SingleText(float(RoundHalfEven(1.0 - volumeMarker->Top, 2)));
    const CommandLine::Command audition = EditPreview::Audition(testFile, posText, volume);
    ToolRunner::StartCompanion(audition, this);
  }
  if (!testHasVideo && !auditionTimer->isActive()) auditionTimer->start();
}

void EditingProfileWindow::OpenExplorer() {
  if (NeedTestFile()) return;
  const Operation operation = ChosenOperation();
  if (operation == Operation::Trim) {
    if (testDuration <= 0) {
      Lang::MsgNoTestDuration();
      return;
    }
    cropRect->hide();
    markFirstButton->show();
    markSecondButton->hide();
    detectBordersButton->hide();
    rangeBar->SetGeometry(rangeStart, 0, rangeWidth, 1);
    rangeBar->show();
  } else if (operation == Operation::Crop) {
    if (!framePicture->isEnabled()) {
      Lang::MsgCannotExtractFrames();
      return;
    }
    cropRect->show();
    markFirstButton->hide();
    markSecondButton->hide();
    detectBordersButton->show();
    rangeBar->hide();
  } else {
    return;
  }
  explorerPanel->show();
  explorerPanel->raise();
  SetSubPanelControlsEnabled(false);
}

void EditingProfileWindow::MarkFirstPosition() {
  markFirstButton->hide();
  markSecondButton->show();
  rangeBar->SetGeometry(Position(), 0, 0, 1);
}

void EditingProfileWindow::MarkSecondPosition() {
  markFirstButton->show();
  markSecondButton->hide();
  const double p = Position();
  if (p >= rangeBar->Left) {
    rangeBar->SetGeometry(rangeBar->Left, 0, p - rangeBar->Left, 1);
  } else {
    rangeBar->SetGeometry(p, 0, rangeBar->Left - p, 1);
  }
}

void EditingProfileWindow::OnTimeLineClicked(double x) {
  if (!timeLine->isEnabled()) return;
  // The frame of the new place needs the runner, and its audition would play
  // beside another tool: while one (a frame still being taken, ffmpeg's help
  // in the viewer) holds it, the marker stays where it is.
  if (ToolRunner::GetState() != ToolRunner::RunState::Idle) return;
  x = std::clamp(x, 0.0, 1.0);
  positionMarker->Left = x - positionMarker->Width;
  positionMarker->Place();
  PreviewAtPosition();
}

void EditingProfileWindow::OnVolumeBarClicked(double y) {
  volumeMarker->Top = std::clamp(y, 0.0, 1.0);
  volumeMarker->Place();
}

void EditingProfileWindow::StartCropDrag(double x, double y) {
  if (!framePicture->isEnabled()) return;
  cropDragging = true;
  cropAnchorX = float(x);
  cropAnchorY = float(y);
  cropRect->SetGeometry(x, y, 0, 0);
}

void EditingProfileWindow::DragCrop(double x, double y) {
  if (!cropDragging) return;
  x = std::clamp(x, 0.0, 1.0);
  y = std::clamp(y, 0.0, 1.0);
  cropRect->SetGeometry(std::min(x, double(cropAnchorX)), std::min(y, double(cropAnchorY)),
                        std::fabs(x - cropAnchorX), std::fabs(y - cropAnchorY));
}

void EditingProfileWindow::EndCropDrag() { cropDragging = false; }

void EditingProfileWindow::PlayExplored() {
  if (!FfmpegTools::FfplayExists()) return;
  QString params;
  if (!rangeBar->isHidden()) {
    params =
        EditPreview::PlayRangeOptions(float(rangeBar->Left), float(rangeBar->Width), testDuration);
  } else {
    const EditPreview::Rect crop{float(cropRect->Left), float(cropRect->Top),
                                 float(cropRect->Width), float(cropRect->Height)};
    params = EditPreview::PlayCropOptions(float(positionMarker->Left), float(positionMarker->Width),
                                          testDuration, crop);
  }
  Player::PlayFile({testFile}, params);
}

void EditingProfileWindow::DetectBorders() {
  if (!FfmpegTools::FfmpegExists()) return;
  // A detection or frame grab still running answers for itself: this press
  // waits quietly, and has found nothing wrong with the file.
  if (ToolRunner::GetState() != ToolRunner::RunState::Idle) return;
  const QString posText = SingleText(float(RoundHalfEven(Position() * testDuration, 2)));
  const EditPreview::DetectedBorders found =
      EditPreview::DetectBorders(testFile, posText, testWidth, testHeight);
  if (found.outcome == EditPreview::RunOutcome::Busy) return;
  if (found.outcome == EditPreview::RunOutcome::Failed) {
    Lang::MsgDetectEdgesFailed();
    return;
  }
  cropRect->SetGeometry(found.rect.left, found.rect.top, found.rect.width, found.rect.height);
}

void EditingProfileWindow::AcceptExplorer() {
  const Operation operation = ChosenOperation();
  if (operation == Operation::Trim) {
    const bool endMarked = !markFirstButton->isHidden();
    const EditPreview::TrimTimes times =
        EditPreview::RangeTrimTimes(rangeBar->Left, rangeBar->Width, endMarked, testDuration);
    startPosition->setText(times.start);
    endPositionOption->setChecked(true);
    Profile().EndMode = TrimEnd::AtPosition;
    endPosition->setText(times.end);
  }
  if (operation == Operation::Crop && cropRect->Width > 0 && cropRect->Height > 0) {
    const QRectF crop(cropRect->Left, cropRect->Top, cropRect->Width, cropRect->Height);
    const EditPreview::CropPixels pixels = EditPreview::RectPixels(crop, testWidth, testHeight);
    cropWidth->setText(pixels.width);
    cropHeight->setText(pixels.height);
    cropWidthUnitCombo->setCurrentIndex(int(SizeUnit::Pixels));
    cropHeightUnitCombo->setCurrentIndex(int(SizeUnit::Pixels));
    cropLeft->setText(pixels.left);
    cropTop->setText(pixels.top);
    cropLeftUnitCombo->setCurrentIndex(int(SizeUnit::Pixels));
    cropTopUnitCombo->setCurrentIndex(int(SizeUnit::Pixels));
  }
  rangeStart = float(rangeBar->Left);
  rangeWidth = float(rangeBar->Width);
  CancelExplorer();
}

void EditingProfileWindow::CancelExplorer() {
  explorerPanel->hide();
  SetSubPanelControlsEnabled(true);
}

void EditingProfileWindow::OnAuditionTimer() {
  auditionElapsed += 100;
  if (auditionElapsed > 7000) {
    auditionTimer->stop();
    DrawFlatLine();
    auditionElapsed = 0;
    return;
  }
  QList<QPointF> points = {{0, 0.5}};
  for (float x = 0.01f; x < 1; x += 0.01f) {
    const double random = QRandomGenerator::global()->generateDouble();
    points.append({x, std::floor(random * 601 + 200) * 0.001});
  }
  points.append({1, 0.5});
  framePicture->DrawLine(points);
}
