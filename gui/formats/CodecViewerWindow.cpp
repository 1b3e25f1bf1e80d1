#include "gui/formats/CodecViewerWindow.h"

#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/formats/CodecViewer.h"
#include "core/frame/DesktopServices.h"
#include "core/frame/Session.h"
#include "core/lang/Lang.h"
#include "gui/ground/TextFit.h"
#include "gui/ground/WidgetFactory.h"
#include "gui/lang/Translators.h"

namespace {

QPointer<CodecViewerWindow> g_instance;

// The small buttons ("...", ">>") take the design's 30 pixels, more where the
// font's letters are wider: their captions stay whole.
int NarrowButtonWidth() { return TextFit::Scaled(30); }

// Twips of the design, 15 to a pixel.
constexpr int kWidth = 5265 / 15;
constexpr int kHeight = 3600 / 15;

}  // namespace

CodecViewerWindow::CodecViewerWindow(QWidget* owner) : QDialog(owner) {
  g_instance = this;
  setObjectName("Form11");
  setWindowTitle("Acerca del codec...");
  CreateControls();
  WireControls();
}

CodecViewerWindow::~CodecViewerWindow() = default;

CodecViewerWindow* CodecViewerWindow::Instance() { return g_instance.data(); }

void CodecViewerWindow::CreateControls() {
  // Two pages in one place, one shown at a time: the list of every codec, and
  // the details of one.
  auto* place = new QGridLayout(this);
  place->setContentsMargins(0, 0, 0, 0);
  detailsPanel = new QWidget(this);
  auto* grid = new QGridLayout(detailsPanel);
  nameLabel = WidgetFactory::Create<QLabel>(detailsPanel, "Label1", "Nombre");
  codecName = WidgetFactory::Create<QLineEdit>(detailsPanel, "Text1");
  codecName->setReadOnly(true);
  aboutText = WidgetFactory::Create<QPlainTextEdit>(detailsPanel, "Text2");
  aboutText->setReadOnly(true);
  programLabel = WidgetFactory::Create<QLabel>(detailsPanel, "Label2", "Ejecutable");
  programPath = WidgetFactory::Create<QLineEdit>(detailsPanel, "Text3");
  programPath->setReadOnly(true);
  browseProgramButton = WidgetFactory::Create<QPushButton>(detailsPanel, "Command1", "...");
  programFolderButton = WidgetFactory::Create<QPushButton>(detailsPanel, "Command3", ">>");
  browseProgramButton->setMaximumWidth(NarrowButtonWidth());
  programFolderButton->setMaximumWidth(NarrowButtonWidth());
  grid->addWidget(nameLabel, 0, 0, 1, 3);
  grid->addWidget(codecName, 1, 0, 1, 3);
  grid->addWidget(aboutText, 2, 0, 1, 3);
  grid->addWidget(programLabel, 3, 0, 1, 3);
  grid->addWidget(programPath, 4, 0);
  grid->addWidget(browseProgramButton, 4, 1);
  grid->addWidget(programFolderButton, 4, 2);

  listPanel = WidgetFactory::Create<QWidget>(this, "Picture1");
  auto* panel = new QVBoxLayout(listPanel);
  codecList = WidgetFactory::Create<QListWidget>(listPanel, "List1");
  openEntryButton = WidgetFactory::Create<QPushButton>(listPanel, "Command2", ">>");
  panel->addWidget(codecList);
  panel->addWidget(openEntryButton, 0, Qt::AlignRight);
  place->addWidget(listPanel, 0, 0);
  place->addWidget(detailsPanel, 0, 0);
  detailsPanel->hide();
  WidgetFactory::SetEnterButton(this, nullptr);
}

void CodecViewerWindow::WireControls() {
  connect(browseProgramButton, &QPushButton::clicked, this, &CodecViewerWindow::BrowseProgram);
  connect(openEntryButton, &QPushButton::clicked, this, &CodecViewerWindow::ShowSelectedCodec);
  connect(programFolderButton, &QPushButton::clicked, this, &CodecViewerWindow::ShowProgramFolder);
  connect(codecList, &QListWidget::itemDoubleClicked, this, &CodecViewerWindow::ShowSelectedCodec);
}

void CodecViewerWindow::Load() {
  Lang::TranslateCodecViewerWindow();
  resize(kWidth, kHeight);
  ShowList();
}

void CodecViewerWindow::ShowList() {
  detailsPanel->hide();
  listPanel->show();
  codecList->setFocus();
}

QString CodecViewerWindow::LoadedProgramPath() const {
  return programPath->property("Tag").toString();
}

bool CodecViewerWindow::PathChanged() const { return programPath->text() != LoadedProgramPath(); }

void CodecViewerWindow::ShowDetails(const QString& name, const QString& about,
                                    const QString& exePath) {
  codecName->setText(name);
  aboutText->setPlainText(about);
  programPath->setText(exePath);
  programPath->setProperty("Tag", exePath);
  listPanel->hide();
  detailsPanel->show();
  browseProgramButton->setFocus();
}

void CodecViewerWindow::ClearDetails() {
  codecName->clear();
  aboutText->clear();
  programPath->clear();
  programPath->setProperty("Tag", QString());
}

void CodecViewerWindow::ShowSelectedCodec() {
  const QList<QListWidgetItem*> chosen = codecList->selectedItems();
  if (chosen.isEmpty()) return;
  bool isVideo = false;
  const QString path = CodecViewer::EntryPath(chosen.first()->text(), isVideo);
  ShowCodec(path, isVideo);
}

void CodecViewerWindow::ListAllCodecs() {
  codecList->clear();
  codecList->addItems(CodecViewer::CodecEntries());
}

bool CodecViewerWindow::ShowCodec(const QString& path, bool isVideo) {
  CodecViewer::CodecInfo info;
  if (!CodecViewer::LoadCodecFile(path, isVideo, info)) {
    Lang::MsgCannotReadFile(QString());
    return false;
  }
  ShowDetails(info.Name, info.Codec.About, info.Codec.ExePath);
  return true;
}

void CodecViewerWindow::BrowseProgram() {
  const CodecViewer::ProgramDialogStart start =
      CodecViewer::ProgramDialogStartFor(programPath->text());
  // Programs here carry no ".exe": every file is offered.
  const QStringList chosen = DesktopServices::OpenFileDialog(
      Lang::TxtAllFiles() + "|*", this, start.Folder, QString(), false, start.FileName);
  if (chosen.isEmpty() || chosen.first().isEmpty()) return;
  programPath->setText(Session::StoreAppPath(chosen.first()));
}

void CodecViewerWindow::ShowProgramFolder() {
  const QString program = CodecViewer::ExistingProgram(programPath->text());
  if (program.isEmpty()) {
    Lang::MsgFileNotFound(QString());
    return;
  }
  DesktopServices::ShellOpen(QFileInfo(program).path());
}

bool CodecViewerWindow::MayClose() {
  const bool detailsShown = listPanel->isHidden();
  if (detailsShown) CodecViewer::OfferToSaveExePath(programPath->text(), LoadedProgramPath());
  if (detailsShown && !showsOneCodec) {
    ShowList();
    ClearDetails();
    return false;
  }
  return true;
}

void CodecViewerWindow::KeepChangedPath() {
  if (PathChanged()) newProgramPath = programPath->text();
}

QString CodecViewer::ShowCodecInfo(QWidget* owner, const QString& path, bool isVideo) {
  CodecViewerWindow window(owner);
  window.Load();
  if (!path.isEmpty()) {
    window.showsOneCodec = true;
    if (!window.ShowCodec(path, isVideo)) return QString();
  } else {
    window.ListAllCodecs();
  }
  window.exec();
  return window.newProgramPath;
}

// The close button and Escape both end here (QDialog's close calls reject).
void CodecViewerWindow::reject() {
  if (!MayClose()) return;
  KeepChangedPath();
  QDialog::reject();
}
