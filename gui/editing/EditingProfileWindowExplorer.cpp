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
  Make(PicExploreStream, "PicExploreStream", central, 120, 120, 6720, 4080)->hide();
  QWidget* panel = PicExploreStream;
  panel->setAutoFillBackground(true);
  Make(Picture1, "Picture1", panel, 120, 120, 4800, 3135);
  Shape4 = new UnitShape(Picture1, QColor(255, 0, 0), false);
  Shape4->setObjectName("Shape4");
  Shape4->SetGeometry(0, 0, 1, 1);
  Make(Picture4, "Picture4", panel, 120, 3300, 4800, 255);
  Shape3 = new UnitShape(Picture4, QColor(0, 0, 255), true);
  Shape3->setObjectName("Shape3");
  Shape3->SetGeometry(0, 0, 1, 1);
  Shape2 = new UnitShape(Picture4, QColor(0, 255, 0), true);
  Shape2->setObjectName("Shape2");
  Shape2->SetGeometry(-2, 0.25, 2, 0.5);
  Make(Picture5, "Picture5", panel, 5040, 120, 255, 1095);
  Shape5 = new UnitShape(Picture5, QColor(0, 255, 0), true);
  Shape5->setObjectName("Shape5");
  Shape5->SetGeometry(0, 0.9, 1, 2);
  MakeCaption(Text15, "Text15", panel, 5040, 1260, 1560);
  Make(Check1, "Check1", panel, 5040, 1600, 1560, 285);
  Make(Command7, "Command7", panel, 5040, 2000, 1560, 330);
  Make(Command10, "Command10", panel, 5040, 2400, 1560, 330)->hide();
  Make(Command8, "Command8", panel, 5040, 2400, 1560, 330);
  Make(Command6, "Command6", panel, 5040, 2800, 1560, 330);
  Make(Command4, "Command4", panel, 2280, 3660, 1200, 360);
  Make(Command5, "Command5", panel, 3600, 3660, 1200, 360);
}

void EditingProfileWindow::SetExplorerCaptions() {
  Text15->setText("Volumen");
  Check1->setText("Silencio");
  Command7->setText("Marcar posición 1");
  Command10->setText("Marcar posición 2");
  Command8->setText("Detectar bordes");
  Command6->setText("Reproducir");
  Command4->setText("Aceptar");
  Command5->setText("Cancelar");
}

void EditingProfileWindow::WireExplorer() {
  connect(Opt_CutGrap, &QAction::triggered, this, &EditingProfileWindow::Opt_CutGrap_Click);
  connect(Command7, &QPushButton::clicked, this, &EditingProfileWindow::Command7_Click);
  connect(Command10, &QPushButton::clicked, this, &EditingProfileWindow::Command10_Click);
  connect(Picture4, &UnitPicture::MouseUp, this,
          [this](Qt::MouseButton, double x, double) { Picture4_MouseUp(x); });
  connect(Picture5, &UnitPicture::MouseUp, this,
          [this](Qt::MouseButton, double, double y) { Picture5_MouseUp(y); });
  connect(Picture1, &UnitPicture::MouseDown, this,
          [this](Qt::MouseButton, double x, double y) { Picture1_MouseDown(x, y); });
  connect(Picture1, &UnitPicture::MouseMove, this, &EditingProfileWindow::Picture1_MouseMove);
  connect(Picture1, &UnitPicture::MouseUp, this, &EditingProfileWindow::Picture1_MouseUp);
  connect(Command6, &QPushButton::clicked, this, &EditingProfileWindow::Command6_Click);
  connect(Command8, &QPushButton::clicked, this, &EditingProfileWindow::Command8_Click);
  connect(Command4, &QPushButton::clicked, this, &EditingProfileWindow::Command4_Click);
  connect(Command5, &QPushButton::clicked, this, &EditingProfileWindow::Command5_Click);
  connect(Timer1, &QTimer::timeout, this, &EditingProfileWindow::Timer1_Timer);
}

float EditingProfileWindow::Position() const { return float(Shape2->Left + Shape2->Width); }

void EditingProfileWindow::PreviewAtPosition() {
  const QString posText = SingleText(Position() * TestDuration);
  if (TestHasVideo == 1 && !TempFolder.isEmpty()) GrabFrame(posText, false);
  if (TestHasAudio == 1 && Picture5->isEnabled() && !Check1->isChecked() &&
      FileServices::FileExists(FfmpegTools::State().FfplayPath)) {
    const QString volume = SingleText(float(RoundHalfEven(1.0 - Shape5->Top, 2)));
    const CommandLine::Command audition = EditPreview::Audition(TestFile, posText, volume);
    ToolRunner::StartCompanion(audition, this);
  }
  if (TestHasVideo == 0 && !Timer1->isActive()) Timer1->start();
}

void EditingProfileWindow::Opt_CutGrap_Click() {
  if (NeedTestFile()) return;
  const int operation = List1->currentRow();
  if (operation == 0) {
    if (TestDuration <= 0) {
      Lang::MsgNoTestDuration();
      return;
    }
    Shape4->hide();
    Command7->show();
    Command10->hide();
    Command8->hide();
    Shape3->SetGeometry(RangeStart, 0, RangeWidth, 1);
    Shape3->show();
  } else if (operation == 1) {
    if (!Picture1->isEnabled()) {
      Lang::MsgCannotExtractFrames();
      return;
    }
    Shape4->show();
    Command7->hide();
    Command10->hide();
    Command8->show();
    Shape3->hide();
  } else {
    return;
  }
  PicExploreStream->show();
  PicExploreStream->raise();
  SetSubPanelControlsEnabled(false);
}

void EditingProfileWindow::Command7_Click() {
  Command7->hide();
  Command10->show();
  Shape3->SetGeometry(Position(), 0, 0, 1);
}

void EditingProfileWindow::Command10_Click() {
  Command7->show();
  Command10->hide();
  const double p = Position();
  if (p >= Shape3->Left) {
    Shape3->SetGeometry(Shape3->Left, 0, p - Shape3->Left, 1);
  } else {
    Shape3->SetGeometry(p, 0, Shape3->Left - p, 1);
  }
}

void EditingProfileWindow::Picture4_MouseUp(double x) {
  if (!Picture4->isEnabled()) return;
  x = std::clamp(x, 0.0, 1.0);
  Shape2->Left = x - Shape2->Width;
  Shape2->Place();
  PreviewAtPosition();
}

void EditingProfileWindow::Picture5_MouseUp(double y) {
  Shape5->Top = std::clamp(y, 0.0, 1.0);
  Shape5->Place();
}

void EditingProfileWindow::Picture1_MouseDown(double x, double y) {
  if (!Picture1->isEnabled()) return;
  CropDragging = 1;
  CropAnchorX = float(x);
  CropAnchorY = float(y);
  Shape4->SetGeometry(x, y, 0, 0);
}

void EditingProfileWindow::Picture1_MouseMove(double x, double y) {
  if (CropDragging != 1) return;
  x = std::clamp(x, 0.0, 1.0);
  y = std::clamp(y, 0.0, 1.0);
  Shape4->SetGeometry(std::min(x, double(CropAnchorX)), std::min(y, double(CropAnchorY)),
                      std::fabs(x - CropAnchorX), std::fabs(y - CropAnchorY));
}

void EditingProfileWindow::Picture1_MouseUp() { CropDragging = 0; }

void EditingProfileWindow::Command6_Click() {
  if (!FfmpegTools::FfplayExists()) return;
  QString params;
  if (!Shape3->isHidden()) {
    params = EditPreview::PlayRangeOptions(float(Shape3->Left), float(Shape3->Width), TestDuration);
  } else {
    const EditPreview::Rect crop{float(Shape4->Left), float(Shape4->Top), float(Shape4->Width),
                                 float(Shape4->Height)};
    params =
        EditPreview::PlayCropOptions(float(Shape2->Left), float(Shape2->Width), TestDuration, crop);
  }
  Player::PlayFile({TestFile}, params);
}

void EditingProfileWindow::Command8_Click() {
  if (!FfmpegTools::FfmpegExists()) return;
  const QString posText = SingleText(float(RoundHalfEven(Position() * TestDuration, 2)));
  QString output;
  int32_t exitCode = 0;
  const ToolRunner::RunResult result = ToolRunner::RunCaptured(
      CommandLine::Pipeline{EditPreview::BorderDetection(TestFile, posText)}, QString(), 0, 0,
      ToolRunner::OutputSink(), ConsoleText::NoDisplay, output, -1, exitCode);
  // A detection or frame grab still running answers for itself; this press
  // found nothing wrong with the file.
  if (result == ToolRunner::RunResult::Busy) return;
  const auto rect = result == ToolRunner::RunResult::Ran
                        ? EditPreview::ParseCropDetect(output, exitCode, TestWidth, TestHeight)
                        : std::nullopt;
  if (!rect) {
    Lang::MsgDetectEdgesFailed();
    return;
  }
  Shape4->SetGeometry(rect->left, rect->top, rect->width, rect->height);
}

void EditingProfileWindow::Command4_Click() {
  const int operation = List1->currentRow();
  if (operation == 0) {
    const bool endMarked = !Command7->isHidden();
    const EditPreview::TrimTimes times =
        EditPreview::RangeTrimTimes(Shape3->Left, Shape3->Width, endMarked, TestDuration);
    Text31->setText(times.start);
    Option4->setChecked(true);
    Profile().EndMode = 1;
    Text33->setText(times.end);
  }
  if (operation == 1 && Shape4->Width > 0 && Shape4->Height > 0) {
    const QRectF crop(Shape4->Left, Shape4->Top, Shape4->Width, Shape4->Height);
    const EditPreview::CropPixels pixels = EditPreview::RectPixels(crop, TestWidth, TestHeight);
    Text17->setText(pixels.width);
    Text19->setText(pixels.height);
    Combo2->setCurrentIndex(0);
    Combo3->setCurrentIndex(0);
    Text20->setText(pixels.left);
    Text21->setText(pixels.top);
    Combo4->setCurrentIndex(0);
    Combo5->setCurrentIndex(0);
  }
  RangeStart = float(Shape3->Left);
  RangeWidth = float(Shape3->Width);
  Command5_Click();
}

void EditingProfileWindow::Command5_Click() {
  PicExploreStream->hide();
  SetSubPanelControlsEnabled(true);
}

void EditingProfileWindow::Timer1_Timer() {
  AuditionElapsed += 100;
  if (AuditionElapsed > 7000) {
    Timer1->stop();
    DrawFlatLine();
    AuditionElapsed = 0;
    return;
  }
  QList<QPointF> points = {{0, 0.5}};
  for (float x = 0.01f; x < 1; x += 0.01f) {
    const double random = QRandomGenerator::global()->generateDouble();
    points.append({x, std::floor(random * 601 + 200) * 0.001});
  }
  points.append({1, 0.5});
  Picture1->DrawLine(points);
}
