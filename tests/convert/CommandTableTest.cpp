#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QPushButton>
#include <functional>
#include <map>

#include "ConversionFixture.h"
#include "core/convert/Conversion.h"
#include "core/convert/ConversionState.h"
#include "core/frame/FfmpegTools.h"
#include "core/frame/Session.h"
#include "core/ground/FilterDef.h"
#include "core/ground/RecordFile.h"
#include "gui/app/ConversionStarter.h"
#include "gui/app/MainWindow.h"

namespace {

using Row = std::array<QString, 4>;
using Rows = std::map<int, Row>;  // the filled rows; every other row is empty

// Column 1 shows the program as a shell word: a plain path needs no quotes.
const QString Q = "/usr/bin/ffmpeg";

class CommandTableTest : public TestEnv {
 protected:
  void SetUp() override {
    TestEnv::SetUp();
    UseInstalledTools();
    ResetConversion();
    ASSERT_EQ(RecordFile::Write(WriteFile("appfiles/filters/espejo.qfl", ""),
                                FilterDef{FilterType::Video, false, "hflip"}),
              RecordFile::Result::Ok);
    ASSERT_EQ(RecordFile::Write(WriteFile("appfiles/filters/eco.qfl", ""),
                                FilterDef{FilterType::Audio, false, "aecho=0.8:0.9:100:0.3"}),
              RecordFile::Result::Ok);
    ASSERT_EQ(RecordFile::Write(WriteFile("appfiles/filters/lado.qfl", ""),
                                FilterDef{FilterType::Complex, true, "[0:v][1:v]hstack"}),
              RecordFile::Result::Ok);
  }

  QString SaveFormat(const FormatProfile& profile, const QString& name = "perfil") {
    const QString path = WriteFile("appfiles/formats/" + name + ".qfm", "");
    EXPECT_EQ(RecordFile::Write(path, profile), RecordFile::Result::Ok);
    return path;
  }
  QString SaveEdit(const EditProfileRec& profile, const QString& name = "edicion") {
    const QString path = WriteFile("appfiles/editp/" + name + ".qep", "");
    EXPECT_EQ(RecordFile::Write(path, profile), RecordFile::Result::Ok);
    return path;
  }
  QString Tool(const QString& relative) { return WriteFile(relative, "#!/bin/sh\n"); }
};

void ExpectRows(const Rows& expected, const std::string& name) {
  for (int row = 1; row <= 8; ++row) {
    const Row want = expected.count(row) ? expected.at(row) : Row{};
    for (int column = 1; column <= 4; ++column) {
      EXPECT_EQ(Conversion::State().Commands.At(row, column).toStdString(),
                want[column - 1].toStdString())
          << name << ": row " << row << " column " << column;
    }
  }
}

FormatProfile WorkedExample() {
  FormatProfile p;
  p.OutputContainer = "mp4";
  p.AudioCodec = "aac";
  p.AudioBitrate = "128k";
  p.VideoCodec = "libx264";
  p.FrameSize = "640x360";
  return p;
}

ExtCodecDef AudioEncoder() {
  ExtCodecDef codec;
  codec.ExePath = "tools/lame";
  codec.Params = {0,
                  {{"<InFile>", ParamKind::Required, "", "", "", false, ""},
                   {"Bitrate", ParamKind::Optional, "-b", "128", "", false, ""},
                   {"<OutFile>", ParamKind::Required, "-o", "", "", false, ""}}};
  codec.FfmpegParams = "-f wav -ar 44100";
  codec.FfmpegExt = "wav";
  codec.OutputExt = "mp3";
  codec.Values = {1, {"192k", "", "", "", "", "48000"}};
  return codec;
}

ExtCodecDef VideoEncoder() {
  ExtCodecDef codec;
  codec.ExePath = "tools/x264";
  codec.Params = {0,
                  {{"<OutFile>", ParamKind::Required, "--output", "", "", false, ""},
                   {"<InFile>", ParamKind::Required, "", "", "", false, ""}}};
  codec.FfmpegParams = "-f yuv4mpegpipe -s 320x240 -pix_fmt yuv420p";
  codec.FfmpegExt = "y4m";
  codec.OutputExt = "264";
  codec.Values = {1, QList<QString>(10)};
  return codec;
}

TEST_F(CommandTableTest, NoProfilesInEachOutputMode) {
  const struct {
    Conversion::OutputMode mode;
    const char* outputFile;
    const char* extensionText;
    Row row7;
  } cases[] = {
      {Conversion::OutputJoined,
       "/data/todo.mp4",
       "<Automático>",
       {Q, " -f concat -safe 0 -i ", " -y ", "mp4"}},
      {Conversion::OutputOneFile, "/data/x.mkv", "<Automático>", {Q, " -i ", " -y ", "mkv"}},
      {Conversion::OutputOneFile, "/data/x", "avi", {Q, " -i ", " -y ", "avi"}},
      {Conversion::OutputSourceFolders, "", "wav", {Q, " -i ", " -y ", "wav"}},
      {Conversion::OutputChosenFolder, "/data/x.mkv", ".mp4", {Q, " -i ", " -y ", "mp4"}},
      {Conversion::OutputSourceFolders, "", "<AUTOMÁTICO>", {}},
  };
  for (const auto& test : cases) {
    ScriptedDialogs dialogs;
    if (test.row7[0].isEmpty()) dialogs.ExpectMessage();
    Conversion::State().Choices.OutputMode = test.mode;
    Conversion::State().Choices.ExtensionText = test.extensionText;
    Session::State().OutputFile = test.outputFile;
    Conversion::State().Commands = CommandTable();
    const bool built = Conversion::BuildCommandTable("");
    const std::string name = std::to_string(test.mode) + " " + test.extensionText;
    EXPECT_EQ(built, !test.row7[0].isEmpty()) << name;
    ExpectRows(test.row7[0].isEmpty() ? Rows{} : Rows{{7, test.row7}}, name);
    if (built) {
      EXPECT_EQ(Conversion::State().Commands.Kind(7), StageKind::Ffmpeg);
      EXPECT_EQ(Conversion::State().Commands.Program(7), "/usr/bin/ffmpeg");
    } else {
      EXPECT_EQ(dialogs.Messages(), QStringList{"Debe especificar una extensión de archivo"});
    }
  }
}

int RunStep(const Conversion::StepCommand& step) {
  QProcess process;
  process.setProcessChannelMode(QProcess::MergedChannels);
  process.start(step.Command.program, step.Command.arguments);
  if (!process.waitForFinished(60000)) return -1;
  return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
}

TEST_F(CommandTableTest, TheJoinedRowMakesFfmpegJoinFilesGivenByAbsolutePaths) {
  const QString folder = Folder() + "/mis clips";
  QDir().mkpath(folder);
  QStringList clips;
  for (const char* name : {"uno.wav", "dos's.wav"}) {
    clips << folder + "/" + QString::fromUtf8(name);
    ASSERT_EQ(RunStep({{"/usr/bin/ffmpeg",
                        {"-hide_banner", "-y", "-f", "lavfi", "-i", "sine=d=1", clips.last()}},
                       ""}),
              0);
  }
  QByteArray list;
  ASSERT_TRUE(Conversion::ConcatListText(clips, list));
  const QString listPath = WriteFile("temp/concat.txt", list);
  Conversion::State().Choices.OutputMode = Conversion::OutputJoined;
  Session::State().OutputFile = Folder() + "/todo.wav";
  ASSERT_TRUE(Conversion::BuildCommandTable(""));
  const CommandTable& t = Conversion::State().Commands;
  EXPECT_EQ(RunStep(Conversion::RowStep(t, 7, {listPath}, Session::State().OutputFile)), 0);
  EXPECT_NEAR(QFileInfo(Session::State().OutputFile).size(), 2 * QFileInfo(clips[0]).size(), 1000);
}

TEST_F(CommandTableTest, TheJoinedModeKeepsAConcatInputTheProfileAlreadyHas) {
  FormatProfile p;
  p.InputContainer = "CONCAT";
  p.InputExtraParams = "-safe 1";
  Session::State().FormatProfilePath = SaveFormat(p);
  Conversion::State().Choices.OutputMode = Conversion::OutputJoined;
  Session::State().OutputFile = "/data/todo.mkv";
  ASSERT_TRUE(Conversion::BuildCommandTable(""));
  ExpectRows({{7, {Q, " -f CONCAT -safe 1 -i ", " -y ", "mkv"}}}, "concat in the profile");
}

// The container tags of a file as ffprobe reads them, "TAG:name=value" lines.
QString ProbedTags(const QString& file) {
  QProcess probe;
  probe.start("/usr/bin/ffprobe",
              {"-v", "error", "-show_entries", "format_tags=title,artist,comment", "-of",
               "default=noprint_wrappers=1", file});
  if (!probe.waitForFinished(30000)) return QString();
  return QString::fromUtf8(probe.readAllStandardOutput());
}

TEST_F(CommandTableTest, TypedOptionsReachFfmpegAsAShellWouldGiveThem) {
  const QString clip = Folder() + "/clip 'x' $(touch marker).mkv";
  ASSERT_EQ(
      RunStep(
          {{"/usr/bin/ffmpeg", {"-v", "error", "-y", "-f", "lavfi", "-i", "sine=d=1", clip}}, ""}),
      0);
  FormatProfile p;
  p.OutputContainer = "matroska";
  p.OutputExtraParams =
      R"(-metadata title='Hola mundo' -metadata artist=O\'Brien -metadata "comment=say \"hi\"")";
  Session::State().FormatProfilePath = SaveFormat(p);
  Conversion::State().Choices.OutputMode = Conversion::OutputOneFile;
  Session::State().OutputFile = Folder() + "/salida `touch marker`.mkv";
  ASSERT_TRUE(Conversion::BuildCommandTable(""));
  const Conversion::StepCommand step =
      Conversion::RowStep(Conversion::State().Commands, 7, {clip}, Session::State().OutputFile);
  // Matroska writes every tag but the title in capitals.
  const QString tags = "TAG:title=Hola mundo\nTAG:ARTIST=O'Brien\nTAG:COMMENT=say \"hi\"\n";
  ASSERT_EQ(RunStep(step), 0);
  EXPECT_EQ(ProbedTags(Session::State().OutputFile), tags);

  // The command as shown, pasted into a shell, does the very same.
  ASSERT_TRUE(QFile::remove(Session::State().OutputFile));
  EXPECT_EQ(QProcess::execute("/bin/sh", {"-c", step.Shown}), 0) << step.Shown.toStdString();
  EXPECT_EQ(ProbedTags(Session::State().OutputFile), tags);
  EXPECT_FALSE(QFile::exists("marker") || QFile::exists(Folder() + "/marker"))
      << "nothing in a name ran";
}

TEST_F(CommandTableTest, TheExtensionComesFromTheOutputFileTheListTheProfileOrTheMuxer) {
  const struct {
    Conversion::OutputMode mode;
    const char* outputFile;
    const char* extensionText;
    const char* profileExtension;
    const char* container;
    const char* extension;
  } cases[] = {
      {Conversion::OutputOneFile, "/d/a.webm", "avi", "m4v", "matroska", "webm"},
      {Conversion::OutputChosenFolder, "/d/a.webm", "avi", "m4v", "matroska", "avi"},
      {Conversion::OutputSourceFolders, "", "<automático>", "m4v", "matroska", "m4v"},
      {Conversion::OutputSourceFolders, "", "<Automático>", "", "matroska", "mkv"},
      {Conversion::OutputSourceFolders, "", "", "", "mpegts", "ts"},
      {Conversion::OutputSourceFolders, "", "", ".ogg", "", "ogg"},
  };
  for (const auto& test : cases) {
    FormatProfile p;
    p.Extension = test.profileExtension;
    p.OutputContainer = test.container;
    Session::State().FormatProfilePath = SaveFormat(p);
    Conversion::State().Choices.OutputMode = test.mode;
    Conversion::State().Choices.ExtensionText = test.extensionText;
    Session::State().OutputFile = test.outputFile;
    ASSERT_TRUE(Conversion::BuildCommandTable("")) << test.extension;
    EXPECT_EQ(Conversion::State().Commands.At(7, 4), test.extension);
  }
}

TEST_F(CommandTableTest, AFullFormatProfileAndTwoPasses) {
  Session::State().FormatProfilePath = SaveFormat(WorkedExample());
  Conversion::State().Choices.OutputMode = Conversion::OutputOneFile;
  Session::State().OutputFile = "/data/salida.mp4";
  ASSERT_TRUE(Conversion::BuildCommandTable(""));
  const QString after = " -f mp4 -b:a 128k -c:a aac -c:v libx264 -s 640x360 -y ";
  ExpectRows({{7, {Q, " -i ", after, "mp4"}}}, "worked example");

  Conversion::State().Choices.TwoPass = true;
  ASSERT_TRUE(Conversion::BuildCommandTable(""));
  ExpectRows(
      {{7, {Q, " -i ", after + "-pass 1 ", "mp4"}}, {8, {Q, " -i ", after + "-pass 2 ", "mp4"}}},
      "two passes");
  EXPECT_EQ(Conversion::State().Commands.Kind(8), StageKind::Ffmpeg);
}

TEST_F(CommandTableTest, AnEditingProfileWithSeekTestTimeFiltersAndFreeOptions) {
  FormatProfile format = WorkedExample();
  format.AspectRatio = "16:9";
  format.MultipleOutputFiles = true;
  Session::State().FormatProfilePath = SaveFormat(format);
  EditProfileRec edit;
  edit.StartPos = "0:05";
  edit.EndPos = "0:20";
  edit.ResizeWidth = "320";
  edit.Filters = {1, {"eco", "espejo"}};
  edit.InputParams = "-threads 2";
  edit.OutputParams = "-map_metadata -1";
  Session::State().EditProfilePath = SaveEdit(edit);
  Conversion::State().Choices.OutputMode = Conversion::OutputOneFile;
  Session::State().OutputFile = "/data/salida.mp4";

  ASSERT_TRUE(Conversion::BuildCommandTable(""));
  EXPECT_TRUE(Conversion::State().MultiOutput);
  ExpectRows(
      {{7,
        {Q, " -ss 5 -threads 2 -i ",
         " -f mp4 -b:a 128k -c:a aac -c:v libx264 -af aecho=0.8:0.9:100:0.3 -t 15 -map_metadata -1 "
         "-vf scale=320:ih,hflip -aspect 16:9 -y ",
         "mp4"}}},
      "editing profile");

  ASSERT_TRUE(Conversion::BuildCommandTable("0:30"));
  EXPECT_EQ(
      Conversion::State().Commands.At(7, 3),
      " -f mp4 -b:a 128k -c:a aac -c:v libx264 -af aecho=0.8:0.9:100:0.3 -t 30 -map_metadata -1 "
      "-vf scale=320:ih,hflip -aspect 16:9 -y ");
  EXPECT_EQ(Conversion::State().Commands.At(7, 2), " -ss 5 -threads 2 -i ");
}

TEST_F(CommandTableTest, AnExternalAudioEncoderWithTwoPasses) {
  const QString lame = Tool("tools/lame");
  FormatProfile format = WorkedExample();
  format.AudioExtCodecName = "lame";
  format.AudioExtCodec = AudioEncoder();
  Session::State().FormatProfilePath = SaveFormat(format);
  Conversion::State().Choices.OutputMode = Conversion::OutputOneFile;
  Conversion::State().Choices.TwoPass = true;
  Session::State().OutputFile = "/data/salida.mp4";
  ASSERT_TRUE(Conversion::BuildCommandTable(""));
  const QString video = " -f mp4 -c:v libx264 -s 640x360 -y -an ";
  ExpectRows({{1, {Q, " -i ", " -f wav -ar 48000 -b:a 192k -y -vn -sn ", "wav"}},
              {2, {lame, " <infile> -b 128 -o <outfile>", "", "mp3"}},
              {5, {Q, " -i ", video + "-pass 1 ", "mp4"}},
              {6, {Q, " -i ", video + "-pass 2 ", "mp4"}},
              {7, {Q, " -i ", " -f mp4 -c:a copy -c:v copy -c:s copy -y ", "mp4"}}},
             "external audio");
  EXPECT_EQ(Conversion::State().Commands.Kind(2), StageKind::Encoder);
  EXPECT_EQ(Conversion::State().Commands.Program(2), lame);
}

TEST_F(CommandTableTest, AnExternalVideoEncoderTakesTheSizeIntoItsExtraction) {
  const QString x264 = Tool("tools/x264");
  FormatProfile format = WorkedExample();
  format.VideoExtCodecName = "x264";
  format.VideoExtCodec = VideoEncoder();
  Session::State().FormatProfilePath = SaveFormat(format);
  Conversion::State().Choices.OutputMode = Conversion::OutputOneFile;
  Session::State().OutputFile = "/data/salida.mp4";
  ASSERT_TRUE(Conversion::BuildCommandTable("10"));
  ExpectRows(
      {{2, {Q, " -i ", " -f mp4 -b:a 128k -c:a aac -t 10 -y -vn ", "mp4"}},
       {4, {Q, " -i ", " -f yuv4mpegpipe -pix_fmt yuv420p -t 10 -s 320x240 -y -an -sn ", "y4m"}},
       {5, {x264, " --output <outfile> <infile>", "", "264"}},
       {7, {Q, " -i ", " -f mp4 -c:a copy -c:v copy -c:s copy -y ", "mp4"}}},
      "external video");
}

TEST_F(CommandTableTest, BothEncodersExternalWithCopiedTracks) {
  Tool("tools/lame");
  Tool("tools/x264");
  FormatProfile format;
  format.OutputContainer = "<COPY>";
  format.Extension = "mkv";
  format.AudioExtCodecName = "lame";
  format.AudioExtCodec = AudioEncoder();
  format.VideoExtCodecName = "x264";
  format.VideoExtCodec = VideoEncoder();
  Session::State().FormatProfilePath = SaveFormat(format);
  Conversion::State().Choices.TwoPass = true;
  ASSERT_TRUE(Conversion::BuildCommandTable(""));
  for (int row : {1, 2, 4, 5})
    EXPECT_FALSE(Conversion::State().Commands.At(row, 1).isEmpty()) << row;
  for (int row : {3, 6, 8}) EXPECT_TRUE(Conversion::State().Commands.At(row, 1).isEmpty()) << row;
  EXPECT_EQ(Conversion::State().Commands.Cells[6], (Row{"<copy>", "", "", "mkv"}));
  EXPECT_EQ(Conversion::State().Commands.Kind(7), StageKind::MoveTracks);
}

TEST_F(CommandTableTest, ATrackEncodedByFfmpegBesideAnExternalEncoderIsNeverGivenTheCopyMarker) {
  Tool("tools/lame");
  FormatProfile format;
  format.OutputContainer = "<copy>";
  format.Extension = "mkv";
  format.VideoCodec = "mpeg4";
  format.AudioExtCodecName = "lame";
  format.AudioExtCodec = AudioEncoder();
  Session::State().FormatProfilePath = SaveFormat(format);
  ASSERT_TRUE(Conversion::BuildCommandTable(""));
  EXPECT_EQ(Conversion::State().Commands.Kind(5), StageKind::Ffmpeg);
  EXPECT_FALSE(Conversion::State().Commands.At(5, 3).contains("<copy>"))
      << Conversion::State().Commands.At(5, 3).toStdString();
  EXPECT_TRUE(Conversion::State().Commands.At(5, 3).contains("-c:v mpeg4"));
  EXPECT_EQ(Conversion::State().Commands.Kind(7), StageKind::MoveTracks);
}

TEST_F(CommandTableTest, VideoRemovedByTheEditingProfileDropsTheVideoEncoder) {
  Tool("tools/x264");
  FormatProfile format = WorkedExample();
  format.VideoExtCodecName = "x264";
  format.VideoExtCodec = VideoEncoder();
  Session::State().FormatProfilePath = SaveFormat(format);
  EditProfileRec edit;
  edit.RemoveVideo = true;
  Session::State().EditProfilePath = SaveEdit(edit);
  Conversion::State().Choices.ExtensionText = "m4a";
  ASSERT_TRUE(Conversion::BuildCommandTable(""));
  ExpectRows({{7, {Q, " -i ", " -f mp4 -b:a 128k -c:a aac -y -vn ", "m4a"}}}, "video removed");
}

TEST_F(CommandTableTest, AMissingEncoderProgramIsAskedFor) {
  FormatProfile format = WorkedExample();
  format.AudioExtCodecName = "lame";
  format.AudioExtCodec = AudioEncoder();
  format.AudioExtCodec.ExePath = "tools/gone";
  Session::State().FormatProfilePath = SaveFormat(format);
  Conversion::State().Choices.ExtensionText = "mp4";
  const QString found = Tool("elsewhere/lame");
  {
    ScriptedDialogs dialogs;
    dialogs.ExpectMessage(Dialogs::Button::No);
    ASSERT_TRUE(Conversion::BuildCommandTable(""));
    EXPECT_EQ(
        dialogs.Messages(),
        QStringList{
            "No se encuentra el ejecutable necesario para utilizar el codec de audio, ¿Buscar?"});
    EXPECT_EQ(Conversion::State().Commands.At(2, 1), "''");
  }
  const CommandTable before = Conversion::State().Commands;
  // The codec viewer opens on the profile's encoder; its "..." picks the program.
  const auto pickProgram = [](QWidget* viewer) {
    viewer->findChild<QPushButton*>("Command1")->click();
  };
  {
    ScriptedDialogs dialogs;
    dialogs.ExpectMessage(Dialogs::Button::Yes).Expect(Dialogs::Kind::OpenFile, QStringList());
    ModalCloser closer(pickProgram);
    EXPECT_FALSE(Conversion::BuildCommandTable(""));
    EXPECT_EQ(closer.Closed(), QStringList{"Form11"});
    EXPECT_EQ(Conversion::State().Commands, before);
  }
  {
    ScriptedDialogs dialogs;
    dialogs.ExpectMessage(Dialogs::Button::Yes)
        .Expect(Dialogs::Kind::OpenFile, QStringList{found})
        .ExpectMessage(Dialogs::Button::Yes);
    ModalCloser closer(pickProgram);
    ASSERT_TRUE(Conversion::BuildCommandTable(""));
    EXPECT_EQ(dialogs.Messages().last(), "¿Guardar la nueva ruta del ejecutable?");
    EXPECT_EQ(Conversion::State().Commands.At(2, 1), found);
  }
  FormatProfile saved;
  ASSERT_EQ(RecordFile::Read(Session::State().FormatProfilePath, saved), RecordFile::Result::Ok);
  EXPECT_EQ(saved.AudioExtCodec.ExePath, "elsewhere/lame");
  ASSERT_TRUE(Conversion::BuildCommandTable(""));  // found now without asking
}

TEST_F(CommandTableTest, EveryFailedBuildShowsItsMessageAndKeepsThePreviousTable) {
  Conversion::State().Choices.OutputMode = Conversion::OutputChosenFolder;
  Conversion::State().Choices.ExtensionText = "mkv";
  ASSERT_TRUE(Conversion::BuildCommandTable(""));
  const CommandTable previous = Conversion::State().Commands;

  FormatProfile brokenAudio;
  brokenAudio.AudioExtCodecName = "roto";
  FormatProfile brokenVideo;
  brokenVideo.VideoExtCodecName = "roto";
  FormatProfile noAudioNoVideo;
  noAudioNoVideo.RemoveAudio = noAudioNoVideo.RemoveVideo = true;
  EditProfileRec allRemoved;
  allRemoved.RemoveAudio = allRemoved.RemoveVideo = allRemoved.RemoveSubtitles = true;
  EditProfileRec missingFilter;
  missingFilter.Filters = {1, {"nonesuch"}};
  EditProfileRec badVolume;
  badVolume.Volume = "mucho";
  EditProfileRec badStart;
  badStart.StartPos = "x";
  EditProfileRec complex;
  complex.Filters = {1, {"lado"}};
  EditProfileRec noSubtitles;
  noSubtitles.RemoveSubtitles = true;

  const QString formats = Folder() + "/appfiles/formats/";
  const QString editp = Folder() + "/appfiles/editp/";
  const QString corruptFormat =
      WriteFile("appfiles/formats/corrupto.qfm", QByteArray("\x10\x00", 2));
  const QString corruptEdit = WriteFile("appfiles/editp/corrupto.qep", QByteArray("\x10\x00", 2));
  using F = Conversion::TableFailure;
  const struct {
    const char* testTime;
    QString format;
    QString edit;
    QString message;
    Conversion::TableFailure reason;
  } cases[] = {
      {"1:2:3:4", "", "", "Duración de prueba no válida", F::InvalidTestDuration},
      {"", formats + "nadie.qfm", "", "No se encuentra el perfil de formato ",
       F::FormatProfileMissing},
      {"", corruptFormat, "", "Error al leer el perfil de formato", F::FormatProfileUnreadable},
      {"", SaveFormat(brokenAudio, "a"), "", "Error al generar comandos para codificar audio",
       F::AudioEncoderUnusable},
      {"", SaveFormat(brokenVideo, "v"), "", "Error al generar comandos para codificar video",
       F::VideoEncoderUnusable},
      {"", "", editp + "nadie.qep", "No se encuentra el perfil de edición ", F::EditProfileMissing},
      {"", "", corruptEdit, "Error al leer el perfil de edición", F::EditProfileUnreadable},
      {"", "", SaveEdit(allRemoved, "todo"), "Se eligió eliminar todas las pistas del archivo",
       F::AllTracksRemoved},
      {"", "", SaveEdit(missingFilter, "f"),
       "Error al leer el filtro " + Folder() + "/appfiles/filters/nonesuch.qfl",
       F::FilterUnreadable},
      {"", "", SaveEdit(badVolume, "vol"), "Error al generar los comandos de edición de audio",
       F::AudioEditUnusable},
      {"", "", SaveEdit(badStart, "ss"), "Error al generar los comandos de recorte de secuencia",
       F::TrimUnusable},
      {"", "", SaveEdit(complex, "c"),
       "Uno ó mas filtros necesitan varios archivos de entrada, elija 'Guardar como Archivo'",
       F::FiltersNeedOneFile},
      {"", SaveFormat(noAudioNoVideo, "nada"), SaveEdit(noSubtitles, "sn"),
       "Se eligió eliminar todas las pistas del archivo", F::AllTracksRemoved},
  };
  for (const auto& test : cases) {
    Session::State().FormatProfilePath = test.format;
    Session::State().EditProfilePath = test.edit;
    {
      // The build itself only tells why it failed.
      ScriptedDialogs quiet;
      const Conversion::TableBuild build =
          Conversion::BuildTable(Conversion::State().Choices, test.testTime);
      EXPECT_EQ(build.Failure, test.reason) << test.message.toStdString();
      EXPECT_EQ(build.Table, CommandTable()) << test.message.toStdString();
      EXPECT_TRUE(quiet.Messages().isEmpty()) << test.message.toStdString();
    }
    ScriptedDialogs dialogs;
    dialogs.ExpectMessage();
    EXPECT_FALSE(Conversion::BuildCommandTable(test.testTime)) << test.message.toStdString();
    EXPECT_EQ(dialogs.Messages(), QStringList{test.message});
    EXPECT_EQ(Conversion::State().Commands, previous) << test.message.toStdString();
  }
}

// Without a window: the build asks its locator for an encoder program it
// cannot find, and the answer decides the table.
TEST_F(CommandTableTest, TheBuildTakesAMissingEncoderProgramFromItsLocator) {
  FormatProfile format = WorkedExample();
  format.AudioExtCodecName = "lame";
  format.AudioExtCodec = AudioEncoder();
  format.AudioExtCodec.ExePath = "tools/gone";
  Session::State().FormatProfilePath = SaveFormat(format);
  Conversion::State().Choices.ExtensionText = "mp4";
  const QString found = Tool("elsewhere/lame");
  QList<bool> asked;
  const auto answer = [&asked](std::optional<QString> given) {
    return [&asked, given](bool isVideo) {
      asked << isVideo;
      return given;
    };
  };
  Conversion::TableBuild build =
      Conversion::BuildTable(Conversion::State().Choices, "", answer(found));
  ASSERT_EQ(build.Failure, Conversion::TableFailure::None);
  EXPECT_EQ(build.Table.Program(2), found);
  EXPECT_EQ(build.MultiOutput, std::optional<bool>(false));
  build = Conversion::BuildTable(Conversion::State().Choices, "", answer(QString()));
  ASSERT_EQ(build.Failure, Conversion::TableFailure::None);
  EXPECT_EQ(build.Table.Program(2), "");  // the run fails at that stage
  build = Conversion::BuildTable(Conversion::State().Choices, "", answer(std::nullopt));
  EXPECT_EQ(build.Failure, Conversion::TableFailure::EncoderNotLocated);
  EXPECT_EQ(build.Table, CommandTable());
  EXPECT_EQ(asked, (QList<bool>{false, false, false}));
}

TEST_F(CommandTableTest, CollapseSpaces) {
  const struct {
    QString in;
    QString out;
  } cases[] = {
      {"", ""},
      {"a  b", "a b"},
      {"   a     b   ", " a b "},
      {"\"/opt/my  tools/ffmpeg\"  -i  ", "\"/opt/my  tools/ffmpeg\" -i "},
      {"a  \"b  c\"  d  \"e  f\"", "a \"b  c\" d \"e  f\""},
      {"abc  \"", "abc \""},
      {"a  \"b  c", "a \"b  c"},
      {"\"x  y", "\"x  y"},
      {"a  'b  c'  d\\  e  'it'\\''s  x'", "a 'b  c' d\\  e 'it'\\''s  x'"},
      {"-vf  \"drawtext=text='a  b'\"  -y", "-vf \"drawtext=text='a  b'\" -y"},
  };
  for (const auto& test : cases) {
    EXPECT_EQ(Conversion::CollapseSpaces(test.in).toStdString(), test.out.toStdString())
        << test.in.toStdString();
  }
}

TEST_F(CommandTableTest, GetFormatOption) {
  const struct {
    QString in;
    QString out;
  } cases[] = {
      {" -f mp4", "-f mp4"},
      {"-f mp4 -target pal-dvd", "-f mp4"},
      {" -target ntsc-dvd -f dvd -f mp4", "-f dvd"},
      {" -F mp4", ""},
      {" -fs 100", ""},
      {"", ""},
      {" -f <copy>", "-f <copy>"},
  };
  for (const auto& test : cases) {
    EXPECT_EQ(Conversion::GetFormatOption(test.in), test.out) << test.in.toStdString();
  }
}

TEST_F(CommandTableTest, GetMuxerExtensionAsksTheInstalledFfmpeg) {
  const struct {
    const char* option;
    const char* extension;
  } cases[] = {
      {"-f mp4", "mp4"},  {"-f matroska", "mkv"}, {"-f mpegts", "ts"},
      {"-f adts", "aac"}, {"-f null", ""},        {"-f nonesuch", ""},
      {"", ""},
  };
  for (const auto& test : cases) {
    EXPECT_EQ(Conversion::GetMuxerExtension(test.option), test.extension) << test.option;
  }
  FfmpegTools::State().FfmpegPath = Folder() + "/no/ffmpeg";
  EXPECT_EQ(Conversion::GetMuxerExtension("-f mp4"), std::nullopt);
}

// A container whose extension only ffmpeg can tell, and no ffmpeg to ask: the
// build says that ffmpeg is missing, not that the output has no extension.
TEST_F(CommandTableTest, AnExtensionOnlyFfmpegCanTellNeedsFfmpeg) {
  FormatProfile matroska;
  matroska.OutputContainer = "matroska";
  Session::State().FormatProfilePath = SaveFormat(matroska);
  Conversion::State().Choices.OutputMode = Conversion::OutputSourceFolders;
  Conversion::State().Choices.ExtensionText = "";
  FfmpegTools::State().FfmpegPath = Folder() + "/no/ffmpeg";
  EXPECT_EQ(Conversion::BuildTable(Conversion::State().Choices, "").Failure,
            Conversion::TableFailure::FfmpegNotFound);
  ScriptedDialogs dialogs;
  dialogs.ExpectMessage();
  EXPECT_FALSE(Conversion::BuildCommandTable(""));
  EXPECT_EQ(dialogs.Messages(), QStringList{"No se encuentra ffmpeg"});
}

}  // namespace

namespace {

class ConversionChoicesTest : public TestEnv {};

TEST_F(ConversionChoicesTest, TheRunOptionsFollowTheMainWindowsCheckMarks) {
  Conversion::State().Choices = Conversion::ConversionChoices();
  EXPECT_EQ(Conversion::State().Choices.OutputMode, Conversion::OutputSourceFolders);
  MainWindow window;
  window.twoPassAction->setChecked(true);
  window.replaceFilesAction->setChecked(true);
  EXPECT_TRUE(Conversion::State().Choices.TwoPass);
  EXPECT_TRUE(Conversion::State().Choices.ReplaceFiles);
  EXPECT_FALSE(Conversion::State().Choices.DeleteOriginals);
  window.twoPassAction->trigger();
  EXPECT_FALSE(Conversion::State().Choices.TwoPass);
}

}  // namespace
