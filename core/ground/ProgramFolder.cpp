#include "core/ground/ProgramFolder.h"

#include <QCoreApplication>
#include <QDir>

namespace ProgramFolder {

QString Path() {
  const QString& testFolder = State().TestFolder;
  if (!testFolder.isEmpty()) return testFolder;
  return QDir::cleanPath(QCoreApplication::applicationDirPath());
}

void SetForTests(const QString& folder) { State().TestFolder = QDir::cleanPath(folder); }

QString AppFiles(const QString& relative) {
  const QString base = Path() + "/appfiles";
  return relative.isEmpty() ? base : base + "/" + relative;
}

}  // namespace ProgramFolder
