// Converts 20 short clips through Conversion::Convert and through a plain
// shell loop of the same ffmpeg commands, and compares the two.
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <cstdio>

#include "Measure.h"
#include "core/app/AppState.h"
#include "core/convert/Conversion.h"
#include "core/convert/ConversionState.h"
#include "core/frame/FfmpegTools.h"
#include "core/frame/Session.h"
#include "core/ground/ProgramFolder.h"

namespace {

constexpr int kClips = 20;

QString ShellQuoted(const QString& word) { return "'" + QString(word).replace("'", "'\\''") + "'"; }

bool MakeClips(const QString& ffmpeg, const QString& folder) {
  QDir().mkpath(folder);
  for (int i = 1; i <= kClips; ++i) {
    const QString clip = QString("%1/clip %2.mkv").arg(folder).arg(i, 2, 10, QChar('0'));
    const QStringList args = {"-v",
                              "error",
                              "-y",
                              "-f",
                              "lavfi",
                              "-i",
                              "testsrc=size=320x240:rate=25",
                              "-f",
                              "lavfi",
                              "-i",
                              "sine=sample_rate=44100",
                              "-t",
                              "2",
                              "-c:v",
                              "mpeg4",
                              clip};
    if (QProcess::execute(ffmpeg, args) != 0) return false;
    Session::State().FileList << clip;
  }
  return true;
}

// The command table of the choices, as a conversion builds it; false when it cannot be built.
bool BuildCommands() {
  const Conversion::TableBuild build = Conversion::BuildTable(Conversion::State().Choices, "");
  if (build.Failure != Conversion::TableFailure::None) return false;
  Conversion::State().Commands = build.Table;
  return true;
}

// The run, into its own output folder: the table built and every input converted.
Usage RunConvert(const QString& outputFolder) {
  QDir().mkpath(outputFolder);
  Session::State().OutputFolder = outputFolder;
  return Measure([] {
    if (!BuildCommands()) return;
    QList<QStringList> inputs;
    for (const QString& clip : Session::State().FileList) inputs << QStringList{clip};
    Conversion::ConversionRun run("", inputs, Session::State().FileList);
    run.Execute();
  });
}

// The same commands, one after another from a shell script.
Usage RunShell(const QString& outputFolder, const QString& scriptPath) {
  QDir().mkpath(outputFolder);
  QString script = "#!/bin/sh\nfor f in";
  for (const QString& clip : Session::State().FileList) script += " " + ShellQuoted(clip);
  if (!BuildCommands()) return {};
  const CommandTable& table = Conversion::State().Commands;
  const Conversion::StepCommand step = Conversion::RowStep(table, 7, {"INPUT"}, "OUTPUT");
  QString line = ShellQuoted(step.Command.program);
  for (const QString& argument : step.Command.arguments) {
    if (argument == "INPUT")
      line += " \"$f\"";
    else if (argument == "OUTPUT")
      line += " " + ShellQuoted(outputFolder) + "/\"$(basename \"$f\")\"";
    else
      line += " " + ShellQuoted(argument);
  }
  script += "; do\n  " + line + " </dev/null >/dev/null 2>&1 || exit 1\ndone\n";
  QFile file(scriptPath);
  if (!file.open(QIODevice::WriteOnly)) return {};
  file.write(script.toUtf8());
  file.close();
  return Measure([&] {
    if (QProcess::execute("/bin/sh", {scriptPath}) != 0)
      std::fprintf(stderr, "%s", qPrintable(script));
  });
}

int Outputs(const QString& folder) { return QDir(folder).entryList({"*.mkv"}, QDir::Files).size(); }

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  AppState state;
  QTemporaryDir dir;
  ProgramFolder::SetForTests(dir.path());
  FfmpegTools::InitOptionNames();
  FfmpegTools::State().FfmpegPath =
      argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("/usr/bin/ffmpeg");
  if (!MakeClips(FfmpegTools::State().FfmpegPath, dir.path() + "/clips")) {
    std::fprintf(stderr, "could not make the clips\n");
    return 1;
  }
  Conversion::State().Choices.OutputMode = Conversion::OutputChosenFolder;
  Conversion::State().Choices.ExtensionText = "mkv";

  // Run, shell, shell, run: a machine that slows down or speeds up during the
  // benchmark weighs on both sides alike.
  Usage ours = RunConvert(dir.path() + "/ours1");
  Usage shell = RunShell(dir.path() + "/shell1", dir.path() + "/loop.sh");
  shell += RunShell(dir.path() + "/shell2", dir.path() + "/loop.sh");
  ours += RunConvert(dir.path() + "/ours2");
  const int converted = Outputs(dir.path() + "/ours1") + Outputs(dir.path() + "/ours2");
  const int looped = Outputs(dir.path() + "/shell1") + Outputs(dir.path() + "/shell2");
  if (converted != 2 * kClips || looped != 2 * kClips || !Conversion::State().Errors.isEmpty()) {
    std::fprintf(stderr, "outputs: %d from the run, %d from the shell, of %d\n", converted, looped,
                 2 * kClips);
    return 1;
  }

  std::printf("shell loop, twice: %.2f s wall, tools %.2f s cpu\n", shell.wallSeconds,
              shell.toolCpuSeconds);
  std::printf("Convert, twice:    %.2f s wall, tools %.2f s cpu, our process %.3f s cpu\n",
              ours.wallSeconds, ours.toolCpuSeconds, ours.ownCpuSeconds);
  std::printf("ratio %.3f cpu_share %.4f\n", ours.wallSeconds / shell.wallSeconds,
              ours.ownCpuSeconds / ours.toolCpuSeconds);
  return 0;
}
