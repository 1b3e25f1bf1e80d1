#pragma once

#include <QString>

// Values as ffmpeg's options and filter graphs take them: times in seconds,
// and text escaped for a filter's option.
namespace FfmpegValues {

// "[[H:]M:]S" (decimals allowed in each field, always with a decimal point) to
// seconds as text with at most seven significant digits: "1:02:03.5" ->
// "3723.5". "" for an empty text, more than three fields, a field that is not
// a number, or a negative total; also "" for a time longer than ffmpeg's time
// options hold (LongestSeconds), which every caller hands the result to. No
// message: the caller decides what to say.
QString TimeToSeconds(const QString& text);
// ffmpeg keeps a time in microseconds on 64 bits: its longest, in seconds.
constexpr double LongestSeconds = 9223372036854.775807;

// A value of a filter's option inside a filter graph (a file name for movie
// or amovie, a device's format): escaped once for the option's own parser
// (' \ and :) and once more for the graph's (' \ [ ] , and ;), so that any
// text reaches the filter whole.
QString FilterGraphValue(const QString& value);

}  // namespace FfmpegValues
