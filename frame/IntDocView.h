#pragma once

#include <QString>

class QWidget;

// The text viewer: runs a command line and shows its whole output in Form6,
// a searchable window that lives as long as the window that asked for it.
namespace IntDocView {

// Shows the output of cmdLine and returns when the viewer has closed: closed by
// the user, by CloseViewer, by a newer call, or because owner was closed or
// destroyed. An open viewer is replaced by the new one.
void ShowCommandOutput(const QString& cmdLine, QWidget* owner);
// Unloads the viewer when it is open.
void CloseViewer();

// The searches of the viewer, on the text as shown. position is the search
// position (0 = before the first character). FindNext looks from character
// position + 1 on, FindPrevious for the last match that ends at or before
// character position - 1 (the whole text when position is 0). Both give the
// 1-based character where the match starts, or 0.
int FindNext(const QString& text, const QString& what, int position, bool matchCase);
int FindPrevious(const QString& text, const QString& what, int position, bool matchCase);

}  // namespace IntDocView
