#include <QApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>

#include "LangFixture.h"
#include "core/lang/Lang.h"

namespace {

using Dialogs::Kind;

const QString kNotFound = "No se encuentra el archivo de lenguaje\nThe language file is not found";
const QString kCannotLoad = "No se pudo cargar el lenguaje\nCould not load language";

class LoadLanguageTest : public LangTest {
 protected:
  void SetUp() override { LangTest::SetUp(); }
  // Loads English and checks that it is in force.
  void InEnglish() {
    Lang::LoadLanguage("<English>");
    ExpectEnglish();
  }
  static void ExpectEnglish() {
    EXPECT_EQ(Lang::State().LanguageName, "<English>");
    EXPECT_EQ(Lang::State().Msg.size(), Lang::TableLines);
    EXPECT_EQ(Lang::LineText(1), "File not found");
    EXPECT_EQ(Lang::GetParamCaptions().ContainerFormat, "Container format");
  }
};

TEST_F(LoadLanguageTest, BuiltInLanguages) {
  struct Case {
    const char* name;
    qsizetype lines;
    const char* line1;
    const char* caption;  // line 37, the container format's caption
  } cases[] = {
      {"<English>", 537, "File not found", "Container format"},
      {"<Portuguese>", 537, "Não se encontra o arquivo", "Formato de contêiner"},
      {"<Spanish>", 0, "No se encuentra el archivo", "Formato de contenedor"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Lang::LoadLanguage(c.name);
    EXPECT_EQ(Lang::State().LanguageName, c.name);
    EXPECT_EQ(Lang::State().Msg.size(), c.lines);
    EXPECT_EQ(Lang::LineText(1), QString::fromUtf8(c.line1));
    EXPECT_EQ(Lang::GetParamCaptions().ContainerFormat, QString::fromUtf8(c.caption));
  }
}

// Qt's standard buttons speak the language chosen, in new boxes, in file
// dialogs and in a window already open; a custom language keeps Qt's English.
TEST_F(LoadLanguageTest, StandardButtonsFollowTheLanguage) {
  WriteLanguage("Mine", SyntheticTable(537));
  QDialogButtonBox open(QDialogButtonBox::Cancel);
  struct Case {
    const char* name;
    const char* yes;
    const char* cancel;
  } cases[] = {
      {"<Spanish>", "&Sí", "&Cancelar"},     {"<English>", "&Yes", "&Cancel"},
      {"<Portuguese>", "&Sim", "&Cancelar"}, {"Mine", "&Yes", "&Cancel"},
      {"<Spanish>", "&Sí", "&Cancelar"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Lang::LoadLanguage(c.name);
    ASSERT_EQ(Lang::State().LanguageName, c.name);
    QMessageBox box;
    box.setStandardButtons(QMessageBox::Yes | QMessageBox::Cancel);
    EXPECT_EQ(box.button(QMessageBox::Yes)->text(), QString::fromUtf8(c.yes));
    QFileDialog files;
    files.setOption(QFileDialog::DontUseNativeDialog);
    auto* fileButtons = files.findChild<QDialogButtonBox*>();
    ASSERT_NE(fileButtons, nullptr);
    EXPECT_EQ(fileButtons->button(QDialogButtonBox::Cancel)->text().remove('&'),
              QString::fromUtf8(c.cancel).remove('&'));
    QApplication::sendPostedEvents(nullptr, QEvent::LanguageChange);
    EXPECT_EQ(open.button(QDialogButtonBox::Cancel)->text().remove('&'),
              QString::fromUtf8(c.cancel).remove('&'));
  }
}

TEST_F(LoadLanguageTest, CustomFilesArePaddedOrCutToTheTable) {
  QByteArray full = SyntheticTable(537);
  struct Case {
    const char* what;
    QByteArray bytes;
    QStringList expected;  // lines 1, 10, 11, 537
  } cases[] = {
      {"10 lines", SyntheticTable(10), {"L1", "L10", "", ""}},
      {"empty file", "", {"", "", "", ""}},
      {"600 lines", SyntheticTable(600), {"L1", "L10", "L11", "L537"}},
      {"line break after line 537", full + "\r\n", {"L1", "L10", "L11", "L537"}},
      {"LF line ends", "a\nb\nc", {"a\nb\nc", "", "", ""}},
      {"lone CR", "a\rb\r\nc", {"a\rb", "", "", ""}},
      {"Windows-1252", "Canci\xf3n \x80\r\nx", {QString::fromUtf8("Canción €"), "", "", ""}},
      {"UTF-8", "Canci\xc3\xb3n\r\nx", {QString::fromUtf8("Canción"), "", "", ""}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    WriteLanguage("mine", c.bytes);
    Lang::LoadLanguage("mine");
    EXPECT_EQ(Lang::State().LanguageName, "mine");
    ASSERT_EQ(Lang::State().Msg.size(), Lang::TableLines);
    const QStringList got = {Lang::State().Msg[0], Lang::State().Msg[9], Lang::State().Msg[10],
                             Lang::State().Msg[536]};
    EXPECT_EQ(got, c.expected);
  }
}

TEST_F(LoadLanguageTest, ACustomTableHasNoSpanishFallBack) {
  WriteLanguage("short", SyntheticTable(10));
  Lang::LoadLanguage("short");
  ScriptedDialogs dialogs;
  dialogs.ExpectMessage().ExpectMessage();
  Lang::MsgNoTrackSelected();  // line 6
  Lang::MsgFfmpegNotFound();   // line 127, beyond the file
  EXPECT_EQ(dialogs.Messages(), QStringList({"L6", ""}));
  EXPECT_EQ(Lang::GetParamCaptions().Bitrate, "");
}

TEST_F(LoadLanguageTest, LoadingAgainReadsTheSourceAgain) {
  WriteLanguage("mine", "first");
  Lang::LoadLanguage("mine");
  WriteLanguage("mine", "second");
  Lang::LoadLanguage("mine");
  EXPECT_EQ(Lang::State().Msg[0], "second");
}

TEST_F(LoadLanguageTest, AMissingFileSaysSoAndChangesNothing) {
  for (const char* name : {"gone", "<english>"}) {
    SCOPED_TRACE(name);
    InEnglish();
    ScriptedDialogs dialogs;
    dialogs.ExpectMessage();
    Lang::LoadLanguage(name);
    ASSERT_EQ(dialogs.Shown().size(), 1);
    EXPECT_EQ(dialogs.Shown()[0].text, kNotFound);
    EXPECT_EQ(dialogs.Shown()[0].style,
              (Dialogs::MessageStyle{Dialogs::Buttons::Ok, Dialogs::Icon::Stop}));
    EXPECT_EQ(dialogs.Shown()[0].title, "Quillmoor 2.0");
    ExpectEnglish();
  }
}

// At start-up the stored name is already in force with no table: a missing file
// keeps it, so it is tried again at the next start.
TEST_F(LoadLanguageTest, AMissingFileAtStartUpKeepsItsNameWithSpanishTexts) {
  Lang::State().LanguageName = "gone";
  ScriptedDialogs dialogs;
  dialogs.ExpectMessage();
  Lang::LoadLanguage(Lang::State().LanguageName);
  EXPECT_EQ(Lang::State().LanguageName, "gone");
  EXPECT_TRUE(Lang::State().Msg.isEmpty());
  EXPECT_EQ(Lang::TxtNone(), "Ninguno");
}

TEST_F(LoadLanguageTest, AFailedReadSaysSoAndChangesNothing) {
  InEnglish();
  // Reading the process's own memory at offset 0 fails with an I/O error, even for root.
  QDir().mkpath(Folder() + "/appfiles/lang");
  ASSERT_TRUE(QFile::link("/proc/self/mem", Folder() + "/appfiles/lang/broken.qlg"));
  ScriptedDialogs dialogs;
  dialogs.ExpectMessage();
  Lang::LoadLanguage("broken");
  EXPECT_EQ(dialogs.Messages(), QStringList{kCannotLoad});
  ExpectEnglish();
}

TEST_F(LoadLanguageTest, TheEmptyNameChangesNothing) {
  InEnglish();
  Lang::LoadLanguage("");
  ExpectEnglish();

  Reset();
  Lang::LoadLanguage("");
  EXPECT_EQ(Lang::State().LanguageName, "");
  EXPECT_TRUE(Lang::State().Msg.isEmpty());
}

TEST_F(LoadLanguageTest, MessagesFollowTheLanguageAtOnce) {
  ScriptedDialogs dialogs;
  dialogs.ExpectMessage().ExpectMessage().ExpectMessage();
  Lang::MsgFileNotFound("/m/a.avi");
  Lang::LoadLanguage("<English>");
  Lang::MsgFileNotFound("/m/a.avi");
  Lang::LoadLanguage("<Portuguese>");
  Lang::MsgFileNotFound("/m/a.avi");
  EXPECT_EQ(dialogs.Messages(),
            QStringList({"No se encuentra el archivo /m/a.avi", "File not found /m/a.avi",
                         QString::fromUtf8("Não se encontra o arquivo /m/a.avi")}));
}

}  // namespace
