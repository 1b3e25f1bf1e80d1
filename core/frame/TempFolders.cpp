#include "core/frame/TempFolders.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSet>
#include <cerrno>

#include "core/ground/FileServices.h"

namespace {

QString LockPath(const QString& folder) { return folder + ".lock"; }

// Opens the lock file, making it when missing but never through a link, and
// takes its lock without waiting. The open file, or -1 when another process
// holds the lock or the file cannot be opened. Child processes do not
// inherit it.
int TakeLock(const QString& path) {
  const int file =
      ::open(QFile::encodeName(path).constData(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0600);
  if (file < 0) return -1;
  if (::flock(file, LOCK_EX | LOCK_NB) == 0) return file;
  ::close(file);
  return -1;
}

// The names a copy gives its folder: its process id, with "-2" and so on
// after it when a copy elsewhere holds that.
bool IsCopyFolderName(const QString& name) {
  static const QRegularExpression kName(QStringLiteral("^[1-9][0-9]*(-[1-9][0-9]*)?$"));
  return kName.match(name).hasMatch();
}

// Opens a lock file that a copy left, never making one and never through a
// link, and takes its lock without waiting. The open file, or -1 when there
// is no such lock file or another process holds the lock.
int OpenLeftLock(const QString& path) {
  const int file =
      ::open(QFile::encodeName(path).constData(), O_RDWR | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
  if (file < 0) return -1;
  struct stat status {};
  const bool left = ::fstat(file, &status) == 0 && S_ISREG(status.st_mode);
  if (left && ::flock(file, LOCK_EX | LOCK_NB) == 0) return file;
  ::close(file);
  return -1;
}

// A folder with everything in it, or a file; a link is removed, never what
// it points at.
void RemoveEntry(const QString& path) {
  const QFileInfo entry(path);
  if (entry.isDir() && !entry.isSymLink()) {
    QDir(path).removeRecursively();
  } else {
    QFile::remove(path);
  }
}

// The absolute path with every link resolved as far as it exists; the part
// that does not exist yet follows as it is.
QString ResolvedPath(const QString& path) {
  QFileInfo existing(QDir::cleanPath(QDir::current().absoluteFilePath(path)));
  QStringList missing;
  while (!existing.exists() && !existing.isRoot()) {
    missing.prepend(existing.fileName());
    existing = QFileInfo(existing.absolutePath());
  }
  const QString found = existing.exists() ? existing.canonicalFilePath() : existing.filePath();
  return missing.isEmpty() ? found : QDir(found).filePath(missing.join('/'));
}

// Takes the lock, waiting for it; false when it cannot be taken.
bool WaitForLock(int file) {
  int result = 0;
  do {
    result = ::flock(file, LOCK_EX);
  } while (result != 0 && errno == EINTR);
  return result == 0;
}

// Holds the lock on the temp folder itself while a copy claims its folder or
// removes leftovers, so that neither sees the other half done.
class RootGuard {
 public:
  explicit RootGuard(const QString& root)
      : file_(::open(QFile::encodeName(root).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)) {
    if (file_ >= 0 && !WaitForLock(file_)) {
      ::close(file_);
      file_ = -1;
    }
  }
  ~RootGuard() {
    if (file_ >= 0) ::close(file_);
  }
  RootGuard(const RootGuard&) = delete;
  RootGuard& operator=(const RootGuard&) = delete;
  bool Held() const { return file_ >= 0; }

 private:
  int file_;
};

}  // namespace

TempFolders::TempFolders(const QString& root) : root_(root) {}

TempFolders::~TempFolders() { Release(); }

QString TempFolders::OwnFolder() const {
  if (lock_ >= 0) return own_;
  return root_ + "/" + QString::number(QCoreApplication::applicationPid());
}

bool TempFolders::Claim() {
  if (lock_ >= 0) return FileServices::FolderExists(own_) || FileServices::CreateFolder(own_);
  if (!QDir().mkpath(root_)) return false;
  const RootGuard guard(root_);
  if (!guard.Held()) return false;
  // A copy in another process namespace (a sandbox) may have the same id.
  const QString id = QString::number(QCoreApplication::applicationPid());
  for (int n = 1; n <= kMostCopiesWithOneId && lock_ < 0; ++n) {
    own_ = root_ + "/" + (n == 1 ? id : id + "-" + QString::number(n));
    // Something of this name without a lock file beside it is no copy's: it
    // stays, and the next name is tried.
    if (FileServices::NameTaken(own_) && !FileServices::NameTaken(LockPath(own_))) continue;
    lock_ = TakeLock(LockPath(own_));
  }
  if (lock_ < 0) return false;
  // What has this name was left by a copy that is gone.
  RemoveEntry(own_);
  if (FileServices::CreateFolder(own_)) return true;
  Release();
  return false;
}

void TempFolders::Release() {
  if (lock_ < 0) return;
  RemoveEntry(own_);
  QFile::remove(LockPath(own_));
  ::close(lock_);
  lock_ = -1;
}

bool TempFolders::LiesInACopyFolder(const QString& path) const {
  const QString root = ResolvedPath(root_) + "/";
  const QString target = ResolvedPath(path);
  if (!target.startsWith(root)) return false;
  const QString name = target.mid(root.size()).section('/', 0, 0);
  return IsCopyFolderName(name) && FileServices::NameTaken(LockPath(root + name));
}

void TempFolders::RemoveLeftovers() {
  if (!FileServices::FolderExists(root_)) return;
  const RootGuard guard(root_);
  if (!guard.Held()) return;
  QSet<QString> names;
  const QDir root(root_);
  for (const QString& name :
       root.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot)) {
    const QString folder = name.endsWith(".lock") ? name.chopped(5) : name;
    if (IsCopyFolderName(folder)) names.insert(folder);
  }
  for (const QString& name : names) {
    const QString folder = root_ + "/" + name;
    if (lock_ >= 0 && folder == own_) continue;
    const int lock = OpenLeftLock(LockPath(folder));
    if (lock < 0) continue;  // its copy is running, or the lock is not ours
    if (FileServices::IsRealFolder(folder)) QDir(folder).removeRecursively();
    QFile::remove(LockPath(folder));
    ::close(lock);
  }
}
