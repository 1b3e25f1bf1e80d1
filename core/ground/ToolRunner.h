#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <functional>

#include "core/ground/CommandLine.h"
#include "core/ground/ConsoleText.h"

class QObject;

// Runs the outside tools (ffmpeg, ffprobe, ffplay, cdda2wav, encoders) one
// run at a time, with standard output and standard error read together in
// chunks, while the event loop keeps the windows alive. Event handlers steer a
// run only through the request procedures below.
namespace ToolRunner {

// Values of ConsoleState.
enum class RunState : uint8_t {
  Idle = 0,
  Running = 1,
  Waiting = 2,  // running, in a run that waits for output with an input pipe or peekFirst
  StopRequested = 3,
  InputPending = 4,
  PauseRequested = 6,  // stays so while the child is paused
  ResumeRequested = 7,
};

// Shows a run's output: given an empty Replace before the tool starts, then,
// for every chunk, the update its display mode makes of it (a Leave too),
// with its line ends kept.
using OutputSink = std::function<void(const ConsoleText::BoxUpdate& update)>;

// Receives every cleaned chunk of output as it comes, whatever is kept of it.
using ChunkSink = std::function<void(const QString& chunk)>;

// Runs the pipeline in workDir ("" = the program's own folder); file names
// go in as whole arguments. A stop, pause or resume reaches every process of
// the pipeline; input goes to the first. withStdin gives the first an input
// pipe for SendInput; without it it reads the null device. peekFirst only
// chooses whether the running state shows as Waiting; the run always waits on
// the event loop. show (may be empty) gets the output as displayMode (a
// says.
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
RunResult RunCaptured(const CommandLine::Pipeline& pipeline, const QString& workDir, bool withStdin,
                      bool peekFirst, const OutputSink& show, ConsoleText::Display displayMode,
                      QString& output, int maxKeep, int& exitCode,
                      const ChunkSink& sink = ChunkSink());

RunState GetState();
// Ends the run: every process is killed, with all it started (a paused one
// is continued first).
void RequestStop();
// Whether SendInput ends the text with a line end (LF), as typed input ends.
enum class InputEnd : uint8_t { AsIs, LineEnd };
// Queues text for the child's input; ignored while nothing runs, while
// paused, while a resume or a stop is pending.
void SendInput(const QString& text, InputEnd end);
void RequestPause();
void RequestResume();

// How long a child asked to end may take before it is killed.
constexpr int EndGraceMs = 3000;

// Starts a program that runs beside the windows without being waited for or
// read (a player showing what is being recorded or streamed). It ends when it
// is closed, when EndCompanions is called for its owner, when its owner is
// destroyed, or with the program. False when it could not be started.
bool StartCompanion(const CommandLine::Command& command, QObject* owner);
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
int EndCode(bool stoppedByUs, const QList<ProcessEnd>& ends);

// The requests that reach the running tool.
struct RunnerState {
  // The request state shared by the runner and the request procedures.
  RunState ConsoleState = RunState::Idle;
  // Input waiting to be written to the child.
  QString ConsoleInput;
  // Set once the program is closing: no tool starts any more.
  bool ProgramClosing = false;
};

// This module's part of the running program's AppState.
RunnerState& State();

}  // namespace ToolRunner
