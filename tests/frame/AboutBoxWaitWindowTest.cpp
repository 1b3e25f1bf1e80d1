#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>

#include "TestEnv.h"
#include "core/frame/ProgramHelp.h"
#include "gui/app/MainWindow.h"
#include "gui/frame/AboutBox.h"
#include "gui/frame/WaitWindow.h"

namespace {

using Dialogs::Kind;

class AboutAndWaitTest : public TestEnv {};

TEST_F(AboutAndWaitTest, TheAboutBoxTakesItsCaptionFromTheMainWindowsAboutItem) {
  MainWindow main;
  {
    AboutBox about(&main);
    about.Load();
    EXPECT_EQ(about.windowTitle(), "Acerca de este programa");
  }
  QAction* item = main.menuBar()->addAction("About this program");
  item->setObjectName("Help_About");
  AboutBox about(&main);
  about.Load();
  EXPECT_EQ(about.windowTitle(), "About this program");
  EXPECT_EQ(about.versionLabel->text(), "Quillmoor 2.0 (rev. 10)");
  EXPECT_EQ(about.webPageCaption->text(), "Página Web / Web page:");
  EXPECT_EQ(about.donateButton->text(), "Donar / Donate");
}

// With a larger font the wrapped lines take more height: the rows still follow
// one another, none drawn over the one above.
TEST_F(AboutAndWaitTest, TheAboutBoxRowsDoNotOverlapAtALargerFont) {
  const QFont normal = QApplication::font();
  QFont larger = normal;
  larger.setPointSizeF(normal.pointSizeF() * 2.0);
  QApplication::setFont(larger);
  {
    AboutBox about(nullptr);
    about.show();
    QApplication::processEvents();
    const QWidget* rows[] = {
        about.versionLabel,          about.licenceText,           about.webPageCaption,
        about.separatorLine,         about.recommendSpanishLabel, about.donationSpanishLabel,
        about.recommendEnglishLabel, about.donationEnglishLabel,  about.publisherLabel};
    for (size_t i = 1; i < std::size(rows); ++i) {
      EXPECT_GE(rows[i]->y(), rows[i - 1]->geometry().bottom())
          << rows[i]->objectName().toStdString() << " over "
          << rows[i - 1]->objectName().toStdString();
    }
  }
  QApplication::setFont(normal);
}

TEST_F(AboutAndWaitTest, TheAboutBoxOpensTheWebPageAndTheDonationPage) {
  ScriptedDialogs dialogs;
  dialogs.Expect(Kind::Open, true).Expect(Kind::Open, true);
  AboutBox about(nullptr);
  emit about.webAddressLabel->linkActivated(ProgramHelp::WebPage);
  about.donateButton->click();
  EXPECT_EQ(dialogs.Shown()[0].text, ProgramHelp::WebPage);
  EXPECT_EQ(dialogs.Shown()[1].text, ProgramHelp::DonationPage);
}

TEST_F(AboutAndWaitTest, PagesTheDesktopCannotOpenAreShownToBeOpenedByHand) {
  ScriptedDialogs dialogs;
  dialogs.Expect(Kind::Open, false).ExpectMessage().Expect(Kind::Open, false).ExpectMessage();
  AboutBox about(nullptr);
  emit about.webAddressLabel->linkActivated(ProgramHelp::WebPage);
  about.donateButton->click();
  EXPECT_EQ(dialogs.Messages(),
            (QStringList{QString("Ningún programa pudo abrir \"%1\". Instale xdg-utils y un "
                                 "navegador web")
                             .arg(ProgramHelp::WebPage),
                         QString("Ningún programa pudo abrir \"%1\". Instale xdg-utils y un "
                                 "navegador web")
                             .arg(ProgramHelp::DonationPage)}));
}

TEST_F(AboutAndWaitTest, TheWaitWindowDisablesTheMainWindowUntilItIsUnloaded) {
  MainWindow main;
  main.setGeometry(100, 100, 600, 400);
  main.show();
  {
    WaitWindow wait;
    wait.Load();
    EXPECT_FALSE(main.isEnabled());
    EXPECT_TRUE(wait.isEnabled());
    EXPECT_TRUE(wait.isVisible());
    EXPECT_EQ(wait.waitLabel->text(), "Espere...");
    const QPoint centre = main.frameGeometry().center();
    EXPECT_LE(std::abs(wait.x() + wait.width() / 2 - centre.x()), 1);
    EXPECT_LE(std::abs(wait.y() + wait.height() / 2 - centre.y()), 1);
  }
  EXPECT_TRUE(main.isEnabled());

  auto* closed = new WaitWindow;
  closed->Load();
  EXPECT_FALSE(main.isEnabled());
  closed->close();
  EXPECT_TRUE(main.isEnabled());
  delete closed;
}

}  // namespace
