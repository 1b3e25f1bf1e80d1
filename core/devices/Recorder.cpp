#include "core/devices/Recorder.h"

#include <QFileInfo>
#include <QRegularExpression>
#include <QSet>

#include "core/frame/FfmpegConsole.h"
#include "core/frame/FfmpegReport.h"
#include "core/frame/FfmpegTools.h"
#include "core/frame/FfmpegValues.h"
#include "core/frame/Player.h"
#include "core/ground/CommandLine.h"
#include "core/ground/ConsoleText.h"
#include "core/ground/FileServices.h"
#include "core/ground/ToolRunner.h"
#include "core/lang/Lang.h"

namespace Recorder {

namespace {

const QString SectionMarker = QStringLiteral("Auto-detected sources for ");
const QString DefaultAudioFormat = QStringLiteral("pulse");
const QString DefaultVideoFormat = QStringLiteral("v4l2");

const FfmpegOptionNames& Opt() { return FfmpegTools::State().OptNames; }

const QSet<QString>& AudioInputs() {
  static const QSet<QString> names{"alsa", "pulse", "oss", "jack", "openal", "sndio"};
  return names;
}
const QSet<QString>& VideoInputs() {
  static const QSet<QString> names{"v4l2", "video4linux2", "fbdev", "kmsgrab", "x11grab"};
  return names;
}
// The end of ffmpeg's console for the failure message; the end of its report
// when the profile kept the console quiet.
QString ConsoleEnd(const QString& output, const std::optional<FfmpegReport::Reading>& logged) {
  const QString console = FfmpegReport::WithoutNotice(output);
  if (!console.trimmed().isEmpty() || !logged) return console;
  return FfmpegReport::WithoutStatistics(logged->Text).right(256);
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

using FfmpegValues::FilterGraphValue;

QString DeviceInput(const Device& device, const QString& bufferOption) {
  QString input = bufferOption;
  input +=
      " " + Opt().Format + " " + device.Format + " -i " + CommandLine::QuoteArgument(device.Name);
  return input;
}

// Two devices for ffplay, which reads a single input: one lavfi graph whose
// first output is the picture and second the sound.
QString PreviewGraph(const Device& audio, const Device& video) {
  return "movie=filename=" + FilterGraphValue(video.Name) +
         ":format_name=" + FilterGraphValue(video.Format) +
         "[out0];amovie=filename=" + FilterGraphValue(audio.Name) +
         ":format_name=" + FilterGraphValue(audio.Format) + "[out1]";
}

// The compiled profile, or why it cannot be recorded with.
Refusal LoadRecordingFormat(CompiledFormat& format) {
  if (State().RecFormatProfilePath.isEmpty()) return Refusal::None;
  using Conversion::FormatStatus;
  FormatStatus status = FormatStatus::Compiled;
  format = Conversion::LoadFormat(State().RecFormatProfilePath, status);
  if (status == FormatStatus::FileMissing) return Refusal::ProfileMissing;
  if (status == FormatStatus::ReadError) return Refusal::ProfileUnreadable;
  if (status != FormatStatus::Compiled || !format.AudioExtCodecName.isEmpty() ||
      !format.VideoExtCodecName.isEmpty())
    return Refusal::ExternalCodec;
  return Refusal::None;
}

// The duration option, or false when the duration is no time. Only a
// recording of devices into a file has a duration.
bool DurationOption(const RecordRequest& request, QString& option) {
  option.clear();
  const QString& text = request.Duration;
  if (text.isEmpty() || !request.ToFile || !request.From.Devices) return true;
  const QString seconds = FfmpegValues::TimeToSeconds(text);
  if (seconds.isEmpty()) return false;
  option = Opt().Duration + " " + seconds;
  return true;
}

// An existing file is replaced only when the user says so: confirmed in the
// save dialog that chose it (for the first recording into it), or asked now.
// "No" records into the next free name, which becomes the destination.
// False when the user cancels.
bool ChooseOutputFile(const QString& replaceConfirmedFor,
                      const std::function<Dialogs::Button()>& askReplace, QString& outputFile,
                      bool& replace) {
  replace = false;
  if (!QFileInfo::exists(outputFile)) return true;
  if (replaceConfirmedFor == outputFile) {
    replace = true;
    return true;
  }
  switch (askReplace()) {
    case Dialogs::Button::Yes:
      replace = true;
      return true;
    case Dialogs::Button::No:
      outputFile = FileServices::UniquePath(outputFile, false);
      State().RecOutputPath = outputFile;
      return true;
    default:
      return false;
  }
}

}  // namespace

void Reset() {
  State().RecOutputPath.clear();
  State().RecFormatProfilePath.clear();
  State().RecRunning = false;
  State().RecStoppedByUser = false;
}

QString DeviceListCommand() {
  return CommandLine::QuoteArgument(FfmpegTools::State().FfmpegPath) + " -hide_banner -sources";
}

void ParseDeviceList(const QString& output, QStringList& audio, QStringList& video) {
  audio.clear();
  video.clear();
  QStringList* section = nullptr;
  QString format;
  for (const QString& line : output.split('\n')) {
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
  return window + Opt().Format + " lavfi -i " + CommandLine::QuoteArgument(graph);
}

bool IsNumeric(const QString& text) {
  static const QRegularExpression number(
      QStringLiteral("^[+-]?(\\d+\\.?\\d*|\\.\\d+)([eE][+-]?\\d+)?$"));
  return number.match(text.trimmed()).hasMatch();
}

bool IsValidBufferSize(const QString& text) {
  return IsNumeric(text) && !text.contains('.') && !text.contains('-') && !text.contains(',');
}

DeviceLists ListDevices() {
  QString output;
  int exitCode = 0;
  DeviceLists lists;
  if (ToolRunner::RunCaptured(CommandLine::ParseCommandLine(DeviceListCommand()), QString(), false,
                              false, ToolRunner::OutputSink(), ConsoleText::Display::NoDisplay,
                              output, -1, exitCode) == ToolRunner::RunResult::Busy) {
    lists.RunnerBusy = true;
    return lists;
  }
  ParseDeviceList(output, lists.Audio, lists.Video);
  return lists;
}

Refusal PlayPreview(const Source& source, bool detached, QObject* companionOwner) {
  if (!FileServices::FileExists(FfmpegTools::State().FfplayPath)) return Refusal::FfplayNotFound;
  const QString params = PreviewArgs(source);
  if (params.isEmpty()) return Refusal::NoSource;
  // A player beside the recording runs on its own; the player window takes the runner.
  if (!detached && ToolRunner::GetState() != ToolRunner::RunState::Idle)
    return Refusal::AnotherToolRunning;
  if (!detached) {
    Player::PlayFile({}, params);
    return Refusal::None;
  }
  ToolRunner::StartCompanion({FfmpegTools::State().FfplayPath, Conversion::SplitArguments(params)},
                             companionOwner);
  return Refusal::None;
}

Conversion::StepCommand RecordCommand(const CompiledFormat& format, const QString& inputArgs,
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

Conversion::StepCommand FfmpegOutputStep(const QString& options, const QString& output) {
  Conversion::StepCommand step;
  step.Command.program = FfmpegTools::State().FfmpegPath;
  step.Command.arguments = Conversion::SplitArguments(options) << output;
  step.Shown = CommandLine::CommandText(step.Command);
  return step;
}

RecordPlan PlanRecording(const RecordRequest& request,
                         const std::function<Dialogs::Button()>& askReplace) {
  RecordPlan plan;
  const auto refuse = [&plan](Refusal why) {
    plan.Refused = why;
    return plan;
  };
  if (request.ToFile && State().RecOutputPath.isEmpty()) return refuse(Refusal::NoOutputPath);
  if (!FileServices::FileExists(FfmpegTools::State().FfmpegPath))
    return refuse(Refusal::FfmpegNotFound);
  if (request.WithPlayer && !FileServices::FileExists(FfmpegTools::State().FfplayPath))
    return refuse(Refusal::PlayerFileMissing);
  if (request.ToFile && request.AutomaticFormat &&
      QFileInfo(State().RecOutputPath).suffix().isEmpty())
    return refuse(Refusal::NoExtension);
  QString duration;
  if (!DurationOption(request, duration)) return refuse(Refusal::InvalidDuration);
  const QString inputArgs = InputArgs(request.From, true, State().RecBufferSizeMB);
  if (inputArgs.isEmpty()) return refuse(Refusal::NoSource);
  if (request.ToStreamer) {
    plan.What = RecordPlan::Action::Stream;
    plan.InputArgs = inputArgs;
    return plan;
  }
  if (!request.ToFile) return plan;
  CompiledFormat format;
  if (const Refusal why = LoadRecordingFormat(format); why != Refusal::None) return refuse(why);
  QString outputFile = State().RecOutputPath;
  if (QFileInfo(outputFile).suffix().isEmpty() && !format.Extension.isEmpty())
    outputFile += "." + format.Extension;
  const QString destination = State().RecOutputPath;
  bool replace = false;
  if (!ChooseOutputFile(request.ReplaceConfirmedFor, askReplace, outputFile, replace)) return plan;
  if (State().RecOutputPath != destination) plan.NextFreeName = State().RecOutputPath;
  plan.What = RecordPlan::Action::Record;
  plan.Step = RecordCommand(format, inputArgs, duration, outputFile, replace);
  return plan;
}

RecordingEnd RunRecording(const Conversion::StepCommand& step, const ToolRunner::OutputSink& show) {
  State().RecRunning = true;
  // A stop that came after the last recording had ended (its timer firing
  // late) is no stop of this one.
  State().RecStoppedByUser = false;
  // ffmpeg's own report logs a write it could not finish whatever log level
  // the profile's options ask of the console; at the verbose level it also
  // counts what went into the file.
  const FfmpegReport::Log log(FfmpegReport::VerboseLevel);
  CommandLine::Command command = step.Command;
  log.Attach(command);
  QString output;
  int exitCode = 0;
  FfmpegConsole::Report report;
  const ToolRunner::RunResult run =
      ToolRunner::RunCaptured(CommandLine::Pipeline{command}, QString(), true, true, show,
                              ConsoleText::Display::ReplaceByVisibleChunk, output, 256, exitCode,
                              [&report](const QString& chunk) { report.Add(chunk); });
  if (run == ToolRunner::RunResult::Busy) {
    State().RecRunning = false;
    return {RecordingEnd::Outcome::RunnerBusy, QString()};
  }
  const std::optional<FfmpegReport::Reading> logged = log.Read();
  const bool writeFailed = report.WriteFailed() || (logged && logged->Report.WriteFailed());
  // A recording that ended by itself closes its report with ffmpeg's summary;
  // a disk full from the start takes neither the recording nor the report.
  const bool cut = !State().RecStoppedByUser && logged && !logged->Report.Summarised();
  // A profile that limits the output to nothing ("-t 0", "-frames 0") leaves
  // a file that holds no recording, and ffmpeg still ends with code 0.
  const bool empty = logged && logged->Report.OutputEmpty();
  RecordingEnd end;
  if (run == ToolRunner::RunResult::NotStarted) {
    end.Result = RecordingEnd::Outcome::NotStarted;
  } else if ((!State().RecStoppedByUser && exitCode > 0) || writeFailed || cut) {
    // A recording ffmpeg could not write to its end is an error even after a stop.
    end.Result = RecordingEnd::Outcome::FfmpegFailed;
    end.Output = ConsoleEnd(output, logged);
  } else if (empty) {
    end.Result = RecordingEnd::Outcome::FfmpegFailed;
    end.Output = Lang::TxtNothingWritten();
  }
  State().RecRunning = false;
  State().RecStoppedByUser = false;
  return end;
}

namespace {
// Each stop is the user's: ffmpeg's exit code then tells no failure.
void SendQuit() {
  ToolRunner::SendInput("q", ToolRunner::InputEnd::LineEnd);
  State().RecStoppedByUser = true;
}
}  // namespace

bool StopRecording() {
  if (ToolRunner::GetState() == ToolRunner::RunState::PauseRequested) {
    ToolRunner::RequestResume();
    return false;
  }
  SendQuit();
  return true;
}

bool StopOnceResumed() {
  const ToolRunner::RunState state = ToolRunner::GetState();
  if (state == ToolRunner::RunState::ResumeRequested ||
      state == ToolRunner::RunState::PauseRequested)
    return false;
  SendQuit();
  return true;
}

void ForceStop() {
  ToolRunner::RequestStop();
  State().RecStoppedByUser = true;
}

}  // namespace Recorder
