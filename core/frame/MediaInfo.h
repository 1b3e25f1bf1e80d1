#pragma once

#include <QString>

// What ffprobe reports about one media file: the container, its tags, and
// the first audio, video and subtitle stream. Every text is ffprobe's own, as
// printed; a value ffprobe does not know ("N/A") is the empty text. Two are
// the probe's reading of it: the duration is the container's, and the size
// and aspect are the picture as shown, upright, not as its frames are stored.
// A file ffprobe could not read has only ReadFailure, in ffprobe's words.
struct MediaInfo {
  QString Container;  // the demuxer name with the blank before it: " mov"
  QString Duration;   // seconds with decimals, of the whole file
  QString Bitrate;    // with the blank before it and the unit: " 1411 kb/s"
  QString AudioSampleRate;
  QString AudioChannels;
  QString AudioBitrate;
  QString AudioCodec;
  QString VideoCodec;
  QString VideoSize;  // width x height as shown: "160x120", "240x320" for 320x240 turned 90°
  QString VideoBitrate;
  QString VideoFrameRate;  // a fraction: "25/1"
  QString VideoPixelFormat;
  QString SubtitleCodec;
  QString Title;
  QString Artist;
  QString Album;
  QString Genre;
  QString Track;
  QString AspectRatio;  // as shown: "16:9", "3:4" for a 4:3 picture turned 90°
  bool HasVideo = false;
  bool HasAudio = false;
  bool HasSubtitle = false;
  QString AudioCodecTag;  // "" when the stream has no four-character tag
  QString VideoCodecTag;
  QString ReadFailure;  // why ffprobe could not read the file; "" when it could

  bool operator==(const MediaInfo&) const = default;
};
