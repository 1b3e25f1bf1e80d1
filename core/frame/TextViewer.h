#pragma once

#include <QString>
#include <optional>

class QObject;

// The text viewer's work: a command line's whole output and the searches in
// it. The viewer window itself is the window side's; it is installed here so
// that any part of the program can ask for it.
namespace TextViewer {

// Shows the output of cmdLine and returns when the viewer has closed: closed by
// the user, by CloseViewer, by a newer call, or because owner (the window that
// asks, may be null) was closed or destroyed. An open viewer is replaced by the
// new one. A viewer that goes while its command still runs stops the command.
// Nothing without a viewer installed, nor while a tool runs (the viewer's
// command or another): that one goes on undisturbed.
void ShowCommandOutput(const QString& cmdLine, QObject* owner);
// Unloads the viewer when it is open.
void CloseViewer();

// The viewer window's two entry points, installed by the window side at start-up.
struct Viewer {
  void (*showCommandOutput)(const QString& cmdLine, QObject* owner) = nullptr;
  void (*close)() = nullptr;
};
void InstallViewer(const Viewer& viewer);

// Runs cmdLine and gives everything it wrote; nothing while another tool
// runs, which the runner does not disturb.
std::optional<QString> CommandOutput(const QString& cmdLine);

// The searches of the viewer, on the text as shown. position is where the last
// search left off: one past the start of its match, or a click's cursor
// position (0 = nothing searched yet). FindNext gives the first match that
// starts at or after index position, FindPrevious the last match that ends
// before index position - 1 (in the whole text when position is 0). Both give
// the index where the match starts, or -1 when there is none.
int FindNext(const QString& text, const QString& what, int position, bool matchCase);
int FindPrevious(const QString& text, const QString& what, int position, bool matchCase);

// The viewer window, once installed.
struct TextViewerState {
  Viewer Window;
};

// This module's part of the running program's AppState.
TextViewerState& State();

}  // namespace TextViewer
