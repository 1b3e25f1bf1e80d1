#pragma once

#include <QMainWindow>
#include <QStringList>

#include "core/formats/ExternalCodecEditor.h"

class QAction;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QPlainTextEdit;
class QPushButton;

// The external codec editor: an accordion of three sections (General, codec
// parameters, ffmpeg parameters) and the parameter frame laid over them. The
// definition itself lives in ExternalCodecEditor; the handlers hand it what the user
// did, and the window follows the module's notifier.
class CodecEditorWindow : public QMainWindow {
  Q_OBJECT

 public:
  explicit CodecEditorWindow(QWidget* parent = nullptr);
  ~CodecEditorWindow() override;

  // The loaded editor window, or nullptr.
  static CodecEditorWindow* Instance();

  // Opens the editor over the whole program on a new definition (empty name)
  // or on the named .qca (kind 0) or .qcv (kind 1); returns when it closes.
  static void ShowEditor(const QString& name, uint8_t kind);

  // The load handler: design texts, sections in place, type "Audio", size.
  void Form_Load();

  // Show the definition; they answer the module's notifier.
  void ShowRecord(const QStringList& editableCaptions);
  void ShowType();
  void ShowEditableOptions(const QStringList& captions);
  void ShowFfmpegSection();
  // Refills List1 from the rows and selects the given row (-1 = none).
  void RefreshParamList(int selected);
  // Hides the three sections and the parameter frame.
  void CollapseSections();
  // Lays out the accordion for section 1 (General), 2 (ffmpeg) or 3 (codec parameters).
  void ShowTab(int section);

  // Handlers.
  void Command1_Click();
  void Command2_Click();
  void Command3_Click();
  void Command4_Click();
  void Command5_Click();
  void Command6_Click();
  void Command7_Click();
  void Command8_Click();
  void Command9_Click();
  void Command10_Click();
  void Command11_Click();
  void Combo1_Click();
  void Combo3_Click();
  void List1_DblClick();
  void List2_Click();
  void Text2_Change();
  void Text3_Change();
  void Combo2_Change();
  void Combo4_Change();
  void View_Doc_Click();
  void View_ffmpegHelp_Click();
  // Opens the parameter frame on a new row (isNew) or on the selected one.
  void EditParameter(bool isNew);

  QMenu* Menu_File = nullptr;
  QAction* File_OpenA = nullptr;
  QAction* File_OpenV = nullptr;
  QAction* File_sep1 = nullptr;
  QAction* File_ImportA = nullptr;
  QAction* File_ImportV = nullptr;
  QAction* File_sep2 = nullptr;
  QAction* File_Save = nullptr;
  QAction* File_SaveAs = nullptr;
  QAction* File_sep3 = nullptr;
  QAction* File_UndoChanges = nullptr;
  QAction* File_sep4 = nullptr;
  QAction* File_Close = nullptr;
  QAction* File_Exit = nullptr;
  QMenu* Menu_View = nullptr;
  QAction* View_Doc = nullptr;
  QAction* View_ffmpegHelp = nullptr;
  QAction* View_ProgHelp = nullptr;

  QPushButton* Command9 = nullptr;  // "General"
  QGroupBox* Frame1 = nullptr;
  QLabel* Label1 = nullptr;
  QLineEdit* Text1 = nullptr;  // executable path, read-only
  QPushButton* Command1 = nullptr;
  QLabel* Label3 = nullptr;
  QPlainTextEdit* Text2 = nullptr;  // about text
  QLabel* Label12 = nullptr;
  QComboBox* Combo1 = nullptr;  // "Audio", "Video"
  QLabel* Label13 = nullptr;
  QComboBox* Combo4 = nullptr;  // output extension

  QPushButton* Command10 = nullptr;  // "Parámetros del códec"
  QGroupBox* Frame3 = nullptr;
  QListWidget* List1 = nullptr;
  QPushButton* Command4 = nullptr;  // "+"
  QPushButton* Command5 = nullptr;  // "-"
  QPushButton* Command7 = nullptr;  // "<"
  QPushButton* Command6 = nullptr;  // ">"
  QPlainTextEdit* Text7 = nullptr;  // the note on the order

  QPushButton* Command11 = nullptr;  // "Parámetros ffmpeg"
  QGroupBox* Frame2 = nullptr;
  QLabel* Label4 = nullptr;
  QComboBox* Combo2 = nullptr;  // intermediate file extension
  QLabel* Label7 = nullptr;
  QLineEdit* Text3 = nullptr;  // ffmpeg parameters
  QPushButton* Command2 = nullptr;
  QLabel* Label8 = nullptr;
  QListWidget* List2 = nullptr;  // editable ffmpeg options

  QGroupBox* Frame4 = nullptr;  // "Modificar parámetro"
  QLabel* Label5 = nullptr;
  QLineEdit* Text4 = nullptr;  // label; its tag is the label before editing
  QLabel* Label6 = nullptr;
  QComboBox* Combo3 = nullptr;  // kind
  QLabel* Label9 = nullptr;
  QLineEdit* Text5 = nullptr;  // switch
  QLabel* Label10 = nullptr;
  QLineEdit* Text6 = nullptr;  // default
  QLabel* Label11 = nullptr;
  QPlainTextEdit* Text8 = nullptr;  // suggested values, one per line
  QCheckBox* Check1 = nullptr;
  QPushButton* Command3 = nullptr;  // "Aceptar"
  QPushButton* Command8 = nullptr;  // "Cancelar"

 protected:
  void closeEvent(QCloseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void CreateControls();
  void CreateMenus();
  QWidget* CreateGeneralSection();
  QWidget* CreateCodecSection();
  QWidget* CreateFfmpegSection();
  void CreateParameterFrame();
  void WireControls();
  // Follows what the module says about the definition.
  void ListenToEditor();
  void SetMenusEnabled(bool enabled);
  void SetKindControls(int kind);
  void ToggleSection(QGroupBox* frame, int section);
  int SelectedRow() const;
  // The message for a profile that cannot give the ffmpeg section its options.
  static void ShowRefusal(ExternalCodecEditor::ExtractRefusal refusal);
  // 1 while code fills the controls: their handlers then write nothing.
  uint8_t Loading = 0;
  // Whether the window may close; the close request's questions.
  bool Form_QueryUnload();
};
