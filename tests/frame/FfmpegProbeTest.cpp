#include <QRegularExpression>

#include "ProbeClips.h"
#include "TestEnv.h"
#include "core/frame/FfmpegProbe.h"
#include "core/frame/FfmpegTools.h"
#include "core/ground/CommandLine.h"
#include "core/ground/ToolRunner.h"
#include "gui/ground/ConsoleBox.h"

namespace {

class FfmpegProbeTest : public TestEnv {
 protected:
  void SetUp() override {
    TestEnv::SetUp();
    ToolRunner::Reset();
    FfmpegTools::State().FfmpegPath = "/usr/bin/ffmpeg";
    FfmpegTools::State().FfplayPath = "/usr/bin/ffplay";
    FfmpegTools::State().FfprobePath = "/usr/bin/ffprobe";
  }
  // Makes a small media file in the test folder with the real ffmpeg.
  QString Make(const QString& name, const QStringList& arguments) {
    const QString path = Folder() + "/" + name;
    QString output;
    int32_t code = -1;
    QStringList all = {"-v", "error", "-y"};
    all << arguments << path;
    EXPECT_EQ(
        ToolRunner::RunCaptured(CommandLine::Pipeline{{"/usr/bin/ffmpeg", all}}, "", 0, 0, nullptr,
                                false, ConsoleText::Display::NoDisplay, output, -1, code),
        ToolRunner::RunResult::Ran);
    EXPECT_EQ(code, 0) << output.toStdString();
    return path;
  }
  const QStringList video = {"-f", "lavfi", "-i", "testsrc=size=160x120:rate=10"};
  const QStringList audio = {"-f", "lavfi", "-i", "sine=d=2"};
};

TEST_F(FfmpegProbeTest, ProbeDescribesAnMp4WithAudioVideoAndTags) {
  const QString path = Make(
      "a b $(x) 'c'.mp4",
      video + audio +
          QStringList{"-t", "2", "-c:v", "libx264", "-c:a", "aac", "-metadata", "title=Mi título",
                      "-metadata", "artist=Yo", "-metadata", "album=Disco", "-metadata",
                      "genre=Rock", "-metadata", "track=3", "-metadata:s:a", "title=pista"});
  const MediaInfo info = FfmpegProbe::ProbeMedia(path);
  EXPECT_EQ(info.Container, " mov");
  EXPECT_TRUE(info.Duration.startsWith("2.0")) << info.Duration.toStdString();
  EXPECT_TRUE(info.Bitrate.startsWith(" ") && info.Bitrate.endsWith(" kb/s"))
      << info.Bitrate.toStdString();
  EXPECT_TRUE(info.HasVideo);
  EXPECT_TRUE(info.HasAudio);
  EXPECT_FALSE(info.HasSubtitle);
  EXPECT_EQ(info.VideoCodec, "h264");
  EXPECT_EQ(info.VideoCodecTag, "avc1");
  EXPECT_EQ(info.VideoSize, "160x120");
  EXPECT_EQ(info.VideoFrameRate, "10/1");
  EXPECT_EQ(info.AspectRatio, "4:3");
  EXPECT_FALSE(info.VideoPixelFormat.isEmpty());
  EXPECT_FALSE(info.VideoBitrate.isEmpty());
  EXPECT_EQ(info.AudioCodec, "aac");
  EXPECT_EQ(info.AudioCodecTag, "mp4a");
  EXPECT_EQ(info.AudioSampleRate, "44100");
  EXPECT_EQ(info.AudioChannels, "1");
  EXPECT_FALSE(info.AudioBitrate.isEmpty());
  EXPECT_EQ(info.Title, "Mi título");
  EXPECT_EQ(info.Artist, "Yo");
  EXPECT_EQ(info.Album, "Disco");
  EXPECT_EQ(info.Genre, "Rock");
  EXPECT_EQ(info.Track, "3");
}

TEST_F(FfmpegProbeTest, ProbeOfMatroskaNeverHoldsNotAvailable) {
  const QString path = Make("a.mkv", video + audio + QStringList{"-t", "2", "-c:s", "srt"});
  const MediaInfo info = FfmpegProbe::ProbeMedia(path);
  EXPECT_EQ(info.Container, " matroska");
  EXPECT_TRUE(info.Duration.startsWith("2.00")) << info.Duration.toStdString();
  EXPECT_EQ(info.VideoBitrate, "");
  EXPECT_EQ(info.AudioBitrate, "");
  EXPECT_EQ(info.VideoCodecTag, "");
  EXPECT_EQ(info.AudioCodec, "vorbis");
  EXPECT_EQ(info.Title, "");
  for (const QString* field : {&info.Container, &info.Duration, &info.Bitrate, &info.AudioBitrate,
                               &info.VideoBitrate, &info.VideoSize, &info.AudioSampleRate})
    EXPECT_FALSE(field->contains("N/A")) << field->toStdString();
}

TEST_F(FfmpegProbeTest, ProbeOfAWavHasAudioOnly) {
  const QString path = Make("tono.wav", audio);
  const MediaInfo info = FfmpegProbe::ProbeMedia(path);
  EXPECT_EQ(info.Container, " wav");
  EXPECT_TRUE(info.HasAudio);
  EXPECT_FALSE(info.HasVideo);
  EXPECT_EQ(info.VideoSize, "");
  EXPECT_EQ(info.AudioCodec, "pcm_s16le");
  EXPECT_EQ(info.AudioCodecTag, "");
  EXPECT_EQ(info.AudioBitrate, "705600");
  EXPECT_EQ(info.Duration, "2.000000");
  EXPECT_EQ(info.Bitrate, " 705 kb/s");
}

// A song with one still picture lasts as long as its sound, not its picture.
TEST_F(FfmpegProbeTest, ProbeTakesTheLengthOfTheWholeFileNotOfItsFirstStream) {
  const QString path = ProbeClips::StillOverSong(Folder());
  ASSERT_FALSE(path.isEmpty());
  const MediaInfo info = FfmpegProbe::ProbeMedia(path);
  EXPECT_NEAR(info.Duration.toDouble(), 7, 0.1) << info.Duration.toStdString();
  EXPECT_EQ(info.Container, " mov");
  EXPECT_EQ(info.VideoCodecTag, "avc1");
  EXPECT_EQ(info.AudioCodecTag, "mp4a");
  EXPECT_EQ(info.VideoSize, "160x120");
}

TEST_F(FfmpegProbeTest, ProbeGivesTheSizeAndAspectOfThePictureTurnedUpright) {
  const QString path = ProbeClips::TurnedClip(Folder());
  ASSERT_FALSE(path.isEmpty());
  const MediaInfo info = FfmpegProbe::ProbeMedia(path);
  EXPECT_EQ(info.VideoSize, "240x320");
  EXPECT_EQ(info.AspectRatio, "3:4");
}

TEST_F(FfmpegProbeTest, AFileFfprobeCannotReadGivesOnlyItsReason) {
  const struct {
    QString path;
    QString reason;
  } cases[] = {
      {WriteFile("notas.mp4", "esto no es un video\n"), ProbeClips::UnreadableReason},
      {ProbeClips::EmptyFile(Folder()), ProbeClips::UnreadableReason},
      {ProbeClips::CutMp4(Folder()), ProbeClips::UnreadableReason},
      {Folder() + "/missing.mp4", "No such file or directory"},
  };
  for (const auto& c : cases) {
    MediaInfo unread;
    unread.ReadFailure = c.reason;
    EXPECT_EQ(FfmpegProbe::ProbeMedia(c.path), unread) << c.path.toStdString();
  }

  ScriptedDialogs dialogs;
  dialogs.ExpectMessage();
  EXPECT_TRUE(FfmpegProbe::SaidUnreadable("/a/b.mp4", FfmpegProbe::ProbeMedia(cases[1].path)));
  EXPECT_FALSE(FfmpegProbe::SaidUnreadable("/a/b.mp4", MediaInfo{}));
  EXPECT_EQ(dialogs.Messages(), QStringList{"No se pudo leer el archivo /a/b.mp4\n" +
                                            QString(ProbeClips::UnreadableReason)});
  EXPECT_EQ(dialogs.Shown()[0].style,
            (Dialogs::MessageStyle{Dialogs::Buttons::Ok, Dialogs::Icon::Stop}));
}

// The side data's rotation of newer writers and the rotate tag of older ones;
// only a quarter turn, either way, trades width and height.
TEST(FfmpegProbeParse, ParseTurnsAPictureOnItsSideUpright) {
  const struct {
    const char* turn;
    const char* size;
    const char* aspect;
  } cases[] = {
      {"", "320x240", "4:3"},
      {"[SIDE_DATA]\r\nside_data_type=Display Matrix\r\nrotation=-90\r\n[/SIDE_DATA]\r\n",
       "240x320", "3:4"},
      {"rotation=270\r\n", "240x320", "3:4"},
      {"rotation=180\r\n", "320x240", "4:3"},
      {"TAG:rotate=90\r\n", "240x320", "3:4"},
      {"TAG:rotate=0\r\n", "320x240", "4:3"},
  };
  for (const auto& c : cases) {
    const QString output =
        "[STREAM]\r\ncodec_name=h264\r\ncodec_type=video\r\nwidth=320\r\n"
        "height=240\r\ndisplay_aspect_ratio=4:3\r\n" +
        QString(c.turn) + "[/STREAM]\r\n";
    const MediaInfo info = FfmpegProbe::ParseProbeOutput(output);
    EXPECT_EQ(info.VideoSize, c.size) << c.turn;
    EXPECT_EQ(info.AspectRatio, c.aspect) << c.turn;
  }
}

// The container's duration first, then the first stream's, then the header's.
TEST(FfmpegProbeParse, ParseTakesTheContainersDurationBeforeAStreams) {
  const QString header = "Input #0, mov, from 'x':\r\n  Duration: 00:00:09.50, bitrate: 9 kb/s\r\n";
  const QString stream = "[STREAM]\r\ncodec_type=video\r\nduration=1.000000\r\n[/STREAM]\r\n";
  const QString silentStream = "[STREAM]\r\ncodec_type=video\r\n[/STREAM]\r\n";
  const struct {
    QString output;
    const char* duration;
  } cases[] = {
      {header + stream + "[FORMAT]\r\nduration=7.000000\r\n[/FORMAT]\r\n", "7.000000"},
      {header + stream + "[FORMAT]\r\nduration=N/A\r\n[/FORMAT]\r\n", "1.000000"},
      {header + silentStream + "[FORMAT]\r\nstart_time=0\r\n[/FORMAT]\r\n", "9.500000"},
  };
  for (const auto& c : cases) {
    const MediaInfo info = FfmpegProbe::ParseProbeOutput(c.output);
    EXPECT_EQ(info.Duration, c.duration) << c.output.toStdString();
    EXPECT_EQ(info.Bitrate, " 9 kb/s");
    EXPECT_TRUE(info.HasVideo);
  }
}

TEST(FfmpegProbeParse, ParseTakesTheFirstStreamOfEachKind) {
  const QString output =
      "ffprobe version 5.1\r\nInput #0, mov,mp4,m4a, from 'x':\r\n  Metadata:\r\n"
      "    title           : Película\r\n  Duration: 00:01:02.50, start: 0, bitrate: 900 kb/s\r\n"
      "      title           : de la pista\r\n"
      "[STREAM]\r\ncodec_name=mp3\r\ncodec_type=audio\r\nsample_rate=48000\r\nchannels=2\r\n"
      "bit_rate=N/A\r\nduration=N/A\r\n[/STREAM]\r\n"
      "[STREAM]\r\ncodec_name=aac\r\ncodec_type=audio\r\n[/STREAM]\r\n"
      "[STREAM]\r\ncodec_name=mov_text\r\ncodec_type=subtitle\r\n[/STREAM]\r\n"
      "[STREAM]\r\ncodec_name=mpeg4\r\ncodec_type=video\r\ncodec_tag_string=FMP4\r\nheight=90\r\n"
      "[/STREAM]\r\n";
  const MediaInfo info = FfmpegProbe::ParseProbeOutput(output);
  EXPECT_EQ(info.Container, " mov");
  EXPECT_EQ(info.Title, "Película");
  EXPECT_EQ(info.Duration, "62.500000");
  EXPECT_EQ(info.Bitrate, " 900 kb/s");
  EXPECT_EQ(info.AudioCodec, "mp3");
  EXPECT_EQ(info.AudioBitrate, "");
  EXPECT_EQ(info.SubtitleCodec, "mov_text");
  EXPECT_EQ(info.VideoCodec, "mpeg4");
  EXPECT_EQ(info.VideoCodecTag, "FMP4");
  EXPECT_EQ(info.VideoSize, "x90");
  EXPECT_TRUE(info.HasSubtitle);
}

// Whether ffmpeg's status lines so far say that a whole second is written.
bool WroteASecond(const QString& console) {
  static const QRegularExpression time(R"(time=(\d+):(\d+):(\d+))");
  QRegularExpressionMatchIterator matches = time.globalMatch(console);
  while (matches.hasNext()) {
    const QRegularExpressionMatch match = matches.next();
    if (match.captured(1).toInt() + match.captured(2).toInt() + match.captured(3).toInt() > 0)
      return true;
  }
  return false;
}

TEST_F(FfmpegProbeTest, FfmpegStoppedWithQWritesAValidFile) {
  const QString path = Folder() + "/grabación.mkv";
  QString output;
  int32_t code = -1;
  QString console;
  bool sentQ = false;
  // "q" once a second is written (mpeg4 holds back no frames, as x264 does);
  // the output's minute bounds the wait.
  const auto quitAfterASecond = [&](const QString& chunk) {
    console += chunk;
    if (sentQ || !WroteASecond(console)) return;
    sentQ = true;
    ToolRunner::SendInput("q", 1);
  };
  ASSERT_EQ(ToolRunner::RunCaptured(
                CommandLine::Pipeline{{"/usr/bin/ffmpeg",
                                       {"-re", "-f", "lavfi", "-i", "testsrc=size=160x120:rate=10",
                                        "-t", "60", "-c:v", "mpeg4", "-y", path}}},
                Folder(), 1, 1, nullptr, false, ConsoleText::Display::ReplaceByVisibleChunk, output,
                4096, code, quitAfterASecond),
            ToolRunner::RunResult::Ran);
  EXPECT_TRUE(sentQ) << output.toStdString();
  EXPECT_EQ(code, 0) << output.toStdString();
  const MediaInfo info = FfmpegProbe::ProbeMedia(path);
  EXPECT_TRUE(info.HasVideo);
  EXPECT_GT(info.Duration.toDouble(), 0.5) << info.Duration.toStdString();
}

}  // namespace
