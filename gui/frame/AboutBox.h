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

  void Load();
  void Donate();
  void OpenWebPage();

  QLabel* iconLabel = nullptr;
  QLabel* versionLabel = nullptr;
  QPlainTextEdit* licenceText = nullptr;
  QLabel* webPageCaption = nullptr;
  QLabel* webAddressLabel = nullptr;
  QLabel* recommendSpanishLabel = nullptr;
  QLabel* donationSpanishLabel = nullptr;
  QLabel* recommendEnglishLabel = nullptr;
  QLabel* donationEnglishLabel = nullptr;
  QLabel* publisherLabel = nullptr;
  QLabel* copyrightLabel = nullptr;
  QFrame* separatorLine = nullptr;
  QPushButton* donateButton = nullptr;
  QPushButton* closeButton = nullptr;  // Enter's button

 private:
  void CreateControls();
  QLabel* AddLabel(const char* name, const QString& text);
};
