// The progress window on its own: captions, the close check, the error panel
// and the clean-up when it closes.

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QTimer>

#include "TestEnv.h"
#include "core/convert/Conversion.h"
#include "core/convert/ConversionState.h"
#include "core/ground/ToolRunner.h"
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
    form_->Form_Load();
    form_->show();
  }
  void TearDown() override {
    Conversion::State().Running = 0;
    Conversion::State().Errors.clear();
    if (form_) {
      form_->Picture1->hide();
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
  EXPECT_EQ(form_->Command1->text(), "Detener");
  EXPECT_EQ(form_->Command4->text(), "Detener (force)");
  EXPECT_EQ(form_->Command2->text(), "Hecho");
  EXPECT_EQ(form_->Command3->text(), "Ver errores");
  EXPECT_EQ(form_->Label1->text(), "Seleccione una ruta");
  EXPECT_EQ(form_->Label5->text(), "Salida de consola:");
  EXPECT_EQ(form_->Command2->x(), form_->Command1->x());
  EXPECT_EQ(form_->height(), TextFit::Scaled(ProgressWindow::ShortHeight));
  EXPECT_FALSE(main_->isVisible());
  EXPECT_FALSE(form_->Command2->isVisible());
  EXPECT_FALSE(form_->Command3->isVisible());
  EXPECT_FALSE(form_->Picture1->isVisible());
}

// The console line shows ffmpeg's status line from its start, where the frame
// count and the time stand, while the run writes it.
TEST_F(ProgressWindowTest, TheConsoleLineShowsTheStatusFromItsStart) {
  QLineEdit* line = form_->Text5;
  QString seen;
  int caret = -1;
  int caretLeft = -1;
  QTimer watch;
  QObject::connect(&watch, &QTimer::timeout, [&] {
    if (!line->text().startsWith("frame=") || !line->text().contains("time=")) return;
    seen = line->text();
    caret = line->cursorPosition();
    caretLeft = line->inputMethodQuery(Qt::ImCursorRectangle).toRect().left();
    watch.stop();
    ToolRunner::RequestStop();
  });
  watch.start(20);
  QString output;
  int32_t exitCode = -1;
  ASSERT_TRUE(ToolRunner::RunCaptured(
      ToolRunner::Pipeline{{"ffmpeg",
                            {"-hide_banner", "-re", "-f", "lavfi", "-i",
                             "testsrc=size=160x120:rate=10", "-t", "30", "-f", "null", "-"}}},
      Folder(), 1, 1, line, false, ToolRunner::ReplaceByVisibleChunk, output, 0, exitCode));
  ASSERT_FALSE(seen.isEmpty()) << "no status line was shown";
  EXPECT_EQ(caret, 0);
  EXPECT_LE(caretLeft, 4);
  // Shown from its first character, the line has "time=" and its value inside the box.
  const int timeEnd = line->fontMetrics().horizontalAdvance(
      seen.left(seen.indexOf("time=") + QString("time=00:00:02.00").size()));
  EXPECT_LT(timeEnd, line->width());
}

TEST_F(ProgressWindowTest, ACloseDuringARunIsRefusedWithAMessage) {
  Conversion::State().Running = 1;
  ScriptedDialogs dialogs;
  dialogs.ExpectMessage();
  form_->close();
  ASSERT_TRUE(form_);
  EXPECT_TRUE(form_->isVisible());
  EXPECT_EQ(dialogs.Messages(), QStringList{"Detenga el proceso antes de salir"});
  EXPECT_EQ(dialogs.Shown().first().style, 64);
}

TEST_F(ProgressWindowTest, WithThePanelOpenTheFirstCloseOnlyClosesThePanel) {
  form_->Command3_Click();
  EXPECT_TRUE(form_->Picture1->isVisible());
  EXPECT_EQ(form_->height(), TextFit::Scaled(ProgressWindow::TallHeight));
  form_->Command2_Click();
  ASSERT_TRUE(form_);
  EXPECT_FALSE(form_->Picture1->isVisible());
  EXPECT_EQ(form_->height(), TextFit::Scaled(ProgressWindow::ShortHeight));
  form_->Command2_Click();
  QApplication::processEvents();
  EXPECT_FALSE(form_);
}

TEST_F(ProgressWindowTest, SelectingAFailureShowsItsStageDescriptionCommandAndOutput) {
  form_->ShowFinished(
      {{"/a.wav", "Convirtiendo", "Error al convertir", "cmd a", "out a"},
       {"/b.wav", "Codificando audio (pase 1)", "Error al convertir", "cmd b", "out b"}});
  ASSERT_EQ(form_->List1->count(), 2);
  form_->List1->setCurrentRow(1);
  EXPECT_EQ(form_->Text6->text(), "Codificando audio (pase 1)");
  EXPECT_EQ(form_->Text7->text(), "Error al convertir");
  EXPECT_EQ(form_->Text8->toPlainText(), "cmd b");
  EXPECT_EQ(form_->Text9->toPlainText(), "out b");
}

TEST_F(ProgressWindowTest, StopButtonsSetTheStopFlagAndTheForcedOneAsksFirst) {
  Conversion::ConversionRun run("", {}, {});
  QObject::connect(form_, &ProgressWindow::StopClicked, &run, &Conversion::ConversionRun::Stop);
  QObject::connect(form_, &ProgressWindow::ForceStopClicked, &run, &Conversion::ConversionRun::ForceStop);
  ScriptedDialogs dialogs;
  dialogs.ExpectMessage(7).ExpectMessage(6);
  form_->Command4_Click();
  EXPECT_FALSE(run.StopRequested());
  EXPECT_EQ(dialogs.Messages(), QStringList{"¿Detener la conversión?"});
  form_->Command4_Click();
  EXPECT_TRUE(run.StopRequested());
  Conversion::ConversionRun second("", {}, {});
  QObject::connect(form_, &ProgressWindow::StopClicked, &second, &Conversion::ConversionRun::Stop);
  form_->Command1_Click();
  EXPECT_TRUE(second.StopRequested());
  EXPECT_EQ(ToolRunner::GetState(), 0);  // nothing runs, so nothing is queued
}

TEST_F(ProgressWindowTest, ClosingEndsTheRunsLifeAndShowsTheMainWindow) {
  const QString temp = WriteFile("appfiles/temp/temp/test.mp4", "x");
  Conversion::State().TempDir = QFileInfo(temp).path();
  Conversion::State().Errors = {{"/a.wav", "", "", "", ""}};
  form_->Command2_Click();
  QApplication::processEvents();
  EXPECT_FALSE(form_);
  EXPECT_FALSE(QDir(Folder() + "/appfiles/temp/temp").exists());
  EXPECT_TRUE(Conversion::State().TempDir.isEmpty());
  EXPECT_TRUE(Conversion::State().Errors.isEmpty());
  EXPECT_TRUE(main_->isVisible());
}

}  // namespace
