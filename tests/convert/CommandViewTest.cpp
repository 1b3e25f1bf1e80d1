#include "TestEnv.h"
#include "core/convert/CommandView.h"

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

}  // namespace
