#include "core/formats/FormatEditor.h"

#include <QDir>
#include <QFileInfo>
#include <tuple>
#include <type_traits>

#include "core/frame/DataFolderManager.h"
#include "core/frame/Session.h"
#include "core/ground/FileServices.h"
#include "core/ground/ProgramFolder.h"
#include "core/lang/Lang.h"

namespace FormatEditor {

Notifier& Events() { return State().Events; }

QString ScratchProfilePath() { return ProgramFolder::AppFiles("formats/.qfm"); }

void ResetEditState() {
  State().CurrentFormat = FormatProfile();
  State().SavedFormat = FormatProfile();
  State().CurrentFormatFile.clear();
  State().TempFormatMode = false;
  State().CurrentCategory = Category::OutputGeneral;
  State().ParamRowCount = 0;
}

QString FormatsFolder() { return ProgramFolder::AppFiles("formats"); }

// The life cycle of the profile ----------------------------------------------------

namespace {

void RefreshWindow() {
  emit Events().ProfileChanged(State().CurrentFormat);
  BuildCategoryParams(State().CurrentCategory);
}

// A text field or flag compared on its own; the embedded codecs separately.
template <class T>
bool FieldDiffers(const T& a, const T& b) {
  if constexpr (std::is_same_v<T, ExtCodecDef>) {
    return false;
  } else {
    return a != b;
  }
}

bool CodecValuesDiffer(const ExtCodecDef& current, const ExtCodecDef& saved) {
  if (current.About != saved.About || current.ExePath != saved.ExePath ||
      current.FfmpegParams != saved.FfmpegParams || current.FfmpegExt != saved.FfmpegExt ||
      current.OutputExt != saved.OutputExt) {
    return true;
  }
  if (current.Params.Count() != saved.Params.Count() ||
      current.Params.LowerBound != saved.Params.LowerBound ||
      current.Values.Count() != saved.Values.Count() ||
      current.Values.LowerBound != saved.Values.LowerBound) {
    return true;
  }
  for (qsizetype i = 0; i < current.Params.Count(); ++i) {
    if (current.Params.Items[i].Value != saved.Params.Items[i].Value) return true;
  }
  return current.Values.Items != saved.Values.Items;
}

QString ChooseProfile(DataFolderManager::Mode mode);

}  // namespace

bool ProfilesDiffer(const FormatProfile& current, const FormatProfile& saved) {
  const bool plainDiffer = std::apply(
      [&](auto... member) { return (FieldDiffers(current.*member, saved.*member) || ...); },
      FormatProfile::Fields);
  if (plainDiffer) return true;
  if (!current.AudioExtCodecName.isEmpty() &&
      CodecValuesDiffer(current.AudioExtCodec, saved.AudioExtCodec)) {
    return true;
  }
  return !current.VideoExtCodecName.isEmpty() &&
         CodecValuesDiffer(current.VideoExtCodec, saved.VideoExtCodec);
}

void EmptyCodecValues(ExtCodecDef& codec) {
  for (ExtCodecParam& param : codec.Params.Items) {
    param.Value = param.Kind == ParamKind::Switch ? "0" : "";
  }
  for (QString& value : codec.Values.Items) value.clear();
}

bool SaveFormat(QString& path) {
  if (path.isEmpty()) path = ChooseProfile(DataFolderManager::Mode::SaveAs);
  if (path.isEmpty()) return false;
  if (!FileServices::FolderExists(FormatsFolder()) && !QDir().mkpath(FormatsFolder())) {
    Lang::MsgCannotCreateDir(FormatsFolder());
    return false;
  }
  if (RecordFile::Write(path, State().CurrentFormat) != RecordFile::Result::Ok) {
    Lang::MsgCannotWriteFile(QString());
    return false;
  }
  if (!State().TempFormatMode || path.toLower() == State().CurrentFormatFile.toLower()) {
    State().SavedFormat = State().CurrentFormat;
  }
  if (!State().TempFormatMode) State().CurrentFormatFile = path;
  return true;
}

void LoadFormat(QString& path) {
  if (!State().TempFormatMode && !CloseFormat()) return;
  if (path.isEmpty()) path = ChooseProfile(DataFolderManager::Mode::Open);
  if (path.isEmpty()) return;
  FormatProfile loaded;
  // Whatever has the name is read, so that a pipe or a device is refused as
  // unreadable rather than taken for a profile that has gone.
  if (QFileInfo::exists(path)) {
    if (RecordFile::Read(path, loaded) != RecordFile::Result::Ok) {
      Lang::MsgCannotReadFile(path);
      return;
    }
  } else if (!QFileInfo(path).completeBaseName().isEmpty()) {
    // A named profile that has gone becomes an empty one of that name.
    Lang::MsgFileNotFound(QFileInfo(path).completeBaseName());
    const QString folder = QFileInfo(path).path();
    if (!FileServices::FolderExists(folder)) QDir().mkpath(folder);
    if (RecordFile::CreateEmpty(path) != RecordFile::Result::Ok) {
      Lang::MsgCannotReadFile(path);
      return;
    }
  }
  State().CurrentFormat = loaded;
  if (!State().TempFormatMode) {
    State().CurrentFormatFile = path;
    State().SavedFormat = State().CurrentFormat;
  }
  RefreshWindow();
}

bool CloseFormat() {
  if (IsFormatChanged()) {
    const QString base = QFileInfo(State().CurrentFormatFile).completeBaseName();
    const QString name = base.isEmpty() ? QString() : "\"" + base + "\"";
    const Dialogs::Button answer = Lang::AskSaveChanges(name);
    if (answer == Dialogs::Button::Cancel) return false;
    if (answer == Dialogs::Button::Yes && !SaveFormat(State().CurrentFormatFile)) return false;
  }
  State().CurrentFormat = FormatProfile();
  State().SavedFormat = FormatProfile();
  State().CurrentFormatFile.clear();
  State().CurrentCategory = Category::OutputGeneral;
  RefreshWindow();
  return true;
}

bool IsFormatChanged() { return ProfilesDiffer(State().CurrentFormat, State().SavedFormat); }

void UndoChanges() {
  State().CurrentFormat = State().SavedFormat;
  RefreshWindow();
}

void ClearAll() {
  FormatProfile cleared;
  if (!State().CurrentFormat.AudioExtCodecName.isEmpty()) {
    cleared.AudioExtCodecName = State().CurrentFormat.AudioExtCodecName;
    cleared.AudioExtCodec = State().CurrentFormat.AudioExtCodec;
    EmptyCodecValues(cleared.AudioExtCodec);
  }
  if (!State().CurrentFormat.VideoExtCodecName.isEmpty()) {
    cleared.VideoExtCodecName = State().CurrentFormat.VideoExtCodecName;
    cleared.VideoExtCodec = State().CurrentFormat.VideoExtCodec;
    EmptyCodecValues(cleared.VideoExtCodec);
  }
  State().CurrentFormat = cleared;
  BuildCategoryParams(State().CurrentCategory);
}

// External codecs ------------------------------------------------------------------

namespace {

ExtCodecDef& CodecOf(FormatProfile& profile, bool isVideo) {
  return isVideo ? profile.VideoExtCodec : profile.AudioExtCodec;
}

QString& CodecNameOf(FormatProfile& profile, bool isVideo) {
  return isVideo ? profile.VideoExtCodecName : profile.AudioExtCodecName;
}

QString CodecExtension(bool isVideo) { return isVideo ? "qcv" : "qca"; }

QString ChooseProfile(DataFolderManager::Mode mode) {
  return DataFolderManager::ShowFileManager(FormatsFolder(), "qfm", mode, true);
}

}  // namespace

QString ExtCodecPath(bool isVideo, const QString& name) {
  return ProgramFolder::AppFiles("ecodec/" + name + "." + CodecExtension(isVideo));
}

void PrepareExtCodec(ExtCodecDef& codec) {
  codec.Values = DynArray<QString>();
  codec.Values.LowerBound = codec.Editable.LowerBound;
  codec.Values.Items.resize(codec.Editable.Count());
  for (ExtCodecParam& param : codec.Params.Items) {
    if (param.Kind == ParamKind::Switch) param.Value = "0";
  }
}

void LoadExternalCodec(bool isVideo, const QString& name) {
  const QString path = name.isEmpty()
                           ? DataFolderManager::ShowFileManager(ProgramFolder::AppFiles("ecodec"),
                                                                CodecExtension(isVideo),
                                                                DataFolderManager::Mode::Open, true)
                           : ExtCodecPath(isVideo, name);
  if (path.isEmpty()) return;
  if (!FileServices::FileExists(path)) {
    Lang::MsgFileNotFound(path);
    return;
  }
  ExtCodecDef codec;
  if (RecordFile::Read(path, codec) != RecordFile::Result::Ok) {
    Lang::MsgCannotLoadExtCodec(QFileInfo(path).completeBaseName());
    return;
  }
  PrepareExtCodec(codec);
  CodecOf(State().CurrentFormat, isVideo) = codec;
  CodecNameOf(State().CurrentFormat, isVideo) = QFileInfo(path).completeBaseName();
  RefreshWindow();
}

void UnloadExternalCodec(bool isVideo) {
  const QString name = CodecNameOf(State().CurrentFormat, isVideo);
  if (name.isEmpty()) return;
  if (!FileServices::FileExists(ExtCodecPath(isVideo, name)) &&
      Lang::AskContinueCodecRemoved() != Dialogs::Button::Yes) {
    return;
  }
  CodecNameOf(State().CurrentFormat, isVideo).clear();
  CodecOf(State().CurrentFormat, isVideo) = ExtCodecDef();
  RefreshWindow();
}

bool HasExternalCodec(bool isVideo) {
  return !CodecNameOf(State().CurrentFormat, isVideo).isEmpty();
}

QString CodecExeLocation(bool isVideo) {
  const QString& exePath = CodecOf(State().CurrentFormat, isVideo).ExePath;
  return exePath.isEmpty() ? QString() : Session::ResolveAppPath(exePath);
}

void SetCodecExe(bool isVideo, const QString& chosen) {
  CodecOf(State().CurrentFormat, isVideo).ExePath = Session::StoreAppPath(chosen);
}

}  // namespace FormatEditor
