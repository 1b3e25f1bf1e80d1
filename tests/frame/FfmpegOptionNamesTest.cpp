#include "TestEnv.h"
#include "core/frame/FfmpegOptionNames.h"
#include "core/frame/FfmpegTools.h"

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

}  // namespace
