#include "core/frame/Session.h"

#include <QDir>
#include <QFileInfo>
#include <memory>

#include "core/frame/TempFolders.h"
#include "core/ground/FileServices.h"
#include "core/ground/ProgramFolder.h"
#include "core/lang/Lang.h"

namespace Session {

QString StoreAppPath(const QString& path) {
  const QString prefix = ProgramFolder::Path() + "/";
  return path.startsWith(prefix) ? path.mid(prefix.size()) : path;
}

QString ResolveAppPath(const QString& path) {
  if (path.isEmpty() || QDir::isAbsolutePath(path)) return path;
  return QDir::cleanPath(ProgramFolder::Path() + "/" + path);
}

SessionEvents& Events() { return State().Events; }

int FileCount() { return static_cast<int>(State().FileList.size()); }

void AppendFiles(const QStringList& files) {
  if (files.isEmpty()) return;
  State().FileList.append(files);
  RefreshFileList();
}

void RemoveFile(int row) {
  if (row < 0 || row >= State().FileList.size()) return;
  State().FileList.removeAt(row);
  RefreshFileList();
}

void RemoveAllFiles() {
  State().FileList.clear();
  RefreshFileList();
}

int MoveFile(int row, int step) {
  const int target = row + step;
  if (row < 0 || row >= FileCount() || target < 0 || target >= FileCount()) return -1;
  State().FileList.swapItemsAt(row, target);
  RefreshFileList();
  return target;
}

QStringList AppendDroppedPaths(const QStringList& paths) {
  QStringList files;
  for (const QString& path : paths) {
    if (FileServices::FileExists(path)) files << path;
    if (FileServices::FolderExists(path)) files << FileServices::ListFiles(path, "");
  }
  State().FileList << files;
  return files;
}

QString LastFileFolder() {
  const QStringList& files = State().FileList;
  return files.isEmpty() ? QString() : QFileInfo(files.last()).path();
}

void RefreshFileList() { emit Events().FileListChanged(); }

namespace {

// This copy's working folders. They follow the program folder, which a test
// points elsewhere; the program's own never moves.
TempFolders& CopyTempFolders() {
  static std::unique_ptr<TempFolders> folders;
  const QString root = ProgramFolder::AppFiles("temp");
  if (!folders || folders->Root() != root) folders = std::make_unique<TempFolders>(root);
  return *folders;
}

}  // namespace

QString CreateTempFolder(bool showError) {
  TempFolders& folders = CopyTempFolders();
  const bool claimed = folders.Claim();
  const QString folder = FileServices::UniquePath(folders.OwnFolder() + "/temp", false);
  if (claimed && FileServices::CreateFolder(folder)) return folder;
  if (showError) Lang::MsgCannotCreateDir(folder);
  return QString();
}

bool LiesInWorkingFolders(const QString& path) { return CopyTempFolders().LiesInACopyFolder(path); }

void RemoveOwnTempFolder() { CopyTempFolders().Release(); }

void ClaimOwnTempFolder() {
  TempFolders& folders = CopyTempFolders();
  folders.RemoveLeftovers();
  folders.Claim();
}

}  // namespace Session
