#pragma once

#include <QString>
#include <QStringList>

class QWidget;

// The desktop's file, folder and colour dialogs and its shell services, all
// through the dialog layer. Filters are "Description|pattern|..." pairs, as
// Dialogs takes them; a file dialog starts on the first filter.
namespace DesktopServices {

// The folder a file dialog opens on: the given one, else LastFolder; when
// that is not an existing folder, the desktop.
QString StartingFolder(const QString& folder);

// Full paths of the chosen files in the dialog's order; empty when cancelled.
QStringList OpenFileDialog(const QString& filter, QWidget* owner, const QString& startFolder,
                           const QString& title, bool multiSelect,
                           const QString& defaultFileName = QString());
// The chosen path with surrounding blanks trimmed; "" when cancelled.
QString SaveFileDialog(const QString& title, const QString& startFolder, const QString& filter,
                       QWidget* owner, bool overwritePrompt,
                       const QString& defaultFileName = QString());

// The identifiers that the program asks for.
enum SpecialFolder { Desktop = 0, DesktopDirectory = 16 };
// The folder's path, or "" for an identifier the desktop has no folder for.
QString GetSpecialFolderPath(int folder);

// The chosen colour as 0x00BBGGRR, or -1 when cancelled. An initial colour of
// -1 starts the dialog on black.
int ChooseColorDialog(QWidget* owner, int initialColor);

// Opens a document, folder or web address with the desktop's associated
// program. When no program could open it, the user is told so, with the path
// or address to open by hand and what to install, and the result is false.
bool ShellOpen(const QString& target);

enum class DeleteMode { AskThenTrash, Trash, AskThenDeleteForGood, DeleteForGood };
// Deletes one file or folder: to the trash or for good, after a question or at
// once. True when the thing is gone, and also when the user answered No:
// declining is the user's choice, not a failure to report (the thing stays).
// The question is in the language in force. The user's trash is made first
// when it is missing (see Trash). A trash that cannot take the file leaves it
// where it was (false) at once; it is never deleted for good instead.
bool ShellDeleteFile(const QString& path, DeleteMode mode);

// What the file dialogs remember.
struct DesktopState {
  // The folder of the last file picked in an open or save dialog; "" until the
  // first pick. It lives for the run only.
  QString LastFolder;
};

// This module's part of the running program's AppState.
DesktopState& State();

}  // namespace DesktopServices
