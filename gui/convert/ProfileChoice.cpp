#include "gui/convert/ProfileChoice.h"

#include <QComboBox>
#include <QPushButton>

#include "core/frame/DataFolderManager.h"
#include "core/frame/FileServices.h"
#include "core/frame/ProgramFolder.h"

namespace ProfileChoice {

namespace {

// The fixed items are compared in lower case, as the translators may write them.
bool IsItem(const Controls& controls, int item, const QString& text) {
  return text.toLower() == controls.Combo->itemText(item).toLower();
}

void SwitchEdit(const Controls& controls) {
  controls.Edit->setEnabled(IsItem(controls, 1, controls.Combo->currentText()));
}

// Shows a text, selecting its list item when it is one.
void ShowText(QComboBox* combo, const QString& text) {
  const int index = combo->findText(text);
  combo->setCurrentIndex(index);
  if (index < 0) combo->setEditText(text);
}

}  // namespace

void Click(const Controls& controls) {
  const QString text = controls.Combo->currentText();
  SwitchEdit(controls);
  *controls.Tag = text;
  if (IsItem(controls, 0, text)) controls.ProfilePath->clear();
  if (IsItem(controls, 1, text)) {
    *controls.ProfilePath = ProgramFolder::AppFiles(controls.Folder) + "/." + controls.Extension;
  }
}

void Change(const Controls& controls) {
  ShowText(controls.Combo, *controls.Tag);
  SwitchEdit(controls);
  if (IsItem(controls, 0, controls.Combo->currentText())) controls.ProfilePath->clear();
}

void ChooseProfile(const Controls& controls) {
  const QString path = DataFolderManager::ShowFileManager(
      ProgramFolder::AppFiles(controls.Folder), controls.Extension, DataFolderManager::Open, true);
  if (path.isEmpty()) return;
  const QString base = FileServices::GetBaseName(path);
  *controls.Tag = base.isEmpty() ? controls.Combo->itemText(1) : base;
  ShowText(controls.Combo, *controls.Tag);
  SwitchEdit(controls);
  *controls.ProfilePath = path;
}

}  // namespace ProfileChoice
