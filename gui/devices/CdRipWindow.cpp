#include "gui/devices/CdRipWindow.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/devices/CdRipper.h"
#include "core/frame/AnotherToolRunning.h"
#include "core/frame/DesktopServices.h"
#include "core/frame/ProgramHelp.h"
#include "core/frame/Session.h"
#include "core/ground/Dialogs.h"
#include "core/ground/FileServices.h"
#include "core/ground/ToolRunner.h"
#include "core/lang/Lang.h"
#include "gui/devices/DeviceWindowClose.h"
#include "gui/ground/ConsoleBox.h"
#include "gui/ground/MainWindowLink.h"
#include "gui/ground/ModalWindow.h"
#include "gui/ground/WidgetFactory.h"
#include "gui/lang/Translators.h"

namespace {
using WidgetFactory::Named;
QPointer<CdRipWindow> g_instance;

}  // namespace

CdRipWindow::CdRipWindow() : QWidget(nullptr, Qt::Window) {
  g_instance = this;
  setObjectName("Form2");
  setWindowTitle("CD rip");
  setAttribute(Qt::WA_DeleteOnClose);
  CreateControls();
  WireControls();
}

CdRipWindow::~CdRipWindow() = default;

CdRipWindow* CdRipWindow::Instance() { return g_instance.data(); }

void CdRipWindow::OpenCDRip() {
  if (!FileServices::FileExists(CdRipper::State().Cdda2wavPath)) {
    Lang::MsgFileNotFound("cdda2wav");
    return;
  }
  // cdda2wav could not read the disc now: no window, rather than a disc
  // without tracks.
  if (AnotherToolRunning::Refuse()) return;
  if (QWidget* main = MainWindowLink::Window()) main->hide();
  QPointer<CdRipWindow> window = new CdRipWindow;
  window->Load();
  window->ShowBusyPanel(true);
  window->console->setPlainText(Lang::GettingTrackInfoText());

  window->show();
  const CdRipper::TrackRead read = CdRipper::ReadTracks();
  if (!window) return;
  switch (read.Result) {
    case CdRipper::TrackRead::Outcome::Listed:
      window->ListTracks(read.Titles);
      return;
    case CdRipper::TrackRead::Outcome::NoTracks:
      Lang::MsgTrackListFailed();
      window->close();
      return;
    case CdRipper::TrackRead::Outcome::RunnerBusy:
      Lang::MsgAnotherToolRunning();
      window->close();
      return;
    case CdRipper::TrackRead::Outcome::Cancelled:
      window->close();
      return;
  }
}

void CdRipWindow::ListTracks(const QStringList& titles) {
  for (const QString& title : titles) {
    auto* item = new QListWidgetItem(title, trackList);
    item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
    item->setCheckState(Qt::Unchecked);
  }
  formatCombo->setCurrentIndex(0);
  if (CdRipper::State().CDRipAddToList) {
    outputFolder->setEnabled(false);
    formatCombo->setEnabled(false);
    browseFolderButton->setEnabled(false);
  }
  ShowBusyPanel(false);
  console->clear();
}

void CdRipWindow::ShowBusyPanel(bool busy) {
  busyFrame->setVisible(busy);
  if (busy) busyFrame->raise();
  extractButton->setVisible(!busy);
  stopButton->setVisible(busy);
}

QList<CdRipper::Track> CdRipWindow::TickedTracks() const {
  QList<CdRipper::Track> tracks;
  for (int row = 0; row < trackList->count(); ++row) {
    if (trackList->item(row)->checkState() == Qt::Checked)
      tracks << CdRipper::Track{row + 1, trackList->item(row)->text()};
  }
  return tracks;
}

// The ripped tracks go onto the input list, and the window closes, when they
// were ripped for it; else the window stays for another rip.
void CdRipWindow::ExtractTracks() {
  // Nothing is made, not even the rip's folder, while cdda2wav cannot run.
  if (AnotherToolRunning::Refuse()) return;
  const QList<CdRipper::Track> tracks = TickedTracks();
  if (tracks.isEmpty()) {
    Lang::MsgNoTrackSelected();
    return;
  }
  // A rip for the input list has no output folder to choose.
  const bool addToList = !outputFolder->isEnabled();
  const CdRipper::RipTarget target = CdRipper::RipFolder(addToList);
  if (target.Refused == CdRipper::RipTarget::Problem::NoOutputDir) Lang::MsgEnterOutputDir();
  if (target.Refused == CdRipper::RipTarget::Problem::CannotCreate)
    Lang::MsgCannotCreateDir(target.Folder);
  if (target.Refused != CdRipper::RipTarget::Problem::None || target.Folder.isEmpty()) return;
  QPointer<CdRipWindow> guard(this);
  ShowBusyPanel(true);
  // The rip ends with its window.
  const CdRipper::RipResult result = CdRipper::RipTracks(
      tracks, target.Folder, formatCombo->currentText(), removeSilenceCheck->isChecked(), addToList,
      ToolRunner::BoxSink(console, true), [guard] { return guard.isNull(); });
  if (!result.NotRenamed.isEmpty()) Lang::MsgCannotRenameFile(result.NotRenamed);
  if (result.RunnerBusy) Lang::MsgAnotherToolRunning();
  if (!guard) return;
  if (!result.FilesToAdd.isEmpty()) {
    Session::AppendFiles(result.FilesToAdd);
    close();
    return;
  }
  ShowBusyPanel(false);
}

void CdRipWindow::CreateControls() {
  auto* layout = new QGridLayout(this);

  tracksFrame = Named(new QGroupBox("Tracks a extraer", this), "Frame1");
  auto* tracks = new QVBoxLayout(tracksFrame);
  trackList = Named(new QListWidget(tracksFrame), "List1");
  WidgetFactory::LetListScrollSideways(trackList);
  tickAllCheck = Named(new QCheckBox("Marcar/desmarcar todo", tracksFrame), "Check2");
  renameButton = Named(new QPushButton("Renombrar", tracksFrame), "Command4");
  auto* trackButtons = new QHBoxLayout;
  trackButtons->addWidget(tickAllCheck);
  trackButtons->addStretch();
  trackButtons->addWidget(renameButton);
  tracks->addWidget(trackList);
  tracks->addLayout(trackButtons);

  // The busy panel shares the track frame's cell, so it lies exactly over it,
  // and is painted solid so that nothing of that frame shows through.
  busyFrame = Named(new QGroupBox(this), "Frame4");
  busyFrame->setAutoFillBackground(true);
  auto* busy = new QVBoxLayout(busyFrame);
  console = Named(new QPlainTextEdit(busyFrame), "Text2");
  console->setReadOnly(true);
  busy->addWidget(console);
  busyFrame->hide();

  folderFrame = Named(new QGroupBox("Directorio de salida", this), "Frame2");
  auto* folder = new QHBoxLayout(folderFrame);
  outputFolder = Named(new QLineEdit(folderFrame), "Text1");
  browseFolderButton = Named(new QPushButton("...", folderFrame), "Command1");
  browseFolderButton->setMaximumWidth(40);
  folder->addWidget(outputFolder);
  folder->addWidget(browseFolderButton);

  optionsFrame = Named(new QGroupBox("Opciones", this), "Frame3");
  auto* options = new QHBoxLayout(optionsFrame);
  formatLabel = Named(new QLabel("Formato:", optionsFrame), "Label1");
  formatCombo = Named(new QComboBox(optionsFrame), "Combo1");
  formatCombo->addItems({"wav", "cdr", "aiff", "aifc"});
  removeSilenceCheck = Named(new QCheckBox("Eliminar silencios", optionsFrame), "Check1");
  options->addWidget(formatLabel);
  options->addWidget(formatCombo);
  options->addStretch();
  options->addWidget(removeSilenceCheck);

  helpButton = Named(new QPushButton("Ayuda", this), "Command5");
  extractButton = Named(new QPushButton("Extraer", this), "Command2");
  stopButton = Named(new QPushButton("Detener", this), "Command3");
  stopButton->hide();
  auto* buttons = new QGridLayout;
  buttons->addWidget(helpButton, 0, 0);
  buttons->setColumnStretch(1, 1);
  buttons->addWidget(extractButton, 0, 2);
  buttons->addWidget(stopButton, 0, 2);

  layout->addWidget(tracksFrame, 0, 0);
  layout->addWidget(busyFrame, 0, 0);
  layout->addWidget(folderFrame, 1, 0);
  layout->addWidget(optionsFrame, 2, 0);
  layout->addLayout(buttons, 3, 0);
  resize(420, 460);
}

void CdRipWindow::WireControls() {
  connect(browseFolderButton, &QPushButton::clicked, this, &CdRipWindow::ChooseOutputFolder);
  connect(extractButton, &QPushButton::clicked, this, &CdRipWindow::ExtractTracks);
  connect(stopButton, &QPushButton::clicked, this, &CdRipWindow::Stop);
  connect(renameButton, &QPushButton::clicked, this, &CdRipWindow::RenameSelectedTrack);
  connect(helpButton, &QPushButton::clicked, this, &CdRipWindow::ShowHelp);
  connect(tickAllCheck, &QCheckBox::clicked, this, &CdRipWindow::TickOrClearAll);
}

void CdRipWindow::Load() {
  Lang::TranslateCdRipWindow();
  const QString help = MainWindowLink::Caption("Menu_Help");
  if (!help.isNull()) helpButton->setText(help);
}

void CdRipWindow::closeEvent(QCloseEvent* event) {
  if (DeviceWindowClose::AcceptUnlessCancelled(event,
                                               [this](bool& cancel) { OnCloseRequest(cancel); }))
    Unload();
}

// A close while cdda2wav runs stops it; the opening or the rip loop then ends.
void CdRipWindow::OnCloseRequest(bool& cancel) {
  if (!CdRipper::State().CDRipBusy) return;
  CdRipper::Stop();
  cancel = true;
}

void CdRipWindow::Unload() {
  if (QWidget* main = MainWindowLink::Window()) ModalWindow::ShowAgain(main);
}

void CdRipWindow::ChooseOutputFolder() {
  const QString folder = Dialogs::Folder(this, QString(), QString());
  if (folder.isEmpty()) return;
  CdRipper::State().CDRipOutputDir = folder;
  outputFolder->setText(folder);
  outputFolder->setCursorPosition(outputFolder->text().size());
}

void CdRipWindow::Stop() { CdRipper::Stop(); }

void CdRipWindow::RenameSelectedTrack() {
  // The row the list makes current when it takes the focus is no choice.
  QListWidgetItem* item = trackList->currentItem();
  if (!item || !item->isSelected()) return;
  const QString name = Lang::InputValidFileName(item->text());
  if (!name.isEmpty()) item->setText(name);
}

void CdRipWindow::ShowHelp() { ProgramHelp::ShowProgramHelp(); }

void CdRipWindow::TickOrClearAll() {
  const Qt::CheckState state = tickAllCheck->isChecked() ? Qt::Checked : Qt::Unchecked;
  for (int row = 0; row < trackList->count(); ++row) trackList->item(row)->setCheckState(state);
}
