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
  return {{names[0], &newFfmpegPath, ffmpegPath},
          {names[1], &newFfplayPath, ffplayPath},
          {names[2], &newFfprobePath, ffprobePath},
          {names[3], &newCdda2wavPath, cdda2wavPath}};
}

void ToolPathsWindow::CreateControls() {
  auto* layout = new QVBoxLayout(this);
  auto* rows = new QGridLayout;
  layout->addLayout(rows);
  ffmpegLabel = Named(new QLineEdit("ffmpeg:", this), "Text3");
  ffplayLabel = Named(new QLineEdit("ffplay:", this), "Text4");
  ffprobeLabel = Named(new QLineEdit("ffprobe:", this), "Text6");
  cdda2wavLabel = Named(new QLineEdit("cdda2wav:", this), "Text8");
  ffmpegPath = Named(new QLineEdit(QString(), this), "Text1");
  ffplayPath = Named(new QLineEdit(QString(), this), "Text2");
  ffprobePath = Named(new QLineEdit(QString(), this), "Text5");
  cdda2wavPath = Named(new QLineEdit(QString(), this), "Text7");
  QLineEdit* labels[] = {ffmpegLabel, ffplayLabel, ffprobeLabel, cdda2wavLabel};
  QLineEdit* paths[] = {ffmpegPath, ffplayPath, ffprobePath, cdda2wavPath};
  QPushButton** browse[] = {&browseFfmpegButton, &browseFfplayButton, &browseFfprobeButton,
                            &browseCdda2wavButton};
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
  findMissingButton = Named(new QPushButton("Buscar faltantes", this), "Command7");
  applyButton = Named(new QPushButton("Establecer", this), "Command5");
  cancelButton = Named(new QPushButton("Cancelar", this), "Command6");
  buttons->addWidget(findMissingButton);
  buttons->addStretch();
  buttons->addWidget(applyButton);
  buttons->addWidget(cancelButton);
  layout->addLayout(buttons);
  WidgetFactory::SetEnterButton(this, applyButton);
}

void ToolPathsWindow::WireControls() {
  const QPushButton* browse[] = {browseFfmpegButton, browseFfplayButton, browseFfprobeButton,
                                 browseCdda2wavButton};
  for (int tool = 0; tool < 4; ++tool)
    connect(browse[tool], &QPushButton::clicked, this, [this, tool] { Browse(tool); });
  connect(applyButton, &QPushButton::clicked, this, &ToolPathsWindow::Apply);
  connect(cancelButton, &QPushButton::clicked, this, &ToolPathsWindow::Cancel);
  connect(findMissingButton, &QPushButton::clicked, this, &ToolPathsWindow::FindMissingTools);
}

// Long paths keep their end, the tool's file name, in view. Typing is left
// alone, so that a path can be edited anywhere.
void ToolPathsWindow::ShowPath(QLineEdit* box, const QString& text) {
  box->setText(text);
  box->setCursorPosition(static_cast<int>(text.size()));
}

void ToolPathsWindow::Load() {
  Lang::TranslateToolPathsWindow();
  newFfmpegPath = FfmpegTools::State().FfmpegPath;
  newFfplayPath = FfmpegTools::State().FfplayPath;
  newFfprobePath = FfmpegTools::State().FfprobePath;
  newCdda2wavPath = CdRipper::State().Cdda2wavPath;
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
  const QStringList picked =
      DesktopServices::OpenFileDialog(QString(), this, QString(), QString(), false, chosen.name);
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

void ToolPathsWindow::FindMissingTools() {
  const QList<Tool> tools = Tools();
  const QStringList found = FfmpegTools::WithMissingToolsFound(
      {newFfmpegPath, newFfplayPath, newFfprobePath, newCdda2wavPath});
  for (int i = 0; i < tools.size(); ++i) {
    if (found[i] == *tools[i].newPath) continue;
    *tools[i].newPath = found[i];
    ShowPath(tools[i].box, FfmpegTools::ShownToolPath(found[i]));
  }
}

void ToolPathsWindow::Apply() {
  if (!TakeTypedPaths()) return;
  FfmpegTools::State().FfmpegPath = newFfmpegPath;
  FfmpegTools::State().FfplayPath = newFfplayPath;
  FfmpegTools::State().FfprobePath = newFfprobePath;
  CdRipper::State().Cdda2wavPath = newCdda2wavPath;
  FormatEditor::State().FfmpegListsStale = true;
  accept();
}

void ToolPathsWindow::Cancel() { reject(); }

void ToolPathsWindow::ShowModal(QWidget* owner) {
  ToolPathsWindow window(owner);
  window.Load();
  window.exec();
}
