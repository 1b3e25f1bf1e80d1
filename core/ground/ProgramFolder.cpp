#include "core/ground/ProgramFolder.h"

#include <QCoreApplication>
#include <QDir>

namespace ProgramFolder {

namespace {
QString& Override() {
  static QString folder;
  return folder;
}
}  // namespace

QString Path() {
  if (!Override().isEmpty()) return Override();
  return QDir::cleanPath(QCoreApplication::applicationDirPath());
}

void SetForTests(const QString& folder) { Override() = QDir::cleanPath(folder); }

QString AppFiles(const QString& relative) {
  const QString base = Path() + "/appfiles";
  return relative.isEmpty() ? base : base + "/" + relative;
}

}  // namespace ProgramFolder
