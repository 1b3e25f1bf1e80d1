#include "formats/FormatEdit.h"

#include <QFile>
#include <array>
#include <tuple>
#include <type_traits>

#include "frame/Aplicacion.h"
#include "frame/Appfilesadm.h"
#include "frame/CaptureConsole.h"
#include "frame/ProgramFolder.h"
#include "frame/ScriptObj.h"
#include "frame/ffmpeg.h"
#include "lang/Lang.h"

namespace FormatEdit {

Notifier& Events() {
  static Notifier notifier;
  return notifier;
}

uint8_t FfmpegListsStale = 0;
DynArray<QString> AudioEncoders;
DynArray<QString> VideoEncoders;
DynArray<QString> SubtitleEncoders;
DynArray<QString> AudioDecoders;
DynArray<QString> VideoDecoders;
DynArray<QString> SubtitleDecoders;
DynArray<QString> MuxerFormats;
DynArray<QString> DemuxerFormats;
DynArray<QString> InputPixelFormats;
DynArray<QString> OutputPixelFormats;

FormatProfile CurrentFormat;
FormatProfile SavedFormat;
QString CurrentFormatFile;
uint8_t TempFormatMode = 0;
uint8_t CurrentCategory = OutputGeneral;
int ParamRowCount = 0;

void ResetCapabilityLists() {
  FfmpegListsStale = 0;
  for (DynArray<QString>* list : {&AudioEncoders, &VideoEncoders, &SubtitleEncoders, &AudioDecoders,
                                  &VideoDecoders, &SubtitleDecoders, &MuxerFormats, &DemuxerFormats,
                                  &InputPixelFormats, &OutputPixelFormats}) {
    *list = DynArray<QString>();
  }
}

QString ScratchProfilePath() { return ProgramFolder::AppFiles("formats/.qfm"); }

void ResetEditState() {
  CurrentFormat = FormatProfile();
  SavedFormat = FormatProfile();
  CurrentFormatFile.clear();
  TempFormatMode = 0;
  CurrentCategory = OutputGeneral;
  ParamRowCount = 0;
}

QString FormatsFolder() { return ProgramFolder::AppFiles("formats"); }

namespace {

// The rows of the profile's own fields, by category ------------------------------

enum class ListId {
  None,
  Targets,
  Extensions,
  AudioBitrates,
  VideoBitrates,
  Qualities,
  Channels,
  SampleRates,
  FrameRates,
  FrameSizes,
  AspectRatios,
  Flags,
  Muxers,
  Demuxers,
  AudioEncoderList,
  VideoEncoderList,
  SubtitleEncoderList,
  AudioDecoderList,
  VideoDecoderList,
  SubtitleDecoderList,
  InputPixelFormatList,
  OutputPixelFormatList,
};

QStringList Literal(const char* text) { return QString::fromLatin1(text).split(','); }

QStringList ValueList(ListId id) {
  switch (id) {
    case ListId::None:
      return {};
    case ListId::Targets:
      return Literal(
          "ntsc-vcd,ntsc-svcd,ntsc-dvd,ntsc-dv,ntsc-dv50,pal-vcd,pal-svcd,pal-dvd,pal-dv,pal-dv50,"
          "film-vcd,film-svcd,film-dvd,film-dv,film-dv50");
    case ListId::Extensions:
      return Literal(
          "3gp,aac,ac3,ape,asf,avi,fla,flac,flv,it,m4a,m4v,Mac,mp1,mp2,mp3,mp4,mpc,mpeg,mpeg1,"
          "mpeg2,mpeg4,mpg,mtk,mts,mtv,ogg,ogm,ogv,ogx,vob,wav,wma,wmv,wv");
    case ListId::AudioBitrates:
      return Literal("8k,16k,24k,32k,48k,64k,96k,128k,192k,256k,320k,512k,1m,2m,3m,5m");
    case ListId::VideoBitrates:
      return Literal("256k,512k,720k,1m,2m,3m,5m");
    case ListId::Qualities:
      return Literal(
          "0,1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16,17,18,19,20,21,22,23,24,25,26,27,28,29,30,31");
    case ListId::Channels:
      return Literal("1,2");
    case ListId::SampleRates:
      return Literal("16000,22050,24000,32000,44100,48000");
    case ListId::FrameRates:
      return Literal(
          "1/8,1/5,1/4,1/2,1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16,17,18,19,20,21,22,23,24,25,26,"
          "27,28,29,30");
    case ListId::FrameSizes:
      return Literal(
          "64x64,160x120,176x144,320x240,640x480,720x576,800x600,1024x768,1280x1024,1600x1200,"
          "1280x800,1440x900,1680x1050,1920x1200,2560x1600");
    case ListId::AspectRatios:
      return Literal("4:3,16:9");
    case ListId::Flags:
      return Literal("0,1");
    case ListId::Muxers:
      return MuxerFormats.Items;
    case ListId::Demuxers:
      return DemuxerFormats.Items;
    case ListId::AudioEncoderList:
      return AudioEncoders.Items;
    case ListId::VideoEncoderList:
      return VideoEncoders.Items;
    case ListId::SubtitleEncoderList:
      return SubtitleEncoders.Items;
    case ListId::AudioDecoderList:
      return AudioDecoders.Items;
    case ListId::VideoDecoderList:
      return VideoDecoders.Items;
    case ListId::SubtitleDecoderList:
      return SubtitleDecoders.Items;
    case ListId::InputPixelFormatList:
      return InputPixelFormats.Items;
    case ListId::OutputPixelFormatList:
      return OutputPixelFormats.Items;
  }
  return {};
}

using P = FormatProfile;
using C = ::ParamCaptions;

// One row of a profile field: a text field, or a flag (flags are list-only).
struct FieldRow {
  QString C::*caption;
  QString P::*text;
  uint8_t P::*flag;
  ListId list;
};

constexpr FieldRow Text(QString C::*caption, QString P::*field, ListId list) {
  return {caption, field, nullptr, list};
}
constexpr FieldRow Flag(QString C::*caption, uint8_t P::*field) {
  return {caption, nullptr, field, ListId::Flags};
}

const std::array kInputRows = {
    Text(&C::ContainerFormat, &P::InputContainer, ListId::Demuxers),
    Text(&C::AudioCodec, &P::InputAudioCodec, ListId::AudioDecoderList),
    Text(&C::VideoCodec, &P::InputVideoCodec, ListId::VideoDecoderList),
    Text(&C::SubtitleCodec, &P::InputSubtitleCodec, ListId::SubtitleDecoderList),
    Text(&C::PixelFormat, &P::InputPixelFormat, ListId::InputPixelFormatList),
    Text(&C::ExtraParams, &P::InputExtraParams, ListId::None),
};

const std::array kGeneralRows = {
    Text(&C::ContainerFormat, &P::OutputContainer, ListId::Muxers),
    Text(&C::AudioCodec, &P::AudioCodec, ListId::AudioEncoderList),
    Text(&C::VideoCodec, &P::VideoCodec, ListId::VideoEncoderList),
    Text(&C::SubtitleCodec, &P::SubtitleCodec, ListId::SubtitleEncoderList),
    Text(&C::Target, &P::Target, ListId::Targets),
    Flag(&C::RemoveSubtitles, &P::RemoveSubtitles),
    Text(&C::ExtraParams, &P::OutputExtraParams, ListId::None),
    Text(&C::Extension, &P::Extension, ListId::Extensions),
    Flag(&C::MultipleOutputFiles, &P::MultipleOutputFiles),
};

const std::array kAudioRows = {
    Text(&C::Bitrate, &P::AudioBitrate, ListId::AudioBitrates),
    Text(&C::BitrateMax, &P::AudioMaxRate, ListId::AudioBitrates),
    Text(&C::BitrateMin, &P::AudioMinRate, ListId::AudioBitrates),
    Text(&C::Quality, &P::AudioQuality, ListId::Qualities),
    Text(&C::Channels, &P::Channels, ListId::Channels),
    Text(&C::SampleRate, &P::SampleRate, ListId::SampleRates),
    Flag(&C::RemoveAudio, &P::RemoveAudio),
};

const std::array kVideoRows = {
    Text(&C::Bitrate, &P::VideoBitrate, ListId::VideoBitrates),
    Text(&C::BitrateMax, &P::VideoMaxRate, ListId::VideoBitrates),
    Text(&C::BitrateMin, &P::VideoMinRate, ListId::VideoBitrates),
    Text(&C::Quality, &P::VideoQuality, ListId::Qualities),
    Text(&C::QualityMax, &P::VideoQMax, ListId::Qualities),
    Text(&C::QualityMin, &P::VideoQMin, ListId::Qualities),
    Text(&C::FrameRate, &P::FrameRate, ListId::FrameRates),
    Text(&C::FrameSize, &P::FrameSize, ListId::FrameSizes),
    Text(&C::AspectRatio, &P::AspectRatio, ListId::AspectRatios),
    Text(&C::PixelFormat, &P::PixelFormat, ListId::OutputPixelFormatList),
    Flag(&C::RemoveVideo, &P::RemoveVideo),
};

QList<FieldRow> FieldRows(uint8_t category) {
  switch (category) {
    case Input:
      return {kInputRows.begin(), kInputRows.end()};
    case OutputGeneral:
      return {kGeneralRows.begin(), kGeneralRows.end()};
    case OutputAudio:
      return {kAudioRows.begin(), kAudioRows.end()};
    case OutputVideo:
      return {kVideoRows.begin(), kVideoRows.end()};
  }
  return {};
}

// The ffmpeg options an external codec may leave editable, by j (1-based).
struct OptionRow {
  QString C::*caption;
  ListId list;
};

const std::array<OptionRow, 6> kAudioOptionRows = {{
    {&C::Bitrate, ListId::AudioBitrates},
    {&C::BitrateMax, ListId::AudioBitrates},
    {&C::BitrateMin, ListId::AudioBitrates},
    {&C::Quality, ListId::Qualities},
    {&C::Channels, ListId::Channels},
    {&C::SampleRate, ListId::SampleRates},
}};

const std::array<OptionRow, 10> kVideoOptionRows = {{
    {&C::Bitrate, ListId::VideoBitrates},
    {&C::BitrateMax, ListId::VideoBitrates},
    {&C::BitrateMin, ListId::VideoBitrates},
    {&C::Quality, ListId::Qualities},
    {&C::QualityMax, ListId::Qualities},
    {&C::QualityMin, ListId::Qualities},
    {&C::FrameRate, ListId::FrameRates},
    {&C::FrameSize, ListId::FrameSizes},
    {&C::AspectRatio, ListId::AspectRatios},
    {&C::PixelFormat, ListId::OutputPixelFormatList},
}};

const ExtCodecDef* EmbeddedCodec(const FormatProfile& profile, uint8_t category) {
  if (category == OutputAudio && !profile.AudioExtCodecName.isEmpty())
    return &profile.AudioExtCodec;
  if (category == OutputVideo && !profile.VideoExtCodecName.isEmpty())
    return &profile.VideoExtCodec;
  return nullptr;
}

ExtCodecDef* EmbeddedCodec(FormatProfile& profile, uint8_t category) {
  return const_cast<ExtCodecDef*>(EmbeddedCodec(std::as_const(profile), category));
}

constexpr uint8_t kRequired = 1;
constexpr uint8_t kSwitch = 2;

QList<ParamRow> CodecRows(const ExtCodecDef& codec, uint8_t category, const C& captions) {
  QList<ParamRow> rows;
  for (int i = codec.Params.LowerBound; i <= codec.Params.UpperBound(); ++i) {
    const ExtCodecParam& param = codec.Params[i];
    if (param.Kind == kRequired) continue;
    ParamRow row;
    row.caption = param.Label;
    row.value = param.Value;
    // The empty first entry lets the user leave the parameter out.
    row.list =
        param.Kind == kSwitch ? ValueList(ListId::Flags) : ("\r\n" + param.Suggested).split("\r\n");
    row.listOnly = param.Kind == kSwitch || param.OnlySuggested == 1;
    row.target = {RowTarget::CodecParam, nullptr, nullptr, i};
    rows.append(row);
  }
  const bool video = category == OutputVideo;
  const int optionCount = video ? int(kVideoOptionRows.size()) : int(kAudioOptionRows.size());
  for (int j = 1; j <= optionCount; ++j) {
    const bool inRange = j >= codec.Editable.LowerBound && j <= codec.Editable.UpperBound();
    if (!inRange || codec.Editable[j] != 1) continue;
    const OptionRow& option = video ? kVideoOptionRows[j - 1] : kAudioOptionRows[j - 1];
    ParamRow row;
    row.caption = "FF>" + captions.*option.caption;
    const bool hasValue = j >= codec.Values.LowerBound && j <= codec.Values.UpperBound();
    row.value = hasValue ? codec.Values[j] : QString();
    row.list = ValueList(option.list);
    row.target = {RowTarget::CodecOption, nullptr, nullptr, j};
    rows.append(row);
  }
  return rows;
}

}  // namespace

QList<ParamRow> CategoryRows(const FormatProfile& profile, uint8_t category, const C& captions) {
  if (const ExtCodecDef* codec = EmbeddedCodec(profile, category)) {
    return CodecRows(*codec, category, captions);
  }
  QList<ParamRow> rows;
  for (const FieldRow& field : FieldRows(category)) {
    ParamRow row;
    row.caption = captions.*field.caption;
    row.list = ValueList(field.list);
    if (field.text) {
      row.value = profile.*field.text;
      row.target = {RowTarget::TextField, field.text, nullptr, 0};
    } else {
      row.value = QString::number(profile.*field.flag);
      row.listOnly = true;
      row.target = {RowTarget::FlagField, nullptr, field.flag, 0};
    }
    rows.append(row);
  }
  // The encoder rows stand aside while an external encoder takes the track;
  // the fields keep their values for when it is unloaded.
  if (category == OutputGeneral) {
    const std::array<std::pair<int, QString>, 2> external = {
        {{1, profile.AudioExtCodecName}, {2, profile.VideoExtCodecName}}};
    for (const auto& [row, name] : external) {
      if (name.isEmpty()) continue;
      rows[row].value = "<" + name + ">";
      rows[row].disabled = true;
    }
  }
  return rows;
}

bool StoreRowValue(FormatProfile& profile, uint8_t category, int row, const QString& text) {
  const QList<ParamRow> rows = CategoryRows(profile, category, C());
  if (row < 0 || row >= rows.size() || rows[row].disabled) return false;
  const RowTarget& target = rows[row].target;
  switch (target.kind) {
    case RowTarget::TextField:
      profile.*target.text = text;
      return true;
    case RowTarget::FlagField:
      profile.*target.flag = text.trimmed().toInt() != 0 ? 1 : 0;
      return true;
    case RowTarget::CodecParam:
      EmbeddedCodec(profile, category)->Params[target.index].Value = text;
      return true;
    case RowTarget::CodecOption: {
      DynArray<QString>& values = EmbeddedCodec(profile, category)->Values;
      // A codec read from an incomplete file may have fewer values than options.
      if (values.IsEmpty()) values.LowerBound = 1;
      while (values.UpperBound() < target.index) values.Items.append(QString());
      values[target.index] = text;
      return true;
    }
  }
  return false;
}

// The life cycle of the profile ----------------------------------------------------

namespace {

void RefreshWindow() {
  emit Events().ProfileChanged(CurrentFormat);
  BuildCategoryParams(CurrentCategory);
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

QString ChooseProfile(int mode);

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
    param.Value = param.Kind == kSwitch ? "0" : "";
  }
  for (QString& value : codec.Values.Items) value.clear();
}

bool SaveFormat(QString& path) {
  if (path.isEmpty()) path = ChooseProfile(2);
  if (path.isEmpty()) return false;
  if (!ScriptObj::FolderExists(FormatsFolder()) && !ScriptObj::CreateFolderPath(FormatsFolder())) {
    Lang::MsgCannotCreateDir(FormatsFolder());
    return false;
  }
  if (RecordFile::Write(path, CurrentFormat) != RecordFile::Result::Ok) {
    Lang::MsgCannotWriteFile(QString());
    return false;
  }
  if (TempFormatMode == 0 || path.toLower() == CurrentFormatFile.toLower()) {
    SavedFormat = CurrentFormat;
  }
  if (TempFormatMode == 0) CurrentFormatFile = path;
  return true;
}

void LoadFormat(QString& path) {
  if (TempFormatMode == 0 && !CloseFormat()) return;
  if (path.isEmpty()) path = ChooseProfile(1);
  if (path.isEmpty()) return;
  FormatProfile loaded;
  if (ScriptObj::FileExists(path)) {
    if (RecordFile::Read(path, loaded) != RecordFile::Result::Ok) {
      Lang::MsgCannotReadFile(path);
      return;
    }
  } else if (!ScriptObj::GetBaseName(path).isEmpty()) {
    // A named profile that has gone becomes an empty one of that name.
    Lang::MsgFileNotFound(ScriptObj::GetBaseName(path));
    const QString folder = ScriptObj::ParentFolder(path);
    if (!ScriptObj::FolderExists(folder)) ScriptObj::CreateFolderPath(folder);
    if (!QFile(path).open(QIODevice::WriteOnly)) {
      Lang::MsgCannotReadFile(path);
      return;
    }
  }
  CurrentFormat = loaded;
  if (TempFormatMode != 1) {
    CurrentFormatFile = path;
    SavedFormat = CurrentFormat;
  }
  RefreshWindow();
}

bool CloseFormat() {
  if (IsFormatChanged()) {
    const QString base = ScriptObj::GetBaseName(CurrentFormatFile);
    const QString name = base.isEmpty() ? QString() : "\"" + base + "\"";
    const int answer = Lang::AskSaveChanges(name);
    if (answer == 2) return false;
    if (answer == 6 && !SaveFormat(CurrentFormatFile)) return false;
  }
  CurrentFormat = FormatProfile();
  SavedFormat = FormatProfile();
  CurrentFormatFile.clear();
  CurrentCategory = OutputGeneral;
  RefreshWindow();
  return true;
}

bool IsFormatChanged() { return ProfilesDiffer(CurrentFormat, SavedFormat); }

void UndoChanges() {
  CurrentFormat = SavedFormat;
  RefreshWindow();
}

void ClearAll() {
  FormatProfile cleared;
  if (!CurrentFormat.AudioExtCodecName.isEmpty()) {
    cleared.AudioExtCodecName = CurrentFormat.AudioExtCodecName;
    cleared.AudioExtCodec = CurrentFormat.AudioExtCodec;
    EmptyCodecValues(cleared.AudioExtCodec);
  }
  if (!CurrentFormat.VideoExtCodecName.isEmpty()) {
    cleared.VideoExtCodecName = CurrentFormat.VideoExtCodecName;
    cleared.VideoExtCodec = CurrentFormat.VideoExtCodec;
    EmptyCodecValues(cleared.VideoExtCodec);
  }
  CurrentFormat = cleared;
  BuildCategoryParams(CurrentCategory);
}

void ClearCategory() {
  if (ExtCodecDef* codec = EmbeddedCodec(CurrentFormat, CurrentCategory)) {
    EmptyCodecValues(*codec);
  } else {
    for (const FieldRow& row : FieldRows(CurrentCategory)) {
      if (row.text) CurrentFormat.*row.text = QString();
      if (row.flag) CurrentFormat.*row.flag = 0;
    }
  }
  BuildCategoryParams(CurrentCategory);
}

// The capability lists ---------------------------------------------------------------

namespace {

// A list that holds only its empty first element takes the first name there.
void AddName(DynArray<QString>& list, const QString& name) {
  if (list.Count() == 1 && list.Items[0].isEmpty()) {
    list.Items[0] = name;
  } else {
    if (list.IsEmpty()) list.LowerBound = 1;
    list.Items.append(name);
  }
}

// The index of the first table line: `skip` lines after the header, or 0 when
// the output has no header.
qsizetype FirstDataLine(const QStringList& lines, const QString& header, int skip) {
  for (qsizetype i = 0; i < lines.size() - 1; ++i) {
    if (lines[i] == header) return i + skip;
  }
  return 0;
}

// The text from `column` (1-based) up to the first blank at or after it; ""
// when no blank follows.
QString NameAt(const QString& line, int column, int blankFrom) {
  const qsizetype blank = line.indexOf(' ', blankFrom - 1);
  if (blank < 0) return QString();
  const qsizetype length = blank + 1 - column;
  return length > 0 ? line.mid(column - 1, length) : QString();
}

QStringList TableLines(const QString& output) { return output.split("\r\n"); }

bool HasColumn(const QString& line, int column, QChar letter) {
  return line.size() >= column && line[column - 1] == letter;
}

}  // namespace

void ParseCodecTable(const QString& output, const QString& header, DynArray<QString>& audio,
                     DynArray<QString>& video, DynArray<QString>& subtitle) {
  const QStringList lines = TableLines(output);
  for (qsizetype i = FirstDataLine(lines, header, 10); i < lines.size(); ++i) {
    const QString& line = lines[i];
    DynArray<QString>* target = line.startsWith(" A")   ? &audio
                                : line.startsWith(" V") ? &video
                                : line.startsWith(" S") ? &subtitle
                                                        : nullptr;
    if (!target) continue;
    const QString name = NameAt(line, 8, 9).trimmed();
    if (!name.isEmpty()) AddName(*target, name);
  }
}

void ParseFormatTable(const QString& output, DynArray<QString>& demuxers,
                      DynArray<QString>& muxers) {
  const QStringList lines = TableLines(output);
  for (qsizetype i = FirstDataLine(lines, "File formats:", 4); i < lines.size(); ++i) {
    const QString& line = lines[i];
    const QStringList names = NameAt(line, 5, 5).split(',', Qt::SkipEmptyParts);
    if (HasColumn(line, 2, 'D')) {
      for (const QString& name : names) AddName(demuxers, name);
    }
    if (HasColumn(line, 3, 'E')) {
      for (const QString& name : names) AddName(muxers, name);
    }
  }
}

void ParsePixelFormatTable(const QString& output, DynArray<QString>& inputFormats,
                           DynArray<QString>& outputFormats) {
  const QStringList lines = TableLines(output);
  for (qsizetype i = FirstDataLine(lines, "Pixel formats:", 8); i < lines.size(); ++i) {
    const QString& line = lines[i];
    const QString name = NameAt(line, 7, 7);
    if (name.isEmpty()) continue;
    if (HasColumn(line, 1, 'I')) AddName(inputFormats, name);
    if (HasColumn(line, 2, 'O')) AddName(outputFormats, name);
  }
}

namespace {

// ffmpeg's output for one informational switch; "" when it could not run.
QString FfmpegListing(const QString& option) {
  QString output;
  int32_t exitCode = 0;
  const QString cmdLine = CaptureConsole::QuoteArgument(ffmpeg::FfmpegPath) + " " + option;
  if (!CaptureConsole::RunCaptured(cmdLine, QString(), 0, 0, nullptr, true,
                                   CaptureConsole::NoDisplay, output, -1, exitCode)) {
    return QString();
  }
  return output;
}

DynArray<QString> OneElement(const QString& first) { return DynArray<QString>{1, {first}}; }

}  // namespace

void LoadFfmpegCapabilities() {
  for (DynArray<QString>* list : {&AudioDecoders, &VideoDecoders, &SubtitleDecoders,
                                  &DemuxerFormats, &InputPixelFormats, &OutputPixelFormats}) {
    *list = OneElement(QString());
  }
  for (DynArray<QString>* list : {&AudioEncoders, &VideoEncoders, &SubtitleEncoders}) {
    *list = OneElement("copy");
  }
  MuxerFormats = OneElement("<copy>");
  LoadEncoderList();
  LoadDecoderList();
  LoadFormatList();
  LoadPixelFormatList();
  // Also after a run that gave nothing: a wrong path keeps its short lists
  // until the tool paths are set again.
  FfmpegListsStale = 0;
}

void LoadEncoderList() {
  ParseCodecTable(FfmpegListing("-encoders"), "Encoders:", AudioEncoders, VideoEncoders,
                  SubtitleEncoders);
}

void LoadDecoderList() {
  ParseCodecTable(FfmpegListing("-decoders"), "Decoders:", AudioDecoders, VideoDecoders,
                  SubtitleDecoders);
}

void LoadFormatList() { ParseFormatTable(FfmpegListing("-formats"), DemuxerFormats, MuxerFormats); }

void LoadPixelFormatList() {
  ParsePixelFormatTable(FfmpegListing("-pix_fmts"), InputPixelFormats, OutputPixelFormats);
}

// Rebuilding the rows ------------------------------------------------------------------

void BuildCategoryParams(uint8_t category) {
  const QList<ParamRow> rows = CategoryRows(CurrentFormat, category, ffmpeg::ParamCaptions);
  ParamRowCount = int(rows.size());
  emit Events().RowsBuilt(category, rows);
}

// Imports ----------------------------------------------------------------------------

namespace {

// Typed options word by word: each word as typed (quotes included) and the
// argument it makes.
struct TypedOptions {
  QStringList typed;
  QStringList arguments;
};

TypedOptions ScanOptions(const QString& text) {
  TypedOptions options;
  for (const CaptureConsole::TypedWord& word : CaptureConsole::ScanWords(text)) {
    options.typed << text.mid(word.start, word.length);
    options.arguments << word.value;
  }
  return options;
}

void RemoveWords(TypedOptions& work, qsizetype at, qsizetype count) {
  work.typed.remove(at, count);
  work.arguments.remove(at, count);
}

// The word after the first option word, as typed; nothing when the option is
// absent or is the last word. Every "option value" pair is taken out.
void TakeValue(TypedOptions& work, const QString& option, QString& field) {
  const qsizetype at = work.arguments.indexOf(option);
  if (at < 0 || at + 1 >= work.arguments.size()) return;
  field = work.typed[at + 1];
  for (qsizetype i = 0; i + 1 < work.arguments.size();) {
    if (work.arguments[i] == option && work.typed[i + 1] == field) {
      RemoveWords(work, i, 2);
    } else {
      ++i;
    }
  }
}

void TakeFlag(TypedOptions& work, const QString& option, uint8_t& field) {
  if (!work.arguments.contains(option)) return;
  field = 1;
  for (qsizetype at = work.arguments.indexOf(option); at >= 0; at = work.arguments.indexOf(option))
    RemoveWords(work, at, 1);
}

void KeepRest(const TypedOptions& work, QString& extraParams) {
  if (!work.typed.isEmpty()) extraParams = work.typed.join(' ');
}

}  // namespace

void ImportOptions(FormatProfile& profile, const QString& outputText, const QString& inputText) {
  const FfmpegOptionNames& o = ffmpeg::OptNames;
  TypedOptions outputOptions = ScanOptions(outputText);
  const std::array<std::pair<const QString*, QString P::*>, 21> outputValues = {{
      {&o.AudioQuality, &P::AudioQuality},
      {&o.AudioBitrate, &P::AudioBitrate},
      {&o.AudioMaxRate, &P::AudioMaxRate},
      {&o.VideoMaxRate, &P::VideoMaxRate},
      {&o.AudioMinRate, &P::AudioMinRate},
      {&o.VideoMinRate, &P::VideoMinRate},
      {&o.VideoBitrate, &P::VideoBitrate},
      {&o.Channels, &P::Channels},
      {&o.VideoQMax, &P::VideoQMax},
      {&o.VideoQMin, &P::VideoQMin},
      {&o.AudioCodec, &P::AudioCodec},
      {&o.SubtitleCodec, &P::SubtitleCodec},
      {&o.VideoCodec, &P::VideoCodec},
      {&o.Format, &P::OutputContainer},
      {&o.Target, &P::Target},
      {&o.PixelFormat, &P::PixelFormat},
      {&o.Aspect, &P::AspectRatio},
      {&o.SampleRate, &P::SampleRate},
      {&o.Size, &P::FrameSize},
      {&o.VideoQuality, &P::VideoQuality},
      {&o.FrameRate, &P::FrameRate},
  }};
  // The flags come between "-f" and "-target" in the order options are taken.
  for (qsizetype i = 0; i < qsizetype(outputValues.size()); ++i) {
    if (outputValues[i].first == &o.Target) {
      TakeFlag(outputOptions, o.NoAudio, profile.RemoveAudio);
      TakeFlag(outputOptions, o.NoSubtitles, profile.RemoveSubtitles);
      TakeFlag(outputOptions, o.NoVideo, profile.RemoveVideo);
    }
    TakeValue(outputOptions, *outputValues[i].first, profile.*outputValues[i].second);
  }
  KeepRest(outputOptions, profile.OutputExtraParams);

  TypedOptions inputOptions = ScanOptions(inputText);
  const std::array<std::pair<const QString*, QString P::*>, 5> inputValues = {{
      {&o.AudioCodec, &P::InputAudioCodec},
      {&o.SubtitleCodec, &P::InputSubtitleCodec},
      {&o.VideoCodec, &P::InputVideoCodec},
      {&o.Format, &P::InputContainer},
      {&o.PixelFormat, &P::InputPixelFormat},
  }};
  for (const auto& [option, field] : inputValues) TakeValue(inputOptions, *option, profile.*field);
  KeepRest(inputOptions, profile.InputExtraParams);
}

void ImportCommandLine(const QString& outputOptions, const QString& inputOptions) {
  ImportOptions(CurrentFormat, outputOptions, inputOptions);
  BuildCategoryParams(CurrentCategory);
}

namespace {

struct ProbeLine {
  const char* label;
  QString MediaInfo::*value;  // nullptr: the file's extension
  int cut;
  QString P::*field;  // nullptr: a tag option in the output extra parameters
};

// The container's value starts with a blank, which its cut also removes.
const std::array<ProbeLine, 15> kProbeLines = {{
    {"Container: ", &MediaInfo::Container, 12, &P::OutputContainer},
    {"Audio codec: ", &MediaInfo::AudioCodec, 13, &P::AudioCodec},
    {"Audio bitrate (bits/s): ", &MediaInfo::AudioBitrate, 24, &P::AudioBitrate},
    {"Audio channels: ", &MediaInfo::AudioChannels, 16, &P::Channels},
    {"Audio sample rate (hz): ", &MediaInfo::AudioSampleRate, 24, &P::SampleRate},
    {"Video codec: ", &MediaInfo::VideoCodec, 13, &P::VideoCodec},
    {"Video bitrate (bits/s): ", &MediaInfo::VideoBitrate, 24, &P::VideoBitrate},
    {"Video size (width x height, pixels): ", &MediaInfo::VideoSize, 37, &P::FrameSize},
    {"Video fps: ", &MediaInfo::VideoFrameRate, 11, &P::FrameRate},
    {"Video pixel format: ", &MediaInfo::VideoPixelFormat, 20, &P::PixelFormat},
    {"Subtitle codec: ", &MediaInfo::SubtitleCodec, 16, &P::SubtitleCodec},
    {"File extension: ", nullptr, 16, &P::Extension},
    {"Aspect ratio: ", &MediaInfo::AspectRatio, 14, &P::AspectRatio},
    {"Audio codec tag: ", &MediaInfo::AudioCodecTag, 17, nullptr},
    {"Video codec tag: ", &MediaInfo::VideoCodecTag, 17, nullptr},
}};

}  // namespace

QStringList ProbeLines(const MediaInfo& info, const QString& extension) {
  QStringList lines;
  for (const ProbeLine& line : kProbeLines) {
    lines << QString::fromLatin1(line.label) + (line.value ? info.*line.value : extension);
  }
  return lines;
}

QString SetTagOption(const QString& extraParams, const QString& option, const QString& value) {
  const QString padded = " " + extraParams + " ";
  const QString needle = " " + option + " ";
  const qsizetype at = padded.indexOf(needle);
  const qsizetype start = at + needle.size();
  const qsizetype end = at < 0 ? -1 : padded.indexOf(' ', start);
  if (end < 0) return (extraParams + " " + option + " " + value).trimmed();
  QString replaced = padded;
  replaced.replace(start, end - start, value);
  return replaced.mid(1, replaced.size() - 2);
}

void CopyProbeLines(FormatProfile& profile, const QStringList& lines, const QList<bool>& ticked) {
  const std::array<const QString*, 2> tagOptions = {&ffmpeg::OptNames.AudioTag,
                                                    &ffmpeg::OptNames.VideoTag};
  for (qsizetype i = 0; i < qsizetype(kProbeLines.size()) && i < lines.size(); ++i) {
    if (i >= ticked.size() || !ticked[i]) continue;
    const ProbeLine& line = kProbeLines[i];
    if (lines[i].size() <= line.cut) continue;
    const QString value = lines[i].mid(line.cut);
    if (line.field) {
      profile.*line.field = value;
    } else {
      const QString& option = *tagOptions[i - 13];
      profile.OutputExtraParams = SetTagOption(profile.OutputExtraParams, option, value);
    }
  }
}

bool ImportProbedValues(const QStringList& lines, const QList<bool>& ticked) {
  if (!ticked.contains(true)) {
    Lang::MsgSelectOption();
    return false;
  }
  CopyProbeLines(CurrentFormat, lines, ticked);
  BuildCategoryParams(CurrentCategory);
  return true;
}

// External codecs ------------------------------------------------------------------

namespace {

ExtCodecDef& CodecOf(FormatProfile& profile, uint8_t isVideo) {
  return isVideo ? profile.VideoExtCodec : profile.AudioExtCodec;
}

QString& CodecNameOf(FormatProfile& profile, uint8_t isVideo) {
  return isVideo ? profile.VideoExtCodecName : profile.AudioExtCodecName;
}

QString CodecExtension(uint8_t isVideo) { return isVideo ? "qcv" : "qca"; }

QString ChooseProfile(int mode) {
  return Appfilesadm::ShowFileManager(FormatsFolder(), "qfm", uint8_t(mode), true);
}

}  // namespace

QString ExtCodecPath(uint8_t isVideo, const QString& name) {
  return ProgramFolder::AppFiles("ecodec/" + name + "." + CodecExtension(isVideo));
}

void PrepareExtCodec(ExtCodecDef& codec) {
  codec.Values = DynArray<QString>();
  codec.Values.LowerBound = codec.Editable.LowerBound;
  codec.Values.Items.resize(codec.Editable.Count());
  for (ExtCodecParam& param : codec.Params.Items) {
    if (param.Kind == kSwitch) param.Value = "0";
  }
}

void LoadExternalCodec(uint8_t isVideo, const QString& name) {
  const QString path = name.isEmpty() ? Appfilesadm::ShowFileManager(
                                            ProgramFolder::AppFiles("ecodec"),
                                            CodecExtension(isVideo), Appfilesadm::Open, true)
                                      : ExtCodecPath(isVideo, name);
  if (path.isEmpty()) return;
  if (!ScriptObj::FileExists(path)) {
    Lang::MsgFileNotFound(path);
    return;
  }
  ExtCodecDef codec;
  if (RecordFile::Read(path, codec) != RecordFile::Result::Ok) {
    Lang::MsgCannotLoadExtCodec(ScriptObj::GetBaseName(path));
    return;
  }
  PrepareExtCodec(codec);
  CodecOf(CurrentFormat, isVideo) = codec;
  CodecNameOf(CurrentFormat, isVideo) = ScriptObj::GetBaseName(path);
  RefreshWindow();
}

void UnloadExternalCodec(uint8_t isVideo) {
  const QString name = CodecNameOf(CurrentFormat, isVideo);
  if (name.isEmpty()) return;
  if (!ScriptObj::FileExists(ExtCodecPath(isVideo, name)) && Lang::AskContinueCodecRemoved() != 6) {
    return;
  }
  CodecNameOf(CurrentFormat, isVideo).clear();
  CodecOf(CurrentFormat, isVideo) = ExtCodecDef();
  RefreshWindow();
}

bool HasExternalCodec(uint8_t isVideo) { return !CodecNameOf(CurrentFormat, isVideo).isEmpty(); }

QString CodecExeLocation(uint8_t isVideo) {
  const QString& exePath = CodecOf(CurrentFormat, isVideo).ExePath;
  return exePath.isEmpty() ? QString() : Aplicacion::ResolveAppPath(exePath);
}

void SetCodecExe(uint8_t isVideo, const QString& chosen) {
  CodecOf(CurrentFormat, isVideo).ExePath = Aplicacion::StoreAppPath(chosen);
}

}  // namespace FormatEdit
