#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "FileSizeLimit.h"
#include "TestEnv.h"
#include "core/app/Lifecycle.h"
#include "core/frame/ProgramHelp.h"
#include "core/ground/ProgramFolder.h"

namespace {

using Dialogs::Kind;

QByteArray Contents(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

class HelpManifestTest : public TestEnv {};

TEST_F(HelpManifestTest, HelpIsWrittenOnceFromTheBuiltInDocumentAndOpened) {
  const QByteArray builtIn = Contents(":/doc/doc.pdf");
  ASSERT_TRUE(builtIn.startsWith("%PDF-"));
  const QString doc = Folder() + "/appfiles/doc.pdf";
  ScriptedDialogs dialogs;
  dialogs.Expect(Kind::Open, true).Expect(Kind::Open, true);

  ProgramHelp::ShowProgramHelp();
  EXPECT_EQ(Contents(doc), builtIn);
  EXPECT_EQ(dialogs.Shown()[0].text, doc);

  WriteFile("appfiles/doc.pdf", "the user's own copy");
  ProgramHelp::ShowProgramHelp();
  EXPECT_EQ(Contents(doc), "the user's own copy") << "an existing document is opened as found";
  EXPECT_EQ(dialogs.Shown()[1].text, doc);
}

TEST_F(HelpManifestTest, HelpThatCannotBeWrittenSaysSoAndOpensNothing) {
  QDir().mkpath(Folder() + "/appfiles/doc.pdf");  // a folder where the document must go
  ScriptedDialogs dialogs;
  dialogs.ExpectMessage();
  ProgramHelp::ShowProgramHelp();
  EXPECT_EQ(dialogs.Messages(), QStringList{"No se encuentra el archivo doc.pdf"});
  EXPECT_EQ(dialogs.Shown().size(), 1) << "nothing opened";
  EXPECT_TRUE(QDir(Folder() + "/appfiles/doc.pdf").isEmpty());
  EXPECT_EQ(QDir(Folder() + "/appfiles").entryList(QDir::Files), QStringList());
}

TEST_F(HelpManifestTest, HelpCutShortByAFullDiskIsNotKeptAndIsWrittenWholeLater) {
  const QString doc = Folder() + "/appfiles/doc.pdf";
  {
    FileSizeLimit full(1000);
    ScriptedDialogs dialogs;
    dialogs.ExpectMessage();
    ProgramHelp::ShowProgramHelp();
    EXPECT_EQ(dialogs.Messages(), QStringList{"No se encuentra el archivo doc.pdf"});
    EXPECT_EQ(dialogs.Shown().size(), 1) << "nothing opened";
  }
  EXPECT_EQ(QDir(Folder() + "/appfiles").entryList(QDir::Files | QDir::Hidden), QStringList());
  ScriptedDialogs dialogs;
  dialogs.Expect(Kind::Open, true);
  ProgramHelp::ShowProgramHelp();
  EXPECT_EQ(Contents(doc), Contents(":/doc/doc.pdf"));
}

TEST_F(HelpManifestTest, TheManifestIsNamedAfterTheExecutableAndHas680Bytes) {
  const QString name = QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
  const QString path = Folder() + "/" + name + ".exe.manifest";
  EXPECT_EQ(Lifecycle::ManifestPath(), path);
  Lifecycle::WriteManifest();
  const QByteArray text = Contents(path);
  EXPECT_EQ(text.size(), 680);
  EXPECT_EQ(text, Lifecycle::ManifestText());
  EXPECT_EQ(text.count("\r\n"), 21);
  EXPECT_FALSE(text.endsWith("\n"));
  EXPECT_TRUE(text.startsWith(R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>)"));
  EXPECT_TRUE(text.contains("\r\n             publicKeyToken=\"6595b64144ccf1df\"\r\n"));
  EXPECT_TRUE(text.endsWith("</dependency>\r\n</assembly>"));
}

TEST_F(HelpManifestTest, AnExistingManifestIsLeftUntouched) {
  const QString path = WriteFile(QFileInfo(Lifecycle::ManifestPath()).fileName(), "mine");
  Lifecycle::WriteManifest();
  EXPECT_EQ(Contents(path), "mine");
}

TEST_F(HelpManifestTest, AManifestThatCannotBeWrittenIsReported) {
  QDir().mkpath(Lifecycle::ManifestPath());
  ScriptedDialogs dialogs;
  dialogs.ExpectMessage();
  Lifecycle::WriteManifest();
  EXPECT_EQ(dialogs.Messages(), QStringList{"No se encuentra el archivo " +
                                            QFileInfo(Lifecycle::ManifestPath()).fileName()});
}

TEST_F(HelpManifestTest, AManifestCutShortByAFullDiskIsReportedAndNotKept) {
  {
    FileSizeLimit full(100);
    ScriptedDialogs dialogs;
    dialogs.ExpectMessage();
    Lifecycle::WriteManifest();
    EXPECT_EQ(dialogs.Messages(), QStringList{"No se encuentra el archivo " +
                                              QFileInfo(Lifecycle::ManifestPath()).fileName()});
  }
  EXPECT_EQ(QDir(Folder()).entryList(QDir::Files | QDir::Hidden), QStringList());
}

// With no program to open them, "Ayuda de este programa" and "Donar" say that
// no program could, where the document or the page is, and what to install.
TEST_F(HelpManifestTest, HelpAndDonationWithoutAProgramToOpenThemSayWhatToInstall) {
  ScriptedDialogs dialogs;
  dialogs.Expect(Kind::Open, false).ExpectMessage().Expect(Kind::Open, false).ExpectMessage();
  ProgramHelp::ShowProgramHelp();
  ProgramHelp::OpenDonationPage();
  EXPECT_EQ(dialogs.Shown()[2].text, ProgramHelp::DonationPage);
  EXPECT_EQ(dialogs.Messages(),
            (QStringList{"Ningún programa pudo abrir \"" + Folder() +
                             "/appfiles/doc.pdf\". Instale xdg-utils y un visor de PDF",
                         QString("Ningún programa pudo abrir \"%1\". Instale xdg-utils y un "
                                 "navegador web")
                             .arg(ProgramHelp::DonationPage)}));
  EXPECT_EQ(dialogs.Shown()[1].style,
            (Dialogs::MessageStyle{Dialogs::Buttons::Ok, Dialogs::Icon::Stop}));
  EXPECT_TRUE(QFileInfo::exists(Folder() + "/appfiles/doc.pdf")) << "kept to be opened by hand";
}

TEST_F(HelpManifestTest, TheDonationPageIsHandedToTheDesktop) {
  ScriptedDialogs dialogs;
  dialogs.Expect(Kind::Open, true);
  ProgramHelp::OpenDonationPage();
  EXPECT_EQ(dialogs.Shown()[0].text, ProgramHelp::DonationPage);
}

}  // namespace
