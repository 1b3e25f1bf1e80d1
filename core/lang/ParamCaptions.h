#pragma once

#include <QString>

// The captions under which the format editor and the external codec editor show
// the parameters of a format profile, in the language in force.
struct ParamCaptions {
  QString ContainerFormat;
  QString AudioCodec;
  QString VideoCodec;
  QString SubtitleCodec;
  QString PixelFormat;
  QString AspectRatio;
  QString Target;
  QString Bitrate;
  QString BitrateMin;
  QString BitrateMax;
  QString SampleRate;
  QString Channels;
  QString Quality;
  QString FrameRate;
  QString QualityMin;
  QString QualityMax;
  QString FrameSize;
  QString ExtraParams;
  QString Extension;
  QString RemoveAudio;
  QString RemoveVideo;
  QString RemoveSubtitles;
  QString MultipleOutputFiles;

  bool operator==(const ParamCaptions&) const = default;
};
