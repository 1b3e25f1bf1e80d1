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
  }
}

// Needs no window: a recording may end with the program.
void ShowRecordingFailure(const Recorder::RecordingEnd& end) {
  switch (end.Result) {
    case Recorder::RecordingEnd::Outcome::NotStarted:
      Dialogs::MsgBox(Lang::TxtProcessStartFailed(), 16, Lang::BoxTitle());
      return;
    case Recorder::RecordingEnd::Outcome::FfmpegFailed:
      Lang::MsgFfmpegError(end.Output);
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

void RecorderWindow::ShowRecorder() {
  QPointer<RecorderWindow> window = new RecorderWindow;
  window->Form_Load();
  window->ShowListingPanel(true);
  // The devices are listed once the window is up, inside its modal wait.
  QTimer::singleShot(0, window, [window] {
    window->ListDevices();
    if (window) window->ShowListingPanel(false);
  });
  ModalWindow::Run(window);
  delete window.data();
}

// While the devices are listed the wait panel covers the source panel, and
// nothing that starts a tool can be reached: not the options, not "Grabar",
// not the covered source controls by the keyboard, not the destination's
// format choice (its editor reads ffmpeg's capabilities).
void RecorderWindow::ShowListingPanel(bool listing) {
  Menu_Options->setEnabled(!listing);
  Frame1->setEnabled(!listing);
  Frame2->setEnabled(!listing);
  Command2->setEnabled(!listing);
  Frame3->setVisible(listing);
  if (listing) Frame3->raise();
}

void RecorderWindow::ListDevices() {
  QPointer<RecorderWindow> guard(this);
  Combo1->clear();
  Combo2->clear();
  const Recorder::DeviceLists lists = Recorder::ListDevices();
  if (!guard) return;
  Combo1->addItems(lists.Audio);
  Combo2->addItems(lists.Video);
  Combo1->setCurrentIndex(-1);
  Combo2->setCurrentIndex(-1);
}

void RecorderWindow::CreateControls() {
  auto* central = new QWidget(this);
  auto* layout = new QGridLayout(central);
  CreateSourcePanel();
  CreateDestinationPanel();
  CreateRecordingPanel();
  Frame3 = Named(new QGroupBox(central), "Frame3");
  Frame3->setAutoFillBackground(true);  // solid: the source panel under it never shows through
  auto* wait = new QVBoxLayout(Frame3);
  Label2 = Named(new QLabel("Obteniendo información de ffmpeg", Frame3), "Label2");
  Label2->setAlignment(Qt::AlignCenter);
  wait->addWidget(Label2);
  Command2 = Named(new QPushButton("Grabar", central), "Command2");

  // The wait and recording panels share the source panel's cell: they lie over it.
  Frame1->setParent(central);
  Frame2->setParent(central);
  Frame4->setParent(central);
  layout->addWidget(Frame1, 0, 0);
  layout->addWidget(Frame3, 0, 0);
  layout->addWidget(Frame4, 0, 0);
  layout->addWidget(Frame2, 1, 0);
  layout->addWidget(Command2, 2, 0, Qt::AlignRight);
  setCentralWidget(central);
  Frame4->hide();

  Menu_Options = Named(menuBar()->addMenu("Opciones"), "Menu_Options");
  Opt_List = Named(Menu_Options->addAction("Listar dispositivos"), "Opt_List");
  Opt_BuffSizeChan = Named(Menu_Options->addAction("Cambiar tamaño de buffer"), "Opt_BuffSizeChan");
  Opt_Help = Named(Menu_Options->addAction("Ayuda"), "Opt_Help");

  Timer1 = Named(new QTimer(this), "Timer1");
  Timer1->setInterval(10);
}

void RecorderWindow::CreateSourcePanel() {
  Frame1 = Named(new QGroupBox("Origen", this), "Frame1");
  auto* grid = new QGridLayout(Frame1);
  Option1 = Named(new QRadioButton(Frame1), "Option1");
  Text2 = ClickableCaption(Frame1, "Text2", "Dirección de red:");
  Text1 = Named(new QLineEdit(Frame1), "Text1");
  Text1->setEnabled(false);
  Option2 = Named(new QRadioButton("Dispositivo de captura:", Frame1), "Option2");
  Option2->setChecked(true);
  Check2 = Named(new QCheckBox(Frame1), "Check2");
  Text3 = ClickableCaption(Frame1, "Text3", "Audio:");
  Combo1 = Named(new QComboBox(Frame1), "Combo1");
  Combo1->setEditable(true);
  Combo1->setEnabled(false);
  Check3 = Named(new QCheckBox(Frame1), "Check3");
  Text4 = ClickableCaption(Frame1, "Text4", "Video:");
  Combo2 = Named(new QComboBox(Frame1), "Combo2");
  Combo2->setEditable(true);
  Combo2->setEnabled(false);
  Text10 = Named(new QLabel("Duración (HH:MM:SS.mm):", Frame1), "Text10");
  Text11 = Named(new QLineEdit(Frame1), "Text11");
  Command3 = Named(new QPushButton("Play", Frame1), "Command3");

  // Assistive tools name each field after its caption, not after the frame.
  Text2->setBuddy(Text1);
  Text3->setBuddy(Combo1);
  Text4->setBuddy(Combo2);
  Text10->setBuddy(Text11);

  grid->addWidget(Option1, 0, 0);
  grid->addWidget(Text2, 0, 1, 1, 2);
  grid->addWidget(Text1, 1, 1, 1, 3);
  grid->addWidget(Option2, 2, 0, 1, 3);
  grid->addWidget(Check2, 3, 0);
  grid->addWidget(Text3, 3, 1);
  grid->addWidget(Combo1, 3, 2, 1, 2);
  grid->addWidget(Check3, 4, 0);
  grid->addWidget(Text4, 4, 1);
  grid->addWidget(Combo2, 4, 2, 1, 2);
  grid->addWidget(Text10, 5, 1, 1, 2);
  grid->addWidget(Text11, 5, 3);
  grid->addWidget(Command3, 6, 3);
  grid->setColumnStretch(2, 1);
}

void RecorderWindow::CreateDestinationPanel() {
  Frame2 = Named(new QGroupBox("Destino:", this), "Frame2");
  auto* grid = new QGridLayout(Frame2);
  Option3 = Named(new QRadioButton("Guardar como:", Frame2), "Option3");
  Option3->setChecked(true);
  Text7 = Named(new QLineEdit(Frame2), "Text7");
  Text7->setReadOnly(true);
  Command1 = Named(new QPushButton("...", Frame2), "Command1");
  Command1->setMaximumWidth(40);
  Check1 = Named(new QCheckBox("Ver en reproductor", Frame2), "Check1");
  const FormatChoiceRow format = FormatChoiceRow::Create(Frame2);
  Label1 = format.Label1;
  Combo3 = format.Combo3;
  Command5 = format.Command5;
  Command6 = format.Command6;
  Option4 = Named(new QRadioButton("Emitir", Frame2), "Option4");

  grid->addWidget(Option3, 0, 0);
  grid->addWidget(Text7, 0, 1, 1, 3);
  grid->addWidget(Command1, 0, 4);
  grid->addWidget(Check1, 1, 1, 1, 4);
  grid->addWidget(Label1, 2, 1);
  grid->addWidget(Combo3, 2, 2);
  grid->addWidget(Command5, 2, 3);
  grid->addWidget(Command6, 2, 4);
  grid->addWidget(Option4, 3, 0);
  grid->setColumnStretch(2, 1);
}

void RecorderWindow::CreateRecordingPanel() {
  Frame4 = Named(new QGroupBox("Grabando", this), "Frame4");
  auto* panel = new QVBoxLayout(Frame4);
  Text9 = Named(new QLineEdit(Frame4), "Text9");
  Text9->setReadOnly(true);
  Command4 = Named(new QPushButton("Detener", Frame4), "Command4");
  Command8 = Named(new QPushButton("Pause / Resume", Frame4), "Command8");
  Command9 = Named(new QPushButton("Detener (force)", Frame4), "Command9");
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(Command4);
  buttons->addWidget(Command8);
  buttons->addWidget(Command9);
  panel->addWidget(Text9);
  panel->addLayout(buttons);
}

void RecorderWindow::WireControls() {
  connect(Option1, &QRadioButton::toggled, this, [this](bool on) {
    if (on) Option1_Click();
  });
  connect(Option2, &QRadioButton::toggled, this, [this](bool on) {
    if (on) Option2_Click();
  });
  connect(Option3, &QRadioButton::toggled, this, [this](bool on) {
    if (on) Option3_Click();
  });
  connect(Option4, &QRadioButton::toggled, this, [this](bool on) {
    if (on) Option4_Click();
  });
  connect(Check2, &QCheckBox::toggled, this, &RecorderWindow::Check2_Click);
  connect(Check3, &QCheckBox::toggled, this, &RecorderWindow::Check3_Click);
  for (QLabel* caption : {Text2, Text3, Text4}) caption->installEventFilter(this);
  connect(Command3, &QPushButton::clicked, this, &RecorderWindow::Command3_Click);
  connect(Opt_List, &QAction::triggered, this, &RecorderWindow::Opt_List_Click);
  connect(Opt_BuffSizeChan, &QAction::triggered, this, &RecorderWindow::Opt_BuffSizeChan_Click);
  connect(Opt_Help, &QAction::triggered, this, &RecorderWindow::Opt_Help_Click);
  connect(Command1, &QPushButton::clicked, this, &RecorderWindow::Command1_Click);
  connect(Combo3, &QComboBox::activated, this, &RecorderWindow::Combo3_Click);
  connect(Combo3->lineEdit(), &QLineEdit::textEdited, this, &RecorderWindow::Combo3_Change);
  connect(Command5, &QPushButton::clicked, this, &RecorderWindow::Command5_Click);
  connect(Command6, &QPushButton::clicked, this, &RecorderWindow::Command6_Click);
  connect(Command2, &QPushButton::clicked, this, &RecorderWindow::Command2_Click);
  connect(Command4, &QPushButton::clicked, this, &RecorderWindow::Command4_Click);
  connect(Command8, &QPushButton::clicked, this, &RecorderWindow::Command8_Click);
  connect(Command9, &QPushButton::clicked, this, &RecorderWindow::Command9_Click);
  connect(Timer1, &QTimer::timeout, this, &RecorderWindow::Timer1_Timer);
  connect(Text7, &QLineEdit::textChanged, this, [this] { MoveCaretToEnd(Text7); });
  connect(Text9, &QLineEdit::textChanged, this, [this] { MoveCaretToEnd(Text9); });
}

bool RecorderWindow::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::MouseButtonRelease) {
    if (watched == Text2) Text2_Click();
    if (watched == Text3) Text3_Click();
    if (watched == Text4) Text4_Click();
  }
  return QMainWindow::eventFilter(watched, event);
}

void RecorderWindow::Form_Load() {
  Lang::TranslateForm14();
  Command9->setText(Command4->text() + " (force)");
  NameUncaptionedControls();
  resize(374, SetupHeight);
  // The destination outlives the window; it shows what "Grabar" records into.
  Text7->setText(Recorder::State().RecOutputPath);
  Recorder::State().RecFormatProfilePath.clear();
  Combo3->setCurrentIndex(0);
  Combo3_Click();
}

// Controls without a caption of their own take the caption beside them.
void RecorderWindow::NameUncaptionedControls() {
  Option1->setAccessibleName(Text2->text());
  Check2->setAccessibleName(Text3->text());
  Check3->setAccessibleName(Text4->text());
  Text7->setAccessibleName(Option3->text());
}

void RecorderWindow::closeEvent(QCloseEvent* event) {
  DeviceWindowClose::AcceptUnlessCancelled(event,
                                           [this](bool& cancel) { Form_QueryUnload(cancel); });
}

void RecorderWindow::Form_QueryUnload(bool& cancel) {
  const DeviceRun::CloseStep step = DeviceRun::StepOnClose(
      Frame3->isVisible(), Recorder::State().RecRunning == 1, !Frame4->isHidden());
  if (DeviceWindowClose::KeepOpen(step, &Lang::MsgStopProcessFirst, [this] { ShowSetupPanels(); }))
    cancel = true;
}

void RecorderWindow::ShowSetupPanels() {
  Frame4->hide();
  Frame1->show();
  Frame2->show();
  Command2->show();
  Menu_Options->setEnabled(true);
  resize(width(), SetupHeight);
}

// ---- Source ----

void RecorderWindow::SourceFollowers() {
  const bool active = Text3->isEnabled();
  Text4->setEnabled(active);
  Text10->setEnabled(active);
  Text11->setEnabled(active);
  Combo1->setEnabled(active && Check2->isChecked());
  Combo2->setEnabled(active && Check3->isChecked());
  Check2->setEnabled(active);
  Check3->setEnabled(active);
}

void RecorderWindow::Option1_Click() {
  Text3->setEnabled(!Option1->isChecked());
  SourceFollowers();
  Text1->setEnabled(Option1->isChecked());
}

void RecorderWindow::Option2_Click() {
  Text3->setEnabled(Option2->isChecked());
  SourceFollowers();
  Text1->setEnabled(!Option2->isChecked());
}

void RecorderWindow::Check2_Click() { Combo1->setEnabled(Check2->isChecked()); }
void RecorderWindow::Check3_Click() { Combo2->setEnabled(Check3->isChecked()); }

// A second click on the caption clears the option, leaving no source selected.
void RecorderWindow::Text2_Click() {
  if (!Option1->isChecked()) {
    Option1->setChecked(true);
    return;
  }
  const QSignalBlocker blocker(Option1);
  Option1->setAutoExclusive(false);
  Option1->setChecked(false);
  Option1->setAutoExclusive(true);
}

void RecorderWindow::Text3_Click() {
  if (Text3->isEnabled()) Check2->toggle();
}
void RecorderWindow::Text4_Click() {
  if (Text4->isEnabled()) Check3->toggle();
}

Recorder::Source RecorderWindow::SourceFromControls() const {
  Recorder::Source source;
  source.Network = Option1->isChecked();
  source.Devices = Option2->isChecked();
  source.Address = Text1->text();
  source.UseAudio = Check2->isChecked();
  source.AudioDevice = Combo1->currentText();
  source.UseVideo = Check3->isChecked();
  source.VideoDevice = Combo2->currentText();
  return source;
}

void RecorderWindow::Command3_Click() {
  ShowRefusal(Recorder::PlayPreview(SourceFromControls(), false, this));
}

void RecorderWindow::Opt_List_Click() {
  TextViewer::ShowCommandOutput(Recorder::DeviceListCommand(), this);
  ListDevices();
}

void RecorderWindow::Opt_BuffSizeChan_Click() {
  const QString size = Lang::InputBufferSize(Recorder::State().RecBufferSizeMB);
  if (size.isEmpty()) return;
  if (!Recorder::IsValidBufferSize(size)) {
    Lang::MsgInvalidBufferSize();
    return;
  }
  Recorder::State().RecBufferSizeMB = size;
}

void RecorderWindow::Opt_Help_Click() { ProgramHelp::ShowProgramHelp(); }

// ---- Destination and format ----

void RecorderWindow::SwitchDestination(bool toFile) {
  for (QWidget* control : {static_cast<QWidget*>(Text7), static_cast<QWidget*>(Command1),
                           static_cast<QWidget*>(Label1), static_cast<QWidget*>(Combo3),
                           static_cast<QWidget*>(Check1)})
    control->setEnabled(toFile);
}

void RecorderWindow::Option3_Click() { SwitchDestination(Option3->isChecked()); }
void RecorderWindow::Option4_Click() { SwitchDestination(!Option4->isChecked()); }

void RecorderWindow::Command1_Click() {
  const QString path =
      DesktopServices::SaveFileDialog(QString(), QString(), "*.*|*.*", 0, this, true);
  if (path.isEmpty()) return;
  Recorder::State().RecOutputPath = path;
  ReplaceConfirmedFor = QFileInfo::exists(path) ? path : QString();
  Text7->setText(path);
}

ProfileChoice::Controls RecorderWindow::FormatControls() {
  return {Combo3, Command6, &Combo3Tag, &Recorder::State().RecFormatProfilePath, "formats", "qfm"};
}

void RecorderWindow::Combo3_Click() { ProfileChoice::TakeChosenItem(FormatControls()); }
void RecorderWindow::Combo3_Change() { ProfileChoice::UndoTyping(FormatControls()); }
void RecorderWindow::Command5_Click() { ProfileChoice::ChooseProfile(FormatControls()); }
void RecorderWindow::Command6_Click() { FormatEditorWindow::ShowEditor("*", 1); }

void RecorderWindow::Command2_Click() { Record(); }

Recorder::RecordRequest RecorderWindow::RecordRequestFromControls() const {
  Recorder::RecordRequest request;
  request.From = SourceFromControls();
  request.ToFile = Option3->isChecked();
  request.ToStreamer = Option4->isChecked();
  request.WithPlayer = Check1->isChecked();
  request.AutomaticFormat = Combo3->currentIndex() == 0;
  request.Duration = Text11->text();
  request.ReplaceConfirmedFor = ReplaceConfirmedFor;
  return request;
}

// "Grabar": records the source, or hands it to the streamer.
void RecorderWindow::Record() {
  // A tool still running (the viewer's device listing) keeps the runner: the
  // press waits quietly rather than end a recording that never started.
  if (Recorder::State().RecRunning == 1 || ToolRunner::GetState() != ToolRunner::Idle) return;
  const Recorder::RecordPlan plan =
      Recorder::PlanRecording(RecordRequestFromControls(), &Lang::AskReplaceFile);
  ShowRefusal(plan.Refused);
  if (plan.What == Recorder::RecordPlan::Action::Stream) StreamerWindow::ShowStreamer(plan.InputArgs);
  if (plan.What != Recorder::RecordPlan::Action::Record) return;
  if (!plan.NextFreeName.isEmpty()) Text7->setText(plan.NextFreeName);
  // The confirmation was for the file that was there; it is not the one recorded now.
  ReplaceConfirmedFor.clear();
  ShowRecordingPanel();
  if (Check1->isChecked()) ShowRefusal(Recorder::PlayPreview(SourceFromControls(), true, this));
  QPointer<RecorderWindow> guard(this);
  const Recorder::RecordingEnd end =
      Recorder::RunRecording(plan.Step, ToolRunner::BoxSink(Text9, false));
  ShowRecordingFailure(end);
  if (guard) ShowRecordingEnd();
}

void RecorderWindow::ShowRecordingPanel() {
  Frame4->show();
  Frame4->raise();
  Frame1->hide();
  Frame2->hide();
  Command2->hide();
  Text9->clear();
  Command4->setEnabled(true);
  Command9->setEnabled(true);
  Command8->setEnabled(true);
  Menu_Options->setEnabled(false);
  resize(width(), RecordingHeight);
}

void RecorderWindow::ShowRecordingEnd() {
  // The player showing the source ends with the recording.
  ToolRunner::EndCompanions(this);
  Command4->setEnabled(false);
  Command9->setEnabled(false);
  Command8->setEnabled(false);
  Text9->setText(Lang::TxtFinished());
}

// ---- Recording ----

// A paused recording is resumed first; Timer1 then waits to send its "q".
void RecorderWindow::Command4_Click() {
  if (!Recorder::StopRecording()) Timer1->start();
}

void RecorderWindow::Timer1_Timer() {
  if (Recorder::StopOnceResumed()) Timer1->stop();
}

void RecorderWindow::Command8_Click() {
  if (DeviceRun::TogglePause() == DeviceRun::PauseStep::Paused) Text9->setText("Pause");
}

void RecorderWindow::Command9_Click() {
  if (Dialogs::MsgBox(Command4->text() + "?", 3, Lang::BoxTitle()) != 6) return;
  Recorder::ForceStop();
}
