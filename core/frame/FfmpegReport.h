#pragma once

#include <QString>
#include <QStringList>
#include <optional>

#include "core/frame/FfmpegConsole.h"
#include "core/ground/CommandLine.h"

// ffmpeg's own report file: the log of a run at the level asked for, whatever
// level or line prefix the command's options ask of the console. Read after
// the run, it tells what the console may have kept quiet.
namespace FfmpegReport {

// The levels a report is written at: info holds what the console shows by
// default; verbose adds, after ffmpeg's summary, how many packets each output
// file got.
constexpr int InfoLevel = 32;
constexpr int VerboseLevel = 40;

// A new folder for ffmpeg's reports: a working folder of this copy or, when
// the program folder cannot hold one (installed read-only), a folder in the
// system's temporary folder; "" when neither can be made. The caller removes it.
QString MakeFolder();

// The environment entry ("FFREPORT=...") that has ffmpeg write its report to
// file at this level.
QString EnvironmentEntry(const QString& file, int level = InfoLevel);

// The report's text as the console runner hands out ffmpeg's output: lines
// ending in LF (a status line ended by a lone CR is a line of its own),
// each without the "[level] " tag that "-loglevel level+..." puts before the message.
QString ConsoleText(const QString& report);

// ffmpeg's console output as the console runner hands it out (lines ending
// in LF) without the notice of the report that ffmpeg puts before anything
// else when its log level lets it: what the console shows without a report.
QString WithoutNotice(const QString& console);

// The report's text without the statistics the verbose level adds at its end
// (each input and output file's packets, each byte stream's reads and writes),
// so that its last lines are ffmpeg's messages, as at the info level.
QString WithoutStatistics(const QString& text);

// A report as read: what it says, and its text (ConsoleText).
struct Reading {
  FfmpegConsole::Report Report;
  QString Text;
};

// ffmpeg could not go on reading one of the command's inputs (the value of an
// "-i" option) halfway through: it names the input and its reason, ends the
// output there and still ends with code 0. What else it says of an input by
// its name (a flawed frame, a start it could not seek to and reaches by
// decoding) is no such failure. text: a Reading's Text.
bool InputReadFailed(const QString& text, const QStringList& arguments);

// A demuxer met damage inside an input and went on reading where it could
// find its way again, past what lay between (Matroska skips to its next
// cluster, Ogg drops a page whose checksum fails): ffmpeg may still get to
// the input's last moment. text: a Reading's Text.
bool DamageSkipped(const QString& text);

// How long the command's input at this place among its "-i" options (from 0)
// is, as its container says, counted from its first moment: nothing when
// the report names no such input or gives it no length ("Duration: N/A").
// Matroska and MP4 count their length from 0 however late their first moment
// is (a recording whose clock started at 10 h); every other container from
// that moment on. text: a Reading's Text.
std::optional<double> InputLength(const QString& text, int input);

// The command's input at this place among its "-i" options (from 0) holds
// sound or moving pictures: not a picture, subtitles or tags alone; nothing
// when the report names no such input.
std::optional<bool> InputHoldsTime(const QString& text, int input);

// The longest time between two pictures of the moving pictures that the
// command read or wrote (a cover picture is none); nothing when it read and
// wrote none.
std::optional<double> LongestFrameInterval(const QString& text);
// The lowest sample rate of the sound that the command read or wrote;
// nothing when it read and wrote none.
std::optional<int> LowestSampleRate(const QString& text);

// An output of the command holds sound or moving pictures, whose status
// time tells how far it got: not tags alone, subtitles alone, a cover, nor a
// single picture.
bool OutputHoldsTime(const QString& text);

// What the report file says; nothing when it cannot be read.
std::optional<Reading> Read(const QString& file);

// A folder of its own for the reports of one run's ffmpeg steps, written at
// the level given, removed with the object. Without a folder (none could be
// made) nothing is reported.
class Log {
 public:
  explicit Log(int level = InfoLevel);
  ~Log();
  Log(const Log&) = delete;
  Log& operator=(const Log&) = delete;

  // Has the command write a new report here, in place of the last one.
  void Attach(CommandLine::Command& command) const;
  // What the last report says; nothing without a folder or a readable report.
  std::optional<Reading> Read() const;

 private:
  QString File() const { return folder_ + "/ffmpeg.log"; }
  QString folder_;
  int level_;
};

}  // namespace FfmpegReport
