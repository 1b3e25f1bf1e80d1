#include "gui/frame/TextViewerWindow.h"

#include <QApplication>
#include <QCheckBox>
#include <QEventLoop>
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

#include "core/frame/TextViewer.h"
#include "core/ground/ToolRunner.h"
#include "core/lang/Lang.h"
#include "gui/ground/WidgetFactory.h"
#include "gui/lang/Translators.h"

using WidgetFactory::Named;

namespace {
QPointer<TextViewerWindow> g_instance;

// Unloads the viewer once its owner has been closed. A hidden owner (a window
// that steps aside while the viewer is shown) stays loaded; a closed one does not.
class OwnerWatcher : public QObject {
 public:
  OwnerWatcher(QObject* owner, TextViewerWindow* viewer) : owner_(owner), viewer_(viewer) {
    if (owner) owner->installEventFilter(this);
  }
  ~OwnerWatcher() override {
    if (owner_) owner_->removeEventFilter(this);
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Close) {
      QTimer::singleShot(0, this, [this] {
        const auto* window = qobject_cast<QWidget*>(owner_.data());
        if (window && !window->isVisible()) TextViewerWindow::Unload(viewer_);
      });
    }
    return QObject::eventFilter(watched, event);
  }

 private:
  QPointer<QObject> owner_;
  QPointer<TextViewerWindow> viewer_;
};
}  // namespace

TextViewerWindow::TextViewerWindow() {
  g_instance = this;
  setObjectName("Form6");
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowTitle("Visor de texto");
  CreateControls();
  WireControls();
  resize(760, 560);
}

// A viewer that goes while its command still runs, however it goes (closed by
// the user, by its owner or by a newer viewer), stops the command as
// "Detener" stops a tool, so that no one waits on a command nobody reads.
TextViewerWindow::~TextViewerWindow() {
  if (!Frame3->isHidden()) ToolRunner::RequestStop();
}

TextViewerWindow* TextViewerWindow::Instance() { return g_instance.data(); }

void TextViewerWindow::Unload(TextViewerWindow* viewer) { delete viewer; }

void TextViewerWindow::ShowCommandOutput(const QString& cmdLine, QObject* owner) {
  Unload(Instance());
  QPointer<TextViewerWindow> viewer = new TextViewerWindow;
  viewer->Form_Load();
  viewer->show();
  // Watched from the start, so that an owner closed while the command runs
  // still takes the viewer with it.
  OwnerWatcher watcher(owner, viewer);
  if (owner) QObject::connect(owner, &QObject::destroyed, viewer, [viewer] { Unload(viewer); });

  const QString output = TextViewer::CommandOutput(cmdLine);
  if (!viewer) return;
  viewer->ShowOutput(output);

  QEventLoop loop;
  QObject::connect(viewer, &QObject::destroyed, &loop, &QEventLoop::quit);
  loop.exec();
}

void TextViewerWindow::CloseViewer() { Unload(Instance()); }

void TextViewerWindow::CreateControls() {
  auto* layout = new QVBoxLayout(this);
  auto* tools = new QHBoxLayout;
  layout->addLayout(tools);

  Frame1 = Named(new QGroupBox("Buscar", this), "Frame1");
  auto* find = new QHBoxLayout(Frame1);
  Text2 = Named(new QLineEdit(Frame1), "Text2");
  Check1 = Named(new QCheckBox("Coincidir mayúsculas", Frame1), "Check1");
  Command2 = Named(new QPushButton("<", Frame1), "Command2");
  Command1 = Named(new QPushButton(">", Frame1), "Command1");
  find->addWidget(Text2, 1);
  find->addWidget(Check1);
  find->addWidget(Command2);
  find->addWidget(Command1);
  tools->addWidget(Frame1, 1);

  Frame2 = Named(new QGroupBox("Tamaño", this), "Frame2");
  auto* size = new QHBoxLayout(Frame2);
  Command3 = Named(new QPushButton("+", Frame2), "Command3");
  Command4 = Named(new QPushButton("-", Frame2), "Command4");
  size->addWidget(Command3);
  size->addWidget(Command4);
  tools->addWidget(Frame2);

  // The wait frame shares the text box's cell and lies over it until the output is in.
  auto* cell = new QGridLayout;
  layout->addLayout(cell, 1);
  Text1 = Named(new QPlainTextEdit(this), "Text1");
  Text1->setReadOnly(true);
  Text1->setLineWrapMode(QPlainTextEdit::NoWrap);
  Text1->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
  Text1->setFont(QFont("Monospace", 10));
  cell->addWidget(Text1, 0, 0);
  Frame3 = Named(new QGroupBox(this), "Frame3");
  auto* wait = new QVBoxLayout(Frame3);
  Label1 = Named(new QLabel("Espere...", Frame3), "Label1");
  Label1->setAlignment(Qt::AlignCenter);
  wait->addWidget(Label1);
  Frame3->setAutoFillBackground(true);
  cell->addWidget(Frame3, 0, 0);
}

void TextViewerWindow::WireControls() {
  connect(Command1, &QPushButton::clicked, this, &TextViewerWindow::Command1_Click);
  connect(Command2, &QPushButton::clicked, this, &TextViewerWindow::Command2_Click);
  connect(Command3, &QPushButton::clicked, this, &TextViewerWindow::Command3_Click);
  connect(Command4, &QPushButton::clicked, this, &TextViewerWindow::Command4_Click);
  connect(Text2, &QLineEdit::returnPressed, this, &TextViewerWindow::Command1_Click);
  Text1->viewport()->installEventFilter(this);
}

void TextViewerWindow::Form_Load() {
  Lang::TranslateForm6();
  Frame3->show();
  Frame3->raise();
  SearchPosition = 0;
}

void TextViewerWindow::ShowOutput(const QString& output) {
  QString text = output;
  text.replace("\r\n", "\n");
  Text1->setPlainText(text);
  Frame3->hide();
}

void TextViewerWindow::SelectMatch(int start) {
  Text1->setFocus();
  QTextCursor cursor = Text1->textCursor();
  cursor.setPosition(start - 1);
  Text1->setTextCursor(cursor);
  Text1->ensureCursorVisible();
  cursor.setPosition(start - 1 + static_cast<int>(Text2->text().size()), QTextCursor::KeepAnchor);
  Text1->setTextCursor(cursor);
  SearchPosition = start;
}

void TextViewerWindow::Command1_Click() {
  const QString text = Text1->toPlainText();
  if (text.isEmpty() || Text2->text().isEmpty()) return;
  const int found = TextViewer::FindNext(text, Text2->text(), SearchPosition, Check1->isChecked());
  if (found > 0) {
    SelectMatch(found);
  } else {
    Text1->setFocus();
    QApplication::beep();
  }
}

void TextViewerWindow::Command2_Click() {
  if (Text2->text().isEmpty()) return;
  const int found = TextViewer::FindPrevious(Text1->toPlainText(), Text2->text(), SearchPosition,
                                             Check1->isChecked());
  if (found > 0) {
    SelectMatch(found);
  } else {
    Text1->setFocus();
    QApplication::beep();
  }
}

// Qt refuses sizes below one point, so "-" stops there.
void TextViewerWindow::ChangeFontSize(int points) {
  QFont font = Text1->font();
  font.setPointSize(std::max(1, font.pointSize() + points));
  Text1->setFont(font);
}

void TextViewerWindow::Command3_Click() { ChangeFontSize(+1); }
void TextViewerWindow::Command4_Click() { ChangeFontSize(-1); }

bool TextViewerWindow::eventFilter(QObject* watched, QEvent* event) {
  if (watched == Text1->viewport() && event->type() == QEvent::MouseButtonRelease) {
    SearchPosition = Text1->textCursor().position();
  }
  return QWidget::eventFilter(watched, event);
}
