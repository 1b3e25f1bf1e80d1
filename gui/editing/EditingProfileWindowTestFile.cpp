#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>

#include "core/editing/EditPreview.h"
#include "core/editing/EditingProfileEditor.h"
#include "core/frame/AnotherToolRunning.h"
#include "core/frame/DesktopServices.h"
#include "core/frame/FfmpegProbe.h"
#include "core/frame/FfmpegTools.h"
#include "core/frame/Player.h"
#include "core/frame/Session.h"
#include "core/ground/CommandLine.h"
#include "core/ground/ConsoleText.h"
#include "core/ground/FileServices.h"
#include "core/ground/ToolRunner.h"
#include "core/lang/Lang.h"
#include "gui/editing/EditingProfileWindow.h"
#include "gui/editing/EditingProfileWindowLayout.h"
#include "gui/editing/UnitPicture.h"

using namespace EditingProfileWindowLayout;

// The test file: choosing it, loading it (into the explorer too) and the
// previews of the operations on it.

void EditingProfileWindow::CreateTestFileControls(QWidget* central) {
  MakeCaption(testFileCaption, "Text12", central, 120, 4320, 1800);
  Make(testFileBox, "Text13", central, 1950, 4320, 4290, 285)->setReadOnly(true);
  Make(chooseTestFileButton, "Command2", central, 6300, 4290, 480, 330);
  Make(testFileChooser, "PicSelTestFile", central, 120, 120, 6720, 4080)->hide();
  testFileChooser->setAutoFillBackground(true);
  Make(testFileChooserLabel, "Label21", testFileChooser, 120, 120, 3000, 285);
  Make(testFileCombo, "Combo13", testFileChooser, 120, 480, 5900, 330)->setEditable(true);
  Make(browseTestFileButton, "Command9", testFileChooser, 6120, 480, 480, 330);
  Make(testFileBackButton, "Command13", testFileChooser, 5280, 1000, 1320, 360);
  Make(waitPanel, "Picture7", central, 120, 120, 6720, 4080);
  waitPanel->setAutoFillBackground(true);
  Make(waitLabel, "Label19", waitPanel, 2400, 1800, 2000, 285);
  waitLabel->setAlignment(Qt::AlignCenter);
}

void EditingProfileWindow::SetTestFileCaptions() {
  testFileCaption->setText("Archivo de prueba:");
  chooseTestFileButton->setText("...");
  testFileChooserLabel->setText("Archivo de prueba:");
  browseTestFileButton->setText("...");
  testFileBackButton->setText("Atrás");
  waitLabel->setText("Espere...");
}

void EditingProfileWindow::WireTestFileControls() {
  connect(chooseTestFileButton, &QPushButton::clicked, this,
          &EditingProfileWindow::OpenTestFileChooser);
  connect(selectTestFileAction, &QAction::triggered, this,
          &EditingProfileWindow::OpenTestFileChooser);
  connect(testFileBackButton, &QPushButton::clicked, this,
          &EditingProfileWindow::CloseTestFileChooser);
  connect(testFileCombo, &QComboBox::editTextChanged, this,
          &EditingProfileWindow::OnTestFileTextEdited);
  connect(testFileCombo, &QComboBox::activated, this,
          &EditingProfileWindow::OnListedTestFileChosen);
  connect(testFileBox, &QLineEdit::textChanged, this,
          [this] { testFileBox->setCursorPosition(int(testFileBox->text().size())); });
  connect(browseTestFileButton, &QPushButton::clicked, this,
          &EditingProfileWindow::BrowseForTestFile);
  connect(previewAction, &QAction::triggered, this, &EditingProfileWindow::Preview);
}

void EditingProfileWindow::SetSubPanelControlsEnabled(bool enabled) {
  fileMenu->setEnabled(enabled);
  optionsMenu->setEnabled(enabled);
  // The test file's own button too: its chooser opened over the explorer would
  // hand the menus back while the explorer still stands.
  for (QPushButton* button : {acceptButton, loadButton, cancelButton, chooseTestFileButton})
    button->setEnabled(enabled);
  subPanelOpen = !enabled;
}

void EditingProfileWindow::CloseSubPanel() {
  if (explorerPanel->isVisible()) {
    explorerPanel->hide();
  } else {
    testFileChooser->hide();
  }
  SetSubPanelControlsEnabled(true);
}

bool EditingProfileWindow::NeedTestFile() {
  if (!testFile.isEmpty()) return false;
  Lang::MsgSelectTestFile();
  return true;
}

bool EditingProfileWindow::GrabsFrames() const { return testHasVideo && !tempFolder.isEmpty(); }

void EditingProfileWindow::DrawFlatLine() { framePicture->DrawLine({{0, 0.5}, {1, 0.5}}); }

void EditingProfileWindow::GrabFrame(const QString& seekText, bool firstFrame) {
  const QString frameFile = tempFolder + "/frame.jpg";
  if (EditPreview::GrabFrame(testFile, frameFile, seekText) != EditPreview::RunOutcome::Done)
    return;
  const QImage frame(frameFile);
  if (frame.isNull()) return;
  framePicture->SetPicture(frame);
  if (firstFrame) {
    framePicture->setEnabled(true);
    muteCheck->setChecked(true);
  }
}

void EditingProfileWindow::LoadTestFile(const QString& path) {
  // A tool still running keeps the runner: the probe could learn nothing, and
  // the file would stand as one without pictures, sound or length.
  if (ToolRunner::GetState() != ToolRunner::RunState::Idle) return;
  const MediaInfo info = FfmpegProbe::ProbeMedia(path);
  // The empty record is a probe that could not start (no ffprobe): nothing is known of the file.
  if (info == MediaInfo() || FfmpegProbe::SaidUnreadable(path, info)) return;
  const EditPreview::TestFileFacts facts = EditPreview::FactsOf(info);
  testHasVideo = facts.hasVideo;
  testHasAudio = facts.hasAudio;
  testDuration = facts.duration;
  testWidth = facts.width;
  testHeight = facts.height;
  testAspect = facts.aspect;
  testFile = path;
  framePicture->Clear();
  framePicture->setEnabled(false);
  positionMarker->Left = -2;
  positionMarker->Place();
  if (GrabsFrames()) {
    GrabFrame(QString(), true);
  } else {
    DrawFlatLine();
  }
  timeLine->setEnabled(testDuration > 0);
  volumeBar->setEnabled(testHasAudio);
  rangeStart = 0;
  rangeWidth = 1;
  muteCheck->setEnabled(volumeBar->isEnabled());
  testFileComboText = path;
  testFileCombo->setEditText(path);
  testFileBox->setText(path);
}

void EditingProfileWindow::OpenTestFileChooser() {
  testFileChooser->show();
  testFileChooser->raise();
  SetSubPanelControlsEnabled(false);
}

void EditingProfileWindow::CloseTestFileChooser() {
  testFileChooser->hide();
  SetSubPanelControlsEnabled(true);
}

void EditingProfileWindow::OnTestFileTextEdited() {
  if (testFileCombo->currentText() != testFileComboText)
    testFileCombo->setEditText(testFileComboText);
  testFileBox->setText(testFileCombo->currentText());
}

void EditingProfileWindow::OnListedTestFileChosen() {
  const int index = testFileCombo->currentIndex();
  if (index >= 0 && index < Session::State().FileList.size())
    LoadTestFile(Session::State().FileList[index]);
}

void EditingProfileWindow::BrowseForTestFile() {
  // The file chosen could not be probed: the press says why before the choice.
  if (AnotherToolRunning::Refuse()) return;
  const QStringList chosen =
      DesktopServices::OpenFileDialog(QString(), this, QString(), QString(), false);
  if (chosen.isEmpty() || chosen.first().isEmpty()) return;
  fileMenu->setEnabled(false);
  optionsMenu->setEnabled(false);
  waitPanel->show();
  waitPanel->raise();
  LoadTestFile(chosen.first());
  waitPanel->hide();
}

void EditingProfileWindow::Preview() {
  if (NeedTestFile()) return;
  if (AnotherToolRunning::Refuse()) return;
  using EditPreview::UnitBox;
  auto unitBox = [](QLineEdit* box, QComboBox* combo) {
    return UnitBox{box->text(), SizeUnit(combo->currentIndex())};
  };
  QString options;
  switch (ChosenOperation()) {
    case Operation::Crop:
      options = EditPreview::CropOptions(
          unitBox(cropWidth, cropWidthUnitCombo), unitBox(cropHeight, cropHeightUnitCombo),
          unitBox(cropLeft, cropLeftUnitCombo), unitBox(cropTop, cropTopUnitCombo));
      break;
    case Operation::Resize: {
      const AspectSetting aspect = setAspectOption->isChecked()   ? AspectSetting::FromRatio
                                   : fitAspectOption->isChecked() ? AspectSetting::FitFinalSize
                                                                  : AspectSetting::Keep;
      options = EditPreview::ResizeOptions(unitBox(resizeWidth, resizeWidthUnitCombo),
                                           unitBox(resizeHeight, resizeHeightUnitCombo), aspect,
                                           aspectRatio->text());
      break;
    }
    case Operation::Volume:
      options = EditPreview::VolumeOptions(volumePercent->text());
      break;
    case Operation::Border:
      options = EditPreview::BorderOptions(
          unitBox(leftBorder, leftBorderUnitCombo), unitBox(rightBorder, rightBorderUnitCombo),
          unitBox(topBorder, topBorderUnitCombo), unitBox(bottomBorder, bottomBorderUnitCombo),
          Profile().BorderColor);
      break;
    case Operation::Tracks:
      options = EditPreview::RemoveTrackOptions(removeAudioCheck->isChecked(),
                                                removeVideoCheck->isChecked(),
                                                removeSubtitlesCheck->isChecked());
      break;
    case Operation::Equalizer: {
      if (!FfmpegTools::FfmpegExists()) return;
      std::array<QString, 10> frequencies, widths, gains;
      for (int i = 0; i < 10; ++i) {
        frequencies[i] = frequencyBoxes[i]->text();
        widths[i] = bandwidthBoxes[i]->text();
        gains[i] = gainBoxes[i]->text();
      }
      // The window waits disabled rather than hidden: hiding it would end the
      // modal wait of the editor around it.
      setEnabled(false);
      EditPreview::PlayEqualized(testFile, EditPreview::EqualizerChain(frequencies, widths, gains));
      setEnabled(true);
      return;
    }
    default:
      break;
  }
  Player::PlayFile({testFile}, options);
}
