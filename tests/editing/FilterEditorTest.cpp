#include <sys/stat.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QImage>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTimer>

#include "Children.h"
#include "EditingFixture.h"
#include "HangGuard.h"
#include "Keyboard.h"
#include "core/editing/FilterEditor.h"
#include "core/frame/FfmpegTools.h"
#include "core/frame/Session.h"
#include "core/ground/CommandLine.h"
#include "core/ground/ProgramFolder.h"
#include "core/ground/RecordFile.h"
#include "core/lang/Lang.h"
#include "gui/app/MainWindow.h"
#include "gui/editing/FilterEditorWindow.h"
#include "gui/frame/TextViewerWindow.h"

namespace {

using Dialogs::Kind;

class FilterEditorTest : public EditingTest {
 protected:
  void TearDown() override {
    delete window_;
    EditingTest::TearDown();
  }
  FilterEditorWindow* Open() {
    window_ = new FilterEditorWindow;
    window_->Load();
    window_->show();
    return window_;
  }
  QString FilterPath(const QString& name) const {
    return ProgramFolder::AppFiles("filters/" + name + ".qfl");
  }
  QPointer<FilterEditorWindow> window_;
};

TEST_F(FilterEditorTest, TheTestCommandRunsFfmpegIntoThePlayerOrIntoAnMd5) {
  const CommandLine::Pipeline play =
      FilterEditor::TestCommand({"/m/a b.avi"}, FilterType::Video, "hflip", true, true);
  ASSERT_EQ(play.size(), 2);
  EXPECT_EQ(play[0].program, "/usr/bin/ffmpeg");
  EXPECT_EQ(play[0].arguments,
            (QStringList{"-i", "/m/a b.avi", "-f", "matroska", "-c:a", "pcm_s16le", "-c:v",
                         "rawvideo", "-pix_fmt", "yuv420p", "-vf", "hflip", "pipe:1"}));
  EXPECT_EQ(play[1].program, "/usr/bin/ffplay");
  EXPECT_EQ(play[1].arguments, (QStringList{"-an", "-i", "pipe:0"}));

  const CommandLine::Pipeline md5 = FilterEditor::TestCommand(
      {"/a.avi", "/b.avi"}, FilterType::Complex, "[0:v][1:v]hstack", false, true);
  ASSERT_EQ(md5.size(), 1);
  EXPECT_EQ(md5[0].arguments.mid(0, 4), (QStringList{"-i", "/a.avi", "-i", "/b.avi"}));
  EXPECT_EQ(md5[0].arguments.mid(12),
            (QStringList{"-filter_complex", "[0:v][1:v]hstack", "-t", "1", "md5:"}));
  EXPECT_EQ(
      FilterEditor::TestCommand({"/a"}, FilterType::Audio, "volume=2", true, false)[1].arguments,
      (QStringList{"-i", "pipe:0"}));
}

TEST_F(FilterEditorTest, OpeningAMissingNameLeavesAnEmptyFileOfThatName) {
  QDir().mkpath(FilterEditor::FilterFolder());
  FilterEditorWindow* w = Open();
  w->parameters->setPlainText("stale");
  FilterEditor::State().CurrentFilter = FilterEditor::State().SavedFilter;
  FilterEditor::OpenFilter("nuevo");
  EXPECT_TRUE(QFile::exists(FilterPath("nuevo")));
  EXPECT_EQ(FilterEditor::State().CurrentPath, FilterPath("nuevo"));
  EXPECT_EQ(FilterEditor::State().CurrentFilter, FilterDef());
  EXPECT_EQ(w->parameters->toPlainText(), "");
}

// A name that is a named pipe or a link to a device is no filter: opening it
// says the file cannot be read, at once, and changes nothing.
TEST_F(FilterEditorTest, OpeningAPipeOrADeviceSaysItCannotBeRead) {
  QDir().mkpath(FilterEditor::FilterFolder());
  ASSERT_EQ(mkfifo(QFile::encodeName(FilterPath("pipe")).constData(), 0600), 0);
  ASSERT_TRUE(QFile::link("/dev/zero", FilterPath("zero")));
  Open();
  for (const QString name : {"pipe", "zero"}) {
    ScriptedDialogs dialogs;
    dialogs.ExpectMessage();
    {
      const HangGuard guard("opening the filter " + name.toStdString());
      FilterEditor::OpenFilter(name);
    }
    EXPECT_EQ(dialogs.Messages(), QStringList{"No se pudo leer el archivo " + FilterPath(name)});
    EXPECT_EQ(FilterEditor::State().CurrentPath, "");
  }
  EXPECT_FALSE(QFileInfo(FilterPath("pipe")).isFile());
  EXPECT_EQ(QFileInfo(FilterPath("zero")).symLinkTarget(), "/dev/zero");
}

TEST_F(FilterEditorTest, EditsUndoSaveAndTheCloseQuestion) {
  WriteFile("appfiles/filters/eco.qfl",
            RecordFile::Encode(FilterDef{FilterType::Audio, false, "aecho=0.8:0.9:1000:0.3"}));
  FilterEditorWindow* w = Open();
  FilterEditor::OpenFilter("eco");
  EXPECT_EQ(w->parameters->toPlainText(), "aecho=0.8:0.9:1000:0.3");
  EXPECT_FALSE(FilterEditor::IsDirty());
  w->typeCombo->setCurrentIndex(int(FilterType::Complex));
  w->multiInputCheck->click();
  w->parameters->setPlainText("[0:a][1:a]amix");
  EXPECT_EQ(FilterEditor::State().CurrentFilter,
            (FilterDef{FilterType::Complex, true, "[0:a][1:a]amix"}));
  w->undoChangesAction->trigger();
  EXPECT_EQ(FilterEditor::State().CurrentFilter,
            (FilterDef{FilterType::Audio, false, "aecho=0.8:0.9:1000:0.3"}));
  EXPECT_EQ(w->typeCombo->currentIndex(), 0);
  EXPECT_FALSE(w->multiInputCheck->isChecked());

  w->parameters->setPlainText("aecho=1");
  ScriptedDialogs dialogs;
  dialogs.ExpectMessage(Dialogs::Button::Cancel).ExpectMessage(Dialogs::Button::Yes);
  EXPECT_FALSE(FilterEditor::CloseFilter());
  EXPECT_TRUE(FilterEditor::CloseFilter());
  EXPECT_EQ(dialogs.Messages(), QStringList(2, "El archivo eco ha cambiado, ¿guardar cambios?"));
  FilterDef saved;
  ASSERT_EQ(RecordFile::Read(FilterPath("eco"), saved), RecordFile::Result::Ok);
  EXPECT_EQ(saved.Params, "aecho=1");
  EXPECT_TRUE(FilterEditor::State().CurrentPath.isEmpty());
  EXPECT_EQ(FilterEditor::State().CurrentFilter, FilterDef());
}

TEST_F(FilterEditorTest, TabLeavesTheParametersBoxUntouched) {
  FilterEditorWindow* w = Open();
  ASSERT_TRUE(ShowActive(w));
  w->parameters->setPlainText("volume=0.5");
  w->parameters->setFocus(Qt::OtherFocusReason);
  ASSERT_TRUE(WaitFor([w] { return w->parameters->hasFocus(); }));
  w->parameters->moveCursor(QTextCursor::End);
  QTest::keyClick(w->parameters, Qt::Key_Tab);
  EXPECT_EQ(w->parameters->toPlainText(), "volume=0.5");
  EXPECT_FALSE(w->parameters->hasFocus());
  EXPECT_EQ(FilterEditor::State().CurrentFilter.Params, "volume=0.5");
}

TEST_F(FilterEditorTest, TestsAreRefusedWithoutTextInputsOrEnoughInputs) {
  Session::State().FileList = {"/a.avi"};
  FilterEditorWindow* w = Open();
  ScriptedDialogs dialogs;
  dialogs.ExpectMessage().ExpectMessage().ExpectMessage();
  w->testButton->click();
  w->parameters->setPlainText("hflip");
  w->testButton->click();
  w->testFileList->item(0)->setSelected(true);
  w->multiInputCheck->setChecked(true);
  w->testButton->click();
  EXPECT_EQ(dialogs.Messages(),
            (QStringList{"No se han especificado los parámetros", "No se han seleccionado archivos",
                         "Es necesario seleccionar por lo menos 2 archivos"}));
  EXPECT_FALSE(w->runPanel->isVisible());
}

TEST_F(FilterEditorTest, TheMd5TestRunsTheFilterOnAddedFilesAndShowsTheOutput) {
  const QString clip = VideoClip();
  Session::State().FileList = {"/not/used.avi"};
  FilterEditorWindow* w = Open();
  ScriptedDialogs dialogs;
  dialogs.Expect(Kind::OpenFile, QStringList{clip});
  w->addTestFilesButton->click();
  ASSERT_EQ(w->testFileList->count(), 2);
  EXPECT_EQ(FilterEditor::State().TestFiles, QStringList{clip});
  w->testFileList->item(1)->setSelected(true);
  w->typeCombo->setCurrentIndex(int(FilterType::Video));
  w->parameters->setPlainText("hflip");
  w->ffmpegOnlyCheck->setChecked(true);
  w->testButton->click();
  EXPECT_TRUE(w->runPanel->isVisible());
  EXPECT_EQ(w->runPanel->title(), "Finalizado");
  EXPECT_FALSE(w->fileMenu->isEnabled());
  // The md5 output prints the hash of the filtered second on a line of its own.
  EXPECT_TRUE(w->runOutput->toPlainText().contains(
      QRegularExpression("^[0-9a-f]{32}\\s*$", QRegularExpression::MultilineOption)))
      << w->runOutput->toPlainText().toStdString();
  w->stopOrBackButton->click();
  EXPECT_FALSE(w->runPanel->isVisible());
  EXPECT_EQ(w->runPanel->title(), "Espere...");
  EXPECT_TRUE(w->fileMenu->isEnabled());
}

// The panel left up by a finished test still has "Probar" beside it: a test
// run again from there ends saying it finished, and "Atrás" then "Probar"
// puts the waiting caption back, in the window's language each time.
TEST_F(FilterEditorTest, EveryFinishedTestSaysSoInTheChosenLanguage) {
  const QString clip = VideoClip();
  struct Case {
    const char* language;
    const char* waiting;
    const char* finished;
  } cases[] = {
      {"<Spanish>", "Espere...", "Finalizado"},
      {"<English>", "Please wait...", "Finished"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.language);
    Lang::LoadLanguage(c.language);
    Session::State().FileList = {clip};
    FilterEditorWindow* w = Open();
    w->testFileList->item(0)->setSelected(true);
    w->parameters->setPlainText("hflip");
    w->ffmpegOnlyCheck->setChecked(true);
    QStringList shownWhileRunning;
    QStringList shownAfter;
    const auto test = [&] {
      QTimer::singleShot(0, [&] { shownWhileRunning << w->runPanel->title(); });
      w->testButton->click();
      shownAfter << w->runPanel->title();
    };
    test();
    test();
    w->stopOrBackButton->click();
    test();
    EXPECT_EQ(shownWhileRunning, QStringList(3, c.waiting));
    EXPECT_EQ(shownAfter, QStringList(3, c.finished));
    delete window_;
  }
}

// "Probar" pressed while another tool still runs (ffmpeg's filter list in the
// viewer): the press waits quietly. No run panel says that a test which never
// ran has finished.
TEST_F(FilterEditorTest, ProbarPressedWhileAnotherToolRunsWaitsQuietly) {
  const QString clip = VideoClip();
  Session::State().FileList = {clip};
  FilterEditorWindow* w = Open();
  w->testFileList->item(0)->setSelected(true);
  w->parameters->setPlainText("hflip");
  w->ffmpegOnlyCheck->setChecked(true);
  ScriptedDialogs dialogs;
  bool panelShown = true;
  ASSERT_TRUE(WhileAnotherToolRuns([&] {
    w->testButton->click();
    panelShown = w->runPanel->isVisible();
  }));
  EXPECT_FALSE(panelShown);
  EXPECT_EQ(w->runPanel->title(), "Espere...");
  EXPECT_TRUE(w->fileMenu->isEnabled());
  EXPECT_TRUE(dialogs.Messages().isEmpty()) << dialogs.Messages().join('|').toStdString();
}

// "Ayuda de ffmpeg" asked for while another tool holds the runner says so
// once instead of opening a viewer on nothing; a test asked of the editor then
// tells that it never ran, and shows nothing.
TEST_F(FilterEditorTest, WhileAnotherToolRunsTheHelpSaysSoAndATestTellsItNeverRan) {
  const QString clip = VideoClip();
  FilterEditorWindow* w = Open();
  FilterEditor::TestSettings settings;
  settings.inputs = {clip};
  settings.type = FilterType::Video;
  settings.filterText = "hflip";
  settings.ffmpegOnly = true;
  ScriptedDialogs dialogs;
  dialogs.ExpectMessage();
  bool viewerShown = true;
  ToolRunner::RunResult result = ToolRunner::RunResult::Ran;
  QList<ConsoleText::BoxUpdate> shown;
  ASSERT_TRUE(WhileAnotherToolRuns([&] {
    w->ffmpegHelpAction->trigger();
    viewerShown = TextViewerWindow::Instance() && TextViewerWindow::Instance()->isVisible();
    result = FilterEditor::RunTest(
        settings, [&shown](const ConsoleText::BoxUpdate& update) { shown << update; });
  }));
  EXPECT_EQ(dialogs.Messages(),
            QStringList{"Otra herramienta está en ejecución; espere a que termine"});
  EXPECT_FALSE(viewerShown);
  EXPECT_EQ(result, ToolRunner::RunResult::Busy);
  EXPECT_TRUE(shown.isEmpty());
  EXPECT_FALSE(FilterEditor::State().TestRunning);
  EXPECT_EQ(FilterEditor::RunTest(settings, nullptr), ToolRunner::RunResult::Ran);
}

// The run panel lies over the filter's frame: only its own caption shows there,
// whatever the frame beneath it reads.
TEST_F(FilterEditorTest, TheRunPanelHidesTheFrameItCovers) {
  FilterEditorWindow* w = Open();
  w->ShowRunPanel();
  for (const char* caption : {"Espere...", "Finalizado"}) {
    SCOPED_TRACE(caption);
    w->runPanel->setTitle(caption);
    w->filterFrame->setTitle("Configuración del filtro");
    const QImage shown = w->grab().toImage();
    w->filterFrame->setTitle("WWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWW");
    EXPECT_EQ(w->grab().toImage(), shown);
    w->runPanel->setTitle(QString());
    EXPECT_NE(w->grab().toImage(), shown) << "the panel's caption is drawn";
  }
}

TEST_F(FilterEditorTest, ThePlayTestFeedsThePlayerFromFfmpeg) {
  UseFakePlayer();
  Session::State().FileList = {VideoClip()};
  FilterEditorWindow* w = Open();
  w->testFileList->item(0)->setSelected(true);
  w->parameters->setPlainText("volume=0.5");
  w->muteCheck->setChecked(true);
  w->testButton->click();
  QFile args(Folder() + "/tools/play-args.txt");
  ASSERT_TRUE(args.open(QIODevice::ReadOnly));
  EXPECT_EQ(QString::fromUtf8(args.readAll()).split('\n', Qt::SkipEmptyParts),
            (QStringList{"-an", "-i", "pipe:0"}));
  EXPECT_GT(QFileInfo(Folder() + "/tools/play-input.bin").size(), 1000);
}

// ffplay stays open after the filtered clip until someone ends it.
TEST_F(FilterEditorTest, ClosingTheProgramEndsThePlayTest) {
  UseSilentPlayer();
  MainWindow main;
  Session::State().FileList = {VideoClip()};
  FilterEditorWindow* w = Open();
  w->testFileList->item(0)->setSelected(true);
  w->parameters->setPlainText("hflip");
  QList<qint64> tools;
  QTimer poll;
  QObject::connect(&poll, &QTimer::timeout, [&] {
    if (ChildProcesses("ffplay").isEmpty()) return;
    poll.stop();
    tools = ChildProcesses("ffmpeg") + ChildProcesses("ffplay");
    main.close();
  });
  poll.start(20);
  w->testButton->click();
  EXPECT_FALSE(tools.isEmpty());
  EXPECT_TRUE(AllEnd(tools));
  EXPECT_FALSE(FilterEditor::State().TestRunning);
  EXPECT_EQ(w->runPanel->title(), "Finalizado");
}

TEST_F(FilterEditorTest, ShowEditorReturnsWhenTheWindowClosesAndForgetsAddedFiles) {
  WriteFile("appfiles/filters/eco.qfl",
            RecordFile::Encode(FilterDef{FilterType::Video, false, "hflip"}));
  QTimer::singleShot(0, [] {
    FilterEditorWindow* w = FilterEditorWindow::Instance();
    ASSERT_TRUE(w);
    EXPECT_EQ(w->windowTitle(), "Editor de filtros");
    EXPECT_EQ(w->parameters->toPlainText(), "hflip");
    FilterEditor::State().TestFiles = {"/x"};
    w->exitAction->trigger();
  });
  FilterEditorWindow::ShowEditor("eco");
  EXPECT_FALSE(FilterEditorWindow::Instance());
  EXPECT_TRUE(FilterEditor::State().TestFiles.isEmpty());
  EXPECT_TRUE(FilterEditor::State().CurrentPath.isEmpty());
}

TEST_F(FilterEditorTest, SavingANewFilterAsksForItsName) {
  FilterEditorWindow* w = Open();
  w->typeCombo->setCurrentIndex(int(FilterType::Video));
  w->parameters->setPlainText("vflip");
  WhenFileManagerShown([](FileManagerWindow* manager) {
    manager->nameEdit->setText("volteo");
    manager->acceptButton->click();
  });
  w->saveAction->trigger();
  FilterDef written;
  ASSERT_EQ(RecordFile::Read(FilterPath("volteo"), written), RecordFile::Result::Ok);
  EXPECT_EQ(written, (FilterDef{FilterType::Video, false, "vflip"}));
  EXPECT_EQ(FilterEditor::State().CurrentPath, FilterPath("volteo"));
  EXPECT_FALSE(FilterEditor::IsDirty());
}

TEST_F(FilterEditorTest, TheHelpItemShowsFfmpegsFilterListInTheViewer) {
  FilterEditorWindow* w = Open();
  QString shown;
  auto* poll = new QTimer;
  QObject::connect(poll, &QTimer::timeout, [poll, &shown] {
    TextViewerWindow* viewer = TextViewerWindow::Instance();
    if (!viewer || !viewer->waitFrame->isHidden()) return;
    poll->stop();
    poll->deleteLater();
    shown = viewer->outputText->toPlainText();
    viewer->close();
  });
  poll->start(10);
  w->ffmpegHelpAction->trigger();
  EXPECT_TRUE(shown.contains("hflip")) << shown.left(200).toStdString();
}

}  // namespace
