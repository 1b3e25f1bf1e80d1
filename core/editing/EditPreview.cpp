#include "core/editing/EditPreview.h"

#include <QFileInfo>
#include <cmath>

#include "core/editing/EditFields.h"
#include "core/frame/FfmpegTools.h"
#include "core/frame/FfmpegValues.h"
#include "core/ground/ToolRunner.h"

namespace EditPreview {

using EditFields::RoundHalfEven;
using EditFields::SingleText;

namespace {

const FfmpegOptionNames& Opt() { return FfmpegTools::State().OptNames; }

// The raw stream that ffplay reads from the pipe.
QStringList PipeOutputArguments() {
  return {Opt().Format, "matroska",        Opt().AudioCodec, "pcm_s16le", Opt().VideoCodec,
          "rawvideo",   Opt().PixelFormat, "yuv420p",        "pipe:1"};
}

// What a finished run of the runner came to.
RunOutcome OutcomeOf(ToolRunner::RunResult result, int exitCode) {
  if (result == ToolRunner::RunResult::Busy) return RunOutcome::Busy;
  return result == ToolRunner::RunResult::Ran && exitCode == 0 ? RunOutcome::Done
                                                               : RunOutcome::Failed;
}

}  // namespace

Command FrameGrab(const QString& testFile, const QString& frameFile, const QString& seekText) {
  QStringList args;
  if (!seekText.isEmpty()) args << Opt().Seek << seekText;
  args << "-i" << testFile << Opt().Format << "mjpeg" << Opt().NoAudio << Opt().VideoFrames << "1"
       << Opt().Overwrite << frameFile;
  return {FfmpegTools::State().FfmpegPath, args};
}

RunOutcome GrabFrame(const QString& testFile, const QString& frameFile, const QString& seekText) {
  QString output;
  int exitCode = 0;
  const ToolRunner::RunResult result = ToolRunner::RunCaptured(
      {FrameGrab(testFile, frameFile, seekText)}, QString(), false, false, ToolRunner::OutputSink(),
      ConsoleText::Display::NoDisplay, output, 0, exitCode);
  return OutcomeOf(result, exitCode);
}

Command Audition(const QString& testFile, const QString& posText, const QString& volText) {
  const QString graph = "amovie=filename=" + FfmpegValues::FilterGraphValue(testFile) +
                        ":sp=" + posText + ",atrim=duration=7,volume=" + volText;
  return {FfmpegTools::State().FfplayPath,
          {Opt().NoDisplay, Opt().AutoExit, Opt().Format, "lavfi", "-i", graph}};
}

Command BorderDetection(const QString& testFile, const QString& posText) {
  return {FfmpegTools::State().FfmpegPath,
          {Opt().Seek, posText, "-i", testFile, Opt().Format, "null", Opt().Duration, "1",
           Opt().VideoFilter, "cropdetect", "md5:"}};
}

std::optional<Rect> ParseCropDetect(const QString& output, int exitCode, int frameWidth,
                                    int frameHeight) {
  if (exitCode > 0 || frameWidth == 0 || frameHeight == 0) return std::nullopt;
  const qsizetype start = output.indexOf("crop=");
  if (start < 0) return std::nullopt;
  const qsizetype end = output.indexOf('\n', start);
  if (end < 0) return std::nullopt;
  const QStringList parts = output.mid(start + 5, end - start - 5).split(':');
  if (parts.size() < 4) return std::nullopt;
  std::array<int, 4> pixels{};
  for (int i = 0; i < 4; ++i) {
    bool ok = false;
    pixels[i] = parts[i].trimmed().toShort(&ok);
    if (!ok) return std::nullopt;
  }
  // On an all-black frame cropdetect reports a negative size: no borders found.
  if (pixels[0] <= 0 || pixels[1] <= 0) return std::nullopt;
  return Rect{float(pixels[2]) / float(frameWidth), float(pixels[3]) / float(frameHeight),
              float(pixels[0]) / float(frameWidth), float(pixels[1]) / float(frameHeight)};
}

DetectedBorders DetectBorders(const QString& testFile, const QString& posText, int frameWidth,
                              int frameHeight) {
  QString output;
  int exitCode = 0;
  const ToolRunner::RunResult result = ToolRunner::RunCaptured(
      {BorderDetection(testFile, posText)}, QString(), false, false, ToolRunner::OutputSink(),
      ConsoleText::Display::NoDisplay, output, -1, exitCode);
  if (result == ToolRunner::RunResult::Busy) return {RunOutcome::Busy, {}};
  const std::optional<Rect> rect = result == ToolRunner::RunResult::Ran
                                       ? ParseCropDetect(output, exitCode, frameWidth, frameHeight)
                                       : std::nullopt;
  if (!rect) return {RunOutcome::Failed, {}};
  return {RunOutcome::Done, *rect};
}

QString PlayRangeOptions(float rangeLeft, float rangeWidth, float duration) {
  QString params;
  if (rangeLeft > 0) params = Opt().Seek + " " + SingleText(rangeLeft * duration);
  if (rangeWidth > 0) params += " " + Opt().Duration + " " + SingleText(rangeWidth * duration);
  return params;
}

QString PlayCropOptions(float barLeft, float barWidth, float duration, const Rect& crop) {
  QString params;
  if (barLeft > -2) params = Opt().Seek + " " + SingleText((barLeft + barWidth) * duration);
  const QString w = crop.width < 1 ? SingleText(crop.width) + "*iw" : QString("iw");
  const QString h = crop.height < 1 ? SingleText(crop.height) + "*ih" : QString("ih");
  if (w != "iw" || h != "ih") {
    params += " " + Opt().VideoFilter + " crop=" + w + ":" + h + ":" + SingleText(crop.left) +
              "*iw:" + SingleText(crop.top) + "*ih,setdar";
  }
  return params;
}

QString UnitTerm(const QString& box, SizeUnit unit, const QStringList& suffixes) {
  if (box.isEmpty()) return QString();
  if (unit == SizeUnit::Pixels) {
    double value = 0;
    // A box that holds no number (a lone ".") counts as empty.
    if (!EditFields::IsNumeric(box, &value)) return QString();
    return SingleText(float(std::floor(float(value))));
  }
  // A unit outside the list (a damaged file's byte) adds no suffix.
  const int place = int(unit);
  if (place - 1 < suffixes.size()) return box + suffixes[place - 1];
  return box;
}

QString CropOptions(const UnitBox& width, const UnitBox& height, const UnitBox& left,
                    const UnitBox& top) {
  QString w = UnitTerm(width.text, width.unit, {"*iw", "*ih", "*oh"});
  QString h = UnitTerm(height.text, height.unit, {"*iw", "*ih", "*ow"});
  QString x = UnitTerm(left.text, left.unit, {"*iw", "*ih", "*ow", "*oh"});
  QString y = UnitTerm(top.text, top.unit, {"*iw", "*ih", "*ow", "*oh"});
  if (w.isEmpty() || w == "0") w = "iw";
  if (h.isEmpty() || h == "0") h = "ih";
  if (x.isEmpty()) x = "(iw-ow)/2";
  if (y.isEmpty()) y = "(ih-oh)/2";
  return Opt().VideoFilter + " crop=" + w + ":" + h + ":" + x + ":" + y;
}

QString ResizeOptions(const UnitBox& width, const UnitBox& height, AspectSetting aspectMode,
                      const QString& ratio) {
  QString w = UnitTerm(width.text, width.unit, {"*iw", "*ih", "*oh"});
  QString h = UnitTerm(height.text, height.unit, {"*iw", "*ih", "*ow"});
  if (w.isEmpty() || w == "0") w = "iw";
  if (h.isEmpty() || h == "0") h = "ih";
  QString aspect;
  if (aspectMode == AspectSetting::FromRatio && !ratio.isEmpty()) aspect = ",setdar=" + ratio;
  if (aspectMode == AspectSetting::FitFinalSize) aspect = ",setdar";
  return Opt().VideoFilter + " scale=" + w + ":" + h + aspect;
}

QString VolumeOptions(const QString& percent) {
  double value = 0;
  QString factor = "1";
  if (EditFields::IsNumeric(percent, &value)) factor = SingleText(float(value / 100.0));
  return Opt().AudioFilter + " volume=" + factor;
}

QString BorderOptions(const UnitBox& left, const UnitBox& right, const UnitBox& top,
                      const UnitBox& bottom, const QString& color) {
  auto suffix = [](SizeUnit unit) {
    return unit == SizeUnit::InputWidth    ? QString("*iw")
           : unit == SizeUnit::InputHeight ? "*ih"
                                           : "";
  };
  QString e = "iw";
  QString l;
  QString t;
  if (!left.text.isEmpty()) {
    l = left.text + suffix(left.unit);
    e += "+" + l;
  }
  if (!right.text.isEmpty()) e += "+" + right.text + suffix(right.unit);
  e += ":ih";
  if (!top.text.isEmpty()) {
    t = top.text + suffix(top.unit);
    e += "+" + t;
  }
  if (!bottom.text.isEmpty()) e += "+" + bottom.text + suffix(bottom.unit);
  if (l.isEmpty()) l = "0";
  if (t.isEmpty()) t = "0";
  // An empty colour is black, as in the conversion.
  return Opt().VideoFilter + " pad=" + e + ":" + l + ":" + t + ":" +
         (color.isEmpty() ? QString("000000") : color);
}

QString RemoveTrackOptions(bool audio, bool video, bool subtitles) {
  QString options;
  if (audio) options = Opt().NoAudio;
  if (video) options += " " + Opt().NoVideo;
  if (subtitles) options += " " + Opt().NoSubtitles;
  return options;
}

QString EqualizerChain(const std::array<QString, 10>& frequencies,
                       const std::array<QString, 10>& widths,
                       const std::array<QString, 10>& gains) {
  QStringList bands;
  for (int i = 0; i < 10; ++i) {
    if (gains[i] == "0") continue;
    bands << "equalizer=f=" + frequencies[i] + ":width_type=o:width=" + widths[i] +
                 ":gain=" + gains[i];
  }
  return bands.join(',');
}

Pipeline EqualizerPipeline(const QString& testFile, const QString& chain) {
  QStringList args{"-i", testFile};
  if (!chain.isEmpty()) args << Opt().AudioFilter << chain;
  args << PipeOutputArguments();
  return {{FfmpegTools::State().FfmpegPath, args}, {FfmpegTools::State().FfplayPath, {"pipe:0"}}};
}

RunOutcome PlayEqualized(const QString& testFile, const QString& chain) {
  QString output;
  int exitCode = 0;
  const ToolRunner::RunResult result = ToolRunner::RunCaptured(
      EqualizerPipeline(testFile, chain), QFileInfo(FfmpegTools::State().FfmpegPath).path(), false,
      false, ToolRunner::OutputSink(), ConsoleText::Display::NoDisplay, output, 0, exitCode);
  return OutcomeOf(result, exitCode);
}

TrimTimes RangeTrimTimes(double rangeLeft, double rangeWidth, bool endMarked, float duration) {
  const float start = rangeLeft > 0 ? float(rangeLeft) * duration : 0.0f;
  const float length =
      endMarked && rangeWidth > 0 && rangeWidth < 1 ? float(rangeWidth) * duration : 0.0f;
  return {start == 0 ? QString() : SingleText(float(RoundHalfEven(start, 2))),
          length == 0 ? QString() : SingleText(start + length)};
}

namespace {

// Whole pixels of a fraction of a size. The fractions are singles, so a
// detected 560 of 576 lines comes back as 559.99998; the small margin keeps
// such a value whole instead of losing a pixel.
QString WholePixels(int size, double fraction) {
  return QString::number(qint64(std::floor(size * fraction + 1e-3)));
}

}  // namespace

CropPixels RectPixels(const QRectF& crop, int frameWidth, int frameHeight) {
  return {WholePixels(frameWidth, crop.width()), WholePixels(frameHeight, crop.height()),
          WholePixels(frameWidth, crop.left()), WholePixels(frameHeight, crop.top())};
}

TestFileFacts FactsOf(const MediaInfo& info) {
  TestFileFacts facts;
  facts.hasVideo = info.HasVideo;
  facts.hasAudio = info.HasAudio;
  bool ok = false;
  const float duration = info.Duration.toFloat(&ok);
  if (ok && std::isfinite(duration)) facts.duration = duration;
  if (facts.hasVideo && !info.VideoSize.isEmpty()) {
    const QStringList parts = info.VideoSize.split('x');
    // No picture is wider or taller than 32767 pixels: a larger number is a misreading.
    const int width = parts.first().toShort(&ok);
    if (ok) facts.width = width;
    const int height = parts.last().toShort(&ok);
    if (ok && parts.size() >= 2) facts.height = height;
  }
  if (!info.AspectRatio.isEmpty()) {
    const QStringList parts = info.AspectRatio.split(':');
    bool okLast = false;
    const float first = parts.first().toFloat(&ok);
    const float last = parts.last().toFloat(&okLast);
    if (ok && okLast && parts.size() >= 2 && last != 0) facts.aspect = first / last;
  }
  return facts;
}

}  // namespace EditPreview
