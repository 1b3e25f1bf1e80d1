#include "gui/editing/FilterEditorWindow.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/editing/FilterEditor.h"
#include "core/frame/AnotherToolRunning.h"
#include "core/frame/DesktopServices.h"
#include "core/frame/FfmpegTools.h"
#include "core/frame/ProgramHelp.h"
#include "core/frame/Session.h"
#include "core/frame/TextViewer.h"
#include "core/ground/CommandLine.h"
#include "core/ground/ToolRunner.h"
#include "core/lang/Lang.h"
#include "gui/ground/AccessibleNames.h"
#include "gui/ground/ConsoleBox.h"
#include "gui/ground/MainWindowLink.h"
#include "gui/ground/ModalWindow.h"
#include "gui/ground/WidgetFactory.h"
#include "gui/lang/Translators.h"

namespace {

QPointer<FilterEditorWindow> g_instance;

}  // namespace

FilterEditorWindow::FilterEditorWindow(QWidget* parent) : QMainWindow(parent) {
  g_instance = this;
  setObjectName("Form4");
  CreateControls();
  SetDesignCaptions();
  WireControls();
  connect(&FilterEditor::Events(), &FilterEditor::Notifier::FilterReplaced, this,
          &FilterEditorWindow::ShowCurrentFilter);
}

FilterEditorWindow::~FilterEditorWindow() = default;

FilterEditorWindow* FilterEditorWindow::Instance() { return g_instance.data(); }

void FilterEditorWindow::ShowEditor(const QString& name) {
  auto* window = new FilterEditorWindow;
  window->Load();
  if (!name.isEmpty()) FilterEditor::OpenFilter(name);
  QPointer<FilterEditorWindow> alive(window);
  ModalWindow::Run(window);
  if (alive) delete alive.data();
  FilterEditor::State().TestFiles.clear();
  FilterEditor::State().TestFileCount = 0;
}

void FilterEditorWindow::CreateControls() {
  using WidgetFactory::Create;
  auto* central = new QWidget(this);
  setCentralWidget(central);
  filterFrame = Create<QGroupBox>(central, "Frame1");
  typeLabel = Create<QLabel>(filterFrame, "Label1");
  typeCombo = Create<QComboBox>(filterFrame, "Combo1");
  parametersLabel = Create<QLabel>(filterFrame, "Label2");
  parameters = Create<QPlainTextEdit>(filterFrame, "Text1");
  // Tab goes on to the next control, as in every other box; a tab character
  // has no place in a filter's parameters.
  parameters->setTabChangesFocus(true);
  multiInputCheck = Create<QCheckBox>(filterFrame, "Check1");

  testFrame = Create<QGroupBox>(central, "Frame2");
  testFilesLabel = Create<QLabel>(testFrame, "Label3");
  testFileList = Create<QListWidget>(testFrame, "List1");
  testFileList->setSelectionMode(QAbstractItemView::MultiSelection);
  addTestFilesButton = Create<QPushButton>(testFrame, "Command1");
  ffmpegOnlyCheck = Create<QCheckBox>(testFrame, "Check2");
  muteCheck = Create<QCheckBox>(testFrame, "Check3");
  testButton = Create<QPushButton>(testFrame, "Command2");
  AccessibleNames::NameAfter(typeCombo, typeLabel);
  AccessibleNames::NameAfter(parameters, parametersLabel);
  AccessibleNames::NameAfter(testFileList, testFilesLabel);

  runPanel = Create<QGroupBox>(central, "Frame3");
  // The run panel covers the filter's frame, its title included.
  runPanel->setAutoFillBackground(true);
  runPanel->hide();
  runOutput = Create<QPlainTextEdit>(runPanel, "Text2");
  runOutput->setReadOnly(true);
  stopOrBackButton = Create<QPushButton>(runPanel, "Command3");
  LayOutControls(central);
  resize(WidgetFactory::Px(7000), WidgetFactory::Px(6600));

  fileMenu = menuBar()->addMenu(QString());
  fileMenu->setObjectName("Menu_File");
  openAction = WidgetFactory::MenuItem(fileMenu, "File_Open", QString());
  saveAction = WidgetFactory::MenuItem(fileMenu, "File_Save", QString());
  saveAsAction = WidgetFactory::MenuItem(fileMenu, "File_SaveAs", QString());
  undoChangesAction = WidgetFactory::MenuItem(fileMenu, "File_UndoChanges", QString());
  closeAction = WidgetFactory::MenuItem(fileMenu, "File_Close", QString());
  exitAction = WidgetFactory::MenuItem(fileMenu, "File_Exit", QString());
  helpMenu = menuBar()->addMenu(QString());
  helpMenu->setObjectName("Menu_Help");
  ffmpegHelpAction = WidgetFactory::MenuItem(helpMenu, "Help_ffmpeg", QString());
  programHelpAction = WidgetFactory::MenuItem(helpMenu, "Help_Doc", QString());
}

// The frames stand one over the other, as wide as the window. The parameters
// box and the file list take the height the window has to give: on a screen
// too short for the design every other control still shows, and those two
// scroll their own lines.
void FilterEditorWindow::LayOutControls(QWidget* central) {
  using WidgetFactory::Px;
  typeCombo->setMinimumWidth(Px(2400));
  parameters->setMinimumHeight(Px(600));
  testFileList->setMinimumHeight(Px(900));
  addTestFilesButton->setMinimumSize(Px(480), Px(330));
  testButton->setMinimumSize(Px(1440), Px(360));
  stopOrBackButton->setMinimumSize(Px(1800), Px(360));

  auto* typeRow = new QHBoxLayout;
  typeRow->addWidget(typeLabel);
  typeRow->addWidget(typeCombo);
  typeRow->addStretch();
  auto* filter = new QVBoxLayout(filterFrame);
  filter->addLayout(typeRow);
  filter->addWidget(parametersLabel);
  filter->addWidget(parameters, 1);
  filter->addWidget(multiInputCheck);

  auto* listRow = new QHBoxLayout;
  listRow->addWidget(testFileList, 1);
  listRow->addWidget(addTestFilesButton, 0, Qt::AlignTop);
  auto* test = new QVBoxLayout(testFrame);
  test->addWidget(testFilesLabel);
  test->addLayout(listRow, 1);
  test->addWidget(ffmpegOnlyCheck);
  test->addWidget(muteCheck);
  test->addWidget(testButton, 0, Qt::AlignRight);

  auto* run = new QVBoxLayout(runPanel);
  run->addWidget(runOutput, 1);
  run->addWidget(stopOrBackButton, 0, Qt::AlignRight);

  auto* frames = new QGridLayout(central);
  frames->setContentsMargins(Px(120), Px(120), Px(120), Px(120));
  frames->setSpacing(Px(120));
  frames->addWidget(filterFrame, 0, 0);
  // The run panel takes the filter frame's very place, over it.
  frames->addWidget(runPanel, 0, 0);
  frames->addWidget(testFrame, 1, 0);
  // Extra height goes to the frames as the design shares it.
  frames->setRowStretch(0, 2760);
  frames->setRowStretch(1, 3240);
}

// The design's Spanish captions; the window's translator replaces them.
void FilterEditorWindow::SetDesignCaptions() {
  setWindowTitle("Editor de filtros");
  filterFrame->setTitle("Configuración del filtro");
  typeLabel->setText("Tipo:");
  typeCombo->addItems({"Audio", "Video", "Complejo"});
  parametersLabel->setText("Parámetros:");
  multiInputCheck->setText("Requiere varios archivos de entrada");
  testFrame->setTitle("Probar filtro");
  testFilesLabel->setText("Usar el (los) archivos:");
  addTestFilesButton->setText("...");
  ffmpegOnlyCheck->setText("Solo ejecutar el convertidor (no abre el reproductor)");
  muteCheck->setText("Silenciar audio");
  testButton->setText("Probar");
  runPanel->setTitle("Espere...");
  runPanel->setProperty("Tag", "Finalizado");
  stopOrBackButton->setText("Detener / Atrás");
  fileMenu->setTitle("Archivo");
  openAction->setText("Abrir");
  saveAction->setText("Guardar");
  saveAsAction->setText("Guardar como...");
  undoChangesAction->setText("Descartar cambios");
  closeAction->setText("Cerrar");
  exitAction->setText("Salir");
  helpMenu->setTitle("Ayuda");
  ffmpegHelpAction->setText("Ayuda de ffmpeg");
  programHelpAction->setText("Ayuda del programa");
}

void FilterEditorWindow::WireControls() {
  connect(parameters, &QPlainTextEdit::textChanged, this, &FilterEditorWindow::OnParametersEdited);
  connect(multiInputCheck, &QCheckBox::clicked, this, &FilterEditorWindow::OnMultiInputToggled);
  connect(typeCombo, &QComboBox::currentIndexChanged, this, &FilterEditorWindow::OnTypeChosen);
  connect(openAction, &QAction::triggered, this, &FilterEditorWindow::OpenFilter);
  connect(saveAction, &QAction::triggered, this, &FilterEditorWindow::SaveFilter);
  connect(saveAsAction, &QAction::triggered, this, &FilterEditorWindow::SaveFilterAs);
  connect(undoChangesAction, &QAction::triggered, this, &FilterEditorWindow::UndoChanges);
  connect(closeAction, &QAction::triggered, this, &FilterEditorWindow::CloseFilter);
  connect(exitAction, &QAction::triggered, this, &FilterEditorWindow::Exit);
  connect(addTestFilesButton, &QPushButton::clicked, this, &FilterEditorWindow::AddTestFiles);
  connect(testButton, &QPushButton::clicked, this, &FilterEditorWindow::RunTest);
  connect(stopOrBackButton, &QPushButton::clicked, this, &FilterEditorWindow::StopOrGoBack);
  connect(ffmpegHelpAction, &QAction::triggered, this, &FilterEditorWindow::ShowFfmpegHelp);
  connect(programHelpAction, &QAction::triggered, this, &FilterEditorWindow::ShowProgramHelp);
}

void FilterEditorWindow::Load() {
  Lang::TranslateFilterEditorWindow();
  WidgetFactory::LetListScrollSideways(testFileList);
  typeCombo->setCurrentIndex(int(FilterType::Audio));
  if (MainWindowLink::Window()) {
    helpMenu->setTitle(MainWindowLink::Caption("Menu_Help"));
    ffmpegHelpAction->setText(MainWindowLink::Caption("Help_ffhelp"));
    programHelpAction->setText(MainWindowLink::Caption("Help_ProgramHelp"));
  }
  testFileList->addItems(Session::State().FileList);
}

void FilterEditorWindow::Unload() {
  unloading_ = true;
  close();
}

void FilterEditorWindow::ShowFilter(const FilterDef& filter) {
  typeCombo->setCurrentIndex(filter.Type <= FilterType::Complex ? int(filter.Type) : -1);
  parameters->setPlainText(filter.Params);
  multiInputCheck->setChecked(filter.MultiInput);
}

void FilterEditorWindow::ShowCurrentFilter() {
  FilterEditor::State().Loading = true;
  ShowFilter(FilterEditor::State().CurrentFilter);
  FilterEditor::State().Loading = false;
}

void FilterEditorWindow::StoreControls() { FilterEditor::TakeControls(FilterFromControls()); }

FilterDef FilterEditorWindow::FilterFromControls() const {
  FilterDef filter;
  filter.Type = FilterType(std::max(0, typeCombo->currentIndex()));
  filter.MultiInput = multiInputCheck->isChecked();
  filter.Params = parameters->toPlainText();
  return filter;
}

void FilterEditorWindow::AddListEntries(const QStringList& paths) { testFileList->addItems(paths); }

FilterEditor::TestSettings FilterEditorWindow::ReadTestSettings() const {
  FilterEditor::TestSettings settings;
  const QStringList listed = Session::State().FileList;
  for (int row = 0; row < testFileList->count(); ++row) {
    if (!testFileList->item(row)->isSelected()) continue;
    // Entries stand for the main window's files, then for the added ones.
    settings.inputs << (row < listed.size()
                            ? listed[row]
                            : FilterEditor::State().TestFiles.value(row - listed.size()));
  }
  if (typeCombo->currentIndex() < 0)
    settings.type.reset();
  else
    settings.type = FilterType(typeCombo->currentIndex());
  settings.filterText = parameters->toPlainText();
  settings.multiInput = multiInputCheck->isChecked();
  settings.ffmpegOnly = ffmpegOnlyCheck->isChecked();
  settings.silence = muteCheck->isChecked();
  return settings;
}

void FilterEditorWindow::ShowRunPanel() {
  ShowRunCaption(false);
  runOutput->clear();
  runPanel->show();
  runPanel->raise();
  fileMenu->setEnabled(false);
  helpMenu->setEnabled(false);
}

// The translator gives the panel both captions: the running one as its title,
// the finished one as its Tag. A test run again from the finished panel, or
// after "Atrás", starts from the running one.
void FilterEditorWindow::ShowRunCaption(bool finished) {
  if (finished == runFinishedShown) return;
  if (finished) {
    runningCaption = runPanel->title();
    runPanel->setTitle(runPanel->property("Tag").toString());
  } else {
    runPanel->setTitle(runningCaption);
  }
  runFinishedShown = finished;
}

void FilterEditorWindow::MarkRunFinished() { ShowRunCaption(true); }

void FilterEditorWindow::HideRunPanel() {
  runPanel->hide();
  fileMenu->setEnabled(true);
  helpMenu->setEnabled(true);
}

void FilterEditorWindow::BackFromRunPanel() {
  HideRunPanel();
  ShowRunCaption(false);
}

void FilterEditorWindow::OnParametersEdited() { StoreControls(); }
void FilterEditorWindow::OnMultiInputToggled() { StoreControls(); }
void FilterEditorWindow::OnTypeChosen() { StoreControls(); }
void FilterEditorWindow::OpenFilter() { FilterEditor::OpenFilter(QString()); }
void FilterEditorWindow::SaveFilter() { FilterEditor::SaveFilter(false); }
void FilterEditorWindow::SaveFilterAs() { FilterEditor::SaveFilter(true); }
void FilterEditorWindow::UndoChanges() { FilterEditor::UndoChanges(); }
void FilterEditorWindow::CloseFilter() { FilterEditor::CloseFilter(); }

void FilterEditorWindow::Exit() {
  if (FilterEditor::CloseFilter()) Unload();
}

void FilterEditorWindow::AddTestFiles() {
  const QStringList paths =
      DesktopServices::OpenFileDialog(QString(), this, QString(), QString(), true);
  if (paths.isEmpty() || paths.first().isEmpty()) return;
  FilterEditor::AddTestFiles(paths);
  AddListEntries(paths);
}

void FilterEditorWindow::ShowRefusal(FilterEditor::TestRefusal refusal) {
  switch (refusal) {
    case FilterEditor::TestRefusal::NoParameters:
      Lang::MsgNoParameters();
      break;
    case FilterEditor::TestRefusal::NoFiles:
      Lang::MsgNoFilesSelected();
      break;
    case FilterEditor::TestRefusal::NeedsTwoFiles:
      Lang::MsgSelectTwoFiles();
      break;
    case FilterEditor::TestRefusal::ToolsMissing:
    case FilterEditor::TestRefusal::Ready:
      break;
  }
}

void FilterEditorWindow::RunTest() {
  const FilterEditor::TestSettings settings = ReadTestSettings();
  const FilterEditor::TestRefusal refusal = FilterEditor::CheckTest(settings);
  if (refusal != FilterEditor::TestRefusal::Ready) {
    ShowRefusal(refusal);
    return;
  }
  // A tool still running (the viewer's filter list) keeps the runner: the press
  // waits quietly rather than show a test that never ran as finished.
  if (ToolRunner::GetState() != ToolRunner::RunState::Idle) return;
  ShowRunPanel();
  QPointer<FilterEditorWindow> alive(this);
  const ToolRunner::RunResult result =
      FilterEditor::RunTest(settings, ToolRunner::BoxSink(runOutput, true));
  if (!alive) return;
  // A test that never ran has not finished: its panel goes as it came.
  if (result == ToolRunner::RunResult::Busy) {
    HideRunPanel();
  } else {
    MarkRunFinished();
  }
}

void FilterEditorWindow::StopOrGoBack() {
  if (FilterEditor::State().TestRunning) {
    if (!ffmpegOnlyCheck->isChecked()) {
      Lang::MsgHowToStopFfplay();
    } else {
      ToolRunner::RequestStop();
    }
    return;
  }
  BackFromRunPanel();
}

void FilterEditorWindow::ShowFfmpegHelp() {
  if (!FfmpegTools::FfmpegExists()) return;
  // The viewer would open on nothing while another tool holds the runner.
  if (AnotherToolRunning::Refuse()) return;
  TextViewer::ShowCommandOutput(
      CommandLine::QuoteArgument(FfmpegTools::State().FfmpegPath) + " -filters", this);
}

void FilterEditorWindow::ShowProgramHelp() { ProgramHelp::ShowProgramHelp(); }

bool FilterEditorWindow::MayClose() {
  if (FilterEditor::State().TestRunning) {
    Lang::MsgStopBeforeExit();
    return false;
  }
  if (runPanel->isVisible()) {
    BackFromRunPanel();
    return false;
  }
  return FilterEditor::CloseFilter();
}

void FilterEditorWindow::closeEvent(QCloseEvent* event) {
  if (unloading_ || MayClose()) {
    event->accept();
  } else {
    event->ignore();
  }
  unloading_ = false;
}
