// Times what reading ffmpeg's console output costs against the run that
// writes it, for a tool that redraws its progress with backspaces and never
// ends its line: megabytes of one line, which the report reads by its start.
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <cstdio>

#include "core/app/AppState.h"
#include "core/frame/FfmpegConsole.h"
#include "core/ground/CommandLine.h"
#include "core/ground/ConsoleText.h"
#include "core/ground/ToolRunner.h"

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  AppState state;
  QTemporaryDir folder;
  const QString script =
      "yes \"$(printf '\\b\\b\\b\\b\\b\\b\\b%7s' 42%)\" | tr -d '\\n' | head -c 8000000; "
      "printf '\\n[mp3 @ 0x1] Error writing trailer: No space left on device\\n'";
  FfmpegConsole::Report report;
  qint64 reportNs = 0;
  QString kept;
  int code = -1;
  QElapsedTimer run;
  run.start();
  const ToolRunner::RunResult result = ToolRunner::RunCaptured(
      CommandLine::Pipeline{{"/bin/sh", {"-c", script}}}, folder.path(), false, false,
      ToolRunner::OutputSink(), ConsoleText::Display::NoDisplay, kept, 256, code,
      [&](const QString& chunk) {
        QElapsedTimer add;
        add.start();
        report.Add(chunk);
        reportNs += add.nsecsElapsed();
      });
  const qint64 runNs = run.nsecsElapsed();
  if (result != ToolRunner::RunResult::Ran || code != 0 || !report.WriteFailed()) {
    std::fprintf(stderr, "the run failed (exit code %d, write failure read %d)\n", code,
                 report.WriteFailed());
    return 1;
  }
  std::printf("8 MB in one line: report %.1f ms of a run of %.1f ms\n", double(reportNs) / 1e6,
              double(runNs) / 1e6);
  std::printf("share %.4f\n", double(reportNs) / double(runNs));
  return 0;
}
