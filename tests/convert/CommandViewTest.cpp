#include "ShellSplit.h"
#include "TestEnv.h"
#include "core/convert/CommandView.h"
#include "core/ground/CommandLine.h"

namespace {

using Conversion::ViewerBox;

class CommandViewTest : public TestEnv {};

QString Cell(int row, int column) { return QString("r%1c%2").arg(row).arg(column); }

TEST_F(CommandViewTest, SecondPassesShowOnTheirOwnLineAndMultipleOutputAsTrueOrFalse) {
  struct Case {
    bool twoPass;
    bool multiOutput;
    QString audio, video, mixed, multi;
  };
  const Case cases[] = {
      {false, false, "r2c3", "r5c3", "r7c3", "False"},
      {true, false, "r2c3\nr3c3", "r5c3\nr6c3", "r7c3\nr8c3", "False"},
      {true, true, "r2c3\nr3c3", "r5c3\nr6c3", "r7c3\nr8c3", "True"},
  };
  for (const Case& c : cases) {
    const QList<ViewerBox> boxes = Conversion::CommandViewBoxes(Cell, c.twoPass, c.multiOutput);
    const QList<ViewerBox> expected = {{1, "r1c2"},  {3, "r1c3"},   {5, "r2c2"},  {6, c.audio},
                                       {7, "r4c2"},  {8, "r4c3"},   {9, "r5c2"},  {10, c.video},
                                       {11, "r7c2"}, {12, c.mixed}, {13, "r2c1"}, {14, "r5c1"},
                                       {15, "r7c4"}, {16, c.multi}};
    EXPECT_EQ(boxes, expected) << c.twoPass << c.multiOutput;
  }
}

// Every option box pasted into a terminal gives the arguments the run makes of
// its cell, whatever the cell holds that a shell would read otherwise.
TEST_F(CommandViewTest, EachOptionBoxReadByAShellGivesTheArgumentsOfItsCell) {
  const QString cells[] = {
      " -vf crop=160:120:(iw-ow)/2:(ih-oh)/2 -y ",
      R"(-metadata title="Hola ""mundo"" & co" -metadata comment='it''s; ok')",
      "-i ~/a.wav -f lavfi *.mkv $HOME `id` $(id) a|b c>d #x",
      "-filter_complex \"[0:v][1:v]hstack\" -ar 22050 \\\n  -ac 1",
      "-af \"volume=0.5\\\\\" '' \"\" a\\ b !x {y} [z]",
      "-c:a aac -b:a 128k",
  };
  for (const QString& typed : cells) {
    const QList<ViewerBox> boxes =
        Conversion::CommandViewBoxes([&](int, int) { return typed; }, true, false);
    const QStringList arguments = CommandLine::SplitCommandLine(typed);
    for (const ViewerBox& box : boxes) {
      if (box.Box >= 13) continue;  // programs, extension, yes or no
      const QStringList lines = box.Text.split('\n');
      EXPECT_EQ(lines.size(), QList<int>({6, 10, 12}).contains(box.Box) ? 2 : 1) << box.Box;
      for (const QString& line : lines) {
        EXPECT_EQ(ShellSplit(line), arguments) << box.Box << ": " << line.toStdString();
      }
    }
  }
  const auto shown = [](const QString& typed) {
    return Conversion::CommandViewBoxes([&](int, int) { return typed; }, false, false)[0].Text;
  };
  EXPECT_EQ(shown(" -vf crop=160:120:(iw-ow)/2:(ih-oh)/2 -y "),
            "-vf 'crop=160:120:(iw-ow)/2:(ih-oh)/2' -y");
  EXPECT_EQ(shown("-c:a aac -b:a 128k"), "-c:a aac -b:a 128k");
}

}  // namespace
