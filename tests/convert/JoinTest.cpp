// "Archivo (concatenar)" with the real ffmpeg and ffprobe on clips made here:
// every file ends up in the joined output, or the join is no success and
// every source stays where it is.

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <optional>

#include "ConversionFixture.h"
#include "core/convert/Conversion.h"
#include "core/convert/ConversionRun.h"
#include "core/convert/ConversionState.h"
#include "core/convert/JoinCheck.h"
#include "core/convert/RunInputs.h"
#include "core/frame/FfmpegTools.h"
#include "core/frame/Session.h"
#include "gui/app/ConversionStarter.h"

using namespace Conversion;

namespace {

// Containers round a clip's length up to their own packets.
constexpr double kSlack = 0.3;

// Every listed file into one output, and the sources to the trash once it is written.
ConversionChoices JoinAndDeleteOriginals() {
  ConversionChoices choices;
  choices.OutputMode = OutputJoined;
  choices.DeleteOriginals = true;
  return choices;
}

class JoinTest : public ConversionFixture {
 protected:
  JoinTest() : ConversionFixture(JoinAndDeleteOriginals()) {}
  void SetUp() override {
    ConversionFixture::SetUp();
    QDir().mkpath(Path("out"));
  }

  // A tone of this rate and these channels.
  QString Tone(const QString& relative, double seconds, int rate, int channels) const {
    return Make(relative,
                {"-f", "lavfi", "-i", QString("sine=frequency=440:sample_rate=%1").arg(rate), "-t",
                 QString::number(seconds), "-ac", QString::number(channels)});
  }
  // A test picture of this size with a tone.
  QString Clip(const QString& relative, double seconds, const QString& size,
               const QString& codec = "mpeg4") const {
    return Make(relative,
                {"-f", "lavfi", "-i", "testsrc=size=" + size + ":rate=10", "-f", "lavfi", "-i",
                 "sine=sample_rate=8000", "-t", QString::number(seconds), "-c:v", codec});
  }
  // The whole conversion as "Convertir" starts it, into out/<name>.
  QStringList Join(const QStringList& files, const QString& name, int messages = 0) {
    List(files);
    Session::State().OutputFile = Path("out/" + name);
    ScriptedDialogs dialogs;
    for (int i = 0; i < messages; ++i) dialogs.ExpectMessage();
    Convert("", main_->List1);
    const QStringList shown = dialogs.Messages();
    CloseProgress();
    return shown;
  }
};

// Files that differ in sound or picture are decoded and joined whole: the
// output is as long as all of them together and shaped like the first; only
// then do the sources go to the trash.
TEST_F(JoinTest, FilesThatDifferAreJoinedWholeInTheFirstFilesShape) {
  struct Case {
    const char* name;
    QStringList files;
    QString output;
    double seconds;
    QString shape;  // ffprobe's streams of the output
  };
  const Case cases[] = {
      {"44.1 kHz stereo wav, then 22.05 kHz mono mp3 with an odd name",
       {Tone("in1/a.wav", 3, 44100, 2), Tone("in1/b 'x', [y]; z:w=\\ ñ.mp3", 2, 22050, 1)},
       "joined.wav",
       5,
       "44100,2"},
      {"two mp4 of different picture sizes, the second named with an equals sign",
       {Clip("in2/small.mp4", 2, "160x120"), Clip("in2/size=large.mp4", 3, "320x240", "libx264")},
       "joined.mp4",
       5,
       "160,120\n8000,1"},
      {"a clip with picture and sound, then a sound alone",
       {Clip("in3/clip.mkv", 2, "160x120"), Tone("in3/tone.wav", 2, 44100, 2)},
       "joined3.mp4",
       4,
       "160,120\n8000,1"},
      {"a picture without sound first, then a clip with both",
       {Make("in4/mute.mkv", {"-f", "lavfi", "-i", "testsrc=size=160x120:rate=10", "-t", "2"}),
        Clip("in4/clip.mkv", 2, "320x240")},
       "joined4.mp4",
       4,
       "160,120\n8000,1"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const QStringList trashedBefore = Trashed();
    EXPECT_EQ(Join(c.files, c.output), QStringList());
    EXPECT_TRUE(Conversion::State().Errors.isEmpty());
    const QString output = Path("out/" + c.output);
    EXPECT_NEAR(Duration(output), c.seconds, kSlack);
    // Every stream holds every file, not just the longest one.
    for (const QString& seconds : Probe(output, "stream=duration").split('\n'))
      EXPECT_NEAR(seconds.toDouble(), c.seconds, kSlack) << seconds.toStdString();
    EXPECT_EQ(Probe(output, "stream=width,height,sample_rate,channels")
                  .remove(QRegularExpression(",+$", QRegularExpression::MultilineOption))
                  .remove(QRegularExpression("^,+", QRegularExpression::MultilineOption)),
              c.shape);
    for (const QString& file : c.files) {
      EXPECT_FALSE(QFile::exists(file)) << file.toStdString();
      EXPECT_TRUE(Trashed().contains(QFileInfo(file).fileName())) << file.toStdString();
    }
    EXPECT_EQ(Trashed().size(), trashedBefore.size() + c.files.size());
  }
}

// Files alike keep the fast way: the concat list, read and copied by the
// concat demuxer, and the table as it was built.
TEST_F(JoinTest, FilesAlikeStillJoinThroughTheConcatList) {
  const QStringList files = {Tone("in/a.wav", 2, 44100, 2), Tone("in/b.wav", 1, 44100, 2)};
  List(files);
  Session::State().OutputFile = Path("out/joined.wav");
  std::optional<ScriptedDialogs> dialogs(std::in_place);  // none expected
  ASSERT_TRUE(BuildCommandTable(""));
  const CommandTable built = Conversion::State().Commands;
  const std::optional<RunInputs> planned = PlanInputs("", -1);
  ASSERT_TRUE(planned);
  EXPECT_TRUE(planned->Inputs.value(0).value(0).endsWith("/concat.txt"));
  EXPECT_EQ(Conversion::State().Commands, built);
  EXPECT_TRUE(built.At(7, 2).contains("-f concat -safe 0"));
  dialogs.reset();

  EXPECT_EQ(Join(files, "joined.wav"), QStringList());
  EXPECT_TRUE(Conversion::State().Errors.isEmpty());
  EXPECT_NEAR(Duration(Path("out/joined.wav")), 3, kSlack);
  EXPECT_EQ(Trashed(), (QStringList{"a.wav", "b.wav"}));
}

// A file ffprobe cannot open stops the join before anything is written, and
// the message names it.
TEST_F(JoinTest, AnUnreadableLaterFileIsNamedAndNothingIsWritten) {
  const QString good = Tone("in/good.wav", 1, 44100, 2);
  const QString bad = WriteFile("in/bad.mp3", "this is no sound at all");
  for (const QStringList& files :
       {QStringList{good, bad}, QStringList{good, Path("in/gone.wav")}}) {
    SCOPED_TRACE(files.last().toStdString());
    EXPECT_EQ(Join(files, "joined.wav", 1),
              QStringList{"No se pudo leer el archivo " + files.last()});
    EXPECT_FALSE(Progress());
    EXPECT_FALSE(QFile::exists(Path("out/joined.wav")));
  }
  EXPECT_TRUE(QFile::exists(good));
  EXPECT_TRUE(QFile::exists(bad));
  EXPECT_TRUE(Trashed().isEmpty());
}

// Without ffprobe nothing can tell whether the files join whole: the join
// does not start.
TEST_F(JoinTest, WithoutFfprobeTheJoinDoesNotStart) {
  const QStringList files = {Tone("in/a.wav", 1, 44100, 2), Tone("in/b.wav", 1, 22050, 1)};
  FfmpegTools::State().FfprobePath = Path("bin/ffprobe");
  EXPECT_EQ(Join(files, "joined.wav", 1), QStringList{"No se encuentra ffprobe"});
  EXPECT_FALSE(Progress());
  EXPECT_FALSE(QFile::exists(Path("out/joined.wav")));
  EXPECT_TRUE(QFile::exists(files[0]));
  EXPECT_TRUE(QFile::exists(files[1]));
}

// A file that ffmpeg cannot open by the time the run reads it fails the
// step, whichever way the files are joined: the cut output goes, and every
// source stays.
TEST_F(JoinTest, AFileThatCannotBeOpenedWhenTheRunReadsItFailsTheStep) {
  struct Case {
    const char* name;
    int secondRate;
  };
  for (const Case& c : {Case{"concat list", 44100}, Case{"decoding graph", 22050}}) {
    SCOPED_TRACE(c.name);
    const QString dir = QString("in%1/").arg(c.secondRate);
    const QStringList files = {Tone(dir + "a.wav", 2, 44100, 2),
                               Tone(dir + "b.wav", 2, c.secondRate, 2)};
    List(files);
    Session::State().OutputFile = Path("out/joined.wav");
    ScriptedDialogs dialogs;  // none expected
    ASSERT_TRUE(BuildCommandTable(""));
    const std::optional<RunInputs> planned = PlanInputs("", -1);
    ASSERT_TRUE(planned);
    WriteFile(dir + "b.wav", "spoilt after the files were checked");
    ConversionRun run("", planned->Inputs, planned->Shown);
    run.Execute();
    ASSERT_EQ(Conversion::State().Errors.size(), 1);
    EXPECT_EQ(Conversion::State().Errors[0].File, "<todos los archivos>");
    EXPECT_EQ(Conversion::State().Errors[0].Description, "Error al convertir");
    EXPECT_FALSE(QFile::exists(Path("out/joined.wav")));
    EXPECT_TRUE(QFile::exists(files[0]));
    EXPECT_TRUE(QFile::exists(files[1]));
    EXPECT_TRUE(Trashed().isEmpty());
    ClearRun();
  }
}

// The rows that read the joined input read the graph through lavfi, with
// the profile's own spelling of the concat format and its "-safe" gone
// alike; the rest of the table stays as it was.
TEST_F(JoinTest, TheTableReadsTheGraphThroughLavfi) {
  CommandTable table;
  table.Kinds[0] = table.Kinds[6] = StageKind::Ffmpeg;
  table.Kinds[1] = StageKind::Encoder;
  table.At(1, 2) = " -f concat -safe 0 -i ";
  table.At(1, 3) = " -f concat -vn ";
  table.At(2, 2) = " -f concat -safe 0 <infile>";
  table.At(7, 2) = " -r 25 -f CONCAT 'x y' -safe 1 -i ";
  CommandTable expected = table;
  expected.At(1, 2) = " -f lavfi -i ";
  expected.At(7, 2) = " -r 25 -f lavfi 'x y' -i ";
  ReadJoinThroughGraph(table);
  for (int row = 1; row <= 8; ++row)
    for (int column = 1; column <= 4; ++column)
      EXPECT_EQ(table.At(row, column), expected.At(row, column)) << row << "," << column;
  EXPECT_EQ(table, expected);
}

JoinStream Sound(int index, const QString& codec, const QString& rate, const QString& channels) {
  JoinStream stream;
  stream.Index = index;
  stream.Type = "audio";
  stream.Codec = codec;
  stream.SampleRate = rate;
  stream.Channels = channels;
  return stream;
}

JoinStream Picture(int index, const QString& codec, const QString& size, bool still = false) {
  JoinStream stream;
  stream.Index = index;
  stream.Type = "video";
  stream.Codec = codec;
  stream.Size = size;
  stream.PixelFormat = "yuv420p";
  stream.Picture = still;
  return stream;
}

JoinStream Subtitle(int index) {
  JoinStream stream;
  stream.Index = index;
  stream.Type = "subtitle";
  stream.Codec = "subrip";
  return stream;
}

TEST_F(JoinTest, HowFilesJoinFollowsWhatFfprobeSaysOfEach) {
  const JoinStream pcm = Sound(0, "pcm_s16le", "44100", "2");
  const JoinStream mpeg4 = Picture(0, "mpeg4", "160x120");
  struct Case {
    const char* name;
    QList<JoinSource> sources;
    JoinWay way;
    QString culprit;
  };
  const Case cases[] = {
      {"alike", {{"/a", true, 1, {pcm}}, {"/b", true, 2, {pcm}}}, JoinWay::Demuxer, ""},
      {"another rate",
       {{"/a", true, 1, {pcm}}, {"/b", true, 2, {Sound(0, "pcm_s16le", "22050", "2")}}},
       JoinWay::Decode,
       ""},
      {"another codec",
       {{"/a", true, 1, {pcm}}, {"/b", true, 2, {Sound(0, "mp3", "44100", "2")}}},
       JoinWay::Decode,
       ""},
      {"the streams in another order",
       {{"/a", true, 1, {mpeg4, Sound(1, "aac", "8000", "1")}},
        {"/b", true, 1, {Sound(0, "aac", "8000", "1"), Picture(1, "mpeg4", "160x120")}}},
       JoinWay::Decode,
       ""},
      {"another picture size",
       {{"/a", true, 1, {mpeg4}}, {"/b", true, 1, {Picture(0, "mpeg4", "320x240")}}},
       JoinWay::Decode,
       ""},
      {"a cover picture of its own",
       {{"/a", true, 1, {pcm}}, {"/b", true, 1, {pcm, Picture(1, "mjpeg", "300x300", true)}}},
       JoinWay::Decode,
       ""},
      {"a later file ffprobe cannot open",
       {{"/a", true, 1, {pcm}}, {"/b", false, -1, {}}, {"/c", false, -1, {}}},
       JoinWay::Refused,
       "/b"},
      {"no sound and no length to fill it with",
       {{"/a", true, 1, {mpeg4, Sound(1, "aac", "8000", "1")}},
        {"/b", true, -1, {Picture(0, "mpeg4", "320x240")}}},
       JoinWay::Refused,
       "/b"},
      {"subtitles alone, unlike",
       {{"/a", true, 1, {Subtitle(0)}}, {"/b", true, 1, {Subtitle(0), Subtitle(1)}}},
       JoinWay::Refused,
       "/b"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const JoinPlan plan = PlanJoin(c.sources);
    EXPECT_EQ(plan.Way, c.way);
    EXPECT_EQ(plan.Culprit, c.culprit);
    EXPECT_EQ(plan.Graph.isEmpty(), c.way != JoinWay::Decode);
  }
}

TEST_F(JoinTest, FfprobesReportIsReadStreamByStream) {
  const QString a = Clip("in/a.mp4", 1, "160x120");
  const JoinSource source = ProbeJoinSource(a);
  ASSERT_TRUE(source.Read);
  EXPECT_NEAR(source.Duration, 1, kSlack);
  ASSERT_EQ(source.Streams.size(), 2);
  EXPECT_EQ(source.Streams[0].Type, "video");
  EXPECT_EQ(source.Streams[0].Codec, "mpeg4");
  EXPECT_EQ(source.Streams[0].Size, "160x120");
  EXPECT_EQ(source.Streams[0].PixelFormat, "yuv420p");
  EXPECT_EQ(source.Streams[0].FrameRate, "10/1");
  EXPECT_EQ(source.Streams[1].Type, "audio");
  EXPECT_EQ(source.Streams[1].SampleRate, "8000");
  EXPECT_EQ(source.Streams[1].Channels, "1");
  EXPECT_EQ(source.Streams[1].Index, 1);
  EXPECT_FALSE(ProbeJoinSource(WriteFile("in/text.mp3", "no sound")).Read);
}

}  // namespace
