#pragma once

#include <QMainWindow>

#include "gui/convert/ProfileChoice.h"

class QAction;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QPushButton;

// The main window: the input file list, where the output goes, the format and
// editing profiles, and the menus that open every tool.
class MainWindow : public QMainWindow {
  Q_OBJECT

 public:
  explicit MainWindow(QWidget* parent = nullptr);
  ~MainWindow() override;

  // The live main window, or nullptr before it exists and after it has gone.
  static MainWindow* Instance();

  // The load handler; the program calls it once after construction.
  void Load();

  // The selected row of fileList, or -1. A row that is only current (the list
  // got the focus, or a click cleared the selection) is no selection.
  int SelectedRow() const;

  // Every handler below that starts a tool (a probe, the player, a conversion,
  // a tool's own text, a window that lists devices or ffmpeg's capabilities or
  // probes a test file) first asks whether the tool runner is free. When
  // another tool runs it says so once and does nothing else: it never shows an
  // empty result as real.

  // File list.
  // Lets the user pick files (several at once) and appends them; a cancelled
  // dialog changes nothing.
  void AddFiles();
  // Removes the selected file; nothing without a selection.
  void RemoveSelectedFile();
  void RemoveAllFiles();
  void AddFolder();
  void AddDroppedPaths(const QStringList& paths);
  void MoveSelectedFileUp();
  void MoveSelectedFileDown();
  void PlaySelectedFile();
  void AnalyseSelectedFile();
  // Output choice.
  void OnOutputModeChosen();
  void BrowseOutputPath();
  void OnOutputPathEdited();
  void OnExtensionEdited();
  // Conversion.
  void Convert();
  // Asks for the seconds to convert, then converts that much of the selected file.
  void ConvertForTest();
  void ShowCommands();
  // Help and tools.
  void ShowFfmpegLicence();
  void ShowFfmpegHelp();
  void ShowCdda2wavHelp();
  void RipCd();
  void AddCdTracks();
  void Record();
  void Stream();
  void OpenFormatEditor();
  void OpenEditingProfileEditor();
  // Format profile choice.
  void OnFormatProfileChosen();
  void OnFormatProfileTyped();
  void ChooseFormatProfile();
  void EditFormatProfile();
  // Editing profile choice.
  void OnEditingProfileChosen();
  void OnEditingProfileTyped();
  void ChooseEditingProfile();
  void EditEditingProfile();

  QGroupBox* fileListFrame = nullptr;
  QListWidget* fileList = nullptr;
  QPushButton* addFilesButton = nullptr;
  QPushButton* removeFileButton = nullptr;
  QPushButton* moveUpButton = nullptr;
  QPushButton* moveDownButton = nullptr;
  QGroupBox* outputFrame = nullptr;
  QComboBox* outputModeCombo = nullptr;
  // The output file or folder.
  QLineEdit* outputPath = nullptr;
  QPushButton* browseOutputButton = nullptr;
  QLabel* extensionLabel = nullptr;
  QComboBox* extensionCombo = nullptr;
  QGroupBox* profilesFrame = nullptr;
  QLabel* formatProfileLabel = nullptr;
  QComboBox* formatProfileCombo = nullptr;
  QPushButton* chooseFormatProfileButton = nullptr;
  QPushButton* editFormatProfileButton = nullptr;
  QLabel* editingProfileLabel = nullptr;
  QComboBox* editingProfileCombo = nullptr;
  QPushButton* chooseEditingProfileButton = nullptr;
  QPushButton* editEditingProfileButton = nullptr;
  QPushButton* convertButton = nullptr;

  QMenu* fileMenu = nullptr;
  QAction* addFilesAction = nullptr;
  QAction* removeFileAction = nullptr;
  QAction* addCdTracksAction = nullptr;
  QAction* addFolderAction = nullptr;
  QAction* removeAllFilesAction = nullptr;
  QAction* playAction = nullptr;
  QAction* analyseAction = nullptr;
  QAction* exitAction = nullptr;
  QMenu* toolsMenu = nullptr;
  QAction* manageFormatsAction = nullptr;
  QAction* manageFiltersAction = nullptr;
  QAction* manageAudioCodecsAction = nullptr;
  QAction* manageVideoCodecsAction = nullptr;
  QAction* manageEditingProfilesAction = nullptr;
  QAction* filterEditorAction = nullptr;
  QAction* codecEditorAction = nullptr;
  QAction* formatEditorAction = nullptr;
  QAction* editingProfileEditorAction = nullptr;
  QAction* ripCdAction = nullptr;
  QAction* recordAction = nullptr;
  QAction* streamAction = nullptr;
  QAction* toolPathsAction = nullptr;
  QAction* languageAction = nullptr;
  QMenu* convertMenu = nullptr;
  QAction* convertAction = nullptr;
  QAction* showCommandsAction = nullptr;
  QAction* testConversionAction = nullptr;
  QMenu* runOptionsMenu = nullptr;
  QAction* twoPassAction = nullptr;
  QAction* replaceFilesAction = nullptr;
  QAction* deleteOriginalsAction = nullptr;
  QMenu* helpMenu = nullptr;
  QAction* ffmpegLicenceAction = nullptr;
  QAction* ffmpegHelpAction = nullptr;
  QAction* aboutCdda2wavAction = nullptr;
  QAction* aboutExternalCodecAction = nullptr;
  QAction* aboutAction = nullptr;
  QAction* programHelpAction = nullptr;
  QAction* donateAction = nullptr;

 protected:
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void CreateFileFrame(QWidget* central);
  void CreateOutputFrame(QWidget* central);
  void CreateProfileFrame(QWidget* central);
  void CreateMenus();
  void WireControls();
  void OnRunOptionToggled();
  // Shows the conversion's run options in the option menu.
  void ShowRunOptions();
  // Refills fileList from the input list. A selected line stays selected, or the
  // last line when the list has become shorter.
  void ShowFileList();
  void Unload();
  ProfileChoice::Controls FormatChoice();
  ProfileChoice::Controls EditChoice();
  // The last accepted text of each profile box; typing is undone to it.
  QString acceptedFormatText;
  QString acceptedEditingText;
};
