// The command viewer's two pages and the boxes its filler writes.

#include <QGroupBox>
#include <QPlainTextEdit>
#include <QPushButton>

#include "TestEnv.h"
#include "gui/convert/CommandViewerWindow.h"

namespace {

class CommandViewerWindowTest : public TestEnv {};

TEST_F(CommandViewerWindowTest, EitherButtonFlipsBetweenTwoPagesInTheSamePlace) {
  CommandViewerWindow viewer(nullptr);
  viewer.show();
  EXPECT_TRUE(viewer.commandsPage->isVisible());
  EXPECT_FALSE(viewer.outputPage->isVisible());
  EXPECT_EQ(viewer.commandsPage->geometry(), viewer.outputPage->geometry());
  for (QPushButton* button : {viewer.nextPageButton, viewer.previousPageButton}) {
    button->click();
    EXPECT_FALSE(viewer.commandsPage->isVisible());
    EXPECT_TRUE(viewer.outputPage->isVisible());
    EXPECT_EQ(viewer.commandsPage->geometry(), viewer.outputPage->geometry());
    button->click();
    EXPECT_TRUE(viewer.commandsPage->isVisible());
    EXPECT_FALSE(viewer.outputPage->isVisible());
  }
}

TEST_F(CommandViewerWindowTest, EveryCellGoesToItsBox) {
  CommandViewerWindow viewer(nullptr);
  viewer.ShowTable([](int row, int column) { return QString("r%1c%2").arg(row).arg(column); },
                   false, true);
  const std::pair<int, QString> boxes[] = {
      {1, "r1c2"},  {3, "r1c3"},  {5, "r2c2"},  {6, "r2c3"},  {7, "r4c2"},
      {8, "r4c3"},  {9, "r5c2"},  {10, "r5c3"}, {11, "r7c2"}, {12, "r7c3"},
      {13, "r2c1"}, {14, "r5c1"}, {15, "r7c4"}, {16, "True"}};
  for (const auto& [box, text] : boxes) EXPECT_EQ(viewer.boxes[box]->toPlainText(), text) << box;
  EXPECT_EQ(viewer.boxes[2]->toPlainText(), "Parámetros de entrada");
  EXPECT_EQ(viewer.boxes[4]->toPlainText(), "Parámetros de salida");
}

}  // namespace
