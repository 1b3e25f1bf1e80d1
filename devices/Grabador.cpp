#include "devices/Grabador.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QGroupBox>
#include <QLineEdit>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSet>
#include <QTimer>

#include "devices/Emisor.h"
#include "devices/Form14.h"
#include "devices/Form15.h"
#include "frame/CaptureConsole.h"
#include "frame/Dialogs.h"
#include "frame/ModalWindow.h"
#include "frame/ScriptObj.h"
#include "frame/ffmpeg.h"
#include "lang/Lang.h"

namespace Grabador {

QString RecBufferSizeMB;
QString RecOutputPath;
QString RecFormatProfilePath;
uint8_t RecRunning = 0;
uint8_t RecStoppedByUser = 0;

namespace {

const QString CrLf = QStringLiteral("\r\n");
const QString SectionMarker = QStringLiteral("Auto-detected sources for ");
const QString DefaultAudioFormat = QStringLiteral("pulse");
const QString DefaultVideoFormat = QStringLiteral("v4l2");

const FfmpegOptionNames& Opt() { return ffmpeg::OptNames; }

const QSet<QString>& AudioInputs() {
  static const QSet<QString> names{"alsa", "pulse", "oss", "jack", "openal", "sndio"};
  return names;
}
const QSet<QString>& VideoInputs() {
  static const QSet<QString> names{"v4l2", "video4linux2", "fbdev", "kmsgrab", "x11grab"};
  return names;
}
bool IsKnownInput(const QString& name) {
  return AudioInputs().contains(name) || VideoInputs().contains(name) || name == "lavfi";
}

// A device line of the listing: "* name [description] (media types)", the
// star marking the default device.
QString DeviceNameOf(const QString& line) {
  if (line.size() < 3 || (line[0] != '*' && line[0] != ' ') || line[1] != ' ') return QString();
  const qsizetype description = line.indexOf(" [", 2);
  if (description < 0) return QString();
  return line.mid(2, description - 2).trimmed();
}

QString Escaped(QString text, const QString& special) {
  QString result;
  for (const QChar c : text) {
    if (special.contains(c)) result += '\\';
    result += c;
  }
  return result;
}
// A value inside a filter's options inside a filter graph: escaped once for
// the options and once more for the graph.
QString GraphValue(const QString& value) { return Escaped(Escaped(value, "\\':"), "\\'[],;"); }

QString DeviceInput(const Device& device, const QString& bufferOption) {
  QString input = bufferOption;
  input += " " + Opt().Format + " " + device.Format + " -i " +
           CaptureConsole::QuoteArgument(device.Name);
  return input;
}

// Two devices for ffplay, which reads a single input: one lavfi graph whose
// first output is the picture and second the sound.
QString PreviewGraph(const Device& audio, const Device& video) {
  return "movie=filename=" + GraphValue(video.Name) + ":format_name=" + GraphValue(video.Format) +
         "[out0];amovie=filename=" + GraphValue(audio.Name) +
         ":format_name=" + GraphValue(audio.Format) + "[out1]";
}

Source WindowSource(Form14* window) {
  Source source;
  source.Network = window->Option1->isChecked();
  source.Devices = window->Option2->isChecked();
  source.Address = window->Text1->text();
  source.UseAudio = window->Check2->isChecked();
  source.AudioDevice = window->Combo1->currentText();
  source.UseVideo = window->Check3->isChecked();
  source.VideoDevice = window->Combo2->currentText();
  return source;
}

void ShowRecordingPanel(Form14* window) {
  window->Frame4->show();
  window->Frame4->raise();
  window->Frame1->hide();
  window->Frame2->hide();
  window->Command2->hide();
  window->Text9->clear();
  window->Command4->setEnabled(true);
  window->Command9->setEnabled(true);
  window->Command8->setEnabled(true);
  window->Menu_Options->setEnabled(false);
  window->resize(window->width(), Form14::RecordingHeight);
}

// The compiled profile, or false after its message.
bool LoadRecordingFormat(CompiledFormat& format) {
  if (RecFormatProfilePath.isEmpty()) return true;
  uint8_t status = 0;
  format = Convertidor::LoadFormat(RecFormatProfilePath, status);
  if (status == 1) {
    Lang::MsgFormatProfileNotFound(RecFormatProfilePath);
    return false;
  }
  if (status == 2) {
    Lang::MsgFormatProfileReadError();
    return false;
  }
  if (status >= 3 || !format.AudioExtCodecName.isEmpty() || !format.VideoExtCodecName.isEmpty()) {
    Lang::MsgFormatUsesExtCodec();
    return false;
  }
  return true;
}

// The duration option, or false after its message.
bool DurationOption(Form14* window, QString& option) {
  option.clear();
  const QString text = window->Text11->text();
  if (text.isEmpty() || !window->Option3->isChecked() || !window->Option2->isChecked()) return true;
  const QString seconds = ffmpeg::TimeToSeconds(text);
  if (seconds.isEmpty()) {
    Lang::MsgInvalidDuration();
    return false;
  }
  option = Opt().Duration + " " + seconds;
  return true;
}

// An existing file is replaced only when the user says so: confirmed in the
// save dialog that chose it (for the first recording into it), or asked now.
// "No" records into the next free name, which the window then shows.
// False when the user cancels.
bool ChooseOutputFile(Form14* window, QString& outputFile, bool& replace) {
  replace = false;
  if (!QFileInfo::exists(outputFile)) return true;
  if (window->ReplaceConfirmedFor == outputFile) {
    replace = true;
    return true;
  }
  switch (Lang::AskReplaceFile()) {
    case 6:
      replace = true;
      return true;
    case 7:
      outputFile = ScriptObj::UniquePath(outputFile, false);
      RecOutputPath = outputFile;
      window->Text7->setText(outputFile);
      return true;
    default:
      return false;
  }
}

void RunRecording(Form14* window, const Convertidor::StepCommand& step) {
  // The confirmation was for the file that was there; it is not the one recorded now.
  window->ReplaceConfirmedFor.clear();
  QPointer<Form14> guard(window);
  RecRunning = 1;
  QString output;
  int32_t exitCode = 0;
  ffmpeg::ConsoleReport report;
  const bool started = CaptureConsole::RunCaptured(
      CaptureConsole::Pipeline{step.Command}, QString(), 1, 1, window->Text9, false,
      CaptureConsole::ReplaceByVisibleChunk, output, 256, exitCode,
      [&report](const QString& chunk) { report.Add(chunk); });
  if (!started) {
    Dialogs::MsgBox(Lang::TxtProcessStartFailed(), 16, Lang::BoxTitle());
  } else if ((RecStoppedByUser == 0 && exitCode > 0) || report.WriteFailed()) {
    // A recording ffmpeg could not write to its end is an error even after a stop.
    Lang::MsgFfmpegError(output);
  }
  RecRunning = 0;
  RecStoppedByUser = 0;
  if (!guard) return;
  // The player showing the source ends with the recording.
  CaptureConsole::EndCompanions(window);
  window->Command4->setEnabled(false);
  window->Command9->setEnabled(false);
  window->Command8->setEnabled(false);
  window->Text9->setText(Lang::TxtFinished());
}

}  // namespace

void Reset() {
  RecOutputPath.clear();
  RecFormatProfilePath.clear();
  RecRunning = 0;
  RecStoppedByUser = 0;
}

QString DeviceListCommand() {
  return CaptureConsole::QuoteArgument(ffmpeg::FfmpegPath) + " -hide_banner -sources";
}

void ParseDeviceList(const QString& output, QStringList& audio, QStringList& video) {
  audio.clear();
  video.clear();
  QStringList* section = nullptr;
  QString format;
  for (const QString& line : QString(output).replace(CrLf, "\n").split('\n')) {
    if (line.startsWith(SectionMarker)) {
      // "video4linux2,v4l2:": the last of the names is the short one.
      QString heading = line.mid(SectionMarker.size());
      if (heading.endsWith(':')) heading.chop(1);
      const QStringList names = heading.split(',');
      format = names.last().trimmed();
      const bool isAudio = AudioInputs().contains(format);
      const bool isVideo = VideoInputs().contains(format);
      section = isAudio ? &audio : isVideo ? &video : nullptr;
      continue;
    }
    const QString name = DeviceNameOf(line);
    if (section && !name.isEmpty()) *section << format + ":" + name;
  }
}

Device ParseDevice(const QString& text, const QString& defaultFormat) {
  const qsizetype colon = text.indexOf(':');
  if (colon > 0 && IsKnownInput(text.left(colon))) return {text.left(colon), text.mid(colon + 1)};
  return {defaultFormat, text};
}

QString InputArgs(const Source& source, bool withBuffer, const QString& bufferSizeMB) {
  if (source.Network) return source.Address.isEmpty() ? QString() : "-i " + source.Address;
  if (!source.Devices) return QString();
  const QString buffer = withBuffer && !bufferSizeMB.isEmpty() && bufferSizeMB != "0"
                             ? "-rtbufsize " + bufferSizeMB + "M"
                             : QString();
  // Each device is an input of its own here, so the buffer option goes before each.
  QStringList inputs;
  if (source.UseAudio && !source.AudioDevice.isEmpty())
    inputs << DeviceInput(ParseDevice(source.AudioDevice, DefaultAudioFormat), buffer);
  if (source.UseVideo && !source.VideoDevice.isEmpty())
    inputs << DeviceInput(ParseDevice(source.VideoDevice, DefaultVideoFormat), buffer);
  return inputs.join(' ');
}

QString PreviewArgs(const Source& source) {
  const QString inputs = InputArgs(source, false, QString());
  if (inputs.isEmpty()) return QString();
  const QString window = Opt().WindowWidth + " 640 " + Opt().WindowHeight + " 480 ";
  const bool twoDevices = source.Devices && source.UseAudio && !source.AudioDevice.isEmpty() &&
                          source.UseVideo && !source.VideoDevice.isEmpty();
  if (!twoDevices) return window + inputs;
  const QString graph = PreviewGraph(ParseDevice(source.AudioDevice, DefaultAudioFormat),
                                     ParseDevice(source.VideoDevice, DefaultVideoFormat));
  return window + Opt().Format + " lavfi -i " + CaptureConsole::QuoteArgument(graph);
}

bool IsNumeric(const QString& text) {
  static const QRegularExpression number(
      QStringLiteral("^[+-]?(\\d+\\.?\\d*|\\.\\d+)([eE][+-]?\\d+)?$"));
  return number.match(text.trimmed()).hasMatch();
}

bool IsValidBufferSize(const QString& text) {
  return IsNumeric(text) && !text.contains('.') && !text.contains('-') && !text.contains(',');
}

void ListDevices() {
  Form14* window = Form14::Instance();
  if (!window) return;
  window->Combo1->clear();
  window->Combo2->clear();
  QString output;
  int32_t exitCode = 0;
  CaptureConsole::RunCaptured(DeviceListCommand(), QString(), 0, 0, nullptr, false,
                              CaptureConsole::NoDisplay, output, -1, exitCode);
  if (output.isEmpty() || !Form14::Instance()) return;
  QStringList audio;
  QStringList video;
  ParseDeviceList(output, audio, video);
  window->Combo1->addItems(audio);
  window->Combo2->addItems(video);
  window->Combo1->setCurrentIndex(-1);
  window->Combo2->setCurrentIndex(-1);
}

QString BuildInputArgs(uint8_t withBuffer) {
  Form14* window = Form14::Instance();
  if (!window) return QString();
  return InputArgs(WindowSource(window), withBuffer == 1, RecBufferSizeMB);
}

void PlayPreview(uint8_t detached) {
  if (!ffmpeg::FfplayExists()) return;
  Form14* window = Form14::Instance();
  const QString params = window ? PreviewArgs(WindowSource(window)) : QString();
  if (params.isEmpty()) {
    Lang::MsgNoSource();
    return;
  }
  if (detached == 0) {
    ffmpeg::PlayFile({}, params);
    return;
  }
  CaptureConsole::StartCompanion({ffmpeg::FfplayPath, Convertidor::SplitArguments(params)}, window);
}

Convertidor::StepCommand RecordCommand(const CompiledFormat& format, const QString& inputArgs,
                                       const QString& durationOption, const QString& outputFile,
                                       bool replace) {
  const QString overwrite = replace ? Opt().Overwrite : Opt().NoOverwrite;
  const QStringList pieces{format.InputOptions,  inputArgs,
                           durationOption,       format.OutputOptions,
                           format.AudioOptions,  format.SubtitleCodecOption,
                           format.VideoOptions,  format.AspectOption,
                           format.SizeOption,    overwrite,
                           format.NoAudioOption, format.NoSubtitlesOption,
                           format.NoVideoOption};
  QString beforeOutput;
  for (const QString& piece : pieces) beforeOutput += " " + piece;
  beforeOutput += "  ";
  return FfmpegOutputStep(beforeOutput, outputFile);
}

Convertidor::StepCommand FfmpegOutputStep(const QString& options, const QString& output) {
  Convertidor::StepCommand step;
  step.Command.program = ffmpeg::FfmpegPath;
  step.Command.arguments = Convertidor::SplitArguments(options) << output;
  step.Shown = CaptureConsole::CommandText(step.Command);
  return step;
}

void ShowRecorder() {
  QPointer<Form14> window = new Form14;
  window->Form_Load();
  window->Menu_Options->setEnabled(false);
  window->Frame3->show();
  window->Frame3->raise();
  // The devices are listed once the window is up, inside its modal wait.
  QTimer::singleShot(0, window, [window] {
    ListDevices();
    if (!window) return;
    window->Frame3->hide();
    window->Menu_Options->setEnabled(true);
  });
  ModalWindow::Run(window);
  delete window.data();
}

void Record() {
  Form14* window = Form14::Instance();
  if (!window || RecRunning == 1) return;
  const bool toFile = window->Option3->isChecked();
  if (toFile && RecOutputPath.isEmpty()) {
    Lang::MsgNoOutputPath();
    return;
  }
  if (!ffmpeg::FfmpegExists()) return;
  if (window->Check1->isChecked() && !ScriptObj::FileExists(ffmpeg::FfplayPath)) {
    Lang::MsgFileNotFound(ffmpeg::FfplayPath);
    return;
  }
  if (toFile && window->Combo3->currentIndex() == 0 &&
      ScriptObj::GetExtensionName(RecOutputPath).isEmpty()) {
    Lang::MsgNoFileExtension();
    return;
  }
  QString duration;
  if (!DurationOption(window, duration)) return;
  QString inputArgs = BuildInputArgs(1);
  if (inputArgs.isEmpty()) {
    Lang::MsgNoSource();
    return;
  }
  if (window->Option4->isChecked()) {
    Form15::ShowStreamer(inputArgs);
    return;
  }
  if (!toFile) return;
  CompiledFormat format;
  if (!LoadRecordingFormat(format)) return;
  QString outputFile = RecOutputPath;
  if (ScriptObj::GetExtensionName(outputFile).isEmpty() && !format.Extension.isEmpty())
    outputFile += "." + format.Extension;
  bool replace = false;
  if (!ChooseOutputFile(window, outputFile, replace)) return;
  const Convertidor::StepCommand step =
      RecordCommand(format, inputArgs, duration, outputFile, replace);
  ShowRecordingPanel(window);
  if (window->Check1->isChecked()) PlayPreview(1);
  RunRecording(window, step);
}

}  // namespace Grabador
