#pragma once

#include <QString>

// The option texts from which the command builders assemble ffmpeg and ffplay
// command lines, each with its leading hyphen.
struct FfmpegOptionNames {
  QString Format;
  QString AudioCodec;
  QString VideoCodec;
  QString SubtitleCodec;
  QString PixelFormat;
  QString Aspect;
  QString Target;
  QString AudioBitrate;
  QString AudioMinRate;
  QString AudioMaxRate;
  QString SampleRate;
  QString Channels;
  QString AudioQuality;
  QString NoAudio;
  QString VideoBitrate;
  QString VideoMinRate;
  QString VideoMaxRate;
  QString FrameRate;
  QString VideoQuality;
  QString VideoQMin;
  QString VideoQMax;
  QString Size;
  QString NoVideo;
  QString AudioFilter;
  QString VideoFilter;
  QString FilterComplex;
  QString Duration;
  QString Volume;
  QString NoSubtitles;
  QString Seek;
  QString WindowWidth;   // ffplay's window width
  QString WindowHeight;  // ffplay's window height, "-y" like Overwrite
  QString VideoFrames;
  QString Overwrite;  // ffmpeg's overwrite switch
  QString NoDisplay;
  QString AutoExit;
  QString FileSize;
  QString Pass;
  QString NoOverwrite;
  QString VideoTag;
  QString AudioTag;

  bool operator==(const FfmpegOptionNames&) const = default;

  // The names as ffmpeg and ffplay take them.
  static FfmpegOptionNames Defaults();
};
