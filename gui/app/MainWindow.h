#pragma once

#include <QMainWindow>

#include "gui/convert/ProfileChoice.h"

class QAction;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QPushButton;

// The main window: the input file list, where the output goes, the format and
// editing profiles, and the menus that open every tool.
class MainWindow : public QMainWindow {
  Q_OBJECT

 public:
  explicit MainWindow(QWidget* parent = nullptr);
  ~MainWindow() override;

  // The live main window, or nullptr before it exists and after it has gone.
  static MainWindow* Instance();

  // The load handler; the program calls it once after construction.
  void Form_Load();

  // The selected row of List1, or -1. A row that is only current (the list
  // got the focus, or a click cleared the selection) is no selection.
  int SelectedRow() const;

  // File list.
  // Lets the user pick files (several at once) and appends them; a cancelled
  // dialog changes nothing.
  void Command1_Click();
  // Removes the selected file; nothing without a selection.
  void Command2_Click();
  void Menu_Archivo_QuitarTodos_Click();
  void Menu_Archivo_AgDir_Click();
  void List1_OLEDragDrop(const QStringList& paths);
  void Command6_Click();
  void Command8_Click();
  void Menu_Archivo_Reproducir_Click();
  void Menu_Archivo_Analizar_Click();
  // Output choice.
  void Combo1_Click();
  void Command3_Click();
  void Text1_Change();
  void Combo2_Change();
  // Conversion.
  void Command5_Click();
  void Convertir_Prueba_Click();
  void Convertir_Comandos_Click();
  // Help and tools.
  void Help_ffLic_Click();
  void Help_ffhelp_Click();
  void Help_AboutCdda2wav_Click();
  // Format profile choice.
  void Combo3_Click();
  void Combo3_Change();
  void Command4_Click();
  // Editing profile choice.
  void Combo4_Click();
  void Combo4_Change();
  void Command7_Click();

  // File list frame.
  QGroupBox* Frame1 = nullptr;
  QListWidget* List1 = nullptr;
  QPushButton* Command1 = nullptr;  // "+"
  QPushButton* Command2 = nullptr;  // "-"
  QPushButton* Command6 = nullptr;  // "<" move up
  QPushButton* Command8 = nullptr;  // ">" move down
  // Output frame.
  QGroupBox* Frame2 = nullptr;
  QComboBox* Combo1 = nullptr;  // output mode
  QLineEdit* Text1 = nullptr;   // output file or folder
  QPushButton* Command3 = nullptr;
  QLabel* Label1 = nullptr;
  QComboBox* Combo2 = nullptr;  // extension
  // Profile frame.
  QGroupBox* Frame3 = nullptr;
  QLabel* Label2 = nullptr;
  QComboBox* Combo3 = nullptr;  // format profile
  QPushButton* Command4 = nullptr;
  QPushButton* Command9 = nullptr;
  QLabel* Label3 = nullptr;
  QComboBox* Combo4 = nullptr;  // editing profile
  QPushButton* Command7 = nullptr;
  QPushButton* Command10 = nullptr;
  QPushButton* Command5 = nullptr;  // "Convertir"

  QMenu* Menu_Archivo = nullptr;
  QAction* Menu_Archivo_Agregar = nullptr;
  QAction* Menu_Archivo_Quitar = nullptr;
  QAction* Menu_Archivo_AgregarCD = nullptr;
  QAction* Menu_Archivo_AgDir = nullptr;
  QAction* Menu_Archivo_QuitarTodos = nullptr;
  QAction* Menu_Archivo_Reproducir = nullptr;
  QAction* Menu_Archivo_Analizar = nullptr;
  QAction* File_Exit = nullptr;
  QMenu* Menu_Herramientas = nullptr;
  QAction* Herramientas_AdminF = nullptr;
  QAction* Herramientas_AdminFiltro = nullptr;
  QAction* Herramientas_CodecExtA = nullptr;
  QAction* Herramientas_CodecExtV = nullptr;
  QAction* Tools_AdmPEdit = nullptr;
  QAction* Herramientas_EditorFiltros = nullptr;
  QAction* Tools_ECEdit = nullptr;
  QAction* Tools_FmtEdit = nullptr;
  QAction* Tools_EditPerfEdit = nullptr;
  QAction* Tools_CDExtract = nullptr;
  QAction* Tools_Grab = nullptr;
  QAction* Tools_EmitirList = nullptr;
  QAction* Herramientas_Rutas = nullptr;
  QAction* Herramientas_Lang = nullptr;
  QMenu* Menu_Convertir = nullptr;
  QAction* Convertir_Iniciar = nullptr;
  QAction* Convertir_Comandos = nullptr;
  QAction* Convertir_Prueba = nullptr;
  QMenu* Conv_Options = nullptr;
  QAction* Conv_Opt_2pass = nullptr;
  QAction* Conv_Opt_Reemplazar = nullptr;
  QAction* Conv_Opt_DelFiles = nullptr;
  QMenu* Menu_Help = nullptr;
  QAction* Help_ffLic = nullptr;
  QAction* Help_ffhelp = nullptr;
  QAction* Help_AboutCdda2wav = nullptr;
  QAction* About_EC = nullptr;
  QAction* Help_About = nullptr;
  QAction* Help_ProgramHelp = nullptr;
  QAction* Help_Donate = nullptr;

 protected:
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void CreateFileFrame();
  void CreateOutputFrame();
  void CreateProfileFrame();
  void CreateMenus();
  void WireControls();
  void Conv_Opt_Toggled();
  // Shows the conversion's run options in the option menu.
  void ShowRunOptions();
  // Refills List1 from the input list. A selected line stays selected, or the
  // last line when the list has become shorter.
  void ShowFileList();
  void Form_Unload();
  ProfileChoice::Controls FormatChoice();
  ProfileChoice::Controls EditChoice();
  // The last accepted text of each profile box; typing is undone to it.
  QString Combo3Tag;
  QString Combo4Tag;
};
