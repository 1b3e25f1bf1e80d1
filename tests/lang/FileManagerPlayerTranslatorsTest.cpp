#include <QLabel>
#include <QPushButton>

#include "LangFixture.h"
#include "core/lang/Lang.h"
#include "gui/frame/FileManagerWindow.h"
#include "gui/frame/PlayerWindow.h"

namespace {

class TranslatorTest : public LangTest {
 protected:
  static void UseSyntheticTable() {
    Lang::State().Msg.clear();
    for (int n = 1; n <= Lang::TableLines; ++n) Lang::State().Msg << QString("L%1").arg(n);
  }
};

TEST_F(TranslatorTest, TheFileManagerTakesLines191To200) {
  UseSyntheticTable();
  FileManagerWindow window;
  EXPECT_EQ(window.windowTitle(), "L191");
  const QList<std::pair<QPushButton*, QString>> buttons = {
      {window.Command1, "L192"}, {window.Command2, "L193"}, {window.Command3, "L194"},
      {window.Command4, "L195"}, {window.Command5, "L196"}, {window.Command6, "L197"},
      {window.Command7, "L198"}};
  for (const auto& [button, text] : buttons)
    EXPECT_EQ(button->text(), text) << button->objectName().toStdString();
  EXPECT_EQ(window.Label1->text(), "L199");
  EXPECT_EQ(window.Label1->property("Tag").toString(), "L200");
}

TEST_F(TranslatorTest, ThePlayerTakesLine185AndTheHelpMenusCaption) {
  {
    PlayerWindow player;
    EXPECT_EQ(player.Command1->text(), "Detener");
    EXPECT_EQ(player.Command2->text(), "Ayuda");
    EXPECT_EQ(player.windowTitle(), "Player");
  }
  UseSyntheticTable();
  PlayerWindow player;
  EXPECT_EQ(player.Command1->text(), "L185");
  EXPECT_EQ(player.Command2->text(), "L173");
  EXPECT_EQ(player.windowTitle(), "Player") << "no translator sets it";
}

}  // namespace
