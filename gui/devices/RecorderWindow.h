#pragma once

#include <QMainWindow>

#include "core/devices/Recorder.h"
#include "gui/convert/ProfileChoice.h"

class QAction;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QRadioButton;
class QTimer;

// "Grabar": the recorder. The source (a network address or capture devices),
// the destination (a file with a format profile, or the network streamer),
// and while recording the newest console line with stop, pause and forced stop.
class RecorderWindow : public QMainWindow {
  Q_OBJECT

 public:
  // Window heights in the setup and recording states (6030 and 2400 twips).
  static constexpr int SetupHeight = 402;
  static constexpr int RecordingHeight = 160;

  RecorderWindow();
  ~RecorderWindow() override;

  // The open window, or nullptr.
  static RecorderWindow* Instance();
  // Opens the recorder, lists the devices, and returns when it has been closed.
  static void ShowRecorder();

  // Refills the device lists from ffmpeg's listing, nothing selected.
  void ListDevices();

  void Form_Load();
  void Form_QueryUnload(bool& cancel);

  // Source.
  void Option1_Click();
  void Option2_Click();
  void Check2_Click();
  void Check3_Click();
  void Text2_Click();
  void Text3_Click();
  void Text4_Click();
  void Command3_Click();  // "Play"
  void Opt_List_Click();
  void Opt_BuffSizeChan_Click();
  void Opt_Help_Click();

  // Destination and format.
  void Option3_Click();
  void Option4_Click();
  void Command1_Click();  // "..." destination
  void Combo3_Click();
  void Combo3_Change();
  void Command5_Click();  // "..." profile
  void Command6_Click();  // ">>" edit "<Manual>"
  void Command2_Click();  // "Grabar"

  // Recording.
  void Command4_Click();  // "Detener"
  void Command8_Click();  // "Pause / Resume"
  void Command9_Click();  // "Detener (force)"
  void Timer1_Timer();

  QGroupBox* Frame1 = nullptr;
  QRadioButton* Option1 = nullptr;
  QLabel* Text2 = nullptr;
  QLineEdit* Text1 = nullptr;
  QRadioButton* Option2 = nullptr;
  QCheckBox* Check2 = nullptr;
  QLabel* Text3 = nullptr;
  QComboBox* Combo1 = nullptr;
  QCheckBox* Check3 = nullptr;
  QLabel* Text4 = nullptr;
  QComboBox* Combo2 = nullptr;
  QLabel* Text10 = nullptr;
  QLineEdit* Text11 = nullptr;
  QPushButton* Command3 = nullptr;

  QGroupBox* Frame2 = nullptr;
  QRadioButton* Option3 = nullptr;
  QLineEdit* Text7 = nullptr;
  QPushButton* Command1 = nullptr;
  QRadioButton* Option4 = nullptr;
  QCheckBox* Check1 = nullptr;
  QLabel* Label1 = nullptr;
  QComboBox* Combo3 = nullptr;
  QPushButton* Command5 = nullptr;
  QPushButton* Command6 = nullptr;
  QPushButton* Command2 = nullptr;

  QGroupBox* Frame3 = nullptr;
  QLabel* Label2 = nullptr;

  QGroupBox* Frame4 = nullptr;
  QLineEdit* Text9 = nullptr;
  QPushButton* Command4 = nullptr;
  QPushButton* Command8 = nullptr;
  QPushButton* Command9 = nullptr;

  QMenu* Menu_Options = nullptr;
  QAction* Opt_List = nullptr;
  QAction* Opt_BuffSizeChan = nullptr;
  QAction* Opt_Help = nullptr;

  QTimer* Timer1 = nullptr;

  // The accepted text of Combo3: typing into the box is undone to it.
  QString Combo3Tag;
  // The existing file whose replacement the user confirmed in the save
  // dialog; a recording into it uses that confirmation up.
  QString ReplaceConfirmedFor;

 protected:
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void CreateControls();
  void CreateSourcePanel();
  void CreateDestinationPanel();
  void CreateRecordingPanel();
  void WireControls();
  void SourceFollowers();
  void NameUncaptionedControls();
  void SwitchDestination(bool toFile);
  ProfileChoice::Controls FormatControls();
  Recorder::Source SourceFromControls() const;
  Recorder::RecordRequest RecordRequestFromControls() const;
  void Record();
  void ShowListingPanel(bool listing);
  void ShowSetupPanels();
  void ShowRecordingPanel();
  void ShowRecordingEnd();
};
