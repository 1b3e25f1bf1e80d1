// The format editor window as a whole: its controls, menus and button strip, its
// wiring, the File menu and buttons, closing, and opening the editor.
#include "gui/formats/FormatEditorWindow.h"

#include <QAction>
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTimer>

#include "core/frame/AnotherToolRunning.h"
#include "core/ground/ToolRunner.h"
#include "core/lang/Lang.h"
#include "gui/ground/ModalWindow.h"
#include "gui/ground/TextFit.h"
#include "gui/ground/WidgetFactory.h"
#include "gui/lang/Translators.h"

namespace {

QPointer<FormatEditorWindow> g_instance;

// Design geometry is in twips, 15 to a pixel, or in pixels; both are scaled to
// this desktop's font.
using TextFit::FromPixels;
using TextFit::FromTwips;

// The panels' design size, 4935 by 3855 twips.
constexpr int kFrameWidth = 4935 / 15;
constexpr int kFrameHeight = 3855 / 15;

// A button of the design's size (1335 by 495 twips) at a design position in pixels.
QPushButton* NewButton(QWidget* parent, const char* name, const char* caption, int left, int top) {
  auto* button = WidgetFactory::Named(new QPushButton(QString::fromUtf8(caption), parent), name);
  button->setGeometry(FromPixels(left, top, 1335 / 15, 495 / 15));
  return button;
}

QGroupBox* NewFrame(QWidget* parent, const char* name, const char* caption) {
  auto* frame = WidgetFactory::Named(new QGroupBox(QString::fromUtf8(caption), parent), name);
  frame->setGeometry(FromPixels(0, 0, kFrameWidth, kFrameHeight));
  // A panel covers the rows beneath it.
  frame->setAutoFillBackground(true);
  frame->hide();
  return frame;
}

}  // namespace

FormatEditorWindow::FormatEditorWindow(QWidget* parent) : QMainWindow(parent) {
  g_instance = this;
  setObjectName("Form7");
  setWindowTitle(QString::fromUtf8("Editor de formatos"));
  CreateControls();
  WireControls();
}

FormatEditorWindow::~FormatEditorWindow() = default;

QString FormatEditorWindow::Tag(const QObject* object) {
  return object->property("Tag").toString();
}
void FormatEditorWindow::SetTag(QObject* object, const QString& tag) {
  object->setProperty("Tag", tag);
}

FormatEditorWindow* FormatEditorWindow::Instance() { return g_instance.data(); }

void FormatEditorWindow::CreateControls() {
  auto* central = new QWidget(this);
  setCentralWidget(central);
  CreateMenus();
  categoryCombo = WidgetFactory::Named(new QComboBox(central), "Combo6");
  categoryCombo->setGeometry(FromTwips(120, 120, 2895, 330));
  categoryCombo->addItems({"Entrada", "Salida - General", "Salida - Audio", "Salida - Video"});
  CreateRowArea(central);
  CreateButtonStrip(central);
  CreateFrames(central);
  rebuildTimer = WidgetFactory::Named(new QTimer(this), "Timer1");
  rebuildTimer->setInterval(10);
  rebuildTimer->setSingleShot(true);
}

void FormatEditorWindow::CreateMenus() {
  fileMenu = WidgetFactory::Named(menuBar()->addMenu("Archivo"), "Menu_File");
  openAction = WidgetFactory::MenuItem(fileMenu, "File_Open", QString::fromUtf8("Abrir"));
  saveAction = WidgetFactory::MenuItem(fileMenu, "File_Save", QString::fromUtf8("Guardar"));
  saveAsAction =
      WidgetFactory::MenuItem(fileMenu, "File_SaveAs", QString::fromUtf8("Guardar como..."));
  saveSeparator = WidgetFactory::Separator(fileMenu, "File_sep1");
  undoChangesAction =
      WidgetFactory::MenuItem(fileMenu, "File_UndoChanges", QString::fromUtf8("Descartar cambios"));
  clearAllAction =
      WidgetFactory::MenuItem(fileMenu, "File_CleanAll", QString::fromUtf8("Limpiar todo"));
  clearCategoryAction =
      WidgetFactory::MenuItem(fileMenu, "File_CleanAct", QString::fromUtf8("Limpiar actuales"));
  closeSeparator = WidgetFactory::Separator(fileMenu, "File_sep2");
  closeProfileAction = WidgetFactory::MenuItem(fileMenu, "File_Close", QString::fromUtf8("Cerrar"));
  exitAction = WidgetFactory::MenuItem(fileMenu, "File_Exit", QString::fromUtf8("Salir"));

  helpMenu = WidgetFactory::Named(menuBar()->addMenu("Ayuda"), "Menu_Help");
  ffmpegMenu = WidgetFactory::Named(helpMenu->addMenu("ffmpeg"), "Help_ffmpeg");
  ffmpegHelpAction =
      WidgetFactory::MenuItem(ffmpegMenu, "Help_ffNormal", QString::fromUtf8("Normal"));
  ffmpegLongHelpAction =
      WidgetFactory::MenuItem(ffmpegMenu, "Help_ffExtend", QString::fromUtf8("Extendida"));
  ffmpegFullHelpAction =
      WidgetFactory::MenuItem(ffmpegMenu, "Help_ffFull", QString::fromUtf8("Completa"));
  ffmpegListsSeparator = WidgetFactory::Separator(ffmpegMenu, "Help_Sep1");
  ffmpegFormatsAction =
      WidgetFactory::MenuItem(ffmpegMenu, "Help_ffFormats", QString::fromUtf8("Formatos"));
  ffmpegCodecsAction =
      WidgetFactory::MenuItem(ffmpegMenu, "Help_ffCodecs", QString::fromUtf8("Codecs"));
  ffmpegEncodersAction =
      WidgetFactory::MenuItem(ffmpegMenu, "Help_ffEncoders", QString::fromUtf8("Codecs de salida"));
  ffmpegDecodersAction = WidgetFactory::MenuItem(ffmpegMenu, "Help_ffDecoders",
                                                 QString::fromUtf8("Codecs de entrada"));
  ffmpegPixelFormatsAction =
      WidgetFactory::MenuItem(ffmpegMenu, "Help_ffPixFmt", QString::fromUtf8("Formatos de pixel"));
  ffmpegFiltersAction =
      WidgetFactory::MenuItem(ffmpegMenu, "Help_ffFilters", QString::fromUtf8("Filtros"));
  ffmpegBitstreamFiltersAction = WidgetFactory::MenuItem(ffmpegMenu, "Help_ffBitStreamFilters",
                                                         QString::fromUtf8("Filtros bitstream"));
  ffmpegOptionsSeparator = WidgetFactory::Separator(ffmpegMenu, "Help_Sep2");
  codecOptionsAction = WidgetFactory::MenuItem(ffmpegMenu, "Help_ffCodecHelp",
                                               QString::fromUtf8("Opciones avanzadas del codec"));
  formatOptionsAction = WidgetFactory::MenuItem(
      ffmpegMenu, "Help_ffFormatHelp", QString::fromUtf8("Opciones avanzadas del formato"));
  ffmpegLicenceSeparator = WidgetFactory::Separator(ffmpegMenu, "Help_Sep3");
  ffmpegLicenceAction =
      WidgetFactory::MenuItem(ffmpegMenu, "Help_ffLic", QString::fromUtf8("Licencia de ffmpeg"));
  aboutAudioCodecAction = WidgetFactory::MenuItem(
      helpMenu, "Help_AboutECA", QString::fromUtf8("Acerca del codec externo de audio"));
  aboutVideoCodecAction = WidgetFactory::MenuItem(
      helpMenu, "Help_AboutECV", QString::fromUtf8("Acerca del codec externo de video"));
  programHelpAction =
      WidgetFactory::MenuItem(helpMenu, "Help_Documentacion", QString::fromUtf8("Documentación"));

  optionsMenu = WidgetFactory::Named(menuBar()->addMenu("Opciones"), "Menu_Options");
  importCommandLineAction = WidgetFactory::MenuItem(
      optionsMenu, "Import_OfCmdL", QString::fromUtf8("Obtener valores de línea de comandos"));
  importFromFileAction = WidgetFactory::MenuItem(optionsMenu, "Import_OfFile",
                                                 QString::fromUtf8("Obtener valores de archivo"));
  codecsSeparator = WidgetFactory::Separator(optionsMenu, "Opt_Sep1");
  loadAudioCodecAction = WidgetFactory::MenuItem(
      optionsMenu, "LoadECA_Menu", QString::fromUtf8("Cargar codec externo de audio"));
  loadVideoCodecAction = WidgetFactory::MenuItem(
      optionsMenu, "LoadECV_Menu", QString::fromUtf8("Cargar codec externo de video"));
  unloadAudioCodecAction = WidgetFactory::MenuItem(
      optionsMenu, "UnloadECA_Menu", QString::fromUtf8("Descargar codec externo de audio"));
  unloadVideoCodecAction = WidgetFactory::MenuItem(
      optionsMenu, "UnloadECV_Menu", QString::fromUtf8("Descargar codec externo de video"));
  reloadAudioCodecAction = WidgetFactory::MenuItem(
      optionsMenu, "ReloadECA_Menu", QString::fromUtf8("Re-cargar codec externo de audio"));
  reloadVideoCodecAction = WidgetFactory::MenuItem(
      optionsMenu, "ReloadECV_Menu", QString::fromUtf8("Re-cargar codec externo de video"));
  findProgramMenu = WidgetFactory::Named(optionsMenu->addMenu("Buscar ejecutable"), "Opt_FindExe");
  findAudioProgramAction = WidgetFactory::MenuItem(findProgramMenu, "FindEXE_A",
                                                   QString::fromUtf8("Codec externo de audio"));
  findVideoProgramAction = WidgetFactory::MenuItem(findProgramMenu, "FindEXE_V",
                                                   QString::fromUtf8("Codec externo de video"));
  findProgramPlaceholder = WidgetFactory::Separator(findProgramMenu, "FindEXE_Sep1");
  SyncExtCodecMenus(FormatProfile());
}

void FormatEditorWindow::CreateButtonStrip(QWidget* central) {
  buttonStrip = WidgetFactory::Named(new QWidget(central), "Picture9");
  buttonStrip->setGeometry(FromTwips(1080, 9960, 4935, 615));
  loadButton = NewButton(buttonStrip, "Command12", "Cargar", 480 / 15, 120 / 15);
  cancelButton = NewButton(buttonStrip, "Command2", "Cancelar", 1920 / 15, 120 / 15);
  acceptButton = NewButton(buttonStrip, "Command1", "Aceptar", 3360 / 15, 120 / 15);
  buttonStrip->hide();
}

void FormatEditorWindow::CreateFrames(QWidget* central) {
  formatPanel = NewFrame(central, "Frame1", "Opciones avanzadas del contenedor");
  outputFormatOption =
      WidgetFactory::Named(new QRadioButton("Formato de salida", formatPanel), "Option1");
  outputFormatOption->setGeometry(FromPixels(8, 24, 150, 22));
  outputFormatOption->setChecked(true);
  inputFormatOption =
      WidgetFactory::Named(new QRadioButton("Formato de entrada", formatPanel), "Option2");
  inputFormatOption->setGeometry(FromPixels(8, 80, 150, 22));
  outputFormatCombo = WidgetFactory::Named(new QComboBox(formatPanel), "Combo1");
  outputFormatCombo->setGeometry(FromPixels(24, 48, 200, 24));
  inputFormatCombo = WidgetFactory::Named(new QComboBox(formatPanel), "Combo3");
  inputFormatCombo->setGeometry(FromPixels(24, 104, 200, 24));
  inputFormatCombo->setEnabled(false);
  showFormatHelpButton = NewButton(formatPanel, "Command3", "Ver", 240, 48);
  formatBackButton = NewButton(formatPanel, "Command5", "Atrás", 240, 220);

  codecPanel = NewFrame(central, "Frame2", "Opciones avanzadas del codec");
  auto* codecKind = new QButtonGroup(codecPanel);
  auto* codecView = new QButtonGroup(codecPanel);
  audioCodecOption =
      WidgetFactory::Named(new QRadioButton("Codec de audio", codecPanel), "Option3");
  audioCodecOption->setGeometry(FromPixels(8, 24, 150, 22));
  videoCodecOption =
      WidgetFactory::Named(new QRadioButton("Codec de video", codecPanel), "Option4");
  videoCodecOption->setGeometry(FromPixels(8, 80, 150, 22));
  encoderViewOption = WidgetFactory::Named(
      new QRadioButton(QString::fromUtf8("Ver opciones de codificación"), codecPanel), "Option5");
  encoderViewOption->setGeometry(FromPixels(8, 140, 250, 22));
  decoderViewOption = WidgetFactory::Named(
      new QRadioButton(QString::fromUtf8("Ver opciones de decodificación"), codecPanel), "Option6");
  decoderViewOption->setGeometry(FromPixels(8, 164, 250, 22));
  codecKind->addButton(audioCodecOption);
  codecKind->addButton(videoCodecOption);
  codecView->addButton(encoderViewOption);
  codecView->addButton(decoderViewOption);
  audioCodecOption->setChecked(true);
  encoderViewOption->setChecked(true);
  audioCodecCombo = WidgetFactory::Named(new QComboBox(codecPanel), "Combo4");
  audioCodecCombo->setGeometry(FromPixels(24, 48, 200, 24));
  videoCodecCombo = WidgetFactory::Named(new QComboBox(codecPanel), "Combo5");
  videoCodecCombo->setGeometry(FromPixels(24, 104, 200, 24));
  videoCodecCombo->setEnabled(false);
  showCodecHelpButton = NewButton(codecPanel, "Command4", "Ver", 240, 48);
  codecBackButton = NewButton(codecPanel, "Command6", "Atrás", 240, 220);
  for (QComboBox* combo : {outputFormatCombo, inputFormatCombo, audioCodecCombo, videoCodecCombo}) {
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert);
    SetTag(combo, QString());
  }

  aboutPanel = NewFrame(central, "Frame3", "Acerca del codec");
  SetTag(aboutPanel, QString::fromUtf8("Acerca del codec..."));
  aboutText = WidgetFactory::Named(new QPlainTextEdit(aboutPanel), "Text3");
  aboutText->setGeometry(FromPixels(8, 24, kFrameWidth - 16, 180));
  aboutText->setReadOnly(true);
  aboutBackButton = NewButton(aboutPanel, "Command7", "Atrás", 240, 220);

  commandLinePanel = NewFrame(central, "Frame4", "Obtener valores de línea de comandos");
  outputOptionsLabel = WidgetFactory::Named(
      new QLabel(QString::fromUtf8("Parámetros de salida:"), commandLinePanel), "Label2");
  outputOptionsLabel->setGeometry(FromPixels(8, 24, 300, 20));
  outputOptions = WidgetFactory::Named(new QLineEdit(commandLinePanel), "Text4");
  outputOptions->setGeometry(FromPixels(8, 46, kFrameWidth - 16, 24));
  inputOptionsLabel = WidgetFactory::Named(
      new QLabel(QString::fromUtf8("Parámetros de entrada:"), commandLinePanel), "Label3");
  inputOptionsLabel->setGeometry(FromPixels(8, 80, 300, 20));
  inputOptions = WidgetFactory::Named(new QLineEdit(commandLinePanel), "Text5");
  inputOptions->setGeometry(FromPixels(8, 102, kFrameWidth - 16, 24));
  importCommandLineButton = NewButton(commandLinePanel, "Command8", "Aceptar", 140, 220);
  commandLineBackButton = NewButton(commandLinePanel, "Command9", "Atrás", 240, 220);

  filePanel = NewFrame(central, "Frame5", "Obtener valores desde archivo");
  probeListLabel =
      WidgetFactory::Named(new QLabel("Seleccione los valores a copiar:", filePanel), "Label4");
  probeListLabel->setGeometry(FromPixels(8, 20, 300, 20));
  probeList = WidgetFactory::Named(new QListWidget(filePanel), "List1");
  probeList->setGeometry(FromPixels(8, 42, kFrameWidth - 16, 150));
  tickAllCheck =
      WidgetFactory::Named(new QCheckBox("Marcar / desmarcar todo", filePanel), "Check1");
  tickAllCheck->setGeometry(FromPixels(8, 196, 200, 20));
  importProbedButton = NewButton(filePanel, "Command10", "Aceptar", 140, 220);
  fileBackButton = NewButton(filePanel, "Command11", "Atrás", 240, 220);

  waitPanel = NewFrame(central, "Frame6", "");
  waitLabel = WidgetFactory::Named(
      new QLabel(QString::fromUtf8("Obteniendo información de ffmpeg..."), waitPanel), "Label5");
  waitLabel->setGeometry(FromPixels(8, 24, kFrameWidth - 16, 40));
  SetTag(waitLabel, QString::fromUtf8("Espere..."));
}

void FormatEditorWindow::WireControls() {
  connect(rebuildTimer, &QTimer::timeout, this, &FormatEditorWindow::OnRebuildTimer);
  connect(rowScroll, &QScrollBar::valueChanged, this, &FormatEditorWindow::OnRowsScrolled);
  connect(categoryCombo, &QComboBox::activated, this, &FormatEditorWindow::OnCategoryChosen);
  WireRow(0);
  connect(acceptButton, &QPushButton::clicked, this, &FormatEditorWindow::Accept);
  connect(cancelButton, &QPushButton::clicked, this, &FormatEditorWindow::Cancel);
  connect(loadButton, &QPushButton::clicked, this, &FormatEditorWindow::LoadOtherProfile);
  connect(openAction, &QAction::triggered, this, &FormatEditorWindow::OpenProfile);
  connect(saveAction, &QAction::triggered, this, &FormatEditorWindow::SaveProfile);
  connect(saveAsAction, &QAction::triggered, this, &FormatEditorWindow::SaveProfileAs);
  connect(undoChangesAction, &QAction::triggered, this, &FormatEditorWindow::UndoChanges);
  connect(clearAllAction, &QAction::triggered, this, &FormatEditorWindow::ClearAll);
  connect(clearCategoryAction, &QAction::triggered, this, &FormatEditorWindow::ClearCategory);
  connect(closeProfileAction, &QAction::triggered, this, &FormatEditorWindow::CloseProfile);
  connect(exitAction, &QAction::triggered, this, &FormatEditorWindow::Exit);

  const std::array<std::pair<QAction*, QString>, 11> helpItems = {{
      {ffmpegHelpAction, "-h"},
      {ffmpegLongHelpAction, "-h long"},
      {ffmpegFullHelpAction, "-h full"},
      {ffmpegFormatsAction, "-formats"},
      {ffmpegCodecsAction, "-codecs"},
      {ffmpegEncodersAction, "-encoders"},
      {ffmpegDecodersAction, "-decoders"},
      {ffmpegPixelFormatsAction, "-pix_fmts"},
      {ffmpegFiltersAction, "-filters"},
      {ffmpegBitstreamFiltersAction, "-bsfs"},
      {ffmpegLicenceAction, "-L"},
  }};
  for (const auto& [item, option] : helpItems) {
    connect(item, &QAction::triggered, this, [this, option = option] { ShowHelp(option); });
  }
  connect(formatOptionsAction, &QAction::triggered, this, &FormatEditorWindow::OpenFormatPanel);
  connect(codecOptionsAction, &QAction::triggered, this, &FormatEditorWindow::OpenCodecPanel);
  connect(programHelpAction, &QAction::triggered, this, &FormatEditorWindow::ShowProgramHelp);
  connect(outputFormatOption, &QRadioButton::clicked, this,
          &FormatEditorWindow::OnOutputFormatChosen);
  connect(inputFormatOption, &QRadioButton::clicked, this,
          &FormatEditorWindow::OnInputFormatChosen);
  connect(audioCodecOption, &QRadioButton::clicked, this, &FormatEditorWindow::OnAudioCodecChosen);
  connect(videoCodecOption, &QRadioButton::clicked, this, &FormatEditorWindow::OnVideoCodecChosen);
  connect(encoderViewOption, &QRadioButton::clicked, this, &FormatEditorWindow::ShowEncoderView);
  connect(decoderViewOption, &QRadioButton::clicked, this, &FormatEditorWindow::ShowDecoderView);
  connect(showFormatHelpButton, &QPushButton::clicked, this, &FormatEditorWindow::ShowFormatHelp);
  connect(showCodecHelpButton, &QPushButton::clicked, this, &FormatEditorWindow::ShowCodecHelp);
  connect(formatBackButton, &QPushButton::clicked, this, &FormatEditorWindow::CloseFormatPanel);
  connect(codecBackButton, &QPushButton::clicked, this, &FormatEditorWindow::CloseCodecPanel);

  connect(importCommandLineAction, &QAction::triggered, this,
          &FormatEditorWindow::OpenCommandLinePanel);
  connect(importCommandLineButton, &QPushButton::clicked, this,
          &FormatEditorWindow::ImportCommandLine);
  connect(commandLineBackButton, &QPushButton::clicked, this,
          &FormatEditorWindow::CloseCommandLinePanel);
  connect(importFromFileAction, &QAction::triggered, this, &FormatEditorWindow::ImportFromFile);
  connect(tickAllCheck, &QCheckBox::clicked, this, &FormatEditorWindow::OnTickAllClicked);
  connect(importProbedButton, &QPushButton::clicked, this, &FormatEditorWindow::ImportProbedValues);
  connect(fileBackButton, &QPushButton::clicked, this, &FormatEditorWindow::CloseFilePanel);

  connect(loadAudioCodecAction, &QAction::triggered, this,
          [] { FormatEditor::LoadExternalCodec(false, ""); });
  connect(loadVideoCodecAction, &QAction::triggered, this,
          [] { FormatEditor::LoadExternalCodec(true, ""); });
  connect(unloadAudioCodecAction, &QAction::triggered, this,
          [] { FormatEditor::UnloadExternalCodec(false); });
  connect(unloadVideoCodecAction, &QAction::triggered, this,
          [] { FormatEditor::UnloadExternalCodec(true); });
  connect(reloadAudioCodecAction, &QAction::triggered, this, [] {
    FormatEditor::LoadExternalCodec(false, FormatEditor::State().CurrentFormat.AudioExtCodecName);
  });
  connect(reloadVideoCodecAction, &QAction::triggered, this, [] {
    FormatEditor::LoadExternalCodec(true, FormatEditor::State().CurrentFormat.VideoExtCodecName);
  });
  connect(findAudioProgramAction, &QAction::triggered, this, [this] { FindCodecExe(false); });
  connect(findVideoProgramAction, &QAction::triggered, this, [this] { FindCodecExe(true); });
  connect(aboutAudioCodecAction, &QAction::triggered, this, [this] { ShowCodecAbout(false); });
  connect(aboutVideoCodecAction, &QAction::triggered, this, [this] { ShowCodecAbout(true); });
  connect(aboutBackButton, &QPushButton::clicked, this, &FormatEditorWindow::CloseAboutPanel);
  ListenToEditor();
}

void FormatEditorWindow::ListenToEditor() {
  FormatEditor::Notifier& editor = FormatEditor::Events();
  connect(&editor, &FormatEditor::Notifier::ProfileChanged, this,
          &FormatEditorWindow::SyncExtCodecMenus);
  connect(&editor, &FormatEditor::Notifier::RowsBuilt, this, &FormatEditorWindow::ShowRows);
}

void FormatEditorWindow::Load() {
  Lang::TranslateFormatEditorWindow();
  for (QGroupBox* frame :
       {formatPanel, codecPanel, aboutPanel, commandLinePanel, filePanel, waitPanel}) {
    frame->move(categoryCombo->pos());
  }
  FormatEditor::State().CurrentCategory = FormatEditor::Category::OutputGeneral;
  buildingRows = true;
  categoryCombo->setCurrentIndex(int(FormatEditor::Category::OutputGeneral));
  buildingRows = false;
  buttonStrip->move(rowArea->x(), rowArea->y() + rowArea->height());
  // The outer height of the design includes the title bar, about 30 pixels.
  resize(TextFit::Pixels(5250), TextFit::Pixels(4845) - 30);
}

void FormatEditorWindow::ShowButtonStrip(bool scratchMode) {
  if (!scratchMode) return;
  buttonStrip->show();
  resize(width(), height() + buttonStrip->height());
  for (QAction* item : {closeProfileAction, exitAction, openAction, closeSeparator})
    item->setVisible(false);
}

void FormatEditorWindow::ShowWaiting(bool waiting) {
  waitPanel->setVisible(waiting);
  if (waiting) waitPanel->raise();
  for (QMenu* menu : {fileMenu, helpMenu, optionsMenu}) menu->menuAction()->setEnabled(!waiting);
}

void FormatEditorWindow::SyncExtCodecMenus(const FormatProfile& profile) {
  const bool audio = !profile.AudioExtCodecName.isEmpty();
  const bool video = !profile.VideoExtCodecName.isEmpty();
  loadAudioCodecAction->setVisible(!audio);
  loadVideoCodecAction->setVisible(!video);
  for (QAction* item : {unloadAudioCodecAction, reloadAudioCodecAction, aboutAudioCodecAction,
                        findAudioProgramAction}) {
    item->setVisible(audio);
  }
  for (QAction* item : {unloadVideoCodecAction, reloadVideoCodecAction, aboutVideoCodecAction,
                        findVideoProgramAction}) {
    item->setVisible(video);
  }
  // The separator keeps the submenu valid while both of its items are hidden.
  findProgramPlaceholder->setVisible(!audio && !video);
  findProgramMenu->menuAction()->setVisible(audio || video);
}

// File menu and buttons --------------------------------------------------------------

void FormatEditorWindow::Accept() {
  if (FormatEditor::SaveFormat(FormatEditor::State().CurrentFormatFile)) close();
}

void FormatEditorWindow::Cancel() {
  FormatEditor::UndoChanges();
  close();
}

void FormatEditorWindow::LoadOtherProfile() {
  QString path;
  FormatEditor::LoadFormat(path);
}

void FormatEditorWindow::OpenProfile() {
  QString path;
  FormatEditor::LoadFormat(path);
}

void FormatEditorWindow::SaveProfile() {
  FormatEditor::SaveFormat(FormatEditor::State().CurrentFormatFile);
}

void FormatEditorWindow::SaveProfileAs() {
  QString path;
  FormatEditor::SaveFormat(path);
}

void FormatEditorWindow::UndoChanges() { FormatEditor::UndoChanges(); }
void FormatEditorWindow::ClearAll() { FormatEditor::ClearAll(); }
void FormatEditorWindow::ClearCategory() { FormatEditor::ClearCategory(); }
void FormatEditorWindow::CloseProfile() { FormatEditor::CloseFormat(); }
void FormatEditorWindow::Exit() { close(); }

void FormatEditorWindow::closeEvent(QCloseEvent* event) { OnCloseRequested(event); }

void FormatEditorWindow::OnCloseRequested(QCloseEvent* event) {
  event->ignore();
  if (advancedPanelOpen) {
    formatPanel->hide();
    codecPanel->hide();
    SetCommandsEnabled(true);
    advancedPanelOpen = false;
  } else if (aboutPanel->isVisible()) {
    ClosePanel(aboutPanel);
  } else if (commandLinePanel->isVisible()) {
    ClosePanel(commandLinePanel);
  } else if (filePanel->isVisible()) {
    ClosePanel(filePanel);
  } else if (waitPanel->isVisible()) {
    QApplication::beep();
  } else if (FormatEditor::CloseFormat()) {
    event->accept();
  }
}

void FormatEditorWindow::SetCommandsEnabled(bool enabled) {
  for (QMenu* menu : {fileMenu, helpMenu, optionsMenu}) menu->menuAction()->setEnabled(enabled);
  for (QPushButton* button : {loadButton, acceptButton, cancelButton}) button->setEnabled(enabled);
}

void FormatEditorWindow::ClosePanel(QGroupBox* frame) {
  frame->hide();
  SetCommandsEnabled(true);
}

// The editor's entry point --------------------------------------------------------------

void FormatEditorWindow::ShowEditor(QString name, bool scratchMode) {
  using namespace FormatEditor;
  // One editor at a time: the file manager opened from the editor cannot open a second.
  if (FormatEditorWindow::Instance()) return;
  // Lists to be read from ffmpeg wait for the runner: another tool (a device
  // listing in the viewer) still has it.
  if (FormatEditor::State().FfmpegListsStale && AnotherToolRunning::Refuse()) return;
  QPointer<FormatEditorWindow> window = new FormatEditorWindow;
  window->Load();
  window->ShowButtonStrip(scratchMode);
  if (scratchMode) FormatEditor::State().CurrentFormatFile = ScratchProfilePath();
  // The lists and the profile are loaded once the editor shows, inside its wait.
  QTimer::singleShot(0, window, [window, name, scratchMode] {
    if (FormatEditor::State().FfmpegListsStale) {
      window->ShowWaiting(true);
      const bool read = LoadFfmpegCapabilities();
      if (!window) return;
      window->ShowWaiting(false);
      if (!read) {
        Lang::MsgAnotherToolRunning();
        window->close();
        return;
      }
    }
    BuildCategoryParams(Category::OutputGeneral);
    if (!name.isEmpty()) {
      QString path = FormatsFolder() + "/" + name + ".qfm";
      path.remove('*');
      LoadFormat(path);
    }
    FormatEditor::State().TempFormatMode = scratchMode;
  });
  ModalWindow::Run(window);
  delete window;
  if (scratchMode) {
    FormatEditor::State().CurrentFormat = FormatProfile();
    FormatEditor::State().SavedFormat = FormatProfile();
    FormatEditor::State().CurrentFormatFile.clear();
    FormatEditor::State().TempFormatMode = false;
  }
  FormatEditor::State().ParamRowCount = 0;
}
