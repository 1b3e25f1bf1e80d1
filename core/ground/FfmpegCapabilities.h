#pragma once

#include <QString>
#include <tuple>

#include "core/ground/RecordFile.h"

// What the installed ffmpeg can do, read from its tables: the coders, formats
// and pixel formats the format editor offers. Kept in config.qcf between runs,
// since reading them takes a while.
struct FfmpegCapabilities {
  DynArray<QString> AudioEncoders;
  DynArray<QString> VideoEncoders;
  DynArray<QString> SubtitleEncoders;
  DynArray<QString> AudioDecoders;
  DynArray<QString> VideoDecoders;
  DynArray<QString> SubtitleDecoders;
  DynArray<QString> MuxerFormats;
  DynArray<QString> DemuxerFormats;
  DynArray<QString> InputPixelFormats;
  DynArray<QString> OutputPixelFormats;

  using C = FfmpegCapabilities;
  static constexpr auto Fields = std::tuple{
      &C::AudioEncoders,     &C::VideoEncoders,     &C::SubtitleEncoders, &C::AudioDecoders,
      &C::VideoDecoders,     &C::SubtitleDecoders,  &C::MuxerFormats,     &C::DemuxerFormats,
      &C::InputPixelFormats, &C::OutputPixelFormats};
  bool operator==(const FfmpegCapabilities&) const = default;
};
