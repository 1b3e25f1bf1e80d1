#pragma once

#include <QString>

#include "core/convert/CommandTable.h"

// The path that goes with each output mode: the file of the two file modes,
// the folder of the chosen folder, none for the inputs' own folders.
namespace Conversion {

// Whether the mode takes a path the user types or picks.
bool OutputModeTakesPath(OutputMode mode);
// The remembered path the output box shows for the mode; "" when it takes none.
QString OutputPathOf(OutputMode mode);
// Remembers a typed or picked path as the mode's own; nothing for a mode
// without a path.
void StoreOutputPath(OutputMode mode, const QString& path);

}  // namespace Conversion
