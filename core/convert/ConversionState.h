#pragma once

#include <QList>
#include <QString>

#include "core/convert/CommandTable.h"
#include "core/convert/FailedStep.h"

namespace Conversion {

// The output choices, the command table built from them and the state of the
// run that executes it.
struct ConversionState {
  ConversionChoices Choices;
  // The table of the last successful build; a failed build leaves it as it was.
  CommandTable Commands;
  // Whether the format profile writes numbered output files; set by every
  // build that reaches the format's options.
  bool MultiOutput = false;
  // The failures of the current run in the order they happened.
  QList<FailedStep> Errors;
  // The run's temporary folder; "" when the run needs none.
  QString TempDir;
  // Set while the input loop runs; the progress window refuses to close meanwhile.
  bool Running = false;
};

// This module's part of the running program's AppState.
ConversionState& State();

}  // namespace Conversion
