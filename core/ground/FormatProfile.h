#pragma once

#include <QString>
#include <tuple>

#include "core/ground/ExtCodecDef.h"

// An output format profile: one .qfm file in appfiles/formats, named after the
// profile; ".qfm" (empty name) is the "<Manual>" profile. An empty text means
// the option is not given.
struct FormatProfile {
  QString InputContainer;
  QString InputAudioCodec;
  QString InputVideoCodec;
  QString InputSubtitleCodec;
  QString InputPixelFormat;
  QString OutputContainer;
  QString AudioCodec;
  QString VideoCodec;
  QString SubtitleCodec;
  QString AspectRatio;
  QString PixelFormat;
  QString Target;
  QString AudioBitrate;
  QString AudioMinRate;
  QString AudioMaxRate;
  QString SampleRate;
  QString Channels;
  QString AudioQuality;
  bool RemoveAudio = false;
  QString VideoBitrate;
  QString VideoMinRate;
  QString VideoMaxRate;
  QString FrameRate;
  QString VideoQuality;
  QString VideoQMin;
  QString VideoQMax;
  QString FrameSize;
  bool RemoveVideo = false;
  QString Extension;
  QString OutputExtraParams;
  QString InputExtraParams;
  bool MultipleOutputFiles = false;
  ExtCodecDef AudioExtCodec;
  ExtCodecDef VideoExtCodec;
  bool RemoveSubtitles = false;
  QString AudioExtCodecName;
  QString VideoExtCodecName;

  using P = FormatProfile;
  static constexpr auto Fields = std::tuple{
      &P::InputContainer,   &P::InputAudioCodec,   &P::InputVideoCodec,  &P::InputSubtitleCodec,
      &P::InputPixelFormat, &P::OutputContainer,   &P::AudioCodec,       &P::VideoCodec,
      &P::SubtitleCodec,    &P::AspectRatio,       &P::PixelFormat,      &P::Target,
      &P::AudioBitrate,     &P::AudioMinRate,      &P::AudioMaxRate,     &P::SampleRate,
      &P::Channels,         &P::AudioQuality,      &P::RemoveAudio,      &P::VideoBitrate,
      &P::VideoMinRate,     &P::VideoMaxRate,      &P::FrameRate,        &P::VideoQuality,
      &P::VideoQMin,        &P::VideoQMax,         &P::FrameSize,        &P::RemoveVideo,
      &P::Extension,        &P::OutputExtraParams, &P::InputExtraParams, &P::MultipleOutputFiles,
      &P::AudioExtCodec,    &P::VideoExtCodec,     &P::RemoveSubtitles,  &P::AudioExtCodecName,
      &P::VideoExtCodecName};
  // The compiler has always dropped a track for any byte but 0 here.
  static constexpr auto NonzeroFlags =
      std::tuple{&P::RemoveAudio, &P::RemoveVideo, &P::RemoveSubtitles};
  bool operator==(const FormatProfile&) const = default;
};
