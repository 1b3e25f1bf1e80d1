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

  void Load();
  // Every close request: false refuses it (the open panel is closed instead).
  bool MayClose();
  // Opens the language-file maker over the chooser.
  void OpenMaker();
  // Deletes the selected custom language.
  void DeleteLanguage();
  // Saves the translated template as a new language.
  void SaveLanguage();
  void UseEnglishTemplate();
  void UseSpanishTemplate();
  void Apply();
  void Cancel();
  void Accept();
  void OnTemplateEdited();

  QComboBox* languageCombo = nullptr;
  QPushButton* openMakerButton = nullptr;
  QPushButton* deleteLanguageButton = nullptr;
  QPushButton* applyButton = nullptr;
  QPushButton* cancelButton = nullptr;
  QPushButton* okButton = nullptr;
  QWidget* makerPanel = nullptr;
  QLabel* makerHelpLabel = nullptr;
  QPlainTextEdit* instructionsText = nullptr;
  QPlainTextEdit* templateText = nullptr;
  QPushButton* englishTemplateButton = nullptr;
  QPushButton* spanishTemplateButton = nullptr;
  QPushButton* saveLanguageButton = nullptr;

  QString languageAtOpen;
  bool templateIsEnglish = false;
  bool templateEdited = false;

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
