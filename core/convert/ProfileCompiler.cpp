#include "core/convert/ProfileCompiler.h"

#include <QFile>
#include <QFileInfo>
#include <charconv>

#include "core/frame/FfmpegTools.h"
#include "core/frame/FfmpegValues.h"
#include "core/frame/Session.h"
#include "core/ground/FileServices.h"
#include "core/ground/FilterDef.h"
#include "core/ground/ProgramFolder.h"
#include "core/ground/RecordFile.h"

namespace Conversion {

namespace {

const FfmpegOptionNames& Opt() { return FfmpegTools::State().OptNames; }

}  // namespace

QString TrimSpaces(const QString& text) {
  qsizetype first = 0;
  qsizetype last = text.size();
  while (first < last && text[first] == ' ') ++first;
  while (last > first && text[last - 1] == ' ') --last;
  return text.mid(first, last - first);
}

namespace {

// Adds " name value" when the value is given; values go in exactly as typed.
void AppendOption(QString& group, const QString& name, const QString& value) {
  if (!value.isEmpty()) group += " " + name + " " + value;
}

// The shortest text that reads back as the same single-precision number,
// always with a decimal point whatever the locale.
QString SingleToText(float value) {
  char buffer[64];
  const auto result =
      std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed);
  return QString::fromLatin1(buffer, int(result.ptr - buffer));
}

// ------------------------------------------------------------------ format

void CompileAudioGroup(const FormatProfile& p, CompiledFormat& c) {
  if (p.RemoveAudio || !p.AudioExtCodecName.isEmpty()) return;
  AppendOption(c.AudioOptions, Opt().AudioQuality, p.AudioQuality);
  AppendOption(c.AudioOptions, Opt().AudioBitrate, p.AudioBitrate);
  AppendOption(c.AudioOptions, Opt().AudioMaxRate, p.AudioMaxRate);
  AppendOption(c.AudioOptions, Opt().AudioMinRate, p.AudioMinRate);
  AppendOption(c.AudioOptions, Opt().Channels, p.Channels);
  AppendOption(c.AudioOptions, Opt().AudioCodec, p.AudioCodec);
  AppendOption(c.AudioOptions, Opt().SampleRate, p.SampleRate);
  c.AudioOptions = TrimSpaces(c.AudioOptions);
}

void CompileVideoGroup(const FormatProfile& p, CompiledFormat& c) {
  if (p.RemoveVideo || !p.VideoExtCodecName.isEmpty()) return;
  AppendOption(c.VideoOptions, Opt().VideoMaxRate, p.VideoMaxRate);
  AppendOption(c.VideoOptions, Opt().VideoMinRate, p.VideoMinRate);
  AppendOption(c.VideoOptions, Opt().VideoBitrate, p.VideoBitrate);
  AppendOption(c.VideoOptions, Opt().VideoQMax, p.VideoQMax);
  AppendOption(c.VideoOptions, Opt().VideoQMin, p.VideoQMin);
  AppendOption(c.VideoOptions, Opt().VideoCodec, p.VideoCodec);
  AppendOption(c.VideoOptions, Opt().PixelFormat, p.PixelFormat);
  AppendOption(c.VideoOptions, Opt().VideoQuality, p.VideoQuality);
  AppendOption(c.VideoOptions, Opt().FrameRate, p.FrameRate);
  if (!p.AspectRatio.isEmpty()) c.AspectOption = Opt().Aspect + " " + p.AspectRatio;
  if (!p.FrameSize.isEmpty()) c.SizeOption = Opt().Size + " " + p.FrameSize;
  c.VideoOptions = TrimSpaces(c.VideoOptions);
}

void CompileInputAndOutputGroups(const FormatProfile& p, CompiledFormat& c) {
  AppendOption(c.InputOptions, Opt().AudioCodec, p.InputAudioCodec);
  AppendOption(c.InputOptions, Opt().SubtitleCodec, p.InputSubtitleCodec);
  AppendOption(c.InputOptions, Opt().VideoCodec, p.InputVideoCodec);
  AppendOption(c.InputOptions, Opt().Format, p.InputContainer);
  AppendOption(c.InputOptions, Opt().PixelFormat, p.InputPixelFormat);
  if (!p.InputExtraParams.isEmpty()) c.InputOptions += " " + p.InputExtraParams;

  AppendOption(c.OutputOptions, Opt().Format, p.OutputContainer);
  AppendOption(c.OutputOptions, Opt().Target, p.Target);
  if (!p.OutputExtraParams.isEmpty()) c.OutputOptions += " " + p.OutputExtraParams;
}

// ------------------------------------------------------------------- codec

QStringList EditableOptionNames(bool isVideo) {
  if (!isVideo) {
    return {Opt().AudioBitrate, Opt().AudioMaxRate, Opt().AudioMinRate,
            Opt().AudioQuality, Opt().Channels,     Opt().SampleRate};
  }
  return {Opt().VideoBitrate, Opt().VideoMaxRate, Opt().VideoMinRate, Opt().VideoQuality,
          Opt().VideoQMax,    Opt().VideoQMin,    Opt().FrameRate,    Opt().Size,
          Opt().Aspect,       Opt().PixelFormat};
}

QString EncoderArguments(const DynArray<ExtCodecParam>& params) {
  QString arguments;
  for (const ExtCodecParam& row : params.Items) {
    if (row.Kind == ParamKind::Optional) {
      const QString& value = row.Value.isEmpty() ? row.Default : row.Value;
      if (!value.isEmpty()) arguments += " " + row.Switch + " " + value;
    } else if (row.Kind == ParamKind::Required) {
      arguments += " " + row.Switch + " " + row.Default;  // required rows always carry the default
    } else if (row.Kind == ParamKind::Switch && row.Value == "1") {
      arguments += " " + row.Switch;
    }
    const QString label = row.Label.toLower();
    if (label == "<infile>") arguments += " <infile>";
    if (label == "<outfile>") arguments += " <outfile>";
  }
  return TrimSpaces(arguments);
}

// Where " name " starts in the options, or -1; end receives the blank that
// closes its value, or -1 when the value runs to the end of the text.
qsizetype FindOption(const QString& options, const QString& name, qsizetype& end) {
  const QString key = " " + name + " ";
  const qsizetype start = options.indexOf(key);
  end = start < 0 ? -1 : options.indexOf(' ', start + key.size());
  return start;
}

// A value the profile set replaces the definition's value of that option
// wherever the same option text occurs, or is added when the option is absent.
void SetEditableValue(QString& options, const QString& name, const QString& value) {
  qsizetype end = -1;
  const qsizetype start = FindOption(options, name, end);
  if (start < 0) {
    options += " " + name + " " + value;
  } else if (end >= 0) {
    options.replace(options.mid(start, end - start), " " + name + " " + value);
  }
}

// Takes every "name value" of the first such option out of the options and returns it.
QString TakeOption(QString& options, const QString& name) {
  qsizetype end = -1;
  const qsizetype start = FindOption(options, name, end);
  if (start < 0 || end < 0) return QString();
  const QString option = options.mid(start + 1, end - start - 1);
  options.remove(option);
  return option;
}

// ------------------------------------------------------------------- edit

// suffixes: one for each unit of the list after pixels, in its order.
QString UnitSuffix(SizeUnit unit, std::initializer_list<const char*> suffixes) {
  const int place = int(unit);
  if (unit == SizeUnit::Pixels || place > int(suffixes.size())) return QString();
  return QString::fromLatin1(*(suffixes.begin() + (place - 1)));
}
QString BorderValue(const QString& value, SizeUnit unit) {
  return value + UnitSuffix(unit, {"*iw", "*ih"});
}
QString HeightValue(const QString& value, SizeUnit unit) {
  return value + UnitSuffix(unit, {"*iw", "*ih", "*ow"});
}
QString WidthValue(const QString& value, SizeUnit unit) {
  return value + UnitSuffix(unit, {"*iw", "*ih", "*oh"});
}
QString OffsetValue(const QString& value, SizeUnit unit) {
  return value + UnitSuffix(unit, {"*iw", "*ih", "*ow", "*oh"});
}

// Filter texts by kind, in the order the profile names them.
struct ChosenFilters {
  QStringList Audio;
  QStringList Video;
  QString Complex;
};

bool ReadChosenFilters(const EditProfileRec& p, ChosenFilters& filters, CompiledEdit& c,
                       QString& filterPath) {
  if (p.Filters.Items.join(QString()).isEmpty()) return true;
  for (const QString& name : p.Filters.Items) {
    filterPath = ProgramFolder::AppFiles("filters/" + name + ".qfl");
    FilterDef filter;
    if (!FileServices::FileExists(filterPath)) return false;
    if (RecordFile::Read(filterPath, filter) != RecordFile::Result::Ok) return false;
    if (filter.Params.isEmpty()) continue;
    const bool audio = filter.Type == FilterType::Audio && !p.RemoveAudio;
    const bool video = filter.Type == FilterType::Video && !p.RemoveVideo;
    const bool complex = filter.Type == FilterType::Complex;
    if (audio) filters.Audio << filter.Params;
    if (video) filters.Video << filter.Params;
    if (complex) filters.Complex += " " + Opt().FilterComplex + " " + filter.Params;
    if ((audio || video || complex) && filter.MultiInput) c.NeedsMultipleInputs = true;
  }
  filterPath.clear();
  return true;
}

// ffmpeg keeps only the last -af of a command, so the equaliser bands and the
// chosen audio filters make one chain.
bool CompileAudio(const EditProfileRec& p, const QStringList& audioFilters, CompiledEdit& c) {
  QStringList chain;
  for (int band = 0; band < 10; ++band) {
    const QString& frequency = p.Equalizer[band * 3];
    const QString& gain = p.Equalizer[band * 3 + 1];
    const QString& width = p.Equalizer[band * 3 + 2];
    if (gain.isEmpty() || gain == "0") continue;
    chain << "equalizer=f=" + frequency + ":width_type=o:w=" + width + ":g=" + gain;
  }
  chain << audioFilters;
  if (!chain.isEmpty()) c.AudioFilterOptions = Opt().AudioFilter + " " + chain.join(',');
  if (!p.Volume.isEmpty() && p.Volume != "100") {
    bool ok = false;
    const double percent = p.Volume.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(percent) || std::fabs(percent) > 1e9) return false;
    const long long whole = std::llrint(percent);  // an exact half goes to the even number
    c.AudioFilterOptions += " " + Opt().Volume + " " + QString::number(whole * 256 / 100);
  }
  c.AudioFilterOptions = TrimSpaces(c.AudioFilterOptions);
  return true;
}

QString PadFilter(const EditProfileRec& p) {
  QString width = "iw", height = "ih", x = "0", y = "0";
  if (!p.BorderBottom.isEmpty()) height += "+" + BorderValue(p.BorderBottom, p.BorderBottomUnit);
  if (!p.BorderTop.isEmpty()) {
    y = BorderValue(p.BorderTop, p.BorderTopUnit);
    height += "+" + y;
  }
  if (!p.BorderRight.isEmpty()) width += "+" + BorderValue(p.BorderRight, p.BorderRightUnit);
  if (!p.BorderLeft.isEmpty()) {
    x = BorderValue(p.BorderLeft, p.BorderLeftUnit);
    width += "+" + x;
  }
  const QString pad = "pad=" + width + ":" + height + ":" + x + ":" + y;
  if (pad == "pad=iw:ih:0:0") return QString();
  return pad + ":" + (p.BorderColor.size() < 6 ? QStringLiteral("000000") : p.BorderColor);
}

QString ScaleFilter(const EditProfileRec& p) {
  const QString width =
      p.ResizeWidth.isEmpty() ? "iw" : WidthValue(p.ResizeWidth, p.ResizeWidthUnit);
  const QString height =
      p.ResizeHeight.isEmpty() ? "ih" : HeightValue(p.ResizeHeight, p.ResizeHeightUnit);
  if (width == "iw" && height == "ih") return QString();
  return "scale=" + width + ":" + height;
}

QString AspectFilter(const EditProfileRec& p) {
  if (p.AspectMode == AspectSetting::FitFinalSize) return "setdar";
  if (p.AspectMode == AspectSetting::FromRatio && !p.AspectRatio.isEmpty())
    return "setdar=" + p.AspectRatio;
  return QString();
}

QString CropFilter(const EditProfileRec& p) {
  const QString width = p.CropWidth.isEmpty() ? "iw" : WidthValue(p.CropWidth, p.CropWidthUnit);
  const QString height =
      p.CropHeight.isEmpty() ? "ih" : HeightValue(p.CropHeight, p.CropHeightUnit);
  if (width == "iw" && height == "ih") return QString();
  const QString x = p.CropLeft.isEmpty() ? "(iw-ow)/2" : OffsetValue(p.CropLeft, p.CropLeftUnit);
  const QString y = p.CropTop.isEmpty() ? "(ih-oh)/2" : OffsetValue(p.CropTop, p.CropTopUnit);
  return "crop=" + width + ":" + height + ":" + x + ":" + y;
}

// ffmpeg keeps only the last -vf of a command, so crop, scale, borders,
// aspect and the chosen video filters make one chain, in that order: the crop
// cuts the area chosen on the source picture, the new size applies to what
// was cut, the borders go around the picture of that size, and the display
// aspect is set on the finished picture.
void CompileVideo(const EditProfileRec& p, const QStringList& videoFilters, CompiledEdit& c) {
  QStringList chain;
  const QString scale = ScaleFilter(p);
  const QString aspect = AspectFilter(p);
  for (const QString& filter : {CropFilter(p), scale, PadFilter(p), aspect}) {
    if (!filter.isEmpty()) chain << filter;
  }
  chain << videoFilters;
  c.OwnSize = !scale.isEmpty();
  c.OwnAspect = !aspect.isEmpty();
  if (!chain.isEmpty()) c.VideoFilterOptions = Opt().VideoFilter + " " + chain.join(',');
}

bool ToSeconds(const QString& secondsText, float& seconds) {
  bool ok = false;
  seconds = secondsText.toFloat(&ok);
  return ok;
}

bool CompileTrim(const EditProfileRec& p, CompiledEdit& c) {
  float start = 0;
  if (!p.StartPos.isEmpty() && p.StartPos != "0") {
    const QString seconds = FfmpegValues::TimeToSeconds(p.StartPos);
    if (!ToSeconds(seconds, start)) return false;
    c.SeekOption = Opt().Seek + " " + seconds;
  }
  // A new profile holds Unset, which the editing window shows as "end position".
  const bool endAtPosition = p.EndMode == TrimEnd::Unset || p.EndMode == TrimEnd::AtPosition;
  if (!endAtPosition) {
    const QString names[] = {Opt().Duration, Opt().VideoFrames, Opt().FileSize};
    const int unit = int(p.DurationUnit);
    if (unit >= int(p.Duration.size())) return true;
    const QString& value = p.Duration[unit];
    if (!value.isEmpty() && value != "0") c.DurationOption = names[unit] + " " + value;
    return true;
  }
  if (p.EndPos.isEmpty()) return true;
  float end = 0;
  if (!ToSeconds(FfmpegValues::TimeToSeconds(p.EndPos), end)) return false;
  const float length = end - start;
  if (length < 0) return false;  // ffmpeg would refuse a negative length anyway
  c.DurationOption = Opt().Duration + " " + SingleToText(length);
  return true;
}

}  // namespace

// ------------------------------------------------------------------ format

CompiledFormat CompileFormat(const FormatProfile& profile, FormatStatus& status) {
  status = FormatStatus::Compiled;
  CompiledFormat c;
  if (profile.RemoveAudio) c.NoAudioOption = Opt().NoAudio;
  if (profile.RemoveVideo) c.NoVideoOption = Opt().NoVideo;
  if (profile.RemoveSubtitles) c.NoSubtitlesOption = Opt().NoSubtitles;
  CompileAudioGroup(profile, c);
  CompileVideoGroup(profile, c);
  if (!profile.RemoveSubtitles && !profile.SubtitleCodec.isEmpty()) {
    c.SubtitleCodecOption = Opt().SubtitleCodec + " " + profile.SubtitleCodec;
  }
  c.MultipleOutputFiles = profile.MultipleOutputFiles;
  c.Extension = profile.Extension;
  CompileInputAndOutputGroups(profile, c);

  if (!profile.AudioExtCodecName.isEmpty()) {
    c.AudioExtCodecName = profile.AudioExtCodecName;
    const std::optional<CompiledCodec> codec = CompileExternalCodec(profile.AudioExtCodec, false);
    if (!codec) {
      status = FormatStatus::AudioEncoderFailed;
      return CompiledFormat();
    }
    c.AudioCodec = *codec;
  }
  if (!profile.VideoExtCodecName.isEmpty()) {
    c.VideoExtCodecName = profile.VideoExtCodecName;
    const std::optional<CompiledCodec> codec = CompileExternalCodec(profile.VideoExtCodec, true);
    if (!codec) {
      status = FormatStatus::VideoEncoderFailed;
      return CompiledFormat();
    }
    c.VideoCodec = *codec;
  }
  return c;
}

CompiledFormat LoadFormat(const QString& path, FormatStatus& status) {
  if (!FileServices::FileExists(path)) {
    status = QFileInfo(path).completeBaseName().isEmpty() ? FormatStatus::Compiled
                                                          : FormatStatus::FileMissing;
    return CompiledFormat();
  }
  status = FormatStatus::ReadError;
  FormatProfile profile;
  if (RecordFile::Read(path, profile) != RecordFile::Result::Ok) return CompiledFormat();
  return CompileFormat(profile, status);
}

// ------------------------------------------------------------------- codec

std::optional<CompiledCodec> CompileExternalCodec(const ExtCodecDef& codec, bool isVideo) {
  const QStringList names = EditableOptionNames(isVideo);
  if (codec.Params.IsEmpty() || codec.Values.Count() < names.size()) return std::nullopt;

  CompiledCodec c;
  const QString arguments = EncoderArguments(codec.Params);
  QString options = " " + codec.FfmpegParams + " ";
  for (qsizetype i = 0; i < names.size(); ++i) {
    const QString& value = codec.Values.Items[i];
    if (!value.isEmpty()) SetEditableValue(options, names[i], value);
  }
  c.SizeOption = TakeOption(options, Opt().Size);
  c.AspectOption = TakeOption(options, Opt().Aspect);
  c.CommandTemplate = arguments;
  c.FfmpegOptions = TrimSpaces(options);
  c.FfmpegExt = codec.FfmpegExt;
  c.OutputExt = codec.OutputExt;
  c.ExePath = codec.ExePath;
  c.About = codec.About;
  return c;
}

QString ResolveCodecExecutable(const QString& exePath, const QString& name, bool isVideo) {
  const QString stored = Session::ResolveAppPath(exePath);
  if (FileServices::FileExists(stored)) return stored;
  const QString definition =
      ProgramFolder::AppFiles("ecodec/" + name + (isVideo ? ".qcv" : ".qca"));
  if (!FileServices::FileExists(definition)) return QString();
  ExtCodecDef codec;
  if (RecordFile::Read(definition, codec) != RecordFile::Result::Ok) return QString();
  const QString resolved = Session::ResolveAppPath(codec.ExePath);
  return FileServices::FileExists(resolved) ? resolved : QString();
}

// -------------------------------------------------------------------- edit

CompiledEdit CompileEditProfile(const EditProfileRec& profile, EditStatus& status,
                                QString& filterPath) {
  filterPath.clear();
  CompiledEdit c;
  const auto fail = [&](EditStatus stage) {
    status = stage;
    return CompiledEdit();
  };
  if (profile.RemoveAudio) c.NoAudioOption = Opt().NoAudio;
  if (profile.RemoveVideo) c.NoVideoOption = Opt().NoVideo;
  if (profile.RemoveSubtitles) c.NoSubtitlesOption = Opt().NoSubtitles;
  if (profile.RemoveAudio && profile.RemoveVideo && profile.RemoveSubtitles) {
    return fail(EditStatus::AllTracksRemoved);
  }
  ChosenFilters filters;
  if (!ReadChosenFilters(profile, filters, c, filterPath))
    return fail(EditStatus::FilterUnreadable);
  if (!profile.RemoveAudio && !CompileAudio(profile, filters.Audio, c))
    return fail(EditStatus::AudioFailed);
  if (!profile.RemoveVideo) CompileVideo(profile, filters.Video, c);
  if (!CompileTrim(profile, c)) return fail(EditStatus::TrimFailed);
  c.InputOptions = TrimSpaces(profile.InputParams);
  c.OutputOptions = TrimSpaces(profile.OutputParams + " " + filters.Complex);
  status = EditStatus::Compiled;
  return c;
}

CompiledEdit LoadEditProfile(const QString& path, EditStatus& status, QString& filterPath) {
  filterPath.clear();
  if (!FileServices::FileExists(path)) {
    status = QFileInfo(path).completeBaseName().isEmpty() ? EditStatus::Compiled
                                                          : EditStatus::FileMissing;
    return CompiledEdit();
  }
  status = EditStatus::ReadError;
  EditProfileRec profile;
  if (RecordFile::Read(path, profile) != RecordFile::Result::Ok) return CompiledEdit();
  return CompileEditProfile(profile, status, filterPath);
}

}  // namespace Conversion
