#pragma once

#include <QDialog>

class QLineEdit;
class QPushButton;

// The tool-paths window: where ffmpeg, ffplay, ffprobe and cdda2wav are.
class Form9 : public QDialog {
  Q_OBJECT

 public:
  explicit Form9(QWidget* owner);
  static void ShowModal(QWidget* owner);

  QLineEdit* Text1 = nullptr;  // ffmpeg
  QLineEdit* Text2 = nullptr;  // ffplay
  QLineEdit* Text5 = nullptr;  // ffprobe
  QLineEdit* Text7 = nullptr;  // cdda2wav
  QPushButton* Command5 = nullptr;  // "Establecer"
  QPushButton* Command6 = nullptr;  // "Cancelar"

  void Command5_Click();

 private:
  QLineEdit* AddPathRow(const char* name, const QString& caption, const QString& path);
};
