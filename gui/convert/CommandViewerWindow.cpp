#include "gui/convert/CommandViewerWindow.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStackedLayout>
#include <QStyle>
#include <QTextDocument>
#include <QVBoxLayout>
#include <QtMath>

#include "core/convert/CommandView.h"
#include "core/lang/Lang.h"
#include "gui/ground/WidgetFactory.h"
#include "gui/lang/Translators.h"

namespace {

// The room a box takes around its text on each side: frame and margin.
int TextInset(const QPlainTextEdit* box) {
  return box->frameWidth() + qCeil(box->document()->documentMargin());
}

// Read-only boxes; a two-pass stage shows its second pass on a second line,
// and both lines stay in view above the scroll bar of a long command. The
// editor takes its last line for seen only with a pixel to spare below it.
QPlainTextEdit* MakeBox(QWidget* parent, int number) {
  auto* box = new QPlainTextEdit(parent);
  box->setObjectName(QString("Text%1").arg(number));
  box->setReadOnly(true);
  box->setLineWrapMode(QPlainTextEdit::NoWrap);
  box->setFixedHeight(box->fontMetrics().lineSpacing() * 2 + 2 * TextInset(box) + 1 +
                      box->style()->pixelMetric(QStyle::PM_ScrollBarExtent));
  return box;
}

// A box that names a column is as wide as its caption at least.
void FitToCaption(QPlainTextEdit* box) {
  box->setMinimumWidth(box->fontMetrics().horizontalAdvance(box->toPlainText()) +
                       2 * TextInset(box));
}

}  // namespace

CommandViewerWindow::CommandViewerWindow(QWidget* owner) : QDialog(owner) {
  setObjectName("Form10");
  setWindowTitle("Linea de comandos");
  // The boxes are read-only: the keyboard starts on the buttons.
  previousPageButton = new QPushButton("<", this);
  previousPageButton->setObjectName("Command2");
  nextPageButton = new QPushButton(">", this);
  nextPageButton->setObjectName("Command1");
  CreateCommandsPage();
  CreateOutputPage();

  // Both pages take the same place; the buttons flip between them.
  auto* pages = new QStackedLayout;
  pages->setStackingMode(QStackedLayout::StackAll);
  pages->addWidget(commandsPage);
  pages->addWidget(outputPage);
  outputPage->hide();

  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(previousPageButton);
  buttons->addWidget(nextPageButton);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(pages);
  layout->addLayout(buttons);
  WidgetFactory::SetEnterButton(this, nullptr);
  resize(6225 / 15, sizeHint().height());

  connect(nextPageButton, &QPushButton::clicked, this, &CommandViewerWindow::FlipPage);
  connect(previousPageButton, &QPushButton::clicked, this, &CommandViewerWindow::FlipPage);
  Lang::TranslateCommandViewerWindow();
  FitToCaption(boxes[2]);
  FitToCaption(boxes[4]);
}

void CommandViewerWindow::CreateCommandsPage() {
  commandsPage = new QGroupBox(this);
  commandsPage->setObjectName("Frame1");
  auto* grid = new QGridLayout(commandsPage);
  boxes[2] = MakeBox(commandsPage, 2);
  boxes[2]->setPlainText("Parámetros de entrada");
  boxes[4] = MakeBox(commandsPage, 4);
  boxes[4]->setPlainText("Parámetros de salida");
  grid->addWidget(boxes[2], 0, 1);
  grid->addWidget(boxes[4], 0, 2);
  // The commands take the width the captions on the left leave.
  grid->setColumnStretch(1, 1);
  grid->setColumnStretch(2, 1);

  audioExtractionLabel =
      WidgetFactory::Create<QLabel>(commandsPage, "Label1", "Extracción de audio:");
  audioEncodingLabel =
      WidgetFactory::Create<QLabel>(commandsPage, "Label2", "Codificación de audio:");
  videoExtractionLabel =
      WidgetFactory::Create<QLabel>(commandsPage, "Label3", "Extracción de video:");
  videoEncodingLabel =
      WidgetFactory::Create<QLabel>(commandsPage, "Label4", "Codificación de video:");
  muxingLabel = WidgetFactory::Create<QLabel>(commandsPage, "Label5",
                                              "Mezclado ó codificación de Audio-Video");
  QLabel* const labels[] = {audioExtractionLabel, audioEncodingLabel, videoExtractionLabel,
                            videoEncodingLabel, muxingLabel};
  const int numbers[][2] = {{1, 3}, {5, 6}, {7, 8}, {9, 10}, {11, 12}};
  for (int row = 0; row < 5; ++row) {
    grid->addWidget(labels[row], row + 1, 0);
    for (int side = 0; side < 2; ++side) {
      const int number = numbers[row][side];
      boxes[number] = MakeBox(commandsPage, number);
      grid->addWidget(boxes[number], row + 1, side + 1);
    }
  }
}

void CommandViewerWindow::CreateOutputPage() {
  outputPage = new QGroupBox(this);
  outputPage->setObjectName("Frame2");
  auto* grid = new QGridLayout(outputPage);
  grid->setColumnStretch(1, 1);
  audioEncoderLabel =
      WidgetFactory::Create<QLabel>(outputPage, "Label6", "Ejecutable para codificar audio:");
  videoEncoderLabel =
      WidgetFactory::Create<QLabel>(outputPage, "Label7", "Ejecutable para codificar video:");
  extensionLabel =
      WidgetFactory::Create<QLabel>(outputPage, "Label8", "Extensió de archivo de salida:");
  multiOutputLabel = WidgetFactory::Create<QLabel>(
      outputPage, "Label9", "¿La conversión genera múltiples archivos de salida?");
  QLabel* labels[] = {audioEncoderLabel, videoEncoderLabel, extensionLabel, multiOutputLabel};
  for (int row = 0; row < 4; ++row) {
    boxes[13 + row] = MakeBox(outputPage, 13 + row);
    grid->addWidget(labels[row], row, 0);
    grid->addWidget(boxes[13 + row], row, 1);
  }
}

void CommandViewerWindow::ShowTable(const CellReader& cell, bool twoPass, bool multiOutput) {
  for (const auto& [box, text] : Conversion::CommandViewBoxes(cell, twoPass, multiOutput)) {
    boxes[box]->setPlainText(text);
  }
}

void CommandViewerWindow::FlipPage() {
  commandsPage->setHidden(!commandsPage->isHidden());
  outputPage->setHidden(!commandsPage->isHidden());
}
