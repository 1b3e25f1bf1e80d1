// Every compiled option text, run through the installed ffmpeg on a small
// clip: ffmpeg must accept it and the output must be what the profile asked.
#include <QProcess>
#include <algorithm>
#include <cstdlib>
#include <functional>

#include "InstalledTools.h"
#include "TestEnv.h"
#include "core/convert/Conversion.h"
#include "core/frame/FfmpegProbe.h"
#include "core/frame/FfmpegTools.h"
#include "core/ground/CommandLine.h"
#include "core/ground/FilterDef.h"
#include "core/ground/RecordFile.h"

namespace {

QStringList Words(const QString& options) {
  return options.trimmed().isEmpty() ? QStringList()
                                     : CommandLine::SplitCommandLine("x " + options).mid(1);
}

struct RunCase {
  const char* name;
  std::function<void(FormatProfile&)> format;
  std::function<void(EditProfileRec&)> edit;
  const char* extension;
  std::function<void(const MediaInfo&)> check;
};

class CompiledOptionsFfmpegTest : public TestEnv {
 protected:
  void SetUp() override {
    TestEnv::SetUp();
    UseInstalledTools();
    input_ = Folder() + "/in.mkv";
    ASSERT_EQ(Ffmpeg({"-f", "lavfi", "-i", "testsrc=size=160x120:rate=10", "-f", "lavfi", "-i",
                      "sine=d=2", "-t", "2", "-c:v", "mpeg4", "-c:a", "aac", input_}),
              0);
  }

  int Ffmpeg(const QStringList& arguments) {
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(FfmpegTools::State().FfmpegPath,
                  QStringList{"-hide_banner", "-nostdin", "-y"} + arguments);
    if (!process.waitForFinished(60000)) return -1;
    log_ = QString::fromUtf8(process.readAll());
    return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
  }

  // The pieces in the order of a whole conversion, with the format's size and
  // aspect after the editing profile's video filters.
  QStringList Arguments(const CompiledFormat& f, CompiledEdit e, const QString& output) {
    if (!e.OwnSize) e.VideoFilterOptions += " " + f.SizeOption;
    if (!e.OwnAspect) e.VideoFilterOptions += " " + f.AspectOption;
    QStringList arguments;
    for (const QString& piece : {f.InputOptions, e.SeekOption, e.InputOptions})
      arguments << Words(piece);
    arguments << "-i" << input_;
    for (const QString& piece :
         {f.OutputOptions, f.AudioOptions, f.SubtitleCodecOption, f.VideoOptions,
          e.AudioFilterOptions, e.DurationOption, e.OutputOptions, e.VideoFilterOptions,
          f.NoAudioOption, f.NoVideoOption, e.NoAudioOption, e.NoSubtitlesOption,
          e.NoVideoOption}) {
      arguments << Words(piece);
    }
    return arguments << output;
  }

  QString input_;
  QString log_;
};

bool Near(const QString& seconds, double expected) {
  return std::abs(seconds.toDouble() - expected) < 0.15;
}

TEST_F(CompiledOptionsFfmpegTest, FfmpegAcceptsTheOptionsAndProducesWhatTheProfilesAsk) {
  FilterDef echo{FilterType::Audio, false, "aecho=0.8:0.9:100:0.3"};
  FilterDef mirror{FilterType::Video, false, "hflip"};
  FilterDef negate{FilterType::Video, false, "negate"};
  ASSERT_EQ(RecordFile::Write(WriteFile("appfiles/filters/eco.qfl", ""), echo),
            RecordFile::Result::Ok);
  ASSERT_EQ(RecordFile::Write(WriteFile("appfiles/filters/espejo.qfl", ""), mirror),
            RecordFile::Result::Ok);
  ASSERT_EQ(RecordFile::Write(WriteFile("appfiles/filters/negativo.qfl", ""), negate),
            RecordFile::Result::Ok);

  const RunCase cases[] = {
      {"format of the worked example",
       [](FormatProfile& p) {
         p.OutputContainer = "mp4";
         p.AudioCodec = "aac";
         p.AudioBitrate = "128k";
         p.VideoCodec = "libx264";
         p.FrameSize = "640x360";
       },
       [](EditProfileRec&) {}, "mp4",
       [](const MediaInfo& m) {
         EXPECT_EQ(m.VideoCodec, "h264");
         EXPECT_EQ(m.VideoSize, "640x360");
         EXPECT_EQ(m.AudioCodec, "aac");
       }},
      // An input pixel format only means something to raw inputs, so it is left out.
      {"every format field but the target",
       [](FormatProfile& p) {
         p.InputContainer = "matroska";
         p.InputAudioCodec = "aac";
         p.InputVideoCodec = "mpeg4";
         p.InputExtraParams = "-thread_queue_size 64";
         p.OutputContainer = "matroska";
         p.OutputExtraParams = "-metadata title=prueba";
         p.AudioQuality = "4";
         p.AudioMaxRate = "192k";
         p.AudioMinRate = "32k";
         p.Channels = "1";
         p.AudioCodec = "libvorbis";
         p.SampleRate = "22050";
         p.VideoMaxRate = "2M";
         p.VideoMinRate = "100k";
         p.VideoBitrate = "1M";
         p.VideoQMax = "31";
         p.VideoQMin = "2";
         p.VideoCodec = "mpeg4";
         p.PixelFormat = "yuv420p";
         p.VideoQuality = "3";
         p.FrameRate = "5";
         p.FrameSize = "320x240";
         p.AspectRatio = "16:9";
         p.SubtitleCodec = "copy";
       },
       [](EditProfileRec&) {}, "mkv",
       [](const MediaInfo& m) {
         EXPECT_EQ(m.VideoCodec, "mpeg4");
         EXPECT_EQ(m.VideoSize, "320x240");
         EXPECT_EQ(m.VideoFrameRate, "5/1");
         EXPECT_EQ(m.AspectRatio, "16:9");
         EXPECT_EQ(m.AudioCodec, "vorbis");
         EXPECT_EQ(m.AudioSampleRate, "22050");
         EXPECT_EQ(m.AudioChannels, "1");
         EXPECT_EQ(m.Title, "prueba");
       }},
      {"a target", [](FormatProfile& p) { p.Target = "pal-vcd"; }, [](EditProfileRec&) {}, "mpg",
       [](const MediaInfo& m) {
         EXPECT_EQ(m.VideoCodec, "mpeg1video");
         EXPECT_EQ(m.VideoSize, "352x288");
         EXPECT_EQ(m.AudioCodec, "mp2");
       }},
      {"video removed by the format", [](FormatProfile& p) { p.RemoveVideo = true; },
       [](EditProfileRec&) {}, "mka",
       [](const MediaInfo& m) {
         EXPECT_FALSE(m.HasVideo);
         EXPECT_TRUE(m.HasAudio);
       }},
      {"editing worked example, trimmed by end position",
       [](FormatProfile& p) { p.FrameSize = "320x240"; },
       [](EditProfileRec& p) {
         p.ResizeWidth = "640";
         p.AspectMode = AspectSetting::FitFinalSize;
         p.CropHeight = "0.9";
         p.CropHeightUnit = SizeUnit::InputHeight;
         p.Volume = "50";
         p.Equalizer[0] = "100";
         p.Equalizer[1] = "3";
         p.Equalizer[2] = "1";
         p.StartPos = "0:0.5";
         p.EndPos = "0:1.5";
       },
       "mkv",
       [](const MediaInfo& m) {
         EXPECT_EQ(m.VideoSize, "640x108");  // 0.9 of the height kept, then scaled to 640
         EXPECT_TRUE(Near(m.Duration, 1.0)) << m.Duration.toStdString();
       }},
      {"borders, filters, audio removed, length in frames", [](FormatProfile&) {},
       [](EditProfileRec& p) {
         p.BorderTop = p.BorderBottom = "10";
         p.BorderLeft = "0.25";
         p.BorderLeftUnit = SizeUnit::InputWidth;
         p.BorderColor = "FF0000";
         p.Filters = {1, {"espejo", "negativo"}};
         p.RemoveAudio = true;
         p.EndMode = TrimEnd::AfterDuration;
         p.DurationUnit = LengthUnit::Frames;
         p.Duration = {"", "5", ""};
       },
       "mkv",
       [](const MediaInfo& m) {
         EXPECT_EQ(m.VideoSize, "200x140");
         EXPECT_FALSE(m.HasAudio);
         EXPECT_TRUE(Near(m.Duration, 0.5)) << m.Duration.toStdString();
       }},
      {"audio filters and a length in seconds, resize by factor, crop",
       [](FormatProfile& p) { p.FrameSize = "320x240"; },
       [](EditProfileRec& p) {
         p.Filters = {1, {"eco"}};
         p.Equalizer[3] = "1000";
         p.Equalizer[4] = "-6";
         p.Equalizer[5] = "2";
         p.ResizeWidth = "0.5";
         p.ResizeWidthUnit = SizeUnit::InputWidth;
         p.ResizeHeight = "0.5";
         p.ResizeHeightUnit = SizeUnit::InputHeight;
         p.CropWidth = "60";
         p.CropLeft = "0";
         p.CropTop = "0";
         p.CropHeight = "40";
         p.EndMode = TrimEnd::AfterDuration;
         p.Duration = {"1.2", "", ""};
         p.InputParams = "-threads 1";
         p.OutputParams = "-metadata title=quill";
       },
       "mkv",
       [](const MediaInfo& m) {
         EXPECT_EQ(m.VideoSize, "30x20");  // 60x40 of the source, then halved
         EXPECT_EQ(m.Title, "quill");
         EXPECT_TRUE(Near(m.Duration, 1.2)) << m.Duration.toStdString();
       }},
      {"options typed the terminal way, a backslash at each line end",
       [](FormatProfile& p) { p.OutputExtraParams = "-ar 22050 \\\n  -ac 1 \\\n"; },
       [](EditProfileRec& p) { p.OutputParams = "-metadata \\\n  title=\"dos \\\nlineas\""; },
       "mka",
       [](const MediaInfo& m) {
         EXPECT_EQ(m.AudioSampleRate, "22050");
         EXPECT_EQ(m.AudioChannels, "1");
         EXPECT_EQ(m.Title, "dos lineas");
       }},
  };
  for (const RunCase& test : cases) {
    FormatProfile format;
    test.format(format);
    EditProfileRec edit;
    test.edit(edit);
    Conversion::FormatStatus formatStatus = Conversion::FormatStatus::ReadError;
    const CompiledFormat f = Conversion::CompileFormat(format, formatStatus);
    ASSERT_EQ(formatStatus, Conversion::FormatStatus::Compiled) << test.name;
    QString filterPath;
    Conversion::EditStatus editStatus = Conversion::EditStatus::ReadError;
    const CompiledEdit e = Conversion::CompileEditProfile(edit, editStatus, filterPath);
    ASSERT_EQ(editStatus, Conversion::EditStatus::Compiled) << test.name;
    const QString output = Folder() + "/out." + test.extension;
    const QStringList arguments = Arguments(f, e, output);
    ASSERT_EQ(Ffmpeg(arguments), 0) << test.name << "\n"
                                    << arguments.join(' ').toStdString() << "\n"
                                    << log_.toStdString();
    SCOPED_TRACE(test.name);
    test.check(FfmpegProbe::ProbeMedia(output));
  }
}

// The first frame of a video file as packed RGB bytes; empty when ffmpeg fails.
QByteArray FirstFrameRgb(const QString& file) {
  QProcess process;
  process.start(FfmpegTools::State().FfmpegPath,
                {"-v", "error", "-nostdin", "-i", file, "-frames:v", "1", "-f", "rawvideo",
                 "-pix_fmt", "rgb24", "-"});
  if (!process.waitForFinished(60000) || process.exitCode() != 0) return {};
  return process.readAllStandardOutput();
}

// The largest difference between two pictures' bytes; -1 when their sizes differ.
int LargestDifference(const QByteArray& a, const QByteArray& b) {
  if (a.size() != b.size()) return -1;
  int largest = 0;
  for (qsizetype i = 0; i < a.size(); ++i)
    largest = std::max(largest, std::abs(int(uchar(a[i])) - int(uchar(b[i]))));
  return largest;
}

TEST_F(CompiledOptionsFfmpegTest, CropAndResizeCutTheChosenAreaOfTheSourceAsFfmpegItselfWould) {
  const QString source = Folder() + "/source.mkv";
  ASSERT_EQ(Ffmpeg({"-f", "lavfi", "-i", "testsrc=size=320x240:rate=10", "-t", "1", "-c:v", "ffv1",
                    source}),
            0);
  input_ = source;
  struct Case {
    const char* name;
    std::function<void(EditProfileRec&)> edit;
    const char* ownChain;  // the same operations written directly for ffmpeg
    const char* size;
  } cases[] = {
      {"crop 160x120 at 10,20 then resize to 128x96",
       [](EditProfileRec& p) {
         p.CropWidth = "160";
         p.CropHeight = "120";
         p.CropLeft = "10";
         p.CropTop = "20";
         p.ResizeWidth = "128";
         p.ResizeHeight = "96";
       },
       "crop=160:120:10:20,scale=128:96", "128x96"},
      {"a crop that would fit the new size is still taken from the source",
       [](EditProfileRec& p) {
         p.CropWidth = "64";
         p.CropHeight = "48";
         p.CropLeft = "20";
         p.CropTop = "30";
         p.ResizeWidth = "0.5";
         p.ResizeWidthUnit = SizeUnit::InputWidth;
         p.ResizeHeight = "0.5";
         p.ResizeHeightUnit = SizeUnit::InputHeight;
       },
       "crop=64:48:20:30,scale=32:24", "32x24"},
      {"crop, resize, borders and aspect",
       [](EditProfileRec& p) {
         p.CropWidth = "0.5";
         p.CropWidthUnit = SizeUnit::InputWidth;
         p.CropHeight = "120";
         p.CropLeft = "40";
         p.ResizeWidth = "80";
         p.ResizeHeight = "60";
         p.BorderLeft = "8";
         p.BorderTop = "4";
         p.BorderColor = "FF0000";
         p.AspectMode = AspectSetting::FromRatio;
         p.AspectRatio = "16/9";
       },
       "crop=160:120:40:60,scale=80:60,pad=88:64:8:4:FF0000,setdar=16/9", "88x64"},
  };
  FormatProfile format;
  format.OutputContainer = "matroska";
  format.VideoCodec = "ffv1";
  format.PixelFormat = "yuv444p";
  Conversion::FormatStatus formatStatus = Conversion::FormatStatus::ReadError;
  const CompiledFormat f = Conversion::CompileFormat(format, formatStatus);
  ASSERT_EQ(formatStatus, Conversion::FormatStatus::Compiled);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EditProfileRec edit;
    c.edit(edit);
    QString filterPath;
    Conversion::EditStatus editStatus = Conversion::EditStatus::ReadError;
    const CompiledEdit e = Conversion::CompileEditProfile(edit, editStatus, filterPath);
    ASSERT_EQ(editStatus, Conversion::EditStatus::Compiled);
    const QString compiled = Folder() + "/compiled.mkv";
    const QString own = Folder() + "/own.mkv";
    ASSERT_EQ(Ffmpeg(Arguments(f, e, compiled)), 0) << log_.toStdString();
    ASSERT_EQ(Ffmpeg({"-i", source, "-vf", c.ownChain, "-c:v", "ffv1", "-pix_fmt", "yuv444p", own}),
              0)
        << log_.toStdString();
    EXPECT_EQ(FfmpegProbe::ProbeMedia(compiled).VideoSize, c.size);
    EXPECT_EQ(FfmpegProbe::ProbeMedia(compiled).AspectRatio,
              FfmpegProbe::ProbeMedia(own).AspectRatio);
    const QByteArray picture = FirstFrameRgb(compiled);
    ASSERT_FALSE(picture.isEmpty());
    const int difference = LargestDifference(picture, FirstFrameRgb(own));
    EXPECT_GE(difference, 0) << "the pictures differ in size";
    EXPECT_LE(difference, 2);
  }
}

}  // namespace
