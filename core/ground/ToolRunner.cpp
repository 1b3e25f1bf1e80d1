#include "core/ground/ToolRunner.h"

#include <sys/prctl.h>
#include <unistd.h>

#include <QDeadlineTimer>
#include <QEventLoop>
#include <QPointer>
#include <QProcess>
#include <QStringDecoder>
#include <csignal>
#include <functional>
#include <memory>
#include <vector>

namespace ToolRunner {

using enum RunState;

namespace {

constexpr qint64 ChunkBytes = 10240;

bool WaitsForOutput(bool withStdin, bool peekFirst) { return withStdin || peekFirst; }

// Every tool leads a process group of its own, so that a stop, a kill, a
// pause or a resume reaches whatever the tool started itself (a shell's
// commands, cdda2wav's reader). Should the program die without closing, the
// tool is asked to end too.
void StartInOwnGroup(QProcess* process) {
  process->setChildProcessModifier([] {
    ::setpgid(0, 0);
    ::prctl(PR_SET_PDEATHSIG, SIGTERM);
  });
}

// The group a started tool leads: its process id, which QProcess forgets once
// the tool has ended while what the tool started may still run.
pid_t GroupOf(const QProcess& process) { return static_cast<pid_t>(process.processId()); }

// True when some process of the group got the signal. Group 0 (a tool that
// never started) is nobody: kill(0, ...) would reach this program's own group.
bool SignalGroup(pid_t group, int signal) { return group > 0 && ::kill(-group, signal) == 0; }

void AddEnvironment(QProcess& process, const QStringList& entries) {
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  for (const QString& entry : entries) {
    const qsizetype equals = entry.indexOf('=');
    environment.insert(entry.left(equals), entry.mid(equals + 1));
  }
  process.setProcessEnvironment(environment);
}

// Kills the tool and everything it started, and waits for the tool.
void KillGroup(QProcess* process, pid_t group) {
  SignalGroup(group, SIGKILL);
  if (process->state() != QProcess::NotRunning) process->waitForFinished();
}

// Waits for the tool until the deadline; then whatever is left of its group,
// the tool included, is killed.
void KillAfter(QProcess* process, pid_t group, const QDeadlineTimer& deadline) {
  if (process->state() != QProcess::NotRunning)
    process->waitForFinished(int(deadline.remainingTime()));
  KillGroup(process, group);
}

// One run: its processes, their decoders, and where the output goes.
class Run : public QObject {
 public:
  Run(const OutputSink& show, ConsoleText::Display displayMode, QString& output, int maxKeep,
      bool waits, const ChunkSink& sink)
      : show_(show),
        displayMode_(displayMode),
        output_(output),
        maxKeep_(maxKeep),
        runningState_(waits ? Waiting : Running),
        sink_(sink) {}

  bool Start(const CommandLine::Pipeline& pipeline, const QString& workDir, bool withStdin) {
    if (pipeline.isEmpty()) return false;
    for (const CommandLine::Command& command : pipeline) {
      if (command.program.isEmpty()) return false;
      auto process = std::make_unique<QProcess>();
      StartInOwnGroup(process.get());
      if (!workDir.isEmpty()) process->setWorkingDirectory(workDir);
      if (!command.environment.isEmpty()) AddEnvironment(*process, command.environment);
      processes_.push_back(std::move(process));
    }
    QProcess* first = processes_.front().get();
    QProcess* last = processes_.back().get();
    hasInput_ = withStdin;
    if (!withStdin) first->setStandardInputFile(QProcess::nullDevice());
    for (size_t k = 0; k + 1 < processes_.size(); ++k) {
      processes_[k]->setStandardOutputProcess(processes_[k + 1].get());
      Listen(processes_[k].get(), QProcess::StandardError);
    }
    last->setProcessChannelMode(QProcess::MergedChannels);
    Listen(last, QProcess::StandardOutput);
    for (size_t k = 0; k < processes_.size(); ++k) {
      QProcess* process = processes_[k].get();
      connect(process, &QProcess::finished, this, [this, k] { Finished(k); });
      process->start(pipeline[k].program, pipeline[k].arguments);
      if (!process->waitForStarted()) {
        AbandonStarted();
        return false;
      }
      groups_.push_back(GroupOf(*process));
    }
    ends_.resize(processes_.size());
    return true;
  }

  // Runs the event loop until every process has ended. The loop is left
  // earlier only when the program is closing: the processes then end too.
  void Wait() {
    if (finishedCount_ < processes_.size()) loop_.exec();
    if (finishedCount_ < processes_.size()) EndGracefully();
  }

  // A tool with an input pipe gets "q" (ffmpeg's own way to finish its
  // output), the others SIGTERM; whatever still runs after the grace is killed.
  void EndGracefully() {
    stoppedByUs_ = true;
    if (paused_) SignalAll(SIGCONT);
    paused_ = false;
    for (size_t k = 0; k < processes_.size(); ++k) {
      QProcess* process = processes_[k].get();
      if (k == 0 && hasInput_ && Alive(0)) {
        process->write("q\n");
        process->waitForBytesWritten(EndGraceMs);
      } else {
        SignalGroup(groups_[k], SIGTERM);
      }
    }
    const QDeadlineTimer deadline(EndGraceMs);
    for (size_t k = 0; k < processes_.size(); ++k)
      KillAfter(processes_[k].get(), groups_[k], deadline);
  }

  int ExitCode() const { return EndCode(stoppedByUs_, ends_); }
  RunState RunningState() const { return runningState_; }

  void Serve() {
    switch (State().ConsoleState) {
      case StopRequested:
        Stop();
        break;
      case InputPending:
        if (hasInput_ && Alive(0)) processes_.front()->write(State().ConsoleInput.toUtf8());
        State().ConsoleInput.clear();
        State().ConsoleState = runningState_;
        break;
      case PauseRequested:
        if (!paused_) {
          paused_ = SignalAll(SIGSTOP);
          if (!paused_) State().ConsoleState = runningState_;
        }
        break;
      case ResumeRequested:
        if (SignalAll(SIGCONT)) {
          paused_ = false;
          State().ConsoleState = runningState_;
        } else {
          State().ConsoleState = PauseRequested;
        }
        break;
      default:
        break;
    }
  }

 private:
  struct Source {
    QProcess* process;
    QProcess::ProcessChannel channel;
    QStringDecoder decoder{QStringDecoder::Utf8};
  };

  void Listen(QProcess* process, QProcess::ProcessChannel channel) {
    sources_.push_back(std::make_unique<Source>(Source{process, channel}));
    Source* source = sources_.back().get();
    const auto signal = channel == QProcess::StandardError ? &QProcess::readyReadStandardError
                                                           : &QProcess::readyReadStandardOutput;
    connect(process, signal, this, [this, source] { Drain(*source); });
  }

  void Drain(Source& source) {
    source.process->setReadChannel(source.channel);
    while (source.process->bytesAvailable() > 0) {
      const QByteArray bytes = source.process->read(ChunkBytes);
      if (bytes.isEmpty()) break;
      HandleChunk(ConsoleText::CleanOutput(source.decoder.decode(bytes)));
    }
  }

  void HandleChunk(const QString& chunk) {
    ConsoleText::KeepOutput(output_, chunk, maxKeep_);
    if (sink_) sink_(chunk);
    if (displayMode_ == ConsoleText::Display::NoDisplay || !show_) return;
    show_(ConsoleText::UpdateForChunk(chunk, displayMode_, false));
  }

  bool Alive(size_t k) const { return processes_[k]->state() != QProcess::NotRunning; }

  bool SignalAll(int signal) {
    bool any = false;
    for (const pid_t group : groups_) any = SignalGroup(group, signal) || any;
    return any;
  }

  void Stop() {
    stoppedByUs_ = true;
    if (paused_) SignalAll(SIGCONT);
    paused_ = false;
    SignalAll(SIGKILL);
  }

  void Finished(size_t k) {
    QProcess* process = processes_[k].get();
    for (auto& source : sources_) {
      if (source->process == process) Drain(*source);
    }
    ends_[k] = {process->exitStatus() == QProcess::CrashExit, process->exitCode()};
    if (++finishedCount_ == processes_.size()) loop_.quit();
  }

  // A pipeline whose later program cannot start: the ones already started go.
  void AbandonStarted() {
    for (size_t k = 0; k < groups_.size(); ++k) KillGroup(processes_[k].get(), groups_[k]);
  }

  const OutputSink& show_;
  ConsoleText::Display displayMode_;
  QString& output_;
  int maxKeep_;
  RunState runningState_;
  const ChunkSink& sink_;
  bool hasInput_ = false;
  bool paused_ = false;
  bool stoppedByUs_ = false;
  std::vector<std::unique_ptr<QProcess>> processes_;
  std::vector<pid_t> groups_;  // the group each started process leads
  std::vector<std::unique_ptr<Source>> sources_;
  QList<ProcessEnd> ends_;
  size_t finishedCount_ = 0;
  QEventLoop loop_;
};

Run* active = nullptr;

// Programs that run beside the windows, each with the object it belongs to.
struct Companion {
  QProcess* process;
  pid_t group;
  QPointer<QObject> owner;
};
QList<Companion> companions;

void EndCompanionsWhere(const std::function<bool(const Companion&)>& chosen) {
  QList<Companion> ending;
  for (const Companion& companion : companions) {
    if (chosen(companion)) ending << companion;
  }
  for (const Companion& companion : ending) SignalGroup(companion.group, SIGTERM);
  const QDeadlineTimer deadline(EndGraceMs);
  for (const Companion& companion : ending) KillAfter(companion.process, companion.group, deadline);
}

// Requests are served on the next pass of the event loop, so that the last of
// several requests made in one handler is the one that counts.
void Wake() {
  if (active)
    QMetaObject::invokeMethod(
        active,
        [] {
          if (active) active->Serve();
        },
        Qt::QueuedConnection);
}

}  // namespace

RunResult RunCaptured(const CommandLine::Pipeline& pipeline, const QString& workDir, bool withStdin,
                      bool peekFirst, const OutputSink& show, ConsoleText::Display displayMode,
                      QString& output, int maxKeep, int& exitCode, const ChunkSink& sink) {
  if (active || State().ConsoleState != Idle || State().ProgramClosing) return RunResult::Busy;
  output.clear();
  State().ConsoleInput.clear();
  exitCode = 0;
  if (displayMode != ConsoleText::Display::NoDisplay && show)
    show({ConsoleText::BoxUpdate::Replace, QString()});
  Run run(show, displayMode, output, maxKeep, WaitsForOutput(withStdin, peekFirst), sink);
  if (!run.Start(pipeline, workDir, withStdin)) return RunResult::NotStarted;
  active = &run;
  State().ConsoleState = run.RunningState();
  run.Wait();
  active = nullptr;
  exitCode = run.ExitCode();
  State().ConsoleState = Idle;
  State().ConsoleInput.clear();
  return RunResult::Ran;
}

RunState GetState() { return State().ConsoleState; }

bool StartCompanion(const CommandLine::Command& command, QObject* owner) {
  if (State().ProgramClosing) return false;
  auto* process = new QProcess;
  StartInOwnGroup(process);
  process->setStandardInputFile(QProcess::nullDevice());
  process->setStandardOutputFile(QProcess::nullDevice());
  process->setStandardErrorFile(QProcess::nullDevice());
  process->start(command.program, command.arguments);
  if (!process->waitForStarted()) {
    delete process;
    return false;
  }
  companions.append({process, GroupOf(*process), owner});
  QObject::connect(process, &QProcess::finished, [process] {
    companions.removeIf([process](const Companion& c) { return c.process == process; });
    process->deleteLater();
  });
  if (owner) {
    QObject::connect(owner, &QObject::destroyed, process, [process] {
      EndCompanionsWhere([process](const Companion& c) { return c.process == process; });
    });
  }
  return true;
}

void EndCompanions(QObject* owner) {
  EndCompanionsWhere([owner](const Companion& c) { return c.owner == owner; });
}

bool Closing() { return State().ProgramClosing; }

void EndAll() {
  State().ProgramClosing = true;
  if (active) active->EndGracefully();
  EndCompanionsWhere([](const Companion&) { return true; });
}

void RequestStop() {
  if (State().ConsoleState == Idle) return;
  State().ConsoleState = StopRequested;
  Wake();
}

void SendInput(const QString& text, InputEnd end) {
  if (State().ConsoleState == Idle || State().ConsoleState == PauseRequested ||
      State().ConsoleState == ResumeRequested || State().ConsoleState == StopRequested)
    return;
  State().ConsoleInput = end == InputEnd::LineEnd ? text + '\n' : text;
  State().ConsoleState = InputPending;
  Wake();
}

void RequestPause() {
  if (State().ConsoleState == Idle || State().ConsoleState == StopRequested) return;
  State().ConsoleState = PauseRequested;
  Wake();
}

void RequestResume() {
  if (State().ConsoleState == Idle || State().ConsoleState == StopRequested) return;
  State().ConsoleState = ResumeRequested;
  Wake();
}

void Reset() {
  State().ProgramClosing = false;
  State().ConsoleState = Idle;
  State().ConsoleInput.clear();
}

int EndCode(bool stoppedByUs, const QList<ProcessEnd>& ends) {
  if (stoppedByUs || ends.isEmpty()) return 0;
  auto codeOf = [](const ProcessEnd& end) { return end.crashed ? 128 + end.code : end.code; };
  if (const int last = codeOf(ends.last()); last != 0) return last;
  for (qsizetype k = 0; k + 1 < ends.size(); ++k) {
    if (ends[k].crashed && ends[k].code != SIGPIPE) return codeOf(ends[k]);
  }
  return 0;
}

}  // namespace ToolRunner
