#include <unistd.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProcess>
#include <QRegularExpression>
#include <QTimer>
#include <csignal>
#include <cstdlib>
#include <functional>

#include "Children.h"
#include "HangGuard.h"
#include "InstalledTools.h"
#include "TestEnv.h"
#include "core/ground/CommandLine.h"
#include "core/ground/ConsoleText.h"
#include "core/ground/ToolRunner.h"
#include "gui/ground/ConsoleBox.h"

namespace {

using namespace ToolRunner;
using enum ToolRunner::RunState;
using namespace CommandLine;
using namespace ConsoleText;
using enum ConsoleText::Display;

TEST(ToolRunnerEnd, EndCodeNeverCallsACrashSuccess) {
  struct Case {
    bool stopped;
    QList<ProcessEnd> ends;
    int code;
  } cases[] = {
      {false, {{false, 0}}, 0},
      {false, {{false, 3}}, 3},
      {false, {{true, SIGSEGV}}, 128 + SIGSEGV},
      {false, {{true, SIGKILL}}, 128 + SIGKILL},
      {true, {{true, SIGKILL}}, 0},
      {false, {{true, SIGSEGV}, {false, 0}}, 128 + SIGSEGV},
      {false, {{true, SIGPIPE}, {false, 0}}, 0},
      {false, {{false, 1}, {false, 0}}, 0},
      {false, {{false, 0}, {false, 2}}, 2},
  };
  for (const Case& c : cases) EXPECT_EQ(EndCode(c.stopped, c.ends), c.code);
}

// ---- processes ----

// The process id that a stand-in tool said after word ("ready 1234", from
// `echo ready $$`) once the whole line has come; 0 until then. The tool says
// who it is, so a test never looks for it by a name that an exec changes.
qint64 PidAfter(const QString& word, const QString& output) {
  const QRegularExpressionMatch said =
      QRegularExpression("(?:^|\\n)" + word + " (\\d+)\\n").match(output);
  return said.hasMatch() ? said.captured(1).toLongLong() : 0;
}

class ToolRunnerRun : public TestEnv {
 protected:
  void SetUp() override {
    TestEnv::SetUp();
    Reset();
  }
  void TearDown() override {
    EXPECT_EQ(GetState(), Idle);
    TestEnv::TearDown();
  }

  // Runs a shell snippet (tests only: the program never runs a shell).
  bool RunShell(const QString& script, bool withStdin = false, QWidget* box = nullptr,
                Display displayMode = NoDisplay, int maxKeep = -1) {
    return RunCaptured(Pipeline{{"/bin/sh", {"-c", script}}}, Folder(), withStdin, 0, box, true,
                       displayMode, output, maxKeep, exitCode) == RunResult::Ran;
  }
  // Writes what the box shows to the file "shown" in the run's folder at each
  // change; a script run with kShows waits with `shows TEXT` until the box
  // shows that before it writes more, so each write reaches the box alone.
  template <class Box>
  void Mirror(Box* box) {
    QObject::connect(box, &Box::textChanged, [this, box] {
      QFile file(Folder() + "/shown");
      if (file.open(QIODevice::WriteOnly)) file.write(TextOf(box).toUtf8());
    });
  }
  static QString TextOf(const QLineEdit* box) { return box->text(); }
  static QString TextOf(const QPlainTextEdit* box) { return box->toPlainText(); }
  // Waits for the box to show $1, for 20 seconds at most.
  inline static const QString kShows =
      "shows() { n=0; until [ \"$(cat shown 2>/dev/null)\" = \"$1\" ] || [ $((n+=1)) -gt 2000 ]; "
      "do sleep 0.01; done; }; ";

  QString output;
  int exitCode = -1;
};

TEST_F(ToolRunnerRun, ExitCodesOfTheToolArePassedOnAndCrashesArePositive) {
  struct Case {
    QString script;
    int code;
  } cases[] = {{"exit 0", 0}, {"exit 3", 3}, {"kill -SEGV $$", 128 + SIGSEGV}, {"kill -9 $$", 137}};
  for (const Case& c : cases) {
    EXPECT_TRUE(RunShell(c.script)) << c.script.toStdString();
    EXPECT_EQ(exitCode, c.code) << c.script.toStdString();
  }
}

TEST_F(ToolRunnerRun, AMissingProgramIsNotStarted) {
  output = "old";
  EXPECT_EQ(RunCaptured(Folder() + "/no such tool -x", "", 0, 0, nullptr, false, NoDisplay, output,
                        -1, exitCode),
            RunResult::NotStarted);
  EXPECT_EQ(output, "");
  EXPECT_EQ(exitCode, 0);
  EXPECT_EQ(RunCaptured(QString(), "", 0, 0, nullptr, false, NoDisplay, output, -1, exitCode),
            RunResult::NotStarted);
}

TEST_F(ToolRunnerRun, OutputAndErrorsArriveTogetherCleaned) {
  ASSERT_TRUE(RunShell("printf 'uno\\n'; printf 'dos\\r' >&2; sleep 0.1; printf 'tres\\n'"));
  EXPECT_EQ(output, "uno\ndos\ntres\n");
}

TEST_F(ToolRunnerRun, ArgumentsReachTheProgramWhole) {
  const QString name = "a b \"c\" $(touch hacked) `id`;|&.txt";
  ASSERT_EQ(RunCaptured(Pipeline{{"/bin/echo", {name, ""}}}, Folder(), 0, 0, nullptr, false,
                        NoDisplay, output, -1, exitCode),
            RunResult::Ran);
  EXPECT_EQ(output, name + " \n");
  EXPECT_FALSE(QFile::exists(Folder() + "/hacked"));
  ASSERT_EQ(RunCaptured(R"(/bin/echo "a  b" c\"d)", Folder(), 0, 0, nullptr, false, NoDisplay,
                        output, -1, exitCode),
            RunResult::Ran);
  EXPECT_EQ(output, "a  b c\"d\n");
}

TEST_F(ToolRunnerRun, LongOutputComesInChunksOfAtMost10240Bytes) {
  QPlainTextEdit box;
  int chunks = 0;
  QObject::connect(&box, &QPlainTextEdit::textChanged, [&] { ++chunks; });
  ASSERT_TRUE(RunShell("head -c 100000 /dev/zero | tr '\\0' x", 0, &box, AppendChunk, 0));
  EXPECT_EQ(output, "");
  EXPECT_EQ(box.toPlainText(), QString(100000, 'x'));
  EXPECT_GE(chunks, 10);
}

TEST_F(ToolRunnerRun, BoxesShowTheOutputByDisplayMode) {
  QPlainTextEdit text;
  text.setPlainText("old");
  ASSERT_TRUE(RunShell("printf 'a\\nb\\n'", 0, &text, AppendChunk));
  EXPECT_EQ(text.toPlainText(), "a\nb\n");
  QLineEdit line;
  Mirror(&line);
  ASSERT_TRUE(RunShell(kShows + "printf 'a\\n'; shows a; printf 'b\\n'", 0, &line, AppendChunk));
  EXPECT_EQ(line.text(), "ab");
  ASSERT_TRUE(RunShell("printf 'uno\\ndos\\n \\n'", 0, &line, ReplaceByVisibleChunk));
  EXPECT_EQ(line.text(), "dos");
  Mirror(&text);
  ASSERT_TRUE(RunShell(kShows + "printf 'frame=1\\r'; shows frame=1; printf ' frame=2 \\r'; "
                                "shows frame=2; printf '\\r\\n'",
                       0, &text, ReplaceByVisibleChunk));
  EXPECT_EQ(text.toPlainText(), "frame=2");
  ASSERT_TRUE(RunShell(kShows + "printf 'x'; shows x; printf '\\n'", 0, &text, ReplaceByChunk));
  EXPECT_EQ(text.toPlainText(), "");
}

// Without a window: the sink hears the emptying before the tool starts, then
// every chunk as the display mode makes it, line ends kept.
TEST_F(ToolRunnerRun, ASinkHearsTheOutputAsTheDisplayModeMakesIt) {
  using A = BoxUpdate::Action;
  QList<BoxUpdate> heard;
  // How many updates the sink has heard goes to the file "heard", so that the
  // script writes each chunk once the last one was heard.
  const OutputSink sink = [this, &heard](const BoxUpdate& update) {
    heard << update;
    QFile count(Folder() + "/heard");
    if (count.open(QIODevice::WriteOnly)) count.write(QByteArray::number(heard.size()));
  };
  const QString waitsUntilHeard =
      "heard() { n=0; until [ \"$(cat heard 2>/dev/null)\" = \"$1\" ] || [ $((n+=1)) -gt 2000 ]; "
      "do sleep 0.01; done; }; ";
  const Pipeline script{
      {"/bin/sh",
       {"-c", waitsUntilHeard +
                  "printf 'frame=1\\r'; heard 2; printf '\\r\\n'; heard 3; printf 'x\\n'"}}};
  ASSERT_EQ(RunCaptured(script, Folder(), 0, 0, sink, ReplaceByVisibleChunk, output, 0, exitCode),
            RunResult::Ran);
  EXPECT_EQ(heard,
            (QList<BoxUpdate>{
                {A::Replace, ""}, {A::Replace, "frame=1"}, {A::Leave, ""}, {A::Replace, "x"}}));
  heard.clear();
  ASSERT_EQ(RunCaptured(Pipeline{{"/bin/echo", {"a"}}}, Folder(), 0, 0, sink, AppendChunk, output,
                        0, exitCode),
            RunResult::Ran);
  EXPECT_EQ(heard, (QList<BoxUpdate>{{A::Replace, ""}, {A::Append, "a\n"}}));
  heard.clear();
  ASSERT_EQ(RunCaptured(Pipeline{{"/bin/echo", {"a"}}}, Folder(), 0, 0, sink, NoDisplay, output, 0,
                        exitCode),
            RunResult::Ran);
  EXPECT_TRUE(heard.isEmpty());
}

TEST_F(ToolRunnerRun, StopEndsTheRunWithCodeZeroAndPauseStopsTheChild) {
  qint64 pid = 0;
  QString pausedState, resumedState;
  When([&] { return PidAfter("pid", output) > 0; },
       [&] {
         pid = PidAfter("pid", output);
         RequestPause();
         When([&] { return ProcessState(pid) == "T"; },
              [&] {
                pausedState = ProcessState(pid);
                EXPECT_EQ(GetState(), PauseRequested);
                SendInput("ignored", InputEnd::LineEnd);  // refused while paused
                EXPECT_EQ(GetState(), PauseRequested);
                RequestResume();
                When([&] { return ProcessState(pid) != "T"; },
                     [&] {
                       resumedState = ProcessState(pid);
                       EXPECT_EQ(GetState(), Running);
                       RequestPause();
                       When([&] { return ProcessState(pid) == "T"; }, [] { RequestStop(); });
                     });
              });
       });
  // The shell becomes the tool: a shell paused while it starts a command
  // would wait for it in state D, never T, until a resume. The tool does not
  // end on its own within the test, so the run's return is the stop's doing.
  const HangGuard guard("a run that only the stop can end", 120000);
  ASSERT_TRUE(RunShell("echo pid $$; exec sleep 600"));
  EXPECT_EQ(pausedState, "T");
  EXPECT_NE(resumedState, "T");
  EXPECT_EQ(exitCode, 0);
}

TEST_F(ToolRunnerRun, InputReachesTheChildAndAStopIsNotReplaced) {
  When([&] { return GetState() == Waiting; },
       [&] {
         SendInput("hola", InputEnd::LineEnd);
         When([&] { return output.contains("hola"); },
              [&] {
                RequestStop();
                SendInput("late", InputEnd::AsIs);
                RequestPause();
                EXPECT_EQ(GetState(), StopRequested);
              });
       });
  ASSERT_EQ(
      RunCaptured("/bin/cat", Folder(), 1, 0, nullptr, false, NoDisplay, output, -1, exitCode),
      RunResult::Ran);
  EXPECT_EQ(output, "hola\n");
  EXPECT_EQ(exitCode, 0);
}

TEST_F(ToolRunnerRun, ASilentChildLeavesTheEventLoopRunningAndUsesNoCpu) {
  int ticks = 0;
  QTimer timer;
  // The ticks stop with the request: the run may take a while to end after it.
  QObject::connect(&timer, &QTimer::timeout, [&] {
    if (++ticks < 10) return;
    timer.stop();
    RequestStop();
  });
  timer.start(30);
  std::clock_t cpuBefore = std::clock();
  ASSERT_EQ(
      RunCaptured("/bin/cat", Folder(), 1, 0, nullptr, false, NoDisplay, output, -1, exitCode),
      RunResult::Ran);
  const double cpuSeconds = double(std::clock() - cpuBefore) / CLOCKS_PER_SEC;
  EXPECT_EQ(ticks, 10);
  EXPECT_LT(cpuSeconds, 0.1);
}

TEST_F(ToolRunnerRun, ASecondRunWhileOneRunsIsRefusedAsBusy) {
  RunResult second = RunResult::Ran;
  QString otherOutput = "untouched";
  int otherCode = 42;
  When([&] { return GetState() != Idle; },
       [&] {
         second = RunCaptured("/bin/echo x", "", 0, 0, nullptr, false, NoDisplay, otherOutput, -1,
                              otherCode);
         RequestStop();
       });
  ASSERT_TRUE(RunShell("exec sleep 30"));
  EXPECT_EQ(second, RunResult::Busy);
  EXPECT_EQ(otherOutput, "untouched");
  EXPECT_EQ(otherCode, 42);
}

TEST_F(ToolRunnerRun, RequestsWhileIdleAreLost) {
  RequestStop();
  SendInput("x", InputEnd::LineEnd);
  RequestPause();
  RequestResume();
  EXPECT_EQ(GetState(), Idle);
  EXPECT_EQ(ToolRunner::State().ConsoleInput, "");
}

TEST_F(ToolRunnerRun, APipelineJoinsTwoProcessesAndAStopReachesBoth) {
  ASSERT_EQ(RunCaptured(R"(cmd.exe /C /bin/printf "b\na\n" | /usr/bin/sort)", Folder(), 0, 0,
                        nullptr, false, NoDisplay, output, -1, exitCode),
            RunResult::Ran);
  EXPECT_EQ(output, "a\nb\n");
  EXPECT_EQ(exitCode, 0);

  // Each process that runs to its end leaves a file: the run waits for both.
  When([&] { return output.contains("go"); }, [] { RequestStop(); });
  ASSERT_EQ(RunCaptured(Pipeline{{"/bin/sh", {"-c", "echo go >&2; sleep 30; touch first-ran-out"}},
                                 {"/bin/sh", {"-c", "sleep 30; touch second-ran-out"}}},
                        Folder(), 0, 0, nullptr, false, NoDisplay, output, -1, exitCode),
            RunResult::Ran);
  EXPECT_FALSE(QFile::exists(Folder() + "/first-ran-out"));
  EXPECT_FALSE(QFile::exists(Folder() + "/second-ran-out"));
  EXPECT_EQ(exitCode, 0);
}

// A stand-in tool that starts a command of its own, as cdda2wav starts its
// reader: it writes the command's process id to the file named by $1, says
// "ready" and its own process id on its error output (which a pipeline's
// first tool shows too) and waits for the command. Should it run to its end,
// it leaves the file "$1-ran-out".
const QString kToolWithAChild =
    "sleep 60 & echo $! > \"$1\"; echo ready $$ >&2; wait; touch \"$1-ran-out\"";

qint64 PidIn(const QString& file) {
  QFile pid(file);
  return pid.open(QIODevice::ReadOnly) ? pid.readAll().trimmed().toLongLong() : 0;
}

// Every way the runner ends a tool ends what the tool started too, one
// process of a pipeline or both.
TEST_F(ToolRunnerRun, EndingAToolEndsWhatTheToolStarted) {
  struct Case {
    const char* name;
    std::function<void(const QList<qint64>& started)> end;
    bool withStdin;
    int tools;
  } cases[] = {
      {"stop", [](const QList<qint64>&) { RequestStop(); }, 0, 1},
      {"stop while paused",
       [](const QList<qint64>& started) {
         RequestPause();
         When([started] { return ProcessState(started.first()) == "T"; }, [] { RequestStop(); });
       },
       0, 1},
      {"close, a tool without input", [](const QList<qint64>&) { EndAll(); }, 0, 1},
      {"close, a tool deaf to q", [](const QList<qint64>&) { EndAll(); }, 1, 1},
      {"stop of a pipeline", [](const QList<qint64>&) { RequestStop(); }, 0, 2},
  };
  for (const Case& c : cases) {
    Reset();
    const QStringList pidFiles = {Folder() + "/first", Folder() + "/second"};
    for (const QString& file : pidFiles) {
      QFile::remove(file);
      QFile::remove(file + "-ran-out");
    }
    Pipeline pipeline;
    for (int k = 0; k < c.tools; ++k)
      pipeline << Command{"/bin/sh", {"-c", kToolWithAChild, "tool", pidFiles[k]}};
    QList<qint64> started;
    When([&] { return output.count("ready") == c.tools; },
         [&] {
           for (int k = 0; k < c.tools; ++k) started << PidIn(pidFiles[k]);
           c.end(started);
         });
    ASSERT_EQ(RunCaptured(pipeline, Folder(), c.withStdin, 0, nullptr, false, NoDisplay, output, -1,
                          exitCode),
              RunResult::Ran)
        << c.name;
    for (int k = 0; k < c.tools; ++k)
      EXPECT_FALSE(QFile::exists(pidFiles[k] + "-ran-out")) << c.name << ": tool " << k + 1;
    EXPECT_EQ(exitCode, 0) << c.name;
    ASSERT_EQ(started.size(), c.tools) << c.name;
    for (const qint64 pid : started) EXPECT_GT(pid, 0) << c.name;
    EXPECT_TRUE(AllEnd(started)) << c.name;
  }
  Reset();
}

// A pause stops what the tool started with the tool, and a resume lets both
// go on.
TEST_F(ToolRunnerRun, PauseAndResumeReachWhatTheToolStarted) {
  const QString pidFile = Folder() + "/child";
  qint64 tool = 0, child = 0;
  QStringList paused, resumed;
  When([&] { return PidAfter("ready", output) > 0; },
       [&] {
         child = PidIn(pidFile);
         tool = PidAfter("ready", output);
         RequestPause();
         When([&] { return ProcessState(tool) == "T" && ProcessState(child) == "T"; },
              [&] {
                paused = {ProcessState(tool), ProcessState(child)};
                RequestResume();
                When([&] { return ProcessState(tool) != "T" && ProcessState(child) != "T"; },
                     [&] {
                       resumed = {ProcessState(tool), ProcessState(child)};
                       RequestStop();
                     });
              });
       });
  ASSERT_TRUE(RunCaptured(Pipeline{{"/bin/sh", {"-c", kToolWithAChild, "tool", pidFile}}}, Folder(),
                          0, 0, nullptr, false, NoDisplay, output, -1, exitCode) == RunResult::Ran);
  EXPECT_GT(tool, 0);
  EXPECT_GT(child, 0);
  EXPECT_EQ(paused, QStringList({"T", "T"}));
  EXPECT_FALSE(resumed.contains("T")) << resumed.join(' ').toStdString();
  EXPECT_TRUE(AllEnd({tool, child}));
}

// What the program's close does to the running tool: "q" on its input, else
// SIGTERM, and a kill for a tool that ends on neither.
TEST_F(ToolRunnerRun, EndAllAsksTheToolToFinishAndKillsItAfterTheGrace) {
  struct Case {
    const char* name;
    const char* script;
    bool withStdin;
    const char* said;
    bool killed;
  } cases[] = {
      {"input pipe", "echo ready $$; read line; echo \"got $line\"; exit 3", 1, "got q", false},
      {"no input", "trap 'echo term; exit 3' TERM; echo ready $$; while :; do sleep 0.05; done", 0,
       "term", false},
      {"deaf", "trap '' TERM; echo ready $$; exec sleep 60", 1, "", true},
  };
  for (const Case& c : cases) {
    Reset();
    qint64 tool = 0;
    QElapsedTimer ending;
    When([this] { return PidAfter("ready", output) > 0; },
         [&] {
           tool = PidAfter("ready", output);
           ending.start();
           EndAll();
         });
    EXPECT_TRUE(RunShell(c.script, c.withStdin)) << c.name;
    EXPECT_TRUE(output.contains(c.said)) << c.name << ": " << output.toStdString();
    EXPECT_EQ(exitCode, 0) << c.name << ": a stop, not a failure";
    // How soon the close ends for a tool that answers is measured by bench/close.
    if (c.killed) {
      EXPECT_GE(ending.elapsed(), EndGraceMs) << c.name << ": killed before the grace";
    }
    EXPECT_GT(tool, 0) << c.name;
    EXPECT_TRUE(AllEnd({tool})) << c.name;
    EXPECT_TRUE(Closing());
    EXPECT_FALSE(RunShell("echo late")) << c.name << ": nothing starts while closing";
  }
  Reset();
  EXPECT_TRUE(RunShell("echo again"));
  EXPECT_FALSE(Closing());
}

TEST_F(ToolRunnerRun, CompanionsEndWithTheirOwnerOrWithTheProgram) {
  UseSilentPlayer();
  const Command player{"/usr/bin/ffplay", {"-f", "lavfi", "-i", "testsrc=size=160x120:rate=10"}};
  auto startFor = [&player](QObject* owner) {
    const QList<qint64> before = ChildProcesses("ffplay");
    EXPECT_TRUE(StartCompanion(player, owner));
    QList<qint64> after = ChildProcesses("ffplay");
    for (const qint64 pid : before) after.removeAll(pid);
    EXPECT_EQ(after.size(), 1);
    return after;
  };
  QObject kept;
  const QList<qint64> ownedByKept = startFor(&kept);
  auto* dropped = new QObject;
  const QList<qint64> ownedByDropped = startFor(dropped);
  delete dropped;
  EXPECT_TRUE(AllEnd(ownedByDropped));
  EXPECT_TRUE(ProcessLives(ownedByKept.first()));

  QObject other;
  const QList<qint64> ownedByOther = startFor(&other);
  EndCompanions(&kept);
  EXPECT_TRUE(AllEnd(ownedByKept));
  EXPECT_TRUE(ProcessLives(ownedByOther.first()));

  // A companion that started a command of its own takes it along.
  const QString pidFile = Folder() + "/companion-child";
  QObject script;
  ASSERT_TRUE(StartCompanion({"/bin/sh", {"-c", kToolWithAChild, "tool", pidFile}}, &script));
  ASSERT_TRUE(WaitFor([&] { return PidIn(pidFile) > 0; }));
  const qint64 companionChild = PidIn(pidFile);
  EndCompanions(&script);
  EXPECT_TRUE(AllEnd({companionChild}));

  EXPECT_FALSE(StartCompanion({"/nonexistent/player", {}}, &kept));
  EndAll();
  EXPECT_TRUE(AllEnd(ownedByOther));
  EXPECT_FALSE(StartCompanion(player, &kept)) << "nothing starts while closing";
}

// The program's event loops left by the application's own exit, with no
// close before it: the running ffmpeg still gets "q". Run in a child process
// of the test, as the loops cannot be entered again after an exit.
void RecordUntilTheApplicationExits(const QString& output) {
  Reset();
  QString console;
  int code = 0;
  QTimer poll;
  QList<qint64> recorders;
  QObject::connect(&poll, &QTimer::timeout, [&] {
    if (!console.contains("time=")) return;
    poll.stop();
    recorders = ChildProcesses("ffmpeg");
    QCoreApplication::exit(0);
  });
  poll.start(20);
  RunCaptured(Pipeline{{"/usr/bin/ffmpeg",
                        {"-f", "lavfi", "-i", "testsrc=size=160x120:rate=10", "-y", output}}},
              QString(), 1, 1, nullptr, false, NoDisplay, console, -1, code);
  QProcess probe;
  probe.start("/usr/bin/ffprobe",
              {"-v", "error", "-show_entries", "format=duration", "-of", "csv=p=0", output});
  probe.waitForFinished();
  const bool complete = probe.readAll().trimmed().toDouble() > 0;
  // The child's own test folder: no fixture tear-down runs after an exit.
  QDir(QFileInfo(output).path()).removeRecursively();
  std::exit(recorders.size() == 1 && AllEnd(recorders) && complete ? 0 : 1);
}

TEST_F(ToolRunnerRun, LeavingTheEventLoopsOnExitEndsTheToolWithQ) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  // An mp4 that ffmpeg did not finish has no index and cannot be read.
  EXPECT_EXIT(RecordUntilTheApplicationExits(Folder() + "/exit.mp4"), ::testing::ExitedWithCode(0),
              "");
}

// A program that dies without closing: its ffmpeg gets SIGTERM from the
// system, and finishes its output. The dying program is a child of the test,
// which shares with it a folder named after the test's process id.
QString SharedFolder(qint64 testPid) {
  return QDir::tempPath() + "/quillmoor-dies-" + QString::number(testPid);
}

void RecordAndDie(const QString& ownFolder) {
  Reset();
  // The test's body ran here too before this, and made a folder of this
  // process's own id, which nobody else removes.
  QDir(SharedFolder(QCoreApplication::applicationPid())).removeRecursively();
  const QString shared = SharedFolder(::getppid());
  QString console;
  int code = 0;
  QTimer poll;
  QObject::connect(&poll, &QTimer::timeout, [&] {
    if (!console.contains("time=")) return;
    QFile pid(shared + "/pid");
    if (pid.open(QIODevice::WriteOnly))
      pid.write(QByteArray::number(ChildProcesses("ffmpeg").value(0)));
    pid.close();
    // No fixture tear-down runs after an exit.
    QDir(ownFolder).removeRecursively();
    std::_Exit(3);
  });
  poll.start(20);
  // In real time and for 30 s at most, should it outlive the test.
  RunCaptured(Pipeline{{"/usr/bin/ffmpeg",
                        {"-re", "-f", "lavfi", "-i", "testsrc=size=160x120:rate=10", "-t", "30",
                         "-y", shared + "/died.mp4"}}},
              QString(), 1, 1, nullptr, false, NoDisplay, console, -1, code);
  std::_Exit(1);
}

TEST_F(ToolRunnerRun, ToolsOfAProgramThatDiesWithoutClosingEndToo) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  const QString shared = SharedFolder(QCoreApplication::applicationPid());
  QDir(shared).removeRecursively();
  ASSERT_TRUE(QDir().mkpath(shared));
  EXPECT_EXIT(RecordAndDie(Folder()), ::testing::ExitedWithCode(3), "");
  QFile pid(shared + "/pid");
  ASSERT_TRUE(pid.open(QIODevice::ReadOnly));
  const qint64 recorder = pid.readAll().toLongLong();
  ASSERT_GT(recorder, 0);
  EXPECT_TRUE(AllEnd({recorder}));
  QProcess probe;
  probe.start("/usr/bin/ffprobe", {"-v", "error", "-show_entries", "format=duration", "-of",
                                   "csv=p=0", shared + "/died.mp4"});
  probe.waitForFinished();
  EXPECT_GT(probe.readAll().trimmed().toDouble(), 0.0) << "SIGTERM lets ffmpeg finish the file";
  QDir(shared).removeRecursively();
}

}  // namespace
