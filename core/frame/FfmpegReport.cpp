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

const QString CrLf = QStringLiteral("\r\n");

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
  for (const QString& line : ConsoleText::CleanOutput(report).split(CrLf))
    if (!line.isEmpty()) text += WithoutLevelTag(line) + CrLf;
  return text;
}

QString WithoutNotice(const QString& console) {
  static const QRegularExpression notice(QStringLiteral(
      "^\\w+ started on [^\r\n]*\r\nReport written to \"[^\r\n]*\"\r\nLog level: \\d+\r\n"));
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
  for (const QString& line : text.split(CrLf, Qt::SkipEmptyParts))
    for (const QString& input : inputs)
      if (line.startsWith(input) && !IsNoticeOnly(QStringView(line).sliced(input.size())))
        return true;
  return false;
}

QString WithoutStatistics(const QString& text) {
  static const QRegularExpression statistics(QStringLiteral(
      R"(^(?:(?:Input|Output) file #\d+ \(.*\):|  (?:Input|Output) stream #\d+:\d+ \(|)"
      R"(  Total: \d+ packets \(\d+ bytes\) (?:de)?muxed|\[AVIOContext @ [^\]]*\] Statistics:))"));
  QString kept;
  for (const QString& line : text.split(CrLf, Qt::SkipEmptyParts))
    if (!statistics.match(line).hasMatch()) kept += line + CrLf;
  return kept;
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
  if (!folder_.isEmpty()) FileServices::DeleteFolder(folder_, true);
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
