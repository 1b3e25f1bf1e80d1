#include "gui/devices/StreamerWindow.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include "core/devices/DeviceRun.h"
#include "core/devices/Streamer.h"
#include "core/formats/FormatEditor.h"
#include "core/frame/TextViewer.h"
#include "core/ground/FileServices.h"
#include "core/ground/ToolRunner.h"
#include "core/lang/Lang.h"
#include "gui/devices/DeviceWindowClose.h"
#include "gui/devices/FormatChoiceRow.h"
#include "gui/formats/FormatEditorWindow.h"
#include "gui/ground/ConsoleBox.h"
#include "gui/ground/ModalWindow.h"
#include "gui/ground/WidgetFactory.h"
#include "gui/lang/Translators.h"

namespace {
using WidgetFactory::Named;
QPointer<StreamerWindow> g_instance;

// A caption naming the field it stands for (its buddy).
QLabel* Caption(QWidget* parent, const char* name, const QString& text, QWidget* field) {
  auto* caption = Named(new QLabel(text, parent), name);
  caption->setBuddy(field);
  return caption;
}
void ShowRefusal(Streamer::Refusal refusal) {
  using Streamer::Refusal;
  switch (refusal) {
    case Refusal::None:
      return;
    case Refusal::NoFilesInList:
      Lang::MsgNoFilesInList();
      return;
    case Refusal::FfmpegNotFound:
      Lang::MsgFfmpegNotFound();
      return;
    case Refusal::NoAddress:
      Lang::MsgNoAddress();
      return;
    case Refusal::InvalidRepeatCount:
      Lang::MsgInvalidRepeatCount();
      return;
    case Refusal::ExternalCodec:
      Lang::MsgFormatUsesExtCodec();
      return;
    case Refusal::ProfileMissing:
      // The message names no profile.
      Lang::MsgFormatProfileNotFound(QString());
      return;
    case Refusal::ProfileUnreadable:
      Lang::MsgFormatProfileReadError();
      return;
  }
}
}  // namespace

StreamerWindow::StreamerWindow() : QWidget(nullptr, Qt::Window) {
  g_instance = this;
  setObjectName("Form15");
  setWindowTitle("Emitir en la red");
  setAttribute(Qt::WA_DeleteOnClose);
  CreateControls();
  WireControls();
}

StreamerWindow::~StreamerWindow() = default;

StreamerWindow* StreamerWindow::Instance() { return g_instance.data(); }

void StreamerWindow::ShowStreamer(const QString& inputArgs) {
  Streamer::State().StreamInputArgs = inputArgs;
  QPointer<StreamerWindow> window = new StreamerWindow;
  window->Form_Load();
  window->Frame1->show();
  window->Frame1->raise();
  QTimer::singleShot(0, window, [window] {
    window->FillLocalAddresses();
    window->Frame1->hide();
  });
  ModalWindow::Run(window);
  delete window.data();
  Streamer::State().StreamInputArgs.clear();
}

void StreamerWindow::StreamFileList() {
  const Streamer::ListInput input = Streamer::WriteListInput();
  ShowRefusal(input.Refused);
  if (input.InputArgs.isEmpty()) return;
  ShowStreamer(input.InputArgs);
  FileServices::DeleteFolder(input.Folder, true);
}

void StreamerWindow::FillLocalAddresses() {
  Combo1->clear();
  Combo1->addItems(Streamer::LocalAddresses());
  Combo1->setCurrentIndex(0);
}

void StreamerWindow::CreateControls() {
  auto* layout = new QGridLayout(this);
  CreateSetupPanel();
  CreateStreamingPanel();
  Frame1 = Named(new QGroupBox(this), "Frame1");
  Frame1->setAutoFillBackground(true);  // solid: the setup panel under it never shows through
  auto* wait = new QVBoxLayout(Frame1);
  Label3 = Named(new QLabel("Espere...", Frame1), "Label3");
  Label3->setAlignment(Qt::AlignCenter);
  wait->addWidget(Label3);
  // The three panels share one cell: the streaming and wait panels lie over the setup panel.
  layout->addWidget(Picture1, 0, 0);
  layout->addWidget(Picture2, 0, 0);
  layout->addWidget(Frame1, 0, 0);
  Picture2->hide();
}

void StreamerWindow::CreateSetupPanel() {
  Picture1 = Named(new QWidget(this), "Picture1");
  auto* grid = new QGridLayout(Picture1);
  Combo1 = Named(new QComboBox(Picture1), "Combo1");
  Combo1->setEditable(true);
  Text1 = Caption(Picture1, "Text1", "Dirección:", Combo1);
  Command4 = Named(new QPushButton("Ver direccion IP", Picture1), "Command4");
  const FormatChoiceRow format = FormatChoiceRow::Create(Picture1);
  Label1 = format.Label1;
  Combo3 = format.Combo3;
  Command5 = format.Command5;
  Command6 = format.Command6;
  Check1 = Named(new QCheckBox("Repetir lista de reproducción:", Picture1), "Check1");
  Combo4 = Named(new QComboBox(Picture1), "Combo4");
  Combo4->setEditable(true);
  Combo4->addItem("<Infinito>");
  Combo4->setEnabled(false);
  Text5 = Caption(Picture1, "Text5", "Veces:", Combo4);
  Text5->setEnabled(false);
  Command1 = Named(new QPushButton("Emitir", Picture1), "Command1");

  grid->addWidget(Text1, 0, 0);
  grid->addWidget(Combo1, 0, 1, 1, 2);
  grid->addWidget(Command4, 0, 3, 1, 2);
  grid->addWidget(Label1, 1, 0);
  grid->addWidget(Combo3, 1, 1, 1, 2);
  grid->addWidget(Command5, 1, 3);
  grid->addWidget(Command6, 1, 4);
  grid->addWidget(Check1, 2, 0, 1, 2);
  grid->addWidget(Text5, 2, 2, Qt::AlignRight);
  grid->addWidget(Combo4, 2, 3, 1, 2);
  grid->addWidget(Command1, 3, 3, 1, 2);
  grid->setColumnStretch(1, 1);
}

void StreamerWindow::CreateStreamingPanel() {
  Picture2 = Named(new QWidget(this), "Picture2");
  auto* grid = new QGridLayout(Picture2);
  Label2 = Named(new QLabel("Emitiendo en:", Picture2), "Label2");
  Text3 = Named(new QLineEdit(Picture2), "Text3");
  Text3->setReadOnly(true);
  Text4 = Named(new QPlainTextEdit(Picture2), "Text4");
  Text4->setReadOnly(true);
  Text4->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  Command2 = Named(new QPushButton("Detener", Picture2), "Command2");
  Command3 = Named(new QPushButton("Ver emisión", Picture2), "Command3");
  Command7 = Named(new QPushButton("Pause / Resume", Picture2), "Command7");
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(Command2);
  buttons->addWidget(Command3);
  buttons->addWidget(Command7);
  grid->addWidget(Label2, 0, 0);
  grid->addWidget(Text3, 0, 1);
  grid->addWidget(Text4, 1, 0, 1, 2);
  grid->addLayout(buttons, 2, 0, 1, 2);
}

void StreamerWindow::WireControls() {
  connect(Command1, &QPushButton::clicked, this, &StreamerWindow::Command1_Click);
  connect(Command2, &QPushButton::clicked, this, &StreamerWindow::Command2_Click);
  connect(Command3, &QPushButton::clicked, this, &StreamerWindow::Command3_Click);
  connect(Command4, &QPushButton::clicked, this, &StreamerWindow::Command4_Click);
  connect(Command5, &QPushButton::clicked, this, &StreamerWindow::Command5_Click);
  connect(Command6, &QPushButton::clicked, this, &StreamerWindow::Command6_Click);
  connect(Command7, &QPushButton::clicked, this, &StreamerWindow::Command7_Click);
  connect(Combo3, &QComboBox::activated, this, &StreamerWindow::Combo3_Click);
  connect(Combo3->lineEdit(), &QLineEdit::textEdited, this, &StreamerWindow::Combo3_Change);
  connect(Check1, &QCheckBox::toggled, this, &StreamerWindow::Check1_Click);
  connect(Text3, &QLineEdit::textChanged, this,
          [this] { Text3->setCursorPosition(Text3->text().size()); });
}

void StreamerWindow::Form_Load() {
  Lang::TranslateForm15();
  resize(width(), WindowHeight);
  Streamer::State().StreamFormatProfilePath.clear();
  Combo3->setCurrentIndex(0);
  Combo3_Click();
}

void StreamerWindow::closeEvent(QCloseEvent* event) {
  DeviceWindowClose::AcceptUnlessCancelled(event,
                                           [this](bool& cancel) { Form_QueryUnload(cancel); });
}

void StreamerWindow::Form_QueryUnload(bool& cancel) {
  const DeviceRun::CloseStep step = DeviceRun::StepOnClose(
      Frame1->isVisible(), Streamer::State().StreamRunning == 1, !Picture2->isHidden());
  if (DeviceWindowClose::KeepOpen(step, &Lang::MsgStopBeforeExit, [this] { ShowSetupPanel(); }))
    cancel = true;
}

void StreamerWindow::ShowSetupPanel() {
  Picture2->hide();
  Picture1->show();
  Text4->clear();
  Text3->clear();
}

void StreamerWindow::Command1_Click() { StartStream(); }

void StreamerWindow::StartStream() {
  // A tool still running (the viewer's address listing) keeps the runner: the
  // press waits quietly rather than end a stream that never started.
  if (ToolRunner::GetState() != ToolRunner::Idle) return;
  Streamer::StreamRequest request;
  request.Address = Combo1->currentText();
  request.Repeat = Check1->isChecked();
  request.RepeatCount = Combo4->currentText();
  request.InfiniteItem = Combo4->itemText(0);
  Conversion::StepCommand step;
  const Streamer::Refusal refused = Streamer::PrepareStream(request, step);
  ShowRefusal(refused);
  if (refused != Streamer::Refusal::None) return;
  QPointer<StreamerWindow> guard(this);
  ShowStreamingPanel(request.Address);
  const Streamer::StreamEnd end = Streamer::RunStream(step, ToolRunner::BoxSink(Text4, true));
  if (guard) ShowEnd(end.ExitCode, end.Output);
}

void StreamerWindow::ShowStreamingPanel(const QString& address) {
  Command2->setEnabled(true);
  Command3->setEnabled(true);
  Command7->setEnabled(true);
  Picture2->show();
  Picture2->raise();
  Picture1->hide();
  Text3->setText(address);
  Text4->clear();
}

// A failed stream shows the end of ffmpeg's console; every end says so below it.
void StreamerWindow::ShowEnd(int32_t exitCode, const QString& output) {
  if (exitCode > 0) Text4->setPlainText(QString(output).replace("\r\n", "\n"));
  Command2->setEnabled(false);
  Command3->setEnabled(false);
  Command7->setEnabled(false);
  Text4->moveCursor(QTextCursor::End);
  Text4->insertPlainText("\n" + Lang::TxtProcessEnded());
  Text4->moveCursor(QTextCursor::End);
}

void StreamerWindow::Command2_Click() { ToolRunner::RequestStop(); }

void StreamerWindow::Command3_Click() { Streamer::WatchStream(Text3->text(), this); }

void StreamerWindow::Command4_Click() {
  TextViewer::ShowCommandOutput(Streamer::AddressListCommand(), this);
}

ProfileChoice::Controls StreamerWindow::FormatControls() {
  return {Combo3,    Command6, &Combo3Tag, &Streamer::State().StreamFormatProfilePath,
          "formats", "qfm"};
}

void StreamerWindow::Combo3_Click() { ProfileChoice::TakeChosenItem(FormatControls()); }
void StreamerWindow::Combo3_Change() { ProfileChoice::UndoTyping(FormatControls()); }
void StreamerWindow::Command5_Click() { ProfileChoice::ChooseProfile(FormatControls()); }
void StreamerWindow::Command6_Click() { FormatEditorWindow::ShowEditor("*", 1); }

void StreamerWindow::Command7_Click() {
  if (DeviceRun::TogglePause() == DeviceRun::PauseStep::Paused) Text4->setPlainText("Pause");
}

void StreamerWindow::Check1_Click() {
  Text5->setEnabled(Check1->isChecked());
  Combo4->setEnabled(Text5->isEnabled());
}
