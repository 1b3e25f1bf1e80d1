#pragma once

#include <QWidget>

class QLabel;

// The wait window "Espere...": while it is loaded the main window takes no
// input, nor does any other window of the program, so that nothing starts a
// second tool beside the one being waited for.
class WaitWindow : public QWidget {
  Q_OBJECT

 public:
  WaitWindow();
  // Unloading enables the main window again, however it happens.
  ~WaitWindow() override;

  static WaitWindow* Instance();

  // Disables the main window, translates, centres over the main window, shows.
  void Load();

  // Whether the user closed the window while the tool ran, and so stopped it.
  bool ToolStopped() const { return toolStopped_; }

  QLabel* waitLabel = nullptr;

 protected:
  // Closing the window while a tool runs stops the tool, as "Detener" would;
  // the window stays until its caller, the tool ended, unloads it.
  void closeEvent(QCloseEvent* event) override;

 private:
  void EnableMainWindow();

  bool toolStopped_ = false;
};
