#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QScreen>
#include <QStandardPaths>
#include <QTemporaryDir>

#include "RecordBytes.h"
#include "TestEnv.h"
#include "core/app/Lifecycle.h"
#include "core/convert/Conversion.h"
#include "core/convert/ConversionState.h"
#include "core/devices/CdRipper.h"
#include "core/devices/Recorder.h"
#include "core/formats/FormatEditor.h"
#include "core/frame/FfmpegTools.h"
#include "core/frame/Session.h"
#include "core/ground/ConfigRecord.h"
#include "core/ground/FileServices.h"
#include "core/ground/ProgramFolder.h"
#include "core/ground/RecordFile.h"
#include "core/lang/Lang.h"
#include "gui/app/MainWindow.h"
#include "gui/app/StartupWindows.h"
#include "gui/app/ToolPathsWindow.h"

namespace {

class SessionTest : public TestEnv {
 protected:
  void SetUp() override {
    TestEnv::SetUp();
    FfmpegTools::State().FfmpegPath = FfmpegTools::State().FfplayPath =
        FfmpegTools::State().FfprobePath = CdRipper::State().Cdda2wavPath = "";
    Recorder::State().RecBufferSizeMB = "";
    Lang::State().LanguageName = "";
    FormatEditor::ResetCapabilityLists();
  }
  void WriteConfig(const ConfigRecord& record) {
    QDir().mkpath(ProgramFolder::AppFiles());
    ASSERT_EQ(RecordFile::Write(Lifecycle::ConfigPath(), record), RecordFile::Result::Ok);
  }
};

TEST_F(SessionTest, ToolPathsInsideTheProgramFolderAreStoredRelative) {
  const QString p = Folder();
  struct Case {
    QString full, stored;
  } cases[] = {
      {p + "/tools/ffmpeg", "tools/ffmpeg"},
      {"/usr/bin/ffmpeg", "/usr/bin/ffmpeg"},
      {p + "2/ffmpeg", p + "2/ffmpeg"},                  // a sibling folder sharing the prefix
      {"/opt" + p + "/ffmpeg", "/opt" + p + "/ffmpeg"},  // the folder not at the start
      {"/ffmpeg", "/ffmpeg"},
      {"", ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Session::StoreAppPath(c.full), c.stored) << c.full.toStdString();
    EXPECT_EQ(Session::ResolveAppPath(c.stored), c.full) << c.stored.toStdString();
  }
  EXPECT_EQ(Session::ResolveAppPath("bin//ffmpeg"), p + "/bin/ffmpeg");
}

TEST_F(SessionTest, ConfigRoundTripsThroughTheOwnersAndTheMenu) {
  MainWindow main;
  FfmpegTools::State().FfmpegPath = Folder() + "/bin/ffmpeg";
  FfmpegTools::State().FfplayPath = "/usr/bin/ffplay";
  FfmpegTools::State().FfprobePath = Folder() + "/bin/ffprobe";
  CdRipper::State().Cdda2wavPath = "/usr/bin/cdda2wav";
  Lang::State().LanguageName = "<English>";
  Recorder::State().RecBufferSizeMB = "32";
  FormatEditor::State().FfmpegListsStale = true;
  FormatEditor::State().Capabilities.MuxerFormats = {1, {"mp4", "matroska"}};
  main.twoPassAction->setChecked(true);
  main.replaceFilesAction->setChecked(true);
  Lifecycle::WriteConfig();

  ConfigRecord stored;
  ASSERT_EQ(RecordFile::Read(Lifecycle::ConfigPath(), stored), RecordFile::Result::Ok);
  EXPECT_EQ(stored.FfmpegPath, "bin/ffmpeg");
  EXPECT_EQ(stored.FfplayPath, "/usr/bin/ffplay");
  EXPECT_TRUE(stored.TwoPass);
  EXPECT_FALSE(stored.DeleteOriginals);
  EXPECT_TRUE(stored.ReplaceFiles);

  FfmpegTools::State().FfmpegPath = FfmpegTools::State().FfplayPath = "";
  FormatEditor::ResetCapabilityLists();
  main.twoPassAction->setChecked(false);
  Lifecycle::ReadConfig();
  EXPECT_EQ(FfmpegTools::State().FfmpegPath, Folder() + "/bin/ffmpeg");
  EXPECT_EQ(FfmpegTools::State().FfplayPath, "/usr/bin/ffplay");
  EXPECT_EQ(FormatEditor::State().Capabilities.MuxerFormats,
            (DynArray<QString>{1, {"mp4", "matroska"}}));
  EXPECT_TRUE(FormatEditor::State().FfmpegListsStale);
  EXPECT_TRUE(main.twoPassAction->isChecked());
  EXPECT_FALSE(main.deleteOriginalsAction->isChecked());
}

// Without a main window the stored run options still reach the conversion,
// and the conversion's options are what gets stored.
TEST_F(SessionTest, RunOptionsGoBetweenTheConfigAndTheConversionWithoutAWindow) {
  Conversion::State().Choices = {};
  ConfigRecord record;
  record.TwoPass = true;
  record.ReplaceFiles = true;
  WriteConfig(record);
  int shown = 0;
  const QMetaObject::Connection listener = QObject::connect(
      &Session::Events(), &Session::SessionEvents::ConfigApplied, [&] { ++shown; });
  Lifecycle::ReadConfig();
  QObject::disconnect(listener);
  EXPECT_EQ(shown, 1);
  EXPECT_TRUE(Conversion::State().Choices.TwoPass);
  EXPECT_FALSE(Conversion::State().Choices.DeleteOriginals);
  EXPECT_TRUE(Conversion::State().Choices.ReplaceFiles);

  Conversion::State().Choices.TwoPass = false;
  Conversion::State().Choices.DeleteOriginals = true;
  Lifecycle::WriteConfig();
  ConfigRecord stored;
  ASSERT_EQ(RecordFile::Read(Lifecycle::ConfigPath(), stored), RecordFile::Result::Ok);
  EXPECT_FALSE(stored.TwoPass);
  EXPECT_TRUE(stored.DeleteOriginals);
  EXPECT_TRUE(stored.ReplaceFiles);
  Conversion::State().Choices = {};
}

TEST_F(SessionTest, AFileWithOnlyTheFiveTextsLeavesTheRestEmpty) {
  MainWindow main;
  main.deleteOriginalsAction->setChecked(true);
  QByteArray bytes;
  for (const char* text : {"ffmpeg", "", "", "", "<Spanish>"}) {
    bytes += char(strlen(text)) + QByteArray(1, 0) + text;
  }
  WriteFile("appfiles/config.qcf", bytes);
  Lifecycle::ReadConfig();
  EXPECT_EQ(FfmpegTools::State().FfmpegPath, Folder() + "/ffmpeg");
  EXPECT_EQ(Lang::State().LanguageName, "<Spanish>");
  EXPECT_TRUE(FormatEditor::State().Capabilities.AudioEncoders.IsEmpty());
  EXPECT_FALSE(FormatEditor::State().FfmpegListsStale);
  EXPECT_FALSE(main.deleteOriginalsAction->isChecked());
  EXPECT_EQ(Recorder::State().RecBufferSizeMB, "");
}

TEST_F(SessionTest, OnlyAStoredOneChecksAnOption) {
  MainWindow main;
  ConfigRecord record;
  record.DeleteOriginals = true;
  QDir().mkpath(ProgramFolder::AppFiles());
  ASSERT_EQ(RecordFile::WriteBytes(Lifecycle::ConfigPath(),
                                   WithFlagByte(record, &ConfigRecord::TwoPass, 2)),
            RecordFile::Result::Ok);
  Lifecycle::ReadConfig();
  EXPECT_FALSE(main.twoPassAction->isChecked());
  EXPECT_TRUE(main.deleteOriginalsAction->isChecked());
}

TEST_F(SessionTest, ACorruptConfigIsReportedAndChangesNothing) {
  MainWindow main;
  main.twoPassAction->setChecked(true);
  FfmpegTools::State().FfmpegPath = "/kept/ffmpeg";
  // The first list claims two billion elements.
  QByteArray bytes = QByteArray::fromHex(
      "0200"
      "6666"
      "0000"
      "0000"
      "0000"
      "0000"
      "01"
      "0100"
      "00000080"
      "01000000");
  WriteFile("appfiles/config.qcf", bytes);
  ScriptedDialogs dialogs;
  dialogs.ExpectMessage();
  Lifecycle::ReadConfig();
  ASSERT_EQ(dialogs.Shown().size(), 1);
  EXPECT_EQ(dialogs.Shown()[0].text, "No se pudo leer el archivo config.qcf");
  EXPECT_EQ(dialogs.Shown()[0].style,
            (Dialogs::MessageStyle{Dialogs::Buttons::Ok, Dialogs::Icon::Stop}));
  EXPECT_EQ(FfmpegTools::State().FfmpegPath, "/kept/ffmpeg");
  EXPECT_TRUE(main.twoPassAction->isChecked());
}

TEST_F(SessionTest, ADamagedConfigIsKeptBesideTheNewOneOnceAndNeverReplacesAKeptOne) {
  // The first list claims two billion elements.
  const QByteArray damaged = QByteArray::fromHex(
      "0000000000000000000000"
      "0100"
      "00000080");
  const QString config = WriteFile("appfiles/config.qcf", damaged);
  const QString kept = config + ".damaged";
  const auto contents = [](const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(missing)");
  };
  {
    MainWindow main;
    ScriptedDialogs dialogs;
    dialogs.ExpectMessage();
    {
      ModalCloser closer;  // no language is known: the chooser comes up
      main.Load();
    }
    EXPECT_EQ(dialogs.Messages(), QStringList{"No se pudo leer el archivo config.qcf"});
    EXPECT_EQ(contents(config), damaged) << "nothing changes before the exit";
    main.twoPassAction->setChecked(true);
    main.show();
    EXPECT_TRUE(main.close());
  }
  EXPECT_EQ(contents(kept), damaged);
  ConfigRecord stored;
  ASSERT_EQ(RecordFile::Read(config, stored), RecordFile::Result::Ok);
  EXPECT_TRUE(stored.TwoPass);

  // A later exit has a good file to replace: nothing more is kept.
  Lifecycle::WriteConfig();
  EXPECT_EQ(FileServices::ListFiles(ProgramFolder::AppFiles(), "damaged:"), QStringList{kept});

  // Damaged again: this one is kept too, and the first stays as it was.
  const QByteArray again = QByteArray::fromHex(
      "0500"
      "61");
  WriteFile("appfiles/config.qcf", again);
  ScriptedDialogs none;
  Lifecycle::WriteConfig();
  EXPECT_EQ(contents(kept), damaged);
  EXPECT_EQ(contents(ProgramFolder::AppFiles("config.qcf (2).damaged")), again);
  EXPECT_EQ(RecordFile::Read(config, stored), RecordFile::Result::Ok);
}

TEST_F(SessionTest, WritingWhereTheDataFolderCannotBeMadeSaysSoAndWritesNothing) {
  WriteFile("appfiles", "a regular file where the data folder must go");
  ScriptedDialogs dialogs;
  dialogs.ExpectMessage();
  Lifecycle::WriteConfig();
  EXPECT_EQ(dialogs.Messages(), QStringList{"No se pudo crear el directorio appfiles"});
}

TEST_F(SessionTest, WritingOverAFolderNamedConfigSaysSo) {
  QDir().mkpath(Lifecycle::ConfigPath());
  ScriptedDialogs dialogs;
  dialogs.ExpectMessage();
  Lifecycle::WriteConfig();
  EXPECT_EQ(dialogs.Messages(), QStringList{"No se pudo escribir el archivo config.qcf"});
}

// A first run looks for the tools in the program folder, then on PATH, and
// names only those it cannot find before the tool-paths window and the about box.
TEST_F(SessionTest, FirstRunFindsTheToolsThenShowsChooserToolPathsAndAbout) {
  const QString beside = WriteFile("tools/ffprobe", "#!/bin/sh\n");
  QFile::setPermissions(beside, QFile::permissions(beside) | QFile::ExeOwner);
  QTemporaryDir systemBin;
  for (const char* name : {"ffmpeg", "ffprobe"}) {
    ASSERT_TRUE(QFile::link(QStandardPaths::findExecutable(name), systemBin.filePath(name)));
  }
  const QByteArray path = qgetenv("PATH");
  qputenv("PATH", systemBin.path().toUtf8());
  MainWindow main;
  ScriptedDialogs dialogs;
  dialogs.ExpectMessage();
  QStringList order;
  QString shownFfmpeg;
  QPoint chooserOffCentre;
  {
    ModalCloser closer([&](QWidget* window) {
      order << window->objectName();
      if (window->objectName() == "Form13") {
        chooserOffCentre =
            window->frameGeometry().center() - window->screen()->availableGeometry().center();
      }
      if (auto* tools = qobject_cast<ToolPathsWindow*>(window))
        shownFfmpeg = tools->ffmpegPath->text();
    });
    StartupWindows::Run(&main);
  }
  qputenv("PATH", path);
  EXPECT_EQ(order, (QStringList{"Form13", "Form9", "Form16"}));
  EXPECT_LE(chooserOffCentre.manhattanLength(), 8)
      << "the language chooser is centred on the screen";
  EXPECT_EQ(dialogs.Messages(), QStringList{"No se encuentra ffplay"});
  EXPECT_EQ(FfmpegTools::State().FfmpegPath, systemBin.filePath("ffmpeg"));
  EXPECT_EQ(shownFfmpeg, systemBin.filePath("ffmpeg"));
  EXPECT_EQ(FfmpegTools::State().FfprobePath, beside) << "the program folder comes before PATH";
  EXPECT_EQ(FfmpegTools::State().FfplayPath, "");
  EXPECT_EQ(CdRipper::State().Cdda2wavPath, "");
  EXPECT_TRUE(FormatEditor::State().FfmpegListsStale);
  EXPECT_TRUE(main.isVisible());
}

TEST_F(SessionTest, AFirstRunWithoutToolsNamesEachMissingOne) {
  const QByteArray path = qgetenv("PATH");
  qputenv("PATH", (Folder() + "/empty").toUtf8());
  MainWindow main;
  ScriptedDialogs dialogs;
  dialogs.ExpectMessage().ExpectMessage().ExpectMessage();
  {
    ModalCloser closer;
    StartupWindows::Run(&main);
  }
  qputenv("PATH", path);
  EXPECT_EQ(dialogs.Messages(), (QStringList{"No se encuentra ffmpeg", "No se encuentra ffplay",
                                             "No se encuentra ffprobe"}));
  EXPECT_EQ(FfmpegTools::State().FfmpegPath, "");
}

// The start-up steps themselves show nothing; the windows a first run needs
// are the window side's.
TEST_F(SessionTest, TheStartUpStepsShowNoWindowAndTellAFirstRun) {
  ScriptedDialogs dialogs;
  ModalCloser closer;
  Lifecycle::Startup();
  EXPECT_TRUE(closer.Closed().isEmpty());
  EXPECT_TRUE(Lifecycle::IsFirstRun());
  WriteConfig(ConfigRecord());
  EXPECT_FALSE(Lifecycle::IsFirstRun());
}

TEST_F(SessionTest, AnExistingConfigWithoutALanguageShowsOnlyTheChooser) {
  MainWindow main;
  WriteConfig(ConfigRecord());
  ScriptedDialogs dialogs;
  QStringList order;
  {
    ModalCloser closer([&](QWidget* window) { order << window->objectName(); });
    StartupWindows::Run(&main);
  }
  EXPECT_EQ(order, QStringList{"Form13"});
  EXPECT_FALSE(FormatEditor::State().FfmpegListsStale);
}

TEST_F(SessionTest, ALaterRunShowsNothing) {
  MainWindow main;
  ConfigRecord record;
  record.LanguageName = "<Spanish>";
  WriteConfig(record);
  ScriptedDialogs dialogs;
  ModalCloser closer;
  StartupWindows::Run(&main);
  EXPECT_TRUE(closer.Closed().isEmpty());
}

TEST_F(SessionTest, ClosingTheMainWindowDeletesItsTempFolderAndWritesConfig) {
  const QString working = Session::CreateTempFolder(false);
  ASSERT_FALSE(working.isEmpty());
  WriteFile(working.mid(Folder().size() + 1) + "/part.wav", "x");
  MainWindow main;
  main.show();
  main.deleteOriginalsAction->setChecked(true);
  EXPECT_TRUE(main.close());
  EXPECT_FALSE(FileServices::FolderExists(QFileInfo(working).path()));
  ConfigRecord stored;
  ASSERT_EQ(RecordFile::Read(Lifecycle::ConfigPath(), stored), RecordFile::Result::Ok);
  EXPECT_TRUE(stored.DeleteOriginals);
}

}  // namespace
