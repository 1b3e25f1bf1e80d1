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
  // name: a profile name, "*" for the scratch profile, "" for none; mode 1
  // edits the scratch profile for the main window.
  static void ShowEditor(const QString& name, uint8_t mode);

  void Form_Load();
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

  // Window-level state of the test file and its explorer.
  QString TestFile;
  int16_t TestWidth = 0;
  int16_t TestHeight = 0;
  float TestDuration = 0;
  float TestAspect = 0;
  uint8_t TestHasVideo = 0;
  uint8_t TestHasAudio = 0;
  QString TempFolder;
  uint8_t SubPanelOpen = 0;
  float RangeStart = 0;
  float RangeWidth = 1;
  float CropAnchorX = 0;
  float CropAnchorY = 0;
  uint8_t CropDragging = 0;
  int16_t AuditionElapsed = 0;

  // Handlers.
  bool Form_QueryUnload();
  void Form_Unload();
  void File_Open_Click();
  void File_Save_Click();
  void File_SaveAs_Click();
  void File_DescChan_Click();
  void File_Close_Click();
  void File_Exit_Click();
  void Command15_Click();
  void Command14_Click();
  void Command3_Click();
  void List1_Click();
  void PositiveNumber_Change(QLineEdit* box);
  void Text26_Change();
  void Time_Change(QLineEdit* box);
  void Text1_Change();
  void Text29_Change();
  void Text30_Change();
  void Box_Validate(QLineEdit* box);
  void Unit_Click(QComboBox* combo);
  void Combo8_Click();
  void EndMode_Click();
  void Aspect_Click();
  void Track_Click(QCheckBox* box);
  void Command12_Click();
  void SizePreset_Click(int preset);
  void Opt_CleanAct_Click();
  void Opt_CleanAll_Click();
  void Opt_Docu_Click();
  void Opt_Helpff_Click();
  void List2_ItemCheck();
  // Equaliser.
  void HScroll1_Change();
  void Picture3_MouseUp(int index, Qt::MouseButton button, double y);
  void Picture3_KeyDown(int index, int key);
  void Text27_Change(int index);
  void Text27_Validate(int index);
  void Text14_Change(int index);
  void Text14_Validate(int index);
  void Text32_Change(int index);
  void Text32_Validate(int index);
  void Opt_RestVal_Frec_Click();
  void Opt_RestVal_Gain_Click();
  void Opt_RestVal_BandW_Click();
  void Opt_RestVal_All_Click();
  void Equ_Click(int preset);
  // Test file and explorer.
  void Command2_Click();
  void Command13_Click();
  void Combo13_Change();
  void Combo13_Click();
  void Command9_Click();
  void Opt_CutGrap_Click();
  void Command7_Click();
  void Command10_Click();
  void Picture4_MouseUp(double x);
  void Picture5_MouseUp(double y);
  void Picture1_MouseDown(double x, double y);
  void Picture1_MouseMove(double x, double y);
  void Picture1_MouseUp();
  void Command6_Click();
  void Command8_Click();
  void Command4_Click();
  void Command5_Click();
  void Timer1_Timer();
  void Command1_Click();
  void Command11_Click();
  void Opt_ConRelDim_Click();
  void Opt_CopySizeTestFile_Click();
  void Opt_CopyRAFileTest_Click();
  void Opt_Preview_Click();

  // Controls, by region.
  QLineEdit* Text28 = nullptr;
  QListWidget* List1 = nullptr;
  QWidget* PicRecortarSecuencia = nullptr;
  QWidget* PicRecortarCuadro = nullptr;
  QWidget* PicCambiarTamanoCuadro = nullptr;
  QWidget* PicAjustarVol = nullptr;
  QWidget* PicAplicarFiltro = nullptr;
  QWidget* PicAddBorder = nullptr;
  QWidget* PicEliminarPistas = nullptr;
  QWidget* PicEQU = nullptr;
  QWidget* PicModifCmdL = nullptr;
  // Trim.
  QLabel* Label14 = nullptr;
  QLineEdit* Text31 = nullptr;
  QPushButton* Command1 = nullptr;
  QRadioButton* Option4 = nullptr;
  QLineEdit* Text33 = nullptr;
  QPushButton* Command11 = nullptr;
  QRadioButton* Option5 = nullptr;
  QLineEdit* Text1 = nullptr;
  QComboBox* Combo8 = nullptr;
  // Crop.
  QLabel* Label1 = nullptr;
  QLineEdit* Text16 = nullptr;
  QLineEdit* Text17 = nullptr;
  QComboBox* Combo2 = nullptr;
  QLineEdit* Text18 = nullptr;
  QLineEdit* Text19 = nullptr;
  QComboBox* Combo3 = nullptr;
  QLabel* Label12 = nullptr;
  QLabel* Label3 = nullptr;
  QLineEdit* Text20 = nullptr;
  QComboBox* Combo4 = nullptr;
  QLabel* Label4 = nullptr;
  QLineEdit* Text21 = nullptr;
  QComboBox* Combo5 = nullptr;
  // Resize.
  QLabel* Label10 = nullptr;
  QLineEdit* Text22 = nullptr;
  QLineEdit* Text25 = nullptr;
  QComboBox* Combo7 = nullptr;
  QLineEdit* Text23 = nullptr;
  QLineEdit* Text24 = nullptr;
  QComboBox* Combo6 = nullptr;
  QLabel* Label11 = nullptr;
  QRadioButton* Option3 = nullptr;
  QRadioButton* Option1 = nullptr;
  QRadioButton* Option2 = nullptr;
  QLineEdit* Text2 = nullptr;
  // Volume.
  QLabel* Label2 = nullptr;
  QLineEdit* Text26 = nullptr;
  // Filters.
  QLabel* Label5 = nullptr;
  QListWidget* List2 = nullptr;
  QLabel* Label6 = nullptr;
  QListWidget* List3 = nullptr;
  QLabel* Label7 = nullptr;
  QListWidget* List4 = nullptr;
  // Borders.
  QLabel* Label13 = nullptr;
  QLineEdit* Text4 = nullptr;
  QLineEdit* Text3 = nullptr;
  QComboBox* Combo9 = nullptr;
  QLabel* Label16 = nullptr;
  QLineEdit* Text6 = nullptr;
  QLineEdit* Text5 = nullptr;
  QComboBox* Combo10 = nullptr;
  QLabel* Label17 = nullptr;
  QLineEdit* Text8 = nullptr;
  QLineEdit* Text7 = nullptr;
  QComboBox* Combo11 = nullptr;
  QLabel* Label18 = nullptr;
  QLineEdit* Text10 = nullptr;
  QLineEdit* Text9 = nullptr;
  QComboBox* Combo12 = nullptr;
  QLineEdit* Text11 = nullptr;
  UnitPicture* Picture2 = nullptr;
  QPushButton* Command12 = nullptr;
  // Tracks.
  QCheckBox* Check7 = nullptr;
  QCheckBox* Check3 = nullptr;
  QCheckBox* Check4 = nullptr;
  // Equaliser.
  QLabel* Label22 = nullptr;
  QLabel* Label23 = nullptr;
  QLabel* Label15 = nullptr;
  std::array<QLineEdit*, 10> Text14{};
  std::array<UnitPicture*, 10> Picture3{};
  std::array<UnitShape*, 10> Shape1{};
  std::array<QLineEdit*, 10> Text27{};
  std::array<QLineEdit*, 10> Text32{};
  QScrollBar* HScroll1 = nullptr;
  // Command line.
  QLabel* Label8 = nullptr;
  QLineEdit* Text29 = nullptr;
  QLabel* Label9 = nullptr;
  QLineEdit* Text30 = nullptr;
  // Test file.
  QLineEdit* Text12 = nullptr;
  QLineEdit* Text13 = nullptr;
  QPushButton* Command2 = nullptr;
  QWidget* PicSelTestFile = nullptr;
  QLabel* Label21 = nullptr;
  QComboBox* Combo13 = nullptr;
  QString Combo13Tag;
  QPushButton* Command9 = nullptr;
  QPushButton* Command13 = nullptr;
  QWidget* Picture7 = nullptr;
  QLabel* Label19 = nullptr;
  // Explorer.
  QWidget* PicExploreStream = nullptr;
  UnitPicture* Picture1 = nullptr;
  UnitShape* Shape4 = nullptr;
  UnitPicture* Picture4 = nullptr;
  UnitShape* Shape3 = nullptr;
  UnitShape* Shape2 = nullptr;
  UnitPicture* Picture5 = nullptr;
  UnitShape* Shape5 = nullptr;
  QLineEdit* Text15 = nullptr;
  QCheckBox* Check1 = nullptr;
  QPushButton* Command7 = nullptr;
  QPushButton* Command10 = nullptr;
  QPushButton* Command8 = nullptr;
  QPushButton* Command6 = nullptr;
  QPushButton* Command4 = nullptr;
  QPushButton* Command5 = nullptr;
  QTimer* Timer1 = nullptr;
  // Bottom buttons of the scratch mode.
  QWidget* Picture6 = nullptr;
  QPushButton* Command15 = nullptr;
  QPushButton* Command14 = nullptr;
  QPushButton* Command3 = nullptr;
  // Menus.
  QMenu* Menu_File = nullptr;
  QAction* File_Open = nullptr;
  QAction* File_Save = nullptr;
  QAction* File_SaveAs = nullptr;
  QAction* File_DescChan = nullptr;
  QAction* File_Close = nullptr;
  QAction* File_Exit = nullptr;
  QMenu* Menu_Options = nullptr;
  QAction* Opt_Docu = nullptr;
  QAction* Opt_SelTestFile = nullptr;
  QAction* Opt_CleanAct = nullptr;
  QAction* Opt_CleanAll = nullptr;
  QAction* Opt_Sep1 = nullptr;
  QAction* Opt_CopySizeTestFile = nullptr;
  QAction* Opt_CopyRAFileTest = nullptr;
  QAction* Opt_ConRelDim = nullptr;
  QMenu* Opt_TamPredef = nullptr;
  std::array<QAction*, 15> Tam{};
  QMenu* Opt_PredefEqu = nullptr;
  std::array<QAction*, 18> Equ{};
  QAction* Opt_CutGrap = nullptr;
  QMenu* Opt_RestVal = nullptr;
  QAction* Opt_RestVal_Frec = nullptr;
  QAction* Opt_RestVal_Gain = nullptr;
  QAction* Opt_RestVal_BandW = nullptr;
  QAction* Opt_RestVal_Sep1 = nullptr;
  QAction* Opt_RestVal_All = nullptr;
  QAction* Opt_Preview = nullptr;
  QAction* Opt_Helpff = nullptr;

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
  uint8_t* FieldOfUnit(QComboBox* combo);

  // The test file (EditingProfileWindowTestFile.cpp).
  void CreateTestFileControls(QWidget* central);
  void SetTestFileCaptions();
  void WireTestFileControls();
  void SetSubPanelControlsEnabled(bool enabled);
  void CloseSubPanel();
  void GrabFrame(const QString& seekText, bool firstFrame);
  void DrawFlatLine();
  bool NeedTestFile();
  // Its explorer (EditingProfileWindowExplorer.cpp).
  void CreateExplorer(QWidget* central);
  void SetExplorerCaptions();
  void WireExplorer();
  float Position() const;
};
