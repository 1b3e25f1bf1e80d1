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

  void Command1_Click();
  void Command2_Click();

  QGroupBox* Frame1 = nullptr;
  QGroupBox* Frame2 = nullptr;
  QLabel* Label1 = nullptr;
  QLabel* Label2 = nullptr;
  QLabel* Label3 = nullptr;
  QLabel* Label4 = nullptr;
  QLabel* Label5 = nullptr;
  QLabel* Label6 = nullptr;
  QLabel* Label7 = nullptr;
  QLabel* Label8 = nullptr;
  QLabel* Label9 = nullptr;
  QPlainTextEdit* Text[17] = {};  // Text[1] .. Text[16] as the window names them
  QPushButton* Command1 = nullptr;
  QPushButton* Command2 = nullptr;

 private:
  void CreateFrame1();
  void CreateFrame2();
  void FlipPage();
};
