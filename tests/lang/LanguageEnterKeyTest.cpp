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
    window.Load();
    window.languageCombo->setCurrentIndex(window.languageCombo->findText("<English>"));
    ASSERT_TRUE(ShowActive(&window));
    PressEnterOn(window.findChild<QWidget*>(name));
    EXPECT_FALSE(window.isVisible());
    EXPECT_TRUE(window.makerPanel->isHidden()) << "the language-file maker stayed closed";
    EXPECT_EQ(Lang::State().LanguageName, "<English>");
  }
}

// Ok lies under the open language-file maker: Enter there closes nothing.
TEST_F(LanguageEnterKeyTest, EnterInTheLanguageFileMakerLeavesItOpen) {
  LanguageWindow window(main_.get());
  window.Load();
  ASSERT_TRUE(ShowActive(&window));
  window.openMakerButton->click();
  window.templateText->setPlainText("mine");
  for (QPushButton* button :
       {window.englishTemplateButton, window.spanishTemplateButton, window.saveLanguageButton}) {
    SCOPED_TRACE(button->objectName().toStdString());
    ScriptedDialogs dialogs;  // saving would ask a name
    PressEnterOn(button);
    EXPECT_TRUE(window.isVisible());
    EXPECT_TRUE(window.makerPanel->isVisible());
    EXPECT_EQ(window.templateText->toPlainText(), "mine");
  }
  window.openMakerButton->click();
  ASSERT_TRUE(window.makerPanel->isVisible());
  window.close();  // closes the panel: Ok is Enter's button again
  PressEnterOn(window.languageCombo);
  EXPECT_FALSE(window.isVisible());
}

}  // namespace
