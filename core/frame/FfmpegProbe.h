#pragma once

#include <QString>

#include "core/frame/MediaInfo.h"

// What ffprobe says a media file holds.
namespace FfmpegProbe {

// Asks ffprobe what the file holds. Shows ffprobe's "not found" message when
// it is missing; gives the empty record when it is missing or cannot start,
// and only ffprobe's reason (ReadFailure) when it cannot read the file.
MediaInfo ProbeMedia(const QString& path);
// ffprobe -show_streams -show_format output, lines ending in LF, as the
// console runner cleans it.
MediaInfo ParseProbeOutput(const QString& output);
// When ffprobe could not read the file, says so with its reason, the file
// named as given, and answers true; the caller then has nothing to show.
bool SaidUnreadable(const QString& path, const MediaInfo& info);

}  // namespace FfmpegProbe
