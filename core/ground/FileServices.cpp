#include "core/ground/FileServices.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <system_error>

namespace FileServices {

namespace {

std::filesystem::path FsPath(const QString& path) {
  return std::filesystem::path(path.toStdString());
}

QStringList Entries(const QString& folder, QDir::Filters filters) {
  QStringList paths;
  const QDir dir(folder);
  for (const QString& name : dir.entryList(filters | QDir::NoDotAndDotDot, QDir::Name)) {
    paths << dir.filePath(name);
  }
  return paths;
}

// The extensions closed by a colon, lower-cased; empty when the list has no colon.
QStringList ParseExtensions(const QString& extensions) {
  QStringList parsed = extensions.toLower().split(':');
  parsed.removeLast();  // the text after the last colon is not an extension
  return parsed;
}

}  // namespace

bool FolderExists(const QString& path) { return !path.isEmpty() && QFileInfo(path).isDir(); }

bool FileExists(const QString& path) { return !path.isEmpty() && QFileInfo(path).isFile(); }

bool NameTaken(const QString& path) {
  struct stat status {};
  return !path.isEmpty() && ::lstat(QFile::encodeName(path).constData(), &status) == 0;
}

bool IsRealFolder(const QString& path) {
  struct stat status {};
  return !path.isEmpty() && ::lstat(QFile::encodeName(path).constData(), &status) == 0 &&
         S_ISDIR(status.st_mode);
}

bool CreateFolder(const QString& path) { return !path.isEmpty() && QDir().mkdir(path); }

bool IsValidFileName(const QString& name) {
  static const QString kForbidden = QStringLiteral("?*:\\/<>|\"");
  for (QChar c : name) {
    if (kForbidden.contains(c)) return false;
  }
  return true;
}

bool CopyFile(const QString& source, const QString& destination, bool overwrite) {
  if (!FileExists(source)) return false;
  QString target = destination;
  if (FolderExists(destination)) target = destination + "/" + QFileInfo(source).fileName();
  const bool wasThere = NameTaken(target);
  std::error_code error;
  const auto options = overwrite ? std::filesystem::copy_options::overwrite_existing
                                 : std::filesystem::copy_options::none;
  if (std::filesystem::copy_file(FsPath(source), FsPath(target), options, error) && !error)
    return true;
  // A copy that could not be finished (a full disk) leaves nothing of itself.
  if (!wasThere && error != std::errc::file_exists) QFile::remove(target);
  return false;
}

bool RenameNoReplace(const QString& from, const QString& to) {
  const QByteArray fromName = QFile::encodeName(from);
  const QByteArray toName = QFile::encodeName(to);
  if (::renameat2(AT_FDCWD, fromName.constData(), AT_FDCWD, toName.constData(), RENAME_NOREPLACE) ==
      0) {
    return true;
  }
  if (errno != EINVAL && errno != ENOSYS) return false;
  // A file system that cannot rename without replacing.
  if (NameTaken(to)) {
    errno = EEXIST;
    return false;
  }
  return ::rename(fromName.constData(), toName.constData()) == 0;
}

bool MoveFile(const QString& source, const QString& destination) {
  if (!QFileInfo::exists(source) || NameTaken(destination)) return false;
  if (RenameNoReplace(source, destination)) return true;
  if (errno != EXDEV) return false;
  // Onto another disk a move is a copy and a removal; a copy that could not
  // be finished (a full disk) leaves nothing of itself.
  if (!CopyFile(source, destination, false)) return false;
  if (QFile::remove(source)) return true;
  QFile::remove(destination);
  return false;
}

bool RenameFileKeepExtension(const QString& path, const QString& newBase) {
  if (!FileExists(path) || newBase.isEmpty() || newBase.contains('/')) return false;
  const QFileInfo info(path);
  const QString extension = info.suffix();
  QString target = info.path() + "/" + newBase;
  if (!extension.isEmpty()) target += "." + extension;
  return MoveFile(path, target);
}

bool DeleteFile(const QString& path) {
  if (FileExists(path)) QFile::remove(path);
  return !FileExists(path);
}

bool DeleteFolder(const QString& path) {
  if (FolderExists(path)) QDir(path).removeRecursively();
  return !FolderExists(path);
}

qint64 FileSize(const QString& path) {
  const QFileInfo info(path);
  return info.isFile() ? info.size() : 0;
}

qint64 FolderSize(const QString& path) {
  if (!FolderExists(path)) return 0;
  qint64 total = 0;
  QDirIterator it(path, QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
  while (it.hasNext()) {
    it.next();
    total += it.fileInfo().size();
  }
  return total;
}

QString UniquePath(const QString& path, bool forceSuffix) {
  const QFileInfo info(path);
  const QString base = info.completeBaseName();
  const QString extension = info.suffix();
  const QString prefix = path.left(path.lastIndexOf('/') + 1);
  const auto candidate = [&](const QString& name) {
    return extension.isEmpty() ? prefix + name : prefix + name + "." + extension;
  };
  QString name = forceSuffix ? base + " (2)" : base;
  for (int counter = 2; NameTaken(candidate(name)); ++counter) {
    name = base + " (" + QString::number(counter) + ")";
  }
  return candidate(name);
}

QStringList ListFiles(const QString& folder, const QString& extensions) {
  if (!FolderExists(folder)) return {};
  // Regular files and links to them only: a named pipe, a device or a dangling
  // link is no file to read, and opening a pipe would wait for a writer.
  QStringList files;
  for (const QString& file : Entries(folder, QDir::Files | QDir::Hidden)) {
    if (FileExists(file)) files << file;
  }
  if (!extensions.contains(':')) return files;
  const QStringList wanted = ParseExtensions(extensions);
  QStringList kept;
  for (const QString& file : files) {
    if (wanted.contains(QFileInfo(file).suffix().toLower())) kept << file;
  }
  return kept;
}

QStringList ListSubFolders(const QString& folder) {
  if (!FolderExists(folder)) return {};
  // Linked folders are left out, so that a link back up never makes a walk endless.
  return Entries(folder, QDir::Dirs | QDir::Hidden | QDir::NoSymLinks);
}

QStringList ListSubFoldersRecursive(const QString& folder) {
  QStringList all = ListSubFolders(folder);
  for (qsizetype i = 0; i < all.size(); ++i) all << ListSubFolders(all[i]);
  return all;
}

QStringList ListFilesRecursive(const QString& folder, const QString& extensions) {
  QStringList files = ListFiles(folder, extensions);
  for (const QString& sub : ListSubFoldersRecursive(folder)) files << ListFiles(sub, extensions);
  return files;
}

}  // namespace FileServices
