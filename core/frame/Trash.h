#pragma once

#include <QString>

// The desktop's trash as freedesktop.org lays it out: a trash folder holds a
// "files" folder with the trashed things under names free there, and an
// "info" folder with one "<name>.trashinfo" file for each, saying where the
// thing was and when it went. The information file is made first, the thing
// moved after it.
//
// Every step gives up at once when the trash cannot take the thing (a
// folder that cannot be written, a plain file where "info" should be, a
// full disk): the thing then stays where it was, and nothing is left behind
// in the trash.
namespace Trash {

// Moves the file or folder (a link itself, never what it points to) into the
// trash of its own disk: the user's trash (XDG_DATA_HOME/Trash, each missing
// level made for the user alone) when it lies on the same disk, else the
// disk's .Trash/<user id> or .Trash-<user id>. False when no trash takes it.
bool Move(const QString& path);

}  // namespace Trash
