#pragma once

#include <QWidget>

#include "core/devices/CdRipper.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;

// "CD rip": the disc's tracks to tick and rename, the output folder, the
// audio format and silence removal. OpenCDRip opens it; it deletes itself
// when it unloads, and the main window comes back.
class CdRipWindow : public QWidget {
  Q_OBJECT

 public:
  CdRipWindow();
  ~CdRipWindow() override;

  // The open window, or nullptr.
  static CdRipWindow* Instance();
  // Hides the main window, opens the rip window and fills it with the disc's
  // tracks; closes it again with a message when there are none.
  static void OpenCDRip();

  void Form_Load();
  void Form_QueryUnload(bool& cancel);
  void Form_Unload();
  void Command1_Click();  // "..."
  void Command2_Click();  // "Extraer"
  void Command3_Click();  // "Detener"
  void Command4_Click();  // "Renombrar"
  void Command5_Click();  // "Ayuda"
  void Check2_Click();    // "Marcar/desmarcar todo"

  QGroupBox* Frame1 = nullptr;
  QListWidget* List1 = nullptr;
  QCheckBox* Check2 = nullptr;
  QPushButton* Command4 = nullptr;
  QGroupBox* Frame2 = nullptr;
  QLineEdit* Text1 = nullptr;
  QPushButton* Command1 = nullptr;
  QGroupBox* Frame3 = nullptr;
  QLabel* Label1 = nullptr;
  QComboBox* Combo1 = nullptr;
  QCheckBox* Check1 = nullptr;
  QGroupBox* Frame4 = nullptr;
  QPlainTextEdit* Text2 = nullptr;
  QPushButton* Command2 = nullptr;
  QPushButton* Command3 = nullptr;
  QPushButton* Command5 = nullptr;

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void CreateControls();
  void WireControls();
  void ShowBusyPanel(bool busy);
  void ListTracks(const QStringList& titles);
  QList<CdRipper::Track> TickedTracks() const;
  void ExtractTracks();
};
