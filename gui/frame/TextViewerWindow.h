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
  // closed at any time: a command still running is stopped.
  static void ShowCommandOutput(const QString& cmdLine, QObject* owner);
  // Unloads the viewer when it is open.
  static void CloseViewer();

  // Translates the window, lays the wait frame over the text and resets the search.
  void Form_Load();
  // Puts the whole output in the text box and takes the wait frame away.
  void ShowOutput(const QString& output);

  void Command1_Click();  // find next
  void Command2_Click();  // find previous
  void Command3_Click();  // font one point larger
  void Command4_Click();  // font one point smaller

  QPlainTextEdit* Text1 = nullptr;
  QGroupBox* Frame3 = nullptr;  // the wait frame
  QLabel* Label1 = nullptr;
  QGroupBox* Frame1 = nullptr;  // "Buscar"
  QLineEdit* Text2 = nullptr;
  QCheckBox* Check1 = nullptr;
  QPushButton* Command1 = nullptr;
  QPushButton* Command2 = nullptr;
  QGroupBox* Frame2 = nullptr;  // "Tamaño"
  QPushButton* Command3 = nullptr;
  QPushButton* Command4 = nullptr;

  // 0 before the first character; the next search starts after it.
  int SearchPosition = 0;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void CreateControls();
  void WireControls();
  void SelectMatch(int start);
  void ChangeFontSize(int points);
};
