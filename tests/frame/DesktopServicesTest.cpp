#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QListWidget>
#include <QScrollBar>
#include <QStandardPaths>
#include <optional>

#include "HangGuard.h"
#include "TestEnv.h"
#include "core/frame/DesktopServices.h"
#include "core/lang/Lang.h"
#include "gui/ground/WidgetFactory.h"

namespace {

using Dialogs::Kind;

class DesktopServicesTest : public TestEnv {
 protected:
  void SetUp() override { TestEnv::SetUp(); }
  QString Desktop() const {
    return QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
  }
  QString MakeFolder(const QString& relative) const {
    QDir().mkpath(Folder() + "/" + relative);
    return Folder() + "/" + relative;
  }
};

TEST_F(DesktopServicesTest, StartingFolderFallsBackToLastFolderThenTheDesktop) {
  DesktopServices::State().LastFolder.clear();
  EXPECT_EQ(DesktopServices::StartingFolder(""), QDir::homePath()) << "no desktop folder: home";
  QDir().mkpath(Desktop());
  const QString given = MakeFolder("given");
  const QString last = MakeFolder("last");
  struct Case {
    const char* what;
    QString folder;
    QString lastFolder;
    QString expected;
  } cases[] = {
      {"an existing folder is used", given, last, given},
      {"no folder: the last one", "", last, last},
      {"no folder, no last one: desktop", "", "", Desktop()},
      {"no folder, last one gone: desktop", "", Folder() + "/gone", Desktop()},
      {"a missing folder: desktop", Folder() + "/missing", last, Desktop()},
  };
  for (const Case& c : cases) {
    DesktopServices::State().LastFolder = c.lastFolder;
    EXPECT_EQ(DesktopServices::StartingFolder(c.folder), c.expected) << c.what;
  }
}

TEST_F(DesktopServicesTest, OpenDialogReturnsThePicksAndRemembersTheFolderOfTheFirst) {
  const QString x = MakeFolder("x");
  const QString y = MakeFolder("y");
  ScriptedDialogs dialogs;
  dialogs.Expect(Kind::OpenFile, QStringList{x + "/a", x + "/b"})
      .Expect(Kind::OpenFile, QStringList())
      .Expect(Kind::OpenFile, QStringList{y + "/c.mp4"});

  EXPECT_EQ(DesktopServices::OpenFileDialog("", nullptr, "", "", true),
            (QStringList{x + "/a", x + "/b"}));
  EXPECT_EQ(DesktopServices::State().LastFolder, x);

  EXPECT_TRUE(DesktopServices::OpenFileDialog("", nullptr, "", "", true).isEmpty());
  EXPECT_EQ(DesktopServices::State().LastFolder, x) << "a cancel leaves the last folder";

  EXPECT_EQ(DesktopServices::OpenFileDialog("*.exe|*.exe", nullptr, "", "", false, "ffmpeg"),
            QStringList{y + "/c.mp4"});
  EXPECT_EQ(DesktopServices::State().LastFolder, y);

  const QList<Dialogs::Request>& shown = dialogs.Shown();
  ASSERT_EQ(shown.size(), 3);
  EXPECT_EQ(shown[0].text, QDir::homePath());  // this HOME has no Desktop folder
  EXPECT_TRUE(shown[0].multiSelect);
  EXPECT_EQ(shown[1].text, x);
  EXPECT_EQ(shown[2].text, x);
  EXPECT_FALSE(shown[2].multiSelect);
  EXPECT_EQ(shown[2].defaultText, "ffmpeg");
  EXPECT_EQ(shown[2].filter, "*.exe|*.exe");
}

TEST_F(DesktopServicesTest, SaveDialogTrimsTheNameAndPassesTheOverwriteQuestion) {
  const QString x = MakeFolder("x");
  ScriptedDialogs dialogs;
  dialogs.Expect(Kind::SaveFile, QString("  " + x + "/out.mp4  "))
      .Expect(Kind::SaveFile, QString());
  EXPECT_EQ(DesktopServices::SaveFileDialog("", "", "*.*|*.*", nullptr, true), x + "/out.mp4");
  EXPECT_EQ(DesktopServices::State().LastFolder, x);
  EXPECT_EQ(DesktopServices::SaveFileDialog("", "", "", nullptr, false), "");
  EXPECT_EQ(DesktopServices::State().LastFolder, x);
  EXPECT_TRUE(dialogs.Shown()[0].overwritePrompt);
  EXPECT_FALSE(dialogs.Shown()[1].overwritePrompt);
  EXPECT_EQ(dialogs.Shown()[1].text, x);
}

TEST_F(DesktopServicesTest, ColourDialogGivesTheColourOrMinusOne) {
  ScriptedDialogs dialogs;
  dialogs.Expect(Kind::Color, 0x00336699).Expect(Kind::Color, -1);
  EXPECT_EQ(DesktopServices::ChooseColorDialog(nullptr, 0x00112233), 0x00336699);
  EXPECT_EQ(DesktopServices::ChooseColorDialog(nullptr, -1), -1);
  EXPECT_EQ(dialogs.Shown()[0].text, QString::number(0x00112233));
  EXPECT_EQ(dialogs.Shown()[1].text, "0") << "no initial colour starts on black";
}

TEST_F(DesktopServicesTest, ShellOpenHandsTheTargetToTheDesktop) {
  ScriptedDialogs dialogs;
  dialogs.Expect(Kind::Open, true).Expect(Kind::Open, true);
  EXPECT_TRUE(DesktopServices::ShellOpen(Folder() + "/a b.pdf"));
  EXPECT_TRUE(DesktopServices::ShellOpen("https://quillmoor.example.org/"));
  EXPECT_EQ(dialogs.Shown()[0].text, Folder() + "/a b.pdf");
  EXPECT_EQ(dialogs.Shown()[1].text, "https://quillmoor.example.org/");
}

// Without a program to open it with, the user is told that no program could,
// in the language in force, with the path or address to open by hand and what
// to install: a PDF viewer for a document, a web browser for an address, a
// file manager for a folder.
TEST_F(DesktopServicesTest, WhatTheDesktopCannotOpenIsToldWithItsPathOrAddress) {
  const QString document = Folder() + "/a b.pdf";
  const QString address = "https://quillmoor.example.org/";
  const QString folder = MakeFolder("out put");
  const struct {
    const char* language;
    QString noViewer;
    QString noBrowser;
    QString noFileManager;
  } cases[] = {
      {"<Spanish>", "Ningún programa pudo abrir \"%1\". Instale xdg-utils y un visor de PDF",
       "Ningún programa pudo abrir \"%1\". Instale xdg-utils y un navegador web",
       "Ningún programa pudo abrir el directorio \"%1\". Instale xdg-utils y un administrador de "
       "archivos"},
      {"<English>", "No program could open \"%1\". Install xdg-utils and a PDF viewer",
       "No program could open \"%1\". Install xdg-utils and a web browser",
       "No program could open the folder \"%1\". Install xdg-utils and a file manager"},
      {"<Portuguese>",
       "Nenhum programa pôde abrir \"%1\". Instale xdg-utils e um visualizador de PDF",
       "Nenhum programa pôde abrir \"%1\". Instale xdg-utils e um navegador web",
       "Nenhum programa pôde abrir o diretório \"%1\". Instale xdg-utils e um gerenciador de "
       "arquivos"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.language);
    Lang::LoadLanguage(c.language);
    ScriptedDialogs dialogs;
    for (int k = 0; k < 3; ++k) dialogs.Expect(Kind::Open, false).ExpectMessage();
    EXPECT_FALSE(DesktopServices::ShellOpen(document));
    EXPECT_FALSE(DesktopServices::ShellOpen(address));
    EXPECT_FALSE(DesktopServices::ShellOpen(folder));
    EXPECT_EQ(dialogs.Messages(), (QStringList{c.noViewer.arg(document), c.noBrowser.arg(address),
                                               c.noFileManager.arg(folder)}));
    for (int k : {1, 3, 5})
      EXPECT_EQ(dialogs.Shown()[k].style,
                (Dialogs::MessageStyle{Dialogs::Buttons::Ok, Dialogs::Icon::Stop}))
          << k;
  }
}

// With no opener on PATH the desktop says it could not open the document.
TEST_F(DesktopServicesTest, TheDesktopReportsThatItCannotOpen) {
  const QString document = WriteFile("doc.pdf", "%PDF-1.4\n");
  const QByteArray path = qgetenv("PATH");
  qputenv("PATH", (Folder() + "/empty").toUtf8());
  EXPECT_FALSE(Dialogs::Open(document));
  EXPECT_FALSE(Dialogs::Open("https://quillmoor.example.org/"));
  qputenv("PATH", path);
}

// A No to the question is the user's choice: the call succeeds and the file stays.
TEST_F(DesktopServicesTest, DeleteModesTrashOrDeleteWithOrWithoutAQuestion) {
  using Dialogs::Button;
  using Mode = DesktopServices::DeleteMode;
  struct Case {
    Mode mode;
    std::optional<Button> answer;  // none: no question expected
    bool gone;
    bool inTrash;
  } cases[] = {
      {Mode::AskThenTrash, Button::Yes, true, true},
      {Mode::AskThenTrash, Button::No, false, false},
      {Mode::Trash, {}, true, true},
      {Mode::AskThenDeleteForGood, Button::Yes, true, false},
      {Mode::AskThenDeleteForGood, Button::No, false, false},
      {Mode::DeleteForGood, {}, true, false},
  };
  for (const Case& c : cases) {
    const QString name = QString("m%1-%2.txt")
                             .arg(static_cast<int>(c.mode))
                             .arg(c.answer ? static_cast<int>(*c.answer) : -1);
    const QString path = WriteFile(name, "x");
    ScriptedDialogs dialogs;
    if (c.answer) dialogs.ExpectMessage(*c.answer);
    EXPECT_TRUE(DesktopServices::ShellDeleteFile(path, c.mode)) << name.toStdString();
    EXPECT_EQ(!QFile::exists(path), c.gone) << name.toStdString();
    EXPECT_EQ(QFile::exists(TrashFiles() + "/" + name), c.inTrash) << name.toStdString();
    if (c.answer) {
      EXPECT_EQ(dialogs.Shown()[0].style,
                (Dialogs::MessageStyle{Dialogs::Buttons::YesNo, Dialogs::Icon::Question}));
    }
  }
}

TEST_F(DesktopServicesTest, AFolderGoesToTheTrashWholeAndAMissingPathIsAFailure) {
  WriteFile("dir/inner.txt", "x");
  EXPECT_TRUE(
      DesktopServices::ShellDeleteFile(Folder() + "/dir", DesktopServices::DeleteMode::Trash));
  EXPECT_TRUE(QFile::exists(TrashFiles() + "/dir/inner.txt"));
  EXPECT_FALSE(DesktopServices::ShellDeleteFile(Folder() + "/missing",
                                                DesktopServices::DeleteMode::DeleteForGood));
}

TEST_F(DesktopServicesTest, AUserWithoutADataFolderGetsATrashMadeForTheFile) {
  const QString data = Folder() + "/fresh/.local/share";
  qputenv("XDG_DATA_HOME", data.toUtf8());
  const QString path = WriteFile("song.mp3", "tune");
  EXPECT_TRUE(DesktopServices::ShellDeleteFile(path, DesktopServices::DeleteMode::Trash));
  EXPECT_FALSE(QFile::exists(path));
  QFile trashed(data + "/Trash/files/song.mp3");
  ASSERT_TRUE(trashed.open(QIODevice::ReadOnly));
  EXPECT_EQ(trashed.readAll(), "tune");
  EXPECT_TRUE(QFile::exists(data + "/Trash/info/song.mp3.trashinfo"));
  // Every folder made for it is the user's alone.
  const QFileDevice::Permissions others = QFileDevice::ReadGroup | QFileDevice::WriteGroup |
                                          QFileDevice::ExeGroup | QFileDevice::ReadOther |
                                          QFileDevice::WriteOther | QFileDevice::ExeOther;
  for (const QString& made : {Folder() + "/fresh/.local", data, data + "/Trash"}) {
    EXPECT_EQ((QFile::permissions(made) & others).toInt(), 0) << made.toStdString();
  }
  EXPECT_FALSE(QDir::current().exists("files/song.mp3"));
}

TEST_F(DesktopServicesTest, ATrashThatCannotTakeTheFileLeavesItInPlace) {
  // A regular file where the trash folder must be: moving to the trash fails.
  const QString trash = QFileInfo(TrashFiles()).path();
  QDir().mkpath(QFileInfo(trash).path());
  QFile blocker(trash);
  ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
  blocker.close();
  const QString path = WriteFile("keep.txt", "precious");
  EXPECT_FALSE(DesktopServices::ShellDeleteFile(path, DesktopServices::DeleteMode::Trash));
  QFile kept(path);
  ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
  EXPECT_EQ(kept.readAll(), "precious");
  EXPECT_FALSE(QDir::current().exists("files/keep.txt"));
  EXPECT_FALSE(QDir::current().exists("info/keep.txt.trashinfo"));

  // A data folder that cannot be made: no trash at all.
  WriteFile("blocked", "a regular file where the data folder must go");
  qputenv("XDG_DATA_HOME", (Folder() + "/blocked/share").toUtf8());
  EXPECT_FALSE(DesktopServices::ShellDeleteFile(path, DesktopServices::DeleteMode::Trash));
  ASSERT_TRUE(kept.seek(0));
  EXPECT_EQ(kept.readAll(), "precious");
  EXPECT_FALSE(QDir::current().exists("files/keep.txt"));
}

// A trash whose "info" or "files" cannot take a new entry (a plain file in its
// place, as a root-owned folder refuses a user) is a failure at once: the file
// stays, nothing is left in the trash, and a second try fails the same way.
TEST_F(DesktopServicesTest, ATrashWhoseFoldersRefuseEntriesFailsAtOnceAndKeepsTheFile) {
  const QString trash = QFileInfo(TrashFiles()).path();
  for (const char* refusing : {"info", "files"}) {
    QDir(trash).removeRecursively();
    QDir().mkpath(trash);
    const QString other = QString(refusing) == "info" ? "files" : "info";
    ASSERT_TRUE(QDir().mkpath(trash + "/" + other));
    QFile plain(trash + "/" + refusing);
    ASSERT_TRUE(plain.open(QIODevice::WriteOnly));
    plain.close();
    const QString path = WriteFile("keep.txt", "precious");
    {
      const HangGuard guard(std::string("a trash move with a plain file for ") + refusing);
      EXPECT_FALSE(DesktopServices::ShellDeleteFile(path, DesktopServices::DeleteMode::Trash))
          << refusing;
      EXPECT_FALSE(DesktopServices::ShellDeleteFile(path, DesktopServices::DeleteMode::Trash))
          << refusing;
    }
    QFile kept(path);
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly)) << refusing;
    EXPECT_EQ(kept.readAll(), "precious") << refusing;
    EXPECT_EQ(QDir(trash + "/" + other).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
              QStringList())
        << refusing;
    EXPECT_TRUE(QFileInfo(trash + "/" + refusing).isFile()) << refusing;
  }
}

// Each trashed thing gets a name free in "files" and its own information
// file saying where it was, so two files of one name both come back.
TEST_F(DesktopServicesTest, TwoFilesOfOneNameEachKeepTheirPlaceInTheTrash) {
  const QString first = WriteFile("a/clip.mp4", "first");
  const QString second = WriteFile("b/clip.mp4", "second");
  ASSERT_TRUE(DesktopServices::ShellDeleteFile(first, DesktopServices::DeleteMode::Trash));
  ASSERT_TRUE(DesktopServices::ShellDeleteFile(second, DesktopServices::DeleteMode::Trash));
  const QString info = QFileInfo(TrashFiles()).path() + "/info/";
  const struct {
    QString entry;
    QByteArray bytes;
    QString from;
  } expected[] = {{"clip.mp4", "first", first}, {"clip (2).mp4", "second", second}};
  for (const auto& e : expected) {
    QFile trashed(TrashFiles() + "/" + e.entry);
    ASSERT_TRUE(trashed.open(QIODevice::ReadOnly)) << e.entry.toStdString();
    EXPECT_EQ(trashed.readAll(), e.bytes);
    QFile about(info + e.entry + ".trashinfo");
    ASSERT_TRUE(about.open(QIODevice::ReadOnly)) << e.entry.toStdString();
    const QList<QByteArray> lines = about.readAll().split('\n');
    ASSERT_GE(lines.size(), 3);
    EXPECT_EQ(lines[0], "[Trash Info]");
    EXPECT_EQ(lines[1], "Path=" + QFile::encodeName(e.from).toPercentEncoding("/"));
    EXPECT_TRUE(QDateTime::fromString(QString(lines[2].mid(13)), Qt::ISODate).isValid())
        << lines[2].toStdString();
  }
}

// The question before a delete is the language's own, as every other one; a
// custom language, whose Qt buttons are English, asks in English.
TEST_F(DesktopServicesTest, TheDeleteQuestionsSpeakTheLanguageInForce) {
  const QString path = WriteFile("alpha.qfm", "x");
  WriteFile("appfiles/lang/Catala.qlg",
            QStringList(Lang::TableLines, "Text").join("\r\n").toUtf8());
  struct Case {
    QString language;
    QString toTrash;
    QString forGood;
  } cases[] = {
      {"<Spanish>", "¿Desea enviar \"alpha.qfm\" a la papelera?",
       "¿Desea eliminar \"alpha.qfm\" definitivamente?"},
      {"<English>", "Do you want to send \"alpha.qfm\" to the trash?",
       "Do you want to delete \"alpha.qfm\" permanently?"},
      {"<Portuguese>", "Deseja enviar \"alpha.qfm\" para a lixeira?",
       "Deseja excluir \"alpha.qfm\" permanentemente?"},
      {"Catala", "Do you want to send \"alpha.qfm\" to the trash?",
       "Do you want to delete \"alpha.qfm\" permanently?"},
  };
  for (const Case& c : cases) {
    Lang::LoadLanguage(c.language);
    ScriptedDialogs dialogs;
    dialogs.ExpectMessage(Dialogs::Button::No).ExpectMessage(Dialogs::Button::No);
    EXPECT_TRUE(DesktopServices::ShellDeleteFile(path, DesktopServices::DeleteMode::AskThenTrash));
    EXPECT_TRUE(
        DesktopServices::ShellDeleteFile(path, DesktopServices::DeleteMode::AskThenDeleteForGood));
    EXPECT_EQ(dialogs.Messages(), (QStringList{c.toTrash, c.forGood})) << c.language.toStdString();
    EXPECT_EQ(dialogs.Shown()[0].title, Lang::BoxTitle());
  }
  EXPECT_TRUE(QFile::exists(path)) << "both answered No";
}

TEST_F(DesktopServicesTest, AListLetScrollSidewaysScrollsOverLongLines) {
  QListWidget list;
  list.resize(200, 100);
  WidgetFactory::LetListScrollSideways(&list);
  list.addItem("/a/very/long/folder/name/that/does/not/fit/into/two/hundred/pixels/file.mp4");
  list.show();
  QApplication::processEvents();
  EXPECT_GT(list.horizontalScrollBar()->maximum(), 0);
}

}  // namespace
