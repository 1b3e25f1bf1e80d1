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

  void Form_Load();
  // Unloads the window without the close question (it has been asked).
  void Unload();

  void ShowRunPanel();

  // Handlers.
  void Text1_Change();
  void Check1_Click();
  void Combo1_Click();
  void File_Open_Click();
  void File_Save_Click();
  void File_SaveAs_Click();
  void File_UndoChanges_Click();
  void File_Close_Click();
  void File_Exit_Click();
  void Command1_Click();
  void Command2_Click();
  void Command3_Click();
  void Help_ffmpeg_Click();
  void Help_Doc_Click();
  // False refuses the close.
  bool Form_QueryUnload();

  QGroupBox* Frame1 = nullptr;
  QLabel* Label1 = nullptr;
  QComboBox* Combo1 = nullptr;
  QLabel* Label2 = nullptr;
  QPlainTextEdit* Text1 = nullptr;
  QCheckBox* Check1 = nullptr;
  QGroupBox* Frame2 = nullptr;
  QLabel* Label3 = nullptr;
  QListWidget* List1 = nullptr;
  QPushButton* Command1 = nullptr;
  QCheckBox* Check2 = nullptr;
  QCheckBox* Check3 = nullptr;
  QPushButton* Command2 = nullptr;
  QGroupBox* Frame3 = nullptr;
  QString Frame3Tag;
  QPlainTextEdit* Text2 = nullptr;
  QPushButton* Command3 = nullptr;
  QMenu* Menu_File = nullptr;
  QAction* File_Open = nullptr;
  QAction* File_Save = nullptr;
  QAction* File_SaveAs = nullptr;
  QAction* File_UndoChanges = nullptr;
  QAction* File_Close = nullptr;
  QAction* File_Exit = nullptr;
  QMenu* Menu_Help = nullptr;
  QAction* Help_ffmpeg = nullptr;
  QAction* Help_Doc = nullptr;

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
  void SetDesignCaptions();
  void WireControls();
  void SwapRunCaption();
  void BackFromRunPanel();
  // The current filter into the controls, with the loading flag on.
  void ShowCurrentFilter();
  void StoreControls();
  void ShowRefusal(FilterEditor::TestRefusal refusal);

  bool unloading_ = false;
};
