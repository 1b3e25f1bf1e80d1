#include <QRegularExpression>

#include "InstalledTools.h"
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
    UseInstalledTools();
  }
  // Makes a small media file in the test folder with the real ffmpeg.
  QString Make(const QString& name, const QStringList& arguments) {
    const QString path = Folder() + "/" + name;
    QString output;
    int code = -1;
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

// A wav has audio only; a picture turned on its side is given upright.
TEST_F(FfmpegProbeTest, ProbeGivesTheFieldsOfEachKindOfClip) {
  struct Flag {
    const char* name;
    bool MediaInfo::*field;
    bool set;
  };
  struct Text {
    const char* name;
    QString MediaInfo::*field;
    QString text;
  };
  const struct {
    const char* clip;
    QString path;
    QList<Flag> flags;
    QList<Text> texts;
  } cases[] = {
      {"a wav",
       Make("tono.wav", audio),
       {{"HasAudio", &MediaInfo::HasAudio, true}, {"HasVideo", &MediaInfo::HasVideo, false}},
       {{"Container", &MediaInfo::Container, " wav"},
        {"VideoSize", &MediaInfo::VideoSize, ""},
        {"AudioCodec", &MediaInfo::AudioCodec, "pcm_s16le"},
        {"AudioCodecTag", &MediaInfo::AudioCodecTag, ""},
        {"AudioBitrate", &MediaInfo::AudioBitrate, "705600"},
        {"Duration", &MediaInfo::Duration, "2.000000"},
        {"Bitrate", &MediaInfo::Bitrate, " 705 kb/s"}}},
      {"a song with one still picture",
       ProbeClips::StillOverSong(Folder()),
       {},
       {{"Container", &MediaInfo::Container, " mov"},
        {"VideoCodecTag", &MediaInfo::VideoCodecTag, "avc1"},
        {"AudioCodecTag", &MediaInfo::AudioCodecTag, "mp4a"},
        {"VideoSize", &MediaInfo::VideoSize, "160x120"}}},
      {"a picture turned on its side",
       ProbeClips::TurnedClip(Folder()),
       {},
       {{"VideoSize", &MediaInfo::VideoSize, "240x320"},
        {"AspectRatio", &MediaInfo::AspectRatio, "3:4"}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.clip);
    ASSERT_FALSE(c.path.isEmpty());
    const MediaInfo info = FfmpegProbe::ProbeMedia(c.path);
    for (const Flag& f : c.flags) EXPECT_EQ(info.*f.field, f.set) << f.name;
    for (const Text& t : c.texts) EXPECT_EQ(info.*t.field, t.text) << t.name;
  }
}

// A song with one still picture lasts as long as its sound, not its picture.
TEST_F(FfmpegProbeTest, ProbeTakesTheLengthOfTheWholeFileNotOfItsFirstStream) {
  const QString path = ProbeClips::StillOverSong(Folder());
  ASSERT_FALSE(path.isEmpty());
  const QString duration = FfmpegProbe::ProbeMedia(path).Duration;
  EXPECT_NEAR(duration.toDouble(), 7, 0.1) << duration.toStdString();
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
      {"[SIDE_DATA]\nside_data_type=Display Matrix\nrotation=-90\n[/SIDE_DATA]\n", "240x320",
       "3:4"},
      {"rotation=270\n", "240x320", "3:4"},
      {"rotation=180\n", "320x240", "4:3"},
      {"TAG:rotate=90\n", "240x320", "3:4"},
      {"TAG:rotate=0\n", "320x240", "4:3"},
  };
  for (const auto& c : cases) {
    const QString output =
        "[STREAM]\ncodec_name=h264\ncodec_type=video\nwidth=320\n"
        "height=240\ndisplay_aspect_ratio=4:3\n" +
        QString(c.turn) + "[/STREAM]\n";
    const MediaInfo info = FfmpegProbe::ParseProbeOutput(output);
    EXPECT_EQ(info.VideoSize, c.size) << c.turn;
    EXPECT_EQ(info.AspectRatio, c.aspect) << c.turn;
  }
}

// The container's duration first, then the first stream's, then the header's.
TEST(FfmpegProbeParse, ParseTakesTheContainersDurationBeforeAStreams) {
  const QString header = "Input #0, mov, from 'x':\n  Duration: 00:00:09.50, bitrate: 9 kb/s\n";
  const QString stream = "[STREAM]\ncodec_type=video\nduration=1.000000\n[/STREAM]\n";
  const QString silentStream = "[STREAM]\ncodec_type=video\n[/STREAM]\n";
  const struct {
    QString output;
    const char* duration;
  } cases[] = {
      {header + stream + "[FORMAT]\nduration=7.000000\n[/FORMAT]\n", "7.000000"},
      {header + stream + "[FORMAT]\nduration=N/A\n[/FORMAT]\n", "1.000000"},
      {header + silentStream + "[FORMAT]\nstart_time=0\n[/FORMAT]\n", "9.500000"},
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
      "ffprobe version 5.1\nInput #0, mov,mp4,m4a, from 'x':\n  Metadata:\n"
      "    title           : Película\n  Duration: 00:01:02.50, start: 0, bitrate: 900 kb/s\n"
      "      title           : de la pista\n"
      "[STREAM]\ncodec_name=mp3\ncodec_type=audio\nsample_rate=48000\nchannels=2\n"
      "bit_rate=N/A\nduration=N/A\n[/STREAM]\n"
      "[STREAM]\ncodec_name=aac\ncodec_type=audio\n[/STREAM]\n"
      "[STREAM]\ncodec_name=mov_text\ncodec_type=subtitle\n[/STREAM]\n"
      "[STREAM]\ncodec_name=mpeg4\ncodec_type=video\ncodec_tag_string=FMP4\nheight=90\n"
      "[/STREAM]\n";
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
  int code = -1;
  QString console;
  bool sentQ = false;
  // "q" once a second is written (mpeg4 holds back no frames, as x264 does);
  // the output's minute bounds the wait.
  const auto quitAfterASecond = [&](const QString& chunk) {
    console += chunk;
    if (sentQ || !WroteASecond(console)) return;
    sentQ = true;
    ToolRunner::SendInput("q", ToolRunner::InputEnd::LineEnd);
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
