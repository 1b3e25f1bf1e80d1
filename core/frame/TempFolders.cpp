#include "core/frame/TempFolders.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <cerrno>

#include "core/ground/FileServices.h"

namespace {

QString LockPath(const QString& folder) { return folder + ".lock"; }

// Opens the lock file, making it when missing, and takes its lock without
// waiting. The open file, or -1 when another process holds the lock or the
// file cannot be opened. Child processes do not inherit it.
int TakeLock(const QString& path) {
  const int file = ::open(QFile::encodeName(path).constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
  if (file < 0) return -1;
  if (::flock(file, LOCK_EX | LOCK_NB) == 0) return file;
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
  if (!FileServices::CreateFolderPath(root_)) return false;
  const RootGuard guard(root_);
  if (!guard.Held()) return false;
  // A copy in another process namespace (a sandbox) may have the same id.
  const QString id = QString::number(QCoreApplication::applicationPid());
  for (int n = 1; n <= kMostCopiesWithOneId && lock_ < 0; ++n) {
    own_ = root_ + "/" + (n == 1 ? id : id + "-" + QString::number(n));
    lock_ = TakeLock(LockPath(own_));
  }
  if (lock_ < 0) return false;
  // A folder of this name was left by a copy that is gone.
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

void TempFolders::RemoveLeftovers() {
  if (!FileServices::FolderExists(root_)) return;
  const RootGuard guard(root_);
  if (!guard.Held()) return;
  QSet<QString> folders;
  const QDir root(root_);
  for (const QString& name :
       root.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot)) {
    folders.insert(root_ + "/" + (name.endsWith(".lock") ? name.chopped(5) : name));
  }
  for (const QString& folder : folders) {
    if (lock_ >= 0 && folder == own_) continue;
    const int lock = TakeLock(LockPath(folder));
    if (lock < 0) continue;  // its copy is running
    RemoveEntry(folder);
    QFile::remove(LockPath(folder));
    ::close(lock);
  }
}
