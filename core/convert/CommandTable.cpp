#include "core/convert/CommandTable.h"

#include <QFileInfo>
#include <optional>

#include "core/convert/ProfileCompiler.h"
#include "core/frame/FfmpegTools.h"
#include "core/frame/FfmpegValues.h"
#include "core/frame/Session.h"
#include "core/ground/CommandLine.h"
#include "core/ground/ConsoleText.h"
#include "core/ground/ToolRunner.h"
#include "core/lang/Lang.h"

namespace Conversion {

namespace {

const FfmpegOptionNames& Opt() { return FfmpegTools::State().OptNames; }

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
  ConversionChoices choices;
  CompiledFormat format;
  CompiledEdit edit;
  QString extension;
  QString testOption;
};

TableFailure LoadFormatProfile(BuildState& b) {
  if (Session::State().FormatProfilePath.isEmpty()) return TableFailure::None;
  FormatStatus status = FormatStatus::Compiled;
  b.format = LoadFormat(Session::State().FormatProfilePath, status);
  switch (status) {
    case FormatStatus::Compiled:
      return TableFailure::None;
    case FormatStatus::FileMissing:
      return TableFailure::FormatProfileMissing;
    case FormatStatus::ReadError:
      return TableFailure::FormatProfileUnreadable;
    case FormatStatus::AudioEncoderFailed:
      return TableFailure::AudioEncoderUnusable;
    case FormatStatus::VideoEncoderFailed:
      return TableFailure::VideoEncoderUnusable;
  }
  return TableFailure::VideoEncoderUnusable;
}

// The encoder program, found on disk or located by the user. False when the
// user agreed to look for it and then chose nothing.
bool FindEncoderProgram(const QString& name, CompiledCodec& codec, bool isVideo,
                        const EncoderLocator& locate) {
  if (name.isEmpty()) return true;
  codec.ExePath = ResolveCodecExecutable(codec.ExePath, name, isVideo);
  if (!codec.ExePath.isEmpty() || !locate) return true;
  const std::optional<QString> located = locate(isVideo);
  if (!located) return false;
  codec.ExePath = *located;  // "": the run fails at that stage instead
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

TableFailure ChooseExtension(BuildState& b) {
  QString extension;
  if (b.choices.OutputMode == OutputJoined || b.choices.OutputMode == OutputOneFile) {
    extension = WithoutLeadingDots(QFileInfo(Session::State().OutputFile).suffix());
  }
  if (extension.isEmpty() && !IsAutomaticEntry(b.choices.ExtensionText)) {
    extension = WithoutLeadingDots(b.choices.ExtensionText);
  }
  if (extension.isEmpty()) extension = WithoutLeadingDots(b.format.Extension);
  if (extension.isEmpty()) {
    const std::optional<QString> told = GetMuxerExtension(GetFormatOption(b.format.OutputOptions));
    if (!told) return TableFailure::FfmpegNotFound;
    extension = *told;
  }
  if (extension.isEmpty()) return TableFailure::NoFileExtension;
  b.format.Extension = extension;
  return TableFailure::None;
}

// The concat demuxer refuses absolute paths in its list unless told it is safe.
void AddConcatInput(BuildState& b) {
  if (b.choices.OutputMode != OutputJoined) return;
  CompiledFormat& format = b.format;
  const QString options = (" " + format.InputOptions + " ").toLower();
  if (!options.contains(" " + Opt().Format + " concat "))
    format.InputOptions += " " + Opt().Format + " concat ";
  if (!options.contains(" -safe ")) format.InputOptions += " -safe 0 ";
}

TableFailure LoadEditingProfile(BuildState& b, QString& filterPath) {
  if (Session::State().EditProfilePath.isEmpty()) return TableFailure::None;
  EditStatus status = EditStatus::Compiled;
  b.edit = LoadEditProfile(Session::State().EditProfilePath, status, filterPath);
  switch (status) {
    case EditStatus::Compiled:
      break;
    case EditStatus::FileMissing:
      return TableFailure::EditProfileMissing;
    case EditStatus::ReadError:
      return TableFailure::EditProfileUnreadable;
    case EditStatus::AllTracksRemoved:
      return TableFailure::AllTracksRemoved;
    case EditStatus::FilterUnreadable:
      return TableFailure::FilterUnreadable;
    case EditStatus::AudioFailed:
      return TableFailure::AudioEditUnusable;
    case EditStatus::TrimFailed:
      return TableFailure::TrimUnusable;
  }
  if (b.edit.NeedsMultipleInputs && b.choices.OutputMode != OutputOneFile)
    return TableFailure::FiltersNeedOneFile;
  return TableFailure::None;
}

bool MergeRemovals(BuildState& b) {
  CompiledEdit& e = b.edit;
  CompiledFormat& f = b.format;
  if (e.NoAudioOption.isEmpty()) e.NoAudioOption = f.NoAudioOption;
  if (e.NoVideoOption.isEmpty()) e.NoVideoOption = f.NoVideoOption;
  if (e.NoSubtitlesOption.isEmpty()) e.NoSubtitlesOption = f.NoSubtitlesOption;
  if (!e.NoAudioOption.isEmpty() && !e.NoVideoOption.isEmpty() && !e.NoSubtitlesOption.isEmpty())
    return false;
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
    e.OwnSize = false;
    e.OwnAspect = false;
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
  if (!b.edit.OwnSize) {
    const QString& size = external ? codec.SizeOption : b.format.SizeOption;
    b.edit.VideoFilterOptions = TrimSpaces(b.edit.VideoFilterOptions) + " " + size;
  }
  if (!b.edit.OwnAspect) {
    const QString& aspect = external ? codec.AspectOption : b.format.AspectOption;
    b.edit.VideoFilterOptions = TrimSpaces(b.edit.VideoFilterOptions) + " " + aspect;
  }
}

void SetRow(CommandTable& t, int row, StageKind kind, const QString& program, const QString& before,
            const QString& after, const QString& extension) {
  t.Kinds[row - 1] = kind;
  t.Programs[row - 1] = program;
  t.At(row, TableColumn::Program) = kind == StageKind::MoveTracks
                                        ? QStringLiteral("<copy>")
                                        : CommandLine::QuoteArgument(program);
  t.At(row, TableColumn::BeforeInput) = before;
  t.At(row, TableColumn::BeforeOutput) = after;
  t.At(row, TableColumn::Extension) = extension;
}

// Each ffmpeg encoding row gets a second pass in the row below it.
void AddSecondPass(CommandTable& t, int row) {
  const int copy = row + 1;
  t.Cells[copy - 1] = t.Cells[row - 1];
  t.Kinds[copy - 1] = t.Kinds[row - 1];
  t.Programs[copy - 1] = t.Programs[row - 1];
  t.At(row, TableColumn::BeforeOutput) += " " + Opt().Pass + " 1 ";
  t.At(copy, TableColumn::BeforeOutput) += " " + Opt().Pass + " 2 ";
}

CommandTable FillTable(const BuildState& b) {
  const CompiledFormat& f = b.format;
  const CompiledEdit& e = b.edit;
  const CompiledCodec& ac = f.AudioCodec;
  const CompiledCodec& vc = f.VideoCodec;
  const QString& ff = FfmpegTools::State().FfmpegPath;
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
    SetRow(t, TableRow::AudioExtraction, StageKind::Ffmpeg, ff,
           BeforeInput({f.InputOptions, e.InputOptions, e.SeekOption}),
           BeforeOutput({ac.FfmpegOptions, e.DurationOption, e.AudioFilterOptions, e.OutputOptions,
                         o.Overwrite, o.NoVideo, o.NoSubtitles}),
           ac.FfmpegExt);
    SetRow(t, TableRow::AudioEncoding, StageKind::Encoder, ac.ExePath, " " + ac.CommandTemplate,
           QString(), ac.OutputExt);
  } else if (videoExternal && e.NoAudioOption.isEmpty()) {
    SetRow(t, TableRow::AudioEncoding, StageKind::Ffmpeg, ff,
           BeforeInput({f.InputOptions, e.SeekOption, e.InputOptions}),
           BeforeOutput({trackOptions, f.AudioOptions, f.SubtitleCodecOption, e.AudioFilterOptions,
                         e.DurationOption, e.OutputOptions, o.Overwrite, o.NoVideo,
                         e.NoSubtitlesOption}),
           fx);
    passRows << TableRow::AudioEncoding;
  }
  if (videoExternal) {
    SetRow(t, TableRow::VideoExtraction, StageKind::Ffmpeg, ff,
           BeforeInput({f.InputOptions, e.InputOptions, e.SeekOption}),
           BeforeOutput({vc.FfmpegOptions, e.DurationOption, e.OutputOptions, e.VideoFilterOptions,
                         o.Overwrite, o.NoAudio, o.NoSubtitles}),
           vc.FfmpegExt);
    SetRow(t, TableRow::VideoEncoding, StageKind::Encoder, vc.ExePath, " " + vc.CommandTemplate,
           QString(), vc.OutputExt);
  } else if (audioExternal && e.NoVideoOption.isEmpty()) {
    SetRow(t, TableRow::VideoEncoding, StageKind::Ffmpeg, ff,
           BeforeInput({f.InputOptions, e.SeekOption, e.InputOptions}),
           BeforeOutput({trackOptions, f.VideoOptions, f.SubtitleCodecOption, e.VideoFilterOptions,
                         e.DurationOption, e.OutputOptions, o.Overwrite, o.NoAudio,
                         e.NoSubtitlesOption}),
           fx);
    passRows << TableRow::VideoEncoding;
  }
  if ((audioExternal || videoExternal) && copyTracks) {
    SetRow(t, TableRow::Output, StageKind::MoveTracks, QString(), QString(), QString(), fx);
  } else if (audioExternal || videoExternal) {
    SetRow(t, TableRow::Output, StageKind::Ffmpeg, ff, " -i ",
           BeforeOutput({container, o.AudioCodec, "copy", o.VideoCodec, "copy", o.SubtitleCodec,
                         "copy", o.Overwrite}),
           fx);
  } else {
    SetRow(
        t, TableRow::Output, StageKind::Ffmpeg, ff,
        BeforeInput({f.InputOptions, e.SeekOption, e.InputOptions}),
        BeforeOutput({f.OutputOptions, f.AudioOptions, f.SubtitleCodecOption, f.VideoOptions,
                      e.AudioFilterOptions, e.DurationOption, e.OutputOptions, e.VideoFilterOptions,
                      o.Overwrite, e.NoAudioOption, e.NoSubtitlesOption, e.NoVideoOption}),
        fx);
    passRows << TableRow::Output;
  }
  if (b.choices.TwoPass) {
    for (int row : passRows) AddSecondPass(t, row);
  }
  for (auto& row : t.Cells) {
    for (QString& cell : row) cell = CollapseSpaces(cell);
  }
  return t;
}

// The build up to its failure, or the whole of it.
TableFailure Build(const ConversionChoices& choices, const QString& testTime,
                   const EncoderLocator& locate, TableBuild& result) {
  BuildState b;
  b.choices = choices;
  if (!testTime.isEmpty()) {
    // A test of no time would write an output that holds nothing.
    const QString seconds = FfmpegValues::TimeToSeconds(testTime);
    if (seconds.isEmpty() || seconds.toDouble() <= 0) return TableFailure::InvalidTestDuration;
    b.testOption = Opt().Duration + " " + seconds;
  }
  if (const TableFailure failure = LoadFormatProfile(b); failure != TableFailure::None)
    return failure;
  if (!FindEncoderProgram(b.format.AudioExtCodecName, b.format.AudioCodec, false, locate) ||
      !FindEncoderProgram(b.format.VideoExtCodecName, b.format.VideoCodec, true, locate))
    return TableFailure::EncoderNotLocated;
  result.MultiOutput = b.format.MultipleOutputFiles;
  if (const TableFailure failure = ChooseExtension(b); failure != TableFailure::None)
    return failure;
  AddConcatInput(b);
  if (const TableFailure failure = LoadEditingProfile(b, result.FilterPath);
      failure != TableFailure::None)
    return failure;
  if (!MergeRemovals(b)) return TableFailure::AllTracksRemoved;
  if (!b.testOption.isEmpty()) b.edit.DurationOption = b.testOption;
  AppendSizeAndAspect(b);
  result.Table = FillTable(b);
  return TableFailure::None;
}

}  // namespace

TableBuild BuildTable(const ConversionChoices& choices, const QString& testTime,
                      const EncoderLocator& locate) {
  TableBuild result;
  result.Failure = Build(choices, testTime, locate, result);
  if (result.Failure != TableFailure::None) result.Table = CommandTable();
  return result;
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
  for (const CommandLine::TypedWord& word : CommandLine::ScanWords(text)) {
    addGap(word.start);
    result += text.mid(word.start, word.length);
    gapStart = word.start + word.length;
  }
  addGap(text.size());
  return result;
}

std::optional<QString> GetMuxerExtension(const QString& formatOption) {
  if (formatOption.size() <= 3) return QString();
  const QString name = formatOption.mid(3);
  const CommandLine::Pipeline help{{FfmpegTools::State().FfmpegPath, {"-h", "muxer=" + name}}};
  QString output;
  int exitCode = 0;
  if (ToolRunner::RunCaptured(help, QString(), false, false, ToolRunner::OutputSink(),
                              ConsoleText::Display::NoDisplay, output, -1,
                              exitCode) != ToolRunner::RunResult::Ran) {
    return std::nullopt;
  }
  const QString marker = QStringLiteral("\n    Common extensions: ");
  const qsizetype found = output.indexOf(marker);
  if (found < 0) return QString();
  const qsizetype start = found + marker.size();
  const qsizetype end = output.indexOf('\n', start);
  if (end < 0) return QString();
  const QString list = output.mid(start, end - start);
  qsizetype stop = list.indexOf(',');
  if (stop < 0) stop = list.indexOf('.');
  if (stop < 0) return QString();
  return list.left(stop).trimmed();
}

}  // namespace Conversion
