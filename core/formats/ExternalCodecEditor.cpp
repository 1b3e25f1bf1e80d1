#include "core/formats/ExternalCodecEditor.h"

#include <QDir>
#include <QFileInfo>
#include <utility>

#include "core/convert/Conversion.h"
#include "core/frame/DataFolderManager.h"
#include "core/frame/FfmpegTools.h"
#include "core/frame/Session.h"
#include "core/frame/TextViewer.h"
#include "core/ground/CommandLine.h"
#include "core/ground/FileServices.h"
#include "core/ground/FormatProfile.h"
#include "core/ground/ProgramFolder.h"
#include "core/lang/Lang.h"

namespace ExternalCodecEditor {

Notifier& Events() { return State().Events; }

namespace {

const QString kInFile = QStringLiteral("<InFile>");
const QString kOutFile = QStringLiteral("<OutFile>");

ExtCodecParam RequiredRow(const QString& label) {
  ExtCodecParam row;
  row.Label = label;
  row.Kind = ParamKind::Required;
  return row;
}

bool IsRequiredLabel(const QString& label) { return label == kInFile || label == kOutFile; }

QString Extension(bool isVideo) { return isVideo ? QStringLiteral("qcv") : QStringLiteral("qca"); }

// The flags keep their values only when they already have the type's bounds.
void SizeFlags(int count) {
  DynArray<bool>& flags = State().CurrentCodec.Editable;
  if (flags.LowerBound == 1 && flags.Count() == count) return;
  flags = DynArray<bool>{1, QList<bool>(count, false)};
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

bool ValidRow(int selected) {
  return selected >= 0 && selected < State().CurrentCodec.Params.Count();
}

}  // namespace

void Reset() {
  State().CurrentCodec = ExtCodecDef();
  State().CurrentPath.clear();
  State().CurrentIsVideo = false;
  State().EditIndex = -1;
  State().ImportedVideo = false;
  MarkSaved();
}

QString CodecFolder() { return ProgramFolder::AppFiles("ecodec"); }

// Record life cycle ---------------------------------------------------------

bool SaveCodec(const QString& path) {
  QString target = path;
  if (target.isEmpty()) {
    target = DataFolderManager::ShowFileManager(CodecFolder(), Extension(State().CurrentIsVideo),
                                                DataFolderManager::Mode::SaveAs, true);
    if (target.isEmpty()) return false;
  }
  if (!FileServices::FolderExists(CodecFolder()) && !QDir().mkpath(CodecFolder())) {
    Lang::MsgCannotCreateDir(CodecFolder());
    return false;
  }
  if (RecordFile::Write(target, State().CurrentCodec) != RecordFile::Result::Ok) {
    Lang::MsgCannotWriteFile(target);
    return false;
  }
  State().SavedCodec = State().CurrentCodec;
  State().CurrentPath = target;
  emit Events().CodecSaved();
  return true;
}

void OpenCodec(bool isVideo, const QString& name) {
  if (!CloseCodec()) return;
  const QString extension = Extension(isVideo);
  const QString path = name.isEmpty()
                           ? DataFolderManager::ShowFileManager(CodecFolder(), extension,
                                                                DataFolderManager::Mode::Open, true)
                           : CodecFolder() + "/" + name + "." + extension;
  if (path.isEmpty()) return;
  // A named file that is missing opens as a new definition that saves under its name.
  ExtCodecDef read;
  if (FileServices::FileExists(path) && RecordFile::Read(path, read) != RecordFile::Result::Ok) {
    Lang::MsgCannotReadFile(path);
    return;
  }
  State().CurrentCodec = std::move(read);
  MarkSaved();
  State().CurrentPath = path;
  RecordToControls();
}

bool IsDirty() {
  const ExtCodecDef& c = State().CurrentCodec;
  const ExtCodecDef& s = State().SavedCodec;
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
    const Dialogs::Button answer =
        Lang::AskSaveChanges(QFileInfo(State().CurrentPath).completeBaseName());
    if (answer != Dialogs::Button::Yes && answer != Dialogs::Button::No) return false;
    if (answer == Dialogs::Button::Yes && !SaveCodec(State().CurrentPath)) return false;
  }
  State().CurrentPath.clear();
  State().CurrentCodec = ExtCodecDef();
  State().ImportedVideo = false;
  MarkSaved();
  RecordToControls();
  emit Events().CodecClosed();
  TextViewer::CloseViewer();
  return true;
}

void UndoChanges() {
  State().CurrentCodec = State().SavedCodec;
  RecordToControls();
}

void MarkSaved() {
  EnsureParamArray();
  EnsureEditableArray();
  State().SavedCodec = State().CurrentCodec;
}

void EnsureParamArray() {
  DynArray<ExtCodecParam>& rows = State().CurrentCodec.Params;
  if (rows.IsEmpty()) rows.Items = {RequiredRow(kInFile), RequiredRow(kOutFile)};
  // Rows are numbered from 0 whatever bound the file gave them.
  rows.LowerBound = 0;
}

void EnsureEditableArray() {
  if (State().CurrentCodec.Editable.IsEmpty())
    State().CurrentCodec.Editable = DynArray<bool>{1, QList<bool>(6, false)};
}

void ClearParamValues() {
  for (ExtCodecParam& row : State().CurrentCodec.Params.Items) row.Value.clear();
}

// What the window shows ----------------------------------------------------------

void RecordToControls() {
  State().CurrentIsVideo = State().CurrentPath.isEmpty()
                               ? State().ImportedVideo
                               : QFileInfo(State().CurrentPath).suffix().toLower() != "qca";
  const QStringList captions =
      State().CurrentIsVideo ? FillVideoEditableParams() : FillAudioEditableParams();
  emit Events().RecordLoaded(captions);
}

QStringList FillAudioEditableParams() {
  const ParamCaptions& c = Lang::GetParamCaptions();
  SizeFlags(6);
  return {c.Bitrate, c.BitrateMax, c.BitrateMin, c.Quality, c.Channels, c.SampleRate};
}

QStringList FillVideoEditableParams() {
  const ParamCaptions& c = Lang::GetParamCaptions();
  SizeFlags(10);
  return {c.Bitrate,    c.BitrateMax, c.BitrateMin, c.Quality,     c.QualityMax,
          c.QualityMin, c.FrameRate,  c.FrameSize,  c.AspectRatio, c.PixelFormat};
}

void ChooseType(bool isVideo) {
  State().CurrentIsVideo = isVideo;
  const QStringList captions =
      State().CurrentIsVideo ? FillVideoEditableParams() : FillAudioEditableParams();
  emit Events().TypeChosen(captions);
}

void SetEditableFlags(const QList<bool>& selected) {
  DynArray<bool>& flags = State().CurrentCodec.Editable;
  for (qsizetype i = 0; i < flags.Count() && i < selected.size(); ++i) flags.Items[i] = selected[i];
}

// Parameter rows -----------------------------------------------------------------

ParamForm ParamFormFor(int selected) {
  ParamForm form;
  State().EditIndex = -1;
  if (!ValidRow(selected)) return form;
  State().EditIndex = int(selected);
  const ExtCodecParam& row = State().CurrentCodec.Params.Items[selected];
  form.Label = row.Label;
  form.LabelBefore = row.Label;
  form.Kind = row.Kind;
  form.Switch = row.Switch;
  form.Default = row.Default;
  form.Suggested = row.Suggested;
  form.OnlySuggested = row.OnlySuggested;
  return form;
}

ParamFields FieldsForKind(ParamKind kind) {
  ParamFields fields;
  fields.Default = kind != ParamKind::Switch;
  fields.Suggested = kind == ParamKind::Optional;
  return fields;
}

bool IsFileRow(const QString& label) { return label.startsWith('<'); }

QString SuggestedLines(const QString& stored) { return QString(stored).replace("\r\n", "\n"); }

QString SuggestedToStore(const QString& lines) {
  return QString(lines).replace("\r\n", "\n").replace('\n', "\r\n");
}

bool ParamLabelExists(const QString& label) {
  for (const ExtCodecParam& row : State().CurrentCodec.Params.Items) {
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
  QList<ExtCodecParam>& rows = State().CurrentCodec.Params.Items;
  if (State().EditIndex < 0 || State().EditIndex >= rows.size()) {
    rows.append(ExtCodecParam());
    State().EditIndex = int(rows.size() - 1);
  }
  ExtCodecParam& row = rows[State().EditIndex];
  const ParamFields kept = FieldsForKind(form.Kind);
  row.Label = label;
  row.Kind = form.Kind;
  row.Switch = form.Switch;
  row.Default = kept.Default ? form.Default : QString();
  row.Suggested = kept.Suggested ? form.Suggested : QString();
  row.OnlySuggested = kept.Suggested && form.OnlySuggested;
  emit Events().RowsChanged(State().EditIndex);
  return true;
}

int DeleteParameter(int selected) {
  QList<ExtCodecParam>& rows = State().CurrentCodec.Params.Items;
  if (!ValidRow(selected) || IsRequiredLabel(rows[selected].Label)) return selected;
  rows.removeAt(selected);
  return KeptSelection(selected, int(rows.size()));
}

int MoveParameterUp(int selected) {
  if (!ValidRow(selected) || selected < 1) return selected;
  State().CurrentCodec.Params.Items.swapItemsAt(selected, selected - 1);
  return selected - 1;
}

int MoveParameterDown(int selected) {
  if (!ValidRow(selected) || selected >= State().CurrentCodec.Params.Count() - 1) return selected;
  State().CurrentCodec.Params.Items.swapItemsAt(selected, selected + 1);
  return selected + 1;
}

QStringList ParamLabels() {
  QStringList labels;
  for (const ExtCodecParam& row : State().CurrentCodec.Params.Items) labels.append(row.Label);
  return labels;
}

int KeptSelection(int selected, int count) {
  if (selected < 0) return -1;
  return selected < count ? selected : count - 1;
}

// Program, import and ffmpeg options -----------------------------------------------

QString SetExecutable(const QString& chosen) {
  State().CurrentCodec.ExePath = Session::StoreAppPath(chosen);
  return State().CurrentCodec.ExePath;
}

void ImportFromFormat(bool isVideo) {
  if (!CloseCodec()) return;
  const QString path = DataFolderManager::ShowFileManager(ProgramFolder::AppFiles("formats"), "qfm",
                                                          DataFolderManager::Mode::Open, true);
  if (path.isEmpty()) return;
  FormatProfile profile;
  if (RecordFile::Read(path, profile) != RecordFile::Result::Ok) {
    Lang::MsgCannotReadFile(path);
    return;
  }
  State().ImportedVideo = isVideo;
  ChooseType(isVideo);
  emit Events().TypeImported();
  State().CurrentPath.clear();
  if ((isVideo ? profile.VideoExtCodecName : profile.AudioExtCodecName).isEmpty()) {
    Lang::MsgNoExtCodecInfo();
    return;
  }
  State().CurrentCodec = isVideo ? profile.VideoExtCodec : profile.AudioExtCodec;
  MarkSaved();
  for (QString& value : State().CurrentCodec.Values.Items) value.clear();
  ClearParamValues();
  State().SavedCodec = State().CurrentCodec;
  RecordToControls();
}

ExtractRefusal FfmpegOptionsFrom(const QString& path, QString& options, QString& extension) {
  Conversion::FormatStatus status = Conversion::FormatStatus::Compiled;
  const CompiledFormat format = Conversion::LoadFormat(path, status);
  switch (status) {
    case Conversion::FormatStatus::Compiled:
      break;
    case Conversion::FormatStatus::FileMissing:
      return ExtractRefusal::ProfileNotFound;
    case Conversion::FormatStatus::ReadError:
      return ExtractRefusal::ProfileUnreadable;
    case Conversion::FormatStatus::AudioEncoderFailed:
      return ExtractRefusal::AudioCommandError;
    case Conversion::FormatStatus::VideoEncoderFailed:
      return ExtractRefusal::VideoCommandError;
  }
  if (!(State().CurrentIsVideo ? format.NoVideoOption : format.NoAudioOption).isEmpty())
    return ExtractRefusal::TrackRemoved;
  if (format.MultipleOutputFiles || !format.AudioExtCodecName.isEmpty() ||
      !format.VideoExtCodecName.isEmpty()) {
    return ExtractRefusal::NotPlainExtraction;
  }
  extension = format.Extension;
  const QString trackOptions =
      State().CurrentIsVideo
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
  if (!extension.isEmpty()) State().CurrentCodec.FfmpegExt = extension;
  State().CurrentCodec.FfmpegParams = options;
  return ExtractRefusal::None;
}

QString ProgramDocumentationCommand() {
  if (State().CurrentCodec.ExePath.isEmpty()) {
    Lang::MsgNoExecutable();
    return QString();
  }
  const QString arguments = Lang::InputDocParams();
  if (arguments.isEmpty()) return QString();
  return CommandLine::QuoteArgument(Session::ResolveAppPath(State().CurrentCodec.ExePath)) + " " +
         arguments;
}

QString FfmpegHelpCommand() {
  if (!FfmpegTools::FfmpegExists()) return QString();
  return CommandLine::QuoteArgument(FfmpegTools::State().FfmpegPath) + " -h full";
}

}  // namespace ExternalCodecEditor
