#include <QFile>
#include <QImage>

#include "EditingFixture.h"
#include "ProbeClips.h"
#include "core/editing/EditPreview.h"
#include "core/frame/FfmpegProbe.h"
#include "core/frame/FfmpegTools.h"
#include "core/ground/CommandLine.h"
#include "gui/ground/ConsoleBox.h"

namespace {

using EditPreview::Rect;
using EditPreview::UnitBox;

class EditPreviewTest : public EditingTest {
 protected:
  // Runs one command with the console runner; returns its exit code.
  int Run(const CommandLine::Command& command, QString& output) {
    int exitCode = -1;
    EXPECT_EQ(ToolRunner::RunCaptured(CommandLine::Pipeline{command}, QString(), 0, 0, nullptr,
                                      true, ConsoleText::Display::NoDisplay, output, -1, exitCode),
              ToolRunner::RunResult::Ran);
    return exitCode;
  }
};

TEST_F(EditPreviewTest, CropOptionsTakeUnitsAndFillInTheWholeFrame) {
  const struct {
    UnitBox w, h, x, y;
    const char* options;
  } rows[] = {
      {{}, {}, {}, {}, "-vf crop=iw:ih:(iw-ow)/2:(ih-oh)/2"},
      {{"320", SizeUnit::Pixels}, {}, {}, {"10", SizeUnit::Pixels}, "-vf crop=320:ih:(iw-ow)/2:10"},
      {{"0", SizeUnit::Pixels},
       {"0.5", SizeUnit::InputHeight},
       {"0.1", SizeUnit(3)},
       {"0.2", SizeUnit(4)},
       "-vf crop=iw:0.5*ih:0.1*ow:0.2*oh"},
      {{"0.5", SizeUnit::InputWidth},
       {"100.7", SizeUnit::Pixels},
       {".", SizeUnit::Pixels},
       {},
       "-vf crop=0.5*iw:100:(iw-ow)/2:(ih-oh)/2"},
      {{"0.5", SizeUnit(3)},
       {"0.5", SizeUnit(3)},
       {},
       {},
       "-vf crop=0.5*oh:0.5*ow:(iw-ow)/2:(ih-oh)/2"},
      // A damaged file's unit byte leaves its list with no selection.
      {{"320", SizeUnit(-1)}, {"200", SizeUnit(7)}, {}, {}, "-vf crop=320:200:(iw-ow)/2:(ih-oh)/2"},
  };
  for (const auto& row : rows) {
    EXPECT_EQ(EditPreview::CropOptions(row.w, row.h, row.x, row.y), row.options) << row.options;
  }
}

TEST_F(EditPreviewTest, ResizeVolumeBorderAndTrackOptions) {
  EXPECT_EQ(EditPreview::ResizeOptions({"640", SizeUnit::Pixels}, {}, AspectSetting::Keep, "2"),
            "-vf scale=640:ih");
  EXPECT_EQ(EditPreview::ResizeOptions({"640", SizeUnit::Pixels}, {"360", SizeUnit::Pixels},
                                       AspectSetting::FromRatio, "1.777"),
            "-vf scale=640:360,setdar=1.777");
  EXPECT_EQ(EditPreview::ResizeOptions({"0.5", SizeUnit::InputWidth}, {"0", SizeUnit::Pixels},
                                       AspectSetting::FitFinalSize, ""),
            "-vf scale=0.5*iw:ih,setdar");
  EXPECT_EQ(EditPreview::VolumeOptions(""), "-af volume=1");
  EXPECT_EQ(EditPreview::VolumeOptions("200"), "-af volume=2");
  EXPECT_EQ(EditPreview::VolumeOptions("50"), "-af volume=0.5");
  EXPECT_EQ(EditPreview::BorderOptions({"20", SizeUnit::Pixels}, {}, {}, {}, "000000"),
            "-vf pad=iw+20:ih:20:0:000000");
  EXPECT_EQ(EditPreview::BorderOptions({"20", SizeUnit::Pixels}, {"20", SizeUnit::Pixels},
                                       {"0.1", SizeUnit::InputHeight},
                                       {"0.1", SizeUnit::InputHeight}, "FF0000"),
            "-vf pad=iw+20+20:ih+0.1*ih+0.1*ih:20:0.1*ih:FF0000");
  EXPECT_EQ(EditPreview::BorderOptions({}, {"8", SizeUnit::InputWidth}, {}, {}, ""),
            "-vf pad=iw+8*iw:ih:0:0:000000");
  EXPECT_EQ(EditPreview::RemoveTrackOptions(false, true, false), " -vn");
  EXPECT_EQ(EditPreview::RemoveTrackOptions(true, true, true), "-an -vn -sn");
  EXPECT_EQ(EditPreview::RemoveTrackOptions(false, false, false), "");
}

TEST_F(EditPreviewTest, TheEqualiserChainSkipsBandsReadingZero) {
  std::array<QString, 10> frequencies{"31",   "63",   "125",  "250",  "500",
                                      "1000", "2000", "4000", "8000", "16000"};
  std::array<QString, 10> widths;
  widths.fill("1");
  std::array<QString, 10> gains;
  gains.fill("0");
  EXPECT_EQ(EditPreview::EqualizerChain(frequencies, widths, gains), "");
  gains[0] = "3";
  gains[9] = "-2.5";
  gains[4] = "0.0";
  EXPECT_EQ(EditPreview::EqualizerChain(frequencies, widths, gains),
            "equalizer=f=31:width_type=o:width=1:gain=3,equalizer=f=500:width_type=o:width=1:"
            "gain=0.0,equalizer=f=16000:width_type=o:width=1:gain=-2.5");
}

TEST_F(EditPreviewTest, PlayOptionsOfTheExplorer) {
  EXPECT_EQ(EditPreview::PlayCropOptions(0.5f - 2, 2, 20, {0.5f, 0, 0.5f, 1}),
            "-ss 10 -vf crop=0.5*iw:ih:0.5*iw:0*ih,setdar");
  EXPECT_EQ(EditPreview::PlayCropOptions(-2, 2, 60, {0, 0, 1, 1}), "");
  EXPECT_EQ(EditPreview::PlayRangeOptions(0.25f, 0.5f, 60), "-ss 15 -t 30");
  EXPECT_EQ(EditPreview::PlayRangeOptions(0, 0.5f, 60), " -t 30");
}

TEST_F(EditPreviewTest, CropDetectOutputBecomesFractionsOfTheFrame) {
  const QString line =
      "[Parsed_cropdetect_0 @ 0x1] x1:8 x2:711 crop=704:560:8:8\nmore crop=1:1:1:1\n";
  const auto rect = EditPreview::ParseCropDetect(line, 0, 720, 576);
  ASSERT_TRUE(rect);
  EXPECT_FLOAT_EQ(rect->width, 704.0f / 720);
  EXPECT_FLOAT_EQ(rect->height, 560.0f / 576);
  EXPECT_FLOAT_EQ(rect->left, 8.0f / 720);
  EXPECT_FLOAT_EQ(rect->top, 8.0f / 576);
  const struct {
    const char* output;
    int exitCode;
    int width;
  } failures[] = {{"crop=704:560:8:8\n", 1, 720},
                  {"no line\n", 0, 720},
                  {"crop=704:560:8:8", 0, 720},
                  {"crop=704:560:8\n", 0, 720},
                  {"crop=704:x:8:8\n", 0, 720},
                  {"crop=704:560:8:8\n", 0, 0},
                  // An all-black frame: cropdetect finds no picture at all.
                  {"crop=-704:-560:714:570\n", 0, 720}};
  for (const auto& row : failures) {
    EXPECT_FALSE(EditPreview::ParseCropDetect(row.output, row.exitCode, row.width, 576))
        << row.output;
  }
}

// "Aceptar" in the explorer: the marked range as the trim panel's times.
TEST_F(EditPreviewTest, AMarkedRangeBecomesTheTrimTimesSetInIt) {
  const struct {
    double left, width;
    bool endMarked;
    float duration;
    EditPreview::TrimTimes expected;
  } cases[] = {
      {0.25, 0.5, true, 60, {"15", "45"}},
      {0, 0.5, true, 60, {"", "30"}},      // starts at the beginning: no start time
      {0.25, 0.5, false, 60, {"15", ""}},  // the end was never marked
      {0, 1, true, 60, {"", ""}},          // the whole file
      {0.1, 0.25, true, 7.3f, {"0.73", "2.555"}},
      {0.123456, 0.2, true, 7.3f, {"0.9", "2.361229"}},  // the start rounded, the end not
  };
  for (const auto& c : cases) {
    const EditPreview::TrimTimes times =
        EditPreview::RangeTrimTimes(c.left, c.width, c.endMarked, c.duration);
    EXPECT_EQ(times.start, c.expected.start) << c.left << " " << c.width;
    EXPECT_EQ(times.end, c.expected.end) << c.left << " " << c.width;
  }
}

// The crop rectangle as the crop panel's whole pixels; a detected rectangle
// comes back whole although its fractions are singles.
TEST_F(EditPreviewTest, ACropRectangleBecomesWholePixelsOfTheFrame) {
  const auto detected = EditPreview::ParseCropDetect("crop=704:560:8:8\n", 0, 720, 576);
  ASSERT_TRUE(detected);
  const QRectF fromDetection(detected->left, detected->top, detected->width, detected->height);
  EXPECT_EQ(EditPreview::RectPixels(fromDetection, 720, 576),
            (EditPreview::CropPixels{"704", "560", "8", "8"}));
  EXPECT_EQ(EditPreview::RectPixels(QRectF(0.1, 0.2, 0.333, 0.5), 640, 480),
            (EditPreview::CropPixels{"213", "240", "64", "96"}));
}

// The test file's facts as the window uses them, from ffprobe's report.
TEST_F(EditPreviewTest, TheTestFilesFactsComeFromTheProbeAndUnreadableOnesStayZero) {
  MediaInfo info;
  info.HasVideo = true;
  info.HasAudio = true;
  info.Duration = "12.5";
  info.VideoSize = "720x576";
  info.AspectRatio = "16:9";
  EXPECT_EQ(EditPreview::FactsOf(info),
            (EditPreview::TestFileFacts{1, 1, 12.5f, 720, 576, 16.0f / 9}));

  const struct {
    const char* duration;
    const char* size;
    const char* aspect;
    bool hasVideo;
    EditPreview::TestFileFacts expected;
  } cases[] = {
      {"", "", "", 0, {0, 0, 0, 0, 0, 0}},
      {"inf", "720x576", "4:0", 1, {1, 0, 0, 720, 576, 0}},       // no duration, no ratio
      {"3", "720x576", "", 0, {0, 0, 3, 0, 0, 0}},                // no video: no size
      {"3", "720", "x:3", 1, {1, 0, 3, 720, 0, 0}},               // half a size, no ratio
      {"3", "99999x576", "4:3", 1, {1, 0, 3, 0, 576, 4.0f / 3}},  // too wide to hold
  };
  for (const auto& c : cases) {
    MediaInfo odd;
    odd.HasVideo = c.hasVideo;
    odd.Duration = c.duration;
    odd.VideoSize = c.size;
    odd.AspectRatio = c.aspect;
    EXPECT_EQ(EditPreview::FactsOf(odd), c.expected)
        << c.duration << " " << c.size << " " << c.aspect;
  }

  const QString clip =
      MakeClip("facts.mkv", {"testsrc=size=160x120:rate=10"}, {"-t", "2", "-c:v", "ffv1"});
  FfmpegTools::State().FfprobePath = "/usr/bin/ffprobe";
  const EditPreview::TestFileFacts probed = EditPreview::FactsOf(FfmpegProbe::ProbeMedia(clip));
  EXPECT_TRUE(probed.hasVideo);
  EXPECT_EQ(probed.width, 160);
  EXPECT_EQ(probed.height, 120);
  EXPECT_NEAR(probed.duration, 2, 0.2);

  // The whole song under a still picture; a portrait clip as it is seen.
  const EditPreview::TestFileFacts song =
      EditPreview::FactsOf(FfmpegProbe::ProbeMedia(ProbeClips::StillOverSong(Folder())));
  EXPECT_NEAR(song.duration, 7, 0.1);
  const EditPreview::TestFileFacts turned =
      EditPreview::FactsOf(FfmpegProbe::ProbeMedia(ProbeClips::TurnedClip(Folder())));
  EXPECT_EQ(turned.width, 240);
  EXPECT_EQ(turned.height, 320);
  EXPECT_FLOAT_EQ(turned.aspect, 0.75f);
}

TEST_F(EditPreviewTest, BorderDetectionFindsThePaddingOfARealClip) {
  const QString clip = PaddedClip();
  QString output;
  const int exitCode = Run(EditPreview::BorderDetection(clip, "0.5"), output);
  const auto rect = EditPreview::ParseCropDetect(output, exitCode, 160, 120);
  ASSERT_TRUE(rect) << output.toStdString();
  EXPECT_EQ(*rect, (Rect{16.0f / 160, 12.0f / 120, 128.0f / 160, 96.0f / 120}));

  const QString black =
      MakeClip("black.mkv", {"color=c=black:size=160x120:rate=10"}, {"-t", "2", "-c:v", "ffv1"});
  const int blackExit = Run(EditPreview::BorderDetection(black, "0"), output);
  EXPECT_FALSE(EditPreview::ParseCropDetect(output, blackExit, 160, 120)) << output.toStdString();
}

TEST_F(EditPreviewTest, FrameGrabsWriteAJpegOfTheFrame) {
  const QString clip = VideoClip();
  const QString frame = Folder() + "/dir with 'quotes' $(x)/frame.jpg";
  QDir().mkpath(QFileInfo(frame).path());
  QString output;
  EXPECT_EQ(Run(EditPreview::FrameGrab(clip, frame, QString()), output), 0);
  EXPECT_EQ(QImage(frame).size(), QSize(160, 120));
  QFile::remove(frame);
  EXPECT_EQ(Run(EditPreview::FrameGrab(clip, frame, "1.5"), output), 0);
  EXPECT_FALSE(QImage(frame).isNull());
}

// A grab, a detection or an equalised play asked for while another tool holds
// the runner says so, apart from one that ran and found nothing.
TEST_F(EditPreviewTest, RunsOnTheTestFileTellABusyRunnerFromAFailure) {
  UseFakePlayer();
  using EditPreview::RunOutcome;
  const QString clip = PaddedClip();
  const QString frame = Folder() + "/frame.jpg";
  RunOutcome grab = RunOutcome::Done;
  RunOutcome play = RunOutcome::Done;
  EditPreview::DetectedBorders found{RunOutcome::Done, {}};
  ASSERT_TRUE(WhileAnotherToolRuns([&] {
    grab = EditPreview::GrabFrame(clip, frame, "0.5");
    found = EditPreview::DetectBorders(clip, "0.5", 160, 120);
    play = EditPreview::PlayEqualized(clip, QString());
  }));
  EXPECT_EQ(grab, RunOutcome::Busy);
  EXPECT_FALSE(QFile::exists(frame));
  EXPECT_EQ(found.outcome, RunOutcome::Busy);
  EXPECT_EQ(play, RunOutcome::Busy);
  EXPECT_FALSE(QFile::exists(Folder() + "/tools/play-input.bin"));

  EXPECT_EQ(EditPreview::GrabFrame(clip, frame, "0.5"), RunOutcome::Done);
  EXPECT_EQ(QImage(frame).size(), QSize(160, 120));
  found = EditPreview::DetectBorders(clip, "0.5", 160, 120);
  EXPECT_EQ(found.outcome, RunOutcome::Done);
  EXPECT_EQ(found.rect, (Rect{16.0f / 160, 12.0f / 120, 128.0f / 160, 96.0f / 120}));
  EXPECT_EQ(EditPreview::PlayEqualized(clip, QString()), RunOutcome::Done);
  EXPECT_TRUE(QFile::exists(Folder() + "/tools/play-input.bin"));

  const QString black =
      MakeClip("black.mkv", {"color=c=black:size=160x120:rate=10"}, {"-t", "2", "-c:v", "ffv1"});
  EXPECT_EQ(EditPreview::DetectBorders(black, "0", 160, 120).outcome, RunOutcome::Failed);
  const QString empty = ProbeClips::EmptyFile(Folder());
  EXPECT_EQ(EditPreview::GrabFrame(empty, frame, QString()), RunOutcome::Failed);
  EXPECT_EQ(EditPreview::DetectBorders(empty, "0", 160, 120).outcome, RunOutcome::Failed);
}

TEST_F(EditPreviewTest, TheAuditionReadsAnyFileNameThroughTheFilterGraph) {
  const QString odd = Folder() + "/a b,c;[d]:e'f\\g.wav";
  ASSERT_TRUE(QFile::copy(AudioClip(), odd));
  const CommandLine::Command audition = EditPreview::Audition(odd, "0.5", "0.9");
  EXPECT_EQ(audition.program, "/usr/bin/ffplay");
  EXPECT_EQ(audition.arguments.mid(0, 5),
            (QStringList{"-nodisp", "-autoexit", "-f", "lavfi", "-i"}));
  // ffmpeg reads the same graph, which proves the name arrives whole.
  QString output;
  const int exitCode =
      Run({"/usr/bin/ffmpeg", {"-f", "lavfi", "-i", audition.arguments.last(), "-f", "null", "-"}},
          output);
  EXPECT_EQ(exitCode, 0) << output.toStdString();
  EXPECT_TRUE(output.contains("time=00:00:01.5")) << output.toStdString();
}

TEST_F(EditPreviewTest, TheEqualiserPreviewPipesRawMediaIntoThePlayer) {
  UseFakePlayer();
  const QString clip = VideoClip();
  const CommandLine::Pipeline pipeline =
      EditPreview::EqualizerPipeline(clip, "equalizer=f=31:width_type=o:width=1:gain=3");
  ASSERT_EQ(pipeline.size(), 2);
  EXPECT_EQ(pipeline[0].arguments,
            (QStringList{"-i", clip, "-af", "equalizer=f=31:width_type=o:width=1:gain=3", "-f",
                         "matroska", "-c:a", "pcm_s16le", "-c:v", "rawvideo", "-pix_fmt", "yuv420p",
                         "pipe:1"}));
  QString output;
  int exitCode = -1;
  ASSERT_EQ(ToolRunner::RunCaptured(pipeline, QString(), 0, 0, nullptr, true,
                                    ConsoleText::Display::NoDisplay, output, -1, exitCode),
            ToolRunner::RunResult::Ran);
  EXPECT_EQ(exitCode, 0) << output.toStdString();
  QFile fed(Folder() + "/tools/play-input.bin");
  ASSERT_TRUE(fed.open(QIODevice::ReadOnly));
  EXPECT_TRUE(fed.read(4).startsWith("\x1a\x45\xdf\xa3"));  // a Matroska header
}

}  // namespace
