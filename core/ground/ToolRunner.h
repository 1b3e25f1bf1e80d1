#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <functional>

class QObject;

// Runs the outside tools (ffmpeg, ffprobe, ffplay, cdda2wav, encoders) one
// run at a time, with standard output and standard error read together in
// chunks, while the event loop keeps the windows alive. Event handlers steer a
// run only through the request procedures below.
namespace ToolRunner {

// Values of ConsoleState.
enum State : uint8_t {
  Idle = 0,
  Running = 1,
  Waiting = 2,  // running, in a run that waits for output with an input pipe or peekFirst
  StopRequested = 3,
  InputPending = 4,
  PauseRequested = 6,  // stays 6 while the child is paused
  ResumeRequested = 7,
};

// Display modes of RunCaptured.
enum Display : uint8_t {
  NoDisplay = 0,
  AppendChunk = 1,
  ReplaceByChunk = 2,
  ReplaceByVisibleChunk = 3,  // as 2, but a chunk of only tabs and line ends leaves the box alone
};

// What the shown output does with one chunk.
struct BoxUpdate {
  enum Action { Leave, Append, Replace } action = Leave;
  QString text;
  bool operator==(const BoxUpdate&) const = default;
};

// Shows a run's output: given an empty Replace before the tool starts, then,
// for every chunk, the update its display mode makes of it (a Leave too),
// with its CR LF pairs kept.
using OutputSink = std::function<void(const BoxUpdate& update)>;

// One program and its arguments, run as they are: no shell ever sees them.
// environment: "NAME=value" entries the program gets on top of the
// program's own environment.
struct Command {
  QString program;
  QStringList arguments;
  QStringList environment{};
  bool operator==(const Command&) const = default;
};

// One command, or two whose first writes into the second's input.
using Pipeline = QList<Command>;

// One word of typed text: where it stands (its quotes and backslashes
// included) and the argument it makes.
struct TypedWord {
  qsizetype start = 0;
  qsizetype length = 0;
  QString value;
};

// Splits typed text into words the way a POSIX shell splits words, and does
// nothing else a shell does (no variables, wildcards, substitutions or
// operators): blanks (space, tab, line break) separate words; single quotes
// keep everything up to the next single quote; double quotes group, and a
// backslash in them escapes only " \ $ and `; outside quotes a backslash
// escapes the next character; a backslash before a line break removes both.
// One rule stays from the options older profiles stored: "" inside double
// quotes is a literal double quote.
QList<TypedWord> ScanWords(const QString& text);
// The arguments of ScanWords.
QStringList SplitCommandLine(const QString& text);
// The argument as a shell word that SplitCommandLine, and a POSIX shell,
// read back as exactly that argument: unchanged when it holds only plain
// characters, else in single quotes.
QString QuoteArgument(const QString& argument);
// The command as a line that, pasted into a terminal, runs exactly these
// arguments.
QString CommandText(const Command& command);

// The command line as it is shown to the user, made runnable: its first word
// is the program. "cmd.exe /C a | b" (or "cmd /c ...") becomes the pipeline a
// into b, split at the '|' outside quotes; any other text is one command.
Pipeline ParseCommandLine(const QString& cmdLine);

// Receives every cleaned chunk of output as it comes, whatever is kept of it.
using ChunkSink = std::function<void(const QString& chunk)>;

// Runs the pipeline in workDir ("" = the program's own folder); file names
// go in as whole arguments. A stop, pause or resume reaches every process of
// the pipeline; input goes to the first. withStdin 1 gives the first an input
// pipe for SendInput; without it it reads the null device. peekFirst only
// chooses whether the running state shows as Waiting; the run always waits on
// the event loop. show (may be empty) gets the output as displayMode says.
// output collects the cleaned output: maxKeep 0 nothing, > 0 the last maxKeep
// characters, < 0 everything. sink, when set, sees the whole output.
// exitCode is the tool's own code; 128 + the signal when something else
// killed it; 0 when RequestStop ended the run.
// Each program runs in a process group of its own: a stop, a kill, a pause
// and a resume reach whatever it started too.
enum class RunResult : uint8_t {
  Ran,         // the tool started and has ended; exitCode tells how
  NotStarted,  // the program could not be started
  Busy,        // another run is in progress or the program is closing: nothing was touched
};
RunResult RunCaptured(const Pipeline& pipeline, const QString& workDir, uint8_t withStdin,
                      uint8_t peekFirst, const OutputSink& show, uint8_t displayMode,
                      QString& output, int32_t maxKeep, int32_t& exitCode,
                      const ChunkSink& sink = ChunkSink());

uint8_t GetState();
// Ends the run: every process is killed, with all it started (a paused one
// is continued first).
void RequestStop();
// Queues text (with CR LF when addCrLf is not 0) for the child's input; ignored
// while nothing runs, while paused, while a resume or a stop is pending.
void SendInput(const QString& text, int16_t addCrLf);
void RequestPause();
void RequestResume();

// How long a child asked to end may take before it is killed.
constexpr int EndGraceMs = 3000;

// Starts a program that runs beside the windows without being waited for or
// read (a player showing what is being recorded or streamed). It ends when it
// is closed, when EndCompanions is called for its owner, when its owner is
// destroyed, or with the program. False when it could not be started.
bool StartCompanion(const Command& command, QObject* owner);
// Ends the companions started for owner: SIGTERM, then kill after the grace.
void EndCompanions(QObject* owner);

// The program is closing: the running tool ends as its own stop would have
// it (ffmpeg gets "q" on its input, a tool without input SIGTERM), is killed
// if it has not ended after the grace, and every companion ends; what a tool
// started itself and left behind is killed with it. The run then
// reports a stop, not a failure. From then on no tool starts. Children of a
// program that dies without closing get SIGTERM from the system.
void EndAll();
// True once EndAll has run: a run that reported a stop may have been cut short.
bool Closing();

// Back to idle with no pending input, not closing; for start-up and tests,
// never during a run.
void Reset();

// How one process ended.
struct ProcessEnd {
  bool crashed = false;  // killed by a signal
  int code = 0;          // exit code, or the signal when crashed
};

// The run's exit code. The last process gives it (128 + signal when killed);
// an earlier process of a pipeline that was killed by anything but a broken
// pipe makes a run that would give 0 give its code instead. A run we stopped gives 0.
int32_t EndCode(bool stoppedByUs, const QList<ProcessEnd>& ends);

// Drops the control characters other than tab, LF and CR, the C1 controls
// U+0081..U+0090 and U+0093..U+009F and U+007F, and makes every line end,
// whether LF, CR or CR LF, one CR LF (CR LF CR LF stays two line ends).
QString CleanOutput(const QString& text);
// Drops tabs, LFs, CRs and spaces at both ends.
QString TrimBlanks(const QString& text);
// The last line of cleaned output (lines end in CR LF) that holds more than
// blanks, without the blanks at its ends: what a one-line box shows of output
// that replaces its text, a whole line and never two run together.
QString LastLine(const QString& text);
// Adds a cleaned chunk to the collected output under the maxKeep rule.
void KeepOutput(QString& output, const QString& chunk, int32_t maxKeep);
// What a chunk does to the box: appended (mode 1), replacing its text (modes
// 2 and 3), or nothing (mode 0, and mode 3 for a chunk of only tabs and line
// ends). A single-line box gets the text without its CR LF pairs.
BoxUpdate UpdateForChunk(const QString& chunk, uint8_t displayMode, bool singleLine);

// The requests that reach the running tool.
struct RunnerState {
  // The request state shared by the runner and the request procedures.
  uint8_t ConsoleState = Idle;
  // Input waiting to be written to the child.
  QString ConsoleInput;
  // Set once the program is closing: no tool starts any more.
  bool ProgramClosing = false;
};

// This module's part of the running program's AppState.
RunnerState& State();

}  // namespace ToolRunner
