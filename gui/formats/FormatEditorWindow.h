#pragma once

#include <QList>
#include <QMainWindow>
#include <QString>

#include "core/formats/FormatEditor.h"

class QAction;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QScrollBar;
class QTimer;

// The format editor: one format profile edited through rows of parameters in
// four categories, with overlay panels for ffmpeg's help, the imports and the
// about text of an external codec. Opened by FormatEditorWindow::ShowEditor; follows
// the module's notifier.
class FormatEditorWindow : public QMainWindow {
  Q_OBJECT

 public:
  explicit FormatEditorWindow(QWidget* parent = nullptr);
  ~FormatEditorWindow() override;

  // The loaded editor, or nullptr.
  static FormatEditorWindow* Instance();

  // Opens the format editor on appfiles/formats/<name>.qfm ("" = on nothing,
  // "*" = the scratch profile) and returns when it has closed. scratchMode is
  // the scratch mode of the "<Manual>" profile, with its Load/Cancel/Accept buttons.
  static void ShowEditor(QString name, bool scratchMode);

  // The load handler: design texts, panels in place, the design size.
  void Load();

  // Showing the profile -----------------------------------------------------------
  // The button strip of the scratch mode, and the File items that mode lacks.
  void ShowButtonStrip(bool scratchMode);
  // The waiting panel around a rebuild of the capability lists.
  void ShowWaiting(bool waiting);
  // Makes the rows of a category; row 0 always exists.
  void ShowRows(FormatEditor::Category category, const QList<FormatEditor::ParamRow>& rows);
  // Shows the rows that fit from the scroll position on.
  void PlaceRows();
  // The external-codec items of the menus, from the profile's codec names.
  void SyncExtCodecMenus(const FormatProfile& profile);

  // The ticks of the probe list, line by line.
  QList<bool> ProbeTicks() const;

  // Controls ---------------------------------------------------------------------------
  // The category and its rows of parameters: a caption box and a value combo a row.
  QComboBox* categoryCombo = nullptr;
  QWidget* rowArea = nullptr;
  QScrollBar* rowScroll = nullptr;
  QLabel* noRowsLabel = nullptr;
  QList<QLineEdit*> rowCaptions;
  QList<QComboBox*> rowValueCombos;
  // The button strip of the scratch mode.
  QWidget* buttonStrip = nullptr;
  QPushButton* loadButton = nullptr;
  QPushButton* cancelButton = nullptr;
  QPushButton* acceptButton = nullptr;

  // The container's advanced options.
  QGroupBox* formatPanel = nullptr;
  QRadioButton* outputFormatOption = nullptr;
  QRadioButton* inputFormatOption = nullptr;
  QComboBox* outputFormatCombo = nullptr;
  QComboBox* inputFormatCombo = nullptr;
  QPushButton* showFormatHelpButton = nullptr;
  QPushButton* formatBackButton = nullptr;

  // The codec's advanced options.
  QGroupBox* codecPanel = nullptr;
  QRadioButton* audioCodecOption = nullptr;
  QRadioButton* videoCodecOption = nullptr;
  QRadioButton* encoderViewOption = nullptr;
  QRadioButton* decoderViewOption = nullptr;
  QComboBox* audioCodecCombo = nullptr;
  QComboBox* videoCodecCombo = nullptr;
  QPushButton* showCodecHelpButton = nullptr;
  QPushButton* codecBackButton = nullptr;

  // The about text of an external codec.
  QGroupBox* aboutPanel = nullptr;
  QPlainTextEdit* aboutText = nullptr;
  QPushButton* aboutBackButton = nullptr;

  // The import from command lines.
  QGroupBox* commandLinePanel = nullptr;
  QLabel* outputOptionsLabel = nullptr;
  QLineEdit* outputOptions = nullptr;
  QLabel* inputOptionsLabel = nullptr;
  QLineEdit* inputOptions = nullptr;
  QPushButton* importCommandLineButton = nullptr;
  QPushButton* commandLineBackButton = nullptr;

  // The import from a probed file.
  QGroupBox* filePanel = nullptr;
  QLabel* probeListLabel = nullptr;
  QListWidget* probeList = nullptr;
  QCheckBox* tickAllCheck = nullptr;
  QPushButton* importProbedButton = nullptr;
  QPushButton* fileBackButton = nullptr;

  // The waiting panel.
  QGroupBox* waitPanel = nullptr;
  QLabel* waitLabel = nullptr;

  // Rebuilds the rows once a category is picked.
  QTimer* rebuildTimer = nullptr;

  // The menus.
  QMenu* fileMenu = nullptr;
  QAction* openAction = nullptr;
  QAction* saveAction = nullptr;
  QAction* saveAsAction = nullptr;
  QAction* saveSeparator = nullptr;
  QAction* undoChangesAction = nullptr;
  QAction* clearAllAction = nullptr;
  QAction* clearCategoryAction = nullptr;
  QAction* closeSeparator = nullptr;
  QAction* closeProfileAction = nullptr;
  QAction* exitAction = nullptr;

  QMenu* helpMenu = nullptr;
  QMenu* ffmpegMenu = nullptr;
  QAction* ffmpegHelpAction = nullptr;
  QAction* ffmpegLongHelpAction = nullptr;
  QAction* ffmpegFullHelpAction = nullptr;
  QAction* ffmpegListsSeparator = nullptr;
  QAction* ffmpegFormatsAction = nullptr;
  QAction* ffmpegCodecsAction = nullptr;
  QAction* ffmpegEncodersAction = nullptr;
  QAction* ffmpegDecodersAction = nullptr;
  QAction* ffmpegPixelFormatsAction = nullptr;
  QAction* ffmpegFiltersAction = nullptr;
  QAction* ffmpegBitstreamFiltersAction = nullptr;
  QAction* ffmpegOptionsSeparator = nullptr;
  QAction* codecOptionsAction = nullptr;
  QAction* formatOptionsAction = nullptr;
  QAction* ffmpegLicenceSeparator = nullptr;
  QAction* ffmpegLicenceAction = nullptr;
  QAction* aboutAudioCodecAction = nullptr;
  QAction* aboutVideoCodecAction = nullptr;
  QAction* programHelpAction = nullptr;

  QMenu* optionsMenu = nullptr;
  QAction* importCommandLineAction = nullptr;
  QAction* importFromFileAction = nullptr;
  QAction* codecsSeparator = nullptr;
  QAction* loadAudioCodecAction = nullptr;
  QAction* loadVideoCodecAction = nullptr;
  QAction* unloadAudioCodecAction = nullptr;
  QAction* unloadVideoCodecAction = nullptr;
  QAction* reloadAudioCodecAction = nullptr;
  QAction* reloadVideoCodecAction = nullptr;
  QMenu* findProgramMenu = nullptr;
  QAction* findAudioProgramAction = nullptr;
  QAction* findVideoProgramAction = nullptr;
  QAction* findProgramPlaceholder = nullptr;

  // While the format or the codec panel is shown.
  bool advancedPanelOpen = false;
  // The codec panel lists decoders, not encoders.
  bool showingDecoders = false;
  // While the rows are being rebuilt: the rows' own change events store nothing.
  bool buildingRows = false;
  // The text of the value combo that last got the focus.
  QString textOnFocus;

  // Handlers ------------------------------------------------------------------------
  // The category and the rows (FormatEditorWindowRows.cpp).
  void OnRebuildTimer();
  void OnRowsScrolled();
  void OnCategoryChosen();
  void OnRowValueEdited(int index);
  void OnRowValuePicked(int index);
  void OnRowValueFocused(int index);
  void OnRowKeyReleased(int index);
  // The File menu and the button strip (FormatEditorWindow.cpp).
  void Accept();
  void Cancel();
  void LoadOtherProfile();
  void OpenProfile();
  void SaveProfile();
  void SaveProfileAs();
  void UndoChanges();
  void ClearAll();
  void ClearCategory();
  void CloseProfile();
  void Exit();

  // The panels (FormatEditorWindowPanels.cpp): ffmpeg's help and the advanced options
  // of the container and of the codecs,
  void OnOutputFormatChosen();
  void OnInputFormatChosen();
  void OnAudioCodecChosen();
  void OnVideoCodecChosen();
  void ShowEncoderView();
  void ShowDecoderView();
  void OpenFormatPanel();
  void OpenCodecPanel();
  void ShowFormatHelp();
  void ShowCodecHelp();
  void CloseFormatPanel();
  void CloseCodecPanel();
  void ShowProgramHelp();

  // the imports,
  void OpenCommandLinePanel();
  void ImportCommandLine();
  void CloseCommandLinePanel();
  void ImportFromFile();
  void OnTickAllClicked();
  void ImportProbedValues();
  void CloseFilePanel();

  // and the external codecs.
  void ShowCodecAbout(bool isVideo);
  // "Buscar ejecutable": points the embedded codec at another program.
  void FindCodecExe(bool isVideo);
  void CloseAboutPanel();

 protected:
  void closeEvent(QCloseEvent* event) override;
  // The focus and key releases of the value combos.
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // The window as a whole (FormatEditorWindow.cpp).
  // The text a control keeps aside in its "Tag" property.
  static QString Tag(const QObject* object);
  static void SetTag(QObject* object, const QString& tag);
  void CreateControls();
  void CreateMenus();
  void CreateButtonStrip(QWidget* central);
  void CreateFrames(QWidget* central);
  void WireControls();
  // Follows what the module says about the profile and its rows.
  void ListenToEditor();
  // Enables or disables the three menus and the three buttons around a panel.
  void SetCommandsEnabled(bool enabled);
  void ClosePanel(QGroupBox* frame);
  void OnCloseRequested(QCloseEvent* event);

  // The rows of parameters (FormatEditorWindowRows.cpp).
  void CreateRowArea(QWidget* central);
  QLineEdit* NewCaptionBox();
  QComboBox* NewValueCombo();
  void WireRow(int index);
  int RowIndexOf(QObject* object) const;
  void FillRows(FormatEditor::Category category, const QList<FormatEditor::ParamRow>& rows);
  void FitCaptionColumn();
  // Copies the text of value combo `index` into the profile.
  void StoreRowValue(int index);

  // The panels (FormatEditorWindowPanels.cpp).
  void ShowHelp(const QString& option);
  // The container combos, or the codec combos (encoders or decoders as the
  // panel shows them); only empty combos are filled.
  enum class AdvancedLists { Containers, Codecs };
  void FillAdvancedOptionLists(AdvancedLists lists);
  // Exchanges each codec combo's text with the name kept for the other view.
  void SwitchCodecView(bool toDecoders);
};
