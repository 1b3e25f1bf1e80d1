#include "core/frame/DesktopServices.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include "core/frame/Trash.h"
#include "core/ground/Dialogs.h"
#include "core/ground/FileServices.h"
#include "core/lang/Lang.h"

namespace DesktopServices {

QString StartingFolder(const QString& folder) {
  QString start = folder.isEmpty() ? State().LastFolder : folder;
  if (!FileServices::FolderExists(start)) start.clear();
  if (start.isEmpty()) start = GetSpecialFolderPath(DesktopDirectory);
  // Many Linux desktops have no Desktop folder; the dialog would take its
  // name for a file name, so it opens on the home folder instead.
  if (!FileServices::FolderExists(start)) start = QDir::homePath();
  return start;
}

QStringList OpenFileDialog(const QString& filter, QWidget* owner, const QString& startFolder,
                           const QString& title, bool multiSelect, const QString& defaultFileName) {
  QStringList paths = Dialogs::OpenFiles(owner, title, StartingFolder(startFolder), defaultFileName,
                                         filter, multiSelect);
  paths.removeAll(QString());
  if (!paths.isEmpty()) State().LastFolder = QFileInfo(paths.first()).path();
  return paths;
}

QString SaveFileDialog(const QString& title, const QString& startFolder, const QString& filter,
                       QWidget* owner, bool overwritePrompt, const QString& defaultFileName) {
  const QString path = Dialogs::SaveFile(owner, title, StartingFolder(startFolder), defaultFileName,
                                         filter, overwritePrompt)
                           .trimmed();
  if (!path.isEmpty()) State().LastFolder = QFileInfo(path).path();
  return path;
}

QString GetSpecialFolderPath(int folder) {
  if (folder != Desktop && folder != DesktopDirectory) return QString();
  return QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
}

int ChooseColorDialog(QWidget* owner, int initialColor) {
  return Dialogs::Color(owner, initialColor == -1 ? 0 : initialColor);
}

bool ShellOpen(const QString& target) {
  if (Dialogs::Open(target)) return true;
  Lang::MsgNoProgramToOpen(target);
  return false;
}

namespace {

// The question the desktop asks before it deletes; false when the user says no.
bool Confirmed(const QString& path, bool toTrash) {
  const QString name = QFileInfo(path).fileName();
  const Dialogs::Button answer =
      toTrash ? Lang::AskSendToTrash(name) : Lang::AskDeleteForGood(name);
  return answer == Dialogs::Button::Yes;
}

bool DeleteForGood(const QString& path) {
  if (QFileInfo(path).isDir() && !QFileInfo(path).isSymLink()) {
    QDir(path).removeRecursively();
  } else {
    QFile::remove(path);
  }
  return !FileServices::NameTaken(path);
}

}  // namespace

bool ShellDeleteFile(const QString& path, DeleteMode mode) {
  if (path.isEmpty() || !FileServices::NameTaken(path)) return false;
  const bool toTrash = mode == DeleteMode::AskThenTrash || mode == DeleteMode::Trash;
  const bool ask = mode == DeleteMode::AskThenTrash || mode == DeleteMode::AskThenDeleteForGood;
  if (ask && !Confirmed(path, toTrash)) return true;
  if (toTrash) return Trash::Move(path);
  return DeleteForGood(path);
}

}  // namespace DesktopServices
