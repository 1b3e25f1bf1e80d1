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
#include "core/frame/AnotherToolRunning.h"
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
  window->Load();
  window->waitFrame->show();
  window->waitFrame->raise();
  QTimer::singleShot(0, window, [window] {
    window->FillLocalAddresses();
    window->waitFrame->hide();
  });
  ModalWindow::Run(window);
  delete window.data();
  Streamer::State().StreamInputArgs.clear();
}

// Nothing could be streamed while another tool runs: no list is written and
// no streamer opens.
void StreamerWindow::StreamFileList() {
  if (AnotherToolRunning::Refuse()) return;
  const Streamer::ListInput input = Streamer::WriteListInput();
  ShowRefusal(input.Refused);
  if (input.InputArgs.isEmpty()) return;
  ShowStreamer(input.InputArgs);
  FileServices::DeleteFolder(input.Folder);
}

void StreamerWindow::FillLocalAddresses() {
  addressCombo->clear();
  addressCombo->addItems(Streamer::LocalAddresses());
  addressCombo->setCurrentIndex(0);
}

void StreamerWindow::CreateControls() {
  auto* layout = new QGridLayout(this);
  CreateSetupPanel();
  CreateStreamingPanel();
  waitFrame = Named(new QGroupBox(this), "Frame1");
  waitFrame->setAutoFillBackground(true);  // solid: the setup panel under it never shows through
  auto* wait = new QVBoxLayout(waitFrame);
  waitLabel = Named(new QLabel("Espere...", waitFrame), "Label3");
  waitLabel->setAlignment(Qt::AlignCenter);
  wait->addWidget(waitLabel);
  // The three panels share one cell: the streaming and wait panels lie over the setup panel.
  layout->addWidget(setupPanel, 0, 0);
  layout->addWidget(streamingPanel, 0, 0);
  layout->addWidget(waitFrame, 0, 0);
  streamingPanel->hide();
}

void StreamerWindow::CreateSetupPanel() {
  setupPanel = Named(new QWidget(this), "Picture1");
  auto* grid = new QGridLayout(setupPanel);
  addressCombo = Named(new QComboBox(setupPanel), "Combo1");
  addressCombo->setEditable(true);
  addressCaption = Caption(setupPanel, "Text1", "Dirección:", addressCombo);
  showAddressesButton = Named(new QPushButton("Ver direccion IP", setupPanel), "Command4");
  const FormatChoiceRow format = FormatChoiceRow::Create(setupPanel);
  formatLabel = format.label;
  formatCombo = format.combo;
  chooseProfileButton = format.chooseButton;
  editManualButton = format.editButton;
  repeatCheck = Named(new QCheckBox("Repetir lista de reproducción:", setupPanel), "Check1");
  repeatCountCombo = Named(new QComboBox(setupPanel), "Combo4");
  repeatCountCombo->setEditable(true);
  repeatCountCombo->addItem("<Infinito>");
  repeatCountCombo->setEnabled(false);
  repeatCountCaption = Caption(setupPanel, "Text5", "Veces:", repeatCountCombo);
  repeatCountCaption->setEnabled(false);
  streamButton = Named(new QPushButton("Emitir", setupPanel), "Command1");

  grid->addWidget(addressCaption, 0, 0);
  grid->addWidget(addressCombo, 0, 1, 1, 2);
  grid->addWidget(showAddressesButton, 0, 3, 1, 2);
  grid->addWidget(formatLabel, 1, 0);
  grid->addWidget(formatCombo, 1, 1, 1, 2);
  grid->addWidget(chooseProfileButton, 1, 3);
  grid->addWidget(editManualButton, 1, 4);
  grid->addWidget(repeatCheck, 2, 0, 1, 2);
  grid->addWidget(repeatCountCaption, 2, 2, Qt::AlignRight);
  grid->addWidget(repeatCountCombo, 2, 3, 1, 2);
  grid->addWidget(streamButton, 3, 3, 1, 2);
  grid->setColumnStretch(1, 1);
}

void StreamerWindow::CreateStreamingPanel() {
  streamingPanel = Named(new QWidget(this), "Picture2");
  auto* grid = new QGridLayout(streamingPanel);
  streamingToLabel = Named(new QLabel("Emitiendo en:", streamingPanel), "Label2");
  streamingAddress = Named(new QLineEdit(streamingPanel), "Text3");
  streamingAddress->setReadOnly(true);
  console = Named(new QPlainTextEdit(streamingPanel), "Text4");
  console->setReadOnly(true);
  console->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  stopButton = Named(new QPushButton("Detener", streamingPanel), "Command2");
  watchButton = Named(new QPushButton("Ver emisión", streamingPanel), "Command3");
  pauseButton = Named(new QPushButton("Pause / Resume", streamingPanel), "Command7");
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(stopButton);
  buttons->addWidget(watchButton);
  buttons->addWidget(pauseButton);
  grid->addWidget(streamingToLabel, 0, 0);
  grid->addWidget(streamingAddress, 0, 1);
  grid->addWidget(console, 1, 0, 1, 2);
  grid->addLayout(buttons, 2, 0, 1, 2);
}

void StreamerWindow::WireControls() {
  connect(streamButton, &QPushButton::clicked, this, &StreamerWindow::StartStream);
  connect(stopButton, &QPushButton::clicked, this, &StreamerWindow::StopStream);
  connect(watchButton, &QPushButton::clicked, this, &StreamerWindow::WatchStream);
  connect(showAddressesButton, &QPushButton::clicked, this, &StreamerWindow::ShowAddresses);
  connect(chooseProfileButton, &QPushButton::clicked, this, &StreamerWindow::ChooseProfile);
  connect(editManualButton, &QPushButton::clicked, this, &StreamerWindow::EditManualProfile);
  connect(pauseButton, &QPushButton::clicked, this, &StreamerWindow::TogglePause);
  connect(formatCombo, &QComboBox::activated, this, &StreamerWindow::OnFormatChosen);
  connect(formatCombo->lineEdit(), &QLineEdit::textEdited, this, &StreamerWindow::OnFormatEdited);
  connect(repeatCheck, &QCheckBox::toggled, this, &StreamerWindow::OnRepeatToggled);
  connect(streamingAddress, &QLineEdit::textChanged, this,
          [this] { streamingAddress->setCursorPosition(streamingAddress->text().size()); });
}

void StreamerWindow::Load() {
  Lang::TranslateStreamerWindow();
  resize(width(), WindowHeight);
  Streamer::State().StreamFormatProfilePath.clear();
  formatCombo->setCurrentIndex(0);
  OnFormatChosen();
}

void StreamerWindow::closeEvent(QCloseEvent* event) {
  DeviceWindowClose::AcceptUnlessCancelled(event, [this](bool& cancel) { OnCloseRequest(cancel); });
}

void StreamerWindow::OnCloseRequest(bool& cancel) {
  const DeviceRun::CloseStep step = DeviceRun::StepOnClose(
      waitFrame->isVisible(), Streamer::State().StreamRunning, !streamingPanel->isHidden());
  if (DeviceWindowClose::KeepOpen(step, &Lang::MsgStopBeforeExit, [this] { ShowSetupPanel(); }))
    cancel = true;
}

void StreamerWindow::ShowSetupPanel() {
  streamingPanel->hide();
  setupPanel->show();
  console->clear();
  streamingAddress->clear();
}

void StreamerWindow::StartStream() {
  // A tool still running (the viewer's address listing) keeps the runner: the
  // press waits quietly rather than end a stream that never started.
  if (ToolRunner::GetState() != ToolRunner::RunState::Idle) return;
  Streamer::StreamRequest request;
  request.Address = addressCombo->currentText();
  request.Repeat = repeatCheck->isChecked();
  request.RepeatCount = repeatCountCombo->currentText();
  request.InfiniteItem = repeatCountCombo->itemText(0);
  Conversion::StepCommand step;
  const Streamer::Refusal refused = Streamer::PrepareStream(request, step);
  ShowRefusal(refused);
  if (refused != Streamer::Refusal::None) return;
  QPointer<StreamerWindow> guard(this);
  ShowStreamingPanel(request.Address);
  const Streamer::StreamEnd end = Streamer::RunStream(step, ToolRunner::BoxSink(console, true));
  if (end.RunnerBusy) Lang::MsgAnotherToolRunning();
  if (!guard) return;
  // Nothing was streamed: no panel says that a stream has ended.
  if (end.RunnerBusy) {
    ShowSetupPanel();
    return;
  }
  ShowEnd(end.ExitCode, end.Output);
}

void StreamerWindow::ShowStreamingPanel(const QString& address) {
  stopButton->setEnabled(true);
  watchButton->setEnabled(true);
  pauseButton->setEnabled(true);
  streamingPanel->show();
  streamingPanel->raise();
  setupPanel->hide();
  streamingAddress->setText(address);
  console->clear();
}

// A failed stream shows the end of ffmpeg's console; every end says so below it.
void StreamerWindow::ShowEnd(int exitCode, const QString& output) {
  if (exitCode > 0) console->setPlainText(output);
  stopButton->setEnabled(false);
  watchButton->setEnabled(false);
  pauseButton->setEnabled(false);
  console->moveCursor(QTextCursor::End);
  console->insertPlainText("\n" + Lang::TxtProcessEnded());
  console->moveCursor(QTextCursor::End);
}

void StreamerWindow::StopStream() { ToolRunner::RequestStop(); }

void StreamerWindow::WatchStream() { Streamer::WatchStream(streamingAddress->text(), this); }

void StreamerWindow::ShowAddresses() {
  if (AnotherToolRunning::Refuse()) return;
  TextViewer::ShowCommandOutput(Streamer::AddressListCommand(), this);
}

ProfileChoice::Controls StreamerWindow::FormatControls() {
  return {formatCombo,         editManualButton,
          &acceptedFormatText, &Streamer::State().StreamFormatProfilePath,
          "formats",           "qfm"};
}

void StreamerWindow::OnFormatChosen() { ProfileChoice::TakeChosenItem(FormatControls()); }
void StreamerWindow::OnFormatEdited() { ProfileChoice::UndoTyping(FormatControls()); }
void StreamerWindow::ChooseProfile() { ProfileChoice::ChooseProfile(FormatControls()); }
// The editor reads ffmpeg's capabilities as it opens.
void StreamerWindow::EditManualProfile() {
  if (AnotherToolRunning::Refuse()) return;
  FormatEditorWindow::ShowEditor("*", true);
}

void StreamerWindow::TogglePause() {
  if (DeviceRun::TogglePause() == DeviceRun::PauseStep::Paused) console->setPlainText("Pause");
}

void StreamerWindow::OnRepeatToggled() {
  repeatCountCaption->setEnabled(repeatCheck->isChecked());
  repeatCountCombo->setEnabled(repeatCountCaption->isEnabled());
}
