#pragma once

#include <QMainWindow>
#include <QStringList>
#include <array>
#include <cstdint>

#include "core/editing/EditingProfileEditor.h"

class QAction;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QPushButton;
class QRadioButton;
class QScrollBar;
class QTimer;
class UnitPicture;
class UnitShape;

// The editing-profile window: nine operations on the profile that EditingProfileEditor
// holds, each in its own panel, worked out on a test file with frame grabs, a
// time line, a crop rectangle, border detection and previews.
class EditingProfileWindow : public QMainWindow {
  Q_OBJECT

 public:
  explicit EditingProfileWindow(QWidget* parent = nullptr);
  ~EditingProfileWindow() override;

  // The live window, or nullptr.
  static EditingProfileWindow* Instance();

  // Opens the editing-profile window on a profile and returns when it has gone.
  // name: a profile name, "*" for the scratch profile, "" for none; scratchMode
  // edits the scratch profile for the main window.
  static void ShowEditor(const QString& name, bool scratchMode);

  void Load();
  // The taller window with "Cargar", "Cancelar" and "Aceptar", for the main
  // window's scratch profile.
  void SetScratchLayout();

  // The test file.
  void LoadTestFile(const QString& path);
  void PreviewAtPosition();
  // One keystroke into a numeric box, by the box's own rule.
  void FilterNumericKey(QLineEdit* box, QChar key, bool allowColon, bool allowDot, bool allowMinus);
  void LoadFilterLists();
  void StoreSelectedFilters();
  // Resets the selected operation, or all nine when all is true.
  void ClearValues(bool all);

  // The operations, in the order of their list.
  enum class Operation {
    Trim,
    Crop,
    Resize,
    Volume,
    Filters,
    Border,
    Tracks,
    Equalizer,
    CommandLine,
    None,  // no row of the list is chosen
  };
  Operation ChosenOperation() const;

  // Window-level state of the test file and its explorer.
  QString testFile;
  int testWidth = 0;
  int testHeight = 0;
  float testDuration = 0;
  float testAspect = 0;
  bool testHasVideo = false;
  bool testHasAudio = false;
  QString tempFolder;
  bool subPanelOpen = false;
  float rangeStart = 0;
  float rangeWidth = 1;
  float cropAnchorX = 0;
  float cropAnchorY = 0;
  bool cropDragging = false;
  int auditionElapsed = 0;

  // Handlers.
  // A close request: false refuses it (a tool still running, an open sub-panel
  // closed instead, the save question cancelled).
  bool MayClose();
  // The window has closed: its audition stops and its frame folder goes.
  void OnClosed();
  void OpenProfile();
  void SaveProfile();
  void SaveProfileAs();
  void DiscardChanges();
  void CloseProfile();
  void Exit();
  // The scratch mode's bottom buttons.
  void LoadProfile();
  void Cancel();
  void Accept();
  void ShowChosenOperation();
  void OnPositiveNumberEdited(QLineEdit* box);
  void OnVolumeEdited();
  void OnTimeEdited(QLineEdit* box);
  void OnDurationEdited();
  void OnOutputParamsEdited();
  void OnInputParamsEdited();
  void OnBoxLeft(QLineEdit* box);
  void OnUnitChosen(QComboBox* combo);
  void OnDurationUnitChosen();
  void OnEndModeChosen();
  void OnAspectModeChosen();
  void OnTrackRemovalToggled(QCheckBox* box);
  void ChooseBorderColor();
  void ApplySizePreset(int preset);
  void ClearCurrentValues();
  void ClearAllValues();
  void ShowDocumentation();
  void ShowFfmpegHelp();
  void OnFilterTicked();
  // Equaliser.
  void OnBandScrolled();
  void OnGainSliderClicked(int index, Qt::MouseButton button, double y);
  void OnGainSliderKey(int index, int key);
  void OnGainEdited(int index);
  void OnGainBoxLeft(int index);
  void OnFrequencyEdited(int index);
  void OnFrequencyBoxLeft(int index);
  void OnBandwidthEdited(int index);
  void OnBandwidthBoxLeft(int index);
  void RestoreFrequencies();
  void RestoreGains();
  void RestoreBandwidths();
  void RestoreAllBands();
  void ApplyEqualizerPreset(int preset);
  // Test file and explorer.
  void OpenTestFileChooser();
  void CloseTestFileChooser();
  void OnTestFileTextEdited();
  void OnListedTestFileChosen();
  void BrowseForTestFile();
  void OpenExplorer();
  void MarkFirstPosition();
  void MarkSecondPosition();
  void OnTimeLineClicked(double x);
  void OnVolumeBarClicked(double y);
  void StartCropDrag(double x, double y);
  void DragCrop(double x, double y);
  void EndCropDrag();
  void PlayExplored();
  void DetectBorders();
  void AcceptExplorer();
  void CancelExplorer();
  void OnAuditionTimer();
  // "Ir a" beside the trim's start and end positions.
  void PlayFromStartPosition();
  void PlayFromEndPosition();
  void ConvertToRelativeSizes();
  void CopyTestFileSize();
  void CopyTestFileAspect();
  void Preview();

  // Controls, by region.
  QLineEdit* operationsCaption = nullptr;
  QListWidget* operationList = nullptr;
  QWidget* trimPanel = nullptr;
  QWidget* cropPanel = nullptr;
  QWidget* resizePanel = nullptr;
  QWidget* volumePanel = nullptr;
  QWidget* filterPanel = nullptr;
  QWidget* borderPanel = nullptr;
  QWidget* trackPanel = nullptr;
  QWidget* equalizerPanel = nullptr;
  QWidget* commandLinePanel = nullptr;
  // Trim.
  QLabel* startPositionLabel = nullptr;
  QLineEdit* startPosition = nullptr;
  QPushButton* playFromStartButton = nullptr;
  QRadioButton* endPositionOption = nullptr;
  QLineEdit* endPosition = nullptr;
  QPushButton* playFromEndButton = nullptr;
  QRadioButton* durationOption = nullptr;
  QLineEdit* durationBox = nullptr;
  QComboBox* durationUnitCombo = nullptr;
  // Crop.
  QLabel* cropSizeLabel = nullptr;
  QLineEdit* cropWidthCaption = nullptr;
  QLineEdit* cropWidth = nullptr;
  QComboBox* cropWidthUnitCombo = nullptr;
  QLineEdit* cropHeightCaption = nullptr;
  QLineEdit* cropHeight = nullptr;
  QComboBox* cropHeightUnitCombo = nullptr;
  QLabel* cropPositionLabel = nullptr;
  QLabel* cropLeftLabel = nullptr;
  QLineEdit* cropLeft = nullptr;
  QComboBox* cropLeftUnitCombo = nullptr;
  QLabel* cropTopLabel = nullptr;
  QLineEdit* cropTop = nullptr;
  QComboBox* cropTopUnitCombo = nullptr;
  // Resize.
  QLabel* resizeSizeLabel = nullptr;
  QLineEdit* resizeWidthCaption = nullptr;
  QLineEdit* resizeWidth = nullptr;
  QComboBox* resizeWidthUnitCombo = nullptr;
  QLineEdit* resizeHeightCaption = nullptr;
  QLineEdit* resizeHeight = nullptr;
  QComboBox* resizeHeightUnitCombo = nullptr;
  QLabel* aspectLabel = nullptr;
  QRadioButton* keepAspectOption = nullptr;
  QRadioButton* fitAspectOption = nullptr;
  QRadioButton* setAspectOption = nullptr;
  QLineEdit* aspectRatio = nullptr;
  // Volume.
  QLabel* volumeLabel = nullptr;
  QLineEdit* volumePercent = nullptr;
  // Filters.
  QLabel* audioFilterLabel = nullptr;
  QListWidget* audioFilterList = nullptr;
  QLabel* videoFilterLabel = nullptr;
  QListWidget* videoFilterList = nullptr;
  QLabel* complexFilterLabel = nullptr;
  QListWidget* complexFilterList = nullptr;
  // Borders.
  QLabel* rightBorderLabel = nullptr;
  QLineEdit* rightBorderCaption = nullptr;
  QLineEdit* rightBorder = nullptr;
  QComboBox* rightBorderUnitCombo = nullptr;
  QLabel* leftBorderLabel = nullptr;
  QLineEdit* leftBorderCaption = nullptr;
  QLineEdit* leftBorder = nullptr;
  QComboBox* leftBorderUnitCombo = nullptr;
  QLabel* topBorderLabel = nullptr;
  QLineEdit* topBorderCaption = nullptr;
  QLineEdit* topBorder = nullptr;
  QComboBox* topBorderUnitCombo = nullptr;
  QLabel* bottomBorderLabel = nullptr;
  QLineEdit* bottomBorderCaption = nullptr;
  QLineEdit* bottomBorder = nullptr;
  QComboBox* bottomBorderUnitCombo = nullptr;
  QLineEdit* borderColorCaption = nullptr;
  UnitPicture* borderColorSwatch = nullptr;
  QPushButton* borderColorButton = nullptr;
  // Tracks.
  QCheckBox* removeAudioCheck = nullptr;
  QCheckBox* removeVideoCheck = nullptr;
  QCheckBox* removeSubtitlesCheck = nullptr;
  // Equaliser.
  QLabel* frequencyLabel = nullptr;
  QLabel* gainLabel = nullptr;
  QLabel* bandwidthLabel = nullptr;
  std::array<QLineEdit*, 10> frequencyBoxes{};
  std::array<UnitPicture*, 10> gainSliders{};
  std::array<UnitShape*, 10> gainMarkers{};
  std::array<QLineEdit*, 10> gainBoxes{};
  std::array<QLineEdit*, 10> bandwidthBoxes{};
  QScrollBar* bandScroll = nullptr;
  // Command line.
  QLabel* outputParamsLabel = nullptr;
  QLineEdit* outputParams = nullptr;
  QLabel* inputParamsLabel = nullptr;
  QLineEdit* inputParams = nullptr;
  // Test file.
  QLineEdit* testFileCaption = nullptr;
  QLineEdit* testFileBox = nullptr;
  QPushButton* chooseTestFileButton = nullptr;
  QWidget* testFileChooser = nullptr;
  QLabel* testFileChooserLabel = nullptr;
  QComboBox* testFileCombo = nullptr;
  QString testFileComboText;
  QPushButton* browseTestFileButton = nullptr;
  QPushButton* testFileBackButton = nullptr;
  QWidget* waitPanel = nullptr;
  QLabel* waitLabel = nullptr;
  // Explorer.
  QWidget* explorerPanel = nullptr;
  UnitPicture* framePicture = nullptr;
  UnitShape* cropRect = nullptr;
  UnitPicture* timeLine = nullptr;
  UnitShape* rangeBar = nullptr;
  UnitShape* positionMarker = nullptr;
  UnitPicture* volumeBar = nullptr;
  UnitShape* volumeMarker = nullptr;
  QLineEdit* volumeCaption = nullptr;
  QCheckBox* muteCheck = nullptr;
  QPushButton* markFirstButton = nullptr;
  QPushButton* markSecondButton = nullptr;
  QPushButton* detectBordersButton = nullptr;
  QPushButton* playButton = nullptr;
  QPushButton* explorerAcceptButton = nullptr;
  QPushButton* explorerCancelButton = nullptr;
  QTimer* auditionTimer = nullptr;
  // Bottom buttons of the scratch mode.
  QWidget* scratchButtonStrip = nullptr;
  QPushButton* loadButton = nullptr;
  QPushButton* cancelButton = nullptr;
  QPushButton* acceptButton = nullptr;
  // Menus.
  QMenu* fileMenu = nullptr;
  QAction* openAction = nullptr;
  QAction* saveAction = nullptr;
  QAction* saveAsAction = nullptr;
  QAction* discardChangesAction = nullptr;
  QAction* closeAction = nullptr;
  QAction* exitAction = nullptr;
  QMenu* optionsMenu = nullptr;
  QAction* documentationAction = nullptr;
  QAction* selectTestFileAction = nullptr;
  QAction* clearCurrentAction = nullptr;
  QAction* clearAllAction = nullptr;
  QAction* optionsSeparator = nullptr;
  QAction* copyTestSizeAction = nullptr;
  QAction* copyTestAspectAction = nullptr;
  QAction* relativeSizesAction = nullptr;
  QMenu* sizePresetMenu = nullptr;
  std::array<QAction*, 15> sizePresetActions{};
  QMenu* equalizerPresetMenu = nullptr;
  std::array<QAction*, 18> equalizerPresetActions{};
  QAction* explorerAction = nullptr;
  QMenu* restoreMenu = nullptr;
  QAction* restoreFrequenciesAction = nullptr;
  QAction* restoreGainsAction = nullptr;
  QAction* restoreBandwidthsAction = nullptr;
  QAction* restoreSeparator = nullptr;
  QAction* restoreAllAction = nullptr;
  QAction* previewAction = nullptr;
  QAction* ffmpegHelpAction = nullptr;

 protected:
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // The window as a whole (EditingProfileWindow.cpp).
  void CreateControls();
  void CreateOperationPanels(QWidget* central);
  void CreateMenus();
  void SetDesignCaptions();
  void WireControls();
  // The current profile into every control, with the loading flag on.
  void ShowCurrentProfile();
  // Every control from EditingProfileEditor::CurrentProfile (the loading flag is on).
  void FillFromProfile();

  // Each operation's panel, in a file of its own: its controls, their design
  // captions, their wiring, showing the profile's fields and clearing them.
  // Trim (EditingProfileWindowTrim.cpp).
  void CreateTrimPanel();
  void SetTrimCaptions();
  void WireTrimPanel();
  void ShowTrim(const EditProfileRec& p);
  void ClearTrim();
  // Crop (EditingProfileWindowCrop.cpp).
  void CreateCropPanel();
  void SetCropCaptions();
  void ShowCrop(const EditProfileRec& p);
  void ClearCrop();
  // Resize (EditingProfileWindowResize.cpp).
  void CreateResizePanel();
  void SetResizeCaptions();
  void WireResizePanel();
  void ShowResize(const EditProfileRec& p);
  void ClearResize();
  // Volume (EditingProfileWindowVolume.cpp).
  void CreateVolumePanel();
  void SetVolumeCaptions();
  void WireVolumePanel();
  void ShowVolume(const EditProfileRec& p);
  void ClearVolume();
  // Filters (EditingProfileWindowFilters.cpp).
  void CreateFilterPanel();
  void SetFilterCaptions();
  void WireFilterPanel();
  void ClearFilters();
  // Ticks the profile's filters in the lists; names not found are reported
  // and dropped from the current profile.
  void SelectProfileFilters();
  std::array<QStringList, 3> FilterListNames() const;
  void TickFilters(const EditingProfileEditor::FilterMatch& match);
  // Borders (EditingProfileWindowBorder.cpp).
  void CreateBorderPanel();
  void SetBorderCaptions();
  void WireBorderPanel();
  void ShowBorder(const EditProfileRec& p);
  void ClearBorder();
  void SetBorderSwatch(const QColor& color);
  // Tracks (EditingProfileWindowTracks.cpp).
  void CreateTrackPanel();
  void SetTrackCaptions();
  void WireTrackPanel();
  void ShowTracks(const EditProfileRec& p);
  void ClearTracks();
  // Command line (EditingProfileWindowCommandLine.cpp).
  void CreateCommandLinePanel();
  void SetCommandLineCaptions();
  void WireCommandLinePanel();
  void ShowCommandLine(const EditProfileRec& p);
  void ClearCommandLine();
  // Equaliser (EditingProfileWindowEqualizer.cpp).
  void CreateEqualizerPanel();
  void SetEqualizerCaptions();
  void WireEqualizer();
  void ShowEqualizer(const EditProfileRec& p);
  void SetMarker(int index, double top);

  // The number boxes and unit lists shared by the panels (EditingProfileWindowFields.cpp).
  void WireFieldBoxes();
  // The field a box or combo writes; nullptr for the others.
  QString* FieldOfBox(QLineEdit* box);
  SizeUnit* FieldOfUnit(QComboBox* combo);

  // The test file (EditingProfileWindowTestFile.cpp).
  void CreateTestFileControls(QWidget* central);
  void SetTestFileCaptions();
  void WireTestFileControls();
  void SetSubPanelControlsEnabled(bool enabled);
  void CloseSubPanel();
  // Shows the frame at seekText ("" the first one); a grab that did not run
  // or failed leaves the picture as it was.
  void GrabFrame(const QString& seekText, bool firstFrame);
  // The test file has pictures and a folder for its frames.
  bool GrabsFrames() const;
  void DrawFlatLine();
  bool NeedTestFile();
  // Its explorer (EditingProfileWindowExplorer.cpp).
  void CreateExplorer(QWidget* central);
  void SetExplorerCaptions();
  void WireExplorer();
  float Position() const;
};
