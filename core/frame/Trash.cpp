#include "core/frame/Trash.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QStorageInfo>
#include <cerrno>
#include <cstdio>

#include "core/ground/FileServices.h"

namespace Trash {

namespace {

// How many names are tried in one trash before it counts as unable to take
// the thing: a trash holding that many things of one name is as good as full.
constexpr int kMostNames = 10000;

QByteArray Native(const QString& path) { return QFile::encodeName(path); }

// A folder, or a link to one.
bool IsFolder(const QString& path) {
  struct stat status {};
  return ::stat(Native(path).constData(), &status) == 0 && S_ISDIR(status.st_mode);
}

// Makes the folder and each missing level above it, for the user alone, as
// the desktop's data folders are made; true when it is a folder afterwards.
bool MakePrivateFolder(const QString& path) {
  if (IsFolder(path)) return true;
  const QString parent = QFileInfo(path).absolutePath();
  if (parent == QFileInfo(path).absoluteFilePath() || !MakePrivateFolder(parent)) return false;
  ::mkdir(Native(path).constData(), 0700);
  return IsFolder(path);
}

// A trash folder with its two folders in place, each a real folder or a
// link to one; "" when they cannot be had.
QString Usable(const QString& trash) {
  if (trash.isEmpty()) return QString();
  for (const char* part : {"/files", "/info"}) {
    ::mkdir(Native(trash + part).constData(), 0700);
    if (!IsFolder(trash + part)) return QString();
  }
  return trash;
}

QString HomeTrashPath() {
  const QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
  return QDir::isAbsolutePath(data) ? data + "/Trash" : QString();
}

// The disk of the path, or of its nearest level that exists.
bool DiskOf(const QString& path, dev_t& disk) {
  struct stat status {};
  for (QString level = path; !level.isEmpty(); level = QFileInfo(level).path()) {
    if (::stat(Native(level).constData(), &status) == 0) {
      disk = status.st_dev;
      return true;
    }
    if (level == QFileInfo(level).path()) break;
  }
  return false;
}

// The trash an administrator set up at the disk's top, $top/.Trash, holds a
// folder for each user; the folder counts only when it is no link and has
// its sticky bit. Else each user has $top/.Trash-<user id>. Either is the
// user's own real folder, made when missing.
QString DiskTrash(const QString& top) {
  const QString user = QString::number(::getuid());
  const auto own = [](const QString& folder) {
    ::mkdir(Native(folder).constData(), 0700);
    struct stat status {};
    return ::lstat(Native(folder).constData(), &status) == 0 && S_ISDIR(status.st_mode) &&
           status.st_uid == ::getuid();
  };
  struct stat shared {};
  if (::lstat(Native(top + "/.Trash").constData(), &shared) == 0 && S_ISDIR(shared.st_mode) &&
      (shared.st_mode & S_ISVTX) && own(top + "/.Trash/" + user)) {
    return top + "/.Trash/" + user;
  }
  if (own(top + "/.Trash-" + user)) return top + "/.Trash-" + user;
  return QString();
}

// The trash of the disk the thing lies on; "" when there is none to use. A
// thing on the disk of the user's trash goes there or nowhere.
QString TrashFor(const QString& path) {
  struct stat thing {};
  if (::lstat(Native(path).constData(), &thing) != 0) return QString();
  const QString home = HomeTrashPath();
  dev_t homeDisk = 0;
  if (home.isEmpty() || !DiskOf(home, homeDisk)) return QString();
  if (homeDisk == thing.st_dev) return MakePrivateFolder(home) ? Usable(home) : QString();
  QString top = QStorageInfo(QFileInfo(path).absolutePath()).rootPath();
  if (top.isEmpty()) return QString();
  if (top.endsWith('/')) top.chop(1);  // the root folder: "/.Trash"
  return Usable(DiskTrash(top));
}

// "name", then "name (2)", "name (3)"... with the extension kept last.
QString Candidate(const QString& name, int n) {
  if (n == 1) return name;
  const QString suffix = " (" + QString::number(n) + ")";
  const qsizetype dot = name.lastIndexOf('.');
  return dot > 0 ? name.left(dot) + suffix + name.mid(dot) : name + suffix;
}

QByteArray InfoText(const QString& path) {
  return "[Trash Info]\nPath=" + Native(path).toPercentEncoding("/") + "\nDeletionDate=" +
         QDateTime::currentDateTime().toString("yyyy-MM-ddThh:mm:ss").toLatin1() + "\n";
}

// Makes the information file, never over one that exists. Nothing is left
// behind when it cannot be written whole. EEXIST in errno when the name is
// taken.
bool WriteInfo(const QString& infoPath, const QByteArray& text) {
  const int file = ::open(Native(infoPath).constData(),
                          O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
  if (file < 0) return false;
  const bool written = ::write(file, text.constData(), size_t(text.size())) == text.size();
  const bool closed = ::close(file) == 0;
  if (written && closed) return true;
  ::unlink(Native(infoPath).constData());
  errno = ENOSPC;
  return false;
}

}  // namespace

bool Move(const QString& path) {
  const QString absolute = QFileInfo(path).absoluteFilePath();
  const QString trash = TrashFor(absolute);
  if (trash.isEmpty()) return false;
  const QString name = QFileInfo(absolute).fileName();
  const QByteArray info = InfoText(absolute);
  for (int n = 1; n <= kMostNames; ++n) {
    const QString entry = Candidate(name, n);
    if (FileServices::NameTaken(trash + "/files/" + entry)) continue;
    const QString infoPath = trash + "/info/" + entry + ".trashinfo";
    if (!WriteInfo(infoPath, info)) {
      if (errno == EEXIST) continue;
      return false;
    }
    if (FileServices::RenameNoReplace(absolute, trash + "/files/" + entry)) return true;
    const int failure = errno;
    ::unlink(Native(infoPath).constData());
    if (failure != EEXIST) return false;
  }
  return false;
}

}  // namespace Trash
