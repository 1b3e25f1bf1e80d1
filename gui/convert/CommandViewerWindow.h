#pragma once

#include <QDialog>

#include "core/convert/CommandView.h"

class QGroupBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;

// The command viewer: what the next conversion will run, in two pages.
class CommandViewerWindow : public QDialog {
  Q_OBJECT

 public:
  using CellReader = Conversion::CellReader;

  explicit CommandViewerWindow(QWidget* owner);

  // Puts the table into the boxes; with twoPass the encoding and converting
  // boxes also show their second pass on a line of their own.
  void ShowTable(const CellReader& cell, bool twoPass, bool multiOutput);

  // Either arrow button shows the other page.
  void FlipPage();

  QGroupBox* commandsPage = nullptr;
  QGroupBox* outputPage = nullptr;
  QLabel* audioExtractionLabel = nullptr;
  QLabel* audioEncodingLabel = nullptr;
  QLabel* videoExtractionLabel = nullptr;
  QLabel* videoEncodingLabel = nullptr;
  QLabel* muxingLabel = nullptr;
  QLabel* audioEncoderLabel = nullptr;
  QLabel* videoEncoderLabel = nullptr;
  QLabel* extensionLabel = nullptr;
  QLabel* multiOutputLabel = nullptr;
  // By the number of each box's object name, Text1 to Text16, the number by
  // which CommandViewBoxes names the box of each cell.
  QPlainTextEdit* boxes[17] = {};
  QPushButton* nextPageButton = nullptr;
  QPushButton* previousPageButton = nullptr;

 private:
  void CreateCommandsPage();
  void CreateOutputPage();
};
