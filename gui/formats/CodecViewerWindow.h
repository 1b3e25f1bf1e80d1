#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;

// The external codec viewer: a codec's name, description and program, with
// a way to point it at another program; in list mode a page before the
// details lists every codec.
class CodecViewerWindow : public QDialog {
  Q_OBJECT

 public:
  explicit CodecViewerWindow(QWidget* owner = nullptr);
  ~CodecViewerWindow() override;

  // The loaded viewer, or nullptr.
  static CodecViewerWindow* Instance();

  // The load handler: design texts, the size, and the list page up.
  void Load();
  // Fills codecList with every codec the viewer knows.
  void ListAllCodecs();
  // Reads a codec and shows its details; false after the message when it cannot be read.
  bool ShowCodec(const QString& path, bool isVideo);
  // Fills the details and shows them, with the focus on the program's browse button.
  void ShowDetails(const QString& name, const QString& about, const QString& exePath);
  // Opens the entry selected in codecList.
  void ShowSelectedCodec();

  // Points the codec at another program.
  void BrowseProgram();
  // Opens the program's folder in the desktop's file manager.
  void ShowProgramFolder();

  // The two pages: the list of every codec, and the details of one.
  QWidget* listPanel = nullptr;
  QWidget* detailsPanel = nullptr;
  QListWidget* codecList = nullptr;
  QPushButton* openEntryButton = nullptr;
  QLabel* nameLabel = nullptr;
  QLineEdit* codecName = nullptr;
  QPlainTextEdit* aboutText = nullptr;
  QLabel* programLabel = nullptr;
  // The program path as stored; its "Tag" property holds the path as loaded.
  QLineEdit* programPath = nullptr;
  QPushButton* browseProgramButton = nullptr;
  QPushButton* programFolderButton = nullptr;

  // The window shows one given codec, not the list of all codecs.
  bool showsOneCodec = false;
  // The program path the user entered; "" = unchanged.
  QString newProgramPath;

  // The path as loaded; a different programPath counts as a change.
  QString LoadedProgramPath() const;

 protected:
  void reject() override;

 private:
  void CreateControls();
  void WireControls();
  // Shows the list page, with the focus on the list.
  void ShowList();
  // Whether the window may close: closing a codec's details opened from the
  // list goes back to the list.
  bool MayClose();
  // On closing: a changed program path is what the viewer returns.
  void KeepChangedPath();
  void ClearDetails();
  bool PathChanged() const;
};

namespace CodecViewer {

// Shows the viewer modally over owner: the list of all codecs when path is
// empty, else the codec of the .qca/.qcv file or the audio (isVideo false)
// or video codec embedded in the .qfm file. Returns the program path the user
// entered, as stored (relative to the program folder when inside it), or "".
QString ShowCodecInfo(QWidget* owner, const QString& path, bool isVideo);

}  // namespace CodecViewer
