// "Analizar archivo seleccionado" on a file whose probe takes its time: the
// wait window, what the user can and cannot reach meanwhile, and the
// conversion that comes after.

#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include "Children.h"
#include "ConversionFixture.h"
#include "core/convert/CommandTable.h"
#include "core/convert/ConversionRun.h"
#include "core/convert/ConversionState.h"
#include "core/frame/FfmpegTools.h"
#include "core/ground/ToolRunner.h"
#include "gui/app/ConversionStarter.h"
#include "gui/app/MainWindow.h"
#include "gui/convert/ProgressWindow.h"
#include "gui/frame/WaitWindow.h"

namespace {

class AnalyseWaitTest : public ConversionFixture {
 protected:
  AnalyseWaitTest() : ConversionFixture({.ExtensionText = "mkv"}) {}
  void SetUp() override {
    ConversionFixture::SetUp();
    tone_ = Make("in/tone.wav", {"-f", "lavfi", "-i", "sine=d=1"});
    ASSERT_TRUE(QFile::exists(tone_));
    List({tone_});
    main_->fileList->setCurrentRow(0);
  }

  // A stand-in ffprobe with the given body, set as the program's.
  void SlowProbe(const QByteArray& body) {
    const QString script = WriteFile("tools/ffprobe", "#!/bin/sh\n" + body + "\n");
    QFile::setPermissions(script, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    FfmpegTools::State().FfprobePath = script;
  }
  static bool Probing() {
    return WaitWindow::Instance() && ToolRunner::GetState() != ToolRunner::RunState::Idle;
  }

  QString tone_;
};

// The probe waits, as on a slow disk, until the test has looked at
// everything and lets it go on.
TEST_F(AnalyseWaitTest, WhileTheProbeRunsNothingElseIsReachableAndItsReportStillComes) {
  const QString go = Folder() + "/go";
  SlowProbe("while [ ! -e '" + go.toUtf8() + "' ]; do sleep 0.05; done\nexec ffprobe \"$@\"");
  ScriptedDialogs dialogs;
  dialogs.ExpectMessage().ExpectMessage();
  bool mainEnabled = true;
  QString modal;
  WhenReady whileProbing(&Probing, [&] {
    mainEnabled = main_->isEnabled();
    if (const QWidget* window = QApplication::activeModalWidget()) modal = window->objectName();
    // "Convertir", even if it were reached, finds the runner busy: it says so,
    // and there is no run and no error.
    main_->Convert();
    EXPECT_EQ(ProgressWindow::Instance(), nullptr);
    EXPECT_TRUE(Conversion::State().Errors.isEmpty());
    QFile(go).open(QIODevice::WriteOnly);
  });
  main_->analyseAction->trigger();
  ASSERT_TRUE(whileProbing.Done());
  EXPECT_FALSE(mainEnabled);
  EXPECT_EQ(modal, "Form17");
  ASSERT_EQ(dialogs.Messages().size(), 2);
  EXPECT_EQ(dialogs.Messages()[0], "Otra herramienta está en ejecución; espere a que termine");
  EXPECT_TRUE(dialogs.Messages()[1].contains("Audio codec: pcm_s16le"));
  EXPECT_TRUE(main_->isEnabled());
  EXPECT_EQ(WaitWindow::Instance(), nullptr);
}

TEST_F(AnalyseWaitTest, ClosingTheWaitWindowStopsTheProbeAndTheNextConversionRuns) {
  SlowProbe("exec sleep 60");
  ScriptedDialogs dialogs;  // a stopped probe reports nothing
  QList<qint64> probes;
  bool shownAfterClose = false;
  bool mainEnabledAfterClose = true;
  const auto probeStarted = [] { return Probing() && !ChildProcesses("sleep").isEmpty(); };
  WhenReady whileProbing(probeStarted, [&] {
    probes = ChildProcesses("sleep");
    WaitWindow::Instance()->close();
    // The window goes with the probe, not before: the main window waits until then.
    shownAfterClose = WaitWindow::Instance() && WaitWindow::Instance()->isVisible();
    mainEnabledAfterClose = main_->isEnabled();
  });
  main_->analyseAction->trigger();
  ASSERT_TRUE(whileProbing.Done());
  EXPECT_TRUE(shownAfterClose);
  EXPECT_FALSE(mainEnabledAfterClose);
  EXPECT_TRUE(dialogs.Shown().isEmpty());
  EXPECT_EQ(WaitWindow::Instance(), nullptr);
  EXPECT_TRUE(main_->isEnabled());
  ASSERT_EQ(probes.size(), 1);
  EXPECT_TRUE(AllEnd(probes));
  EXPECT_EQ(ToolRunner::GetState(), ToolRunner::RunState::Idle);

  main_->convertButton->click();
  ASSERT_NE(ProgressWindow::Instance(), nullptr);
  EXPECT_EQ(ProgressWindow::Instance()->errorCountBox->text(), "Errores: 0");
  EXPECT_TRUE(QFile::exists(Folder() + "/in/tone.mkv"));
}

// Should a run still meet another tool, it ends there as a stopped run:
// nothing is reported as a program that could not start.
TEST_F(AnalyseWaitTest, ARunThatFindsTheRunnerBusyEndsAsStoppedWithoutAFailure) {
  ASSERT_TRUE(Conversion::BuildCommandTable(""));
  int failures = 0;
  bool stopped = false;
  ASSERT_TRUE(WhileAnotherToolRuns([&] {
    Conversion::ConversionRun run("", {{tone_}}, {tone_});
    QObject::connect(&run, &Conversion::ConversionRun::Failed, [&] { ++failures; });
    QObject::connect(&run, &Conversion::ConversionRun::Ended,
                     [&](bool wasStopped) { stopped = wasStopped; });
    run.Execute();
  }));
  EXPECT_TRUE(stopped);
  EXPECT_EQ(failures, 0);
  EXPECT_TRUE(Conversion::State().Errors.isEmpty());
  EXPECT_FALSE(QFile::exists(Folder() + "/in/tone.mkv"));
  EXPECT_TRUE(QFile::exists(tone_));
}

}  // namespace
