#include "editing/Form8.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QRandomGenerator>
#include <QScrollBar>
#include <QTimer>
#include <cmath>

#include "editing/EditFields.h"
#include "editing/EditPreview.h"
#include "editing/Equalizer.h"
#include "editing/NumericKey.h"
#include "editing/UnitPicture.h"
#include "frame/APIS.h"
#include "frame/Aplicacion.h"
#include "frame/CaptureConsole.h"
#include "frame/IntDocView.h"
#include "frame/ModalWindow.h"
#include "frame/ScriptObj.h"
#include "frame/TextFit.h"
#include "frame/ffmpeg.h"
#include "lang/Lang.h"

using EditFields::RoundHalfEven;
using EditFields::SingleText;
using MediaEdit::CurrentProfile;

namespace {

QPointer<Form8> g_instance;

// Design positions are in twips, scaled to this desktop's font.
int Px(int twips) { return TextFit::Pixels(twips); }

template <class W>
W* Make(W*& member, const char* name, QWidget* parent, int left, int top, int width, int height) {
  member = new W(parent);
  member->setObjectName(name);
  member->setGeometry(TextFit::FromTwips(left, top, width, height));
  return member;
}

// A caption that stands beside a box: a read-only text box.
QLineEdit* MakeCaption(QLineEdit*& member, const char* name, QWidget* parent, int left, int top,
                       int width) {
  Make(member, name, parent, left, top, width, 285);
  member->setReadOnly(true);
  member->setFrame(false);
  return member;
}

// A numeric box takes its characters only through the key filter.
QLineEdit* MakeNumeric(QLineEdit*& member, const char* name, QWidget* parent, int left, int top,
                       int width) {
  Make(member, name, parent, left, top, width, 285);
  member->setContextMenuPolicy(Qt::NoContextMenu);
  member->setAcceptDrops(false);
  return member;
}

QComboBox* MakeUnitCombo(QComboBox*& member, const char* name, QWidget* parent, int left, int top,
                         const QStringList& items) {
  Make(member, name, parent, left, top, 1850, 330);
  member->addItems(items);
  return member;
}

const QStringList kUnitsFinalHeight = {"pixels", "x (ancho original)", "x (alto original)",
                                       "x (alto final)"};
const QStringList kUnitsFinalWidth = {"pixels", "x (ancho original)", "x (alto original)",
                                      "x (ancho final)"};
const QStringList kUnitsPosition = {"pixels", "x (ancho original)", "x (alto original)",
                                    "x (ancho final)", "x (alto final)"};
const QStringList kUnitsBorder = {"pixels", "x (ancho original)", "x (alto original)"};

constexpr int kWindowWidth = 6960;
constexpr int kWindowHeight = 5205;

// The width a caption needs to show its whole text.
int CaptionWidth(const QWidget* caption) {
  if (auto* box = qobject_cast<const QLineEdit*>(caption)) return TextFit::BoxWidthFor(box);
  return caption->sizeHint().width();
}

// A caption longer than its place in the language in force takes the room it
// lacks from the control beside it, whose right edge stays.
void WidenIntoNeighbour(QWidget* caption, QWidget* neighbour) {
  const int missing = CaptionWidth(caption) - caption->width();
  if (missing <= 0) return;
  caption->resize(caption->width() + missing, caption->height());
  neighbour->setGeometry(neighbour->x() + missing, neighbour->y(), neighbour->width() - missing,
                         neighbour->height());
}

void SetText(QLineEdit* box, const QString& text) {
  if (box->text() != text) box->setText(text);
}

void SetIndex(QComboBox* combo, int index) {
  combo->setCurrentIndex(index >= 0 && index < combo->count() ? index : -1);
}

}  // namespace

Form8::Form8(QWidget* parent) : QMainWindow(parent) {
  g_instance = this;
  setObjectName("Form8");
  setAttribute(Qt::WA_DeleteOnClose, false);
  CreateControls();
  SetDesignCaptions();
  WireControls();
  connect(&MediaEdit::Events(), &MediaEdit::Notifier::ProfileReplaced, this,
          &Form8::ShowCurrentProfile);
}

Form8::~Form8() = default;

Form8* Form8::Instance() { return g_instance.data(); }

void MediaEdit::ShowEditor(const QString& name, uint8_t mode) {
  auto* window = new Form8;
  window->Form_Load();
  if (mode == 1) {
    window->SetScratchLayout();
    CurrentPath = ScratchProfilePath();
  }
  if (!name.isEmpty()) {
    OpenProfile(ProfileFolder() + "/" + QString(name).remove('*') + ".qep");
  } else {
    // No file is read: the new window shows the profile held here.
    NormalizeEqualizer();
    RecordToForm();
  }
  ScratchMode = mode;

  QPointer<Form8> alive(window);
  if (window->isVisible()) ModalWindow::Run(window);
  if (alive && !alive->isVisible()) delete alive.data();

  if (ScratchMode == 1) {
    CurrentPath.clear();
    CurrentProfile = EditProfileRec();
    SavedProfile = EditProfileRec();
    Loading = 0;
    ScratchMode = 0;
  }
}

void Form8::CreateControls() {
  auto* central = new QWidget(this);
  setCentralWidget(central);
  Make(Text28, "Text28", central, 120, 120, 2415, 285)->setReadOnly(true);
  Make(List1, "List1", central, 120, 420, 2415, 3300);
  CreateOperationPanels(central);
  CreateTestFileControls(central);
  CreateExplorer(central);
  Make(Picture6, "Picture6", central, 0, 0, 5100, 495)->hide();
  Make(Command15, "Command15", Picture6, 0, 60, 1560, 375);
  Make(Command14, "Command14", Picture6, 1740, 60, 1560, 375);
  Make(Command3, "Command3", Picture6, 3480, 60, 1560, 375);
  Timer1 = new QTimer(this);
  Timer1->setObjectName("Timer1");
  Timer1->setInterval(100);
  CreateMenus();
}

void Form8::CreateOperationPanels(QWidget* central) {
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
  CreateVolumeAndFilterPanels();
  CreateBorderPanel();
  CreateTrackAndCommandPanels();
  CreateEqualizerPanel();
}

void Form8::CreateTrimPanel() {
  QWidget* panel = PicRecortarSecuencia;
  Make(Label14, "Label14", panel, 120, 120, 3850, 285);
  MakeNumeric(Text31, "Text31", panel, 120, 420, 2000);
  Make(Command1, "Command1", panel, 2250, 400, 800, 330);
  Make(Option4, "Option4", panel, 120, 840, 3850, 285)->setChecked(true);
  MakeNumeric(Text33, "Text33", panel, 120, 1140, 2000);
  Make(Command11, "Command11", panel, 2250, 1120, 800, 330);
  Make(Option5, "Option5", panel, 120, 1560, 3850, 285);
  MakeNumeric(Text1, "Text1", panel, 120, 1860, 2000)->setMaxLength(11);
  Make(Combo8, "Combo8", panel, 2250, 1850, 1600, 330);
  Text1->setEnabled(false);
  Combo8->setEnabled(false);
}

void Form8::CreateCropPanel() {
  QWidget* panel = PicRecortarCuadro;
  Make(Label1, "Label1", panel, 120, 120, 3850, 285);
  MakeCaption(Text16, "Text16", panel, 120, 450, 900);
  MakeNumeric(Text17, "Text17", panel, 1050, 450, 1000);
  MakeUnitCombo(Combo2, "Combo2", panel, 2150, 440, kUnitsFinalHeight);
  MakeCaption(Text18, "Text18", panel, 120, 850, 900);
  MakeNumeric(Text19, "Text19", panel, 1050, 850, 1000);
  MakeUnitCombo(Combo3, "Combo3", panel, 2150, 840, kUnitsFinalWidth);
  Make(Label12, "Label12", panel, 120, 1350, 3850, 285);
  Make(Label3, "Label3", panel, 120, 1650, 3850, 285);
  MakeNumeric(Text20, "Text20", panel, 1050, 1950, 1000);
  MakeUnitCombo(Combo4, "Combo4", panel, 2150, 1940, kUnitsPosition);
  Make(Label4, "Label4", panel, 120, 2400, 3850, 285);
  MakeNumeric(Text21, "Text21", panel, 1050, 2700, 1000);
  MakeUnitCombo(Combo5, "Combo5", panel, 2150, 2690, kUnitsPosition);
}

void Form8::CreateResizePanel() {
  QWidget* panel = PicCambiarTamanoCuadro;
  Make(Label10, "Label10", panel, 120, 120, 3850, 285);
  MakeCaption(Text22, "Text22", panel, 120, 450, 900);
  MakeNumeric(Text25, "Text25", panel, 1050, 450, 1000);
  MakeUnitCombo(Combo7, "Combo7", panel, 2150, 440, kUnitsFinalHeight);
  MakeCaption(Text23, "Text23", panel, 120, 850, 900);
  MakeNumeric(Text24, "Text24", panel, 1050, 850, 1000);
  MakeUnitCombo(Combo6, "Combo6", panel, 2150, 840, kUnitsFinalWidth);
  Make(Label11, "Label11", panel, 120, 1350, 3850, 285);
  Make(Option3, "Option3", panel, 120, 1650, 3850, 285)->setChecked(true);
  Make(Option1, "Option1", panel, 120, 1950, 3850, 285);
  Make(Option2, "Option2", panel, 120, 2250, 2800, 285);
  MakeNumeric(Text2, "Text2", panel, 2950, 2250, 1000)->setEnabled(false);
}

void Form8::CreateVolumeAndFilterPanels() {
  Make(Label2, "Label2", PicAjustarVol, 120, 120, 3850, 285);
  MakeNumeric(Text26, "Text26", PicAjustarVol, 120, 450, 1200)->setMaxLength(6);
  QWidget* panel = PicAplicarFiltro;
  Make(Label5, "Label5", panel, 120, 60, 3850, 255);
  Make(List2, "List2", panel, 120, 330, 3850, 900);
  Make(Label6, "Label6", panel, 120, 1290, 3850, 255);
  Make(List3, "List3", panel, 120, 1560, 3850, 900);
  Make(Label7, "Label7", panel, 120, 2520, 3850, 255);
  Make(List4, "List4", panel, 120, 2790, 3850, 900);
}

void Form8::CreateBorderPanel() {
  QWidget* panel = PicAddBorder;
  Make(Label13, "Label13", panel, 120, 120, 3850, 255);
  MakeCaption(Text4, "Text4", panel, 120, 400, 800);
  MakeNumeric(Text3, "Text3", panel, 950, 400, 1100);
  MakeUnitCombo(Combo9, "Combo9", panel, 2100, 390, kUnitsBorder);
  Make(Label16, "Label16", panel, 120, 800, 3850, 255);
  MakeCaption(Text6, "Text6", panel, 120, 1080, 800);
  MakeNumeric(Text5, "Text5", panel, 950, 1080, 1100);
  MakeUnitCombo(Combo10, "Combo10", panel, 2100, 1070, kUnitsBorder);
  Make(Label17, "Label17", panel, 120, 1480, 3850, 255);
  MakeCaption(Text8, "Text8", panel, 120, 1760, 800);
  MakeNumeric(Text7, "Text7", panel, 950, 1760, 1100);
  MakeUnitCombo(Combo11, "Combo11", panel, 2100, 1750, kUnitsBorder);
  Make(Label18, "Label18", panel, 120, 2160, 3850, 255);
  MakeCaption(Text10, "Text10", panel, 120, 2440, 800);
  MakeNumeric(Text9, "Text9", panel, 950, 2440, 1100);
  MakeUnitCombo(Combo12, "Combo12", panel, 2100, 2430, kUnitsBorder);
  MakeCaption(Text11, "Text11", panel, 120, 2900, 800);
  Make(Picture2, "Picture2", panel, 950, 2880, 1100, 330);
  Make(Command12, "Command12", panel, 2100, 2880, 480, 330);
}

void Form8::CreateTrackAndCommandPanels() {
  Make(Check7, "Check7", PicEliminarPistas, 120, 120, 3850, 285);
  Make(Check3, "Check3", PicEliminarPistas, 120, 480, 3850, 285);
  Make(Check4, "Check4", PicEliminarPistas, 120, 840, 3850, 285);
  Make(Label8, "Label8", PicModifCmdL, 120, 120, 3850, 255);
  Make(Text29, "Text29", PicModifCmdL, 120, 420, 3850, 285);
  Make(Label9, "Label9", PicModifCmdL, 120, 900, 3850, 255);
  Make(Text30, "Text30", PicModifCmdL, 120, 1200, 3850, 285);
}

void Form8::CreateEqualizerPanel() {
  QWidget* panel = PicEQU;
  Make(Label22, "Label22", panel, 0, 120, 3735, 255);
  Make(Label23, "Label23", panel, 0, 960, 3855, 255);
  Make(Label15, "Label15", panel, 120, 3000, 3495, 255);
  for (int i = 0; i < 10; ++i) {
    const int boxLeft = Equalizer::BoxLeft0 + Equalizer::Pitch * i;
    MakeNumeric(Text14[i], "Text14", panel, boxLeft, 480, Equalizer::BoxWidth);
    Make(Picture3[i], "Picture3", panel, Equalizer::SliderLeft0 + Equalizer::Pitch * i, 1320, 255,
         1215);
    Picture3[i]->setFocusPolicy(Qt::StrongFocus);
    Shape1[i] = new UnitShape(Picture3[i], QColor(0, 255, 0), true);
    Shape1[i]->setObjectName("Shape1");
    Shape1[i]->CentredOnTop = true;
    Shape1[i]->SetGeometry(0, 0.5, 1, 0.06);
    MakeNumeric(Text27[i], "Text27", panel, boxLeft, 2520, Equalizer::BoxWidth);
    MakeNumeric(Text32[i], "Text32", panel, boxLeft, 3360, Equalizer::BoxWidth);
    for (QWidget* control :
         std::initializer_list<QWidget*>{Text14[i], Picture3[i], Text27[i], Text32[i]}) {
      control->setProperty("Index", i);
      control->setVisible(i < 5);
    }
  }
  Make(HScroll1, "HScroll1", panel, 120, 3840, 3735, 255);
  HScroll1->setOrientation(Qt::Horizontal);
  HScroll1->setRange(1, 6);
  HScroll1->setValue(1);
}

void Form8::CreateTestFileControls(QWidget* central) {
  MakeCaption(Text12, "Text12", central, 120, 4320, 1800);
  Make(Text13, "Text13", central, 1950, 4320, 4290, 285)->setReadOnly(true);
  Make(Command2, "Command2", central, 6300, 4290, 480, 330);
  Make(PicSelTestFile, "PicSelTestFile", central, 120, 120, 6720, 4080)->hide();
  PicSelTestFile->setAutoFillBackground(true);
  Make(Label21, "Label21", PicSelTestFile, 120, 120, 3000, 285);
  Make(Combo13, "Combo13", PicSelTestFile, 120, 480, 5900, 330)->setEditable(true);
  Make(Command9, "Command9", PicSelTestFile, 6120, 480, 480, 330);
  Make(Command13, "Command13", PicSelTestFile, 5280, 1000, 1320, 360);
  Make(Picture7, "Picture7", central, 120, 120, 6720, 4080);
  Picture7->setAutoFillBackground(true);
  Make(Label19, "Label19", Picture7, 2400, 1800, 2000, 285);
  Label19->setAlignment(Qt::AlignCenter);
}

void Form8::CreateExplorer(QWidget* central) {
  Make(PicExploreStream, "PicExploreStream", central, 120, 120, 6720, 4080)->hide();
  QWidget* panel = PicExploreStream;
  panel->setAutoFillBackground(true);
  Make(Picture1, "Picture1", panel, 120, 120, 4800, 3135);
  Shape4 = new UnitShape(Picture1, QColor(255, 0, 0), false);
  Shape4->setObjectName("Shape4");
  Shape4->SetGeometry(0, 0, 1, 1);
  Make(Picture4, "Picture4", panel, 120, 3300, 4800, 255);
  Shape3 = new UnitShape(Picture4, QColor(0, 0, 255), true);
  Shape3->setObjectName("Shape3");
  Shape3->SetGeometry(0, 0, 1, 1);
  Shape2 = new UnitShape(Picture4, QColor(0, 255, 0), true);
  Shape2->setObjectName("Shape2");
  Shape2->SetGeometry(-2, 0.25, 2, 0.5);
  Make(Picture5, "Picture5", panel, 5040, 120, 255, 1095);
  Shape5 = new UnitShape(Picture5, QColor(0, 255, 0), true);
  Shape5->setObjectName("Shape5");
  Shape5->SetGeometry(0, 0.9, 1, 2);
  MakeCaption(Text15, "Text15", panel, 5040, 1260, 1560);
  Make(Check1, "Check1", panel, 5040, 1600, 1560, 285);
  Make(Command7, "Command7", panel, 5040, 2000, 1560, 330);
  Make(Command10, "Command10", panel, 5040, 2400, 1560, 330)->hide();
  Make(Command8, "Command8", panel, 5040, 2400, 1560, 330);
  Make(Command6, "Command6", panel, 5040, 2800, 1560, 330);
  Make(Command4, "Command4", panel, 2280, 3660, 1200, 360);
  Make(Command5, "Command5", panel, 3600, 3660, 1200, 360);
}

void Form8::CreateMenus() {
  auto action = [](QMenu* menu, QAction*& member, const char* name) {
    member = menu->addAction(QString());
    member->setObjectName(name);
  };
  auto submenu = [](QMenu* menu, QMenu*& member, const char* name) {
    member = menu->addMenu(QString());
    member->setObjectName(name);
    member->menuAction()->setObjectName(name);
  };
  Menu_File = menuBar()->addMenu(QString());
  Menu_File->setObjectName("Menu_File");
  action(Menu_File, File_Open, "File_Open");
  action(Menu_File, File_Save, "File_Save");
  action(Menu_File, File_SaveAs, "File_SaveAs");
  action(Menu_File, File_DescChan, "File_DescChan");
  action(Menu_File, File_Close, "File_Close");
  action(Menu_File, File_Exit, "File_Exit");
  Menu_Options = menuBar()->addMenu(QString());
  Menu_Options->setObjectName("Menu_Options");
  action(Menu_Options, Opt_Docu, "Opt_Docu");
  action(Menu_Options, Opt_SelTestFile, "Opt_SelTestFile");
  action(Menu_Options, Opt_CleanAct, "Opt_CleanAct");
  action(Menu_Options, Opt_CleanAll, "Opt_CleanAll");
  action(Menu_Options, Opt_Sep1, "Opt_Sep1");
  Opt_Sep1->setEnabled(false);
  action(Menu_Options, Opt_CopySizeTestFile, "Opt_CopySizeTestFile");
  action(Menu_Options, Opt_CopyRAFileTest, "Opt_CopyRAFileTest");
  action(Menu_Options, Opt_ConRelDim, "Opt_ConRelDim");
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
  action(Menu_Options, Opt_CutGrap, "Opt_CutGrap");
  submenu(Menu_Options, Opt_RestVal, "Opt_RestVal");
  action(Opt_RestVal, Opt_RestVal_Frec, "Opt_RestVal_Frec");
  action(Opt_RestVal, Opt_RestVal_Gain, "Opt_RestVal_Gain");
  action(Opt_RestVal, Opt_RestVal_BandW, "Opt_RestVal_BandW");
  Opt_RestVal_Sep1 = Opt_RestVal->addSeparator();
  Opt_RestVal_Sep1->setObjectName("Opt_RestVal_Sep1");
  action(Opt_RestVal, Opt_RestVal_All, "Opt_RestVal_All");
  action(Menu_Options, Opt_Preview, "Opt_Preview");
  action(Menu_Options, Opt_Helpff, "Opt_Helpff");
}

// The design's Spanish captions; the window's translator replaces them.
void Form8::SetDesignCaptions() {
  setWindowTitle("Crear perfil de edición");
  Text28->setText("Opciones de edición:");
  List1->addItems({"Recortar secuencia", "Recortar cuadro", "Cambiar tamaño de cuadro",
                   "Cambiar volumen", "Aplicar Filtros", "Agregar Borde", "Eliminar Pistas",
                   "Ecualizar", "Modificar línea de comandos"});
  Label14->setText("Convertir desde la posición (HH:MM:SS.mm):");
  Option4->setText("Convertir hasta la posición (HH:MM:SS.mm):");
  Option5->setText("Duración:");
  Command1->setText("Ir a");
  Command11->setText("Ir a");
  Combo8->addItems({"HH:MM:SS.mm", "cuadros", "bytes"});
  Label1->setText("Tamaño de recorte:");
  Text16->setText("Ancho:");
  Text18->setText("Alto:");
  Label12->setText("Posición del recorte:");
  Label3->setText("Desde el borde izquierdo:");
  Label4->setText("Desde el borde superior:");
  Label10->setText("Tamaño:");
  Text22->setText("Ancho:");
  Text23->setText("Alto:");
  Label11->setText("Relación de aspecto:");
  Option3->setText("Mantener original");
  Option1->setText("Ajustar a dimensiones finales");
  Option2->setText("Cambiar relación (Ancho/Alto):");
  Label2->setText("%Volumen (con respecto al original):");
  Label5->setText("Aplicar filtro de audio:");
  Label6->setText("Aplicar filtro de video:");
  Label7->setText("Aplicar filtro complejo:");
  Label13->setText("Agregar a la derecha:");
  Label16->setText("Agregar a la izquierda:");
  Label17->setText("Agregar arriba:");
  Label18->setText("Agregar abajo:");
  Text4->setText("Ancho:");
  Text6->setText("Ancho:");
  Text8->setText("Alto:");
  Text10->setText("Alto:");
  Text11->setText("Color:");
  Command12->setText("...");
  Check7->setText("Eliminar Audio");
  Check3->setText("Eliminar Video");
  Check4->setText("Eliminar subtítulos");
  Label22->setText("Frecuencia central (Hz)");
  Label23->setText("Ganancia (db)");
  Label15->setText("Ancho de banda (octavas)");
  for (int i = 0; i < 10; ++i) {
    Text14[i]->setText(Equalizer::DefaultFrequencies[i]);
    Text27[i]->setText("0");
    Text32[i]->setText("1");
  }
  Label8->setText("Parámetros de salida:");
  Label9->setText("Parámetros de entrada:");
  Text12->setText("Archivo de prueba:");
  Command2->setText("...");
  Label21->setText("Archivo de prueba:");
  Command9->setText("...");
  Command13->setText("Atrás");
  Label19->setText("Espere...");
  Text15->setText("Volumen");
  Check1->setText("Silencio");
  Command7->setText("Marcar posición 1");
  Command10->setText("Marcar posición 2");
  Command8->setText("Detectar bordes");
  Command6->setText("Reproducir");
  Command4->setText("Aceptar");
  Command5->setText("Cancelar");
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

void Form8::WireControls() {
  connect(File_Open, &QAction::triggered, this, &Form8::File_Open_Click);
  connect(File_Save, &QAction::triggered, this, &Form8::File_Save_Click);
  connect(File_SaveAs, &QAction::triggered, this, &Form8::File_SaveAs_Click);
  connect(File_DescChan, &QAction::triggered, this, &Form8::File_DescChan_Click);
  connect(File_Close, &QAction::triggered, this, &Form8::File_Close_Click);
  connect(File_Exit, &QAction::triggered, this, &Form8::File_Exit_Click);
  connect(Command15, &QPushButton::clicked, this, &Form8::Command15_Click);
  connect(Command14, &QPushButton::clicked, this, &Form8::Command14_Click);
  connect(Command3, &QPushButton::clicked, this, &Form8::Command3_Click);
  connect(List1, &QListWidget::currentRowChanged, this, &Form8::List1_Click);

  for (QLineEdit* box :
       {Text17, Text19, Text20, Text21, Text25, Text24, Text2, Text3, Text5, Text7, Text9}) {
    connect(box, &QLineEdit::textChanged, this, [this, box] { PositiveNumber_Change(box); });
  }
  connect(Text26, &QLineEdit::textChanged, this, &Form8::Text26_Change);
  for (QLineEdit* box : {Text31, Text33}) {
    connect(box, &QLineEdit::textChanged, this, [this, box] { Time_Change(box); });
  }
  connect(Text1, &QLineEdit::textChanged, this, &Form8::Text1_Change);
  connect(Text29, &QLineEdit::textChanged, this, &Form8::Text29_Change);
  connect(Text30, &QLineEdit::textChanged, this, &Form8::Text30_Change);
  for (QLineEdit* box : {Text17, Text19, Text20, Text21, Text25, Text24, Text2, Text3, Text5, Text7,
                         Text9, Text26, Text31, Text33, Text1, Text29, Text30}) {
    box->installEventFilter(this);
  }
  for (QComboBox* combo :
       {Combo2, Combo3, Combo4, Combo5, Combo6, Combo7, Combo9, Combo10, Combo11, Combo12}) {
    connect(combo, &QComboBox::currentIndexChanged, this, [this, combo] { Unit_Click(combo); });
  }
  connect(Combo8, &QComboBox::currentIndexChanged, this, &Form8::Combo8_Click);
  for (QRadioButton* option : {Option4, Option5}) {
    connect(option, &QRadioButton::toggled, this, [this](bool on) {
      if (on) EndMode_Click();
    });
  }
  for (QRadioButton* option : {Option1, Option2, Option3}) {
    connect(option, &QRadioButton::toggled, this, [this](bool on) {
      if (on) Aspect_Click();
    });
  }
  for (QCheckBox* box : {Check7, Check3, Check4}) {
    connect(box, &QCheckBox::toggled, this, [this, box] { Track_Click(box); });
  }
  connect(Command12, &QPushButton::clicked, this, &Form8::Command12_Click);
  for (size_t i = 0; i < Tam.size(); ++i) {
    connect(Tam[i], &QAction::triggered, this, [this, i] { SizePreset_Click(int(i)); });
  }
  connect(Opt_CleanAct, &QAction::triggered, this, &Form8::Opt_CleanAct_Click);
  connect(Opt_CleanAll, &QAction::triggered, this, &Form8::Opt_CleanAll_Click);
  connect(Opt_Docu, &QAction::triggered, this, &Form8::Opt_Docu_Click);
  connect(Opt_Helpff, &QAction::triggered, this, &Form8::Opt_Helpff_Click);
  for (QListWidget* list : {List2, List3, List4}) {
    connect(list, &QListWidget::itemChanged, this, &Form8::List2_ItemCheck);
  }
  WireEqualizer();
  WireExplorer();
}

void Form8::WireEqualizer() {
  connect(HScroll1, &QScrollBar::valueChanged, this, &Form8::HScroll1_Change);
  for (int i = 0; i < 10; ++i) {
    connect(
        Picture3[i], &UnitPicture::MouseUp, this,
        [this, i](Qt::MouseButton button, double, double y) { Picture3_MouseUp(i, button, y); });
    connect(Picture3[i], &UnitPicture::KeyDown, this,
            [this, i](int key) { Picture3_KeyDown(i, key); });
    connect(Text27[i], &QLineEdit::textChanged, this, [this, i] { Text27_Change(i); });
    connect(Text14[i], &QLineEdit::textChanged, this, [this, i] { Text14_Change(i); });
    connect(Text32[i], &QLineEdit::textChanged, this, [this, i] { Text32_Change(i); });
    for (QLineEdit* box : {Text14[i], Text27[i], Text32[i]}) box->installEventFilter(this);
  }
  connect(Opt_RestVal_Frec, &QAction::triggered, this, &Form8::Opt_RestVal_Frec_Click);
  connect(Opt_RestVal_Gain, &QAction::triggered, this, &Form8::Opt_RestVal_Gain_Click);
  connect(Opt_RestVal_BandW, &QAction::triggered, this, &Form8::Opt_RestVal_BandW_Click);
  connect(Opt_RestVal_All, &QAction::triggered, this, &Form8::Opt_RestVal_All_Click);
  for (size_t i = 0; i < Equ.size(); ++i) {
    connect(Equ[i], &QAction::triggered, this, [this, i] { Equ_Click(int(i)); });
  }
}

void Form8::WireExplorer() {
  connect(Command2, &QPushButton::clicked, this, &Form8::Command2_Click);
  connect(Opt_SelTestFile, &QAction::triggered, this, &Form8::Command2_Click);
  connect(Command13, &QPushButton::clicked, this, &Form8::Command13_Click);
  connect(Combo13, &QComboBox::editTextChanged, this, &Form8::Combo13_Change);
  connect(Combo13, &QComboBox::activated, this, &Form8::Combo13_Click);
  connect(Text13, &QLineEdit::textChanged, this,
          [this] { Text13->setCursorPosition(int(Text13->text().size())); });
  connect(Command9, &QPushButton::clicked, this, &Form8::Command9_Click);
  connect(Opt_CutGrap, &QAction::triggered, this, &Form8::Opt_CutGrap_Click);
  connect(Command7, &QPushButton::clicked, this, &Form8::Command7_Click);
  connect(Command10, &QPushButton::clicked, this, &Form8::Command10_Click);
  connect(Picture4, &UnitPicture::MouseUp, this,
          [this](Qt::MouseButton, double x, double) { Picture4_MouseUp(x); });
  connect(Picture5, &UnitPicture::MouseUp, this,
          [this](Qt::MouseButton, double, double y) { Picture5_MouseUp(y); });
  connect(Picture1, &UnitPicture::MouseDown, this,
          [this](Qt::MouseButton, double x, double y) { Picture1_MouseDown(x, y); });
  connect(Picture1, &UnitPicture::MouseMove, this, &Form8::Picture1_MouseMove);
  connect(Picture1, &UnitPicture::MouseUp, this, &Form8::Picture1_MouseUp);
  connect(Command6, &QPushButton::clicked, this, &Form8::Command6_Click);
  connect(Command8, &QPushButton::clicked, this, &Form8::Command8_Click);
  connect(Command4, &QPushButton::clicked, this, &Form8::Command4_Click);
  connect(Command5, &QPushButton::clicked, this, &Form8::Command5_Click);
  connect(Timer1, &QTimer::timeout, this, &Form8::Timer1_Timer);
  connect(Command1, &QPushButton::clicked, this, &Form8::Command1_Click);
  connect(Command11, &QPushButton::clicked, this, &Form8::Command11_Click);
  connect(Opt_ConRelDim, &QAction::triggered, this, &Form8::Opt_ConRelDim_Click);
  connect(Opt_CopySizeTestFile, &QAction::triggered, this, &Form8::Opt_CopySizeTestFile_Click);
  connect(Opt_CopyRAFileTest, &QAction::triggered, this, &Form8::Opt_CopyRAFileTest_Click);
  connect(Opt_Preview, &QAction::triggered, this, &Form8::Opt_Preview_Click);
}

// Window life cycle ------------------------------------------------------

void Form8::Form_Load() {
  for (QListWidget* list : {List1, List2, List3, List4}) APIS::SetListHorizontalExtent(list, 1800);
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
  Combo13->addItems(Aplicacion::FileList);
  LoadFilterLists();
  if (ScriptObj::FileExists(ffmpeg::FfmpegPath)) {
    TempFolder = Aplicacion::CreateTempFolder(true);
    if (!TempFolder.isEmpty() && !Aplicacion::FileList.isEmpty()) {
      LoadTestFile(Aplicacion::FileList.first());
    }
  }
  Menu_File->setEnabled(true);
  Menu_Options->setEnabled(true);
  Picture7->hide();
}

void Form8::SetScratchLayout() {
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

bool Form8::Form_QueryUnload() {
  // A frame grab or border detection still running belongs to this window too.
  if (Picture7->isVisible() || CaptureConsole::GetState() != CaptureConsole::Idle) {
    QApplication::beep();
    return false;
  }
  if (SubPanelOpen == 1) {
    CloseSubPanel();
    return false;
  }
  return MediaEdit::CloseProfile();
}

void Form8::Form_Unload() {
  Timer1->stop();
  if (!TempFolder.isEmpty()) ScriptObj::DeleteFolder(TempFolder, true);
  TempFolder.clear();
}

void Form8::closeEvent(QCloseEvent* event) {
  if (!Form_QueryUnload()) {
    event->ignore();
    return;
  }
  Form_Unload();
  event->accept();
}

void Form8::File_Open_Click() { MediaEdit::OpenProfile(QString()); }
void Form8::File_Save_Click() { MediaEdit::SaveProfile(MediaEdit::CurrentPath); }
void Form8::File_SaveAs_Click() { MediaEdit::SaveProfile(QString()); }
void Form8::File_DescChan_Click() { MediaEdit::UndoChanges(); }
void Form8::File_Close_Click() { MediaEdit::CloseProfile(); }
void Form8::File_Exit_Click() { close(); }
void Form8::Command15_Click() { MediaEdit::OpenProfile(QString()); }

void Form8::Command14_Click() {
  MediaEdit::UndoChanges();
  close();
}

void Form8::Command3_Click() {
  if (MediaEdit::SaveProfile(MediaEdit::CurrentPath)) close();
}

// Filling from the record ------------------------------------------------

void Form8::ShowCurrentProfile() {
  MediaEdit::Loading = 1;
  FillFromProfile();
  MediaEdit::Loading = 0;
}

void Form8::FillFromProfile() {
  const EditProfileRec& p = CurrentProfile;
  SetText(Text9, p.BorderBottom);
  SetIndex(Combo12, p.BorderBottomUnit);
  SetText(Text7, p.BorderTop);
  SetIndex(Combo11, p.BorderTopUnit);
  SetText(Text3, p.BorderRight);
  SetIndex(Combo9, p.BorderRightUnit);
  SetText(Text5, p.BorderLeft);
  SetIndex(Combo10, p.BorderLeftUnit);
  SetBorderSwatch(MediaEdit::HexToColor(p.BorderColor));
  SelectProfileFilters();
  SetText(Text24, p.ResizeHeight);
  SetIndex(Combo6, p.ResizeHeightUnit);
  SetText(Text25, p.ResizeWidth);
  SetIndex(Combo7, p.ResizeWidthUnit);
  (p.AspectMode == 2 ? Option1 : p.AspectMode == 3 ? Option2 : Option3)->setChecked(true);
  Aspect_Click();
  SetText(Text2, p.AspectRatio);
  SetText(Text26, p.Volume);
  SetText(Text30, p.InputParams);
  SetText(Text29, p.OutputParams);
  Check7->setChecked(p.RemoveAudio == 1);
  Check3->setChecked(p.RemoveVideo == 1);
  Check4->setChecked(p.RemoveSubtitles == 1);
  for (int i = 0; i < 10; ++i) {
    SetText(Text14[i], p.Equalizer[i * 3]);
    SetText(Text27[i], p.Equalizer[i * 3 + 1]);
    SetText(Text32[i], p.Equalizer[i * 3 + 2]);
    double gain = 0;
    // A gain that is no number (a record never normalised) sits in the middle.
    EditFields::IsNumeric(p.Equalizer[i * 3 + 1], &gain);
    SetMarker(i, Equalizer::MarkerTop(gain));
  }
  SetText(Text19, p.CropHeight);
  SetIndex(Combo3, p.CropHeightUnit);
  SetText(Text17, p.CropWidth);
  SetIndex(Combo2, p.CropWidthUnit);
  SetText(Text20, p.CropLeft);
  SetIndex(Combo4, p.CropLeftUnit);
  SetText(Text21, p.CropTop);
  SetIndex(Combo5, p.CropTopUnit);
  SetIndex(Combo8, p.DurationUnit);
  SetText(Text1, p.Duration[std::min<int>(p.DurationUnit, 2)]);
  SetText(Text33, p.EndPos);
  SetText(Text31, p.StartPos);
  (p.EndMode == 2 ? Option5 : Option4)->setChecked(true);
  EndMode_Click();
}

std::array<QStringList, 3> Form8::FilterListNames() const {
  std::array<QStringList, 3> names;
  const std::array<QListWidget*, 3> lists = {List2, List3, List4};
  for (int l = 0; l < 3; ++l) {
    for (int row = 0; row < lists[l]->count(); ++row) names[l] << lists[l]->item(row)->text();
  }
  return names;
}

void Form8::SelectProfileFilters() {
  const MediaEdit::FilterMatch match =
      MediaEdit::MatchProfileFilters(CurrentProfile.Filters, FilterListNames());
  TickFilters(match);
  if (match.missing.isEmpty()) return;
  Lang::MsgFiltersMissing(match.missing.join('\n'));
  MediaEdit::DropMissingFilters(match);
}

void Form8::TickFilters(const MediaEdit::FilterMatch& match) {
  const std::array<QListWidget*, 3> lists = {List2, List3, List4};
  // The lists show exactly the profile's filters, not those of a profile
  // opened before it in the same visit.
  for (QListWidget* list : lists) {
    for (int row = 0; row < list->count(); ++row) list->item(row)->setCheckState(Qt::Unchecked);
  }
  for (const MediaEdit::FilterMatch::Tick& tick : match.ticks) {
    lists[tick.list]->item(tick.row)->setCheckState(Qt::Checked);
  }
}

// Operations and their fields ----------------------------------------------

void Form8::List1_Click() {
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
  IntDocView::CloseViewer();
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

QString* Form8::FieldOfBox(QLineEdit* box) {
  EditProfileRec& p = CurrentProfile;
  const std::pair<QLineEdit*, QString*> fields[] = {
      {Text17, &p.CropWidth},    {Text19, &p.CropHeight},  {Text20, &p.CropLeft},
      {Text21, &p.CropTop},      {Text25, &p.ResizeWidth}, {Text24, &p.ResizeHeight},
      {Text2, &p.AspectRatio},   {Text3, &p.BorderRight},  {Text5, &p.BorderLeft},
      {Text7, &p.BorderTop},     {Text9, &p.BorderBottom}, {Text26, &p.Volume},
      {Text29, &p.OutputParams}, {Text30, &p.InputParams}, {Text31, &p.StartPos},
      {Text33, &p.EndPos}};
  for (const auto& [control, field] : fields) {
    if (control == box) return field;
  }
  if (box == Text1) return &p.Duration[std::clamp(Combo8->currentIndex(), 0, 2)];
  return nullptr;
}

uint8_t* Form8::FieldOfUnit(QComboBox* combo) {
  EditProfileRec& p = CurrentProfile;
  const std::pair<QComboBox*, uint8_t*> fields[] = {
      {Combo2, &p.CropWidthUnit},    {Combo3, &p.CropHeightUnit},  {Combo4, &p.CropLeftUnit},
      {Combo5, &p.CropTopUnit},      {Combo7, &p.ResizeWidthUnit}, {Combo6, &p.ResizeHeightUnit},
      {Combo9, &p.BorderRightUnit},  {Combo10, &p.BorderLeftUnit}, {Combo11, &p.BorderTopUnit},
      {Combo12, &p.BorderBottomUnit}};
  for (const auto& [control, field] : fields) {
    if (control == combo) return field;
  }
  return nullptr;
}

namespace {

void Apply(const EditFields::FieldChange& change, QString* field) {
  if (change.outcome == EditFields::Outcome::Store) *field = change.text;
  if (change.outcome == EditFields::Outcome::Overflow) EditFields::ShowOverflowError();
}

}  // namespace

void Form8::PositiveNumber_Change(QLineEdit* box) {
  if (MediaEdit::Loading == 1) return;
  Apply(EditFields::PositiveNumber(box->text()), FieldOfBox(box));
}

void Form8::Text26_Change() {
  if (MediaEdit::Loading == 1) return;
  Apply(EditFields::Volume(Text26->text()), &CurrentProfile.Volume);
}

void Form8::Time_Change(QLineEdit* box) {
  if (MediaEdit::Loading == 1) return;
  Apply(EditFields::TimeText(box->text(), ffmpeg::TimeToSeconds(box->text())), FieldOfBox(box));
}

void Form8::Text1_Change() {
  if (MediaEdit::Loading == 1) return;
  const int unit = std::clamp(Combo8->currentIndex(), 0, 2);
  Apply(EditFields::DurationText(Text1->text(), unit, ffmpeg::TimeToSeconds(Text1->text())),
        FieldOfBox(Text1));
}

void Form8::Text29_Change() {
  if (MediaEdit::Loading != 1) CurrentProfile.OutputParams = Text29->text();
}

void Form8::Text30_Change() {
  if (MediaEdit::Loading != 1) CurrentProfile.InputParams = Text30->text();
}

void Form8::Box_Validate(QLineEdit* box) {
  const uint8_t loading = MediaEdit::Loading;
  MediaEdit::Loading = 1;
  if (QString* field = FieldOfBox(box)) SetText(box, *field);
  MediaEdit::Loading = loading;
}

void Form8::Unit_Click(QComboBox* combo) {
  if (MediaEdit::Loading == 1 || combo->currentIndex() < 0) return;
  *FieldOfUnit(combo) = uint8_t(combo->currentIndex());
}

void Form8::Combo8_Click() {
  const int unit = Combo8->currentIndex();
  if (unit < 0) return;
  if (MediaEdit::Loading != 1) CurrentProfile.DurationUnit = uint8_t(unit);
  const uint8_t loading = MediaEdit::Loading;
  MediaEdit::Loading = 1;
  SetText(Text1, CurrentProfile.Duration[std::min(unit, 2)]);
  MediaEdit::Loading = loading;
}

void Form8::EndMode_Click() {
  if (MediaEdit::Loading != 1) CurrentProfile.EndMode = Option5->isChecked() ? 2 : 1;
  Text33->setEnabled(Option4->isChecked());
  Command11->setEnabled(Option4->isChecked());
  Text1->setEnabled(Option5->isChecked());
  Combo8->setEnabled(Option5->isChecked());
}

void Form8::Aspect_Click() {
  Text2->setEnabled(Option2->isChecked());
  if (MediaEdit::Loading == 1) return;
  CurrentProfile.AspectMode = Option1->isChecked() ? 2 : Option2->isChecked() ? 3 : 1;
}

void Form8::Track_Click(QCheckBox* box) {
  if (MediaEdit::Loading == 1) return;
  const uint8_t value = box->isChecked() ? 1 : 0;
  if (box == Check7) CurrentProfile.RemoveAudio = value;
  if (box == Check3) CurrentProfile.RemoveVideo = value;
  if (box == Check4) CurrentProfile.RemoveSubtitles = value;
}

void Form8::SetBorderSwatch(const QColor& color) {
  QPalette colors = Picture2->palette();
  colors.setColor(QPalette::Window, color);
  Picture2->setPalette(colors);
}

void Form8::Command12_Click() {
  const int color = APIS::ChooseColorDialog(this, 0, -1);
  if (color < 0) return;
  SetBorderSwatch(QColor(color % 256, color / 256 % 256, color / 65536 % 256));
  CurrentProfile.BorderColor = EditFields::ColorToHex(color);
}

void Form8::SizePreset_Click(int preset) {
  Text25->setText(QString::number(EditFields::SizePresets[preset].width));
  Text24->setText(QString::number(EditFields::SizePresets[preset].height));
  Combo7->setCurrentIndex(0);
  Combo6->setCurrentIndex(0);
}

void Form8::ClearValues(bool all) {
  for (int operation = all ? 0 : List1->currentRow(); operation >= 0 && operation < List1->count();
       ++operation) {
    switch (operation) {
      case 0:
        Text31->setText(QString());
        Text33->setText(QString());
        Option4->setChecked(true);
        EndMode_Click();
        Text1->setText(QString());
        CurrentProfile.Duration = {};
        Combo8->setCurrentIndex(0);
        break;
      case 1:
        for (QLineEdit* box : {Text17, Text19, Text20, Text21}) box->setText(QString());
        for (QComboBox* combo : {Combo2, Combo3, Combo4, Combo5}) combo->setCurrentIndex(0);
        break;
      case 2:
        for (QLineEdit* box : {Text25, Text24, Text2}) box->setText(QString());
        Option3->setChecked(true);
        Aspect_Click();
        Combo7->setCurrentIndex(0);
        Combo6->setCurrentIndex(0);
        break;
      case 3:
        Text26->setText(QString());
        break;
      case 4:
        for (QListWidget* list : {List2, List3, List4}) {
          for (int row = 0; row < list->count(); ++row)
            list->item(row)->setCheckState(Qt::Unchecked);
        }
        break;
      case 5:
        for (QLineEdit* box : {Text3, Text5, Text7, Text9}) box->setText(QString());
        for (QComboBox* combo : {Combo9, Combo10, Combo11, Combo12}) combo->setCurrentIndex(0);
        SetBorderSwatch(Qt::black);
        CurrentProfile.BorderColor = "000000";
        break;
      case 6:
        for (QCheckBox* box : {Check7, Check3, Check4}) box->setChecked(false);
        break;
      case 7:
        Opt_RestVal_All_Click();
        break;
      case 8:
        Text29->setText(QString());
        Text30->setText(QString());
        break;
      default:
        break;
    }
    if (!all) break;
  }
}

void Form8::Opt_CleanAct_Click() { ClearValues(false); }
void Form8::Opt_CleanAll_Click() { ClearValues(true); }
void Form8::Opt_Docu_Click() { Aplicacion::ShowProgramHelp(); }

void Form8::Opt_Helpff_Click() {
  if (!ffmpeg::FfmpegExists()) return;
  IntDocView::ShowCommandOutput(CaptureConsole::QuoteArgument(ffmpeg::FfmpegPath) + " -h full",
                                this);
}

void Form8::LoadFilterLists() {
  const std::array<QStringList, 3> names = MediaEdit::ReadFilterLists();
  const std::array<QListWidget*, 3> lists = {List2, List3, List4};
  for (int l = 0; l < 3; ++l) {
    lists[l]->clear();
    for (const QString& name : names[l]) {
      auto* item = new QListWidgetItem(name);
      item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
      item->setCheckState(Qt::Unchecked);
      lists[l]->addItem(item);
    }
  }
}

void Form8::StoreSelectedFilters() {
  CurrentProfile.Filters = DynArray<QString>();
  for (QListWidget* list : {List2, List3, List4}) {
    for (int row = 0; row < list->count(); ++row) {
      if (list->item(row)->checkState() == Qt::Checked) {
        CurrentProfile.Filters.Items.append(list->item(row)->text());
      }
    }
  }
}

void Form8::List2_ItemCheck() {
  if (MediaEdit::Loading != 1) StoreSelectedFilters();
}

// Numeric key filter -------------------------------------------------------

void Form8::FilterNumericKey(QLineEdit* box, QChar key, bool allowColon, bool allowDot,
                             bool allowMinus) {
  NumericKey::BoxState state{box->text(), box->cursorPosition(),
                             box->hasSelectedText() ? box->selectionStart() : 0,
                             int(box->selectedText().size())};
  const NumericKey::BoxState edited =
      NumericKey::Apply(state, key, {allowColon, allowDot, allowMinus});
  if (edited == state) return;
  if (box->maxLength() < edited.text.size()) return;
  box->setText(edited.text);
  box->setCursorPosition(edited.caret);
}

bool Form8::eventFilter(QObject* watched, QEvent* event) {
  auto* box = qobject_cast<QLineEdit*>(watched);
  if (!box) return QMainWindow::eventFilter(watched, event);
  if (event->type() == QEvent::FocusOut) {
    const int index = box->property("Index").isValid() ? box->property("Index").toInt() : -1;
    if (index >= 0 && box == Text27[index])
      Text27_Validate(index);
    else if (index >= 0 && box == Text14[index])
      Text14_Validate(index);
    else if (index >= 0 && box == Text32[index])
      Text32_Validate(index);
    else
      Box_Validate(box);
    return false;
  }
  if (event->type() != QEvent::KeyPress || box == Text29 || box == Text30) return false;
  auto* key = static_cast<QKeyEvent*>(event);
  // Moving the caret, selecting and copying stay free; nothing else edits
  // the box except through the key rule.
  static const QList<int> moves = {Qt::Key_Left, Qt::Key_Right,   Qt::Key_Home, Qt::Key_End,
                                   Qt::Key_Tab,  Qt::Key_Backtab, Qt::Key_Up,   Qt::Key_Down};
  if (moves.contains(key->key()) || key->matches(QKeySequence::Copy) ||
      key->matches(QKeySequence::SelectAll)) {
    return false;
  }
  QChar typed = key->key() == Qt::Key_Backspace ? QChar(NumericKey::Backspace)
                : key->text().size() == 1       ? key->text().at(0)
                                                : QChar();
  if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) typed = QChar();
  if (!typed.isNull()) {
    const bool time =
        box == Text31 || box == Text33 || (box == Text1 && Combo8->currentIndex() == 0);
    const bool plainDigits = box == Text26 || box == Text1;
    const bool minus = box->objectName() == "Text27";
    FilterNumericKey(box, typed, time, time || !plainDigits, minus);
  }
  return true;
}

// Equaliser ----------------------------------------------------------------

void Form8::HScroll1_Change() {
  const std::array<Equalizer::Column, 10> columns = Equalizer::LayOut(HScroll1->value());
  for (int i = 0; i < 10; ++i) {
    Picture3[i]->move(Px(columns[i].sliderLeft), Picture3[i]->y());
    for (QLineEdit* box : {Text14[i], Text27[i], Text32[i]}) {
      box->move(Px(columns[i].boxLeft), box->y());
    }
    for (QWidget* control :
         std::initializer_list<QWidget*>{Picture3[i], Text14[i], Text27[i], Text32[i]}) {
      control->setVisible(columns[i].visible);
    }
  }
}

void Form8::SetMarker(int index, double top) {
  Shape1[index]->Top = top;
  Shape1[index]->Place();
}

void Form8::Picture3_MouseUp(int index, Qt::MouseButton button, double y) {
  Text27[index]->setText(Equalizer::GainFromSlider(y, button == Qt::RightButton));
}

void Form8::Picture3_KeyDown(int index, int key) {
  if (key != Qt::Key_Up && key != Qt::Key_Down) return;
  if (const auto gain = Equalizer::GainStep(Text27[index]->text(), key == Qt::Key_Up)) {
    Text27[index]->setText(*gain);
  }
}

void Form8::Text27_Change(int index) {
  if (MediaEdit::Loading == 1) return;
  const auto change = Equalizer::GainBoxChanged(Text27[index]->text());
  if (!change) return;
  CurrentProfile.Equalizer[index * 3 + 1] = change->stored;
  if (change->markerTop) SetMarker(index, *change->markerTop);
}

void Form8::Text27_Validate(int index) {
  const uint8_t loading = MediaEdit::Loading;
  MediaEdit::Loading = 1;
  QString& stored = CurrentProfile.Equalizer[index * 3 + 1];
  if (stored.isEmpty()) {
    stored = Equalizer::GainOnLeave(stored);
    SetMarker(index, 0.5);
  }
  SetText(Text27[index], stored);
  MediaEdit::Loading = loading;
}

void Form8::Text14_Change(int index) {
  if (MediaEdit::Loading == 1) return;
  if (const auto stored = Equalizer::FreqOrWidthBoxChanged(Text14[index]->text())) {
    CurrentProfile.Equalizer[index * 3] = *stored;
  }
}

void Form8::Text14_Validate(int index) {
  const uint8_t loading = MediaEdit::Loading;
  MediaEdit::Loading = 1;
  QString& stored = CurrentProfile.Equalizer[index * 3];
  stored = Equalizer::FrequencyOnLeave(stored, index + 1);
  SetText(Text14[index], stored);
  MediaEdit::Loading = loading;
}

void Form8::Text32_Change(int index) {
  if (MediaEdit::Loading == 1) return;
  if (const auto stored = Equalizer::FreqOrWidthBoxChanged(Text32[index]->text())) {
    CurrentProfile.Equalizer[index * 3 + 2] = *stored;
  }
}

void Form8::Text32_Validate(int index) {
  const uint8_t loading = MediaEdit::Loading;
  MediaEdit::Loading = 1;
  QString& stored = CurrentProfile.Equalizer[index * 3 + 2];
  stored = Equalizer::WidthOnLeave(stored);
  SetText(Text32[index], stored);
  MediaEdit::Loading = loading;
}

void Form8::Opt_RestVal_Frec_Click() {
  for (int i = 0; i < 10; ++i) Text14[i]->setText(Equalizer::DefaultFrequencies[i]);
}

void Form8::Opt_RestVal_Gain_Click() {
  for (QLineEdit* box : Text27) box->setText("0");
}

void Form8::Opt_RestVal_BandW_Click() {
  for (QLineEdit* box : Text32) box->setText("1");
}

void Form8::Opt_RestVal_All_Click() {
  Opt_RestVal_Frec_Click();
  for (int i = 0; i < 10; ++i) {
    Text27[i]->setText("0");
    Text32[i]->setText("1");
  }
}

void Form8::Equ_Click(int preset) {
  ClearValues(false);
  for (int i = 0; i < 10; ++i) Text27[i]->setText(Equalizer::Presets[preset].gains[i]);
}

// Test file and explorer ---------------------------------------------------

void Form8::SetSubPanelControlsEnabled(bool enabled) {
  Menu_File->setEnabled(enabled);
  Menu_Options->setEnabled(enabled);
  for (QPushButton* button : {Command3, Command15, Command14}) button->setEnabled(enabled);
  SubPanelOpen = enabled ? 0 : 1;
}

void Form8::CloseSubPanel() {
  if (PicExploreStream->isVisible()) {
    PicExploreStream->hide();
  } else {
    PicSelTestFile->hide();
  }
  SetSubPanelControlsEnabled(true);
}

bool Form8::NeedTestFile() {
  if (!TestFile.isEmpty()) return false;
  Lang::MsgSelectTestFile();
  return true;
}

float Form8::Position() const { return float(Shape2->Left + Shape2->Width); }

void Form8::DrawFlatLine() { Picture1->DrawLine({{0, 0.5}, {1, 0.5}}); }

void Form8::GrabFrame(const QString& seekText, bool firstFrame) {
  const QString frameFile = TempFolder + "/frame.jpg";
  QString output;
  int32_t exitCode = 0;
  const bool ran = CaptureConsole::RunCaptured(
      CaptureConsole::Pipeline{EditPreview::FrameGrab(TestFile, frameFile, seekText)}, QString(), 0,
      0, nullptr, true, CaptureConsole::NoDisplay, output, 0, exitCode);
  if (!ran || exitCode != 0) return;
  const QImage frame(frameFile);
  if (frame.isNull()) return;
  Picture1->SetPicture(frame);
  if (firstFrame) {
    Picture1->setEnabled(true);
    Check1->setChecked(true);
  }
}

void Form8::LoadTestFile(const QString& path) {
  const MediaInfo info = ffmpeg::ProbeMedia(path);
  TestHasVideo = info.HasVideo;
  TestHasAudio = info.HasAudio;
  TestDuration = 0;
  TestWidth = TestHeight = 0;
  TestAspect = 0;
  bool ok = false;
  const float duration = info.Duration.toFloat(&ok);
  if (ok && std::isfinite(duration)) TestDuration = duration;
  if (TestHasVideo == 1 && !info.VideoSize.isEmpty()) {
    const QStringList parts = info.VideoSize.split('x');
    const short width = parts.first().toShort(&ok);
    if (ok) TestWidth = width;
    const short height = parts.last().toShort(&ok);
    if (ok && parts.size() >= 2) TestHeight = height;
  }
  if (!info.AspectRatio.isEmpty()) {
    const QStringList parts = info.AspectRatio.split(':');
    bool okLast = false;
    const float first = parts.first().toFloat(&ok);
    const float last = parts.last().toFloat(&okLast);
    if (ok && okLast && parts.size() >= 2 && last != 0) TestAspect = first / last;
  }
  TestFile = path;
  Picture1->Clear();
  Picture1->setEnabled(false);
  Shape2->Left = -2;
  Shape2->Place();
  if (TempFolder.isEmpty() || TestHasVideo != 1) {
    DrawFlatLine();
  } else {
    GrabFrame(QString(), true);
  }
  Picture4->setEnabled(TestDuration > 0);
  Picture5->setEnabled(TestHasAudio == 1);
  RangeStart = 0;
  RangeWidth = 1;
  Check1->setEnabled(Picture5->isEnabled());
  Combo13Tag = path;
  Combo13->setEditText(path);
  Text13->setText(path);
}

void Form8::PreviewAtPosition() {
  const QString posText = SingleText(Position() * TestDuration);
  if (TestHasVideo == 1 && !TempFolder.isEmpty()) GrabFrame(posText, false);
  if (TestHasAudio == 1 && Picture5->isEnabled() && !Check1->isChecked() &&
      ScriptObj::FileExists(ffmpeg::FfplayPath)) {
    const QString volume = SingleText(float(RoundHalfEven(1.0 - Shape5->Top, 2)));
    const CaptureConsole::Command audition = EditPreview::Audition(TestFile, posText, volume);
    CaptureConsole::StartCompanion(audition, this);
  }
  if (TestHasVideo == 0 && !Timer1->isActive()) Timer1->start();
}

void Form8::Command2_Click() {
  PicSelTestFile->show();
  PicSelTestFile->raise();
  SetSubPanelControlsEnabled(false);
}

void Form8::Command13_Click() {
  PicSelTestFile->hide();
  SetSubPanelControlsEnabled(true);
}

void Form8::Combo13_Change() {
  if (Combo13->currentText() != Combo13Tag) Combo13->setEditText(Combo13Tag);
  Text13->setText(Combo13->currentText());
}

void Form8::Combo13_Click() {
  const int index = Combo13->currentIndex();
  if (index >= 0 && index < Aplicacion::FileList.size()) LoadTestFile(Aplicacion::FileList[index]);
}

void Form8::Command9_Click() {
  const QStringList chosen = APIS::OpenFileDialog(QString(), this, QString(), QString(), false);
  if (chosen.isEmpty() || chosen.first().isEmpty()) return;
  Menu_File->setEnabled(false);
  Menu_Options->setEnabled(false);
  Picture7->show();
  Picture7->raise();
  LoadTestFile(chosen.first());
  Picture7->hide();
}

void Form8::Opt_CutGrap_Click() {
  if (NeedTestFile()) return;
  const int operation = List1->currentRow();
  if (operation == 0) {
    if (TestDuration <= 0) {
      Lang::MsgNoTestDuration();
      return;
    }
    Shape4->hide();
    Command7->show();
    Command10->hide();
    Command8->hide();
    Shape3->SetGeometry(RangeStart, 0, RangeWidth, 1);
    Shape3->show();
  } else if (operation == 1) {
    if (!Picture1->isEnabled()) {
      Lang::MsgCannotExtractFrames();
      return;
    }
    Shape4->show();
    Command7->hide();
    Command10->hide();
    Command8->show();
    Shape3->hide();
  } else {
    return;
  }
  PicExploreStream->show();
  PicExploreStream->raise();
  SetSubPanelControlsEnabled(false);
}

void Form8::Command7_Click() {
  Command7->hide();
  Command10->show();
  Shape3->SetGeometry(Position(), 0, 0, 1);
}

void Form8::Command10_Click() {
  Command7->show();
  Command10->hide();
  const double p = Position();
  if (p >= Shape3->Left) {
    Shape3->SetGeometry(Shape3->Left, 0, p - Shape3->Left, 1);
  } else {
    Shape3->SetGeometry(p, 0, Shape3->Left - p, 1);
  }
}

void Form8::Picture4_MouseUp(double x) {
  if (!Picture4->isEnabled()) return;
  x = std::clamp(x, 0.0, 1.0);
  Shape2->Left = x - Shape2->Width;
  Shape2->Place();
  PreviewAtPosition();
}

void Form8::Picture5_MouseUp(double y) {
  Shape5->Top = std::clamp(y, 0.0, 1.0);
  Shape5->Place();
}

void Form8::Picture1_MouseDown(double x, double y) {
  if (!Picture1->isEnabled()) return;
  CropDragging = 1;
  CropAnchorX = float(x);
  CropAnchorY = float(y);
  Shape4->SetGeometry(x, y, 0, 0);
}

void Form8::Picture1_MouseMove(double x, double y) {
  if (CropDragging != 1) return;
  x = std::clamp(x, 0.0, 1.0);
  y = std::clamp(y, 0.0, 1.0);
  Shape4->SetGeometry(std::min(x, double(CropAnchorX)), std::min(y, double(CropAnchorY)),
                      std::fabs(x - CropAnchorX), std::fabs(y - CropAnchorY));
}

void Form8::Picture1_MouseUp() { CropDragging = 0; }

void Form8::Command6_Click() {
  if (!ffmpeg::FfplayExists()) return;
  QString params;
  if (!Shape3->isHidden()) {
    params = EditPreview::PlayRangeOptions(float(Shape3->Left), float(Shape3->Width), TestDuration);
  } else {
    const EditPreview::Rect crop{float(Shape4->Left), float(Shape4->Top), float(Shape4->Width),
                                 float(Shape4->Height)};
    params =
        EditPreview::PlayCropOptions(float(Shape2->Left), float(Shape2->Width), TestDuration, crop);
  }
  ffmpeg::PlayFile({TestFile}, params);
}

void Form8::Command8_Click() {
  if (!ffmpeg::FfmpegExists()) return;
  const QString posText = SingleText(float(RoundHalfEven(Position() * TestDuration, 2)));
  QString output;
  int32_t exitCode = 0;
  const bool ran = CaptureConsole::RunCaptured(
      CaptureConsole::Pipeline{EditPreview::BorderDetection(TestFile, posText)}, QString(), 0, 0,
      nullptr, true, CaptureConsole::NoDisplay, output, -1, exitCode);
  const auto rect =
      ran ? EditPreview::ParseCropDetect(output, exitCode, TestWidth, TestHeight) : std::nullopt;
  if (!rect) {
    Lang::MsgDetectEdgesFailed();
    return;
  }
  Shape4->SetGeometry(rect->left, rect->top, rect->width, rect->height);
}

namespace {

// Whole pixels of a fraction of a size. The fractions are singles, so a
// detected 560 of 576 lines comes back as 559.99998; the small margin keeps
// such a value whole instead of losing a pixel.
QString WholePixels(int size, double fraction) {
  return QString::number(qint64(std::floor(size * fraction + 1e-3)));
}

}  // namespace

void Form8::Command4_Click() {
  const int operation = List1->currentRow();
  if (operation == 0) {
    const float start = Shape3->Left > 0 ? float(Shape3->Left) * TestDuration : 0.0f;
    const bool complete = !Command7->isHidden();
    const float length = complete && Shape3->Width > 0 && Shape3->Width < 1
                             ? float(Shape3->Width) * TestDuration
                             : 0.0f;
    Text31->setText(start == 0 ? QString() : SingleText(float(RoundHalfEven(start, 2))));
    Option4->setChecked(true);
    CurrentProfile.EndMode = 1;
    Text33->setText(length == 0 ? QString() : SingleText(start + length));
  }
  if (operation == 1 && Shape4->Width > 0 && Shape4->Height > 0) {
    Text17->setText(WholePixels(TestWidth, Shape4->Width));
    Text19->setText(WholePixels(TestHeight, Shape4->Height));
    Combo2->setCurrentIndex(0);
    Combo3->setCurrentIndex(0);
    Text20->setText(WholePixels(TestWidth, Shape4->Left));
    Text21->setText(WholePixels(TestHeight, Shape4->Top));
    Combo4->setCurrentIndex(0);
    Combo5->setCurrentIndex(0);
  }
  RangeStart = float(Shape3->Left);
  RangeWidth = float(Shape3->Width);
  Command5_Click();
}

void Form8::Command5_Click() {
  PicExploreStream->hide();
  SetSubPanelControlsEnabled(true);
}

void Form8::Timer1_Timer() {
  AuditionElapsed += 100;
  if (AuditionElapsed > 7000) {
    Timer1->stop();
    DrawFlatLine();
    AuditionElapsed = 0;
    return;
  }
  QList<QPointF> points = {{0, 0.5}};
  for (float x = 0.01f; x < 1; x += 0.01f) {
    const double random = QRandomGenerator::global()->generateDouble();
    points.append({x, std::floor(random * 601 + 200) * 0.001});
  }
  points.append({1, 0.5});
  Picture1->DrawLine(points);
}

void Form8::Command1_Click() {
  if (NeedTestFile()) return;
  const QString seconds = ffmpeg::TimeToSeconds(Text31->text());
  if (!seconds.isEmpty()) ffmpeg::PlayFile({TestFile}, ffmpeg::OptNames.Seek + " " + seconds);
}

void Form8::Command11_Click() {
  if (NeedTestFile()) return;
  const QString seconds = ffmpeg::TimeToSeconds(Text33->text());
  if (!seconds.isEmpty()) ffmpeg::PlayFile({TestFile}, ffmpeg::OptNames.Seek + " " + seconds);
}

void Form8::Opt_ConRelDim_Click() {
  if (NeedTestFile()) return;
  if (TestWidth == 0 && TestHeight == 0) return;
  struct Row {
    QLineEdit* box;
    QComboBox* unit;
    int divisor;
    int newUnit;
  };
  QList<Row> rows;
  switch (List1->currentRow()) {
    case 1:
      rows = {{Text17, Combo2, TestWidth, 1},
              {Text19, Combo3, TestHeight, 2},
              {Text20, Combo4, TestWidth, 1},
              {Text21, Combo5, TestHeight, 2}};
      break;
    case 2:
      rows = {{Text25, Combo7, TestWidth, 1}, {Text24, Combo6, TestHeight, 2}};
      break;
    case 5:
      rows = {{Text3, Combo9, TestHeight, 2},
              {Text5, Combo10, TestHeight, 2},
              {Text7, Combo11, TestWidth, 1},
              {Text9, Combo12, TestWidth, 1}};
      break;
    default:
      return;
  }
  for (const Row& row : rows) {
    double value = 0;
    if (row.unit->currentIndex() != 0 || row.box->text().isEmpty() || row.divisor < 1) continue;
    if (!EditFields::IsNumeric(row.box->text(), &value)) continue;
    row.box->setText(SingleText(float(value) / float(row.divisor)));
    row.unit->setCurrentIndex(row.newUnit);
  }
}

void Form8::Opt_CopySizeTestFile_Click() {
  if (NeedTestFile()) return;
  if (TestWidth > 0) {
    Text25->setText(QString::number(TestWidth));
    Combo7->setCurrentIndex(0);
  }
  if (TestHeight > 0) {
    Text24->setText(QString::number(TestHeight));
    Combo6->setCurrentIndex(0);
  }
}

void Form8::Opt_CopyRAFileTest_Click() {
  if (NeedTestFile()) return;
  if (TestAspect <= 0) return;
  Option2->setChecked(true);
  Text2->setText(SingleText(TestAspect));
}

void Form8::Opt_Preview_Click() {
  if (NeedTestFile()) return;
  using EditPreview::UnitBox;
  auto unitBox = [](QLineEdit* box, QComboBox* combo) {
    return UnitBox{box->text(), combo->currentIndex()};
  };
  QString options;
  switch (List1->currentRow()) {
    case 1:
      options = EditPreview::CropOptions(unitBox(Text17, Combo2), unitBox(Text19, Combo3),
                                         unitBox(Text20, Combo4), unitBox(Text21, Combo5));
      break;
    case 2: {
      const int aspect = Option2->isChecked() ? 3 : Option1->isChecked() ? 2 : 1;
      options = EditPreview::ResizeOptions(unitBox(Text25, Combo7), unitBox(Text24, Combo6), aspect,
                                           Text2->text());
      break;
    }
    case 3:
      options = EditPreview::VolumeOptions(Text26->text());
      break;
    case 5:
      options = EditPreview::BorderOptions(unitBox(Text5, Combo10), unitBox(Text3, Combo9),
                                           unitBox(Text7, Combo11), unitBox(Text9, Combo12),
                                           CurrentProfile.BorderColor);
      break;
    case 6:
      options = EditPreview::RemoveTrackOptions(Check7->isChecked(), Check3->isChecked(),
                                                Check4->isChecked());
      break;
    case 7: {
      if (!ffmpeg::FfmpegExists()) return;
      std::array<QString, 10> frequencies, widths, gains;
      for (int i = 0; i < 10; ++i) {
        frequencies[i] = Text14[i]->text();
        widths[i] = Text32[i]->text();
        gains[i] = Text27[i]->text();
      }
      const CaptureConsole::Pipeline pipeline = EditPreview::EqualizerPipeline(
          TestFile, EditPreview::EqualizerChain(frequencies, widths, gains));
      // The window waits disabled rather than hidden: hiding it would end the
      // modal wait of the editor around it.
      setEnabled(false);
      QString output;
      int32_t exitCode = 0;
      CaptureConsole::RunCaptured(pipeline, ScriptObj::ParentFolder(ffmpeg::FfmpegPath), 0, 0,
                                  nullptr, true, CaptureConsole::NoDisplay, output, 0, exitCode);
      setEnabled(true);
      return;
    }
    default:
      break;
  }
  ffmpeg::PlayFile({TestFile}, options);
}
