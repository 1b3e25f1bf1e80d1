// The format editor's imports: an ffmpeg command line and the values probed from a file.
#include <array>
#include <utility>

#include "core/formats/FormatEditor.h"
#include "core/frame/FfmpegTools.h"
#include "core/ground/CommandLine.h"
#include "core/lang/Lang.h"

namespace FormatEditor {

namespace {

using P = FormatProfile;

// Typed options word by word: each word as typed (quotes included) and the
// argument it makes.
struct TypedOptions {
  QStringList typed;
  QStringList arguments;
};

TypedOptions ScanOptions(const QString& text) {
  TypedOptions options;
  for (const CommandLine::TypedWord& word : CommandLine::ScanWords(text)) {
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

void TakeFlag(TypedOptions& work, const QString& option, bool& field) {
  if (!work.arguments.contains(option)) return;
  field = true;
  for (qsizetype at = work.arguments.indexOf(option); at >= 0; at = work.arguments.indexOf(option))
    RemoveWords(work, at, 1);
}

void KeepRest(const TypedOptions& work, QString& extraParams) {
  if (!work.typed.isEmpty()) extraParams = work.typed.join(' ');
}

}  // namespace

void ImportOptions(FormatProfile& profile, const QString& outputText, const QString& inputText) {
  const FfmpegOptionNames& o = FfmpegTools::State().OptNames;
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
  ImportOptions(State().CurrentFormat, outputOptions, inputOptions);
  BuildCategoryParams(State().CurrentCategory);
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
  const std::array<const QString*, 2> tagOptions = {&FfmpegTools::State().OptNames.AudioTag,
                                                    &FfmpegTools::State().OptNames.VideoTag};
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
  CopyProbeLines(State().CurrentFormat, lines, ticked);
  BuildCategoryParams(State().CurrentCategory);
  return true;
}

}  // namespace FormatEditor
