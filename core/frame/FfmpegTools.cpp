#include "core/frame/FfmpegTools.h"

#include <QFileInfo>
#include <QStandardPaths>
#include <QStringList>

#include "core/frame/Session.h"
#include "core/ground/FileServices.h"
#include "core/ground/ProgramFolder.h"
#include "core/lang/Lang.h"

namespace FfmpegTools {

namespace {

bool ToolExists(const QString& path, void (*notFound)()) {
  if (FileServices::FileExists(path)) return true;
  notFound();
  return false;
}

}  // namespace

void InitOptionNames() { State().OptNames = FfmpegOptionNames::Defaults(); }

bool FfmpegExists() { return ToolExists(State().FfmpegPath, Lang::MsgFfmpegNotFound); }
bool FfplayExists() { return ToolExists(State().FfplayPath, Lang::MsgFfplayNotFound); }
bool FfprobeExists() { return ToolExists(State().FfprobePath, Lang::MsgFfprobeNotFound); }

const QStringList& ToolNames() {
  static const QStringList names = {"ffmpeg", "ffplay", "ffprobe", "cdda2wav"};
  return names;
}

QStringList FindTools(const QString& folder, const QList<bool>& missing) {
  const QStringList& names = ToolNames();
  QStringList found(names.size());
  int left = static_cast<int>(missing.count(true));
  if (left == 0) return found;
  for (const QString& file : FileServices::ListFilesRecursive(folder, QString())) {
    const QFileInfo info(file);
    for (int tool = 0; tool < names.size(); ++tool) {
      if (missing[tool] && found[tool].isEmpty() && info.fileName().toLower() == names[tool] &&
          info.isExecutable()) {
        found[tool] = file;
        --left;
      }
    }
    if (left == 0) break;
  }
  // On Linux the tools usually come from the system's packages rather than
  // beside the program, so what the program folder lacks is looked up on PATH.
  for (int tool = 0; tool < names.size(); ++tool) {
    if (missing[tool] && found[tool].isEmpty()) {
      found[tool] = QStandardPaths::findExecutable(names[tool]);
    }
  }
  return found;
}

QStringList WithMissingToolsFound(const QStringList& paths) {
  QList<bool> missing;
  for (const QString& path : paths) missing << !FileServices::FileExists(path);
  if (!missing.contains(true)) return paths;
  const QStringList found = FindTools(ProgramFolder::Path(), missing);
  QStringList result = paths;
  for (int tool = 0; tool < result.size(); ++tool) {
    if (!found[tool].isEmpty()) result[tool] = found[tool];
  }
  return result;
}

ToolProblem CheckTool(const QString& path) {
  const QFileInfo info(path);
  if (!info.isFile()) return ToolProblem::Missing;
  if (!info.isExecutable()) return ToolProblem::NotProgram;
  return ToolProblem::None;
}

QString ShownToolPath(const QString& path) {
  const QString shown = Session::StoreAppPath(path);
  return FileServices::FileExists(path) ? shown : shown + "<" + Lang::TxtNotFound() + ">";
}
}  // namespace FfmpegTools
