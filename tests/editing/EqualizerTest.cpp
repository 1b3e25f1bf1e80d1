#include <gtest/gtest.h>

#include "core/editing/Equalizer.h"

namespace {

TEST(EqualizerTest, EighteenPresetsInMenuOrderWithTheirGains) {
  ASSERT_EQ(Equalizer::Presets.size(), 18u);
  EXPECT_STREQ(Equalizer::Presets.front().item, "Equ_llano");
  EXPECT_STREQ(Equalizer::Presets.back().item, "Equ_Tecno");
  const Equalizer::Preset& pop = Equalizer::Presets[11];
  EXPECT_STREQ(pop.caption, "Pop");
  const char* gains[] = {"-0.5", "2.3", "4.1", "4.7", "2.9", "0", "-1.1", "-1.1", "-0.5", "-0.5"};
  for (int band = 0; band < 10; ++band) EXPECT_STREQ(pop.gains[band], gains[band]);
}

TEST(EqualizerTest, TheSliderGivesPlusTwelveAtTheTopAndMinusTwelveAtTheBottom) {
  const struct {
    double y;
    bool right;
    const char* gain;
  } rows[] = {{0.0, false, "12"}, {1.0, false, "-12"}, {1.7, false, "-12"}, {-0.3, false, "12"},
              {0.5, false, "0"},  {0.1, true, "0"},    {0.25, false, "6"},  {0.3, false, "4.8"}};
  for (const auto& row : rows) {
    EXPECT_EQ(Equalizer::GainFromSlider(row.y, row.right), row.gain) << row.y;
  }
}

TEST(EqualizerTest, ArrowKeysStepByATenthUpToTheLimits) {
  EXPECT_EQ(Equalizer::GainStep("12", true), std::nullopt);
  EXPECT_EQ(Equalizer::GainStep("11.9", true), "12");
  EXPECT_EQ(Equalizer::GainStep("0", false), "-0.1");
  EXPECT_EQ(Equalizer::GainStep("-12", false), std::nullopt);
  EXPECT_EQ(Equalizer::GainStep("", true), std::nullopt);
}

TEST(EqualizerTest, GainBoxesStoreOneDecimalWithinTwelveDecibels) {
  const struct {
    const char* typed;
    const char* stored;
    double marker;
  } rows[] = {{"12.5", "12", 0.0},
              {"3.14", "3.1", 0.5 - 3.1 / 24},
              {"-0.5", "-0.5", 0.5 + 0.5 / 24},
              {"007", "7", 0.5 - 7.0 / 24},
              {"-40", "-12", 1.0}};
  for (const auto& row : rows) {
    const auto change = Equalizer::GainBoxChanged(row.typed);
    ASSERT_TRUE(change) << row.typed;
    EXPECT_EQ(change->stored, row.stored);
    EXPECT_NEAR(*change->markerTop, row.marker, 1e-6);
  }
  EXPECT_TRUE(Equalizer::GainBoxChanged("")->stored.isEmpty());
  EXPECT_FALSE(Equalizer::GainBoxChanged("")->markerTop);
  EXPECT_FALSE(Equalizer::GainBoxChanged("-"));
  EXPECT_FALSE(Equalizer::GainBoxChanged("."));
}

TEST(EqualizerTest, LeavingABoxPutsItsDefaultInPlaceOfNothing) {
  EXPECT_EQ(Equalizer::GainOnLeave(""), "0");
  EXPECT_EQ(Equalizer::GainOnLeave("3.1"), "3.1");
  EXPECT_EQ(Equalizer::FrequencyOnLeave("", 4), "250");
  EXPECT_EQ(Equalizer::WidthOnLeave("0"), "1");
  EXPECT_EQ(Equalizer::WidthOnLeave(""), "1");
  EXPECT_EQ(Equalizer::FreqOrWidthBoxChanged("1234.56"), "1234.6");
  EXPECT_EQ(Equalizer::FreqOrWidthBoxChanged(""), "");
  EXPECT_EQ(Equalizer::FreqOrWidthBoxChanged("."), std::nullopt);
}

TEST(EqualizerTest, TheScrollBarShowsFiveColumnsAtATime) {
  for (int value = 1; value <= 6; ++value) {
    const auto columns = Equalizer::LayOut(value);
    for (int i = 0; i < 10; ++i) {
      EXPECT_EQ(columns[i].visible, i >= value - 1 && i <= value + 3) << value << " " << i;
    }
  }
  EXPECT_EQ(Equalizer::LayOut(1)[0].sliderLeft, 480);
  EXPECT_EQ(Equalizer::LayOut(6)[5].boxLeft, 240);
}

}  // namespace
