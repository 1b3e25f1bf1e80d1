#include "core/editing/NumericKey.h"

namespace NumericKey {

namespace {

BoxState ReplaceSelection(const BoxState& box, const QString& insert) {
  BoxState result;
  result.text = box.text;
  int at = box.caret;
  if (box.selectionLength > 0) {
    at = box.selectionStart;
    result.text.remove(at, box.selectionLength);
  }
  result.text.insert(at, insert);
  result.caret = at + int(insert.size());
  return result;
}

bool Admitted(QChar key, Allowed allowed) {
  if (key >= '0' && key <= '9') return true;
  return (key == '.' && allowed.dot) || (key == ':' && allowed.colon) ||
         (key == '-' && allowed.minus);
}

}  // namespace

BoxState Apply(const BoxState& box, QChar key, Allowed allowed) {
  if (key == QChar(Backspace)) {
    if (box.selectionLength > 0) return ReplaceSelection(box, QString());
    if (box.caret == 0) return box;
    BoxState result = box;
    result.text.remove(box.caret - 1, 1);
    result.caret = box.caret - 1;
    result.selectionStart = result.selectionLength = 0;
    return result;
  }
  if (!Admitted(key, allowed)) return box;
  // Time boxes take several points ("1:30.5" is typed with one, but a point
  // per field is legal); a plain number takes one.
  if (key == '.' && !allowed.colon && box.text.contains('.')) return box;
  if (key == '-' && box.text.contains('-')) return box;
  return ReplaceSelection(box, QString(key));
}

}  // namespace NumericKey
