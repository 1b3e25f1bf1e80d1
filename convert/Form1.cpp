#include "convert/Form1.h"

#include <QAction>
#include <QCloseEvent>
#include <QListWidget>
#include <QMenuBar>
#include <QPointer>
#include <QVBoxLayout>

#include "convert/Convertidor.h"
#include "frame/Aplicacion.h"
#include "frame/ProgramFolder.h"
#include "frame/ScriptObj.h"

namespace {
QPointer<Form1> g_instance;

QAction* AddCheckItem(QMenu* menu, const char* name, const QString& caption) {
  QAction* action = menu->addAction(caption);
  action->setObjectName(name);
  action->setCheckable(true);
  return action;
}
}  // namespace

Form1::Form1(QWidget* parent) : QMainWindow(parent) {
  g_instance = this;
  setObjectName("Form1");
  setWindowTitle("Quillmoor 2.0");
  CreateControls();
  WireControls();
}

Form1::~Form1() = default;

Form1* Form1::Instance() { return g_instance.data(); }

void Form1::CreateControls() {
  auto* central = new QWidget(this);
  auto* layout = new QVBoxLayout(central);
  List1 = new QListWidget(central);
  List1->setObjectName("List1");
  List1->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  layout->addWidget(List1);
  setCentralWidget(central);

  Menu_Archivo = menuBar()->addMenu("Archivo");
  Menu_Archivo->setObjectName("Menu_Archivo");
  File_Exit = Menu_Archivo->addAction("Salir");
  File_Exit->setObjectName("File_Exit");

  Menu_Opciones = menuBar()->addMenu("Opciones");
  Menu_Opciones->setObjectName("Menu_Opciones");
  Conv_Opt_2pass = AddCheckItem(Menu_Opciones, "Conv_Opt_2pass", "2 pases");
  Conv_Opt_DelFiles = AddCheckItem(Menu_Opciones, "Conv_Opt_DelFiles", "Eliminar archivos originales");
  Conv_Opt_Reemplazar = AddCheckItem(Menu_Opciones, "Conv_Opt_Reemplazar", "Reemplazar archivos");
  resize(640, 480);
}

void Form1::WireControls() {
  connect(File_Exit, &QAction::triggered, this, &QWidget::close);
  connect(Conv_Opt_2pass, &QAction::toggled, this, &Form1::Conv_Opt_Toggled);
  connect(Conv_Opt_DelFiles, &QAction::toggled, this, &Form1::Conv_Opt_Toggled);
  connect(Conv_Opt_Reemplazar, &QAction::toggled, this, &Form1::Conv_Opt_Toggled);
}

// The conversion reads the run options from its own choices, not from the menu.
void Form1::Conv_Opt_Toggled() {
  Convertidor::Choices.TwoPass = Conv_Opt_2pass->isChecked();
  Convertidor::Choices.DeleteOriginals = Conv_Opt_DelFiles->isChecked();
  Convertidor::Choices.ReplaceFiles = Conv_Opt_Reemplazar->isChecked();
}

void Form1::Form_Load() { Aplicacion::Startup(); }

void Form1::Form_Unload() {
  ScriptObj::DeleteFolder(ProgramFolder::AppFiles("temp"), true);
  Aplicacion::WriteConfig();
}

void Form1::closeEvent(QCloseEvent* event) {
  Form_Unload();
  event->accept();
}
