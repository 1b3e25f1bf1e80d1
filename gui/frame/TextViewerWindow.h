#pragma once

#include <QWidget>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

// The text viewer window ("Visor de texto"): a command's whole output, with a
// search and a font size.
class TextViewerWindow : public QWidget {
  Q_OBJECT

 public:
  TextViewerWindow();
  // Stops the command when it still runs.
  ~TextViewerWindow() override;

  // The loaded viewer, or nullptr.
  static TextViewerWindow* Instance();
  // Deletes the viewer, if any, whatever state it is in.
  static void Unload(TextViewerWindow* viewer);
  // Shows the output of cmdLine and returns when the viewer has closed: closed
  // by the user, by CloseViewer, by a newer call, or because owner was closed
  // or destroyed. An open viewer is replaced by the new one. The viewer can be
  // closed at any time: a command still running is stopped. No viewer stays
  // when another tool has the runner.
  static void ShowCommandOutput(const QString& cmdLine, QObject* owner);
  // Unloads the viewer when it is open.
  static void CloseViewer();

  // Translates the window, lays the wait frame over the text and resets the search.
  void Load();
  // Puts the whole output in the text box and takes the wait frame away.
  void ShowOutput(const QString& output);

  void FindNext();
  void FindPrevious();
  // The text one point larger or smaller.
  void EnlargeFont();
  void ShrinkFont();

  QPlainTextEdit* outputText = nullptr;
  QGroupBox* waitFrame = nullptr;
  QLabel* waitLabel = nullptr;
  QGroupBox* searchFrame = nullptr;
  QLineEdit* searchEdit = nullptr;
  QCheckBox* matchCaseCheck = nullptr;
  QPushButton* findNextButton = nullptr;
  QPushButton* findPreviousButton = nullptr;
  QGroupBox* fontSizeFrame = nullptr;
  QPushButton* largerFontButton = nullptr;
  QPushButton* smallerFontButton = nullptr;

  // 0 before the first character; the next search starts after it.
  int searchPosition = 0;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void CreateControls();
  void WireControls();
  void SelectMatch(int start);
  void ChangeFontSize(int points);

  // While the viewer's own command runs; a viewer that goes then stops it.
  bool readingOutput_ = false;
};
