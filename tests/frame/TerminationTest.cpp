// The whole program, copied into a temporary program folder, asked from
// outside to end (logout, kill, Ctrl+C, a closed terminal).

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTimeZone>
#include <csignal>

#include "TestEnv.h"
#include "core/devices/CdRipper.h"
#include "core/frame/FfmpegTools.h"
#include "core/ground/ConfigRecord.h"
#include "core/ground/RecordFile.h"
#include "gui/app/MainWindow.h"
#include "gui/app/StartupWindows.h"

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

class TerminationTest : public TestEnv {
 protected:
  // Starts the program copied into folder, sends it signal once it listens
  // for it, and waits for it to end as a closed main window ends it.
  static void StartAndSignal(const QString& folder, int signal) {
    QDir().mkpath(folder);
    ASSERT_TRUE(QFile::copy(QUILLMOOR_PROGRAM, folder + "/quillmoor"));
    QProcess program;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    program.setProcessEnvironment(environment);
    program.start(folder + "/quillmoor", {});
    ASSERT_TRUE(program.waitForStarted());
    ASSERT_TRUE(WaitFor([&] { return Catches(program.processId(), signal); }));

    ::kill(static_cast<pid_t>(program.processId()), signal);
    ASSERT_TRUE(program.waitForFinished(60000));
    EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(program.exitCode(), 0);
  }
};

TEST_F(TerminationTest, ATerminationSignalClosesTheProgramAsItsMainWindowWould) {
  for (const int signal : {SIGTERM, SIGINT, SIGHUP}) {
    SCOPED_TRACE(signal);
    const QString name = "program" + QString::number(signal);
    const QString folder = Folder() + "/" + name;
    // The folder of a copy that is gone, beside its lock file.
    WriteFile(name + "/appfiles/temp/4000000000/temp/leftover.wav", "x");
    WriteFile(name + "/appfiles/temp/4000000000.lock", "");
    // A later start: the configuration it read is written anew as it ends.
    ConfigRecord earlier;
    earlier.LanguageName = "<Spanish>";
    const QString config = WriteFile(name + "/appfiles/config.qcf", {});
    ASSERT_EQ(RecordFile::Write(config, earlier), RecordFile::Result::Ok);
    const QDateTime longAgo(QDate(2001, 1, 1), QTime(0, 0), QTimeZone::utc());
    {
      QFile file(config);
      ASSERT_TRUE(file.open(QIODevice::ReadWrite));
      ASSERT_TRUE(file.setFileTime(longAgo, QFileDevice::FileModificationTime));
    }

    StartAndSignal(folder, signal);
    EXPECT_GT(QFileInfo(config).lastModified(), longAgo) << "config.qcf is written as it ends";
    // What a copy that is gone left behind and this copy's own folder are removed.
    EXPECT_EQ(QDir(folder + "/appfiles/temp")
                  .entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
              QStringList());
  }
}

// A first run ended while its language chooser waits for an answer leaves no
// configuration behind: the next start is a first run again and finds ffmpeg.
TEST_F(TerminationTest, AnInterruptedFirstRunIsAFirstRunAgain) {
  StartAndSignal(Folder(), SIGTERM);
  EXPECT_FALSE(QFile::exists(Folder() + "/appfiles/config.qcf"));

  const QString ffmpeg = QStandardPaths::findExecutable("ffmpeg");
  ASSERT_FALSE(ffmpeg.isEmpty());
  MainWindow main;
  ScriptedDialogs dialogs;
  QStringList order;
  {
    ModalCloser closer([&](QWidget* window) { order << window->objectName(); });
    StartupWindows::Run(&main);
  }
  EXPECT_EQ(order, (QStringList{"Form13", "Form9", "Form16"}));
  EXPECT_EQ(FfmpegTools::State().FfmpegPath, ffmpeg);
  EXPECT_EQ(dialogs.Messages(), QStringList()) << "no tool is said to be missing";
  main.close();
  EXPECT_TRUE(QFile::exists(Folder() + "/appfiles/config.qcf")) << "a finished first run is stored";
}

}  // namespace
