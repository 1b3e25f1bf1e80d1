#pragma once

#include <QMainWindow>
#include <QStringList>

#include "core/editing/FilterEditor.h"
#include "core/ground/FilterDef.h"

class QAction;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QListWidget;
class QMenu;
class QPlainTextEdit;
class QPushButton;

// The filter editor: the filter's type, text and several-inputs flag, and a
// test bench that runs the filter on chosen files. The filter itself is held
// by FilterEditor.
class FilterEditorWindow : public QMainWindow {
  Q_OBJECT

 public:
  explicit FilterEditorWindow(QWidget* parent = nullptr);
  ~FilterEditorWindow() override;

  // The live window, or nullptr.
  static FilterEditorWindow* Instance();

  // Opens the editor, on the named filter when the name is not empty, and
  // returns when the window has gone.
  static void ShowEditor(const QString& name);

  void Load();
  // Unloads the window without the close question (it has been asked).
  void Unload();

  void ShowRunPanel();

  // Handlers.
  void OnParametersEdited();
  void OnMultiInputToggled();
  void OnTypeChosen();
  void OpenFilter();
  void SaveFilter();
  void SaveFilterAs();
  void UndoChanges();
  void CloseFilter();
  void Exit();
  void AddTestFiles();
  void RunTest();
  // "Detener / Atrás": stops a running test, or leaves the run panel.
  void StopOrGoBack();
  void ShowFfmpegHelp();
  void ShowProgramHelp();
  // False refuses the close.
  bool MayClose();

  QGroupBox* filterFrame = nullptr;
  QLabel* typeLabel = nullptr;
  QComboBox* typeCombo = nullptr;
  QLabel* parametersLabel = nullptr;
  QPlainTextEdit* parameters = nullptr;
  QCheckBox* multiInputCheck = nullptr;
  QGroupBox* testFrame = nullptr;
  QLabel* testFilesLabel = nullptr;
  QListWidget* testFileList = nullptr;
  QPushButton* addTestFilesButton = nullptr;
  QCheckBox* ffmpegOnlyCheck = nullptr;
  QCheckBox* muteCheck = nullptr;
  QPushButton* testButton = nullptr;
  QGroupBox* runPanel = nullptr;
  // The run panel's caption while a test runs ("Espere..."), kept while the
  // panel reads its Tag ("Finalizado") because the test has finished.
  QString runningCaption;
  bool runFinishedShown = false;
  QPlainTextEdit* runOutput = nullptr;
  QPushButton* stopOrBackButton = nullptr;
  QMenu* fileMenu = nullptr;
  QAction* openAction = nullptr;
  QAction* saveAction = nullptr;
  QAction* saveAsAction = nullptr;
  QAction* undoChangesAction = nullptr;
  QAction* closeAction = nullptr;
  QAction* exitAction = nullptr;
  QMenu* helpMenu = nullptr;
  QAction* ffmpegHelpAction = nullptr;
  QAction* programHelpAction = nullptr;

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void ShowFilter(const FilterDef& filter);
  FilterDef FilterFromControls() const;
  void AddListEntries(const QStringList& paths);
  // What "Probar" reads from the window: the selected entries' full paths
  // and the filter's and the bench's settings.
  FilterEditor::TestSettings ReadTestSettings() const;
  // The run has ended: the panel now reads "Finalizado".
  void MarkRunFinished();

  void CreateControls();
  void LayOutControls(QWidget* central);
  void SetDesignCaptions();
  void WireControls();
  void ShowRunCaption(bool finished);
  // The run panel hidden and the menus given back; its title stays.
  void HideRunPanel();
  void BackFromRunPanel();
  // The current filter into the controls, with the loading flag on.
  void ShowCurrentFilter();
  void StoreControls();
  void ShowRefusal(FilterEditor::TestRefusal refusal);

  bool unloading_ = false;
};
