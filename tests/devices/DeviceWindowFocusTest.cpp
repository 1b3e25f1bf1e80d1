#include <QApplication>
#include <QGroupBox>
#include <QListWidget>
#include <functional>

#include "DeviceFixture.h"
#include "gui/devices/RecorderWindow.h"
#include "gui/devices/StreamerWindow.h"

namespace {

// The device windows opened as the program opens them: a cdda2wav that finds
// a disc of one track, an ffmpeg that lists one camera.
class DeviceWindowFocusTest : public DeviceWindowsTest {
 protected:
  void SetUp() override {
    DeviceWindowsTest::SetUp();
    CdRipper::State().Cdda2wavPath = Executable("tools/cdda2wav", kOneTrackCdda2wav);
    FfmpegTools::State().FfmpegPath = Executable("tools/ffmpeg", "#!/bin/sh\n" + kCameraListing);
    ShowMain();
  }
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
      {"CD rip for the input list", [] { return CdRipWindow::Instance(); },
       [](QWidget* w) { return static_cast<CdRipWindow*>(w)->trackList->count() == 1; },
       [] {
         CdRipper::State().CDRipAddToList = true;
         CdRipWindow::OpenCDRip();
       },
       "List1"},
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
