#pragma once

#include <QString>

// Recording from capture devices and network sources.
namespace Grabador {

// Recording buffer size in megabytes as text; "0" = the tool's default.
extern QString RecBufferSizeMB;

}  // namespace Grabador
