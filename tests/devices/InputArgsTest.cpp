#include <QProcess>
#include <QStandardPaths>

#include "TestEnv.h"
#include "core/convert/Conversion.h"
#include "core/devices/Recorder.h"
#include "core/devices/Streamer.h"
#include "core/frame/FfmpegTools.h"

namespace {

// As ffmpeg -sources prints it on a machine with a camera and PulseAudio.
const char* const kPulseAndCamera =
    "Auto-detected sources for alsa:\n"
    "* null [Discard all samples (playback) or generate zero samples (capture)] (none)\n"
    "Auto-detected sources for jack:\n"
    "Cannot list sources: Function not implemented\n"
    "Auto-detected sources for pulse:\n"
    "* alsa_input.pci-0000_00_1f.3.analog-stereo [Built-in Audio Analog Stereo] (audio)\n"
    "  alsa_output.pci-0000_00_1f.3.analog-stereo.monitor [Monitor of Built-in Audio] (audio)\n"
    "Auto-detected sources for lavfi:\n"
    "Cannot list sources: Function not implemented\n"
    "Auto-detected sources for video4linux2,v4l2:\n"
    "  /dev/video0 [Integrated Camera: Integrated C] (video)\n"
    "  /dev/video2 [USB Camera [HD]] (video)\n"
    "Auto-detected sources for x11grab:\n"
    "Cannot list sources: Function not implemented\n";

TEST(CaptureDeviceList, SortsTheSourcesIntoAudioAndVideo) {
  struct Case {
    const char* name;
    QString listing;
    QStringList audio;
    QStringList video;
  } cases[] = {
      {"pulse and camera",
       kPulseAndCamera,
       {"alsa:null", "pulse:alsa_input.pci-0000_00_1f.3.analog-stereo",
        "pulse:alsa_output.pci-0000_00_1f.3.analog-stereo.monitor"},
       {"v4l2:/dev/video0", "v4l2:/dev/video2"}},
      {"video before audio",
       "Auto-detected sources for video4linux2,v4l2:\n  /dev/video0 [Cam] (video)\n"
       "Auto-detected sources for pulse:\n* default [Mic] (audio)\n",
       {"pulse:default"},
       {"v4l2:/dev/video0"}},
      {"only video",
       "Auto-detected sources for video4linux2,v4l2:\n  /dev/video0 [Cam] (video)\n",
       {},
       {"v4l2:/dev/video0"}},
      {"lines outside a section, and without a description",
       "  /dev/video9 [Stray] (video)\nAuto-detected sources for pulse:\n  noname\n",
       {},
       {}},
      {"a heading with no name", "Auto-detected sources for \n* x [y] (audio)\n", {}, {}},
      {"nothing", QString(), {}, {}},
  };
  for (const Case& c : cases) {
    QStringList audio{"stale"};
    QStringList video{"stale"};
    Recorder::ParseDeviceList(c.listing, audio, video);
    EXPECT_EQ(audio, c.audio) << c.name;
    EXPECT_EQ(video, c.video) << c.name;
  }
}

TEST(CaptureDeviceList, ReadsTheInstalledFfmpegsListing) {
  const QString ffmpeg = QStandardPaths::findExecutable("ffmpeg");
  ASSERT_FALSE(ffmpeg.isEmpty());
  QProcess process;
  process.setProcessChannelMode(QProcess::MergedChannels);
  process.start(ffmpeg, {"-hide_banner", "-sources"});
  ASSERT_TRUE(process.waitForFinished(30000));
  QStringList audio;
  QStringList video;
  Recorder::ParseDeviceList(QString::fromUtf8(process.readAll()), audio, video);
  for (const QString& device : audio + video) {
    EXPECT_TRUE(device.contains(':')) << device.toStdString();
    EXPECT_FALSE(device.contains('[')) << device.toStdString();
  }
}

TEST(CaptureDeviceText, NamesItsInputFormatOrTakesTheDefault) {
  struct Case {
    const char* text;
    Recorder::Device device;
  } cases[] = {
      {"pulse:default", {"pulse", "default"}},
      {"alsa:hw:CARD=PCH,DEV=0", {"alsa", "hw:CARD=PCH,DEV=0"}},
      {"lavfi:testsrc=size=160x120:rate=10", {"lavfi", "testsrc=size=160x120:rate=10"}},
      {"v4l2:/dev/video0", {"v4l2", "/dev/video0"}},
      {"hw:0", {"pulse", "hw:0"}},
      {"default", {"pulse", "default"}},
      {":x", {"pulse", ":x"}},
  };
  for (const Case& c : cases) EXPECT_EQ(Recorder::ParseDevice(c.text, "pulse"), c.device) << c.text;
}

Recorder::Source NetworkSource(const QString& address) {
  Recorder::Source source;
  source.Network = true;
  source.Address = address;
  return source;
}

Recorder::Source DeviceSource(bool useAudio, const QString& audio, bool useVideo,
                              const QString& video) {
  Recorder::Source source;
  source.Devices = true;
  source.UseAudio = useAudio;
  source.AudioDevice = audio;
  source.UseVideo = useVideo;
  source.VideoDevice = video;
  return source;
}

class InputArgsTest : public TestEnv {
 protected:
  void SetUp() override {
    TestEnv::SetUp();
    FfmpegTools::InitOptionNames();
  }
};

TEST_F(InputArgsTest, BuildsTheSourcesInputArguments) {
  using Recorder::Source;
  const Source audio = DeviceSource(true, "pulse:default", false, "v4l2:/dev/video0");
  const Source video = DeviceSource(false, "pulse:default", true, "/dev/video0");
  const Source both = DeviceSource(true, "default", true, "v4l2:/dev/video0");
  Source neither = DeviceSource(true, "a", true, "v");
  neither.Devices = false;
  struct Case {
    const char* name;
    Source source;
    bool withBuffer;
    QString buffer;
    QString args;
  } cases[] = {
      {"address", NetworkSource("udp://0.0.0.0:9000"), true, "64", "-i udp://0.0.0.0:9000"},
      {"address empty", NetworkSource(""), false, "", ""},
      {"audio only", audio, false, "", " -f pulse -i default"},
      {"video only", video, false, "", " -f v4l2 -i /dev/video0"},
      {"audio first", both, false, "", " -f pulse -i default  -f v4l2 -i /dev/video0"},
      {"buffer before each input", both, true, "64",
       "-rtbufsize 64M -f pulse -i default -rtbufsize 64M -f v4l2 -i /dev/video0"},
      {"buffer 0", audio, true, "0", " -f pulse -i default"},
      {"buffer empty", audio, true, "", " -f pulse -i default"},
      {"buffer not asked", audio, false, "64", " -f pulse -i default"},
      {"ticked but empty", DeviceSource(true, "", false, "v"), false, "", ""},
      {"nothing ticked", DeviceSource(false, "a", false, "v"), false, "", ""},
      {"no source option", neither, false, "", ""},
  };
  for (const Case& c : cases)
    EXPECT_EQ(Recorder::InputArgs(c.source, c.withBuffer, c.buffer), c.args) << c.name;
}

TEST(BufferSize, AcceptsWholeMegabytesOnly) {
  struct Case {
    const char* text;
    bool valid;
  } cases[] = {{"64", true},   {"0", true},    {" 128 ", true}, {"1.5", false},
               {"-3", false},  {"1,5", false}, {"abc", false},  {"", false},
               {"64M", false}, {"inf", false}, {"nan", false},  {"+8", true}};
  for (const Case& c : cases) EXPECT_EQ(Recorder::IsValidBufferSize(c.text), c.valid) << c.text;
}

TEST_F(InputArgsTest, PreviewNeverBuffersAndJoinsTwoDevicesInOneGraph) {
  Recorder::State().RecBufferSizeMB = "64";
  const Recorder::Source audio = DeviceSource(true, "pulse:default", false, "");
  EXPECT_EQ(Recorder::PreviewArgs(audio), "-x 640 -y 480  -f pulse -i default");
  EXPECT_EQ(Recorder::PreviewArgs(NetworkSource("rtp://h:5004")), "-x 640 -y 480 -i rtp://h:5004");
  EXPECT_EQ(Recorder::PreviewArgs({}), "");

  const Recorder::Source both =
      DeviceSource(true, "lavfi:sine=f=440:d=5", true, "lavfi:testsrc=size=160x120:rate=10");
  const QStringList words = Conversion::SplitArguments(Recorder::PreviewArgs(both));
  ASSERT_EQ(words.size(), 8);
  EXPECT_EQ(words.mid(0, 7), QStringList({"-x", "640", "-y", "480", "-f", "lavfi", "-i"}));
  // ffmpeg opens the very graph ffplay gets, with both streams.
  const QString ffmpeg = QStandardPaths::findExecutable("ffmpeg");
  QProcess process;
  process.setProcessChannelMode(QProcess::MergedChannels);
  process.start(ffmpeg,
                {"-hide_banner", "-f", "lavfi", "-i", words[7], "-t", "0.5", "-f", "null", "-"});
  ASSERT_TRUE(process.waitForFinished(30000));
  const QString output = QString::fromUtf8(process.readAll());
  EXPECT_EQ(process.exitCode(), 0) << output.toStdString();
  EXPECT_TRUE(output.contains("Video: wrapped_avframe")) << output.toStdString();
  EXPECT_TRUE(output.contains("Audio: pcm_s16le")) << output.toStdString();
  Recorder::State().RecBufferSizeMB.clear();
}

TEST_F(InputArgsTest, RecordCommandPutsTheProfilesPiecesAroundTheInput) {
  FfmpegTools::State().FfmpegPath = "/opt/ff mpeg/ffmpeg";
  CompiledFormat format;
  format.InputOptions = " -thread_queue_size 512";
  format.OutputOptions = " -f matroska";
  format.AudioOptions = " -c:a flac";
  format.VideoOptions = " -c:v ffv1";
  format.NoSubtitlesOption = " -sn";
  // ffmpeg replaces an existing file only when the user agreed to it.
  for (const bool replace : {true, false}) {
    const Conversion::StepCommand step = Recorder::RecordCommand(
        format, " -f lavfi -i \"sine\"", "-t 2", "/out/it's \"mine\".mkv", replace);
    const QString overwrite = replace ? "-y" : "-n";
    EXPECT_EQ(step.Command.program, "/opt/ff mpeg/ffmpeg");
    EXPECT_EQ(step.Command.arguments,
              QStringList({"-thread_queue_size", "512", "-f", "lavfi", "-i", "sine", "-t", "2",
                           "-f", "matroska", "-c:a", "flac", "-c:v", "ffv1", overwrite, "-sn",
                           "/out/it's \"mine\".mkv"}));
    EXPECT_EQ(step.Shown,
              "'/opt/ff mpeg/ffmpeg' -thread_queue_size 512 -f lavfi -i sine -t 2 -f "
              "matroska -c:a flac -c:v ffv1 " +
                  overwrite + " -sn '/out/it'\\''s \"mine\".mkv'");
  }
  FfmpegTools::State().FfmpegPath.clear();
}

TEST(StreamRepeat, LoopsEndlesslyOrTheCountTimes) {
  struct Case {
    bool repeat;
    const char* count;
    bool valid;
    const char* option;
  } cases[] = {
      {false, "abc", true, ""},
      {true, "<Infinito>", true, "-stream_loop -1"},
      {true, "3", true, "-stream_loop 3"},
      {true, "1.5", false, ""},
      {true, "1,5", false, ""},
      {true, "-2", false, ""},
      {true, "tres", false, ""},
      {true, "", false, ""},
  };
  for (const Case& c : cases) {
    QString option = "stale";
    EXPECT_EQ(Streamer::LoopOption(c.repeat, c.count, "<Infinito>", option), c.valid) << c.count;
    EXPECT_EQ(option, c.option) << c.count;
  }
}

TEST_F(InputArgsTest, StreamCommandsWithAndWithoutProfile) {
  FfmpegTools::State().FfmpegPath = "/usr/bin/ffmpeg";
  const Conversion::StepCommand automatic = Streamer::AutomaticStreamCommand(
      "", "-f concat -safe 0 -i \"/t/concat.txt\"", "udp://10.0.0.2:8080");
  EXPECT_EQ(automatic.Command.arguments, QStringList({"-re",
                                                      "-f",
                                                      "concat",
                                                      "-safe",
                                                      "0",
                                                      "-i",
                                                      "/t/concat.txt",
                                                      "-f",
                                                      "mpegts",
                                                      "-c:v",
                                                      "libx264",
                                                      "-c:a",
                                                      "libmp3lame",
                                                      "-b:a",
                                                      "24k",
                                                      "-ar",
                                                      "22050",
                                                      "-maxrate:v",
                                                      "750k",
                                                      "-preset",
                                                      "ultrafast",
                                                      "-tune",
                                                      "zerolatency",
                                                      "-async",
                                                      "1",
                                                      "-bsf:v",
                                                      "h264_mp4toannexb",
                                                      "-bufsize",
                                                      "3000k",
                                                      "udp://10.0.0.2:8080"}));
  EXPECT_TRUE(automatic.Shown.startsWith("/usr/bin/ffmpeg -re -f concat -safe 0 -i /t/concat.txt"));
  const QStringList overRtp =
      Streamer::AutomaticStreamCommand("", "-i x", "rtp://10.0.0.2:8080").Command.arguments;
  EXPECT_EQ(overRtp.mid(3, 3), QStringList({"-f", "rtp_mpegts", "-c:v"}));

  CompiledFormat format;
  format.InputOptions = " -thread_queue_size 64";
  format.OutputOptions = " -f mpegts";
  format.VideoOptions = " -c:v mpeg2video";
  format.NoAudioOption = " -an";
  const Conversion::StepCommand profile =
      Streamer::ProfileStreamCommand("-stream_loop -1", format, "-i udp://src:1", "rtp://h:8080");
  EXPECT_EQ(profile.Command.arguments,
            QStringList({"-stream_loop", "-1", "-thread_queue_size", "64", "-i", "udp://src:1",
                         "-f", "rtp_mpegts", "-c:v", "mpeg2video", "-an", "rtp://h:8080"}));
  struct Case {
    const char* outputOptions;
    const char* address;
    QStringList arguments;
  } cases[] = {
      {" -f mpegts -muxrate 1M", "udp://h:8080", {"-f", "mpegts", "-muxrate", "1M"}},
      {" -f mpegts", "RTP://h:8080", {"-f", "rtp_mpegts"}},
      {" -f rtp", "rtp://h:8080", {"-f", "rtp"}},
      {" -f matroska", "rtp://h:8080", {"-f", "matroska"}},
      {" -metadata x=y", "rtp://h:8080", {"-metadata", "x=y"}},
  };
  for (const Case& c : cases) {
    CompiledFormat own;
    own.OutputOptions = c.outputOptions;
    const QStringList arguments =
        Streamer::ProfileStreamCommand("", own, "-i in", c.address).Command.arguments;
    EXPECT_EQ(arguments.mid(2, arguments.size() - 3), c.arguments) << c.outputOptions;
  }
  FfmpegTools::State().FfmpegPath.clear();
}

}  // namespace
