#include "core/convert/SourceReach.h"

#include <QRegularExpression>
#include <algorithm>

#include "core/frame/FfmpegReport.h"

namespace Conversion {

namespace {

constexpr double LeastTolerance = 0.25;
// The last picture and up to four a decoder holds back; but no more than two
// seconds, lest pictures shown for long (a still over a song) excuse a
// sound cut short.
constexpr int FewPictures = 5;
constexpr double MostForPictures = 2;
// Two of the largest packets of sound (FLAC's).
constexpr int FewSamples = 2 * 4096;

// The option's name without a stream specifier ("-frames:v" is "-frames").
QString OptionName(const QString& argument) { return argument.section(':', 0, 0); }

bool IsPartOrPaceOption(const QString& name) {
  static const QStringList names = {"-ss",      "-sseof",    "-t",         "-to",
                                    "-fs",      "-frames",   "-vframes",   "-aframes",
                                    "-dframes", "-shortest", "-itsoffset", "-itsscale"};
  return names.contains(name);
}

// A picture rate given to an input (before an "-i") times its pictures anew;
// given to an output, it only drops or repeats pictures.
bool IsInputRate(const QStringList& arguments, qsizetype k) {
  return OptionName(arguments[k]) == QLatin1String("-r") &&
         arguments.indexOf(QStringLiteral("-i"), k + 1) >= 0;
}

bool IsFilterOption(const QString& name) {
  static const QStringList names = {"-vf", "-af", "-filter", "-filter_complex", "-lavfi"};
  return names.contains(name);
}

// A graph kept in a file may do anything to the streams' length.
bool IsFilterScriptOption(const QString& name) {
  return name == QLatin1String("-filter_script") || name == QLatin1String("-filter_complex_script");
}

// A filter of the graph, at the start of a chain or after another, that cuts
// or retimes what passes through it.
bool CutsOrRetimes(const QString& graph) {
  static const QRegularExpression filter(QStringLiteral(
      R"((?:^|[,;\]])\s*(?:setpts|asetpts|atempo|asetrate|rubberband|trim|atrim|select|aselect|)"
      R"(silenceremove))"
      R"((?:@[^=,;\[]*)?\s*(?:=|,|;|\[|$))"));
  return filter.match(graph).hasMatch();
}

// How far short of its source's length an output that holds all of it may
// seem: ffmpeg's status time is the start of the last packet it wrote, and
// pictures are written in the order they decode, so the last picture and
// those a decoder holds back for reordering may be missing from it (interval:
// the longest time between two pictures); a packet of sound may hold up to
// 4096 samples (sampleRate: the lowest rate). Never less than a quarter of a
// second, which containers round to.
double ToleranceFor(std::optional<double> interval, std::optional<int> sampleRate) {
  const double pictures = std::min(MostForPictures, FewPictures * interval.value_or(0));
  const double sound = sampleRate ? double(FewSamples) / *sampleRate : 0;
  return std::max({LeastTolerance, pictures, sound});
}

// The place among the arguments' "-i" options (from 0) of the first whose
// value is file; -1 when none is.
int InputPlace(const QStringList& arguments, const QString& file) {
  int place = 0;
  for (qsizetype k = 0; k + 1 < arguments.size(); ++k) {
    if (arguments[k] != QLatin1String("-i")) continue;
    if (arguments[++k] == file) return place;
    ++place;
  }
  return -1;
}

}  // namespace

ReadVerdict Judge(const SourceReading& reading) {
  if (!reading.Timed) return ReadVerdict::Whole;
  if (!reading.Read || !reading.Length) return ReadVerdict::Unknown;
  if (*reading.Read < *reading.Length - reading.Tolerance) return ReadVerdict::Partly;
  return reading.Skipped ? ReadVerdict::Unknown : ReadVerdict::Whole;
}

bool AsksPartOrPace(const QStringList& arguments) {
  for (qsizetype k = 0; k < arguments.size(); ++k) {
    const QString name = OptionName(arguments[k]);
    if (name == QLatin1String("-i")) {
      ++k;  // a file's name is no option
      continue;
    }
    if (IsPartOrPaceOption(name) || IsFilterScriptOption(name) || IsInputRate(arguments, k))
      return true;
    if (IsFilterOption(name) && k + 1 < arguments.size() && CutsOrRetimes(arguments[k + 1]))
      return true;
  }
  return false;
}

CommandLine::Command ReadAloneCommand(const QString& ffmpeg, const QString& file) {
  return {ffmpeg, {"-i", file, "-c", "copy", "-f", "null", "-"}};
}

SourceReading ReadingOf(const QString& reportText, std::optional<double> outputSeconds, int input) {
  return {outputSeconds, FfmpegReport::InputLength(reportText, input),
          ToleranceFor(FfmpegReport::LongestFrameInterval(reportText),
                       FfmpegReport::LowestSampleRate(reportText)),
          FfmpegReport::InputHoldsTime(reportText, input).value_or(true),
          FfmpegReport::DamageSkipped(reportText)};
}

void StepsReach::Add(const QStringList& arguments, const QString& reportText,
                     std::optional<double> seconds, const QStringList& sources) {
  asked_ = asked_ || AsksPartOrPace(arguments);
  if (const std::optional<double> interval = FfmpegReport::LongestFrameInterval(reportText))
    interval_ = std::max(interval_.value_or(0), *interval);
  if (const std::optional<int> rate = FfmpegReport::LowestSampleRate(reportText))
    sampleRate_ = std::min(sampleRate_.value_or(*rate), *rate);
  if (FfmpegReport::OutputHoldsTime(reportText)) {
    timed_ = true;
    if (!seconds)
      unknown_ = true;
    else
      reached_ = std::min(reached_.value_or(*seconds), *seconds);
  }
  skipped_ = skipped_ || (!sources.isEmpty() && FfmpegReport::DamageSkipped(reportText));
  for (int place = 0; place < sources.size(); ++place) {
    const int input = InputPlace(arguments, sources[place]);
    if (input >= 0 && !held_.contains(place))
      held_.insert(place, {FfmpegReport::InputLength(reportText, input),
                           FfmpegReport::InputHoldsTime(reportText, input).value_or(true)});
  }
}

SourceReading StepsReach::Source(int place) const {
  const auto [length, timed] = held_.value(place, {std::nullopt, true});
  return {Reached(), length, ToleranceFor(interval_, sampleRate_), timed, skipped_};
}

}  // namespace Conversion
