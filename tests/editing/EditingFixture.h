#pragma once

#include <QFile>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <functional>

#include "InstalledTools.h"
#include "TestEnv.h"
#include "core/editing/EditingProfileEditor.h"
#include "core/editing/FilterEditor.h"
#include "core/frame/DesktopServices.h"
#include "core/frame/Session.h"
#include "core/ground/ToolRunner.h"
#include "gui/frame/FileManagerWindow.h"

// Acts once the file manager is up, as the user would.
inline void WhenFileManagerShown(std::function<void(FileManagerWindow*)> action) {
  auto* timer = new QTimer;
  QObject::connect(timer, &QTimer::timeout, [timer, action] {
    FileManagerWindow* window = FileManagerWindow::Instance();
    if (!window || !window->isVisible()) return;
    timer->stop();
    timer->deleteLater();
    action(window);
  });
  timer->start(10);
}

// A temporary program folder with the real tools and every editing state reset.
class EditingTest : public TestEnv {
 protected:
  void SetUp() override {
    TestEnv::SetUp();
    UseInstalledTools();
    EditingProfileEditor::Reset();
    FilterEditor::Reset();
    Session::State().FileList.clear();
    ToolRunner::Reset();
  }
  void TearDown() override {
    EditingProfileEditor::Reset();
    FilterEditor::Reset();
    Session::State().FileList.clear();
    TestEnv::TearDown();
  }

  // Makes a small clip with the real ffmpeg from lavfi sources.
  QString MakeClip(const QString& name, const QStringList& lavfiInputs,
                   const QStringList& extra = {}) const {
    const QString path = Folder() + "/" + name;
    QStringList args{"-v", "error", "-y"};
    for (const QString& input : lavfiInputs)
      args << "-f"
           << "lavfi"
           << "-i" << input;
    args << extra << path;
    QProcess process;
    process.start("/usr/bin/ffmpeg", args);
    process.waitForFinished(60000);
    EXPECT_EQ(process.exitCode(), 0) << process.readAllStandardError().toStdString();
    return path;
  }
  QString VideoClip() const {
    return MakeClip("clip.mkv", {"testsrc=size=160x120:rate=10", "sine=d=2"},
                    {"-t", "2", "-c:v", "mjpeg", "-c:a", "pcm_s16le"});
  }
  QString AudioClip() const { return MakeClip("tone.wav", {"sine=d=2"}); }
  // A white picture in a black frame 16 pixels wide at the sides, 12 at the top and bottom.
  QString PaddedClip() const {
    return MakeClip("padded.mkv", {"color=c=white:size=128x96:rate=10"},
                    {"-t", "2", "-vf", "pad=160:120:16:12:black", "-c:v", "ffv1"});
  }

  // A program that stands for ffplay where the real one would wait for a
  // person: it records its arguments and what it was fed, then ends.
  QString FakePlayer() const {
    return WriteFile("tools/fakeplay",
                     "#!/bin/sh\n"
                     "printf '%s\\n' \"$@\" > \"$(dirname \"$0\")/play-args.txt\"\n"
                     "cat > \"$(dirname \"$0\")/play-input.bin\"\n");
  }
  // The fake player as the program's ffplay.
  void UseFakePlayer() const {
    FfmpegTools::State().FfplayPath = FakePlayer();
    QFile::setPermissions(FfmpegTools::State().FfplayPath,
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
  }
};
