#pragma once

#include <QString>
#include <cstdint>
#include <optional>

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
  bool MultipleOutputFiles = false;
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
  bool OwnSize = false;    // the profile scales the picture itself
  bool OwnAspect = false;  // the profile sets the display aspect itself
  QString InputOptions;
  QString OutputOptions;   // free options, then the complex filters
  QString SeekOption;      // "-ss" seconds, before "-i"
  QString DurationOption;  // "-t", "-vframes" or "-fs"
  bool NeedsMultipleInputs = false;
  bool operator==(const CompiledEdit&) const = default;
};

// Compiles format and editing profiles into option texts.
namespace Conversion {

// How a format profile compiled. The result is the empty record unless Compiled.
enum class FormatStatus : uint8_t {
  Compiled,  // or a missing nameless scratch profile
  FileMissing,
  ReadError,
  AudioEncoderFailed,  // the external audio encoder could not be compiled
  VideoEncoderFailed,
};
// Reads and compiles the profile at path.
CompiledFormat LoadFormat(const QString& path, FormatStatus& status);
// Compiled, or the external encoder that failed.
CompiledFormat CompileFormat(const FormatProfile& profile, FormatStatus& status);
// Nothing when the definition cannot be compiled.
std::optional<CompiledCodec> CompileExternalCodec(const ExtCodecDef& codec, bool isVideo);
// The full path of an existing encoder program: the stored one, else the one
// of the stand-alone definition appfiles/ecodec/<name>.qca|.qcv; "" if none.
QString ResolveCodecExecutable(const QString& exePath, const QString& name, bool isVideo);

// How an editing profile compiled. The result is the empty record unless Compiled.
enum class EditStatus : uint8_t {
  Compiled,  // or a missing nameless scratch profile
  FileMissing,
  ReadError,
  AllTracksRemoved,
  FilterUnreadable,  // a filter file missing or unreadable (filterPath names it)
  AudioFailed,
  TrimFailed,
};
// Reads and compiles the profile at path.
CompiledEdit LoadEditProfile(const QString& path, EditStatus& status, QString& filterPath);
// Compiled, or the stage that failed (AllTracksRemoved to TrimFailed).
CompiledEdit CompileEditProfile(const EditProfileRec& profile, EditStatus& status,
                                QString& filterPath);

// Drops the spaces at both ends, and only spaces (not QString::trimmed): a
// backslash and line break the user typed at the end of free text stay a line
// continuation, where trimming the break would leave a stray backslash word.
QString TrimSpaces(const QString& text);

}  // namespace Conversion
