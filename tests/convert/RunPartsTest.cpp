// The pieces a conversion run is made of: step commands, step results, the
// joining list, track moves, the finishing options and the test report.

#include <QDir>
#include <QFile>
#include <QProcess>

#include "TestEnv.h"
#include "convert/Convertidor.h"
#include "frame/Aplicacion.h"
#include "frame/ffmpeg.h"

using namespace Convertidor;

namespace {

class RunPartsTest : public TestEnv {
 protected:
  void SetUp() override {
    TestEnv::SetUp();
    ffmpeg::FfmpegPath = "/usr/bin/ffmpeg";
    Aplicacion::FileList.clear();
  }
  void TearDown() override {
    Aplicacion::FileList.clear();
    TestEnv::TearDown();
  }
  QString Path(const QString& relative) const { return Folder() + "/" + relative; }
  QString Touch(const QString& relative, const QByteArray& bytes = "data") const {
    return WriteFile(relative, bytes);
  }
  static QByteArray Read(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
  }
};

const QString kOddName = R"(/m/it's "a" $(touch x) `id` ;|*&ü ñ.wav)";

// A table of one row as the command table fills it.
CommandTable OneRow(StageKind kind, const QString& program, const QString& beforeInput,
                    const QString& beforeOutput = QString()) {
  CommandTable table;
  table.Kinds[0] = kind;
  table.Programs[0] = program;
  table.At(1, 1) = "\"" + program + "\"";
  table.At(1, 2) = beforeInput;
  table.At(1, 3) = beforeOutput;
  return table;
}

TEST_F(RunPartsTest, AnFfmpegRowPutsEveryFileNameInAsOneArgument) {
  struct Case {
    QString program, beforeInput, beforeOutput;
    QStringList inputs;
    QString output;
    QStringList arguments;
    QString shown;
  };
  const Case cases[] = {
      {"/usr/bin/ffmpeg",
       " -i ",
       " -f mp4 -y ",
       {kOddName},
       "/o/out file.mp4",
       {"-i", kOddName, "-f", "mp4", "-y", "/o/out file.mp4"},
       R"("/usr/bin/ffmpeg" -i ")" + kOddName + R"(" -f mp4 -y "/o/out file.mp4")"},
      // Several inputs of one command, each after the text before an input.
      {"/opt/my tools/ffmpeg",
       " -ss 3 -i ",
       " -y ",
       {"/a|b.wav", "/c*d.wav"},
       "/o.wav",
       {"-ss", "3", "-i", "/a|b.wav", "-ss", "3", "-i", "/c*d.wav", "-y", "/o.wav"},
       R"("/opt/my tools/ffmpeg" -ss 3 -i "/a|b.wav" -ss 3 -i "/c*d.wav" -y "/o.wav")"},
      // Option text keeps the Windows rules for quotes and backslashes.
      {"/usr/bin/ffmpeg",
       " -i ",
       R"( -vf "drawtext=text='a b'" -metadata title=\"x\" -y )",
       {"/i"},
       "/o",
       {"-i", "/i", "-vf", "drawtext=text='a b'", "-metadata", "title=\"x\"", "-y", "/o"},
       R"("/usr/bin/ffmpeg" -i "/i" -vf "drawtext=text='a b'" -metadata title=\"x\" -y "/o")"},
  };
  for (const Case& c : cases) {
    const CommandTable table = OneRow(StageKind::Ffmpeg, c.program, c.beforeInput, c.beforeOutput);
    const StepCommand step = RowStep(table, 1, c.inputs, c.output);
    EXPECT_EQ(step.Command.program, c.program);
    EXPECT_EQ(step.Command.arguments, c.arguments) << c.shown.toStdString();
    EXPECT_EQ(step.Shown, c.shown);
  }
}

TEST_F(RunPartsTest, AnEncoderRowReplacesTheMarkersInsideTheSplitTemplate) {
  const CommandTable table =
      OneRow(StageKind::Encoder, "/opt/enc/lame", " -b 128 --in=<infile> <outfile>");
  const StepCommand step = RowStep(table, 1, {"/t/<outfile> x.wav"}, kOddName);
  EXPECT_EQ(step.Command.program, "/opt/enc/lame");
  EXPECT_EQ(step.Command.arguments,
            (QStringList{"-b", "128", "--in=/t/<outfile> x.wav", kOddName}));
  EXPECT_EQ(step.Shown, R"("/opt/enc/lame" -b 128 --in="/t/<outfile> x.wav" ")" + kOddName + "\"");
}

TEST_F(RunPartsTest, AStepSucceedsOnlyOnANormalExitWithCodeZero) {
  struct Case {
    bool started;
    int32_t exitCode;
    bool encoder;
    qint64 size;
    bool success;
  };
  const Case cases[] = {
      {true, 0, false, 0, true},      {true, 1, false, 100, false},  {true, 255, false, 100, false},
      {true, 139, false, 100, false},  // killed by SIGSEGV: 128 + 11
      {true, -1, false, 100, false},  {false, 0, false, 100, false}, {true, 0, true, 100, true},
      {true, 0, true, 0, false},      {true, 2, true, 100, false},
  };
  for (const Case& c : cases)
    EXPECT_EQ(StepSucceeded(c.started, c.exitCode, c.encoder, c.size), c.success)
        << c.exitCode << " " << c.encoder << " " << c.size;
}

TEST_F(RunPartsTest, ConcatListEscapesQuotesAndRefusesLineBreaks) {
  QByteArray text;
  ASSERT_TRUE(ConcatListText({"/a/b c.wav", "/a/it's.wav", "/a/ñ\\x.wav"}, text));
  EXPECT_EQ(
      text,
      QString("file '/a/b c.wav'\r\nfile '/a/it'\\''s.wav'\r\nfile '/a/ñ\\x.wav'\r\n").toUtf8());
  EXPECT_FALSE(ConcatListText({"/a/ok.wav", "/a/two\nlines.wav"}, text));
  EXPECT_FALSE(ConcatListText({"/a/cr\r.wav"}, text));
}

TEST_F(RunPartsTest, ConcatListJoinsOddlyNamedFilesThroughTheRealDemuxer) {
  const QStringList names = {"it's a $(touch x).wav", "b\\c ñ \"q\".wav"};
  for (const QString& name : names) {
    Aplicacion::FileList << Path(name);
    ASSERT_EQ(
        QProcess::execute("ffmpeg", {"-v", "error", "-f", "lavfi", "-i", "sine=d=1", Path(name)}),
        0);
  }
  ScriptedDialogs dialogs;
  const QString list = WriteConcatList();
  ASSERT_FALSE(list.isEmpty());
  EXPECT_TRUE(list.startsWith(Folder() + "/appfiles/temp/"));
  const QString out = Path("joined.wav");
  ASSERT_EQ(
      QProcess::execute("ffmpeg", {"-v", "error", "-f", "concat", "-safe", "0", "-i", list, out}),
      0);
  QProcess probe;
  probe.start("ffprobe",
              {"-v", "error", "-show_entries", "format=duration", "-of", "csv=p=0", out});
  probe.waitForFinished();
  EXPECT_NEAR(probe.readAll().trimmed().toDouble(), 2.0, 0.05);
  EXPECT_FALSE(QFile::exists(Path("x")));
  EXPECT_FALSE(QFile::exists(QDir::currentPath() + "/x"));
}

TEST_F(RunPartsTest, ConcatListWithALineBreakInANameIsRefusedWithAMessage) {
  Aplicacion::FileList << Touch("a.wav") << Touch("b\nc.wav");
  ScriptedDialogs dialogs;
  dialogs.ExpectMessage();
  EXPECT_EQ(WriteConcatList(), QString());
  ASSERT_EQ(dialogs.Messages().size(), 1);
  EXPECT_TRUE(dialogs.Messages().first().startsWith("No se pudo escribir el archivo "));
  EXPECT_TRUE(dialogs.Messages().first().endsWith("/concat.txt"));
}

TEST_F(RunPartsTest, MoveTracksNamesTracksAfterTheTargetAndSkipsTakenNames) {
  const QString audio = Touch("t/aucod.mp4", "a");
  const QString video = Touch("t/vicod.mp4", "v");
  Touch("out/clip_video.mp4", "old");
  QDir().mkpath(Path("out/clip (2)_audio.mp4"));  // a folder takes a name too
  EXPECT_EQ(MoveTracks(audio, video, Path("out/clip.mp4")),
            (QStringList{Path("out/clip (3)_audio.mp4"), Path("out/clip (3)_video.mp4")}));
  EXPECT_EQ(Read(Path("out/clip (3)_video.mp4")), "v");
  EXPECT_EQ(Read(Path("out/clip_video.mp4")), "old");

  const QString single = Touch("t/vicod.mkv", "v");
  Touch("out/one.mkv", "old");
  EXPECT_EQ(MoveTracks(QString(), single, Path("out/one.mkv")),
            QStringList{Path("out/one (2).mkv")});
  EXPECT_EQ(MoveTracks(Path("t/missing.mkv"), QString(), Path("out/two.mkv")), QStringList());
}

TEST_F(RunPartsTest, SourcesGoToTheTrashOnlyAfterTheOutputWasWritten) {
  const QString a = Touch("in/a.wav");
  const QString b = Touch("in/b.wav");
  TrashSources({a, b}, false);
  EXPECT_TRUE(QFile::exists(a));
  EXPECT_TRUE(QFile::exists(b));
  TrashSources({a, b}, true);
  EXPECT_FALSE(QFile::exists(a));
  EXPECT_FALSE(QFile::exists(b));
  EXPECT_TRUE(QFile::exists(TrashFiles() + "/a.wav"));
  EXPECT_TRUE(QFile::exists(TrashFiles() + "/b.wav"));
}

TEST_F(RunPartsTest, ReplaceTrashesOnlyARegularFileThatIsNoOtherInput) {
  struct Case {
    const char* name;
    bool folder;        // the desired name is taken by a folder
    bool waitingInput;  // the desired file is an input still in the list
    bool emptyOutput;
    bool replaced;
  };
  const Case cases[] = {
      {"file", false, false, false, true},
      {"folder", true, false, false, false},
      {"waiting", false, true, false, false},
      {"empty-output", false, false, true, false},
  };
  for (const Case& c : cases) {
    const QString desired = Path(QString("r/%1/clip.avi").arg(c.name));
    const QString output =
        Touch(QString("r/%1/clip (2).avi").arg(c.name), c.emptyOutput ? "" : "new");
    if (c.folder)
      QDir().mkpath(desired);
    else
      Touch(QString("r/%1/clip.avi").arg(c.name), "old");
    const QStringList others = c.waitingInput
                                   ? QStringList{Path(QString("r/%1/../%1/clip.avi").arg(c.name))}
                                   : QStringList{Path("r/other.avi")};
    EXPECT_EQ(ReplaceExisting(output, desired, others), c.replaced) << c.name;
    if (c.replaced) {
      EXPECT_EQ(Read(desired), "new") << c.name;
      EXPECT_FALSE(QFile::exists(output)) << c.name;
      EXPECT_EQ(Read(TrashFiles() + "/clip.avi"), "old") << c.name;
    } else {
      EXPECT_TRUE(QFile::exists(output)) << c.name;
      EXPECT_EQ(QFileInfo(desired).isDir(), c.folder) << c.name;
      if (!c.folder) {
        EXPECT_EQ(Read(desired), "old") << c.name;
      }
    }
  }
}

TEST_F(RunPartsTest, ReplaceTakesAFreedNameWithoutTrashingAnything) {
  const QString output = Touch("r/clip (2).avi", "new");
  EXPECT_TRUE(ReplaceExisting(output, Path("r/clip.avi"), {}));
  EXPECT_EQ(Read(Path("r/clip.avi")), "new");
  EXPECT_FALSE(QDir(TrashFiles()).exists() && !QDir(TrashFiles()).isEmpty());
  EXPECT_FALSE(ReplaceExisting(Path("r/clip.avi"), Path("r/clip.avi"), {}));
}

TEST_F(RunPartsTest, MegabytesRoundHalfToEvenWithoutTrailingZeros) {
  const std::pair<double, const char*> cases[] = {
      {5.0, "5"},      {0.0, "0"},   {1.5, "1.5"},           {0.125, "0.12"},
      {0.375, "0.38"}, {2.999, "3"}, {1234.5678, "1234.57"},
  };
  for (const auto& [value, text] : cases) EXPECT_EQ(MegabytesText(value), text) << value;
}

TEST_F(RunPartsTest, TestReportGivesSizeAndRateAndNeverDividesByZero) {
  const qint64 fiveMegabytes = 5 * 1024 * 1024;
  EXPECT_EQ(TestReportText(fiveMegabytes, 20, "¿Reproducir el archivo?"),
            "Prueba finalizada\r\nTamaño de archivo: 5MB (15MB/min)\r\n¿Reproducir el archivo?");
  EXPECT_EQ(TestReportText(fiveMegabytes, 0, "¿Ver archivos?"),
            "Prueba finalizada\r\nTamaño de archivo: 5MB\r\n¿Ver archivos?");
  EXPECT_EQ(TestReportText(0, 2, "q"),
            "Prueba finalizada\r\nTamaño de archivo: 0MB (0MB/min)\r\nq");
}

}  // namespace
