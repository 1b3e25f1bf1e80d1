#pragma once

#include <QString>

// The working folders of one running copy of the program. Several copies may
// run from the same program folder; each works in its own folder below
// appfiles/temp, named after its process id and claimed by a lock on a file
// beside it. The system drops the lock when the copy ends, however it ends,
// so a lock that can be taken belongs to a copy that is gone.
//
// A copy removes its own folder when it closes, and at its start whatever
// copies that are gone left behind (a crash, a kill). The folder of a copy
// that is still running is never touched, and neither is anything else in
// the temp folder: it may be a link to a place the user chose (a fast disk,
// /tmp), shared with the user's own files and other programs. Clean-up
// follows no link, neither to a copy's folder nor inside one.
class TempFolders {
 public:
  // root is appfiles/temp of the program folder.
  explicit TempFolders(const QString& root);
  // Gives up the claim, removing the own folder.
  ~TempFolders();
  TempFolders(const TempFolders&) = delete;
  TempFolders& operator=(const TempFolders&) = delete;

  QString Root() const { return root_; }
  // The claimed folder; before the claim the one it will most likely be:
  // root/<process id> (root/<process id>-2 and so on when a copy in another
  // process namespace holds that name).
  QString OwnFolder() const;
  // Claims the own folder and makes it, empty, unless it is claimed already
  // (then it is only made again when missing). False when it cannot be made.
  bool Claim();
  // Removes the own folder and its lock file and gives up the claim.
  void Release();
  // Removes the folders, with their lock files, of copies that are gone: a
  // real folder named as a copy names its own beside a lock file nobody
  // holds, and such a lock file alone.
  void RemoveLeftovers();
  // Whether what is written at path lands in a copy's folder, this copy's or
  // another's: a folder named as a copy names its own, with its lock file
  // beside it. Its copy removes it when it closes. Links on the way are
  // followed as far as the path exists, as writing there would follow them.
  bool LiesInACopyFolder(const QString& path) const;

 private:
  static constexpr int kMostCopiesWithOneId = 100;

  QString root_;
  QString own_;    // the claimed folder
  int lock_ = -1;  // its lock file, open and locked while claimed
};
