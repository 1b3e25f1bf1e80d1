#pragma once

#include <QDialog>

class QFrame;
class QLabel;
class QPlainTextEdit;
class QPushButton;

// The about box: version, licence, web page and donation button.
class AboutBox : public QDialog {
  Q_OBJECT

 public:
  explicit AboutBox(QWidget* owner);
  // Loads the about box and shows it modally over owner.
  static void ShowModal(QWidget* owner);

  void Form_Load();
  void Command1_Click();  // "Donar / Donate"
  void Label9_Click();    // the web page

  QLabel* Image1 = nullptr;
  QLabel* Label1 = nullptr;         // the version
  QPlainTextEdit* Text1 = nullptr;  // the licence notice
  QLabel* Label5 = nullptr;
  QLabel* Label9 = nullptr;  // the web address
  QLabel* Label3 = nullptr;
  QLabel* Label6 = nullptr;
  QLabel* Label7 = nullptr;
  QLabel* Label8 = nullptr;
  QLabel* Label2 = nullptr;
  QLabel* Label4 = nullptr;
  QFrame* Line1 = nullptr;
  QPushButton* Command1 = nullptr;  // "Donar / Donate"
  QPushButton* Command2 = nullptr;  // "Cerrar / Close", Enter's button

 private:
  void CreateControls();
  QLabel* AddLabel(const char* name, const QString& text);
};
