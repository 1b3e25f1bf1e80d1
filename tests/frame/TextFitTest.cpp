#include <QApplication>
#include <QFont>

#include "TestEnv.h"
#include "gui/ground/TextFit.h"

namespace {

class TextFitTest : public ::testing::Test {
 protected:
  void TearDown() override { QApplication::setFont(saved_); }
  const QFont saved_ = QApplication::font();
};

// A font no wider than the design's keeps the design's own pixels; it is never made smaller.
TEST_F(TextFitTest, ANarrowFontKeepsTheDesignSize) {
  QApplication::setFont(QFont("DejaVu Sans", 5));
  EXPECT_EQ(TextFit::Factor(), 1.0);
  EXPECT_EQ(TextFit::FromTwips(120, 600, 4935, 3375), QRect(8, 40, 329, 225));
  EXPECT_EQ(TextFit::Pixels(6960), 464);
}

// A wider font scales every length alike, and a control that ends where its
// panel ends in the design still does, at every size.
TEST_F(TextFitTest, AWiderFontScalesTheDesignAndKeepsItsControlsInside) {
  double previous = 1.0;
  for (int points : {9, 11, 13, 15, 17}) {
    SCOPED_TRACE(points);
    QApplication::setFont(QFont("DejaVu Sans", points));
    const double factor = TextFit::Factor();
    EXPECT_GT(factor, previous);
    previous = factor;
    const QRect strip = TextFit::FromTwips(1080, 9960, 4935, 615);
    const QRect button = TextFit::FromTwips(1080 + 3360, 9960 + 120, 1335, 495);
    EXPECT_TRUE(strip.contains(button));
    const QRect panel = TextFit::FromPixels(0, 0, 329, 257);
    for (int left = 0; left < 329; left += 7) {
      EXPECT_EQ(TextFit::FromPixels(left, 0, 329 - left, 257).right(), panel.right());
    }
  }
}

}  // namespace
