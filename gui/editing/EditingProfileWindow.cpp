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
#include "core/frame/AnotherToolRunning.h"
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

void EditingProfileWindow::ShowEditor(const QString& name, bool scratchMode) {
  using namespace EditingProfileEditor;
  // The window probes its test file as it opens, and refuses to close while
  // the runner is busy: opened over another tool it could never be closed.
  if (AnotherToolRunning::Refuse()) return;
  auto* window = new EditingProfileWindow;
  window->Load();
  if (scratchMode) {
    window->SetScratchLayout();
    EditingProfileEditor::State().CurrentPath = ScratchProfilePath();
  }
  if (!name.isEmpty()) {
    EditingProfileEditor::OpenProfile(ProfileFolder() + "/" + QString(name).remove('*') + ".qep");
  } else {
    // No file is read: the new window shows the profile held here.
    NormalizeEqualizer();
    RecordToForm();
  }
  EditingProfileEditor::State().ScratchMode = scratchMode;

  QPointer<EditingProfileWindow> alive(window);
  if (window->isVisible()) ModalWindow::Run(window);
  if (alive && !alive->isVisible()) delete alive.data();

  if (EditingProfileEditor::State().ScratchMode) {
    EditingProfileEditor::State().CurrentPath.clear();
    EditingProfileEditor::State().CurrentProfile = EditProfileRec();
    EditingProfileEditor::State().SavedProfile = EditProfileRec();
    EditingProfileEditor::State().Loading = false;
    EditingProfileEditor::State().ScratchMode = false;
  }
}

void EditingProfileWindow::CreateControls() {
  auto* central = new QWidget(this);
  setCentralWidget(central);
  MakeCaption(operationsCaption, "Text28", central, 120, 120, 2415);
  Make(operationList, "List1", central, 120, 420, 2415, 3300);
  CreateOperationPanels(central);
  CreateTestFileControls(central);
  CreateExplorer(central);
  Make(scratchButtonStrip, "Picture6", central, 0, 0, 5100, 495)->hide();
  Make(loadButton, "Command15", scratchButtonStrip, 0, 60, 1560, 375);
  Make(cancelButton, "Command14", scratchButtonStrip, 1740, 60, 1560, 375);
  Make(acceptButton, "Command3", scratchButtonStrip, 3480, 60, 1560, 375);
  // The strip holds its buttons whole, however tall the font makes them.
  scratchButtonStrip->resize(
      scratchButtonStrip->width(),
      qMax(scratchButtonStrip->height(), acceptButton->geometry().bottom() + 1 + Px(60)));
  auditionTimer = new QTimer(this);
  auditionTimer->setObjectName("Timer1");
  auditionTimer->setInterval(100);
  CreateMenus();
}

void EditingProfileWindow::CreateOperationPanels(QWidget* central) {
  for (auto [member, name] : {std::pair{&trimPanel, "PicRecortarSecuencia"},
                              {&cropPanel, "PicRecortarCuadro"},
                              {&resizePanel, "PicCambiarTamanoCuadro"},
                              {&volumePanel, "PicAjustarVol"},
                              {&filterPanel, "PicAplicarFiltro"},
                              {&borderPanel, "PicAddBorder"},
                              {&trackPanel, "PicEliminarPistas"},
                              {&equalizerPanel, "PicEQU"},
                              {&commandLinePanel, "PicModifCmdL"}}) {
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
  fileMenu = menuBar()->addMenu(QString());
  fileMenu->setObjectName("Menu_File");
  openAction = WidgetFactory::MenuItem(fileMenu, "File_Open", QString());
  saveAction = WidgetFactory::MenuItem(fileMenu, "File_Save", QString());
  saveAsAction = WidgetFactory::MenuItem(fileMenu, "File_SaveAs", QString());
  discardChangesAction = WidgetFactory::MenuItem(fileMenu, "File_DescChan", QString());
  closeAction = WidgetFactory::MenuItem(fileMenu, "File_Close", QString());
  exitAction = WidgetFactory::MenuItem(fileMenu, "File_Exit", QString());
  optionsMenu = menuBar()->addMenu(QString());
  optionsMenu->setObjectName("Menu_Options");
  documentationAction = WidgetFactory::MenuItem(optionsMenu, "Opt_Docu", QString());
  selectTestFileAction = WidgetFactory::MenuItem(optionsMenu, "Opt_SelTestFile", QString());
  clearCurrentAction = WidgetFactory::MenuItem(optionsMenu, "Opt_CleanAct", QString());
  clearAllAction = WidgetFactory::MenuItem(optionsMenu, "Opt_CleanAll", QString());
  optionsSeparator = WidgetFactory::MenuItem(optionsMenu, "Opt_Sep1", QString());
  optionsSeparator->setEnabled(false);
  copyTestSizeAction = WidgetFactory::MenuItem(optionsMenu, "Opt_CopySizeTestFile", QString());
  copyTestAspectAction = WidgetFactory::MenuItem(optionsMenu, "Opt_CopyRAFileTest", QString());
  relativeSizesAction = WidgetFactory::MenuItem(optionsMenu, "Opt_ConRelDim", QString());
  submenu(optionsMenu, sizePresetMenu, "Opt_TamPredef");
  for (size_t i = 0; i < sizePresetActions.size(); ++i) {
    const QString caption = EditFields::SizePresets[i].caption;
    sizePresetActions[i] = sizePresetMenu->addAction(caption);
    sizePresetActions[i]->setObjectName("Tam_" + caption);
  }
  submenu(optionsMenu, equalizerPresetMenu, "Opt_PredefEqu");
  for (size_t i = 0; i < equalizerPresetActions.size(); ++i) {
    equalizerPresetActions[i] = equalizerPresetMenu->addAction(QString());
    equalizerPresetActions[i]->setObjectName(Equalizer::Presets[i].item);
  }
  explorerAction = WidgetFactory::MenuItem(optionsMenu, "Opt_CutGrap", QString());
  submenu(optionsMenu, restoreMenu, "Opt_RestVal");
  restoreFrequenciesAction = WidgetFactory::MenuItem(restoreMenu, "Opt_RestVal_Frec", QString());
  restoreGainsAction = WidgetFactory::MenuItem(restoreMenu, "Opt_RestVal_Gain", QString());
  restoreBandwidthsAction = WidgetFactory::MenuItem(restoreMenu, "Opt_RestVal_BandW", QString());
  restoreSeparator = restoreMenu->addSeparator();
  restoreSeparator->setObjectName("Opt_RestVal_Sep1");
  restoreAllAction = WidgetFactory::MenuItem(restoreMenu, "Opt_RestVal_All", QString());
  previewAction = WidgetFactory::MenuItem(optionsMenu, "Opt_Preview", QString());
  ffmpegHelpAction = WidgetFactory::MenuItem(optionsMenu, "Opt_Helpff", QString());
}

// The design's Spanish captions; the window's translator replaces them.
void EditingProfileWindow::SetDesignCaptions() {
  setWindowTitle("Crear perfil de edición");
  operationsCaption->setText("Opciones de edición:");
  operationList->addItems({"Recortar secuencia", "Recortar cuadro", "Cambiar tamaño de cuadro",
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
  loadButton->setText("Cargar");
  cancelButton->setText("Cancelar");
  acceptButton->setText("Aceptar");
  fileMenu->setTitle("Archivo");
  openAction->setText("Abrir");
  saveAction->setText("Guardar");
  saveAsAction->setText("Guardar como...");
  discardChangesAction->setText("Descartar cambios");
  closeAction->setText("Cerrar");
  exitAction->setText("Salir");
  optionsMenu->setTitle("Opciones");
  documentationAction->setText("Ver documentación");
  selectTestFileAction->setText("Seleccionar archivo de prueba");
  clearCurrentAction->setText("Limpiar valores actuales");
  clearAllAction->setText("Limpiar todos los valores");
  optionsSeparator->setText(QString(37, '-'));
  copyTestSizeAction->setText("Copiar tamaño de archivo de prueba");
  copyTestAspectAction->setText("Copiar relación de aspecto de archivo de prueba");
  relativeSizesAction->setText("Convertir a dimensiones relativas");
  sizePresetMenu->setTitle("Tamaño predefinido");
  equalizerPresetMenu->setTitle("Predefinidos");
  for (size_t i = 0; i < equalizerPresetActions.size(); ++i)
    equalizerPresetActions[i]->setText(Equalizer::Presets[i].caption);
  explorerAction->setText("Recorte gráfico");
  restoreMenu->setTitle("Restaurar valores");
  restoreFrequenciesAction->setText("Frecuencias");
  restoreGainsAction->setText("Ganancias");
  restoreBandwidthsAction->setText("Anchos de banda");
  restoreAllAction->setText("Restaurar todos");
  previewAction->setText("Vista previa");
  ffmpegHelpAction->setText("Ver ayuda de ffmpeg");
}

void EditingProfileWindow::WireControls() {
  connect(openAction, &QAction::triggered, this, &EditingProfileWindow::OpenProfile);
  connect(saveAction, &QAction::triggered, this, &EditingProfileWindow::SaveProfile);
  connect(saveAsAction, &QAction::triggered, this, &EditingProfileWindow::SaveProfileAs);
  connect(discardChangesAction, &QAction::triggered, this, &EditingProfileWindow::DiscardChanges);
  connect(closeAction, &QAction::triggered, this, &EditingProfileWindow::CloseProfile);
  connect(exitAction, &QAction::triggered, this, &EditingProfileWindow::Exit);
  connect(loadButton, &QPushButton::clicked, this, &EditingProfileWindow::LoadProfile);
  connect(cancelButton, &QPushButton::clicked, this, &EditingProfileWindow::Cancel);
  connect(acceptButton, &QPushButton::clicked, this, &EditingProfileWindow::Accept);
  connect(operationList, &QListWidget::currentRowChanged, this,
          &EditingProfileWindow::ShowChosenOperation);
  WireFieldBoxes();
  WireTrimPanel();
  WireResizePanel();
  WireVolumePanel();
  WireFilterPanel();
  WireBorderPanel();
  WireTrackPanel();
  WireCommandLinePanel();
  connect(clearCurrentAction, &QAction::triggered, this, &EditingProfileWindow::ClearCurrentValues);
  connect(clearAllAction, &QAction::triggered, this, &EditingProfileWindow::ClearAllValues);
  connect(documentationAction, &QAction::triggered, this, &EditingProfileWindow::ShowDocumentation);
  WireEqualizer();
  WireTestFileControls();
  WireExplorer();
}

// Window life cycle ------------------------------------------------------

void EditingProfileWindow::Load() {
  for (QListWidget* list : {operationList, audioFilterList, videoFilterList, complexFilterList})
    WidgetFactory::LetListScrollSideways(list);
  Lang::TranslateEditingProfileWindow();
  // Captions are read-only boxes: show them from their first character.
  for (QLineEdit* caption :
       {rightBorderCaption, leftBorderCaption, topBorderCaption, bottomBorderCaption,
        borderColorCaption, testFileCaption, volumeCaption, cropWidthCaption, cropHeightCaption,
        resizeWidthCaption, resizeHeightCaption, operationsCaption}) {
    caption->setCursorPosition(0);
  }
  WidenIntoNeighbour(testFileCaption, testFileBox);
  WidenIntoNeighbour(setAspectOption, aspectRatio);
  resize(Px(kWindowWidth), Px(kWindowHeight));
  equalizerPanel->resize(commandLinePanel->width(), equalizerPanel->height());
  for (QComboBox* combo :
       {cropWidthUnitCombo, cropHeightUnitCombo, cropLeftUnitCombo, cropTopUnitCombo,
        resizeHeightUnitCombo, resizeWidthUnitCombo, durationUnitCombo, rightBorderUnitCombo,
        leftBorderUnitCombo, topBorderUnitCombo, bottomBorderUnitCombo}) {
    combo->setCurrentIndex(0);
  }
  operationList->setCurrentRow(0);
  ShowChosenOperation();
  markSecondButton->move(markFirstButton->pos());
  fileMenu->setEnabled(false);
  optionsMenu->setEnabled(false);
  show();
  repaint();
  testFileCombo->addItems(Session::State().FileList);
  LoadFilterLists();
  if (FileServices::FileExists(FfmpegTools::State().FfmpegPath)) {
    tempFolder = Session::CreateTempFolder(true);
    if (!tempFolder.isEmpty() && !Session::State().FileList.isEmpty()) {
      LoadTestFile(Session::State().FileList.first());
    }
  }
  fileMenu->setEnabled(true);
  optionsMenu->setEnabled(true);
  waitPanel->hide();
}

void EditingProfileWindow::SetScratchLayout() {
  // The strip starts under the test file's box, as far left as its buttons need
  // to end under the box's button.
  const int stripRight = chooseTestFileButton->geometry().right() + 1;
  scratchButtonStrip->move(qMin(testFileBox->x(), stripRight - scratchButtonStrip->width()),
                           testFileBox->y() + testFileBox->height());
  resize(Px(kWindowWidth), Px(kWindowHeight) + scratchButtonStrip->height());
  openAction->setVisible(false);
  closeAction->setVisible(false);
  exitAction->setVisible(false);
  scratchButtonStrip->show();
}

bool EditingProfileWindow::MayClose() {
  // A frame grab or border detection still running belongs to this window too.
  if (waitPanel->isVisible() || ToolRunner::GetState() != ToolRunner::RunState::Idle) {
    QApplication::beep();
    return false;
  }
  if (subPanelOpen) {
    CloseSubPanel();
    return false;
  }
  return EditingProfileEditor::CloseProfile();
}

void EditingProfileWindow::OnClosed() {
  auditionTimer->stop();
  if (!tempFolder.isEmpty()) FileServices::DeleteFolder(tempFolder);
  tempFolder.clear();
}

void EditingProfileWindow::closeEvent(QCloseEvent* event) {
  if (!MayClose()) {
    event->ignore();
    return;
  }
  OnClosed();
  event->accept();
}

void EditingProfileWindow::OpenProfile() { EditingProfileEditor::OpenProfile(QString()); }
void EditingProfileWindow::SaveProfile() {
  EditingProfileEditor::SaveProfile(EditingProfileEditor::State().CurrentPath);
}

void EditingProfileWindow::SaveProfileAs() { EditingProfileEditor::SaveProfile(QString()); }

void EditingProfileWindow::DiscardChanges() { EditingProfileEditor::UndoChanges(); }

void EditingProfileWindow::CloseProfile() { EditingProfileEditor::CloseProfile(); }

void EditingProfileWindow::Exit() { close(); }

void EditingProfileWindow::LoadProfile() { EditingProfileEditor::OpenProfile(QString()); }

void EditingProfileWindow::Cancel() {
  EditingProfileEditor::UndoChanges();
  close();
}

void EditingProfileWindow::Accept() {
  if (EditingProfileEditor::SaveProfile(EditingProfileEditor::State().CurrentPath)) close();
}

// Filling from the record ------------------------------------------------

void EditingProfileWindow::ShowCurrentProfile() {
  EditingProfileEditor::State().Loading = true;
  FillFromProfile();
  EditingProfileEditor::State().Loading = false;
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

EditingProfileWindow::Operation EditingProfileWindow::ChosenOperation() const {
  const int row = operationList->currentRow();
  return row < 0 || row >= int(Operation::None) ? Operation::None : Operation(row);
}

void EditingProfileWindow::ShowChosenOperation() {
  const std::array<QWidget*, 9> panels = {trimPanel,   cropPanel,      resizePanel,
                                          volumePanel, filterPanel,    borderPanel,
                                          trackPanel,  equalizerPanel, commandLinePanel};
  for (QWidget* panel : panels) panel->hide();
  for (QAction* item :
       {relativeSizesAction, copyTestAspectAction, copyTestSizeAction, explorerAction,
        previewAction, sizePresetMenu->menuAction(), optionsSeparator, ffmpegHelpAction,
        equalizerPresetMenu->menuAction(), restoreMenu->menuAction()}) {
    item->setVisible(false);
  }
  TextViewer::CloseViewer();
  const Operation operation = ChosenOperation();
  if (operation == Operation::None) return;
  panels[int(operation)]->show();
  QList<QAction*> shown;
  switch (operation) {
    case Operation::Trim:
      shown = {optionsSeparator, explorerAction};
      break;
    case Operation::Crop:
      shown = {optionsSeparator, explorerAction, relativeSizesAction, previewAction};
      break;
    case Operation::Resize:
      shown = {optionsSeparator,   relativeSizesAction, copyTestAspectAction,
               copyTestSizeAction, previewAction,       sizePresetMenu->menuAction()};
      break;
    case Operation::Volume:
      shown = {optionsSeparator, previewAction};
      break;
    case Operation::Border:
      shown = {relativeSizesAction, optionsSeparator, previewAction};
      break;
    case Operation::Tracks:
      shown = {optionsSeparator, previewAction};
      break;
    case Operation::Equalizer:
      shown = {optionsSeparator, equalizerPresetMenu->menuAction(), previewAction,
               restoreMenu->menuAction()};
      break;
    case Operation::CommandLine:
      shown = {optionsSeparator, ffmpegHelpAction};
      break;
    case Operation::Filters:
    case Operation::None:
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
      &EditingProfileWindow::ClearTracks,     &EditingProfileWindow::RestoreAllBands,
      &EditingProfileWindow::ClearCommandLine};
  for (int operation = all ? 0 : operationList->currentRow();
       operation >= 0 && operation < operationList->count(); ++operation) {
    if (operation < int(clear.size())) (this->*clear[operation])();
    if (!all) break;
  }
}

void EditingProfileWindow::ClearCurrentValues() { ClearValues(false); }

void EditingProfileWindow::ClearAllValues() { ClearValues(true); }

void EditingProfileWindow::ShowDocumentation() { ProgramHelp::ShowProgramHelp(); }
