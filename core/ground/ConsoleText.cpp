#include "core/ground/ConsoleText.h"

namespace ConsoleText {

QString CleanOutput(const QString& text) {
  QString kept;
  kept.reserve(text.size());
  for (const QChar c : text) {
    const char16_t u = c.unicode();
    const bool control = u < 32 && u != '\t' && u != '\n' && u != '\r';
    const bool c1 = (u >= 0x81 && u <= 0x90) || (u >= 0x93 && u <= 0x9F) || u == 0x7F;
    if (!control && !c1) kept += c;
  }
  // Each CR and each LF ends a line, and line ends in a row count in pairs:
  // CR LF is one line end, CR LF CR LF two, LF LF one and a lone CR one.
  kept.replace('\r', '\n');
  kept.replace(QStringLiteral("\n\n"), QStringLiteral("\n"));
  return kept;
}

QString LastLine(const QString& text) {
  // Once trimmed, the text ends in its last line that is not blank.
  const QString trimmed = text.trimmed();
  const qsizetype lineEnd = trimmed.lastIndexOf('\n');
  return lineEnd < 0 ? trimmed : trimmed.sliced(lineEnd + 1).trimmed();
}

void KeepOutput(QString& output, const QString& chunk, int maxKeep) {
  if (maxKeep == 0) return;
  output += chunk;
  if (maxKeep > 0 && output.size() > maxKeep) output.remove(0, output.size() - maxKeep);
}

BoxUpdate UpdateForChunk(const QString& chunk, Display displayMode, bool singleLine) {
  BoxUpdate update;
  if (displayMode == Display::AppendChunk) {
    update = {BoxUpdate::Append, chunk};
  } else if (displayMode == Display::ReplaceByChunk) {
    update = {BoxUpdate::Replace, chunk.trimmed()};
  } else if (displayMode == Display::ReplaceByVisibleChunk) {
    QString visible = chunk;
    visible.remove('\t').remove('\n');
    if (!visible.isEmpty()) update = {BoxUpdate::Replace, chunk.trimmed()};
  }
  if (singleLine) update.text.remove('\n');
  return update;
}

}  // namespace ConsoleText
