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

#include "core/frame/DataFolderManager.h"
#include "core/frame/DesktopServices.h"
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
  Form_Load();
}

FileManagerWindow::~FileManagerWindow() = default;

FileManagerWindow* FileManagerWindow::Instance() { return g_instance.data(); }

QString FileManagerWindow::ShowFileManager(const QString& folder, const QString& extension,
                                           uint8_t mode, bool wait) {
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
      if (DataFolderManager::State().FmEditRequested != 1)
        return DataFolderManager::State().FmResult;
      editName = DataFolderManager::EditorName(window.SelectedEntry());
    }
    if (DataFolderManager::Editor editor = DataFolderManager::EditorFor(extension))
      editor(editName);
  }
}

void FileManagerWindow::CreateControls() {
  auto* layout = new QHBoxLayout(this);
  auto* left = new QVBoxLayout;
  List1 = Named(new QListWidget(this), "List1");
  AccessibleNames::NameAfter(List1, this);
  left->addWidget(List1);
  Frame1 = Named(new QGroupBox(this), "Frame1");
  auto* nameArea = new QVBoxLayout(Frame1);
  Label1 = Named(new QLabel(Frame1), "Label1");
  nameArea->addWidget(Label1);
  Text1 = Named(new QLineEdit(Frame1), "Text1");
  nameArea->addWidget(Text1);
  left->addWidget(Frame1);
  layout->addLayout(left, 1);

  auto* right = new QVBoxLayout;
  Picture1 = Named(new QWidget(this), "Picture1");
  right->addWidget(Picture1);
  Command4 = AddButton(this, right, "Command4");
  Command2 = AddButton(this, right, "Command2");
  Command6 = AddButton(this, right, "Command6");
  Command1 = AddButton(this, right, "Command1");
  Command7 = AddButton(this, right, "Command7");
  right->addStretch(1);
  Command5 = AddButton(this, right, "Command5");
  Command3 = AddButton(this, right, "Command3");
  layout->addLayout(right);
  WidgetFactory::SetEnterButton(this, Command5);
  resize(420, 360);
}

void FileManagerWindow::WireControls() {
  // Only a selection is a choice: the list makes its first entry current,
  // unselected, as soon as it takes the focus.
  connect(List1, &QListWidget::itemSelectionChanged, this, &FileManagerWindow::List1_Click);
  connect(List1, &QListWidget::itemClicked, this, &FileManagerWindow::List1_Click);
  connect(List1, &QListWidget::itemDoubleClicked, this, &FileManagerWindow::List1_DblClick);
  connect(Command1, &QPushButton::clicked, this, &FileManagerWindow::Command1_Click);
  connect(Command2, &QPushButton::clicked, this, &FileManagerWindow::Command2_Click);
  connect(Command3, &QPushButton::clicked, this, &FileManagerWindow::Command3_Click);
  connect(Command4, &QPushButton::clicked, this, &FileManagerWindow::Command4_Click);
  connect(Command5, &QPushButton::clicked, this, &FileManagerWindow::Command5_Click);
  connect(Command6, &QPushButton::clicked, this, &FileManagerWindow::Command6_Click);
  connect(Command7, &QPushButton::clicked, this, &FileManagerWindow::Command7_Click);
}

void FileManagerWindow::Form_Load() { Lang::TranslateForm3(); }

bool FileManagerWindow::SetUp() {
  WidgetFactory::SetListHorizontalExtent(List1, 1800);
  RefreshList();
  Command7->setEnabled(DataFolderManager::EditAvailable());
  switch (DataFolderManager::State().FmMode) {
    case DataFolderManager::Administer:
      Frame1->hide();
      resize(width(), kAdministerHeight);
      break;
    case DataFolderManager::Open:
      if (List1->count() == 0) {
        Lang::MsgDirEmpty(QString());
        return false;
      }
      Text1->setReadOnly(true);
      Label1->setText(Label1->property("Tag").toString());
      break;
    default:
      Label1->setText(Lang::SaveAsLabelText());
      break;
  }
  return true;
}

void FileManagerWindow::RefreshList() {
  const int selected = SelectedRow();
  List1->clear();
  List1->addItems(DataFolderManager::ListEntries());
  if (selected >= 0 && List1->count() > 0) List1->setCurrentRow(qMin(selected, List1->count() - 1));
}

int FileManagerWindow::SelectedRow() const {
  const QList<QListWidgetItem*> chosen = List1->selectedItems();
  return chosen.isEmpty() ? -1 : List1->row(chosen.first());
}

QString FileManagerWindow::SelectedEntry() const {
  const int row = SelectedRow();
  return row < 0 ? QString() : List1->item(row)->text();
}

void FileManagerWindow::List1_Click() {
  if (SelectedRow() >= 0) Text1->setText(SelectedEntry());
}

void FileManagerWindow::List1_DblClick() {
  if (SelectedRow() < 0) return;
  Text1->setText(SelectedEntry());
  if (Frame1->isHidden()) {
    Command7_Click();
  } else {
    Command5_Click();
  }
}

void FileManagerWindow::Command1_Click() {
  if (DataFolderManager::DeleteFile(SelectedEntry())) RefreshList();
}

void FileManagerWindow::Command2_Click() {
  if (DataFolderManager::RenameFile(SelectedEntry())) RefreshList();
}

void FileManagerWindow::Command3_Click() { close(); }

void FileManagerWindow::Command4_Click() {
  if (DataFolderManager::NewFile(SelectedEntry())) RefreshList();
}

void FileManagerWindow::Command5_Click() {
  const DataFolderManager::Acceptance result = DataFolderManager::AcceptSelection(Text1->text());
  if (result == DataFolderManager::Acceptance::Accepted) close();
  if (result == DataFolderManager::Acceptance::NameMissing) QApplication::beep();
}

void FileManagerWindow::Command6_Click() {
  if (DataFolderManager::CopyFile(SelectedEntry())) RefreshList();
}

void FileManagerWindow::Command7_Click() {
  DataFolderManager::EditSelected(SelectedEntry());
  if (DataFolderManager::State().FmEditRequested == 1) close();
}
