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
  MakeCaption(Text12, "Text12", central, 120, 4320, 1800);
  Make(Text13, "Text13", central, 1950, 4320, 4290, 285)->setReadOnly(true);
  Make(Command2, "Command2", central, 6300, 4290, 480, 330);
  Make(PicSelTestFile, "PicSelTestFile", central, 120, 120, 6720, 4080)->hide();
  PicSelTestFile->setAutoFillBackground(true);
  Make(Label21, "Label21", PicSelTestFile, 120, 120, 3000, 285);
  Make(Combo13, "Combo13", PicSelTestFile, 120, 480, 5900, 330)->setEditable(true);
  Make(Command9, "Command9", PicSelTestFile, 6120, 480, 480, 330);
  Make(Command13, "Command13", PicSelTestFile, 5280, 1000, 1320, 360);
  Make(Picture7, "Picture7", central, 120, 120, 6720, 4080);
  Picture7->setAutoFillBackground(true);
  Make(Label19, "Label19", Picture7, 2400, 1800, 2000, 285);
  Label19->setAlignment(Qt::AlignCenter);
}

void EditingProfileWindow::SetTestFileCaptions() {
  Text12->setText("Archivo de prueba:");
  Command2->setText("...");
  Label21->setText("Archivo de prueba:");
  Command9->setText("...");
  Command13->setText("Atrás");
  Label19->setText("Espere...");
}

void EditingProfileWindow::WireTestFileControls() {
  connect(Command2, &QPushButton::clicked, this, &EditingProfileWindow::Command2_Click);
  connect(Opt_SelTestFile, &QAction::triggered, this, &EditingProfileWindow::Command2_Click);
  connect(Command13, &QPushButton::clicked, this, &EditingProfileWindow::Command13_Click);
  connect(Combo13, &QComboBox::editTextChanged, this, &EditingProfileWindow::Combo13_Change);
  connect(Combo13, &QComboBox::activated, this, &EditingProfileWindow::Combo13_Click);
  connect(Text13, &QLineEdit::textChanged, this,
          [this] { Text13->setCursorPosition(int(Text13->text().size())); });
  connect(Command9, &QPushButton::clicked, this, &EditingProfileWindow::Command9_Click);
  connect(Opt_Preview, &QAction::triggered, this, &EditingProfileWindow::Opt_Preview_Click);
}

void EditingProfileWindow::SetSubPanelControlsEnabled(bool enabled) {
  Menu_File->setEnabled(enabled);
  Menu_Options->setEnabled(enabled);
  // The test file's own button too: its chooser opened over the explorer would
  // hand the menus back while the explorer still stands.
  for (QPushButton* button : {Command3, Command15, Command14, Command2})
    button->setEnabled(enabled);
  SubPanelOpen = enabled ? 0 : 1;
}

void EditingProfileWindow::CloseSubPanel() {
  if (PicExploreStream->isVisible()) {
    PicExploreStream->hide();
  } else {
    PicSelTestFile->hide();
  }
  SetSubPanelControlsEnabled(true);
}

bool EditingProfileWindow::NeedTestFile() {
  if (!TestFile.isEmpty()) return false;
  Lang::MsgSelectTestFile();
  return true;
}

void EditingProfileWindow::DrawFlatLine() { Picture1->DrawLine({{0, 0.5}, {1, 0.5}}); }

void EditingProfileWindow::GrabFrame(const QString& seekText, bool firstFrame) {
  const QString frameFile = TempFolder + "/frame.jpg";
  QString output;
  int32_t exitCode = 0;
  const bool ran = ToolRunner::RunCaptured(
                       CommandLine::Pipeline{EditPreview::FrameGrab(TestFile, frameFile, seekText)},
                       QString(), 0, 0, ToolRunner::OutputSink(), ConsoleText::NoDisplay, output, 0,
                       exitCode) == ToolRunner::RunResult::Ran;
  if (!ran || exitCode != 0) return;
  const QImage frame(frameFile);
  if (frame.isNull()) return;
  Picture1->SetPicture(frame);
  if (firstFrame) {
    Picture1->setEnabled(true);
    Check1->setChecked(true);
  }
}

void EditingProfileWindow::LoadTestFile(const QString& path) {
  // A tool still running keeps the runner: the probe could learn nothing, and
  // the file would stand as one without pictures, sound or length.
  if (ToolRunner::GetState() != ToolRunner::Idle) return;
  const MediaInfo info = FfmpegProbe::ProbeMedia(path);
  if (FfmpegProbe::SaidUnreadable(path, info)) return;
  const EditPreview::TestFileFacts facts = EditPreview::FactsOf(info);
  TestHasVideo = facts.hasVideo;
  TestHasAudio = facts.hasAudio;
  TestDuration = facts.duration;
  TestWidth = facts.width;
  TestHeight = facts.height;
  TestAspect = facts.aspect;
  TestFile = path;
  Picture1->Clear();
  Picture1->setEnabled(false);
  Shape2->Left = -2;
  Shape2->Place();
  if (TempFolder.isEmpty() || TestHasVideo != 1) {
    DrawFlatLine();
  } else {
    GrabFrame(QString(), true);
  }
  Picture4->setEnabled(TestDuration > 0);
  Picture5->setEnabled(TestHasAudio == 1);
  RangeStart = 0;
  RangeWidth = 1;
  Check1->setEnabled(Picture5->isEnabled());
  Combo13Tag = path;
  Combo13->setEditText(path);
  Text13->setText(path);
}

void EditingProfileWindow::Command2_Click() {
  PicSelTestFile->show();
  PicSelTestFile->raise();
  SetSubPanelControlsEnabled(false);
}

void EditingProfileWindow::Command13_Click() {
  PicSelTestFile->hide();
  SetSubPanelControlsEnabled(true);
}

void EditingProfileWindow::Combo13_Change() {
  if (Combo13->currentText() != Combo13Tag) Combo13->setEditText(Combo13Tag);
  Text13->setText(Combo13->currentText());
}

void EditingProfileWindow::Combo13_Click() {
  const int index = Combo13->currentIndex();
  if (index >= 0 && index < Session::State().FileList.size())
    LoadTestFile(Session::State().FileList[index]);
}

void EditingProfileWindow::Command9_Click() {
  const QStringList chosen =
      DesktopServices::OpenFileDialog(QString(), this, QString(), QString(), false);
  if (chosen.isEmpty() || chosen.first().isEmpty()) return;
  Menu_File->setEnabled(false);
  Menu_Options->setEnabled(false);
  Picture7->show();
  Picture7->raise();
  LoadTestFile(chosen.first());
  Picture7->hide();
}

void EditingProfileWindow::Opt_Preview_Click() {
  if (NeedTestFile()) return;
  using EditPreview::UnitBox;
  auto unitBox = [](QLineEdit* box, QComboBox* combo) {
    return UnitBox{box->text(), combo->currentIndex()};
  };
  QString options;
  switch (List1->currentRow()) {
    case 1:
      options = EditPreview::CropOptions(unitBox(Text17, Combo2), unitBox(Text19, Combo3),
                                         unitBox(Text20, Combo4), unitBox(Text21, Combo5));
      break;
    case 2: {
      const int aspect = Option2->isChecked() ? 3 : Option1->isChecked() ? 2 : 1;
      options = EditPreview::ResizeOptions(unitBox(Text25, Combo7), unitBox(Text24, Combo6), aspect,
                                           Text2->text());
      break;
    }
    case 3:
      options = EditPreview::VolumeOptions(Text26->text());
      break;
    case 5:
      options = EditPreview::BorderOptions(unitBox(Text5, Combo10), unitBox(Text3, Combo9),
                                           unitBox(Text7, Combo11), unitBox(Text9, Combo12),
                                           Profile().BorderColor);
      break;
    case 6:
      options = EditPreview::RemoveTrackOptions(Check7->isChecked(), Check3->isChecked(),
                                                Check4->isChecked());
      break;
    case 7: {
      if (!FfmpegTools::FfmpegExists()) return;
      std::array<QString, 10> frequencies, widths, gains;
      for (int i = 0; i < 10; ++i) {
        frequencies[i] = Text14[i]->text();
        widths[i] = Text32[i]->text();
        gains[i] = Text27[i]->text();
      }
      const CommandLine::Pipeline pipeline = EditPreview::EqualizerPipeline(
          TestFile, EditPreview::EqualizerChain(frequencies, widths, gains));
      // The window waits disabled rather than hidden: hiding it would end the
      // modal wait of the editor around it.
      setEnabled(false);
      QString output;
      int32_t exitCode = 0;
      ToolRunner::RunCaptured(pipeline, FileServices::ParentFolder(FfmpegTools::State().FfmpegPath),
                              0, 0, ToolRunner::OutputSink(), ConsoleText::NoDisplay, output, 0,
                              exitCode);
      setEnabled(true);
      return;
    }
    default:
      break;
  }
  Player::PlayFile({TestFile}, options);
}
