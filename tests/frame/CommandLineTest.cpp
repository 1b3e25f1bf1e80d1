#include <gtest/gtest.h>

#include <QProcess>
#include <random>

#include "ShellSplit.h"
#include "TestEnv.h"
#include "core/ground/CommandLine.h"

namespace {

using namespace CommandLine;

// The arguments a real POSIX shell gives a command, as the command line runs.
QStringList ShellArguments(const QString& commandLine) {
  QProcess shell;
  shell.start("/bin/sh", {"-c", "arguments() { printf '%s\\000' \"$@\"; }; " + commandLine});
  if (!shell.waitForFinished(10000)) return {"<no shell>"};
  QString output = QString::fromUtf8(shell.readAllStandardOutput());
  output.chop(1);
  return output.split(QChar(0));
}

// The words a real POSIX shell makes of a text.
QStringList ShellWords(const QString& text) { return ShellArguments("arguments " + text); }

TEST(CommandLine, SplitCommandLineSplitsWordsAsAPosixShellDoes) {
  struct Case {
    QString line;
    QStringList words;
    bool shellAgrees;  // false where a shell would do more than split
  } cases[] = {
      {R"('/opt/my tools/ffmpeg' -i "/m/a b.mp4" -y out.mkv)",
       {"/opt/my tools/ffmpeg", "-i", "/m/a b.mp4", "-y", "out.mkv"},
       true},
      {"-vf 'scale=640:-1'", {"-vf", "scale=640:-1"}, true},
      {R"(-metadata title='Hola mundo')", {"-metadata", "title=Hola mundo"}, true},
      {R"(It\'s a\ b)", {"It's", "a b"}, true},
      {R"('a\b' 'it'\''s' '')", {R"(a\b)", "it's", ""}, true},
      {R"("a\"b" "c\\d" "e\f" "g\$h" "i\`j")", {R"(a"b)", R"(c\d)", R"(e\f)", "g$h", "i`j"}, true},
      {R"("it's" 'say "hi"')", {"it's", R"(say "hi")"}, true},
      {"-vf \"drawtext=text='a b':x=1\"", {"-vf", "drawtext=text='a b':x=1"}, true},
      {"  p\t-x   -y ", {"p", "-x", "-y"}, true},
      // Pasted options may span lines: a line break is one more blank.
      {"p -x\n-y\r\n-z", {"p", "-x", "-y", "-z"}, false},
      {"a\\\nb c", {"ab", "c"}, true},
      {R"(p "" x)", {"p", "", "x"}, true},
      {R"(p \"a\" a\\\"b)", {"p", R"("a")", R"(a\"b)"}, true},
      // No variables, wildcards, substitutions or operators: the text stays.
      {"p $(rm -rf x) `id` ;|& $HOME *.mkv",
       {"p", "$(rm", "-rf", "x)", "`id`", ";|&", "$HOME", "*.mkv"},
       false},
      {R"(p "$HOME" ~)", {"p", "$HOME", "~"}, false},
      // Kept from the options older profiles stored: "" inside double quotes is a quote.
      {R"(-metadata "title=say ""hi""")", {"-metadata", R"(title=say "hi")"}, false},
      {R"(p "a""b" c)", {"p", R"(a"b)", "c"}, false},
      {R"(p 'open "x)", {"p", R"(open "x)"}, false},
      {"", {}, true},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(SplitCommandLine(c.line), c.words) << c.line.toStdString();
    if (c.shellAgrees && !c.words.isEmpty()) {
      EXPECT_EQ(ShellWords(c.line), c.words) << "sh: " << c.line.toStdString();
    }
  }
}

// Options typed the terminal way, one per line with a backslash at each line
// end, split as a shell splits them: a backslash and its line break vanish,
// wherever they stand, except inside single quotes.
TEST(CommandLine, ABackslashBeforeALineBreakIsNothingAsInAShell) {
  struct Case {
    QString text;
    QStringList words;
  } cases[] = {
      {"-ar 22050 \\\n  -ac 1", {"-ar", "22050", "-ac", "1"}},
      {"-ar 22050 \\\n-ac 1", {"-ar", "22050", "-ac", "1"}},
      {"-ar 22050\t\\\n\t-ac 1 \\\n", {"-ar", "22050", "-ac", "1"}},
      {"\\\n-y", {"-y"}},
      {"-y \\\n\\\n  \\\n -n", {"-y", "-n"}},
      {"-a\\\nr 1", {"-ar", "1"}},
      {"-ar\\\n 1", {"-ar", "1"}},
      {"\\\n\"\" \\\n''", {"", ""}},
      {"-vf \"scale=1:\\\n2\"", {"-vf", "scale=1:2"}},
      {"-vf \"a \\\n b\"c", {"-vf", "a  bc"}},
      {"-vf 'a \\\nb'", {"-vf", "a \\\nb"}},
      {"x\\\\ \\\ny", {"x\\", "y"}},
      {"\"x\\\\\ny\"", {"x\\\ny"}},
      {"x\\ \\\ny", {"x y"}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(SplitCommandLine(c.text), c.words) << c.text.toStdString();
    EXPECT_EQ(ShellWords(c.text), c.words) << "sh: " << c.text.toStdString();
  }
  EXPECT_EQ(SplitCommandLine("\\\n"), QStringList());
  EXPECT_EQ(SplitCommandLine("  \\\n \\\n"), QStringList());
}

// Short texts of blanks, quotes, backslashes and line breaks, drawn from a
// fixed seed, split as /bin/sh splits them. Left out: texts a shell refuses
// (an open quote; a line break that ends the command before a word the shell
// cannot run) and texts with "" (a quote inside double quotes, kept from
// older profiles).
TEST(CommandLine, SplittingAgreesWithTheShellOnDrawnTexts) {
  const QString alphabet = "ab \t\n\\'\"";
  std::mt19937 draw(20260);
  int compared = 0;
  for (int n = 0; n < 500; ++n) {
    QString text = "w";
    const int length = 1 + int(draw() % 10);
    for (int k = 0; k < length; ++k) text += alphabet[int(draw() % alphabet.size())];
    if (text.contains("\"\"")) continue;
    const std::optional<QStringList> shell = ShellSplit(text);
    if (!shell) continue;
    ++compared;
    EXPECT_EQ(SplitCommandLine(text), *shell) << text.toStdString();
  }
  EXPECT_GT(compared, 150);
}

TEST(CommandLine, ScanWordsKeepsEachWordAsTyped) {
  const QString text = R"(  -metadata  title='Hola mundo' "a b"c )";
  const QList<TypedWord> words = ScanWords(text);
  ASSERT_EQ(words.size(), 3);
  QStringList typed;
  for (const TypedWord& word : words) typed << text.mid(word.start, word.length);
  EXPECT_EQ(typed, QStringList({"-metadata", "title='Hola mundo'", R"("a b"c)"}));
  EXPECT_EQ(words[2].value, "a bc");
}

TEST(CommandLine, QuotedArgumentsAndCommandsReadBackAsTheSameArguments) {
  const QStringList arguments = {
      "plain",    "two words",           "say \"hi\"", "it's",  "C:\\dir\\",
      "a\\\\\"b", "$(rm -rf ~) `x` 'y'", "trailing\\", "",      "título ñ",
      "-vf",      "scale=640:-1",        "a\tb\nc",    "*.mkv", "~",
      "x|y;z&"};
  for (const QString& argument : arguments) {
    const QString quoted = QuoteArgument(argument);
    EXPECT_EQ(SplitCommandLine(quoted), QStringList({argument})) << quoted.toStdString();
    EXPECT_EQ(ShellWords(quoted), QStringList({argument})) << "sh: " << quoted.toStdString();
  }
  EXPECT_EQ(QuoteArgument("/usr/bin/ffmpeg"), "/usr/bin/ffmpeg");
  EXPECT_EQ(QuoteArgument("title=Hola mundo"), "'title=Hola mundo'");
  EXPECT_EQ(QuoteArgument("it's"), R"('it'\''s')");

  const Command command{"/opt/a=b/ff mpeg", arguments};
  const QString line = CommandText(command);
  EXPECT_EQ(SplitCommandLine(line), QStringList(command.program) + arguments);
  // Pasted into a shell, the line runs the program with exactly these arguments.
  EXPECT_EQ(ShellArguments(CommandText({"arguments", arguments})), arguments);
  EXPECT_TRUE(line.startsWith("'/opt/a=b/ff mpeg' plain 'two words' "));
}

TEST(CommandLine, ParseCommandLineTurnsCmdPipesIntoPipelines) {
  EXPECT_EQ(ParseCommandLine(R"("/usr/bin/ffmpeg" -i "a|b.mp4")"),
            (Pipeline{{"/usr/bin/ffmpeg", {"-i", "a|b.mp4"}}}));
  EXPECT_EQ(ParseCommandLine(
                R"(cmd.exe /C ffmpeg -i "x y.mkv" -f matroska pipe:1 | "/p/ffplay" -an -i pipe:0)"),
            (Pipeline{{"ffmpeg", {"-i", "x y.mkv", "-f", "matroska", "pipe:1"}},
                      {"/p/ffplay", {"-an", "-i", "pipe:0"}}}));
  EXPECT_EQ(ParseCommandLine(R"(CMD /c "a b" "c|d")"), (Pipeline{{"a b", {"c|d"}}}));
  EXPECT_EQ(ParseCommandLine(R"(cmd /c p 'c|d' e\|f "g\"|" | q)"),
            (Pipeline{{"p", {"c|d", "e|f", R"(g"|)"}}, {"q", {}}}));
}

}  // namespace
