#pragma once

#include <QWidget>

#include "gui/convert/ProfileChoice.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

// "Emitir en la red": the address, the format and the repeat count, then, while
// streaming, the address, ffmpeg's console and stop, watch and pause.
class StreamerWindow : public QWidget {
  Q_OBJECT

 public:
  // The window's height (3345 twips).
  static constexpr int WindowHeight = 223;

  StreamerWindow();
  ~StreamerWindow() override;

  // The open window, or nullptr.
  static StreamerWindow* Instance();
  // Opens the streamer on these input arguments and returns when it has closed.
  static void ShowStreamer(const QString& inputArgs);
  // Streams the main window's file list; the concat list's folder is deleted
  // when the streamer closes. Opens nothing, and says so, while another tool runs.
  static void StreamFileList();

  // Offers this machine's addresses in addressCombo, the first one chosen.
  void FillLocalAddresses();

  void Load();
  void OnCloseRequest(bool& cancel);
  void StartStream();
  void StopStream();
  // ffplay shows the stream beside the streamer.
  void WatchStream();
  // The text viewer shows this machine's addresses.
  void ShowAddresses();
  void ChooseProfile();
  void EditManualProfile();
  void TogglePause();
  void OnFormatChosen();
  void OnFormatEdited();
  void OnRepeatToggled();

  // Lies over the set-up panel while the addresses are read.
  QGroupBox* waitFrame = nullptr;
  QLabel* waitLabel = nullptr;

  QWidget* setupPanel = nullptr;
  QLabel* addressCaption = nullptr;
  QComboBox* addressCombo = nullptr;
  QPushButton* showAddressesButton = nullptr;
  QLabel* formatLabel = nullptr;
  QComboBox* formatCombo = nullptr;
  QPushButton* chooseProfileButton = nullptr;
  QPushButton* editManualButton = nullptr;
  QCheckBox* repeatCheck = nullptr;
  QLabel* repeatCountCaption = nullptr;
  QComboBox* repeatCountCombo = nullptr;
  QPushButton* streamButton = nullptr;

  // Lies over the set-up panel while streaming and after.
  QWidget* streamingPanel = nullptr;
  QLabel* streamingToLabel = nullptr;
  QLineEdit* streamingAddress = nullptr;
  QPlainTextEdit* console = nullptr;
  QPushButton* stopButton = nullptr;
  QPushButton* watchButton = nullptr;
  QPushButton* pauseButton = nullptr;

  // The accepted text of formatCombo: typing into the box is undone to it.
  QString acceptedFormatText;

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void CreateControls();
  void CreateSetupPanel();
  void CreateStreamingPanel();
  void WireControls();
  ProfileChoice::Controls FormatControls();
  void ShowSetupPanel();
  void ShowStreamingPanel(const QString& address);
  void ShowEnd(int exitCode, const QString& output);
};
