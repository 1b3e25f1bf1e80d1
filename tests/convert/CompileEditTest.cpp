#include <QLocale>
#include <clocale>
#include <functional>

#include "RecordBytes.h"
#include "TestEnv.h"
#include "core/convert/Conversion.h"
#include "core/frame/FfmpegTools.h"
#include "core/ground/FilterDef.h"
#include "core/ground/RecordFile.h"

namespace {

using Conversion::EditStatus;
using RecordFile::Result;

// A status no compilation gives, so that a test sees the status was set.
constexpr EditStatus kUnset = EditStatus(9);

class CompileEditTest : public TestEnv {
 protected:
  void SetUp() override {
    TestEnv::SetUp();
    FfmpegTools::InitOptionNames();
  }
  void WriteFilter(const QString& name, FilterType type, bool multiInput, const QString& text) {
    const FilterDef filter{type, multiInput, text};
    ASSERT_EQ(RecordFile::Write(WriteFile("appfiles/filters/" + name + ".qfl", ""), filter),
              Result::Ok);
  }
  CompiledEdit Compile(const EditProfileRec& profile, EditStatus& status) {
    QString filterPath;
    return Conversion::CompileEditProfile(profile, status, filterPath);
  }
};

struct EditCase {
  const char* name;
  std::function<void(EditProfileRec&)> setUp;
  std::function<void(CompiledEdit&)> expected;
};

void SetBand(EditProfileRec& p, int band, const QString& frequency, const QString& gain,
             const QString& width) {
  p.Equalizer[band * 3 - 3] = frequency;
  p.Equalizer[band * 3 - 2] = gain;
  p.Equalizer[band * 3 - 1] = width;
}

TEST_F(CompileEditTest, GoldenProfiles) {
  WriteFilter("eco", FilterType::Audio, false, "aecho=0.8:0.9:100:0.3");
  WriteFilter("grave", FilterType::Audio, false, "bass=g=5");
  WriteFilter("espejo", FilterType::Video, false, "hflip");
  WriteFilter("lado", FilterType::Complex, true, "[0:v][1:v]hstack");
  WriteFilter("nada", FilterType::Video, true, "");
  const EditCase cases[] = {
      {"empty profile", [](EditProfileRec&) {}, [](CompiledEdit&) {}},
      {"defaults change nothing",
       [](EditProfileRec& p) {
         p.Volume = "100";
         p.EndMode = TrimEnd::AtPosition;
         p.AspectMode = AspectSetting::Keep;
         p.StartPos = "0";
         for (int band = 1; band <= 10; ++band) SetBand(p, band, "1000", "0", "1");
       },
       [](CompiledEdit&) {}},
      // The changes to the worked example: crop, scale and aspect share one -vf,
      // and the crop comes first, on the source picture.
      {"worked example",
       [](EditProfileRec& p) {
         p.ResizeWidth = "640";
         p.AspectMode = AspectSetting::FitFinalSize;
         p.CropHeight = "0.9";
         p.CropHeightUnit = SizeUnit::InputHeight;
         p.Volume = "50";
         SetBand(p, 1, "100", "3", "1");
         p.StartPos = "0:10";
       },
       [](CompiledEdit& c) {
         c.AudioFilterOptions = "-af equalizer=f=100:width_type=o:w=1:g=3 -vol 128";
         c.VideoFilterOptions = "-vf crop=iw:0.9*ih:(iw-ow)/2:(ih-oh)/2,scale=640:ih,setdar";
         c.OwnSize = true;
         c.OwnAspect = true;
         c.SeekOption = "-ss 10";
       }},
      {"two bands and two audio filters make one -af chain",
       [](EditProfileRec& p) {
         SetBand(p, 2, "63", "-2.5", "1");
         SetBand(p, 10, "16000", "4", "0.5");
         p.Filters = {1, {"eco", "grave"}};
         p.Volume = "150";
       },
       [](CompiledEdit& c) {
         c.AudioFilterOptions =
             "-af equalizer=f=63:width_type=o:w=1:g=-2.5,equalizer=f=16000:width_type=o:w=0.5:g=4,"
             "aecho=0.8:0.9:100:0.3,bass=g=5 -vol 384";
       }},
      {"removed audio skips equaliser, volume and audio filters",
       [](EditProfileRec& p) {
         p.RemoveAudio = true;
         SetBand(p, 1, "100", "3", "1");
         p.Volume = "abc";
         p.Filters = {1, {"eco", "espejo"}};
       },
       [](CompiledEdit& c) {
         c.NoAudioOption = "-an";
         c.VideoFilterOptions = "-vf hflip";
       }},
      {"a removed track drops its options",
       [](EditProfileRec& p) {
         p.RemoveVideo = true;
         p.ResizeWidth = "640";
         p.Filters = {1, {"espejo"}};
       },
       [](CompiledEdit& c) { c.NoVideoOption = "-vn"; }},
      {"a complex filter follows the free output options",
       [](EditProfileRec& p) {
         p.Filters = {1, {"lado", "nada"}};
         p.OutputParams = " -map_metadata -1 ";
         p.InputParams = " -threads 2 ";
       },
       [](CompiledEdit& c) {
         c.OutputOptions = "-map_metadata -1   -filter_complex [0:v][1:v]hstack";
         c.InputOptions = "-threads 2";
         c.NeedsMultipleInputs = true;
       }},
      {"borders of 10 pixels on every side",
       [](EditProfileRec& p) {
         p.BorderTop = p.BorderBottom = p.BorderLeft = p.BorderRight = "10";
       },
       [](CompiledEdit& c) { c.VideoFilterOptions = "-vf pad=iw+10+10:ih+10+10:10:10:000000"; }},
      {"borders as factors, with a colour",
       [](EditProfileRec& p) {
         p.BorderTop = "0.1";
         p.BorderTopUnit = SizeUnit::InputHeight;
         p.BorderLeft = "0.05";
         p.BorderLeftUnit = SizeUnit::InputWidth;
         p.BorderColor = "FF8000";
       },
       [](CompiledEdit& c) {
         c.VideoFilterOptions = "-vf pad=iw+0.05*iw:ih+0.1*ih:0.05*iw:0.1*ih:FF8000";
       }},
      {"resize height alone, and aspect ratio set",
       [](EditProfileRec& p) {
         p.ResizeHeight = "0.5";
         p.ResizeHeightUnit = SizeUnit(3);
         p.AspectMode = AspectSetting::FromRatio;
         p.AspectRatio = "16/9";
       },
       [](CompiledEdit& c) {
         c.VideoFilterOptions = "-vf scale=iw:0.5*ow,setdar=16/9";
         c.OwnSize = true;
         c.OwnAspect = true;
       }},
      {"aspect alone, then a video filter",
       [](EditProfileRec& p) {
         p.AspectMode = AspectSetting::FromRatio;
         p.AspectRatio = "4/3";
         p.Filters = {1, {"espejo"}};
       },
       [](CompiledEdit& c) {
         c.VideoFilterOptions = "-vf setdar=4/3,hflip";
         c.OwnAspect = true;
       }},
      {"aspect from a ratio without a ratio",
       [](EditProfileRec& p) { p.AspectMode = AspectSetting::FromRatio; }, [](CompiledEdit&) {}},
      {"crop with units and offsets",
       [](EditProfileRec& p) {
         p.CropWidth = "0.5";
         p.CropWidthUnit = SizeUnit(3);
         p.CropLeft = "0.1";
         p.CropLeftUnit = SizeUnit(4);
         p.CropTop = "8";
       },
       [](CompiledEdit& c) { c.VideoFilterOptions = "-vf crop=0.5*oh:ih:0.1*oh:8"; }},
      {"crop offsets alone make no crop",
       [](EditProfileRec& p) {
         p.CropLeft = "10";
         p.CropTop = "10";
       },
       [](CompiledEdit&) {}},
      {"every video operation in order",
       [](EditProfileRec& p) {
         p.BorderBottom = "4";
         p.ResizeWidth = "320";
         p.ResizeHeight = "240";
         p.AspectMode = AspectSetting::FitFinalSize;
         p.CropWidth = "300";
         p.Filters = {1, {"espejo"}};
       },
       [](CompiledEdit& c) {
         c.VideoFilterOptions =
             "-vf "
             "crop=300:ih:(iw-ow)/2:(ih-oh)/2,scale=320:240,pad=iw:ih+4:0:0:000000,setdar,hflip";
         c.OwnSize = true;
         c.OwnAspect = true;
       }},
      {"duration in frames",
       [](EditProfileRec& p) {
         p.EndMode = TrimEnd::AfterDuration;
         p.DurationUnit = LengthUnit::Frames;
         p.Duration = {"0:30", "250", "1000"};
       },
       [](CompiledEdit& c) { c.DurationOption = "-vframes 250"; }},
      {"duration in bytes",
       [](EditProfileRec& p) {
         p.EndMode = TrimEnd::AfterDuration;
         p.DurationUnit = LengthUnit::Bytes;
         p.Duration = {"", "", "1000000"};
       },
       [](CompiledEdit& c) { c.DurationOption = "-fs 1000000"; }},
      {"duration as a time, used as stored",
       [](EditProfileRec& p) {
         p.EndMode = TrimEnd::AfterDuration;
         p.Duration = {"1:30", "", ""};
       },
       [](CompiledEdit& c) { c.DurationOption = "-t 1:30"; }},
      {"a zero duration gives no option",
       [](EditProfileRec& p) {
         p.EndMode = TrimEnd::AfterDuration;
         p.Duration = {"0", "", ""};
         p.EndPos = "1:00";
       },
       [](CompiledEdit&) {}},
      {"end position with a start",
       [](EditProfileRec& p) {
         p.EndMode = TrimEnd::AtPosition;
         p.StartPos = "0:30";
         p.EndPos = "1:30";
       },
       [](CompiledEdit& c) {
         c.SeekOption = "-ss 30";
         c.DurationOption = "-t 60";
       }},
      {"end position without a start",
       [](EditProfileRec& p) {
         p.EndMode = TrimEnd::AtPosition;
         p.EndPos = "1:30";
       },
       [](CompiledEdit& c) { c.DurationOption = "-t 90"; }},
      {"end mode 0, as a new profile holds, is an end position",
       [](EditProfileRec& p) {
         p.StartPos = "10.25";
         p.EndPos = "1:30.5";
       },
       [](CompiledEdit& c) {
         c.SeekOption = "-ss 10.25";
         c.DurationOption = "-t 80.25";
       }},
  };
  for (const EditCase& test : cases) {
    EditProfileRec profile;
    test.setUp(profile);
    CompiledEdit expected;
    test.expected(expected);
    EditStatus status = kUnset;
    QString filterPath = "stale";
    const CompiledEdit compiled = Conversion::CompileEditProfile(profile, status, filterPath);
    EXPECT_EQ(status, EditStatus::Compiled) << test.name;
    EXPECT_EQ(filterPath, "") << test.name;
    EXPECT_EQ(compiled.AudioFilterOptions.toStdString(), expected.AudioFilterOptions.toStdString())
        << test.name;
    EXPECT_EQ(compiled.VideoFilterOptions.toStdString(), expected.VideoFilterOptions.toStdString())
        << test.name;
    EXPECT_EQ(compiled.OutputOptions.toStdString(), expected.OutputOptions.toStdString())
        << test.name;
    EXPECT_EQ(compiled, expected) << test.name;
  }
}

TEST_F(CompileEditTest, NumbersKeepADecimalPointInAnyLocale) {
  const QLocale saved;
  QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
  const char* cLocale = std::setlocale(LC_ALL, "de_DE.UTF-8");
  EditProfileRec p;
  p.StartPos = "0:10.5";
  p.EndPos = "0:12.75";
  p.Volume = "75.5";  // rounds to 76
  EditStatus status = kUnset;
  const CompiledEdit c = Compile(p, status);
  std::setlocale(LC_ALL, "C");
  QLocale::setDefault(saved);
  (void)cLocale;
  ASSERT_EQ(status, EditStatus::Compiled);
  EXPECT_EQ(c.SeekOption, "-ss 10.5");
  EXPECT_EQ(c.DurationOption, "-t 2.25");
  EXPECT_EQ(c.AudioFilterOptions, "-vol 194");
}

TEST_F(CompileEditTest, FailedStagesGiveTheirStatusAndAnEmptyRecord) {
  const struct {
    const char* name;
    std::function<void(EditProfileRec&)> setUp;
    EditStatus status;
  } cases[] = {
      {"all tracks removed",
       [](EditProfileRec& p) { p.RemoveAudio = p.RemoveVideo = p.RemoveSubtitles = true; },
       EditStatus::AllTracksRemoved},
      {"missing filter",
       [](EditProfileRec& p) {
         p.Filters = {1, {"nonesuch"}};
       },
       EditStatus::FilterUnreadable},
      {"volume that is no number", [](EditProfileRec& p) { p.Volume = "loud"; },
       EditStatus::AudioFailed},
      {"start that is no time", [](EditProfileRec& p) { p.StartPos = "1:2:3:4"; },
       EditStatus::TrimFailed},
      {"end that is no time", [](EditProfileRec& p) { p.EndPos = "a:10"; }, EditStatus::TrimFailed},
      {"end before start",
       [](EditProfileRec& p) {
         p.StartPos = "1:00";
         p.EndPos = "0:30";
       },
       EditStatus::TrimFailed},
  };
  for (const auto& test : cases) {
    EditProfileRec profile;
    profile.ResizeWidth = "640";
    test.setUp(profile);
    EditStatus status = kUnset;
    EXPECT_EQ(Compile(profile, status), CompiledEdit()) << test.name;
    EXPECT_EQ(status, test.status) << test.name;
  }
}

// A removal byte that is neither 0 nor 1 (from a file this program did not
// write) removes nothing: only 1 has ever meant "remove" in an editing profile.
TEST_F(CompileEditTest, AStoredRemovalByteCountsOnlyWhenOne) {
  EditProfileRec profile;
  profile.RemoveVideo = true;
  const QString path = WriteFile("appfiles/editp/dos.qep",
                                 WithFlagByte(profile, &EditProfileRec::RemoveSubtitles, 2));
  EditStatus status = kUnset;
  QString filterPath;
  const CompiledEdit c = Conversion::LoadEditProfile(path, status, filterPath);
  ASSERT_EQ(status, EditStatus::Compiled);
  EXPECT_EQ(c.NoVideoOption, "-vn");
  EXPECT_EQ(c.NoSubtitlesOption, "");
}

TEST_F(CompileEditTest, LoadEditProfileStatusCodes) {
  WriteFilter("eco", FilterType::Audio, false, "aecho=0.8:0.9:100:0.3");
  WriteFile("appfiles/filters/roto.qfl", QByteArray("\x00\x00\x10\x00"
                                                    "ab",
                                                    6));
  const QString editp = Folder() + "/appfiles/editp/";
  const auto write = [&](const QString& name, std::function<void(EditProfileRec&)> setUp) {
    EditProfileRec profile;
    setUp(profile);
    EXPECT_EQ(RecordFile::Write(WriteFile("appfiles/editp/" + name, ""), profile), Result::Ok);
  };
  write("bueno.qep", [](EditProfileRec& p) { p.Filters = {1, {"eco"}}; });
  write("todo.qep",
        [](EditProfileRec& p) { p.RemoveAudio = p.RemoveVideo = p.RemoveSubtitles = true; });
  write("falta.qep", [](EditProfileRec& p) { p.Filters = {1, {"eco", "nonesuch"}}; });
  write("roto.qep", [](EditProfileRec& p) { p.Filters = {1, {"roto"}}; });
  write("volumen.qep", [](EditProfileRec& p) { p.Volume = "x"; });
  write("corte.qep", [](EditProfileRec& p) { p.StartPos = "abc"; });
  WriteFile("appfiles/editp/corrupto.qep", QByteArray("\x50\x00", 2));
  const struct {
    const char* file;
    EditStatus status;
    QString filterPath;
  } cases[] = {
      {"bueno.qep", EditStatus::Compiled, ""},
      {"nadie.qep", EditStatus::FileMissing, ""},
      {".qep", EditStatus::Compiled, ""},
      {"corrupto.qep", EditStatus::ReadError, ""},
      {"todo.qep", EditStatus::AllTracksRemoved, ""},
      {"falta.qep", EditStatus::FilterUnreadable, Folder() + "/appfiles/filters/nonesuch.qfl"},
      {"roto.qep", EditStatus::FilterUnreadable, Folder() + "/appfiles/filters/roto.qfl"},
      {"volumen.qep", EditStatus::AudioFailed, ""},
      {"corte.qep", EditStatus::TrimFailed, ""},
  };
  for (const auto& test : cases) {
    EditStatus status = kUnset;
    QString filterPath = "stale";
    const CompiledEdit c = Conversion::LoadEditProfile(editp + test.file, status, filterPath);
    EXPECT_EQ(status, test.status) << test.file;
    EXPECT_EQ(filterPath, test.filterPath) << test.file;
    EXPECT_EQ(c.AudioFilterOptions,
              test.status == EditStatus::Compiled && QString(test.file) == "bueno.qep"
                  ? "-af aecho=0.8:0.9:100:0.3"
                  : "")
        << test.file;
  }
}

}  // namespace
