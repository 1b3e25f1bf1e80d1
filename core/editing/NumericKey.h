#pragma once

#include <QChar>
#include <QString>

// The one key rule of every numeric box of the editing-profile window: digits
// always enter; ":", "." and "-" only where the box allows them; backspace
// deletes; nothing else (letters, blanks, paste, Delete) changes the box.
namespace NumericKey {

struct Allowed {
  bool colon = false;
  bool dot = false;
  bool minus = false;
};

// A box's text, its caret and its selection (start and length; length 0 = none).
struct BoxState {
  QString text;
  int caret = 0;
  int selectionStart = 0;
  int selectionLength = 0;
  bool operator==(const BoxState&) const = default;
};

constexpr char16_t Backspace = 8;

// The box after the key; the same state when the key changes nothing.
BoxState Apply(const BoxState& box, QChar key, Allowed allowed);

}  // namespace NumericKey
