#pragma once

#include <QDialog>

#include "core/frame/DataFolderManager.h"

class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

// The file manager's window over DataFolderManager's folder and extension.
class FileManagerWindow : public QDialog {
  Q_OBJECT

 public:
  explicit FileManagerWindow(QWidget* parent = nullptr);
  ~FileManagerWindow() override;

  // The newest live manager window, or nullptr.
  static FileManagerWindow* Instance();

  // Shows the manager over folder and extension in an DataFolderManager mode and
  // returns the chosen full path, or "" when the user cancelled. With wait
  // false the window is left open and "" comes back at once. Every other
  // window is hidden while it is shown; "Editar" opens the editor and brings
  // the manager back on the same folder once the editor has closed.
  static QString ShowFileManager(const QString& folder, const QString& extension,
                                 DataFolderManager::Mode mode, bool wait);

  // Fills the list and sets the window up for DataFolderManager::FmMode; false when
  // there is nothing to open, after saying so.
  bool SetUp();
  // Fills the list again, keeping the selected position where it can.
  void RefreshList();
  // The selected entry's text; "" when nothing is selected, also while an
  // entry is merely current (as the list makes one when it takes the focus).
  QString SelectedEntry() const;

  QListWidget* fileList = nullptr;
  QGroupBox* nameFrame = nullptr;
  QLabel* nameLabel = nullptr;
  QLineEdit* nameEdit = nullptr;
  QPushButton* deleteButton = nullptr;
  QPushButton* renameButton = nullptr;
  QPushButton* cancelButton = nullptr;
  QPushButton* newButton = nullptr;
  QPushButton* acceptButton = nullptr;
  QPushButton* copyButton = nullptr;
  QPushButton* editButton = nullptr;
  QWidget* iconArea = nullptr;

  void OnEntrySelected();
  void OnEntryDoubleClicked();
  void DeleteEntry();
  void RenameEntry();
  void Cancel();
  void NewEntry();
  void Accept();
  void CopyEntry();
  void EditEntry();

 private:
  // The selected entry's position; -1 when nothing is selected.
  int SelectedRow() const;
  void CreateControls();
  void WireControls();
  void Load();
};
