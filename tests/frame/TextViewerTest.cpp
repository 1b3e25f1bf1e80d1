#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QGroupBox>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QStandardPaths>
#include <QTimer>

#include "Children.h"
#include "TestEnv.h"
#include "core/frame/TextViewer.h"
#include "core/ground/CommandLine.h"
#include "core/ground/ToolRunner.h"
#include "gui/frame/TextViewerWindow.h"

namespace {

TEST(TextViewerSearch, FindsForwardAndBackwardFromTheSearchPosition) {
  const QString text = "ffmpeg version; FFMPEG help; ffmpeg";
  struct Case {
    const char* what;
    bool next;
    int position;
    bool matchCase;
    int expected;
  } cases[] = {
      {"ffmpeg", true, 0, true, 0},     {"ffmpeg", true, 1, true, 29},
      {"ffmpeg", true, 1, false, 16},   {"ffmpeg", true, 30, false, -1},
      {"FFMPEG", true, 0, true, 16},    {"", true, 0, false, -1},
      {"ffmpeg", false, 0, true, 29},   {"ffmpeg", false, 1, false, -1},
      {"ffmpeg", false, 30, false, 16}, {"ffmpeg", false, 30, true, 0},
      {"ffmpeg", false, 23, false, 16}, {"ffmpeg", false, 22, false, 0},
      {"help", false, 0, true, 23},
  };
  for (const Case& c : cases) {
    const int found = c.next ? TextViewer::FindNext(text, c.what, c.position, c.matchCase)
                             : TextViewer::FindPrevious(text, c.what, c.position, c.matchCase);
    EXPECT_EQ(found, c.expected) << c.what << (c.next ? " next from " : " previous from ")
                                 << c.position << (c.matchCase ? " case" : "");
  }
}

class TextViewerTest : public TestEnv {
 protected:
  void SetUp() override {
    TestEnv::SetUp();
    ToolRunner::Reset();
    ffmpeg_ = QStandardPaths::findExecutable("ffmpeg");
    ASSERT_FALSE(ffmpeg_.isEmpty());
  }
  // Runs inspect on the viewer once its output is in, from inside ShowCommandOutput.
  void WhenShown(std::function<void(TextViewerWindow*)> inspect) { WhenViewer(false, inspect); }
  // Runs inspect on the viewer while its command runs: its wait notice is up
  // until the output is in.
  void WhileRunning(std::function<void(TextViewerWindow*)> inspect) { WhenViewer(true, inspect); }
  void WhenViewer(bool running, std::function<void(TextViewerWindow*)> inspect) {
    auto* poll = new QTimer;
    QObject::connect(poll, &QTimer::timeout, [poll, running, inspect] {
      TextViewerWindow* viewer = TextViewerWindow::Instance();
      if (!viewer || viewer->waitFrame->isHidden() == running) return;
      poll->stop();
      poll->deleteLater();
      inspect(viewer);
    });
    poll->start(10);
  }
  QString ffmpeg_;
};

TEST_F(TextViewerTest, ACommandsOutputComesBackWithoutAWindow) {
  const std::optional<QString> output = TextViewer::CommandOutput("\"" + ffmpeg_ + "\" -version");
  ASSERT_TRUE(output.has_value());
  EXPECT_TRUE(output->startsWith("ffmpeg version")) << output->left(80).toStdString();
  EXPECT_EQ(TextViewerWindow::Instance(), nullptr);
}

// While another tool has the runner the command does not run, and no output
// at all is not the same as an empty one.
TEST_F(TextViewerTest, NoOutputComesBackWhileAnotherToolRuns) {
  std::optional<QString> output = QString("unset");
  ASSERT_TRUE(WhileAnotherToolRuns(
      [&] { output = TextViewer::CommandOutput("\"" + ffmpeg_ + "\" -version"); }));
  EXPECT_FALSE(output.has_value()) << output->toStdString();
}

TEST_F(TextViewerTest, ShowsTheWholeHelpOfFfmpegAndSearchesIt) {
  QWidget owner;
  owner.show();
  bool inspected = false;
  WhenShown([&](TextViewerWindow* viewer) {
    inspected = true;
    const QString text = viewer->outputText->toPlainText();
    EXPECT_TRUE(text.contains("usage: ffmpeg")) << text.left(200).toStdString();
    EXPECT_TRUE(text.contains("-codecs"));
    EXPECT_FALSE(text.contains('\r'));
    EXPECT_EQ(viewer->windowTitle(), "Visor de texto");
    EXPECT_EQ(viewer->searchFrame->title(), "Buscar");
    EXPECT_EQ(viewer->searchPosition, 0);

    ASSERT_TRUE(text.startsWith("ffmpeg"));
    viewer->searchEdit->setText("FFMPEG");
    viewer->matchCaseCheck->setChecked(true);
    viewer->findNextButton->click();
    EXPECT_EQ(viewer->searchPosition, text.indexOf("FFMPEG") + 1) << "with case";
    viewer->searchPosition = 0;
    viewer->matchCaseCheck->setChecked(false);
    viewer->findNextButton->click();
    EXPECT_EQ(viewer->searchPosition, 1);
    EXPECT_EQ(viewer->outputText->textCursor().selectedText(), "ffmpeg");
    viewer->findPreviousButton->click();
    EXPECT_EQ(viewer->searchPosition, 1) << "nothing before the first match";

    viewer->searchEdit->setText("usage: ffmpeg");
    viewer->findNextButton->click();
    const int usage = static_cast<int>(text.indexOf("usage: ffmpeg")) + 1;
    EXPECT_EQ(viewer->searchPosition, usage);
    EXPECT_EQ(viewer->outputText->textCursor().selectedText(), "usage: ffmpeg");

    QTextCursor caret = viewer->outputText->textCursor();
    caret.setPosition(usage + 5);
    viewer->outputText->setTextCursor(caret);
    QMouseEvent release(QEvent::MouseButtonRelease, QPointF(1, 1), QPointF(1, 1), Qt::LeftButton,
                        Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(viewer->outputText->viewport(), &release);
    EXPECT_EQ(viewer->searchPosition, usage + 5) << "a click sets where the search goes on";
    viewer->searchPosition = usage;

    viewer->searchEdit->setText("ffmpeg");
    viewer->findPreviousButton->click();
    EXPECT_EQ(viewer->searchPosition,
              text.left(usage - 1).lastIndexOf("ffmpeg", -1, Qt::CaseInsensitive) + 1);

    const int size = viewer->outputText->font().pointSize();
    viewer->largerFontButton->click();
    EXPECT_EQ(viewer->outputText->font().pointSize(), size + 1);
    viewer->smallerFontButton->click();
    viewer->smallerFontButton->click();
    EXPECT_EQ(viewer->outputText->font().pointSize(), size - 1);
    viewer->close();
  });
  TextViewer::ShowCommandOutput("\"" + ffmpeg_ + "\" -h", &owner);
  EXPECT_TRUE(inspected);
  EXPECT_EQ(TextViewerWindow::Instance(), nullptr);
}

TEST_F(TextViewerTest, ClosingOrDestroyingTheOwnerClosesTheViewer) {
  QWidget closedOwner;
  closedOwner.show();
  WhenShown([&](TextViewerWindow*) { closedOwner.close(); });
  TextViewer::ShowCommandOutput("\"" + ffmpeg_ + "\" -version", &closedOwner);
  EXPECT_EQ(TextViewerWindow::Instance(), nullptr);

  auto* destroyedOwner = new QWidget;
  destroyedOwner->show();
  WhenShown([&](TextViewerWindow*) { delete destroyedOwner; });
  TextViewer::ShowCommandOutput("\"" + ffmpeg_ + "\" -version", destroyedOwner);
  EXPECT_EQ(TextViewerWindow::Instance(), nullptr);

  QWidget closedWhileRunning;
  closedWhileRunning.show();
  WhileRunning([&](TextViewerWindow*) { closedWhileRunning.close(); });
  TextViewer::ShowCommandOutput(
      "\"" + ffmpeg_ + "\" -hide_banner -re -f lavfi -i sine=d=0.5 -f null -", &closedWhileRunning);
  EXPECT_EQ(TextViewerWindow::Instance(), nullptr);
}

// A second listing asked for while the first one's command still runs (a
// slow disk, an impatient user) waits quietly: the viewer that stands keeps
// its command and shows its output, and no empty viewer takes its place.
TEST_F(TextViewerTest, AnotherListingAskedForWhileOneRunsLeavesTheRunningOneAlone) {
  QWidget owner;
  owner.show();
  const QString go = Folder() + "/go";
  const QString slow = WriteWaitingTool("tools/slow-listing", go, "echo first listing\n");
  bool firstStands = false;
  QStringList shownTexts;
  WhileRunning([&](TextViewerWindow* viewer) {
    // Whatever viewer shows output from now on is read and closed.
    WhenShown([&](TextViewerWindow* shown) {
      shownTexts << shown->outputText->toPlainText();
      shown->close();
    });
    TextViewer::ShowCommandOutput("\"" + ffmpeg_ + "\" -version", &owner);
    firstStands = TextViewerWindow::Instance() == viewer && !viewer->waitFrame->isHidden();
    QFile(go).open(QIODevice::WriteOnly);
  });
  TextViewer::ShowCommandOutput(CommandLine::QuoteArgument(slow), &owner);
  EXPECT_TRUE(firstStands);
  ASSERT_EQ(shownTexts.size(), 1) << shownTexts.join('|').toStdString();
  EXPECT_TRUE(shownTexts[0].contains("first listing")) << shownTexts[0].toStdString();
  EXPECT_EQ(TextViewerWindow::Instance(), nullptr);
  EXPECT_EQ(ToolRunner::GetState(), ToolRunner::RunState::Idle);
}

TEST_F(TextViewerTest, AHiddenOwnerKeepsTheViewerAndCloseViewerEndsIt) {
  QWidget owner;
  owner.show();
  WhenShown([&](TextViewerWindow* viewer) {
    owner.hide();
    // Queued after anything the hiding queued, so whatever it set off has run.
    QTimer::singleShot(0, [&owner, viewer] {
      EXPECT_TRUE(viewer->isVisible()) << "a hidden owner is still loaded";
      owner.show();
      TextViewer::CloseViewer();
    });
  });
  TextViewer::ShowCommandOutput("\"" + ffmpeg_ + "\" -version", &owner);
  EXPECT_EQ(TextViewerWindow::Instance(), nullptr);
  EXPECT_TRUE(owner.isVisible());
}

TEST_F(TextViewerTest, ClosingTheViewerWhileTheCommandRunsStopsTheCommand) {
  QWidget owner;
  owner.show();
  bool accepted = false;
  QList<qint64> commands;
  WhileRunning([&](TextViewerWindow* viewer) {
    commands = ChildProcesses("sleep");
    accepted = viewer->close();
  });
  TextViewer::ShowCommandOutput("/bin/sleep 60", &owner);
  EXPECT_TRUE(accepted);
  EXPECT_EQ(TextViewerWindow::Instance(), nullptr);
  ASSERT_EQ(commands.size(), 1);
  EXPECT_TRUE(AllEnd(commands));
  EXPECT_EQ(ToolRunner::GetState(), ToolRunner::RunState::Idle);
}

// A stand-in tool that starts a command of its own and waits for it: closing
// the viewer ends both.
TEST_F(TextViewerTest, ClosingTheViewerEndsWhatItsCommandStarted) {
  const QString tool = Folder() + "/tool";
  const QString pidFile = Folder() + "/child";
  QFile script(tool);
  ASSERT_TRUE(script.open(QIODevice::WriteOnly));
  script.write("#!/bin/sh\nsleep 60 & echo $! > \"$1\"; wait\n");
  script.close();
  script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
  QWidget owner;
  owner.show();
  QList<qint64> started;
  WhileRunning([&](TextViewerWindow* viewer) {
    ASSERT_TRUE(WaitFor([&] { return QFile(pidFile).size() > 0; }));
    QFile pid(pidFile);
    ASSERT_TRUE(pid.open(QIODevice::ReadOnly));
    started = ChildProcesses("tool") << pid.readAll().trimmed().toLongLong();
    viewer->close();
  });
  TextViewer::ShowCommandOutput("\"" + tool + "\" \"" + pidFile + "\"", &owner);
  EXPECT_EQ(TextViewerWindow::Instance(), nullptr);
  ASSERT_EQ(started.size(), 2);
  EXPECT_TRUE(AllEnd(started));
  EXPECT_EQ(ToolRunner::GetState(), ToolRunner::RunState::Idle);
}

TEST_F(TextViewerTest, ANewCallReplacesTheOpenViewerAndAMissingToolShowsNothing) {
  QWidget owner;
  owner.show();
  QPointer<TextViewerWindow> first;
  QString secondText = "unset";
  WhenShown([&](TextViewerWindow* viewer) {
    first = viewer;
    WhenShown([&](TextViewerWindow* second) {
      EXPECT_TRUE(first.isNull());
      secondText = second->outputText->toPlainText();
      second->close();
    });
    TextViewer::ShowCommandOutput("\"" + Folder() + "/no such tool\" -h", &owner);
  });
  TextViewer::ShowCommandOutput("\"" + ffmpeg_ + "\" -version", &owner);
  EXPECT_EQ(secondText, "");
  EXPECT_EQ(TextViewerWindow::Instance(), nullptr);
}

}  // namespace
