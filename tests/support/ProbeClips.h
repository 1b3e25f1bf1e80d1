#pragma once

#include <QFile>
#include <QProcess>
#include <QString>
#include <QStringList>

// Media files that ffprobe reads differently from a plain clip, made with the
// real ffmpeg in a test's folder. Each gives its path, or "" when ffmpeg failed.
namespace ProbeClips {

inline bool Ffmpeg(const QStringList& arguments) {
  return QProcess::execute("/usr/bin/ffmpeg", QStringList{"-v", "error", "-y"} + arguments) == 0;
}

// A song uploaded with one still picture: one second of picture over seven of sound.
inline QString StillOverSong(const QString& folder) {
  const QString path = folder + "/song.mp4";
  const bool made = Ffmpeg({"-f", "lavfi", "-i", "testsrc=size=160x120:rate=10:duration=1", "-f",
                            "lavfi", "-i", "sine=d=7", "-c:v", "libx264", "-c:a", "aac", path});
  return made ? path : QString();
}

// A phone's portrait clip: frames stored 320x240 (4:3) that a display matrix
// turns 90 degrees, so everyone sees them upright at 240x320 (3:4). ffmpeg
// 5.1 writes the matrix from a "rotate" tag on a stream copy.
inline QString TurnedClip(const QString& folder) {
  const QString stored = folder + "/stored.mp4";
  const QString path = folder + "/turned.mp4";
  const bool made =
      Ffmpeg({"-f", "lavfi", "-i", "testsrc=size=320x240:rate=10:duration=1", stored}) &&
      Ffmpeg({"-i", stored, "-c", "copy", "-metadata:s:v:0", "rotate=90", path});
  return made ? path : QString();
}

// An MP4 cut in half: its index, written last, is gone ("moov atom not found").
inline QString CutMp4(const QString& folder) {
  const QString whole = folder + "/whole.mp4";
  const QString path = folder + "/cut.mp4";
  if (!Ffmpeg({"-f", "lavfi", "-i", "testsrc=size=160x120:rate=10:duration=1", whole})) return {};
  QFile in(whole);
  QFile out(path);
  if (!in.open(QIODevice::ReadOnly) || !out.open(QIODevice::WriteOnly)) return {};
  out.write(in.read(in.size() / 2));
  return path;
}

// A file of no bytes at all.
inline QString EmptyFile(const QString& folder, const QString& name = "empty.mp4") {
  const QString path = folder + "/" + name;
  QFile file(path);
  return file.open(QIODevice::WriteOnly) ? path : QString();
}

// What ffprobe 5.1 says of both.
inline constexpr char UnreadableReason[] = "Invalid data found when processing input";

}  // namespace ProbeClips
