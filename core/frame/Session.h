#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

// The session: what the user has chosen for the next conversion, the input
// list's changes, paths stored relative to the program folder, and this
// copy's working folders.
namespace Session {

// A path inside the program folder is kept relative to it: only a leading
// program folder and its '/' are removed; any other path stays as it is.
QString StoreAppPath(const QString& path);
// An absolute path stays; a relative one is joined to the program folder.
QString ResolveAppPath(const QString& path);

// What the application's state tells the windows that show it.
class SessionEvents : public QObject {
  Q_OBJECT

 signals:
  // The input file list has changed; the main window shows it again.
  void FileListChanged();
  // A configuration was read; the main window shows its run options.
  void ConfigApplied();
};
// The running program's state's events: a window connects to them when it is
// made, and its connections go with that state.
SessionEvents& Events();

int FileCount();

// Appends the files in their order; duplicates are kept.
void AppendFiles(const QStringList& files);
// Removes entry row; nothing for a row outside the list (-1 = no selection).
void RemoveFile(int row);
// Empties the list.
void RemoveAllFiles();
// Swaps entry row with its neighbour row + step (-1 up, +1 down) and returns
// the entry's new row; -1, changing nothing, when either row is outside the list.
int MoveFile(int row, int step);
// Appends the files among the dropped paths as they come, a folder's own files
// in their listed order, and returns what was appended. The list is not told
// to refill: whoever shows it adds the returned files itself.
QStringList AppendDroppedPaths(const QStringList& paths);
// The folder of the last file in the list, where picking more files starts;
// "" for an empty list.
QString LastFileFolder();
// Tells whoever shows the list that it has changed.
void RefreshFileList();

// Makes a new empty working folder in this copy's own folder below
// appfiles/temp (see TempFolders): ".../temp", ".../temp (2)", ... and
// returns its path; "" when it cannot be made (with a message when asked).
QString CreateTempFolder(bool showError);
// Removes this copy's own folder with every working folder in it; the
// folders of other running copies stay. Called when the main window closes.
void RemoveOwnTempFolder();
// Whether what is written at path would go when a copy of the program
// closes: it lies in a copy's own folder below appfiles/temp, this copy's
// working folders (and the CD tracks ripped for the list) among them.
bool LiesInWorkingFolders(const QString& path);
// Start-up: removes what copies that are gone left behind below appfiles/temp
// and claims this copy's own folder there.
void ClaimOwnTempFolder();

// What the user has chosen for the next conversion: the input list, where the
// output goes and the format and editing profiles; and the events that tell
// the windows of it.
struct SessionState {
  // The conversion's output and profile choices, written by the main window;
  // "" until chosen and never stored in config.qcf.
  QString OutputFile;         // output modes 0 and 1
  QString OutputFolder;       // output mode 3
  QString FormatProfilePath;  // "" = no profile; appfiles/formats/.qfm = "<Manual>"
  QString EditProfilePath;    // "" = no editing; appfiles/editp/.qep = "<Manual>"
  // The input files as full paths, in the order the main window shows them.
  // Every change ends with RefreshFileList.
  QStringList FileList;
  // True from the start of a first run until its windows are through: a
  // program ended meanwhile writes no config.qcf, so its next start is a
  // first run again.
  bool FirstRunUnfinished = false;
  // What the session tells the windows made while this state runs.
  SessionEvents Events;
};

// This module's part of the running program's AppState.
SessionState& State();

}  // namespace Session
