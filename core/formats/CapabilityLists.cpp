// What the installed ffmpeg can do: its coders, formats and pixel formats, read
// from its tables.
#include <optional>

#include "core/formats/FormatEditor.h"
#include "core/frame/FfmpegTools.h"
#include "core/ground/CommandLine.h"
#include "core/ground/ConsoleText.h"
#include "core/ground/ToolRunner.h"

namespace FormatEditor {

void ResetCapabilityLists() {
  State().FfmpegListsStale = false;
  State().Capabilities = FfmpegCapabilities();
}

namespace {

// A list that holds only its empty first element takes the first name there.
void AddName(DynArray<QString>& list, const QString& name) {
  if (list.Count() == 1 && list.Items[0].isEmpty()) {
    list.Items[0] = name;
  } else {
    if (list.IsEmpty()) list.LowerBound = 1;
    list.Items.append(name);
  }
}

// The index of the first table line: `skip` lines after the header, or 0 when
// the output has no header.
qsizetype FirstDataLine(const QStringList& lines, const QString& header, int skip) {
  for (qsizetype i = 0; i < lines.size() - 1; ++i) {
    if (lines[i] == header) return i + skip;
  }
  return 0;
}

// The text from `column` (1-based) up to the first blank at or after it; ""
// when no blank follows.
QString NameAt(const QString& line, int column, int blankFrom) {
  const qsizetype blank = line.indexOf(' ', blankFrom - 1);
  if (blank < 0) return QString();
  const qsizetype length = blank + 1 - column;
  return length > 0 ? line.mid(column - 1, length) : QString();
}

QStringList TableLines(const QString& output) { return output.split('\n'); }

bool HasColumn(const QString& line, int column, QChar letter) {
  return line.size() >= column && line[column - 1] == letter;
}

}  // namespace

void ParseCodecTable(const QString& output, const QString& header, DynArray<QString>& audio,
                     DynArray<QString>& video, DynArray<QString>& subtitle) {
  const QStringList lines = TableLines(output);
  for (qsizetype i = FirstDataLine(lines, header, 10); i < lines.size(); ++i) {
    const QString& line = lines[i];
    DynArray<QString>* target = line.startsWith(" A")   ? &audio
                                : line.startsWith(" V") ? &video
                                : line.startsWith(" S") ? &subtitle
                                                        : nullptr;
    if (!target) continue;
    const QString name = NameAt(line, 8, 9).trimmed();
    if (!name.isEmpty()) AddName(*target, name);
  }
}

void ParseFormatTable(const QString& output, DynArray<QString>& demuxers,
                      DynArray<QString>& muxers) {
  const QStringList lines = TableLines(output);
  for (qsizetype i = FirstDataLine(lines, "File formats:", 4); i < lines.size(); ++i) {
    const QString& line = lines[i];
    const QStringList names = NameAt(line, 5, 5).split(',', Qt::SkipEmptyParts);
    if (HasColumn(line, 2, 'D')) {
      for (const QString& name : names) AddName(demuxers, name);
    }
    if (HasColumn(line, 3, 'E')) {
      for (const QString& name : names) AddName(muxers, name);
    }
  }
}

void ParsePixelFormatTable(const QString& output, DynArray<QString>& inputFormats,
                           DynArray<QString>& outputFormats) {
  const QStringList lines = TableLines(output);
  for (qsizetype i = FirstDataLine(lines, "Pixel formats:", 8); i < lines.size(); ++i) {
    const QString& line = lines[i];
    const QString name = NameAt(line, 7, 7);
    if (name.isEmpty()) continue;
    if (HasColumn(line, 1, 'I')) AddName(inputFormats, name);
    if (HasColumn(line, 2, 'O')) AddName(outputFormats, name);
  }
}

namespace {

// ffmpeg's output for one informational switch; "" when it could not start,
// nothing at all while another tool has the runner.
std::optional<QString> FfmpegListing(const QString& option) {
  QString output;
  int exitCode = 0;
  const QString cmdLine =
      CommandLine::QuoteArgument(FfmpegTools::State().FfmpegPath) + " " + option;
  switch (ToolRunner::RunCaptured(CommandLine::ParseCommandLine(cmdLine), QString(), false, false,
                                  ToolRunner::OutputSink(), ConsoleText::Display::NoDisplay, output,
                                  -1, exitCode)) {
    case ToolRunner::RunResult::Ran:
      return output;
    case ToolRunner::RunResult::NotStarted:
      return QString();
    case ToolRunner::RunResult::Busy:
      break;
  }
  return std::nullopt;
}

DynArray<QString> OneElement(const QString& first) { return DynArray<QString>{1, {first}}; }

}  // namespace

bool LoadFfmpegCapabilities() {
  QStringList tables;
  for (const char* option : {"-encoders", "-decoders", "-formats", "-pix_fmts"}) {
    const std::optional<QString> table = FfmpegListing(option);
    if (!table) return false;
    tables << *table;
  }
  FfmpegCapabilities& lists = State().Capabilities;
  for (DynArray<QString>* list :
       {&lists.AudioDecoders, &lists.VideoDecoders, &lists.SubtitleDecoders, &lists.DemuxerFormats,
        &lists.InputPixelFormats, &lists.OutputPixelFormats}) {
    *list = OneElement(QString());
  }
  for (DynArray<QString>* list :
       {&lists.AudioEncoders, &lists.VideoEncoders, &lists.SubtitleEncoders})
    *list = OneElement("copy");
  lists.MuxerFormats = OneElement("<copy>");
  ParseCodecTable(tables[0], "Encoders:", lists.AudioEncoders, lists.VideoEncoders,
                  lists.SubtitleEncoders);
  ParseCodecTable(tables[1], "Decoders:", lists.AudioDecoders, lists.VideoDecoders,
                  lists.SubtitleDecoders);
  ParseFormatTable(tables[2], lists.DemuxerFormats, lists.MuxerFormats);
  ParsePixelFormatTable(tables[3], lists.InputPixelFormats, lists.OutputPixelFormats);
  // Also after a run that gave nothing: a wrong path keeps its short lists
  // until the tool paths are set again.
  State().FfmpegListsStale = false;
  return true;
}

}  // namespace FormatEditor
