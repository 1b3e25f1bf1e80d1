#include "gui/convert/ProfileChoice.h"

#include <QComboBox>
#include <QPushButton>

#include "core/convert/ProfilePick.h"
#include "core/frame/DataFolderManager.h"
#include "core/ground/ProgramFolder.h"

namespace ProfileChoice {

namespace {

ProfilePick::Item ItemOf(const Controls& controls, const QString& text) {
  return ProfilePick::ItemOf(text, controls.Combo->itemText(NoProfileItem),
                             controls.Combo->itemText(ManualItem));
}

void SwitchEdit(const Controls& controls) {
  controls.EditButton->setEnabled(ItemOf(controls, controls.Combo->currentText()) ==
                                  ProfilePick::Item::Manual);
}

// Shows a text, selecting its list item when it is one.
void ShowText(QComboBox* combo, const QString& text) {
  const int index = combo->findText(text);
  combo->setCurrentIndex(index);
  if (index < 0) combo->setEditText(text);
}

}  // namespace

void TakeChosenItem(const Controls& controls) {
  const QString text = controls.Combo->currentText();
  SwitchEdit(controls);
  *controls.AcceptedText = text;
  *controls.ProfilePath = ProfilePick::PathFor(ItemOf(controls, text), *controls.ProfilePath,
                                               controls.Folder, controls.Extension);
}

void UndoTyping(const Controls& controls) {
  ShowText(controls.Combo, *controls.AcceptedText);
  SwitchEdit(controls);
  if (ItemOf(controls, controls.Combo->currentText()) == ProfilePick::Item::None) {
    controls.ProfilePath->clear();
  }
}

void ChooseProfile(const Controls& controls) {
  const QString path =
      DataFolderManager::ShowFileManager(ProgramFolder::AppFiles(controls.Folder),
                                         controls.Extension, DataFolderManager::Mode::Open, true);
  if (path.isEmpty()) return;
  *controls.AcceptedText = ProfilePick::ShownName(path, controls.Combo->itemText(ManualItem));
  ShowText(controls.Combo, *controls.AcceptedText);
  SwitchEdit(controls);
  *controls.ProfilePath = path;
}

}  // namespace ProfileChoice
