#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

#include "core/convert/CommandTable.h"

// How the files of "Archivo (concatenar)" are joined so that every one of
// them ends up in the output. Files whose streams all match are read one
// after the other by ffmpeg's concat demuxer, which copies what it reads and
// so assumes every file is like the first. Files that differ are decoded and
// joined by ffmpeg's concat filter instead, each picture turned upright and
// scaled to the first file's as shown, and each sound resampled to the first
// file's; a file lacking a picture or a sound that the others have gets a
// black picture or silence of its own length.
namespace Conversion {

// One stream of a file, as ffprobe reports it.
struct JoinStream {
  int Index = 0;
  QString Type;  // "audio", "video", "subtitle", ...
  QString Codec;
  QString SampleRate;
  QString Channels;
  QString ChannelLayout;
  QString Size;  // "160x120"
  QString PixelFormat;
  QString FrameRate;     // "25/1"
  QString SampleAspect;  // "1:1"
  int Turn = 0;          // degrees clockwise that stand the picture upright: 0, 90, 180 or 270
  bool Picture = false;  // a still (cover art) beside the content
  bool operator==(const JoinStream&) const = default;
};

// One file of the list, as ffprobe reports it.
struct JoinSource {
  QString File;
  bool Read = false;     // ffprobe could open it
  double Duration = -1;  // seconds; below 0 when ffprobe tells none
  QList<JoinStream> Streams;
  bool operator==(const JoinSource&) const = default;
};

// What ffprobe says of the file; Read stays false when it cannot open it.
JoinSource ProbeJoinSource(const QString& file);
// The same reading of ffprobe's JSON report.
JoinSource ParseJoinProbe(const QString& file, const QString& json);

// True when the concat demuxer can read other after first: the same streams
// in the same order, each with the same codec, sample rate, channels,
// picture size, pixel format, sample shape and turn.
bool JoinsAsItIs(const JoinSource& first, const JoinSource& other);

enum class JoinWay {
  Demuxer,  // every file matches the first
  Decode,   // through the concat filter
  Refused,  // Culprit names the file that cannot be joined
};

struct JoinPlan {
  JoinWay Way = JoinWay::Refused;
  QString Culprit;
  QString Graph;  // for Decode: ffmpeg's lavfi input that joins the files
  bool operator==(const JoinPlan&) const = default;
};

// How these files join. A file ffprobe cannot open is refused; so is one
// that needs a black picture or silence when its length is unknown, and one
// that differs when no file has a picture or a sound to join.
JoinPlan PlanJoin(const QList<JoinSource>& sources);

// The rows that read the joined input take it as a lavfi graph instead of a
// concat list: their "-f concat" becomes "-f lavfi" and "-safe" goes.
void ReadJoinThroughGraph(CommandTable& table);

// The input of a joining run for the whole file list: the concat list's
// path, or the graph (and the table then reads it through lavfi); nothing
// after a message when the files cannot be joined whole or the list cannot
// be written.
std::optional<QString> JoinedInput();

}  // namespace Conversion
