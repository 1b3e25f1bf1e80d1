#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <memory>

#include "LangFixture.h"
#include "convert/Form1.h"
#include "convert/Form10.h"
#include "convert/Form12.h"
#include "devices/Form2.h"
#include "editing/Form4.h"
#include "editing/Form8.h"
#include "frame/Form17.h"
#include "frame/Form18.h"
#include "frame/Form3.h"
#include "frame/Form6.h"
#include "frame/Form9.h"
#include "lang/Translators.h"

namespace {

class WindowTranslatorsTest : public LangTest {
 protected:
  void SetUp() override {
    LangTest::SetUp();
    main_ = std::make_unique<Form1>();
  }
  void TearDown() override {
    main_.reset();
    LangTest::TearDown();
  }
  std::unique_ptr<Form1> main_;
};

// Every window on hand has every control its translator writes to, with the
// kind and the design items the translator needs.
TEST_F(WindowTranslatorsTest, EachWindowHasWhatItsTranslatorWrites) {
  const std::pair<const char*, std::function<QWidget*()>> windows[] = {
      {"Form1", [this] { return main_.get(); }},
      {"Form2", [] { return new Form2(); }},
      {"Form3", [] { return new Form3(); }},
      {"Form4", [] { return new Form4(); }},
      {"Form6", [] { return new Form6(); }},
      {"Form8", [] { return new Form8(); }},
      {"Form8Sizes", [] { return new Form8(); }},
      {"Form9", [this] { return new Form9(main_.get()); }},
      {"Form10", [this] { return new Form10(main_.get()); }},
      {"Form12", [] { return new Form12(); }},
      {"Form17", [] { return new Form17(); }},
      {"Form18", [] { return new Form18(); }},
  };
  for (const auto& [name, make] : windows) {
    SCOPED_TRACE(name);
    QWidget* window = make();
    const Lang::Translator* translator = Lang::FindTranslator(name);
    ASSERT_NE(translator, nullptr);
    EXPECT_EQ(window->objectName(), QString::fromLatin1(translator->window));
    EXPECT_EQ(Lang::UnmetAssignments(window, *translator), QStringList());
    if (window != main_.get()) delete window;
  }
}

}  // namespace
