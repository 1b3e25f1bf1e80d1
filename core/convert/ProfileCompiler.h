#pragma once

#include <QString>
#include <cstdint>

#include "core/ground/EditProfileRec.h"
#include "core/ground/ExtCodecDef.h"
#include "core/ground/FormatProfile.h"

// An external encoder compiled into the pieces of its three steps: ffmpeg
// extracts the track, the encoder encodes it, ffmpeg multiplexes the result.
struct CompiledCodec {
  QString FfmpegOptions;    // options of the extraction step
  QString SizeOption;       // "-s WxH" taken out of those options, or ""
  QString AspectOption;     // "-aspect R" taken out of those options, or ""
  QString CommandTemplate;  // the encoder's arguments with <infile> and <outfile>
  QString FfmpegExt;        // extension of the extracted file
  QString OutputExt;        // extension of the encoder's output
  QString ExePath;          // the encoder program, as stored or as resolved
  QString About;
  bool operator==(const CompiledCodec&) const = default;
};

// A format profile compiled into option texts, grouped by where they go on
// an ffmpeg command line.
struct CompiledFormat {
  QString InputOptions;   // before "-i"; starts with a blank when not empty
  QString OutputOptions;  // container, target, free options; starts with a blank
  QString NoAudioOption;
  QString NoVideoOption;
  QString NoSubtitlesOption;
  QString SizeOption;
  QString AspectOption;
  QString AudioOptions;
  QString VideoOptions;
  QString SubtitleCodecOption;
  uint8_t MultipleOutputFiles = 0;
  QString Extension;
  QString AudioExtCodecName;  // "" = ffmpeg encodes the audio itself
  QString VideoExtCodecName;
  CompiledCodec AudioCodec;
  CompiledCodec VideoCodec;
  bool operator==(const CompiledFormat&) const = default;
};

// An editing profile compiled into option texts.
struct CompiledEdit {
  QString AudioFilterOptions;  // one "-af" chain, then "-vol"
  QString VideoFilterOptions;  // one "-vf" chain
  QString NoAudioOption;
  QString NoVideoOption;
  QString NoSubtitlesOption;
  uint8_t OwnSize = 0;    // 1 = the profile scales the picture itself
  uint8_t OwnAspect = 0;  // 1 = the profile sets the display aspect itself
  QString InputOptions;
  QString OutputOptions;   // free options, then the complex filters
  QString SeekOption;      // "-ss" seconds, before "-i"
  QString DurationOption;  // "-t", "-vframes" or "-fs"
  uint8_t NeedsMultipleInputs = 0;
  bool operator==(const CompiledEdit&) const = default;
};

// Compiles format and editing profiles into option texts.
namespace Conversion {

// Status of LoadFormat: 0 compiled (or a missing nameless scratch profile),
// 1 file missing, 2 read error, 3 external audio encoder, 4 external video
// encoder. The result is the empty record unless the status is 0.
CompiledFormat LoadFormat(const QString& path, uint8_t& status);
// Status 0 compiled, 1 the external audio encoder failed, 2 the video one.
CompiledFormat CompileFormat(const FormatProfile& profile, uint8_t& status);
// Status 0 compiled, 1 failed (then the empty record).
CompiledCodec CompileExternalCodec(const ExtCodecDef& codec, uint8_t isVideo, uint8_t& status);
// The full path of an existing encoder program: the stored one, else the one
// of the stand-alone definition appfiles/ecodec/<name>.qca|.qcv; "" if none.
QString ResolveCodecExecutable(const QString& exePath, const QString& name, uint8_t isVideo);

// Status of LoadEditProfile: 0 compiled (or a missing nameless scratch
// profile), 1 file missing, 2 read error, 3 all tracks removed, 4 a filter
// file missing or unreadable (filterPath names it), 5 audio, 6 video, 7 trim.
CompiledEdit LoadEditProfile(const QString& path, uint8_t& status, QString& filterPath);
// Status 0 compiled, 1 to 5 the stage that failed (LoadEditProfile adds 2).
CompiledEdit CompileEditProfile(const EditProfileRec& profile, uint8_t& status,
                                QString& filterPath);

// Drops the spaces at both ends; tabs and line breaks inside free text stay
// the user's.
QString TrimSpaces(const QString& text);

}  // namespace Conversion
