#pragma once

#include <QString>
#include <cstdint>

// The text of a tool's console output as the program keeps and shows it:
// cleaned of control characters, with every line ending in LF, and what
// each chunk does to the box that shows it.
namespace ConsoleText {

// How a box shows a run's output, chunk by chunk.
enum class Display : uint8_t {
  NoDisplay = 0,
  AppendChunk = 1,
  ReplaceByChunk = 2,
  ReplaceByVisibleChunk =
      3,  // as ReplaceByChunk, but a chunk of only tabs and line ends leaves the box alone
};

// What the shown output does with one chunk.
struct BoxUpdate {
  enum Action { Leave, Append, Replace } action = Leave;
  QString text;
  bool operator==(const BoxUpdate&) const = default;
};

// Drops the control characters other than tab, LF and CR, the C1 controls
// U+0081..U+0090 and U+0093..U+009F and U+007F, and makes every line end,
// whether LF, CR or CR LF, one LF (CR LF CR LF stays two line ends, LF LF
// becomes one).
QString CleanOutput(const QString& text);
// The last line of cleaned output (lines end in LF) that holds more than
// blanks, without the blanks at its ends: what a one-line box shows of output
// that replaces its text, a whole line and never two run together.
QString LastLine(const QString& text);
// Adds a cleaned chunk to the collected output: maxKeep 0 keeps nothing, > 0
// the last maxKeep characters, < 0 everything.
void KeepOutput(QString& output, const QString& chunk, int maxKeep);
// What a chunk does to the box: appended (AppendChunk), replacing its text
// (ReplaceByChunk, ReplaceByVisibleChunk), or nothing (NoDisplay, and
// ReplaceByVisibleChunk for a chunk of only tabs and line ends). A
// single-line box gets the text without its line ends.
BoxUpdate UpdateForChunk(const QString& chunk, Display displayMode, bool singleLine);

}  // namespace ConsoleText
