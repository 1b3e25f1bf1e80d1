#pragma once

#include <QWidget>

#include "core/convert/ConversionRun.h"
#include "gui/frame/WrappingLineBox.h"

class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;

// The progress window of a conversion run. It stands in for the main window
// while it is open: it shows what the run tells, its two stop buttons ask the
// run to stop, and closing it ends the run's life (tables cleared, temporary
// folder gone).
class ProgressWindow : public QWidget {
  Q_OBJECT

 public:
  explicit ProgressWindow(QWidget* parent = nullptr);
  ~ProgressWindow() override;

  // The open progress window, or nullptr.
  static ProgressWindow* Instance();

  // Heights of the window without and with the error panel, in design pixels
  // (scaled to the desktop's font).
  static constexpr int ShortHeight = 216;
  static constexpr int TallHeight = 406;

  void Form_Load();
  void Command1_Click();
  void Command2_Click();
  void Command3_Click();
  void Command4_Click();
  void List1_Click();

  // What the run tells.
  void ShowStarted();
  void ShowInput(int index, int count, const QString& file);
  void ShowStage(const QString& caption, bool stopEnabled);
  void ShowConsoleLine(const QString& line);
  void ShowInputEnded();
  void ShowFailure(const Conversion::FailedStep& failure, int errorCount);
  void ShowEnded(bool stopped);
  void ShowFinished(const QList<Conversion::FailedStep>& failures);

  QLineEdit* Text1 = nullptr;
  QLineEdit* Text2 = nullptr;
  QLineEdit* Text3 = nullptr;
  QLineEdit* Text4 = nullptr;
  // ffmpeg's status line, wrapped so that the whole of it shows.
  WrappingLineBox* Text5 = nullptr;
  QPushButton* Command1 = nullptr;
  QPushButton* Command2 = nullptr;
  QPushButton* Command3 = nullptr;
  QPushButton* Command4 = nullptr;
  QWidget* Picture1 = nullptr;
  QLabel* Label1 = nullptr;
  QListWidget* List1 = nullptr;
  QLabel* Label2 = nullptr;
  QLineEdit* Text6 = nullptr;
  QLabel* Label3 = nullptr;
  QLineEdit* Text7 = nullptr;
  QLabel* Label4 = nullptr;
  QPlainTextEdit* Text8 = nullptr;
  QLabel* Label5 = nullptr;
  QPlainTextEdit* Text9 = nullptr;

 signals:
  // "Detener": the running step is to finish its output.
  void StopClicked();
  // "Detener (force)", confirmed: the running step is to be killed.
  void ForceStopClicked();

 protected:
  void closeEvent(QCloseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void CreateControls();
  void WireControls();
  void PlaceButtons();
  void Text1_Change();
  void Text5_Change();
  // True when the close must be cancelled.
  bool Form_QueryUnload();
  void Form_Unload();

  // The run's failures as it reported them at its end, in the list's order.
  QList<Conversion::FailedStep> failures_;
};
