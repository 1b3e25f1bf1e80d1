#include "core/frame/TextViewer.h"

#include "core/ground/CommandLine.h"
#include "core/ground/ConsoleText.h"
#include "core/ground/ToolRunner.h"

namespace TextViewer {

void InstallViewer(const Viewer& viewer) { State().Window = viewer; }

void ShowCommandOutput(const QString& cmdLine, QObject* owner) {
  // The runner takes one tool at a time: a viewer opened now would stop the
  // running viewer's command and then show nothing of its own.
  if (ToolRunner::GetState() != ToolRunner::RunState::Idle) return;
  const Viewer& viewer = State().Window;
  if (viewer.showCommandOutput) viewer.showCommandOutput(cmdLine, owner);
}

void CloseViewer() {
  const Viewer& viewer = State().Window;
  if (viewer.close) viewer.close();
}

std::optional<QString> CommandOutput(const QString& cmdLine) {
  QString output;
  int exitCode = 0;
  const ToolRunner::RunResult result = ToolRunner::RunCaptured(
      CommandLine::ParseCommandLine(cmdLine), QString(), false, false, ToolRunner::OutputSink(),
      ConsoleText::Display::NoDisplay, output, -1, exitCode);
  if (result == ToolRunner::RunResult::Busy) return std::nullopt;
  return output;
}

int FindNext(const QString& text, const QString& what, int position, bool matchCase) {
  if (text.isEmpty() || what.isEmpty()) return -1;
  return static_cast<int>(
      text.indexOf(what, position, matchCase ? Qt::CaseSensitive : Qt::CaseInsensitive));
}

int FindPrevious(const QString& text, const QString& what, int position, bool matchCase) {
  if (what.isEmpty()) return -1;
  const qsizetype lastStart =
      position == 0 ? text.size() - what.size() : position - 1 - what.size();
  if (lastStart < 0) return -1;
  return static_cast<int>(
      text.lastIndexOf(what, lastStart, matchCase ? Qt::CaseSensitive : Qt::CaseInsensitive));
}

}  // namespace TextViewer
