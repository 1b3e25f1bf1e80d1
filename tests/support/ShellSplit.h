#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <optional>

// The arguments a real POSIX shell (/bin/sh) gives a command whose arguments
// are the text, as pasted into a terminal after a program's name; nothing
// when the shell refuses the text (an open quote, a command it cannot run).
// It runs in a folder of its own: a text a shell misreads may redirect.
inline std::optional<QStringList> ShellSplit(const QString& text) {
  QTemporaryDir folder;
  QProcess shell;
  shell.setWorkingDirectory(folder.path());
  shell.start("/bin/sh", {"-c", "printf '%s\\000' x " + text});
  if (!shell.waitForFinished(10000) || shell.exitCode() != 0) return std::nullopt;
  QString output = QString::fromUtf8(shell.readAllStandardOutput());
  output.chop(1);
  return output.split(QChar(0)).mid(1);
}
