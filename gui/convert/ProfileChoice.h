#pragma once

#include <QString>

class QComboBox;
class QPushButton;

// A profile choice as the main window, the recorder and the streamer show it:
// an editable box whose typed text is undone to the accepted one (its tag),
// two fixed items (item 0 "no profile", item 1 "<Manual>", the nameless
// scratch profile edited with ">>"), and any profile picked in the file manager.
namespace ProfileChoice {

struct Controls {
  QComboBox* Combo;
  QPushButton* Edit;     // ">>", enabled only for "<Manual>"
  QString* Tag;          // the accepted text
  QString* ProfilePath;  // "" for item 0
  QString Folder;        // data subfolder of the profiles: "formats", "editp"
  QString Extension;     // their extension without the dot: "qfm", "qep"
};

// An item picked from the list.
void Click(const Controls& controls);
// The user typed into the box.
void Change(const Controls& controls);
// "...": a profile from the file manager over the profiles' folder.
void ChooseProfile(const Controls& controls);

}  // namespace ProfileChoice
