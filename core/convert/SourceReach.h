#pragma once

#include <QMap>
#include <QString>
#include <QStringList>
#include <optional>
#include <utility>

#include "core/ground/ToolRunner.h"

// How far ffmpeg got through a source, against how long the source is: a
// damaged or cut file ends ffmpeg's reading early, and ffmpeg still ends with
// 0 and writes what it got. Only a source whose output holds all of it goes.
namespace Conversion {

// What is known of one source: the seconds ffmpeg got from its first
// moment, and the seconds its container says it holds.
struct SourceReading {
  std::optional<double> Read;
  std::optional<double> Length;
  // How far short of the length a reading may end and still count as whole:
  // a few pictures or packets of sound.
  double Tolerance = 0;
  // The source holds sound or moving pictures. One that holds none (a
  // picture, subtitles) has no length to fall short of.
  bool Timed = true;
  // ffmpeg skipped damage inside the source: getting to its end shows
  // nothing whole.
  bool Skipped = false;
  bool operator==(const SourceReading&) const = default;
};

enum class ReadVerdict {
  Whole,    // read to within the tolerance of its length, or holding no time
  Partly,   // read short by more
  Unknown,  // the reading or the length is not known, or damage was skipped
            // on the way: nothing shows it whole
};

ReadVerdict Judge(const SourceReading& reading);

// The options ask for a part of the input or a new pace, so that the output
// is meant to be shorter or longer than its source: a start, length, end,
// size or frame count, a shifted or rescaled input or one given a new picture
// rate, the shortest stream, or a filter that cuts (trim, select, silence
// removed) or retimes (setpts, atempo) the streams.
bool AsksPartOrPace(const QStringList& arguments);

// ffmpeg reading the file alone to its end, as a conversion of it would,
// writing nothing: what it reads copied to the null muxer.
CommandLine::Command ReadAloneCommand(const QString& ffmpeg, const QString& file);

// What ffmpeg's report of a step says of its reading of the input at this
// place: its output's status time, that input's length and whether it holds
// time, and a tolerance after the step's pictures and sound.
SourceReading ReadingOf(const QString& reportText, std::optional<double> outputSeconds, int input);

// What the ffmpeg steps of one input of a run tell of how far they got.
class StepsReach {
 public:
  // A step ended well. arguments: its command's; reportText and seconds: what
  // its report says and its status time; sources: the input's own files, by
  // place, when the step read them.
  void Add(const QStringList& arguments, const QString& reportText, std::optional<double> seconds,
           const QStringList& sources = {});
  // A step asked for a part or a new pace, or no step wrote sound or moving
  // pictures: the output's length tells nothing of its sources'.
  bool StandsAside() const { return asked_ || !timed_; }
  // The source at this place among the input's own files, read by the steps:
  // as far as the step that got least got, of its length as the first step
  // that read it tells.
  SourceReading Source(int place) const;
  // How far the step that got least got; nothing when a step told no time.
  std::optional<double> Reached() const { return unknown_ ? std::nullopt : reached_; }

 private:
  bool asked_ = false;
  bool timed_ = false;
  bool unknown_ = false;
  bool skipped_ = false;  // a step reading the sources skipped damage in them
  std::optional<double> reached_;
  std::optional<double> interval_;
  std::optional<int> sampleRate_;
  // Each source's length and whether it holds time, by its place.
  QMap<int, std::pair<std::optional<double>, bool>> held_;
};

}  // namespace Conversion
