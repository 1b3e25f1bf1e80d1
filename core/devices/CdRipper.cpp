#include "core/devices/CdRipper.h"

#include <QFileInfo>
#include <QRegularExpression>

#include "core/convert/Conversion.h"
#include "core/frame/Session.h"
#include "core/ground/CommandLine.h"
#include "core/ground/ConsoleText.h"
#include "core/ground/FileServices.h"
#include "core/ground/ToolRunner.h"

namespace CdRipper {

namespace {

constexpr int MaxTracks = 99;

// Runs cdda2wav with these arguments; output gets its whole console output.
ToolRunner::RunResult RunForOutput(const QStringList& arguments, QString& output) {
  int exitCode = 0;
  return ToolRunner::RunCaptured(CommandLine::Pipeline{{State().Cdda2wavPath, arguments}},
                                 QString(), false, false, ToolRunner::OutputSink(),
                                 ConsoleText::Display::NoDisplay, output, -1, exitCode);
}

// The address column of a device line: the text between its first two TABs.
QString AddressOf(const QString& line) {
  const qsizetype first = line.indexOf('\t');
  if (first < 0) return QString();
  const qsizetype second = line.indexOf('\t', first + 1);
  if (second < 0) return QString();
  return line.mid(first + 1, second - first - 1);
}

// A title closes at the quote that ends its line or stands before cdda2wav's
// " [from ...]" remark, so that an apostrophe inside the title is kept.
qsizetype ClosingQuote(const QString& output, qsizetype start) {
  const qsizetype lineEnd = output.indexOf('\n', start);
  const QString line = output.mid(start, lineEnd < 0 ? -1 : lineEnd - start);
  static const QRegularExpression closing(QStringLiteral("'(?=[ \\t]*(\\[|$))"));
  const QRegularExpressionMatch match = closing.match(line);
  if (match.hasMatch()) return start + match.capturedStart();
  return output.indexOf('\'', start);
}

// Renames a ripped track after its title: its new path, or "" when it cannot.
QString NameAfterTitle(const QString& ripped, const QString& folder, const QString& title,
                       const QString& format) {
  const QString wanted =
      FileServices::UniquePath(folder + "/" + TitleAsFileName(title) + "." + format, false);
  const QString name = wanted.mid(folder.size() + 1).chopped(format.size() + 1);
  if (!FileServices::RenameFileKeepExtension(ripped, name)) return QString();
  return folder + "/" + name + "." + QFileInfo(ripped).suffix();
}

}  // namespace

QString TitleAsFileName(const QString& title) {
  QString name = title;
  name.replace(QChar('/'), QChar(0x2215));  // DIVISION SLASH
  name.replace(QChar(0), QChar(0x2400));    // SYMBOL FOR NULL
  return name;
}

void Reset() {
  State().CDRipAddToList = false;
  State().CDRipBusy = false;
  State().CDRipCancel = false;
  State().CDRipOutputDir.clear();
  State().CDRipDevice.clear();
}

// Every bus header is taken, whatever its number: on Linux the buses are the
// SCSI hosts, and the CD drive is often alone on bus 1 or later. A header on
// the first line counts as well.
QStringList ParseBusScan(const QString& output) {
  const QString text = '\n' + output;
  static const QRegularExpression header(QStringLiteral("\nscsibus\\d+:\n"));
  QList<qsizetype> starts;
  for (const QRegularExpressionMatch& match : header.globalMatch(text))
    starts << match.capturedStart();
  QStringList ids;
  for (qsizetype k = 0; k < starts.size(); ++k) {
    const qsizetype end = k + 1 < starts.size() ? starts[k + 1] : text.size();
    // The id comes from the drive's own line, not from the bus's first device.
    for (const QString& line : text.mid(starts[k], end - starts[k]).split('\n')) {
      if (!line.contains(QStringLiteral("Removable CD-ROM"), Qt::CaseInsensitive)) continue;
      const QString id = AddressOf(line);
      if (!id.isEmpty()) ids << id;
    }
  }
  return ids;
}

// A title line counts also when it is the output's first line.
QStringList ParseTrackTitles(const QString& listing) {
  const QString output = '\n' + listing;
  QStringList titles;
  for (int track = 1; track <= MaxTracks; ++track) {
    const QString number = track < 10 ? " " + QString::number(track) : QString::number(track);
    const QString marker = "\nTrack " + number + ": '";
    const qsizetype found = output.indexOf(marker);
    if (found < 0) break;
    const qsizetype start = found + marker.size();
    const qsizetype end = ClosingQuote(output, start);
    titles << (end > start ? output.mid(start, end - start) : "Track " + number);
  }
  return titles;
}

QStringList RipArguments(const QString& device, const QString& format, bool removeSilence,
                         int track) {
  QStringList arguments = Conversion::SplitArguments(device);
  arguments << "-B"
            << "-x"
            << "-s"
            << "-H"
            << "-no-infofile"
            << "-O" << format;
  if (removeSilence) arguments << "-w";
  arguments << "-t" << QString::number(track) + "+" + QString::number(track);
  return arguments;
}

// cdda2wav names a single track "audio"; some builds number it in bulk mode.
// A track already named after a title that reads the same is not taken for it.
QString RippedFile(const QString& folder, const QString& format, int track,
                   const QStringList& before) {
  const QString single = ("audio." + format).toLower();
  const QString numbered =
      QString("audio_%1.%2").arg(track, 2, 10, QChar('0')).arg(format).toLower();
  QString fallback;
  for (const QString& file : FileServices::ListFiles(folder, QString())) {
    if (before.contains(file)) continue;
    const QString name = QFileInfo(file).fileName().toLower();
    if (name == single) return file;
    if (name == numbered) fallback = file;
  }
  return fallback;
}

DriveScan ScanBus() {
  State().CDRipDevice.clear();
  QString output;
  if (RunForOutput({"-scanbus"}, output) == ToolRunner::RunResult::Busy) return {true, {}};
  return {false, ParseBusScan(output)};
}

TrackRead GetTrackList() {
  const DriveScan scan = ScanBus();
  if (scan.RunnerBusy) return {TrackRead::Outcome::RunnerBusy, {}};
  for (const QString& id : scan.Ids) {
    QString output;
    if (RunForOutput({"-N", "-D", id}, output) == ToolRunner::RunResult::Busy)
      return {TrackRead::Outcome::RunnerBusy, {}};
    const QStringList titles = ParseTrackTitles(output);
    if (!titles.isEmpty()) {
      State().CDRipDevice = " -D " + id;
      return {TrackRead::Outcome::Listed, titles};
    }
    if (State().CDRipCancel) break;
  }
  return {TrackRead::Outcome::NoTracks, {}};
}

TrackRead ReadTracks() {
  State().CDRipBusy = true;
  TrackRead read = GetTrackList();
  State().CDRipBusy = false;
  if (State().CDRipCancel) {
    State().CDRipCancel = false;
    return {TrackRead::Outcome::Cancelled, {}};
  }
  return read;
}

void Stop() {
  State().CDRipCancel = true;
  ToolRunner::RequestStop();
}

// The folder is made anew for each rip, so that it holds the tracks of one rip only.
RipTarget RipFolder(bool addToList) {
  if (addToList) return {Session::CreateTempFolder(false), RipTarget::Problem::None};
  if (State().CDRipOutputDir.isEmpty()) return {QString(), RipTarget::Problem::NoOutputDir};
  const QString folder = FileServices::UniquePath(State().CDRipOutputDir + "/CDRip", false);
  if (!FileServices::CreateFolder(folder)) return {folder, RipTarget::Problem::CannotCreate};
  return {folder, RipTarget::Problem::None};
}

RipResult RipTracks(const QList<Track>& tracks, const QString& folder, const QString& format,
                    bool removeSilence, bool addToList, const ToolRunner::OutputSink& show,
                    const std::function<bool()>& shownGone) {
  State().CDRipBusy = true;
  RipResult result;
  result.Completed = true;
  for (const Track& track : tracks) {
    QString output;
    int exitCode = 0;
    const ToolRunner::RunResult run = ToolRunner::RunCaptured(
        CommandLine::Pipeline{{State().Cdda2wavPath, RipArguments(State().CDRipDevice, format,
                                                                  removeSilence, track.Number)}},
        folder, false, false, show, ConsoleText::Display::AppendChunk, output, 0, exitCode);
    if (run == ToolRunner::RunResult::Busy) {
      result.RunnerBusy = true;
      result.Completed = false;
      break;
    }
    const bool started = run == ToolRunner::RunResult::Ran;
    // The folder is new for this rip: what was there before this track is
    // what the rip kept so far.
    const QString ripped = RippedFile(folder, format, track.Number, result.Ripped);
    // A run that was stopped or failed leaves at most a part of the track.
    const bool finished =
        started && exitCode == 0 && !State().CDRipCancel && !ToolRunner::Closing();
    if (!finished) {
      if (!ripped.isEmpty()) FileServices::DeleteFile(ripped);
    } else if (!ripped.isEmpty()) {
      const QString named = NameAfterTitle(ripped, folder, track.Title, format);
      if (named.isEmpty()) {
        result.NotRenamed = ripped;
        State().CDRipCancel = true;
      } else {
        result.Ripped << named;
      }
    }
    if (State().CDRipCancel || (shownGone && shownGone()) || ToolRunner::Closing()) {
      result.Completed = false;
      break;
    }
  }
  if (result.Completed && addToList)
    result.FilesToAdd = FileServices::ListFiles(folder, format + ":");
  State().CDRipBusy = false;
  State().CDRipCancel = false;
  return result;
}

}  // namespace CdRipper
