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
  // Opens the recorder, lists the devices, and returns when it has been
  // closed. Opens nothing, and says so, while another tool runs.
  static void ShowRecorder();

  // Refills the device lists from ffmpeg's listing, nothing selected; false,
  // the lists as they were, when another tool kept the runner.
  bool ListDevices();

  void Load();
  void OnCloseRequest(bool& cancel);

  // Source.
  void OnNetworkChosen();
  void OnDevicesChosen();
  void OnAudioToggled();
  void OnVideoToggled();
  void ToggleNetworkOption();
  void ToggleAudio();
  void ToggleVideo();
  void PlaySource();
  void ShowDeviceListing();
  void ChangeBufferSize();
  void ShowHelp();

  // Destination and format.
  void OnFileChosen();
  void OnStreamChosen();
  void ChooseOutputPath();
  void OnFormatChosen();
  void OnFormatEdited();
  void ChooseProfile();
  void EditManualProfile();
  // Records the source, or hands it to the streamer.
  void Record();

  // Recording.
  void StopRecording();
  void TogglePause();
  void ForceStop();
  void OnStopTimer();

  QGroupBox* sourceFrame = nullptr;
  QRadioButton* networkOption = nullptr;
  QLabel* networkCaption = nullptr;
  QLineEdit* networkAddress = nullptr;
  QRadioButton* devicesOption = nullptr;
  QCheckBox* audioCheck = nullptr;
  QLabel* audioCaption = nullptr;
  QComboBox* audioDeviceCombo = nullptr;
  QCheckBox* videoCheck = nullptr;
  QLabel* videoCaption = nullptr;
  QComboBox* videoDeviceCombo = nullptr;
  QLabel* durationCaption = nullptr;
  QLineEdit* duration = nullptr;
  QPushButton* playButton = nullptr;

  QGroupBox* destinationFrame = nullptr;
  QRadioButton* fileOption = nullptr;
  QLineEdit* outputPath = nullptr;
  QPushButton* browseOutputButton = nullptr;
  QRadioButton* streamOption = nullptr;
  // ffplay shows the source beside the recording.
  QCheckBox* watchCheck = nullptr;
  QLabel* formatLabel = nullptr;
  QComboBox* formatCombo = nullptr;
  QPushButton* chooseProfileButton = nullptr;
  QPushButton* editManualButton = nullptr;
  QPushButton* recordButton = nullptr;

  // Lies over the source panel while the devices are listed.
  QGroupBox* listingFrame = nullptr;
  QLabel* listingLabel = nullptr;

  // Lies over the source panel while recording.
  QGroupBox* recordingFrame = nullptr;
  QLineEdit* consoleLine = nullptr;
  QPushButton* stopButton = nullptr;
  QPushButton* pauseButton = nullptr;
  QPushButton* forceStopButton = nullptr;

  QMenu* optionsMenu = nullptr;
  QAction* listDevicesAction = nullptr;
  QAction* bufferSizeAction = nullptr;
  QAction* helpAction = nullptr;

  // Sends the stop of a paused recording once ffmpeg has resumed.
  QTimer* stopTimer = nullptr;

  // The accepted text of formatCombo: typing into the box is undone to it.
  QString acceptedFormatText;
  // The existing file whose replacement the user confirmed in the save
  // dialog; a recording into it uses that confirmation up.
  QString replaceConfirmedFor;

 protected:
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void CreateControls();
  void CreateSourcePanel();
  void CreateDestinationPanel();
  void CreateRecordingPanel();
  void WireControls();
  void SwitchSourceFields();
  void NameUncaptionedControls();
  void SwitchDestination(bool toFile);
  ProfileChoice::Controls FormatControls();
  Recorder::Source SourceFromControls() const;
  Recorder::RecordRequest RecordRequestFromControls() const;
  void ShowListingPanel(bool listing);
  void ShowSetupPanels();
  void ShowRecordingPanel();
  void ShowRecordingEnd();
};
