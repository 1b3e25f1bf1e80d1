#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include "TestEnv.h"
#include "core/frame/DataFolderManager.h"
#include "core/ground/ProgramFolder.h"
#include "gui/frame/FileManagerWindow.h"

// The file manager acts on the entry the user selected and on nothing else:
// the entry the list makes current when it takes the focus is no choice.

namespace {

using Dialogs::Kind;
using Mode = DataFolderManager::Mode;

bool ManagerShown() {
  return FileManagerWindow::Instance() && FileManagerWindow::Instance()->isVisible();
}

// Stands for the format editor: "Editar" must not reach it without a choice.
QStringList g_edited;
void RecordingEditor(const QString& name) { g_edited << name; }

class FileManagerChoiceTest : public TestEnv {
 protected:
  void SetUp() override {
    TestEnv::SetUp();
    Formats = ProgramFolder::AppFiles("formats");
    WriteFile("appfiles/formats/.qfm", "scratch");
    WriteFile("appfiles/formats/a.qfm", "a");
    DataFolderManager::InstallEditor("qfm", RecordingEditor);
    g_edited.clear();
  }

  // The window active and its list focused, as a user tabbing into it leaves
  // them: an entry is current, none is selected.
  static void FocusList(FileManagerWindow* window) {
    window->activateWindow();
    ASSERT_TRUE(WaitFor([window] { return window->isActiveWindow(); }));
    window->fileList->setFocus(Qt::TabFocusReason);
    ASSERT_TRUE(WaitFor([window] { return window->fileList->hasFocus(); }));
    ASSERT_NE(window->fileList->currentItem(), nullptr) << "the list made an entry current";
  }

  static QByteArray Bytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
  }

  QString Formats;
};

TEST_F(FileManagerChoiceTest, WithNothingChosenNoButtonActsOnAnEntry) {
  struct Case {
    Mode mode;
    QStringList acceptMessages;  // what "Aceptar" says while it stays open
  } cases[] = {
      {Mode::Open, {"No se encuentra el archivo "}},
      {Mode::SaveAs, {}},  // an empty name to save as: a beep only
      {Mode::Administer, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(int(c.mode));
    ScriptedDialogs dialogs;
    dialogs.Expect(Kind::Input, QString());  // "Nuevo" asks a name, proposing none
    if (!c.acceptMessages.isEmpty()) dialogs.ExpectMessage();
    When(ManagerShown, [&] {
      FileManagerWindow* window = FileManagerWindow::Instance();
      FocusList(window);
      EXPECT_EQ(window->SelectedEntry(), QString());
      EXPECT_EQ(window->nameEdit->text(), QString()) << "the name box takes only a choice";
      for (QPushButton* button :
           {window->deleteButton, window->renameButton, window->copyButton, window->editButton}) {
        if (button->isEnabled()) button->click();
      }
      window->newButton->click();
      if (c.mode != Mode::Administer) {
        window->acceptButton->click();
        EXPECT_TRUE(window->isVisible()) << "nothing to open or save as";
      }
      EXPECT_EQ(window->fileList->count(), 2);
      window->cancelButton->click();
    });
    EXPECT_EQ(DataFolderManager::ShowFileManager(Formats, "qfm", c.mode, true), QString());
    ASSERT_EQ(dialogs.Shown().size(), 1 + c.acceptMessages.size());
    EXPECT_EQ(dialogs.Shown()[0].defaultText, QString());
    EXPECT_EQ(dialogs.Messages(), c.acceptMessages);
    EXPECT_FALSE(DataFolderManager::State().FmEditRequested);
    EXPECT_EQ(g_edited, QStringList());
    EXPECT_EQ(Bytes(Formats + "/.qfm"), "scratch");
    EXPECT_EQ(Bytes(Formats + "/a.qfm"), "a");
  }
}

TEST_F(FileManagerChoiceTest, AClickedEntryIsTheChoiceOfEveryButton) {
  ScriptedDialogs dialogs;
  dialogs.Expect(Kind::Input, QString("b"));  // "Copiar" proposes a copy of the clicked entry
  When(ManagerShown, [] {
    FileManagerWindow* window = FileManagerWindow::Instance();
    FocusList(window);
    QListWidgetItem* a = window->fileList->item(1);
    QTest::mouseClick(window->fileList->viewport(), Qt::LeftButton, {},
                      window->fileList->visualItemRect(a).center());
    EXPECT_EQ(window->SelectedEntry(), "a");
    EXPECT_EQ(window->nameEdit->text(), "a");
    window->copyButton->click();
    window->acceptButton->click();
  });
  EXPECT_EQ(DataFolderManager::ShowFileManager(Formats, "qfm", Mode::Open, true),
            Formats + "/a.qfm");
  EXPECT_EQ(dialogs.Shown().at(0).defaultText, "a (2)");
  EXPECT_EQ(Bytes(Formats + "/b.qfm"), "a");
}

}  // namespace
