#include <QProcess>
#include <QProcessEnvironment>
#include <iterator>
#include <memory>
#include <vector>

#include "TestEnv.h"
#include "core/frame/FfmpegOptionNames.h"
#include "core/frame/FfmpegTools.h"

namespace {

enum Tool { Ffmpeg = 1, Ffplay = 2, Both = Ffmpeg | Ffplay };

struct Name {
  const char* member;
  QString FfmpegOptionNames::*text;
  Tool tool;  // the tools the commands hand the name to
};

// Every name, with the tools that get it: the player's window size and its
// silent, self-closing play go to ffplay alone; what the player's options
// share with ffmpeg's goes to both.
constexpr Name kNames[] = {
    {"Format", &FfmpegOptionNames::Format, Both},
    {"AudioCodec", &FfmpegOptionNames::AudioCodec, Ffmpeg},
    {"VideoCodec", &FfmpegOptionNames::VideoCodec, Ffmpeg},
    {"SubtitleCodec", &FfmpegOptionNames::SubtitleCodec, Ffmpeg},
    {"PixelFormat", &FfmpegOptionNames::PixelFormat, Ffmpeg},
    {"Aspect", &FfmpegOptionNames::Aspect, Ffmpeg},
    {"Target", &FfmpegOptionNames::Target, Ffmpeg},
    {"AudioBitrate", &FfmpegOptionNames::AudioBitrate, Ffmpeg},
    {"AudioMinRate", &FfmpegOptionNames::AudioMinRate, Ffmpeg},
    {"AudioMaxRate", &FfmpegOptionNames::AudioMaxRate, Ffmpeg},
    {"SampleRate", &FfmpegOptionNames::SampleRate, Ffmpeg},
    {"Channels", &FfmpegOptionNames::Channels, Ffmpeg},
    {"AudioQuality", &FfmpegOptionNames::AudioQuality, Ffmpeg},
    {"NoAudio", &FfmpegOptionNames::NoAudio, Both},
    {"VideoBitrate", &FfmpegOptionNames::VideoBitrate, Ffmpeg},
    {"VideoMinRate", &FfmpegOptionNames::VideoMinRate, Ffmpeg},
    {"VideoMaxRate", &FfmpegOptionNames::VideoMaxRate, Ffmpeg},
    {"FrameRate", &FfmpegOptionNames::FrameRate, Ffmpeg},
    {"VideoQuality", &FfmpegOptionNames::VideoQuality, Ffmpeg},
    {"VideoQMin", &FfmpegOptionNames::VideoQMin, Ffmpeg},
    {"VideoQMax", &FfmpegOptionNames::VideoQMax, Ffmpeg},
    {"Size", &FfmpegOptionNames::Size, Ffmpeg},
    {"NoVideo", &FfmpegOptionNames::NoVideo, Ffmpeg},
    {"AudioFilter", &FfmpegOptionNames::AudioFilter, Both},
    {"VideoFilter", &FfmpegOptionNames::VideoFilter, Both},
    {"FilterComplex", &FfmpegOptionNames::FilterComplex, Ffmpeg},
    {"Duration", &FfmpegOptionNames::Duration, Both},
    {"Volume", &FfmpegOptionNames::Volume, Ffmpeg},
    {"NoSubtitles", &FfmpegOptionNames::NoSubtitles, Ffmpeg},
    {"Seek", &FfmpegOptionNames::Seek, Both},
    {"WindowWidth", &FfmpegOptionNames::WindowWidth, Ffplay},
    {"WindowHeight", &FfmpegOptionNames::WindowHeight, Ffplay},
    {"VideoFrames", &FfmpegOptionNames::VideoFrames, Ffmpeg},
    {"Overwrite", &FfmpegOptionNames::Overwrite, Ffmpeg},
    {"NoDisplay", &FfmpegOptionNames::NoDisplay, Ffplay},
    {"AutoExit", &FfmpegOptionNames::AutoExit, Ffplay},
    {"FileSize", &FfmpegOptionNames::FileSize, Ffmpeg},
    {"Pass", &FfmpegOptionNames::Pass, Ffmpeg},
    {"NoOverwrite", &FfmpegOptionNames::NoOverwrite, Ffmpeg},
    {"VideoTag", &FfmpegOptionNames::VideoTag, Ffmpeg},
    {"AudioTag", &FfmpegOptionNames::AudioTag, Ffmpeg},
};
static_assert(std::size(kNames) * sizeof(QString) == sizeof(FfmpegOptionNames),
              "a name of FfmpegOptionNames is missing from the table");

class FfmpegOptionNamesTest : public TestEnv {
 protected:
  // Starts the tool with the option and a value after it, in the test's
  // folder: the value stands for an option's own value or, after a switch,
  // for a file name that is not there.
  std::unique_ptr<QProcess> Try(const QString& tool, const QString& option) {
    auto process = std::make_unique<QProcess>();
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    // ffplay needs neither a sound card nor a screen here.
    environment.insert("SDL_AUDIODRIVER", "dummy");
    environment.insert("SDL_VIDEODRIVER", "dummy");
    process->setProcessEnvironment(environment);
    process->setWorkingDirectory(Folder());
    process->setProcessChannelMode(QProcess::MergedChannels);
    process->setStandardInputFile(QProcess::nullDevice());
    process->start(tool, {"-hide_banner", "-loglevel", "error", option, "1"});
    return process;
  }
  // True when the tool, started by Try, read its arguments without an
  // unknown option among them.
  static bool Took(QProcess& tried) {
    if (!tried.waitForFinished(60000)) {
      tried.kill();
      tried.waitForFinished();
      ADD_FAILURE() << tried.program().toStdString() << " did not end";
    }
    return !QString::fromUtf8(tried.readAll()).contains("Option not found");
  }
};

// A name the installed ffmpeg or ffplay does not know fails every command
// that holds it.
TEST_F(FfmpegOptionNamesTest, EveryNameIsAnOptionOfTheToolsThatGetIt) {
  FfmpegTools::InitOptionNames();
  const FfmpegOptionNames& names = FfmpegTools::State().OptNames;
  struct Tried {
    const Name* name;
    QString tool;
    std::unique_ptr<QProcess> process;
  };
  std::vector<Tried> tries;
  for (const Name& name : kNames) {
    for (const auto& [tool, path] :
         {std::pair{Ffmpeg, "/usr/bin/ffmpeg"}, std::pair{Ffplay, "/usr/bin/ffplay"}}) {
      if (name.tool & tool) tries.push_back({&name, path, Try(path, names.*name.text)});
    }
  }
  for (Tried& tried : tries) {
    EXPECT_TRUE(Took(*tried.process))
        << tried.name->member << " \"" << (names.*tried.name->text).toStdString() << "\", "
        << tried.tool.toStdString();
  }
}

// Each name of the table stands for a member of its own, and a name the tools
// do not know is told: the check above can fail.
TEST_F(FfmpegOptionNamesTest, TheTableHoldsEachNameOnceAndAnUnknownNameIsTold) {
  for (size_t i = 0; i < std::size(kNames); ++i) {
    for (size_t k = i + 1; k < std::size(kNames); ++k)
      EXPECT_NE(kNames[i].text, kNames[k].text) << kNames[i].member << " and " << kNames[k].member;
  }
  for (const char* tool : {"/usr/bin/ffmpeg", "/usr/bin/ffplay"}) {
    const std::unique_ptr<QProcess> tried = Try(tool, "-no_such_option");
    EXPECT_FALSE(Took(*tried)) << tool;
  }
}

}  // namespace
