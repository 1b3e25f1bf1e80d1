#pragma once

#include <QString>

namespace Conversion {

// One failed input of the last run, as the progress window's error panel shows it.
struct FailedStep {
  QString File;   // the input's path, or "<todos los archivos>"
  QString Stage;  // the stage caption shown when it failed
  QString Description;
  QString Command;  // the command line that failed to start or failed
  QString Console;  // the last 4096 characters of that command's output
  bool operator==(const FailedStep&) const = default;
};

}  // namespace Conversion
