#pragma once

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QList>
#include <QString>
#include <QThread>

// The live (not yet ended) processes that this test program started and
// whose command name is name, read from /proc.
inline QList<qint64> ChildProcesses(const QString& name) {
  QList<qint64> pids;
  for (const QString& entry : QDir("/proc").entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
    bool isPid = false;
    const qint64 pid = entry.toLongLong(&isPid);
    if (!isPid) continue;
    QFile stat("/proc/" + entry + "/stat");
    if (!stat.open(QIODevice::ReadOnly)) continue;
    // "pid (comm) state ppid ...": the name may hold blanks and parentheses.
    const QString text = QString::fromUtf8(stat.readAll());
    const qsizetype open = text.indexOf('(');
    const qsizetype close = text.lastIndexOf(')');
    if (open < 0 || close < open) continue;
    const QStringList fields = text.mid(close + 2).split(' ');
    if (text.mid(open + 1, close - open - 1) == name && fields.value(0) != "Z" &&
        fields.value(1).toLongLong() == QCoreApplication::applicationPid())
      pids << pid;
  }
  return pids;
}

// The state letter of a process: "T" while it is stopped, "Z" once it has
// ended and not yet been waited for; "" when there is no such process.
inline QString ProcessState(qint64 pid) {
  QFile stat("/proc/" + QString::number(pid) + "/stat");
  if (!stat.open(QIODevice::ReadOnly)) return {};
  const QString text = QString::fromUtf8(stat.readAll());
  return text.mid(text.lastIndexOf(')') + 2).section(' ', 0, 0);
}

inline bool ProcessLives(qint64 pid) {
  const QString state = ProcessState(pid);
  return !state.isEmpty() && state != "Z";
}

// Waits, with a generous limit, until none of pids runs any more.
inline bool AllEnd(const QList<qint64>& pids, int limitMs = 20000) {
  QElapsedTimer waited;
  waited.start();
  for (;;) {
    bool any = false;
    for (const qint64 pid : pids) any = any || ProcessLives(pid);
    if (!any) return true;
    if (waited.elapsed() > limitMs) return false;
    QThread::msleep(20);
  }
}
