#include <QApplication>
#include <QFile>
#include <QGroupBox>
#include <QListWidget>
#include <QStandardPaths>
#include <functional>
#include <memory>

#include "TestEnv.h"
#include "core/devices/CdRipper.h"
#include "core/devices/Recorder.h"
#include "core/devices/Streamer.h"
#include "core/frame/FfmpegTools.h"
#include "core/ground/ToolRunner.h"
#include "gui/app/MainWindow.h"
#include "gui/devices/CdRipWindow.h"
#include "gui/devices/RecorderWindow.h"
#include "gui/devices/StreamerWindow.h"

namespace {

// The device windows opened as the program opens them: a cdda2wav that finds
// a disc of one track, an ffmpeg that lists one camera.
class DeviceWindowFocusTest : public TestEnv {
 protected:
  void SetUp() override {
    TestEnv::SetUp();
    ToolRunner::Reset();
    CdRipper::Reset();
    Recorder::Reset();
    Streamer::Reset();
    FfmpegTools::InitOptionNames();
    CdRipper::State().Cdda2wavPath = Executable("tools/cdda2wav",
                                                "#!/bin/sh\n"
                                                "case \"$1\" in\n"
                                                "  -scanbus) printf 'scsibus0:\\n\\t0,0,0\\t  0) "
                                                "'\"'A' 'B' 'C'\"' Removable CD-ROM\\n' ;;\n"
                                                "  -N) echo \"Track  1: 'Only'\" >&2 ;;\n"
                                                "esac\n");
    FfmpegTools::State().FfmpegPath =
        Executable("tools/ffmpeg",
                   "#!/bin/sh\necho 'Auto-detected sources for video4linux2,v4l2:'\n"
                   "echo '  /dev/video0 [Camera] (video)'\n");
    main_ = std::make_unique<MainWindow>();
    main_->show();
  }
  void TearDown() override {
    delete CdRipWindow::Instance();
    main_.reset();
    CdRipper::State().Cdda2wavPath.clear();
    FfmpegTools::State().FfmpegPath.clear();
    TestEnv::TearDown();
  }
  QString Executable(const QString& relative, const QByteArray& script) {
    const QString path = WriteFile(relative, script);
    QFile::setPermissions(path, QFile::permissions(path) | QFile::ExeOwner);
    return path;
  }
  std::unique_ptr<MainWindow> main_;
};

// A keyboard user need not click first: once a device window is up and
// filled, the focus is on its first control that takes input.
TEST_F(DeviceWindowFocusTest, EachWindowOpensWithTheFocusOnItsFirstInput) {
  const struct {
    const char* window;
    std::function<QWidget*()> instance;
    std::function<bool(QWidget*)> filled;
    std::function<void()> open;
    QString first;
  } cases[] = {
      {"CD rip", [] { return CdRipWindow::Instance(); },
       [](QWidget* w) { return static_cast<CdRipWindow*>(w)->trackList->count() == 1; },
       [] { CdRipWindow::OpenCDRip(); }, "List1"},
      {"recorder", [] { return RecorderWindow::Instance(); },
       [](QWidget* w) { return static_cast<RecorderWindow*>(w)->listingFrame->isHidden(); },
       [] { RecorderWindow::ShowRecorder(); }, "Option2"},
      {"streamer", [] { return StreamerWindow::Instance(); },
       [](QWidget* w) { return static_cast<StreamerWindow*>(w)->waitFrame->isHidden(); },
       [] { StreamerWindow::ShowStreamer("-f lavfi -i sine"); }, "Combo1"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.window);
    QString focused;
    WhenReady look(
        [&c] {
          QWidget* window = c.instance();
          return window && c.filled(window) && window->isActiveWindow();
        },
        [&c, &focused] {
          QWidget* focus = QApplication::focusWidget();
          focused = focus ? focus->objectName() : "(none)";
          c.instance()->close();
        });
    c.open();
    ASSERT_TRUE(WaitFor([&look] { return look.Done(); }));
    EXPECT_EQ(focused, c.first);
  }
}

}  // namespace
