#include "convert/Convertidor.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QPushButton>

#include <charconv>
#include <cmath>

#include "convert/Form1.h"
#include "convert/Form12.h"
#include "editing/FilterDef.h"
#include "formats/AboutCodecView.h"
#include "frame/APIS.h"
#include "frame/CaptureConsole.h"
#include "frame/Dialogs.h"
#include "frame/Aplicacion.h"
#include "frame/ProgramFolder.h"
#include "frame/RecordFile.h"
#include "frame/ScriptObj.h"
#include "frame/ffmpeg.h"
#include "lang/Lang.h"

namespace Convertidor {

ConversionChoices Choices;

namespace {

const FfmpegOptionNames& Opt() { return ffmpeg::OptNames; }

// Trims blanks only: tabs and line breaks inside free text stay the user's.
QString TrimBlanks(const QString& text) {
  qsizetype first = 0;
  qsizetype last = text.size();
  while (first < last && text[first] == ' ') ++first;
  while (last > first && text[last - 1] == ' ') --last;
  return text.mid(first, last - first);
}

// Adds " name value" when the value is given; values go in exactly as typed.
void AppendOption(QString& group, const QString& name, const QString& value) {
  if (!value.isEmpty()) group += " " + name + " " + value;
}

// The shortest text that reads back as the same single-precision number,
// always with a decimal point whatever the locale.
QString SingleToText(float value) {
  char buffer[64];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed);
  return QString::fromLatin1(buffer, int(result.ptr - buffer));
}

// ------------------------------------------------------------------ format

void CompileAudioGroup(const FormatProfile& p, CompiledFormat& c) {
  if (p.RemoveAudio != 0 || !p.AudioExtCodecName.isEmpty()) return;
  AppendOption(c.AudioOptions, Opt().AudioQuality, p.AudioQuality);
  AppendOption(c.AudioOptions, Opt().AudioBitrate, p.AudioBitrate);
  AppendOption(c.AudioOptions, Opt().AudioMaxRate, p.AudioMaxRate);
  AppendOption(c.AudioOptions, Opt().AudioMinRate, p.AudioMinRate);
  AppendOption(c.AudioOptions, Opt().Channels, p.Channels);
  AppendOption(c.AudioOptions, Opt().AudioCodec, p.AudioCodec);
  AppendOption(c.AudioOptions, Opt().SampleRate, p.SampleRate);
  c.AudioOptions = TrimBlanks(c.AudioOptions);
}

void CompileVideoGroup(const FormatProfile& p, CompiledFormat& c) {
  if (p.RemoveVideo != 0 || !p.VideoExtCodecName.isEmpty()) return;
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
  c.VideoOptions = TrimBlanks(c.VideoOptions);
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

QStringList EditableOptionNames(uint8_t isVideo) {
  if (isVideo == 0) {
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
    if (row.Kind == 0) {
      const QString& value = row.Value.isEmpty() ? row.Default : row.Value;
      if (!value.isEmpty()) arguments += " " + row.Switch + " " + value;
    } else if (row.Kind == 1) {
      arguments += " " + row.Switch + " " + row.Default;  // required rows always carry the default
    } else if (row.Kind == 2 && row.Value == "1") {
      arguments += " " + row.Switch;
    }
    const QString label = row.Label.toLower();
    if (label == "<infile>") arguments += " <infile>";
    if (label == "<outfile>") arguments += " <outfile>";
  }
  return TrimBlanks(arguments);
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

QString UnitSuffix(uint8_t unit, std::initializer_list<const char*> suffixes) {
  if (unit == 0 || unit > suffixes.size()) return QString();
  return QString::fromLatin1(*(suffixes.begin() + (unit - 1)));
}
QString BorderValue(const QString& value, uint8_t unit) { return value + UnitSuffix(unit, {"*iw", "*ih"}); }
QString HeightValue(const QString& value, uint8_t unit) {
  return value + UnitSuffix(unit, {"*iw", "*ih", "*ow"});
}
QString WidthValue(const QString& value, uint8_t unit) {
  return value + UnitSuffix(unit, {"*iw", "*ih", "*oh"});
}
QString OffsetValue(const QString& value, uint8_t unit) {
  return value + UnitSuffix(unit, {"*iw", "*ih", "*ow", "*oh"});
}

// Filter texts by kind, in the order the profile names them.
struct ChosenFilters {
  QStringList Audio;
  QStringList Video;
  QString Complex;
};

enum Stage : uint8_t { StageRemoval = 1, StageFilters, StageAudio, StageVideo, StageTrim };

bool ReadChosenFilters(const EditProfileRec& p, ChosenFilters& filters, CompiledEdit& c, QString& filterPath) {
  if (p.Filters.Items.join(QString()).isEmpty()) return true;
  for (const QString& name : p.Filters.Items) {
    filterPath = ProgramFolder::AppFiles("filters/" + name + ".qfl");
    FilterDef filter;
    if (!ScriptObj::FileExists(filterPath)) return false;
    if (RecordFile::Read(filterPath, filter) != RecordFile::Result::Ok) return false;
    if (filter.Params.isEmpty()) continue;
    const bool audio = filter.Type == 0 && p.RemoveAudio != 1;
    const bool video = filter.Type == 1 && p.RemoveVideo != 1;
    const bool complex = filter.Type == 2;
    if (audio) filters.Audio << filter.Params;
    if (video) filters.Video << filter.Params;
    if (complex) filters.Complex += " " + Opt().FilterComplex + " " + filter.Params;
    if ((audio || video || complex) && filter.MultiInput == 1) c.NeedsMultipleInputs = 1;
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
  c.AudioFilterOptions = TrimBlanks(c.AudioFilterOptions);
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
  const QString width = p.ResizeWidth.isEmpty() ? "iw" : WidthValue(p.ResizeWidth, p.ResizeWidthUnit);
  const QString height = p.ResizeHeight.isEmpty() ? "ih" : HeightValue(p.ResizeHeight, p.ResizeHeightUnit);
  if (width == "iw" && height == "ih") return QString();
  return "scale=" + width + ":" + height;
}

QString AspectFilter(const EditProfileRec& p) {
  if (p.AspectMode == 2) return "setdar";
  if (p.AspectMode == 3 && !p.AspectRatio.isEmpty()) return "setdar=" + p.AspectRatio;
  return QString();
}

QString CropFilter(const EditProfileRec& p) {
  const QString width = p.CropWidth.isEmpty() ? "iw" : WidthValue(p.CropWidth, p.CropWidthUnit);
  const QString height = p.CropHeight.isEmpty() ? "ih" : HeightValue(p.CropHeight, p.CropHeightUnit);
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
  c.OwnSize = scale.isEmpty() ? 0 : 1;
  c.OwnAspect = aspect.isEmpty() ? 0 : 1;
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
    const QString seconds = ffmpeg::TimeToSeconds(p.StartPos);
    if (!ToSeconds(seconds, start)) return false;
    c.SeekOption = Opt().Seek + " " + seconds;
  }
  // A new profile holds 0, which the editing window shows as "end position".
  const bool endAtPosition = p.EndMode == 0 || p.EndMode == 1;
  if (!endAtPosition) {
    const QString names[] = {Opt().Duration, Opt().VideoFrames, Opt().FileSize};
    if (p.DurationUnit > 2) return true;
    const QString& value = p.Duration[p.DurationUnit];
    if (!value.isEmpty() && value != "0") c.DurationOption = names[p.DurationUnit] + " " + value;
    return true;
  }
  if (p.EndPos.isEmpty()) return true;
  float end = 0;
  if (!ToSeconds(ffmpeg::TimeToSeconds(p.EndPos), end)) return false;
  const float length = end - start;
  if (length < 0) return false;  // ffmpeg would refuse a negative length anyway
  c.DurationOption = Opt().Duration + " " + SingleToText(length);
  return true;
}

}  // namespace

// ------------------------------------------------------------------ format

CompiledFormat CompileFormat(const FormatProfile& profile, uint8_t& status) {
  status = 0;
  CompiledFormat c;
  if (profile.RemoveAudio != 0) c.NoAudioOption = Opt().NoAudio;
  if (profile.RemoveVideo != 0) c.NoVideoOption = Opt().NoVideo;
  if (profile.RemoveSubtitles != 0) c.NoSubtitlesOption = Opt().NoSubtitles;
  CompileAudioGroup(profile, c);
  CompileVideoGroup(profile, c);
  if (profile.RemoveSubtitles == 0 && !profile.SubtitleCodec.isEmpty()) {
    c.SubtitleCodecOption = Opt().SubtitleCodec + " " + profile.SubtitleCodec;
  }
  c.MultipleOutputFiles = profile.MultipleOutputFiles;
  c.Extension = profile.Extension;
  CompileInputAndOutputGroups(profile, c);

  uint8_t codecStatus = 0;
  if (!profile.AudioExtCodecName.isEmpty()) {
    c.AudioExtCodecName = profile.AudioExtCodecName;
    c.AudioCodec = CompileExternalCodec(profile.AudioExtCodec, 0, codecStatus);
    if (codecStatus != 0) status = 1;
  }
  if (!profile.VideoExtCodecName.isEmpty() && status == 0) {
    c.VideoExtCodecName = profile.VideoExtCodecName;
    c.VideoCodec = CompileExternalCodec(profile.VideoExtCodec, 1, codecStatus);
    if (codecStatus != 0) status = 2;
  }
  return status == 0 ? c : CompiledFormat();
}

CompiledFormat LoadFormat(const QString& path, uint8_t& status) {
  if (!ScriptObj::FileExists(path)) {
    status = ScriptObj::GetBaseName(path).isEmpty() ? 0 : 1;
    return CompiledFormat();
  }
  status = 2;
  FormatProfile profile;
  if (RecordFile::Read(path, profile) != RecordFile::Result::Ok) return CompiledFormat();
  uint8_t compileStatus = 0;
  const CompiledFormat compiled = CompileFormat(profile, compileStatus);
  status = compileStatus == 0 ? 0 : uint8_t(compileStatus + 2);
  return compiled;
}

// ------------------------------------------------------------------- codec

CompiledCodec CompileExternalCodec(const ExtCodecDef& codec, uint8_t isVideo, uint8_t& status) {
  status = 1;
  const QStringList names = EditableOptionNames(isVideo);
  if (codec.Params.IsEmpty() || codec.Values.Count() < names.size()) return CompiledCodec();

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
  c.FfmpegOptions = TrimBlanks(options);
  c.FfmpegExt = codec.FfmpegExt;
  c.OutputExt = codec.OutputExt;
  c.ExePath = codec.ExePath;
  c.About = codec.About;
  status = 0;
  return c;
}

QString ResolveCodecExecutable(const QString& exePath, const QString& name, uint8_t isVideo) {
  const QString stored = Aplicacion::ResolveAppPath(exePath);
  if (ScriptObj::FileExists(stored)) return stored;
  const QString definition = ProgramFolder::AppFiles("ecodec/" + name + (isVideo ? ".qcv" : ".qca"));
  if (!ScriptObj::FileExists(definition)) return QString();
  ExtCodecDef codec;
  if (RecordFile::Read(definition, codec) != RecordFile::Result::Ok) return QString();
  const QString resolved = Aplicacion::ResolveAppPath(codec.ExePath);
  return ScriptObj::FileExists(resolved) ? resolved : QString();
}

// -------------------------------------------------------------------- edit

CompiledEdit CompileEditProfile(const EditProfileRec& profile, uint8_t& status, QString& filterPath) {
  filterPath.clear();
  CompiledEdit c;
  const auto fail = [&](Stage stage) {
    status = stage;
    return CompiledEdit();
  };
  if (profile.RemoveAudio == 1) c.NoAudioOption = Opt().NoAudio;
  if (profile.RemoveVideo == 1) c.NoVideoOption = Opt().NoVideo;
  if (profile.RemoveSubtitles == 1) c.NoSubtitlesOption = Opt().NoSubtitles;
  if (profile.RemoveAudio == 1 && profile.RemoveVideo == 1 && profile.RemoveSubtitles == 1) {
    return fail(StageRemoval);
  }
  ChosenFilters filters;
  if (!ReadChosenFilters(profile, filters, c, filterPath)) return fail(StageFilters);
  if (profile.RemoveAudio != 1 && !CompileAudio(profile, filters.Audio, c)) return fail(StageAudio);
  if (profile.RemoveVideo != 1) CompileVideo(profile, filters.Video, c);
  if (!CompileTrim(profile, c)) return fail(StageTrim);
  c.InputOptions = TrimBlanks(profile.InputParams);
  c.OutputOptions = TrimBlanks(profile.OutputParams + " " + filters.Complex);
  status = 0;
  return c;
}

CompiledEdit LoadEditProfile(const QString& path, uint8_t& status, QString& filterPath) {
  filterPath.clear();
  if (!ScriptObj::FileExists(path)) {
    status = ScriptObj::GetBaseName(path).isEmpty() ? 0 : 1;
    return CompiledEdit();
  }
  status = 2;
  EditProfileRec profile;
  if (RecordFile::Read(path, profile) != RecordFile::Result::Ok) return CompiledEdit();
  uint8_t compileStatus = 0;
  const CompiledEdit compiled = CompileEditProfile(profile, compileStatus, filterPath);
  status = compileStatus == 0 ? 0 : uint8_t(compileStatus + 2);
  return compiled;
}

}  // namespace Convertidor

// ---------------------------------------------------------------------------
// The conversion run: stages input by input, the error table, the end of a run.
// ---------------------------------------------------------------------------

namespace Convertidor {

QList<FailedStep> Errors;
QString TempDir;
uint8_t StopRequested = 0;
uint8_t Running = 0;

namespace {

constexpr int32_t KeptOutput = 4096;
const QString CrLf = QStringLiteral("\r\n");

// Both markers in one pass, so that a file name holding "<outfile>" is never
// itself rewritten.
QString ReplaceFileMarkers(const QString& text, const QString& input, const QString& output) {
  static const QString inMarker = QStringLiteral("<infile>");
  static const QString outMarker = QStringLiteral("<outfile>");
  QString result;
  qsizetype i = 0;
  while (i < text.size()) {
    if (text.mid(i, inMarker.size()) == inMarker) {
      result += input;
      i += inMarker.size();
    } else if (text.mid(i, outMarker.size()) == outMarker) {
      result += output;
      i += outMarker.size();
    } else {
      result += text.at(i++);
    }
  }
  return result;
}

// One spelling per file, whatever ".." or links the path holds.
QString SamePathKey(const QString& path) {
  const QFileInfo info(path);
  const QString canonical = info.canonicalFilePath();
  return canonical.isEmpty() ? info.absoluteFilePath() : canonical;
}

bool IsOneOf(const QString& path, const QStringList& files) {
  const QString key = SamePathKey(path);
  for (const QString& file : files)
    if (SamePathKey(file) == key) return true;
  return false;
}

bool TakenName(const QString& path) {
  const QFileInfo info(path);
  return info.exists() || info.isSymLink();
}

}  // namespace

QStringList SplitArguments(const QString& text) { return CaptureConsole::SplitCommandLine(text); }

StepCommand RowStep(const CommandTable& table, int row, const QStringList& inputs,
                    const QString& output) {
  StepCommand step;
  step.Command.program = table.Program(row);
  if (table.Kind(row) == StageKind::Encoder) {
    const QString input = inputs.value(0);
    for (const QString& argument : SplitArguments(table.At(row, 2)))
      step.Command.arguments << ReplaceFileMarkers(argument, input, output);
  } else {
    for (const QString& input : inputs)
      step.Command.arguments << SplitArguments(table.At(row, 2)) << input;
    step.Command.arguments << SplitArguments(table.At(row, 3)) << output;
  }
  step.Shown = CaptureConsole::CommandText(step.Command);
  return step;
}

bool StepSucceeded(bool started, int32_t exitCode, bool isEncoder, qint64 outputSize,
                   bool writeFailed) {
  return started && exitCode == 0 && !writeFailed && (!isEncoder || outputSize > 0);
}

QList<int> FilesAtInputs(const QStringList& arguments, const QStringList& files,
                         const QList<int>& inputPositions) {
  QList<int> places;
  int input = -1;
  qsizetype next = 0;  // the file expected next: each comes after the ones before it
  for (qsizetype k = 0; k + 1 < arguments.size(); ++k) {
    if (arguments[k] != QLatin1String("-i")) continue;
    ++input;
    ++k;
    if (next < files.size() && arguments[k] == files[next]) {
      if (inputPositions.contains(input)) places << int(next);
      ++next;
    }
  }
  return places;
}

namespace {
bool HoldsLineBreak(const QString& file) { return file.contains('\n') || file.contains('\r'); }
}  // namespace

QString UnjoinableFile(const QStringList& files) {
  for (const QString& file : files)
    if (HoldsLineBreak(file)) return file;
  return QString();
}

bool ConcatListText(const QStringList& files, QByteArray& text) {
  QString list;
  for (const QString& file : files) {
    if (HoldsLineBreak(file)) return false;
    // Inside the demuxer's single quotes only a quote is special: close, escape, reopen.
    QString escaped = ScriptObj::GetShortPath(file);
    escaped.replace("'", "'\\''");
    list += "file '" + escaped + "'" + CrLf;
  }
  text = list.toUtf8();
  return true;
}

QString WriteConcatList() {
  if (const QString unjoinable = UnjoinableFile(Aplicacion::FileList); !unjoinable.isEmpty()) {
    Lang::MsgInvalidFileName(unjoinable);
    return QString();
  }
  const QString folder = Aplicacion::CreateTempFolder(false);
  const QString path = folder + "/concat.txt";
  if (folder.isEmpty()) {
    Lang::MsgCannotWriteFile(path);
    return QString();
  }
  QByteArray text;
  QFile file(path);
  if (!ConcatListText(Aplicacion::FileList, text) || !file.open(QIODevice::WriteOnly) ||
      file.write(text) != text.size() || !file.flush()) {
    file.close();
    ScriptObj::DeleteFolder(folder, true);
    Lang::MsgCannotWriteFile(path);
    return QString();
  }
  file.close();
  return ScriptObj::GetShortPath(path);
}

QStringList MoveTracks(const QString& audioTrack, const QString& videoTrack,
                       const QString& target) {
  const QString folder = ScriptObj::ParentFolder(target) + "/";
  const QString base = ScriptObj::GetBaseName(target);
  const QString ext = ScriptObj::GetExtensionName(target);
  QString name = base;
  for (int n = 2;; ++n) {
    const bool both = !audioTrack.isEmpty() && !videoTrack.isEmpty();
    if (both) {
      const QString audioName = folder + name + "_audio." + ext;
      const QString videoName = folder + name + "_video." + ext;
      if (!TakenName(audioName) && !TakenName(videoName)) {
        if (!ScriptObj::MoveFile(audioTrack, audioName)) return {};
        if (ScriptObj::MoveFile(videoTrack, videoName)) return {audioName, videoName};
        // Half a result is none: the audio track goes back where it was.
        ScriptObj::MoveFile(audioName, audioTrack);
        return {};
      }
    } else {
      const QString path = folder + name + "." + ext;
      if (!TakenName(path)) {
        if (ScriptObj::MoveFile(audioTrack.isEmpty() ? videoTrack : audioTrack, path))
          return {path};
        return {};
      }
    }
    name = base + " (" + QString::number(n) + ")";
  }
}

QStringList TrashSources(const QStringList& sources, bool outputWritten) {
  QStringList kept;
  if (!outputWritten) return kept;
  for (const QString& source : sources) {
    if (ScriptObj::FileExists(source) && !APIS::ShellDeleteFile(source, 1)) kept << source;
  }
  return kept;
}

Replacement ReplaceExisting(const QString& output, const QString& desired,
                            const QStringList& protectedFiles) {
  if (SamePathKey(output) == SamePathKey(desired) || ScriptObj::FileSize(output) == 0)
    return Replacement::NotNeeded;
  if (TakenName(desired)) {
    const QFileInfo old(desired);
    if (!old.isFile() || IsOneOf(desired, protectedFiles)) return Replacement::NotNeeded;
    if (!APIS::ShellDeleteFile(desired, 1)) return Replacement::OldFileKept;
  }
  return ScriptObj::RenameFileKeepExtension(output, ScriptObj::GetBaseName(desired))
             ? Replacement::Replaced
             : Replacement::RenameFailed;
}

QString MegabytesText(double megabytes) {
  // nearbyint rounds a half to the even neighbour in the default rounding mode.
  const double rounded = std::nearbyint(megabytes * 100.0) / 100.0;
  QLocale locale = QLocale::system();
  locale.setNumberOptions(QLocale::OmitGroupSeparator);
  return locale.toString(rounded, 'f', QLocale::FloatingPointShortest);
}

QString TestReportText(qint64 bytes, double seconds, const QString& question) {
  const double megabytes = double(bytes) / 1024.0 / 1024.0;
  QString size = Lang::TxtFileSize() + " " + MegabytesText(megabytes) + "MB";
  if (seconds > 0) size += " (" + MegabytesText(megabytes / seconds * 60.0) + "MB/min)";
  return Lang::TxtTestFinished() + CrLf + size + CrLf + question;
}

}  // namespace Convertidor

// ----------------------------------------------------------- command table

namespace Convertidor {

CommandTable Commands;
uint8_t MultiOutput = 0;

namespace {

// Column 2 of an ffmpeg row: each piece after a blank, then " -i ".
QString BeforeInput(std::initializer_list<QString> pieces) {
  QString text;
  for (const QString& piece : pieces) text += " " + piece;
  return text + " -i ";
}

// Column 3 of an ffmpeg row: each piece after a blank, then a blank.
QString BeforeOutput(std::initializer_list<QString> pieces) {
  QString text;
  for (const QString& piece : pieces) text += " " + piece;
  return text + " ";
}

// Everything a build gathers before it writes the cells.
struct BuildState {
  CompiledFormat format;
  CompiledEdit edit;
  QString extension;
  QString testOption;
};

bool LoadFormatProfile(BuildState& b) {
  if (Aplicacion::FormatProfilePath.isEmpty()) return true;
  uint8_t status = 0;
  b.format = LoadFormat(Aplicacion::FormatProfilePath, status);
  switch (status) {
    case 0: return true;
    case 1: Lang::MsgFormatProfileNotFound(QString()); return false;
    case 2: Lang::MsgFormatProfileReadError(); return false;
    case 3: Lang::MsgAudioEncodeCmdError(); return false;
    default: Lang::MsgVideoEncodeCmdError(); return false;
  }
}

// The encoder program, found on disk or located by the user. False when the
// user agreed to look for it and then chose nothing.
bool FindEncoderProgram(const QString& name, CompiledCodec& codec, uint8_t isVideo) {
  if (name.isEmpty()) return true;
  codec.ExePath = ResolveCodecExecutable(codec.ExePath, name, isVideo);
  if (!codec.ExePath.isEmpty()) return true;
  const int answer = isVideo ? Lang::AskFindVideoCodecExe() : Lang::AskFindAudioCodecExe();
  if (answer != 6) return true;  // the run fails at that stage instead
  // The viewer gives the path as stored, relative when inside the program folder.
  const QString entered = AboutCodecView::ShowCodecInfo(Form1::Instance(), Aplicacion::FormatProfilePath, isVideo);
  if (entered.isEmpty()) return false;
  codec.ExePath = Aplicacion::ResolveAppPath(entered);
  return true;
}

bool IsAutomaticEntry(const QString& text) {
  return text.toLower() == ("<" + Lang::TxtAutomatic() + ">").toLower();
}

// A typed ".mp4" means "mp4": the output name gets its own dot.
QString WithoutLeadingDots(const QString& extension) {
  QString text = extension.trimmed();
  while (text.startsWith('.')) text.remove(0, 1);
  return text;
}

bool ChooseExtension(BuildState& b) {
  QString extension;
  if (Choices.OutputMode == OutputJoined || Choices.OutputMode == OutputOneFile) {
    extension = WithoutLeadingDots(ScriptObj::GetExtensionName(Aplicacion::OutputFile));
  }
  if (extension.isEmpty() && !IsAutomaticEntry(Choices.ExtensionText)) {
    extension = WithoutLeadingDots(Choices.ExtensionText);
  }
  if (extension.isEmpty()) extension = WithoutLeadingDots(b.format.Extension);
  if (extension.isEmpty()) extension = GetMuxerExtension(GetFormatOption(b.format.OutputOptions));
  if (extension.isEmpty()) {
    Lang::MsgNoFileExtension();
    return false;
  }
  b.format.Extension = extension;
  return true;
}

// The concat demuxer refuses absolute paths in its list unless told it is safe.
void AddConcatInput(CompiledFormat& format) {
  if (Choices.OutputMode != OutputJoined) return;
  const QString options = (" " + format.InputOptions + " ").toLower();
  if (!options.contains(" " + Opt().Format + " concat ")) format.InputOptions += " " + Opt().Format + " concat ";
  if (!options.contains(" -safe ")) format.InputOptions += " -safe 0 ";
}

bool LoadEditingProfile(BuildState& b) {
  if (Aplicacion::EditProfilePath.isEmpty()) return true;
  uint8_t status = 0;
  QString filterPath;
  b.edit = LoadEditProfile(Aplicacion::EditProfilePath, status, filterPath);
  switch (status) {
    case 0: break;
    case 1: Lang::MsgEditProfileNotFound(QString()); return false;
    case 2: Lang::MsgEditProfileReadError(); return false;
    case 3: Lang::MsgAllTracksRemoved(); return false;
    case 4: Lang::MsgFilterReadError(filterPath); return false;
    case 5: Lang::MsgAudioEditCmdError(); return false;
    case 6: Lang::MsgVideoEditCmdError(); return false;
    default: Lang::MsgTrimCmdError(); return false;
  }
  if (b.edit.NeedsMultipleInputs == 1 && Choices.OutputMode != OutputOneFile) {
    Lang::MsgFiltersNeedFileOutput();
    return false;
  }
  return true;
}

bool MergeRemovals(BuildState& b) {
  CompiledEdit& e = b.edit;
  CompiledFormat& f = b.format;
  if (e.NoAudioOption.isEmpty()) e.NoAudioOption = f.NoAudioOption;
  if (e.NoVideoOption.isEmpty()) e.NoVideoOption = f.NoVideoOption;
  if (e.NoSubtitlesOption.isEmpty()) e.NoSubtitlesOption = f.NoSubtitlesOption;
  if (!e.NoAudioOption.isEmpty() && !e.NoVideoOption.isEmpty() && !e.NoSubtitlesOption.isEmpty()) {
    Lang::MsgAllTracksRemoved();
    return false;
  }
  if (!e.NoAudioOption.isEmpty()) {
    e.AudioFilterOptions.clear();
    f.AudioOptions.clear();
    f.AudioExtCodecName.clear();
  }
  if (!e.NoVideoOption.isEmpty()) {
    e.VideoFilterOptions.clear();
    f.VideoOptions.clear();
    f.VideoExtCodecName.clear();
    f.AspectOption.clear();
    f.SizeOption.clear();
    e.OwnSize = 0;
    e.OwnAspect = 0;
  }
  if (!e.NoSubtitlesOption.isEmpty()) f.SubtitleCodecOption.clear();
  return true;
}

// "-s" and "-aspect" follow the "-vf" chain, unless the editing profile sizes
// or shapes the picture itself.
void AppendSizeAndAspect(BuildState& b) {
  if (!b.edit.NoVideoOption.isEmpty()) return;
  const bool external = !b.format.VideoExtCodecName.isEmpty();
  const CompiledCodec& codec = b.format.VideoCodec;
  if (b.edit.OwnSize == 0) {
    const QString& size = external ? codec.SizeOption : b.format.SizeOption;
    b.edit.VideoFilterOptions = TrimBlanks(b.edit.VideoFilterOptions) + " " + size;
  }
  if (b.edit.OwnAspect == 0) {
    const QString& aspect = external ? codec.AspectOption : b.format.AspectOption;
    b.edit.VideoFilterOptions = TrimBlanks(b.edit.VideoFilterOptions) + " " + aspect;
  }
}

void SetRow(CommandTable& t, int row, StageKind kind, const QString& program, const QString& before,
            const QString& after, const QString& extension) {
  t.Kinds[row - 1] = kind;
  t.Programs[row - 1] = program;
  t.At(row, 1) = kind == StageKind::MoveTracks ? QStringLiteral("<copy>")
                                               : CaptureConsole::QuoteArgument(program);
  t.At(row, 2) = before;
  t.At(row, 3) = after;
  t.At(row, 4) = extension;
}

// Each ffmpeg encoding row gets a second pass in the row below it.
void AddSecondPass(CommandTable& t, int row) {
  const int copy = row + 1;
  t.Cells[copy - 1] = t.Cells[row - 1];
  t.Kinds[copy - 1] = t.Kinds[row - 1];
  t.Programs[copy - 1] = t.Programs[row - 1];
  t.At(row, 3) += " " + Opt().Pass + " 1 ";
  t.At(copy, 3) += " " + Opt().Pass + " 2 ";
}

CommandTable FillTable(const BuildState& b) {
  const CompiledFormat& f = b.format;
  const CompiledEdit& e = b.edit;
  const CompiledCodec& ac = f.AudioCodec;
  const CompiledCodec& vc = f.VideoCodec;
  const QString& ff = ffmpeg::FfmpegPath;
  const QString& fx = f.Extension;
  const bool audioExternal = !f.AudioExtCodecName.isEmpty();
  const bool videoExternal = !f.VideoExtCodecName.isEmpty();
  const FfmpegOptionNames& o = Opt();
  const QString container = GetFormatOption(f.OutputOptions);
  const bool copyTracks = container.toLower() == o.Format + " <copy>";
  // "<copy>" orders the tracks moved rather than muxed; it is no container
  // ffmpeg knows, so a track that ffmpeg encodes alone is written without it.
  QString trackOptions = f.OutputOptions;
  if (copyTracks) trackOptions.replace(" " + container, QString());
  QList<int> passRows;
  CommandTable t;

  if (audioExternal) {
    SetRow(t, 1, StageKind::Ffmpeg, ff, BeforeInput({f.InputOptions, e.InputOptions, e.SeekOption}),
           BeforeOutput({ac.FfmpegOptions, e.DurationOption, e.AudioFilterOptions, e.OutputOptions, o.Overwrite,
                         o.NoVideo, o.NoSubtitles}),
           ac.FfmpegExt);
    SetRow(t, 2, StageKind::Encoder, ac.ExePath, " " + ac.CommandTemplate, QString(), ac.OutputExt);
  } else if (videoExternal && e.NoAudioOption.isEmpty()) {
    SetRow(t, 2, StageKind::Ffmpeg, ff, BeforeInput({f.InputOptions, e.SeekOption, e.InputOptions}),
           BeforeOutput({trackOptions, f.AudioOptions, f.SubtitleCodecOption, e.AudioFilterOptions,
                         e.DurationOption, e.OutputOptions, o.Overwrite, o.NoVideo, e.NoSubtitlesOption}),
           fx);
    passRows << 2;
  }
  if (videoExternal) {
    SetRow(t, 4, StageKind::Ffmpeg, ff, BeforeInput({f.InputOptions, e.InputOptions, e.SeekOption}),
           BeforeOutput({vc.FfmpegOptions, e.DurationOption, e.OutputOptions, e.VideoFilterOptions, o.Overwrite,
                         o.NoAudio, o.NoSubtitles}),
           vc.FfmpegExt);
    SetRow(t, 5, StageKind::Encoder, vc.ExePath, " " + vc.CommandTemplate, QString(), vc.OutputExt);
  } else if (audioExternal && e.NoVideoOption.isEmpty()) {
    SetRow(t, 5, StageKind::Ffmpeg, ff, BeforeInput({f.InputOptions, e.SeekOption, e.InputOptions}),
           BeforeOutput({trackOptions, f.VideoOptions, f.SubtitleCodecOption, e.VideoFilterOptions,
                         e.DurationOption, e.OutputOptions, o.Overwrite, o.NoAudio, e.NoSubtitlesOption}),
           fx);
    passRows << 5;
  }
  if ((audioExternal || videoExternal) && copyTracks) {
    SetRow(t, 7, StageKind::MoveTracks, QString(), QString(), QString(), fx);
  } else if (audioExternal || videoExternal) {
    SetRow(t, 7, StageKind::Ffmpeg, ff, " -i ",
           BeforeOutput({container, o.AudioCodec, "copy", o.VideoCodec, "copy", o.SubtitleCodec, "copy",
                         o.Overwrite}),
           fx);
  } else {
    SetRow(t, 7, StageKind::Ffmpeg, ff, BeforeInput({f.InputOptions, e.SeekOption, e.InputOptions}),
           BeforeOutput({f.OutputOptions, f.AudioOptions, f.SubtitleCodecOption, f.VideoOptions,
                         e.AudioFilterOptions, e.DurationOption, e.OutputOptions, e.VideoFilterOptions,
                         o.Overwrite, e.NoAudioOption, e.NoSubtitlesOption, e.NoVideoOption}),
           fx);
    passRows << 7;
  }
  if (Choices.TwoPass) {
    for (int row : passRows) AddSecondPass(t, row);
  }
  for (auto& row : t.Cells) {
    for (QString& cell : row) cell = CollapseSpaces(cell);
  }
  return t;
}

}  // namespace

bool BuildCommandTable(const QString& testTime) {
  BuildState b;
  if (!testTime.isEmpty()) {
    const QString seconds = ffmpeg::TimeToSeconds(testTime);
    if (seconds.isEmpty()) {
      Lang::MsgInvalidTestDuration();
      return false;
    }
    b.testOption = Opt().Duration + " " + seconds;
  }
  if (!LoadFormatProfile(b)) return false;
  if (!FindEncoderProgram(b.format.AudioExtCodecName, b.format.AudioCodec, 0)) return false;
  if (!FindEncoderProgram(b.format.VideoExtCodecName, b.format.VideoCodec, 1)) return false;
  MultiOutput = b.format.MultipleOutputFiles;
  if (!ChooseExtension(b)) return false;
  AddConcatInput(b.format);
  if (!LoadEditingProfile(b)) return false;
  if (!MergeRemovals(b)) return false;
  if (!b.testOption.isEmpty()) b.edit.DurationOption = b.testOption;
  AppendSizeAndAspect(b);
  Commands = FillTable(b);
  return true;
}

QString GetFormatOption(const QString& options) {
  const QString text = " " + options + " ";
  const QString key = " " + Opt().Format + " ";
  const qsizetype found = text.indexOf(key);
  if (found < 0) return QString();
  const qsizetype start = found + key.size();
  const qsizetype end = text.indexOf(' ', start);
  if (end < 0) return QString();
  return Opt().Format + " " + text.mid(start, end - start);
}

QString CollapseSpaces(const QString& text) {
  QString result;
  qsizetype gapStart = 0;
  const auto addGap = [&](qsizetype end) {
    QString gap = text.mid(gapStart, end - gapStart);
    while (gap.contains("  ")) gap.replace("  ", " ");
    result += gap;
  };
  for (const CaptureConsole::TypedWord& word : CaptureConsole::ScanWords(text)) {
    addGap(word.start);
    result += text.mid(word.start, word.length);
    gapStart = word.start + word.length;
  }
  addGap(text.size());
  return result;
}

QString GetMuxerExtension(const QString& formatOption) {
  if (formatOption.size() <= 3) return QString();
  const QString name = formatOption.mid(3);
  const CaptureConsole::Pipeline help{{ffmpeg::FfmpegPath, {"-h", "muxer=" + name}}};
  QString output;
  int32_t exitCode = 0;
  if (!CaptureConsole::RunCaptured(help, QString(), 0, 0, CaptureConsole::OutputSink(),
                                   CaptureConsole::NoDisplay, output, -1, exitCode)) {
    return QString();
  }
  const qsizetype lineBreak = output.indexOf("\r\n    Common extensions:");
  if (lineBreak < 0) return QString();
  const qsizetype start = lineBreak + 25;
  const qsizetype end = output.indexOf("\r\n", start);
  if (end < 0) return QString();
  const QString list = output.mid(start, end - start);
  qsizetype stop = list.indexOf(',');
  if (stop < 0) stop = list.indexOf('.');
  if (stop < 0) return QString();
  return list.left(stop).trimmed();
}

}  // namespace Convertidor

// ------------------------------------------------------------------- run

namespace Convertidor {

void ClearCommands() { Commands = CommandTable(); }

namespace {

QString Cell(int row, int column) { return Commands.At(row, column); }
StageKind Kind(int row) { return Commands.Kind(row); }

// The temporary files of the track stages, named after the stage's row.
QString TempFile(const QString& stem, int row) { return TempDir + "/" + stem + "." + Cell(row, 4); }

bool HeadSet(int row) { return Kind(row) != StageKind::Empty; }

// One conversion or test, from the first input to the end texts.
class ConversionRun {
 public:
  ConversionRun(const QString& testTime, QList<QStringList> inputs, const QStringList& displayed)
      : testTime_(testTime),
        test_(!testTime.isEmpty()),
        inputs_(std::move(inputs)),
        displayed_(displayed) {}

  void Execute();

 private:
  bool StageMayRun(int row) const { return HeadSet(row) && failure_ == 0 && StopRequested == 0; }
  bool JoinedOutput() const {
    return Choices.OutputMode == OutputJoined || Choices.OutputMode == OutputOneFile;
  }

  void Start();
  void RunInput(int i);
  void SetOutputPath(int i);
  void RunTrackStages();
  void RunFfmpegStage(int row, const QString& caption, QStringList& source, const QString& output);
  void RunEncodingStage(int row, const QString& caption, QStringList& source, const QString& output,
                        const QString& secondPassOutput);
  void RunJoiningStage();
  void RunConvertingStages();
  bool RunRow(int row, const QStringList& inputs, const QString& output);
  void NoteInputsRead(const StepCommand& step, bool isEncoder, const QStringList& inputs,
                      const ffmpeg::ConsoleReport& report);
  QString OutputForFfmpeg() const;
  void SetStage(const QString& caption, bool stopEnabled);
  void RecordFailure();
  void AddError(const FailedStep& error);
  void RemovePartialOutput();
  bool OutputWritten() const;
  QStringList SourcesOfOutput(int i) const;
  void FinishInput(int i);
  void ReportKept(const QString& file, const QString& option, const QString& description);
  void End();
  void TestReport();

  const QString testTime_;
  const bool test_;
  const QList<QStringList> inputs_;
  const QStringList displayed_;  // the path Text1 shows for each input
  Form12* form_ = nullptr;
  int failures_ = 0;

  // The current input.
  QStringList audio_, video_, audioStart_, videoStart_;
  QString output_, desired_;
  int failure_ = 0;
  QString failedCommand_;
  QString capture_;
  QStringList moved_;
  QStringList created_;    // files the input's steps made where nothing was
  QString createdFolder_;  // the folder made for numbered outputs
  QList<int> inputsRead_;  // places in the input's group that an output took streams from
};

void ConversionRun::Execute() {
  Start();
  for (int i = 0; i < inputs_.size() && StopRequested == 0; ++i) RunInput(i);
  End();
}

void ConversionRun::Start() {
  StopRequested = 0;
  Running = 1;
  Errors.clear();
  form_ = new Form12;
  form_->Form_Load();
  if (JoinedOutput()) form_->Text1->setText(Lang::TxtAllFiles());
  form_->Text3->setText(Lang::TxtErrors().trimmed() + " 0");
  form_->show();
}

void ConversionRun::RunInput(int i) {
  moved_.clear();
  if (!JoinedOutput()) form_->Text1->setText(displayed_.value(i));
  form_->Text2->setText(QString::number(i) + "/" + QString::number(inputs_.size()));
  form_->Text4->clear();
  audio_ = video_ = audioStart_ = videoStart_ = inputs_.at(i);
  failure_ = 0;
  failedCommand_.clear();
  capture_.clear();
  created_.clear();
  createdFolder_.clear();
  inputsRead_.clear();
  SetOutputPath(i);
  RunTrackStages();
  if (failure_ == 0 && StopRequested == 0 && !test_ && MultiOutput == 0)
    output_ = ScriptObj::UniquePath(output_, false);
  if (failure_ == 0 && StopRequested == 0) {
    if (audio_ != video_)
      RunJoiningStage();
    else
      RunConvertingStages();
  }
  if (!TempDir.isEmpty()) {
    ScriptObj::DeleteFile(TempFile("aucod", 2), false);
    ScriptObj::DeleteFile(TempFile("vicod", 5), false);
  }
  if (failure_ != 0 && StopRequested == 0) RecordFailure();
  if (failure_ != 0 || StopRequested != 0) RemovePartialOutput();
  if (!test_ && failure_ == 0 && StopRequested == 0) FinishInput(i);
  form_->Text4->clear();
  form_->Text5->clear();
}

// A path typed into the output box may be relative; it means the current
// folder, never the root nor the run's temporary working folder.
QString AbsolutePath(const QString& path) {
  return path.isEmpty() ? path : QDir::cleanPath(QDir::current().absoluteFilePath(path));
}

void ConversionRun::SetOutputPath(int i) {
  const QString ext = "." + Cell(7, 4);
  if (test_) {
    output_ = TempDir + "/test" + ext;
    if (MultiOutput == 1) {
      output_ = TempDir + "/test";
      if (ScriptObj::CreateFolder(output_)) {
        createdFolder_ = output_;
        output_ += "/%03d" + ext;
      } else {
        failure_ = 3;
      }
    }
    desired_ = output_;
    return;
  }
  const QString entry = Aplicacion::FileList.value(i);
  if (Choices.OutputMode == OutputSourceFolders)
    output_ = ScriptObj::ParentFolder(entry) + "/" + ScriptObj::GetBaseName(entry);
  else if (Choices.OutputMode == OutputChosenFolder)
    output_ = AbsolutePath(Aplicacion::OutputFolder) + "/" + ScriptObj::GetBaseName(entry);
  else
    output_ = ScriptObj::ParentFolder(AbsolutePath(Aplicacion::OutputFile)) + "/" +
              ScriptObj::GetBaseName(Aplicacion::OutputFile);
  if (MultiOutput == 1) {
    output_ = ScriptObj::UniquePath(output_, false);
    if (ScriptObj::CreateFolder(output_))
      createdFolder_ = output_;
    else
      failure_ = 3;
    output_ += "/%03d";
  }
  output_ += ext;
  desired_ = output_;
}

void ConversionRun::RunTrackStages() {
  const QString pass1 = Choices.TwoPass ? " " + Lang::TxtPass1() : QString();
  if (StageMayRun(1)) RunFfmpegStage(1, Lang::TxtExtractingAudio(), audio_, TempFile("auext", 1));
  if (StageMayRun(2))
    RunEncodingStage(2, Lang::TxtEncodingAudio() + pass1, audio_, TempFile("aucod", 2),
                     TempFile("aucod", 3));
  if (!TempDir.isEmpty()) ScriptObj::DeleteFile(TempFile("auext", 1), false);
  if (StageMayRun(4)) RunFfmpegStage(4, Lang::TxtExtractingVideo(), video_, TempFile("viext", 4));
  if (StageMayRun(5))
    RunEncodingStage(5, Lang::TxtEncodingVideo() + pass1, video_, TempFile("vicod", 5),
                     TempFile("vicod", 6));
  if (!TempDir.isEmpty()) ScriptObj::DeleteFile(TempFile("viext", 4), false);
}

void ConversionRun::RunFfmpegStage(int row, const QString& caption, QStringList& source,
                                   const QString& output) {
  SetStage(caption, true);
  if (RunRow(row, source, output)) source = QStringList{output};
}

// Rows 2 and 5: an outside encoder, or ffmpeg encoding one track, followed
// by its second pass in the next row when two passes are on.
void ConversionRun::RunEncodingStage(int row, const QString& caption, QStringList& source,
                                     const QString& output, const QString& secondPassOutput) {
  if (Kind(row) == StageKind::Encoder) {
    SetStage(caption, false);
    if (RunRow(row, source, output)) source = QStringList{output};
    return;
  }
  SetStage(caption, true);
  if (!RunRow(row, source, output)) return;
  if (!Choices.TwoPass) {
    source = QStringList{output};
    return;
  }
  if (!StageMayRun(row + 1)) return;
  const QString baseCaption = row == 2 ? Lang::TxtEncodingAudio() : Lang::TxtEncodingVideo();
  SetStage(baseCaption + " " + Lang::TxtPass2(), true);
  if (RunRow(row + 1, source, secondPassOutput)) source = QStringList{output};
}

void ConversionRun::RunJoiningStage() {
  if (Kind(7) != StageKind::MoveTracks) {
    SetStage(Lang::TxtMixingAudioVideo(), true);
    QStringList tracks;
    if (audio_ != audioStart_) tracks << audio_;
    if (video_ != videoStart_) tracks << video_;
    RunRow(7, tracks, OutputForFfmpeg());
    return;
  }
  SetStage(Lang::TxtMovingTracks(), true);
  const QString audioTrack = audio_ != audioStart_ ? audio_.value(0) : QString();
  const QString videoTrack = video_ != videoStart_ ? video_.value(0) : QString();
  moved_ = MoveTracks(audioTrack, videoTrack, desired_);
  if (moved_.isEmpty() || moved_.first().isEmpty()) failure_ = 4;
}

void ConversionRun::RunConvertingStages() {
  if (StageMayRun(7)) {
    SetStage(Lang::TxtConverting() + (Choices.TwoPass ? " " + Lang::TxtPass1() : QString()), true);
    RunRow(7, audio_, OutputForFfmpeg());
  }
  if (StageMayRun(8)) {
    SetStage(Lang::TxtConverting() + " " + Lang::TxtPass2(), true);
    RunRow(8, audio_, OutputForFfmpeg());
  }
}

// Numbered outputs are a pattern to ffmpeg, in which a '%' of the folder's
// own name must be doubled to stay a '%'.
QString ConversionRun::OutputForFfmpeg() const {
  if (MultiOutput != 1) return output_;
  const qsizetype slash = output_.lastIndexOf('/');
  return output_.left(slash).replace("%", "%%") + output_.mid(slash);
}

void ConversionRun::SetStage(const QString& caption, bool stopEnabled) {
  form_->Text4->setText(caption);
  form_->Command1->setEnabled(stopEnabled);
}

// Every ffmpeg step gets an input pipe, so that "Detener" reaches it. The
// temporary folder is the working folder: two-pass log files land there.
// ffmpeg's whole output is read as it comes: it tells which inputs the output
// took streams from, and a write it could not finish even when it ends with 0.
bool ConversionRun::RunRow(int row, const QStringList& inputs, const QString& output) {
  const StepCommand step = RowStep(Commands, row, inputs, output);
  const bool isEncoder = Kind(row) == StageKind::Encoder;
  const uint8_t pipe = isEncoder ? 0 : 1;
  if (!TakenName(output) && !created_.contains(output)) created_ << output;
  ffmpeg::ConsoleReport report;
  int32_t exitCode = 0;
  const bool started = CaptureConsole::RunCaptured(
      CaptureConsole::Pipeline{step.Command}, TempDir, pipe, pipe, form_->Text5, false,
      CaptureConsole::ReplaceByVisibleChunk, capture_, KeptOutput, exitCode,
      [&report](const QString& chunk) { report.Add(chunk); });
  // The program closing ended the tool: the run stops as "Detener" stops it.
  if (CaptureConsole::Closing()) StopRequested = 1;
  if (started) NoteInputsRead(step, isEncoder, inputs, report);
  const bool writeFailed = !isEncoder && report.WriteFailed();
  if (StepSucceeded(started, exitCode, isEncoder, ScriptObj::FileSize(output), writeFailed))
    return true;
  failure_ = started ? 2 : 1;
  failedCommand_ = step.Shown;
  return false;
}

// A step that reads the input's own files (not a track made from them) names
// the ones its output used; an outside encoder reads the first.
void ConversionRun::NoteInputsRead(const StepCommand& step, bool isEncoder,
                                   const QStringList& inputs, const ffmpeg::ConsoleReport& report) {
  if (inputs != audioStart_) return;
  const QList<int> read =
      isEncoder ? QList<int>{0}
                : FilesAtInputs(step.Command.arguments, inputs, report.MappedInputs());
  for (int place : read)
    if (!inputsRead_.contains(place)) inputsRead_ << place;
}

void ConversionRun::RecordFailure() {
  FailedStep failed;
  failed.File = form_->Text1->text();
  failed.Stage = failure_ == 3 ? QString() : form_->Text4->text();
  switch (failure_) {
    case 1:
      failed.Description = Lang::TxtProcessStartFailed();
      break;
    case 2:
      failed.Description = Lang::TxtConvertError();
      break;
    case 3:
      failed.Description = Lang::TxtCannotCreateOutputDir() + ":" + output_;
      break;
    default:
      failed.Description = Lang::TxtCannotMoveFiles();
      break;
  }
  if (failure_ == 1 || failure_ == 2) failed.Command = failedCommand_;
  if (failure_ == 2) failed.Console = capture_;
  AddError(failed);
}

void ConversionRun::AddError(const FailedStep& error) {
  Errors.append(error);
  ++failures_;
  form_->Text3->setText(Lang::TxtErrors().trimmed() + " " + QString::number(failures_));
}

// A failed or stopped input leaves nothing that looks like a result: what its
// steps wrote goes, and only that.
void ConversionRun::RemovePartialOutput() {
  for (const QString& file : created_) {
    const QFileInfo info(file);
    if (info.isFile() || info.isSymLink()) QFile::remove(file);
  }
  if (!createdFolder_.isEmpty()) ScriptObj::DeleteFolder(createdFolder_, true);
}

// What the input produced, before anything of its sources may go.
bool ConversionRun::OutputWritten() const {
  if (!moved_.isEmpty()) {
    for (const QString& track : moved_)
      if (ScriptObj::FileSize(track) == 0) return false;
    return true;
  }
  if (MultiOutput == 1) return ScriptObj::FolderSize(ScriptObj::ParentFolder(output_)) > 0;
  return ScriptObj::FileSize(output_) > 0;
}

// The list entries the input's output was made from. Joined files all go into
// it; of several files given to one command, ffmpeg may read only some.
QStringList ConversionRun::SourcesOfOutput(int i) const {
  const QStringList& list = Aplicacion::FileList;
  if (Choices.OutputMode == OutputJoined) return list;
  if (Choices.OutputMode != OutputOneFile) return {list.value(i)};
  QStringList read;
  for (int place = 0; place < list.size(); ++place)
    if (inputsRead_.contains(place)) read << list[place];
  return read;
}

void ConversionRun::FinishInput(int i) {
  const QStringList& list = Aplicacion::FileList;
  if (Choices.DeleteOriginals) {
    for (const QString& kept : TrashSources(SourcesOfOutput(i), OutputWritten()))
      ReportKept(kept, Lang::TxtDeleteOriginals(), Lang::TxtCannotDeleteFile(kept));
  }
  if (Choices.ReplaceFiles && Kind(7) != StageKind::MoveTracks) {
    // Inputs other than the ones just converted stay untouched, whatever their name.
    QStringList others = list;
    if (JoinedOutput())
      others.clear();
    else
      others.removeAt(i);
    const Replacement done = ReplaceExisting(output_, desired_, others);
    if (done == Replacement::OldFileKept)
      ReportKept(desired_, Lang::TxtReplaceFiles(), Lang::TxtCannotDeleteFile(desired_));
    if (done == Replacement::RenameFailed)
      ReportKept(output_, Lang::TxtReplaceFiles(), Lang::TxtCannotRenameFile(output_));
  }
}

// A file the finishing options could not move is listed with the failures:
// the file, the option, and what could not be done.
void ConversionRun::ReportKept(const QString& file, const QString& option,
                               const QString& description) {
  FailedStep kept;
  kept.File = file;
  kept.Stage = option;
  kept.Description = description;
  AddError(kept);
}

void ConversionRun::End() {
  const bool stopped = StopRequested != 0;
  if (stopped) {
    form_->Text1->setText(Lang::TxtProcessStopped());
  } else {
    form_->Text1->setText(Lang::TxtProcessEnded());
    form_->Text2->clear();
  }
  Running = 0;
  StopRequested = 0;
  if (test_ && !stopped && failures_ == 0) TestReport();
  form_->Command3->setVisible(failures_ > 0);
  form_->Command2->setVisible(true);
  form_->Command1->setVisible(false);
  form_->Command4->setVisible(false);
  for (const FailedStep& failed : Errors) form_->List1->addItem(failed.File);
}

void ConversionRun::TestReport() {
  const auto ask = [](const QString& text) {
    return Dialogs::MsgBox(text, 4, Lang::BoxTitle()) == 6;
  };
  if (MultiOutput == 1) {
    const QString folder = ScriptObj::ParentFolder(output_);
    if (ask(TestReportText(ScriptObj::FolderSize(folder), 0, Lang::TxtViewFilesQuestion())))
      APIS::ShellOpen(folder);
    return;
  }
  if (Kind(7) == StageKind::MoveTracks) {
    qint64 bytes = 0;
    for (const QString& track : moved_) bytes += ScriptObj::FileSize(track);
    if (ask(TestReportText(bytes, 0, Lang::TxtPlayFileQuestion())))
      ffmpeg::PlayFile({moved_.value(0), moved_.value(1)}, QString());
    return;
  }
  const double seconds = ffmpeg::TimeToSeconds(testTime_).toDouble();
  if (ask(TestReportText(ScriptObj::FileSize(output_), seconds, Lang::TxtPlayFileQuestion())))
    ffmpeg::PlayFile({output_}, QString());
}

}  // namespace

void Convert(const QString& testTime) {
  if (Running == 1) return;
  Form1* main = Form1::Instance();
  const bool test = !testTime.isEmpty();
  const int mode = Choices.OutputMode;
  const int rows = Aplicacion::FileCount();
  int selected = main ? main->SelectedRow() : -1;
  if (!ffmpeg::FfmpegExists()) return;
  if (rows == 0) return Lang::MsgNoFilesInList();
  const QString& shownOutput =
      mode == OutputChosenFolder ? Aplicacion::OutputFolder : Aplicacion::OutputFile;
  if (!test && mode != OutputSourceFolders && shownOutput.isEmpty()) return Lang::MsgNoOutputPath();
  if (test && !(mode == OutputJoined || mode == OutputOneFile) && rows >= 2 && selected < 0)
    return Lang::MsgSelectFileForTest();
  if (!BuildCommandTable(testTime)) return;

  QList<QStringList> inputs;
  QStringList displayed;
  QStringList shortPaths;
  if (mode == OutputJoined) {
    const QString list = WriteConcatList();
    if (list.isEmpty()) return;
    inputs << QStringList{list};
  } else if (mode == OutputOneFile) {
    for (const QString& file : Aplicacion::FileList) shortPaths << ScriptObj::GetShortPath(file);
    inputs << shortPaths;
  } else if (!test) {
    for (const QString& file : Aplicacion::FileList)
      inputs << QStringList{ScriptObj::GetShortPath(file)};
    displayed = Aplicacion::FileList;
  } else {
    if (selected < 0) {
      selected = 0;
      if (main) main->List1->setCurrentRow(0);
    }
    inputs << QStringList{ScriptObj::GetShortPath(Aplicacion::FileList.value(selected))};
    displayed << Aplicacion::FileList.value(selected);
  }

  if (HeadSet(2) || HeadSet(5) || test || Choices.TwoPass) {
    TempDir = Aplicacion::CreateTempFolder(true);
    if (TempDir.isEmpty()) return;
  }
  ConversionRun(testTime, inputs, displayed).Execute();
}

}  // namespace Convertidor
