#pragma once

#include <QWidget>

class QLabel;

// The wait window "Espere...": while it is loaded the main window takes no input.
class WaitWindow : public QWidget {
  Q_OBJECT

 public:
  WaitWindow();
  // Unloading enables the main window again, however it happens.
  ~WaitWindow() override;

  static WaitWindow* Instance();

  // Disables the main window, translates, centres over the main window, shows.
  void Form_Load();

  QLabel* Label1 = nullptr;

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void Form_Unload();
};
