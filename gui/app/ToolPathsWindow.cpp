#include "gui/app/ToolPathsWindow.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/devices/CdRipper.h"
#include "core/formats/FormatEditor.h"
#include "core/frame/DesktopServices.h"
#include "core/frame/FfmpegTools.h"
#include "core/frame/Session.h"
#include "core/lang/Lang.h"
#include "gui/ground/AccessibleNames.h"
#include "gui/ground/TextFit.h"
#include "gui/ground/WidgetFactory.h"
#include "gui/lang/Translators.h"

using WidgetFactory::Named;

namespace {
QPointer<ToolPathsWindow> g_instance;
}  // namespace

ToolPathsWindow::ToolPathsWindow(QWidget* owner) : QDialog(owner) {
  g_instance = this;
  setObjectName("Form9");
  setWindowTitle("Rutas de acceso");
  CreateControls();
  WireControls();
}

ToolPathsWindow::~ToolPathsWindow() = default;

ToolPathsWindow* ToolPathsWindow::Instance() { return g_instance.data(); }

QList<ToolPathsWindow::Tool> ToolPathsWindow::Tools() {
  const QStringList& names = FfmpegTools::ToolNames();
  return {{names[0], &NewFfmpegPath, Text1},
          {names[1], &NewFfplayPath, Text2},
          {names[2], &NewFfprobePath, Text5},
          {names[3], &NewCdda2wavPath, Text7}};
}

void ToolPathsWindow::CreateControls() {
  auto* layout = new QVBoxLayout(this);
  auto* rows = new QGridLayout;
  layout->addLayout(rows);
  Text3 = Named(new QLineEdit("ffmpeg:", this), "Text3");
  Text4 = Named(new QLineEdit("ffplay:", this), "Text4");
  Text6 = Named(new QLineEdit("ffprobe:", this), "Text6");
  Text8 = Named(new QLineEdit("cdda2wav:", this), "Text8");
  Text1 = Named(new QLineEdit(QString(), this), "Text1");
  Text2 = Named(new QLineEdit(QString(), this), "Text2");
  Text5 = Named(new QLineEdit(QString(), this), "Text5");
  Text7 = Named(new QLineEdit(QString(), this), "Text7");
  QLineEdit* labels[] = {Text3, Text4, Text6, Text8};
  QLineEdit* paths[] = {Text1, Text2, Text5, Text7};
  QPushButton** browse[] = {&Command1, &Command2, &Command3, &Command4};
  for (int row = 0; row < 4; ++row) {
    labels[row]->setReadOnly(true);
    labels[row]->setFrame(false);
    labels[row]->setFocusPolicy(Qt::NoFocus);
    labels[row]->setMinimumWidth(TextFit::BoxWidthFor(labels[row]));
    labels[row]->setMaximumWidth(qMax(90, labels[row]->minimumWidth()));
    paths[row]->setMinimumWidth(420);
    AccessibleNames::NameAfter(paths[row], labels[row]);
    *browse[row] = new QPushButton("...", this);
    (*browse[row])->setObjectName(QString("Command%1").arg(row + 1));
    (*browse[row])->setMaximumWidth(40);
    rows->addWidget(labels[row], row, 0);
    rows->addWidget(paths[row], row, 1);
    rows->addWidget(*browse[row], row, 2);
  }
  auto* buttons = new QHBoxLayout;
  Command7 = Named(new QPushButton("Buscar faltantes", this), "Command7");
  Command5 = Named(new QPushButton("Establecer", this), "Command5");
  Command6 = Named(new QPushButton("Cancelar", this), "Command6");
  buttons->addWidget(Command7);
  buttons->addStretch();
  buttons->addWidget(Command5);
  buttons->addWidget(Command6);
  layout->addLayout(buttons);
  WidgetFactory::SetEnterButton(this, Command5);
}

void ToolPathsWindow::WireControls() {
  connect(Command1, &QPushButton::clicked, this, &ToolPathsWindow::Command1_Click);
  connect(Command2, &QPushButton::clicked, this, &ToolPathsWindow::Command2_Click);
  connect(Command3, &QPushButton::clicked, this, &ToolPathsWindow::Command3_Click);
  connect(Command4, &QPushButton::clicked, this, &ToolPathsWindow::Command4_Click);
  connect(Command5, &QPushButton::clicked, this, &ToolPathsWindow::Command5_Click);
  connect(Command6, &QPushButton::clicked, this, &ToolPathsWindow::Command6_Click);
  connect(Command7, &QPushButton::clicked, this, &ToolPathsWindow::Command7_Click);
}

// Long paths keep their end, the tool's file name, in view. Typing is left
// alone, so that a path can be edited anywhere.
void ToolPathsWindow::ShowPath(QLineEdit* box, const QString& text) {
  box->setText(text);
  box->setCursorPosition(static_cast<int>(text.size()));
}

void ToolPathsWindow::Form_Load() {
  Lang::TranslateForm9();
  NewFfmpegPath = FfmpegTools::State().FfmpegPath;
  NewFfplayPath = FfmpegTools::State().FfplayPath;
  NewFfprobePath = FfmpegTools::State().FfprobePath;
  NewCdda2wavPath = CdRipper::State().Cdda2wavPath;
  for (const Tool& tool : Tools()) ShowPath(tool.box, FfmpegTools::ShownToolPath(*tool.newPath));
}

bool ToolPathsWindow::IsUsableTool(const QString& path) {
  switch (FfmpegTools::CheckTool(path)) {
    case FfmpegTools::ToolProblem::None:
      return true;
    case FfmpegTools::ToolProblem::Missing:
      Lang::MsgFileNotFound(path);
      return false;
    case FfmpegTools::ToolProblem::NotProgram:
      Lang::MsgNoExecutable();
      return false;
  }
  return false;
}

// The tools are programs without an extension here, so the dialog shows every
// file, proposes the tool's bare name, and a pick that is no program is refused.
void ToolPathsWindow::Browse(int tool) {
  const Tool chosen = Tools()[tool];
  const QStringList picked = DesktopServices::OpenFileDialog(QString(), this, QString(), QString(),
                                                             false, 0, chosen.name, 1);
  if (picked.isEmpty() || !IsUsableTool(picked.first())) return;
  *chosen.newPath = picked.first();
  ShowPath(chosen.box, FfmpegTools::ShownToolPath(picked.first()));
}

// A box the user typed into holds a path in its display form: relative to the
// program folder or absolute. An emptied box means no path.
bool ToolPathsWindow::TakeTypedPaths() {
  QList<std::pair<QString*, QString>> typed;
  for (const Tool& tool : Tools()) {
    if (!tool.box->isModified()) continue;
    const QString path = Session::ResolveAppPath(tool.box->text().trimmed());
    if (!path.isEmpty() && !IsUsableTool(path)) {
      tool.box->setFocus();
      return false;
    }
    typed.append({tool.newPath, path});
  }
  for (const auto& [newPath, path] : typed) *newPath = path;
  return true;
}

void ToolPathsWindow::Command1_Click() { Browse(0); }
void ToolPathsWindow::Command2_Click() { Browse(1); }
void ToolPathsWindow::Command3_Click() { Browse(2); }
void ToolPathsWindow::Command4_Click() { Browse(3); }

void ToolPathsWindow::Command7_Click() {
  const QList<Tool> tools = Tools();
  const QStringList found = FfmpegTools::WithMissingToolsFound(
      {NewFfmpegPath, NewFfplayPath, NewFfprobePath, NewCdda2wavPath});
  for (int i = 0; i < tools.size(); ++i) {
    if (found[i] == *tools[i].newPath) continue;
    *tools[i].newPath = found[i];
    ShowPath(tools[i].box, FfmpegTools::ShownToolPath(found[i]));
  }
}

void ToolPathsWindow::Command5_Click() {
  if (!TakeTypedPaths()) return;
  FfmpegTools::State().FfmpegPath = NewFfmpegPath;
  FfmpegTools::State().FfplayPath = NewFfplayPath;
  FfmpegTools::State().FfprobePath = NewFfprobePath;
  CdRipper::State().Cdda2wavPath = NewCdda2wavPath;
  FormatEditor::State().FfmpegListsStale = 1;
  accept();
}

void ToolPathsWindow::Command6_Click() { reject(); }

void ToolPathsWindow::ShowModal(QWidget* owner) {
  ToolPathsWindow window(owner);
  window.Form_Load();
  window.exec();
}
