#pragma once

#include <QString>

class QComboBox;
class QPushButton;

// A profile choice as the main window, the recorder and the streamer show it:
// an editable box whose typed text is undone to the accepted one, two fixed
// items (item 0 "no profile", item 1 "<Manual>", the nameless scratch profile
// edited with ">>"), and any profile picked in the file manager.
namespace ProfileChoice {

// The two fixed items, first in every profile list.
enum FixedItem { NoProfileItem = 0, ManualItem = 1 };

struct Controls {
  QComboBox* Combo;
  QPushButton* EditButton;  // ">>", enabled only for "<Manual>"
  QString* AcceptedText;    // what the box is undone to
  QString* ProfilePath;     // "" for NoProfileItem
  QString Folder;           // data subfolder of the profiles: "formats", "editp"
  QString Extension;        // their extension without the dot: "qfm", "qep"
};

// An item picked from the list becomes the choice.
void TakeChosenItem(const Controls& controls);
// Text typed into the box is undone to the accepted text.
void UndoTyping(const Controls& controls);
// "...": a profile from the file manager over the profiles' folder.
void ChooseProfile(const Controls& controls);

}  // namespace ProfileChoice
