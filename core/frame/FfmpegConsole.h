#pragma once

#include <QList>
#include <QString>
#include <QStringView>
#include <optional>

// ffmpeg's console output as the program reads it while a tool runs.
namespace FfmpegConsole {

// What the program reads in ffmpeg's console output while a step runs, fed
// with the console runner's cleaned chunks (lines end in LF) as they come,
// so that nothing depends on how much of the output is kept. Each line is
// read by its start, the first LineHeadLength characters: a tool that redraws
// its progress without ever ending the line costs no more than its length.
class Report {
 public:
  static constexpr qsizetype LineHeadLength = 65536;

  void Add(const QString& chunk);

  // An output could not be written to its end: ffmpeg reports a failed
  // trailer or a failed close (a full disk, a quota) and still ends with
  // code 0 when that is all that went wrong.
  bool WriteFailed() const { return writeFailed_; }
  // A file that the concat demuxer was to read next could not be opened: the
  // output lacks it, and ffmpeg still ends with code 0.
  bool InputLost() const { return inputLost_; }
  // ffmpeg's closing summary of what it wrote ("video:... audio:... muxing
  // overhead"), which ends every run that got through to its end, came.
  bool Summarised() const { return summarised_; }
  // The inputs, by their place among the command's "-i" options from 0, that
  // the "Stream mapping:" report names as sources of the outputs' streams;
  // empty when there was no report.
  const QList<int>& MappedInputs() const { return mappedInputs_; }
  // ffmpeg's statistics of its outputs, logged at the verbose level after its
  // summary, came and show an output file whose streams got no packet of
  // data. An output file of no stream at all is one whose format holds none
  // (ffmpeg refuses any other): its header is all it has, not a lack. False
  // without those statistics.
  bool OutputEmpty() const { return outputEmpty_; }
  // The time its last status line ("size=... time=00:00:02.01 ...") gives:
  // how long the output has become; nothing without such a line or a time in it.
  std::optional<double> OutputSeconds() const { return outputSeconds_; }

 private:
  void AddToLine(QStringView part);
  void EndLine();
  void ReadLine(const QString& line);

  // The start of the line not yet ended.
  QString partialLine_;
  bool inMapping_ = false;
  bool writeFailed_ = false;
  bool inputLost_ = false;
  bool summarised_ = false;
  bool outputEmpty_ = false;
  // The statistics of an output file have named it and none of its streams yet.
  bool outputStreamless_ = false;
  std::optional<double> outputSeconds_;
  QList<int> mappedInputs_;
};

}  // namespace FfmpegConsole
