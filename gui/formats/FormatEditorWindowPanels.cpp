// The format editor's panels over the rows: ffmpeg's help on a format or a
// codec, the two imports, and the external codecs' about text and programs.
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>

#include "core/formats/FormatEditor.h"
#include "core/frame/DesktopServices.h"
#include "core/frame/FfmpegProbe.h"
#include "core/frame/FfmpegTools.h"
#include "core/frame/ProgramHelp.h"
#include "core/frame/TextViewer.h"
#include "core/ground/CommandLine.h"
#include "core/ground/FileServices.h"
#include "core/ground/ToolRunner.h"
#include "core/lang/Lang.h"
#include "gui/formats/FormatEditorWindow.h"

// ffmpeg's help and the advanced option panels ------------------------------------------

void FormatEditorWindow::ShowHelp(const QString& option) {
  if (!FfmpegTools::FfmpegExists()) return;
  TextViewer::ShowCommandOutput(
      CommandLine::QuoteArgument(FfmpegTools::State().FfmpegPath) + " " + option, this);
}

void FormatEditorWindow::Help_Documentacion_Click() { ProgramHelp::ShowProgramHelp(); }

void FormatEditorWindow::Option1_Click() {
  Combo1->setEnabled(Option1->isChecked());
  Combo3->setEnabled(!Option1->isChecked());
}

void FormatEditorWindow::Option2_Click() {
  Combo1->setEnabled(!Option2->isChecked());
  Combo3->setEnabled(Option2->isChecked());
}

void FormatEditorWindow::Option3_Click() {
  Combo4->setEnabled(Option3->isChecked());
  Combo5->setEnabled(!Option3->isChecked());
}

void FormatEditorWindow::Option4_Click() {
  Combo4->setEnabled(!Option4->isChecked());
  Combo5->setEnabled(Option4->isChecked());
}

void FormatEditorWindow::Option5_Click() {
  if (DecoderView == 0) return;
  SwitchCodecView(0);
}

void FormatEditorWindow::Option6_Click() {
  if (DecoderView == 1) return;
  SwitchCodecView(1);
}

void FormatEditorWindow::SwitchCodecView(uint8_t decoderView) {
  for (QComboBox* combo : {Combo4, Combo5}) {
    const QString text = combo->currentText();
    const QString tag = Tag(combo);
    combo->clear();
    combo->setEditText(tag);
    SetTag(combo, text);
  }
  DecoderView = decoderView;
  FillAdvancedOptionLists(1);
}

namespace {

void FillIfEmpty(QComboBox* combo, const DynArray<QString>& list) {
  if (list.IsEmpty() || list.Items[0].isEmpty() || combo->count() > 0) return;
  // Adding entries must not replace what the user typed.
  const QString text = combo->currentText();
  combo->addItems(list.Items);
  combo->setEditText(text);
}

}  // namespace

void FormatEditorWindow::FillAdvancedOptionLists(uint8_t kind) {
  if (kind == 0) {
    FillIfEmpty(Combo1, FormatEditor::State().MuxerFormats);
    FillIfEmpty(Combo3, FormatEditor::State().DemuxerFormats);
    return;
  }
  const bool encoders = Option5->isChecked();
  FillIfEmpty(Combo4,
              encoders ? FormatEditor::State().AudioEncoders : FormatEditor::State().AudioDecoders);
  FillIfEmpty(Combo5,
              encoders ? FormatEditor::State().VideoEncoders : FormatEditor::State().VideoDecoders);
}

void FormatEditorWindow::Help_ffFormatHelp_Click() {
  const FormatProfile& profile = FormatEditor::State().CurrentFormat;
  if (Combo1->currentText().isEmpty()) Combo1->setEditText(profile.OutputContainer);
  if (Combo3->currentText().isEmpty()) Combo3->setEditText(profile.InputContainer);
  FillAdvancedOptionLists(0);
  AdvancedFrameOpen = 1;
  SetCommandsEnabled(false);
  Frame1->show();
  Frame1->raise();
}

void FormatEditorWindow::Help_ffCodecHelp_Click() {
  const FormatProfile& profile = FormatEditor::State().CurrentFormat;
  const bool encoders = Option5->isChecked();
  if (Combo4->currentText().isEmpty()) {
    Combo4->setEditText(encoders ? profile.AudioCodec : profile.InputAudioCodec);
  }
  if (Combo5->currentText().isEmpty()) {
    Combo5->setEditText(encoders ? profile.VideoCodec : profile.InputVideoCodec);
  }
  if (Tag(Combo4).isEmpty())
    SetTag(Combo4, encoders ? profile.InputAudioCodec : profile.AudioCodec);
  if (Tag(Combo5).isEmpty())
    SetTag(Combo5, encoders ? profile.InputVideoCodec : profile.VideoCodec);
  FillAdvancedOptionLists(1);
  AdvancedFrameOpen = 1;
  SetCommandsEnabled(false);
  Frame2->show();
  Frame2->raise();
}

void FormatEditorWindow::Command3_Click() {
  if ((Option1->isChecked() && Combo1->currentText().isEmpty()) ||
      (Option2->isChecked() && Combo3->currentText().isEmpty())) {
    Lang::MsgNoFormat();
    return;
  }
  if (!FfmpegTools::FfmpegExists()) return;
  const QString topic =
      Option1->isChecked() ? "muxer=" + Combo1->currentText() : "demuxer=" + Combo3->currentText();
  const QString cmdLine = CommandLine::QuoteArgument(FfmpegTools::State().FfmpegPath) + " -h " +
                          CommandLine::QuoteArgument(topic);
  Command5_Click();
  TextViewer::ShowCommandOutput(cmdLine, this);
}

void FormatEditorWindow::Command4_Click() {
  if ((Option3->isChecked() && Combo4->currentText().isEmpty()) ||
      (Option4->isChecked() && Combo5->currentText().isEmpty())) {
    Lang::MsgNoCodec();
    return;
  }
  if (!FfmpegTools::FfmpegExists()) return;
  const QString topic = (Option5->isChecked() ? "encoder=" : "decoder=") +
                        (Option3->isChecked() ? Combo4->currentText() : Combo5->currentText());
  const QString cmdLine = CommandLine::QuoteArgument(FfmpegTools::State().FfmpegPath) + " -h " +
                          CommandLine::QuoteArgument(topic);
  Command6_Click();
  TextViewer::ShowCommandOutput(cmdLine, this);
}

void FormatEditorWindow::Command5_Click() {
  ClosePanel(Frame1);
  AdvancedFrameOpen = 0;
}

void FormatEditorWindow::Command6_Click() {
  ClosePanel(Frame2);
  AdvancedFrameOpen = 0;
}

// The imports -------------------------------------------------------------------------

void FormatEditorWindow::Import_OfCmdL_Click() {
  SetCommandsEnabled(false);
  Frame4->show();
  Frame4->raise();
}

void FormatEditorWindow::Command8_Click() {
  FormatEditor::ImportCommandLine(Text4->text(), Text5->text());
  ClosePanel(Frame4);
}

void FormatEditorWindow::Command9_Click() { ClosePanel(Frame4); }

void FormatEditorWindow::Import_OfFile_Click() {
  // A tool still running (ffmpeg's help in the viewer) keeps the runner: the
  // file's probe could only come back empty.
  if (ToolRunner::GetState() != ToolRunner::Idle) return;
  const QStringList chosen = DesktopServices::OpenFileDialog(QString(), this, QString(), QString(),
                                                             false, 0, QString(), 0);
  if (chosen.isEmpty()) return;
  SetCommandsEnabled(false);
  Label5->setText(Tag(Label5));
  Frame6->show();
  Frame6->raise();
  const MediaInfo info = FfmpegProbe::ProbeMedia(chosen.first());
  if (FfmpegProbe::SaidUnreadable(chosen.first(), info)) {
    ClosePanel(Frame6);
    return;
  }
  List1->clear();
  for (const QString& line :
       FormatEditor::ProbeLines(info, FileServices::GetExtensionName(chosen.first()))) {
    auto* item = new QListWidgetItem(line, List1);
    item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
    item->setCheckState(Qt::Unchecked);
  }
  Frame6->hide();
  Frame5->show();
  Frame5->raise();
}

QList<bool> FormatEditorWindow::ProbeTicks() const {
  QList<bool> ticks;
  for (int i = 0; i < List1->count(); ++i) ticks << (List1->item(i)->checkState() == Qt::Checked);
  return ticks;
}

void FormatEditorWindow::Check1_Click() {
  const Qt::CheckState state = Check1->isChecked() ? Qt::Checked : Qt::Unchecked;
  for (int i = 0; i < List1->count(); ++i) List1->item(i)->setCheckState(state);
  List1->setCurrentRow(-1);
}

void FormatEditorWindow::Command10_Click() {
  QStringList lines;
  for (int i = 0; i < List1->count(); ++i) lines << List1->item(i)->text();
  if (!FormatEditor::ImportProbedValues(lines, ProbeTicks())) return;
  Check1->setChecked(false);
  ClosePanel(Frame5);
}

void FormatEditorWindow::Command11_Click() {
  Check1->setChecked(false);
  ClosePanel(Frame5);
}

// The about text of an external codec --------------------------------------------------

void FormatEditorWindow::Help_AboutEC_Click(uint8_t isVideo) {
  const FormatProfile& profile = FormatEditor::State().CurrentFormat;
  const QString& name = isVideo ? profile.VideoExtCodecName : profile.AudioExtCodecName;
  Frame3->setTitle(Tag(Frame3) + " - " + name);
  Text3->setPlainText(isVideo ? profile.VideoExtCodec.About : profile.AudioExtCodec.About);
  SetCommandsEnabled(false);
  Frame3->show();
  Frame3->raise();
}

void FormatEditorWindow::Command7_Click() { ClosePanel(Frame3); }

// The external codecs' programs ---------------------------------------------------------

void FormatEditorWindow::FindCodecExe(uint8_t isVideo) {
  if (!FormatEditor::HasExternalCodec(isVideo)) return;
  const QString current = FormatEditor::CodecExeLocation(isVideo);
  const QString fileName = current.isEmpty() ? QString() : current.section('/', -1);
  // Programs here have no ".exe", so the dialog lists every file.
  const QStringList chosen = DesktopServices::OpenFileDialog(
      QString(), this, FileServices::ParentFolder(current), QString(), false, 0, fileName, 0);
  if (chosen.isEmpty()) return;
  FormatEditor::SetCodecExe(isVideo, chosen.first());
}
