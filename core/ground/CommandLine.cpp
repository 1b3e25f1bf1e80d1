#include "core/ground/CommandLine.h"

#include <QRegularExpression>

namespace CommandLine {

namespace {

bool IsBlank(QChar c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }

// A backslash inside double quotes escapes only these.
bool EscapedInDoubleQuotes(QChar c) { return c == '"' || c == '\\' || c == '$' || c == '`'; }

// A backslash and the line break after it vanish, as in a shell.
qsizetype LineContinuation(const QString& text, qsizetype i) {
  if (text.mid(i, 2) == QStringLiteral("\\\n")) return 2;
  if (text.mid(i, 3) == QStringLiteral("\\\r\n")) return 3;
  return 0;
}

// The double-quoted part that starts at text[i]; i ends past its closing quote.
void TakeDoubleQuoted(const QString& text, qsizetype& i, QString& value) {
  for (++i; i < text.size(); ++i) {
    const QChar c = text[i];
    if (const qsizetype skip = LineContinuation(text, i)) {
      i += skip - 1;
    } else if (c == '\\' && i + 1 < text.size() && EscapedInDoubleQuotes(text[i + 1])) {
      value += text[++i];
    } else if (c == '"' && i + 1 < text.size() && text[i + 1] == '"') {
      // Options stored in older profiles wrote a quote inside quotes as "".
      value += '"';
      ++i;
    } else if (c == '"') {
      ++i;
      return;
    } else {
      value += c;
    }
  }
}

// The word that starts at text[i]; i ends on the blank after it.
TypedWord TakeWord(const QString& text, qsizetype& i) {
  TypedWord word;
  word.start = i;
  while (i < text.size() && !IsBlank(text[i])) {
    const QChar c = text[i];
    if (c == '\'') {
      const qsizetype close = text.indexOf('\'', i + 1);
      const qsizetype end = close < 0 ? text.size() : close;
      word.value += text.mid(i + 1, end - i - 1);
      i = close < 0 ? end : end + 1;
    } else if (c == '"') {
      TakeDoubleQuoted(text, i, word.value);
    } else if (const qsizetype skip = LineContinuation(text, i)) {
      i += skip;
    } else if (c == '\\' && i + 1 < text.size()) {
      word.value += text[i + 1];
      i += 2;
    } else {
      word.value += c;
      ++i;
    }
  }
  word.length = i - word.start;
  return word;
}

// Blanks, and line continuations among them, which make no word of their own.
void SkipBlanks(const QString& text, qsizetype& i) {
  while (i < text.size()) {
    if (IsBlank(text[i])) {
      ++i;
    } else if (const qsizetype skip = LineContinuation(text, i)) {
      i += skip;
    } else {
      return;
    }
  }
}

// Inside single quotes nothing is special but the closing quote, so a quote
// closes, is escaped and reopens.
QString SingleQuoted(const QString& text) {
  return "'" + QString(text).replace("'", "'\\''") + "'";
}

// cmd.exe's command is split at every '|' that no quote or backslash protects.
QStringList SplitAtPipes(const QString& text) {
  QStringList parts(1);
  QChar quote;  // the open quote, if any
  for (qsizetype i = 0; i < text.size(); ++i) {
    const QChar c = text[i];
    if (quote.isNull() && c == '|') {
      parts.append(QString());
      continue;
    }
    parts.last() += c;
    if (c == '\\' && quote != '\'' && i + 1 < text.size()) {
      parts.last() += text[++i];
    } else if (quote.isNull() && (c == '\'' || c == '"')) {
      quote = c;
    } else if (c == quote) {
      quote = QChar();
    }
  }
  return parts;
}

Command CommandFromWords(QStringList words) {
  Command command;
  if (!words.isEmpty()) command.program = words.takeFirst();
  command.arguments = words;
  return command;
}

}  // namespace

QList<TypedWord> ScanWords(const QString& text) {
  QList<TypedWord> words;
  qsizetype i = 0;
  for (SkipBlanks(text, i); i < text.size(); SkipBlanks(text, i)) words << TakeWord(text, i);
  return words;
}

QStringList SplitCommandLine(const QString& text) {
  QStringList words;
  for (const TypedWord& word : ScanWords(text)) words << word.value;
  return words;
}

QString QuoteArgument(const QString& argument) {
  static const QRegularExpression plain(QStringLiteral("^[A-Za-z0-9_@%+=:,./-]+$"));
  if (plain.match(argument).hasMatch()) return argument;
  return SingleQuoted(argument);
}

QString CommandText(const Command& command) {
  // A first word holding '=' would be read as a variable assignment.
  QString text = command.program.contains('=') ? SingleQuoted(command.program)
                                               : QuoteArgument(command.program);
  for (const QString& argument : command.arguments) text += " " + QuoteArgument(argument);
  return text;
}

Pipeline ParseCommandLine(const QString& cmdLine) {
  static const QRegularExpression interpreter(
      QStringLiteral(R"(^[ \t]*"?(?:[^"]*[\\/])?cmd(?:\.exe)?"?[ \t]+/[cC](?:[ \t]+|$)(.*)$)"),
      QRegularExpression::CaseInsensitiveOption | QRegularExpression::DotMatchesEverythingOption);
  const QRegularExpressionMatch match = interpreter.match(cmdLine);
  if (!match.hasMatch()) return {CommandFromWords(SplitCommandLine(cmdLine))};
  Pipeline pipeline;
  for (const QString& part : SplitAtPipes(match.captured(1)))
    pipeline.append(CommandFromWords(SplitCommandLine(part)));
  return pipeline;
}

}  // namespace CommandLine
