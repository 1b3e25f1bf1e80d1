#include "core/convert/OutputChoice.h"

#include "core/convert/CommandTable.h"
#include "core/frame/Session.h"

namespace Conversion {

namespace {

// The remembered path of the mode, or nullptr when it takes none.
QString* OutputPathSlot(OutputMode mode) {
  switch (mode) {
    case OutputJoined:
    case OutputOneFile:
      return &Session::State().OutputFile;
    case OutputChosenFolder:
      return &Session::State().OutputFolder;
    case OutputSourceFolders:
      return nullptr;
  }
  return nullptr;
}

}  // namespace

bool OutputModeTakesPath(OutputMode mode) { return mode != OutputSourceFolders; }

QString OutputPathOf(OutputMode mode) {
  const QString* path = OutputPathSlot(mode);
  return path ? *path : QString();
}

void StoreOutputPath(OutputMode mode, const QString& path) {
  if (QString* slot = OutputPathSlot(mode)) *slot = path;
}

}  // namespace Conversion
