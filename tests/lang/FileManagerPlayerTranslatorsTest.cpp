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
      {window.deleteButton, "L192"}, {window.renameButton, "L193"}, {window.cancelButton, "L194"},
      {window.newButton, "L195"},    {window.acceptButton, "L196"}, {window.copyButton, "L197"},
      {window.editButton, "L198"}};
  for (const auto& [button, text] : buttons)
    EXPECT_EQ(button->text(), text) << button->objectName().toStdString();
  EXPECT_EQ(window.nameLabel->text(), "L199");
  EXPECT_EQ(window.nameLabel->property("Tag").toString(), "L200");
}

TEST_F(TranslatorTest, ThePlayerTakesLine185AndTheHelpMenusCaption) {
  {
    PlayerWindow player;
    EXPECT_EQ(player.stopButton->text(), "Detener");
    EXPECT_EQ(player.helpButton->text(), "Ayuda");
    EXPECT_EQ(player.windowTitle(), "Player");
  }
  UseSyntheticTable();
  PlayerWindow player;
  EXPECT_EQ(player.stopButton->text(), "L185");
  EXPECT_EQ(player.helpButton->text(), "L173");
  EXPECT_EQ(player.windowTitle(), "Player") << "no translator sets it";
}

}  // namespace
