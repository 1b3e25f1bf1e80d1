#include <gtest/gtest.h>

#include "TestEnv.h"
#include "core/ground/ConsoleText.h"

namespace {

using namespace ConsoleText;
using enum ConsoleText::Display;

TEST(ConsoleText, CleanOutputMakesEveryLineEndOneLf) {
  struct Case {
    QString in, out;
  } cases[] = {
      {"a\nb", "a\nb"},
      {"a\rb", "a\nb"},
      {"a\r\nb", "a\nb"},
      {"a\n\nb", "a\nb"},
      {"a\r\rb", "a\nb"},
      {"a\n\rb", "a\nb"},
      {"a\r\n\r\nb", "a\n\nb"},
      {"a\n\n\nb", "a\n\nb"},
      {"a\r\n\rb", "a\n\nb"},
      {"\r\na\r\n", "\na\n"},
      {"frame=1\rframe=2\r", "frame=1\nframe=2\n"},
      {QString("a\x01\x07\x1b[0mb\tc"), "a[0mb\tc"},
      {QString("x") + QChar(0x7F) + QChar(0x81) + QChar(0x90) + QChar(0x93) + QChar(0x9F) + "y",
       "xy"},
      {QString("x") + QChar(0x80) + QChar(0x91) + QChar(0x92) + "y",
       QString("x") + QChar(0x80) + QChar(0x91) + QChar(0x92) + "y"},
      {"título “ñ”", "título “ñ”"},
      {"", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(CleanOutput(c.in), c.out) << c.in.toStdString();
}

TEST(ConsoleText, KeepOutputHonoursMaxKeep) {
  struct Case {
    int maxKeep;
    QString expected;
  } cases[] = {{0, ""}, {5, "defgh"}, {6, "cdefgh"}, {-1, "abcdefgh"}, {100, "abcdefgh"}};
  for (const Case& c : cases) {
    QString output;
    KeepOutput(output, "abc", c.maxKeep);
    KeepOutput(output, "defgh", c.maxKeep);
    EXPECT_EQ(output, c.expected) << c.maxKeep;
  }
}

TEST(ConsoleText, ChunkUpdatesTheBoxByDisplayMode) {
  using A = BoxUpdate::Action;
  struct Case {
    QString chunk;
    uint8_t mode;
    bool singleLine;
    BoxUpdate expected;
  } cases[] = {
      {"a\nb\n", 0, false, {A::Leave, ""}},   {"a\nb\n", 1, false, {A::Append, "a\nb\n"}},
      {"a\nb\n", 1, true, {A::Append, "ab"}}, {" frame=2 \n", 2, false, {A::Replace, "frame=2"}},
      {"\n\n", 2, false, {A::Replace, ""}},   {" frame=2 \n", 3, false, {A::Replace, "frame=2"}},
      {"\n\t\n", 3, false, {A::Leave, ""}},   {"   ", 3, false, {A::Replace, ""}},
      {"a\nb", 3, true, {A::Replace, "ab"}},
  };
  for (const Case& c : cases)
    EXPECT_EQ(UpdateForChunk(c.chunk, static_cast<Display>(c.mode), c.singleLine), c.expected)
        << c.chunk.toStdString();
}

// A one-line box shows the newest line of what replaces its text, whole, and
// never two lines run together.
TEST(ConsoleText, LastLineIsTheNewestLineThatIsNotBlank) {
  struct Case {
    QString text, line;
  } cases[] = {
      {"frame=1 time=00:00:01.00 bitrate=1k speed=1x    \n",
       "frame=1 time=00:00:01.00 bitrate=1k speed=1x"},
      {"  Stream #0:0 -> #0:0 (pcm_s16le (native) -> mp3 (libmp3lame))\n"
       "Press [q] to stop, [?] for help\n",
       "Press [q] to stop, [?] for help"},
      {"a\nb\n \t\n\n", "b"},
      {"a\n  partial", "partial"},
      {"one line", "one line"},
      {" \n\t", ""},
      {"", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(LastLine(c.text), c.line) << c.text.toStdString();
}

}  // namespace
