#include "gui/formats/CodecViewerWindow.h"

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
#include "core/ground/FileServices.h"
#include "core/lang/Lang.h"
#include "gui/ground/WidgetFactory.h"
#include "gui/lang/Translators.h"

namespace {

QPointer<CodecViewerWindow> g_instance;

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
  auto* grid = new QGridLayout(this);
  Label1 = WidgetFactory::Create<QLabel>(this, "Label1", "Nombre");
  Text1 = WidgetFactory::Create<QLineEdit>(this, "Text1");
  Text1->setReadOnly(true);
  Text2 = WidgetFactory::Create<QPlainTextEdit>(this, "Text2");
  Text2->setReadOnly(true);
  Label2 = WidgetFactory::Create<QLabel>(this, "Label2", "Ejecutable");
  Text3 = WidgetFactory::Create<QLineEdit>(this, "Text3");
  Text3->setReadOnly(true);
  Command1 = WidgetFactory::Create<QPushButton>(this, "Command1", "...");
  Command3 = WidgetFactory::Create<QPushButton>(this, "Command3", ">>");
  Command1->setMaximumWidth(30);
  Command3->setMaximumWidth(30);
  grid->addWidget(Label1, 0, 0, 1, 3);
  grid->addWidget(Text1, 1, 0, 1, 3);
  grid->addWidget(Text2, 2, 0, 1, 3);
  grid->addWidget(Label2, 3, 0, 1, 3);
  grid->addWidget(Text3, 4, 0);
  grid->addWidget(Command1, 4, 1);
  grid->addWidget(Command3, 4, 2);

  // The list panel lies over the details and hides them while it is up.
  Picture1 = WidgetFactory::Create<QWidget>(this, "Picture1");
  Picture1->setAutoFillBackground(true);
  auto* panel = new QVBoxLayout(Picture1);
  List1 = WidgetFactory::Create<QListWidget>(Picture1, "List1");
  Command2 = WidgetFactory::Create<QPushButton>(Picture1, "Command2", ">>");
  panel->addWidget(List1);
  panel->addWidget(Command2, 0, Qt::AlignRight);
  WidgetFactory::SetEnterButton(this, nullptr);
}

void CodecViewerWindow::WireControls() {
  connect(Command1, &QPushButton::clicked, this, &CodecViewerWindow::Command1_Click);
  connect(Command2, &QPushButton::clicked, this, &CodecViewerWindow::ShowSelectedCodec);
  connect(Command3, &QPushButton::clicked, this, &CodecViewerWindow::Command3_Click);
  connect(List1, &QListWidget::itemDoubleClicked, this, &CodecViewerWindow::ShowSelectedCodec);
}

void CodecViewerWindow::Form_Load() {
  Lang::TranslateForm11();
  resize(kWidth, kHeight);
  Picture1->setGeometry(rect());
  Picture1->raise();
  Picture1->show();
}

void CodecViewerWindow::resizeEvent(QResizeEvent* event) {
  QDialog::resizeEvent(event);
  Picture1->setGeometry(rect());
}

QString CodecViewerWindow::Text3Tag() const { return Text3->property("Tag").toString(); }

bool CodecViewerWindow::PathChanged() const { return Text3->text() != Text3Tag(); }

void CodecViewerWindow::ShowDetails(const QString& name, const QString& about,
                                    const QString& exePath) {
  Text1->setText(name);
  Text2->setPlainText(about);
  Text3->setText(exePath);
  Text3->setProperty("Tag", exePath);
  Picture1->hide();
}

void CodecViewerWindow::ClearDetails() {
  Text1->clear();
  Text2->clear();
  Text3->clear();
  Text3->setProperty("Tag", QString());
}

void CodecViewerWindow::ShowSelectedCodec() {
  const QList<QListWidgetItem*> chosen = List1->selectedItems();
  if (chosen.isEmpty()) return;
  uint8_t isVideo = 0;
  const QString path = CodecViewer::EntryPath(chosen.first()->text(), isVideo);
  ShowCodec(path, isVideo);
}

void CodecViewerWindow::ListAllCodecs() {
  List1->clear();
  List1->addItems(CodecViewer::CodecEntries());
}

bool CodecViewerWindow::ShowCodec(const QString& path, uint8_t isVideo) {
  CodecViewer::CodecInfo info;
  if (!CodecViewer::LoadCodecFile(path, isVideo, info)) {
    Lang::MsgCannotReadFile(QString());
    return false;
  }
  ShowDetails(info.Name, info.Codec.About, info.Codec.ExePath);
  return true;
}

void CodecViewerWindow::Command1_Click() {
  const CodecViewer::ProgramDialogStart start = CodecViewer::ProgramDialogStartFor(Text3->text());
  // Programs here carry no ".exe": every file is offered.
  const QStringList chosen = DesktopServices::OpenFileDialog(
      Lang::TxtAllFiles() + "|*", this, start.Folder, QString(), false, 0, start.FileName);
  if (chosen.isEmpty() || chosen.first().isEmpty()) return;
  Text3->setText(Session::StoreAppPath(chosen.first()));
}

void CodecViewerWindow::Command3_Click() {
  const QString program = CodecViewer::ExistingProgram(Text3->text());
  if (program.isEmpty()) {
    Lang::MsgFileNotFound(QString());
    return;
  }
  DesktopServices::ShellOpen(FileServices::ParentFolder(program), this);
}

bool CodecViewerWindow::Form_QueryUnload() {
  const bool detailsShown = Picture1->isHidden();
  if (detailsShown) CodecViewer::OfferToSaveExePath(Text3->text(), Text3Tag());
  if (detailsShown && ShowOne == 0) {
    Picture1->show();
    Picture1->raise();
    ClearDetails();
    return false;
  }
  return true;
}

void CodecViewerWindow::Form_Unload() {
  if (PathChanged()) NewExePath = Text3->text();
}

QString CodecViewer::ShowCodecInfo(QWidget* owner, const QString& path, uint8_t isVideo) {
  CodecViewerWindow window(owner);
  window.Form_Load();
  if (!path.isEmpty()) {
    window.ShowOne = 1;
    if (!window.ShowCodec(path, isVideo)) return QString();
  } else {
    window.ListAllCodecs();
  }
  window.exec();
  return window.NewExePath;
}

// The close button and Escape both end here (QDialog's close calls reject).
void CodecViewerWindow::reject() {
  if (!Form_QueryUnload()) return;
  Form_Unload();
  QDialog::reject();
}
