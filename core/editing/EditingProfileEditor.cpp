#include "core/editing/EditingProfileEditor.h"

#include <QDir>
#include <QFileInfo>
#include <cmath>

#include "core/frame/DataFolderManager.h"
#include "core/ground/FileServices.h"
#include "core/ground/FilterDef.h"
#include "core/ground/ProgramFolder.h"
#include "core/ground/RecordFile.h"
#include "core/lang/Lang.h"

namespace EditingProfileEditor {

Notifier& Events() { return State().Events; }

namespace {

// Decimal-point numbers and integers, blanks around them allowed.
bool IsNumber(const QString& text) {
  bool ok = false;
  const double value = text.trimmed().toDouble(&ok);
  return ok && std::isfinite(value);
}

void DefaultIfNotNumber(QString& text, const QString& fallback) {
  if (!IsNumber(text)) text = fallback;
}

QString AskProfilePath(DataFolderManager::Mode mode) {
  return DataFolderManager::ShowFileManager(ProfileFolder(), "qep", mode, true);
}

}  // namespace

QString ScratchProfilePath() { return ProgramFolder::AppFiles("editp/.qep"); }
QString ProfileFolder() { return ProgramFolder::AppFiles("editp"); }

QString DefaultBandFrequency(int band) {
  static const int frequencies[] = {31, 63, 125, 250, 500, 1000, 2000, 4000, 8000, 16000};
  return QString::number(frequencies[band - 1]);
}

void NormalizeEqualizer(EditProfileRec& profile) {
  for (int band = 1; band <= 10; ++band) {
    DefaultIfNotNumber(profile.Equalizer[band * 3 - 3], DefaultBandFrequency(band));
    DefaultIfNotNumber(profile.Equalizer[band * 3 - 2], "0");
    DefaultIfNotNumber(profile.Equalizer[band * 3 - 1], "1");
  }
}

void NormalizeEqualizer() {
  NormalizeEqualizer(State().CurrentProfile);
  NormalizeEqualizer(State().SavedProfile);
}

void Reset() {
  State().CurrentProfile = EditProfileRec();
  State().SavedProfile = EditProfileRec();
  State().CurrentPath.clear();
  State().Loading = false;
  State().ScratchMode = false;
}

void OpenProfile(const QString& path) {
  if (!State().ScratchMode && !CloseProfile()) return;
  QString file = path;
  if (file.isEmpty()) file = AskProfilePath(DataFolderManager::Mode::Open);
  if (file.isEmpty()) return;

  if (FileServices::FileExists(file)) {
    // Read into a copy, so that a damaged file leaves the editor as it was.
    EditProfileRec read;
    if (RecordFile::Read(file, read) != RecordFile::Result::Ok) {
      Lang::MsgCannotReadFile(file);
      return;
    }
    State().CurrentProfile = read;
  } else if (!QFileInfo(file).completeBaseName().isEmpty()) {
    Lang::MsgFileNotFound(QFileInfo(file).completeBaseName());
    return;
  } else {
    State().CurrentProfile = EditProfileRec();
  }
  if (!State().ScratchMode) {
    State().SavedProfile = State().CurrentProfile;
    State().CurrentPath = file;
  }
  NormalizeEqualizer();
  RecordToForm();
}

bool SaveProfile(const QString& path) {
  QString file = path;
  if (file.isEmpty()) file = AskProfilePath(DataFolderManager::Mode::SaveAs);
  if (file.isEmpty()) return false;

  const QString folder = ProfileFolder();
  if (!QDir().mkpath(folder)) Lang::MsgCannotCreateDir(folder);
  if (RecordFile::Write(file, State().CurrentProfile) != RecordFile::Result::Ok) {
    Lang::MsgCannotWriteFile(file);
    return false;
  }
  if (!State().ScratchMode) State().CurrentPath = file;
  // In scratch mode a save to another file is an export: the scratch
  // profile's saved copy stays where it was.
  if (!State().ScratchMode || file == State().CurrentPath)
    State().SavedProfile = State().CurrentProfile;
  return true;
}

bool CloseProfile() {
  if (IsDirty()) {
    const Dialogs::Button answer =
        Lang::AskSaveChanges(QFileInfo(State().CurrentPath).completeBaseName());
    if (answer == Dialogs::Button::Cancel) return false;
    if (answer == Dialogs::Button::Yes && !SaveProfile(State().CurrentPath)) return false;
  }
  State().CurrentProfile = EditProfileRec();
  State().SavedProfile = EditProfileRec();
  State().CurrentPath.clear();
  NormalizeEqualizer();
  RecordToForm();
  return true;
}

bool IsDirty() {
  // Filter lists count by their names only, whatever their first index.
  EditProfileRec current = State().CurrentProfile;
  current.Filters.LowerBound = State().SavedProfile.Filters.LowerBound;
  return !(current == State().SavedProfile);
}

void UndoChanges() {
  State().CurrentProfile = State().SavedProfile;
  RecordToForm();
}

void RecordToForm() { emit Events().ProfileReplaced(); }

int HexToColor(const QString& text) {
  auto component = [](const QString& pair) {
    int value = 0;
    for (QChar c : pair) {
      bool ok = false;
      const int digit = QString(c).toInt(&ok, 16);
      if (!ok) break;
      value = value * 16 + digit;
    }
    return value;
  };
  return component(text.left(2)) | component(text.mid(2, 2)) << 8 | component(text.right(2)) << 16;
}

std::array<QStringList, 3> ReadFilterLists() {
  std::array<QStringList, 3> lists;
  for (const QString& file : FileServices::ListFiles(ProgramFolder::AppFiles("filters"), "qfl:")) {
    FilterDef filter;
    if (RecordFile::Read(file, filter) != RecordFile::Result::Ok) continue;
    if (filter.Type <= FilterType::Complex)
      lists[size_t(filter.Type)].append(QFileInfo(file).completeBaseName());
  }
  return lists;
}

FilterMatch MatchProfileFilters(const DynArray<QString>& names,
                                const std::array<QStringList, 3>& lists) {
  FilterMatch match;
  for (const QString& name : names.Items) {
    bool found = false;
    for (int list = 0; list < 3 && !found; ++list) {
      for (int row = 0; row < lists[list].size() && !found; ++row) {
        if (lists[list][row].compare(name, Qt::CaseInsensitive) == 0) {
          match.ticks.append({list, row});
          found = true;
        }
      }
    }
    (found ? match.kept : match.missing).append(name);
  }
  return match;
}

void DropMissingFilters(const FilterMatch& match) {
  if (match.missing.isEmpty()) return;
  State().CurrentProfile.Filters = DynArray<QString>();
  State().CurrentProfile.Filters.Items = match.kept;
}

}  // namespace EditingProfileEditor
