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

void ProgressWindow::CreateControls() {
  Text1 = AddBox(this, "Text1", Margin);
  Text2 = AddBox(this, "Text2", Margin + 26);
  Text3 = AddBox(this, "Text3", Margin + 52);
  Text4 = AddBox(this, "Text4", Margin + 78);
  // Rows enough for the whole of ffmpeg's status line.
  Text5 = new WrappingLineBox(this);
  Text5->setObjectName("Text5");
  Text5->setGeometry(S(Margin), S(StatusTop), S(BoxWidth), S(StatusHeight));

  Command3 = AddButton(this, "Command3", 0);
  Command4 = AddButton(this, "Command4", 1);
  Command2 = AddButton(this, "Command2", 2);
  Command1 = AddButton(this, "Command1", 3);
  Command2->hide();
  Command3->hide();

  Picture1 = new QWidget(this);
  Picture1->setObjectName("Picture1");
  Picture1->setGeometry(S(Margin), S(150), S(BoxWidth),
                        S(TallHeight - Margin - ButtonHeight - 2 * Margin - Margin));
  Picture1->setAutoFillBackground(true);
  Picture1->hide();
  Label1 = AddLabel(Picture1, "Label1", 0);
  List1 = new QListWidget(Picture1);
  List1->setObjectName("List1");
  List1->setGeometry(0, S(18), S(BoxWidth), S(80));
  Label2 = AddLabel(Picture1, "Label2", 102);
  Text6 = AddBox(Picture1, "Text6", 118);
  Text6->move(0, S(118));
  Label3 = AddLabel(Picture1, "Label3", 144);
  Text7 = AddBox(Picture1, "Text7", 160);
  Text7->move(0, S(160));
  Label4 = AddLabel(Picture1, "Label4", 186);
  Text8 = AddTextArea(Picture1, "Text8", 202, 50);
  Label5 = AddLabel(Picture1, "Label5", 256);
  Text9 = AddTextArea(Picture1, "Text9", 272, 64);
}

void ProgressWindow::WireControls() {
  connect(Command1, &QPushButton::clicked, this, &ProgressWindow::Command1_Click);
  connect(Command2, &QPushButton::clicked, this, &ProgressWindow::Command2_Click);
  connect(Command3, &QPushButton::clicked, this, &ProgressWindow::Command3_Click);
  connect(Command4, &QPushButton::clicked, this, &ProgressWindow::Command4_Click);
  connect(List1, &QListWidget::itemSelectionChanged, this, &ProgressWindow::List1_Click);
  connect(Text1, &QLineEdit::textChanged, this, &ProgressWindow::Text1_Change);
  connect(Text5, &QPlainTextEdit::textChanged, this, &ProgressWindow::Text5_Change);
}

void ProgressWindow::Form_Load() {
  Lang::TranslateForm12();
  if (QWidget* main = MainWindowLink::Window()) main->setVisible(false);
  // At the end "Hecho" takes the place of "Detener" and "Ver errores" stands beside it.
  Command3->move(Command2->x(), Command3->y());
  Command2->move(Command1->x(), Command2->y());
  Command4->setText(Command1->text() + " (force)");
  Command4->resize(qMax(S(ButtonWidth), Command4->sizeHint().width()), S(ButtonHeight));
  Picture1->move(Text1->pos());
  for (QLineEdit* box : {Text1, Text2, Text3, Text4}) box->clear();
  Text5->clear();
  resize(S(Width), S(ShortHeight));
  WidgetFactory::SetListHorizontalExtent(List1, 1800);
}

void ProgressWindow::PlaceButtons() {
  for (QPushButton* button : {Command1, Command2, Command3, Command4})
    button->move(button->x(), height() - S(Margin + ButtonHeight));
}

void ProgressWindow::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  PlaceButtons();
}

void ProgressWindow::Command1_Click() { emit StopClicked(); }

void ProgressWindow::Command4_Click() {
  if (Lang::AskStopConversion() != 6) return;
  emit ForceStopClicked();
}

void ProgressWindow::Command2_Click() { close(); }

void ProgressWindow::Command3_Click() {
  Picture1->setVisible(true);
  resize(width(), S(TallHeight));
}

void ProgressWindow::List1_Click() {
  const int k = List1->currentRow();
  if (k < 0 || k >= failures_.size() || List1->selectedItems().isEmpty()) return;
  const Conversion::FailedStep& failure = failures_.at(k);
  Text6->setText(failure.Stage);
  Text7->setText(failure.Description);
  Text8->setPlainText(failure.Command);
  Text9->setPlainText(failure.Console);
}

void ProgressWindow::ShowStarted() {
  Text3->setText(Lang::TxtErrors().trimmed() + " 0");
  show();
}

void ProgressWindow::ShowInput(int index, int count, const QString& file) {
  Text1->setText(file);
  Text2->setText(QString::number(index) + "/" + QString::number(count));
  Text4->clear();
}

void ProgressWindow::ShowStage(const QString& caption, bool stopEnabled) {
  Text4->setText(caption);
  Command1->setEnabled(stopEnabled);
}

void ProgressWindow::ShowConsoleLine(const QString& line) { Text5->setText(line); }

void ProgressWindow::ShowInputEnded() {
  Text4->clear();
  Text5->clear();
}

void ProgressWindow::ShowFailure(const Conversion::FailedStep&, int errorCount) {
  Text3->setText(Lang::TxtErrors().trimmed() + " " + QString::number(errorCount));
}

void ProgressWindow::ShowEnded(bool stopped) {
  if (stopped) {
    Text1->setText(Lang::TxtProcessStopped());
  } else {
    Text1->setText(Lang::TxtProcessEnded());
    Text2->clear();
  }
}

// "Hecho" takes the place of the stop buttons, with "Ver errores" beside it
// when something failed.
void ProgressWindow::ShowFinished(const QList<Conversion::FailedStep>& failures) {
  Command3->setVisible(!failures.isEmpty());
  Command2->setVisible(true);
  Command1->setVisible(false);
  Command4->setVisible(false);
  // The window is now a dialog with one answer: Enter gives it.
  Command2->setAutoDefault(true);
  Command2->setFocus(Qt::OtherFocusReason);
  failures_ = failures;
  for (const Conversion::FailedStep& failed : failures) List1->addItem(failed.File);
}

void ProgressWindow::Text1_Change() { CaretToEnd(Text1); }
// A line longer than the box keeps its newest part in view.
void ProgressWindow::Text5_Change() { Text5->moveCursor(QTextCursor::End); }

bool ProgressWindow::Form_QueryUnload() {
  bool cancel = false;
  if (Conversion::State().Running == 1) {
    Lang::MsgStopProcessFirst();
    cancel = true;
  }
  if (Picture1->isVisible()) {
    Picture1->hide();
    resize(width(), S(ShortHeight));
    cancel = true;
  }
  return cancel;
}

void ProgressWindow::Form_Unload() {
  Conversion::ClearRun();
  if (QWidget* main = MainWindowLink::Window()) ModalWindow::ShowAgain(main);
}

void ProgressWindow::closeEvent(QCloseEvent* event) {
  if (Form_QueryUnload()) {
    event->ignore();
    return;
  }
  Form_Unload();
  event->accept();
}
