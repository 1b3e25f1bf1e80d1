#include "gui/frame/PlayerWindow.h"

#include <QCloseEvent>
#include <QHBoxLayout>
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
  Form_Load();
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
  int32_t exitCode = 0;
  ToolRunner::RunCaptured(command.pipeline, command.workDir, 0, 1, Text1, true,
                          ConsoleText::ReplaceByVisibleChunk, output, 0, exitCode);
  Player::State().PipeMode = 0;
  Command1->setEnabled(false);
  Command2->setEnabled(false);
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
  Text1 = Named(new QPlainTextEdit(this), "Text1");
  Text1->setReadOnly(true);
  layout->addWidget(Text1);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  Command1 = Named(new QPushButton(this), "Command1");
  buttons->addWidget(Command1);
  Command2 = Named(new QPushButton(this), "Command2");
  buttons->addWidget(Command2);
  layout->addLayout(buttons);
  resize(480, 160);
}

void PlayerWindow::WireControls() {
  connect(Command1, &QPushButton::clicked, this, &PlayerWindow::Command1_Click);
  connect(Command2, &QPushButton::clicked, this, &PlayerWindow::Command2_Click);
}

void PlayerWindow::Form_Load() { Lang::TranslateForm18(); }

void PlayerWindow::Command1_Click() {
  if (ToolRunner::GetState() == ToolRunner::Idle) return;
  if (Player::State().PipeMode == 1) {
    Lang::MsgHowToStopFfplay();
  } else {
    ToolRunner::RequestStop();
  }
}

void PlayerWindow::Command2_Click() { Dialogs::MsgBox(UsageText(), 64, "ffplay usage"); }

void PlayerWindow::closeEvent(QCloseEvent* event) {
  if (ToolRunner::GetState() != ToolRunner::Idle) {
    Lang::MsgStopBeforeExit();
    event->ignore();
    return;
  }
  event->accept();
}
