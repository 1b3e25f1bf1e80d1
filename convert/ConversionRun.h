#pragma once

#include <QList>
#include <QString>
#include <cstdint>

// The conversion run: stages input by input, the error table, the end of a run.
namespace Convertidor {

// One failed input of the last run, as the progress window's error panel shows it.
struct FailedStep {
  QString File;   // the input's path, or "<todos los archivos>"
  QString Stage;  // the stage caption shown when it failed
  QString Description;
  QString Command;  // the command line that failed to start or failed
  QString Console;  // the last 4096 characters of that command's output
  bool operator==(const FailedStep&) const = default;
};

// The failures of the current run in the order they happened.
extern QList<FailedStep> Errors;
// The run's temporary folder; "" when the run needs none.
extern QString TempDir;
// 1 when the user asked to stop; the run tests it between steps.
extern uint8_t StopRequested;
// 1 while the input loop runs; the progress window refuses to close meanwhile.
extern uint8_t Running;

// Empties every cell of the command table.
void ClearCommands();

// Converts the whole file list, or, with a test time, a few seconds of it.
void Convert(const QString& testTime);

}  // namespace Convertidor
