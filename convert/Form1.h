#pragma once

#include <QMainWindow>

class QAction;
class QListWidget;
class QMenu;

// The main window: the input file list, the output choices and the menus.
class Form1 : public QMainWindow {
  Q_OBJECT

 public:
  explicit Form1(QWidget* parent = nullptr);
  ~Form1() override;

  // The live main window, or nullptr before it exists and after it has gone.
  static Form1* Instance();

  // Runs the load handler; the program calls it once after construction.
  void Form_Load();

  QListWidget* List1 = nullptr;
  QMenu* Menu_Archivo = nullptr;
  QAction* File_Exit = nullptr;
  QMenu* Menu_Opciones = nullptr;
  QAction* Conv_Opt_2pass = nullptr;
  QAction* Conv_Opt_DelFiles = nullptr;
  QAction* Conv_Opt_Reemplazar = nullptr;

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void CreateControls();
  void WireControls();
  void Conv_Opt_Toggled();
  void Form_Unload();
};
