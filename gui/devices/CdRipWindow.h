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
  // tracks; closes it again with a message when there are none. Opens nothing,
  // and says so, while another tool runs.
  static void OpenCDRip();

  void Load();
  void OnCloseRequest(bool& cancel);
  void Unload();
  void ChooseOutputFolder();
  void ExtractTracks();
  void Stop();
  void RenameSelectedTrack();
  void ShowHelp();
  void TickOrClearAll();

  QGroupBox* tracksFrame = nullptr;
  QListWidget* trackList = nullptr;
  QCheckBox* tickAllCheck = nullptr;
  QPushButton* renameButton = nullptr;
  QGroupBox* folderFrame = nullptr;
  QLineEdit* outputFolder = nullptr;
  QPushButton* browseFolderButton = nullptr;
  QGroupBox* optionsFrame = nullptr;
  QLabel* formatLabel = nullptr;
  QComboBox* formatCombo = nullptr;
  QCheckBox* removeSilenceCheck = nullptr;
  // Lies over the track frame while cdda2wav runs, with its console.
  QGroupBox* busyFrame = nullptr;
  QPlainTextEdit* console = nullptr;
  QPushButton* extractButton = nullptr;
  // Stands where the extract button stands; one of the two shows at a time.
  QPushButton* stopButton = nullptr;
  QPushButton* helpButton = nullptr;

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void CreateControls();
  void WireControls();
  void ShowBusyPanel(bool busy);
  void ListTracks(const QStringList& titles);
  QList<CdRipper::Track> TickedTracks() const;
};
