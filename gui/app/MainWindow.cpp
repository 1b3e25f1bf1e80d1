#include "gui/app/MainWindow.h"

#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QDropEvent>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QMimeData>
#include <QPointer>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "core/app/Lifecycle.h"
#include "core/convert/Conversion.h"
#include "core/convert/ConversionState.h"
#include "core/convert/InputProbe.h"
#include "core/convert/OutputChoice.h"
#include "core/devices/CdRipper.h"
#include "core/editing/EditingProfileEditor.h"
#include "core/editing/FilterEditor.h"
#include "core/formats/ExternalCodecEditor.h"
#include "core/formats/FormatEditor.h"
#include "core/frame/DataFolderManager.h"
#include "core/frame/DesktopServices.h"
#include "core/frame/FfmpegProbe.h"
#include "core/frame/FfmpegTools.h"
#include "core/frame/MediaInfo.h"
#include "core/frame/Player.h"
#include "core/frame/ProgramHelp.h"
#include "core/frame/Session.h"
#include "core/frame/TextViewer.h"
#include "core/ground/CommandLine.h"
#include "core/ground/Dialogs.h"
#include "core/ground/FileServices.h"
#include "core/ground/ProgramFolder.h"
#include "core/ground/ToolRunner.h"
#include "core/lang/Lang.h"
#include "gui/app/ConversionStarter.h"
#include "gui/app/StartupWindows.h"
#include "gui/app/ToolPathsWindow.h"
#include "gui/convert/CommandViewerWindow.h"
#include "gui/convert/ProfileChoice.h"
#include "gui/devices/CdRipWindow.h"
#include "gui/devices/RecorderWindow.h"
#include "gui/devices/StreamerWindow.h"
#include "gui/editing/EditingProfileWindow.h"
#include "gui/editing/FilterEditorWindow.h"
#include "gui/formats/CodecEditorWindow.h"
#include "gui/formats/CodecViewerWindow.h"
#include "gui/formats/FormatEditorWindow.h"
#include "gui/frame/AboutBox.h"
#include "gui/frame/LanguageWindow.h"
#include "gui/frame/WaitWindow.h"
#include "gui/ground/AccessibleNames.h"
#include "gui/ground/ModalWindow.h"
#include "gui/ground/WidgetFactory.h"

using WidgetFactory::CheckItem;
using WidgetFactory::MenuItem;
using WidgetFactory::Named;

namespace {

QPointer<MainWindow> g_instance;

const char* const kExtensions[] = {
    "3gp", "aac", "ac3", "aga", "ape", "asf", "avi", "fla",  "flac",  "flv",   "it",    "m4a",
    "m4v", "mac", "mp1", "mp2", "mp3", "mp4", "mpc", "mpeg", "mpeg1", "mpeg2", "mpeg4", "mpg",
    "mtk", "mts", "mtv", "ogg", "ogm", "ogv", "ogx", "vob",  "wav",   "wma",   "wmv",   "wv"};

// The tool runner takes one tool at a time. A press that would start a tool
// while another runs says so and does nothing else, rather than show what the
// refused run left empty; during this window's own conversion it waits quietly.
bool RunnerFree() {
  if (ToolRunner::GetState() == ToolRunner::RunState::Idle) return true;
  if (!Conversion::State().Running) Lang::MsgAnotherToolRunning();
  return false;
}

}  // namespace

MainWindow::MainWindow(QWidget* parent) : QMainWindow(parent) {
  g_instance = this;
  setObjectName("Form1");
  setWindowTitle("Quillmoor 2.0");
  // Every message box is titled with this window's caption.
  Lang::SetBoxTitle(windowTitle());
  connect(this, &QWidget::windowTitleChanged, this, &Lang::SetBoxTitle);
  // The controls are made in the order the keyboard goes through them, from
  // the file list down to "Convertir": the list has the focus first.
  auto* central = new QWidget(this);
  CreateFileFrame(central);
  CreateOutputFrame(central);
  CreateProfileFrame(central);
  convertButton = Named(new QPushButton("Convertir", central), "Command5");
  auto* layout = new QVBoxLayout(central);
  layout->addWidget(fileListFrame, 1);
  layout->addWidget(outputFrame);
  layout->addWidget(profilesFrame);
  layout->addWidget(convertButton);
  setCentralWidget(central);
  CreateMenus();
  WireControls();
  ShowRunOptions();
  fileList->viewport()->setAcceptDrops(true);
  fileList->viewport()->installEventFilter(this);
  resize(640, 560);
}

MainWindow::~MainWindow() {
  if (g_instance == this) Lang::SetBoxTitle(QString());
}

MainWindow* MainWindow::Instance() { return g_instance.data(); }

void MainWindow::CreateFileFrame(QWidget* central) {
  fileListFrame = Named(new QGroupBox("Archivos a convertir", central), "Frame1");
  fileList = Named(new QListWidget(fileListFrame), "List1");
  AccessibleNames::NameAfter(fileList, fileListFrame);
  fileList->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  fileList->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
  addFilesButton = Named(new QPushButton("+", fileListFrame), "Command1");
  removeFileButton = Named(new QPushButton("-", fileListFrame), "Command2");
  moveUpButton = Named(new QPushButton("<", fileListFrame), "Command6");
  moveDownButton = Named(new QPushButton(">", fileListFrame), "Command8");
  auto* buttons = new QVBoxLayout;
  for (QPushButton* button : {addFilesButton, removeFileButton, moveUpButton, moveDownButton}) {
    button->setFixedWidth(32);
    buttons->addWidget(button);
  }
  buttons->addStretch();
  auto* layout = new QHBoxLayout(fileListFrame);
  layout->addWidget(fileList, 1);
  layout->addLayout(buttons);
}

void MainWindow::CreateOutputFrame(QWidget* central) {
  outputFrame = Named(new QGroupBox("Guardar como...", central), "Frame2");
  outputModeCombo = Named(new QComboBox(outputFrame), "Combo1");
  outputModeCombo->addItems(
      {"Archivo (concatenar):", "Archivo:", "Guardar en directorio de archivo original",
       "Guardar en el directorio:"});
  outputPath = Named(new QLineEdit(outputFrame), "Text1");
  browseOutputButton = Named(new QPushButton("...", outputFrame), "Command3");
  extensionLabel = Named(new QLabel("Extensión de archivo:", outputFrame), "Label1");
  extensionCombo = Named(new QComboBox(outputFrame), "Combo2");
  extensionCombo->setEditable(true);
  extensionCombo->setInsertPolicy(QComboBox::NoInsert);
  extensionCombo->addItem("<Automático>");
  for (const char* extension : kExtensions) extensionCombo->addItem(extension);
  auto* grid = new QGridLayout(outputFrame);
  grid->addWidget(outputModeCombo, 0, 0, 1, 3);
  grid->addWidget(outputPath, 1, 0, 1, 2);
  grid->addWidget(browseOutputButton, 1, 2);
  grid->addWidget(extensionLabel, 2, 0);
  grid->addWidget(extensionCombo, 2, 1, 1, 2);
}

void MainWindow::CreateProfileFrame(QWidget* central) {
  profilesFrame =
      Named(new QGroupBox("Configuración del convertidor (opcional)", central), "Frame3");
  formatProfileLabel = Named(new QLabel("Formato:", profilesFrame), "Label2");
  formatProfileCombo = Named(new QComboBox(profilesFrame), "Combo3");
  chooseFormatProfileButton = Named(new QPushButton("...", profilesFrame), "Command4");
  editFormatProfileButton = Named(new QPushButton(">>", profilesFrame), "Command9");
  editingProfileLabel = Named(new QLabel("Ediciones:", profilesFrame), "Label3");
  editingProfileCombo = Named(new QComboBox(profilesFrame), "Combo4");
  chooseEditingProfileButton = Named(new QPushButton("...", profilesFrame), "Command7");
  editEditingProfileButton = Named(new QPushButton(">>", profilesFrame), "Command10");
  formatProfileCombo->addItems({"<Automático>", "<Manual>"});
  editingProfileCombo->addItems({"<Ninguno>", "<Manual>"});
  auto* grid = new QGridLayout(profilesFrame);
  int row = 0;
  for (auto [label, combo, pick, edit] :
       {std::tuple{formatProfileLabel, formatProfileCombo, chooseFormatProfileButton,
                   editFormatProfileButton},
        std::tuple{editingProfileLabel, editingProfileCombo, chooseEditingProfileButton,
                   editEditingProfileButton}}) {
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert);
    grid->addWidget(label, row, 0);
    grid->addWidget(combo, row, 1);
    grid->addWidget(pick, row, 2);
    grid->addWidget(edit, row, 3);
    ++row;
  }
  grid->setColumnStretch(1, 1);
}

void MainWindow::CreateMenus() {
  fileMenu = Named(menuBar()->addMenu("Archivo"), "Menu_Archivo");
  addFilesAction = MenuItem(fileMenu, "Menu_Archivo_Agregar", "Agregar");
  removeFileAction = MenuItem(fileMenu, "Menu_Archivo_Quitar", "Quitar archivo seleccionado");
  addCdTracksAction = MenuItem(fileMenu, "Menu_Archivo_AgregarCD", "Agregar pistas de CD");
  addFolderAction = MenuItem(fileMenu, "Menu_Archivo_AgDir", "Agregar de directorio");
  removeAllFilesAction = MenuItem(fileMenu, "Menu_Archivo_QuitarTodos", "Quitar todos");
  fileMenu->addSeparator();
  playAction = MenuItem(fileMenu, "Menu_Archivo_Reproducir", "Reproducir archivo seleccionado");
  analyseAction = MenuItem(fileMenu, "Menu_Archivo_Analizar", "Analizar archivo seleccionado");
  fileMenu->addSeparator();
  exitAction = MenuItem(fileMenu, "File_Exit", "Salir");

  toolsMenu = Named(menuBar()->addMenu("Herramientas"), "Menu_Herramientas");
  QMenu* tools = toolsMenu;
  manageFormatsAction = MenuItem(tools, "Herramientas_AdminF", "Administrar formatos");
  manageFiltersAction = MenuItem(tools, "Herramientas_AdminFiltro", "Administrar filtros");
  manageAudioCodecsAction =
      MenuItem(tools, "Herramientas_CodecExtA", "Administrar codecs externos de audio");
  manageVideoCodecsAction =
      MenuItem(tools, "Herramientas_CodecExtV", "Administrar codecs externos de video");
  manageEditingProfilesAction =
      MenuItem(tools, "Tools_AdmPEdit", "Administrar perfiles de edición");
  tools->addSeparator();
  filterEditorAction = MenuItem(tools, "Herramientas_EditorFiltros", "Editor de filtros");
  codecEditorAction = MenuItem(tools, "Tools_ECEdit", "Editor de codecs externos");
  formatEditorAction = MenuItem(tools, "Tools_FmtEdit", "Editor de formatos");
  editingProfileEditorAction =
      MenuItem(tools, "Tools_EditPerfEdit", "Editor de perfiles de edición");
  tools->addSeparator();
  ripCdAction = MenuItem(tools, "Tools_CDExtract", "Extraer pistas de CD");
  recordAction = MenuItem(tools, "Tools_Grab", "Grabar");
  streamAction = MenuItem(tools, "Tools_EmitirList", "Emitir en la red");
  tools->addSeparator();
  toolPathsAction = MenuItem(tools, "Herramientas_Rutas", "Rutas de acceso");
  languageAction = MenuItem(tools, "Herramientas_Lang", "Lenguaje / Language");

  convertMenu = Named(menuBar()->addMenu("Convertir"), "Menu_Convertir");
  convertAction = MenuItem(convertMenu, "Convertir_Iniciar", "Iniciar");
  showCommandsAction = MenuItem(convertMenu, "Convertir_Comandos", "Comandos a ejecutar");
  testConversionAction = MenuItem(convertMenu, "Convertir_Prueba", "Realizar una prueba");
  runOptionsMenu = Named(convertMenu->addMenu("Opciones"), "Conv_Options");
  twoPassAction = CheckItem(runOptionsMenu, "Conv_Opt_2pass", "2 pases");
  replaceFilesAction = CheckItem(runOptionsMenu, "Conv_Opt_Reemplazar", "Reemplazar archivos");
  deleteOriginalsAction =
      CheckItem(runOptionsMenu, "Conv_Opt_DelFiles", "Eliminar archivos originales");

  helpMenu = Named(menuBar()->addMenu("Ayuda"), "Menu_Help");
  ffmpegLicenceAction = MenuItem(helpMenu, "Help_ffLic", "Licencia de ffmpeg");
  ffmpegHelpAction = MenuItem(helpMenu, "Help_ffhelp", "Ayuda de ffmpeg");
  helpMenu->addSeparator();
  aboutCdda2wavAction = MenuItem(helpMenu, "Help_AboutCdda2wav", "Acerca de cdda2wav");
  helpMenu->addSeparator();
  aboutExternalCodecAction = MenuItem(helpMenu, "About_EC", "Acerca del codec externo...");
  helpMenu->addSeparator();
  aboutAction = MenuItem(helpMenu, "Help_About", "Acerca de este programa");
  programHelpAction = MenuItem(helpMenu, "Help_ProgramHelp", "Ayuda de este programa");
  donateAction = MenuItem(helpMenu, "Help_Donate", "Donar / Donate");
}

void MainWindow::WireControls() {
  connect(exitAction, &QAction::triggered, this, &QWidget::close);
  connect(addFilesButton, &QPushButton::clicked, this, &MainWindow::AddFiles);
  connect(addFilesAction, &QAction::triggered, this, &MainWindow::AddFiles);
  connect(removeFileButton, &QPushButton::clicked, this, &MainWindow::RemoveSelectedFile);
  connect(removeFileAction, &QAction::triggered, this, &MainWindow::RemoveSelectedFile);
  connect(&Session::Events(), &Session::SessionEvents::FileListChanged, this,
          &MainWindow::ShowFileList);
  connect(&Session::Events(), &Session::SessionEvents::ConfigApplied, this,
          &MainWindow::ShowRunOptions);
  connect(removeAllFilesAction, &QAction::triggered, this, &MainWindow::RemoveAllFiles);
  connect(addFolderAction, &QAction::triggered, this, &MainWindow::AddFolder);
  connect(moveUpButton, &QPushButton::clicked, this, &MainWindow::MoveSelectedFileUp);
  connect(extensionCombo, &QComboBox::currentTextChanged, this, &MainWindow::OnExtensionEdited);
  for (QAction* option : {twoPassAction, deleteOriginalsAction, replaceFilesAction}) {
    connect(option, &QAction::toggled, this, &MainWindow::OnRunOptionToggled);
  }
  connect(moveDownButton, &QPushButton::clicked, this, &MainWindow::MoveSelectedFileDown);
  connect(editFormatProfileButton, &QPushButton::clicked, this, &MainWindow::EditFormatProfile);
  connect(editEditingProfileButton, &QPushButton::clicked, this, &MainWindow::EditEditingProfile);
  connect(formatEditorAction, &QAction::triggered, this, &MainWindow::OpenFormatEditor);
  connect(codecEditorAction, &QAction::triggered, this,
          [] { CodecEditorWindow::ShowEditor("", false); });
  connect(aboutExternalCodecAction, &QAction::triggered, this,
          [this] { CodecViewer::ShowCodecInfo(this, "", false); });
  connect(editingProfileEditorAction, &QAction::triggered, this,
          &MainWindow::OpenEditingProfileEditor);
  connect(filterEditorAction, &QAction::triggered, this,
          [] { FilterEditorWindow::ShowEditor(""); });
  connect(convertButton, &QPushButton::clicked, this, &MainWindow::Convert);
  connect(convertAction, &QAction::triggered, this, &MainWindow::Convert);
  connect(testConversionAction, &QAction::triggered, this, &MainWindow::ConvertForTest);
  connect(showCommandsAction, &QAction::triggered, this, &MainWindow::ShowCommands);
  const std::tuple<QAction*, const char*, const char*> managers[] = {
      {manageFormatsAction, "formats", "qfm"},
      {manageFiltersAction, "filters", "qfl"},
      {manageAudioCodecsAction, "ecodec", "qca"},
      {manageVideoCodecsAction, "ecodec", "qcv"},
      {manageEditingProfilesAction, "editp", "qep"}};
  for (const auto& [item, folder, extension] : managers) {
    // Copied by name: a structured binding cannot be captured before clang 16.
    connect(item, &QAction::triggered, this, [folder = folder, extension = extension] {
      DataFolderManager::ShowFileManager(ProgramFolder::AppFiles(folder), extension,
                                         DataFolderManager::Mode::Administer, true);
    });
  }
  connect(playAction, &QAction::triggered, this, &MainWindow::PlaySelectedFile);
  connect(analyseAction, &QAction::triggered, this, &MainWindow::AnalyseSelectedFile);
  connect(toolPathsAction, &QAction::triggered, this, [this] { ToolPathsWindow::ShowModal(this); });
  connect(languageAction, &QAction::triggered, this, [this] { LanguageWindow::ShowModal(this); });
  connect(aboutAction, &QAction::triggered, this, [this] { AboutBox::ShowModal(this); });
  connect(programHelpAction, &QAction::triggered, this, &ProgramHelp::ShowProgramHelp);
  connect(donateAction, &QAction::triggered, this, &ProgramHelp::OpenDonationPage);
  connect(ffmpegLicenceAction, &QAction::triggered, this, &MainWindow::ShowFfmpegLicence);
  connect(ffmpegHelpAction, &QAction::triggered, this, &MainWindow::ShowFfmpegHelp);
  connect(aboutCdda2wavAction, &QAction::triggered, this, &MainWindow::ShowCdda2wavHelp);
  connect(outputModeCombo, &QComboBox::activated, this, &MainWindow::OnOutputModeChosen);
  connect(browseOutputButton, &QPushButton::clicked, this, &MainWindow::BrowseOutputPath);
  connect(outputPath, &QLineEdit::textChanged, this, &MainWindow::OnOutputPathEdited);
  connect(formatProfileCombo, &QComboBox::activated, this, &MainWindow::OnFormatProfileChosen);
  connect(formatProfileCombo->lineEdit(), &QLineEdit::textEdited, this,
          &MainWindow::OnFormatProfileTyped);
  connect(chooseFormatProfileButton, &QPushButton::clicked, this, &MainWindow::ChooseFormatProfile);
  connect(editingProfileCombo, &QComboBox::activated, this, &MainWindow::OnEditingProfileChosen);
  connect(editingProfileCombo->lineEdit(), &QLineEdit::textEdited, this,
          &MainWindow::OnEditingProfileTyped);
  connect(chooseEditingProfileButton, &QPushButton::clicked, this,
          &MainWindow::ChooseEditingProfile);
  connect(ripCdAction, &QAction::triggered, this, &MainWindow::RipCd);
  connect(addCdTracksAction, &QAction::triggered, this, &MainWindow::AddCdTracks);
  connect(recordAction, &QAction::triggered, this, &MainWindow::Record);
  connect(streamAction, &QAction::triggered, this, &MainWindow::Stream);
}

// The conversion reads the run options from its own choices, not from the menu.
void MainWindow::OnRunOptionToggled() {
  Conversion::State().Choices.TwoPass = twoPassAction->isChecked();
  Conversion::State().Choices.DeleteOriginals = deleteOriginalsAction->isChecked();
  Conversion::State().Choices.ReplaceFiles = replaceFilesAction->isChecked();
}

void MainWindow::ShowRunOptions() {
  const Conversion::ConversionChoices& choices = Conversion::State().Choices;
  const std::pair<QAction*, bool> options[] = {{twoPassAction, choices.TwoPass},
                                               {deleteOriginalsAction, choices.DeleteOriginals},
                                               {replaceFilesAction, choices.ReplaceFiles}};
  for (const auto& [option, checked] : options) {
    const QSignalBlocker quiet(option);
    option->setChecked(checked);
  }
}

void MainWindow::OnExtensionEdited() {
  Conversion::State().Choices.ExtensionText = extensionCombo->currentText();
}

void MainWindow::Load() {
  WidgetFactory::LetListScrollSideways(fileList);
  outputModeCombo->setCurrentIndex(Conversion::OutputSourceFolders);
  OnOutputModeChosen();
  extensionCombo->setCurrentIndex(0);
  formatProfileCombo->setCurrentIndex(0);
  OnFormatProfileChosen();
  editingProfileCombo->setCurrentIndex(0);
  OnEditingProfileChosen();
  StartupWindows::Run(this);
}

void MainWindow::Unload() {
  ToolRunner::EndAll();
  Session::RemoveOwnTempFolder();
  Lifecycle::WriteConfig();
}

void MainWindow::closeEvent(QCloseEvent* event) {
  Unload();
  event->accept();
}

// File list ---------------------------------------------------------------

void MainWindow::AddFiles() {
  Session::AppendFiles(
      DesktopServices::OpenFileDialog(QString(), this, Session::LastFileFolder(), QString(), true));
}

void MainWindow::RemoveSelectedFile() { Session::RemoveFile(SelectedRow()); }

void MainWindow::ShowFileList() {
  const int selected = SelectedRow();
  fileList->setUpdatesEnabled(false);
  fileList->clear();
  fileList->addItems(Session::State().FileList);
  fileList->setUpdatesEnabled(true);
  if (selected >= 0 && fileList->count() > 0) {
    fileList->setCurrentRow(std::min(selected, fileList->count() - 1));
  }
}

void MainWindow::RemoveAllFiles() { Session::RemoveAllFiles(); }

void MainWindow::AddFolder() {
  const QString folder = Dialogs::Folder(this, "", "");
  if (!folder.isEmpty()) Session::AppendFiles(FileServices::ListFiles(folder, ""));
}

// The selection stays as it was: the dropped files are added below the lines.
void MainWindow::AddDroppedPaths(const QStringList& paths) {
  fileList->addItems(Session::AppendDroppedPaths(paths));
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
  if (watched != fileList->viewport()) return QMainWindow::eventFilter(watched, event);
  switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove: {
      auto* drag = static_cast<QDropEvent*>(event);
      if (drag->mimeData()->hasUrls()) drag->acceptProposedAction();
      return true;
    }
    case QEvent::Drop: {
      auto* drop = static_cast<QDropEvent*>(event);
      QStringList paths;
      for (const QUrl& url : drop->mimeData()->urls()) {
        if (url.isLocalFile()) paths << QDir::cleanPath(url.toLocalFile());
      }
      AddDroppedPaths(paths);
      drop->acceptProposedAction();
      return true;
    }
    default:
      return QMainWindow::eventFilter(watched, event);
  }
}

int MainWindow::SelectedRow() const {
  const QListWidgetItem* item = fileList->currentItem();
  return item && item->isSelected() ? fileList->row(item) : -1;
}

void MainWindow::MoveSelectedFileUp() {
  const int row = Session::MoveFile(SelectedRow(), -1);
  if (row >= 0) fileList->setCurrentRow(row);
}

void MainWindow::MoveSelectedFileDown() {
  const int row = Session::MoveFile(SelectedRow(), +1);
  if (row >= 0) fileList->setCurrentRow(row);
}

void MainWindow::PlaySelectedFile() {
  const int row = SelectedRow();
  if (row >= 0 && RunnerFree()) Player::PlayFile({Session::State().FileList[row]}, "");
}

void MainWindow::AnalyseSelectedFile() {
  const int row = SelectedRow();
  if (row < 0 || !RunnerFree() || !FfmpegTools::FfprobeExists()) return;
  MediaInfo info;
  bool stopped = false;
  {
    WaitWindow wait;
    wait.Load();
    info = FfmpegProbe::ProbeMedia(Session::State().FileList[row]);
    stopped = wait.ToolStopped();
  }
  // A probe the user stopped by closing the wait window, or one that could not
  // start (the empty record), has nothing to tell.
  if (stopped || info == MediaInfo() ||
      FfmpegProbe::SaidUnreadable(Session::State().FileList[row], info))
    return;
  Dialogs::MsgBox(InputProbe::Report(info), {}, windowTitle());
}

// Conversion --------------------------------------------------------------

void MainWindow::Convert() {
  if (RunnerFree()) Conversion::Convert("", fileList);
}

// The seconds are passed on as typed; the command table checks them.
void MainWindow::ConvertForTest() {
  if (!RunnerFree()) return;
  const QString seconds = Lang::InputTestSeconds();
  if (!seconds.isEmpty()) Conversion::Convert(seconds, fileList);
}

// Building the table may ask ffmpeg for a format's extension.
void MainWindow::ShowCommands() {
  if (!RunnerFree() || !Conversion::BuildCommandTable("", this)) return;
  CommandViewerWindow viewer(this);
  viewer.ShowTable([](int row, int column) { return Conversion::State().Commands.At(row, column); },
                   twoPassAction->isChecked(), Conversion::State().MultiOutput);
  viewer.exec();
}

// Help and tools ----------------------------------------------------------

namespace {

// Shows a tool's own text in the viewer; the main window waits hidden.
void ShowToolText(MainWindow* form, const QString& program, const QString& arguments) {
  form->hide();
  TextViewer::ShowCommandOutput(CommandLine::QuoteArgument(program) + " " + arguments, form);
  ModalWindow::ShowAgain(form);
}

}  // namespace

void MainWindow::ShowFfmpegLicence() {
  if (RunnerFree() && FfmpegTools::FfmpegExists())
    ShowToolText(this, FfmpegTools::State().FfmpegPath, "-L");
}

void MainWindow::ShowFfmpegHelp() {
  if (RunnerFree() && FfmpegTools::FfmpegExists())
    ShowToolText(this, FfmpegTools::State().FfmpegPath, "-help full");
}

void MainWindow::ShowCdda2wavHelp() {
  if (!RunnerFree()) return;
  if (!FileServices::FileExists(CdRipper::State().Cdda2wavPath)) {
    Lang::MsgFileNotFound(CdRipper::State().Cdda2wavPath);
    return;
  }
  ShowToolText(this, CdRipper::State().Cdda2wavPath, "-help");
}

// The device windows list their devices, the format editor reads ffmpeg's
// capabilities and the editing-profile editor probes the first listed file as
// they open: over a running tool they would show empty lists or no test file.

void MainWindow::RipCd() {
  if (!RunnerFree()) return;
  CdRipper::State().CDRipAddToList = false;
  CdRipWindow::OpenCDRip();
}

void MainWindow::AddCdTracks() {
  if (!RunnerFree()) return;
  CdRipper::State().CDRipAddToList = true;
  CdRipWindow::OpenCDRip();
}

void MainWindow::Record() {
  if (RunnerFree()) RecorderWindow::ShowRecorder();
}

void MainWindow::Stream() {
  if (RunnerFree()) StreamerWindow::StreamFileList();
}

void MainWindow::OpenFormatEditor() {
  if (RunnerFree()) FormatEditorWindow::ShowEditor("", false);
}

void MainWindow::OpenEditingProfileEditor() {
  if (RunnerFree()) EditingProfileWindow::ShowEditor("", false);
}

// Output choice ----------------------------------------------------------

void MainWindow::OnOutputModeChosen() {
  // The list holds the modes in their order.
  const auto mode = Conversion::OutputMode(outputModeCombo->currentIndex());
  Conversion::State().Choices.OutputMode = mode;
  const bool takesPath = Conversion::OutputModeTakesPath(mode);
  outputPath->setEnabled(takesPath);
  browseOutputButton->setEnabled(takesPath);
  outputPath->setText(Conversion::OutputPathOf(mode));
}

void MainWindow::BrowseOutputPath() {
  if (outputModeCombo->currentIndex() == Conversion::OutputChosenFolder) {
    const QString folder = Dialogs::Folder(this, "", "");
    if (!folder.isEmpty()) Session::State().OutputFolder = folder;
    outputPath->setText(Session::State().OutputFolder);
  } else {
    // The dialog opens on the chosen file's folder and proposes its name.
    const QString file =
        DesktopServices::SaveFileDialog("", QFileInfo(Session::State().OutputFile).path(), "", this,
                                        false, QFileInfo(Session::State().OutputFile).fileName());
    if (!file.isEmpty()) Session::State().OutputFile = file;
    outputPath->setText(Session::State().OutputFile);
  }
}

// What the box shows is what the run uses, typed or chosen with "...".
void MainWindow::OnOutputPathEdited() {
  Conversion::StoreOutputPath(Conversion::OutputMode(outputModeCombo->currentIndex()),
                              outputPath->text());
}

// Profile choices ---------------------------------------------------------

ProfileChoice::Controls MainWindow::FormatChoice() {
  return {formatProfileCombo,  editFormatProfileButton,
          &acceptedFormatText, &Session::State().FormatProfilePath,
          "formats",           "qfm"};
}

ProfileChoice::Controls MainWindow::EditChoice() {
  return {editingProfileCombo,
          editEditingProfileButton,
          &acceptedEditingText,
          &Session::State().EditProfilePath,
          "editp",
          "qep"};
}

void MainWindow::OnFormatProfileChosen() { ProfileChoice::TakeChosenItem(FormatChoice()); }
void MainWindow::OnFormatProfileTyped() { ProfileChoice::UndoTyping(FormatChoice()); }
void MainWindow::ChooseFormatProfile() { ProfileChoice::ChooseProfile(FormatChoice()); }
void MainWindow::EditFormatProfile() {
  if (RunnerFree()) FormatEditorWindow::ShowEditor("*", true);
}
void MainWindow::OnEditingProfileChosen() { ProfileChoice::TakeChosenItem(EditChoice()); }
void MainWindow::OnEditingProfileTyped() { ProfileChoice::UndoTyping(EditChoice()); }
void MainWindow::ChooseEditingProfile() { ProfileChoice::ChooseProfile(EditChoice()); }
void MainWindow::EditEditingProfile() {
  if (RunnerFree()) EditingProfileWindow::ShowEditor("*", true);
}
