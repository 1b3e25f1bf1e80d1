#include <gtest/gtest.h>

#include "EditingFixture.h"
#include "core/editing/EditFields.h"
#include "core/editing/NumericKey.h"
#include "core/frame/FfmpegValues.h"

namespace {

using EditFields::FieldChange;
using EditFields::Outcome;

TEST(EditFieldsTest, SingleTextHasSevenSignificantDigitsAndALeadingZero) {
  const struct {
    float value;
    const char* text;
  } rows[] = {{7.0f, "7"},
              {2.5f, "2.5"},
              {0.1f, "0.1"},
              {16.0f / 9, "1.777778"},
              {704.0f / 720, "0.9777778"},
              {-0.5f, "-0.5"},
              {0.0f, "0"},
              {1920.0f, "1920"}};
  for (const auto& row : rows) EXPECT_EQ(EditFields::SingleText(row.value), row.text) << row.text;
}

TEST(EditFieldsTest, RoundingSendsExactHalvesToTheEvenDigit) {
  EXPECT_DOUBLE_EQ(EditFields::RoundHalfEven(0.25, 1), 0.2);
  EXPECT_DOUBLE_EQ(EditFields::RoundHalfEven(0.75, 1), 0.8);
  EXPECT_DOUBLE_EQ(EditFields::RoundHalfEven(3.14, 1), 3.1);
  EXPECT_DOUBLE_EQ(EditFields::RoundHalfEven(2.5, 0), 2.0);
}

TEST(EditFieldsTest, PositiveNumberBoxesStoreNormalisedNumbersAboveZero) {
  const struct {
    const char* typed;
    Outcome outcome;
    const char* stored;
  } rows[] = {
      {"007.50", Outcome::Store, "7.5"}, {"2.50", Outcome::Store, "2.5"}, {"0", Outcome::Keep, ""},
      {"0.0", Outcome::Keep, ""},        {"", Outcome::Store, ""},        {".", Outcome::Keep, ""},
      {".5", Outcome::Store, "0.5"},
  };
  for (const auto& row : rows) {
    EXPECT_EQ(EditFields::PositiveNumber(row.typed), (FieldChange{row.outcome, row.stored}))
        << row.typed;
  }
  EXPECT_EQ(EditFields::PositiveNumber("1" + QString(45, '0')).outcome, Outcome::Overflow);
}

TEST(EditFieldsTest, TheVolumeIsAWholePercentAboveZero) {
  EXPECT_EQ(EditFields::Volume("150"), (FieldChange{Outcome::Store, "150"}));
  EXPECT_EQ(EditFields::Volume("0"), (FieldChange{Outcome::Keep, ""}));
  EXPECT_EQ(EditFields::Volume(""), (FieldChange{Outcome::Store, ""}));
  EXPECT_EQ(EditFields::Volume("007"), (FieldChange{Outcome::Store, "7"}));
}

TEST(EditFieldsTest, TimesAreStoredAsTypedWhenTheTimeParserTakesThem) {
  const struct {
    const char* typed;
    Outcome outcome;
  } rows[] = {{"1:30.5", Outcome::Store},
              {"1:2:3:4", Outcome::Keep},
              {"", Outcome::Store},
              {"1::", Outcome::Keep},
              {"90", Outcome::Store}};
  for (const auto& row : rows) {
    const FieldChange change =
        EditFields::TimeText(row.typed, FfmpegValues::TimeToSeconds(row.typed));
    EXPECT_EQ(change.outcome, row.outcome) << row.typed;
    if (change.outcome == Outcome::Store) {
      EXPECT_EQ(change.text, row.typed);
    }
  }
  EXPECT_EQ(EditFields::DurationText("250", LengthUnit::Frames, QString()),
            (FieldChange{Outcome::Store, "250"}));
  EXPECT_EQ(
      EditFields::DurationText("1:2:3:4", LengthUnit::Time, FfmpegValues::TimeToSeconds("1:2:3:4"))
          .outcome,
      Outcome::Keep);
}

TEST(EditFieldsTest, TheDialogColourIsStoredRedGreenBlue) {
  EXPECT_EQ(EditFields::ColorToHex(0x0000FF), "FF0000");
  EXPECT_EQ(EditFields::ColorToHex(0xFF000A), "0A00FF");
  EXPECT_EQ(EditFields::ColorToHex(0), "000000");
}

TEST(EditFieldsTest, SizePresetsRunFrom64x64To2560x1600) {
  EXPECT_STREQ(EditFields::SizePresets.front().caption, "64x64");
  EXPECT_EQ(EditFields::SizePresets[13].width, 1920);
  EXPECT_EQ(EditFields::SizePresets[13].height, 1200);
  EXPECT_STREQ(EditFields::SizePresets.back().caption, "2560x1600");
}

// Typing a sequence of keys into an empty box with the caret at its end.
QString Type(const QString& keys, NumericKey::Allowed allowed) {
  NumericKey::BoxState box;
  for (QChar key : keys) box = NumericKey::Apply(box, key, allowed);
  return box.text;
}

TEST(NumericKeyTest, EachBoxTakesDigitsAndOnlyTheSignsItAllows) {
  const NumericKey::Allowed number{false, true, false};
  const NumericKey::Allowed time{true, true, false};
  const NumericKey::Allowed gain{false, true, true};
  const NumericKey::Allowed digits{};
  EXPECT_EQ(Type("1.5.", number), "1.5");
  EXPECT_EQ(Type("1:30.5", time), "1:30.5");
  EXPECT_EQ(Type("1:30.5.", time), "1:30.5.");
  EXPECT_EQ(Type("-3-", gain), "-3");
  EXPECT_EQ(Type("3-", gain), "3-");
  EXPECT_EQ(Type("1.-5", digits), "15");
  EXPECT_EQ(Type("a +,5", number), "5");
}

TEST(NumericKeyTest, KeysWorkAtTheCaretAndOverTheSelection) {
  const NumericKey::Allowed number{false, true, false};
  using NumericKey::BoxState;
  EXPECT_EQ(NumericKey::Apply({"15", 1, 0, 0}, '2', number), (BoxState{"125", 2, 0, 0}));
  EXPECT_EQ(NumericKey::Apply({"1.5", 3, 0, 3}, '.', number), (BoxState{"1.5", 3, 0, 3}));
  EXPECT_EQ(NumericKey::Apply({"1.5", 3, 0, 3}, '2', number), (BoxState{"2", 1, 0, 0}));
  const QChar backspace(NumericKey::Backspace);
  EXPECT_EQ(NumericKey::Apply({"1.5", 3, 0, 3}, backspace, number), (BoxState{"", 0, 0, 0}));
  EXPECT_EQ(NumericKey::Apply({"15", 0, 0, 0}, backspace, number), (BoxState{"15", 0, 0, 0}));
  EXPECT_EQ(NumericKey::Apply({"15", 2, 0, 0}, backspace, number), (BoxState{"1", 1, 0, 0}));
}

}  // namespace
