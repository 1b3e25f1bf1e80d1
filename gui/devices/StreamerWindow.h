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
  // when the streamer closes.
  static void StreamFileList();

  // Offers this machine's addresses in Combo1, the first one chosen.
  void FillLocalAddresses();

  void Form_Load();
  void Form_QueryUnload(bool& cancel);
  void Command1_Click();  // "Emitir"
  void Command2_Click();  // "Detener"
  void Command3_Click();  // "Ver emisión"
  void Command4_Click();  // "Ver direccion IP"
  void Command5_Click();  // "..." profile
  void Command6_Click();  // ">>" edit "<Manual>"
  void Command7_Click();  // "Pause / Resume"
  void Combo3_Click();
  void Combo3_Change();
  void Check1_Click();

  QGroupBox* Frame1 = nullptr;
  QLabel* Label3 = nullptr;

  QWidget* Picture1 = nullptr;
  QLabel* Text1 = nullptr;
  QComboBox* Combo1 = nullptr;
  QPushButton* Command4 = nullptr;
  QLabel* Label1 = nullptr;
  QComboBox* Combo3 = nullptr;
  QPushButton* Command5 = nullptr;
  QPushButton* Command6 = nullptr;
  QCheckBox* Check1 = nullptr;
  QLabel* Text5 = nullptr;
  QComboBox* Combo4 = nullptr;
  QPushButton* Command1 = nullptr;

  QWidget* Picture2 = nullptr;
  QLabel* Label2 = nullptr;
  QLineEdit* Text3 = nullptr;
  QPlainTextEdit* Text4 = nullptr;
  QPushButton* Command2 = nullptr;
  QPushButton* Command3 = nullptr;
  QPushButton* Command7 = nullptr;

  // The accepted text of Combo3: typing into the box is undone to it.
  QString Combo3Tag;

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void CreateControls();
  void CreateSetupPanel();
  void CreateStreamingPanel();
  void WireControls();
  ProfileChoice::Controls FormatControls();
  void ShowSetupPanel();
  void StartStream();
  void ShowStreamingPanel(const QString& address);
  void ShowEnd(int32_t exitCode, const QString& output);
};
