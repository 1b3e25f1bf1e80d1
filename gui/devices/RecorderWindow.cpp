#include "gui/devices/RecorderWindow.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QVBoxLayout>

#include "core/devices/DeviceRun.h"
#include "core/devices/Recorder.h"
#include "core/formats/FormatEditor.h"
#include "core/frame/AnotherToolRunning.h"
#include "core/frame/DesktopServices.h"
#include "core/frame/FfmpegTools.h"
#include "core/frame/ProgramHelp.h"
#include "core/frame/TextViewer.h"
#include "core/ground/Dialogs.h"
#include "core/ground/ToolRunner.h"
#include "core/lang/Lang.h"
#include "gui/convert/ProfileChoice.h"
#include "gui/devices/DeviceWindowClose.h"
#include "gui/devices/FormatChoiceRow.h"
#include "gui/devices/StreamerWindow.h"
#include "gui/formats/FormatEditorWindow.h"
#include "gui/ground/ConsoleBox.h"
#include "gui/ground/ModalWindow.h"
#include "gui/ground/WidgetFactory.h"
#include "gui/lang/Translators.h"

namespace {
using WidgetFactory::Named;
QPointer<RecorderWindow> g_instance;

// A caption that the user can click, as the source panel's captions are: a
// label with a hand cursor.
QLabel* ClickableCaption(QWidget* parent, const char* name, const QString& text) {
  auto* caption = Named(new QLabel(text, parent), name);
  caption->setCursor(Qt::PointingHandCursor);
  return caption;
}

void MoveCaretToEnd(QLineEdit* box) { box->setCursorPosition(box->text().size()); }

void ShowRefusal(Recorder::Refusal refusal) {
  using Recorder::Refusal;
  switch (refusal) {
    case Refusal::None:
      return;
    case Refusal::NoOutputPath:
      Lang::MsgNoOutputPath();
      return;
    case Refusal::FfmpegNotFound:
      Lang::MsgFfmpegNotFound();
      return;
    case Refusal::FfplayNotFound:
      Lang::MsgFfplayNotFound();
      return;
    case Refusal::PlayerFileMissing:
      Lang::MsgFileNotFound(FfmpegTools::State().FfplayPath);
      return;
    case Refusal::NoExtension:
      Lang::MsgNoFileExtension();
      return;
    case Refusal::InvalidDuration:
      Lang::MsgInvalidDuration();
      return;
    case Refusal::NoSource:
      Lang::MsgNoSource();
      return;
    case Refusal::ProfileMissing:
      Lang::MsgFormatProfileNotFound(Recorder::State().RecFormatProfilePath);
      return;
    case Refusal::ProfileUnreadable:
      Lang::MsgFormatProfileReadError();
      return;
    case Refusal::ExternalCodec:
      Lang::MsgFormatUsesExtCodec();
      return;
    case Refusal::AnotherToolRunning:
      Lang::MsgAnotherToolRunning();
      return;
  }
}

// Needs no window: a recording may end with the program.
void ShowRecordingFailure(const Recorder::RecordingEnd& end) {
  switch (end.Result) {
    case Recorder::RecordingEnd::Outcome::NotStarted:
      Dialogs::MsgBox(Lang::TxtProcessStartFailed(), {Dialogs::Buttons::Ok, Dialogs::Icon::Stop},
                      Lang::BoxTitle());
      return;
    case Recorder::RecordingEnd::Outcome::FfmpegFailed:
      Lang::MsgFfmpegError(end.Output);
      return;
    case Recorder::RecordingEnd::Outcome::RunnerBusy:
      Lang::MsgAnotherToolRunning();
      return;
    case Recorder::RecordingEnd::Outcome::Finished:
      return;
  }
}
}  // namespace

RecorderWindow::RecorderWindow() {
  g_instance = this;
  setObjectName("Form14");
  setWindowTitle("Grabar");
  setAttribute(Qt::WA_DeleteOnClose);
  CreateControls();
  WireControls();
}

RecorderWindow::~RecorderWindow() = default;

RecorderWindow* RecorderWindow::Instance() { return g_instance.data(); }

// A recorder whose devices could not be listed (another tool kept the
// runner, or there is no ffmpeg to list them) does not stand open with lists
// that look empty: the user is told why.
void RecorderWindow::ShowRecorder() {
  if (AnotherToolRunning::Refuse() || !FfmpegTools::FfmpegExists()) return;
  QPointer<RecorderWindow> window = new RecorderWindow;
  window->Load();
  window->ShowListingPanel(true);
  // The devices are listed once the window is up, inside its modal wait.
  QTimer::singleShot(0, window, [window] {
    const bool listed = window->ListDevices();
    if (!window) return;
    window->ShowListingPanel(false);
    if (listed) {
      // The keyboard starts on the chosen source, the window's first input.
      window->devicesOption->setFocus();
      return;
    }
    Lang::MsgAnotherToolRunning();
    window->close();
  });
  ModalWindow::Run(window);
  delete window.data();
}

// While the devices are listed the wait panel covers the source panel, and
// nothing that starts a tool can be reached: not the options, not "Grabar",
// not the covered source controls by the keyboard, not the destination's
// format choice (its editor reads ffmpeg's capabilities).
void RecorderWindow::ShowListingPanel(bool listing) {
  optionsMenu->setEnabled(!listing);
  sourceFrame->setEnabled(!listing);
  destinationFrame->setEnabled(!listing);
  recordButton->setEnabled(!listing);
  listingFrame->setVisible(listing);
  if (listing) listingFrame->raise();
}

bool RecorderWindow::ListDevices() {
  QPointer<RecorderWindow> guard(this);
  const Recorder::DeviceLists lists = Recorder::ListDevices();
  if (!guard || lists.RunnerBusy) return false;
  audioDeviceCombo->clear();
  videoDeviceCombo->clear();
  audioDeviceCombo->addItems(lists.Audio);
  videoDeviceCombo->addItems(lists.Video);
  audioDeviceCombo->setCurrentIndex(-1);
  videoDeviceCombo->setCurrentIndex(-1);
  return true;
}

void RecorderWindow::CreateControls() {
  auto* central = new QWidget(this);
  auto* layout = new QGridLayout(central);
  CreateSourcePanel();
  CreateDestinationPanel();
  CreateRecordingPanel();
  listingFrame = Named(new QGroupBox(central), "Frame3");
  listingFrame->setAutoFillBackground(
      true);  // solid: the source panel under it never shows through
  auto* wait = new QVBoxLayout(listingFrame);
  listingLabel = Named(new QLabel("Obteniendo información de ffmpeg", listingFrame), "Label2");
  listingLabel->setAlignment(Qt::AlignCenter);
  wait->addWidget(listingLabel);
  recordButton = Named(new QPushButton("Grabar", central), "Command2");

  // The wait and recording panels share the source panel's cell: they lie over it.
  sourceFrame->setParent(central);
  destinationFrame->setParent(central);
  recordingFrame->setParent(central);
  layout->addWidget(sourceFrame, 0, 0);
  layout->addWidget(listingFrame, 0, 0);
  layout->addWidget(recordingFrame, 0, 0);
  layout->addWidget(destinationFrame, 1, 0);
  layout->addWidget(recordButton, 2, 0, Qt::AlignRight);
  setCentralWidget(central);
  recordingFrame->hide();

  optionsMenu = Named(menuBar()->addMenu("Opciones"), "Menu_Options");
  listDevicesAction = Named(optionsMenu->addAction("Listar dispositivos"), "Opt_List");
  bufferSizeAction = Named(optionsMenu->addAction("Cambiar tamaño de buffer"), "Opt_BuffSizeChan");
  helpAction = Named(optionsMenu->addAction("Ayuda"), "Opt_Help");

  stopTimer = Named(new QTimer(this), "Timer1");
  stopTimer->setInterval(10);
}

void RecorderWindow::CreateSourcePanel() {
  sourceFrame = Named(new QGroupBox("Origen", this), "Frame1");
  auto* grid = new QGridLayout(sourceFrame);
  networkOption = Named(new QRadioButton(sourceFrame), "Option1");
  networkCaption = ClickableCaption(sourceFrame, "Text2", "Dirección de red:");
  networkAddress = Named(new QLineEdit(sourceFrame), "Text1");
  networkAddress->setEnabled(false);
  devicesOption = Named(new QRadioButton("Dispositivo de captura:", sourceFrame), "Option2");
  devicesOption->setChecked(true);
  audioCheck = Named(new QCheckBox(sourceFrame), "Check2");
  audioCaption = ClickableCaption(sourceFrame, "Text3", "Audio:");
  audioDeviceCombo = Named(new QComboBox(sourceFrame), "Combo1");
  audioDeviceCombo->setEditable(true);
  audioDeviceCombo->setEnabled(false);
  videoCheck = Named(new QCheckBox(sourceFrame), "Check3");
  videoCaption = ClickableCaption(sourceFrame, "Text4", "Video:");
  videoDeviceCombo = Named(new QComboBox(sourceFrame), "Combo2");
  videoDeviceCombo->setEditable(true);
  videoDeviceCombo->setEnabled(false);
  durationCaption = Named(new QLabel("Duración (HH:MM:SS.mm):", sourceFrame), "Text10");
  duration = Named(new QLineEdit(sourceFrame), "Text11");
  playButton = Named(new QPushButton("Play", sourceFrame), "Command3");

  // Assistive tools name each field after its caption, not after the frame.
  networkCaption->setBuddy(networkAddress);
  audioCaption->setBuddy(audioDeviceCombo);
  videoCaption->setBuddy(videoDeviceCombo);
  durationCaption->setBuddy(duration);

  grid->addWidget(networkOption, 0, 0);
  grid->addWidget(networkCaption, 0, 1, 1, 2);
  grid->addWidget(networkAddress, 1, 1, 1, 3);
  grid->addWidget(devicesOption, 2, 0, 1, 3);
  grid->addWidget(audioCheck, 3, 0);
  grid->addWidget(audioCaption, 3, 1);
  grid->addWidget(audioDeviceCombo, 3, 2, 1, 2);
  grid->addWidget(videoCheck, 4, 0);
  grid->addWidget(videoCaption, 4, 1);
  grid->addWidget(videoDeviceCombo, 4, 2, 1, 2);
  grid->addWidget(durationCaption, 5, 1, 1, 2);
  grid->addWidget(duration, 5, 3);
  grid->addWidget(playButton, 6, 3);
  grid->setColumnStretch(2, 1);
}

void RecorderWindow::CreateDestinationPanel() {
  destinationFrame = Named(new QGroupBox("Destino:", this), "Frame2");
  auto* grid = new QGridLayout(destinationFrame);
  fileOption = Named(new QRadioButton("Guardar como:", destinationFrame), "Option3");
  fileOption->setChecked(true);
  outputPath = Named(new QLineEdit(destinationFrame), "Text7");
  outputPath->setReadOnly(true);
  browseOutputButton = Named(new QPushButton("...", destinationFrame), "Command1");
  browseOutputButton->setMaximumWidth(40);
  watchCheck = Named(new QCheckBox("Ver en reproductor", destinationFrame), "Check1");
  const FormatChoiceRow format = FormatChoiceRow::Create(destinationFrame);
  formatLabel = format.label;
  formatCombo = format.combo;
  chooseProfileButton = format.chooseButton;
  editManualButton = format.editButton;
  streamOption = Named(new QRadioButton("Emitir", destinationFrame), "Option4");

  grid->addWidget(fileOption, 0, 0);
  grid->addWidget(outputPath, 0, 1, 1, 3);
  grid->addWidget(browseOutputButton, 0, 4);
  grid->addWidget(watchCheck, 1, 1, 1, 4);
  grid->addWidget(formatLabel, 2, 1);
  grid->addWidget(formatCombo, 2, 2);
  grid->addWidget(chooseProfileButton, 2, 3);
  grid->addWidget(editManualButton, 2, 4);
  grid->addWidget(streamOption, 3, 0);
  grid->setColumnStretch(2, 1);
}

void RecorderWindow::CreateRecordingPanel() {
  recordingFrame = Named(new QGroupBox("Grabando", this), "Frame4");
  auto* panel = new QVBoxLayout(recordingFrame);
  consoleLine = Named(new QLineEdit(recordingFrame), "Text9");
  consoleLine->setReadOnly(true);
  stopButton = Named(new QPushButton("Detener", recordingFrame), "Command4");
  pauseButton = Named(new QPushButton("Pause / Resume", recordingFrame), "Command8");
  forceStopButton = Named(new QPushButton("Detener (force)", recordingFrame), "Command9");
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(stopButton);
  buttons->addWidget(pauseButton);
  buttons->addWidget(forceStopButton);
  panel->addWidget(consoleLine);
  panel->addLayout(buttons);
}

void RecorderWindow::WireControls() {
  connect(networkOption, &QRadioButton::toggled, this, [this](bool on) {
    if (on) OnNetworkChosen();
  });
  connect(devicesOption, &QRadioButton::toggled, this, [this](bool on) {
    if (on) OnDevicesChosen();
  });
  connect(fileOption, &QRadioButton::toggled, this, [this](bool on) {
    if (on) OnFileChosen();
  });
  connect(streamOption, &QRadioButton::toggled, this, [this](bool on) {
    if (on) OnStreamChosen();
  });
  connect(audioCheck, &QCheckBox::toggled, this, &RecorderWindow::OnAudioToggled);
  connect(videoCheck, &QCheckBox::toggled, this, &RecorderWindow::OnVideoToggled);
  for (QLabel* caption : {networkCaption, audioCaption, videoCaption})
    caption->installEventFilter(this);
  connect(playButton, &QPushButton::clicked, this, &RecorderWindow::PlaySource);
  connect(listDevicesAction, &QAction::triggered, this, &RecorderWindow::ShowDeviceListing);
  connect(bufferSizeAction, &QAction::triggered, this, &RecorderWindow::ChangeBufferSize);
  connect(helpAction, &QAction::triggered, this, &RecorderWindow::ShowHelp);
  connect(browseOutputButton, &QPushButton::clicked, this, &RecorderWindow::ChooseOutputPath);
  connect(formatCombo, &QComboBox::activated, this, &RecorderWindow::OnFormatChosen);
  connect(formatCombo->lineEdit(), &QLineEdit::textEdited, this, &RecorderWindow::OnFormatEdited);
  connect(chooseProfileButton, &QPushButton::clicked, this, &RecorderWindow::ChooseProfile);
  connect(editManualButton, &QPushButton::clicked, this, &RecorderWindow::EditManualProfile);
  connect(recordButton, &QPushButton::clicked, this, &RecorderWindow::Record);
  connect(stopButton, &QPushButton::clicked, this, &RecorderWindow::StopRecording);
  connect(pauseButton, &QPushButton::clicked, this, &RecorderWindow::TogglePause);
  connect(forceStopButton, &QPushButton::clicked, this, &RecorderWindow::ForceStop);
  connect(stopTimer, &QTimer::timeout, this, &RecorderWindow::OnStopTimer);
  connect(outputPath, &QLineEdit::textChanged, this, [this] { MoveCaretToEnd(outputPath); });
  connect(consoleLine, &QLineEdit::textChanged, this, [this] { MoveCaretToEnd(consoleLine); });
}

bool RecorderWindow::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::MouseButtonRelease) {
    if (watched == networkCaption) ToggleNetworkOption();
    if (watched == audioCaption) ToggleAudio();
    if (watched == videoCaption) ToggleVideo();
  }
  return QMainWindow::eventFilter(watched, event);
}

void RecorderWindow::Load() {
  Lang::TranslateRecorderWindow();
  forceStopButton->setText(stopButton->text() + " (force)");
  NameUncaptionedControls();
  resize(374, SetupHeight);
  // The destination outlives the window; it shows what "Grabar" records into.
  outputPath->setText(Recorder::State().RecOutputPath);
  Recorder::State().RecFormatProfilePath.clear();
  formatCombo->setCurrentIndex(0);
  OnFormatChosen();
}

// Controls without a caption of their own take the caption beside them.
void RecorderWindow::NameUncaptionedControls() {
  networkOption->setAccessibleName(networkCaption->text());
  audioCheck->setAccessibleName(audioCaption->text());
  videoCheck->setAccessibleName(videoCaption->text());
  outputPath->setAccessibleName(fileOption->text());
}

void RecorderWindow::closeEvent(QCloseEvent* event) {
  DeviceWindowClose::AcceptUnlessCancelled(event, [this](bool& cancel) { OnCloseRequest(cancel); });
}

void RecorderWindow::OnCloseRequest(bool& cancel) {
  const DeviceRun::CloseStep step = DeviceRun::StepOnClose(
      listingFrame->isVisible(), Recorder::State().RecRunning, !recordingFrame->isHidden());
  if (DeviceWindowClose::KeepOpen(step, &Lang::MsgStopProcessFirst, [this] { ShowSetupPanels(); }))
    cancel = true;
}

void RecorderWindow::ShowSetupPanels() {
  recordingFrame->hide();
  sourceFrame->show();
  destinationFrame->show();
  recordButton->show();
  optionsMenu->setEnabled(true);
  resize(width(), SetupHeight);
}

// ---- Source ----

void RecorderWindow::SwitchSourceFields() {
  const bool active = audioCaption->isEnabled();
  videoCaption->setEnabled(active);
  durationCaption->setEnabled(active);
  duration->setEnabled(active);
  audioDeviceCombo->setEnabled(active && audioCheck->isChecked());
  videoDeviceCombo->setEnabled(active && videoCheck->isChecked());
  audioCheck->setEnabled(active);
  videoCheck->setEnabled(active);
}

void RecorderWindow::OnNetworkChosen() {
  audioCaption->setEnabled(!networkOption->isChecked());
  SwitchSourceFields();
  networkAddress->setEnabled(networkOption->isChecked());
}

void RecorderWindow::OnDevicesChosen() {
  audioCaption->setEnabled(devicesOption->isChecked());
  SwitchSourceFields();
  networkAddress->setEnabled(!devicesOption->isChecked());
}

void RecorderWindow::OnAudioToggled() { audioDeviceCombo->setEnabled(audioCheck->isChecked()); }
void RecorderWindow::OnVideoToggled() { videoDeviceCombo->setEnabled(videoCheck->isChecked()); }

// A second click on the caption clears the option, leaving no source selected.
void RecorderWindow::ToggleNetworkOption() {
  if (!networkOption->isChecked()) {
    networkOption->setChecked(true);
    return;
  }
  const QSignalBlocker blocker(networkOption);
  networkOption->setAutoExclusive(false);
  networkOption->setChecked(false);
  networkOption->setAutoExclusive(true);
}

void RecorderWindow::ToggleAudio() {
  if (audioCaption->isEnabled()) audioCheck->toggle();
}
void RecorderWindow::ToggleVideo() {
  if (videoCaption->isEnabled()) videoCheck->toggle();
}

Recorder::Source RecorderWindow::SourceFromControls() const {
  Recorder::Source source;
  source.Network = networkOption->isChecked();
  source.Devices = devicesOption->isChecked();
  source.Address = networkAddress->text();
  source.UseAudio = audioCheck->isChecked();
  source.AudioDevice = audioDeviceCombo->currentText();
  source.UseVideo = videoCheck->isChecked();
  source.VideoDevice = videoDeviceCombo->currentText();
  return source;
}

void RecorderWindow::PlaySource() {
  ShowRefusal(Recorder::PlayPreview(SourceFromControls(), false, this));
}

void RecorderWindow::ShowDeviceListing() {
  if (AnotherToolRunning::Refuse()) return;
  QPointer<RecorderWindow> guard(this);
  TextViewer::ShowCommandOutput(Recorder::DeviceListCommand(), this);
  if (!guard) return;
  const bool listed = ListDevices();
  if (guard && !listed) Lang::MsgAnotherToolRunning();
}

void RecorderWindow::ChangeBufferSize() {
  const QString size = Lang::InputBufferSize(Recorder::State().RecBufferSizeMB);
  if (size.isEmpty()) return;
  if (!Recorder::IsValidBufferSize(size)) {
    Lang::MsgInvalidBufferSize();
    return;
  }
  Recorder::State().RecBufferSizeMB = size;
}

void RecorderWindow::ShowHelp() { ProgramHelp::ShowProgramHelp(); }

// ---- Destination and format ----

void RecorderWindow::SwitchDestination(bool toFile) {
  for (QWidget* control :
       {static_cast<QWidget*>(outputPath), static_cast<QWidget*>(browseOutputButton),
        static_cast<QWidget*>(formatLabel), static_cast<QWidget*>(formatCombo),
        static_cast<QWidget*>(watchCheck)})
    control->setEnabled(toFile);
}

void RecorderWindow::OnFileChosen() { SwitchDestination(fileOption->isChecked()); }
void RecorderWindow::OnStreamChosen() { SwitchDestination(!streamOption->isChecked()); }

void RecorderWindow::ChooseOutputPath() {
  const QString path = DesktopServices::SaveFileDialog(QString(), QString(), "*.*|*.*", this, true);
  if (path.isEmpty()) return;
  Recorder::State().RecOutputPath = path;
  replaceConfirmedFor = QFileInfo::exists(path) ? path : QString();
  outputPath->setText(path);
}

ProfileChoice::Controls RecorderWindow::FormatControls() {
  return {formatCombo,         editManualButton,
          &acceptedFormatText, &Recorder::State().RecFormatProfilePath,
          "formats",           "qfm"};
}

void RecorderWindow::OnFormatChosen() { ProfileChoice::TakeChosenItem(FormatControls()); }
void RecorderWindow::OnFormatEdited() { ProfileChoice::UndoTyping(FormatControls()); }
void RecorderWindow::ChooseProfile() { ProfileChoice::ChooseProfile(FormatControls()); }
// The editor reads ffmpeg's capabilities as it opens.
void RecorderWindow::EditManualProfile() {
  if (AnotherToolRunning::Refuse()) return;
  FormatEditorWindow::ShowEditor("*", true);
}

Recorder::RecordRequest RecorderWindow::RecordRequestFromControls() const {
  Recorder::RecordRequest request;
  request.From = SourceFromControls();
  request.ToFile = fileOption->isChecked();
  request.ToStreamer = streamOption->isChecked();
  request.WithPlayer = watchCheck->isChecked();
  request.AutomaticFormat = formatCombo->currentIndex() == ProfileChoice::NoProfileItem;
  request.Duration = duration->text();
  request.ReplaceConfirmedFor = replaceConfirmedFor;
  return request;
}

void RecorderWindow::Record() {
  // A tool still running (the viewer's device listing) keeps the runner: the
  // press waits quietly rather than end a recording that never started.
  if (Recorder::State().RecRunning || ToolRunner::GetState() != ToolRunner::RunState::Idle) return;
  const Recorder::RecordPlan plan =
      Recorder::PlanRecording(RecordRequestFromControls(), &Lang::AskReplaceFile);
  ShowRefusal(plan.Refused);
  if (plan.What == Recorder::RecordPlan::Action::Stream)
    StreamerWindow::ShowStreamer(plan.InputArgs);
  if (plan.What != Recorder::RecordPlan::Action::Record) return;
  if (!plan.NextFreeName.isEmpty()) outputPath->setText(plan.NextFreeName);
  // The confirmation was for the file that was there; it is not the one recorded now.
  replaceConfirmedFor.clear();
  ShowRecordingPanel();
  if (watchCheck->isChecked()) ShowRefusal(Recorder::PlayPreview(SourceFromControls(), true, this));
  QPointer<RecorderWindow> guard(this);
  const Recorder::RecordingEnd end =
      Recorder::RunRecording(plan.Step, ToolRunner::BoxSink(consoleLine, false));
  ShowRecordingFailure(end);
  if (!guard) return;
  if (end.Result == Recorder::RecordingEnd::Outcome::RunnerBusy) {
    // Nothing was recorded: no recording panel says it has finished.
    ToolRunner::EndCompanions(this);
    ShowSetupPanels();
    return;
  }
  ShowRecordingEnd();
}

void RecorderWindow::ShowRecordingPanel() {
  recordingFrame->show();
  recordingFrame->raise();
  sourceFrame->hide();
  destinationFrame->hide();
  recordButton->hide();
  consoleLine->clear();
  stopButton->setEnabled(true);
  forceStopButton->setEnabled(true);
  pauseButton->setEnabled(true);
  optionsMenu->setEnabled(false);
  resize(width(), RecordingHeight);
}

void RecorderWindow::ShowRecordingEnd() {
  // The player showing the source ends with the recording.
  ToolRunner::EndCompanions(this);
  stopButton->setEnabled(false);
  forceStopButton->setEnabled(false);
  pauseButton->setEnabled(false);
  consoleLine->setText(Lang::TxtFinished());
}

// ---- Recording ----

// A paused recording is resumed first; stopTimer then waits to send its "q".
void RecorderWindow::StopRecording() {
  if (!Recorder::StopRecording()) stopTimer->start();
}

void RecorderWindow::OnStopTimer() {
  if (Recorder::StopOnceResumed()) stopTimer->stop();
}

void RecorderWindow::TogglePause() {
  if (DeviceRun::TogglePause() == DeviceRun::PauseStep::Paused) consoleLine->setText("Pause");
}

void RecorderWindow::ForceStop() {
  if (Dialogs::MsgBox(stopButton->text() + "?", {Dialogs::Buttons::YesNoCancel},
                      Lang::BoxTitle()) != Dialogs::Button::Yes)
    return;
  Recorder::ForceStop();
}
