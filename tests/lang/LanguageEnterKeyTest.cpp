#include <QComboBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <memory>

#include "Keyboard.h"
#include "LangFixture.h"
#include "core/lang/Lang.h"
#include "gui/app/MainWindow.h"
#include "gui/frame/LanguageWindow.h"

namespace {

class LanguageEnterKeyTest : public MainWindowLangTest {};

// Ok keeps the chosen language and closes; "+" would open the language-file
// maker, "-" would try to delete the language, Cancel would go back to Spanish.
TEST_F(LanguageEnterKeyTest, EnterPressesOkWhereverTheFocusIs) {
  for (const char* name : {"Combo1", "Command1", "Command2", "Command6", "Command7"}) {
    SCOPED_TRACE(name);
    Lang::LoadLanguage("<Spanish>");
    ScriptedDialogs dialogs;  // deleting a built-in language would say it cannot
    LanguageWindow window(main_.get());
    window.Form_Load();
    window.Combo1->setCurrentIndex(window.Combo1->findText("<English>"));
    ASSERT_TRUE(ShowActive(&window));
    PressEnterOn(window.findChild<QWidget*>(name));
    EXPECT_FALSE(window.isVisible());
    EXPECT_TRUE(window.Picture1->isHidden()) << "the language-file maker stayed closed";
    EXPECT_EQ(Lang::State().LanguageName, "<English>");
  }
}

// Ok lies under the open language-file maker: Enter there closes nothing.
TEST_F(LanguageEnterKeyTest, EnterInTheLanguageFileMakerLeavesItOpen) {
  LanguageWindow window(main_.get());
  window.Form_Load();
  ASSERT_TRUE(ShowActive(&window));
  window.Command1->click();
  window.Text2->setPlainText("mine");
  for (QPushButton* button : {window.Command4, window.Command5, window.Command3}) {
    SCOPED_TRACE(button->objectName().toStdString());
    ScriptedDialogs dialogs;  // saving would ask a name
    PressEnterOn(button);
    EXPECT_TRUE(window.isVisible());
    EXPECT_TRUE(window.Picture1->isVisible());
    EXPECT_EQ(window.Text2->toPlainText(), "mine");
  }
  window.Command1->click();
  ASSERT_TRUE(window.Picture1->isVisible());
  window.close();  // closes the panel: Ok is Enter's button again
  PressEnterOn(window.Combo1);
  EXPECT_FALSE(window.isVisible());
}

}  // namespace
