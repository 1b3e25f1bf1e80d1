#pragma once

#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>

#include "core/convert/FailedStep.h"
#include "core/convert/RunSteps.h"

// The conversion run: stages input by input, the error table, the end of a run.
namespace Conversion {

// Empties every cell of the command table.
void ClearCommands();
// Ends a run's life once its progress window has closed: the command table
// and the error table emptied, the temporary folder removed.
void ClearRun();

// What a test that ended well made, for the question that closes it: the
// report, and what a yes opens (the folder of numbered outputs, else the files).
struct TestResult {
  QString Report;
  QString Folder;
  QStringList Files;
  bool operator==(const TestResult&) const = default;
};

// One conversion or test of the command table, from the first input to the
// end. It reads the choices and the table as they are when it executes and
// tells what happens through its signals; stop requests reach it through its slots.
class ConversionRun : public QObject {
  Q_OBJECT

 public:
  // inputs: the files each input gives the tools; shown: the path the user
  // sees for each input (a joined output shows "<todos los archivos>" instead).
  ConversionRun(const QString& testTime, QList<QStringList> inputs, QStringList shown,
                QObject* parent = nullptr);
  ~ConversionRun() override;

  // Runs every input, or until a stop.
  void Execute();
  // True once a stop was asked for, until the run ends.
  bool StopRequested() const { return stopRequested_; }

 public slots:
  // The running step is asked to finish its output ("q"), and the run ends after it.
  void Stop();
  // The running step is killed, and the run ends.
  void ForceStop();

 signals:
  void Started();
  // index counts from 0 of count; file is what the run files failures under.
  void InputStarted(int index, int count, const QString& file);
  // A stage begins; stopEnabled says whether "Detener" may reach its tool.
  void StageStarted(const QString& caption, bool stopEnabled);
  // The tool's status line as it changes ("" when a step starts).
  void ConsoleLine(const QString& line);
  void InputEnded();
  // A row of the error table; errorCount counts the run's failures so far.
  void Failed(const Conversion::FailedStep& failure, int errorCount);
  // The run is over; the closing question of a test, if any, follows.
  void Ended(bool stopped);
  // A test ended well: its question is to be asked now.
  void TestFinished(const Conversion::TestResult& result);
  // Last: every failure of the run, in order.
  void Finished(const QList<Conversion::FailedStep>& failures);

 private:
  class Steps;
  Steps* steps_;
  bool stopRequested_ = false;
  bool forcedStop_ = false;
};

}  // namespace Conversion
