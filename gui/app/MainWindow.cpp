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

}  // namespace

MainWindow::MainWindow(QWidget* parent) : QMainWindow(parent) {
  g_instance = this;
  setObjectName("Form1");
  setWindowTitle("Quillmoor 2.0");
  // Every message box is titled with this window's caption.
  Lang::SetBoxTitle(windowTitle());
  connect(this, &QWidget::windowTitleChanged, this, &Lang::SetBoxTitle);
  auto* central = new QWidget(this);
  CreateFileFrame();
  CreateOutputFrame();
  CreateProfileFrame();
  Command5 = Named(new QPushButton("Convertir", central), "Command5");
  auto* layout = new QVBoxLayout(central);
  layout->addWidget(Frame1, 1);
  layout->addWidget(Frame2);
  layout->addWidget(Frame3);
  layout->addWidget(Command5);
  Frame1->setParent(central);
  Frame2->setParent(central);
  Frame3->setParent(central);
  setCentralWidget(central);
  CreateMenus();
  WireControls();
  ShowRunOptions();
  List1->viewport()->setAcceptDrops(true);
  List1->viewport()->installEventFilter(this);
  resize(640, 560);
}

MainWindow::~MainWindow() {
  if (g_instance == this) Lang::SetBoxTitle(QString());
}

MainWindow* MainWindow::Instance() { return g_instance.data(); }

void MainWindow::CreateFileFrame() {
  Frame1 = Named(new QGroupBox("Archivos a convertir"), "Frame1");
  List1 = Named(new QListWidget(Frame1), "List1");
  AccessibleNames::NameAfter(List1, Frame1);
  List1->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  List1->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
  Command1 = Named(new QPushButton("+", Frame1), "Command1");
  Command2 = Named(new QPushButton("-", Frame1), "Command2");
  Command6 = Named(new QPushButton("<", Frame1), "Command6");
  Command8 = Named(new QPushButton(">", Frame1), "Command8");
  auto* buttons = new QVBoxLayout;
  for (QPushButton* button : {Command1, Command2, Command6, Command8}) {
    button->setFixedWidth(32);
    buttons->addWidget(button);
  }
  buttons->addStretch();
  auto* layout = new QHBoxLayout(Frame1);
  layout->addWidget(List1, 1);
  layout->addLayout(buttons);
}

void MainWindow::CreateOutputFrame() {
  Frame2 = Named(new QGroupBox("Guardar como..."), "Frame2");
  Combo1 = Named(new QComboBox(Frame2), "Combo1");
  Combo1->addItems({"Archivo (concatenar):", "Archivo:",
                    "Guardar en directorio de archivo original", "Guardar en el directorio:"});
  Text1 = Named(new QLineEdit(Frame2), "Text1");
  Command3 = Named(new QPushButton("...", Frame2), "Command3");
  Label1 = Named(new QLabel("Extensión de archivo:", Frame2), "Label1");
  Combo2 = Named(new QComboBox(Frame2), "Combo2");
  Combo2->setEditable(true);
  Combo2->setInsertPolicy(QComboBox::NoInsert);
  Combo2->addItem("<Automático>");
  for (const char* extension : kExtensions) Combo2->addItem(extension);
  auto* grid = new QGridLayout(Frame2);
  grid->addWidget(Combo1, 0, 0, 1, 3);
  grid->addWidget(Text1, 1, 0, 1, 2);
  grid->addWidget(Command3, 1, 2);
  grid->addWidget(Label1, 2, 0);
  grid->addWidget(Combo2, 2, 1, 1, 2);
}

void MainWindow::CreateProfileFrame() {
  Frame3 = Named(new QGroupBox("Configuración del convertidor (opcional)"), "Frame3");
  Label2 = Named(new QLabel("Formato:", Frame3), "Label2");
  Combo3 = Named(new QComboBox(Frame3), "Combo3");
  Command4 = Named(new QPushButton("...", Frame3), "Command4");
  Command9 = Named(new QPushButton(">>", Frame3), "Command9");
  Label3 = Named(new QLabel("Ediciones:", Frame3), "Label3");
  Combo4 = Named(new QComboBox(Frame3), "Combo4");
  Command7 = Named(new QPushButton("...", Frame3), "Command7");
  Command10 = Named(new QPushButton(">>", Frame3), "Command10");
  Combo3->addItems({"<Automático>", "<Manual>"});
  Combo4->addItems({"<Ninguno>", "<Manual>"});
  auto* grid = new QGridLayout(Frame3);
  int row = 0;
  for (auto [label, combo, pick, edit] : {std::tuple{Label2, Combo3, Command4, Command9},
                                          std::tuple{Label3, Combo4, Command7, Command10}}) {
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
  Menu_Archivo = Named(menuBar()->addMenu("Archivo"), "Menu_Archivo");
  Menu_Archivo_Agregar = MenuItem(Menu_Archivo, "Menu_Archivo_Agregar", "Agregar");
  Menu_Archivo_Quitar =
      MenuItem(Menu_Archivo, "Menu_Archivo_Quitar", "Quitar archivo seleccionado");
  Menu_Archivo_AgregarCD = MenuItem(Menu_Archivo, "Menu_Archivo_AgregarCD", "Agregar pistas de CD");
  Menu_Archivo_AgDir = MenuItem(Menu_Archivo, "Menu_Archivo_AgDir", "Agregar de directorio");
  Menu_Archivo_QuitarTodos = MenuItem(Menu_Archivo, "Menu_Archivo_QuitarTodos", "Quitar todos");
  Menu_Archivo->addSeparator();
  Menu_Archivo_Reproducir =
      MenuItem(Menu_Archivo, "Menu_Archivo_Reproducir", "Reproducir archivo seleccionado");
  Menu_Archivo_Analizar =
      MenuItem(Menu_Archivo, "Menu_Archivo_Analizar", "Analizar archivo seleccionado");
  Menu_Archivo->addSeparator();
  File_Exit = MenuItem(Menu_Archivo, "File_Exit", "Salir");

  Menu_Herramientas = Named(menuBar()->addMenu("Herramientas"), "Menu_Herramientas");
  QMenu* tools = Menu_Herramientas;
  Herramientas_AdminF = MenuItem(tools, "Herramientas_AdminF", "Administrar formatos");
  Herramientas_AdminFiltro = MenuItem(tools, "Herramientas_AdminFiltro", "Administrar filtros");
  Herramientas_CodecExtA =
      MenuItem(tools, "Herramientas_CodecExtA", "Administrar codecs externos de audio");
  Herramientas_CodecExtV =
      MenuItem(tools, "Herramientas_CodecExtV", "Administrar codecs externos de video");
  Tools_AdmPEdit = MenuItem(tools, "Tools_AdmPEdit", "Administrar perfiles de edición");
  tools->addSeparator();
  Herramientas_EditorFiltros = MenuItem(tools, "Herramientas_EditorFiltros", "Editor de filtros");
  Tools_ECEdit = MenuItem(tools, "Tools_ECEdit", "Editor de codecs externos");
  Tools_FmtEdit = MenuItem(tools, "Tools_FmtEdit", "Editor de formatos");
  Tools_EditPerfEdit = MenuItem(tools, "Tools_EditPerfEdit", "Editor de perfiles de edición");
  tools->addSeparator();
  Tools_CDExtract = MenuItem(tools, "Tools_CDExtract", "Extraer pistas de CD");
  Tools_Grab = MenuItem(tools, "Tools_Grab", "Grabar");
  Tools_EmitirList = MenuItem(tools, "Tools_EmitirList", "Emitir en la red");
  tools->addSeparator();
  Herramientas_Rutas = MenuItem(tools, "Herramientas_Rutas", "Rutas de acceso");
  Herramientas_Lang = MenuItem(tools, "Herramientas_Lang", "Lenguaje / Language");

  Menu_Convertir = Named(menuBar()->addMenu("Convertir"), "Menu_Convertir");
  Convertir_Iniciar = MenuItem(Menu_Convertir, "Convertir_Iniciar", "Iniciar");
  Convertir_Comandos = MenuItem(Menu_Convertir, "Convertir_Comandos", "Comandos a ejecutar");
  Convertir_Prueba = MenuItem(Menu_Convertir, "Convertir_Prueba", "Realizar una prueba");
  Conv_Options = Named(Menu_Convertir->addMenu("Opciones"), "Conv_Options");
  Conv_Opt_2pass = CheckItem(Conv_Options, "Conv_Opt_2pass", "2 pases");
  Conv_Opt_Reemplazar = CheckItem(Conv_Options, "Conv_Opt_Reemplazar", "Reemplazar archivos");
  Conv_Opt_DelFiles = CheckItem(Conv_Options, "Conv_Opt_DelFiles", "Eliminar archivos originales");

  Menu_Help = Named(menuBar()->addMenu("Ayuda"), "Menu_Help");
  Help_ffLic = MenuItem(Menu_Help, "Help_ffLic", "Licencia de ffmpeg");
  Help_ffhelp = MenuItem(Menu_Help, "Help_ffhelp", "Ayuda de ffmpeg");
  Menu_Help->addSeparator();
  Help_AboutCdda2wav = MenuItem(Menu_Help, "Help_AboutCdda2wav", "Acerca de cdda2wav");
  Menu_Help->addSeparator();
  About_EC = MenuItem(Menu_Help, "About_EC", "Acerca del codec externo...");
  Menu_Help->addSeparator();
  Help_About = MenuItem(Menu_Help, "Help_About", "Acerca de este programa");
  Help_ProgramHelp = MenuItem(Menu_Help, "Help_ProgramHelp", "Ayuda de este programa");
  Help_Donate = MenuItem(Menu_Help, "Help_Donate", "Donar / Donate");
}

void MainWindow::WireControls() {
  connect(File_Exit, &QAction::triggered, this, &QWidget::close);
  connect(Command1, &QPushButton::clicked, this, &MainWindow::Command1_Click);
  connect(Menu_Archivo_Agregar, &QAction::triggered, this, &MainWindow::Command1_Click);
  connect(Command2, &QPushButton::clicked, this, &MainWindow::Command2_Click);
  connect(Menu_Archivo_Quitar, &QAction::triggered, this, &MainWindow::Command2_Click);
  connect(&Session::Events(), &Session::SessionEvents::FileListChanged, this, &MainWindow::ShowFileList);
  connect(&Session::Events(), &Session::SessionEvents::ConfigApplied, this, &MainWindow::ShowRunOptions);
  connect(Menu_Archivo_QuitarTodos, &QAction::triggered, this,
          &MainWindow::Menu_Archivo_QuitarTodos_Click);
  connect(Menu_Archivo_AgDir, &QAction::triggered, this, &MainWindow::Menu_Archivo_AgDir_Click);
  connect(Command6, &QPushButton::clicked, this, &MainWindow::Command6_Click);
  connect(Combo2, &QComboBox::currentTextChanged, this, &MainWindow::Combo2_Change);
  for (QAction* option : {Conv_Opt_2pass, Conv_Opt_DelFiles, Conv_Opt_Reemplazar}) {
    connect(option, &QAction::toggled, this, &MainWindow::Conv_Opt_Toggled);
  }
  connect(Command8, &QPushButton::clicked, this, &MainWindow::Command8_Click);
  connect(Command9, &QPushButton::clicked, this, [] { FormatEditorWindow::ShowEditor("*", 1); });
  connect(Command10, &QPushButton::clicked, this, [] { EditingProfileWindow::ShowEditor("*", 1); });
  connect(Tools_FmtEdit, &QAction::triggered, this, [] { FormatEditorWindow::ShowEditor("", 0); });
  connect(Tools_ECEdit, &QAction::triggered, this, [] { CodecEditorWindow::ShowEditor("", 0); });
  connect(About_EC, &QAction::triggered, this, [this] { CodecViewer::ShowCodecInfo(this, "", 0); });
  connect(Tools_EditPerfEdit, &QAction::triggered, this,
          [] { EditingProfileWindow::ShowEditor("", 0); });
  connect(Herramientas_EditorFiltros, &QAction::triggered, this,
          [] { FilterEditorWindow::ShowEditor(""); });
  connect(Command5, &QPushButton::clicked, this, &MainWindow::Command5_Click);
  connect(Convertir_Iniciar, &QAction::triggered, this, &MainWindow::Command5_Click);
  connect(Convertir_Prueba, &QAction::triggered, this, &MainWindow::Convertir_Prueba_Click);
  connect(Convertir_Comandos, &QAction::triggered, this, &MainWindow::Convertir_Comandos_Click);
  const std::tuple<QAction*, const char*, const char*> managers[] = {
      {Herramientas_AdminF, "formats", "qfm"},
      {Herramientas_AdminFiltro, "filters", "qfl"},
      {Herramientas_CodecExtA, "ecodec", "qca"},
      {Herramientas_CodecExtV, "ecodec", "qcv"},
      {Tools_AdmPEdit, "editp", "qep"}};
  for (const auto& [item, folder, extension] : managers) {
    // Copied by name: a structured binding cannot be captured before clang 16.
    connect(item, &QAction::triggered, this, [folder = folder, extension = extension] {
      DataFolderManager::ShowFileManager(ProgramFolder::AppFiles(folder), extension, 0, true);
    });
  }
  connect(Menu_Archivo_Reproducir, &QAction::triggered, this,
          &MainWindow::Menu_Archivo_Reproducir_Click);
  connect(Menu_Archivo_Analizar, &QAction::triggered, this, &MainWindow::Menu_Archivo_Analizar_Click);
  connect(Herramientas_Rutas, &QAction::triggered, this, [this] { ToolPathsWindow::ShowModal(this); });
  connect(Herramientas_Lang, &QAction::triggered, this, [this] { LanguageWindow::ShowModal(this); });
  connect(Help_About, &QAction::triggered, this, [this] { AboutBox::ShowModal(this); });
  connect(Help_ProgramHelp, &QAction::triggered, this, &ProgramHelp::ShowProgramHelp);
  connect(Help_Donate, &QAction::triggered, this, &ProgramHelp::OpenDonationPage);
  connect(Help_ffLic, &QAction::triggered, this, &MainWindow::Help_ffLic_Click);
  connect(Help_ffhelp, &QAction::triggered, this, &MainWindow::Help_ffhelp_Click);
  connect(Help_AboutCdda2wav, &QAction::triggered, this, &MainWindow::Help_AboutCdda2wav_Click);
  connect(Combo1, &QComboBox::activated, this, &MainWindow::Combo1_Click);
  connect(Command3, &QPushButton::clicked, this, &MainWindow::Command3_Click);
  connect(Text1, &QLineEdit::textChanged, this, &MainWindow::Text1_Change);
  connect(Combo3, &QComboBox::activated, this, &MainWindow::Combo3_Click);
  connect(Combo3->lineEdit(), &QLineEdit::textEdited, this, &MainWindow::Combo3_Change);
  connect(Command4, &QPushButton::clicked, this, &MainWindow::Command4_Click);
  connect(Combo4, &QComboBox::activated, this, &MainWindow::Combo4_Click);
  connect(Combo4->lineEdit(), &QLineEdit::textEdited, this, &MainWindow::Combo4_Change);
  connect(Command7, &QPushButton::clicked, this, &MainWindow::Command7_Click);
  connect(Tools_CDExtract, &QAction::triggered, this, [] {
    CdRipper::State().CDRipAddToList = 0;
    CdRipWindow::OpenCDRip();
  });
  connect(Menu_Archivo_AgregarCD, &QAction::triggered, this, [] {
    CdRipper::State().CDRipAddToList = 1;
    CdRipWindow::OpenCDRip();
  });
  connect(Tools_Grab, &QAction::triggered, this, &RecorderWindow::ShowRecorder);
  connect(Tools_EmitirList, &QAction::triggered, this, &StreamerWindow::StreamFileList);
}

// The conversion reads the run options from its own choices, not from the menu.
void MainWindow::Conv_Opt_Toggled() {
  Conversion::State().Choices.TwoPass = Conv_Opt_2pass->isChecked();
  Conversion::State().Choices.DeleteOriginals = Conv_Opt_DelFiles->isChecked();
  Conversion::State().Choices.ReplaceFiles = Conv_Opt_Reemplazar->isChecked();
}

void MainWindow::ShowRunOptions() {
  const Conversion::ConversionChoices& choices = Conversion::State().Choices;
  const std::pair<QAction*, bool> options[] = {{Conv_Opt_2pass, choices.TwoPass},
                                               {Conv_Opt_DelFiles, choices.DeleteOriginals},
                                               {Conv_Opt_Reemplazar, choices.ReplaceFiles}};
  for (const auto& [option, checked] : options) {
    const QSignalBlocker quiet(option);
    option->setChecked(checked);
  }
}

void MainWindow::Combo2_Change() {
  Conversion::State().Choices.ExtensionText = Combo2->currentText();
}

void MainWindow::Form_Load() {
  WidgetFactory::SetListHorizontalExtent(List1, 1800);
  Combo1->setCurrentIndex(2);
  Combo1_Click();
  Combo2->setCurrentIndex(0);
  Combo3->setCurrentIndex(0);
  Combo3_Click();
  Combo4->setCurrentIndex(0);
  Combo4_Click();
  StartupWindows::Run(this);
}

void MainWindow::Form_Unload() {
  ToolRunner::EndAll();
  Session::RemoveOwnTempFolder();
  Lifecycle::WriteConfig();
}

void MainWindow::closeEvent(QCloseEvent* event) {
  Form_Unload();
  event->accept();
}

// File list ---------------------------------------------------------------

void MainWindow::Command1_Click() {
  Session::AppendFiles(DesktopServices::OpenFileDialog(QString(), this, Session::LastFileFolder(),
                                                       QString(), true, 4096));
}

void MainWindow::Command2_Click() { Session::RemoveFile(SelectedRow()); }

void MainWindow::ShowFileList() {
  const int selected = SelectedRow();
  List1->setUpdatesEnabled(false);
  List1->clear();
  List1->addItems(Session::State().FileList);
  List1->setUpdatesEnabled(true);
  if (selected >= 0 && List1->count() > 0) {
    List1->setCurrentRow(std::min(selected, List1->count() - 1));
  }
}

void MainWindow::Menu_Archivo_QuitarTodos_Click() { Session::RemoveAllFiles(); }

void MainWindow::Menu_Archivo_AgDir_Click() {
  const QString folder = Dialogs::Folder(this, "", "");
  if (!folder.isEmpty()) Session::AppendFiles(FileServices::ListFiles(folder, ""));
}

// The selection stays as it was: the dropped files are added below the lines.
void MainWindow::List1_OLEDragDrop(const QStringList& paths) {
  List1->addItems(Session::AppendDroppedPaths(paths));
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
  if (watched != List1->viewport()) return QMainWindow::eventFilter(watched, event);
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
      List1_OLEDragDrop(paths);
      drop->acceptProposedAction();
      return true;
    }
    default:
      return QMainWindow::eventFilter(watched, event);
  }
}

int MainWindow::SelectedRow() const {
  const QListWidgetItem* item = List1->currentItem();
  return item && item->isSelected() ? List1->row(item) : -1;
}

void MainWindow::Command6_Click() {
  const int row = Session::MoveFile(SelectedRow(), -1);
  if (row >= 0) List1->setCurrentRow(row);
}

void MainWindow::Command8_Click() {
  const int row = Session::MoveFile(SelectedRow(), +1);
  if (row >= 0) List1->setCurrentRow(row);
}

void MainWindow::Menu_Archivo_Reproducir_Click() {
  const int row = SelectedRow();
  if (row >= 0) Player::PlayFile({Session::State().FileList[row]}, "");
}

void MainWindow::Menu_Archivo_Analizar_Click() {
  const int row = SelectedRow();
  if (row < 0) return;
  MediaInfo info;
  bool stopped = false;
  {
    WaitWindow wait;
    wait.Form_Load();
    info = FfmpegProbe::ProbeMedia(Session::State().FileList[row]);
    stopped = wait.ToolStopped();
  }
  // A probe the user stopped by closing the wait window has nothing to tell.
  if (stopped || FfmpegProbe::SaidUnreadable(Session::State().FileList[row], info)) return;
  Dialogs::MsgBox(InputProbe::Report(info), 0, windowTitle());
}

// Conversion --------------------------------------------------------------

void MainWindow::Command5_Click() { Conversion::Convert("", List1); }

// The seconds are passed on as typed; the command table checks them.
void MainWindow::Convertir_Prueba_Click() {
  const QString seconds = Lang::InputTestSeconds();
  if (!seconds.isEmpty()) Conversion::Convert(seconds, List1);
}

void MainWindow::Convertir_Comandos_Click() {
  if (!Conversion::BuildCommandTable("", this)) return;
  CommandViewerWindow viewer(this);
  viewer.ShowTable([](int row, int column) { return Conversion::State().Commands.At(row, column); },
                   Conv_Opt_2pass->isChecked(), Conversion::State().MultiOutput == 1);
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

void MainWindow::Help_ffLic_Click() {
  if (FfmpegTools::FfmpegExists()) ShowToolText(this, FfmpegTools::State().FfmpegPath, "-L");
}

void MainWindow::Help_ffhelp_Click() {
  if (FfmpegTools::FfmpegExists())
    ShowToolText(this, FfmpegTools::State().FfmpegPath, "-help full");
}

void MainWindow::Help_AboutCdda2wav_Click() {
  if (!FileServices::FileExists(CdRipper::State().Cdda2wavPath)) {
    Lang::MsgFileNotFound(CdRipper::State().Cdda2wavPath);
    return;
  }
  ShowToolText(this, CdRipper::State().Cdda2wavPath, "-help");
}

// Output choice ----------------------------------------------------------

void MainWindow::Combo1_Click() {
  const int mode = Combo1->currentIndex();
  Conversion::State().Choices.OutputMode = mode;
  const bool takesPath = Conversion::OutputModeTakesPath(mode);
  Text1->setEnabled(takesPath);
  Command3->setEnabled(takesPath);
  Text1->setText(Conversion::OutputPathOf(mode));
}

void MainWindow::Command3_Click() {
  if (Combo1->currentIndex() == Conversion::OutputChosenFolder) {
    const QString folder = Dialogs::Folder(this, "", "");
    if (!folder.isEmpty()) Session::State().OutputFolder = folder;
    Text1->setText(Session::State().OutputFolder);
  } else {
    // The dialog opens on the chosen file's folder and proposes its name.
    const QString file = DesktopServices::SaveFileDialog(
        "", FileServices::ParentFolder(Session::State().OutputFile), "", 0, this, false, 0,
        QFileInfo(Session::State().OutputFile).fileName());
    if (!file.isEmpty()) Session::State().OutputFile = file;
    Text1->setText(Session::State().OutputFile);
  }
}

// What the box shows is what the run uses, typed or chosen with "...".
void MainWindow::Text1_Change() {
  Conversion::StoreOutputPath(Combo1->currentIndex(), Text1->text());
}

// Profile choices ---------------------------------------------------------

ProfileChoice::Controls MainWindow::FormatChoice() {
  return {Combo3, Command9, &Combo3Tag, &Session::State().FormatProfilePath, "formats", "qfm"};
}

ProfileChoice::Controls MainWindow::EditChoice() {
  return {Combo4, Command10, &Combo4Tag, &Session::State().EditProfilePath, "editp", "qep"};
}

void MainWindow::Combo3_Click() { ProfileChoice::Click(FormatChoice()); }
void MainWindow::Combo3_Change() { ProfileChoice::Change(FormatChoice()); }
void MainWindow::Command4_Click() { ProfileChoice::ChooseProfile(FormatChoice()); }
void MainWindow::Combo4_Click() { ProfileChoice::Click(EditChoice()); }
void MainWindow::Combo4_Change() { ProfileChoice::Change(EditChoice()); }
void MainWindow::Command7_Click() { ProfileChoice::ChooseProfile(EditChoice()); }
