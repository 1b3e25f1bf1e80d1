#include "core/frame/FfmpegProbe.h"

#include <QStringList>
#include <cmath>

#include "core/frame/FfmpegTools.h"
#include "core/ground/CommandLine.h"
#include "core/ground/ConsoleText.h"
#include "core/ground/ToolRunner.h"
#include "core/lang/Lang.h"

namespace FfmpegProbe {

namespace {

const QString LineEnd = QStringLiteral("\n");

// The text from right after the marker up to the next line end; "" when
// either is missing. ffprobe's "N/A" (unknown) is also "".
QString Cut(const QString& text, const QString& marker, const QString& end = LineEnd) {
  const qsizetype at = text.indexOf(marker);
  if (at < 0) return {};
  const qsizetype start = at + marker.size();
  const qsizetype stop = text.indexOf(end, start);
  if (stop < 0) return {};
  const QString value = text.mid(start, stop - start);
  return value.trimmed() == QLatin1String("N/A") ? QString() : value;
}

QString CodecTag(const QString& block) {
  const QString tag = Cut(block, QStringLiteral("codec_tag_string="));
  return tag.contains(QLatin1String("[0]")) ? QString() : tag;
}

QString ContainerTag(const QString& output, const QString& name) {
  return Cut(output, LineEnd + "    " + name.leftJustified(16) + ": ");
}

// The container's duration, from the format section: a stream may end long
// before the file does (a still picture over a song).
QString FormatDuration(const QString& output) {
  const qsizetype at = output.indexOf(QStringLiteral("[FORMAT]") + LineEnd);
  return at < 0 ? QString() : Cut(output.sliced(at), LineEnd + "duration=");
}

// The header's "Duration: 00:01:02.50," in seconds, as ffprobe writes them.
QString HeaderSeconds(const QString& output) {
  const QStringList fields =
      Cut(output, QStringLiteral("Duration: "), QStringLiteral(",")).split(':');
  if (fields.size() != 3) return {};
  double seconds = 0;
  for (const QString& field : fields) {
    bool ok = false;
    seconds = seconds * 60 + field.toDouble(&ok);
    if (!ok) return {};
  }
  return QString::number(seconds, 'f', 6);
}

void ReadAudio(const QString& block, MediaInfo& info) {
  info.HasAudio = true;
  info.AudioChannels = Cut(block, QStringLiteral("channels="));
  info.AudioBitrate = Cut(block, QStringLiteral("bit_rate="));
  info.AudioCodec = Cut(block, QStringLiteral("codec_name="));
  info.AudioSampleRate = Cut(block, QStringLiteral("sample_rate="));
  info.AudioCodecTag = CodecTag(block);
}

// Whether the stream is shown turned a quarter: its display matrix (the side
// data's "rotation=") or, in files of older writers, its "rotate" tag says
// 90 or 270 degrees, either way round.
bool TurnedOnItsSide(const QString& block) {
  for (const QString& marker : {QStringLiteral("rotation="), QStringLiteral("TAG:rotate=")}) {
    bool ok = false;
    const double degrees = Cut(block, marker).toDouble(&ok);
    if (ok) return std::lround(std::fabs(degrees)) % 180 == 90;
  }
  return false;
}

// "320x240" as "240x320", "4:3" as "3:4".
QString Swapped(const QString& pair, QChar separator) {
  const QStringList sides = pair.split(separator);
  return sides.size() == 2 ? sides[1] + separator + sides[0] : pair;
}

void ReadVideo(const QString& block, MediaInfo& info) {
  info.HasVideo = true;
  info.VideoCodec = Cut(block, QStringLiteral("codec_name="));
  info.VideoSize = Cut(block, QStringLiteral("width="));
  const QString height = Cut(block, QStringLiteral("height="));
  if (!height.isEmpty()) info.VideoSize += "x" + height;
  info.VideoBitrate = Cut(block, QStringLiteral("bit_rate="));
  info.VideoFrameRate = Cut(block, QStringLiteral("r_frame_rate="));
  info.VideoPixelFormat = Cut(block, QStringLiteral("pix_fmt="));
  info.AspectRatio = Cut(block, QStringLiteral("display_aspect_ratio="));
  info.VideoCodecTag = CodecTag(block);
  // Players and ffmpeg turn such a picture upright before anything else.
  if (TurnedOnItsSide(block)) {
    info.VideoSize = Swapped(info.VideoSize, 'x');
    info.AspectRatio = Swapped(info.AspectRatio, ':');
  }
}

void ReadStreams(const QString& output, MediaInfo& info) {
  bool audio = false, video = false, subtitle = false;
  for (const QString& block : output.split(QStringLiteral("[/STREAM]") + LineEnd)) {
    if (audio && video && subtitle) break;
    if (!audio && block.contains(QStringLiteral("codec_type=audio") + LineEnd)) {
      audio = true;
      ReadAudio(block, info);
    } else if (!video && block.contains(QStringLiteral("codec_type=video") + LineEnd)) {
      video = true;
      ReadVideo(block, info);
    } else if (!subtitle && block.contains(QStringLiteral("codec_type=subtitle") + LineEnd)) {
      subtitle = true;
      info.HasSubtitle = true;
      info.SubtitleCodec = Cut(block, QStringLiteral("codec_name="));
    }
  }
}

// ffprobe's last line, "<file>: Invalid data found when processing input",
// without the file name it starts with.
QString ProbeFailure(const QString& output, const QString& file) {
  const QStringList lines = output.split(LineEnd, Qt::SkipEmptyParts);
  const QString last = lines.isEmpty() ? QString() : lines.last().trimmed();
  const QString named = file + QStringLiteral(": ");
  return last.startsWith(named) ? last.sliced(named.size()) : last;
}

}  // namespace

MediaInfo ProbeMedia(const QString& path) {
  if (!FfmpegTools::FfprobeExists()) return {};
  const CommandLine::Command probe{FfmpegTools::State().FfprobePath,
                                   {"-show_streams", "-show_format", "-i", path}};
  QString output;
  int exitCode = 0;
  if (ToolRunner::RunCaptured({probe}, QString(), false, false, ToolRunner::OutputSink(),
                              ConsoleText::Display::NoDisplay, output, -1,
                              exitCode) != ToolRunner::RunResult::Ran)
    return {};
  if (exitCode == 0) return ParseProbeOutput(output);
  MediaInfo unread;
  unread.ReadFailure = ProbeFailure(output, path);
  return unread;
}

MediaInfo ParseProbeOutput(const QString& output) {
  MediaInfo info;
  info.Container = Cut(output, LineEnd + "Input #0,", QStringLiteral(","));
  info.Duration = FormatDuration(output);
  if (info.Duration.isEmpty()) info.Duration = Cut(output, QStringLiteral("duration="));
  if (info.Duration.isEmpty()) info.Duration = HeaderSeconds(output);
  info.Bitrate = Cut(output, QStringLiteral(" bitrate:"));
  info.Title = ContainerTag(output, QStringLiteral("title"));
  info.Artist = ContainerTag(output, QStringLiteral("artist"));
  info.Album = ContainerTag(output, QStringLiteral("album"));
  info.Genre = ContainerTag(output, QStringLiteral("genre"));
  info.Track = ContainerTag(output, QStringLiteral("track"));
  ReadStreams(output, info);
  return info;
}

bool SaidUnreadable(const QString& path, const MediaInfo& info) {
  if (info.ReadFailure.isEmpty()) return false;
  Lang::MsgCannotReadFile(path, info.ReadFailure);
  return true;
}

}  // namespace FfmpegProbe
