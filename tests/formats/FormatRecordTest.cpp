#include <QFile>

#include "RecordBytes.h"
#include "TestEnv.h"
#include "core/formats/FormatEditor.h"
#include "core/ground/ExtCodecDef.h"
#include "core/ground/FormatProfile.h"
#include "core/ground/RecordFile.h"

namespace {

using RecordFile::Result;

ExtCodecDef LameCodec() {
  ExtCodecDef codec;
  codec.About = "LAME MP3 encoder";
  codec.ExePath = "tools/lame";
  codec.Params = {0,
                  {{"<InFile>", ParamKind::Required, "", "", "", false, ""},
                   {"Bitrate", ParamKind::Optional, "-b", "128", "96\r\n128\r\n192", true, "192"},
                   {"Joint", ParamKind::Switch, "-m j", "", "", false, "1"},
                   {"<OutFile>", ParamKind::Required, "-o", "", "", false, ""}}};
  codec.FfmpegParams = "-f wav";
  codec.FfmpegExt = "wav";
  codec.OutputExt = "mp3";
  codec.Editable = {1, {true, false, false, false, true, true}};
  codec.Values = {1, {"192k", "", "", "", "2", "44100"}};
  return codec;
}

ExtCodecDef X264Codec() {
  ExtCodecDef codec;
  codec.About = "x264 stand-alone";
  codec.ExePath = "/usr/bin/x264";
  codec.Params = {0,
                  {{"<OutFile>", ParamKind::Required, "-o", "", "", false, ""},
                   {"<InFile>", ParamKind::Required, "", "", "", false, ""}}};
  codec.FfmpegParams = "-f yuv4mpegpipe -s 320x240";
  codec.FfmpegExt = "y4m";
  codec.OutputExt = "264";
  codec.Editable = {1, {false, false, false, false, false, false, true, true, false, false}};
  codec.Values = {1, {"", "", "", "", "", "", "25", "640x360", "", ""}};
  return codec;
}

// The codecs above, spelled out in file order.
RecordBytes& LameBytes(RecordBytes& b) {
  b.Text("LAME MP3 encoder").Text("tools/lame").Dimension(4, 0);
  b.Text("<InFile>").Byte(1).Text("").Text("").Text("").Byte(0).Text("");
  b.Text("Bitrate").Byte(0).Text("-b").Text("128").Text("96\r\n128\r\n192").Byte(1).Text("192");
  b.Text("Joint").Byte(2).Text("-m j").Text("").Text("").Byte(0).Text("1");
  b.Text("<OutFile>").Byte(1).Text("-o").Text("").Text("").Byte(0).Text("");
  b.Text("-f wav").Text("wav").Text("mp3");
  b.Dimension(6, 1).Byte(1).Byte(0).Byte(0).Byte(0).Byte(1).Byte(1);
  b.Dimension(6, 1).Text("192k").Text("").Text("").Text("").Text("2").Text("44100");
  return b;
}

RecordBytes& X264Bytes(RecordBytes& b) {
  b.Text("x264 stand-alone").Text("/usr/bin/x264").Dimension(2, 0);
  b.Text("<OutFile>").Byte(1).Text("-o").Text("").Text("").Byte(0).Text("");
  b.Text("<InFile>").Byte(1).Text("").Text("").Text("").Byte(0).Text("");
  b.Text("-f yuv4mpegpipe -s 320x240").Text("y4m").Text("264");
  b.Dimension(10, 1);
  for (uint8_t flag : {0, 0, 0, 0, 0, 0, 1, 1, 0, 0}) b.Byte(flag);
  b.Dimension(10, 1).Texts(6).Text("25").Text("640x360").Texts(2);
  return b;
}

FormatProfile FullProfile() {
  FormatProfile p;
  p.InputContainer = "matroska";
  p.InputAudioCodec = "aac";
  p.InputVideoCodec = "h264";
  p.InputSubtitleCodec = "ass";
  p.InputPixelFormat = "yuv420p";
  p.OutputContainer = "mp4";
  p.AudioCodec = "aac";
  p.VideoCodec = "libx264";
  p.SubtitleCodec = "mov_text";
  p.AspectRatio = "16:9";
  p.PixelFormat = "yuv420p";
  p.Target = "pal-dvd";
  p.AudioBitrate = "128k";
  p.AudioMinRate = "64k";
  p.AudioMaxRate = "192k";
  p.SampleRate = "44100";
  p.Channels = "2";
  p.AudioQuality = "4";
  p.RemoveAudio = true;
  p.VideoBitrate = "1M";
  p.VideoMinRate = "500k";
  p.VideoMaxRate = "2M";
  p.FrameRate = "25";
  p.VideoQuality = "3";
  p.VideoQMin = "2";
  p.VideoQMax = "31";
  p.FrameSize = "640x360";
  p.RemoveVideo = true;
  p.Extension = "mp4";
  p.OutputExtraParams = "-movflags +faststart";
  p.InputExtraParams = "-re";
  p.MultipleOutputFiles = true;
  p.AudioExtCodec = LameCodec();
  p.VideoExtCodec = X264Codec();
  p.RemoveSubtitles = true;
  p.AudioExtCodecName = "lame";
  p.VideoExtCodecName = "x264";
  return p;
}

QByteArray FullProfileBytes() {
  RecordBytes b;
  b.Text("matroska").Text("aac").Text("h264").Text("ass").Text("yuv420p");
  b.Text("mp4")
      .Text("aac")
      .Text("libx264")
      .Text("mov_text")
      .Text("16:9")
      .Text("yuv420p")
      .Text("pal-dvd");
  b.Text("128k").Text("64k").Text("192k").Text("44100").Text("2").Text("4").Byte(1);
  b.Text("1M")
      .Text("500k")
      .Text("2M")
      .Text("25")
      .Text("3")
      .Text("2")
      .Text("31")
      .Text("640x360")
      .Byte(1);
  b.Text("mp4").Text("-movflags +faststart").Text("-re").Byte(1);
  LameBytes(b);
  X264Bytes(b);
  b.Byte(1).Text("lame").Text("x264");
  return b.Bytes();
}

class FormatRecordTest : public TestEnv {};

TEST_F(FormatRecordTest, AnEmptyProfileIs31EmptyTextsFourZeroBytesAndTwoEmptyCodecs) {
  RecordBytes emptyCodec;
  emptyCodec.Texts(2).NoDimension().Texts(3).NoDimension().NoDimension();
  RecordBytes b;
  b.Texts(18).Byte(0).Texts(8).Byte(0).Texts(3).Byte(0);
  b.Texts(2).NoDimension().Texts(3).NoDimension().NoDimension();
  b.Texts(2).NoDimension().Texts(3).NoDimension().NoDimension();
  b.Byte(0).Texts(2);
  EXPECT_EQ(RecordFile::Encode(FormatProfile()), b.Bytes());
  EXPECT_EQ(b.Bytes().size(), 98);
  EXPECT_EQ(RecordFile::Encode(ExtCodecDef()), emptyCodec.Bytes());
  EXPECT_EQ(emptyCodec.Bytes().size(), 16);
}

TEST_F(FormatRecordTest, AFullProfileWithBothCodecsHasTheFileLayout) {
  EXPECT_EQ(RecordFile::Encode(FullProfile()), FullProfileBytes());
  FormatProfile read;
  ASSERT_EQ(RecordFile::Decode(FullProfileBytes(), read), Result::Ok);
  EXPECT_EQ(read, FullProfile());
}

TEST_F(FormatRecordTest, AProfileFileReadsBackWholeAndAFileCutBetweenFieldsGivesEmptyFields) {
  const QString path =
      WriteFile("appfiles/formats/perfil.qfm", "older and longer content than a record");
  ASSERT_EQ(RecordFile::Write(path, FullProfile()), Result::Ok);
  FormatProfile read;
  ASSERT_EQ(RecordFile::Read(path, read), Result::Ok);
  EXPECT_EQ(read, FullProfile());

  const QString shortPath = WriteFile("appfiles/formats/corto.qfm", FullProfileBytes().left(15));
  ASSERT_EQ(RecordFile::Read(shortPath, read), Result::Ok);
  FormatProfile expected;
  expected.InputContainer = "matroska";
  expected.InputAudioCodec = "aac";
  EXPECT_EQ(read, expected);
}

TEST_F(FormatRecordTest, CodecFilesUseTheSameLayoutAsTheEmbeddedCopies) {
  RecordBytes lame;
  LameBytes(lame);
  EXPECT_EQ(RecordFile::Encode(LameCodec()), lame.Bytes());
  const QString path = WriteFile("appfiles/ecodec/lame.qca", lame.Bytes());
  ExtCodecDef read;
  ASSERT_EQ(RecordFile::Read(path, read), Result::Ok);
  EXPECT_EQ(read, LameCodec());
  EXPECT_EQ(read.Params.LowerBound, 0);
  EXPECT_EQ(read.Values[6], "44100");
}

TEST_F(FormatRecordTest, TheScratchProfileIsTheNamelessFileInTheFormatsFolder) {
  EXPECT_EQ(FormatEditor::ScratchProfilePath(), Folder() + "/appfiles/formats/.qfm");
}

}  // namespace
