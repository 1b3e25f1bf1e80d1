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
  if (QWidget* main = MainWindowLink::Window()) main->hide();
  QPointer<CdRipWindow> window = new CdRipWindow;
  window->Form_Load();
  window->ShowBusyPanel(true);
  window->Text2->setPlainText(Lang::GettingTrackInfoText());

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
    case CdRipper::TrackRead::Outcome::Cancelled:
      window->close();
      return;
  }
}

void CdRipWindow::ListTracks(const QStringList& titles) {
  for (const QString& title : titles) {
    auto* item = new QListWidgetItem(title, List1);
    item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
    item->setCheckState(Qt::Unchecked);
  }
  Combo1->setCurrentIndex(0);
  if (CdRipper::State().CDRipAddToList == 1) {
    Text1->setEnabled(false);
    Combo1->setEnabled(false);
    Command1->setEnabled(false);
  }
  ShowBusyPanel(false);
  Text2->clear();
}

void CdRipWindow::ShowBusyPanel(bool busy) {
  Frame4->setVisible(busy);
  if (busy) Frame4->raise();
  Command2->setVisible(!busy);
  Command3->setVisible(busy);
}

QList<CdRipper::Track> CdRipWindow::TickedTracks() const {
  QList<CdRipper::Track> tracks;
  for (int row = 0; row < List1->count(); ++row) {
    if (List1->item(row)->checkState() == Qt::Checked)
      tracks << CdRipper::Track{row + 1, List1->item(row)->text()};
  }
  return tracks;
}

// The ripped tracks go onto the input list, and the window closes, when they
// were ripped for it; else the window stays for another rip.
void CdRipWindow::ExtractTracks() {
  const QList<CdRipper::Track> tracks = TickedTracks();
  if (tracks.isEmpty()) {
    Lang::MsgNoTrackSelected();
    return;
  }
  // A rip for the input list has no output folder to choose.
  const bool addToList = !Text1->isEnabled();
  const CdRipper::RipTarget target = CdRipper::RipFolder(addToList);
  if (target.Refused == CdRipper::RipTarget::Problem::NoOutputDir) Lang::MsgEnterOutputDir();
  if (target.Refused == CdRipper::RipTarget::Problem::CannotCreate)
    Lang::MsgCannotCreateDir(target.Folder);
  if (target.Refused != CdRipper::RipTarget::Problem::None || target.Folder.isEmpty()) return;
  QPointer<CdRipWindow> guard(this);
  ShowBusyPanel(true);
  // The rip ends with its window.
  const CdRipper::RipResult result = CdRipper::RipTracks(
      tracks, target.Folder, Combo1->currentText(), Check1->isChecked(), addToList,
      ToolRunner::BoxSink(Text2, true), [guard] { return guard.isNull(); });
  if (!result.NotRenamed.isEmpty()) Lang::MsgCannotRenameFile(result.NotRenamed);
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

  Frame1 = Named(new QGroupBox("Tracks a extraer", this), "Frame1");
  auto* tracks = new QVBoxLayout(Frame1);
  List1 = Named(new QListWidget(Frame1), "List1");
  WidgetFactory::SetListHorizontalExtent(List1, 1800);
  Check2 = Named(new QCheckBox("Marcar/desmarcar todo", Frame1), "Check2");
  Command4 = Named(new QPushButton("Renombrar", Frame1), "Command4");
  auto* trackButtons = new QHBoxLayout;
  trackButtons->addWidget(Check2);
  trackButtons->addStretch();
  trackButtons->addWidget(Command4);
  tracks->addWidget(List1);
  tracks->addLayout(trackButtons);

  // The busy panel shares Frame1's cell, so it lies exactly over it, and is
  // painted solid so that nothing of Frame1 shows through.
  Frame4 = Named(new QGroupBox(this), "Frame4");
  Frame4->setAutoFillBackground(true);
  auto* busy = new QVBoxLayout(Frame4);
  Text2 = Named(new QPlainTextEdit(Frame4), "Text2");
  Text2->setReadOnly(true);
  busy->addWidget(Text2);
  Frame4->hide();

  Frame2 = Named(new QGroupBox("Directorio de salida", this), "Frame2");
  auto* folder = new QHBoxLayout(Frame2);
  Text1 = Named(new QLineEdit(Frame2), "Text1");
  Command1 = Named(new QPushButton("...", Frame2), "Command1");
  Command1->setMaximumWidth(40);
  folder->addWidget(Text1);
  folder->addWidget(Command1);

  Frame3 = Named(new QGroupBox("Opciones", this), "Frame3");
  auto* options = new QHBoxLayout(Frame3);
  Label1 = Named(new QLabel("Formato:", Frame3), "Label1");
  Combo1 = Named(new QComboBox(Frame3), "Combo1");
  Combo1->addItems({"wav", "cdr", "aiff", "aifc"});
  Check1 = Named(new QCheckBox("Eliminar silencios", Frame3), "Check1");
  options->addWidget(Label1);
  options->addWidget(Combo1);
  options->addStretch();
  options->addWidget(Check1);

  Command5 = Named(new QPushButton("Ayuda", this), "Command5");
  Command2 = Named(new QPushButton("Extraer", this), "Command2");
  Command3 = Named(new QPushButton("Detener", this), "Command3");
  Command3->hide();
  auto* buttons = new QGridLayout;
  buttons->addWidget(Command5, 0, 0);
  buttons->setColumnStretch(1, 1);
  buttons->addWidget(Command2, 0, 2);
  buttons->addWidget(Command3, 0, 2);

  layout->addWidget(Frame1, 0, 0);
  layout->addWidget(Frame4, 0, 0);
  layout->addWidget(Frame2, 1, 0);
  layout->addWidget(Frame3, 2, 0);
  layout->addLayout(buttons, 3, 0);
  resize(420, 460);
}

void CdRipWindow::WireControls() {
  connect(Command1, &QPushButton::clicked, this, &CdRipWindow::Command1_Click);
  connect(Command2, &QPushButton::clicked, this, &CdRipWindow::Command2_Click);
  connect(Command3, &QPushButton::clicked, this, &CdRipWindow::Command3_Click);
  connect(Command4, &QPushButton::clicked, this, &CdRipWindow::Command4_Click);
  connect(Command5, &QPushButton::clicked, this, &CdRipWindow::Command5_Click);
  connect(Check2, &QCheckBox::clicked, this, &CdRipWindow::Check2_Click);
}

void CdRipWindow::Form_Load() {
  Lang::TranslateForm2();
  const QString help = MainWindowLink::Caption("Menu_Help");
  if (!help.isNull()) Command5->setText(help);
}

void CdRipWindow::closeEvent(QCloseEvent* event) {
  if (DeviceWindowClose::AcceptUnlessCancelled(event,
                                               [this](bool& cancel) { Form_QueryUnload(cancel); }))
    Form_Unload();
}

// A close while cdda2wav runs stops it; the opening or the rip loop then ends.
void CdRipWindow::Form_QueryUnload(bool& cancel) {
  if (CdRipper::State().CDRipBusy != 1) return;
  CdRipper::Stop();
  cancel = true;
}

void CdRipWindow::Form_Unload() {
  if (QWidget* main = MainWindowLink::Window()) ModalWindow::ShowAgain(main);
}

void CdRipWindow::Command1_Click() {
  const QString folder = Dialogs::Folder(this, QString(), QString());
  if (folder.isEmpty()) return;
  CdRipper::State().CDRipOutputDir = folder;
  Text1->setText(folder);
  Text1->setCursorPosition(Text1->text().size());
}

void CdRipWindow::Command2_Click() { ExtractTracks(); }

void CdRipWindow::Command3_Click() { CdRipper::Stop(); }

void CdRipWindow::Command4_Click() {
  // The row the list makes current when it takes the focus is no choice.
  QListWidgetItem* item = List1->currentItem();
  if (!item || !item->isSelected()) return;
  const QString name = Lang::InputValidFileName(item->text());
  if (!name.isEmpty()) item->setText(name);
}

void CdRipWindow::Command5_Click() { ProgramHelp::ShowProgramHelp(); }

void CdRipWindow::Check2_Click() {
  const Qt::CheckState state = Check2->isChecked() ? Qt::Checked : Qt::Unchecked;
  for (int row = 0; row < List1->count(); ++row) List1->item(row)->setCheckState(state);
}
