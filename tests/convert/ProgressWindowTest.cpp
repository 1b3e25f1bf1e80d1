// The progress window on its own: captions, the close check, the error panel
// and the clean-up when it closes.

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPointer>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTimer>

#include "TestEnv.h"
#include "core/convert/Conversion.h"
#include "core/convert/ConversionRun.h"
#include "core/convert/ConversionState.h"
#include "core/frame/FfmpegTools.h"
#include "core/frame/Session.h"
#include "core/ground/FormatProfile.h"
#include "core/ground/RecordFile.h"
#include "core/ground/ToolRunner.h"
#include "gui/app/ConversionStarter.h"
#include "gui/app/MainWindow.h"
#include "gui/convert/ProgressWindow.h"
#include "gui/ground/ConsoleBox.h"
#include "gui/ground/TextFit.h"

namespace {

class ProgressWindowTest : public TestEnv {
 protected:
  void SetUp() override {
    TestEnv::SetUp();
    main_ = new MainWindow;
    main_->show();
    form_ = new ProgressWindow;
    form_->Load();
    form_->show();
  }
  void TearDown() override {
    Conversion::State().Running = false;
    Conversion::State().Errors.clear();
    if (form_) {
      form_->errorPanel->hide();
      form_->close();
    }
    delete main_;
    TestEnv::TearDown();
  }
  QPointer<ProgressWindow> form_;
  MainWindow* main_ = nullptr;
};

TEST_F(ProgressWindowTest, LoadCaptionsTheWindowAndHidesTheMainWindow) {
  EXPECT_EQ(form_->windowTitle(), "Convertir");
  EXPECT_EQ(form_->stopButton->text(), "Detener");
  EXPECT_EQ(form_->forceStopButton->text(), "Detener (force)");
  EXPECT_EQ(form_->doneButton->text(), "Hecho");
  EXPECT_EQ(form_->showErrorsButton->text(), "Ver errores");
  EXPECT_EQ(form_->failedFilesLabel->text(), "Seleccione una ruta");
  EXPECT_EQ(form_->failedConsoleLabel->text(), "Salida de consola:");
  EXPECT_EQ(form_->doneButton->x(), form_->stopButton->x());
  EXPECT_EQ(form_->height(), TextFit::Scaled(ProgressWindow::ShortHeight));
  EXPECT_FALSE(main_->isVisible());
  EXPECT_FALSE(form_->doneButton->isVisible());
  EXPECT_FALSE(form_->showErrorsButton->isVisible());
  EXPECT_FALSE(form_->errorPanel->isVisible());
}

// A real conversion told to the window as the progress window hears it: the
// console box shows ffmpeg's lines one at a time, never two run together, and
// the whole status line, from the frame count to the speed, is in view though
// it is wider than the box.
TEST_F(ProgressWindowTest, TheConsoleBoxShowsFfmpegsWholeStatusLineOneLineAtATime) {
  const QString clip = Folder() + "/in/clip.mkv";
  QDir().mkpath(Folder() + "/in");
  ASSERT_EQ(QProcess::execute(
                "ffmpeg", {"-v", "error", "-f", "lavfi", "-i", "testsrc=size=160x120:rate=10", "-f",
                           "lavfi", "-i", "sine", "-t", "2", "-c:v", "mpeg4", clip}),
            0);
  FfmpegTools::InitOptionNames();
  FfmpegTools::State().FfmpegPath = "/usr/bin/ffmpeg";
  ToolRunner::Reset();
  Conversion::State().Choices = Conversion::ConversionChoices();
  Conversion::State().Choices.ExtensionText = "mkv";
  FormatProfile profile;
  profile.InputExtraParams = "-re";  // status lines as the clip plays, not all at once
  const QString format = WriteFile("appfiles/formats/perfil.qfm", "");
  ASSERT_EQ(RecordFile::Write(format, profile), RecordFile::Result::Ok);
  Session::State().FormatProfilePath = format;
  Session::State().FileList = {clip};
  ScriptedDialogs dialogs;
  ASSERT_TRUE(Conversion::BuildCommandTable(""));

  Conversion::ConversionRun run("", {{clip}}, {clip});
  QObject::connect(&run, &Conversion::ConversionRun::ConsoleLine, form_.data(),
                   &ProgressWindow::ShowConsoleLine);
  QStringList shown;
  QObject::connect(form_->consoleLine, &QPlainTextEdit::textChanged,
                   [&] { shown << form_->consoleLine->text(); });
  run.Execute();
  Session::State().FormatProfilePath.clear();

  const QString status = [&] {
    for (const QString& line : shown) {
      if (line.startsWith("frame=") && line.contains("bitrate=") && line.contains("speed="))
        return line;
    }
    return QString();
  }();
  ASSERT_FALSE(status.isEmpty()) << shown.join('|').toStdString();
  // Where one of ffmpeg's lines starts right after another's last character,
  // two lines were run together.
  static const QRegularExpression joined(
      R"(\S(Press \[q\]|Stream #|Stream mapping:|Input #|Output #|frame=|video:))");
  for (const QString& line : shown) {
    EXPECT_FALSE(line.contains('\r') || line.contains('\n')) << line.toStdString();
    EXPECT_FALSE(joined.match(line).hasMatch()) << line.toStdString();
  }

  form_->consoleLine->setText(status);
  QApplication::processEvents();
  QPlainTextEdit* box = form_->consoleLine;
  EXPECT_GT(box->fontMetrics().horizontalAdvance(status), box->viewport()->width());
  EXPECT_EQ(box->verticalScrollBar()->maximum(), 0) << "the line needs more rows than the box has";
  EXPECT_EQ(box->horizontalScrollBar()->maximum(), 0);
  EXPECT_LE(box->geometry().bottom(), form_->stopButton->geometry().top());
}

TEST_F(ProgressWindowTest, ACloseDuringARunIsRefusedWithAMessage) {
  Conversion::State().Running = true;
  ScriptedDialogs dialogs;
  dialogs.ExpectMessage();
  form_->close();
  ASSERT_TRUE(form_);
  EXPECT_TRUE(form_->isVisible());
  EXPECT_EQ(dialogs.Messages(), QStringList{"Detenga el proceso antes de salir"});
  EXPECT_EQ(dialogs.Shown().first().style,
            (Dialogs::MessageStyle{Dialogs::Buttons::Ok, Dialogs::Icon::Information}));
}

TEST_F(ProgressWindowTest, WithThePanelOpenTheFirstCloseOnlyClosesThePanel) {
  form_->ShowErrors();
  EXPECT_TRUE(form_->errorPanel->isVisible());
  EXPECT_EQ(form_->height(), TextFit::Scaled(ProgressWindow::TallHeight));
  form_->Done();
  ASSERT_TRUE(form_);
  EXPECT_FALSE(form_->errorPanel->isVisible());
  EXPECT_EQ(form_->height(), TextFit::Scaled(ProgressWindow::ShortHeight));
  form_->Done();
  QApplication::processEvents();
  EXPECT_FALSE(form_);
}

TEST_F(ProgressWindowTest, SelectingAFailureShowsItsStageDescriptionCommandAndOutput) {
  form_->ShowFinished(
      {{"/a.wav", "Convirtiendo", "Error al convertir", "cmd a", "out a"},
       {"/b.wav", "Codificando audio (pase 1)", "Error al convertir", "cmd b", "out b"}});
  ASSERT_EQ(form_->failedFileList->count(), 2);
  form_->failedFileList->setCurrentRow(1);
  EXPECT_EQ(form_->failedStage->text(), "Codificando audio (pase 1)");
  EXPECT_EQ(form_->failureDescription->text(), "Error al convertir");
  EXPECT_EQ(form_->failedCommand->toPlainText(), "cmd b");
  EXPECT_EQ(form_->failedConsole->toPlainText(), "out b");
}

TEST_F(ProgressWindowTest, StopButtonsSetTheStopFlagAndTheForcedOneAsksFirst) {
  Conversion::ConversionRun run("", {}, {});
  QObject::connect(form_, &ProgressWindow::StopClicked, &run, &Conversion::ConversionRun::Stop);
  QObject::connect(form_, &ProgressWindow::ForceStopClicked, &run,
                   &Conversion::ConversionRun::ForceStop);
  ScriptedDialogs dialogs;
  dialogs.ExpectMessage(Dialogs::Button::No).ExpectMessage(Dialogs::Button::Yes);
  form_->ForceStop();
  EXPECT_FALSE(run.StopRequested());
  EXPECT_EQ(dialogs.Messages(), QStringList{"¿Detener la conversión?"});
  form_->ForceStop();
  EXPECT_TRUE(run.StopRequested());
  Conversion::ConversionRun second("", {}, {});
  QObject::connect(form_, &ProgressWindow::StopClicked, &second, &Conversion::ConversionRun::Stop);
  form_->Stop();
  EXPECT_TRUE(second.StopRequested());
  EXPECT_EQ(ToolRunner::GetState(),
            ToolRunner::RunState::Idle);  // nothing runs, so nothing is queued
}

TEST_F(ProgressWindowTest, ClosingEndsTheRunsLifeAndShowsTheMainWindow) {
  const QString temp = WriteFile("appfiles/temp/temp/test.mp4", "x");
  Conversion::State().TempDir = QFileInfo(temp).path();
  Conversion::State().Errors = {{"/a.wav", "", "", "", ""}};
  main_->setAttribute(Qt::WA_Moved, false);  // as placed by the window manager, not by us
  const QPoint place = main_->pos();
  form_->Done();
  QApplication::processEvents();
  EXPECT_FALSE(form_);
  EXPECT_FALSE(QDir(Folder() + "/appfiles/temp/temp").exists());
  EXPECT_TRUE(Conversion::State().TempDir.isEmpty());
  EXPECT_TRUE(Conversion::State().Errors.isEmpty());
  EXPECT_TRUE(main_->isVisible());
  // Back where it stood, a place of its own that no window manager moves.
  EXPECT_EQ(main_->pos(), place);
  EXPECT_TRUE(main_->testAttribute(Qt::WA_Moved));
}

}  // namespace
