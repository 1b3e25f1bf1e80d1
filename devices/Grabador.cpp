#include "devices/Grabador.h"

namespace Grabador {

QString RecBufferSizeMB;

}  // namespace Grabador
