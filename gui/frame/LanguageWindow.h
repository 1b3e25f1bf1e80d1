#pragma once

#include <QDialog>
#include <QString>

class QComboBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QWidget;

// The language chooser "Language / Lenguaje": picks the language in force, tries
// it on the main window at once, and holds the language-file maker, a panel in
// which the Spanish or English table is translated and saved as a .qlg file.
// Its texts are in two languages and have no translator.
class LanguageWindow : public QDialog {
  Q_OBJECT

 public:
  // Heights in design pixels (scaled to the desktop's font): the panel closed, and open.
  static constexpr int ClosedHeight = 1665 / 15;
  static constexpr int OpenHeight = 6210 / 15;

  explicit LanguageWindow(QWidget* owner);

  // Loads the window and shows it modally over owner.
  static void ShowModal(QWidget* owner);

  void Form_Load();
  // Every close request: false refuses it (the open panel is closed instead).
  bool Form_QueryUnload();
  void Command1_Click();  // "+": open the panel
  void Command2_Click();  // "-": delete the selected custom language
  void Command3_Click();  // "Save / Guardar"
  void Command4_Click();  // "Eng"
  void Command5_Click();  // "Es"
  void Command6_Click();  // "Apply / Aplicar"
  void Command7_Click();  // "Cancel / Cancelar"
  void Command8_Click();  // "Ok"
  void Text2_Change();

  QComboBox* Combo1 = nullptr;
  QPushButton* Command1 = nullptr;
  QPushButton* Command2 = nullptr;
  QPushButton* Command6 = nullptr;
  QPushButton* Command7 = nullptr;
  QPushButton* Command8 = nullptr;
  QWidget* Picture1 = nullptr;
  QLabel* Label1 = nullptr;
  QPlainTextEdit* Text1 = nullptr;
  QPlainTextEdit* Text2 = nullptr;
  QPushButton* Command4 = nullptr;
  QPushButton* Command5 = nullptr;
  QPushButton* Command3 = nullptr;

  QString LanguageAtOpen;
  quint8 TemplateIsEnglish = 0;
  quint8 TemplateEdited = 0;

 public slots:
  // The close box and Escape come here; both are close requests.
  void reject() override;

 private:
  void CreateControls();
  void CreatePanel();
  void WireControls();
  void RequestClose();
  void ClosePanel();
  void FillTemplate();
  int SelectedIndex() const;
};
