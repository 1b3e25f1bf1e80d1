#include <QDir>
#include <QFile>

#include "TestEnv.h"
#include "formats/FormatEdit.h"
#include "frame/FileServices.h"
#include "frame/ProgramFolder.h"
#include "frame/RecordFile.h"

namespace {

using Dialogs::Kind;

// An external audio encoder with a switch, a suggested-values parameter and
// two editable ffmpeg options.
ExtCodecDef LameCodec() {
  ExtCodecDef codec;
  codec.About = "LAME MP3 encoder";
  codec.ExePath = "tools/lame";
  codec.Params = {0,
                  {{"<InFile>", 1, "", "", "", 0, ""},
                   {"Bitrate", 0, "-b", "128", "96\r\n128", 1, "128"},
                   {"Joint", 2, "-m j", "", "", 0, "1"},
                   {"<OutFile>", 1, "-o", "", "", 0, ""}}};
  codec.Editable = {1, {1, 0, 0, 0, 0, 1}};
  codec.Values = {1, {"192k", "", "", "", "", "44100"}};
  return codec;
}

FormatProfile FullProfile() {
  FormatProfile profile;
  profile.InputContainer = "mov";
  profile.OutputContainer = "mp4";
  profile.AudioCodec = "aac";
  profile.VideoCodec = "libx264";
  profile.AspectRatio = "16:9";
  profile.PixelFormat = "yuv420p";
  profile.Target = "pal-dvd";
  profile.AudioBitrate = "128k";
  profile.SampleRate = "44100";
  profile.RemoveAudio = 1;
  profile.VideoBitrate = "1m";
  profile.FrameSize = "640x480";
  profile.RemoveVideo = 1;
  profile.Extension = "mp4";
  profile.OutputExtraParams = "-movflags faststart";
  profile.InputExtraParams = "-ss 3";
  profile.MultipleOutputFiles = 1;
  profile.RemoveSubtitles = 1;
  profile.AudioExtCodec = LameCodec();
  profile.AudioExtCodecName = "lame";
  return profile;
}

class FormatLifeCycle : public TestEnv {
 protected:
  void SetUp() override {
    TestEnv::SetUp();
    FormatEdit::ResetEditState();
  }
  void TearDown() override {
    FormatEdit::ResetEditState();
    TestEnv::TearDown();
  }
  QString ProfilePath(const QString& name) const {
    return FormatEdit::FormatsFolder() + "/" + name + ".qfm";
  }
  void Load(const QString& path) {
    QString work = path;
    FormatEdit::LoadFormat(work);
  }
};

TEST_F(FormatLifeCycle, SaveThenLoadGivesBackEveryField) {
  FormatEdit::CurrentFormat = FullProfile();
  QString path = ProfilePath("perfil");
  ASSERT_TRUE(FormatEdit::SaveFormat(path));
  EXPECT_EQ(FormatEdit::CurrentFormatFile, path);
  EXPECT_FALSE(FormatEdit::IsFormatChanged());

  FormatEdit::ResetEditState();
  Load(path);
  EXPECT_EQ(FormatEdit::CurrentFormat, FullProfile());
  EXPECT_EQ(FormatEdit::SavedFormat, FullProfile());
  EXPECT_EQ(FormatEdit::CurrentFormatFile, path);
}

TEST_F(FormatLifeCycle, EmptyFileLoadsAsTheEmptyProfile) {
  const QString path = WriteFile("appfiles/formats/vacio.qfm", QByteArray());
  FormatEdit::CurrentCategory = FormatEdit::OutputVideo;
  Load(path);
  EXPECT_EQ(FormatEdit::CurrentFormat, FormatProfile());
  EXPECT_EQ(FormatEdit::CurrentFormatFile, path);
  EXPECT_EQ(FormatEdit::CurrentCategory, FormatEdit::OutputGeneral);
}

TEST_F(FormatLifeCycle, MissingNamedFileIsReportedAndBecomesAnEmptyProfile) {
  ScriptedDialogs dialogs;
  dialogs.ExpectMessage();
  Load(ProfilePath("perdido"));
  EXPECT_EQ(dialogs.Messages(), QStringList({"No se encuentra el archivo perdido"}));
  EXPECT_EQ(FormatEdit::CurrentFormatFile, ProfilePath("perdido"));
  EXPECT_EQ(FormatEdit::CurrentFormat, FormatProfile());
}

TEST_F(FormatLifeCycle, MissingScratchFileLoadsEmptyWithoutMessageOrFile) {
  ScriptedDialogs dialogs;
  Load(FormatEdit::ScratchProfilePath());
  EXPECT_EQ(FormatEdit::CurrentFormat, FormatProfile());
  EXPECT_FALSE(FileServices::FileExists(FormatEdit::ScratchProfilePath()));
}

TEST_F(FormatLifeCycle, CorruptFileIsReportedAndLoadsNothing) {
  // A list header that claims far more elements than the file holds.
  QByteArray bytes(29 * 2 + 3 + 2 * 2, '\0');
  bytes += QByteArray::fromHex("01 00 ffffff7f 00000000");
  const QString path = WriteFile("appfiles/formats/roto.qfm", bytes);
  ScriptedDialogs dialogs;
  dialogs.ExpectMessage();
  Load(path);
  EXPECT_EQ(dialogs.Messages(), QStringList({"No se pudo leer el archivo " + path}));
  EXPECT_EQ(FormatEdit::CurrentFormatFile, "");
}

TEST_F(FormatLifeCycle, ShorterSaveOverALongerFileReadsBackExactly) {
  FormatEdit::CurrentFormat = FullProfile();
  QString path = ProfilePath("perfil");
  ASSERT_TRUE(FormatEdit::SaveFormat(path));
  FormatEdit::CurrentFormat = FormatProfile();
  FormatEdit::CurrentFormat.Extension = "mkv";
  ASSERT_TRUE(FormatEdit::SaveFormat(path));
  FormatProfile read;
  ASSERT_EQ(RecordFile::Read(path, read), RecordFile::Result::Ok);
  EXPECT_EQ(read, FormatEdit::CurrentFormat);
}

TEST_F(FormatLifeCycle, FailedWriteKeepsTheSavedCopyAndReports) {
  // A folder where the file should be makes the write fail.
  ASSERT_TRUE(FileServices::CreateFolderPath(ProfilePath("carpeta")));
  FormatEdit::CurrentFormat.Extension = "avi";
  QString path = ProfilePath("carpeta");
  ScriptedDialogs dialogs;
  dialogs.ExpectMessage();
  EXPECT_FALSE(FormatEdit::SaveFormat(path));
  EXPECT_EQ(dialogs.Messages(), QStringList({"No se pudo escribir el archivo "}));
  EXPECT_TRUE(FormatEdit::IsFormatChanged());
  EXPECT_EQ(FormatEdit::CurrentFormatFile, "");
}

TEST_F(FormatLifeCycle, CloseAsksWithTheQuotedNameAndFollowsTheAnswer) {
  struct Case {
    const char* file;
    int answer;
    bool closed;
    const char* question;
  };
  const Case cases[] = {
      {"perfil", 2, false, "El archivo \"perfil\" ha cambiado, ¿guardar cambios?"},
      {"perfil", 7, true, "El archivo \"perfil\" ha cambiado, ¿guardar cambios?"},
      {"", 2, false, "El archivo ha cambiado, ¿guardar cambios?"},
      {".", 7, true, "El archivo ha cambiado, ¿guardar cambios?"},
  };
  for (const Case& c : cases) {
    FormatEdit::ResetEditState();
    FormatEdit::CurrentFormatFile =
        QString(c.file).isEmpty() ? "" : ProfilePath(QString(c.file) == "." ? "" : c.file);
    FormatEdit::CurrentFormat.Target = "pal-dvd";
    ScriptedDialogs dialogs;
    dialogs.ExpectMessage(c.answer);
    EXPECT_EQ(FormatEdit::CloseFormat(), c.closed) << c.file;
    EXPECT_EQ(dialogs.Messages(), QStringList({QString::fromUtf8(c.question)})) << c.file;
    EXPECT_EQ(FormatEdit::CurrentFormat.Target, c.closed ? "" : "pal-dvd");
  }
}

TEST_F(FormatLifeCycle, CloseWithYesSavesAndAFailedSaveKeepsTheProfile) {
  FormatEdit::CurrentFormatFile = ProfilePath("perfil");
  FormatEdit::CurrentFormat.Target = "ntsc-dvd";
  {
    ScriptedDialogs dialogs;
    dialogs.ExpectMessage(6);
    EXPECT_TRUE(FormatEdit::CloseFormat());
  }
  FormatProfile read;
  ASSERT_EQ(RecordFile::Read(ProfilePath("perfil"), read), RecordFile::Result::Ok);
  EXPECT_EQ(read.Target, "ntsc-dvd");

  ASSERT_TRUE(FileServices::CreateFolderPath(ProfilePath("carpeta")));
  FormatEdit::CurrentFormatFile = ProfilePath("carpeta");
  FormatEdit::CurrentFormat.Target = "pal-vcd";
  ScriptedDialogs dialogs;
  dialogs.ExpectMessage(6).ExpectMessage();
  EXPECT_FALSE(FormatEdit::CloseFormat());
  EXPECT_EQ(FormatEdit::CurrentFormat.Target, "pal-vcd");
}

TEST_F(FormatLifeCycle, ChangedTestLooksOnlyAtTheValuesOfAnEmbeddedCodec) {
  FormatEdit::CurrentFormat = FullProfile();
  FormatEdit::SavedFormat = FullProfile();
  EXPECT_FALSE(FormatEdit::IsFormatChanged());

  FormatEdit::CurrentFormat.AudioExtCodec.Params[1].Label = "Otra";
  FormatEdit::CurrentFormat.AudioExtCodec.Editable[2] = 1;
  EXPECT_FALSE(FormatEdit::IsFormatChanged());

  FormatEdit::CurrentFormat.AudioExtCodec.Params[1].Value = "96";
  EXPECT_TRUE(FormatEdit::IsFormatChanged());
  FormatEdit::CurrentFormat = FullProfile();
  FormatEdit::CurrentFormat.AudioExtCodec.Values[6] = "48000";
  EXPECT_TRUE(FormatEdit::IsFormatChanged());
  FormatEdit::CurrentFormat = FullProfile();
  FormatEdit::SavedFormat.AudioExtCodec.Params.Items.removeLast();
  EXPECT_TRUE(FormatEdit::IsFormatChanged());
}

TEST_F(FormatLifeCycle, ListenersHearOfEachChangedProfileAndEachRebuildOfTheRows) {
  QStringList heard;
  QObject listener;
  FormatEdit::Notifier* events = &FormatEdit::Events();
  QObject::connect(events, &FormatEdit::Notifier::ProfileChanged, &listener,
                   [&](const FormatProfile& profile) {
                     heard << "profile, audio codec <" + profile.AudioExtCodecName + ">";
                   });
  QObject::connect(events, &FormatEdit::Notifier::RowsBuilt, &listener,
                   [&](uint8_t category, const QList<FormatEdit::ParamRow>& rows) {
                     QStringList shown;
                     for (const FormatEdit::ParamRow& row : rows) {
                       if (!row.caption.startsWith("FF>")) shown << row.caption + "=" + row.value;
                     }
                     heard << QString("rows of %1: %2 in all, %3")
                                  .arg(category)
                                  .arg(rows.size())
                                  .arg(shown.join(' '));
                   });
  ExtCodecDef codec = LameCodec();
  codec.Params[1].Value.clear();
  ASSERT_TRUE(QDir().mkpath(ProgramFolder::AppFiles("ecodec")));
  ASSERT_EQ(RecordFile::Write(FormatEdit::ExtCodecPath(0, "lame"), codec), RecordFile::Result::Ok);
  FormatEdit::CurrentCategory = FormatEdit::OutputAudio;

  FormatEdit::LoadExternalCodec(0, "lame");
  FormatEdit::CurrentFormat.AudioExtCodec.Params[1].Value = "96";
  FormatEdit::ClearCategory();
  {
    ScriptedDialogs dialogs;
    dialogs.ExpectMessage();
    FormatEdit::LoadExternalCodec(1, "missing");
  }
  EXPECT_EQ(heard,
            QStringList({"profile, audio codec <lame>", "rows of 2: 4 in all, Bitrate= Joint=0",
                         "rows of 2: 4 in all, Bitrate= Joint=0"}));
  EXPECT_EQ(FormatEdit::ParamRowCount, 4);
}

TEST_F(FormatLifeCycle, UndoGoesBackToTheSavedCopy) {
  FormatEdit::SavedFormat = FullProfile();
  FormatEdit::CurrentFormat = FormatProfile();
  FormatEdit::UndoChanges();
  EXPECT_EQ(FormatEdit::CurrentFormat, FullProfile());
}

TEST_F(FormatLifeCycle, ClearAllKeepsTheCodecWithItsValuesEmptied) {
  FormatEdit::CurrentFormat = FullProfile();
  FormatEdit::ClearAll();
  FormatProfile expected;
  expected.AudioExtCodecName = "lame";
  expected.AudioExtCodec = LameCodec();
  expected.AudioExtCodec.Params[1].Value = "";
  expected.AudioExtCodec.Params[2].Value = "0";
  expected.AudioExtCodec.Values = {1, {"", "", "", "", "", ""}};
  EXPECT_EQ(FormatEdit::CurrentFormat, expected);
}

TEST_F(FormatLifeCycle, ClearCategoryClearsWhatItsRowsShow) {
  FormatProfile withoutCodec = FullProfile();
  withoutCodec.AudioExtCodecName.clear();

  FormatEdit::CurrentFormat = withoutCodec;
  FormatEdit::CurrentCategory = FormatEdit::OutputGeneral;
  FormatEdit::ClearCategory();
  const FormatProfile& general = FormatEdit::CurrentFormat;
  EXPECT_EQ(general.OutputContainer + general.AudioCodec + general.VideoCodec + general.Target +
                general.Extension + general.OutputExtraParams,
            "");
  EXPECT_EQ(general.MultipleOutputFiles + general.RemoveSubtitles, 0);
  EXPECT_EQ(general.AspectRatio, "16:9");
  EXPECT_EQ(general.PixelFormat, "yuv420p");
  EXPECT_EQ(general.InputContainer, "mov");

  FormatEdit::CurrentFormat = withoutCodec;
  FormatEdit::CurrentCategory = FormatEdit::OutputVideo;
  FormatEdit::ClearCategory();
  EXPECT_EQ(FormatEdit::CurrentFormat.AspectRatio + FormatEdit::CurrentFormat.PixelFormat +
                FormatEdit::CurrentFormat.FrameSize,
            "");
  EXPECT_EQ(FormatEdit::CurrentFormat.RemoveVideo, 0);
  EXPECT_EQ(FormatEdit::CurrentFormat.AudioBitrate, "128k");

  FormatEdit::CurrentFormat = withoutCodec;
  FormatEdit::CurrentCategory = FormatEdit::Input;
  FormatEdit::ClearCategory();
  EXPECT_EQ(FormatEdit::CurrentFormat.InputContainer + FormatEdit::CurrentFormat.InputExtraParams,
            "");

  FormatEdit::CurrentFormat = FullProfile();
  FormatEdit::CurrentCategory = FormatEdit::OutputAudio;
  FormatEdit::ClearCategory();
  EXPECT_EQ(FormatEdit::CurrentFormat.AudioBitrate, "128k");
  EXPECT_EQ(FormatEdit::CurrentFormat.AudioExtCodec.Params[2].Value, "0");
  EXPECT_EQ(FormatEdit::CurrentFormat.AudioExtCodec.Values[1], "");
}

TEST_F(FormatLifeCycle, ScratchModeLoadsValuesAsChangesAndSavesAsWithoutSwitching) {
  QString named = ProfilePath("perfil");
  FormatEdit::CurrentFormat = FullProfile();
  ASSERT_TRUE(FormatEdit::SaveFormat(named));

  FormatEdit::ResetEditState();
  FormatEdit::TempFormatMode = 1;
  FormatEdit::CurrentFormatFile = FormatEdit::ScratchProfilePath();
  Load(named);
  EXPECT_EQ(FormatEdit::CurrentFormat, FullProfile());
  EXPECT_EQ(FormatEdit::CurrentFormatFile, FormatEdit::ScratchProfilePath());
  EXPECT_TRUE(FormatEdit::IsFormatChanged());

  QString copy = ProfilePath("copia");
  ASSERT_TRUE(FormatEdit::SaveFormat(copy));
  EXPECT_EQ(FormatEdit::CurrentFormatFile, FormatEdit::ScratchProfilePath());
  EXPECT_TRUE(FormatEdit::IsFormatChanged());
  ASSERT_TRUE(FormatEdit::SaveFormat(FormatEdit::CurrentFormatFile));
  EXPECT_FALSE(FormatEdit::IsFormatChanged());
  EXPECT_TRUE(FileServices::FileExists(FormatEdit::ScratchProfilePath()));
}

}  // namespace
