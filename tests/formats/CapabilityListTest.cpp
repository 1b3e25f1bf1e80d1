#include <QStandardPaths>

#include "TestEnv.h"
#include "core/formats/FormatEditor.h"
#include "core/frame/FfmpegTools.h"
#include "core/ground/ToolRunner.h"

namespace {

DynArray<QString> Start(const QString& first) { return DynArray<QString>{1, {first}}; }

QString Lines(const QStringList& lines) { return lines.join("\n"); }

// Lines as ffmpeg 5.1 prints them, after its banner.
const QString kEncoders = Lines({
    "ffmpeg version 5.1",
    "Encoders:",
    " V..... = Video",
    " A..... = Audio",
    " S..... = Subtitle",
    " .F.... = Frame-level multithreading",
    " ..S... = Slice-level multithreading",
    " ...X.. = Codec is experimental",
    " ....B. = Supports draw_horiz_band",
    " .....D = Supports direct rendering method 1",
    " ------",
    " V....D libx264              libx264 H.264",
    " A....D aac                  AAC (Advanced Audio Coding)",
    " S..... srt                  SubRip subtitle",
    " A..... nameonly",
    "",
});

TEST(CapabilityTables, EncoderLinesGoToTheListOfTheirKind) {
  DynArray<QString> audio = Start("copy"), video = Start("copy"), subtitle = Start("copy");
  FormatEditor::ParseCodecTable(kEncoders, "Encoders:", audio, video, subtitle);
  EXPECT_EQ(audio.Items, QStringList({"copy", "aac"}));
  EXPECT_EQ(video.Items, QStringList({"copy", "libx264"}));
  EXPECT_EQ(subtitle.Items, QStringList({"copy", "srt"}));
}

TEST(CapabilityTables, WithoutHeaderEveryLineIsExamined) {
  DynArray<QString> audio = Start(""), video = Start(""), subtitle = Start("");
  FormatEditor::ParseCodecTable(Lines({" A..... = Audio", " A....D mp3float   MP3", ""}),
                                "Decoders:", audio, video, subtitle);
  // The legend line has the same shape as a codec line, so "=" is taken too.
  EXPECT_EQ(audio.Items, QStringList({"=", "mp3float"}));
  EXPECT_EQ(video.Items, QStringList({""}));
  EXPECT_EQ(subtitle.Items, QStringList({""}));
}

TEST(CapabilityTables, FormatLinesSplitTheirNamesAndGoByColumn) {
  const QString output = Lines({
      "File formats:",
      " D. = Demuxing supported",
      " .E = Muxing supported",
      " --",
      " DE mov,mp4,m4a,3gp,3g2,mj2 QuickTime / MOV",
      " D  aac             raw ADTS AAC",
      "  E ipod            iPod H.264 MP4",
      " DE last",
  });
  DynArray<QString> demuxers = Start(""), muxers = Start("<copy>");
  FormatEditor::ParseFormatTable(output, demuxers, muxers);
  EXPECT_EQ(demuxers.Items, QStringList({"mov", "mp4", "m4a", "3gp", "3g2", "mj2", "aac"}));
  EXPECT_EQ(muxers.Items,
            QStringList({"<copy>", "mov", "mp4", "m4a", "3gp", "3g2", "mj2", "ipod"}));
}

TEST(CapabilityTables, PixelFormatLinesGoByFlag) {
  const QString output = Lines({
      "Pixel formats:",
      "I.... = Supported Input  format for conversion",
      ".O... = Supported Output format for conversion",
      "..H.. = Hardware accelerated format",
      "...P. = Paletted format",
      "....B = Bitstream format",
      "FLAGS NAME            NB_COMPONENTS BITS_PER_PIXEL BIT_DEPTHS",
      "-----",
      "IO... yuv420p                3             12      8-8-8",
      "I.... pal8                   1              8      8",
      "..H.. vaapi                  0              0      0",
      ".O... monoout                1              1      1",
  });
  DynArray<QString> input = Start(""), outputFormats = Start("");
  FormatEditor::ParsePixelFormatTable(output, input, outputFormats);
  EXPECT_EQ(input.Items, QStringList({"yuv420p", "pal8"}));
  EXPECT_EQ(outputFormats.Items, QStringList({"yuv420p", "monoout"}));
}

class CapabilityLists : public TestEnv {
 protected:
  void SetUp() override {
    TestEnv::SetUp();
    ToolRunner::Reset();
    FormatEditor::ResetCapabilityLists();
  }
  void TearDown() override {
    FfmpegTools::State().FfmpegPath.clear();
    FormatEditor::ResetCapabilityLists();
    TestEnv::TearDown();
  }
};

TEST_F(CapabilityLists, RealFfmpegFillsAllTenLists) {
  FfmpegTools::State().FfmpegPath = QStandardPaths::findExecutable("ffmpeg");
  ASSERT_FALSE(FfmpegTools::State().FfmpegPath.isEmpty());
  FormatEditor::State().FfmpegListsStale = true;
  EXPECT_TRUE(FormatEditor::LoadFfmpegCapabilities());
  EXPECT_FALSE(FormatEditor::State().FfmpegListsStale);
  EXPECT_EQ(FormatEditor::State().Capabilities.AudioEncoders[1], "copy");
  EXPECT_EQ(FormatEditor::State().Capabilities.MuxerFormats[1], "<copy>");
  EXPECT_TRUE(FormatEditor::State().Capabilities.AudioEncoders.Items.contains("aac"));
  EXPECT_TRUE(FormatEditor::State().Capabilities.VideoEncoders.Items.contains("mpeg4"));
  EXPECT_TRUE(FormatEditor::State().Capabilities.SubtitleEncoders.Items.contains("srt"));
  EXPECT_TRUE(FormatEditor::State().Capabilities.AudioDecoders.Items.contains("mp3float"));
  EXPECT_TRUE(FormatEditor::State().Capabilities.VideoDecoders.Items.contains("h264"));
  EXPECT_TRUE(FormatEditor::State().Capabilities.SubtitleDecoders.Items.contains("subrip"));
  EXPECT_TRUE(FormatEditor::State().Capabilities.DemuxerFormats.Items.contains("mp4"));
  EXPECT_TRUE(FormatEditor::State().Capabilities.MuxerFormats.Items.contains("matroska"));
  EXPECT_TRUE(FormatEditor::State().Capabilities.InputPixelFormats.Items.contains("yuv420p"));
  EXPECT_TRUE(FormatEditor::State().Capabilities.OutputPixelFormats.Items.contains("rgb24"));
  EXPECT_FALSE(FormatEditor::State().Capabilities.AudioEncoders.Items.contains("="));
  EXPECT_FALSE(FormatEditor::State().Capabilities.DemuxerFormats.Items.contains("="));
}

TEST_F(CapabilityLists, MissingFfmpegLeavesOneElementListsAndClearsTheFlag) {
  FfmpegTools::State().FfmpegPath = Folder() + "/no such ffmpeg";
  FormatEditor::State().FfmpegListsStale = true;
  EXPECT_TRUE(FormatEditor::LoadFfmpegCapabilities());
  EXPECT_FALSE(FormatEditor::State().FfmpegListsStale);
  EXPECT_EQ(FormatEditor::State().Capabilities.AudioEncoders.Items, QStringList({"copy"}));
  EXPECT_EQ(FormatEditor::State().Capabilities.MuxerFormats.Items, QStringList({"<copy>"}));
  EXPECT_EQ(FormatEditor::State().Capabilities.AudioDecoders.Items, QStringList({""}));
  EXPECT_EQ(FormatEditor::State().Capabilities.OutputPixelFormats.Items, QStringList({""}));
}

// Asked while another tool has the runner, the lists are not taken for
// empty: the rebuild says so and leaves them, and the flag, as they were.
TEST_F(CapabilityLists, ARebuildWhileAnotherToolRunsLeavesTheListsToRead) {
  FfmpegTools::State().FfmpegPath = QStandardPaths::findExecutable("ffmpeg");
  FormatEditor::State().FfmpegListsStale = true;
  FormatEditor::State().Capabilities.AudioEncoders = Start("copy");
  FormatEditor::State().Capabilities.AudioEncoders.Items << "aac";
  bool read = true;
  ASSERT_TRUE(WhileAnotherToolRuns([&] { read = FormatEditor::LoadFfmpegCapabilities(); }));
  EXPECT_FALSE(read);
  EXPECT_TRUE(FormatEditor::State().FfmpegListsStale);
  EXPECT_EQ(FormatEditor::State().Capabilities.AudioEncoders.Items, QStringList({"copy", "aac"}));
  EXPECT_TRUE(FormatEditor::State().Capabilities.MuxerFormats.IsEmpty());
}

}  // namespace
