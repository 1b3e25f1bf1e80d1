#pragma once

#include <QString>

struct ConfigRecord;

// Start-up, shut-down and the configuration record.
namespace Aplicacion {

// appfiles/config.qcf under the program folder.
QString ConfigPath();

// Reads config.qcf, when it exists, into the settings' owners and the main
// window's option menu. A file that cannot be read changes nothing.
void ReadConfig();
// Gathers the settings and writes config.qcf; the only place it is written.
void WriteConfig();

// The record as the settings' owners hold it now, paths stored relative.
ConfigRecord GatherConfig();
void ApplyConfig(const ConfigRecord& record);

// A path inside the program folder is kept relative to it: only a leading
// program folder and its '/' are removed; any other path stays as it is.
QString StoreAppPath(const QString& path);
// An absolute path stays; a relative one is joined to the program folder.
QString ResolveAppPath(const QString& path);

// Called last by the main window's load: option names, configuration,
// language, and on a first run the tool paths and the about box.
void Startup();

}  // namespace Aplicacion
