#include "core/frame/FfmpegTools.h"

#include <QFileInfo>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QStringList>
#include <cmath>
#include <optional>

#include "core/frame/Session.h"
#include "core/ground/CommandLine.h"
#include "core/ground/ConsoleText.h"
#include "core/ground/FileServices.h"
#include "core/ground/ProgramFolder.h"
#include "core/ground/ToolRunner.h"
#include "core/lang/Lang.h"

namespace FfmpegTools {

namespace {

const QString CrLf = QStringLiteral("\r\n");

bool ToolExists(const QString& path, void (*notFound)()) {
  if (FileServices::FileExists(path)) return true;
  notFound();
  return false;
}

// A number as typed: blanks around it allowed, always a decimal point. One
// too large for single precision comes back infinite.
std::optional<float> ReadNumber(const QString& text) {
  static const QRegularExpression number(
      QStringLiteral(R"(^\s*[+-]?(\d+\.?\d*|\.\d+)([eE][+-]?\d+)?\s*$)"));
  if (!number.match(text).hasMatch()) return std::nullopt;
  return static_cast<float>(text.trimmed().toDouble());
}

// Seven significant digits, never an exponent, which ffmpeg's time options refuse.
QString SingleText(float value) {
  if (value == 0) return QStringLiteral("0");
  const QString text = QString::number(value, 'g', 7);
  if (!text.contains('e')) return text;
  const int wholeDigits = static_cast<int>(std::floor(std::log10(std::fabs(value)))) + 1;
  QString fixed = QString::number(value, 'f', std::max(0, 7 - wholeDigits));
  if (fixed.contains('.')) {
    while (fixed.endsWith('0')) fixed.chop(1);
    if (fixed.endsWith('.')) fixed.chop(1);
  }
  return fixed;
}

// The text from right after the marker up to the next line end; "" when
// either is missing. ffprobe's "N/A" (unknown) is also "".
QString Cut(const QString& text, const QString& marker, const QString& end = CrLf) {
  const qsizetype at = text.indexOf(marker);
  if (at < 0) return {};
  const qsizetype start = at + marker.size();
  const qsizetype stop = text.indexOf(end, start);
  if (stop < 0) return {};
  const QString value = text.mid(start, stop - start);
  return value.trimmed() == QLatin1String("N/A") ? QString() : value;
}

QString CodecTag(const QString& block) {
  const QString tag = Cut(block, QStringLiteral("codec_tag_string="));
  return tag.contains(QLatin1String("[0]")) ? QString() : tag;
}

QString ContainerTag(const QString& output, const QString& name) {
  return Cut(output, CrLf + "    " + name.leftJustified(16) + ": ");
}

// The container's duration, from the format section: a stream may end long
// before the file does (a still picture over a song).
QString FormatDuration(const QString& output) {
  const qsizetype at = output.indexOf(QStringLiteral("[FORMAT]") + CrLf);
  return at < 0 ? QString() : Cut(output.sliced(at), CrLf + "duration=");
}

// The header's "Duration: 00:01:02.50," in seconds, as ffprobe writes them.
QString HeaderSeconds(const QString& output) {
  const QStringList fields =
      Cut(output, QStringLiteral("Duration: "), QStringLiteral(",")).split(':');
  if (fields.size() != 3) return {};
  double seconds = 0;
  for (const QString& field : fields) {
    bool ok = false;
    seconds = seconds * 60 + field.toDouble(&ok);
    if (!ok) return {};
  }
  return QString::number(seconds, 'f', 6);
}

void ReadAudio(const QString& block, MediaInfo& info) {
  info.HasAudio = 1;
  info.AudioChannels = Cut(block, QStringLiteral("channels="));
  info.AudioBitrate = Cut(block, QStringLiteral("bit_rate="));
  info.AudioCodec = Cut(block, QStringLiteral("codec_name="));
  info.AudioSampleRate = Cut(block, QStringLiteral("sample_rate="));
  info.AudioCodecTag = CodecTag(block);
}

// Whether the stream is shown turned a quarter: its display matrix (the side
// data's "rotation=") or, in files of older writers, its "rotate" tag says
// 90 or 270 degrees, either way round.
bool TurnedOnItsSide(const QString& block) {
  for (const QString& marker : {QStringLiteral("rotation="), QStringLiteral("TAG:rotate=")}) {
    bool ok = false;
    const double degrees = Cut(block, marker).toDouble(&ok);
    if (ok) return std::lround(std::fabs(degrees)) % 180 == 90;
  }
  return false;
}

// "320x240" as "240x320", "4:3" as "3:4".
QString Swapped(const QString& pair, QChar separator) {
  const QStringList sides = pair.split(separator);
  return sides.size() == 2 ? sides[1] + separator + sides[0] : pair;
}

void ReadVideo(const QString& block, MediaInfo& info) {
  info.HasVideo = 1;
  info.VideoCodec = Cut(block, QStringLiteral("codec_name="));
  info.VideoSize = Cut(block, QStringLiteral("width="));
  const QString height = Cut(block, QStringLiteral("height="));
  if (!height.isEmpty()) info.VideoSize += "x" + height;
  info.VideoBitrate = Cut(block, QStringLiteral("bit_rate="));
  info.VideoFrameRate = Cut(block, QStringLiteral("r_frame_rate="));
  info.VideoPixelFormat = Cut(block, QStringLiteral("pix_fmt="));
  info.AspectRatio = Cut(block, QStringLiteral("display_aspect_ratio="));
  info.VideoCodecTag = CodecTag(block);
  // Players and ffmpeg turn such a picture upright before anything else.
  if (TurnedOnItsSide(block)) {
    info.VideoSize = Swapped(info.VideoSize, 'x');
    info.AspectRatio = Swapped(info.AspectRatio, ':');
  }
}

void ReadStreams(const QString& output, MediaInfo& info) {
  bool audio = false, video = false, subtitle = false;
  for (const QString& block : output.split(QStringLiteral("[/STREAM]") + CrLf)) {
    if (audio && video && subtitle) break;
    if (!audio && block.contains(QStringLiteral("codec_type=audio") + CrLf)) {
      audio = true;
      ReadAudio(block, info);
    } else if (!video && block.contains(QStringLiteral("codec_type=video") + CrLf)) {
      video = true;
      ReadVideo(block, info);
    } else if (!subtitle && block.contains(QStringLiteral("codec_type=subtitle") + CrLf)) {
      subtitle = true;
      info.HasSubtitle = 1;
      info.SubtitleCodec = Cut(block, QStringLiteral("codec_name="));
    }
  }
}

}  // namespace

FfmpegOptionNames DefaultOptionNames() {
  return {"-f",          "-c:a",
          "-c:v",        "-c:s",
          "-pix_fmt",    "-aspect",
          "-target",     "-b:a",
          "-minrate:a",  "-maxrate:a",
          "-ar",         "-ac",
          "-aq",         "-an",
          "-b:v",        "-minrate:v",
          "-maxrate:v",  "-r",
          "-q:v",        "-qmin:v",
          "-qmax:v",     "-s",
          "-vn",         "-af",
          "-vf",         "-filter_complex",
          "-t",          "-vol",
          "-sn",         "-ss",
          "-video_size", "-x",
          "-y",          "-vframes",
          "-y",          "-nodisp",
          "-autoexit",   "-loglevel",
          "-fs",         "-pass",
          "-n",          "-vtag",
          "-atag"};
}

void InitOptionNames() { State().OptNames = DefaultOptionNames(); }

bool FfmpegExists() { return ToolExists(State().FfmpegPath, Lang::MsgFfmpegNotFound); }
bool FfplayExists() { return ToolExists(State().FfplayPath, Lang::MsgFfplayNotFound); }
bool FfprobeExists() { return ToolExists(State().FfprobePath, Lang::MsgFfprobeNotFound); }

const QStringList& ToolNames() {
  static const QStringList names = {"ffmpeg", "ffplay", "ffprobe", "cdda2wav"};
  return names;
}

QStringList FindTools(const QString& folder, const QList<bool>& missing) {
  const QStringList& names = ToolNames();
  QStringList found(names.size());
  int left = static_cast<int>(missing.count(true));
  if (left == 0) return found;
  for (const QString& file : FileServices::ListFilesRecursive(folder, QString())) {
    const QFileInfo info(file);
    for (int tool = 0; tool < names.size(); ++tool) {
      if (missing[tool] && found[tool].isEmpty() && info.fileName().toLower() == names[tool] &&
          info.isExecutable()) {
        found[tool] = file;
        --left;
      }
    }
    if (left == 0) break;
  }
  // On Linux the tools usually come from the system's packages rather than
  // beside the program, so what the program folder lacks is looked up on PATH.
  for (int tool = 0; tool < names.size(); ++tool) {
    if (missing[tool] && found[tool].isEmpty()) {
      found[tool] = QStandardPaths::findExecutable(names[tool]);
    }
  }
  return found;
}

QStringList WithMissingToolsFound(const QStringList& paths) {
  QList<bool> missing;
  for (const QString& path : paths) missing << !FileServices::FileExists(path);
  if (!missing.contains(true)) return paths;
  const QStringList found = FindTools(ProgramFolder::Path(), missing);
  QStringList result = paths;
  for (int tool = 0; tool < result.size(); ++tool) {
    if (!found[tool].isEmpty()) result[tool] = found[tool];
  }
  return result;
}

ToolProblem CheckTool(const QString& path) {
  const QFileInfo info(path);
  if (!info.isFile()) return ToolProblem::Missing;
  if (!info.isExecutable()) return ToolProblem::NotProgram;
  return ToolProblem::None;
}

QString ShownToolPath(const QString& path) {
  const QString shown = Session::StoreAppPath(path);
  return FileServices::FileExists(path) ? shown : shown + "<" + Lang::TxtNotFound() + ">";
}

namespace {

QString Escaped(const QString& text, const QString& special) {
  QString result;
  for (const QChar c : text) {
    if (special.contains(c)) result += '\\';
    result += c;
  }
  return result;
}

}  // namespace

QString FilterGraphValue(const QString& value) {
  return Escaped(Escaped(value, QStringLiteral("'\\:")), QStringLiteral("'\\[],;"));
}

QString TimeToSeconds(const QString& text) {
  if (text.isEmpty()) return {};
  const QStringList fields = text.split(':');
  if (fields.size() > 3) return {};
  float total = 0;
  float multiplier = 1;
  for (auto field = fields.crbegin(); field != fields.crend(); ++field) {
    const std::optional<float> value = ReadNumber(*field);
    if (!value) return {};
    total = *value * multiplier + total;
    multiplier *= 60;
  }
  // Its callers say what an unusable time means to them (the command table's
  // message, the editing fields' checks on every key), so nothing is shown here.
  if (!std::isfinite(total) || total < 0) return {};
  // The bound holds for the text ffmpeg is given, after the rounding above.
  const QString seconds = SingleText(total);
  if (seconds.toDouble() > LongestSeconds) return {};
  return seconds;
}

void ConsoleReport::Add(const QString& chunk) {
  if (chunk.isEmpty()) return;
  const QStringView text(chunk);
  qsizetype start = FinishSplitLineEnd(text);
  for (qsizetype end = text.indexOf(CrLf, start); end >= 0; end = text.indexOf(CrLf, start)) {
    AddToLine(text.sliced(start, end - start));
    EndLine();
    start = end + CrLf.size();
  }
  QStringView rest = text.sliced(start);
  endsInCr_ = rest.endsWith('\r');
  if (endsInCr_) rest.chop(1);
  AddToLine(rest);
}

qsizetype ConsoleReport::FinishSplitLineEnd(QStringView chunk) {
  if (!endsInCr_) return 0;
  endsInCr_ = false;
  if (chunk.startsWith('\n')) {
    EndLine();
    return 1;
  }
  AddToLine(u"\r");
  return 0;
}

void ConsoleReport::AddToLine(QStringView part) {
  partialLine_ += part.left(qMax<qsizetype>(0, LineHeadLength - partialLine_.size()));
}

void ConsoleReport::EndLine() {
  ReadLine(partialLine_);
  partialLine_.resize(0);
}

namespace {

// ffmpeg's progress: "frame=... time=..." with a picture, else "size=...";
// its last one may say "Lsize=".
bool IsStatusLine(const QString& message) {
  return message.startsWith(QLatin1String("frame=")) ||
         message.startsWith(QLatin1String("size=")) || message.startsWith(QLatin1String("Lsize="));
}

// "time=HH:MM:SS.ss" in seconds; nothing for "time=N/A" or a time before the start.
std::optional<double> StatusTime(const QString& message) {
  static const QRegularExpression time(
      QStringLiteral(R"(\btime=(\d+):(\d{2}):(\d{2}(?:\.\d+)?)(?!\S))"));
  const QRegularExpressionMatch match = time.match(message);
  if (!match.hasMatch()) return std::nullopt;
  return match.captured(1).toDouble() * 3600 + match.captured(2).toDouble() * 60 +
         match.captured(3).toDouble();
}

}  // namespace

void ConsoleReport::ReadLine(const QString& line) {
  // A message of a library part starts with its "[name @ 0x...] " tag.
  static const QRegularExpression tag(QStringLiteral(R"(^\[[^\]]* @ [^\]]*\] )"));
  static const QRegularExpression mappedStream(QStringLiteral(R"(^\s+Stream #(\d+):\d+\b)"));
  static const QRegularExpression summary(QStringLiteral(R"(^video:\S+ audio:\S+ subtitle:)"));
  // The statistics of an output file name it, then each of its streams, and
  // end with its total; an input's total says "demuxed".
  static const QRegularExpression outputStream(QStringLiteral(R"(^\s+Output stream #\d+:\d+ \()"));
  static const QRegularExpression outputTotal(
      QStringLiteral(R"(^\s+Total: (\d+) packets \((\d+) bytes\) muxed\s*$)"));
  if (line.isEmpty()) return;  // an empty line tells nothing
  if (inMapping_) {
    if (line.startsWith(' ')) {
      const QRegularExpressionMatch match = mappedStream.match(line);
      if (match.hasMatch() && !mappedInputs_.contains(match.captured(1).toInt()))
        mappedInputs_ << match.captured(1).toInt();
      return;
    }
    inMapping_ = false;
  }
  if (line == QLatin1String("Stream mapping:")) {
    inMapping_ = true;
    return;
  }
  const QString message = QString(line).remove(tag);
  if (message.startsWith(QLatin1String("Error writing trailer")) ||
      message.startsWith(QLatin1String("Error closing file")))
    writeFailed_ = true;
  if (message.startsWith(QLatin1String("Impossible to open '"))) inputLost_ = true;
  if (summary.match(message).hasMatch()) summarised_ = true;
  if (message.startsWith(QLatin1String("Output file #"))) outputStreamless_ = true;
  if (outputStream.match(message).hasMatch()) outputStreamless_ = false;
  if (const QRegularExpressionMatch total = outputTotal.match(message); total.hasMatch()) {
    if (!outputStreamless_ &&
        (total.captured(1).toLongLong() == 0 || total.captured(2).toLongLong() == 0))
      outputEmpty_ = true;
    outputStreamless_ = false;
  }
  if (IsStatusLine(message)) outputSeconds_ = StatusTime(message);
}

namespace {

// ffprobe's last line, "<file>: Invalid data found when processing input",
// without the file name it starts with.
QString ProbeFailure(const QString& output, const QString& file) {
  const QStringList lines = output.split(CrLf, Qt::SkipEmptyParts);
  const QString last = lines.isEmpty() ? QString() : lines.last().trimmed();
  const QString named = file + QStringLiteral(": ");
  return last.startsWith(named) ? last.sliced(named.size()) : last;
}

}  // namespace

MediaInfo ProbeMedia(const QString& path) {
  if (!FfprobeExists()) return {};
  const QString file = FileServices::GetShortPath(path);
  const CommandLine::Command probe{State().FfprobePath,
                                   {"-show_streams", "-show_format", "-i", file}};
  QString output;
  int32_t exitCode = 0;
  if (ToolRunner::RunCaptured({probe}, QString(), 0, 0, ToolRunner::OutputSink(),
                              ConsoleText::NoDisplay, output, -1,
                              exitCode) != ToolRunner::RunResult::Ran)
    return {};
  if (exitCode == 0) return ParseProbeOutput(output);
  MediaInfo unread;
  unread.ReadFailure = ProbeFailure(output, file);
  return unread;
}

MediaInfo ParseProbeOutput(const QString& output) {
  MediaInfo info;
  info.Container = Cut(output, CrLf + "Input #0,", QStringLiteral(","));
  info.Duration = FormatDuration(output);
  if (info.Duration.isEmpty()) info.Duration = Cut(output, QStringLiteral("duration="));
  if (info.Duration.isEmpty()) info.Duration = HeaderSeconds(output);
  info.Bitrate = Cut(output, QStringLiteral(" bitrate:"));
  info.Title = ContainerTag(output, QStringLiteral("title"));
  info.Artist = ContainerTag(output, QStringLiteral("artist"));
  info.Album = ContainerTag(output, QStringLiteral("album"));
  info.Genre = ContainerTag(output, QStringLiteral("genre"));
  info.Track = ContainerTag(output, QStringLiteral("track"));
  ReadStreams(output, info);
  return info;
}

bool SaidUnreadable(const QString& path, const MediaInfo& info) {
  if (info.ReadFailure.isEmpty()) return false;
  Lang::MsgCannotReadFile(path, info.ReadFailure);
  return true;
}

// ---- Preview player ----------------------------------------------------

namespace {

// The caller's option text as arguments.
QStringList OptionWords(const QString& params) { return CommandLine::SplitCommandLine(params); }

// ffmpeg takes the audio of the first file and the video of the second and
// streams them, uncompressed, into ffplay's input.
PlayCommand PipeCommand(const QString& audio, const QString& video) {
  const FfmpegOptionNames& o = State().OptNames;
  const CommandLine::Command mux{
      State().FfmpegPath,
      {o.NoVideo, "-i", FileServices::GetShortPath(audio), o.NoAudio, "-i",
       FileServices::GetShortPath(video), o.Format, "matroska", o.AudioCodec, "pcm_s16le",
       o.VideoCodec, "rawvideo", o.PixelFormat, "yuv420p", "pipe:1"}};
  const CommandLine::Command play{State().FfplayPath, {"-i", "pipe:0"}};
  return {{mux, play}, FileServices::ParentFolder(State().FfmpegPath), 1};
}

PlayerWindow g_playerWindow = nullptr;

}  // namespace

PlayCommand BuildPlayCommand(const QStringList& files, const QString& params) {
  QStringList paths = files;
  paths.removeAll(QString());
  if (paths.isEmpty()) return {{{State().FfplayPath, OptionWords(params)}}, QString(), 0};
  if (paths.size() >= 2) return PipeCommand(paths.first(), paths.last());
  return {{{State().FfplayPath, OptionWords(params)
                                    << "-i" << FileServices::GetShortPath(paths.first())}},
          QString(),
          0};
}

void PlayFile(const QStringList& files, const QString& params) {
  // The runner takes one tool at a time. A player opened over a running tool
  // would play nothing, and could not close before that tool's wait had ended,
  // which waits for the player: the press waits quietly instead.
  if (ToolRunner::GetState() != ToolRunner::Idle) return;
  if (!FfplayExists()) return;
  const PlayCommand command = BuildPlayCommand(files, params);
  if (command.pipeMode == 1 && !FfmpegExists()) return;
  if (!g_playerWindow) return;
  State().PipeMode = command.pipeMode;
  g_playerWindow(command);
  State().PipeMode = 0;
}

void InstallPlayerWindow(PlayerWindow play) { g_playerWindow = play; }

}  // namespace FfmpegTools
