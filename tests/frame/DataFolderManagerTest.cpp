#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <functional>
#include <optional>

#include "HangGuard.h"
#include "TestEnv.h"
#include "core/frame/DataFolderManager.h"
#include "core/ground/EditProfileRec.h"
#include "core/ground/ExtCodecDef.h"
#include "core/ground/FilterDef.h"
#include "core/ground/FormatProfile.h"
#include "core/ground/ProgramFolder.h"
#include "core/ground/RecordFile.h"
#include "core/lang/Lang.h"
#include "gui/frame/FileManagerWindow.h"

namespace {

using Dialogs::Kind;

bool ManagerShown() {
  return FileManagerWindow::Instance() && FileManagerWindow::Instance()->isVisible();
}

class DataFolderManagerTest : public TestEnv {
 protected:
  void SetUp() override {
    TestEnv::SetUp();
    Formats = ProgramFolder::AppFiles("formats");
    Filters = ProgramFolder::AppFiles("filters");
  }
  QString Put(const QString& relative, const QByteArray& bytes = "x") {
    return WriteFile("appfiles/" + relative, bytes);
  }
  static QByteArray Bytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
  }
  static QString DefaultOf(const Dialogs::Request& request) { return request.defaultText; }

  QString Formats;
  QString Filters;
};

TEST_F(DataFolderManagerTest, TheListShowsTheSpecialEntryThenTheFilesOfTheExtension) {
  Put("formats/b.qfm");
  Put("formats/a.qfm");
  Put("formats/.qfm");   // the nameless file: shown as <Manual>
  Put("formats/c.QFM");  // another name here, which no editor would open
  Put("formats/d.qfl");
  Put("filters/f.qfl");

  DataFolderManager::Prepare(Formats, "qfm", DataFolderManager::Mode::Open);
  EXPECT_EQ(DataFolderManager::ListEntries(), (QStringList{"<Manual>", "a", "b"}));
  EXPECT_TRUE(DataFolderManager::IsSpecialEntry("<manual>"));
  EXPECT_EQ(DataFolderManager::EntryPath("<MANUAL>"), Formats + "/.qfm");
  EXPECT_EQ(DataFolderManager::EntryPath("a"), Formats + "/a.qfm");

  DataFolderManager::Prepare(Filters, "qfl", DataFolderManager::Mode::Open);
  EXPECT_EQ(DataFolderManager::ListEntries(), QStringList{"f"});
  EXPECT_FALSE(DataFolderManager::IsSpecialEntry("<Manual>"));
  EXPECT_EQ(DataFolderManager::EntryPath("<Manual>"), Filters + "/<Manual>.qfl");
}

TEST_F(DataFolderManagerTest, NamesAreSortedAsPeopleReadThem) {
  for (const char* name : {"alpha (2)", "a10", "Beta", "alpha", "a2", "beta 1", "Alpha (10)"}) {
    Put(QString("formats/%1.qfm").arg(name));
  }
  DataFolderManager::Prepare(Formats, "qfm", DataFolderManager::Mode::Open);
  EXPECT_EQ(
      DataFolderManager::ListEntries(),
      (QStringList{"<Manual>", "a2", "a10", "alpha", "alpha (2)", "Alpha (10)", "Beta", "beta 1"}));
}

TEST_F(DataFolderManagerTest, NewWritesAnEmptyRecordOfTheExtensionsKind) {
  struct Case {
    const char* folder;
    const char* extension;
    QByteArray expected;
  } cases[] = {
      {"formats", "qfm", RecordFile::Encode(FormatProfile{})},
      {"editp", "qep", RecordFile::Encode(EditProfileRec{})},
      {"filters", "qfl", RecordFile::Encode(FilterDef{})},
      {"ecodec", "qca", RecordFile::Encode(ExtCodecDef{})},
      {"ecodec", "qcv", RecordFile::Encode(ExtCodecDef{})},
      {"other", "txt", QByteArray()},
  };
  for (const Case& c : cases) {
    const QString folder = ProgramFolder::AppFiles(c.folder);  // not there yet: made on the way
    DataFolderManager::Prepare(folder, c.extension, DataFolderManager::Mode::Administer);
    ScriptedDialogs dialogs;
    dialogs.Expect(Kind::Input, QString("new one"));
    EXPECT_TRUE(DataFolderManager::NewFile(QString())) << c.extension;
    EXPECT_EQ(DefaultOf(dialogs.Shown().first()), "") << "nothing selected: no proposal";
    const QString path = folder + "/new one." + c.extension;
    EXPECT_EQ(Bytes(path), c.expected) << c.extension;
  }
  FormatProfile read;
  read.Extension = "stale";
  EXPECT_EQ(RecordFile::Read(Formats + "/new one.qfm", read), RecordFile::Result::Ok);
  EXPECT_EQ(read, FormatProfile{});
}

TEST_F(DataFolderManagerTest, NewProposesAFreeNameFromTheSelectionAndRefusesAnExistingOne) {
  Put("formats/a.qfm", "keep");
  Put("formats/a (2).qfm", "keep too");
  DataFolderManager::Prepare(Formats, "qfm", DataFolderManager::Mode::Administer);
  ScriptedDialogs dialogs;
  dialogs
      .Expect(Kind::Input, QString())     // cancelled
      .Expect(Kind::Input, QString("a"))  // taken
      .Expect(Kind::Message, Dialogs::Button::Ok)
      .Expect(Kind::Input, QString("Manual"));

  EXPECT_FALSE(DataFolderManager::NewFile("a"));
  EXPECT_EQ(DefaultOf(dialogs.Shown()[0]), "a (3)");
  EXPECT_FALSE(DataFolderManager::NewFile("a"));
  EXPECT_EQ(dialogs.Shown()[2].text, "Ya existe un archivo con ese nombre");
  EXPECT_EQ(dialogs.Shown()[2].style,
            (Dialogs::MessageStyle{Dialogs::Buttons::Ok, Dialogs::Icon::Stop}));
  EXPECT_EQ(Bytes(Formats + "/a.qfm"), "keep");
  EXPECT_TRUE(DataFolderManager::NewFile("<Manual>"));
  EXPECT_EQ(DefaultOf(dialogs.Shown()[3]), "Manual");
  EXPECT_EQ(Bytes(Formats + "/Manual.qfm"), RecordFile::Encode(FormatProfile{}));
}

TEST_F(DataFolderManagerTest, NewSaysSoWhenTheFolderCannotBeMade) {
  Put("formats", "a file where the folder should be");
  const QString folder = Formats + "/inner";
  DataFolderManager::Prepare(folder, "qfm", DataFolderManager::Mode::Administer);
  ScriptedDialogs dialogs;
  dialogs.Expect(Kind::Input, QString("x")).ExpectMessage();
  EXPECT_FALSE(DataFolderManager::NewFile(QString()));
  EXPECT_EQ(dialogs.Messages(), QStringList{"No se pudo crear el directorio " + folder});
}

TEST_F(DataFolderManagerTest, RenameKeepsTheExtensionAndRefusesWhatItCannotDo) {
  Put("formats/a.qfm", "a");
  Put("formats/b.qfm", "b");
  DataFolderManager::Prepare(Formats, "qfm", DataFolderManager::Mode::Administer);
  {
    ScriptedDialogs none;  // no selection, the special entry: nothing asked
    EXPECT_FALSE(DataFolderManager::RenameFile(QString()));
    EXPECT_FALSE(DataFolderManager::RenameFile("<Manual>"));
  }
  ScriptedDialogs dialogs;
  dialogs
      .Expect(Kind::Input, QString("a"))  // the same name: nothing
      .Expect(Kind::Input, QString("b"))  // taken
      .ExpectMessage()
      .Expect(Kind::Input, QString("c $(touch x) 'q'"));
  EXPECT_FALSE(DataFolderManager::RenameFile("a"));
  EXPECT_EQ(DefaultOf(dialogs.Shown()[0]), "a");
  EXPECT_FALSE(DataFolderManager::RenameFile("a"));
  EXPECT_EQ(dialogs.Messages(), QStringList{"Ya existe un archivo con ese nombre"});
  EXPECT_TRUE(DataFolderManager::RenameFile("a"));
  EXPECT_EQ(Bytes(Formats + "/c $(touch x) 'q'.qfm"), "a");
  EXPECT_FALSE(QFile::exists(Formats + "/a.qfm"));
  EXPECT_EQ(Bytes(Formats + "/b.qfm"), "b");
}

TEST_F(DataFolderManagerTest, CopyProposesTheNextFreeNameAndCopiesTheManualProfile) {
  Put("formats/a.qfm", "a");
  DataFolderManager::Prepare(Formats, "qfm", DataFolderManager::Mode::Administer);
  ScriptedDialogs dialogs;
  dialogs.Expect(Kind::Input, QString("a (2)"))
      .Expect(Kind::Input, QString("from manual"))  // no nameless file: an empty record
      .Expect(Kind::Input, QString("a"))
      .ExpectMessage();

  EXPECT_TRUE(DataFolderManager::CopyFile("a"));
  EXPECT_EQ(DefaultOf(dialogs.Shown()[0]), "a (2)");
  EXPECT_EQ(Bytes(Formats + "/a (2).qfm"), "a");

  EXPECT_TRUE(DataFolderManager::CopyFile("<Manual>"));
  EXPECT_EQ(DefaultOf(dialogs.Shown()[1]), "Manual");
  EXPECT_EQ(Bytes(Formats + "/from manual.qfm"), RecordFile::Encode(FormatProfile{}));

  EXPECT_FALSE(DataFolderManager::CopyFile("a (2)"));
  EXPECT_EQ(DefaultOf(dialogs.Shown()[2]), "a (2) (2)");
  EXPECT_EQ(dialogs.Messages(), QStringList{"Ya existe un archivo con ese nombre"});
  EXPECT_EQ(Bytes(Formats + "/a.qfm"), "a");

  Put("formats/.qfm", "manual");
  Put("formats/Manual.qfm", "taken");
  ScriptedDialogs again;
  again.Expect(Kind::Input, QString("m"));
  EXPECT_TRUE(DataFolderManager::CopyFile("<Manual>"));
  EXPECT_EQ(DefaultOf(again.Shown()[0]), "Manual (2)");
  EXPECT_EQ(Bytes(Formats + "/m.qfm"), "manual");
}

// A folder or a link under the name wanted is as taken as a file: nothing is
// copied into the folder or through the link, and the user is told.
TEST_F(DataFolderManagerTest, ANameHeldByAFolderOrALinkIsTaken) {
  Put("formats/a.qfm", "a");
  ASSERT_TRUE(QDir().mkpath(Formats + "/inside.qfm"));
  ASSERT_TRUE(QFile::link(Folder() + "/elsewhere.qfm", Formats + "/dangling.qfm"));
  DataFolderManager::Prepare(Formats, "qfm", DataFolderManager::Mode::Administer);
  for (const QString name : {"inside", "dangling"}) {
    ScriptedDialogs dialogs;
    dialogs.Expect(Kind::Input, name).ExpectMessage();
    dialogs.Expect(Kind::Input, name).ExpectMessage();
    dialogs.Expect(Kind::Input, name).ExpectMessage();
    EXPECT_FALSE(DataFolderManager::CopyFile("a")) << name.toStdString();
    EXPECT_FALSE(DataFolderManager::NewFile("a")) << name.toStdString();
    EXPECT_FALSE(DataFolderManager::RenameFile("a")) << name.toStdString();
    EXPECT_EQ(dialogs.Messages(), QStringList(3, "Ya existe un archivo con ese nombre"))
        << name.toStdString();
  }
  EXPECT_TRUE(QDir(Formats + "/inside.qfm").isEmpty());
  EXPECT_FALSE(QFileInfo::exists(Folder() + "/elsewhere.qfm"));
  EXPECT_EQ(Bytes(Formats + "/a.qfm"), "a");
}

TEST_F(DataFolderManagerTest, DeleteSendsTheFileToTheTrashAfterTheQuestion) {
  Put("formats/a.qfm", "a");
  Put("formats/.qfm", "manual");
  DataFolderManager::Prepare(Formats, "qfm", DataFolderManager::Mode::Administer);
  {
    ScriptedDialogs none;
    EXPECT_FALSE(DataFolderManager::DeleteFile("<Manual>"));
    EXPECT_FALSE(DataFolderManager::DeleteFile(QString()));
  }
  // Answering No keeps the file and is no failure: no error message follows.
  ScriptedDialogs dialogs;
  dialogs.Expect(Kind::Message, Dialogs::Button::No).Expect(Kind::Message, Dialogs::Button::Yes);
  EXPECT_TRUE(DataFolderManager::DeleteFile("a"));
  EXPECT_EQ(dialogs.Shown().size(), 1);
  EXPECT_TRUE(QFile::exists(Formats + "/a.qfm"));

  EXPECT_TRUE(DataFolderManager::DeleteFile("a"));
  EXPECT_FALSE(QFile::exists(Formats + "/a.qfm"));
  EXPECT_EQ(Bytes(TrashFiles() + "/a.qfm"), "a");
  EXPECT_TRUE(QFile::exists(Formats + "/.qfm"));
}

TEST_F(DataFolderManagerTest, DeleteWorksForAUserWithoutADataFolder) {
  const QString data = Folder() + "/kiosk/.local/share";
  qputenv("XDG_DATA_HOME", data.toUtf8());
  Put("formats/a.qfm", "a");
  DataFolderManager::Prepare(Formats, "qfm", DataFolderManager::Mode::Administer);
  ScriptedDialogs dialogs;
  dialogs.Expect(Kind::Message, Dialogs::Button::Yes);
  EXPECT_TRUE(DataFolderManager::DeleteFile("a"));
  EXPECT_EQ(dialogs.Shown().size(), 1) << "no failure message";
  EXPECT_FALSE(QFile::exists(Formats + "/a.qfm"));
  EXPECT_EQ(Bytes(data + "/Trash/files/a.qfm"), "a");
}

// A plain file where the trash or its "info" folder must be (as a root-owned
// folder refuses a user): the trash cannot take the file. The manager asks
// and says so in the language in force, at once, and the file stays.
TEST_F(DataFolderManagerTest, ADeleteThatFailsSaysSoAndKeepsTheFile) {
  const QString trash = QFileInfo(TrashFiles()).path();
  const struct {
    QString blocker;
    QString language;
    QStringList messages;
  } cases[] = {
      {trash,
       "<Spanish>",
       {"¿Desea enviar \"a.qfm\" a la papelera?", "No pudo eliminarse el archivo "}},
      {trash + "/info",
       "<English>",
       {"Do you want to send \"a.qfm\" to the trash?", "The file could not be deleted "}},
  };
  for (const auto& c : cases) {
    QFile::remove(trash);
    QDir(trash).removeRecursively();
    QDir().mkpath(QFileInfo(c.blocker).path());
    QFile blocker(c.blocker);
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    Lang::LoadLanguage(c.language);
    Put("formats/a.qfm", "a");
    DataFolderManager::Prepare(Formats, "qfm", DataFolderManager::Mode::Administer);
    ScriptedDialogs dialogs;
    dialogs.Expect(Kind::Message, Dialogs::Button::Yes).ExpectMessage();
    {
      const HangGuard guard("deleting through a trash that refuses it");
      EXPECT_FALSE(DataFolderManager::DeleteFile("a"));
    }
    EXPECT_EQ(dialogs.Messages(), c.messages);
    EXPECT_EQ(Bytes(Formats + "/a.qfm"), "a");
  }
}

TEST_F(DataFolderManagerTest, AcceptChecksByMode) {
  using Dialogs::Button;
  Put("formats/a.qfm");
  struct Case {
    DataFolderManager::Mode mode;
    QString text;
    std::optional<Button> answer;  // to the one message box; none expected when empty
    QString expectedResult;        // "" = the manager stays open
    QString message;
  } cases[] = {
      {DataFolderManager::Mode::Open, "a", {}, Formats + "/a.qfm", ""},
      {DataFolderManager::Mode::Open, "gone", Button::Ok, "", "No se encuentra el archivo "},
      {DataFolderManager::Mode::Open, "", Button::Ok, "",
       "No se encuentra el archivo "},  // nothing chosen
      {DataFolderManager::Mode::Open,
       "<Manual>",
       {},
       Formats + "/.qfm",
       ""},                                               // even with no such file
      {DataFolderManager::Mode::SaveAs, "", {}, "", ""},  // a beep only
      {DataFolderManager::Mode::SaveAs, "a?b", Button::Ok, "",
       "a?b no es un nombre de archivo válido"},
      {DataFolderManager::Mode::SaveAs, "new", {}, Formats + "/new.qfm", ""},
      {DataFolderManager::Mode::SaveAs, "a", Button::No, "",
       "Ya existe un archivo con ese nombre, ¿reemplazar?"},
      {DataFolderManager::Mode::SaveAs, "a", Button::Cancel, "",
       "Ya existe un archivo con ese nombre, ¿reemplazar?"},
      {DataFolderManager::Mode::SaveAs, "a", Button::Yes, Formats + "/a.qfm",
       "Ya existe un archivo con ese nombre, ¿reemplazar?"},
      {DataFolderManager::Mode::SaveAs, "<manual>", {}, Formats + "/.qfm", ""},
      {DataFolderManager::Mode::SaveAsNoQuestion, "a", {}, Formats + "/a.qfm", ""},
      {DataFolderManager::Mode::Administer, "", {}, Formats + "/.qfm", ""},
  };
  for (const Case& c : cases) {
    const std::string what = std::to_string(int(c.mode)) + " " + c.text.toStdString();
    DataFolderManager::Prepare(Formats, "qfm", c.mode);
    ScriptedDialogs dialogs;
    if (c.answer) dialogs.ExpectMessage(*c.answer);
    const DataFolderManager::Acceptance result = DataFolderManager::AcceptSelection(c.text);
    EXPECT_EQ(result == DataFolderManager::Acceptance::Accepted, !c.expectedResult.isEmpty())
        << what;
    // Only an empty name to save as is refused without a message.
    EXPECT_EQ(result == DataFolderManager::Acceptance::NameMissing,
              c.mode == DataFolderManager::Mode::SaveAs && c.text.isEmpty())
        << what;
    EXPECT_EQ(DataFolderManager::State().FmResult, c.expectedResult) << what;
    EXPECT_EQ(dialogs.Messages().join(""), c.message) << what;
  }
}

TEST_F(DataFolderManagerTest, OpeningAnEmptyFolderSaysSoAndShowsNothing) {
  ScriptedDialogs dialogs;
  dialogs.ExpectMessage();
  QTimer guard;  // a shown manager would wait for a person
  QObject::connect(&guard, &QTimer::timeout, [] {
    if (!ManagerShown()) return;
    ADD_FAILURE() << "the manager was shown";
    FileManagerWindow::Instance()->close();
  });
  guard.start(5);
  EXPECT_EQ(DataFolderManager::ShowFileManager(Filters, "qfl", DataFolderManager::Mode::Open, true),
            "");
  EXPECT_EQ(dialogs.Messages(), QStringList{"No se encontraron archivos en el directorio "});
}

TEST_F(DataFolderManagerTest, OpenHidesTheOtherWindowsAndReturnsThePickedFile) {
  Put("formats/a.qfm");
  Put("formats/b.qfm");
  QWidget main;
  main.show();
  QWidget hiddenBefore;
  bool mainHidden = false;
  When(ManagerShown, [&] {
    FileManagerWindow* window = FileManagerWindow::Instance();
    mainHidden = !main.isVisible();
    EXPECT_EQ(window->windowTitle(), "Administrador de archivos");
    EXPECT_EQ(window->nameLabel->text(), "Abrir:");
    EXPECT_TRUE(window->nameEdit->isReadOnly());
    EXPECT_FALSE(window->editButton->isEnabled());
    EXPECT_FALSE(window->nameFrame->isHidden());
    ASSERT_EQ(window->fileList->count(), 3);
    window->fileList->setCurrentRow(2);
    EXPECT_EQ(window->nameEdit->text(), "b");
    window->acceptButton->click();
  });
  EXPECT_EQ(DataFolderManager::ShowFileManager(Formats, "qfm", DataFolderManager::Mode::Open, true),
            Formats + "/b.qfm");
  EXPECT_TRUE(mainHidden);
  EXPECT_TRUE(main.isVisible());
  EXPECT_FALSE(hiddenBefore.isVisible());
  EXPECT_EQ(FileManagerWindow::Instance(), nullptr) << "the window is unloaded";
}

TEST_F(DataFolderManagerTest, ADoubleClickAcceptsAndCancelGivesNothing) {
  Put("formats/a.qfm");
  When(ManagerShown, [] {
    FileManagerWindow* window = FileManagerWindow::Instance();
    window->fileList->setCurrentRow(1);
    emit window->fileList->itemDoubleClicked(window->fileList->item(1));
  });
  EXPECT_EQ(DataFolderManager::ShowFileManager(Formats, "qfm", DataFolderManager::Mode::Open, true),
            Formats + "/a.qfm");

  When(ManagerShown, [] {
    FileManagerWindow::Instance()->nameEdit->setText("typed");
    FileManagerWindow::Instance()->cancelButton->click();
  });
  EXPECT_EQ(
      DataFolderManager::ShowFileManager(Formats, "qfm", DataFolderManager::Mode::SaveAs, true),
      "");

  When(ManagerShown, [] { FileManagerWindow::Instance()->close(); });
  EXPECT_EQ(
      DataFolderManager::ShowFileManager(Formats, "qfm", DataFolderManager::Mode::SaveAs, true),
      "");
}

TEST_F(DataFolderManagerTest, SaveAsTakesATypedNameAfterTheReplaceQuestion) {
  Put("formats/a.qfm");
  ScriptedDialogs dialogs;
  dialogs.ExpectMessage(Dialogs::Button::No).ExpectMessage(Dialogs::Button::Yes);
  When(ManagerShown, [] {
    FileManagerWindow* window = FileManagerWindow::Instance();
    EXPECT_EQ(window->nameLabel->text(), "Guardar como:");
    EXPECT_FALSE(window->nameEdit->isReadOnly());
    window->nameEdit->setText("a");
    window->acceptButton->click();  // "No": stays open
    EXPECT_TRUE(window->isVisible());
    window->acceptButton->click();
  });
  EXPECT_EQ(
      DataFolderManager::ShowFileManager(Formats, "qfm", DataFolderManager::Mode::SaveAs, true),
      Formats + "/a.qfm");
}

TEST_F(DataFolderManagerTest, TheListKeepsItsPositionAfterAChange) {
  Put("filters/a.qfl");
  Put("filters/b.qfl");
  Put("filters/c.qfl");
  ScriptedDialogs dialogs;
  dialogs.Expect(Kind::Message, Dialogs::Button::Yes).Expect(Kind::Input, QString("c2"));
  When(ManagerShown, [] {
    FileManagerWindow* window = FileManagerWindow::Instance();
    EXPECT_TRUE(window->nameFrame->isHidden()) << "administer mode has no name area";
    window->fileList->setCurrentRow(2);
    window->deleteButton->click();  // c goes: the list is shorter, the last entry is selected
    EXPECT_EQ(window->SelectedEntry(), "b");
    window->copyButton->click();  // a copy of b named c2
    EXPECT_EQ(window->fileList->count(), 3);
    EXPECT_EQ(window->fileList->currentRow(), 1);
    window->cancelButton->click();
  });
  EXPECT_EQ(
      DataFolderManager::ShowFileManager(Filters, "qfl", DataFolderManager::Mode::Administer, true),
      "");
  EXPECT_TRUE(QFile::exists(Filters + "/c2.qfl"));
  EXPECT_TRUE(QFile::exists(TrashFiles() + "/c.qfl"));
}

TEST_F(DataFolderManagerTest, WithoutWaitingTheWindowStaysOpenAndNothingIsReturned) {
  Put("filters/a.qfl");
  QWidget main;
  main.show();
  EXPECT_EQ(
      DataFolderManager::ShowFileManager(Filters, "qfl", DataFolderManager::Mode::Open, false), "");
  QPointer<FileManagerWindow> window = FileManagerWindow::Instance();
  ASSERT_TRUE(window && window->isVisible());
  EXPECT_TRUE(main.isVisible()) << "nothing is hidden when nobody waits";
  window->cancelButton->click();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(window.isNull());
}

QStringList g_edited;
QWidget* g_main = nullptr;
bool g_othersHiddenInEditor = false;

// Stands for the format editor: remembers its name, writes a file, and finds
// the manager closed and the main window still hidden.
void FakeEditor(const QString& name) {
  g_edited << name;
  g_othersHiddenInEditor = FileManagerWindow::Instance() == nullptr && !g_main->isVisible();
  QFile file(DataFolderManager::State().FmFolder + "/made by editor.qfm");
  EXPECT_TRUE(file.open(QIODevice::WriteOnly));
}

TEST_F(DataFolderManagerTest, EditOpensTheEditorAndTheManagerComesBackRefreshed) {
  Put("formats/a.qfm");
  g_edited.clear();
  DataFolderManager::InstallEditor("qfm", FakeEditor);
  QWidget main;
  main.show();
  g_main = &main;
  int openings = 0;
  std::function<void()> act = [&] {
    FileManagerWindow* window = FileManagerWindow::Instance();
    ++openings;
    if (openings == 1) {
      EXPECT_TRUE(window->editButton->isEnabled());
      window->fileList->setCurrentRow(0);  // <Manual>: the editor gets "*"
      window->editButton->click();
    } else if (openings == 2) {
      EXPECT_EQ(window->fileList->count(), 3) << "refreshed with the editor's file";
      window->fileList->setCurrentRow(1);
      emit window->fileList->itemDoubleClicked(
          window->fileList->item(1));  // edits in administer mode
    } else {
      window->cancelButton->click();
      return;
    }
    When([old = QPointer<FileManagerWindow>(window)] { return !old && ManagerShown(); }, act);
  };
  When(ManagerShown, act);
  EXPECT_EQ(
      DataFolderManager::ShowFileManager(Formats, "qfm", DataFolderManager::Mode::Administer, true),
      "");
  EXPECT_EQ(g_edited, (QStringList{"*", "a"}));
  EXPECT_EQ(openings, 3);
  EXPECT_TRUE(g_othersHiddenInEditor);
  EXPECT_TRUE(main.isVisible());
}

TEST_F(DataFolderManagerTest, EditIsOfferedOnlyWhileAdministeringFilesThatHaveAnEditor) {
  DataFolderManager::InstallEditor("qfm", FakeEditor);
  using M = DataFolderManager::Mode;
  struct Case {
    const char* extension;
    M mode;
    bool offered;
  } cases[] = {
      {"qfm", M::Administer, true},  {"QFM", M::Administer, true},
      {"qlg", M::Administer, false}, {"qfm", M::Open, false},
      {"qfm", M::SaveAs, false},     {"qfm", M::SaveAsNoQuestion, false},
  };
  for (const Case& c : cases) {
    DataFolderManager::Prepare(Formats, c.extension, c.mode);
    EXPECT_EQ(DataFolderManager::EditAvailable(), c.offered) << c.extension << " " << int(c.mode);
  }
}

TEST_F(DataFolderManagerTest, WithoutAnEditorEditDoesNothing) {
  Put("lang/a.qlg");
  When(ManagerShown, [] {
    FileManagerWindow* window = FileManagerWindow::Instance();
    EXPECT_FALSE(window->editButton->isEnabled());
    window->fileList->setCurrentRow(0);
    emit window->fileList->itemDoubleClicked(window->fileList->item(0));
    EXPECT_TRUE(window->isVisible());
    EXPECT_FALSE(DataFolderManager::State().FmEditRequested);
    window->cancelButton->click();
  });
  EXPECT_EQ(DataFolderManager::ShowFileManager(ProgramFolder::AppFiles("lang"), "qlg",
                                               DataFolderManager::Mode::Administer, true),
            "");
}

}  // namespace
