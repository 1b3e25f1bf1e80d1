#include <sys/stat.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "FileSizeLimit.h"
#include "HangGuard.h"
#include "TestEnv.h"
#include "core/formats/FormatEditor.h"
#include "core/ground/FileServices.h"
#include "core/ground/ProgramFolder.h"
#include "core/ground/RecordFile.h"

namespace {

using Dialogs::Kind;

// An external audio encoder with a switch, a suggested-values parameter and
// two editable ffmpeg options.
ExtCodecDef LameCodec() {
  ExtCodecDef codec;
  codec.About = "LAME MP3 encoder";
  codec.ExePath = "tools/lame";
  codec.Params = {0,
                  {{"<InFile>", ParamKind::Required, "", "", "", false, ""},
                   {"Bitrate", ParamKind::Optional, "-b", "128", "96\r\n128", true, "128"},
                   {"Joint", ParamKind::Switch, "-m j", "", "", false, "1"},
                   {"<OutFile>", ParamKind::Required, "-o", "", "", false, ""}}};
  codec.Editable = {1, {true, false, false, false, false, true}};
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
  profile.RemoveAudio = true;
  profile.VideoBitrate = "1m";
  profile.FrameSize = "640x480";
  profile.RemoveVideo = true;
  profile.Extension = "mp4";
  profile.OutputExtraParams = "-movflags faststart";
  profile.InputExtraParams = "-ss 3";
  profile.MultipleOutputFiles = true;
  profile.RemoveSubtitles = true;
  profile.AudioExtCodec = LameCodec();
  profile.AudioExtCodecName = "lame";
  return profile;
}

class FormatLifeCycle : public TestEnv {
 protected:
  void SetUp() override {
    TestEnv::SetUp();
    FormatEditor::ResetEditState();
  }
  void TearDown() override {
    FormatEditor::ResetEditState();
    TestEnv::TearDown();
  }
  QString ProfilePath(const QString& name) const {
    return FormatEditor::FormatsFolder() + "/" + name + ".qfm";
  }
  void Load(const QString& path) {
    QString work = path;
    FormatEditor::LoadFormat(work);
  }
};

TEST_F(FormatLifeCycle, SaveThenLoadGivesBackEveryField) {
  FormatEditor::State().CurrentFormat = FullProfile();
  QString path = ProfilePath("perfil");
  ASSERT_TRUE(FormatEditor::SaveFormat(path));
  EXPECT_EQ(FormatEditor::State().CurrentFormatFile, path);
  EXPECT_FALSE(FormatEditor::IsFormatChanged());

  FormatEditor::ResetEditState();
  Load(path);
  EXPECT_EQ(FormatEditor::State().CurrentFormat, FullProfile());
  EXPECT_EQ(FormatEditor::State().SavedFormat, FullProfile());
  EXPECT_EQ(FormatEditor::State().CurrentFormatFile, path);
}

TEST_F(FormatLifeCycle, EmptyFileLoadsAsTheEmptyProfile) {
  const QString path = WriteFile("appfiles/formats/vacio.qfm", QByteArray());
  FormatEditor::State().CurrentCategory = FormatEditor::Category::OutputVideo;
  Load(path);
  EXPECT_EQ(FormatEditor::State().CurrentFormat, FormatProfile());
  EXPECT_EQ(FormatEditor::State().CurrentFormatFile, path);
  EXPECT_EQ(FormatEditor::State().CurrentCategory, FormatEditor::Category::OutputGeneral);
}

TEST_F(FormatLifeCycle, MissingNamedFileIsReportedAndBecomesAnEmptyProfile) {
  ScriptedDialogs dialogs;
  dialogs.ExpectMessage();
  Load(ProfilePath("perdido"));
  EXPECT_EQ(dialogs.Messages(), QStringList({"No se encuentra el archivo perdido"}));
  EXPECT_EQ(FormatEditor::State().CurrentFormatFile, ProfilePath("perdido"));
  EXPECT_EQ(FormatEditor::State().CurrentFormat, FormatProfile());
}

TEST_F(FormatLifeCycle, MissingScratchFileLoadsEmptyWithoutMessageOrFile) {
  ScriptedDialogs dialogs;
  Load(FormatEditor::ScratchProfilePath());
  EXPECT_EQ(FormatEditor::State().CurrentFormat, FormatProfile());
  EXPECT_FALSE(FileServices::FileExists(FormatEditor::ScratchProfilePath()));
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
  EXPECT_EQ(FormatEditor::State().CurrentFormatFile, "");
}

// A profile's name that leads to a named pipe or a device is unreadable, at
// once: nothing loads and nothing is made in its place.
TEST_F(FormatLifeCycle, APipeOrADeviceIsReportedAsUnreadableAndLoadsNothing) {
  ASSERT_TRUE(QDir().mkpath(FormatEditor::FormatsFolder()));
  ASSERT_EQ(mkfifo(QFile::encodeName(ProfilePath("pipe")).constData(), 0600), 0);
  ASSERT_TRUE(QFile::link("/dev/zero", ProfilePath("zero")));
  for (const QString name : {"pipe", "zero"}) {
    ScriptedDialogs dialogs;
    dialogs.ExpectMessage();
    {
      const HangGuard guard("loading the profile " + name.toStdString());
      Load(ProfilePath(name));
    }
    EXPECT_EQ(dialogs.Messages(), QStringList({"No se pudo leer el archivo " + ProfilePath(name)}));
    EXPECT_EQ(FormatEditor::State().CurrentFormatFile, "");
  }
  EXPECT_FALSE(QFileInfo(ProfilePath("pipe")).isFile());
  EXPECT_EQ(QFileInfo(ProfilePath("zero")).symLinkTarget(), "/dev/zero");
}

TEST_F(FormatLifeCycle, ShorterSaveOverALongerFileReadsBackExactly) {
  FormatEditor::State().CurrentFormat = FullProfile();
  QString path = ProfilePath("perfil");
  ASSERT_TRUE(FormatEditor::SaveFormat(path));
  FormatEditor::State().CurrentFormat = FormatProfile();
  FormatEditor::State().CurrentFormat.Extension = "mkv";
  ASSERT_TRUE(FormatEditor::SaveFormat(path));
  FormatProfile read;
  ASSERT_EQ(RecordFile::Read(path, read), RecordFile::Result::Ok);
  EXPECT_EQ(read, FormatEditor::State().CurrentFormat);
}

TEST_F(FormatLifeCycle, FailedWriteKeepsTheSavedCopyAndReports) {
  // A folder where the file should be makes the write fail.
  ASSERT_TRUE(QDir().mkpath(ProfilePath("carpeta")));
  FormatEditor::State().CurrentFormat.Extension = "avi";
  QString path = ProfilePath("carpeta");
  ScriptedDialogs dialogs;
  dialogs.ExpectMessage();
  EXPECT_FALSE(FormatEditor::SaveFormat(path));
  EXPECT_EQ(dialogs.Messages(), QStringList({"No se pudo escribir el archivo "}));
  EXPECT_TRUE(FormatEditor::IsFormatChanged());
  EXPECT_EQ(FormatEditor::State().CurrentFormatFile, "");
}

TEST_F(FormatLifeCycle, ASaveOntoAFullDiskReportsAndKeepsTheEarlierProfile) {
  QString path = ProfilePath("perfil");
  FormatEditor::State().CurrentFormat.Extension = "mkv";
  ASSERT_TRUE(FormatEditor::SaveFormat(path));
  FormatEditor::State().CurrentFormat = FullProfile();
  ScriptedDialogs dialogs;
  dialogs.ExpectMessage();
  {
    FileSizeLimit full(100);
    EXPECT_FALSE(FormatEditor::SaveFormat(path));
  }
  EXPECT_EQ(dialogs.Messages(), QStringList({"No se pudo escribir el archivo "}));
  EXPECT_TRUE(FormatEditor::IsFormatChanged());
  FormatProfile read;
  ASSERT_EQ(RecordFile::Read(path, read), RecordFile::Result::Ok);
  EXPECT_EQ(read.Extension, "mkv");
  EXPECT_EQ(read.OutputContainer, "");
}

TEST_F(FormatLifeCycle, CloseAsksWithTheQuotedNameAndFollowsTheAnswer) {
  struct Case {
    const char* file;
    Dialogs::Button answer;
    bool closed;
    const char* question;
  };
  const Case cases[] = {
      {"perfil", Dialogs::Button::Cancel, false,
       "El archivo \"perfil\" ha cambiado, ¿guardar cambios?"},
      {"perfil", Dialogs::Button::No, true, "El archivo \"perfil\" ha cambiado, ¿guardar cambios?"},
      {"", Dialogs::Button::Cancel, false, "El archivo ha cambiado, ¿guardar cambios?"},
      {".", Dialogs::Button::No, true, "El archivo ha cambiado, ¿guardar cambios?"},
  };
  for (const Case& c : cases) {
    FormatEditor::ResetEditState();
    FormatEditor::State().CurrentFormatFile =
        QString(c.file).isEmpty() ? "" : ProfilePath(QString(c.file) == "." ? "" : c.file);
    FormatEditor::State().CurrentFormat.Target = "pal-dvd";
    ScriptedDialogs dialogs;
    dialogs.ExpectMessage(c.answer);
    EXPECT_EQ(FormatEditor::CloseFormat(), c.closed) << c.file;
    EXPECT_EQ(dialogs.Messages(), QStringList({QString::fromUtf8(c.question)})) << c.file;
    EXPECT_EQ(FormatEditor::State().CurrentFormat.Target, c.closed ? "" : "pal-dvd");
  }
}

TEST_F(FormatLifeCycle, CloseWithYesSavesAndAFailedSaveKeepsTheProfile) {
  FormatEditor::State().CurrentFormatFile = ProfilePath("perfil");
  FormatEditor::State().CurrentFormat.Target = "ntsc-dvd";
  {
    ScriptedDialogs dialogs;
    dialogs.ExpectMessage(Dialogs::Button::Yes);
    EXPECT_TRUE(FormatEditor::CloseFormat());
  }
  FormatProfile read;
  ASSERT_EQ(RecordFile::Read(ProfilePath("perfil"), read), RecordFile::Result::Ok);
  EXPECT_EQ(read.Target, "ntsc-dvd");

  ASSERT_TRUE(QDir().mkpath(ProfilePath("carpeta")));
  FormatEditor::State().CurrentFormatFile = ProfilePath("carpeta");
  FormatEditor::State().CurrentFormat.Target = "pal-vcd";
  ScriptedDialogs dialogs;
  dialogs.ExpectMessage(Dialogs::Button::Yes).ExpectMessage();
  EXPECT_FALSE(FormatEditor::CloseFormat());
  EXPECT_EQ(FormatEditor::State().CurrentFormat.Target, "pal-vcd");
}

TEST_F(FormatLifeCycle, ChangedTestLooksOnlyAtTheValuesOfAnEmbeddedCodec) {
  FormatEditor::State().CurrentFormat = FullProfile();
  FormatEditor::State().SavedFormat = FullProfile();
  EXPECT_FALSE(FormatEditor::IsFormatChanged());

  FormatEditor::State().CurrentFormat.AudioExtCodec.Params[1].Label = "Otra";
  FormatEditor::State().CurrentFormat.AudioExtCodec.Editable[2] = true;
  EXPECT_FALSE(FormatEditor::IsFormatChanged());

  FormatEditor::State().CurrentFormat.AudioExtCodec.Params[1].Value = "96";
  EXPECT_TRUE(FormatEditor::IsFormatChanged());
  FormatEditor::State().CurrentFormat = FullProfile();
  FormatEditor::State().CurrentFormat.AudioExtCodec.Values[6] = "48000";
  EXPECT_TRUE(FormatEditor::IsFormatChanged());
  FormatEditor::State().CurrentFormat = FullProfile();
  FormatEditor::State().SavedFormat.AudioExtCodec.Params.Items.removeLast();
  EXPECT_TRUE(FormatEditor::IsFormatChanged());
}

TEST_F(FormatLifeCycle, ListenersHearOfEachChangedProfileAndEachRebuildOfTheRows) {
  QStringList heard;
  QObject listener;
  FormatEditor::Notifier* events = &FormatEditor::Events();
  QObject::connect(events, &FormatEditor::Notifier::ProfileChanged, &listener,
                   [&](const FormatProfile& profile) {
                     heard << "profile, audio codec <" + profile.AudioExtCodecName + ">";
                   });
  QObject::connect(events, &FormatEditor::Notifier::RowsBuilt, &listener,
                   [&](FormatEditor::Category category, const QList<FormatEditor::ParamRow>& rows) {
                     QStringList shown;
                     for (const FormatEditor::ParamRow& row : rows) {
                       if (!row.caption.startsWith("FF>")) shown << row.caption + "=" + row.value;
                     }
                     heard << QString("rows of %1: %2 in all, %3")
                                  .arg(int(category))
                                  .arg(rows.size())
                                  .arg(shown.join(' '));
                   });
  ExtCodecDef codec = LameCodec();
  codec.Params[1].Value.clear();
  ASSERT_TRUE(QDir().mkpath(ProgramFolder::AppFiles("ecodec")));
  ASSERT_EQ(RecordFile::Write(FormatEditor::ExtCodecPath(0, "lame"), codec),
            RecordFile::Result::Ok);
  FormatEditor::State().CurrentCategory = FormatEditor::Category::OutputAudio;

  FormatEditor::LoadExternalCodec(0, "lame");
  FormatEditor::State().CurrentFormat.AudioExtCodec.Params[1].Value = "96";
  FormatEditor::ClearCategory();
  {
    ScriptedDialogs dialogs;
    dialogs.ExpectMessage();
    FormatEditor::LoadExternalCodec(1, "missing");
  }
  EXPECT_EQ(heard,
            QStringList({"profile, audio codec <lame>", "rows of 2: 4 in all, Bitrate= Joint=0",
                         "rows of 2: 4 in all, Bitrate= Joint=0"}));
  EXPECT_EQ(FormatEditor::State().ParamRowCount, 4);
}

TEST_F(FormatLifeCycle, UndoGoesBackToTheSavedCopy) {
  FormatEditor::State().SavedFormat = FullProfile();
  FormatEditor::State().CurrentFormat = FormatProfile();
  FormatEditor::UndoChanges();
  EXPECT_EQ(FormatEditor::State().CurrentFormat, FullProfile());
}

TEST_F(FormatLifeCycle, ClearAllKeepsTheCodecWithItsValuesEmptied) {
  FormatEditor::State().CurrentFormat = FullProfile();
  FormatEditor::ClearAll();
  FormatProfile expected;
  expected.AudioExtCodecName = "lame";
  expected.AudioExtCodec = LameCodec();
  expected.AudioExtCodec.Params[1].Value = "";
  expected.AudioExtCodec.Params[2].Value = "0";
  expected.AudioExtCodec.Values = {1, {"", "", "", "", "", ""}};
  EXPECT_EQ(FormatEditor::State().CurrentFormat, expected);
}

TEST_F(FormatLifeCycle, ClearCategoryClearsWhatItsRowsShow) {
  FormatProfile withoutCodec = FullProfile();
  withoutCodec.AudioExtCodecName.clear();

  FormatEditor::State().CurrentFormat = withoutCodec;
  FormatEditor::State().CurrentCategory = FormatEditor::Category::OutputGeneral;
  FormatEditor::ClearCategory();
  const FormatProfile& general = FormatEditor::State().CurrentFormat;
  EXPECT_EQ(general.OutputContainer + general.AudioCodec + general.VideoCodec + general.Target +
                general.Extension + general.OutputExtraParams,
            "");
  EXPECT_FALSE(general.MultipleOutputFiles + general.RemoveSubtitles);
  EXPECT_EQ(general.AspectRatio, "16:9");
  EXPECT_EQ(general.PixelFormat, "yuv420p");
  EXPECT_EQ(general.InputContainer, "mov");

  FormatEditor::State().CurrentFormat = withoutCodec;
  FormatEditor::State().CurrentCategory = FormatEditor::Category::OutputVideo;
  FormatEditor::ClearCategory();
  EXPECT_EQ(FormatEditor::State().CurrentFormat.AspectRatio +
                FormatEditor::State().CurrentFormat.PixelFormat +
                FormatEditor::State().CurrentFormat.FrameSize,
            "");
  EXPECT_FALSE(FormatEditor::State().CurrentFormat.RemoveVideo);
  EXPECT_EQ(FormatEditor::State().CurrentFormat.AudioBitrate, "128k");

  FormatEditor::State().CurrentFormat = withoutCodec;
  FormatEditor::State().CurrentCategory = FormatEditor::Category::Input;
  FormatEditor::ClearCategory();
  EXPECT_EQ(FormatEditor::State().CurrentFormat.InputContainer +
                FormatEditor::State().CurrentFormat.InputExtraParams,
            "");

  FormatEditor::State().CurrentFormat = FullProfile();
  FormatEditor::State().CurrentCategory = FormatEditor::Category::OutputAudio;
  FormatEditor::ClearCategory();
  EXPECT_EQ(FormatEditor::State().CurrentFormat.AudioBitrate, "128k");
  EXPECT_EQ(FormatEditor::State().CurrentFormat.AudioExtCodec.Params[2].Value, "0");
  EXPECT_EQ(FormatEditor::State().CurrentFormat.AudioExtCodec.Values[1], "");
}

TEST_F(FormatLifeCycle, ScratchModeLoadsValuesAsChangesAndSavesAsWithoutSwitching) {
  QString named = ProfilePath("perfil");
  FormatEditor::State().CurrentFormat = FullProfile();
  ASSERT_TRUE(FormatEditor::SaveFormat(named));

  FormatEditor::ResetEditState();
  FormatEditor::State().TempFormatMode = true;
  FormatEditor::State().CurrentFormatFile = FormatEditor::ScratchProfilePath();
  Load(named);
  EXPECT_EQ(FormatEditor::State().CurrentFormat, FullProfile());
  EXPECT_EQ(FormatEditor::State().CurrentFormatFile, FormatEditor::ScratchProfilePath());
  EXPECT_TRUE(FormatEditor::IsFormatChanged());

  QString copy = ProfilePath("copia");
  ASSERT_TRUE(FormatEditor::SaveFormat(copy));
  EXPECT_EQ(FormatEditor::State().CurrentFormatFile, FormatEditor::ScratchProfilePath());
  EXPECT_TRUE(FormatEditor::IsFormatChanged());
  ASSERT_TRUE(FormatEditor::SaveFormat(FormatEditor::State().CurrentFormatFile));
  EXPECT_FALSE(FormatEditor::IsFormatChanged());
  EXPECT_TRUE(FileServices::FileExists(FormatEditor::ScratchProfilePath()));
}

}  // namespace
