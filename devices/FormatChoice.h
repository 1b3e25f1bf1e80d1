#pragma once

#include <QString>

class QComboBox;
class QPushButton;

// The "Formato:" choice that the recorder and the streamer share: an editable
// box whose typed text is undone to the accepted one (its tag), the fixed items
// "<Automático>" (no profile) and "<Manual>" (the format editor's scratch
// profile, edited with ">>"), and any profile picked in the file manager.
namespace FormatChoice {

struct Controls {
  QComboBox* Combo;
  QPushButton* Edit;     // ">>", enabled only for "<Manual>"
  QString* Tag;          // the accepted text
  QString* ProfilePath;  // "" for "<Automático>"
};

// "<" + the catalogue word + ">".
QString AutomaticItem();
QString ManualItem();
// Compared in lower case, as the fixed items always are.
bool IsAutomatic(const QString& text);
bool IsManual(const QString& text);

// An item picked from the list.
void Click(const Controls& controls);
// The user typed into the box.
void Change(const Controls& controls);
// "...": a profile from the file manager over appfiles/formats.
void ChooseProfile(const Controls& controls);
// ">>": the format editor on the "<Manual>" profile.
void EditManual();

}  // namespace FormatChoice
