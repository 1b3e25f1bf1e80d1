#pragma once

#include <QString>

// The path that goes with each output mode: the file of modes 0 and 1, the
// folder of mode 3, none for the inputs' own folders.
namespace Conversion {

// Whether the mode takes a path the user types or picks.
bool OutputModeTakesPath(int mode);
// The remembered path the output box shows for the mode; "" when it takes none.
QString OutputPathOf(int mode);
// Remembers a typed or picked path as the mode's own; nothing for a mode
// without a path.
void StoreOutputPath(int mode, const QString& path);

}  // namespace Conversion
