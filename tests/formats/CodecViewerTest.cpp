#include <sys/stat.h>

#include <QListWidget>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <optional>

#include "CodecTestSupport.h"
#include "HangGuard.h"
#include "core/formats/CodecViewer.h"
#include "core/frame/DesktopServices.h"
#include "gui/formats/CodecViewerWindow.h"

namespace {

using namespace codec_test;
using Dialogs::Kind;

bool ViewerShown() {
  return CodecViewerWindow::Instance() && CodecViewerWindow::Instance()->isVisible();
}

class CodecViewerTest : public TestEnv {
 protected:
  void SetUp() override {
    TestEnv::SetUp();
    Codecs = ProgramFolder::AppFiles("ecodec");
    Formats = ProgramFolder::AppFiles("formats");
  }
  // Shows the viewer and runs inside while it is up; inside closes it.
  QString Show(const QString& path, bool isVideo, std::function<void(CodecViewerWindow*)> inside) {
    When(ViewerShown, [inside] { inside(CodecViewerWindow::Instance()); });
    return CodecViewer::ShowCodecInfo(nullptr, path, isVideo);
  }
  // A profile with both kinds of external codec embedded.
  QString ProfileWithCodecs(const QString& name) {
    FormatProfile profile;
    profile.AudioExtCodecName = "lame";
    profile.AudioExtCodec = LameCodec();
    profile.VideoExtCodecName = "x264";
    profile.VideoExtCodec = LameCodec();
    profile.VideoExtCodec.About = "x264 encoder";
    profile.VideoExtCodec.ExePath = "/usr/local/bin/x264";
    const QString path = Formats + "/" + name + ".qfm";
    WriteRecord(path, profile);
    return path;
  }
  QString Codecs;
  QString Formats;
};

TEST_F(CodecViewerTest, TheListHoldsTheCodecFilesThenTheCodecsLeftOnlyInProfiles) {
  WriteRecord(Codecs + "/A.qca", LameCodec());
  WriteRecord(Codecs + "/lame.qca", LameCodec());
  WriteRecord(Codecs + "/V.qcv", LameCodec());
  ProfileWithCodecs("P");  // lame has its file, x264 has none
  FormatProfile onlyAudio;
  onlyAudio.AudioExtCodecName = "B";
  WriteRecord(Formats + "/Q.qfm", onlyAudio);
  WriteFile("appfiles/formats/broken.qfm", QByteArray(40, '\xff'));
  WriteRecord(Formats + "/plain.qfm", FormatProfile());

  const QStringList entries = CodecViewer::CodecEntries();
  const QStringList audio = entries.filter(QRegularExpression("^audio"));
  EXPECT_EQ(entries.size(), 5) << entries.join(", ").toStdString();
  EXPECT_TRUE(audio.contains("audio\\A"));
  EXPECT_TRUE(audio.contains("audio\\lame"));
  EXPECT_TRUE(audio.contains("audio\\Q\\B"));
  EXPECT_EQ(audio.size(), 3);
  EXPECT_EQ(entries.mid(3), (QStringList{"video\\V", "video\\P\\x264"}))
      << "audio first, files before profiles";
  EXPECT_EQ(entries.indexOf("audio\\Q\\B"), 2);
}

// The list reads every profile; a named pipe or a link to a device among them
// is passed over without waiting on it or reading it.
TEST_F(CodecViewerTest, TheListPassesOverAPipeOrADeviceAmongTheProfiles) {
  ProfileWithCodecs("P");
  ASSERT_EQ(mkfifo(QFile::encodeName(Formats + "/pipe.qfm").constData(), 0600), 0);
  ASSERT_TRUE(QFile::link("/dev/zero", Formats + "/zero.qfm"));
  const HangGuard guard("the codec list reading the profiles");
  EXPECT_EQ(CodecViewer::CodecEntries(), (QStringList{"audio\\P\\lame", "video\\P\\x264"}));
  CodecViewer::CodecInfo info;
  EXPECT_FALSE(CodecViewer::ReadCodec(Formats + "/pipe.qfm", false, info));
  EXPECT_FALSE(CodecViewer::ReadCodec(Formats + "/zero.qfm", true, info));
}

TEST_F(CodecViewerTest, OneCodecOfAProfileShowsAndClosingUnchangedReturnsNothing) {
  const QString path = ProfileWithCodecs("P");
  const QString returned = Show(path, true, [](CodecViewerWindow* w) {
    EXPECT_TRUE(w->listPanel->isHidden());
    EXPECT_EQ(w->codecName->text(), "x264");
    EXPECT_EQ(w->aboutText->toPlainText(), "x264 encoder");
    EXPECT_EQ(w->programPath->text(), "/usr/local/bin/x264");
    EXPECT_EQ(w->windowTitle(), "Acerca del codec...");
    w->close();
  });
  EXPECT_EQ(returned, "");
  EXPECT_EQ(CodecViewerWindow::Instance(), nullptr);
}

TEST_F(CodecViewerTest, ANewProgramIsReturnedWhetherSavedOrNotAndSavingTouchesOnlyThatCodec) {
  const QString path = ProfileWithCodecs("P");
  const QByteArray before = FileBytes(path);
  const QString program = WriteFile("Tools/LAME", "#!/bin/sh\n");
  QDir().mkpath(Folder() + "/tools");  // where the stored program was
  {
    ScriptedDialogs dialogs;
    dialogs.Expect(Kind::OpenFile, QStringList{program}).ExpectMessage(Dialogs::Button::No);
    const QString returned = Show(path, false, [](CodecViewerWindow* w) {
      w->browseProgramButton->click();
      EXPECT_EQ(w->programPath->text(), "Tools/LAME");
      w->close();
    });
    EXPECT_EQ(returned, "Tools/LAME");
    EXPECT_EQ(dialogs.Messages(), QStringList{"¿Guardar la nueva ruta del ejecutable?"});
    EXPECT_EQ(dialogs.Shown().first().text, Folder() + "/tools")
        << "starts at the shown program's folder";
    EXPECT_EQ(dialogs.Shown().first().defaultText, "lame");
    EXPECT_EQ(FileBytes(path), before) << "No leaves the file alone";
  }
  {
    ScriptedDialogs dialogs;
    dialogs.Expect(Kind::OpenFile, QStringList{program}).ExpectMessage(Dialogs::Button::Yes);
    const QString returned = Show(path, false, [](CodecViewerWindow* w) {
      w->browseProgramButton->click();
      w->close();
    });
    EXPECT_EQ(returned, "Tools/LAME");
  }
  const FormatProfile saved = ReadRecord<FormatProfile>(path);
  EXPECT_EQ(saved.AudioExtCodec.ExePath, "Tools/LAME");
  FormatProfile expected = ReadRecord<FormatProfile>(path);
  expected.AudioExtCodec.ExePath = LameCodec().ExePath;
  FormatProfile original;
  ASSERT_EQ(RecordFile::Decode(before, original), RecordFile::Result::Ok);
  EXPECT_EQ(expected, original) << "everything else as it was";
}

TEST_F(CodecViewerTest, AnUnreadableFileIsNotShown) {
  const QString path =
      WriteFile("appfiles/ecodec/bad.qca", QByteArray("\x01\x00", 2) + QByteArray(12, '\xff'));
  ScriptedDialogs dialogs;
  dialogs.ExpectMessage();
  EXPECT_EQ(CodecViewer::ShowCodecInfo(nullptr, path, false), "");
  EXPECT_EQ(dialogs.Messages(), QStringList{"No se pudo leer el archivo "});
  EXPECT_EQ(CodecViewerWindow::Instance(), nullptr);
}

TEST_F(CodecViewerTest, InTheListAnEntryOpensAndClosingItGoesBackToTheList) {
  WriteRecord(Codecs + "/lame.qca", LameCodec());
  const QByteArray before = FileBytes(Codecs + "/lame.qca");
  const QString program = WriteFile("tools/lame2", "#!/bin/sh\n");
  ScriptedDialogs dialogs;
  dialogs.Expect(Kind::OpenFile, QStringList{program}).ExpectMessage(Dialogs::Button::No);
  const QString returned = Show("", false, [&](CodecViewerWindow* w) {
    EXPECT_FALSE(w->listPanel->isHidden());
    ASSERT_EQ(w->codecList->count(), 1);
    w->openEntryButton->click();
    EXPECT_FALSE(w->listPanel->isHidden()) << "nothing selected: nothing opens";
    w->codecList->setCurrentRow(0);
    emit w->codecList->itemDoubleClicked(w->codecList->item(0));
    EXPECT_TRUE(w->listPanel->isHidden());
    EXPECT_EQ(w->codecName->text(), "lame");
    w->browseProgramButton->click();
    w->close();
    EXPECT_TRUE(w->isVisible()) << "back to the list";
    EXPECT_FALSE(w->listPanel->isHidden());
    EXPECT_EQ(w->programPath->text(), "");
    w->close();
  });
  EXPECT_EQ(returned, "") << "the list returns nothing";
  EXPECT_EQ(FileBytes(Codecs + "/lame.qca"), before);
  EXPECT_EQ(dialogs.Messages(), QStringList{"¿Guardar la nueva ruta del ejecutable?"});
}

TEST_F(CodecViewerTest, SavingFromTheListWritesTheCodecFileWhole) {
  WriteRecord(Codecs + "/lame.qca", LameCodec());
  const QString program = QDir::tempPath() + "/elsewhere/lame";
  ScriptedDialogs dialogs;
  dialogs.Expect(Kind::OpenFile, QStringList{program}).ExpectMessage(Dialogs::Button::Yes);
  Show("", false, [](CodecViewerWindow* w) {
    w->codecList->setCurrentRow(0);
    w->openEntryButton->click();
    w->browseProgramButton->click();
    w->close();
    w->close();
  });
  ExtCodecDef expected = LameCodec();
  expected.ExePath = program;
  EXPECT_EQ(ReadRecord<ExtCodecDef>(Codecs + "/lame.qca"), expected);
}

TEST_F(CodecViewerTest, ShowingTheProgramNeedsItToExist) {
  WriteRecord(Codecs + "/lame.qca", LameCodec());
  ScriptedDialogs dialogs;
  dialogs.ExpectMessage();
  Show(Codecs + "/lame.qca", false, [&](CodecViewerWindow* w) {
    w->programFolderButton->click();  // tools/lame is not there yet
    WriteFile("tools/lame", "#!/bin/sh\n");
    dialogs.Expect(Kind::Open, true);
    w->programFolderButton->click();
    w->close();
  });
  EXPECT_EQ(dialogs.Messages().first(), "No se encuentra el archivo ");
  EXPECT_EQ(dialogs.Shown().last().kind, Kind::Open);
  EXPECT_EQ(dialogs.Shown().last().text, Folder() + "/tools");
}

// The program path as shown is stored relative to the program folder when it
// lies inside it, so both the dialog and the desktop's file manager resolve it there.
TEST_F(CodecViewerTest, TheProgramDialogStartsBesideTheProgramShown) {
  struct Case {
    QString shown;
    QString folder;
    QString fileName;
  } cases[] = {
      {"tools/lame", Folder() + "/tools", "lame"},
      {"/usr/local/bin/x264", "/usr/local/bin", "x264"},
      {"lame", Folder(), "lame"},
      {"", Folder(), ""},
  };
  for (const Case& c : cases) {
    const CodecViewer::ProgramDialogStart start = CodecViewer::ProgramDialogStartFor(c.shown);
    EXPECT_EQ(start.Folder, c.folder) << c.shown.toStdString();
    EXPECT_EQ(start.FileName, c.fileName) << c.shown.toStdString();
  }
}

TEST_F(CodecViewerTest, OnlyAProgramThatIsThereCanBeShownInItsFolder) {
  const QString program = WriteFile("tools/lame", "#!/bin/sh\n");
  EXPECT_EQ(CodecViewer::ExistingProgram("tools/lame"), program);
  EXPECT_EQ(CodecViewer::ExistingProgram(program), program);
  EXPECT_EQ(CodecViewer::ExistingProgram("tools/gone"), "");
  EXPECT_EQ(CodecViewer::ExistingProgram("tools"), "") << "a folder is no program";
  EXPECT_EQ(CodecViewer::ExistingProgram(""), "");
}

// Closing the details of a codec file or of a codec inside a profile keeps a
// changed program path only when the user says so, and only that path.
TEST_F(CodecViewerTest, AChangedProgramPathIsSavedOnlyAfterAYes) {
  using Dialogs::Button;
  struct Case {
    const char* file;
    bool isVideo;
    QString shown;
    std::optional<Button> answer;  // none: no question
    QString stored;
  } cases[] = {
      {"lame.qca", false, "tools/lame", {}, "tools/lame"},
      {"lame.qca", false, "tools/other", Button::No, "tools/lame"},
      {"lame.qca", false, "tools/other", Button::Yes, "tools/other"},
      {"p.qfm", true, "tools/x264", Button::Yes, "tools/x264"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.shown.toStdString() + " kept as " + c.stored.toStdString());
    const QString path =
        QString(c.file).endsWith(".qfm") ? ProfileWithCodecs("p") : Codecs + "/" + c.file;
    if (!path.endsWith(".qfm")) WriteRecord(path, LameCodec());
    CodecViewer::CodecInfo info;
    ASSERT_TRUE(CodecViewer::LoadCodecFile(path, c.isVideo, info));
    ScriptedDialogs dialogs;
    if (c.answer) dialogs.ExpectMessage(*c.answer);
    CodecViewer::OfferToSaveExePath(c.shown, info.Codec.ExePath);
    EXPECT_EQ(dialogs.Shown().size(), c.answer ? 1 : 0);
    CodecViewer::CodecInfo after;
    ASSERT_TRUE(CodecViewer::ReadCodec(path, c.isVideo, after));
    EXPECT_EQ(after.Codec.ExePath, c.stored);
    after.Codec.ExePath = info.Codec.ExePath;
    EXPECT_EQ(after.Codec, info.Codec) << "nothing else changes";
  }
}

TEST_F(CodecViewerTest, AFailedWriteSaysWhichFile) {
  CodecViewer::State().FilePath = Folder() + "/missing/x.qca";
  EXPECT_FALSE(CodecViewer::SaveExePath("p"));
  EXPECT_FALSE(QFileInfo::exists(CodecViewer::State().FilePath));

  const QString path = Codecs + "/lame.qca";
  WriteRecord(path, LameCodec());
  const QString program = WriteFile("tools/other", "#!/bin/sh\n");
  ScriptedDialogs dialogs;
  dialogs.Expect(Kind::OpenFile, QStringList{program})
      .ExpectMessage(Dialogs::Button::Yes)
      .ExpectMessage();
  Show(path, false, [&](CodecViewerWindow* w) {
    w->browseProgramButton->click();
    // A folder takes the file's place: it can be neither read nor written.
    QFile::remove(path);
    QDir().mkpath(path);
    w->close();
  });
  EXPECT_EQ(dialogs.Messages(), QStringList({"¿Guardar la nueva ruta del ejecutable?",
                                             "No se pudo escribir el archivo " + path}));
}

}  // namespace
