// Times one chatty ffmpeg job, twice run directly and twice run through the console runner
// as a conversion runs it, and measures what the runner itself costs.
#include <QCoreApplication>
#include <QProcess>
#include <cstdio>

#include "Measure.h"
#include "core/app/AppState.h"
#include "core/ground/CommandLine.h"
#include "core/ground/ConsoleText.h"
#include "core/ground/ToolRunner.h"

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  AppState state;
  const QString ffmpeg =
      argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("/usr/bin/ffmpeg");
  const CommandLine::Command job{
      ffmpeg,
      {"-hide_banner", "-f", "lavfi", "-i", "testsrc=size=1280x720:rate=50", "-t", "20", "-c:v",
       "libx264", "-preset", "fast", "-threads", "1", "-stats", "-f", "null", "-"}};

  auto runDirect = [&] {
    return Measure([&] {
      QProcess process;
      process.setStandardInputFile(QProcess::nullDevice());
      process.setProcessChannelMode(QProcess::MergedChannels);
      process.setStandardOutputFile(QProcess::nullDevice());
      process.start(job.program, job.arguments);
      process.waitForFinished(-1);
    });
  };
  // What a progress box would show, kept as the box keeps it.
  QString shown;
  const ToolRunner::OutputSink show = [&shown](const ConsoleText::BoxUpdate& update) {
    if (update.action == ConsoleText::BoxUpdate::Replace) shown = update.text;
    if (update.action == ConsoleText::BoxUpdate::Append) shown += update.text;
  };
  QString output;
  int exitCode = 0;
  bool started = true;
  auto runCaptured = [&] {
    return Measure([&] {
      started = ToolRunner::RunCaptured({job}, QString(), false, false, show,
                                        ConsoleText::Display::ReplaceByVisibleChunk, output, 1024,
                                        exitCode) == ToolRunner::RunResult::Ran &&
                started;
    });
  };

  // Direct, captured, captured, direct: a machine that slows down or speeds
  // up during the benchmark weighs on both sides alike.
  Usage direct = runDirect();
  Usage captured = runCaptured();
  captured += runCaptured();
  direct += runDirect();
  if (!started || exitCode != 0) {
    std::fprintf(stderr, "the job failed (started %d, exit code %d)\n", started, exitCode);
    return 1;
  }

  std::printf("direct, twice:   %.2f s wall, tool %.2f s cpu\n", direct.wallSeconds,
              direct.toolCpuSeconds);
  std::printf("captured, twice: %.2f s wall, tool %.2f s cpu, runner %.3f s cpu\n",
              captured.wallSeconds, captured.toolCpuSeconds, captured.ownCpuSeconds);
  std::printf("ratio %.3f cpu_share %.4f\n", captured.wallSeconds / direct.wallSeconds,
              captured.ownCpuSeconds / captured.toolCpuSeconds);
  return 0;
}
