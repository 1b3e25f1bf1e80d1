// ffmpeg's report file, written by the real ffmpeg run through the console
// runner, in the temporary program folder.

#include <QDir>
#include <QFile>
#include <QProcess>

#include "TestEnv.h"
#include "core/frame/FfmpegConsole.h"
#include "core/frame/FfmpegReport.h"
#include "core/frame/FfmpegValues.h"
#include "core/ground/CommandLine.h"
#include "core/ground/ConsoleText.h"
#include "core/ground/ToolRunner.h"

namespace {

class FfmpegReportTest : public TestEnv {
 protected:
  void SetUp() override {
    TestEnv::SetUp();
    ToolRunner::Reset();
  }
  QString Tone(const QString& name, const QString& seconds = "1") const {
    const QString path = Folder() + "/" + name;
    EXPECT_EQ(QProcess::execute("ffmpeg", {"-v", "error", "-y", "-f", "lavfi", "-i", "sine", "-t",
                                           seconds, path}),
              0);
    return path;
  }
  // Runs ffmpeg with these options, writing its report to report at the level given.
  QString Run(const QStringList& arguments, const QString& report,
              int level = FfmpegReport::InfoLevel) const {
    CommandLine::Command command{"/usr/bin/ffmpeg", arguments};
    command.environment << FfmpegReport::EnvironmentEntry(report, level);
    QString console;
    int exitCode = -1;
    EXPECT_EQ(ToolRunner::RunCaptured({command}, Folder(), 0, 0, ToolRunner::OutputSink(),
                                      ConsoleText::Display::NoDisplay, console, -1, exitCode),
              ToolRunner::RunResult::Ran);
    EXPECT_EQ(exitCode, 0) << console.toStdString();
    return console;
  }
};

// The report lands at the very path given, whatever the name holds, and
// names the inputs an output read although the console stays silent.
TEST_F(FfmpegReportTest, AQuietRunStillReportsItsMappingAtTheGivenPath) {
  const QString a = Tone("a.wav");
  const QString b = Tone("b.wav");
  for (const QString name : {"report.log", "it's a:b %d 100%.log", "x=y:level=56.log"}) {
    const QString report = Folder() + "/" + name;
    const QString console = Run({"-loglevel", "quiet", "-i", a, "-i", b, "-map", "1", "-map", "0",
                                 "-y", Folder() + "/out.mka"},
                                report);
    EXPECT_TRUE(console.isEmpty()) << console.toStdString();
    const std::optional<FfmpegReport::Reading> read = FfmpegReport::Read(report);
    ASSERT_TRUE(read) << name.toStdString();
    EXPECT_EQ(read->Report.MappedInputs(), (QList<int>{1, 0})) << name.toStdString();
    EXPECT_FALSE(read->Report.WriteFailed());
  }
  EXPECT_FALSE(FfmpegReport::Read(Folder() + "/missing.log"));
}

// At the default level ffmpeg announces its report first on the console;
// without that notice the console reads as it does with no report.
TEST_F(FfmpegReportTest, TheConsoleLosesOnlyTheReportNotice) {
  const QString a = Tone("a.wav");
  const QString console = Run({"-i", a, "-y", Folder() + "/out.mka"}, Folder() + "/report.log");
  EXPECT_TRUE(console.contains("Report written to")) << console.toStdString();
  const QString shown = FfmpegReport::WithoutNotice(console);
  EXPECT_TRUE(shown.startsWith("ffmpeg version ")) << shown.toStdString();
  EXPECT_EQ(console.size() - shown.size(), console.indexOf("ffmpeg version "));
}

// A start past the end of the input has ffmpeg write an output without a
// packet and end with 0, the console quiet or not: the verbose report's
// statistics tell it, and the status line how long a written output became.
// The info level holds no statistics, so nothing is told empty there.
TEST_F(FfmpegReportTest, AVerboseReportTellsAnOutputThatGotNothingAndHowLongOneBecame) {
  const QString memo = Tone("memo.wav", "2");
  const QString report = Folder() + "/report.log";
  struct Case {
    QString output;
    QString start;        // where the input is read from
    QStringList options;  // of the output
    int level;
    bool empty;
    double seconds;
  };
  const Case cases[] = {
      {"past.mp3", "10", {}, FfmpegReport::VerboseLevel, true, 0},
      {"past.mkv", "10", {"-c:a", "libvorbis"}, FfmpegReport::VerboseLevel, true, 0},
      {"past.aac", "10", {"-loglevel", "quiet"}, FfmpegReport::VerboseLevel, true, 0},
      {"past.mka", "10", {"-loglevel", "level+info"}, FfmpegReport::VerboseLevel, true, 0},
      {"past.mp3", "10", {}, FfmpegReport::InfoLevel, false, 0},
      {"whole.mp3", "0", {"-t", "60", "-loglevel", "quiet"}, FfmpegReport::VerboseLevel, false, 2},
      {"part.wav", "0.5", {}, FfmpegReport::VerboseLevel, false, 1.5},
      {"whole.wav", "0", {"-t", "60"}, FfmpegReport::InfoLevel, false, 2},
  };
  for (const Case& c : cases) {
    const std::string name =
        (c.output + " from " + c.start + " " + c.options.join(' ')).toStdString();
    Run(QStringList{"-nostdin", "-ss", c.start, "-i", memo} << c.options << "-y"
                                                            << Folder() + "/" + c.output,
        report, c.level);
    const std::optional<FfmpegReport::Reading> read = FfmpegReport::Read(report);
    ASSERT_TRUE(read) << name;
    EXPECT_EQ(read->Report.OutputEmpty(), c.empty) << name;
    EXPECT_TRUE(read->Report.Summarised()) << name;
    EXPECT_FALSE(read->Report.WriteFailed()) << name;
    EXPECT_EQ(read->Report.MappedInputs(), QList<int>{0}) << name;
    if (c.seconds > 0) {
      ASSERT_TRUE(read->Report.OutputSeconds()) << name;
      EXPECT_NEAR(*read->Report.OutputSeconds(), c.seconds, 0.05) << name;
    }
  }
}

// A file's tags and chapters written out as text hold no stream: ffmpeg's
// statistics show the output file without one, and its header is all of it.
// That is no output that got nothing, unlike one whose stream stayed empty.
TEST_F(FfmpegReportTest, AnOutputOfTagsAloneIsNotToldEmpty) {
  const QString memo = Folder() + "/memo.mka";
  ASSERT_EQ(QProcess::execute("ffmpeg", {"-v", "error", "-y", "-f", "lavfi", "-i", "sine=d=1",
                                         "-metadata", "title=Nota", memo}),
            0);
  const QString report = Folder() + "/report.log";
  const QString tags = Folder() + "/memo.ffmeta";
  Run({"-nostdin", "-i", memo, "-f", "ffmetadata", "-y", tags}, report, FfmpegReport::VerboseLevel);
  const std::optional<FfmpegReport::Reading> read = FfmpegReport::Read(report);
  ASSERT_TRUE(read);
  EXPECT_TRUE(read->Report.Summarised());
  EXPECT_FALSE(read->Report.OutputEmpty()) << read->Text.toStdString();
  QFile written(tags);
  ASSERT_TRUE(written.open(QIODevice::ReadOnly));
  EXPECT_TRUE(written.readAll().contains("title=Nota"));
}

// A transport stream with MPEG audio, as television recordings are, is one
// that ffmpeg's movie source stops reading at its first sound; ffmpeg names
// the graph it read and still ends with 0. Read directly the clip is whole,
// a clip cut short only has ffmpeg warn of a flawed last picture, two
// recordings joined byte to byte only have it warn of flawed packets where
// the stream's counters jump, and a raw stream it cannot seek in only has it
// say so before it decodes up to the start.
TEST_F(FfmpegReportTest, AnInputReadOnlyPartlyIsToldFromAFlawedFrame) {
  const QString clip = Folder() + "/recording.ts";
  ASSERT_EQ(
      QProcess::execute(
          "ffmpeg", {"-v", "error", "-y", "-f", "lavfi", "-i", "testsrc=size=160x120:rate=25", "-f",
                     "lavfi", "-i", "sine", "-t", "6", "-c:v", "mpeg2video", "-c:a", "mp2", clip}),
      0);
  QFile whole(clip);
  ASSERT_TRUE(whole.open(QIODevice::ReadOnly));
  const QByteArray bytes = whole.readAll();
  const QString cut = WriteFile("cut.ts", bytes.left(bytes.size() / 2));
  const QString joined = WriteFile("joined.ts", bytes + bytes);
  // A raw picture stream has no index: a start in it is reached by decoding.
  const QString raw = Folder() + "/camera.h264";
  ASSERT_EQ(
      QProcess::execute("ffmpeg", {"-v", "error", "-y", "-f", "lavfi", "-i",
                                   "testsrc=size=160x120:rate=25:d=3", "-c:v", "libx264", raw}),
      0);
  const QString graph = "movie=filename=" + FfmpegValues::FilterGraphValue(clip) +
                        ":s=0+1[v][a];[v]null[out0];[a]asetpts=PTS-STARTPTS[out1]";
  struct Case {
    const char* name;
    QStringList input;
    bool failed;
  } cases[] = {
      {"through a movie graph", {"-f", "lavfi", "-i", graph}, true},
      {"directly", {"-i", clip}, false},
      {"cut short", {"-i", cut}, false},
      {"joined to itself", {"-i", joined}, false},
      {"started where it cannot seek", {"-ss", "1", "-i", raw}, false},
  };
  const QString report = Folder() + "/report.log";
  for (const Case& c : cases) {
    const QStringList arguments = QStringList{"-nostdin"} << c.input << "-y"
                                                          << Folder() + "/out.mkv";
    Run(arguments, report, FfmpegReport::VerboseLevel);
    const std::optional<FfmpegReport::Reading> read = FfmpegReport::Read(report);
    ASSERT_TRUE(read) << c.name;
    EXPECT_TRUE(read->Report.Summarised()) << c.name;
    EXPECT_EQ(FfmpegReport::InputReadFailed(read->Text, arguments), c.failed)
        << c.name << "\n"
        << read->Text.toStdString();
  }
}

// A quiet recording into a full disk: what the user is shown is the end of
// the report, which at the verbose level ends in ffmpeg's statistics. Without
// them it ends in ffmpeg's summary and messages, as the info level's
// report does.
TEST_F(FfmpegReportTest, WithoutItsStatisticsAVerboseReportEndsInFfmpegsMessages) {
  QString ends[2];
  const int levels[2] = {FfmpegReport::InfoLevel, FfmpegReport::VerboseLevel};
  for (int k = 0; k < 2; ++k) {
    const QString report = Folder() + "/report.log";
    Run({"-nostdin", "-loglevel", "quiet", "-f", "lavfi", "-i", "sine=d=1", "-y", "-f", "matroska",
         "/dev/full"},
        report, levels[k]);
    const std::optional<FfmpegReport::Reading> read = FfmpegReport::Read(report);
    ASSERT_TRUE(read);
    ASSERT_TRUE(read->Report.WriteFailed());
    ends[k] = FfmpegReport::WithoutStatistics(read->Text).right(256);
  }
  EXPECT_TRUE(ends[1].contains("muxing overhead")) << ends[1].toStdString();
  EXPECT_TRUE(ends[1].endsWith("Error closing file /dev/full: No space left on device\n"))
      << ends[1].toStdString();
  EXPECT_FALSE(ends[1].contains("Total:")) << ends[1].toStdString();
  EXPECT_FALSE(ends[1].contains("Statistics:")) << ends[1].toStdString();
  EXPECT_EQ(ends[1].section('\n', -3), ends[0].section('\n', -3));
}

// Level tags go, whether the line starts with one or it follows the tags
// of the message's source; a status line ended by a lone CR is a line, and
// lines ended by CR LF are the same lines.
TEST(FfmpegReportText, LinesLoseTheirLevelTagAndEndInLf) {
  struct Case {
    QString report, text;
  } cases[] = {
      {"[info] Stream mapping:\n[info]   Stream #0:0 -> #0:0\n",
       "Stream mapping:\n  Stream #0:0 -> #0:0\n"},
      {"[info] Stream mapping:\r\n[info]   Stream #0:0 -> #0:0\r\n",
       "Stream mapping:\n  Stream #0:0 -> #0:0\n"},
      {"[info] size=  0kB time=00:00:00.00\r[error] Error writing trailer of x.mp3: err\n",
       "size=  0kB time=00:00:00.00\nError writing trailer of x.mp3: err\n"},
      {"[mp3 @ 0x55d0] [error] Error closing file\n", "[mp3 @ 0x55d0] Error closing file\n"},
      {"[out#0/mp3 @ 0x1] [aost#0:0 @ 0x2] [warning] w\n",
       "[out#0/mp3 @ 0x1] [aost#0:0 @ 0x2] w\n"},
      // Not a level, or not where a level stands: the text stays.
      {"[loud] x\nsay [error] y\n", "[loud] x\nsay [error] y\n"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(FfmpegReport::ConsoleText(c.report), c.text) << c.report.toStdString();
}

TEST(FfmpegReportText, ATaggedWriteErrorIsAWriteFailure) {
  FfmpegConsole::Report read;
  read.Add(FfmpegReport::ConsoleText(
      "[info] size=  60kB\r[error] Error writing trailer of out.mp3: File too large\n"));
  EXPECT_TRUE(read.WriteFailed());
}

}  // namespace
