#pragma once

#include <QRectF>
#include <QString>
#include <QStringList>
#include <array>
#include <optional>

#include "core/frame/MediaInfo.h"
#include "core/ground/CommandLine.h"
#include "core/ground/EditProfileRec.h"

// The ffmpeg and ffplay runs of the editing-profile window against its test
// file (frame grabs, the audio audition, border detection, playing the
// explorer's selection) and the option texts of "Vista previa". Every file
// name goes into its run as one whole argument.
namespace EditPreview {

using CommandLine::Command;
using CommandLine::Pipeline;

// What the window needs to know of its test file, read from ffprobe's report:
// a number ffprobe did not give, or gave unreadable, stays 0.
struct TestFileFacts {
  bool hasVideo = false;
  bool hasAudio = false;
  float duration = 0;  // seconds
  int width = 0;       // of the video, in pixels
  int height = 0;
  float aspect = 0;  // the display aspect ratio as one number (16:9 = 1.777…)
  bool operator==(const TestFileFacts&) const = default;
};
TestFileFacts FactsOf(const MediaInfo& info);

// How a run against the test file went: Busy when another tool held the
// runner, so that nothing ran and nothing was learnt.
enum class RunOutcome { Done, Failed, Busy };

// One frame of the test file as a JPEG; seekText "" grabs the first frame.
Command FrameGrab(const QString& testFile, const QString& frameFile, const QString& seekText);
// Runs that grab: Done when ffmpeg ended well (the frame is in frameFile).
RunOutcome GrabFrame(const QString& testFile, const QString& frameFile, const QString& seekText);

// Seven seconds of sound from posText at volume volText, with no window.
Command Audition(const QString& testFile, const QString& posText, const QString& volText);

// ffmpeg's cropdetect over one second from posText.
Command BorderDetection(const QString& testFile, const QString& posText);
// A rectangle in fractions of the frame.
struct Rect {
  float left = 0;
  float top = 0;
  float width = 1;
  float height = 1;
  bool operator==(const Rect&) const = default;
};
// The first "crop=W:H:X:Y" of cropdetect's output as fractions of the frame
// size; nothing when the run failed or the output holds no usable line.
std::optional<Rect> ParseCropDetect(const QString& output, int exitCode, int frameWidth,
                                    int frameHeight);
// Runs the detection on a frame of the given size: Done with the rectangle
// found; Failed when ffmpeg failed or found no borders.
struct DetectedBorders {
  RunOutcome outcome = RunOutcome::Failed;
  Rect rect;
};
DetectedBorders DetectBorders(const QString& testFile, const QString& posText, int frameWidth,
                              int frameHeight);

// Options of "Reproducir" in the explorer: the marked range (trim mode), or
// the position and the crop rectangle (crop mode; barLeft -2 = no position).
QString PlayRangeOptions(float rangeLeft, float rangeWidth, float duration);
QString PlayCropOptions(float barLeft, float barWidth, float duration, const Rect& crop);

// What "Aceptar" in the explorer writes into the trim panel: the start and
// end times of the marked range, each "" when it is not set (a range that
// starts at 0, or one whose end was never marked or spans the whole file).
struct TrimTimes {
  QString start;
  QString end;
  bool operator==(const TrimTimes&) const = default;
};
TrimTimes RangeTrimTimes(double rangeLeft, double rangeWidth, bool endMarked, float duration);

// What it writes into the crop panel: the rectangle (in fractions of the
// frame) in whole pixels of the frame.
struct CropPixels {
  QString width;
  QString height;
  QString left;
  QString top;
  bool operator==(const CropPixels&) const = default;
};
CropPixels RectPixels(const QRectF& crop, int frameWidth, int frameHeight);

// A value box with a unit list as one term of a filter: "pixels" gives the
// whole part of the number, another unit the box's text and the unit's suffix.
// suffixes: one for each unit of the list after pixels, in its order.
QString UnitTerm(const QString& box, SizeUnit unit, const QStringList& suffixes);

// "Vista previa" of the operations, from what their panels show.
struct UnitBox {
  QString text;
  SizeUnit unit = SizeUnit::Pixels;
};
QString CropOptions(const UnitBox& width, const UnitBox& height, const UnitBox& left,
                    const UnitBox& top);
QString ResizeOptions(const UnitBox& width, const UnitBox& height, AspectSetting aspectMode,
                      const QString& ratio);
QString VolumeOptions(const QString& percent);
QString BorderOptions(const UnitBox& left, const UnitBox& right, const UnitBox& top,
                      const UnitBox& bottom, const QString& color);
QString RemoveTrackOptions(bool audio, bool video, bool subtitles);
// The bands whose gain box does not read "0", as one audio filter chain; "" when none.
QString EqualizerChain(const std::array<QString, 10>& frequencies,
                       const std::array<QString, 10>& widths, const std::array<QString, 10>& gains);
// ffmpeg applies the chain and pipes the result into ffplay.
Pipeline EqualizerPipeline(const QString& testFile, const QString& chain);
// Runs that pipeline and returns when the player has closed.
RunOutcome PlayEqualized(const QString& testFile, const QString& chain);

}  // namespace EditPreview
