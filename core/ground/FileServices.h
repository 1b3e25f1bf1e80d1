#pragma once

#include <QString>
#include <QStringList>

// File-system services for every window and module. No procedure shows a
// message: failure comes back as false, 0, "" or an empty list, and the caller
// chooses what to tell the user.
//
// Paths use '/'. A list of paths holds full paths; nothing found is an empty
// list. An extension list is one text with every extension (no dot) closed by
// a colon: "qca:qcv:".
namespace FileServices {

bool FolderExists(const QString& path);
bool FileExists(const QString& path);
// True when anything has this name: a file, a folder, a link (even one that
// leads nowhere) or anything else.
bool NameTaken(const QString& path);
// A folder itself, not a link to one.
bool IsRealFolder(const QString& path);
// Creates one level; false when it exists already or its parent is missing.
bool CreateFolder(const QString& path);

// False when the name holds one of ? * : \ / < > | or a double quote.
bool IsValidFileName(const QString& name);

bool CopyFile(const QString& source, const QString& destination, bool overwrite);
// Renames without replacing what has the new name; false with EEXIST in errno
// then. Where the file system cannot rename without replacing, the name is
// checked first and a plain rename follows.
bool RenameNoReplace(const QString& from, const QString& to);
// Fails when the destination exists.
bool MoveFile(const QString& source, const QString& destination);
// Renames the file to newBase plus its old extension, in its own folder.
bool RenameFileKeepExtension(const QString& path, const QString& newBase);
// True when the file is gone afterwards.
bool DeleteFile(const QString& path);
// Deletes the folder with everything in it; true when it is gone afterwards.
bool DeleteFolder(const QString& path);

qint64 FileSize(const QString& path);
qint64 FolderSize(const QString& path);

// A path in the same folder, with the same extension, that no file, folder or
// link (see NameTaken) has: "a.qfm", else "a (2).qfm", "a (3).qfm", ...
// With forceSuffix the unchanged name is never the answer.
QString UniquePath(const QString& path, bool forceSuffix);

QStringList ListFiles(const QString& folder, const QString& extensions);
QStringList ListFilesRecursive(const QString& folder, const QString& extensions);
QStringList ListSubFolders(const QString& folder);
// Breadth-first: the direct subfolders, then those of the first, and so on.
QStringList ListSubFoldersRecursive(const QString& folder);

}  // namespace FileServices
