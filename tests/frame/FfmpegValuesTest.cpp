#include <QLocale>

#include "TestEnv.h"
#include "core/frame/FfmpegValues.h"

namespace {

TEST(FfmpegValues, TimeToSecondsReadsHoursMinutesSeconds) {
  struct Case {
    QString in, out;
  } cases[] = {
      {"", ""},
      {"90", "90"},
      {"1:30", "90"},
      {"2:30", "150"},
      {"1:02:03.5", "3723.5"},
      {"10:00:00.123", "36000.12"},
      {"0:0:0", "0"},
      {"0:75", "75"},
      {"1:-5", "55"},
      {" 1 : 2 ", "62"},
      {".5", "0.5"},
      {"-0", "0"},
      {"1:2:3:4", ""},
      {"a:10", ""},
      {"1::2", ""},
      {":5", ""},
      {"-5", ""},
      {"1,5", ""},
      {"5000:00:00", "18000000"},
      {"9223372036854", "9223372013568"},  // ffmpeg's longest time, as single precision holds it
  };
  for (const Case& c : cases)
    EXPECT_EQ(FfmpegValues::TimeToSeconds(c.in), c.out) << c.in.toStdString();
}

// Beyond single precision, or beyond the microseconds on 64 bits that
// ffmpeg's time options hold (as the text ffmpeg reads rounds).
TEST(FfmpegValues, ATimeTooLargeGivesNothingAndShowsNothing) {
  for (const char* text : {"1e50", "1e38:0", "1e50:-1e50", "99999999999999999999", "9223373000000",
                           "2562048000:0:0"}) {
    ScriptedDialogs dialogs;  // any box would fail the test
    EXPECT_EQ(FfmpegValues::TimeToSeconds(text), "") << text;
  }
}

TEST(FfmpegValues, TimeToSecondsWritesADecimalPointWhateverTheLocale) {
  const QLocale before;
  QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
  EXPECT_EQ(FfmpegValues::TimeToSeconds("1:02.25"), "62.25");
  QLocale::setDefault(before);
}

}  // namespace
