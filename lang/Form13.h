#pragma once

#include <QDialog>

class QListWidget;
class QPushButton;

// The language chooser.
class Form13 : public QDialog {
  Q_OBJECT

 public:
  explicit Form13(QWidget* owner);
  static void ShowModal(QWidget* owner);

  QListWidget* List1 = nullptr;
  QPushButton* Command1 = nullptr;  // accept the chosen language

  void Command1_Click();
};
