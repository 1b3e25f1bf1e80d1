#include "gui/convert/ProgressWindow.h"

#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>

#include "core/convert/Conversion.h"
#include "core/convert/ConversionState.h"
#include "core/frame/DesktopServices.h"
#include "core/lang/Lang.h"
#include "gui/frame/WrappingLineBox.h"
#include "gui/ground/MainWindowLink.h"
#include "gui/ground/ModalWindow.h"
#include "gui/ground/TextFit.h"
#include "gui/ground/WidgetFactory.h"
#include "gui/lang/Translators.h"

namespace {
QPointer<ProgressWindow> g_instance;

// The design in pixels, scaled to the desktop's font as it is placed.
constexpr int Width = 319;
constexpr int Margin = 8;
constexpr int BoxWidth = Width - 2 * Margin;
constexpr int ButtonWidth = 73;
constexpr int ButtonHeight = 26;
constexpr int ButtonGap = 4;
// The status box reaches from under the stage box down to a gap above the buttons.
constexpr int StatusTop = Margin + 104;
constexpr int StatusGap = 6;
constexpr int StatusHeight =
    ProgressWindow::ShortHeight - Margin - ButtonHeight - StatusGap - StatusTop;

int S(int designPixels) { return TextFit::Scaled(designPixels); }

QLineEdit* AddBox(QWidget* parent, const char* name, int top) {
  auto* box = new QLineEdit(parent);
  box->setObjectName(name);
  box->setReadOnly(true);
  box->setGeometry(S(Margin), S(top), S(BoxWidth), S(22));
  return box;
}

QPushButton* AddButton(QWidget* parent, const char* name, int slot) {
  auto* button = new QPushButton(parent);
  button->setObjectName(name);
  button->setGeometry(S(Margin + slot * (ButtonWidth + ButtonGap)), 0, S(ButtonWidth),
                      S(ButtonHeight));
  return button;
}

QLabel* AddLabel(QWidget* parent, const char* name, int top) {
  auto* label = new QLabel(parent);
  label->setObjectName(name);
  label->setGeometry(0, S(top), S(BoxWidth), S(16));
  return label;
}

QPlainTextEdit* AddTextArea(QWidget* parent, const char* name, int top, int height) {
  auto* area = new QPlainTextEdit(parent);
  area->setObjectName(name);
  area->setReadOnly(true);
  area->setGeometry(0, S(top), S(BoxWidth), S(height));
  return area;
}

void CaretToEnd(QLineEdit* box) { box->setCursorPosition(box->text().size()); }
}  // namespace

ProgressWindow::ProgressWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
  g_instance = this;
  setObjectName("Form12");
  setAttribute(Qt::WA_DeleteOnClose);
  CreateControls();
  WireControls();
}

ProgressWindow::~ProgressWindow() = default;

ProgressWindow* ProgressWindow::Instance() { return g_instance.data(); }

// The buttons come first in the keyboard's order: the window opens with the
// focus on "Detener"; the boxes only show what the run tells.
void ProgressWindow::CreateControls() {
  stopButton = AddButton(this, "Command1", 3);
  forceStopButton = AddButton(this, "Command4", 1);
  showErrorsButton = AddButton(this, "Command3", 0);
  doneButton = AddButton(this, "Command2", 2);
  doneButton->hide();
  showErrorsButton->hide();

  currentFile = AddBox(this, "Text1", Margin);
  fileCounter = AddBox(this, "Text2", Margin + 26);
  errorCountBox = AddBox(this, "Text3", Margin + 52);
  stage = AddBox(this, "Text4", Margin + 78);
  // Rows enough for the whole of ffmpeg's status line.
  consoleLine = new WrappingLineBox(this);
  consoleLine->setObjectName("Text5");
  consoleLine->setGeometry(S(Margin), S(StatusTop), S(BoxWidth), S(StatusHeight));

  errorPanel = new QWidget(this);
  errorPanel->setObjectName("Picture1");
  errorPanel->setGeometry(S(Margin), S(150), S(BoxWidth),
                          S(TallHeight - Margin - ButtonHeight - 2 * Margin - Margin));
  errorPanel->setAutoFillBackground(true);
  errorPanel->hide();
  failedFilesLabel = AddLabel(errorPanel, "Label1", 0);
  failedFileList = new QListWidget(errorPanel);
  failedFileList->setObjectName("List1");
  failedFileList->setGeometry(0, S(18), S(BoxWidth), S(80));
  failedStageLabel = AddLabel(errorPanel, "Label2", 102);
  failedStage = AddBox(errorPanel, "Text6", 118);
  failedStage->move(0, S(118));
  failureDescriptionLabel = AddLabel(errorPanel, "Label3", 144);
  failureDescription = AddBox(errorPanel, "Text7", 160);
  failureDescription->move(0, S(160));
  failedCommandLabel = AddLabel(errorPanel, "Label4", 186);
  failedCommand = AddTextArea(errorPanel, "Text8", 202, 50);
  failedConsoleLabel = AddLabel(errorPanel, "Label5", 256);
  failedConsole = AddTextArea(errorPanel, "Text9", 272, 64);
}

void ProgressWindow::WireControls() {
  connect(stopButton, &QPushButton::clicked, this, &ProgressWindow::Stop);
  connect(doneButton, &QPushButton::clicked, this, &ProgressWindow::Done);
  connect(showErrorsButton, &QPushButton::clicked, this, &ProgressWindow::ShowErrors);
  connect(forceStopButton, &QPushButton::clicked, this, &ProgressWindow::ForceStop);
  connect(failedFileList, &QListWidget::itemSelectionChanged, this,
          &ProgressWindow::ShowSelectedFailure);
  connect(currentFile, &QLineEdit::textChanged, this, &ProgressWindow::OnCurrentFileChanged);
  connect(consoleLine, &QPlainTextEdit::textChanged, this, &ProgressWindow::OnConsoleLineChanged);
}

void ProgressWindow::Load() {
  Lang::TranslateProgressWindow();
  if (QWidget* main = MainWindowLink::Window()) main->setVisible(false);
  // At the end "Hecho" takes the place of "Detener" and "Ver errores" stands beside it.
  showErrorsButton->move(doneButton->x(), showErrorsButton->y());
  doneButton->move(stopButton->x(), doneButton->y());
  forceStopButton->setText(stopButton->text() + " (force)");
  forceStopButton->resize(qMax(S(ButtonWidth), forceStopButton->sizeHint().width()),
                          S(ButtonHeight));
  errorPanel->move(currentFile->pos());
  for (QLineEdit* box : {currentFile, fileCounter, errorCountBox, stage}) box->clear();
  consoleLine->clear();
  resize(S(Width), S(ShortHeight));
  WidgetFactory::LetListScrollSideways(failedFileList);
}

void ProgressWindow::PlaceButtons() {
  for (QPushButton* button : {stopButton, doneButton, showErrorsButton, forceStopButton})
    button->move(button->x(), height() - S(Margin + ButtonHeight));
}

void ProgressWindow::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  PlaceButtons();
}

void ProgressWindow::Stop() { emit StopClicked(); }

void ProgressWindow::ForceStop() {
  if (Lang::AskStopConversion() != Dialogs::Button::Yes) return;
  emit ForceStopClicked();
}

void ProgressWindow::Done() { close(); }

void ProgressWindow::ShowErrors() {
  errorPanel->setVisible(true);
  resize(width(), S(TallHeight));
  failedFileList->setFocus(Qt::OtherFocusReason);
}

void ProgressWindow::ShowSelectedFailure() {
  const int k = failedFileList->currentRow();
  if (k < 0 || k >= failures_.size() || failedFileList->selectedItems().isEmpty()) return;
  const Conversion::FailedStep& failure = failures_.at(k);
  failedStage->setText(failure.Stage);
  failureDescription->setText(failure.Description);
  failedCommand->setPlainText(failure.Command);
  failedConsole->setPlainText(failure.Console);
}

void ProgressWindow::ShowStarted() {
  errorCountBox->setText(Lang::TxtErrors().trimmed() + " 0");
  show();
}

void ProgressWindow::ShowInput(int index, int count, const QString& file) {
  currentFile->setText(file);
  fileCounter->setText(QString::number(index) + "/" + QString::number(count));
  stage->clear();
}

void ProgressWindow::ShowStage(const QString& caption, bool stopEnabled) {
  stage->setText(caption);
  stopButton->setEnabled(stopEnabled);
}

void ProgressWindow::ShowConsoleLine(const QString& line) { consoleLine->setText(line); }

void ProgressWindow::ShowInputEnded() {
  stage->clear();
  consoleLine->clear();
}

void ProgressWindow::ShowFailure(const Conversion::FailedStep&, int errorCount) {
  errorCountBox->setText(Lang::TxtErrors().trimmed() + " " + QString::number(errorCount));
}

void ProgressWindow::ShowEnded(bool stopped) {
  if (stopped) {
    currentFile->setText(Lang::TxtProcessStopped());
  } else {
    currentFile->setText(Lang::TxtProcessEnded());
    fileCounter->clear();
  }
}

// "Hecho" takes the place of the stop buttons, with "Ver errores" beside it
// when something failed.
void ProgressWindow::ShowFinished(const QList<Conversion::FailedStep>& failures) {
  showErrorsButton->setVisible(!failures.isEmpty());
  doneButton->setVisible(true);
  stopButton->setVisible(false);
  forceStopButton->setVisible(false);
  // The window is now a dialog with one answer: Enter gives it.
  doneButton->setAutoDefault(true);
  doneButton->setFocus(Qt::OtherFocusReason);
  failures_ = failures;
  for (const Conversion::FailedStep& failed : failures) failedFileList->addItem(failed.File);
}

void ProgressWindow::OnCurrentFileChanged() { CaretToEnd(currentFile); }
// A line longer than the box keeps its newest part in view.
void ProgressWindow::OnConsoleLineChanged() { consoleLine->moveCursor(QTextCursor::End); }

bool ProgressWindow::RefusesClose() {
  bool cancel = false;
  if (Conversion::State().Running) {
    Lang::MsgStopProcessFirst();
    cancel = true;
  }
  if (errorPanel->isVisible()) {
    errorPanel->hide();
    resize(width(), S(ShortHeight));
    doneButton->setFocus(Qt::OtherFocusReason);
    cancel = true;
  }
  return cancel;
}

void ProgressWindow::Unload() {
  Conversion::ClearRun();
  if (QWidget* main = MainWindowLink::Window()) ModalWindow::ShowAgain(main);
}

void ProgressWindow::closeEvent(QCloseEvent* event) {
  if (RefusesClose()) {
    event->ignore();
    return;
  }
  Unload();
  event->accept();
}
