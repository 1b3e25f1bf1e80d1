#include <QElapsedTimer>
#include <QFile>
#include <QLocale>
#include <QRegularExpression>
#include <algorithm>

#include "ProbeClips.h"
#include "TestEnv.h"
#include "core/frame/FfmpegTools.h"
#include "core/ground/CommandLine.h"
#include "core/ground/ConsoleText.h"
#include "core/ground/ToolRunner.h"
#include "core/lang/Lang.h"
#include "gui/ground/ConsoleBox.h"

namespace {

TEST(FfmpegToolsNames, OptionNamesHoldThe43TextsInStoreOrder) {
  static_assert(sizeof(FfmpegOptionNames) == 43 * sizeof(QString));
  FfmpegTools::InitOptionNames();
  const FfmpegOptionNames& n = FfmpegTools::State().OptNames;
  const QString* first = &n.Format;
  const QStringList expected = {"-f",          "-c:a",
                                "-c:v",        "-c:s",
                                "-pix_fmt",    "-aspect",
                                "-target",     "-b:a",
                                "-minrate:a",  "-maxrate:a",
                                "-ar",         "-ac",
                                "-aq",         "-an",
                                "-b:v",        "-minrate:v",
                                "-maxrate:v",  "-r",
                                "-q:v",        "-qmin:v",
                                "-qmax:v",     "-s",
                                "-vn",         "-af",
                                "-vf",         "-filter_complex",
                                "-t",          "-vol",
                                "-sn",         "-ss",
                                "-video_size", "-x",
                                "-y",          "-vframes",
                                "-y",          "-nodisp",
                                "-autoexit",   "-loglevel",
                                "-fs",         "-pass",
                                "-n",          "-vtag",
                                "-atag"};
  ASSERT_EQ(expected.size(), 43);
  for (int k = 0; k < 43; ++k) EXPECT_EQ(first[k], expected[k]) << "field " << k + 1;
  EXPECT_EQ(n.WindowHeight, "-y");
  EXPECT_EQ(n.Overwrite, "-y");
  EXPECT_EQ(n.AudioTag, "-atag");
}

TEST(FfmpegToolsNames, ParamCaptionsFollowTheLanguageInForce) {
  const ParamCaptions captions = Lang::GetParamCaptions();
  EXPECT_EQ(captions.ContainerFormat, "Formato de contenedor");
  EXPECT_EQ(captions.FrameSize, "Tamaño de cuadro (WxH,pixels)");
  EXPECT_EQ(captions.MultipleOutputFiles, "Múltiples archivos de salida");
}

TEST(FfmpegToolsTime, TimeToSecondsReadsHoursMinutesSeconds) {
  struct Case {
    QString in, out;
  } cases[] = {
      {"", ""},
      {"90", "90"},
      {"1:30", "90"},
      {"2:30", "150"},
      {"1:02:03.5", "3723.5"},
      {"10:00:00.123", "36000.12"},
      {"0:0:0", "0"},
      {"0:75", "75"},
      {"1:-5", "55"},
      {" 1 : 2 ", "62"},
      {".5", "0.5"},
      {"-0", "0"},
      {"1:2:3:4", ""},
      {"a:10", ""},
      {"1::2", ""},
      {":5", ""},
      {"-5", ""},
      {"1,5", ""},
      {"5000:00:00", "18000000"},
      {"9223372036854", "9223372013568"},  // ffmpeg's longest time, as single precision holds it
  };
  for (const Case& c : cases)
    EXPECT_EQ(FfmpegTools::TimeToSeconds(c.in), c.out) << c.in.toStdString();
}

// Beyond single precision, or beyond the microseconds on 64 bits that
// ffmpeg's time options hold (as the text ffmpeg reads rounds).
TEST(FfmpegToolsTime, ATimeTooLargeGivesNothingAndShowsNothing) {
  for (const char* text : {"1e50", "1e38:0", "1e50:-1e50", "99999999999999999999", "9223373000000",
                           "2562048000:0:0"}) {
    ScriptedDialogs dialogs;  // any box would fail the test
    EXPECT_EQ(FfmpegTools::TimeToSeconds(text), "") << text;
  }
}

TEST(FfmpegToolsTime, TimeToSecondsWritesADecimalPointWhateverTheLocale) {
  const QLocale before;
  QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
  EXPECT_EQ(FfmpegTools::TimeToSeconds("1:02.25"), "62.25");
  QLocale::setDefault(before);
}

class FfmpegToolsTest : public TestEnv {
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
    EXPECT_EQ(ToolRunner::RunCaptured(CommandLine::Pipeline{{"/usr/bin/ffmpeg", all}}, "", 0, 0,
                                      nullptr, false, 0, output, -1, code),
              ToolRunner::RunResult::Ran);
    EXPECT_EQ(code, 0) << output.toStdString();
    return path;
  }
  const QStringList video = {"-f", "lavfi", "-i", "testsrc=size=160x120:rate=10"};
  const QStringList audio = {"-f", "lavfi", "-i", "sine=d=2"};
};

TEST_F(FfmpegToolsTest, GuardsShowTheirMessageWhenTheToolIsMissing) {
  EXPECT_TRUE(FfmpegTools::FfmpegExists());
  EXPECT_TRUE(FfmpegTools::FfplayExists());
  EXPECT_TRUE(FfmpegTools::FfprobeExists());
  FfmpegTools::State().FfmpegPath = "";
  FfmpegTools::State().FfplayPath = Folder() + "/ffplay";
  FfmpegTools::State().FfprobePath = "";
  ScriptedDialogs dialogs;
  dialogs.ExpectMessage().ExpectMessage().ExpectMessage().ExpectMessage();
  EXPECT_FALSE(FfmpegTools::FfmpegExists());
  EXPECT_FALSE(FfmpegTools::FfplayExists());
  EXPECT_FALSE(FfmpegTools::FfprobeExists());
  EXPECT_EQ(FfmpegTools::ProbeMedia("/whatever.mp4"), MediaInfo{});
  EXPECT_EQ(dialogs.Messages(),
            (QStringList{"No se encuentra ffmpeg", "No se encuentra ffplay",
                         "No se encuentra ffprobe", "No se encuentra ffprobe"}));
  EXPECT_EQ(dialogs.Shown()[2].style, 16);
}

TEST_F(FfmpegToolsTest, ProbeDescribesAnMp4WithAudioVideoAndTags) {
  const QString path = Make(
      "a b $(x) 'c'.mp4",
      video + audio +
          QStringList{"-t", "2", "-c:v", "libx264", "-c:a", "aac", "-metadata", "title=Mi título",
                      "-metadata", "artist=Yo", "-metadata", "album=Disco", "-metadata",
                      "genre=Rock", "-metadata", "track=3", "-metadata:s:a", "title=pista"});
  const MediaInfo info = FfmpegTools::ProbeMedia(path);
  EXPECT_EQ(info.Container, " mov");
  EXPECT_TRUE(info.Duration.startsWith("2.0")) << info.Duration.toStdString();
  EXPECT_TRUE(info.Bitrate.startsWith(" ") && info.Bitrate.endsWith(" kb/s"))
      << info.Bitrate.toStdString();
  EXPECT_EQ(info.HasVideo, 1);
  EXPECT_EQ(info.HasAudio, 1);
  EXPECT_EQ(info.HasSubtitle, 0);
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

TEST_F(FfmpegToolsTest, ProbeOfMatroskaNeverHoldsNotAvailable) {
  const QString path = Make("a.mkv", video + audio + QStringList{"-t", "2", "-c:s", "srt"});
  const MediaInfo info = FfmpegTools::ProbeMedia(path);
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

TEST_F(FfmpegToolsTest, ProbeOfAWavHasAudioOnly) {
  const QString path = Make("tono.wav", audio);
  const MediaInfo info = FfmpegTools::ProbeMedia(path);
  EXPECT_EQ(info.Container, " wav");
  EXPECT_EQ(info.HasAudio, 1);
  EXPECT_EQ(info.HasVideo, 0);
  EXPECT_EQ(info.VideoSize, "");
  EXPECT_EQ(info.AudioCodec, "pcm_s16le");
  EXPECT_EQ(info.AudioCodecTag, "");
  EXPECT_EQ(info.AudioBitrate, "705600");
  EXPECT_EQ(info.Duration, "2.000000");
  EXPECT_EQ(info.Bitrate, " 705 kb/s");
}

// A song with one still picture lasts as long as its sound, not its picture.
TEST_F(FfmpegToolsTest, ProbeTakesTheLengthOfTheWholeFileNotOfItsFirstStream) {
  const QString path = ProbeClips::StillOverSong(Folder());
  ASSERT_FALSE(path.isEmpty());
  const MediaInfo info = FfmpegTools::ProbeMedia(path);
  EXPECT_NEAR(info.Duration.toDouble(), 7, 0.1) << info.Duration.toStdString();
  EXPECT_EQ(info.Container, " mov");
  EXPECT_EQ(info.VideoCodecTag, "avc1");
  EXPECT_EQ(info.AudioCodecTag, "mp4a");
  EXPECT_EQ(info.VideoSize, "160x120");
}

TEST_F(FfmpegToolsTest, ProbeGivesTheSizeAndAspectOfThePictureTurnedUpright) {
  const QString path = ProbeClips::TurnedClip(Folder());
  ASSERT_FALSE(path.isEmpty());
  const MediaInfo info = FfmpegTools::ProbeMedia(path);
  EXPECT_EQ(info.VideoSize, "240x320");
  EXPECT_EQ(info.AspectRatio, "3:4");
}

TEST_F(FfmpegToolsTest, AFileFfprobeCannotReadGivesOnlyItsReason) {
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
    EXPECT_EQ(FfmpegTools::ProbeMedia(c.path), unread) << c.path.toStdString();
  }

  ScriptedDialogs dialogs;
  dialogs.ExpectMessage();
  EXPECT_TRUE(FfmpegTools::SaidUnreadable("/a/b.mp4", FfmpegTools::ProbeMedia(cases[1].path)));
  EXPECT_FALSE(FfmpegTools::SaidUnreadable("/a/b.mp4", MediaInfo{}));
  EXPECT_EQ(dialogs.Messages(), QStringList{"No se pudo leer el archivo /a/b.mp4\n" +
                                            QString(ProbeClips::UnreadableReason)});
  EXPECT_EQ(dialogs.Shown()[0].style, 16);
}

// The side data's rotation of newer writers and the rotate tag of older ones;
// only a quarter turn, either way, trades width and height.
TEST(FfmpegToolsProbe, ParseTurnsAPictureOnItsSideUpright) {
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
    const MediaInfo info = FfmpegTools::ParseProbeOutput(output);
    EXPECT_EQ(info.VideoSize, c.size) << c.turn;
    EXPECT_EQ(info.AspectRatio, c.aspect) << c.turn;
  }
}

// The container's duration first, then the first stream's, then the header's.
TEST(FfmpegToolsProbe, ParseTakesTheContainersDurationBeforeAStreams) {
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
    const MediaInfo info = FfmpegTools::ParseProbeOutput(c.output);
    EXPECT_EQ(info.Duration, c.duration) << c.output.toStdString();
    EXPECT_EQ(info.Bitrate, " 9 kb/s");
    EXPECT_EQ(info.HasVideo, 1);
  }
}

TEST(FfmpegToolsProbe, ParseTakesTheFirstStreamOfEachKind) {
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
  const MediaInfo info = FfmpegTools::ParseProbeOutput(output);
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
  EXPECT_EQ(info.HasSubtitle, 1);
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

TEST_F(FfmpegToolsTest, FfmpegStoppedWithQWritesAValidFile) {
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
                Folder(), 1, 1, nullptr, false, 3, output, 4096, code, quitAfterASecond),
            ToolRunner::RunResult::Ran);
  EXPECT_TRUE(sentQ) << output.toStdString();
  EXPECT_EQ(code, 0) << output.toStdString();
  const MediaInfo info = FfmpegTools::ProbeMedia(path);
  EXPECT_EQ(info.HasVideo, 1);
  EXPECT_GT(info.Duration.toDouble(), 0.5) << info.Duration.toStdString();
}

// ffmpeg run through the console runner, its output read by a report as it comes.
struct ReportedRun {
  int32_t code = -1;
  QString kept;  // the last 256 characters, as a caller may keep them
  FfmpegTools::ConsoleReport report;
};
ReportedRun RunReported(const QStringList& arguments) {
  ReportedRun run;
  EXPECT_EQ(ToolRunner::RunCaptured(CommandLine::Pipeline{{"/usr/bin/ffmpeg", arguments}}, "", 0, 0,
                                    nullptr, false, 0, run.kept, 256, run.code,
                                    [&run](const QString& chunk) { run.report.Add(chunk); }),
            ToolRunner::RunResult::Ran);
  return run;
}

// ffmpeg 5.1 ends with 0 when only its trailer or the closing of the file
// could not be written, as on a full disk; /dev/full refuses every write.
TEST_F(FfmpegToolsTest, AWriteThatCouldNotFinishIsReportedThoughFfmpegEndsWithZero) {
  const QStringList tone = {"-f", "lavfi", "-i", "sine=d=3", "-y", "-f", "mp3"};
  const ReportedRun full = RunReported(tone + QStringList{"/dev/full"});
  EXPECT_EQ(full.code, 0);
  EXPECT_TRUE(full.report.WriteFailed()) << full.kept.toStdString();

  const ReportedRun written = RunReported(tone + QStringList{Folder() + "/tone.mp3"});
  EXPECT_EQ(written.code, 0);
  EXPECT_FALSE(written.report.WriteFailed());
  EXPECT_EQ(written.report.MappedInputs(), QList<int>{0});
}

// With several inputs ffmpeg picks one video (the largest) and one audio
// stream, and its stream mapping says which inputs it read.
TEST_F(FfmpegToolsTest, TheStreamMappingNamesTheInputsTheOutputReads) {
  const QString large = Make("large.mkv", {"-f", "lavfi", "-i", "testsrc=size=160x120:rate=10",
                                           "-t", "1", "-c:v", "mpeg4"});
  const QString small = Make(
      "small.mkv", {"-f", "lavfi", "-i", "testsrc=size=80x60:rate=10", "-t", "1", "-c:v", "mpeg4"});
  const QString tone = Make("tone.wav", {"-f", "lavfi", "-i", "sine=d=1"});
  const ReportedRun run =
      RunReported({"-i", small, "-i", tone, "-i", large, "-y", Folder() + "/out.mkv"});
  EXPECT_EQ(run.code, 0);
  QList<int> read = run.report.MappedInputs();
  std::sort(read.begin(), read.end());
  EXPECT_EQ(read, (QList<int>{1, 2}));

  const ReportedRun graph =
      RunReported({"-i", small, "-i", large, "-filter_complex", "[1:v]scale=40:30[v]", "-map",
                   "[v]", "-y", Folder() + "/graph.mkv"});
  EXPECT_EQ(graph.code, 0);
  EXPECT_EQ(graph.report.MappedInputs(), QList<int>{1});
}

// An encoder that redraws its progress with backspaces never ends its line:
// megabytes of one line. The report reads it in time in proportion to its
// length, a small part of what the run itself spends, and reads the lines
// after it as always.
TEST_F(FfmpegToolsTest, AToolThatNeverEndsItsLineCostsTheReportTimeInProportion) {
  const QString script =
      "yes \"$(printf '\\b\\b\\b\\b\\b\\b\\b%7s' 42%)\" | tr -d '\\n' | head -c 8000000; "
      "printf '\\n[mp3 @ 0x1] Error writing trailer: No space left on device\\n'";
  FfmpegTools::ConsoleReport report;
  qint64 reportNs = 0;
  QString kept;
  int32_t code = -1;
  QElapsedTimer run;
  run.start();
  const ToolRunner::RunResult result = ToolRunner::RunCaptured(
      CommandLine::Pipeline{{"/bin/sh", {"-c", script}}}, Folder(), 0, 0, ToolRunner::OutputSink(),
      ConsoleText::NoDisplay, kept, 256, code, [&](const QString& chunk) {
        QElapsedTimer add;
        add.start();
        report.Add(chunk);
        reportNs += add.nsecsElapsed();
      });
  ASSERT_EQ(result, ToolRunner::RunResult::Ran);
  const qint64 runNs = run.nsecsElapsed();
  EXPECT_EQ(code, 0);
  EXPECT_TRUE(report.WriteFailed()) << kept.toStdString();
  EXPECT_LT(reportNs, runNs / 4) << "report " << reportNs / 1000000 << " ms of a run of "
                                 << runNs / 1000000 << " ms";
}

// What the statistics ffmpeg logs at its end (at the verbose level) and its
// status lines tell, also with the source tags later versions put before them.
TEST(FfmpegToolsReport, OutputStatisticsAndStatusLinesTellWhatTheOutputGot) {
  const QString inputTotal = "Input file #0 (m.wav):\r\n  Total: 0 packets (0 bytes) demuxed\r\n";
  struct Case {
    const char* name;
    QString text;
    bool empty;
    std::optional<double> seconds;
  };
  const Case cases[] = {
      {"nothing muxed",
       "size=       0kB time=00:00:00.00 bitrate=N/A speed=   0x\r\n" + inputTotal +
           "Output file #0 (o.mp3):\r\n  Output stream #0:0 (audio): 0 frames encoded (0 "
           "samples); 0 packets muxed (0 bytes); \r\n  Total: 0 packets (0 bytes) muxed\r\n",
       true, 0.0},
      {"written",
       "size=       0kB time=00:00:00.00 bitrate=N/A\r\nsize=      16kB time=00:00:02.01 "
       "bitrate=  65.7kbits/s speed= 191x\r\nOutput file #0 (o.mp3):\r\n"
       "  Total: 78 packets (16300 bytes) muxed\r\n",
       false, 2.01},
      {"only an input got nothing", inputTotal, false, std::nullopt},
      {"the second of two outputs got nothing",
       "frame=   10 fps=0.0 q=-1.0 Lsize=      11kB time=01:02:03.50 bitrate=  44.9kbits/s\r\n"
       "  Total: 98 packets (6462 bytes) muxed\r\n  Total: 0 packets (0 bytes) muxed\r\n",
       true, 3723.5},
      {"tagged",
       "[out#0/mp3 @ 0x1] Output file #0 (o.mp3):\r\n"
       "[out#0/mp3 @ 0x1]   Output stream #0:0 (audio): 0 packets muxed (0 bytes); \r\n"
       "[out#0/mp3 @ 0x1]   Total: 0 packets (0 bytes) muxed\r\n"
       "size=N/A time=N/A bitrate=N/A\r\n",
       true, std::nullopt},
      {"an output of a format that holds no stream",
       "Output file #0 (tags.ffmeta):\r\n  Total: 0 packets (0 bytes) muxed\r\n", false,
       std::nullopt},
      {"a name that only looks like a status", "Input #0, wav, from 'size= time=00:00:09.00':\r\n",
       false, std::nullopt},
  };
  for (const Case& c : cases) {
    FfmpegTools::ConsoleReport report;
    report.Add(c.text);
    EXPECT_EQ(report.OutputEmpty(), c.empty) << c.name;
    EXPECT_EQ(report.OutputSeconds(), c.seconds) << c.name;
  }
}

TEST(FfmpegToolsReport, ReadsLinesWhereverTheChunksSplitThem) {
  const QString output =
      "Stream mapping:\r\n  Stream #1:0 -> #0:0 (mpeg4 (native) -> mpeg4 (native))\r\n"
      "\r\n  Stream #0:0 (pcm_s16le) -> amix:input0\r\n  amix -> Stream #0:1 (aac)\r\n"
      "Press [q] to stop, [?] for help\r\n"
      "  Stream #2:0 is a later line that no mapping holds\r\n"
      "size=   0kB time=00:00:00.00 bitrate=N/A speed=   0x\r\n"
      "[mp3 @ 0x55d] Error writing trailer: No space left on device\r\n";
  for (int cut : {1, 7, 20, 60, 200}) {
    FfmpegTools::ConsoleReport report;
    for (qsizetype at = 0; at < output.size(); at += cut) report.Add(output.mid(at, cut));
    EXPECT_TRUE(report.WriteFailed()) << cut;
    EXPECT_EQ(report.MappedInputs(), (QList<int>{1, 0})) << cut;
  }
  struct Case {
    const char* line;
    bool failed;
  };
  const Case cases[] = {
      {"Error closing file /m/a.mp3: No space left on device", true},
      {"Error writing trailer of /m/a.mp3: File too large", true},
      {"Input #0, wav, from '/m/Error closing file x.wav':", false},
      {"av_interleaved_write_frame(): Broken pipe", false},
      {"", false},
  };
  for (const Case& c : cases) {
    FfmpegTools::ConsoleReport report;
    report.Add(QString(c.line) + "\r\n");
    EXPECT_EQ(report.WriteFailed(), c.failed) << c.line;
    EXPECT_TRUE(report.MappedInputs().isEmpty()) << c.line;
  }
}

}  // namespace
