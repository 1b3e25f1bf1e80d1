#include <QProcess>
#include <QStandardPaths>

#include "ProbeClips.h"
#include "TestEnv.h"
#include "core/convert/ProfileCompiler.h"
#include "core/formats/FormatEditor.h"
#include "core/frame/FfmpegProbe.h"
#include "core/frame/FfmpegTools.h"
#include "core/ground/CommandLine.h"
#include "core/ground/ToolRunner.h"

namespace {

class Import : public TestEnv {
 protected:
  void SetUp() override {
    TestEnv::SetUp();
    FfmpegTools::InitOptionNames();
    FormatEditor::ResetEditState();
  }
  void TearDown() override {
    FormatEditor::ResetEditState();
    TestEnv::TearDown();
  }
};

TEST_F(Import, OutputOptionsGoToTheirFieldsAndTheRestToTheExtraParameters) {
  struct Case {
    const char* options;
    QString FormatProfile::*field;
    const char* value;
    const char* extra;
  };
  const Case cases[] = {
      {"-c:a aac -b:a 128k -vn -threads 2", &FormatProfile::AudioBitrate, "128k", "-threads 2"},
      {"-an", &FormatProfile::AudioBitrate, "", "old"},
      {"-b:a 64k -map 0 -b:a 96k", &FormatProfile::AudioBitrate, "64k", "-map 0 -b:a 96k"},
      {"-b:a -c:a aac", &FormatProfile::AudioBitrate, "-c:a", "aac"},
      {"-ss 10 -s 320x240", &FormatProfile::FrameSize, "320x240", "-ss 10"},
      {"-b:a 128k -x -b:a 128kx", &FormatProfile::AudioBitrate, "128k", "-x -b:a 128kx"},
      {"-an -analyzeduration 100", &FormatProfile::AudioBitrate, "", "-analyzeduration 100"},
      {"-f", &FormatProfile::OutputContainer, "", "-f"},
      {"-target pal-dvd -r 25 -q:v 3", &FormatProfile::Target, "pal-dvd", "old"},
      // Words are read as a shell reads them; values and the rest stay as typed.
      {"-metadata title='Hola -b:a 1k mundo' -b:a 96k", &FormatProfile::AudioBitrate, "96k",
       "-metadata title='Hola -b:a 1k mundo'"},
      {"-vf \"scale=640:-1\"   -c:a 'aac'  -an", &FormatProfile::AudioCodec, "'aac'",
       "-vf \"scale=640:-1\""},
      {"'-b:a' 64k -x\\ y", &FormatProfile::AudioBitrate, "64k", "-x\\ y"},
  };
  for (const Case& c : cases) {
    FormatProfile profile;
    profile.OutputExtraParams = "old";
    FormatEditor::ImportOptions(profile, c.options, "");
    EXPECT_EQ(profile.*c.field, c.value) << c.options;
    EXPECT_EQ(profile.OutputExtraParams, c.extra) << c.options;
  }
}

TEST_F(Import, FlagsAndValuesTogether) {
  FormatProfile profile;
  profile.VideoCodec = "kept";
  FormatEditor::ImportOptions(profile,
                              "-c:a aac -an -sn -vn -pix_fmt yuv420p -aspect 16:9 -ar 44100",
                              "-f mov -c:v h264 -pix_fmt nv12 -probesize 5M");
  EXPECT_EQ(profile.AudioCodec, "aac");
  EXPECT_TRUE(profile.RemoveAudio && profile.RemoveSubtitles && profile.RemoveVideo);
  EXPECT_EQ(profile.PixelFormat, "yuv420p");
  EXPECT_EQ(profile.AspectRatio, "16:9");
  EXPECT_EQ(profile.SampleRate, "44100");
  EXPECT_EQ(profile.VideoCodec, "kept");
  EXPECT_EQ(profile.OutputExtraParams, "");
  EXPECT_EQ(profile.InputContainer, "mov");
  EXPECT_EQ(profile.InputVideoCodec, "h264");
  EXPECT_EQ(profile.InputPixelFormat, "nv12");
  EXPECT_EQ(profile.InputExtraParams, "-probesize 5M");
}

TEST_F(Import, EmptyTextsChangeNothing) {
  FormatEditor::State().CurrentFormat.OutputExtraParams = "-x 1";
  FormatEditor::State().CurrentFormat.InputExtraParams = "-y 2";
  const FormatProfile before = FormatEditor::State().CurrentFormat;
  FormatEditor::ImportCommandLine("", "");
  EXPECT_EQ(FormatEditor::State().CurrentFormat, before);
}

TEST_F(Import, TagOptionsAreReplacedInPlaceOrAdded) {
  EXPECT_EQ(FormatEditor::SetTagOption("-map 0 -vtag DIVX -y", "-vtag", "xvid"),
            "-map 0 -vtag xvid -y");
  EXPECT_EQ(FormatEditor::SetTagOption("-map 0", "-vtag", "xvid"), "-map 0 -vtag xvid");
  EXPECT_EQ(FormatEditor::SetTagOption("", "-atag", "mp4a"), "-atag mp4a");
  EXPECT_EQ(FormatEditor::SetTagOption("-map 0 -vtag", "-vtag", "xvid"), "-map 0 -vtag -vtag xvid");
}

TEST_F(Import, ProbedLinesOfARealClipCopyOnlyTickedNonEmptyValues) {
  const QString clip = Folder() + "/clip con espacios.mp4";
  QProcess make;
  make.start(QStandardPaths::findExecutable("ffmpeg"),
             {"-v", "error", "-f", "lavfi", "-i", "testsrc=size=160x120:rate=10", "-t", "1",
              "-pix_fmt", "yuv420p", "-c:v", "mpeg4", clip});
  ASSERT_TRUE(make.waitForFinished(30000));
  ASSERT_EQ(make.exitCode(), 0);
  FfmpegTools::State().FfprobePath = QStandardPaths::findExecutable("ffprobe");
  ToolRunner::Reset();
  const MediaInfo info = FfmpegProbe::ProbeMedia(clip);
  FfmpegTools::State().FfprobePath.clear();

  const QStringList lines = FormatEditor::ProbeLines(info, "mp4");
  ASSERT_EQ(lines.size(), 15);
  EXPECT_EQ(lines[0], "Container:  mov");
  EXPECT_EQ(lines[7], "Video size (width x height, pixels): 160x120");
  EXPECT_EQ(lines[11], "File extension: mp4");
  EXPECT_EQ(lines[1], "Audio codec: ");

  FormatEditor::State().CurrentFormat.AudioCodec = "kept";
  FormatEditor::State().CurrentFormat.OutputExtraParams = "-map 0";
  QList<bool> ticked(15, false);
  for (int line : {0, 1, 5, 7, 11, 14}) ticked[line] = true;
  ASSERT_TRUE(FormatEditor::ImportProbedValues(lines, ticked));
  const FormatProfile& profile = FormatEditor::State().CurrentFormat;
  EXPECT_EQ(profile.OutputContainer, "mov");
  EXPECT_EQ(profile.AudioCodec, "kept");
  EXPECT_EQ(profile.VideoCodec, "mpeg4");
  EXPECT_EQ(profile.FrameSize, "160x120");
  EXPECT_EQ(profile.Extension, "mp4");
  EXPECT_EQ(profile.VideoBitrate, "");
  EXPECT_EQ(profile.OutputExtraParams, "-map 0 -vtag " + info.VideoCodecTag);
  EXPECT_FALSE(info.VideoCodecTag.isEmpty());
}

// A phone's portrait clip, stored 320x240 and turned 90 degrees: its size and
// aspect, copied into a profile, keep the converted picture upright.
TEST_F(Import, AProfileImportedFromAPortraitClipConvertsItUpright) {
  const QString turned = ProbeClips::TurnedClip(Folder());
  ASSERT_FALSE(turned.isEmpty());
  FfmpegTools::State().FfprobePath = QStandardPaths::findExecutable("ffprobe");
  ToolRunner::Reset();
  const QStringList lines = FormatEditor::ProbeLines(FfmpegProbe::ProbeMedia(turned), "mkv");
  QList<bool> ticked(15, false);
  ticked[7] = ticked[12] = true;  // the size and the aspect
  ASSERT_TRUE(FormatEditor::ImportProbedValues(lines, ticked));
  Conversion::FormatStatus status = Conversion::FormatStatus::ReadError;
  const CompiledFormat compiled =
      Conversion::CompileFormat(FormatEditor::State().CurrentFormat, status);
  ASSERT_EQ(status, Conversion::FormatStatus::Compiled);
  EXPECT_EQ(compiled.SizeOption.trimmed(), "-s 240x320");
  EXPECT_EQ(compiled.AspectOption.trimmed(), "-aspect 3:4");

  const QString output = Folder() + "/converted.mkv";
  const QStringList arguments = QStringList{"-v", "error", "-y", "-i", turned} +
                                CommandLine::SplitCommandLine(compiled.SizeOption) +
                                CommandLine::SplitCommandLine(compiled.AspectOption) +
                                QStringList{"-c:v", "ffv1", output};
  ASSERT_EQ(QProcess::execute(QStandardPaths::findExecutable("ffmpeg"), arguments), 0);
  const MediaInfo converted = FfmpegProbe::ProbeMedia(output);
  FfmpegTools::State().FfprobePath.clear();
  EXPECT_EQ(converted.VideoSize, "240x320");
  EXPECT_EQ(converted.AspectRatio, "3:4");
}

TEST_F(Import, NoTickedLineAsksForOne) {
  ScriptedDialogs dialogs;
  dialogs.ExpectMessage();
  EXPECT_FALSE(FormatEditor::ImportProbedValues(FormatEditor::ProbeLines(MediaInfo(), "mp4"),
                                                QList<bool>(15, false)));
  EXPECT_EQ(dialogs.Messages(), QStringList({"Seleccione alguna opción de la lista"}));
}

}  // namespace
