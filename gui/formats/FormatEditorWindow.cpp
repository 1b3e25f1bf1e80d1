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
  Combo6 = WidgetFactory::Named(new QComboBox(central), "Combo6");
  Combo6->setGeometry(FromTwips(120, 120, 2895, 330));
  Combo6->addItems({"Entrada", "Salida - General", "Salida - Audio", "Salida - Video"});
  CreateRowArea(central);
  CreateButtonStrip(central);
  CreateFrames(central);
  Timer1 = WidgetFactory::Named(new QTimer(this), "Timer1");
  Timer1->setInterval(10);
  Timer1->setSingleShot(true);
}

void FormatEditorWindow::CreateMenus() {
  Menu_File = WidgetFactory::Named(menuBar()->addMenu("Archivo"), "Menu_File");
  File_Open = WidgetFactory::MenuItem(Menu_File, "File_Open", QString::fromUtf8("Abrir"));
  File_Save = WidgetFactory::MenuItem(Menu_File, "File_Save", QString::fromUtf8("Guardar"));
  File_SaveAs =
      WidgetFactory::MenuItem(Menu_File, "File_SaveAs", QString::fromUtf8("Guardar como..."));
  File_sep1 = WidgetFactory::Separator(Menu_File, "File_sep1");
  File_UndoChanges = WidgetFactory::MenuItem(Menu_File, "File_UndoChanges",
                                             QString::fromUtf8("Descartar cambios"));
  File_CleanAll =
      WidgetFactory::MenuItem(Menu_File, "File_CleanAll", QString::fromUtf8("Limpiar todo"));
  File_CleanAct =
      WidgetFactory::MenuItem(Menu_File, "File_CleanAct", QString::fromUtf8("Limpiar actuales"));
  File_sep2 = WidgetFactory::Separator(Menu_File, "File_sep2");
  File_Close = WidgetFactory::MenuItem(Menu_File, "File_Close", QString::fromUtf8("Cerrar"));
  File_Exit = WidgetFactory::MenuItem(Menu_File, "File_Exit", QString::fromUtf8("Salir"));

  Menu_Help = WidgetFactory::Named(menuBar()->addMenu("Ayuda"), "Menu_Help");
  Help_ffmpeg = WidgetFactory::Named(Menu_Help->addMenu("ffmpeg"), "Help_ffmpeg");
  Help_ffNormal =
      WidgetFactory::MenuItem(Help_ffmpeg, "Help_ffNormal", QString::fromUtf8("Normal"));
  Help_ffExtend =
      WidgetFactory::MenuItem(Help_ffmpeg, "Help_ffExtend", QString::fromUtf8("Extendida"));
  Help_ffFull = WidgetFactory::MenuItem(Help_ffmpeg, "Help_ffFull", QString::fromUtf8("Completa"));
  Help_Sep1 = WidgetFactory::Separator(Help_ffmpeg, "Help_Sep1");
  Help_ffFormats =
      WidgetFactory::MenuItem(Help_ffmpeg, "Help_ffFormats", QString::fromUtf8("Formatos"));
  Help_ffCodecs =
      WidgetFactory::MenuItem(Help_ffmpeg, "Help_ffCodecs", QString::fromUtf8("Codecs"));
  Help_ffEncoders = WidgetFactory::MenuItem(Help_ffmpeg, "Help_ffEncoders",
                                            QString::fromUtf8("Codecs de salida"));
  Help_ffDecoders = WidgetFactory::MenuItem(Help_ffmpeg, "Help_ffDecoders",
                                            QString::fromUtf8("Codecs de entrada"));
  Help_ffPixFmt =
      WidgetFactory::MenuItem(Help_ffmpeg, "Help_ffPixFmt", QString::fromUtf8("Formatos de pixel"));
  Help_ffFilters =
      WidgetFactory::MenuItem(Help_ffmpeg, "Help_ffFilters", QString::fromUtf8("Filtros"));
  Help_ffBitStreamFilters = WidgetFactory::MenuItem(Help_ffmpeg, "Help_ffBitStreamFilters",
                                                    QString::fromUtf8("Filtros bitstream"));
  Help_Sep2 = WidgetFactory::Separator(Help_ffmpeg, "Help_Sep2");
  Help_ffCodecHelp = WidgetFactory::MenuItem(Help_ffmpeg, "Help_ffCodecHelp",
                                             QString::fromUtf8("Opciones avanzadas del codec"));
  Help_ffFormatHelp = WidgetFactory::MenuItem(Help_ffmpeg, "Help_ffFormatHelp",
                                              QString::fromUtf8("Opciones avanzadas del formato"));
  Help_Sep3 = WidgetFactory::Separator(Help_ffmpeg, "Help_Sep3");
  Help_ffLic =
      WidgetFactory::MenuItem(Help_ffmpeg, "Help_ffLic", QString::fromUtf8("Licencia de ffmpeg"));
  Help_AboutECA = WidgetFactory::MenuItem(Menu_Help, "Help_AboutECA",
                                          QString::fromUtf8("Acerca del codec externo de audio"));
  Help_AboutECV = WidgetFactory::MenuItem(Menu_Help, "Help_AboutECV",
                                          QString::fromUtf8("Acerca del codec externo de video"));
  Help_Documentacion =
      WidgetFactory::MenuItem(Menu_Help, "Help_Documentacion", QString::fromUtf8("Documentación"));

  Menu_Options = WidgetFactory::Named(menuBar()->addMenu("Opciones"), "Menu_Options");
  Import_OfCmdL = WidgetFactory::MenuItem(
      Menu_Options, "Import_OfCmdL", QString::fromUtf8("Obtener valores de línea de comandos"));
  Import_OfFile = WidgetFactory::MenuItem(Menu_Options, "Import_OfFile",
                                          QString::fromUtf8("Obtener valores de archivo"));
  Opt_Sep1 = WidgetFactory::Separator(Menu_Options, "Opt_Sep1");
  LoadECA_Menu = WidgetFactory::MenuItem(Menu_Options, "LoadECA_Menu",
                                         QString::fromUtf8("Cargar codec externo de audio"));
  LoadECV_Menu = WidgetFactory::MenuItem(Menu_Options, "LoadECV_Menu",
                                         QString::fromUtf8("Cargar codec externo de video"));
  UnloadECA_Menu = WidgetFactory::MenuItem(Menu_Options, "UnloadECA_Menu",
                                           QString::fromUtf8("Descargar codec externo de audio"));
  UnloadECV_Menu = WidgetFactory::MenuItem(Menu_Options, "UnloadECV_Menu",
                                           QString::fromUtf8("Descargar codec externo de video"));
  ReloadECA_Menu = WidgetFactory::MenuItem(Menu_Options, "ReloadECA_Menu",
                                           QString::fromUtf8("Re-cargar codec externo de audio"));
  ReloadECV_Menu = WidgetFactory::MenuItem(Menu_Options, "ReloadECV_Menu",
                                           QString::fromUtf8("Re-cargar codec externo de video"));
  Opt_FindExe = WidgetFactory::Named(Menu_Options->addMenu("Buscar ejecutable"), "Opt_FindExe");
  FindEXE_A = WidgetFactory::MenuItem(Opt_FindExe, "FindEXE_A",
                                      QString::fromUtf8("Codec externo de audio"));
  FindEXE_V = WidgetFactory::MenuItem(Opt_FindExe, "FindEXE_V",
                                      QString::fromUtf8("Codec externo de video"));
  FindEXE_Sep1 = WidgetFactory::Separator(Opt_FindExe, "FindEXE_Sep1");
  SyncExtCodecMenus(FormatProfile());
}

void FormatEditorWindow::CreateButtonStrip(QWidget* central) {
  Picture9 = WidgetFactory::Named(new QWidget(central), "Picture9");
  Picture9->setGeometry(FromTwips(1080, 9960, 4935, 615));
  Command12 = NewButton(Picture9, "Command12", "Cargar", 480 / 15, 120 / 15);
  Command2 = NewButton(Picture9, "Command2", "Cancelar", 1920 / 15, 120 / 15);
  Command1 = NewButton(Picture9, "Command1", "Aceptar", 3360 / 15, 120 / 15);
  Picture9->hide();
}

void FormatEditorWindow::CreateFrames(QWidget* central) {
  Frame1 = NewFrame(central, "Frame1", "Opciones avanzadas del contenedor");
  Option1 = WidgetFactory::Named(new QRadioButton("Formato de salida", Frame1), "Option1");
  Option1->setGeometry(FromPixels(8, 24, 150, 22));
  Option1->setChecked(true);
  Option2 = WidgetFactory::Named(new QRadioButton("Formato de entrada", Frame1), "Option2");
  Option2->setGeometry(FromPixels(8, 80, 150, 22));
  Combo1 = WidgetFactory::Named(new QComboBox(Frame1), "Combo1");
  Combo1->setGeometry(FromPixels(24, 48, 200, 24));
  Combo3 = WidgetFactory::Named(new QComboBox(Frame1), "Combo3");
  Combo3->setGeometry(FromPixels(24, 104, 200, 24));
  Combo3->setEnabled(false);
  Command3 = NewButton(Frame1, "Command3", "Ver", 240, 48);
  Command5 = NewButton(Frame1, "Command5", "Atrás", 240, 220);

  Frame2 = NewFrame(central, "Frame2", "Opciones avanzadas del codec");
  auto* codecKind = new QButtonGroup(Frame2);
  auto* codecView = new QButtonGroup(Frame2);
  Option3 = WidgetFactory::Named(new QRadioButton("Codec de audio", Frame2), "Option3");
  Option3->setGeometry(FromPixels(8, 24, 150, 22));
  Option4 = WidgetFactory::Named(new QRadioButton("Codec de video", Frame2), "Option4");
  Option4->setGeometry(FromPixels(8, 80, 150, 22));
  Option5 = WidgetFactory::Named(
      new QRadioButton(QString::fromUtf8("Ver opciones de codificación"), Frame2), "Option5");
  Option5->setGeometry(FromPixels(8, 140, 250, 22));
  Option6 = WidgetFactory::Named(
      new QRadioButton(QString::fromUtf8("Ver opciones de decodificación"), Frame2), "Option6");
  Option6->setGeometry(FromPixels(8, 164, 250, 22));
  codecKind->addButton(Option3);
  codecKind->addButton(Option4);
  codecView->addButton(Option5);
  codecView->addButton(Option6);
  Option3->setChecked(true);
  Option5->setChecked(true);
  Combo4 = WidgetFactory::Named(new QComboBox(Frame2), "Combo4");
  Combo4->setGeometry(FromPixels(24, 48, 200, 24));
  Combo5 = WidgetFactory::Named(new QComboBox(Frame2), "Combo5");
  Combo5->setGeometry(FromPixels(24, 104, 200, 24));
  Combo5->setEnabled(false);
  Command4 = NewButton(Frame2, "Command4", "Ver", 240, 48);
  Command6 = NewButton(Frame2, "Command6", "Atrás", 240, 220);
  for (QComboBox* combo : {Combo1, Combo3, Combo4, Combo5}) {
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert);
    SetTag(combo, QString());
  }

  Frame3 = NewFrame(central, "Frame3", "Acerca del codec");
  SetTag(Frame3, QString::fromUtf8("Acerca del codec..."));
  Text3 = WidgetFactory::Named(new QPlainTextEdit(Frame3), "Text3");
  Text3->setGeometry(FromPixels(8, 24, kFrameWidth - 16, 180));
  Text3->setReadOnly(true);
  Command7 = NewButton(Frame3, "Command7", "Atrás", 240, 220);

  Frame4 = NewFrame(central, "Frame4", "Obtener valores de línea de comandos");
  Label2 = WidgetFactory::Named(new QLabel(QString::fromUtf8("Parámetros de salida:"), Frame4),
                                "Label2");
  Label2->setGeometry(FromPixels(8, 24, 300, 20));
  Text4 = WidgetFactory::Named(new QLineEdit(Frame4), "Text4");
  Text4->setGeometry(FromPixels(8, 46, kFrameWidth - 16, 24));
  Label3 = WidgetFactory::Named(new QLabel(QString::fromUtf8("Parámetros de entrada:"), Frame4),
                                "Label3");
  Label3->setGeometry(FromPixels(8, 80, 300, 20));
  Text5 = WidgetFactory::Named(new QLineEdit(Frame4), "Text5");
  Text5->setGeometry(FromPixels(8, 102, kFrameWidth - 16, 24));
  Command8 = NewButton(Frame4, "Command8", "Aceptar", 140, 220);
  Command9 = NewButton(Frame4, "Command9", "Atrás", 240, 220);

  Frame5 = NewFrame(central, "Frame5", "Obtener valores desde archivo");
  Label4 = WidgetFactory::Named(new QLabel("Seleccione los valores a copiar:", Frame5), "Label4");
  Label4->setGeometry(FromPixels(8, 20, 300, 20));
  List1 = WidgetFactory::Named(new QListWidget(Frame5), "List1");
  List1->setGeometry(FromPixels(8, 42, kFrameWidth - 16, 150));
  Check1 = WidgetFactory::Named(new QCheckBox("Marcar / desmarcar todo", Frame5), "Check1");
  Check1->setGeometry(FromPixels(8, 196, 200, 20));
  Command10 = NewButton(Frame5, "Command10", "Aceptar", 140, 220);
  Command11 = NewButton(Frame5, "Command11", "Atrás", 240, 220);

  Frame6 = NewFrame(central, "Frame6", "");
  Label5 = WidgetFactory::Named(
      new QLabel(QString::fromUtf8("Obteniendo información de ffmpeg..."), Frame6), "Label5");
  Label5->setGeometry(FromPixels(8, 24, kFrameWidth - 16, 40));
  SetTag(Label5, QString::fromUtf8("Espere..."));
}

void FormatEditorWindow::WireControls() {
  connect(Timer1, &QTimer::timeout, this, &FormatEditorWindow::Timer1_Timer);
  connect(VScroll1, &QScrollBar::valueChanged, this, &FormatEditorWindow::VScroll1_Change);
  connect(Combo6, &QComboBox::activated, this, &FormatEditorWindow::Combo6_Click);
  WireRow(0);
  connect(Command1, &QPushButton::clicked, this, &FormatEditorWindow::Command1_Click);
  connect(Command2, &QPushButton::clicked, this, &FormatEditorWindow::Command2_Click);
  connect(Command12, &QPushButton::clicked, this, &FormatEditorWindow::Command12_Click);
  connect(File_Open, &QAction::triggered, this, &FormatEditorWindow::File_Open_Click);
  connect(File_Save, &QAction::triggered, this, &FormatEditorWindow::File_Save_Click);
  connect(File_SaveAs, &QAction::triggered, this, &FormatEditorWindow::File_SaveAs_Click);
  connect(File_UndoChanges, &QAction::triggered, this, &FormatEditorWindow::File_UndoChanges_Click);
  connect(File_CleanAll, &QAction::triggered, this, &FormatEditorWindow::File_CleanAll_Click);
  connect(File_CleanAct, &QAction::triggered, this, &FormatEditorWindow::File_CleanAct_Click);
  connect(File_Close, &QAction::triggered, this, &FormatEditorWindow::File_Close_Click);
  connect(File_Exit, &QAction::triggered, this, &FormatEditorWindow::File_Exit_Click);

  const std::array<std::pair<QAction*, QString>, 11> helpItems = {{
      {Help_ffNormal, "-h"},
      {Help_ffExtend, "-h long"},
      {Help_ffFull, "-h full"},
      {Help_ffFormats, "-formats"},
      {Help_ffCodecs, "-codecs"},
      {Help_ffEncoders, "-encoders"},
      {Help_ffDecoders, "-decoders"},
      {Help_ffPixFmt, "-pix_fmts"},
      {Help_ffFilters, "-filters"},
      {Help_ffBitStreamFilters, "-bsfs"},
      {Help_ffLic, "-L"},
  }};
  for (const auto& [item, option] : helpItems) {
    connect(item, &QAction::triggered, this, [this, option = option] { ShowHelp(option); });
  }
  connect(Help_ffFormatHelp, &QAction::triggered, this,
          &FormatEditorWindow::Help_ffFormatHelp_Click);
  connect(Help_ffCodecHelp, &QAction::triggered, this, &FormatEditorWindow::Help_ffCodecHelp_Click);
  connect(Help_Documentacion, &QAction::triggered, this,
          &FormatEditorWindow::Help_Documentacion_Click);
  connect(Option1, &QRadioButton::clicked, this, &FormatEditorWindow::Option1_Click);
  connect(Option2, &QRadioButton::clicked, this, &FormatEditorWindow::Option2_Click);
  connect(Option3, &QRadioButton::clicked, this, &FormatEditorWindow::Option3_Click);
  connect(Option4, &QRadioButton::clicked, this, &FormatEditorWindow::Option4_Click);
  connect(Option5, &QRadioButton::clicked, this, &FormatEditorWindow::Option5_Click);
  connect(Option6, &QRadioButton::clicked, this, &FormatEditorWindow::Option6_Click);
  connect(Command3, &QPushButton::clicked, this, &FormatEditorWindow::Command3_Click);
  connect(Command4, &QPushButton::clicked, this, &FormatEditorWindow::Command4_Click);
  connect(Command5, &QPushButton::clicked, this, &FormatEditorWindow::Command5_Click);
  connect(Command6, &QPushButton::clicked, this, &FormatEditorWindow::Command6_Click);

  connect(Import_OfCmdL, &QAction::triggered, this, &FormatEditorWindow::Import_OfCmdL_Click);
  connect(Command8, &QPushButton::clicked, this, &FormatEditorWindow::Command8_Click);
  connect(Command9, &QPushButton::clicked, this, &FormatEditorWindow::Command9_Click);
  connect(Import_OfFile, &QAction::triggered, this, &FormatEditorWindow::Import_OfFile_Click);
  connect(Check1, &QCheckBox::clicked, this, &FormatEditorWindow::Check1_Click);
  connect(Command10, &QPushButton::clicked, this, &FormatEditorWindow::Command10_Click);
  connect(Command11, &QPushButton::clicked, this, &FormatEditorWindow::Command11_Click);

  connect(LoadECA_Menu, &QAction::triggered, this, [] { FormatEditor::LoadExternalCodec(0, ""); });
  connect(LoadECV_Menu, &QAction::triggered, this, [] { FormatEditor::LoadExternalCodec(1, ""); });
  connect(UnloadECA_Menu, &QAction::triggered, this, [] { FormatEditor::UnloadExternalCodec(0); });
  connect(UnloadECV_Menu, &QAction::triggered, this, [] { FormatEditor::UnloadExternalCodec(1); });
  connect(ReloadECA_Menu, &QAction::triggered, this, [] {
    FormatEditor::LoadExternalCodec(0, FormatEditor::State().CurrentFormat.AudioExtCodecName);
  });
  connect(ReloadECV_Menu, &QAction::triggered, this, [] {
    FormatEditor::LoadExternalCodec(1, FormatEditor::State().CurrentFormat.VideoExtCodecName);
  });
  connect(FindEXE_A, &QAction::triggered, this, [this] { FindCodecExe(0); });
  connect(FindEXE_V, &QAction::triggered, this, [this] { FindCodecExe(1); });
  connect(Help_AboutECA, &QAction::triggered, this, [this] { Help_AboutEC_Click(0); });
  connect(Help_AboutECV, &QAction::triggered, this, [this] { Help_AboutEC_Click(1); });
  connect(Command7, &QPushButton::clicked, this, &FormatEditorWindow::Command7_Click);
  ListenToEditor();
}

void FormatEditorWindow::ListenToEditor() {
  FormatEditor::Notifier& editor = FormatEditor::Events();
  connect(&editor, &FormatEditor::Notifier::ProfileChanged, this,
          &FormatEditorWindow::SyncExtCodecMenus);
  connect(&editor, &FormatEditor::Notifier::RowsBuilt, this, &FormatEditorWindow::ShowRows);
}

void FormatEditorWindow::Form_Load() {
  Lang::TranslateForm7();
  for (QGroupBox* frame : {Frame1, Frame2, Frame3, Frame4, Frame5, Frame6}) {
    frame->move(Combo6->pos());
  }
  FormatEditor::State().CurrentCategory = FormatEditor::OutputGeneral;
  BuildingParams = 1;
  Combo6->setCurrentIndex(FormatEditor::OutputGeneral);
  BuildingParams = 0;
  Picture9->move(Picture1->x(), Picture1->y() + Picture1->height());
  // The outer height of the design includes the title bar, about 30 pixels.
  resize(TextFit::Pixels(5250), TextFit::Pixels(4845) - 30);
}

void FormatEditorWindow::ShowButtonStrip(bool scratchMode) {
  if (!scratchMode) return;
  Picture9->show();
  resize(width(), height() + Picture9->height());
  for (QAction* item : {File_Close, File_Exit, File_Open, File_sep2}) item->setVisible(false);
}

void FormatEditorWindow::ShowWaiting(bool waiting) {
  Frame6->setVisible(waiting);
  if (waiting) Frame6->raise();
  for (QMenu* menu : {Menu_File, Menu_Help, Menu_Options}) menu->menuAction()->setEnabled(!waiting);
}

void FormatEditorWindow::SyncExtCodecMenus(const FormatProfile& profile) {
  const bool audio = !profile.AudioExtCodecName.isEmpty();
  const bool video = !profile.VideoExtCodecName.isEmpty();
  LoadECA_Menu->setVisible(!audio);
  LoadECV_Menu->setVisible(!video);
  for (QAction* item : {UnloadECA_Menu, ReloadECA_Menu, Help_AboutECA, FindEXE_A}) {
    item->setVisible(audio);
  }
  for (QAction* item : {UnloadECV_Menu, ReloadECV_Menu, Help_AboutECV, FindEXE_V}) {
    item->setVisible(video);
  }
  // The separator keeps the submenu valid while both of its items are hidden.
  FindEXE_Sep1->setVisible(!audio && !video);
  Opt_FindExe->menuAction()->setVisible(audio || video);
}

// File menu and buttons --------------------------------------------------------------

void FormatEditorWindow::Command1_Click() {
  if (FormatEditor::SaveFormat(FormatEditor::State().CurrentFormatFile)) close();
}

void FormatEditorWindow::Command2_Click() {
  FormatEditor::UndoChanges();
  close();
}

void FormatEditorWindow::Command12_Click() {
  QString path;
  FormatEditor::LoadFormat(path);
}

void FormatEditorWindow::File_Open_Click() {
  QString path;
  FormatEditor::LoadFormat(path);
}

void FormatEditorWindow::File_Save_Click() {
  FormatEditor::SaveFormat(FormatEditor::State().CurrentFormatFile);
}

void FormatEditorWindow::File_SaveAs_Click() {
  QString path;
  FormatEditor::SaveFormat(path);
}

void FormatEditorWindow::File_UndoChanges_Click() { FormatEditor::UndoChanges(); }
void FormatEditorWindow::File_CleanAll_Click() { FormatEditor::ClearAll(); }
void FormatEditorWindow::File_CleanAct_Click() { FormatEditor::ClearCategory(); }
void FormatEditorWindow::File_Close_Click() { FormatEditor::CloseFormat(); }
void FormatEditorWindow::File_Exit_Click() { close(); }

void FormatEditorWindow::closeEvent(QCloseEvent* event) { Form_QueryUnload(event); }

void FormatEditorWindow::Form_QueryUnload(QCloseEvent* event) {
  event->ignore();
  if (AdvancedFrameOpen == 1) {
    Frame1->hide();
    Frame2->hide();
    SetCommandsEnabled(true);
    AdvancedFrameOpen = 0;
  } else if (Frame3->isVisible()) {
    ClosePanel(Frame3);
  } else if (Frame4->isVisible()) {
    ClosePanel(Frame4);
  } else if (Frame5->isVisible()) {
    ClosePanel(Frame5);
  } else if (Frame6->isVisible()) {
    QApplication::beep();
  } else if (FormatEditor::CloseFormat()) {
    event->accept();
  }
}

void FormatEditorWindow::SetCommandsEnabled(bool enabled) {
  for (QMenu* menu : {Menu_File, Menu_Help, Menu_Options}) menu->menuAction()->setEnabled(enabled);
  for (QPushButton* button : {Command12, Command1, Command2}) button->setEnabled(enabled);
}

void FormatEditorWindow::ClosePanel(QGroupBox* frame) {
  frame->hide();
  SetCommandsEnabled(true);
}

// The editor's entry point --------------------------------------------------------------

void FormatEditorWindow::ShowEditor(QString name, uint8_t mode) {
  using namespace FormatEditor;
  // One editor at a time: the file manager opened from the editor cannot open a second.
  if (FormatEditorWindow::Instance()) return;
  // Nor while a tool runs (a device listing in the viewer): ffmpeg's lists
  // read now would come back empty and stand so until the tool paths change.
  if (ToolRunner::GetState() != ToolRunner::Idle) return;
  QPointer<FormatEditorWindow> window = new FormatEditorWindow;
  window->Form_Load();
  window->ShowButtonStrip(mode == 1);
  if (mode == 1) FormatEditor::State().CurrentFormatFile = ScratchProfilePath();
  // The lists and the profile are loaded once the editor shows, inside its wait.
  QTimer::singleShot(0, window, [window, name, mode] {
    if (FormatEditor::State().FfmpegListsStale == 1) {
      window->ShowWaiting(true);
      LoadFfmpegCapabilities();
      if (window) window->ShowWaiting(false);
    }
    BuildCategoryParams(OutputGeneral);
    if (!name.isEmpty()) {
      QString path = FormatsFolder() + "/" + name + ".qfm";
      path.remove('*');
      LoadFormat(path);
    }
    FormatEditor::State().TempFormatMode = mode;
  });
  ModalWindow::Run(window);
  delete window;
  if (mode == 1) {
    FormatEditor::State().CurrentFormat = FormatProfile();
    FormatEditor::State().SavedFormat = FormatProfile();
    FormatEditor::State().CurrentFormatFile.clear();
    FormatEditor::State().TempFormatMode = 0;
  }
  FormatEditor::State().ParamRowCount = 0;
}
