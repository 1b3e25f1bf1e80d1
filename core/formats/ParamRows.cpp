// The format editor's parameter rows: what each category shows of a profile and
// where a row's value goes.
#include <array>
#include <utility>

#include "core/formats/FormatEditor.h"
#include "core/frame/FfmpegTools.h"
#include "core/lang/Lang.h"

namespace FormatEditor {

namespace {

// The rows of the profile's own fields, by category

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
      return State().Capabilities.MuxerFormats.Items;
    case ListId::Demuxers:
      return State().Capabilities.DemuxerFormats.Items;
    case ListId::AudioEncoderList:
      return State().Capabilities.AudioEncoders.Items;
    case ListId::VideoEncoderList:
      return State().Capabilities.VideoEncoders.Items;
    case ListId::SubtitleEncoderList:
      return State().Capabilities.SubtitleEncoders.Items;
    case ListId::AudioDecoderList:
      return State().Capabilities.AudioDecoders.Items;
    case ListId::VideoDecoderList:
      return State().Capabilities.VideoDecoders.Items;
    case ListId::SubtitleDecoderList:
      return State().Capabilities.SubtitleDecoders.Items;
    case ListId::InputPixelFormatList:
      return State().Capabilities.InputPixelFormats.Items;
    case ListId::OutputPixelFormatList:
      return State().Capabilities.OutputPixelFormats.Items;
  }
  return {};
}

using P = FormatProfile;
using C = ::ParamCaptions;

// One row of a profile field: a text field, or a flag (flags are list-only).
struct FieldRow {
  QString C::*caption;
  QString P::*text;
  bool P::*flag;
  ListId list;
};

constexpr FieldRow Text(QString C::*caption, QString P::*field, ListId list) {
  return {caption, field, nullptr, list};
}
constexpr FieldRow Flag(QString C::*caption, bool P::*field) {
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

QList<FieldRow> FieldRows(Category category) {
  switch (category) {
    case Category::Input:
      return {kInputRows.begin(), kInputRows.end()};
    case Category::OutputGeneral:
      return {kGeneralRows.begin(), kGeneralRows.end()};
    case Category::OutputAudio:
      return {kAudioRows.begin(), kAudioRows.end()};
    case Category::OutputVideo:
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

const ExtCodecDef* EmbeddedCodec(const FormatProfile& profile, Category category) {
  if (category == Category::OutputAudio && !profile.AudioExtCodecName.isEmpty())
    return &profile.AudioExtCodec;
  if (category == Category::OutputVideo && !profile.VideoExtCodecName.isEmpty())
    return &profile.VideoExtCodec;
  return nullptr;
}

ExtCodecDef* EmbeddedCodec(FormatProfile& profile, Category category) {
  return const_cast<ExtCodecDef*>(EmbeddedCodec(std::as_const(profile), category));
}

QList<ParamRow> CodecRows(const ExtCodecDef& codec, Category category, const C& captions) {
  QList<ParamRow> rows;
  for (int i = codec.Params.LowerBound; i <= codec.Params.UpperBound(); ++i) {
    const ExtCodecParam& param = codec.Params[i];
    if (param.Kind == ParamKind::Required) continue;
    ParamRow row;
    row.caption = param.Label;
    row.value = param.Value;
    // The empty first entry lets the user leave the parameter out.
    row.list = param.Kind == ParamKind::Switch ? ValueList(ListId::Flags)
                                               : ("\r\n" + param.Suggested).split("\r\n");
    row.listOnly = param.Kind == ParamKind::Switch || param.OnlySuggested;
    row.target = {RowTarget::CodecParam, nullptr, nullptr, i};
    rows.append(row);
  }
  const bool video = category == Category::OutputVideo;
  const int optionCount = video ? int(kVideoOptionRows.size()) : int(kAudioOptionRows.size());
  for (int j = 1; j <= optionCount; ++j) {
    const bool inRange = j >= codec.Editable.LowerBound && j <= codec.Editable.UpperBound();
    if (!inRange || !codec.Editable[j]) continue;
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

QList<ParamRow> CategoryRows(const FormatProfile& profile, Category category, const C& captions) {
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
      row.value = profile.*field.flag ? QStringLiteral("1") : QStringLiteral("0");
      row.listOnly = true;
      row.target = {RowTarget::FlagField, nullptr, field.flag, 0};
    }
    rows.append(row);
  }
  // The encoder rows stand aside while an external encoder takes the track;
  // the fields keep their values for when it is unloaded.
  if (category == Category::OutputGeneral) {
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

bool StoreRowValue(FormatProfile& profile, Category category, int row, const QString& text) {
  const QList<ParamRow> rows = CategoryRows(profile, category, C());
  if (row < 0 || row >= rows.size() || rows[row].disabled) return false;
  const RowTarget& target = rows[row].target;
  switch (target.kind) {
    case RowTarget::TextField:
      profile.*target.text = text;
      return true;
    case RowTarget::FlagField:
      profile.*target.flag = text.trimmed().toInt() != 0;
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

// Rebuilding the rows ------------------------------------------------------------------

void BuildCategoryParams(Category category) {
  const QList<ParamRow> rows =
      CategoryRows(State().CurrentFormat, category, Lang::GetParamCaptions());
  State().ParamRowCount = int(rows.size());
  emit Events().RowsBuilt(category, rows);
}

void ClearCategory() {
  if (ExtCodecDef* codec = EmbeddedCodec(State().CurrentFormat, State().CurrentCategory)) {
    EmptyCodecValues(*codec);
  } else {
    for (const FieldRow& row : FieldRows(State().CurrentCategory)) {
      if (row.text) State().CurrentFormat.*row.text = QString();
      if (row.flag) State().CurrentFormat.*row.flag = false;
    }
  }
  BuildCategoryParams(State().CurrentCategory);
}

}  // namespace FormatEditor
