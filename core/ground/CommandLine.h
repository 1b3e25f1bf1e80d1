#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// Commands as lists of arguments, and the typed text they are read from and
// shown as: words split as a POSIX shell splits them, and nothing else a shell
// does.
namespace CommandLine {

// One program and its arguments, run as they are: no shell ever sees them.
// environment: "NAME=value" entries the program gets on top of the
// program's own environment.
struct Command {
  QString program;
  QStringList arguments;
  QStringList environment{};
  bool operator==(const Command&) const = default;
};

// One command, or two whose first writes into the second's input.
using Pipeline = QList<Command>;

// One word of typed text: where it stands (its quotes and backslashes
// included) and the argument it makes.
struct TypedWord {
  qsizetype start = 0;
  qsizetype length = 0;
  QString value;
};

// Splits typed text into words the way a POSIX shell splits words, and does
// nothing else a shell does (no variables, wildcards, substitutions or
// operators): blanks (space, tab, line break) separate words; single quotes
// keep everything up to the next single quote; double quotes group, and a
// backslash in them escapes only " \ $ and `; outside quotes a backslash
// escapes the next character; a backslash before a line break removes both.
// One rule stays from the options older profiles stored: "" inside double
// quotes is a literal double quote.
QList<TypedWord> ScanWords(const QString& text);
// The arguments of ScanWords.
QStringList SplitCommandLine(const QString& text);
// The argument as a shell word that SplitCommandLine, and a POSIX shell,
// read back as exactly that argument: unchanged when it holds only plain
// characters, else in single quotes.
QString QuoteArgument(const QString& argument);
// The command as a line that, pasted into a terminal, runs exactly these
// arguments.
QString CommandText(const Command& command);

// The command line as it is shown to the user, made runnable: its first word
// is the program. "cmd.exe /C a | b" (or "cmd /c ...") becomes the pipeline a
// into b, split at the '|' outside quotes; any other text is one command.
Pipeline ParseCommandLine(const QString& cmdLine);

}  // namespace CommandLine
