#include "gui/editing/EditingProfileWindow.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

#include "core/editing/EditFields.h"
#include "core/editing/EditingProfileEditor.h"
#include "core/editing/Equalizer.h"
#include "core/frame/DesktopServices.h"
#include "core/frame/FfmpegTools.h"
#include "core/frame/ProgramHelp.h"
#include "core/frame/Session.h"
#include "core/frame/TextViewer.h"
#include "core/ground/FileServices.h"
#include "core/ground/ToolRunner.h"
#include "core/lang/Lang.h"
#include "gui/editing/EditingProfileWindowLayout.h"
#include "gui/ground/ModalWindow.h"
#include "gui/ground/WidgetFactory.h"
#include "gui/lang/Translators.h"

using namespace EditingProfileWindowLayout;

namespace {

QPointer<EditingProfileWindow> g_instance;

}  // namespace

EditingProfileWindow::EditingProfileWindow(QWidget* parent) : QMainWindow(parent) {
  g_instance = this;
  setObjectName("Form8");
  setAttribute(Qt::WA_DeleteOnClose, false);
  CreateControls();
  SetDesignCaptions();
  WireControls();
  connect(&EditingProfileEditor::Events(), &EditingProfileEditor::Notifier::ProfileReplaced, this,
          &EditingProfileWindow::ShowCurrentProfile);
}

EditingProfileWindow::~EditingProfileWindow() = default;

EditingProfileWindow* EditingProfileWindow::Instance() { return g_instance.data(); }

void EditingProfileWindow::ShowEditor(const QString& name, uint8_t mode) {
  using namespace EditingProfileEditor;
  auto* window = new EditingProfileWindow;
  window->Form_Load();
  if (mode == 1) {
    window->SetScratchLayout();
    EditingProfileEditor::State().CurrentPath = ScratchProfilePath();
  }
  if (!name.isEmpty()) {
    OpenProfile(ProfileFolder() + "/" + QString(name).remove('*') + ".qep");
  } else {
    // No file is read: the new window shows the profile held here.
    NormalizeEqualizer();
    RecordToForm();
  }
  EditingProfileEditor::State().ScratchMode = mode;

  QPointer<EditingProfileWindow> alive(window);
  if (window->isVisible()) ModalWindow::Run(window);
  if (alive && !alive->isVisible()) delete alive.data();

  if (EditingProfileEditor::State().ScratchMode == 1) {
    EditingProfileEditor::State().CurrentPath.clear();
    EditingProfileEditor::State().CurrentProfile = EditProfileRec();
    EditingProfileEditor::State().SavedProfile = EditProfileRec();
    EditingProfileEditor::State().Loading = 0;
    EditingProfileEditor::State().ScratchMode = 0;
  }
}

void EditingProfileWindow::CreateControls() {
  auto* central = new QWidget(this);
  setCentralWidget(central);
  MakeCaption(Text28, "Text28", central, 120, 120, 2415);
  Make(List1, "List1", central, 120, 420, 2415, 3300);
  CreateOperationPanels(central);
  CreateTestFileControls(central);
  CreateExplorer(central);
  Make(Picture6, "Picture6", central, 0, 0, 5100, 495)->hide();
  Make(Command15, "Command15", Picture6, 0, 60, 1560, 375);
  Make(Command14, "Command14", Picture6, 1740, 60, 1560, 375);
  Make(Command3, "Command3", Picture6, 3480, 60, 1560, 375);
  // The strip holds its buttons whole, however tall the font makes them.
  Picture6->resize(Picture6->width(),
                   qMax(Picture6->height(), Command3->geometry().bottom() + 1 + Px(60)));
  Timer1 = new QTimer(this);
  Timer1->setObjectName("Timer1");
  Timer1->setInterval(100);
  CreateMenus();
}

void EditingProfileWindow::CreateOperationPanels(QWidget* central) {
  for (auto [member, name] : {std::pair{&PicRecortarSecuencia, "PicRecortarSecuencia"},
                              {&PicRecortarCuadro, "PicRecortarCuadro"},
                              {&PicCambiarTamanoCuadro, "PicCambiarTamanoCuadro"},
                              {&PicAjustarVol, "PicAjustarVol"},
                              {&PicAplicarFiltro, "PicAplicarFiltro"},
                              {&PicAddBorder, "PicAddBorder"},
                              {&PicEliminarPistas, "PicEliminarPistas"},
                              {&PicEQU, "PicEQU"},
                              {&PicModifCmdL, "PicModifCmdL"}}) {
    Make(*member, name, central, 2640, 120, 4095, 4080);
  }
  CreateTrimPanel();
  CreateCropPanel();
  CreateResizePanel();
  CreateVolumePanel();
  CreateFilterPanel();
  CreateBorderPanel();
  CreateTrackPanel();
  CreateCommandLinePanel();
  CreateEqualizerPanel();
}

void EditingProfileWindow::CreateMenus() {
  auto submenu = [](QMenu* menu, QMenu*& member, const char* name) {
    member = menu->addMenu(QString());
    member->setObjectName(name);
    member->menuAction()->setObjectName(name);
  };
  Menu_File = menuBar()->addMenu(QString());
  Menu_File->setObjectName("Menu_File");
  File_Open = WidgetFactory::MenuItem(Menu_File, "File_Open", QString());
  File_Save = WidgetFactory::MenuItem(Menu_File, "File_Save", QString());
  File_SaveAs = WidgetFactory::MenuItem(Menu_File, "File_SaveAs", QString());
  File_DescChan = WidgetFactory::MenuItem(Menu_File, "File_DescChan", QString());
  File_Close = WidgetFactory::MenuItem(Menu_File, "File_Close", QString());
  File_Exit = WidgetFactory::MenuItem(Menu_File, "File_Exit", QString());
  Menu_Options = menuBar()->addMenu(QString());
  Menu_Options->setObjectName("Menu_Options");
  Opt_Docu = WidgetFactory::MenuItem(Menu_Options, "Opt_Docu", QString());
  Opt_SelTestFile = WidgetFactory::MenuItem(Menu_Options, "Opt_SelTestFile", QString());
  Opt_CleanAct = WidgetFactory::MenuItem(Menu_Options, "Opt_CleanAct", QString());
  Opt_CleanAll = WidgetFactory::MenuItem(Menu_Options, "Opt_CleanAll", QString());
  Opt_Sep1 = WidgetFactory::MenuItem(Menu_Options, "Opt_Sep1", QString());
  Opt_Sep1->setEnabled(false);
  Opt_CopySizeTestFile = WidgetFactory::MenuItem(Menu_Options, "Opt_CopySizeTestFile", QString());
  Opt_CopyRAFileTest = WidgetFactory::MenuItem(Menu_Options, "Opt_CopyRAFileTest", QString());
  Opt_ConRelDim = WidgetFactory::MenuItem(Menu_Options, "Opt_ConRelDim", QString());
  submenu(Menu_Options, Opt_TamPredef, "Opt_TamPredef");
  for (size_t i = 0; i < Tam.size(); ++i) {
    const QString caption = EditFields::SizePresets[i].caption;
    Tam[i] = Opt_TamPredef->addAction(caption);
    Tam[i]->setObjectName("Tam_" + caption);
  }
  submenu(Menu_Options, Opt_PredefEqu, "Opt_PredefEqu");
  for (size_t i = 0; i < Equ.size(); ++i) {
    Equ[i] = Opt_PredefEqu->addAction(QString());
    Equ[i]->setObjectName(Equalizer::Presets[i].item);
  }
  Opt_CutGrap = WidgetFactory::MenuItem(Menu_Options, "Opt_CutGrap", QString());
  submenu(Menu_Options, Opt_RestVal, "Opt_RestVal");
  Opt_RestVal_Frec = WidgetFactory::MenuItem(Opt_RestVal, "Opt_RestVal_Frec", QString());
  Opt_RestVal_Gain = WidgetFactory::MenuItem(Opt_RestVal, "Opt_RestVal_Gain", QString());
  Opt_RestVal_BandW = WidgetFactory::MenuItem(Opt_RestVal, "Opt_RestVal_BandW", QString());
  Opt_RestVal_Sep1 = Opt_RestVal->addSeparator();
  Opt_RestVal_Sep1->setObjectName("Opt_RestVal_Sep1");
  Opt_RestVal_All = WidgetFactory::MenuItem(Opt_RestVal, "Opt_RestVal_All", QString());
  Opt_Preview = WidgetFactory::MenuItem(Menu_Options, "Opt_Preview", QString());
  Opt_Helpff = WidgetFactory::MenuItem(Menu_Options, "Opt_Helpff", QString());
}

// The design's Spanish captions; the window's translator replaces them.
void EditingProfileWindow::SetDesignCaptions() {
  setWindowTitle("Crear perfil de edición");
  Text28->setText("Opciones de edición:");
  List1->addItems({"Recortar secuencia", "Recortar cuadro", "Cambiar tamaño de cuadro",
                   "Cambiar volumen", "Aplicar Filtros", "Agregar Borde", "Eliminar Pistas",
                   "Ecualizar", "Modificar línea de comandos"});
  SetTrimCaptions();
  SetCropCaptions();
  SetResizeCaptions();
  SetVolumeCaptions();
  SetFilterCaptions();
  SetBorderCaptions();
  SetTrackCaptions();
  SetEqualizerCaptions();
  SetCommandLineCaptions();
  SetTestFileCaptions();
  SetExplorerCaptions();
  Command15->setText("Cargar");
  Command14->setText("Cancelar");
  Command3->setText("Aceptar");
  Menu_File->setTitle("Archivo");
  File_Open->setText("Abrir");
  File_Save->setText("Guardar");
  File_SaveAs->setText("Guardar como...");
  File_DescChan->setText("Descartar cambios");
  File_Close->setText("Cerrar");
  File_Exit->setText("Salir");
  Menu_Options->setTitle("Opciones");
  Opt_Docu->setText("Ver documentación");
  Opt_SelTestFile->setText("Seleccionar archivo de prueba");
  Opt_CleanAct->setText("Limpiar valores actuales");
  Opt_CleanAll->setText("Limpiar todos los valores");
  Opt_Sep1->setText(QString(37, '-'));
  Opt_CopySizeTestFile->setText("Copiar tamaño de archivo de prueba");
  Opt_CopyRAFileTest->setText("Copiar relación de aspecto de archivo de prueba");
  Opt_ConRelDim->setText("Convertir a dimensiones relativas");
  Opt_TamPredef->setTitle("Tamaño predefinido");
  Opt_PredefEqu->setTitle("Predefinidos");
  for (size_t i = 0; i < Equ.size(); ++i) Equ[i]->setText(Equalizer::Presets[i].caption);
  Opt_CutGrap->setText("Recorte gráfico");
  Opt_RestVal->setTitle("Restaurar valores");
  Opt_RestVal_Frec->setText("Frecuencias");
  Opt_RestVal_Gain->setText("Ganancias");
  Opt_RestVal_BandW->setText("Anchos de banda");
  Opt_RestVal_All->setText("Restaurar todos");
  Opt_Preview->setText("Vista previa");
  Opt_Helpff->setText("Ver ayuda de ffmpeg");
}

void EditingProfileWindow::WireControls() {
  connect(File_Open, &QAction::triggered, this, &EditingProfileWindow::File_Open_Click);
  connect(File_Save, &QAction::triggered, this, &EditingProfileWindow::File_Save_Click);
  connect(File_SaveAs, &QAction::triggered, this, &EditingProfileWindow::File_SaveAs_Click);
  connect(File_DescChan, &QAction::triggered, this, &EditingProfileWindow::File_DescChan_Click);
  connect(File_Close, &QAction::triggered, this, &EditingProfileWindow::File_Close_Click);
  connect(File_Exit, &QAction::triggered, this, &EditingProfileWindow::File_Exit_Click);
  connect(Command15, &QPushButton::clicked, this, &EditingProfileWindow::Command15_Click);
  connect(Command14, &QPushButton::clicked, this, &EditingProfileWindow::Command14_Click);
  connect(Command3, &QPushButton::clicked, this, &EditingProfileWindow::Command3_Click);
  connect(List1, &QListWidget::currentRowChanged, this, &EditingProfileWindow::List1_Click);
  WireFieldBoxes();
  WireTrimPanel();
  WireResizePanel();
  WireVolumePanel();
  WireFilterPanel();
  WireBorderPanel();
  WireTrackPanel();
  WireCommandLinePanel();
  connect(Opt_CleanAct, &QAction::triggered, this, &EditingProfileWindow::Opt_CleanAct_Click);
  connect(Opt_CleanAll, &QAction::triggered, this, &EditingProfileWindow::Opt_CleanAll_Click);
  connect(Opt_Docu, &QAction::triggered, this, &EditingProfileWindow::Opt_Docu_Click);
  WireEqualizer();
  WireTestFileControls();
  WireExplorer();
}

// Window life cycle ------------------------------------------------------

void EditingProfileWindow::Form_Load() {
  for (QListWidget* list : {List1, List2, List3, List4})
    WidgetFactory::SetListHorizontalExtent(list, 1800);
  Lang::TranslateForm8();
  // Captions are read-only boxes: show them from their first character.
  for (QLineEdit* caption : {Text4, Text6, Text8, Text10, Text11, Text12, Text15, Text16, Text18,
                             Text22, Text23, Text28}) {
    caption->setCursorPosition(0);
  }
  WidenIntoNeighbour(Text12, Text13);
  WidenIntoNeighbour(Option2, Text2);
  resize(Px(kWindowWidth), Px(kWindowHeight));
  PicEQU->resize(PicModifCmdL->width(), PicEQU->height());
  for (QComboBox* combo : {Combo2, Combo3, Combo4, Combo5, Combo6, Combo7, Combo8, Combo9, Combo10,
                           Combo11, Combo12}) {
    combo->setCurrentIndex(0);
  }
  List1->setCurrentRow(0);
  List1_Click();
  Command10->move(Command7->pos());
  Menu_File->setEnabled(false);
  Menu_Options->setEnabled(false);
  show();
  repaint();
  Combo13->addItems(Session::State().FileList);
  LoadFilterLists();
  if (FileServices::FileExists(FfmpegTools::State().FfmpegPath)) {
    TempFolder = Session::CreateTempFolder(true);
    if (!TempFolder.isEmpty() && !Session::State().FileList.isEmpty()) {
      LoadTestFile(Session::State().FileList.first());
    }
  }
  Menu_File->setEnabled(true);
  Menu_Options->setEnabled(true);
  Picture7->hide();
}

void EditingProfileWindow::SetScratchLayout() {
  // The strip starts under the test file's box, as far left as its buttons need
  // to end under the box's button.
  const int stripRight = Command2->geometry().right() + 1;
  Picture6->move(qMin(Text13->x(), stripRight - Picture6->width()), Text13->y() + Text13->height());
  resize(Px(kWindowWidth), Px(kWindowHeight) + Picture6->height());
  File_Open->setVisible(false);
  File_Close->setVisible(false);
  File_Exit->setVisible(false);
  Picture6->show();
}

bool EditingProfileWindow::Form_QueryUnload() {
  // A frame grab or border detection still running belongs to this window too.
  if (Picture7->isVisible() || ToolRunner::GetState() != ToolRunner::Idle) {
    QApplication::beep();
    return false;
  }
  if (SubPanelOpen == 1) {
    CloseSubPanel();
    return false;
  }
  return EditingProfileEditor::CloseProfile();
}

void EditingProfileWindow::Form_Unload() {
  Timer1->stop();
  if (!TempFolder.isEmpty()) FileServices::DeleteFolder(TempFolder, true);
  TempFolder.clear();
}

void EditingProfileWindow::closeEvent(QCloseEvent* event) {
  if (!Form_QueryUnload()) {
    event->ignore();
    return;
  }
  Form_Unload();
  event->accept();
}

void EditingProfileWindow::File_Open_Click() { EditingProfileEditor::OpenProfile(QString()); }
void EditingProfileWindow::File_Save_Click() {
  EditingProfileEditor::SaveProfile(EditingProfileEditor::State().CurrentPath);
}

void EditingProfileWindow::File_SaveAs_Click() { EditingProfileEditor::SaveProfile(QString()); }

void EditingProfileWindow::File_DescChan_Click() { EditingProfileEditor::UndoChanges(); }

void EditingProfileWindow::File_Close_Click() { EditingProfileEditor::CloseProfile(); }

void EditingProfileWindow::File_Exit_Click() { close(); }

void EditingProfileWindow::Command15_Click() { EditingProfileEditor::OpenProfile(QString()); }

void EditingProfileWindow::Command14_Click() {
  EditingProfileEditor::UndoChanges();
  close();
}

void EditingProfileWindow::Command3_Click() {
  if (EditingProfileEditor::SaveProfile(EditingProfileEditor::State().CurrentPath)) close();
}

// Filling from the record ------------------------------------------------

void EditingProfileWindow::ShowCurrentProfile() {
  EditingProfileEditor::State().Loading = 1;
  FillFromProfile();
  EditingProfileEditor::State().Loading = 0;
}

void EditingProfileWindow::FillFromProfile() {
  const EditProfileRec& p = EditingProfileEditor::State().CurrentProfile;
  ShowBorder(p);
  SelectProfileFilters();
  ShowResize(p);
  ShowVolume(p);
  ShowCommandLine(p);
  ShowTracks(p);
  ShowEqualizer(p);
  ShowCrop(p);
  ShowTrim(p);
}

// The operations ------------------------------------------------------------

void EditingProfileWindow::List1_Click() {
  const std::array<QWidget*, 9> panels = {
      PicRecortarSecuencia, PicRecortarCuadro, PicCambiarTamanoCuadro, PicAjustarVol,
      PicAplicarFiltro,     PicAddBorder,      PicEliminarPistas,      PicEQU,
      PicModifCmdL};
  for (QWidget* panel : panels) panel->hide();
  for (QAction* item : {Opt_ConRelDim, Opt_CopyRAFileTest, Opt_CopySizeTestFile, Opt_CutGrap,
                        Opt_Preview, Opt_TamPredef->menuAction(), Opt_Sep1, Opt_Helpff,
                        Opt_PredefEqu->menuAction(), Opt_RestVal->menuAction()}) {
    item->setVisible(false);
  }
  TextViewer::CloseViewer();
  const int operation = List1->currentRow();
  if (operation < 0 || operation > 8) return;
  panels[operation]->show();
  QList<QAction*> shown;
  switch (operation) {
    case 0:
      shown = {Opt_Sep1, Opt_CutGrap};
      break;
    case 1:
      shown = {Opt_Sep1, Opt_CutGrap, Opt_ConRelDim, Opt_Preview};
      break;
    case 2:
      shown = {Opt_Sep1,           Opt_ConRelDim,
               Opt_CopyRAFileTest, Opt_CopySizeTestFile,
               Opt_Preview,        Opt_TamPredef->menuAction()};
      break;
    case 3:
      shown = {Opt_Sep1, Opt_Preview};
      break;
    case 5:
      shown = {Opt_ConRelDim, Opt_Sep1, Opt_Preview};
      break;
    case 6:
      shown = {Opt_Sep1, Opt_Preview};
      break;
    case 7:
      shown = {Opt_Sep1, Opt_PredefEqu->menuAction(), Opt_Preview, Opt_RestVal->menuAction()};
      break;
    case 8:
      shown = {Opt_Sep1, Opt_Helpff};
      break;
    default:
      break;
  }
  for (QAction* item : shown) item->setVisible(true);
}

void EditingProfileWindow::ClearValues(bool all) {
  // In the order of the operation list.
  static constexpr std::array<void (EditingProfileWindow::*)(), 9> clear = {
      &EditingProfileWindow::ClearTrim,       &EditingProfileWindow::ClearCrop,
      &EditingProfileWindow::ClearResize,     &EditingProfileWindow::ClearVolume,
      &EditingProfileWindow::ClearFilters,    &EditingProfileWindow::ClearBorder,
      &EditingProfileWindow::ClearTracks,     &EditingProfileWindow::Opt_RestVal_All_Click,
      &EditingProfileWindow::ClearCommandLine};
  for (int operation = all ? 0 : List1->currentRow(); operation >= 0 && operation < List1->count();
       ++operation) {
    if (operation < int(clear.size())) (this->*clear[operation])();
    if (!all) break;
  }
}

void EditingProfileWindow::Opt_CleanAct_Click() { ClearValues(false); }

void EditingProfileWindow::Opt_CleanAll_Click() { ClearValues(true); }

void EditingProfileWindow::Opt_Docu_Click() { ProgramHelp::ShowProgramHelp(); }
