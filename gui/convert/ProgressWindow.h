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

  void Load();
  void Stop();
  // Asks first, then has the running step killed.
  void ForceStop();
  // Closes the window once the run has ended.
  void Done();
  // Opens the panel of the files that failed.
  void ShowErrors();
  void ShowSelectedFailure();

  // What the run tells.
  void ShowStarted();
  void ShowInput(int index, int count, const QString& file);
  void ShowStage(const QString& caption, bool stopEnabled);
  void ShowConsoleLine(const QString& line);
  void ShowInputEnded();
  void ShowFailure(const Conversion::FailedStep& failure, int errorCount);
  void ShowEnded(bool stopped);
  void ShowFinished(const QList<Conversion::FailedStep>& failures);

  QLineEdit* currentFile = nullptr;
  // "2/5": the file's place in the run.
  QLineEdit* fileCounter = nullptr;
  QLineEdit* errorCountBox = nullptr;
  QLineEdit* stage = nullptr;
  // ffmpeg's status line, wrapped so that the whole of it shows.
  WrappingLineBox* consoleLine = nullptr;
  QPushButton* stopButton = nullptr;
  QPushButton* doneButton = nullptr;
  QPushButton* showErrorsButton = nullptr;
  QPushButton* forceStopButton = nullptr;
  QWidget* errorPanel = nullptr;
  QLabel* failedFilesLabel = nullptr;
  QListWidget* failedFileList = nullptr;
  QLabel* failedStageLabel = nullptr;
  QLineEdit* failedStage = nullptr;
  QLabel* failureDescriptionLabel = nullptr;
  QLineEdit* failureDescription = nullptr;
  QLabel* failedCommandLabel = nullptr;
  QPlainTextEdit* failedCommand = nullptr;
  QLabel* failedConsoleLabel = nullptr;
  QPlainTextEdit* failedConsole = nullptr;

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
  void OnCurrentFileChanged();
  void OnConsoleLineChanged();
  // True when the close must be cancelled.
  bool RefusesClose();
  void Unload();

  // The run's failures as it reported them at its end, in the list's order.
  QList<Conversion::FailedStep> failures_;
};
