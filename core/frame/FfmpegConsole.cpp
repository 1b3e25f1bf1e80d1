#include "core/frame/FfmpegConsole.h"

#include <QRegularExpression>

namespace FfmpegConsole {

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

void Report::Add(const QString& chunk) {
  const QStringView text(chunk);
  qsizetype start = 0;
  for (qsizetype end = text.indexOf('\n', start); end >= 0; end = text.indexOf('\n', start)) {
    AddToLine(text.sliced(start, end - start));
    EndLine();
    start = end + 1;
  }
  AddToLine(text.sliced(start));
}

void Report::AddToLine(QStringView part) {
  partialLine_ += part.left(qMax<qsizetype>(0, LineHeadLength - partialLine_.size()));
}

void Report::EndLine() {
  ReadLine(partialLine_);
  partialLine_.resize(0);
}

void Report::ReadLine(const QString& line) {
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

}  // namespace FfmpegConsole
