#include <functional>

#include "RecordBytes.h"
#include "TestEnv.h"
#include "core/convert/Conversion.h"
#include "core/frame/FfmpegTools.h"
#include "core/ground/RecordFile.h"

namespace {

using RecordFile::Result;

class CompileFormatTest : public TestEnv {
 protected:
  void SetUp() override {
    TestEnv::SetUp();
    FfmpegTools::InitOptionNames();
  }
};

using Conversion::FormatStatus;

// A status no compilation gives, so that a test sees the status was set.
constexpr FormatStatus kUnset = FormatStatus(9);

ExtCodecDef AudioEncoder() {
  ExtCodecDef codec;
  codec.About = "wav to mp3";
  codec.ExePath = "tools/lame";
  codec.Params = {0,
                  {{"<InFile>", ParamKind::Required, "", "", "", false, ""},
                   {"Bitrate", ParamKind::Optional, "-b", "128", "", false, ""},
                   {"<OutFile>", ParamKind::Required, "-o", "", "", false, ""}}};
  codec.FfmpegParams = "-f wav -ar 44100";
  codec.FfmpegExt = "wav";
  codec.OutputExt = "mp3";
  codec.Editable = {1, {true, false, false, false, false, true}};
  codec.Values = {1, {"192k", "", "", "", "", "48000"}};
  return codec;
}

ExtCodecDef VideoEncoder() {
  ExtCodecDef codec;
  codec.ExePath = "tools/x264";
  codec.Params = {0,
                  {{"<OutFile>", ParamKind::Required, "--output", "", "", false, ""},
                   {"<InFile>", ParamKind::Required, "", "", "", false, ""}}};
  codec.FfmpegParams = "-f yuv4mpegpipe -s 320x240 -pix_fmt yuv420p";
  codec.FfmpegExt = "y4m";
  codec.OutputExt = "264";
  codec.Values = {1, QList<QString>(10)};
  return codec;
}

struct FormatCase {
  const char* name;
  std::function<void(FormatProfile&)> setUp;
  CompiledFormat expected;
};

CompiledFormat Expect(std::function<void(CompiledFormat&)> fill) {
  CompiledFormat c;
  fill(c);
  return c;
}

TEST_F(CompileFormatTest, GoldenProfiles) {
  const FormatCase cases[] = {
      {"empty profile", [](FormatProfile&) {}, CompiledFormat()},
      {"worked example: mp4, aac 128k, libx264 640x360",
       [](FormatProfile& p) {
         p.OutputContainer = "mp4";
         p.AudioCodec = "aac";
         p.AudioBitrate = "128k";
         p.VideoCodec = "libx264";
         p.FrameSize = "640x360";
       },
       Expect([](CompiledFormat& c) {
         c.OutputOptions = " -f mp4";
         c.AudioOptions = "-b:a 128k -c:a aac";
         c.VideoOptions = "-c:v libx264";
         c.SizeOption = "-s 640x360";
       })},
      {"every option in its group and order",
       [](FormatProfile& p) {
         p.InputContainer = "matroska";
         p.InputAudioCodec = "aac";
         p.InputVideoCodec = "h264";
         p.InputSubtitleCodec = "ass";
         p.InputPixelFormat = "yuv420p";
         p.InputExtraParams = "-re";
         p.OutputContainer = "mp4";
         p.Target = "pal-dvd";
         p.OutputExtraParams = "-movflags +faststart";
         p.AudioQuality = "4";
         p.AudioBitrate = "128k";
         p.AudioMaxRate = "192k";
         p.AudioMinRate = "64k";
         p.Channels = "2";
         p.AudioCodec = "aac";
         p.SampleRate = "44100";
         p.VideoMaxRate = "2M";
         p.VideoMinRate = "500k";
         p.VideoBitrate = "1M";
         p.VideoQMax = "31";
         p.VideoQMin = "2";
         p.VideoCodec = "mpeg4";
         p.PixelFormat = "yuv420p";
         p.VideoQuality = "3";
         p.FrameRate = "25";
         p.AspectRatio = "16:9";
         p.FrameSize = "320x180";
         p.SubtitleCodec = "mov_text";
         p.MultipleOutputFiles = true;
         p.Extension = "mp4";
       },
       Expect([](CompiledFormat& c) {
         c.InputOptions = " -c:a aac -c:s ass -c:v h264 -f matroska -pix_fmt yuv420p -re";
         c.OutputOptions = " -f mp4 -target pal-dvd -movflags +faststart";
         c.AudioOptions = "-aq 4 -b:a 128k -maxrate:a 192k -minrate:a 64k -ac 2 -c:a aac -ar 44100";
         c.VideoOptions =
             "-maxrate:v 2M -minrate:v 500k -b:v 1M -qmax:v 31 -qmin:v 2 -c:v mpeg4 -pix_fmt "
             "yuv420p -q:v 3 -r 25";
         c.AspectOption = "-aspect 16:9";
         c.SizeOption = "-s 320x180";
         c.SubtitleCodecOption = "-c:s mov_text";
         c.MultipleOutputFiles = true;
         c.Extension = "mp4";
       })},
      {"removed tracks drop their options",
       [](FormatProfile& p) {
         p.RemoveAudio = true;
         p.RemoveVideo = true;
         p.RemoveSubtitles = true;
         p.AudioCodec = "aac";
         p.VideoCodec = "libx264";
         p.FrameSize = "640x360";
         p.AspectRatio = "4:3";
         p.SubtitleCodec = "srt";
       },
       Expect([](CompiledFormat& c) {
         c.NoAudioOption = "-an";
         c.NoVideoOption = "-vn";
         c.NoSubtitlesOption = "-sn";
       })},
      {"input extra parameters alone", [](FormatProfile& p) { p.InputExtraParams = "-re"; },
       Expect([](CompiledFormat& c) { c.InputOptions = " -re"; })},
      {"input container and extra parameters",
       [](FormatProfile& p) {
         p.InputExtraParams = "-re";
         p.InputContainer = "mpegts";
       },
       Expect([](CompiledFormat& c) { c.InputOptions = " -f mpegts -re"; })},
      {"a <copy> container stays the value of -f",
       [](FormatProfile& p) { p.OutputContainer = "<copy>"; },
       Expect([](CompiledFormat& c) { c.OutputOptions = " -f <copy>"; })},
  };
  for (const FormatCase& test : cases) {
    FormatProfile profile;
    test.setUp(profile);
    FormatStatus status = kUnset;
    EXPECT_EQ(Conversion::CompileFormat(profile, status), test.expected) << test.name;
    EXPECT_EQ(status, FormatStatus::Compiled) << test.name;
  }
}

TEST_F(CompileFormatTest, AnExternalAudioEncoderReplacesFfmpegsAudioOptions) {
  FormatProfile p;
  p.AudioCodec = "aac";
  p.AudioBitrate = "128k";
  p.VideoCodec = "libx264";
  p.AudioExtCodecName = "lame";
  p.AudioExtCodec = AudioEncoder();
  FormatStatus status = kUnset;
  const CompiledFormat c = Conversion::CompileFormat(p, status);
  ASSERT_EQ(status, FormatStatus::Compiled);
  EXPECT_EQ(c.AudioOptions, "");
  EXPECT_EQ(c.VideoOptions, "-c:v libx264");
  EXPECT_EQ(c.AudioExtCodecName, "lame");
  EXPECT_EQ(c.AudioCodec.FfmpegOptions, "-f wav -ar 48000  -b:a 192k");
  EXPECT_EQ(c.AudioCodec.CommandTemplate, "<infile> -b 128 -o  <outfile>");
  EXPECT_EQ(c.AudioCodec.FfmpegExt, "wav");
  EXPECT_EQ(c.AudioCodec.OutputExt, "mp3");
  EXPECT_EQ(c.AudioCodec.ExePath, "tools/lame");
  EXPECT_EQ(c.AudioCodec.About, "wav to mp3");
}

TEST_F(CompileFormatTest, AnExternalVideoEncoderTakesTheSizeOutOfItsOptions) {
  FormatProfile p;
  p.VideoCodec = "libx264";
  p.FrameSize = "640x360";
  p.VideoExtCodecName = "x264";
  p.VideoExtCodec = VideoEncoder();
  FormatStatus status = kUnset;
  const CompiledFormat c = Conversion::CompileFormat(p, status);
  ASSERT_EQ(status, FormatStatus::Compiled);
  EXPECT_EQ(c.VideoOptions, "");
  EXPECT_EQ(c.SizeOption, "");
  EXPECT_EQ(c.VideoCodec.SizeOption, "-s 320x240");
  EXPECT_EQ(c.VideoCodec.FfmpegOptions, "-f yuv4mpegpipe  -pix_fmt yuv420p");
  EXPECT_EQ(c.VideoCodec.CommandTemplate, "--output  <outfile>   <infile>");
}

TEST_F(CompileFormatTest, AFailedAudioEncoderStopsBeforeTheVideoEncoder) {
  FormatProfile p;
  p.AudioExtCodecName = "broken";  // its definition has no parameter rows
  p.VideoExtCodecName = "x264";
  p.VideoExtCodec = VideoEncoder();
  FormatStatus status = kUnset;
  EXPECT_EQ(Conversion::CompileFormat(p, status), CompiledFormat());
  EXPECT_EQ(status, FormatStatus::AudioEncoderFailed);

  p.AudioExtCodecName.clear();
  p.VideoExtCodec.Values = {1, QList<QString>(6)};  // shorter than the ten video options
  EXPECT_EQ(Conversion::CompileFormat(p, status), CompiledFormat());
  EXPECT_EQ(status, FormatStatus::VideoEncoderFailed);
}

TEST_F(CompileFormatTest, ParameterRowsByKind) {
  struct RowCase {
    ExtCodecParam row;
    const char* arguments;
  };
  const RowCase cases[] = {
      {{"Opt", ParamKind::Optional, "-q", "", "", false, ""}, ""},
      {{"Opt", ParamKind::Optional, "-q", "5", "", false, ""}, "-q 5"},
      {{"Opt", ParamKind::Optional, "-q", "5", "", false, "7"}, "-q 7"},
      {{"Req", ParamKind::Required, "-r", "44", "", false, "48"}, "-r 44"},
      {{"Req", ParamKind::Required, "-r", "", "", false, ""}, "-r"},
      {{"Sw", ParamKind::Switch, "--fast", "", "", false, "1"}, "--fast"},
      {{"Sw", ParamKind::Switch, "--fast", "", "", false, "0"}, ""},
      {{"Sw", ParamKind::Switch, "--fast", "", "", false, ""}, ""},
      {{"<INFILE>", ParamKind::Required, "", "", "", false, ""}, "<infile>"},
      {{"<OutFile>", ParamKind::Required, "-o", "", "", false, ""}, "-o  <outfile>"},
      {{"<outfile>", ParamKind::Optional, "", "", "", false, ""}, "<outfile>"},
  };
  for (const RowCase& test : cases) {
    ExtCodecDef codec;
    codec.Params = {0, {test.row}};
    codec.Values = {1, QList<QString>(6)};
    const std::optional<CompiledCodec> c = Conversion::CompileExternalCodec(codec, false);
    ASSERT_TRUE(c) << test.row.Label.toStdString();
    EXPECT_EQ(c->CommandTemplate, test.arguments) << test.row.Label.toStdString();
  }
}

TEST_F(CompileFormatTest, EditableValuesReplaceEveryCopyOfTheOptionOrAreAppended) {
  struct ValueCase {
    const char* ffmpegParams;
    QList<QString> values;
    const char* options;
    const char* size;
    const char* aspect;
  };
  const QList<QString> none(10);
  auto at = [&](int position, const QString& value) {
    QList<QString> values = none;
    values[position - 1] = value;
    return values;
  };
  const ValueCase cases[] = {
      {"-b:v 1M -r 25 -b:v 1M", at(1, "2M"), "-b:v 2M -r 25 -b:v 2M", "", ""},
      {"-r 25", at(7, "30"), "-r 30", "", ""},
      {"-c:v rawvideo", at(10, "yuv422p"), "-c:v rawvideo  -pix_fmt yuv422p", "", ""},
      {"-f rawvideo -s 320x240", at(9, "4:3"), "-f rawvideo   -aspect 4:3", "-s 320x240", ""},
      {"-aspect 16:9 -f rawvideo", none, "-f rawvideo", "", "-aspect 16:9"},
      {"-f rawvideo", at(8, "640x480"), "-f rawvideo  -s 640x480", "", ""},
  };
  for (const ValueCase& test : cases) {
    ExtCodecDef codec;
    codec.Params = {0, {{"<InFile>", ParamKind::Required, "", "", "", false, ""}}};
    codec.FfmpegParams = test.ffmpegParams;
    codec.Values = {1, test.values};
    const std::optional<CompiledCodec> c = Conversion::CompileExternalCodec(codec, true);
    ASSERT_TRUE(c) << test.ffmpegParams;
    EXPECT_EQ(c->FfmpegOptions, test.options) << test.ffmpegParams;
    EXPECT_EQ(c->SizeOption, test.size) << test.ffmpegParams;
    EXPECT_EQ(c->AspectOption, test.aspect) << test.ffmpegParams;
  }
}

// A format profile has always dropped a track for any removal byte but 0,
// also one this program never writes itself.
TEST_F(CompileFormatTest, AnyStoredRemovalByteButZeroRemoves) {
  FormatProfile profile;
  profile.VideoCodec = "libx264";
  const QString path =
      WriteFile("appfiles/formats/dos.qfm", WithFlagByte(profile, &FormatProfile::RemoveVideo, 2));
  FormatStatus status = kUnset;
  const CompiledFormat c = Conversion::LoadFormat(path, status);
  ASSERT_EQ(status, FormatStatus::Compiled);
  EXPECT_EQ(c.NoVideoOption, "-vn");
  EXPECT_EQ(c.VideoOptions, "");
  EXPECT_EQ(c.NoAudioOption, "");
}

TEST_F(CompileFormatTest, LoadFormatStatusCodes) {
  FormatProfile good;
  good.OutputContainer = "mp4";
  FormatProfile badAudio;
  badAudio.AudioExtCodecName = "broken";
  FormatProfile badVideo;
  badVideo.VideoExtCodecName = "broken";
  ASSERT_EQ(RecordFile::Write(WriteFile("appfiles/formats/good.qfm", ""), good), Result::Ok);
  ASSERT_EQ(RecordFile::Write(WriteFile("appfiles/formats/audio.qfm", ""), badAudio), Result::Ok);
  ASSERT_EQ(RecordFile::Write(WriteFile("appfiles/formats/video.qfm", ""), badVideo), Result::Ok);
  WriteFile("appfiles/formats/corrupt.qfm", QByteArray("\x40\x00mp", 4));
  WriteFile("appfiles/formats/zero.qfm", "");
  const QString formats = Folder() + "/appfiles/formats/";
  const struct {
    QString path;
    FormatStatus status;
  } cases[] = {
      {formats + "good.qfm", FormatStatus::Compiled},
      {formats + "missing.qfm", FormatStatus::FileMissing},
      {formats + ".qfm", FormatStatus::Compiled},
      {formats + "corrupt.qfm", FormatStatus::ReadError},
      {formats + "zero.qfm", FormatStatus::Compiled},
      {formats + "audio.qfm", FormatStatus::AudioEncoderFailed},
      {formats + "video.qfm", FormatStatus::VideoEncoderFailed},
  };
  for (const auto& test : cases) {
    FormatStatus status = kUnset;
    const CompiledFormat c = Conversion::LoadFormat(test.path, status);
    EXPECT_EQ(status, test.status) << test.path.toStdString();
    EXPECT_EQ(
        c.OutputOptions,
        test.status == FormatStatus::Compiled && test.path.endsWith("good.qfm") ? " -f mp4" : "");
  }
}

TEST_F(CompileFormatTest, ResolveCodecExecutableFallsBackToTheStandAloneDefinition) {
  const QString embedded = WriteFile("tools/lame", "#!/bin/sh\n");
  EXPECT_EQ(Conversion::ResolveCodecExecutable("tools/lame", "lame", false), embedded);
  EXPECT_EQ(Conversion::ResolveCodecExecutable(embedded, "lame", false), embedded);

  const QString moved = WriteFile("bin/lame2", "#!/bin/sh\n");
  ExtCodecDef definition;
  definition.ExePath = "bin/lame2";
  ASSERT_EQ(RecordFile::Write(WriteFile("appfiles/ecodec/lame.qca", ""), definition), Result::Ok);
  EXPECT_EQ(Conversion::ResolveCodecExecutable("tools/gone", "lame", false), moved);
  EXPECT_EQ(Conversion::ResolveCodecExecutable("tools/gone", "lame", true), "");  // no lame.qcv
  EXPECT_EQ(Conversion::ResolveCodecExecutable("tools/gone", "other", false), "");
  WriteFile("appfiles/ecodec/bad.qca", QByteArray("\xff\xff", 2));
  EXPECT_EQ(Conversion::ResolveCodecExecutable("", "bad", false), "");
}

}  // namespace
