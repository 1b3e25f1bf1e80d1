#include <algorithm>
#include <optional>

#include "ProbeClips.h"
#include "TestEnv.h"
#include "core/frame/FfmpegConsole.h"
#include "core/ground/CommandLine.h"
#include "core/ground/ConsoleText.h"
#include "core/ground/ToolRunner.h"
#include "gui/ground/ConsoleBox.h"

namespace {

class FfmpegConsoleTest : public TestEnv {
 protected:
  // Makes a small media file in the test folder with the real ffmpeg.
  QString Make(const QString& name, const QStringList& arguments) {
    const QString path = Folder() + "/" + name;
    EXPECT_TRUE(ProbeClips::Ffmpeg(arguments + QStringList{path})) << name.toStdString();
    return path;
  }
};

// ffmpeg run through the console runner, its output read by a report as it comes.
struct ReportedRun {
  int code = -1;
  QString kept;  // the last 256 characters, as a caller may keep them
  FfmpegConsole::Report report;
};
ReportedRun RunReported(const QStringList& arguments) {
  ReportedRun run;
  EXPECT_EQ(
      ToolRunner::RunCaptured(CommandLine::Pipeline{{"/usr/bin/ffmpeg", arguments}}, "", 0, 0,
                              nullptr, false, ConsoleText::Display::NoDisplay, run.kept, 256,
                              run.code, [&run](const QString& chunk) { run.report.Add(chunk); }),
      ToolRunner::RunResult::Ran);
  return run;
}

// ffmpeg 5.1 ends with 0 when only its trailer or the closing of the file
// could not be written, as on a full disk; /dev/full refuses every write.
TEST_F(FfmpegConsoleTest, AWriteThatCouldNotFinishIsReportedThoughFfmpegEndsWithZero) {
  const QStringList tone = {"-f", "lavfi", "-i", "sine=d=3", "-y", "-f", "mp3"};
  const ReportedRun full = RunReported(tone + QStringList{"/dev/full"});
  EXPECT_EQ(full.code, 0);
  EXPECT_TRUE(full.report.WriteFailed()) << full.kept.toStdString();

  const ReportedRun written = RunReported(tone + QStringList{Folder() + "/tone.mp3"});
  EXPECT_EQ(written.code, 0);
  EXPECT_FALSE(written.report.WriteFailed());
  EXPECT_EQ(written.report.MappedInputs(), QList<int>{0});
}

// With several inputs ffmpeg picks one video (the largest) and one audio
// stream, and its stream mapping says which inputs it read.
TEST_F(FfmpegConsoleTest, TheStreamMappingNamesTheInputsTheOutputReads) {
  const QString large = Make("large.mkv", {"-f", "lavfi", "-i", "testsrc=size=160x120:rate=10",
                                           "-t", "1", "-c:v", "mpeg4"});
  const QString small = Make(
      "small.mkv", {"-f", "lavfi", "-i", "testsrc=size=80x60:rate=10", "-t", "1", "-c:v", "mpeg4"});
  const QString tone = Make("tone.wav", {"-f", "lavfi", "-i", "sine=d=1"});
  const ReportedRun run =
      RunReported({"-i", small, "-i", tone, "-i", large, "-y", Folder() + "/out.mkv"});
  EXPECT_EQ(run.code, 0);
  QList<int> read = run.report.MappedInputs();
  std::sort(read.begin(), read.end());
  EXPECT_EQ(read, (QList<int>{1, 2}));

  const ReportedRun graph =
      RunReported({"-i", small, "-i", large, "-filter_complex", "[1:v]scale=40:30[v]", "-map",
                   "[v]", "-y", Folder() + "/graph.mkv"});
  EXPECT_EQ(graph.code, 0);
  EXPECT_EQ(graph.report.MappedInputs(), QList<int>{1});
}

// An encoder that redraws its progress with backspaces never ends its line:
// megabytes of one line. The report reads the lines after it as always (what
// such a line costs it is measured by bench/console-report).
TEST_F(FfmpegConsoleTest, TheLinesAfterOneThatNeverEndsAreRead) {
  const QString script =
      "yes \"$(printf '\\b\\b\\b\\b\\b\\b\\b%7s' 42%)\" | tr -d '\\n' | head -c 8000000; "
      "printf '\\n[mp3 @ 0x1] Error writing trailer: No space left on device\\n'";
  FfmpegConsole::Report report;
  QString kept;
  int code = -1;
  const ToolRunner::RunResult result =
      ToolRunner::RunCaptured(CommandLine::Pipeline{{"/bin/sh", {"-c", script}}}, Folder(), 0, 0,
                              ToolRunner::OutputSink(), ConsoleText::Display::NoDisplay, kept, 256,
                              code, [&](const QString& chunk) { report.Add(chunk); });
  ASSERT_EQ(result, ToolRunner::RunResult::Ran);
  EXPECT_EQ(code, 0);
  EXPECT_TRUE(report.WriteFailed()) << kept.toStdString();
}

// However long a line grows, the report reads only its head: what stands past
// LineHeadLength characters is not read, so a line costs no more than its length.
TEST(FfmpegConsoleReport, ALineIsReadByItsHeadAlone) {
  const qsizetype head = FfmpegConsole::Report::LineHeadLength;
  const struct {
    qsizetype padding;
    std::optional<double> seconds;
  } cases[] = {{head - 100, 5.0}, {head, std::nullopt}, {4 * head, std::nullopt}};
  for (const auto& c : cases) {
    const QString line = "size=" + QString(c.padding, ' ') + "time=00:00:05.00\n";
    FfmpegConsole::Report report;
    for (qsizetype at = 0; at < line.size(); at += 10240) report.Add(line.mid(at, 10240));
    EXPECT_EQ(report.OutputSeconds(), c.seconds) << c.padding;
  }
}

// What the statistics ffmpeg logs at its end (at the verbose level) and its
// status lines tell, also with the source tags later versions put before them.
TEST(FfmpegConsoleReport, OutputStatisticsAndStatusLinesTellWhatTheOutputGot) {
  const QString inputTotal = "Input file #0 (m.wav):\n  Total: 0 packets (0 bytes) demuxed\n";
  struct Case {
    const char* name;
    QString text;
    bool empty;
    std::optional<double> seconds;
  };
  const Case cases[] = {
      {"nothing muxed",
       "size=       0kB time=00:00:00.00 bitrate=N/A speed=   0x\n" + inputTotal +
           "Output file #0 (o.mp3):\n  Output stream #0:0 (audio): 0 frames encoded (0 "
           "samples); 0 packets muxed (0 bytes); \n  Total: 0 packets (0 bytes) muxed\n",
       true, 0.0},
      {"written",
       "size=       0kB time=00:00:00.00 bitrate=N/A\nsize=      16kB time=00:00:02.01 "
       "bitrate=  65.7kbits/s speed= 191x\nOutput file #0 (o.mp3):\n"
       "  Total: 78 packets (16300 bytes) muxed\n",
       false, 2.01},
      {"only an input got nothing", inputTotal, false, std::nullopt},
      {"the second of two outputs got nothing",
       "frame=   10 fps=0.0 q=-1.0 Lsize=      11kB time=01:02:03.50 bitrate=  44.9kbits/s\n"
       "  Total: 98 packets (6462 bytes) muxed\n  Total: 0 packets (0 bytes) muxed\n",
       true, 3723.5},
      {"tagged",
       "[out#0/mp3 @ 0x1] Output file #0 (o.mp3):\n"
       "[out#0/mp3 @ 0x1]   Output stream #0:0 (audio): 0 packets muxed (0 bytes); \n"
       "[out#0/mp3 @ 0x1]   Total: 0 packets (0 bytes) muxed\n"
       "size=N/A time=N/A bitrate=N/A\n",
       true, std::nullopt},
      {"an output of a format that holds no stream",
       "Output file #0 (tags.ffmeta):\n  Total: 0 packets (0 bytes) muxed\n", false, std::nullopt},
      {"a name that only looks like a status", "Input #0, wav, from 'size= time=00:00:09.00':\n",
       false, std::nullopt},
  };
  for (const Case& c : cases) {
    FfmpegConsole::Report report;
    report.Add(c.text);
    EXPECT_EQ(report.OutputEmpty(), c.empty) << c.name;
    EXPECT_EQ(report.OutputSeconds(), c.seconds) << c.name;
  }
}

TEST(FfmpegConsoleReport, ReadsLinesWhereverTheChunksSplitThem) {
  const QString output =
      "Stream mapping:\n  Stream #1:0 -> #0:0 (mpeg4 (native) -> mpeg4 (native))\n"
      "\n  Stream #0:0 (pcm_s16le) -> amix:input0\n  amix -> Stream #0:1 (aac)\n"
      "Press [q] to stop, [?] for help\n"
      "  Stream #2:0 is a later line that no mapping holds\n"
      "size=   0kB time=00:00:00.00 bitrate=N/A speed=   0x\n"
      "[mp3 @ 0x55d] Error writing trailer: No space left on device\n";
  for (int cut : {1, 7, 20, 60, 200}) {
    FfmpegConsole::Report report;
    for (qsizetype at = 0; at < output.size(); at += cut) report.Add(output.mid(at, cut));
    EXPECT_TRUE(report.WriteFailed()) << cut;
    EXPECT_EQ(report.MappedInputs(), (QList<int>{1, 0})) << cut;
  }
  struct Case {
    const char* line;
    bool failed;
  };
  const Case cases[] = {
      {"Error closing file /m/a.mp3: No space left on device", true},
      {"Error writing trailer of /m/a.mp3: File too large", true},
      {"Input #0, wav, from '/m/Error closing file x.wav':", false},
      {"av_interleaved_write_frame(): Broken pipe", false},
      {"", false},
  };
  for (const Case& c : cases) {
    FfmpegConsole::Report report;
    report.Add(QString(c.line) + "\n");
    EXPECT_EQ(report.WriteFailed(), c.failed) << c.line;
    EXPECT_TRUE(report.MappedInputs().isEmpty()) << c.line;
  }
}

}  // namespace
