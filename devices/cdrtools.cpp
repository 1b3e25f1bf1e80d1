#include "devices/cdrtools.h"

namespace cdrtools {

QString Cdda2wavPath;

}  // namespace cdrtools
