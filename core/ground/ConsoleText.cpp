#include "core/ground/ConsoleText.h"

namespace ConsoleText {

namespace {

const QString CrLf = QStringLiteral("\r\n");

}  // namespace

QString CleanOutput(const QString& text) {
  QString kept;
  kept.reserve(text.size());
  for (const QChar c : text) {
    const char16_t u = c.unicode();
    const bool control = u < 32 && u != '\t' && u != '\n' && u != '\r';
    const bool c1 = (u >= 0x81 && u <= 0x90) || (u >= 0x93 && u <= 0x9F) || u == 0x7F;
    if (!control && !c1) kept += c;
  }
  kept.replace('\n', '\r');
  kept.replace(QStringLiteral("\r"), CrLf);
  kept.replace(CrLf + CrLf, CrLf);
  return kept;
}

QString LastLine(const QString& text) {
  // Once trimmed, the text ends in its last line that is not blank.
  const QString trimmed = text.trimmed();
  const qsizetype lineEnd = trimmed.lastIndexOf(CrLf);
  return lineEnd < 0 ? trimmed : trimmed.sliced(lineEnd + CrLf.size()).trimmed();
}

void KeepOutput(QString& output, const QString& chunk, int32_t maxKeep) {
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
    visible.remove('\t').remove('\n').remove('\r');
    if (!visible.isEmpty()) update = {BoxUpdate::Replace, chunk.trimmed()};
  }
  if (singleLine) update.text.remove(CrLf);
  return update;
}

}  // namespace ConsoleText
