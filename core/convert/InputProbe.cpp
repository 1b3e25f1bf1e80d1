#include "core/convert/InputProbe.h"

#include <utility>

#include "core/frame/MediaInfo.h"

namespace InputProbe {

QString Report(const MediaInfo& info) {
  const std::pair<const char*, const QString*> lines[] = {
      {"Track: ", &info.Track},
      {"Artist: ", &info.Artist},
      {"Title: ", &info.Title},
      {"Album: ", &info.Album},
      {"Genre: ", &info.Genre},
      {"Duration (s): ", &info.Duration},
      {"Format: ", &info.Container},
      {"Bitrate: ", &info.Bitrate},
      {"Audio codec: ", &info.AudioCodec},
      {"Audio codec tag: ", &info.AudioCodecTag},
      {"Audio bitrate (bits/s): ", &info.AudioBitrate},
      {"Audio channels: ", &info.AudioChannels},
      {"Audio sample rate (hz): ", &info.AudioSampleRate},
      {"Video codec: ", &info.VideoCodec},
      {"Video codec tag: ", &info.VideoCodecTag},
      {"Video bitrate (bits/s): ", &info.VideoBitrate},
      {"Video size (width x height, pixels): ", &info.VideoSize},
      {"Video fps: ", &info.VideoFrameRate},
      {"Aspect ratio: ", &info.AspectRatio},
      {"Video pixel format: ", &info.VideoPixelFormat},
      {"Subtitle codec: ", &info.SubtitleCodec},
  };
  QString report;
  // ffprobe's header puts a blank before some values ("Input #0, wav,"); the
  // label's own blank is the only one shown.
  for (const auto& [label, value] : lines) report += label + value->trimmed() + "\n";
  return report;
}

}  // namespace InputProbe
