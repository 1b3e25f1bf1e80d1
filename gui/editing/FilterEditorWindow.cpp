#include "gui/editing/FilterEditorWindow.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>

#include "core/editing/FilterEditor.h"
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
#include "gui/ground/TextFit.h"
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
  using namespace FilterEditor;
  auto* window = new FilterEditorWindow;
  window->Form_Load();
  if (!name.isEmpty()) OpenFilter(name);
  QPointer<FilterEditorWindow> alive(window);
  ModalWindow::Run(window);
  if (alive) delete alive.data();
  FilterEditor::State().TestFiles.clear();
  FilterEditor::State().TestFileCount = 0;
}

void FilterEditorWindow::CreateControls() {
  auto* central = new QWidget(this);
  setCentralWidget(central);
  setFixedSize(TextFit::Pixels(7000), TextFit::Pixels(6600));
  WidgetFactory::Make(Frame1, "Frame1", central, 120, 120, 6720, 2760);
  WidgetFactory::Make(Label1, "Label1", Frame1, 120, 360, 1200, 300);
  WidgetFactory::Make(Combo1, "Combo1", Frame1, 1440, 330, 2400, 330);
  WidgetFactory::Make(Label2, "Label2", Frame1, 120, 780, 1800, 300);
  WidgetFactory::Make(Text1, "Text1", Frame1, 120, 1080, 6480, 1200);
  // Tab goes on to the next control, as in every other box; a tab character
  // has no place in a filter's parameters.
  Text1->setTabChangesFocus(true);
  WidgetFactory::Make(Check1, "Check1", Frame1, 120, 2340, 6480, 300);

  WidgetFactory::Make(Frame2, "Frame2", central, 120, 3000, 6720, 3240);
  WidgetFactory::Make(Label3, "Label3", Frame2, 120, 300, 4000, 300);
  WidgetFactory::Make(List1, "List1", Frame2, 120, 600, 5880, 1500);
  List1->setSelectionMode(QAbstractItemView::MultiSelection);
  WidgetFactory::Make(Command1, "Command1", Frame2, 6120, 600, 480, 330);
  WidgetFactory::Make(Check2, "Check2", Frame2, 120, 2220, 6480, 300);
  WidgetFactory::Make(Check3, "Check3", Frame2, 120, 2520, 6480, 300);
  WidgetFactory::Make(Command2, "Command2", Frame2, 5160, 2820, 1440, 360);
  AccessibleNames::NameAfter(Combo1, Label1);
  AccessibleNames::NameAfter(Text1, Label2);
  AccessibleNames::NameAfter(List1, Label3);

  Frame3 = WidgetFactory::Named(new QGroupBox(central), "Frame3");
  Frame3->setGeometry(Frame1->geometry());
  // The run panel covers the filter's frame, its title included.
  Frame3->setAutoFillBackground(true);
  Frame3->hide();
  WidgetFactory::Make(Text2, "Text2", Frame3, 120, 300, 6480, 1920);
  Text2->setReadOnly(true);
  WidgetFactory::Make(Command3, "Command3", Frame3, 4800, 2280, 1800, 360);

  Menu_File = menuBar()->addMenu(QString());
  Menu_File->setObjectName("Menu_File");
  File_Open = WidgetFactory::MenuItem(Menu_File, "File_Open", QString());
  File_Save = WidgetFactory::MenuItem(Menu_File, "File_Save", QString());
  File_SaveAs = WidgetFactory::MenuItem(Menu_File, "File_SaveAs", QString());
  File_UndoChanges = WidgetFactory::MenuItem(Menu_File, "File_UndoChanges", QString());
  File_Close = WidgetFactory::MenuItem(Menu_File, "File_Close", QString());
  File_Exit = WidgetFactory::MenuItem(Menu_File, "File_Exit", QString());
  Menu_Help = menuBar()->addMenu(QString());
  Menu_Help->setObjectName("Menu_Help");
  Help_ffmpeg = WidgetFactory::MenuItem(Menu_Help, "Help_ffmpeg", QString());
  Help_Doc = WidgetFactory::MenuItem(Menu_Help, "Help_Doc", QString());
}

// The design's Spanish captions; the window's translator replaces them.
void FilterEditorWindow::SetDesignCaptions() {
  setWindowTitle("Editor de filtros");
  Frame1->setTitle("Configuración del filtro");
  Label1->setText("Tipo:");
  Combo1->addItems({"Audio", "Video", "Complejo"});
  Label2->setText("Parámetros:");
  Check1->setText("Requiere varios archivos de entrada");
  Frame2->setTitle("Probar filtro");
  Label3->setText("Usar el (los) archivos:");
  Command1->setText("...");
  Check2->setText("Solo ejecutar el convertidor (no abre el reproductor)");
  Check3->setText("Silenciar audio");
  Command2->setText("Probar");
  Frame3->setTitle("Espere...");
  Frame3Tag = "Finalizado";
  Command3->setText("Detener / Atrás");
  Menu_File->setTitle("Archivo");
  File_Open->setText("Abrir");
  File_Save->setText("Guardar");
  File_SaveAs->setText("Guardar como...");
  File_UndoChanges->setText("Descartar cambios");
  File_Close->setText("Cerrar");
  File_Exit->setText("Salir");
  Menu_Help->setTitle("Ayuda");
  Help_ffmpeg->setText("Ayuda de ffmpeg");
  Help_Doc->setText("Ayuda del programa");
}

void FilterEditorWindow::WireControls() {
  connect(Text1, &QPlainTextEdit::textChanged, this, &FilterEditorWindow::Text1_Change);
  connect(Check1, &QCheckBox::clicked, this, &FilterEditorWindow::Check1_Click);
  connect(Combo1, &QComboBox::currentIndexChanged, this, &FilterEditorWindow::Combo1_Click);
  connect(File_Open, &QAction::triggered, this, &FilterEditorWindow::File_Open_Click);
  connect(File_Save, &QAction::triggered, this, &FilterEditorWindow::File_Save_Click);
  connect(File_SaveAs, &QAction::triggered, this, &FilterEditorWindow::File_SaveAs_Click);
  connect(File_UndoChanges, &QAction::triggered, this, &FilterEditorWindow::File_UndoChanges_Click);
  connect(File_Close, &QAction::triggered, this, &FilterEditorWindow::File_Close_Click);
  connect(File_Exit, &QAction::triggered, this, &FilterEditorWindow::File_Exit_Click);
  connect(Command1, &QPushButton::clicked, this, &FilterEditorWindow::Command1_Click);
  connect(Command2, &QPushButton::clicked, this, &FilterEditorWindow::Command2_Click);
  connect(Command3, &QPushButton::clicked, this, &FilterEditorWindow::Command3_Click);
  connect(Help_ffmpeg, &QAction::triggered, this, &FilterEditorWindow::Help_ffmpeg_Click);
  connect(Help_Doc, &QAction::triggered, this, &FilterEditorWindow::Help_Doc_Click);
}

void FilterEditorWindow::Form_Load() {
  Lang::TranslateForm4();
  Frame3->setGeometry(Frame1->geometry());
  WidgetFactory::SetListHorizontalExtent(List1, 1800);
  Combo1->setCurrentIndex(0);
  if (MainWindowLink::Window()) {
    Menu_Help->setTitle(MainWindowLink::Caption("Menu_Help"));
    Help_ffmpeg->setText(MainWindowLink::Caption("Help_ffhelp"));
    Help_Doc->setText(MainWindowLink::Caption("Help_ProgramHelp"));
  }
  List1->addItems(Session::State().FileList);
}

void FilterEditorWindow::Unload() {
  unloading_ = true;
  close();
}

void FilterEditorWindow::ShowFilter(const FilterDef& filter) {
  Combo1->setCurrentIndex(filter.Type <= 2 ? filter.Type : -1);
  Text1->setPlainText(filter.Params);
  Check1->setChecked(filter.MultiInput == 1);
}

void FilterEditorWindow::ShowCurrentFilter() {
  FilterEditor::State().Loading = 1;
  ShowFilter(FilterEditor::State().CurrentFilter);
  FilterEditor::State().Loading = 0;
}

void FilterEditorWindow::StoreControls() { FilterEditor::TakeControls(FilterFromControls()); }

FilterDef FilterEditorWindow::FilterFromControls() const {
  FilterDef filter;
  filter.Type = uint8_t(std::max(0, Combo1->currentIndex()));
  filter.MultiInput = Check1->isChecked() ? 1 : 0;
  filter.Params = Text1->toPlainText();
  return filter;
}

void FilterEditorWindow::AddListEntries(const QStringList& paths) { List1->addItems(paths); }

FilterEditor::TestSettings FilterEditorWindow::ReadTestSettings() const {
  FilterEditor::TestSettings settings;
  const QStringList listed = Session::State().FileList;
  for (int row = 0; row < List1->count(); ++row) {
    if (!List1->item(row)->isSelected()) continue;
    // Entries stand for the main window's files, then for the added ones.
    settings.inputs << (row < listed.size()
                            ? listed[row]
                            : FilterEditor::State().TestFiles.value(row - listed.size()));
  }
  settings.type = Combo1->currentIndex();
  settings.filterText = Text1->toPlainText();
  settings.multiInput = Check1->isChecked();
  settings.ffmpegOnly = Check2->isChecked();
  settings.silence = Check3->isChecked();
  return settings;
}

void FilterEditorWindow::ShowRunPanel() {
  Text2->clear();
  Frame3->show();
  Frame3->raise();
  Menu_File->setEnabled(false);
  Menu_Help->setEnabled(false);
}

void FilterEditorWindow::SwapRunCaption() {
  const QString caption = Frame3->title();
  Frame3->setTitle(Frame3Tag);
  Frame3Tag = caption;
}

void FilterEditorWindow::MarkRunFinished() { SwapRunCaption(); }

void FilterEditorWindow::BackFromRunPanel() {
  Frame3->hide();
  SwapRunCaption();
  Menu_File->setEnabled(true);
  Menu_Help->setEnabled(true);
}

void FilterEditorWindow::Text1_Change() { StoreControls(); }
void FilterEditorWindow::Check1_Click() { StoreControls(); }
void FilterEditorWindow::Combo1_Click() { StoreControls(); }
void FilterEditorWindow::File_Open_Click() { FilterEditor::OpenFilter(QString()); }
void FilterEditorWindow::File_Save_Click() { FilterEditor::SaveFilter(0); }
void FilterEditorWindow::File_SaveAs_Click() { FilterEditor::SaveFilter(1); }
void FilterEditorWindow::File_UndoChanges_Click() { FilterEditor::UndoChanges(); }
void FilterEditorWindow::File_Close_Click() { FilterEditor::CloseFilter(); }

void FilterEditorWindow::File_Exit_Click() {
  if (FilterEditor::CloseFilter()) Unload();
}

void FilterEditorWindow::Command1_Click() {
  const QStringList paths =
      DesktopServices::OpenFileDialog(QString(), this, QString(), QString(), true, 4092);
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

void FilterEditorWindow::Command2_Click() {
  const FilterEditor::TestSettings settings = ReadTestSettings();
  const FilterEditor::TestRefusal refusal = FilterEditor::CheckTest(settings);
  if (refusal != FilterEditor::TestRefusal::Ready) {
    ShowRefusal(refusal);
    return;
  }
  // A tool still running (the viewer's filter list) keeps the runner: the press
  // waits quietly rather than show a test that never ran as finished.
  if (ToolRunner::GetState() != ToolRunner::Idle) return;
  ShowRunPanel();
  QPointer<FilterEditorWindow> alive(this);
  FilterEditor::RunTest(settings, ToolRunner::BoxSink(Text2, true));
  if (alive) MarkRunFinished();
}

void FilterEditorWindow::Command3_Click() {
  if (FilterEditor::State().TestRunning == 1) {
    if (!Check2->isChecked()) {
      Lang::MsgHowToStopFfplay();
    } else {
      ToolRunner::RequestStop();
    }
    return;
  }
  BackFromRunPanel();
}

void FilterEditorWindow::Help_ffmpeg_Click() {
  if (!FfmpegTools::FfmpegExists()) return;
  TextViewer::ShowCommandOutput(
      CommandLine::QuoteArgument(FfmpegTools::State().FfmpegPath) + " -filters", this);
}

void FilterEditorWindow::Help_Doc_Click() { ProgramHelp::ShowProgramHelp(); }

bool FilterEditorWindow::Form_QueryUnload() {
  if (FilterEditor::State().TestRunning == 1) {
    Lang::MsgStopBeforeExit();
    return false;
  }
  if (Frame3->isVisible()) {
    BackFromRunPanel();
    return false;
  }
  return FilterEditor::CloseFilter();
}

void FilterEditorWindow::closeEvent(QCloseEvent* event) {
  if (unloading_ || Form_QueryUnload()) {
    event->accept();
  } else {
    event->ignore();
  }
  unloading_ = false;
}
