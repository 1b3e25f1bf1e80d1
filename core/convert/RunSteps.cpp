#include "core/convert/RunSteps.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <cmath>

#include "core/frame/DesktopServices.h"
#include "core/frame/Session.h"
#include "core/ground/CommandLine.h"
#include "core/ground/FileServices.h"
#include "core/lang/Lang.h"

namespace Conversion {

namespace {

// Both markers in one pass, so that a file name holding "<outfile>" is never
// itself rewritten.
QString ReplaceFileMarkers(const QString& text, const QString& input, const QString& output) {
  static const QString inMarker = QStringLiteral("<infile>");
  static const QString outMarker = QStringLiteral("<outfile>");
  QString result;
  qsizetype i = 0;
  while (i < text.size()) {
    if (text.mid(i, inMarker.size()) == inMarker) {
      result += input;
      i += inMarker.size();
    } else if (text.mid(i, outMarker.size()) == outMarker) {
      result += output;
      i += outMarker.size();
    } else {
      result += text.at(i++);
    }
  }
  return result;
}

// One spelling per file, whatever ".." or links the path holds.
QString SamePathKey(const QString& path) {
  const QFileInfo info(path);
  const QString canonical = info.canonicalFilePath();
  return canonical.isEmpty() ? info.absoluteFilePath() : canonical;
}

bool IsOneOf(const QString& path, const QStringList& files) {
  const QString key = SamePathKey(path);
  for (const QString& file : files)
    if (SamePathKey(file) == key) return true;
  return false;
}

}  // namespace

bool TakenName(const QString& path) { return FileServices::NameTaken(path); }

QStringList SplitArguments(const QString& text) { return CommandLine::SplitCommandLine(text); }

StepCommand RowStep(const CommandTable& table, int row, const QStringList& inputs,
                    const QString& output) {
  StepCommand step;
  step.Command.program = table.Program(row);
  if (table.Kind(row) == StageKind::Encoder) {
    const QString input = inputs.value(0);
    for (const QString& argument : SplitArguments(table.At(row, TableColumn::BeforeInput)))
      step.Command.arguments << ReplaceFileMarkers(argument, input, output);
  } else {
    for (const QString& input : inputs)
      step.Command.arguments << SplitArguments(table.At(row, TableColumn::BeforeInput)) << input;
    step.Command.arguments << SplitArguments(table.At(row, TableColumn::BeforeOutput)) << output;
  }
  step.Shown = CommandLine::CommandText(step.Command);
  return step;
}

bool StepSucceeded(bool started, int exitCode, bool isEncoder, qint64 outputSize,
                   bool writeFailed) {
  return started && exitCode == 0 && !writeFailed && (!isEncoder || outputSize > 0);
}

QList<int> FilesAtInputs(const QStringList& arguments, const QStringList& files,
                         const QList<int>& inputPositions) {
  QList<int> places;
  int input = -1;
  qsizetype next = 0;  // the file expected next: each comes after the ones before it
  for (qsizetype k = 0; k + 1 < arguments.size(); ++k) {
    if (arguments[k] != QLatin1String("-i")) continue;
    ++input;
    ++k;
    if (next < files.size() && arguments[k] == files[next]) {
      if (inputPositions.contains(input)) places << int(next);
      ++next;
    }
  }
  return places;
}

namespace {
bool HoldsLineBreak(const QString& file) { return file.contains('\n') || file.contains('\r'); }
}  // namespace

QString UnjoinableFile(const QStringList& files) {
  for (const QString& file : files)
    if (HoldsLineBreak(file)) return file;
  return QString();
}

bool ConcatListText(const QStringList& files, QByteArray& text) {
  QString list;
  for (const QString& file : files) {
    if (HoldsLineBreak(file)) return false;
    // Inside the demuxer's single quotes only a quote is special: close, escape, reopen.
    QString escaped = file;
    escaped.replace("'", "'\\''");
    list += "file '" + escaped + "'\n";
  }
  text = list.toUtf8();
  return true;
}

QString WriteConcatList() {
  if (const QString unjoinable = UnjoinableFile(Session::State().FileList); !unjoinable.isEmpty()) {
    Lang::MsgInvalidFileName(unjoinable);
    return QString();
  }
  const QString folder = Session::CreateTempFolder(false);
  const QString path = folder + "/concat.txt";
  if (folder.isEmpty()) {
    Lang::MsgCannotWriteFile(path);
    return QString();
  }
  QByteArray text;
  QFile file(path);
  if (!ConcatListText(Session::State().FileList, text) || !file.open(QIODevice::WriteOnly) ||
      file.write(text) != text.size() || !file.flush()) {
    file.close();
    FileServices::DeleteFolder(folder);
    Lang::MsgCannotWriteFile(path);
    return QString();
  }
  file.close();
  return path;
}

QStringList MoveTracks(const QString& audioTrack, const QString& videoTrack,
                       const QString& target) {
  const QFileInfo info(target);
  const QString folder = info.path() + "/";
  const QString base = info.completeBaseName();
  const QString ext = info.suffix();
  QString name = base;
  for (int n = 2;; ++n) {
    const bool both = !audioTrack.isEmpty() && !videoTrack.isEmpty();
    if (both) {
      const QString audioName = folder + name + "_audio." + ext;
      const QString videoName = folder + name + "_video." + ext;
      if (!TakenName(audioName) && !TakenName(videoName)) {
        if (!FileServices::MoveFile(audioTrack, audioName)) return {};
        if (FileServices::MoveFile(videoTrack, videoName)) return {audioName, videoName};
        // Half a result is none: the audio track goes back where it was.
        FileServices::MoveFile(audioName, audioTrack);
        return {};
      }
    } else {
      const QString path = folder + name + "." + ext;
      if (!TakenName(path)) {
        if (FileServices::MoveFile(audioTrack.isEmpty() ? videoTrack : audioTrack, path))
          return {path};
        return {};
      }
    }
    name = base + " (" + QString::number(n) + ")";
  }
}

QStringList TrashSources(const QStringList& sources, bool outputWritten) {
  QStringList kept;
  if (!outputWritten) return kept;
  for (const QString& source : sources) {
    if (FileServices::FileExists(source) &&
        !DesktopServices::ShellDeleteFile(source, DesktopServices::DeleteMode::Trash))
      kept << source;
  }
  return kept;
}

bool OlderFileInTheWay(const QString& output, const QString& desired,
                       const QStringList& protectedFiles) {
  return SamePathKey(output) != SamePathKey(desired) && FileServices::FileSize(output) > 0 &&
         TakenName(desired) && QFileInfo(desired).isFile() && !IsOneOf(desired, protectedFiles);
}

Replacement ReplaceExisting(const QString& output, const QString& desired,
                            const QStringList& protectedFiles) {
  if (SamePathKey(output) == SamePathKey(desired) || FileServices::FileSize(output) == 0)
    return Replacement::NotNeeded;
  if (TakenName(desired)) {
    if (!OlderFileInTheWay(output, desired, protectedFiles)) return Replacement::NotNeeded;
    if (!DesktopServices::ShellDeleteFile(desired, DesktopServices::DeleteMode::Trash))
      return Replacement::OldFileKept;
  }
  return FileServices::RenameFileKeepExtension(output, QFileInfo(desired).completeBaseName())
             ? Replacement::Replaced
             : Replacement::RenameFailed;
}

QString MegabytesText(double megabytes) {
  // nearbyint rounds a half to the even neighbour in the default rounding mode.
  const double rounded = std::nearbyint(megabytes * 100.0) / 100.0;
  QLocale locale = QLocale::system();
  locale.setNumberOptions(QLocale::OmitGroupSeparator);
  return locale.toString(rounded, 'f', QLocale::FloatingPointShortest);
}

QString TestReportText(qint64 bytes, double seconds, const QString& question) {
  const double megabytes = double(bytes) / 1024.0 / 1024.0;
  QString size = Lang::TxtFileSize() + " " + MegabytesText(megabytes) + "MB";
  if (seconds > 0) size += " (" + MegabytesText(megabytes / seconds * 60.0) + "MB/min)";
  return Lang::TxtTestFinished() + '\n' + size + '\n' + question;
}

}  // namespace Conversion
