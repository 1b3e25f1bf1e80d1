#pragma once

#include <QByteArray>
#include <QString>

struct ConfigRecord;

// The program's life: start-up, the configuration record it reads at start
// and writes at exit, and the manifest. The help document and the web pages
// are ProgramHelp's.
namespace Lifecycle {

// appfiles/config.qcf under the program folder.
QString ConfigPath();

// Reads config.qcf, when it exists, into the settings' owners; the run
// options go to the conversion's choices, and Session::Events().ConfigApplied
// tells the main window to show them. A file that cannot be read changes nothing.
void ReadConfig();
// Gathers the settings and writes config.qcf; the only place it is written.
// A config.qcf that cannot be read is not written over: it is first moved to
// config.qcf.damaged ("config.qcf (2).damaged" when that name is taken), and
// when it cannot be moved nothing is written. Nothing is written either
// while a first run's windows are still open (Session::State().FirstRunUnfinished).
void WriteConfig();

// The record as the settings' owners hold it now, paths stored relative.
ConfigRecord GatherConfig();
void ApplyConfig(const ConfigRecord& record);

// The manifest beside the executable, named after it: "<name>.exe.manifest".
QString ManifestPath();
// The 680 bytes written there.
QByteArray ManifestText();
// Writes the manifest when it is missing; an existing one is left untouched.
void WriteManifest();

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

}  // namespace Lifecycle
