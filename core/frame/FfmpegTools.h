#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

#include "core/frame/FfmpegOptionNames.h"
#include "core/frame/MediaInfo.h"
#include "core/ground/CommandLine.h"

// The ffmpeg tools as the program drives them: where they are, the option
// names the command builders share, the parameter captions, and the probe.
namespace FfmpegTools {

FfmpegOptionNames DefaultOptionNames();
void InitOptionNames();

// True when the tool's file exists; otherwise shows its "not found" message.
bool FfmpegExists();
bool FfplayExists();
bool FfprobeExists();

// ---- Where the tools are ------------------------------------------------

// The four tools whose paths the program keeps, in the order of the lists
// below: ffmpeg, ffplay, ffprobe, cdda2wav.
const QStringList& ToolNames();

// For each of the four tools, the first file below folder (its own files
// first, then breadth-first) whose name is the tool's, in any case, and that
// can be run, else the tool on PATH; "" when found nowhere. Only tools marked
// missing are searched.
QStringList FindTools(const QString& folder, const QList<bool>& missing);
// The four paths with each one whose file does not exist replaced by what
// FindTools finds in the program folder and on PATH; a tool found nowhere
// keeps its path.
QStringList WithMissingToolsFound(const QStringList& paths);

// Why a file cannot serve as a tool.
enum class ToolProblem { None, Missing, NotProgram };
ToolProblem CheckTool(const QString& path);

// A tool's path as the tool-paths window shows it: relative to the program
// folder when inside it, followed by "<" + TxtNotFound + ">" when the file is missing.
QString ShownToolPath(const QString& path);

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

// What the program reads in ffmpeg's console output while a step runs, fed
// with the console runner's cleaned chunks (lines end in CR LF) as they come,
// so that nothing depends on how much of the output is kept. Each line is
// read by its start, the first LineHeadLength characters: a tool that redraws
// its progress without ever ending the line costs no more than its length.
class ConsoleReport {
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
  // Ends the line when the chunk finishes a CR LF the last one began; gives
  // where the chunk's own text starts.
  qsizetype FinishSplitLineEnd(QStringView chunk);
  void AddToLine(QStringView part);
  void EndLine();
  void ReadLine(const QString& line);

  // The start of the line not yet ended, and whether the last chunk ended in
  // the CR of a CR LF that the next chunk may finish.
  QString partialLine_;
  bool endsInCr_ = false;
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

// Asks ffprobe what the file holds. Shows ffprobe's "not found" message when
// it is missing; gives the empty record when it is missing or cannot start,
// and only ffprobe's reason (ReadFailure) when it cannot read the file.
MediaInfo ProbeMedia(const QString& path);
// ffprobe -show_streams -show_format output, lines ending in CR LF, as the
// console runner cleans it.
MediaInfo ParseProbeOutput(const QString& output);
// When ffprobe could not read the file, says so with its reason, the file
// named as given, and answers true; the caller then has nothing to show.
bool SaidUnreadable(const QString& path, const MediaInfo& info);

// ---- Preview player ----------------------------------------------------

// What the player runs for a list and the caller's ffplay options.
struct PlayCommand {
  CommandLine::Pipeline pipeline;
  QString workDir;
  uint8_t pipeMode = 0;
};

// files, empty ones left out: none (ffplay gets only params), one path, or an
// audio and a video path (played together through ffmpeg, params unused).
// Paths stay whole: any character a file name may hold is safe.
PlayCommand BuildPlayCommand(const QStringList& files, const QString& params);

// Plays the list in ffplay while the player window shows ffplay's output;
// every other window is hidden until the user closes the player window.
// Nothing plays without a player window installed, nor while another tool runs.
void PlayFile(const QStringList& files, const QString& params);

// Runs the command while the player window shows its output, and returns when
// the window has closed. Installed once by the window side.
using PlayerWindow = void (*)(const PlayCommand& command);
void InstallPlayerWindow(PlayerWindow play);

// Where the ffmpeg tools are, the option names and parameter captions in use,
// and how the player runs.
struct ToolsState {
  // Full paths of the tools; "" until the tool-paths window or config.qcf sets them.
  QString FfmpegPath;
  QString FfplayPath;
  QString FfprobePath;
  // Filled once at start-up; never changes during a run.
  FfmpegOptionNames OptNames;
  // 1 while the play runs as ffmpeg piping into ffplay, else 0. The player's
  // "Detener" then only tells the user how to stop ffplay.
  uint8_t PipeMode = 0;
};

// This module's part of the running program's AppState.
ToolsState& State();

}  // namespace FfmpegTools
