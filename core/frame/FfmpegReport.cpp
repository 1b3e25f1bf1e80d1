#include "core/frame/FfmpegReport.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <algorithm>
#include <iterator>

#include "core/frame/Session.h"
#include "core/ground/CommandLine.h"
#include "core/ground/ConsoleText.h"
#include "core/ground/FileServices.h"

namespace FfmpegReport {

namespace {

// The level tag stands after the tags that name the message's source, if any.
QString WithoutLevelTag(const QString& line) {
  static const QRegularExpression level(QStringLiteral(
      R"(^((?:\[[^\]]* @ [^\]]*\] )*)\[(?:quiet|panic|fatal|error|warning|info|verbose|debug|trace)\] )"));
  return QString(line).replace(level, QStringLiteral("\\1"));
}

}  // namespace

QString MakeFolder() {
  const QString working = Session::CreateTempFolder(false);
  if (!working.isEmpty()) return working;
  QTemporaryDir system(QDir::tempPath() + "/quillmoor-XXXXXX");
  if (!system.isValid()) return QString();
  system.setAutoRemove(false);
  return system.path();
}

QString EnvironmentEntry(const QString& file, int level) {
  // The value is read as ffmpeg reads option values: single quotes keep
  // ':' and blanks, a quote is closed, escaped and reopened. Its file name
  // is a template in which only a doubled '%' is a '%'.
  QString name = file;
  name.replace("%", "%%").replace("'", R"('\'')");
  return "FFREPORT=file='" + name + "':level=" + QString::number(level);
}

QString ConsoleText(const QString& report) {
  QString text;
  for (const QString& line : ConsoleText::CleanOutput(report).split('\n'))
    if (!line.isEmpty()) text += WithoutLevelTag(line) + '\n';
  return text;
}

QString WithoutNotice(const QString& console) {
  static const QRegularExpression notice(
      QStringLiteral("^\\w+ started on [^\n]*\nReport written to \"[^\n]*\"\nLog level: \\d+\n"));
  return QString(console).remove(notice);
}

namespace {

// What ffmpeg says of an input, after its name, and goes on reading it whole:
// a flawed picture, a packet the demuxer marks as flawed (a transport stream
// whose counters jump where two recordings were joined, or whose last packet
// was cut), a start it could not seek to and so reaches by decoding from the
// beginning (raw streams), streams whose details it has to guess.
bool IsNoticeOnly(QStringView message) {
  static const QLatin1String notices[] = {QLatin1String("corrupt decoded frame"),
                                          QLatin1String("corrupt input packet"),
                                          QLatin1String("could not seek to position"),
                                          QLatin1String("could not find codec parameters")};
  return std::any_of(std::begin(notices), std::end(notices),
                     [&](QLatin1String notice) { return message.startsWith(notice); });
}

}  // namespace

bool InputReadFailed(const QString& text, const QStringList& arguments) {
  QStringList inputs;
  for (qsizetype i = 0; i + 1 < arguments.size(); ++i)
    if (arguments[i] == QLatin1String("-i")) inputs << arguments[i + 1] + QStringLiteral(": ");
  for (const QString& line : text.split('\n', Qt::SkipEmptyParts))
    for (const QString& input : inputs)
      if (line.startsWith(input) && !IsNoticeOnly(QStringView(line).sliced(input.size())))
        return true;
  return false;
}

bool DamageSkipped(const QString& text) {
  static const QRegularExpression skipped(
      QStringLiteral(
          R"(^\[(?:matroska,webm @ [^\]]*\] (?:.* invalid as first byte of an EBML number|)"
          R"(Element at .* exceeds containing master element|)"
          R"(Unknown-sized element at .* inside parent with finite size|Invalid track number)|)"
          R"(ogg @ [^\]]*\] CRC mismatch!))"),
      QRegularExpression::MultilineOption);
  return skipped.match(text).hasMatch();
}

QString WithoutStatistics(const QString& text) {
  static const QRegularExpression statistics(QStringLiteral(
      R"(^(?:(?:Input|Output) file #\d+ \(.*\):|  (?:Input|Output) stream #\d+:\d+ \(|)"
      R"(  Total: \d+ packets \(\d+ bytes\) (?:de)?muxed|\[AVIOContext @ [^\]]*\] Statistics:))"));
  QString kept;
  for (const QString& line : text.split('\n', Qt::SkipEmptyParts))
    if (!statistics.match(line).hasMatch()) kept += line + '\n';
  return kept;
}

namespace {

// An input or output as ffmpeg describes it before it starts: its header
// ("Input #0, matroska,webm, from 'clip.mkv':") and the indented lines below.
struct Section {
  bool Output = false;
  int Index = -1;
  QString Format;  // the demuxer's or muxer's name
  QString Name;
  QStringList Lines;
};

QList<Section> Sections(const QString& text) {
  static const QRegularExpression header(
      QStringLiteral(R"(^(Input|Output) #(\d+), (.+?), (?:from|to) '(.*)':$)"));
  QList<Section> sections;
  bool inside = false;
  for (const QString& line : text.split('\n', Qt::SkipEmptyParts)) {
    if (const QRegularExpressionMatch match = header.match(line); match.hasMatch()) {
      sections.append({match.captured(1) == QLatin1String("Output"),
                       match.captured(2).toInt(),
                       match.captured(3),
                       match.captured(4),
                       {}});
      inside = true;
    } else if (inside && line.startsWith(QLatin1String("  "))) {
      sections.last().Lines << line;
    } else {
      inside = false;
    }
  }
  return sections;
}

// A stream line of a section: "  Stream #0:1(eng): Audio: ..."; its kind.
QString StreamKind(const QString& line) {
  static const QRegularExpression stream(
      QStringLiteral(R"(^\s+Stream #\d+:\d+\S*: (Video|Audio|Subtitle|Data|Attachment): )"));
  const QRegularExpressionMatch match = stream.match(line);
  return match.hasMatch() ? match.captured(1) : QString();
}

// A picture that stands for the file (a cover), not one of a sequence.
bool IsStill(const QString& line) { return line.contains(QLatin1String("(attached pic)")); }

// Containers whose length counts from 0, not from their first moment.
bool CountsFromZero(const QString& format) {
  return format == QLatin1String("matroska,webm") || format.startsWith(QLatin1String("mov,mp4,"));
}

}  // namespace

std::optional<double> InputLength(const QString& text, int input) {
  static const QRegularExpression duration(QStringLiteral(
      R"(^  Duration: (\d+):(\d{2}):(\d{2}(?:\.\d+)?)(?:, start: (-?\d+(?:\.\d+)?))?)"));
  for (const Section& section : Sections(text)) {
    if (section.Output || section.Index != input) continue;
    for (const QString& line : section.Lines) {
      const QRegularExpressionMatch match = duration.match(line);
      if (!match.hasMatch()) continue;
      double seconds = match.captured(1).toDouble() * 3600 + match.captured(2).toDouble() * 60 +
                       match.captured(3).toDouble();
      const double start = match.captured(4).toDouble();
      if (CountsFromZero(section.Format) && start > 0) seconds -= start;
      if (seconds > 0) return seconds;
      break;
    }
    break;
  }
  return std::nullopt;
}

std::optional<bool> InputHoldsTime(const QString& text, int input) {
  for (const Section& section : Sections(text)) {
    if (section.Output || section.Index != input) continue;
    // The picture demuxers read one picture, or a numbered series of them.
    const bool pictures = section.Format == QLatin1String("image2") ||
                          section.Format.endsWith(QLatin1String("_pipe"));
    for (const QString& line : section.Lines) {
      const QString kind = StreamKind(line);
      if (kind == QLatin1String("Audio")) return true;
      if (kind == QLatin1String("Video") && !IsStill(line) && !pictures) return true;
    }
    return false;
  }
  return std::nullopt;
}

std::optional<double> LongestFrameInterval(const QString& text) {
  static const QRegularExpression rate(QStringLiteral(R"(, (\d+(?:\.\d+)?)(k?) fps(?:,|$))"));
  std::optional<double> longest;
  for (const Section& section : Sections(text))
    for (const QString& line : section.Lines) {
      if (StreamKind(line) != QLatin1String("Video") || IsStill(line)) continue;
      const QRegularExpressionMatch match = rate.match(line);
      const double fps = match.captured(1).toDouble() * (match.captured(2).isEmpty() ? 1 : 1000);
      if (match.hasMatch() && fps > 0) longest = std::max(longest.value_or(0), 1 / fps);
    }
  return longest;
}

std::optional<int> LowestSampleRate(const QString& text) {
  static const QRegularExpression rate(QStringLiteral(R"(, (\d+) Hz(?:,|$))"));
  std::optional<int> lowest;
  for (const Section& section : Sections(text))
    for (const QString& line : section.Lines) {
      if (StreamKind(line) != QLatin1String("Audio")) continue;
      const int hertz = rate.match(line).captured(1).toInt();
      if (hertz > 0) lowest = std::min(lowest.value_or(hertz), hertz);
    }
  return lowest;
}

bool OutputHoldsTime(const QString& text) {
  for (const Section& section : Sections(text)) {
    if (!section.Output) continue;
    // The image muxer writes every picture to one name unless the name is numbered.
    const bool onePicture =
        section.Format == QLatin1String("image2") && !section.Name.contains('%');
    for (const QString& line : section.Lines) {
      const QString kind = StreamKind(line);
      if (kind == QLatin1String("Audio")) return true;
      if (kind == QLatin1String("Video") && !IsStill(line) && !onePicture) return true;
    }
  }
  return false;
}

std::optional<Reading> Read(const QString& file) {
  QFile report(file);
  if (!report.open(QIODevice::ReadOnly)) return std::nullopt;
  Reading read;
  read.Text = ConsoleText(QString::fromUtf8(report.readAll()));
  read.Report.Add(read.Text);
  return read;
}

Log::Log(int level) : folder_(MakeFolder()), level_(level) {}

Log::~Log() {
  if (!folder_.isEmpty()) FileServices::DeleteFolder(folder_);
}

void Log::Attach(CommandLine::Command& command) const {
  if (folder_.isEmpty()) return;
  QFile::remove(File());
  command.environment << EnvironmentEntry(File(), level_);
}

std::optional<Reading> Log::Read() const {
  if (folder_.isEmpty()) return std::nullopt;
  return FfmpegReport::Read(File());
}

}  // namespace FfmpegReport
