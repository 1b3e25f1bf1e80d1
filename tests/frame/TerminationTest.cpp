// The whole program, copied into a temporary program folder, asked from
// outside to end (logout, kill, Ctrl+C, a closed terminal).

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QThread>
#include <csignal>

#include "TestEnv.h"

namespace {

// Whether the process has its own handler for the signal, from /proc.
bool Catches(qint64 pid, int signal) {
  QFile status(QString("/proc/%1/status").arg(pid));
  if (!status.open(QIODevice::ReadOnly)) return false;
  for (const QByteArray& line : status.readAll().split('\n')) {
    if (line.startsWith("SigCgt:"))
      return (line.mid(7).trimmed().toULongLong(nullptr, 16) >> (signal - 1)) & 1;
  }
  return false;
}

class TerminationTest : public TestEnv {};

TEST_F(TerminationTest, ATerminationSignalClosesTheProgramAsItsMainWindowWould) {
  for (const int signal : {SIGTERM, SIGINT, SIGHUP}) {
    SCOPED_TRACE(signal);
    const QString folder = Folder() + "/program" + QString::number(signal);
    QDir().mkpath(folder);
    ASSERT_TRUE(QFile::copy(QUILLMOOR_PROGRAM, folder + "/quillmoor"));
    // The folder of a copy that is gone, beside its lock file.
    const QString temp = "program" + QString::number(signal) + "/appfiles/temp/";
    WriteFile(temp + "4000000000/temp/leftover.wav", "x");
    WriteFile(temp + "4000000000.lock", "");

    QProcess program;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    program.setProcessEnvironment(environment);
    program.start(folder + "/quillmoor", {});
    ASSERT_TRUE(program.waitForStarted());
    QElapsedTimer waited;
    waited.start();
    while (!Catches(program.processId(), signal) && waited.elapsed() < 20000) QThread::msleep(20);
    ASSERT_TRUE(Catches(program.processId(), signal));

    ::kill(static_cast<pid_t>(program.processId()), signal);
    ASSERT_TRUE(program.waitForFinished(20000));
    EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(program.exitCode(), 0);
    EXPECT_TRUE(QFile::exists(folder + "/appfiles/config.qcf"));
    // What a copy that is gone left behind and this copy's own folder are removed.
    EXPECT_EQ(QDir(folder + "/appfiles/temp")
                  .entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
              QStringList());
  }
}

}  // namespace
