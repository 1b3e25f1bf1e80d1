#pragma once

#include <QList>
#include <QMainWindow>
#include <QString>
#include <cstdint>

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
  // "*" = the scratch profile) and returns when it has closed. Mode 1 is the
  // scratch mode of the "<Manual>" profile, with its Load/Cancel/Accept buttons.
  static void ShowEditor(QString name, uint8_t mode);

  void Form_Load();

  // Showing the profile -----------------------------------------------------------
  // The button strip of the scratch mode, and the File items that mode lacks.
  void ShowButtonStrip(bool scratchMode);
  // The waiting panel around a rebuild of the capability lists.
  void ShowWaiting(bool waiting);
  // Makes the rows of a category; row 0 always exists.
  void ShowRows(uint8_t category, const QList<FormatEditor::ParamRow>& rows);
  // Shows the rows that fit from the scroll position on.
  void PlaceRows();
  // The external-codec items of the menus, from the profile's codec names.
  void SyncExtCodecMenus(const FormatProfile& profile);

  // The ticks of the probe list, line by line.
  QList<bool> ProbeTicks() const;

  // Controls, named as the program names them ----------------------------------------
  // The category and its rows of parameters.
  QComboBox* Combo6 = nullptr;
  QWidget* Picture1 = nullptr;
  QScrollBar* VScroll1 = nullptr;
  QLabel* Label1 = nullptr;
  QList<QLineEdit*> Text1;
  QList<QComboBox*> Combo2;
  // The button strip of the scratch mode.
  QWidget* Picture9 = nullptr;
  QPushButton* Command12 = nullptr;
  QPushButton* Command2 = nullptr;
  QPushButton* Command1 = nullptr;

  // The container's advanced options.
  QGroupBox* Frame1 = nullptr;
  QRadioButton* Option1 = nullptr;
  QRadioButton* Option2 = nullptr;
  QComboBox* Combo1 = nullptr;
  QComboBox* Combo3 = nullptr;
  QPushButton* Command3 = nullptr;
  QPushButton* Command5 = nullptr;

  // The codec's advanced options.
  QGroupBox* Frame2 = nullptr;
  QRadioButton* Option3 = nullptr;
  QRadioButton* Option4 = nullptr;
  QRadioButton* Option5 = nullptr;
  QRadioButton* Option6 = nullptr;
  QComboBox* Combo4 = nullptr;
  QComboBox* Combo5 = nullptr;
  QPushButton* Command4 = nullptr;
  QPushButton* Command6 = nullptr;

  // The about text of an external codec.
  QGroupBox* Frame3 = nullptr;
  QPlainTextEdit* Text3 = nullptr;
  QPushButton* Command7 = nullptr;

  // The import from command lines.
  QGroupBox* Frame4 = nullptr;
  QLabel* Label2 = nullptr;
  QLineEdit* Text4 = nullptr;
  QLabel* Label3 = nullptr;
  QLineEdit* Text5 = nullptr;
  QPushButton* Command8 = nullptr;
  QPushButton* Command9 = nullptr;

  // The import from a probed file.
  QGroupBox* Frame5 = nullptr;
  QLabel* Label4 = nullptr;
  QListWidget* List1 = nullptr;
  QCheckBox* Check1 = nullptr;
  QPushButton* Command10 = nullptr;
  QPushButton* Command11 = nullptr;

  // The waiting panel.
  QGroupBox* Frame6 = nullptr;
  QLabel* Label5 = nullptr;

  // Rebuilds the rows once a category is picked.
  QTimer* Timer1 = nullptr;

  // The menus.
  QMenu* Menu_File = nullptr;
  QAction* File_Open = nullptr;
  QAction* File_Save = nullptr;
  QAction* File_SaveAs = nullptr;
  QAction* File_sep1 = nullptr;
  QAction* File_UndoChanges = nullptr;
  QAction* File_CleanAll = nullptr;
  QAction* File_CleanAct = nullptr;
  QAction* File_sep2 = nullptr;
  QAction* File_Close = nullptr;
  QAction* File_Exit = nullptr;

  QMenu* Menu_Help = nullptr;
  QMenu* Help_ffmpeg = nullptr;
  QAction* Help_ffNormal = nullptr;
  QAction* Help_ffExtend = nullptr;
  QAction* Help_ffFull = nullptr;
  QAction* Help_Sep1 = nullptr;
  QAction* Help_ffFormats = nullptr;
  QAction* Help_ffCodecs = nullptr;
  QAction* Help_ffEncoders = nullptr;
  QAction* Help_ffDecoders = nullptr;
  QAction* Help_ffPixFmt = nullptr;
  QAction* Help_ffFilters = nullptr;
  QAction* Help_ffBitStreamFilters = nullptr;
  QAction* Help_Sep2 = nullptr;
  QAction* Help_ffCodecHelp = nullptr;
  QAction* Help_ffFormatHelp = nullptr;
  QAction* Help_Sep3 = nullptr;
  QAction* Help_ffLic = nullptr;
  QAction* Help_AboutECA = nullptr;
  QAction* Help_AboutECV = nullptr;
  QAction* Help_Documentacion = nullptr;

  QMenu* Menu_Options = nullptr;
  QAction* Import_OfCmdL = nullptr;
  QAction* Import_OfFile = nullptr;
  QAction* Opt_Sep1 = nullptr;
  QAction* LoadECA_Menu = nullptr;
  QAction* LoadECV_Menu = nullptr;
  QAction* UnloadECA_Menu = nullptr;
  QAction* UnloadECV_Menu = nullptr;
  QAction* ReloadECA_Menu = nullptr;
  QAction* ReloadECV_Menu = nullptr;
  QMenu* Opt_FindExe = nullptr;
  QAction* FindEXE_A = nullptr;
  QAction* FindEXE_V = nullptr;
  QAction* FindEXE_Sep1 = nullptr;

  // 1 while Frame1 or Frame2 is shown.
  uint8_t AdvancedFrameOpen = 0;
  // 0: the codec panel lists encoders; 1: decoders.
  uint8_t DecoderView = 0;
  // 1 while the rows are being rebuilt: the rows' own change events store nothing.
  uint8_t BuildingParams = 0;
  // The text of the value combo that last got the focus.
  QString TextOnFocus;

  // Handlers ------------------------------------------------------------------------
  // The category and the rows (FormatEditorWindowRows.cpp).
  void Timer1_Timer();
  void VScroll1_Change();
  void Combo6_Click();
  void Combo2_Change(int index);
  void Combo2_Click(int index);
  void Combo2_GotFocus(int index);
  void Combo2_KeyUp(int index);
  // The File menu and the button strip (FormatEditorWindow.cpp).
  void Command1_Click();
  void Command2_Click();
  void Command12_Click();
  void File_Open_Click();
  void File_Save_Click();
  void File_SaveAs_Click();
  void File_UndoChanges_Click();
  void File_CleanAll_Click();
  void File_CleanAct_Click();
  void File_Close_Click();
  void File_Exit_Click();

  // The panels (FormatEditorWindowPanels.cpp): ffmpeg's help and the advanced options,
  void Option1_Click();
  void Option2_Click();
  void Option3_Click();
  void Option4_Click();
  void Option5_Click();
  void Option6_Click();
  void Help_ffFormatHelp_Click();
  void Help_ffCodecHelp_Click();
  void Command3_Click();
  void Command4_Click();
  void Command5_Click();
  void Command6_Click();
  void Help_Documentacion_Click();

  // the imports,
  void Import_OfCmdL_Click();
  void Command8_Click();
  void Command9_Click();
  void Import_OfFile_Click();
  void Check1_Click();
  void Command10_Click();
  void Command11_Click();

  // and the external codecs.
  void Help_AboutEC_Click(uint8_t isVideo);
  // "Buscar ejecutable": points the embedded codec at another program.
  void FindCodecExe(uint8_t isVideo);
  void Command7_Click();

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
  void Form_QueryUnload(QCloseEvent* event);

  // The rows of parameters (FormatEditorWindowRows.cpp).
  void CreateRowArea(QWidget* central);
  QLineEdit* NewCaptionBox();
  QComboBox* NewValueCombo();
  void WireRow(int index);
  int RowIndexOf(QObject* object) const;
  void FillRows(uint8_t category, const QList<FormatEditor::ParamRow>& rows);
  void FitCaptionColumn();
  // Copies the text of value combo `index` into the profile.
  void StoreRowValue(int index);

  // The panels (FormatEditorWindowPanels.cpp).
  void ShowHelp(const QString& option);
  // Kind 0 fills the container combos, kind 1 the codec combos (encoders or
  // decoders as the panel shows them); only empty combos are filled.
  void FillAdvancedOptionLists(uint8_t kind);
  // Exchanges each codec combo's text with the name kept for the other view.
  void SwitchCodecView(uint8_t decoderView);
};
