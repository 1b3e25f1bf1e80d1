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
// parameters, ffmpeg parameters) and the parameter frame that takes their
// place while a parameter is edited. The definition itself lives in
// ExternalCodecEditor; the handlers hand it what the user did, and the window
// follows the module's notifier.
class CodecEditorWindow : public QMainWindow {
  Q_OBJECT

 public:
  explicit CodecEditorWindow(QWidget* parent = nullptr);
  ~CodecEditorWindow() override;

  // The loaded editor window, or nullptr.
  static CodecEditorWindow* Instance();

  // Opens the editor over the whole program on a new definition (empty name)
  // or on the named .qca (audio) or .qcv (video); returns when it closes.
  static void ShowEditor(const QString& name, bool isVideo);

  // The load handler: design texts, sections in place, type "Audio", size.
  void Load();

  // Show the definition; they answer the module's notifier.
  void ShowRecord(const QStringList& editableCaptions);
  void ShowType();
  void ShowEditableOptions(const QStringList& captions);
  void ShowFfmpegSection();
  // Refills paramList from the rows and selects the given row (-1 = none).
  void RefreshParamList(int selected);
  // Hides the three sections and the parameter frame.
  void CollapseSections();
  // The accordion's sections.
  enum class Section { General, Ffmpeg, CodecParameters };
  // Lays out the accordion for one section: the other two close.
  void ShowSection(Section section);

  // Handlers.
  // The accordion's buttons.
  void ToggleGeneralSection();
  void ToggleCodecSection();
  void ToggleFfmpegSection();
  // The controls that write into the definition.
  void BrowseProgram();
  void OnAboutEdited();
  void OnTypeChosen();
  void OnOutputExtensionEdited();
  void OnFfmpegExtensionEdited();
  void OnFfmpegOptionsEdited();
  void OnEditableOptionsSelected();
  // Takes the ffmpeg options of a format profile the user picks.
  void TakeFfmpegOptions();
  // The parameter list and the parameter frame.
  void AddParameter();
  void EditSelectedParameter();
  void RemoveParameter();
  void MoveParameterUp();
  void MoveParameterDown();
  void OnParamKindChosen();
  void AcceptParameter();
  void CancelParameter();
  // Opens the parameter frame on a new row (isNew) or on the selected one.
  void EditParameter(bool isNew);
  // The parameter frame in place of the sections (shown), or the sections back.
  void ShowParameterFrame(bool shown);
  // The View menu: the encoder's own documentation and ffmpeg's help, in the text viewer.
  void ShowProgramDocumentation();
  void ShowFfmpegHelp();

  // Controls.
  QMenu* fileMenu = nullptr;
  QAction* openAudioAction = nullptr;
  QAction* openVideoAction = nullptr;
  QAction* openSeparator = nullptr;
  QAction* importAudioAction = nullptr;
  QAction* importVideoAction = nullptr;
  QAction* importSeparator = nullptr;
  QAction* saveAction = nullptr;
  QAction* saveAsAction = nullptr;
  QAction* saveSeparator = nullptr;
  QAction* undoChangesAction = nullptr;
  QAction* undoSeparator = nullptr;
  QAction* closeAction = nullptr;
  QAction* exitAction = nullptr;
  QMenu* viewMenu = nullptr;
  QAction* programDocumentationAction = nullptr;
  QAction* ffmpegHelpAction = nullptr;
  QAction* programHelpAction = nullptr;

  // The accordion: each section's button with its section under it.
  QWidget* sectionsPage = nullptr;
  QPushButton* generalButton = nullptr;
  QGroupBox* generalSection = nullptr;
  QLabel* programPathLabel = nullptr;
  // The encoder program, read-only: only browseProgramButton sets it.
  QLineEdit* programPath = nullptr;
  QPushButton* browseProgramButton = nullptr;
  QLabel* aboutLabel = nullptr;
  QPlainTextEdit* aboutText = nullptr;
  QLabel* typeLabel = nullptr;
  QComboBox* typeCombo = nullptr;  // "Audio", "Video"
  QLabel* outputExtensionLabel = nullptr;
  QComboBox* outputExtensionCombo = nullptr;

  QPushButton* codecParamsButton = nullptr;
  QGroupBox* codecSection = nullptr;
  QListWidget* paramList = nullptr;
  QPushButton* addParamButton = nullptr;
  QPushButton* removeParamButton = nullptr;
  QPushButton* moveUpButton = nullptr;
  QPushButton* moveDownButton = nullptr;
  // The note on the order: the list's order is the command line's.
  QPlainTextEdit* orderNote = nullptr;

  QPushButton* ffmpegParamsButton = nullptr;
  QGroupBox* ffmpegSection = nullptr;
  QLabel* ffmpegExtensionLabel = nullptr;
  // The extension of the intermediate file ffmpeg writes for the encoder.
  QComboBox* ffmpegExtensionCombo = nullptr;
  QLabel* ffmpegOptionsLabel = nullptr;
  QLineEdit* ffmpegOptions = nullptr;
  QPushButton* takeFromProfileButton = nullptr;
  QLabel* editableOptionsLabel = nullptr;
  // The ffmpeg options the format editor lets the user set.
  QListWidget* editableOptionsList = nullptr;

  QGroupBox* paramFrame = nullptr;
  QLabel* paramLabelLabel = nullptr;
  // Its "Tag" property holds the label as it was when the frame opened.
  QLineEdit* paramLabel = nullptr;
  QLabel* paramKindLabel = nullptr;
  QComboBox* paramKindCombo = nullptr;
  QLabel* paramSwitchLabel = nullptr;
  QLineEdit* paramSwitch = nullptr;
  QLabel* paramDefaultLabel = nullptr;
  QLineEdit* paramDefault = nullptr;
  QLabel* suggestedValuesLabel = nullptr;
  // One value a line.
  QPlainTextEdit* suggestedValues = nullptr;
  QCheckBox* onlySuggestedCheck = nullptr;
  QPushButton* acceptParamButton = nullptr;
  QPushButton* cancelParamButton = nullptr;

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void CreateControls();
  void CreateMenus();
  QWidget* CreateGeneralSection();
  QWidget* CreateCodecSection();
  QWidget* CreateFfmpegSection();
  QWidget* CreateParameterFrame();
  void WireControls();
  // Follows what the module says about the definition.
  void ListenToEditor();
  void SetMenusEnabled(bool enabled);
  // The kind the parameter frame's list shows.
  ParamKind ChosenKind() const;
  void SetKindControls(ParamKind kind);
  void ToggleSection(QGroupBox* frame, Section section);
  int SelectedRow() const;
  // The message for a profile that cannot give the ffmpeg section its options.
  static void ShowRefusal(ExternalCodecEditor::ExtractRefusal refusal);
  // While code fills the controls: their handlers then write nothing.
  bool fillingControls = false;
  // Whether the window may close; the close request's questions.
  bool MayClose();
};
