#pragma once

#include <QDialog>

class QLabel;

// The about box.
class Form16 : public QDialog {
  Q_OBJECT

 public:
  explicit Form16(QWidget* owner);
  static void ShowModal(QWidget* owner);

  QLabel* Label1 = nullptr;  // the version
};
