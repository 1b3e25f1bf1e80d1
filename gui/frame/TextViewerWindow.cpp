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
  if (readingOutput_) ToolRunner::RequestStop();
}

TextViewerWindow* TextViewerWindow::Instance() { return g_instance.data(); }

void TextViewerWindow::Unload(TextViewerWindow* viewer) { delete viewer; }

void TextViewerWindow::ShowCommandOutput(const QString& cmdLine, QObject* owner) {
  Unload(Instance());
  QPointer<TextViewerWindow> viewer = new TextViewerWindow;
  viewer->Load();
  viewer->show();
  // Watched from the start, so that an owner closed while the command runs
  // still takes the viewer with it.
  OwnerWatcher watcher(owner, viewer);
  if (owner) QObject::connect(owner, &QObject::destroyed, viewer, [viewer] { Unload(viewer); });

  viewer->readingOutput_ = true;
  const std::optional<QString> output = TextViewer::CommandOutput(cmdLine);
  if (!viewer) return;
  viewer->readingOutput_ = false;
  // Another tool had the runner: an empty viewer would pass for the command's output.
  if (!output) {
    Unload(viewer);
    return;
  }
  viewer->ShowOutput(*output);

  QEventLoop loop;
  QObject::connect(viewer, &QObject::destroyed, &loop, &QEventLoop::quit);
  loop.exec();
}

void TextViewerWindow::CloseViewer() { Unload(Instance()); }

void TextViewerWindow::CreateControls() {
  auto* layout = new QVBoxLayout(this);
  auto* tools = new QHBoxLayout;
  layout->addLayout(tools);

  searchFrame = Named(new QGroupBox("Buscar", this), "Frame1");
  auto* find = new QHBoxLayout(searchFrame);
  searchEdit = Named(new QLineEdit(searchFrame), "Text2");
  matchCaseCheck = Named(new QCheckBox("Coincidir mayúsculas", searchFrame), "Check1");
  findPreviousButton = Named(new QPushButton("<", searchFrame), "Command2");
  findNextButton = Named(new QPushButton(">", searchFrame), "Command1");
  find->addWidget(searchEdit, 1);
  find->addWidget(matchCaseCheck);
  find->addWidget(findPreviousButton);
  find->addWidget(findNextButton);
  tools->addWidget(searchFrame, 1);

  fontSizeFrame = Named(new QGroupBox("Tamaño", this), "Frame2");
  auto* size = new QHBoxLayout(fontSizeFrame);
  largerFontButton = Named(new QPushButton("+", fontSizeFrame), "Command3");
  smallerFontButton = Named(new QPushButton("-", fontSizeFrame), "Command4");
  size->addWidget(largerFontButton);
  size->addWidget(smallerFontButton);
  tools->addWidget(fontSizeFrame);

  // The wait frame shares the text box's cell and lies over it until the output is in.
  auto* cell = new QGridLayout;
  layout->addLayout(cell, 1);
  outputText = Named(new QPlainTextEdit(this), "Text1");
  outputText->setReadOnly(true);
  outputText->setLineWrapMode(QPlainTextEdit::NoWrap);
  outputText->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
  outputText->setFont(QFont("Monospace", 10));
  cell->addWidget(outputText, 0, 0);
  waitFrame = Named(new QGroupBox(this), "Frame3");
  auto* wait = new QVBoxLayout(waitFrame);
  waitLabel = Named(new QLabel("Espere...", waitFrame), "Label1");
  waitLabel->setAlignment(Qt::AlignCenter);
  wait->addWidget(waitLabel);
  waitFrame->setAutoFillBackground(true);
  cell->addWidget(waitFrame, 0, 0);
}

void TextViewerWindow::WireControls() {
  connect(findNextButton, &QPushButton::clicked, this, &TextViewerWindow::FindNext);
  connect(findPreviousButton, &QPushButton::clicked, this, &TextViewerWindow::FindPrevious);
  connect(largerFontButton, &QPushButton::clicked, this, &TextViewerWindow::EnlargeFont);
  connect(smallerFontButton, &QPushButton::clicked, this, &TextViewerWindow::ShrinkFont);
  connect(searchEdit, &QLineEdit::returnPressed, this, &TextViewerWindow::FindNext);
  outputText->viewport()->installEventFilter(this);
}

void TextViewerWindow::Load() {
  Lang::TranslateTextViewerWindow();
  waitFrame->show();
  waitFrame->raise();
  searchPosition = 0;
}

void TextViewerWindow::ShowOutput(const QString& output) {
  outputText->setPlainText(output);
  waitFrame->hide();
}

void TextViewerWindow::SelectMatch(int start) {
  outputText->setFocus();
  QTextCursor cursor = outputText->textCursor();
  cursor.setPosition(start);
  outputText->setTextCursor(cursor);
  outputText->ensureCursorVisible();
  cursor.setPosition(start + static_cast<int>(searchEdit->text().size()), QTextCursor::KeepAnchor);
  outputText->setTextCursor(cursor);
  searchPosition = start + 1;
}

void TextViewerWindow::FindNext() {
  const QString text = outputText->toPlainText();
  if (text.isEmpty() || searchEdit->text().isEmpty()) return;
  const int found =
      TextViewer::FindNext(text, searchEdit->text(), searchPosition, matchCaseCheck->isChecked());
  if (found >= 0) {
    SelectMatch(found);
  } else {
    outputText->setFocus();
    QApplication::beep();
  }
}

void TextViewerWindow::FindPrevious() {
  if (searchEdit->text().isEmpty()) return;
  const int found = TextViewer::FindPrevious(outputText->toPlainText(), searchEdit->text(),
                                             searchPosition, matchCaseCheck->isChecked());
  if (found >= 0) {
    SelectMatch(found);
  } else {
    outputText->setFocus();
    QApplication::beep();
  }
}

// Qt refuses sizes below one point, so "-" stops there.
void TextViewerWindow::ChangeFontSize(int points) {
  QFont font = outputText->font();
  font.setPointSize(std::max(1, font.pointSize() + points));
  outputText->setFont(font);
}

void TextViewerWindow::EnlargeFont() { ChangeFontSize(+1); }
void TextViewerWindow::ShrinkFont() { ChangeFontSize(-1); }

bool TextViewerWindow::eventFilter(QObject* watched, QEvent* event) {
  if (watched == outputText->viewport() && event->type() == QEvent::MouseButtonRelease) {
    searchPosition = outputText->textCursor().position();
  }
  return QWidget::eventFilter(watched, event);
}
