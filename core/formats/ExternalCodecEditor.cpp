#include "core/formats/ExternalCodecEditor.h"

#include <utility>

#include "core/convert/Conversion.h"
#include "core/formats/FormatProfile.h"
#include "core/frame/DataFolderManager.h"
#include "core/frame/FfmpegTools.h"
#include "core/frame/FileServices.h"
#include "core/frame/ProgramFolder.h"
#include "core/frame/Session.h"
#include "core/frame/TextViewer.h"
#include "core/frame/ToolRunner.h"
#include "core/lang/Lang.h"

namespace ExternalCodecEditor {

Notifier& Events() {
  static Notifier notifier;
  return notifier;
}

ExtCodecDef CurrentCodec;
ExtCodecDef SavedCodec;
QString CurrentPath;
uint8_t CurrentIsVideo = 0;
int16_t EditIndex = -1;

namespace {

const QString kInFile = QStringLiteral("<InFile>");
const QString kOutFile = QStringLiteral("<OutFile>");

// A definition without a file is a video one only right after a video codec
// was imported from a format profile.
uint8_t g_importedVideo = 0;

ExtCodecParam RequiredRow(const QString& label) {
  ExtCodecParam row;
  row.Label = label;
  row.Kind = 1;
  return row;
}

bool IsRequiredLabel(const QString& label) { return label == kInFile || label == kOutFile; }

QString Extension(uint8_t isVideo) {
  return isVideo ? QStringLiteral("qcv") : QStringLiteral("qca");
}

// The flags keep their values only when they already have the type's bounds.
void SizeFlags(int32_t count) {
  DynArray<uint8_t>& flags = CurrentCodec.Editable;
  if (flags.LowerBound == 1 && flags.Count() == count) return;
  flags = DynArray<uint8_t>{1, QList<uint8_t>(count, 0)};
}

bool SameRows(const DynArray<ExtCodecParam>& a, const DynArray<ExtCodecParam>& b) {
  if (a.UpperBound() != b.UpperBound() || a.Count() != b.Count()) return false;
  for (qsizetype i = 0; i < a.Count(); ++i) {
    const ExtCodecParam& x = a.Items[i];
    const ExtCodecParam& y = b.Items[i];
    if (x.Label != y.Label || x.Suggested != y.Suggested || x.Switch != y.Switch ||
        x.Default != y.Default || x.Kind != y.Kind || x.OnlySuggested != y.OnlySuggested) {
      return false;
    }
  }
  return true;
}

bool ValidRow(int selected) { return selected >= 0 && selected < CurrentCodec.Params.Count(); }

}  // namespace

void Reset() {
  CurrentCodec = ExtCodecDef();
  CurrentPath.clear();
  CurrentIsVideo = 0;
  EditIndex = -1;
  g_importedVideo = 0;
  MarkSaved();
}

QString CodecFolder() { return ProgramFolder::AppFiles("ecodec"); }

// Record life cycle ---------------------------------------------------------

bool SaveCodec(const QString& path) {
  QString target = path;
  if (target.isEmpty()) {
    target = DataFolderManager::ShowFileManager(CodecFolder(), Extension(CurrentIsVideo),
                                                DataFolderManager::SaveAs, true);
    if (target.isEmpty()) return false;
  }
  if (!FileServices::FolderExists(CodecFolder()) &&
      !FileServices::CreateFolderPath(CodecFolder())) {
    Lang::MsgCannotCreateDir(CodecFolder());
    return false;
  }
  if (RecordFile::Write(target, CurrentCodec) != RecordFile::Result::Ok) {
    Lang::MsgCannotWriteFile(target);
    return false;
  }
  SavedCodec = CurrentCodec;
  CurrentPath = target;
  emit Events().CodecSaved();
  return true;
}

void OpenCodec(uint8_t kind, const QString& name) {
  if (!CloseCodec()) return;
  const QString extension = Extension(kind);
  const QString path = name.isEmpty() ? DataFolderManager::ShowFileManager(
                                            CodecFolder(), extension, DataFolderManager::Open, true)
                                      : CodecFolder() + "/" + name + "." + extension;
  if (path.isEmpty()) return;
  // A named file that is missing opens as a new definition that saves under its name.
  ExtCodecDef read;
  if (FileServices::FileExists(path) && RecordFile::Read(path, read) != RecordFile::Result::Ok) {
    Lang::MsgCannotReadFile(path);
    return;
  }
  CurrentCodec = std::move(read);
  MarkSaved();
  CurrentPath = path;
  RecordToControls();
}

bool IsDirty() {
  const ExtCodecDef& c = CurrentCodec;
  const ExtCodecDef& s = SavedCodec;
  if (c.ExePath != s.ExePath || c.FfmpegExt != s.FfmpegExt || c.OutputExt != s.OutputExt ||
      c.FfmpegParams != s.FfmpegParams || c.About != s.About) {
    return true;
  }
  if (c.Editable.UpperBound() != s.Editable.UpperBound() || c.Editable.Items != s.Editable.Items)
    return true;
  return !SameRows(c.Params, s.Params);
}

bool CloseCodec() {
  if (IsDirty()) {
    const int answer = Lang::AskSaveChanges(FileServices::GetBaseName(CurrentPath));
    if (answer != 6 && answer != 7) return false;
    if (answer == 6 && !SaveCodec(CurrentPath)) return false;
  }
  CurrentPath.clear();
  CurrentCodec = ExtCodecDef();
  g_importedVideo = 0;
  MarkSaved();
  RecordToControls();
  emit Events().CodecClosed();
  TextViewer::CloseViewer();
  return true;
}

void UndoChanges() {
  CurrentCodec = SavedCodec;
  RecordToControls();
}

void MarkSaved() {
  EnsureParamArray();
  EnsureEditableArray();
  SavedCodec = CurrentCodec;
}

void EnsureParamArray() {
  DynArray<ExtCodecParam>& rows = CurrentCodec.Params;
  if (rows.IsEmpty()) rows.Items = {RequiredRow(kInFile), RequiredRow(kOutFile)};
  // Rows are numbered from 0 whatever bound the file gave them.
  rows.LowerBound = 0;
}

void EnsureEditableArray() {
  if (CurrentCodec.Editable.IsEmpty())
    CurrentCodec.Editable = DynArray<uint8_t>{1, QList<uint8_t>(6, 0)};
}

void ClearParamValues() {
  for (ExtCodecParam& row : CurrentCodec.Params.Items) row.Value.clear();
}

// What the window shows ----------------------------------------------------------

void RecordToControls() {
  CurrentIsVideo = CurrentPath.isEmpty()
                       ? g_importedVideo
                       : uint8_t(FileServices::GetExtensionName(CurrentPath).toLower() != "qca");
  const QStringList captions =
      CurrentIsVideo ? FillVideoEditableParams() : FillAudioEditableParams();
  emit Events().RecordLoaded(captions);
}

QStringList FillAudioEditableParams() {
  const ParamCaptions& c = FfmpegTools::ParamCaptions;
  SizeFlags(6);
  return {c.Bitrate, c.BitrateMax, c.BitrateMin, c.Quality, c.Channels, c.SampleRate};
}

QStringList FillVideoEditableParams() {
  const ParamCaptions& c = FfmpegTools::ParamCaptions;
  SizeFlags(10);
  return {c.Bitrate,    c.BitrateMax, c.BitrateMin, c.Quality,     c.QualityMax,
          c.QualityMin, c.FrameRate,  c.FrameSize,  c.AspectRatio, c.PixelFormat};
}

void ChooseType(uint8_t isVideo) {
  CurrentIsVideo = isVideo ? 1 : 0;
  const QStringList captions =
      CurrentIsVideo ? FillVideoEditableParams() : FillAudioEditableParams();
  emit Events().TypeChosen(captions);
}

void SetEditableFlags(const QList<bool>& selected) {
  DynArray<uint8_t>& flags = CurrentCodec.Editable;
  for (qsizetype i = 0; i < flags.Count() && i < selected.size(); ++i)
    flags.Items[i] = selected[i] ? 1 : 0;
}

// Parameter rows -----------------------------------------------------------------

ParamForm ParamFormFor(int selected) {
  ParamForm form;
  EditIndex = -1;
  if (!ValidRow(selected)) return form;
  EditIndex = int16_t(selected);
  const ExtCodecParam& row = CurrentCodec.Params.Items[selected];
  form.Label = row.Label;
  form.LabelBefore = row.Label;
  form.Kind = row.Kind;
  form.Switch = row.Switch;
  form.Default = row.Default;
  form.Suggested = row.Suggested;
  form.OnlySuggested = row.OnlySuggested;
  return form;
}

bool ParamLabelExists(const QString& label) {
  for (const ExtCodecParam& row : CurrentCodec.Params.Items) {
    if (row.Label.compare(label, Qt::CaseInsensitive) == 0) return true;
  }
  return false;
}

bool AcceptParameter(const ParamForm& form) {
  const QString& label = form.Label;
  if (label.isEmpty() ||
      ((label.contains('<') || label.contains('>')) && !IsRequiredLabel(label))) {
    Lang::MsgInvalidTag();
    return false;
  }
  if (label.compare(form.LabelBefore, Qt::CaseInsensitive) != 0 && ParamLabelExists(label)) {
    Lang::MsgTagExists();
    return false;
  }
  QList<ExtCodecParam>& rows = CurrentCodec.Params.Items;
  if (EditIndex < 0 || EditIndex >= rows.size()) {
    rows.append(ExtCodecParam());
    EditIndex = int16_t(rows.size() - 1);
  }
  ExtCodecParam& row = rows[EditIndex];
  row.Label = label;
  row.Kind = form.Kind;
  row.Switch = form.Switch;
  row.Default = form.Kind == 2 ? QString() : form.Default;
  row.Suggested = form.Kind == 0 ? form.Suggested : QString();
  row.OnlySuggested = form.Kind == 0 ? form.OnlySuggested : 0;
  emit Events().RowsChanged(EditIndex);
  return true;
}

int DeleteParameter(int selected) {
  QList<ExtCodecParam>& rows = CurrentCodec.Params.Items;
  if (!ValidRow(selected) || IsRequiredLabel(rows[selected].Label)) return selected;
  rows.removeAt(selected);
  return KeptSelection(selected, int(rows.size()));
}

int MoveParameterUp(int selected) {
  if (!ValidRow(selected) || selected < 1) return selected;
  CurrentCodec.Params.Items.swapItemsAt(selected, selected - 1);
  return selected - 1;
}

int MoveParameterDown(int selected) {
  if (!ValidRow(selected) || selected >= CurrentCodec.Params.Count() - 1) return selected;
  CurrentCodec.Params.Items.swapItemsAt(selected, selected + 1);
  return selected + 1;
}

QStringList ParamLabels() {
  QStringList labels;
  for (const ExtCodecParam& row : CurrentCodec.Params.Items) labels.append(row.Label);
  return labels;
}

int KeptSelection(int selected, int count) {
  if (selected < 0) return -1;
  return selected < count ? selected : count - 1;
}

// Program, import and ffmpeg options -----------------------------------------------

QString SetExecutable(const QString& chosen) {
  CurrentCodec.ExePath = Session::StoreAppPath(chosen);
  return CurrentCodec.ExePath;
}

void ImportFromFormat(uint8_t kind) {
  if (!CloseCodec()) return;
  const QString path = DataFolderManager::ShowFileManager(ProgramFolder::AppFiles("formats"), "qfm",
                                                          DataFolderManager::Open, true);
  if (path.isEmpty()) return;
  FormatProfile profile;
  if (RecordFile::Read(path, profile) != RecordFile::Result::Ok) {
    Lang::MsgCannotReadFile(path);
    return;
  }
  const uint8_t isVideo = kind ? 1 : 0;
  g_importedVideo = isVideo;
  ChooseType(isVideo);
  emit Events().TypeImported();
  CurrentPath.clear();
  if ((isVideo ? profile.VideoExtCodecName : profile.AudioExtCodecName).isEmpty()) {
    Lang::MsgNoExtCodecInfo();
    return;
  }
  CurrentCodec = isVideo ? profile.VideoExtCodec : profile.AudioExtCodec;
  MarkSaved();
  for (QString& value : CurrentCodec.Values.Items) value.clear();
  ClearParamValues();
  SavedCodec = CurrentCodec;
  RecordToControls();
}

ExtractRefusal FfmpegOptionsFrom(const QString& path, QString& options, QString& extension) {
  uint8_t status = 0;
  const CompiledFormat format = Conversion::LoadFormat(path, status);
  switch (status) {
    case 0:
      break;
    case 1:
      return ExtractRefusal::ProfileNotFound;
    case 2:
      return ExtractRefusal::ProfileUnreadable;
    case 3:
      return ExtractRefusal::AudioCommandError;
    default:
      return ExtractRefusal::VideoCommandError;
  }
  if (!(CurrentIsVideo ? format.NoVideoOption : format.NoAudioOption).isEmpty())
    return ExtractRefusal::TrackRemoved;
  if (format.MultipleOutputFiles == 1 || !format.AudioExtCodecName.isEmpty() ||
      !format.VideoExtCodecName.isEmpty()) {
    return ExtractRefusal::NotPlainExtraction;
  }
  extension = format.Extension;
  const QString trackOptions =
      CurrentIsVideo
          ? (format.VideoOptions + " " + format.AspectOption + " " + format.SizeOption).trimmed()
          : format.AudioOptions;
  options = (format.OutputOptions + " " + trackOptions).trimmed();
  return ExtractRefusal::None;
}

ExtractRefusal TakeFfmpegOptions(const QString& path) {
  QString options;
  QString extension;
  const ExtractRefusal refusal = FfmpegOptionsFrom(path, options, extension);
  if (refusal != ExtractRefusal::None) return refusal;
  if (!extension.isEmpty()) CurrentCodec.FfmpegExt = extension;
  CurrentCodec.FfmpegParams = options;
  return ExtractRefusal::None;
}

QString ProgramDocumentationCommand() {
  if (CurrentCodec.ExePath.isEmpty()) {
    Lang::MsgNoExecutable();
    return QString();
  }
  const QString arguments = Lang::InputDocParams();
  if (arguments.isEmpty()) return QString();
  return ToolRunner::QuoteArgument(Session::ResolveAppPath(CurrentCodec.ExePath)) + " " + arguments;
}

QString FfmpegHelpCommand() {
  if (!FfmpegTools::FfmpegExists()) return QString();
  return ToolRunner::QuoteArgument(FfmpegTools::FfmpegPath) + " -h full";
}

}  // namespace ExternalCodecEditor
