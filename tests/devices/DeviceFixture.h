#pragma once

#include <QApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QPlainTextEdit>
#include <QStandardPaths>
#include <QStringList>
#include <functional>
#include <memory>

#include "Children.h"
#include "InstalledTools.h"
#include "ShownWindows.h"
#include "TestEnv.h"
#include "core/devices/CdRipper.h"
#include "core/devices/Recorder.h"
#include "core/devices/Streamer.h"
#include "core/frame/FfmpegTools.h"
#include "core/frame/Session.h"
#include "core/ground/ToolRunner.h"
#include "gui/app/MainWindow.h"
#include "gui/devices/CdRipWindow.h"
#include "gui/frame/TextViewerWindow.h"

inline const QString kAnotherToolRuns = "Otra herramienta está en ejecución; espere a que termine";

// What ffmpeg prints when it lists one camera.
inline const QByteArray kCameraListing =
    "echo 'Auto-detected sources for video4linux2,v4l2:'\n"
    "echo '  /dev/video0 [Camera] (video)'\n";

// A cdda2wav that finds a drive with one titled track.
inline const QByteArray kOneTrackCdda2wav =
    "#!/bin/sh\n"
    "case \"$1\" in\n"
    "  -scanbus) printf 'scsibus0:\\n\\t0,0,0\\t  0) '\"'A' 'B' 'C'\"' Removable CD-ROM\\n' ;;\n"
    "  -N) echo \"Track  1: 'Only'\" >&2 ;;\n"
    "esac\n";

// Lets windows closed by the code under test be deleted.
inline void Flush() {
  QApplication::processEvents();
  QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// Every file and folder below the folder, as paths relative to it.
inline QStringList FilesBelow(const QString& folder) {
  QStringList files;
  QDirIterator it(folder, QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot,
                  QDirIterator::Subdirectories);
  while (it.hasNext()) files << QDir(folder).relativeFilePath(it.next());
  files.sort();
  return files;
}

// The script at path, made executable by its owner.
inline QString MadeExecutable(const QString& path) {
  QFile::setPermissions(path, QFile::permissions(path) | QFile::ExeOwner);
  return path;
}

inline void ForgetTools() {
  FfmpegTools::State().FfmpegPath.clear();
  FfmpegTools::State().FfplayPath.clear();
  FfmpegTools::State().FfprobePath.clear();
}

// Presses with press, then gives the text the viewer shows once its tool has
// ended; the viewer is closed then.
inline QString ViewerTextAfter(const std::function<void()>& press) {
  QString shown;
  When(
      [] {
        return TextViewerWindow::Instance() && TextViewerWindow::Instance()->waitFrame->isHidden();
      },
      [&shown] {
        shown = TextViewerWindow::Instance()->outputText->toPlainText();
        TextViewerWindow::Instance()->close();
      });
  press();
  return shown;
}

// Calls act, from the event loop, once ready() holds and a child process named
// tool runs; act gets those processes.
inline void WhenRunning(const QString& tool, const std::function<bool()>& ready,
                        const std::function<void(const QList<qint64>&)>& act) {
  When([tool, ready] { return ready() && !ChildProcesses(tool).isEmpty(); },
       [tool, act] { act(ChildProcesses(tool)); });
}

// Opens a device window with open while another tool keeps the runner busy:
// the user is told once why, the window named windowName never shows, and the
// main window stays. Call it inside ASSERT_NO_FATAL_FAILURE.
inline void ExpectOpeningWhileAnotherToolRunsSaysSoOnce(const std::function<void()>& open,
                                                        const QWidget& main,
                                                        const QString& windowName) {
  ScriptedDialogs dialogs;
  dialogs.ExpectMessage();
  ShownWindows shown;
  bool mainShown = false;
  ASSERT_TRUE(WhileAnotherToolRuns([&] {
    open();
    mainShown = main.isVisible();
  }));
  Flush();
  EXPECT_FALSE(shown.Names().contains(windowName));
  EXPECT_TRUE(mainShown);
  EXPECT_EQ(dialogs.Messages(), QStringList{kAnotherToolRuns});
}

// A press in a device window; says: whether, made while another tool runs, it
// tells the user so (a press that would open a window) or waits quietly.
struct PressWhileBusy {
  const char* name;
  std::function<void()> press;
  bool says;
};

// Makes the press while another tool keeps the runner busy: it says so or
// stays quiet as the case asks, and anyWindowOpen(), looked at right after the
// press, is false. Call it inside ASSERT_NO_FATAL_FAILURE.
inline void ExpectPressWhileAnotherToolRunsOpensNothing(
    const PressWhileBusy& p, const std::function<bool()>& anyWindowOpen) {
  ScriptedDialogs dialogs;
  if (p.says) dialogs.ExpectMessage();
  bool windowOpened = true;
  ASSERT_TRUE(WhileAnotherToolRuns([&] {
    p.press();
    windowOpened = anyWindowOpen();
  }));
  Flush();
  EXPECT_EQ(dialogs.Messages(), p.says ? QStringList{kAnotherToolRuns} : QStringList());
  EXPECT_FALSE(windowOpened);
}

// The main window shown over device modules that hold no earlier state; a
// test sets its tools and then calls ShowMain.
class DeviceWindowsTest : public TestEnv {
 protected:
  void SetUp() override {
    TestEnv::SetUp();
    ToolRunner::Reset();
    CdRipper::Reset();
    Recorder::Reset();
    Streamer::Reset();
    Session::State().FileList.clear();
    FfmpegTools::InitOptionNames();
  }
  void TearDown() override {
    delete CdRipWindow::Instance();
    main_.reset();
    CdRipper::State().Cdda2wavPath.clear();
    FfmpegTools::State().FfmpegPath.clear();
    TestEnv::TearDown();
  }
  void ShowMain() {
    main_ = std::make_unique<MainWindow>();
    main_->show();
  }
  QString Executable(const QString& relative, const QByteArray& script) const {
    return MadeExecutable(WriteFile(relative, script));
  }

  std::unique_ptr<MainWindow> main_;
};
