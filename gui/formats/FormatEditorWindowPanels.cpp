// The format editor's panels over the rows: ffmpeg's help on a format or a
// codec, the two imports, and the external codecs' about text and programs.
#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>

#include "core/formats/FormatEditor.h"
#include "core/frame/AnotherToolRunning.h"
#include "core/frame/DesktopServices.h"
#include "core/frame/FfmpegProbe.h"
#include "core/frame/FfmpegTools.h"
#include "core/frame/ProgramHelp.h"
#include "core/frame/TextViewer.h"
#include "core/ground/CommandLine.h"
#include "core/ground/ToolRunner.h"
#include "core/lang/Lang.h"
#include "gui/formats/FormatEditorWindow.h"

// ffmpeg's help and the advanced option panels ------------------------------------------

void FormatEditorWindow::ShowHelp(const QString& option) {
  if (AnotherToolRunning::Refuse() || !FfmpegTools::FfmpegExists()) return;
  TextViewer::ShowCommandOutput(
      CommandLine::QuoteArgument(FfmpegTools::State().FfmpegPath) + " " + option, this);
}

void FormatEditorWindow::ShowProgramHelp() { ProgramHelp::ShowProgramHelp(); }

void FormatEditorWindow::OnOutputFormatChosen() {
  outputFormatCombo->setEnabled(outputFormatOption->isChecked());
  inputFormatCombo->setEnabled(!outputFormatOption->isChecked());
}

void FormatEditorWindow::OnInputFormatChosen() {
  outputFormatCombo->setEnabled(!inputFormatOption->isChecked());
  inputFormatCombo->setEnabled(inputFormatOption->isChecked());
}

void FormatEditorWindow::OnAudioCodecChosen() {
  audioCodecCombo->setEnabled(audioCodecOption->isChecked());
  videoCodecCombo->setEnabled(!audioCodecOption->isChecked());
}

void FormatEditorWindow::OnVideoCodecChosen() {
  audioCodecCombo->setEnabled(!videoCodecOption->isChecked());
  videoCodecCombo->setEnabled(videoCodecOption->isChecked());
}

void FormatEditorWindow::ShowEncoderView() {
  if (!showingDecoders) return;
  SwitchCodecView(false);
}

void FormatEditorWindow::ShowDecoderView() {
  if (showingDecoders) return;
  SwitchCodecView(true);
}

void FormatEditorWindow::SwitchCodecView(bool toDecoders) {
  for (QComboBox* combo : {audioCodecCombo, videoCodecCombo}) {
    const QString text = combo->currentText();
    const QString tag = Tag(combo);
    combo->clear();
    combo->setEditText(tag);
    SetTag(combo, text);
  }
  showingDecoders = toDecoders;
  FillAdvancedOptionLists(AdvancedLists::Codecs);
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

void FormatEditorWindow::FillAdvancedOptionLists(AdvancedLists lists) {
  if (lists == AdvancedLists::Containers) {
    FillIfEmpty(outputFormatCombo, FormatEditor::State().Capabilities.MuxerFormats);
    FillIfEmpty(inputFormatCombo, FormatEditor::State().Capabilities.DemuxerFormats);
    return;
  }
  const bool encoders = encoderViewOption->isChecked();
  FillIfEmpty(audioCodecCombo, encoders ? FormatEditor::State().Capabilities.AudioEncoders
                                        : FormatEditor::State().Capabilities.AudioDecoders);
  FillIfEmpty(videoCodecCombo, encoders ? FormatEditor::State().Capabilities.VideoEncoders
                                        : FormatEditor::State().Capabilities.VideoDecoders);
}

void FormatEditorWindow::OpenFormatPanel() {
  const FormatProfile& profile = FormatEditor::State().CurrentFormat;
  if (outputFormatCombo->currentText().isEmpty())
    outputFormatCombo->setEditText(profile.OutputContainer);
  if (inputFormatCombo->currentText().isEmpty())
    inputFormatCombo->setEditText(profile.InputContainer);
  FillAdvancedOptionLists(AdvancedLists::Containers);
  advancedPanelOpen = true;
  SetCommandsEnabled(false);
  formatPanel->show();
  formatPanel->raise();
}

void FormatEditorWindow::OpenCodecPanel() {
  const FormatProfile& profile = FormatEditor::State().CurrentFormat;
  const bool encoders = encoderViewOption->isChecked();
  if (audioCodecCombo->currentText().isEmpty()) {
    audioCodecCombo->setEditText(encoders ? profile.AudioCodec : profile.InputAudioCodec);
  }
  if (videoCodecCombo->currentText().isEmpty()) {
    videoCodecCombo->setEditText(encoders ? profile.VideoCodec : profile.InputVideoCodec);
  }
  if (Tag(audioCodecCombo).isEmpty())
    SetTag(audioCodecCombo, encoders ? profile.InputAudioCodec : profile.AudioCodec);
  if (Tag(videoCodecCombo).isEmpty())
    SetTag(videoCodecCombo, encoders ? profile.InputVideoCodec : profile.VideoCodec);
  FillAdvancedOptionLists(AdvancedLists::Codecs);
  advancedPanelOpen = true;
  SetCommandsEnabled(false);
  codecPanel->show();
  codecPanel->raise();
}

void FormatEditorWindow::ShowFormatHelp() {
  if (AnotherToolRunning::Refuse()) return;
  if ((outputFormatOption->isChecked() && outputFormatCombo->currentText().isEmpty()) ||
      (inputFormatOption->isChecked() && inputFormatCombo->currentText().isEmpty())) {
    Lang::MsgNoFormat();
    return;
  }
  if (!FfmpegTools::FfmpegExists()) return;
  const QString topic = outputFormatOption->isChecked()
                            ? "muxer=" + outputFormatCombo->currentText()
                            : "demuxer=" + inputFormatCombo->currentText();
  const QString cmdLine = CommandLine::QuoteArgument(FfmpegTools::State().FfmpegPath) + " -h " +
                          CommandLine::QuoteArgument(topic);
  CloseFormatPanel();
  TextViewer::ShowCommandOutput(cmdLine, this);
}

void FormatEditorWindow::ShowCodecHelp() {
  if (AnotherToolRunning::Refuse()) return;
  if ((audioCodecOption->isChecked() && audioCodecCombo->currentText().isEmpty()) ||
      (videoCodecOption->isChecked() && videoCodecCombo->currentText().isEmpty())) {
    Lang::MsgNoCodec();
    return;
  }
  if (!FfmpegTools::FfmpegExists()) return;
  const QString topic = (encoderViewOption->isChecked() ? "encoder=" : "decoder=") +
                        (audioCodecOption->isChecked() ? audioCodecCombo->currentText()
                                                       : videoCodecCombo->currentText());
  const QString cmdLine = CommandLine::QuoteArgument(FfmpegTools::State().FfmpegPath) + " -h " +
                          CommandLine::QuoteArgument(topic);
  CloseCodecPanel();
  TextViewer::ShowCommandOutput(cmdLine, this);
}

void FormatEditorWindow::CloseFormatPanel() {
  ClosePanel(formatPanel);
  advancedPanelOpen = false;
}

void FormatEditorWindow::CloseCodecPanel() {
  ClosePanel(codecPanel);
  advancedPanelOpen = false;
}

// The imports -------------------------------------------------------------------------

void FormatEditorWindow::OpenCommandLinePanel() {
  SetCommandsEnabled(false);
  commandLinePanel->show();
  commandLinePanel->raise();
}

void FormatEditorWindow::ImportCommandLine() {
  FormatEditor::ImportCommandLine(outputOptions->text(), inputOptions->text());
  ClosePanel(commandLinePanel);
}

void FormatEditorWindow::CloseCommandLinePanel() { ClosePanel(commandLinePanel); }

void FormatEditorWindow::ImportFromFile() {
  // The file's probe needs the runner and ffprobe: asked now, it could only come back empty.
  if (AnotherToolRunning::Refuse() || !FfmpegTools::FfprobeExists()) return;
  const QStringList chosen =
      DesktopServices::OpenFileDialog(QString(), this, QString(), QString(), false);
  if (chosen.isEmpty()) return;
  SetCommandsEnabled(false);
  waitLabel->setText(Tag(waitLabel));
  waitPanel->show();
  waitPanel->raise();
  const MediaInfo info = FfmpegProbe::ProbeMedia(chosen.first());
  // The empty record is a probe that could not start: no value to import.
  if (info == MediaInfo() || FfmpegProbe::SaidUnreadable(chosen.first(), info)) {
    ClosePanel(waitPanel);
    return;
  }
  probeList->clear();
  for (const QString& line : FormatEditor::ProbeLines(info, QFileInfo(chosen.first()).suffix())) {
    auto* item = new QListWidgetItem(line, probeList);
    item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
    item->setCheckState(Qt::Unchecked);
  }
  waitPanel->hide();
  filePanel->show();
  filePanel->raise();
}

QList<bool> FormatEditorWindow::ProbeTicks() const {
  QList<bool> ticks;
  for (int i = 0; i < probeList->count(); ++i)
    ticks << (probeList->item(i)->checkState() == Qt::Checked);
  return ticks;
}

void FormatEditorWindow::OnTickAllClicked() {
  const Qt::CheckState state = tickAllCheck->isChecked() ? Qt::Checked : Qt::Unchecked;
  for (int i = 0; i < probeList->count(); ++i) probeList->item(i)->setCheckState(state);
  probeList->setCurrentRow(-1);
}

void FormatEditorWindow::ImportProbedValues() {
  QStringList lines;
  for (int i = 0; i < probeList->count(); ++i) lines << probeList->item(i)->text();
  if (!FormatEditor::ImportProbedValues(lines, ProbeTicks())) return;
  tickAllCheck->setChecked(false);
  ClosePanel(filePanel);
}

void FormatEditorWindow::CloseFilePanel() {
  tickAllCheck->setChecked(false);
  ClosePanel(filePanel);
}

// The about text of an external codec --------------------------------------------------

void FormatEditorWindow::ShowCodecAbout(bool isVideo) {
  const FormatProfile& profile = FormatEditor::State().CurrentFormat;
  const QString& name = isVideo ? profile.VideoExtCodecName : profile.AudioExtCodecName;
  aboutPanel->setTitle(Tag(aboutPanel) + " - " + name);
  aboutText->setPlainText(isVideo ? profile.VideoExtCodec.About : profile.AudioExtCodec.About);
  SetCommandsEnabled(false);
  aboutPanel->show();
  aboutPanel->raise();
}

void FormatEditorWindow::CloseAboutPanel() { ClosePanel(aboutPanel); }

// The external codecs' programs ---------------------------------------------------------

void FormatEditorWindow::FindCodecExe(bool isVideo) {
  if (!FormatEditor::HasExternalCodec(isVideo)) return;
  const QString current = FormatEditor::CodecExeLocation(isVideo);
  const QFileInfo info(current);
  // Programs here have no ".exe", so the dialog lists every file.
  const QStringList chosen = DesktopServices::OpenFileDialog(QString(), this, info.path(),
                                                             QString(), false, info.fileName());
  if (chosen.isEmpty()) return;
  FormatEditor::SetCodecExe(isVideo, chosen.first());
}
