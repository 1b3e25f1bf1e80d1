// The pieces a conversion run is made of: step commands, step results, the
// joining list, track moves, the finishing options and the test report.

#include <QDir>
#include <QFile>
#include <QProcess>

#include "TestEnv.h"
#include "core/convert/Conversion.h"
#include "core/convert/ConversionState.h"
#include "core/frame/FfmpegTools.h"
#include "core/frame/Session.h"
#include "core/ground/CommandLine.h"

using namespace Conversion;

namespace {

class RunPartsTest : public TestEnv {
 protected:
  void SetUp() override {
    TestEnv::SetUp();
    FfmpegTools::State().FfmpegPath = "/usr/bin/ffmpeg";
    Session::State().FileList.clear();
  }
  void TearDown() override {
    Session::State().FileList.clear();
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
// The same name as a shell word.
const QString kOddWord = R"('/m/it'\''s "a" $(touch x) `id` ;|*&ü ñ.wav')";

// A table of one row as the command table fills it.
CommandTable OneRow(StageKind kind, const QString& program, const QString& beforeInput,
                    const QString& beforeOutput = QString()) {
  CommandTable table;
  table.Kinds[0] = kind;
  table.Programs[0] = program;
  table.At(1, 1) = CommandLine::QuoteArgument(program);
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
       "/usr/bin/ffmpeg -i " + kOddWord + " -f mp4 -y '/o/out file.mp4'"},
      // Several inputs of one command, each after the text before an input.
      {"/opt/my tools/ffmpeg",
       " -ss 3 -i ",
       " -y ",
       {"/a|b.wav", "/c*d.wav"},
       "/o.wav",
       {"-ss", "3", "-i", "/a|b.wav", "-ss", "3", "-i", "/c*d.wav", "-y", "/o.wav"},
       "'/opt/my tools/ffmpeg' -ss 3 -i '/a|b.wav' -ss 3 -i '/c*d.wav' -y /o.wav"},
      // Option text is split as a shell splits words.
      {"/usr/bin/ffmpeg",
       " -i ",
       R"( -vf "drawtext=text='a b'" -metadata title=\"x\" -y )",
       {"/i"},
       "/o",
       {"-i", "/i", "-vf", "drawtext=text='a b'", "-metadata", "title=\"x\"", "-y", "/o"},
       R"(/usr/bin/ffmpeg -i /i -vf 'drawtext=text='\''a b'\''' -metadata 'title="x"' -y /o)"},
      {"/usr/bin/ffmpeg",
       " -i ",
       R"( -metadata title='Hola mundo' -vf 'scale=640:-1' -metadata comment=It\'s -y )",
       {"/i"},
       "/o",
       {"-i", "/i", "-metadata", "title=Hola mundo", "-vf", "scale=640:-1", "-metadata",
        "comment=It's", "-y", "/o"},
       R"(/usr/bin/ffmpeg -i /i -metadata 'title=Hola mundo' -vf scale=640:-1 -metadata 'comment=It'\''s' -y /o)"},
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
  EXPECT_EQ(step.Shown, "/opt/enc/lame -b 128 '--in=/t/<outfile> x.wav' " + kOddWord);

  // The encoder's switches are typed options too, split as a shell splits words.
  const CommandTable typed =
      OneRow(StageKind::Encoder, "/opt/enc/lame",
             R"( --tt 'Hola mundo' --ta It\'s "--tl=<infile>.txt" <infile> <outfile>)");
  EXPECT_EQ(RowStep(typed, 1, {"/i n.wav"}, "/o.mp3").Command.arguments,
            (QStringList{"--tt", "Hola mundo", "--ta", "It's", "--tl=/i n.wav.txt", "/i n.wav",
                         "/o.mp3"}));
}

TEST_F(RunPartsTest, AStepSucceedsOnlyOnANormalExitWithCodeZeroAndEveryWriteFinished) {
  struct Case {
    bool started;
    int exitCode;
    bool encoder;
    qint64 size;
    bool writeFailed;
    bool success;
  };
  const Case cases[] = {
      {true, 0, false, 0, false, true},
      {true, 1, false, 100, false, false},
      {true, 255, false, 100, false, false},
      {true, 139, false, 100, false, false},  // killed by SIGSEGV: 128 + 11
      {true, -1, false, 100, false, false},
      {false, 0, false, 100, false, false},
      {true, 0, true, 100, false, true},
      {true, 0, true, 0, false, false},
      {true, 2, true, 100, false, false},
      {true, 0, false, 61440, true, false},  // a full disk: ffmpeg ends with 0 all the same
  };
  for (const Case& c : cases)
    EXPECT_EQ(StepSucceeded(c.started, c.exitCode, c.encoder, c.size, c.writeFailed), c.success)
        << c.exitCode << " " << c.encoder << " " << c.size << " " << c.writeFailed;
}

TEST_F(RunPartsTest, FilesAtInputsCountsEveryInputOptionOfTheStep) {
  struct Case {
    const char* name;
    QStringList arguments;
    QStringList files;
    QList<int> inputs;
    QList<int> places;
  };
  const Case cases[] = {
      {"second of three",
       {"-i", "/a", "-i", "/b", "-i", "/c", "-y", "/o"},
       {"/a", "/b", "/c"},
       {1},
       {1}},
      {"an input of the profile's own comes first",
       {"-i", "/logo.png", "-ss", "2", "-i", "/a", "-i", "/logo.png", "-ss", "2", "-i", "/b", "/o"},
       {"/a", "/b"},
       {0, 3},
       {1}},
      {"the same file twice", {"-i", "/a", "-i", "/a", "/o"}, {"/a", "/a"}, {1}, {1}},
      {"no report", {"-i", "/a", "-i", "/b", "/o"}, {"/a", "/b"}, {}, {}},
      {"a value that only looks like a file",
       {"-metadata", "/a", "-i", "/b", "/o"},
       {"/b"},
       {0},
       {0}},
  };
  for (const Case& c : cases)
    EXPECT_EQ(FilesAtInputs(c.arguments, c.files, c.inputs), c.places) << c.name;
}

// What a conversion refuses to start on, before its table is built.
TEST_F(RunPartsTest, AStartNeedsFilesAnOutputAndForATestOfSeveralASelectedOne) {
  struct Case {
    Conversion::OutputMode mode;
    int files;
    QString testTime;
    int selected;
    bool outputSet;
    StartRefusal expected;
  } cases[] = {
      {OutputSourceFolders, 0, "", -1, true, StartRefusal::NoFiles},
      {OutputOneFile, 1, "", -1, false, StartRefusal::NoOutputPath},
      {OutputChosenFolder, 1, "", -1, false, StartRefusal::NoOutputPath},
      {OutputJoined, 2, "", -1, false, StartRefusal::NoOutputPath},
      {OutputSourceFolders, 2, "", -1, false, StartRefusal::None},
      {OutputOneFile, 2, "", -1, true, StartRefusal::None},
      {OutputChosenFolder, 2, "5", -1, false, StartRefusal::NoFileSelectedForTest},
      {OutputSourceFolders, 2, "5", -1, false, StartRefusal::NoFileSelectedForTest},
      {OutputSourceFolders, 2, "5", 1, false, StartRefusal::None},
      {OutputSourceFolders, 1, "5", -1, false, StartRefusal::None},
      {OutputJoined, 2, "5", -1, false, StartRefusal::None},
      {OutputOneFile, 2, "5", -1, false, StartRefusal::None},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(QString("mode %1, %2 files, test \"%3\", selected %4")
                     .arg(c.mode)
                     .arg(c.files)
                     .arg(c.testTime)
                     .arg(c.selected)
                     .toStdString());
    Conversion::State().Choices.OutputMode = c.mode;
    Session::State().FileList.clear();
    for (int i = 0; i < c.files; ++i) Session::State().FileList << QString("/in/%1.mkv").arg(i);
    Session::State().OutputFile = c.outputSet ? "/out/a.mkv" : "";
    Session::State().OutputFolder = c.outputSet ? "/out" : "";
    EXPECT_EQ(CheckStart(c.testTime, c.selected), c.expected);
  }
}

// A conversion never writes into the program's working folders, which go
// when it closes, as the tracks added from a CD lie there; a test's output
// goes to a working folder of its own anyway.
TEST_F(RunPartsTest, AConversionIsRefusedOutputsThatWouldGoWithTheWorkingFolders) {
  const QString working = Session::CreateTempFolder(false);
  ASSERT_FALSE(working.isEmpty());
  const QString ripped = working + "/Intro.wav";
  Touch(ripped.mid(Folder().size() + 1));
  const QString mine = Touch("music/song.wav");
  QDir().mkpath(Path("out"));
  struct Case {
    const char* name;
    Conversion::OutputMode mode;
    QStringList files;
    QString outputFile, outputFolder, testTime;
    StartRefusal expected;
  } cases[] = {
      {"a ripped track beside itself",
       OutputSourceFolders,
       {mine, ripped},
       "",
       "",
       "",
       StartRefusal::OutputInWorkingFolder},
      {"a test of it", OutputSourceFolders, {ripped}, "", "", "5", StartRefusal::None},
      {"ripped tracks into a chosen folder",
       OutputChosenFolder,
       {ripped},
       "",
       Path("out"),
       "",
       StartRefusal::None},
      {"a chosen folder that is a working one",
       OutputChosenFolder,
       {mine},
       "",
       working,
       "",
       StartRefusal::OutputInWorkingFolder},
      {"a file in a folder not made yet there",
       OutputOneFile,
       {mine},
       working + "/new/both.mkv",
       "",
       "",
       StartRefusal::OutputInWorkingFolder},
      {"joined into a file there",
       OutputJoined,
       {mine, ripped},
       working + "/joined.mkv",
       "",
       "",
       StartRefusal::OutputInWorkingFolder},
      {"ripped tracks joined into a file of the user's",
       OutputJoined,
       {ripped},
       Path("out/joined.mkv"),
       "",
       "",
       StartRefusal::None},
      {"the user's own files beside themselves",
       OutputSourceFolders,
       {mine},
       "",
       "",
       "",
       StartRefusal::None},
  };
  for (const Case& c : cases) {
    Conversion::State().Choices.OutputMode = c.mode;
    Session::State().FileList = c.files;
    Session::State().OutputFile = c.outputFile;
    Session::State().OutputFolder = c.outputFolder;
    EXPECT_EQ(CheckStart(c.testTime, 0), c.expected) << c.name;
  }
}

// Each input of a run, and what the progress window shows for it; a test
// takes the selected file, or the first.
TEST_F(RunPartsTest, ARunTakesEachFileAloneAllTogetherOrTheOneATestRunsOn) {
  const QStringList files = {"/in/a.mkv", "/in/b.mkv", "/in/c.mkv"};
  Session::State().FileList = files;
  struct Case {
    Conversion::OutputMode mode;
    QString testTime;
    int selected;
    RunInputs expected;
  } cases[] = {
      {OutputSourceFolders, "", -1, {{{files[0]}, {files[1]}, {files[2]}}, files, -1}},
      {OutputChosenFolder, "", 2, {{{files[0]}, {files[1]}, {files[2]}}, files, -1}},
      {OutputOneFile, "", -1, {{files}, {}, -1}},
      {OutputOneFile, "5", 1, {{files}, {}, -1}},
      {OutputSourceFolders, "5", 1, {{{files[1]}}, {files[1]}, 1}},
      {OutputChosenFolder, "5", -1, {{{files[0]}}, {files[0]}, 0}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(QString("mode %1, test \"%2\", selected %3")
                     .arg(c.mode)
                     .arg(c.testTime)
                     .arg(c.selected)
                     .toStdString());
    Conversion::State().Choices.OutputMode = c.mode;
    EXPECT_EQ(PlanInputs(c.testTime, c.selected), std::optional<RunInputs>(c.expected));
  }
  // Joining files alike runs on the concat list, written into a new temporary folder.
  Conversion::State().Choices.OutputMode = OutputJoined;
  FfmpegTools::State().FfprobePath = "/usr/bin/ffprobe";
  Session::State().FileList.clear();
  for (const char* name : {"a.wav", "b.wav"}) {
    Session::State().FileList << Path(name);
    ASSERT_EQ(QProcess::execute("ffmpeg", {"-v", "error", "-f", "lavfi", "-i", "sine", "-t", "1",
                                           Session::State().FileList.last()}),
              0);
  }
  const std::optional<RunInputs> joined = PlanInputs("", -1);
  ASSERT_TRUE(joined);
  ASSERT_EQ(joined->Inputs.size(), 1);
  ASSERT_EQ(joined->Inputs[0].size(), 1);
  EXPECT_TRUE(joined->Inputs[0][0].endsWith("/concat.txt"));
  EXPECT_TRUE(QFile::exists(joined->Inputs[0][0]));
  EXPECT_TRUE(joined->Shown.isEmpty());
}

TEST_F(RunPartsTest, ConcatListEscapesQuotesAndRefusesLineBreaks) {
  QByteArray text;
  ASSERT_TRUE(ConcatListText({"/a/b c.wav", "/a/it's.wav", "/a/ñ\\x.wav"}, text));
  EXPECT_EQ(text,
            QString("file '/a/b c.wav'\nfile '/a/it'\\''s.wav'\nfile '/a/ñ\\x.wav'\n").toUtf8());
  EXPECT_FALSE(ConcatListText({"/a/ok.wav", "/a/two\nlines.wav"}, text));
  EXPECT_FALSE(ConcatListText({"/a/cr\r.wav"}, text));
}

TEST_F(RunPartsTest, ConcatListJoinsOddlyNamedFilesThroughTheRealDemuxer) {
  const QStringList names = {"it's a $(touch x).wav", "b\\c ñ \"q\".wav"};
  for (const QString& name : names) {
    Session::State().FileList << Path(name);
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

TEST_F(RunPartsTest, ConcatListWithALineBreakInANameNamesTheFileThatCannotBeJoined) {
  const QString broken = Touch("b\nc.wav");
  Session::State().FileList << Touch("a.wav") << broken << Touch("d\re.wav");
  EXPECT_EQ(UnjoinableFile(Session::State().FileList), broken);
  EXPECT_EQ(UnjoinableFile({Path("a.wav")}), QString());
  ScriptedDialogs dialogs;
  dialogs.ExpectMessage();
  EXPECT_EQ(WriteConcatList(), QString());
  EXPECT_EQ(dialogs.Messages(), QStringList{broken + " no es un nombre de archivo válido"});
  EXPECT_FALSE(QDir(Path("appfiles/temp")).exists());  // no working folder was made for it
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

  // When the second track cannot move, the first goes back: half a result is none.
  const QString lone = Touch("t/aucod.mkv", "a");
  EXPECT_EQ(MoveTracks(lone, Path("t/missing.mkv"), Path("out/half.mkv")), QStringList());
  EXPECT_EQ(Read(lone), "a");
  EXPECT_FALSE(QFile::exists(Path("out/half_audio.mkv")));
}

TEST_F(RunPartsTest, SourcesGoToTheTrashOnlyAfterTheOutputWasWritten) {
  const QString a = Touch("in/a.wav");
  const QString b = Touch("in/b.wav");
  EXPECT_EQ(TrashSources({a, b}, false), QStringList());
  EXPECT_TRUE(QFile::exists(a));
  EXPECT_TRUE(QFile::exists(b));
  EXPECT_EQ(TrashSources({a, b}, true), QStringList());
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
    Replacement done;
  };
  const Case cases[] = {
      {"file", false, false, false, Replacement::Replaced},
      {"folder", true, false, false, Replacement::NotNeeded},
      {"waiting", false, true, false, Replacement::NotNeeded},
      {"empty-output", false, false, true, Replacement::NotNeeded},
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
    EXPECT_EQ(ReplaceExisting(output, desired, others), c.done) << c.name;
    if (c.done == Replacement::Replaced) {
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
  EXPECT_EQ(ReplaceExisting(output, Path("r/clip.avi"), {}), Replacement::Replaced);
  EXPECT_EQ(Read(Path("r/clip.avi")), "new");
  EXPECT_FALSE(QDir(TrashFiles()).exists() && !QDir(TrashFiles()).isEmpty());
  EXPECT_EQ(ReplaceExisting(Path("r/clip.avi"), Path("r/clip.avi"), {}), Replacement::NotNeeded);
}

// A trash that cannot be made (its folder's name is taken by a file) takes nothing.
TEST_F(RunPartsTest, FilesTheTrashCannotTakeStayAndAreNamed) {
  Touch("env/XDG_DATA_HOME/Trash", "not a folder");
  const QString a = Touch("in/a.wav", "a");
  const QString b = Touch("in/b.wav", "b");
  EXPECT_EQ(TrashSources({a, Path("in/gone.wav"), b}, true), (QStringList{a, b}));
  EXPECT_EQ(Read(a), "a");
  EXPECT_EQ(Read(b), "b");

  const QString output = Touch("r/clip (2).avi", "new");
  const QString desired = Touch("r/clip.avi", "old");
  EXPECT_EQ(ReplaceExisting(output, desired, {}), Replacement::OldFileKept);
  EXPECT_EQ(Read(desired), "old");
  EXPECT_EQ(Read(output), "new");
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
            "Prueba finalizada\nTamaño de archivo: 5MB (15MB/min)\n¿Reproducir el archivo?");
  EXPECT_EQ(TestReportText(fiveMegabytes, 0, "¿Ver archivos?"),
            "Prueba finalizada\nTamaño de archivo: 5MB\n¿Ver archivos?");
  EXPECT_EQ(TestReportText(0, 2, "q"), "Prueba finalizada\nTamaño de archivo: 0MB (0MB/min)\nq");
}

}  // namespace
