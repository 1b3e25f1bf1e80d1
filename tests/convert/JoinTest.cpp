// "Archivo (concatenar)" with the real ffmpeg and ffprobe on clips made here:
// every file ends up in the joined output, or the join is no success and
// every source stays where it is.

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QRegularExpression>
#include <cstdlib>
#include <optional>

#include "ConversionFixture.h"
#include "ProbeClips.h"
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

// How far two pictures of one size differ, on average per colour (0 to 255).
double MeanDifference(const QImage& a, const QImage& b) {
  const QImage x = a.convertToFormat(QImage::Format_RGB32);
  const QImage y = b.convertToFormat(QImage::Format_RGB32);
  double sum = 0;
  for (int row = 0; row < x.height(); ++row)
    for (int column = 0; column < x.width(); ++column) {
      const QRgb p = x.pixel(column, row);
      const QRgb q = y.pixel(column, row);
      sum += std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) +
             std::abs(qBlue(p) - qBlue(q));
    }
  return sum / (3.0 * x.width() * x.height());
}

// A picture fitted into a frame of this size as the join fits it: scaled
// whole into the middle, black around it.
QImage Fitted(const QImage& picture, const QSize& frame) {
  const QSize size = picture.size().scaled(frame, Qt::KeepAspectRatio);
  QImage fitted(frame, QImage::Format_RGB32);
  fitted.fill(Qt::black);
  QPainter painter(&fitted);
  painter.drawImage(
      QRect(QPoint((frame.width() - size.width()) / 2, (frame.height() - size.height()) / 2), size),
      picture.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
  return fitted;
}

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
  // The picture of the file at this time as ffmpeg reads it with -i, and so
  // as players show it: turned upright.
  QImage FrameAt(const QString& file, double seconds) const {
    return QImage(Make("frames/" + QFileInfo(file).completeBaseName() + ".png",
                       {"-ss", QString::number(seconds), "-i", file, "-frames:v", "1"}));
  }
  // A portrait phone clip in this folder; the landscape clip it was copied
  // from, the same frames with no turn, stays beside it as stored.mp4.
  QString Portrait(const QString& folder) const {
    QDir().mkpath(Path(folder));
    const QString clip = ProbeClips::TurnedClip(Path(folder));
    EXPECT_FALSE(clip.isEmpty());
    return clip;
  }
  // The landscape clip of the folder turned by this "rotate" tag on a copy.
  QString TurnedBy(const QString& folder, int degrees, const QString& name) const {
    const QString path = Path(folder + "/" + name);
    EXPECT_TRUE(
        ProbeClips::Ffmpeg({"-i", Path(folder + "/stored.mp4"), "-c", "copy", "-metadata:s:v:0",
                            "rotate=" + QString::number(degrees), path}));
    return path;
  }
  // The whole conversion as "Convertir" starts it, into out/<name>.
  QStringList Join(const QStringList& files, const QString& name, int messages = 0) {
    List(files);
    Session::State().OutputFile = Path("out/" + name);
    ScriptedDialogs dialogs;
    for (int i = 0; i < messages; ++i) dialogs.ExpectMessage();
    Convert("", main_->fileList);
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

// A clip with samples shaped unlike the first file's keeps its shape as
// shown: a square-pixel 4:3 clip after an anamorphic 16:9 one gets black
// bars at its sides, an anamorphic clip after a square one bars above and
// below, and neither is stretched to fill the frame.
TEST_F(JoinTest, AClipOfOtherSampleShapeKeepsItsShapeAsShown) {
  // Mean brightness of a strip of the picture, 0 to 255.
  auto brightness = [](const QImage& picture, const QRect& strip) {
    double sum = 0;
    for (int row = strip.top(); row <= strip.bottom(); ++row)
      for (int column = strip.left(); column <= strip.right(); ++column)
        sum += qGray(picture.pixel(column, row));
    return sum / (strip.width() * strip.height());
  };
  auto clip = [this](const QString& relative, const QString& sar) {
    return Make(relative,
                {"-f", "lavfi", "-i", "testsrc=size=160x120:rate=10", "-f", "lavfi", "-i",
                 "sine=sample_rate=8000", "-t", "2", "-vf", "setsar=" + sar, "-c:v", "mpeg4"});
  };
  struct Case {
    const char* name;
    QString firstSar, secondSar;
    QRect bar;  // black in the second part of the output, as stored
  };
  const Case cases[] = {
      {"square after anamorphic", "4/3", "1/1", QRect(0, 0, 16, 120)},
      {"anamorphic after square", "1/1", "4/3", QRect(0, 0, 160, 12)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const QString name = QString(c.name).replace(' ', '-');
    EXPECT_EQ(Join({clip(name + "/first.mkv", c.firstSar), clip(name + "/second.mkv", c.secondSar)},
                   name + ".mkv"),
              QStringList());
    const QString output = Path("out/" + name + ".mkv");
    EXPECT_NEAR(Duration(output), 4, kSlack);
    EXPECT_EQ(Probe(output, "stream=sample_aspect_ratio").section('\n', 0, 0),
              QString(c.firstSar).replace('/', ':'));
    const QImage first = FrameAt(output, 1);
    const QImage second = FrameAt(output, 3);
    ASSERT_EQ(second.size(), QSize(160, 120));
    EXPECT_GT(brightness(first, c.bar), 40);
    EXPECT_LT(brightness(second, c.bar), 10);
  }
}

// Phone clips stand upright in the join whichever way each is turned: every
// one-second part of the output shows its file as ffmpeg reads it with -i,
// fitted into the first picture's size as shown. Clips turned alike keep the
// concat list, and its output stands upright too.
TEST_F(JoinTest, EveryPartOfAJoinOfTurnedClipsStandsUpright) {
  struct Case {
    const char* name;
    QStringList files;
    JoinWay way;
    QString output;
    QString size;  // of the output
  };
  // Each case's clips in a folder of their own: the join sends them to the trash.
  QStringList portrait, landscape;
  for (int i = 0; i < 6; ++i) {
    portrait << Portrait(QString("in%1").arg(i));
    landscape << Path(QString("in%1/stored.mp4").arg(i));
  }
  const Case cases[] = {
      {"portrait, then landscape stored alike",
       {portrait[0], landscape[0]},
       JoinWay::Decode,
       "portrait first.mp4",
       "240x320"},
      {"landscape, then portrait stored alike",
       {landscape[1], portrait[1]},
       JoinWay::Decode,
       "landscape first.mp4",
       "320x240"},
      {"portrait, then another size with sound",
       {portrait[2], Clip("in2/small.mkv", 1, "160x120")},
       JoinWay::Decode,
       "with sound.mp4",
       "240x320"},
      {"upside down, both portrait turns and landscape",
       {TurnedBy("in3", 180, "upside down.mp4"), portrait[3], TurnedBy("in3", 270, "other way.mp4"),
        landscape[3]},
       JoinWay::Decode,
       "every turn.mp4",
       "320x240"},
      {"portrait clips alike",
       {portrait[4], portrait[5]},
       JoinWay::Demuxer,
       "alike.mp4",
       "240x320"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    QList<JoinSource> sources;
    QList<QImage> upright;
    for (const QString& file : c.files) {
      sources << ProbeJoinSource(file);
      upright << FrameAt(file, 0.5);
    }
    EXPECT_EQ(PlanJoin(sources).Way, c.way);
    EXPECT_EQ(Join(c.files, c.output), QStringList());
    const QString output = Path("out/" + c.output);
    EXPECT_NEAR(Duration(output), c.files.size(), kSlack);
    for (int part = 0; part < c.files.size(); ++part) {
      SCOPED_TRACE(c.files[part].toStdString());
      const QImage shown = FrameAt(output, part + 0.5);
      const QString size = QString("%1x%2").arg(shown.width()).arg(shown.height());
      EXPECT_EQ(size, c.size);
      if (size == c.size) {
        EXPECT_LT(MeanDifference(shown, Fitted(upright[part], shown.size())), 8);
      }
    }
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

// A file that cannot be joined stops the join before anything is written,
// and the message names it, with ffprobe's reason when it could not open it.
TEST_F(JoinTest, AFileThatCannotBeJoinedIsNamedAndNothingIsWritten) {
  const QString good = Tone("in/good.wav", 1, 44100, 2);
  const QString bad = WriteFile("in/bad.mp3", "this is no sound at all");
  const QString srt = WriteFile("in/a.srt", "1\n00:00:00,000 --> 00:00:01,000\nuno\n");
  const QString ass = Make("in/b.ass", {"-i", srt});
  struct Case {
    QStringList files;
    QString shown;
  };
  const Case cases[] = {
      {{good, bad}, "No se pudo leer el archivo " + bad + "\nInvalid argument"},
      {{good, Path("in/gone.wav")},
       "No se pudo leer el archivo " + Path("in/gone.wav") + "\nNo such file or directory"},
      // Both open, but subtitles of two kinds are nothing the filter joins.
      {{srt, ass}, "No se pudo leer el archivo " + ass},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.files.last().toStdString());
    EXPECT_EQ(Join(c.files, "joined.mkv", 1), QStringList{c.shown});
    EXPECT_FALSE(Progress());
    EXPECT_FALSE(QFile::exists(Path("out/joined.mkv")));
  }
  for (const QString& file : {good, bad, srt, ass}) EXPECT_TRUE(QFile::exists(file));
  EXPECT_TRUE(Trashed().isEmpty());
}

// ffmpeg's movie source stops reading a transport stream with MPEG audio (a
// television recording) at its first sound and ffmpeg still ends with 0: the
// join, shorter than its files, fails and every source stays.
TEST_F(JoinTest, AFileTheGraphStopsReadingFailsTheJoinAndKeepsTheSources) {
  const QString first = Clip("in/first.mkv", 2, "320x240");
  const QString recording =
      Make("in/recording.ts", {"-f", "lavfi", "-i", "testsrc=size=160x120:rate=25", "-f", "lavfi",
                               "-i", "sine", "-t", "4", "-c:v", "mpeg2video", "-c:a", "mp2"});
  List({first, recording});
  Session::State().OutputFile = Path("out/joined.mkv");
  ScriptedDialogs dialogs;  // none expected
  Convert("", main_->fileList);
  ASSERT_EQ(Conversion::State().Errors.size(), 1);
  EXPECT_EQ(Conversion::State().Errors[0].File, "<todos los archivos>");
  EXPECT_EQ(Conversion::State().Errors[0].Description, "Error al convertir");
  EXPECT_FALSE(QFile::exists(Path("out/joined.mkv")));
  EXPECT_TRUE(QFile::exists(first));
  EXPECT_TRUE(QFile::exists(recording));
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
  JoinStream portrait = mpeg4;
  portrait.Turn = 270;
  JoinStream square = mpeg4;
  square.SampleAspect = "1:1";
  JoinStream anamorphic = mpeg4;
  anamorphic.SampleAspect = "4:3";
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
      {"another turn",
       {{"/a", true, 1, {mpeg4}}, {"/b", true, 1, {portrait}}},
       JoinWay::Decode,
       ""},
      {"square samples told or not",
       {{"/a", true, 1, {mpeg4}}, {"/b", true, 1, {square}}},
       JoinWay::Demuxer,
       ""},
      {"another sample shape",
       {{"/a", true, 1, {square}}, {"/b", true, 1, {anamorphic}}},
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

// The turn that stands a picture upright, clockwise: a display matrix tells
// it the other way round, older ffprobe reports' "rotate" tag as it is.
TEST_F(JoinTest, FfprobesReportTellsHowFarAPictureIsTurned) {
  QDir().mkpath(Path("in"));
  const QString portrait = ProbeClips::TurnedClip(Path("in"));
  ASSERT_FALSE(portrait.isEmpty());
  struct Case {
    const char* name;
    JoinSource source;
    int turn;
  };
  const Case cases[] = {
      {"stored as shown", ProbeJoinSource(Path("in/stored.mp4")), 0},
      {"a phone's portrait clip", ProbeJoinSource(portrait), 270},
      {"a matrix turned a quarter clockwise",
       ParseJoinProbe("/a", R"({"streams": [{"index": 0, "codec_type": "video",
                                 "side_data_list": [{"rotation": -90}]}]})"),
       90},
      {"a matrix upside down",
       ParseJoinProbe("/a", R"({"streams": [{"index": 0, "codec_type": "video",
                                 "side_data_list": [{"rotation": 180}]}]})"),
       180},
      {"an older report's tag",
       ParseJoinProbe("/a", R"({"streams": [{"index": 0, "codec_type": "video",
                                 "tags": {"rotate": "90"}}]})"),
       90},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ASSERT_EQ(c.source.Streams.size(), 1);
    EXPECT_EQ(c.source.Streams[0].Turn, c.turn);
  }
  // The size stays as stored: that is what the concat demuxer copies.
  EXPECT_EQ(cases[1].source.Streams[0].Size, "320x240");
}

}  // namespace
