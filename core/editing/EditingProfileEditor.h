#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <array>

#include "core/ground/EditProfileRec.h"

// The editing profile being edited in the editing-profile window: the record
// with its saved copy, its file, and the life cycle shared by every editor of
// the program (open, save, close with the save question, undo). Changes the
// window must show are announced through Events().
namespace EditingProfileEditor {

// What the editing-profile window listens to.
class Notifier : public QObject {
  Q_OBJECT

 signals:
  // The current profile was opened, closed or set back: the window shows all
  // of it.
  void ProfileReplaced();
};

// The notifier of the running program's state: a window connects to it when
// it is made, and its connections go with that state.
Notifier& Events();

// appfiles/editp/.qep: the nameless profile behind the main window's "<Manual>".
QString ScratchProfilePath();
// appfiles/editp under the program folder.
QString ProfileFolder();

// The default centre frequency of band 1 to 10, in Hz.
QString DefaultBandFrequency(int band);

// Gives every equaliser text that is not a number its band's default: the
// band's centre frequency, gain "0", width "1". Numbers stay as they are.
void NormalizeEqualizer(EditProfileRec& profile);

// Both records empty, no path, both flags 0, as at start-up.
void Reset();

// Opens a profile into the editor; "" asks through the file manager. Outside
// scratch mode the profile being edited is closed first (with the question).
void OpenProfile(const QString& path);
// Writes the current profile; "" asks for a name. False when nothing was written.
bool SaveProfile(const QString& path);
// Offers to save a changed profile, then empties the editor. False when the
// user cancelled or the save failed.
bool CloseProfile();
bool IsDirty();
// Back to the saved copy; the window shows it again.
void UndoChanges();
// NormalizeEqualizer on the current profile and then on the saved copy.
void NormalizeEqualizer();

// Has the window (when there is one) show the current profile.
void RecordToForm();

// "RRGGBB" to a colour as 0x00BBGGRR; each pair is read as hex up to its
// first non-hex character; "" is black.
int HexToColor(const QString& text);

// The filter names of appfiles/filters by type: audio, video, complex, each in
// the folder's order. A file of another type, or one that cannot be read, is
// in no list.
std::array<QStringList, 3> ReadFilterLists();

// Where each of a profile's filter names lies in the three lists.
struct FilterMatch {
  struct Tick {
    int list = 0;  // 0 audio, 1 video, 2 complex
    int row = 0;
  };
  QList<Tick> ticks;
  QStringList kept;
  QStringList missing;
};
// Finds each name, ignoring case, in the audio list, then video, then complex.
FilterMatch MatchProfileFilters(const DynArray<QString>& names,
                                const std::array<QStringList, 3>& lists);
// Drops the names the match did not find from the current profile's filters.
void DropMissingFilters(const FilterMatch& match);

// The editing profile being edited, its copy as saved, its file and the editor's modes.
struct ProfileEditorState {
  // The profile being edited and its copy as last opened or saved.
  EditProfileRec CurrentProfile;
  EditProfileRec SavedProfile;
  // The .qep being edited; "" for a new, unnamed profile.
  QString CurrentPath;
  // Set while code fills the window from the record: the field handlers then
  // store nothing.
  bool Loading = false;
  // Set while the window edits the scratch profile for the main window.
  bool ScratchMode = false;
  // What the module tells the windows made while this state runs.
  Notifier Events;
};

// This module's part of the running program's AppState.
ProfileEditorState& State();

}  // namespace EditingProfileEditor
