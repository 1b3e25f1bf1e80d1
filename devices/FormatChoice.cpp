#include "devices/FormatChoice.h"

#include <QComboBox>
#include <QPushButton>

#include "formats/FormatEdit.h"
#include "frame/Appfilesadm.h"
#include "frame/ProgramFolder.h"
#include "frame/ScriptObj.h"
#include "lang/Lang.h"

namespace FormatChoice {

namespace {

void SwitchEdit(const Controls& controls) {
  controls.Edit->setEnabled(IsManual(controls.Combo->currentText()));
}

// Shows a text, selecting its list item when it is one.
void ShowText(QComboBox* combo, const QString& text) {
  const int index = combo->findText(text);
  combo->setCurrentIndex(index);
  if (index < 0) combo->setEditText(text);
}

}  // namespace

QString AutomaticItem() { return "<" + Lang::TxtAutomatic() + ">"; }
QString ManualItem() { return "<" + Lang::TxtManual() + ">"; }
bool IsAutomatic(const QString& text) { return text.toLower() == AutomaticItem().toLower(); }
bool IsManual(const QString& text) { return text.toLower() == ManualItem().toLower(); }

void Click(const Controls& controls) {
  const QString text = controls.Combo->currentText();
  SwitchEdit(controls);
  *controls.Tag = text;
  if (IsAutomatic(text)) controls.ProfilePath->clear();
  if (IsManual(text)) *controls.ProfilePath = FormatEdit::ScratchProfilePath();
}

void Change(const Controls& controls) {
  ShowText(controls.Combo, *controls.Tag);
  SwitchEdit(controls);
  if (IsAutomatic(controls.Combo->currentText())) controls.ProfilePath->clear();
}

void ChooseProfile(const Controls& controls) {
  const QString path = Appfilesadm::ShowFileManager(ProgramFolder::AppFiles("formats"), "qfm",
                                                    Appfilesadm::Open, true);
  if (path.isEmpty()) return;
  const QString base = ScriptObj::GetBaseName(path);
  *controls.Tag = base.isEmpty() ? ManualItem() : base;
  ShowText(controls.Combo, *controls.Tag);
  SwitchEdit(controls);
  *controls.ProfilePath = path;
}

void EditManual() { FormatEdit::ShowEditor("*", 1); }

}  // namespace FormatChoice
