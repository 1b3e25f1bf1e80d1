#include <QRegularExpression>
#include <QStringList>

#include "TestEnv.h"
#include "core/convert/CommandTable.h"
#include "core/convert/InputProbe.h"
#include "core/convert/OutputChoice.h"
#include "core/convert/ProfilePick.h"
#include "core/frame/FfmpegProbe.h"
#include "core/frame/FfmpegTools.h"
#include "core/frame/Session.h"
#include "core/ground/CommandLine.h"
#include "core/ground/ProgramFolder.h"
#include "core/ground/ToolRunner.h"

namespace {

using namespace Conversion;
using ProfilePick::Item;

class ChoicesTest : public TestEnv {};

TEST_F(ChoicesTest, EachOutputModeKeepsItsOwnPath) {
  Session::State().OutputFile = "/out/joined file.mp4";
  Session::State().OutputFolder = "/out/folder";
  struct Case {
    Conversion::OutputMode mode;
    bool takesPath;
    QString shown;
  };
  const Case cases[] = {{OutputJoined, true, "/out/joined file.mp4"},
                        {OutputOneFile, true, "/out/joined file.mp4"},
                        {OutputSourceFolders, false, ""},
                        {OutputChosenFolder, true, "/out/folder"}};
  for (const Case& c : cases) {
    EXPECT_EQ(OutputModeTakesPath(c.mode), c.takesPath) << c.mode;
    EXPECT_EQ(OutputPathOf(c.mode), c.shown) << c.mode;
  }

  // A typed path belongs to its mode: the file modes share one, the folder
  // mode has its own and the source folders mode keeps none.
  StoreOutputPath(OutputOneFile, "/typed/$(x) 'a'.mkv");
  StoreOutputPath(OutputChosenFolder, "/typed/dir");
  StoreOutputPath(OutputSourceFolders, "/ignored");
  EXPECT_EQ(OutputPathOf(OutputJoined), "/typed/$(x) 'a'.mkv");
  EXPECT_EQ(Session::State().OutputFile, "/typed/$(x) 'a'.mkv");
  EXPECT_EQ(Session::State().OutputFolder, "/typed/dir");
  EXPECT_EQ(OutputPathOf(OutputSourceFolders), "");
}

TEST_F(ChoicesTest, ProfileBoxTextsNameTheirItemInAnyCase) {
  struct Case {
    QString text;
    QString none;
    Item item;
  };
  const Case cases[] = {
      {"<Automático>", "<Automático>", Item::None},
      {"<AUTOMÁTICO>", "<Automático>", Item::None},
      {"<ninguno>", "<Ninguno>", Item::None},
      {"<manual>", "<Ninguno>", Item::Manual},
      {"<Manual>", "<Automatic>", Item::Manual},  // a translated list
      {"<Automático>", "<Automatic>", Item::Named},
      {"Mi perfil", "<Ninguno>", Item::Named},
      {"", "<Ninguno>", Item::Named},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ProfilePick::ItemOf(c.text, c.none, "<Manual>"), c.item) << c.text.toStdString();
  }
}

TEST_F(ChoicesTest, AcceptedProfileItemsSetThePathTheConversionReads) {
  const QString current = Folder() + "/appfiles/formats/Mi perfil.qfm";
  EXPECT_EQ(ProfilePick::PathFor(Item::None, current, "formats", "qfm"), "");
  EXPECT_EQ(ProfilePick::PathFor(Item::Manual, current, "formats", "qfm"),
            ProgramFolder::AppFiles("formats") + "/.qfm");
  EXPECT_EQ(ProfilePick::PathFor(Item::Manual, "", "editp", "qep"),
            ProgramFolder::AppFiles("editp") + "/.qep");
  EXPECT_EQ(ProfilePick::PathFor(Item::Named, current, "formats", "qfm"), current);

  // A profile picked in the file manager shows by its name; the nameless
  // scratch profile shows as the "<Manual>" item.
  const std::pair<QString, QString> picks[] = {
      {current, "Mi perfil"},
      {"/p/editp/v1.2 final.qep", "v1.2 final"},
      {ProgramFolder::AppFiles("formats") + "/.qfm", "<Manual>"}};
  for (const auto& [path, shown] : picks) {
    EXPECT_EQ(ProfilePick::ShownName(path, "<Manual>"), shown) << path.toStdString();
  }
}

TEST_F(ChoicesTest, ProbeReportListsEveryFieldOfARealFile) {
  FfmpegTools::State().FfprobePath = "/usr/bin/ffprobe";
  const QString path = Folder() + "/tono y video.mkv";
  QString output;
  int code = -1;
  const QStringList arguments = {
      "-v",           "error", "-y",    "-f",       "lavfi", "-i", "testsrc=size=160x120:rate=10",
      "-f",           "lavfi", "-i",    "sine=d=2", "-t",    "2",  "-metadata",
      "title=Prueba", "-c:v",  "mpeg4", "-c:a",     "mp2",   path};
  ASSERT_EQ(ToolRunner::RunCaptured(CommandLine::Pipeline{{"/usr/bin/ffmpeg", arguments}}, "", 0, 0,
                                    nullptr, ConsoleText::Display::NoDisplay, output, -1, code),
            ToolRunner::RunResult::Ran);
  ASSERT_EQ(code, 0) << output.toStdString();

  const QStringList lines = InputProbe::Report(FfmpegProbe::ProbeMedia(path)).split('\n');
  ASSERT_EQ(lines.size(), 22);
  EXPECT_EQ(lines.last(), "");  // every line ends in a line break
  EXPECT_EQ(lines[0], "Track: ");
  EXPECT_EQ(lines[2], "Title: Prueba");
  EXPECT_TRUE(lines[5].startsWith("Duration (s): 2")) << lines[5].toStdString();
  EXPECT_EQ(lines[6], "Format: matroska");
  EXPECT_TRUE(QRegularExpression("^Bitrate: [1-9][0-9]* kb/s$").match(lines[7]).hasMatch())
      << lines[7].toStdString();
  EXPECT_EQ(lines[8], "Audio codec: mp2");
  EXPECT_EQ(lines[11], "Audio channels: 1");
  EXPECT_EQ(lines[12], "Audio sample rate (hz): 44100");
  EXPECT_EQ(lines[13], "Video codec: mpeg4");
  EXPECT_EQ(lines[16], "Video size (width x height, pixels): 160x120");
  EXPECT_EQ(lines[17], "Video fps: 10/1");
  EXPECT_EQ(lines[20], "Subtitle codec: ");
}

}  // namespace
