#include "core/frame/DataFolderManager.h"

#include <QCollator>
#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <algorithm>

#include "core/frame/DesktopServices.h"
#include "core/ground/EditProfileRec.h"
#include "core/ground/ExtCodecDef.h"
#include "core/ground/FileServices.h"
#include "core/ground/FilterDef.h"
#include "core/ground/FormatProfile.h"
#include "core/ground/RecordFile.h"
#include "core/lang/Lang.h"

namespace DataFolderManager {

namespace {

QString PathOf(const QString& name) {
  return State().FmFolder + "/" + name + "." + State().FmExtension;
}

QString NamelessPath() { return State().FmFolder + "/." + State().FmExtension; }

bool BeginsSpecial(const QString& text) { return text.startsWith('<'); }

// Whether the name is in use: by a file, and also by a folder or a link, which
// a copy would go into or a new file could not replace.
bool NameTaken(const QString& name) { return FileServices::NameTaken(PathOf(name)); }

// The name left when the copies' counter rule is applied to base.
QString FreeName(const QString& base) {
  return QFileInfo(FileServices::UniquePath(PathOf(base), false)).completeBaseName();
}

template <class R>
RecordFile::Result WriteEmpty(const QString& path) {
  return RecordFile::Write(path, R{});
}

RecordFile::Result WriteEmptyRecord(const QString& path, const QString& extension) {
  const QString kind = extension.toLower();
  if (kind == "qfm") return WriteEmpty<FormatProfile>(path);
  if (kind == "qfl") return WriteEmpty<FilterDef>(path);
  if (kind == "qca" || kind == "qcv") return WriteEmpty<ExtCodecDef>(path);
  if (kind == "qep") return WriteEmpty<EditProfileRec>(path);
  return RecordFile::WriteBytes(path, QByteArray());
}

}  // namespace

void Prepare(const QString& folder, const QString& extension, Mode mode) {
  State().FmResult.clear();
  State().FmMode = mode;
  State().FmFolder = folder;
  State().FmExtension = extension;
  State().FmEditRequested = false;
  InitSpecialEntries();
}

QString ShowFileManager(const QString& folder, const QString& extension, Mode mode, bool wait) {
  const ManagerWindow window = State().Window;
  return window ? window(folder, extension, mode, wait) : QString();
}

void InstallManagerWindow(ManagerWindow show) { State().Window = show; }

void InitSpecialEntries() {
  State().FmSpecialEntries.clear();
  const QString kind = State().FmExtension.toLower();
  if (kind == "qfm" || kind == "qep") State().FmSpecialEntries << Lang::TxtManual();
}

bool IsSpecialEntry(const QString& text) {
  for (const QString& entry : State().FmSpecialEntries) {
    if (text.compare("<" + entry + ">", Qt::CaseInsensitive) == 0) return true;
  }
  return false;
}

namespace {

// Orders names as people read them: letter case aside, numbers by their value.
// The C locale collates by character codes alone, so it gives way to English.
QCollator NameCollator() {
  QLocale locale;
  if (locale.language() == QLocale::C) locale = QLocale(QLocale::English);
  QCollator collator(locale);
  collator.setCaseSensitivity(Qt::CaseInsensitive);
  collator.setNumericMode(true);
  return collator;
}

}  // namespace

QStringList ListEntries() {
  QStringList names;
  for (const QString& file : FileServices::ListFiles(State().FmFolder, State().FmExtension + ":")) {
    // Names are case-sensitive here: a.QFM is not the a.qfm that the editors would open.
    if (QFileInfo(file).suffix() != State().FmExtension) continue;
    const QString base = QFileInfo(file).completeBaseName();
    if (!base.isEmpty()) names << base;
  }
  std::stable_sort(names.begin(), names.end(), NameCollator());
  QStringList entries;
  for (const QString& entry : State().FmSpecialEntries) entries << "<" + entry + ">";
  return entries + names;
}

QString EntryPath(const QString& text) {
  return IsSpecialEntry(text) ? NamelessPath() : PathOf(text);
}

bool NewFile(const QString& selected) {
  QString proposal;
  if (!selected.isEmpty()) proposal = FreeName(QString(selected).remove('<').remove('>'));
  const QString name = Lang::InputValidFileName(proposal);
  if (name.isEmpty()) return false;
  if (NameTaken(name)) {
    Lang::MsgFileExists();
    return false;
  }
  return CreateEmptyFile(name);
}

bool CreateEmptyFile(const QString& name) {
  if (!QDir().mkpath(State().FmFolder)) {
    Lang::MsgCannotCreateDir(State().FmFolder);
    return false;
  }
  if (WriteEmptyRecord(PathOf(name), State().FmExtension) != RecordFile::Result::Ok) {
    Lang::MsgCannotCreateFile(name);
    return false;
  }
  return true;
}

bool RenameFile(const QString& selected) {
  if (selected.isEmpty() || BeginsSpecial(selected)) return false;
  const QString name = Lang::InputValidFileName(selected);
  if (name.isEmpty() || name == selected) return false;
  if (NameTaken(name)) {
    Lang::MsgFileExists();
    return false;
  }
  if (!FileServices::RenameFileKeepExtension(PathOf(selected), name)) {
    Lang::MsgCannotRenameFile(QString());
    return false;
  }
  return true;
}

bool CopyFile(const QString& selected) {
  if (selected.isEmpty()) return false;
  const bool special = BeginsSpecial(selected);
  const QString source = special ? NamelessPath() : PathOf(selected);
  const QString base = special ? selected.mid(1, selected.size() - 2) : selected;
  const QString name = Lang::InputValidFileName(FreeName(base));
  if (name.isEmpty()) return false;
  if (NameTaken(name)) {
    Lang::MsgFileExists();
    return false;
  }
  if (special && !FileServices::FileExists(source)) return CreateEmptyFile(name);
  if (!FileServices::CopyFile(source, PathOf(name), false)) {
    Lang::MsgCannotCopyFile(QString());
    return false;
  }
  return true;
}

bool DeleteFile(const QString& selected) {
  if (selected.isEmpty() || BeginsSpecial(selected)) return false;
  const QString path = PathOf(selected);
  if (DesktopServices::ShellDeleteFile(path, DesktopServices::DeleteMode::AskThenTrash))
    return true;
  Lang::MsgCannotDeleteFile(QString());
  return false;
}

Acceptance AcceptSelection(const QString& text) {
  const QString path = EntryPath(text);
  // Nothing chosen is no file, not the nameless one that an empty name would make.
  const bool missing = text.isEmpty() || (!BeginsSpecial(text) && !FileServices::FileExists(path));
  if (State().FmMode == Mode::Open && missing) {
    Lang::MsgFileNotFound(QString());
    return Acceptance::Refused;
  }
  if (State().FmMode == Mode::SaveAs || State().FmMode == Mode::SaveAsNoQuestion) {
    if (text.isEmpty()) return Acceptance::NameMissing;
    if (!FileServices::IsValidFileName(text) && !IsSpecialEntry(text)) {
      Lang::MsgInvalidFileName(text);
      return Acceptance::Refused;
    }
  }
  if (State().FmMode == Mode::SaveAs && FileServices::FileExists(path) &&
      Lang::AskReplaceFile() != Dialogs::Button::Yes)
    return Acceptance::Refused;
  State().FmResult = path;
  return Acceptance::Accepted;
}

Editor EditorFor(const QString& extension) { return State().Editors.value(extension.toLower()); }

void InstallEditor(const QString& extension, Editor editor) {
  if (editor) {
    State().Editors.insert(extension.toLower(), editor);
  } else {
    State().Editors.remove(extension.toLower());
  }
}

bool EditAvailable() {
  return State().FmMode == Mode::Administer && EditorFor(State().FmExtension) != nullptr;
}

void EditSelected(const QString& selected) {
  if (!selected.isEmpty() && EditorFor(State().FmExtension)) State().FmEditRequested = true;
}

QString EditorName(const QString& entry) {
  return IsSpecialEntry(entry) ? QStringLiteral("*") : entry;
}

}  // namespace DataFolderManager
