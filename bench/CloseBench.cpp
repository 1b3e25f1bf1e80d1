// Times the program's close (ToolRunner::EndAll) while a tool runs: a tool
// that answers ffmpeg's "q" on its input, one that answers SIGTERM, and one
// deaf to both, which is killed once the grace has passed. Only the last
// should take the grace.
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>

#include "core/app/AppState.h"
#include "core/ground/CommandLine.h"
#include "core/ground/ConsoleText.h"
#include "core/ground/ToolRunner.h"

namespace {

// The milliseconds EndAll took once the tool said "ready"; -1 when the run failed.
double CloseMs(const QString& script, bool withStdin, const QString& folder) {
  ToolRunner::Reset();
  qint64 closeNs = -1;
  bool asked = false;
  const auto closeWhenReady = [&](const QString& chunk) {
    if (asked || !chunk.contains("ready")) return;
    asked = true;
    QTimer::singleShot(0, [&closeNs] {
      QElapsedTimer clock;
      clock.start();
      ToolRunner::EndAll();
      closeNs = clock.nsecsElapsed();
    });
  };
  QString output;
  int code = 0;
  const ToolRunner::RunResult result = ToolRunner::RunCaptured(
      CommandLine::Pipeline{{"/bin/sh", {"-c", script}}}, folder, withStdin, false,
      ToolRunner::OutputSink(), ConsoleText::Display::NoDisplay, output, 0, code, closeWhenReady);
  ToolRunner::Reset();
  return result == ToolRunner::RunResult::Ran && closeNs >= 0 ? double(closeNs) / 1e6 : -1;
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  AppState state;
  QTemporaryDir folder;
  const struct {
    const char* tool;
    const char* script;
    bool withStdin;
  } tools[] = {
      {"answers q", "echo ready; read line; exit 3", 1},
      {"answers SIGTERM", "trap 'exit 3' TERM; echo ready; while :; do sleep 0.05; done", 0},
      {"is deaf to both", "trap '' TERM; echo ready; exec sleep 60", 1},
  };
  for (const auto& tool : tools) {
    const double ms = CloseMs(tool.script, tool.withStdin, folder.path());
    if (ms < 0) {
      std::fprintf(stderr, "the run of the tool that %s failed\n", tool.tool);
      return 1;
    }
    std::printf("close of a tool that %s: %.1f ms (grace %d ms)\n", tool.tool, ms,
                ToolRunner::EndGraceMs);
  }
  return 0;
}
