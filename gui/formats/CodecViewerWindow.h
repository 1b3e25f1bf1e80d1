#pragma once

#include <QDialog>
#include <cstdint>

class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;

// The external codec viewer: a codec's name, description and program, with
// a way to point it at another program; in list mode a panel over the
// details lists every codec.
class CodecViewerWindow : public QDialog {
  Q_OBJECT

 public:
  explicit CodecViewerWindow(QWidget* owner = nullptr);
  ~CodecViewerWindow() override;

  // The loaded viewer, or nullptr.
  static CodecViewerWindow* Instance();

  // The load handler: design texts, the list panel over the details, the width.
  void Form_Load();
  // Fills List1 with every codec the viewer knows.
  void ListAllCodecs();
  // Reads a codec and shows its details; false after the message when it cannot be read.
  bool ShowCodec(const QString& path, uint8_t isVideo);
  // Fills the details and hides the list panel.
  void ShowDetails(const QString& name, const QString& about, const QString& exePath);
  // Opens the entry selected in List1.
  void ShowSelectedCodec();

  void Command1_Click();  // "...": another program
  void Command3_Click();  // ">>": the program in the file manager of the desktop

  QWidget* Picture1 = nullptr;  // the list panel
  QListWidget* List1 = nullptr;
  QPushButton* Command2 = nullptr;  // ">>": open the selected entry
  QLabel* Label1 = nullptr;
  QLineEdit* Text1 = nullptr;       // name
  QPlainTextEdit* Text2 = nullptr;  // about text
  QLabel* Label2 = nullptr;
  QLineEdit* Text3 = nullptr;  // program path as stored; its tag holds the path as loaded
  QPushButton* Command1 = nullptr;
  QPushButton* Command3 = nullptr;

  // 1 = the window shows one given codec; 0 = the list of all codecs.
  uint8_t ShowOne = 0;
  // The program path the user entered; "" = unchanged.
  QString NewExePath;

  // The path as loaded; a different Text3 counts as a change.
  QString Text3Tag() const;

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void reject() override;

 private:
  void CreateControls();
  void WireControls();
  bool Form_QueryUnload();
  void Form_Unload();
  void ClearDetails();
  bool PathChanged() const;
};

namespace CodecViewer {

// Shows the viewer modally over owner: the list of all codecs when path is
// empty, else the codec of the .qca/.qcv file or the audio (isVideo 0) or
// video codec embedded in the .qfm file. Returns the program path the user
// entered, as stored (relative to the program folder when inside it), or "".
QString ShowCodecInfo(QWidget* owner, const QString& path, uint8_t isVideo);

}  // namespace CodecViewer
