#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QStringList>

struct ConfigRecord;

// Start-up, shut-down and the configuration record.
namespace Session {

// appfiles/config.qcf under the program folder.
QString ConfigPath();

// Reads config.qcf, when it exists, into the settings' owners; the run
// options go to the conversion's choices, and Events().ConfigApplied tells
// the main window to show them. A file that cannot be read changes nothing.
void ReadConfig();
// Gathers the settings and writes config.qcf; the only place it is written.
// A config.qcf that cannot be read is not written over: it is first moved to
// config.qcf.damaged ("config.qcf (2).damaged" when that name is taken), and
// when it cannot be moved nothing is written.
void WriteConfig();

// The record as the settings' owners hold it now, paths stored relative.
ConfigRecord GatherConfig();
void ApplyConfig(const ConfigRecord& record);

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
SessionEvents& Events();

int FileCount();

// Appends the files in their order; duplicates are kept.
void AppendFiles(const QStringList& files);
// Removes entry row; nothing for a row outside the list (-1 = no selection).
void RemoveFile(int row);
// Tells whoever shows the list that it has changed.
void RefreshFileList();

// Makes a new empty working folder in this copy's own folder below
// appfiles/temp (see TempFolders): ".../temp", ".../temp (2)", ... and
// returns its path; "" when it cannot be made (with a message when asked).
QString CreateTempFolder(bool showError);
// Removes this copy's own folder with every working folder in it; the
// folders of other running copies stay. Called when the main window closes.
void RemoveOwnTempFolder();

// appfiles/doc.pdf, written from the built-in help the first time, then
// opened with the desktop's PDF reader.
QString HelpDocumentPath();
void ShowProgramHelp();

// The manifest beside the executable, named after it: "<name>.exe.manifest".
QString ManifestPath();
// The 680 bytes written there.
QByteArray ManifestText();
// Writes the manifest when it is missing; an existing one is left untouched.
void WriteManifest();

// The program's web page and the page that asks for donations.
extern const char* const WebPage;
extern const char* const DonationPage;
void OpenDonationPage();

// Says which of ffmpeg, ffplay and ffprobe are missing (without cdda2wav the
// program still converts).
void ReportMissingTools();

// The start-up steps that show nothing: the temporary folders (what copies
// that are gone left behind is removed, this copy's own is made), option
// names, configuration and language. The windows that a first run or an
// unknown language needs come after, from the window side.
void Startup();
// No configuration has been written yet.
bool IsFirstRun();

// What the user has chosen for the next conversion: the input list, where the
// output goes and the format and editing profiles.
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
};

// This module's part of the running program's AppState.
SessionState& State();

}  // namespace Session
