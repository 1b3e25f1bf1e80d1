#include <memory>

#include "TestEnv.h"
#include "gui/app/MainWindow.h"
#include "gui/devices/CdRipWindow.h"
#include "gui/devices/RecorderWindow.h"
#include "gui/devices/StreamerWindow.h"
#include "gui/lang/Translators.h"

namespace {

// The CD rip window, the recorder and the streamer have every control, of the
// kind and with the design items, that their translators write to.
TEST_F(TestEnv, DeviceWindowsHaveWhatTheirTranslatorsWrite) {
  const auto main = std::make_unique<MainWindow>();
  const std::pair<const char*, std::function<QWidget*()>> windows[] = {
      {"Form2", [] { return new CdRipWindow(); }},
      {"Form14", [] { return new RecorderWindow(); }},
      {"Form15", [] { return new StreamerWindow(); }},
  };
  for (const auto& [name, make] : windows) {
    SCOPED_TRACE(name);
    const std::unique_ptr<QWidget> window(make());
    const Lang::Translator* translator = Lang::FindTranslator(name);
    ASSERT_NE(translator, nullptr);
    EXPECT_EQ(window->objectName(), QString::fromLatin1(translator->window));
    EXPECT_EQ(Lang::UnmetAssignments(window.get(), *translator), QStringList());
  }
}

}  // namespace
