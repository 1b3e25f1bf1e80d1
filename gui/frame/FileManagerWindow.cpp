#include "gui/frame/FileManagerWindow.h"

#include <QApplication>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/frame/AnotherToolRunning.h"
#include "core/frame/DataFolderManager.h"
#include "core/frame/DesktopServices.h"
#include "core/ground/ToolRunner.h"
#include "core/lang/Lang.h"
#include "gui/ground/AccessibleNames.h"
#include "gui/ground/ModalWindow.h"
#include "gui/ground/WidgetFactory.h"
#include "gui/lang/Translators.h"

using WidgetFactory::Named;

namespace {

QPointer<FileManagerWindow> g_instance;

// Height of the window without its name area, as in administer mode.
constexpr int kAdministerHeight = 3960 / 15;

// A modeless manager that nobody waits for: it deletes itself when closed.
QString ShowWithoutWaiting() {
  auto* window = new FileManagerWindow;
  window->setAttribute(Qt::WA_DeleteOnClose);
  if (window->SetUp()) {
    window->show();
  } else {
    delete window;
  }
  return QString();
}

QPushButton* AddButton(QWidget* parent, QVBoxLayout* column, const char* name) {
  auto* button = Named(new QPushButton(parent), name);
  column->addWidget(button);
  return button;
}

}  // namespace

FileManagerWindow::FileManagerWindow(QWidget* parent) : QDialog(parent) {
  g_instance = this;
  setObjectName("Form3");
  CreateControls();
  WireControls();
  Load();
}

FileManagerWindow::~FileManagerWindow() = default;

FileManagerWindow* FileManagerWindow::Instance() { return g_instance.data(); }

QString FileManagerWindow::ShowFileManager(const QString& folder, const QString& extension,
                                           DataFolderManager::Mode mode, bool wait) {
  if (!wait) {
    DataFolderManager::Prepare(folder, extension, mode);
    return ShowWithoutWaiting();
  }
  // The other windows stay hidden from the first opening until the last
  // closing, also while an editor opened by "Editar" is up.
  const ModalWindow::HiddenWindows others;
  for (;;) {
    DataFolderManager::Prepare(folder, extension, mode);
    QString editName;
    {
      FileManagerWindow window;
      if (!window.SetUp()) return QString();
      ModalWindow::Run(&window);
      if (!DataFolderManager::State().FmEditRequested) return DataFolderManager::State().FmResult;
      editName = DataFolderManager::EditorName(window.SelectedEntry());
    }
    if (DataFolderManager::Editor editor = DataFolderManager::EditorFor(extension))
      editor(editName);
  }
}

void FileManagerWindow::CreateControls() {
  auto* layout = new QHBoxLayout(this);
  auto* left = new QVBoxLayout;
  fileList = Named(new QListWidget(this), "List1");
  AccessibleNames::NameAfter(fileList, this);
  left->addWidget(fileList);
  nameFrame = Named(new QGroupBox(this), "Frame1");
  auto* nameArea = new QVBoxLayout(nameFrame);
  nameLabel = Named(new QLabel(nameFrame), "Label1");
  nameArea->addWidget(nameLabel);
  nameEdit = Named(new QLineEdit(nameFrame), "Text1");
  nameArea->addWidget(nameEdit);
  left->addWidget(nameFrame);
  layout->addLayout(left, 1);

  auto* right = new QVBoxLayout;
  iconArea = Named(new QWidget(this), "Picture1");
  right->addWidget(iconArea);
  newButton = AddButton(this, right, "Command4");
  renameButton = AddButton(this, right, "Command2");
  copyButton = AddButton(this, right, "Command6");
  deleteButton = AddButton(this, right, "Command1");
  editButton = AddButton(this, right, "Command7");
  right->addStretch(1);
  acceptButton = AddButton(this, right, "Command5");
  cancelButton = AddButton(this, right, "Command3");
  layout->addLayout(right);
  WidgetFactory::SetEnterButton(this, acceptButton);
  resize(420, 360);
}

void FileManagerWindow::WireControls() {
  // Only a selection is a choice: the list makes its first entry current,
  // unselected, as soon as it takes the focus.
  connect(fileList, &QListWidget::itemSelectionChanged, this, &FileManagerWindow::OnEntrySelected);
  connect(fileList, &QListWidget::itemClicked, this, &FileManagerWindow::OnEntrySelected);
  connect(fileList, &QListWidget::itemDoubleClicked, this,
          &FileManagerWindow::OnEntryDoubleClicked);
  connect(deleteButton, &QPushButton::clicked, this, &FileManagerWindow::DeleteEntry);
  connect(renameButton, &QPushButton::clicked, this, &FileManagerWindow::RenameEntry);
  connect(cancelButton, &QPushButton::clicked, this, &FileManagerWindow::Cancel);
  connect(newButton, &QPushButton::clicked, this, &FileManagerWindow::NewEntry);
  connect(acceptButton, &QPushButton::clicked, this, &FileManagerWindow::Accept);
  connect(copyButton, &QPushButton::clicked, this, &FileManagerWindow::CopyEntry);
  connect(editButton, &QPushButton::clicked, this, &FileManagerWindow::EditEntry);
}

void FileManagerWindow::Load() { Lang::TranslateFileManagerWindow(); }

bool FileManagerWindow::SetUp() {
  WidgetFactory::LetListScrollSideways(fileList);
  RefreshList();
  editButton->setEnabled(DataFolderManager::EditAvailable());
  switch (DataFolderManager::State().FmMode) {
    case DataFolderManager::Mode::Administer:
      nameFrame->hide();
      resize(width(), kAdministerHeight);
      break;
    case DataFolderManager::Mode::Open:
      if (fileList->count() == 0) {
        Lang::MsgDirEmpty(QString());
        return false;
      }
      nameEdit->setReadOnly(true);
      nameLabel->setText(nameLabel->property("Tag").toString());
      break;
    default:
      nameLabel->setText(Lang::SaveAsLabelText());
      break;
  }
  return true;
}

void FileManagerWindow::RefreshList() {
  const int selected = SelectedRow();
  fileList->clear();
  fileList->addItems(DataFolderManager::ListEntries());
  if (selected >= 0 && fileList->count() > 0)
    fileList->setCurrentRow(qMin(selected, fileList->count() - 1));
}

int FileManagerWindow::SelectedRow() const {
  const QList<QListWidgetItem*> chosen = fileList->selectedItems();
  return chosen.isEmpty() ? -1 : fileList->row(chosen.first());
}

QString FileManagerWindow::SelectedEntry() const {
  const int row = SelectedRow();
  return row < 0 ? QString() : fileList->item(row)->text();
}

void FileManagerWindow::OnEntrySelected() {
  if (SelectedRow() >= 0) nameEdit->setText(SelectedEntry());
}

void FileManagerWindow::OnEntryDoubleClicked() {
  if (SelectedRow() < 0) return;
  nameEdit->setText(SelectedEntry());
  if (nameFrame->isHidden()) {
    EditEntry();
  } else {
    Accept();
  }
}

void FileManagerWindow::DeleteEntry() {
  if (DataFolderManager::DeleteFile(SelectedEntry())) RefreshList();
}

void FileManagerWindow::RenameEntry() {
  if (DataFolderManager::RenameFile(SelectedEntry())) RefreshList();
}

void FileManagerWindow::Cancel() { close(); }

void FileManagerWindow::NewEntry() {
  if (DataFolderManager::NewFile(SelectedEntry())) RefreshList();
}

void FileManagerWindow::Accept() {
  const DataFolderManager::Acceptance result = DataFolderManager::AcceptSelection(nameEdit->text());
  if (result == DataFolderManager::Acceptance::Accepted) close();
  if (result == DataFolderManager::Acceptance::NameMissing) QApplication::beep();
}

void FileManagerWindow::CopyEntry() {
  if (DataFolderManager::CopyFile(SelectedEntry())) RefreshList();
}

// An editor opening while another tool has the runner would find ffmpeg's
// lists or its test file's probe empty (the format and editing-profile
// editors read them as they open): the manager stays and says why.
void FileManagerWindow::EditEntry() {
  if (!SelectedEntry().isEmpty() && AnotherToolRunning::Refuse()) return;
  DataFolderManager::EditSelected(SelectedEntry());
  if (DataFolderManager::State().FmEditRequested) close();
}
