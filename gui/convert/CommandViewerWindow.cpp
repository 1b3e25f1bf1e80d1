#include "gui/convert/CommandViewerWindow.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStackedLayout>
#include <QVBoxLayout>

#include "core/convert/CommandView.h"
#include "core/lang/Lang.h"
#include "gui/ground/WidgetFactory.h"
#include "gui/lang/Translators.h"

namespace {

// Read-only boxes; a two-pass stage shows its second pass on a second line.
QPlainTextEdit* MakeBox(QWidget* parent, int number) {
  auto* box = new QPlainTextEdit(parent);
  box->setObjectName(QString("Text%1").arg(number));
  box->setReadOnly(true);
  box->setLineWrapMode(QPlainTextEdit::NoWrap);
  box->setFixedHeight(box->fontMetrics().lineSpacing() * 2 + 12);
  return box;
}

}  // namespace

CommandViewerWindow::CommandViewerWindow(QWidget* owner) : QDialog(owner) {
  setObjectName("Form10");
  setWindowTitle("Linea de comandos");
  CreateFrame1();
  CreateFrame2();

  // Both pages take the same place; the buttons flip between them.
  auto* pages = new QStackedLayout;
  pages->setStackingMode(QStackedLayout::StackAll);
  pages->addWidget(Frame1);
  pages->addWidget(Frame2);
  Frame2->hide();

  Command2 = new QPushButton("<", this);
  Command2->setObjectName("Command2");
  Command1 = new QPushButton(">", this);
  Command1->setObjectName("Command1");
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(Command2);
  buttons->addWidget(Command1);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(pages);
  layout->addLayout(buttons);
  WidgetFactory::SetEnterButton(this, nullptr);
  resize(6225 / 15, sizeHint().height());

  connect(Command1, &QPushButton::clicked, this, &CommandViewerWindow::Command1_Click);
  connect(Command2, &QPushButton::clicked, this, &CommandViewerWindow::Command2_Click);
  Lang::TranslateForm10();
}

void CommandViewerWindow::CreateFrame1() {
  Frame1 = new QGroupBox(this);
  Frame1->setObjectName("Frame1");
  auto* grid = new QGridLayout(Frame1);
  Text[2] = MakeBox(Frame1, 2);
  Text[2]->setPlainText("Parámetros de entrada");
  Text[4] = MakeBox(Frame1, 4);
  Text[4]->setPlainText("Parámetros de salida");
  grid->addWidget(Text[2], 0, 1);
  grid->addWidget(Text[4], 0, 2);

  Label1 = WidgetFactory::Create<QLabel>(Frame1, "Label1", "Extracción de audio:");
  Label2 = WidgetFactory::Create<QLabel>(Frame1, "Label2", "Codificación de audio:");
  Label3 = WidgetFactory::Create<QLabel>(Frame1, "Label3", "Extracción de video:");
  Label4 = WidgetFactory::Create<QLabel>(Frame1, "Label4", "Codificación de video:");
  Label5 =
      WidgetFactory::Create<QLabel>(Frame1, "Label5", "Mezclado ó codificación de Audio-Video");
  const QLabel* labels[] = {Label1, Label2, Label3, Label4, Label5};
  const int boxes[][2] = {{1, 3}, {5, 6}, {7, 8}, {9, 10}, {11, 12}};
  for (int row = 0; row < 5; ++row) {
    grid->addWidget(const_cast<QLabel*>(labels[row]), row + 1, 0);
    for (int side = 0; side < 2; ++side) {
      const int number = boxes[row][side];
      Text[number] = MakeBox(Frame1, number);
      grid->addWidget(Text[number], row + 1, side + 1);
    }
  }
}

void CommandViewerWindow::CreateFrame2() {
  Frame2 = new QGroupBox(this);
  Frame2->setObjectName("Frame2");
  auto* grid = new QGridLayout(Frame2);
  Label6 = WidgetFactory::Create<QLabel>(Frame2, "Label6", "Ejecutable para codificar audio:");
  Label7 = WidgetFactory::Create<QLabel>(Frame2, "Label7", "Ejecutable para codificar video:");
  Label8 = WidgetFactory::Create<QLabel>(Frame2, "Label8", "Extensió de archivo de salida:");
  Label9 = WidgetFactory::Create<QLabel>(Frame2, "Label9",
                                         "¿La conversión genera múltiples archivos de salida?");
  QLabel* labels[] = {Label6, Label7, Label8, Label9};
  for (int row = 0; row < 4; ++row) {
    Text[13 + row] = MakeBox(Frame2, 13 + row);
    grid->addWidget(labels[row], row, 0);
    grid->addWidget(Text[13 + row], row, 1);
  }
}

void CommandViewerWindow::ShowTable(const CellReader& cell, bool twoPass, bool multiOutput) {
  for (const auto& [box, text] : Conversion::CommandViewBoxes(cell, twoPass, multiOutput)) {
    Text[box]->setPlainText(text);
  }
}

void CommandViewerWindow::FlipPage() {
  Frame1->setHidden(!Frame1->isHidden());
  Frame2->setHidden(!Frame1->isHidden());
}

void CommandViewerWindow::Command1_Click() { FlipPage(); }
void CommandViewerWindow::Command2_Click() { FlipPage(); }
