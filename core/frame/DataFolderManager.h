#pragma once

#include <QHash>
#include <QString>
#include <QStringList>
#include <cstdint>

// The file manager over one sub-folder of the data folder and one extension:
// the program's open and save-as dialog for its record files, and the place
// where the user creates, renames, copies, deletes and edits them.
//
// Entries are file names without folder and extension. A special entry,
// "<" + name + ">", stands for the folder's nameless file ("/.qfm").
namespace DataFolderManager {

enum class Mode : uint8_t { Administer = 0, Open = 1, SaveAs = 2, SaveAsNoQuestion = 3 };

// Shows the manager and returns the chosen full path, or "" when the user
// cancelled. With wait false the window is left open and "" comes back at once.
// Every other window is hidden while it is shown. "" without a manager window
// installed.
QString ShowFileManager(const QString& folder, const QString& extension, Mode mode, bool wait);

// Shows the manager window as ShowFileManager says; installed by the window side at start-up.
using ManagerWindow = QString (*)(const QString& folder, const QString& extension, Mode mode,
                                  bool wait);
void InstallManagerWindow(ManagerWindow show);

// Sets the state for a manager over folder and extension in mode, as
// ShowFileManager does before it fills the list.
void Prepare(const QString& folder, const QString& extension, Mode mode);

void InitSpecialEntries();
bool IsSpecialEntry(const QString& text);
// The special entries, then the base names of the folder's files.
QStringList ListEntries();
// The file an entry or a typed name stands for.
QString EntryPath(const QString& text);

// The actions of the buttons. selected is the selected entry, "" when none.
// Each returns true when the folder changed and the list must be refreshed.
bool NewFile(const QString& selected);
// Writes an empty record of the extension's kind under name; false (after a
// message) when the folder or the file cannot be made.
bool CreateEmptyFile(const QString& name);
bool RenameFile(const QString& selected);
bool CopyFile(const QString& selected);
bool DeleteFile(const QString& selected);

// What "Aceptar" with the typed text came to: Accepted when FmResult is set
// and the manager closes; NameMissing (no message) when a name to save as was
// left empty; Refused after a message or a "no" to replacing.
enum class Acceptance { Accepted, Refused, NameMissing };
Acceptance AcceptSelection(const QString& text);

// The editor of an extension; nullptr where the program has none.
using Editor = void (*)(const QString& name);
Editor EditorFor(const QString& extension);
// Hands the manager the editor of an extension's files (the windows do at
// start-up); nullptr removes it.
void InstallEditor(const QString& extension, Editor editor);

// Whether "Editar" is offered: only while the manager administers files of an
// extension that has an editor.
bool EditAvailable();
// "Editar": asks for the editor when an entry is selected and the extension has one.
void EditSelected(const QString& selected);
// The name an editor gets for an entry: "*" for the nameless file.
QString EditorName(const QString& entry);

// The folder and kind of file the manager shows, how, and what it came to; and
// the windows it opens.
struct ManagerState {
  // State of the manager being shown, set afresh at every opening.
  QString FmFolder;     // full path, no trailing '/'
  QString FmExtension;  // without the dot, as the caller gives it
  Mode FmMode = Mode::Administer;
  QString FmResult;              // the chosen full path; "" until "Aceptar" succeeds
  QStringList FmSpecialEntries;  // names shown in angle brackets
  bool FmEditRequested = false;  // set once "Editar" asked for the editor

  // The manager window and the editors by extension (lower case), as the
  // window side installed them.
  ManagerWindow Window = nullptr;
  QHash<QString, Editor> Editors;
};

// This module's part of the running program's AppState.
ManagerState& State();

}  // namespace DataFolderManager
