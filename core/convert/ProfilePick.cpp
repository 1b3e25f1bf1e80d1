#include "core/convert/ProfilePick.h"

#include <QFileInfo>

#include "core/ground/ProgramFolder.h"

namespace ProfilePick {

Item ItemOf(const QString& text, const QString& noneText, const QString& manualText) {
  const QString lower = text.toLower();
  if (lower == noneText.toLower()) return Item::None;
  if (lower == manualText.toLower()) return Item::Manual;
  return Item::Named;
}

QString PathFor(Item item, const QString& current, const QString& folder,
                const QString& extension) {
  switch (item) {
    case Item::None:
      return QString();
    case Item::Manual:
      return ProgramFolder::AppFiles(folder) + "/." + extension;
    case Item::Named:
      break;
  }
  return current;
}

QString ShownName(const QString& path, const QString& manualText) {
  const QString base = QFileInfo(path).completeBaseName();
  return base.isEmpty() ? manualText : base;
}

}  // namespace ProfilePick
