#include "gui/frame/PlayerWindow.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include "core/frame/Player.h"
#include "core/ground/ConsoleText.h"
#include "core/ground/Dialogs.h"
#include "core/ground/ToolRunner.h"
#include "core/lang/Lang.h"
#include "gui/ground/ConsoleBox.h"
#include "gui/ground/ModalWindow.h"
#include "gui/ground/WidgetFactory.h"
#include "gui/lang/Translators.h"

using WidgetFactory::Named;

namespace {
QPointer<PlayerWindow> g_instance;
}  // namespace

PlayerWindow::PlayerWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
  g_instance = this;
  setObjectName("Form18");
  setWindowTitle("Player");
  CreateControls();
  WireControls();
  Load();
}

PlayerWindow::~PlayerWindow() = default;

PlayerWindow* PlayerWindow::Instance() { return g_instance.data(); }

void PlayerWindow::Play(const Player::PlayCommand& command) {
  PlayerWindow window;
  // The play starts once the window is up, inside the modal wait.
  QTimer::singleShot(0, &window, [&window, &command] { window.RunPlay(command); });
  ModalWindow::Run(&window);
}

void PlayerWindow::RunPlay(const Player::PlayCommand& command) {
  QString output;
  int exitCode = 0;
  playing_ = true;
  const ToolRunner::RunResult result =
      ToolRunner::RunCaptured(command.pipeline, command.workDir, false, true, playerOutput, true,
                              ConsoleText::Display::ReplaceByVisibleChunk, output, 0, exitCode);
  playing_ = false;
  Player::State().PipeMode = false;
  if (result == ToolRunner::RunResult::Busy) {
    // Another tool took the runner while the window came up: nothing plays.
    Lang::MsgAnotherToolRunning();
    close();
    return;
  }
  stopButton->setEnabled(false);
  helpButton->setEnabled(false);
  activateWindow();
  playerOutput->setFocus();
}

void PlayerWindow::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape && !playing_) {
    close();
    return;
  }
  QWidget::keyPressEvent(event);
}

QString PlayerWindow::UsageText() {
  return QStringList{"<Keypad>",
                     "",
                     "Q/ESC: quit",
                     "P/SPACE: pause",
                     "A: change audio track",
                     "V: change video track",
                     "T: change subtitle track",
                     "W: show waves",
                     "S: next frame",
                     "RIGTH: seek forward 10 seconds",
                     "LEFT: seek backward 10 seconds",
                     "UP: seek forward 1 minute",
                     "DOWN: seek backward 1 minute",
                     "PAGE DOWN: previous chapter",
                     "PAGE UP: next chapter",
                     "",
                     "<Mouse>",
                     "",
                     "Mouse click: seek to percentage in file corresponding to fraction of width"}
      .join('\n');
}

void PlayerWindow::CreateControls() {
  auto* layout = new QVBoxLayout(this);
  playerOutput = Named(new QPlainTextEdit(this), "Text1");
  playerOutput->setReadOnly(true);
  layout->addWidget(playerOutput);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  stopButton = Named(new QPushButton(this), "Command1");
  buttons->addWidget(stopButton);
  helpButton = Named(new QPushButton(this), "Command2");
  buttons->addWidget(helpButton);
  layout->addLayout(buttons);
  resize(480, 160);
}

void PlayerWindow::WireControls() {
  connect(stopButton, &QPushButton::clicked, this, &PlayerWindow::Stop);
  connect(helpButton, &QPushButton::clicked, this, &PlayerWindow::ShowUsage);
}

void PlayerWindow::Load() { Lang::TranslatePlayerWindow(); }

void PlayerWindow::Stop() {
  if (!playing_) return;
  if (Player::State().PipeMode) {
    Lang::MsgHowToStopFfplay();
  } else {
    ToolRunner::RequestStop();
  }
}

void PlayerWindow::ShowUsage() {
  Dialogs::MsgBox(UsageText(), {Dialogs::Buttons::Ok, Dialogs::Icon::Information}, "ffplay usage");
}

void PlayerWindow::closeEvent(QCloseEvent* event) {
  if (playing_) {
    Lang::MsgStopBeforeExit();
    event->ignore();
    return;
  }
  event->accept();
}
