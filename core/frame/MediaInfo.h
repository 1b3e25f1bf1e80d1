#pragma once

#include <QString>
#include <cstdint>

// What ffprobe reports about one media file: the container, its tags, and
// the first audio, video and subtitle stream. Every text is ffprobe's own, as
// printed; a value ffprobe does not know ("N/A") is the empty text.
struct MediaInfo {
  QString Container;  // the demuxer name with the blank before it: " mov"
  QString Duration;   // seconds with decimals
  QString Bitrate;    // with the blank before it and the unit: " 1411 kb/s"
  QString AudioSampleRate;
  QString AudioChannels;
  QString AudioBitrate;
  QString AudioCodec;
  QString VideoCodec;
  QString VideoSize;  // width x height: "160x120"
  QString VideoBitrate;
  QString VideoFrameRate;  // a fraction: "25/1"
  QString VideoPixelFormat;
  QString SubtitleCodec;
  QString Title;
  QString Artist;
  QString Album;
  QString Genre;
  QString Track;
  QString AspectRatio;  // "16:9"
  uint8_t HasVideo = 0;
  uint8_t HasAudio = 0;
  uint8_t HasSubtitle = 0;
  QString AudioCodecTag;  // "" when the stream has no four-character tag
  QString VideoCodecTag;

  bool operator==(const MediaInfo&) const = default;
};
