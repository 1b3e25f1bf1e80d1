// Whole conversion runs with the real ffmpeg on small clips made here, in the
// temporary program folder, with the temporary trash.

#include <sys/resource.h>

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QTimer>
#include <csignal>
#include <functional>

#include "Children.h"
#include "ConversionFixture.h"
#include "FileSizeLimit.h"
#include "HangGuard.h"
#include "Keyboard.h"
#include "core/convert/Conversion.h"
#include "core/convert/ConversionState.h"
#include "core/frame/FfmpegTools.h"
#include "core/frame/Session.h"
#include "core/ground/CommandLine.h"
#include "core/ground/EditProfileRec.h"
#include "core/ground/RecordFile.h"
#include "core/lang/Lang.h"
#include "gui/app/ConversionStarter.h"
#include "gui/app/MainWindow.h"
#include "gui/convert/ProgressWindow.h"

using namespace Conversion;

namespace {

// Containers round a clip's length up to their own packets.
constexpr double kSlack = 0.3;

QByteArray Bytes(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

class ConvertTest : public ConversionFixture {
 protected:
  ConvertTest() : ConversionFixture({.ExtensionText = "mkv"}) {}

  // A clip of test picture and tone made by ffmpeg itself.
  QString Clip(const QString& relative, double seconds = 1, bool video = true) const {
    QStringList args;
    if (video)
      args << "-f"
           << "lavfi"
           << "-i"
           << "testsrc=size=160x120:rate=10";
    args << "-f"
         << "lavfi"
         << "-i"
         << "sine=sample_rate=8000"
         << "-t" << QString::number(seconds);
    if (video)
      args << "-c:v"
           << "mpeg4";
    return Make(relative, args);
  }
  QString SaveFormat(const FormatProfile& profile) {
    const QString path = WriteFile("appfiles/formats/perfil.qfm", "");
    EXPECT_EQ(RecordFile::Write(path, profile), RecordFile::Result::Ok);
    return path;
  }
  // An editing profile that starts the output this far into its input.
  QString SaveStartingAt(const QString& start) {
    EditProfileRec edit;
    edit.StartPos = start;
    const QString path = WriteFile("appfiles/editp/inicio.qep", "");
    EXPECT_EQ(RecordFile::Write(path, edit), RecordFile::Result::Ok);
    return path;
  }
  static QString Streams(const QString& path) {
    return Probe(path, "stream=codec_name").split('\n', Qt::SkipEmptyParts).join(",");
  }
  // A tone of its own, or a picture with no sound, made by ffmpeg.
  QString Tone(const QString& relative, double seconds) const {
    return Make(relative, {"-f", "lavfi", "-i", "sine", "-t", QString::number(seconds)});
  }
  QString Picture(const QString& relative, const QString& size) const {
    return Make(relative, {"-f", "lavfi", "-i", "testsrc=size=" + size + ":rate=10", "-t", "1",
                           "-c:v", "mpeg4"});
  }
  // The desktop trash cannot take a file: the name of its "info" folder is
  // taken by a plain file, as a root-owned folder refuses a user.
  void BlockTrash() const {
    QDir().mkpath(Path("env/XDG_DATA_HOME/Trash/files"));
    WriteFile("env/XDG_DATA_HOME/Trash/info", "not a folder");
  }
  // Where the outputs go, as the main window's output controls set it.
  static void ChooseOutput(Conversion::OutputMode mode, const QString& file,
                           const QString& folder) {
    Conversion::State().Choices.OutputMode = mode;
    Session::State().OutputFile = file;
    Session::State().OutputFolder = folder;
  }
  // ffmpeg's status line in the progress window: a step is encoding.
  static bool Encoding() { return Progress() && Progress()->consoleLine->text().contains("time="); }
  // The run has ended, its progress window counts count failed steps and
  // offers to show them, and the conversion holds as many.
  static void ExpectEndedWithFailedSteps(int count) {
    ASSERT_TRUE(Progress());
    EXPECT_EQ(Progress()->currentFile->text(), "El proceso terminó");
    EXPECT_EQ(Progress()->errorCountBox->text(), "Errores: " + QString::number(count));
    EXPECT_TRUE(Progress()->showErrorsButton->isVisible());
    ASSERT_EQ(Conversion::State().Errors.size(), count);
  }
  // Converts the list with the time text and presses the progress window's
  // button once a step is encoding, after calling beforePress where there is
  // one. How long the run went on after the press, or -1 where no press came.
  qint64 ConvertPressingOnceEncoding(QPushButton* ProgressWindow::*button, const QString& time = "",
                                     const std::function<void()>& beforePress = {}) {
    QElapsedTimer sincePress;
    WhenReady press(Encoding, [&] {
      if (beforePress) beforePress();
      sincePress.start();
      (Progress()->*button)->click();
    });
    Convert(time, main_->fileList);
    return press.Done() ? sincePress.elapsed() : -1;
  }
  // A long song listed to become an mp3 beside an older mp3 of its name, with
  // "Eliminar archivos originales" and "Reemplazar archivos" on.
  struct SongBesideOlder {
    QString song, older;
    QByteArray olderBytes;
  };
  SongBesideOlder ListSongBesideAnOlderMp3() {
    SongBesideOlder files{Tone("in/song.wav", 30), Tone("in/song.mp3", 1), {}};
    files.olderBytes = Bytes(files.older);
    List({files.song});
    Conversion::State().Choices.ExtensionText = "mp3";
    Conversion::State().Choices.DeleteOriginals = true;
    Conversion::State().Choices.ReplaceFiles = true;
    return files;
  }
};

TEST_F(ConvertTest, EachOutputModePutsItsOutputWhereItBelongs) {
  const QString a = Clip("in/a.mkv");
  const QString b = Clip("in/b.mkv");
  struct Case {
    Conversion::OutputMode mode;
    QString outputFile, outputFolder;
    QStringList outputs;
    double duration;
  };
  const Case cases[] = {
      {OutputSourceFolders, "", "", {"in/a (2).mkv", "in/b (2).mkv"}, 1},
      {OutputChosenFolder, "", Path("out3"), {"out3/a.mkv", "out3/b.mkv"}, 1},
      {OutputOneFile,
       Path("out1/both.avi"),
       "",
       {"out1/both.avi"},
       1},  // the file's extension wins
      {OutputJoined, Path("out0/joined.mkv"), "", {"out0/joined.mkv"}, 2},
  };
  for (const Case& c : cases) {
    QDir().mkpath(Path("out3"));
    QDir().mkpath(Path("out1"));
    QDir().mkpath(Path("out0"));
    List({a, b});
    ChooseOutput(c.mode, c.outputFile, c.outputFolder);
    ScriptedDialogs dialogs;
    Convert("", main_->fileList);
    ASSERT_TRUE(Progress()) << c.mode;
    EXPECT_EQ(Progress()->currentFile->text(), "El proceso terminó") << c.mode;
    EXPECT_EQ(Progress()->errorCountBox->text(), "Errores: 0") << c.mode;
    EXPECT_TRUE(Progress()->doneButton->isVisible());
    EXPECT_FALSE(Progress()->showErrorsButton->isVisible());
    EXPECT_FALSE(Progress()->stopButton->isVisible());
    EXPECT_FALSE(main_->isVisible());
    for (const QString& output : c.outputs)
      EXPECT_NEAR(Duration(Path(output)), c.duration, kSlack) << output.toStdString();
    EXPECT_TRUE(Conversion::State().TempDir.isEmpty())
        << c.mode;  // nothing asked for a temporary folder
    CloseProgress();
    EXPECT_TRUE(main_->isVisible());
  }
  EXPECT_TRUE(QFile::exists(a));
  EXPECT_TRUE(QFile::exists(b));
}

// A finished run is left as a dialog is: Enter presses "Hecho", and with
// failures listed it still does ("Ver errores" is a click or a Tab away).
TEST_F(ConvertTest, EnterClosesTheFinishedProgressWindow) {
  const QString good = Clip("in/a.mkv");
  const QString bad = WriteFile("in/b.mkv", "not a clip");
  for (const QStringList& files : {QStringList{good}, QStringList{good, bad}}) {
    List(files);
    ScriptedDialogs dialogs;
    Convert("", main_->fileList);
    QPointer<ProgressWindow> form = Progress();
    ASSERT_TRUE(form);
    EXPECT_EQ(form->showErrorsButton->isVisible(), files.size() == 2);
    ASSERT_TRUE(ShowActive(form));
    ASSERT_TRUE(QApplication::focusWidget());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QApplication::processEvents();
    EXPECT_FALSE(form) << files.size();
    EXPECT_TRUE(main_->isVisible());
    CloseProgress();
  }
}

TEST_F(ConvertTest, TwoPassesRunInTheTemporaryFolder) {
  const QString a = Clip("in/a.mkv", 2);
  List({a});
  FormatProfile profile;
  profile.VideoCodec = "mpeg4";
  profile.VideoBitrate = "100k";
  Session::State().FormatProfilePath = SaveFormat(profile);
  Conversion::State().Choices.TwoPass = true;
  Conversion::State().Choices.ExtensionText = "avi";
  const QString previous = QDir::currentPath();
  QDir().mkpath(Path("cwd"));
  QDir::setCurrent(Path("cwd"));
  Convert("", main_->fileList);
  QDir::setCurrent(previous);
  ASSERT_TRUE(Progress());
  EXPECT_EQ(Progress()->currentFile->text(), "El proceso terminó");
  EXPECT_TRUE(Conversion::State().Errors.isEmpty())
      << (Conversion::State().Errors.isEmpty()
              ? ""
              : Conversion::State().Errors.first().Console.toStdString());
  EXPECT_EQ(Streams(Path("in/a.avi")), "mpeg4,mp3");
  EXPECT_TRUE(QDir(Path("cwd")).isEmpty());
  const QString temp = Conversion::State().TempDir;
  EXPECT_FALSE(QDir(temp).entryList({"ffmpeg2pass*"}, QDir::Files).isEmpty());
  CloseProgress();
  EXPECT_FALSE(QDir(temp).exists());
}

TEST_F(ConvertTest, ATestConvertsAFewSecondsAndReportsSizeAndRate) {
  const QString a = Clip("in/a.mkv", 3);
  const QString b = Clip("in/b.mkv", 3);
  List({a, b});
  main_->fileList->setCurrentRow(1);
  ScriptedDialogs dialogs;
  dialogs.ExpectMessage(Dialogs::Button::No);
  Convert("1", main_->fileList);
  ASSERT_TRUE(Progress());
  const QString output = Conversion::State().TempDir + "/test.mkv";
  EXPECT_NEAR(Duration(output), 1, kSlack);
  const qint64 bytes = QFileInfo(output).size();
  EXPECT_EQ(dialogs.Messages(), QStringList{"Prueba finalizada\nTamaño de archivo: " +
                                            MegabytesText(bytes / 1048576.0) + "MB (" +
                                            MegabytesText(bytes / 1048576.0 * 60) +
                                            "MB/min)\n¿Reproducir el archivo?"});
  EXPECT_EQ(dialogs.Shown().first().style,
            (Dialogs::MessageStyle{Dialogs::Buttons::YesNo, Dialogs::Icon::None}));
  EXPECT_EQ(Progress()->currentFile->text(), "El proceso terminó");
  EXPECT_FALSE(QFile::exists(Path("in/b (2).mkv")));
  CloseProgress();
  EXPECT_FALSE(QFile::exists(output));
}

// The rate is of the seconds the test wrote: a 2 s file tested for a minute
// makes 2 s of output.
TEST_F(ConvertTest, ATestOfAShortFileRatesTheSecondsItWrote) {
  List({Tone("in/memo.wav", 2)});
  Conversion::State().Choices.ExtensionText = "wav";
  ScriptedDialogs dialogs;
  dialogs.ExpectMessage(Dialogs::Button::No);
  Convert("60", main_->fileList);
  ASSERT_EQ(dialogs.Messages().size(), 1);
  const QString output = Conversion::State().TempDir + "/test.wav";
  const double megabytes = QFileInfo(output).size() / 1048576.0;
  const QRegularExpressionMatch rate =
      QRegularExpression(R"(\(([^M]+)MB/min\))").match(dialogs.Messages().first());
  ASSERT_TRUE(rate.hasMatch()) << dialogs.Messages().first().toStdString();
  EXPECT_NEAR(QLocale::system().toDouble(rate.captured(1)), megabytes / 2 * 60, 0.1)
      << dialogs.Messages().first().toStdString();
}

// A test of no time, or of more than ffmpeg's time options hold, would write
// nothing or not run: it is refused before anything runs.
TEST_F(ConvertTest, TestLengthsOfNoTimeOrBeyondFfmpegAreRefused) {
  List({Clip("in/a.mkv")});
  for (const QString length : {"0", "-0", "0:0:0", "99999999999999999999"}) {
    ScriptedDialogs dialogs;
    dialogs.ExpectMessage();
    Convert(length, main_->fileList);
    EXPECT_EQ(dialogs.Messages(), QStringList{"Duración de prueba no válida"})
        << length.toStdString();
    EXPECT_FALSE(Progress()) << length.toStdString();
  }
}

// A start past the end of a short file has ffmpeg write a container with no
// frame (or no file at all) and end with 0: the input failed, its source
// stays although "Eliminar archivos originales" is on, and nothing is left
// of the output. A test with it ends with that failure, not with the offer
// to play nothing.
TEST_F(ConvertTest, AnOutputThatHoldsNothingFailsItsInputAndKeepsItsSource) {
  const QString memo = Tone("in/memo.wav", 2);
  Session::State().EditProfilePath = SaveStartingAt("10");
  Conversion::State().Choices.DeleteOriginals = true;
  struct Case {
    QString extension, audioCodec;
  };
  const Case cases[] = {{"mp3", ""}, {"mkv", "libvorbis"}, {"aac", ""}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.extension.toStdString());
    FormatProfile profile;
    profile.AudioCodec = c.audioCodec;
    Session::State().FormatProfilePath = SaveFormat(profile);
    Conversion::State().Choices.ExtensionText = c.extension;
    List({memo});
    {
      ScriptedDialogs dialogs;
      Convert("", main_->fileList);
    }
    ASSERT_TRUE(Progress());
    EXPECT_EQ(Progress()->errorCountBox->text(), "Errores: 1");
    EXPECT_TRUE(Progress()->showErrorsButton->isVisible());
    ASSERT_EQ(Conversion::State().Errors.size(), 1);
    const FailedStep failed = Conversion::State().Errors[0];
    EXPECT_EQ(failed.File, memo);
    EXPECT_EQ(failed.Stage, "Convirtiendo");
    EXPECT_EQ(failed.Description, "No se escribió nada en el archivo de salida");
    EXPECT_TRUE(failed.Command.endsWith(Path("in/memo." + c.extension)))
        << failed.Command.toStdString();
    EXPECT_TRUE(failed.Console.startsWith("ffmpeg version ")) << failed.Console.toStdString();
    EXPECT_EQ(QDir(Path("in")).entryList(QDir::Files), QStringList{"memo.wav"});
    EXPECT_TRUE(Trashed().isEmpty());
    CloseProgress();

    ScriptedDialogs dialogs;
    Convert("20", main_->fileList);
    EXPECT_TRUE(dialogs.Messages().isEmpty());
    ASSERT_EQ(Conversion::State().Errors.size(), 1);
    EXPECT_EQ(Conversion::State().Errors[0].Description,
              "No se escribió nada en el archivo de salida");
    EXPECT_FALSE(QFile::exists(Conversion::State().TempDir + "/test." + c.extension));
    CloseProgress();
  }
}

// A profile that shortens a file on purpose writes less, but something.
TEST_F(ConvertTest, AShortenedOutputStillSucceedsAndTrashesItsSource) {
  const QString memo = Tone("in/memo.wav", 2);
  Session::State().EditProfilePath = SaveStartingAt("0.5");
  Conversion::State().Choices.DeleteOriginals = true;
  Conversion::State().Choices.ExtensionText = "mp3";
  List({memo});
  ScriptedDialogs dialogs;
  Convert("", main_->fileList);
  ASSERT_TRUE(Progress());
  EXPECT_TRUE(Conversion::State().Errors.isEmpty());
  EXPECT_NEAR(Duration(Path("in/memo.mp3")), 1.5, kSlack);
  EXPECT_EQ(Trashed(), QStringList{"memo.wav"});
}

// Two parts of a recording joined byte to byte: ffmpeg warns of flawed
// packets where the stream's counters jump, reads the whole and writes all of it.
TEST_F(ConvertTest, ARecordingJoinedFromTwoPartsConvertsWhole) {
  const QString part =
      Make("part.ts", {"-f", "lavfi", "-i", "testsrc=size=160x120:rate=25", "-f", "lavfi", "-i",
                       "sine", "-t", "2", "-c:v", "mpeg2video", "-c:a", "mp2"});
  const QByteArray bytes = Bytes(part);
  const QString joined = WriteFile("in/joined.ts", bytes + bytes);
  List({joined});
  ScriptedDialogs dialogs;
  Convert("", main_->fileList);
  ASSERT_TRUE(Progress());
  EXPECT_TRUE(Conversion::State().Errors.isEmpty());
  EXPECT_NEAR(Duration(Path("in/joined.mkv")), 4, kSlack);
}

// A file's tags written out as text: an output of no stream, whose header is
// all of it.
TEST_F(ConvertTest, TagsWrittenAsTextAreAConversionThatSucceeds) {
  const QString memo =
      Make("in/memo.mka", {"-f", "lavfi", "-i", "sine", "-t", "1", "-metadata", "title=Nota"});
  Conversion::State().Choices.ExtensionText = "ffmeta";
  List({memo});
  ScriptedDialogs dialogs;
  Convert("", main_->fileList);
  ASSERT_TRUE(Progress());
  EXPECT_TRUE(Conversion::State().Errors.isEmpty());
  EXPECT_TRUE(Bytes(Path("in/memo.ffmeta")).contains("title=Nota"));
}

// A test of several files needs one chosen: none selected, or a row only
// pointed at, is no choice.
TEST_F(ConvertTest, ATestWithSeveralFilesAndNoneChosenIsRefused) {
  const QStringList files{Clip("in/a.mkv"), Clip("in/b.mkv")};
  const struct {
    const char* name;
    std::function<void()> arrange;
  } cases[] = {
      {"none selected", [] {}},
      {"a row only pointed at",
       [this] {
         main_->fileList->setCurrentRow(1);
         main_->fileList->item(1)->setSelected(false);
       }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    List(files);
    c.arrange();
    ScriptedDialogs dialogs;
    dialogs.ExpectMessage();
    Convert("1", main_->fileList);
    EXPECT_EQ(dialogs.Messages(),
              QStringList{"Seleccione un archivo de la lista para realizar la prueba"});
    EXPECT_FALSE(Progress());
  }
}

// A typed output that names no folder, or a relative one, is taken from the
// program's current folder: never from the root, and never from the run's
// temporary working folder, which goes when the progress window closes.
TEST_F(ConvertTest, ATypedRelativeOutputLandsInTheCurrentFolder) {
  const QString a = Clip("in/a.mkv");
  QDir().mkpath(Path("cwd/sub"));
  const QString previous = QDir::currentPath();
  QDir::setCurrent(Path("cwd"));
  struct Case {
    Conversion::OutputMode mode;
    QString outputFile, outputFolder, output;
  };
  const Case cases[] = {
      {OutputOneFile, "typed.avi", "", "cwd/typed.avi"},
      {OutputJoined, "sub/joined.avi", "", "cwd/sub/joined.avi"},
      {OutputChosenFolder, "", "sub", "cwd/sub/a.avi"},
  };
  FormatProfile profile;
  profile.VideoCodec = "mpeg4";
  profile.VideoBitrate = "100k";
  Session::State().FormatProfilePath = SaveFormat(profile);
  Conversion::State().Choices.ExtensionText = "avi";
  Conversion::State().Choices.TwoPass = true;  // the run then works in its temporary folder
  for (const Case& c : cases) {
    List({a});
    ChooseOutput(c.mode, c.outputFile, c.outputFolder);
    ScriptedDialogs dialogs;
    Convert("", main_->fileList);
    ASSERT_TRUE(Progress()) << c.mode;
    EXPECT_TRUE(Conversion::State().Errors.isEmpty()) << c.mode;
    CloseProgress();
    EXPECT_NEAR(Duration(Path(c.output)), 1, kSlack) << c.output.toStdString();
  }
  QDir::setCurrent(previous);
}

TEST_F(ConvertTest, ChecksComeBeforeAnythingRuns) {
  struct Case {
    const char* name;
    QString ffmpegPath;
    bool files;
    Conversion::OutputMode mode;
    QString message;
  };
  const Case cases[] = {
      {"no ffmpeg", Path("nowhere/ffmpeg"), true, OutputSourceFolders, "No se encuentra ffmpeg"},
      {"no files", "/usr/bin/ffmpeg", false, OutputSourceFolders,
       "No se han agregado archivos a la lista"},
      {"no output", "/usr/bin/ffmpeg", true, OutputOneFile,
       "No se ha especificado una ruta de salida"},
      {"no folder", "/usr/bin/ffmpeg", true, OutputChosenFolder,
       "No se ha especificado una ruta de salida"},
  };
  const QString a = Clip("in/a.mkv");
  for (const Case& c : cases) {
    FfmpegTools::State().FfmpegPath = c.ffmpegPath;
    List(c.files ? QStringList{a} : QStringList{});
    Conversion::State().Choices.OutputMode = c.mode;
    ScriptedDialogs dialogs;
    dialogs.ExpectMessage();
    Convert("", main_->fileList);
    EXPECT_EQ(dialogs.Messages(), QStringList{c.message}) << c.name;
    EXPECT_FALSE(Progress()) << c.name;
  }
}

// Tracks added from a CD lie in the program's working folders, which go when
// it closes: a conversion that would write beside them is refused, in the
// language in force, before anything runs or is written.
TEST_F(ConvertTest, OutputsThatWouldGoAtCloseAreRefusedInTheLanguageInForce) {
  const QString working = Session::CreateTempFolder(false);
  ASSERT_FALSE(working.isEmpty());
  const QString ripped = Tone(working.mid(Folder().size() + 1) + "/Intro.wav", 1);
  const QString mine = Tone("in/song.wav", 1);
  List({mine, ripped});
  Conversion::State().Choices.OutputMode = OutputSourceFolders;
  WriteFile("appfiles/lang/Catala.qlg",
            QStringList(Lang::TableLines, "Text").join("\r\n").toUtf8());
  struct Case {
    QString language;
    QString message;
  } cases[] = {
      {"<English>",
       "The converted files would be left in the program's temporary folder, which is deleted "
       "when it closes. Choose 'Save in the folder' and an output folder"},
      {"<Portuguese>",
       "Os arquivos convertidos ficariam no diretório temporário do programa, que é apagado ao "
       "fechá-lo. Escolha 'Salvar no diretório' e um diretório de saída"},
      {"Catala",
       "The converted files would be left in the program's temporary folder, which is deleted "
       "when it closes. Choose 'Text' and an output folder"},
      {"<Spanish>",
       "Los archivos convertidos quedarían en el directorio temporal del programa, que se borra "
       "al cerrarlo. Elija 'Guardar en el directorio' y un directorio de salida"},
  };
  for (const Case& c : cases) {
    Lang::LoadLanguage(c.language);
    ScriptedDialogs dialogs;
    dialogs.ExpectMessage();
    Convert("", main_->fileList);
    EXPECT_EQ(dialogs.Messages(), QStringList{c.message}) << c.language.toStdString();
    ASSERT_FALSE(dialogs.Shown().isEmpty());
    EXPECT_EQ(dialogs.Shown()[0].title, Lang::BoxTitle());
    EXPECT_EQ(dialogs.Shown()[0].style,
              (Dialogs::MessageStyle{Dialogs::Buttons::Ok, Dialogs::Icon::Stop}));
    EXPECT_FALSE(Progress()) << c.language.toStdString();
    EXPECT_TRUE(main_->isVisible());
  }
  EXPECT_EQ(QDir(working).entryList(QDir::Files), QStringList{"Intro.wav"});
  EXPECT_EQ(QDir(Path("in")).entryList(QDir::Files), QStringList{"song.wav"});
}

TEST_F(ConvertTest, AnOutsideEncoderMustExitWithZeroAndWriteItsOutput) {
  struct Case {
    const char* name;
    QString body;  // $1 the input, $3 the output
    bool success;
  };
  const Case cases[] = {
      {"copies", R"(cp "$1" "$3")", true},
      {"writes nothing", R"(: > "$3")", false},
      {"fails after writing", R"(cp "$1" "$3"; exit 3)", false},
  };
  const QString clip = Clip("in/clip 'x'.mkv");
  for (const Case& c : cases) {
    FormatProfile profile;
    profile.AudioExtCodecName = "enc";
    profile.AudioExtCodec = Encoder(c.body);
    const QString script = profile.AudioExtCodec.ExePath;
    Session::State().FormatProfilePath = SaveFormat(profile);
    List({clip});
    QFile::remove(Path("in/clip 'x' (2).mkv"));
    ScriptedDialogs dialogs;
    Convert("", main_->fileList);
    ASSERT_TRUE(Progress()) << c.name;
    const QString output = Path("in/clip 'x' (2).mkv");
    if (c.success) {
      EXPECT_TRUE(Conversion::State().Errors.isEmpty()) << c.name;
      const QStringList streams = Streams(output).split(',');
      EXPECT_EQ(streams.size(), 2) << c.name;
      EXPECT_TRUE(streams.contains("pcm_s16le")) << c.name;
    } else {
      ASSERT_EQ(Conversion::State().Errors.size(), 1) << c.name;
      EXPECT_EQ(Conversion::State().Errors[0].File, clip);
      EXPECT_EQ(Conversion::State().Errors[0].Stage, "Codificando audio");
      EXPECT_EQ(Conversion::State().Errors[0].Description, "Error al convertir");
      EXPECT_EQ(Conversion::State().Errors[0].Command,
                script + " " + Conversion::State().TempDir + "/auext.wav -o " +
                    Conversion::State().TempDir + "/aucod.wav");
      EXPECT_FALSE(QFile::exists(output)) << c.name;
      EXPECT_TRUE(Progress()->showErrorsButton->isVisible());
      EXPECT_EQ(Progress()->failedFileList->count(), 1);
    }
    // No temporary track file outlives its input.
    EXPECT_TRUE(QDir(Conversion::State().TempDir).entryList(QDir::Files).isEmpty()) << c.name;
    CloseProgress();
  }
}

TEST_F(ConvertTest, AFailingStepIsListedWithItsCommandAndTheRunGoesOn) {
  const QString bad = WriteFile("in/bad.mkv", "not a clip");
  const QString good = Clip("in/good.mkv");
  List({bad, good});
  Conversion::State().Choices.DeleteOriginals = true;
  ScriptedDialogs dialogs;
  Convert("", main_->fileList);
  ASSERT_TRUE(Progress());
  ASSERT_EQ(Conversion::State().Errors.size(), 1);
  EXPECT_EQ(Conversion::State().Errors[0].File, bad);
  EXPECT_EQ(Conversion::State().Errors[0].Stage, "Convirtiendo");
  EXPECT_EQ(Conversion::State().Errors[0].Description, "Error al convertir");
  EXPECT_EQ(Conversion::State().Errors[0].Command,
            "/usr/bin/ffmpeg -i " + bad + " -y '" + Path("in/bad (2).mkv") + "'");
  EXPECT_TRUE(Conversion::State().Errors[0].Console.contains("Invalid data"))
      << Conversion::State().Errors[0].Console.toStdString();
  EXPECT_TRUE(Conversion::State().Errors[0].Console.startsWith("ffmpeg version "))
      << Conversion::State().Errors[0].Console.toStdString();
  EXPECT_EQ(Progress()->errorCountBox->text(), "Errores: 1");
  EXPECT_TRUE(Progress()->showErrorsButton->isVisible());
  EXPECT_EQ(Progress()->failedFileList->item(0)->text(), bad);
  Progress()->ShowErrors();
  Progress()->failedFileList->setCurrentRow(0);
  EXPECT_EQ(Progress()->failureDescription->text(), "Error al convertir");
  // The failed input stays; the converted one went to the trash after its output was written.
  EXPECT_TRUE(QFile::exists(bad));
  EXPECT_FALSE(QFile::exists(good));
  EXPECT_EQ(Trashed(), QStringList{"good.mkv"});
  EXPECT_NEAR(Duration(Path("in/good (2).mkv")), 1, kSlack);
}

// Without a window: the run tells each input, stage, console line, failure
// and its end through its signals, in the order they happen.
TEST_F(ConvertTest, TheRunTellsWhatHappensWithoutAWindow) {
  const QString bad = WriteFile("in/bad.mkv", "not a clip");
  const QString good = Clip("in/good.mkv");
  List({bad, good});
  ScriptedDialogs dialogs;
  ASSERT_TRUE(BuildCommandTable(""));
  const QPointer<ProgressWindow> windowBefore = Progress();
  ConversionRun run("", {{bad}, {good}}, {bad, good});
  QStringList told;
  QStringList lines;
  QList<FailedStep> failures;
  QObject::connect(&run, &ConversionRun::Started, [&] { told << "started"; });
  QObject::connect(&run, &ConversionRun::InputStarted, [&](int i, int n, const QString& file) {
    told << QString("input %1/%2 %3").arg(i).arg(n).arg(file);
  });
  QObject::connect(&run, &ConversionRun::StageStarted, [&](const QString& caption, bool stop) {
    told << "stage " + caption + (stop ? " stoppable" : "");
  });
  QObject::connect(&run, &ConversionRun::ConsoleLine, [&](const QString& line) { lines << line; });
  QObject::connect(&run, &ConversionRun::InputEnded, [&] { told << "input ended"; });
  QObject::connect(&run, &ConversionRun::Failed, [&](const FailedStep& failure, int count) {
    told << QString("failed %1 %2").arg(count).arg(failure.File);
  });
  QObject::connect(&run, &ConversionRun::Ended,
                   [&](bool stopped) { told << (stopped ? "stopped" : "ended"); });
  QObject::connect(&run, &ConversionRun::TestFinished, [&] { told << "test"; });
  QObject::connect(&run, &ConversionRun::Finished, [&](const QList<FailedStep>& all) {
    told << "finished";
    failures = all;
  });
  run.Execute();
  EXPECT_EQ(told,
            (QStringList{"started", "input 0/2 " + bad, "stage Convirtiendo stoppable",
                         "failed 1 " + bad, "input ended", "input 1/2 " + good,
                         "stage Convirtiendo stoppable", "input ended", "ended", "finished"}));
  ASSERT_EQ(failures.size(), 1);
  EXPECT_EQ(failures[0], Conversion::State().Errors.value(0));
  EXPECT_EQ(failures[0].Stage, "Convirtiendo");
  EXPECT_EQ(failures[0].Description, "Error al convertir");
  // Each step starts on an empty line, then shows ffmpeg's newest line of each
  // chunk, without line ends; which lines those are depends on how the output
  // was chunked.
  EXPECT_GE(lines.count(""), 2);
  EXPECT_TRUE(std::any_of(lines.begin(), lines.end(),
                          [](const QString& line) { return !line.trimmed().isEmpty(); }));
  for (const QString& line : lines) EXPECT_FALSE(line.contains('\n') || line.contains('\r'));
  EXPECT_EQ(Progress(), windowBefore.data());  // no progress window was opened
  EXPECT_TRUE(dialogs.Messages().isEmpty());
  EXPECT_NEAR(Duration(Path("in/good (2).mkv")), 1, kSlack);
}

TEST_F(ConvertTest, JoinedSourcesGoToTheTrashOnlyAfterASuccessfulRun) {
  const QString a = Clip("in/a.mkv");
  const QString b = Clip("in/b.mkv");
  Conversion::State().Choices.OutputMode = OutputJoined;
  Conversion::State().Choices.DeleteOriginals = true;
  List({a, b});
  Session::State().OutputFile = Path("missing/joined.mkv");  // ffmpeg cannot write there
  {
    ScriptedDialogs dialogs;
    Convert("", main_->fileList);
  }
  ASSERT_EQ(Conversion::State().Errors.size(), 1);
  EXPECT_EQ(Conversion::State().Errors[0].File, "<todos los archivos>");
  EXPECT_TRUE(QFile::exists(a));
  EXPECT_TRUE(QFile::exists(b));
  EXPECT_TRUE(Trashed().isEmpty());
  CloseProgress();

  List({a, b});
  QDir().mkpath(Path("out"));
  Session::State().OutputFile = Path("out/joined2.mkv");
  {
    ScriptedDialogs dialogs;
    Convert("", main_->fileList);
  }
  EXPECT_TRUE(Conversion::State().Errors.isEmpty());
  EXPECT_NEAR(Duration(Path("out/joined2.mkv")), 2, kSlack);
  EXPECT_FALSE(QFile::exists(a));
  EXPECT_FALSE(QFile::exists(b));
  EXPECT_EQ(Trashed(), (QStringList{"a.mkv", "b.mkv"}));
}

TEST_F(ConvertTest, ReplaceTakesTheOldNameButNeverFromAFolderOrAWaitingInput) {
  const QString clip = Clip("in/clip.mkv");
  const QString other = Clip("in/other.avi");
  QDir().mkpath(Path("in/other.mkv"));  // a folder of the output's name
  const QString waiting = Clip("in/next.mkv");
  List({clip, other, waiting});
  Conversion::State().Choices.ReplaceFiles = true;
  ScriptedDialogs dialogs;
  Convert("", main_->fileList);
  ASSERT_TRUE(Progress());
  EXPECT_TRUE(Conversion::State().Errors.isEmpty());
  // clip.mkv was the input itself: it went to the trash and the new file took its name.
  EXPECT_EQ(Trashed(), (QStringList{"clip.mkv", "next.mkv"}));
  EXPECT_NEAR(Duration(Path("in/clip.mkv")), 1, kSlack);
  EXPECT_FALSE(QFile::exists(Path("in/clip (2).mkv")));
  // The folder stays, and the output keeps its numbered name.
  EXPECT_TRUE(QFileInfo(Path("in/other.mkv")).isDir());
  EXPECT_TRUE(QFile::exists(Path("in/other (2).mkv")));
  EXPECT_NEAR(Duration(Path("in/next.mkv")), 1, kSlack);
}

TEST_F(ConvertTest, AWaitingInputIsNeverReplacedByAnEarlierOutput) {
  const QString first = Clip("in/a/clip.avi");
  const QString second = Clip("in/clip.mkv");
  List({first, second});
  Conversion::State().Choices.OutputMode = OutputChosenFolder;
  Session::State().OutputFolder = Path("in");
  Conversion::State().Choices.ReplaceFiles = true;
  ScriptedDialogs dialogs;
  Convert("", main_->fileList);
  // The second input was still there to be converted; only its own conversion replaced it.
  EXPECT_TRUE(Conversion::State().Errors.isEmpty());
  EXPECT_NEAR(Duration(Path("in/clip (2).mkv")), 1, kSlack);
  EXPECT_NEAR(Duration(second), 1, kSlack);
  EXPECT_EQ(Trashed(), QStringList{"clip.mkv"});
}

TEST_F(ConvertTest, OddInputNamesConvertAndRunNothing) {
  const QStringList names = {"in/with blanks.mkv",   "in/\"quoted\".mkv",    "in/it's.mkv",
                             "in/$(touch x).mkv",    "in/`touch y`;|*&.mkv", "in/Ёжик ñandú 猫.mkv",
                             "in/back\\slash -i.mkv"};
  QStringList files;
  for (const QString& name : names) files << Clip(name);
  List(files);
  const QString previous = QDir::currentPath();
  QDir::setCurrent(Path("in"));
  ScriptedDialogs dialogs;
  Convert("", main_->fileList);
  QDir::setCurrent(previous);
  ASSERT_TRUE(Progress());
  EXPECT_TRUE(Conversion::State().Errors.isEmpty())
      << (Conversion::State().Errors.isEmpty()
              ? ""
              : Conversion::State().Errors.first().Command.toStdString());
  for (const QString& name : names) {
    const QString output = Path(QString(name).replace(".mkv", " (2).mkv"));
    EXPECT_NEAR(Duration(output), 1, kSlack) << output.toStdString();
  }
  EXPECT_FALSE(QFile::exists(Path("in/x")));
  EXPECT_FALSE(QFile::exists(Path("in/y")));
}

TEST_F(ConvertTest, DetenerEndsALongRunAndLeavesTheSourcesAlone) {
  const QString a = Clip("in/a.mkv", 20);
  const QString b = Clip("in/b.mkv", 20);
  List({a, b});
  FormatProfile profile;
  profile.InputExtraParams = "-re";  // reads at the clip's own pace: 20 seconds
  Session::State().FormatProfilePath = SaveFormat(profile);
  Conversion::State().Choices.DeleteOriginals = true;
  ScriptedDialogs dialogs;
  const qint64 endedAfter = ConvertPressingOnceEncoding(&ProgressWindow::stopButton);
  ASSERT_GE(endedAfter, 0) << "Detener was never pressed";
  EXPECT_LT(endedAfter, 10000);
  ASSERT_TRUE(Progress());
  EXPECT_EQ(Progress()->currentFile->text(), "El proceso fue detenido");
  EXPECT_EQ(Progress()->fileCounter->text(), "0/2");
  EXPECT_TRUE(Conversion::State().Errors.isEmpty());
  EXPECT_TRUE(Progress()->doneButton->isVisible());
  EXPECT_FALSE(Conversion::State().Running);
  EXPECT_TRUE(QFile::exists(a));
  EXPECT_TRUE(QFile::exists(b));
  EXPECT_TRUE(Trashed().isEmpty());
  EXPECT_FALSE(QFile::exists(Path("in/b (2).mkv")));
  // "q" has ffmpeg finish its output: what it encoded until then stays, whole.
  const double kept = Duration(Path("in/a (2).mkv"));
  EXPECT_GT(kept, 0);
  EXPECT_LT(kept, 20);
  EXPECT_EQ(QDir(Path("in")).entryList(QDir::Files), (QStringList{"a (2).mkv", "a.mkv", "b.mkv"}));
}

// A stop never lets the finishing options act: the finished output keeps its
// numbered name beside the older file, and the source stays.
TEST_F(ConvertTest, DetenerKeepsTheOutputBesideTheOlderFile) {
  const QString a = Tone("in/a.wav", 20);
  const QString older = Tone("in/a.mp3", 1);
  const QByteArray olderBytes = Bytes(older);
  List({a});
  FormatProfile profile;
  profile.InputExtraParams = "-re";
  Session::State().FormatProfilePath = SaveFormat(profile);
  Conversion::State().Choices.ExtensionText = "mp3";
  Conversion::State().Choices.DeleteOriginals = true;
  Conversion::State().Choices.ReplaceFiles = true;
  WhenReady stop(Encoding, [&] { Progress()->stopButton->click(); });
  ScriptedDialogs dialogs;
  Convert("", main_->fileList);
  ASSERT_TRUE(stop.Done());
  ASSERT_TRUE(Progress());
  EXPECT_EQ(Progress()->currentFile->text(), "El proceso fue detenido");
  EXPECT_TRUE(Conversion::State().Errors.isEmpty());
  EXPECT_EQ(Bytes(older), olderBytes);
  EXPECT_TRUE(QFile::exists(a));
  EXPECT_TRUE(Trashed().isEmpty());
  const double kept = Duration(Path("in/a (2).mp3"));
  EXPECT_GT(kept, 0);
  EXPECT_LT(kept, 20);
}

// In a run of two passes the first pass writes a draft of the output: a
// stop then leaves nothing, while a stop in the second pass keeps what it
// finished. The source stays either way.
TEST_F(ConvertTest, DetenerInTheSecondPassKeepsTheOutputAndInTheFirstLeavesNone) {
  FormatProfile profile;
  profile.VideoCodec = "mpeg4";
  profile.VideoBitrate = "100k";
  profile.InputExtraParams = "-re";  // each pass reads at the clip's own pace
  Session::State().FormatProfilePath = SaveFormat(profile);
  Conversion::State().Choices.TwoPass = true;
  Conversion::State().Choices.DeleteOriginals = true;
  Conversion::State().Choices.ExtensionText = "avi";
  for (const QString& pass : {Lang::TxtPass1(), Lang::TxtPass2()}) {
    SCOPED_TRACE(pass.toStdString());
    const QString name = pass == Lang::TxtPass1() ? "first" : "second";
    const QString a = Clip("in/" + name + ".mkv", 4);
    List({a});
    WhenReady stop([&] { return Encoding() && Progress()->stage->text().endsWith(pass); },
                   [&] { Progress()->stopButton->click(); });
    ScriptedDialogs dialogs;
    Convert("", main_->fileList);
    ASSERT_TRUE(stop.Done());
    ASSERT_TRUE(Progress());
    EXPECT_EQ(Progress()->currentFile->text(), "El proceso fue detenido");
    EXPECT_TRUE(Conversion::State().Errors.isEmpty());
    EXPECT_TRUE(QFile::exists(a));
    EXPECT_TRUE(Trashed().isEmpty());
    const QString output = Path("in/" + name + ".avi");
    if (pass == Lang::TxtPass1()) {
      EXPECT_FALSE(QFile::exists(output));
    } else {
      EXPECT_EQ(Streams(output), "mpeg4,mp3");
      EXPECT_GT(Duration(output), 0);
      EXPECT_LT(Duration(output), 4);
    }
    CloseProgress();
  }
}

TEST_F(ConvertTest, ClosingTheProgramStopsTheRunAndLeavesTheSourcesAlone) {
  const QString a = Clip("in/a.mkv", 20);
  const QString b = Clip("in/b.mkv", 20);
  List({a, b});
  FormatProfile profile;
  profile.InputExtraParams = "-re";
  Session::State().FormatProfilePath = SaveFormat(profile);
  Conversion::State().Choices.DeleteOriginals = true;
  QList<qint64> converters;
  QTimer poll;
  QObject::connect(&poll, &QTimer::timeout, [&] {
    if (ProgressWindow::Instance() &&
        ProgressWindow::Instance()->consoleLine->text().contains("time=")) {
      poll.stop();
      converters = ChildProcesses("ffmpeg");
      main_->close();
    }
  });
  poll.start(20);
  ScriptedDialogs dialogs;
  Convert("", main_->fileList);
  EXPECT_EQ(converters.size(), 1);
  EXPECT_TRUE(AllEnd(converters));
  EXPECT_TRUE(Conversion::State().Errors.isEmpty());
  EXPECT_TRUE(QFile::exists(a));
  EXPECT_TRUE(QFile::exists(b));
  EXPECT_TRUE(Trashed().isEmpty());
  EXPECT_FALSE(QFile::exists(Path("in/b (2).mkv")));
  ASSERT_TRUE(Progress());
  EXPECT_EQ(Progress()->currentFile->text(), "El proceso fue detenido");
}

TEST_F(ConvertTest, ForcedStopAsksAndThenEndsTheTool) {
  const QString a = Clip("in/a.mkv", 20);
  List({a});
  FormatProfile profile;
  profile.InputExtraParams = "-re";
  Session::State().FormatProfilePath = SaveFormat(profile);
  ScriptedDialogs dialogs;
  dialogs.ExpectMessage(Dialogs::Button::Yes);
  const qint64 endedAfter = ConvertPressingOnceEncoding(&ProgressWindow::forceStopButton, "1:00");
  ASSERT_GE(endedAfter, 0) << "Detener (force) was never pressed";
  EXPECT_LT(endedAfter, 10000);
  EXPECT_EQ(dialogs.Messages(), QStringList{"¿Detener la conversión?"});  // and no test report
  ASSERT_TRUE(Progress());
  EXPECT_EQ(Progress()->currentFile->text(), "El proceso fue detenido");
  EXPECT_TRUE(Conversion::State().Errors.isEmpty());
  EXPECT_FALSE(QFile::exists(Conversion::State().TempDir + "/test.mkv"));
}

TEST_F(ConvertTest, AForcedStopLeavesNoPartOfTheOutput) {
  const QString a = Clip("in/a.mkv", 20);
  const QString old = Clip("in/a (2).mkv", 1);  // there before the run: never touched
  const QByteArray oldBytes = Bytes(old);
  List({a});
  FormatProfile profile;
  profile.InputExtraParams = "-re";
  Session::State().FormatProfilePath = SaveFormat(profile);
  Conversion::State().Choices.ReplaceFiles = true;
  QTimer watch;
  QObject::connect(&watch, &QTimer::timeout, [&] {
    ProgressWindow* form = ProgressWindow::Instance();
    if (!form || !form->consoleLine->text().contains("time=") ||
        !QFile::exists(Path("in/a (3).mkv")))
      return;
    watch.stop();
    form->forceStopButton->click();
  });
  watch.start(20);
  ScriptedDialogs dialogs;
  dialogs.ExpectMessage(Dialogs::Button::Yes);
  Convert("", main_->fileList);
  ASSERT_TRUE(Progress());
  EXPECT_EQ(Progress()->currentFile->text(), "El proceso fue detenido");
  EXPECT_FALSE(QFile::exists(Path("in/a (3).mkv")));
  EXPECT_EQ(Bytes(old), oldBytes);
  EXPECT_TRUE(QFile::exists(a));
}

// On a full disk ffmpeg 5.1 reports the trailer it could not write and ends
// with code 0: that is a failure like any other.
TEST_F(ConvertTest, AWriteErrorFailsTheStepAndKeepsTheSourceAndTheOlderFile) {
  const auto [song, older, olderBytes] = ListSongBesideAnOlderMp3();
  {
    FileSizeLimit full(60 * 1024);
    ScriptedDialogs dialogs;
    Convert("", main_->fileList);
  }
  ASSERT_NO_FATAL_FAILURE(ExpectEndedWithFailedSteps(1));
  EXPECT_EQ(Conversion::State().Errors[0].File, song);
  EXPECT_EQ(Conversion::State().Errors[0].Stage, "Convirtiendo");
  EXPECT_EQ(Conversion::State().Errors[0].Description, "Error al convertir");
  EXPECT_TRUE(Conversion::State().Errors[0].Command.endsWith(
      CommandLine::QuoteArgument(Path("in/song (2).mp3"))));
  EXPECT_TRUE(Conversion::State().Errors[0].Console.contains("File too large"))
      << Conversion::State().Errors[0].Console.toStdString();
  EXPECT_EQ(Bytes(older), olderBytes);
  EXPECT_TRUE(QFile::exists(song));
  EXPECT_FALSE(QFile::exists(Path("in/song (2).mp3")));
  EXPECT_TRUE(Trashed().isEmpty());
  CloseProgress();

  // A test run on a full disk: the failure, and no report of a size.
  {
    FileSizeLimit full(60 * 1024);
    ScriptedDialogs dialogs;
    Convert("20", main_->fileList);
    EXPECT_TRUE(dialogs.Messages().isEmpty());
  }
  ASSERT_EQ(Conversion::State().Errors.size(), 1);
  EXPECT_EQ(Conversion::State().Errors[0].Description, "Error al convertir");
  EXPECT_FALSE(QFile::exists(Conversion::State().TempDir + "/test.mp3"));
}

// A profile may keep ffmpeg's console quiet or put each line's level before
// it: a write that could not be finished fails the step all the same.
TEST_F(ConvertTest, AWriteErrorIsCaughtWhateverLogTheProfileAsksFor) {
  const auto [song, older, olderBytes] = ListSongBesideAnOlderMp3();
  for (const QString logOptions :
       {"-loglevel quiet", "-loglevel level+info", "-nostats -loglevel repeat+level+warning"}) {
    FormatProfile profile;
    profile.OutputExtraParams = logOptions;
    Session::State().FormatProfilePath = SaveFormat(profile);
    {
      FileSizeLimit full(60 * 1024);
      ScriptedDialogs dialogs;
      Convert("", main_->fileList);
    }
    ASSERT_TRUE(Progress());
    EXPECT_EQ(Progress()->errorCountBox->text(), "Errores: 1") << logOptions.toStdString();
    ASSERT_EQ(Conversion::State().Errors.size(), 1);
    EXPECT_EQ(Conversion::State().Errors[0].File, song);
    EXPECT_EQ(Conversion::State().Errors[0].Description, "Error al convertir");
    EXPECT_EQ(Bytes(older), olderBytes);
    EXPECT_TRUE(QFile::exists(song));
    EXPECT_FALSE(QFile::exists(Path("in/song (2).mp3")));
    EXPECT_TRUE(Trashed().isEmpty());
    CloseProgress();
  }
}

// A disk that is full before the step starts takes neither the output nor
// ffmpeg's report: a short output that ffmpeg only writes at its end fails
// there, with code 0 and a quiet console, and a report without ffmpeg's
// closing summary shows nothing whole.
TEST_F(ConvertTest, AStepOnAFullDiskFailsWhenItsReportCouldNotBeWrittenEither) {
  const QString song = Tone("in/song.wav", 1);
  const QString older = Tone("in/song.mp3", 1);
  const QByteArray olderBytes = Bytes(older);
  List({song});
  Conversion::State().Choices.ExtensionText = "mp3";
  Conversion::State().Choices.DeleteOriginals = true;
  Conversion::State().Choices.ReplaceFiles = true;
  FormatProfile profile;
  profile.OutputExtraParams = "-loglevel quiet";
  Session::State().FormatProfilePath = SaveFormat(profile);
  {
    FileSizeLimit full(0);
    ScriptedDialogs dialogs;
    Convert("", main_->fileList);
  }
  ASSERT_TRUE(Progress());
  EXPECT_EQ(Progress()->errorCountBox->text(), "Errores: 1");
  ASSERT_EQ(Conversion::State().Errors.size(), 1);
  EXPECT_EQ(Conversion::State().Errors[0].Description, "Error al convertir");
  EXPECT_EQ(Bytes(older), olderBytes);
  EXPECT_TRUE(QFile::exists(song));
  EXPECT_FALSE(QFile::exists(Path("in/song (2).mp3")));
  EXPECT_TRUE(Trashed().isEmpty());
}

// A program folder that cannot hold working folders (installed read-only)
// still converts what needs none, and ffmpeg's report then goes to the
// system's temporary folder: a quiet profile's write error is caught all the
// same.
TEST_F(ConvertTest, WithoutWorkingFoldersAConversionRunsAndItsWriteErrorsAreCaught) {
  WriteFile("appfiles/temp", "a file where the working folders go");
  const QString song = Tone("in/song.wav", 30);
  List({song});
  Conversion::State().Choices.ExtensionText = "mp3";
  FormatProfile profile;
  profile.OutputExtraParams = "-loglevel quiet";
  Session::State().FormatProfilePath = SaveFormat(profile);
  ScriptedDialogs dialogs;
  Convert("", main_->fileList);
  ASSERT_TRUE(Progress());
  EXPECT_EQ(Progress()->errorCountBox->text(), "Errores: 0");
  EXPECT_NEAR(Duration(Path("in/song.mp3")), 30, kSlack);
  CloseProgress();

  {
    FileSizeLimit full(60 * 1024);
    Convert("", main_->fileList);
  }
  ASSERT_TRUE(Progress());
  EXPECT_EQ(Progress()->errorCountBox->text(), "Errores: 1");
  EXPECT_FALSE(QFile::exists(Path("in/song (2).mp3")));
  EXPECT_TRUE(QFile::exists(song));
}

// "Reemplazar archivos" makes way for a new output only by moving a file that
// was there before the run: outputs of the same run never replace each other.
TEST_F(ConvertTest, ReplacingNeverTakesAnOutputOfTheSameRun) {
  struct Case {
    const char* name;
    QStringList inputs;  // with their lengths in seconds, the first named output goes first
    QList<double> seconds;
    Conversion::OutputMode mode;
    QString older;                      // a file of the outputs' name there before the run, or none
    QStringList outputs;                // the outputs afterwards, in the order of the inputs
    QString olderNumbered = QString();  // an older file of a numbered name, which stays
  };
  const Case cases[] = {
      {"two folders into one",
       {"a/sub1/clip.wav", "a/sub2/clip.wav"},
       {1, 2},
       OutputChosenFolder,
       "",
       {"a/out/clip.mp3", "a/out/clip (2).mp3"}},
      {"two folders into one over an older file",
       {"b/sub1/clip.wav", "b/sub2/clip.wav"},
       {1, 2},
       OutputChosenFolder,
       "b/out/clip.mp3",
       {"b/out/clip.mp3", "b/out/clip (2).mp3"}},
      {"side by side",
       {"c/song.wav", "c/song.flac"},
       {1, 2},
       OutputSourceFolders,
       "",
       {"c/song.mp3", "c/song (2).mp3"}},
      {"three folders into one over an older file and its numbered copy",
       {"d/sub1/clip.wav", "d/sub2/clip.wav", "d/sub3/clip.wav"},
       {1, 2, 3},
       OutputChosenFolder,
       "d/out/clip.mp3",
       {"d/out/clip.mp3", "d/out/clip (3).mp3", "d/out/clip (4).mp3"},
       "d/out/clip (2).mp3"},
  };
  Conversion::State().Choices.ExtensionText = "mp3";
  Conversion::State().Choices.ReplaceFiles = true;
  int trashedBefore = 0;
  for (const Case& c : cases) {
    QStringList files;
    for (int k = 0; k < c.inputs.size(); ++k) files << Tone(c.inputs[k], c.seconds[k]);
    const QString folder = QString(c.inputs[0]).section('/', 0, 0);
    QDir().mkpath(Path(folder + "/out"));
    if (!c.older.isEmpty()) Tone(c.older, 5);
    if (!c.olderNumbered.isEmpty()) Tone(c.olderNumbered, 5);
    List(files);
    Conversion::State().Choices.OutputMode = c.mode;
    Session::State().OutputFolder = Path(folder + "/out");
    ScriptedDialogs dialogs;
    Convert("", main_->fileList);
    ASSERT_TRUE(Progress()) << c.name;
    EXPECT_TRUE(Conversion::State().Errors.isEmpty()) << c.name;
    for (int k = 0; k < c.outputs.size(); ++k)
      EXPECT_NEAR(Duration(Path(c.outputs[k])), c.seconds[k], kSlack)
          << c.name << " " << c.outputs[k].toStdString();
    // Only the older file went to the trash.
    const int trashed = int(Trashed().size());
    EXPECT_EQ(trashed - trashedBefore, c.older.isEmpty() ? 0 : 1) << c.name;
    trashedBefore = trashed;
    if (!c.olderNumbered.isEmpty()) {
      EXPECT_NEAR(Duration(Path(c.olderNumbered)), 5, kSlack) << c.name;
    }
    for (const QString& file : files) EXPECT_TRUE(QFile::exists(file)) << c.name;
    CloseProgress();
  }
}

TEST_F(ConvertTest, AnEncodeThatFailsLeavesNoEmptyOutputBehind) {
  FormatProfile profile;
  profile.SampleRate = "1234";  // no rate mp3 knows: the encoder cannot open
  Session::State().FormatProfilePath = SaveFormat(profile);
  Conversion::State().Choices.ExtensionText = "mp3";
  const QString song = Tone("in/song.wav", 1);
  List({song});
  ScriptedDialogs dialogs;
  Convert("", main_->fileList);
  ASSERT_EQ(Conversion::State().Errors.size(), 1);
  EXPECT_TRUE(Conversion::State().Errors[0].Console.contains("1234"))
      << Conversion::State().Errors[0].Console.toStdString();
  EXPECT_EQ(QDir(Path("in")).entryList(QDir::Files), QStringList{"song.wav"});
  CloseProgress();

  // Numbered outputs: the folder made for them goes with them.
  profile = FormatProfile();
  profile.OutputContainer = "image2";
  profile.VideoCodec = "png";
  profile.MultipleOutputFiles = true;
  profile.Extension = "png";
  Session::State().FormatProfilePath = SaveFormat(profile);
  Conversion::State().Choices.ExtensionText.clear();
  List({song});  // no picture to write
  Convert("", main_->fileList);
  ASSERT_EQ(Conversion::State().Errors.size(), 1);
  EXPECT_EQ(QDir(Path("in")).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot),
            QStringList{"song.wav"});
}

// "Archivo:" gives ffmpeg every file, and ffmpeg takes one picture (the
// largest) and one sound: only the files it read go to the trash, also when
// a profile keeps ffmpeg's console quiet or tags its lines with their level.
TEST_F(ConvertTest, OneOutputOfSeveralFilesTrashesOnlyTheFilesItRead) {
  const QStringList logOptions = {"", "-loglevel quiet", "-loglevel level+info"};
  QStringList expected;
  for (int k = 0; k < logOptions.size(); ++k) {
    const QString n = QString::number(k);
    const QString small = Picture("in/small" + n + ".mkv", "80x60");
    const QString tone = Tone("in/tone" + n + ".wav", 1);
    const QString large = Picture("in/large" + n + ".mkv", "160x120");
    List({small, tone, large});
    QDir(Path("out")).removeRecursively();
    QDir().mkpath(Path("out"));
    FormatProfile profile;
    profile.OutputExtraParams = logOptions[k];
    Session::State().FormatProfilePath = SaveFormat(profile);
    Conversion::State().Choices.OutputMode = OutputOneFile;
    Session::State().OutputFile = Path("out/both.mkv");
    Conversion::State().Choices.DeleteOriginals = true;
    ScriptedDialogs dialogs;
    Convert("", main_->fileList);
    ASSERT_TRUE(Progress());
    EXPECT_TRUE(Conversion::State().Errors.isEmpty()) << logOptions[k].toStdString();
    EXPECT_EQ(Streams(Path("out/both.mkv")).split(',').size(), 2);
    expected << "large" + n + ".mkv"
             << "tone" + n + ".wav";
    expected.sort();
    QStringList trashed = Trashed();
    trashed.sort();
    EXPECT_EQ(trashed, expected) << logOptions[k].toStdString();
    EXPECT_TRUE(QFile::exists(small));
    CloseProgress();
  }
}

// A file the trash cannot take stays, and the end of the run names it.
TEST_F(ConvertTest, FilesTheTrashCannotTakeAreListedAtTheEnd) {
  const QString clip = Clip("in/clip.mkv");
  const QString older = Clip("in/clip.avi");
  const QByteArray olderBytes = Bytes(older);
  List({clip});
  Conversion::State().Choices.ExtensionText = "avi";
  Conversion::State().Choices.DeleteOriginals = true;
  Conversion::State().Choices.ReplaceFiles = true;
  BlockTrash();
  ScriptedDialogs dialogs;
  {
    const HangGuard guard("a run whose trash refuses its files", 90000);
    Convert("", main_->fileList);
  }
  ASSERT_NO_FATAL_FAILURE(ExpectEndedWithFailedSteps(2));
  EXPECT_EQ(Conversion::State().Errors[0],
            (FailedStep{clip, "Eliminar archivos originales",
                        "No pudo eliminarse el archivo " + clip, "", ""}));
  EXPECT_EQ(
      Conversion::State().Errors[1],
      (FailedStep{older, "Reemplazar archivos", "No pudo eliminarse el archivo " + older, "", ""}));
  ASSERT_EQ(Progress()->failedFileList->count(), 2);
  EXPECT_EQ(Progress()->failedFileList->item(1)->text(), older);
  Progress()->ShowErrors();
  Progress()->failedFileList->setCurrentRow(1);
  EXPECT_EQ(Progress()->failedStage->text(), "Reemplazar archivos");
  EXPECT_TRUE(QFile::exists(clip));
  EXPECT_EQ(Bytes(older), olderBytes);
  EXPECT_NEAR(Duration(Path("in/clip (2).avi")), 1, kSlack);
}

TEST_F(ConvertTest, AClosedProgressWindowIsRefusedWhileTheRunGoes) {
  const QString a = Clip("in/a.mkv", 20);
  List({a});
  FormatProfile profile;
  profile.InputExtraParams = "-re";
  Session::State().FormatProfilePath = SaveFormat(profile);
  bool stillOpen = false;
  WhenReady close(Encoding, [&] {
    Progress()->close();
    QApplication::processEvents();
    stillOpen = Progress() && Progress()->isVisible();
    Progress()->stopButton->click();
  });
  ScriptedDialogs dialogs;
  dialogs.ExpectMessage();
  Convert("", main_->fileList);
  ASSERT_TRUE(close.Done());
  EXPECT_TRUE(stillOpen);
  EXPECT_EQ(dialogs.Messages(), QStringList{"Detenga el proceso antes de salir"});
}

TEST_F(ConvertTest, AMissingEncoderProgramIsAStartFailure) {
  FormatProfile profile;
  profile.AudioExtCodecName = "enc";
  profile.AudioExtCodec = Encoder("exit 0");
  profile.AudioExtCodec.ExePath = Path("tools/gone");
  Session::State().FormatProfilePath = SaveFormat(profile);
  const QString clip = Clip("in/a.mkv");
  List({clip});
  ScriptedDialogs dialogs;
  dialogs.ExpectMessage(Dialogs::Button::No);  // do not look for the program
  Convert("", main_->fileList);
  ASSERT_EQ(Conversion::State().Errors.size(), 1);
  EXPECT_EQ(Conversion::State().Errors[0].Stage, "Codificando audio");
  EXPECT_EQ(Conversion::State().Errors[0].Description, "No se pudo iniciar el proceso");
  EXPECT_TRUE(Conversion::State().Errors[0].Command.startsWith("'' " + Conversion::State().TempDir +
                                                               "/auext.wav"));
  EXPECT_TRUE(Conversion::State().Errors[0].Console.isEmpty());
  EXPECT_FALSE(QFile::exists(Path("in/a (2).mkv")));
}

TEST_F(ConvertTest, CopiedTracksAreMovedBesideEachOtherAndReported) {
  FormatProfile profile;
  profile.OutputContainer = "<copy>";
  profile.AudioExtCodecName = "enc";
  profile.AudioExtCodec = Encoder(R"(cp "$1" "$3")");
  profile.VideoExtCodecName = "enc";
  profile.VideoExtCodec = Encoder(R"(cp "$1" "$3")", "y4m");
  profile.VideoExtCodec.FfmpegParams = "-f yuv4mpegpipe";
  profile.VideoExtCodec.FfmpegExt = "y4m";
  profile.VideoExtCodec.Values = {1, QList<QString>(10)};
  Session::State().FormatProfilePath = SaveFormat(profile);
  const QString clip = Clip("in/a.mkv");
  Clip("in/a_audio.mkv");  // taken: both names move on to " (2)"
  List({clip});
  {
    ScriptedDialogs dialogs;
    Convert("", main_->fileList);
  }
  EXPECT_TRUE(Conversion::State().Errors.isEmpty());
  EXPECT_EQ(Streams(Path("in/a (2)_audio.mkv")), "pcm_s16le");
  EXPECT_EQ(Streams(Path("in/a (2)_video.mkv")), "rawvideo");
  EXPECT_FALSE(QFile::exists(Path("in/a (2).mkv")));
  CloseProgress();

  ScriptedDialogs dialogs;
  dialogs.ExpectMessage(Dialogs::Button::No);
  Convert("1", main_->fileList);
  ASSERT_EQ(dialogs.Messages().size(), 1);
  const qint64 bytes = QFileInfo(Conversion::State().TempDir + "/test_audio.mkv").size() +
                       QFileInfo(Conversion::State().TempDir + "/test_video.mkv").size();
  EXPECT_GT(bytes, 0);
  EXPECT_EQ(dialogs.Messages().first().toStdString(),
            ("Prueba finalizada\nTamaño de archivo: " + MegabytesText(bytes / 1048576.0) +
             "MB\n¿Reproducir el archivo?")
                .toStdString());
}

TEST_F(ConvertTest, NumberedOutputsGoToAFolderOfTheirOwn) {
  FormatProfile profile;
  profile.OutputContainer = "image2";
  profile.VideoCodec = "png";
  profile.RemoveAudio = true;
  profile.MultipleOutputFiles = true;
  profile.Extension = "png";
  Session::State().FormatProfilePath = SaveFormat(profile);
  Conversion::State().Choices.ExtensionText.clear();
  const QString clip = Clip("in/a.mkv");
  QDir().mkpath(Path("in/a"));  // taken: the frames go to "a (2)"
  List({clip, Clip("in/100%d 50% b.mkv")});
  {
    ScriptedDialogs dialogs;
    Convert("", main_->fileList);
  }
  EXPECT_TRUE(Conversion::State().Errors.isEmpty())
      << (Conversion::State().Errors.isEmpty()
              ? ""
              : Conversion::State().Errors.first().Console.toStdString());
  EXPECT_EQ(QDir(Path("in/a (2)")).entryList({"*.png"}, QDir::Files).size(), 10);
  EXPECT_EQ(QDir(Path("in/a (2)")).entryList({"*.png"}, QDir::Files).first(), "001.png");
  EXPECT_EQ(QDir(Path("in/100%d 50% b")).entryList({"*.png"}, QDir::Files).size(), 10);
  CloseProgress();
  List({clip});

  // A test shows the folder's size and offers to open it.
  {
    ScriptedDialogs dialogs;
    dialogs.ExpectMessage(Dialogs::Button::Yes).Expect(Dialogs::Kind::Open, true);
    Convert("0.5", main_->fileList);
    ASSERT_EQ(dialogs.Shown().size(), 2);
    const QString folder = Conversion::State().TempDir + "/test";
    qint64 bytes = 0;
    for (const QFileInfo& frame : QDir(folder).entryInfoList({"*.png"}, QDir::Files))
      bytes += frame.size();
    EXPECT_GT(bytes, 0);
    const QString size = MegabytesText(bytes / 1048576.0);
    EXPECT_EQ(dialogs.Shown()[0].text,
              "Prueba finalizada\nTamaño de archivo: " + size + "MB\n¿Ver archivos?");
    EXPECT_EQ(dialogs.Shown()[1].text, folder);
    CloseProgress();
  }

  // A folder that cannot be made fails that input before anything runs.
  Conversion::State().Choices.OutputMode = OutputChosenFolder;
  Session::State().OutputFolder = Path("missing");
  ScriptedDialogs dialogs;
  Convert("", main_->fileList);
  ASSERT_EQ(Conversion::State().Errors.size(), 1);
  EXPECT_EQ(Conversion::State().Errors[0].Stage, "");
  EXPECT_EQ(Conversion::State().Errors[0].Description,
            "No se pudo crear el directorio de salida:" + Path("missing/a/%03d.png"));
  EXPECT_EQ(Conversion::State().Errors[0].Command, "");
}

TEST_F(ConvertTest, DetenerReachesFfmpegEncodingOneTrack) {
  FormatProfile profile;
  profile.InputExtraParams = "-re";
  profile.VideoExtCodecName = "enc";
  profile.VideoExtCodec = Encoder(R"(cp "$1" "$3")", "y4m");
  profile.VideoExtCodec.FfmpegParams = "-f yuv4mpegpipe";
  profile.VideoExtCodec.FfmpegExt = "y4m";
  profile.VideoExtCodec.Values = {1, QList<QString>(10)};
  Session::State().FormatProfilePath = SaveFormat(profile);
  const QString clip = Clip("in/a.mkv", 20);
  List({clip});
  QString stage;
  ScriptedDialogs dialogs;
  const qint64 endedAfter = ConvertPressingOnceEncoding(&ProgressWindow::stopButton, "", [&] {
    stage = Progress()->stage->text();
    EXPECT_TRUE(Progress()->stopButton->isEnabled());
  });
  ASSERT_GE(endedAfter, 0) << "Detener was never pressed";
  EXPECT_LT(endedAfter, 10000);
  EXPECT_EQ(stage, "Codificando audio");
  EXPECT_EQ(Progress()->currentFile->text(), "El proceso fue detenido");
  EXPECT_TRUE(Conversion::State().Errors.isEmpty());
}

TEST_F(ConvertTest, DetenerIsOffWhileAnOutsideEncoderRuns) {
  FormatProfile profile;
  profile.AudioExtCodecName = "enc";
  // The encoder marks its start and waits until the window has been looked
  // at, however long the extraction before it took.
  const QString started = Folder() + "/encoder-started";
  const QString seen = Folder() + "/window-seen";
  profile.AudioExtCodec = Encoder("touch '" + started + "'; while [ ! -e '" + seen +
                                  R"(' ]; do sleep 0.05; done; cp "$1" "$3")");
  Session::State().FormatProfilePath = SaveFormat(profile);
  List({Clip("in/a.mkv")});
  QString stage;
  bool stopEnabled = true;
  QTimer watch;
  QObject::connect(&watch, &QTimer::timeout, [&] {
    if (!QFileInfo::exists(started) || !ProgressWindow::Instance()) return;
    stage = ProgressWindow::Instance()->stage->text();
    stopEnabled = ProgressWindow::Instance()->stopButton->isEnabled();
    watch.stop();
    QFile(seen).open(QIODevice::WriteOnly);
  });
  watch.start(20);
  ScriptedDialogs dialogs;
  Convert("", main_->fileList);
  EXPECT_EQ(stage, "Codificando audio");
  EXPECT_FALSE(stopEnabled);
  EXPECT_TRUE(Conversion::State().Errors.isEmpty());
}

}  // namespace
