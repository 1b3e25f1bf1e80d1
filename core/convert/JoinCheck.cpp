#include "core/convert/JoinCheck.h"

#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <algorithm>

#include "core/convert/ConversionState.h"
#include "core/convert/RunSteps.h"
#include "core/frame/FfmpegProbe.h"
#include "core/frame/FfmpegTools.h"
#include "core/frame/FfmpegValues.h"
#include "core/frame/Session.h"
#include "core/ground/CommandLine.h"
#include "core/ground/ConsoleText.h"
#include "core/ground/ToolRunner.h"
#include "core/lang/Lang.h"

namespace Conversion {

namespace {

QString Text(const QJsonObject& object, const char* key) {
  return object.value(QLatin1String(key)).toVariant().toString();
}

// How far clockwise ffmpeg turns a picture it reads to stand it upright: the
// display matrix tells how far the picture is turned counterclockwise, the
// "rotate" tag of older ffprobe reports how far to turn it clockwise. An
// angle between quarters goes to the nearest one.
int Turn(const QJsonObject& object) {
  double clockwise = 0;
  bool matrix = false;
  for (const QJsonValue& data : object.value(QLatin1String("side_data_list")).toArray()) {
    const QJsonValue rotation = data.toObject().value(QLatin1String("rotation"));
    if ((matrix = rotation.isDouble())) {
      clockwise = -rotation.toDouble();
      break;
    }
  }
  if (!matrix)
    clockwise = Text(object.value(QLatin1String("tags")).toObject(), "rotate").toDouble();
  const long quarters = std::lround(clockwise / 90) % 4;
  return int(quarters < 0 ? quarters + 4 : quarters) * 90;
}

JoinStream ReadStream(const QJsonObject& object) {
  JoinStream stream;
  stream.Index = object.value(QLatin1String("index")).toInt();
  stream.Type = Text(object, "codec_type");
  stream.Codec = Text(object, "codec_name");
  stream.SampleRate = Text(object, "sample_rate");
  stream.Channels = Text(object, "channels");
  stream.ChannelLayout = Text(object, "channel_layout");
  const QString width = Text(object, "width");
  const QString height = Text(object, "height");
  if (!width.isEmpty() && !height.isEmpty()) stream.Size = width + "x" + height;
  stream.PixelFormat = Text(object, "pix_fmt");
  stream.FrameRate = Text(object, "r_frame_rate");
  stream.SampleAspect = Text(object, "sample_aspect_ratio");
  stream.Turn = Turn(object);
  stream.Picture =
      object.value(QLatin1String("disposition")).toObject().value("attached_pic").toInt() == 1;
  return stream;
}

// "n:d" or "n/d" with both above 0, as "n/d"; else the fallback.
QString Ratio(const QString& text, const QString& fallback) {
  const QStringList parts = QString(text).replace(':', '/').split('/');
  if (parts.size() != 2 || parts[0].toInt() <= 0 || parts[1].toInt() <= 0) return fallback;
  return parts[0] + "/" + parts[1];
}

// What the concat demuxer copies as it is, and so needs alike in every file.
// A sample shape ffprobe does not know counts as square.
bool SameForTheDemuxer(const JoinStream& a, const JoinStream& b) {
  return a.Type == b.Type && a.Codec == b.Codec && a.SampleRate == b.SampleRate &&
         a.Channels == b.Channels && a.Size == b.Size && a.PixelFormat == b.PixelFormat &&
         a.Turn == b.Turn && Ratio(a.SampleAspect, "1/1") == Ratio(b.SampleAspect, "1/1");
}

// The streams the concat filter joins: pictures that move, and sounds.
QList<JoinStream> Content(const JoinSource& source, const QString& type) {
  QList<JoinStream> streams;
  for (const JoinStream& stream : source.Streams)
    if (stream.Type == type && !stream.Picture) streams << stream;
  return streams;
}

// The first file's picture or sound that every other is made like.
std::optional<JoinStream> FirstContent(const QList<JoinSource>& sources, const QString& type) {
  for (const JoinSource& source : sources) {
    const QList<JoinStream> streams = Content(source, type);
    if (!streams.isEmpty()) return streams.first();
  }
  return std::nullopt;
}

QString Seconds(double seconds) { return QString::number(seconds, 'f', 6); }

bool OnItsSide(const JoinStream& stream) { return stream.Turn % 180 == 90; }

// "a<separator>b" as "b<separator>a" when the picture stands on its side.
QString AsShown(const JoinStream& stream, const QString& pair, QChar separator) {
  return OnItsSide(stream)
             ? pair.section(separator, 1, 1) + separator + pair.section(separator, 0, 0)
             : pair;
}

// The filters that turn a decoded picture upright, as ffmpeg does when it
// reads the file itself; the movie source leaves it as stored.
QString Upright(const JoinStream& stream) {
  switch (stream.Turn) {
    case 90:
      return QStringLiteral("transpose=clock,");
    case 180:
      return QStringLiteral("hflip,vflip,");
    case 270:
      return QStringLiteral("transpose=cclock,");
  }
  return QString();
}

// A width of samples shaped "n/d", in square pixels as shown.
QString WidthAsShown(const QString& width, const QString& aspect) {
  return QString::number(qRound(width.toDouble() * aspect.section('/', 0, 0).toDouble() /
                                aspect.section('/', 1, 1).toDouble()));
}

// What every picture is made into, upright, and how a black one is made.
struct PictureShape {
  QString Width, Height, Aspect, Rate;

  explicit PictureShape(const JoinStream& first)
      : Width(AsShown(first, first.Size, 'x').section('x', 0, 0)),
        Height(AsShown(first, first.Size, 'x').section('x', 1, 1)),
        Aspect(Ratio(AsShown(first, first.SampleAspect, ':'), "1/1")),
        Rate(Ratio(first.FrameRate, "25/1")) {}

  // A picture whose samples are shaped like the first file's is fitted in
  // its pixels. One shaped otherwise (an anamorphic clip beside a square
  // one) is fitted as shown: made square, fitted into the first picture as
  // shown, then given the first picture's pixels and sample shape.
  QString Fit(const JoinStream& stream) const {
    // The movie source does not pass the sample shape on to scale's "sar":
    // ffprobe's is written out.
    const QString start = Upright(stream) + "setpts=PTS-STARTPTS,";
    const QString own = Ratio(AsShown(stream, stream.SampleAspect, ':'), "1/1");
    if (own == Aspect) return start + Boxed(Width) + ",setsar=" + Aspect;
    return start + "scale=iw*" + own + ":ih,setsar=1," + Boxed(WidthAsShown(Width, Aspect)) +
           ",scale=" + Width + ":" + Height + ",setsar=" + Aspect;
  }
  // Scaled whole into the middle of a picture this wide and the first's
  // height, black around it.
  QString Boxed(const QString& width) const {
    return "scale=" + width + ":" + Height + ":force_original_aspect_ratio=decrease,pad=" + width +
           ":" + Height + ":(ow-iw)/2:(oh-ih)/2";
  }
  QString Black(double seconds) const {
    return "color=c=black:s=" + Width + "x" + Height + ":r=" + Rate + ":d=" + Seconds(seconds) +
           ",setsar=" + Aspect;
  }
};

// What every sound is made into, and how a silent one is made.
struct SoundShape {
  QString Rate, Layout;

  explicit SoundShape(const JoinStream& first)
      : Rate(first.SampleRate.isEmpty() ? QStringLiteral("44100") : first.SampleRate),
        Layout(!first.ChannelLayout.isEmpty() ? first.ChannelLayout
               : !first.Channels.isEmpty()    ? first.Channels + "c"
                                              : QStringLiteral("stereo")) {}

  QString Fit() const {
    return "asetpts=PTS-STARTPTS,aformat=sample_rates=" + Rate + ":channel_layouts=" + Layout;
  }
  QString Silence(double seconds) const {
    return "anullsrc=r=" + Rate + ":cl=" + Layout + ",atrim=duration=" + Seconds(seconds);
  }
};

QString Label(const QString& name) { return "[" + name + "]"; }

// What each segment of the join holds: as many pictures and sounds as the
// file with most of them, shaped like the first file's.
struct Segments {
  qsizetype Pictures = 0;
  qsizetype Sounds = 0;
  std::optional<PictureShape> Picture;
  std::optional<SoundShape> Sound;

  explicit Segments(const QList<JoinSource>& sources) {
    for (const JoinSource& source : sources) {
      Pictures = std::max(Pictures, Content(source, "video").size());
      Sounds = std::max(Sounds, Content(source, "audio").size());
    }
    if (const auto first = FirstContent(sources, "video")) Picture.emplace(*first);
    if (const auto first = FirstContent(sources, "audio")) Sound.emplace(*first);
  }
  bool Lacks(const JoinSource& source) const {
    return Content(source, "video").size() < Pictures || Content(source, "audio").size() < Sounds;
  }
};

// The chains of one file: its streams read by a movie source, each fitted to
// the first file's, pictures upright; a black picture or silence for a
// stream it lacks. The labels of its segment, pictures first, go into labels.
QStringList SegmentChains(const JoinSource& source, int i, const Segments& shape,
                          QStringList& labels) {
  const QList<JoinStream> videos = Content(source, "video");
  const QList<JoinStream> audios = Content(source, "audio");
  const QString tag = QString::number(i);
  QStringList picks, pads, chains;
  for (const JoinStream& stream : videos + audios) {
    pads << Label("s" + tag + "_" + QString::number(picks.size()));
    picks << QString::number(stream.Index);
  }
  if (!picks.isEmpty())
    chains << "movie=filename=" +
                  FfmpegValues::FilterGraphValue(QFileInfo(source.File).absoluteFilePath()) +
                  ":s=" + picks.join('+') + pads.join(QString());
  for (qsizetype k = 0; k < shape.Pictures; ++k) {
    const QString out = Label("v" + tag + "_" + QString::number(k));
    chains << (k < videos.size() ? pads[k] + shape.Picture->Fit(videos[k])
                                 : shape.Picture->Black(source.Duration)) +
                  out;
    labels << out;
  }
  for (qsizetype k = 0; k < shape.Sounds; ++k) {
    const QString out = Label("a" + tag + "_" + QString::number(k));
    chains << (k < audios.size() ? pads[videos.size() + k] + shape.Sound->Fit()
                                 : shape.Sound->Silence(source.Duration)) +
                  out;
    labels << out;
  }
  return chains;
}

JoinPlan DecodePlan(const QList<JoinSource>& sources) {
  const Segments shape(sources);
  for (const JoinSource& source : sources) {
    // Nothing the filter can join, or a gap to fill whose length nobody knows.
    const bool nothing =
        shape.Pictures + shape.Sounds == 0 && !JoinsAsItIs(sources.first(), source);
    if (nothing || (shape.Lacks(source) && source.Duration < 0))
      return {JoinWay::Refused, source.File, QString()};
  }
  QStringList chains, labels;
  for (int i = 0; i < sources.size(); ++i) chains << SegmentChains(sources[i], i, shape, labels);
  QStringList outputs;
  for (qsizetype k = 0; k < shape.Pictures + shape.Sounds; ++k)
    outputs << Label("out" + QString::number(k));
  chains << labels.join(QString()) + "concat=n=" + QString::number(sources.size()) +
                ":v=" + QString::number(shape.Pictures) + ":a=" + QString::number(shape.Sounds) +
                outputs.join(QString());
  return {JoinWay::Decode, QString(), chains.join(';')};
}

}  // namespace

JoinSource ProbeJoinSource(const QString& file) {
  const QString entries = QStringLiteral(
      "format=duration:stream=index,codec_type,codec_name,sample_rate,channels,channel_layout,"
      "width,height,pix_fmt,r_frame_rate,sample_aspect_ratio:stream_disposition=attached_pic:"
      "stream_tags=rotate:stream_side_data=rotation");
  const CommandLine::Command probe{FfmpegTools::State().FfprobePath,
                                   {"-v", "quiet", "-show_entries", entries, "-of", "json", "-i",
                                    QFileInfo(file).absoluteFilePath()}};
  QString output;
  int exitCode = 0;
  if (ToolRunner::RunCaptured({probe}, QString(), false, false, ToolRunner::OutputSink(),
                              ConsoleText::Display::NoDisplay, output, -1,
                              exitCode) != ToolRunner::RunResult::Ran ||
      exitCode != 0)
    return {file, false, -1, {}};
  return ParseJoinProbe(file, output);
}

JoinSource ParseJoinProbe(const QString& file, const QString& json) {
  JoinSource source{file, false, -1, {}};
  const QJsonDocument document = QJsonDocument::fromJson(json.toUtf8());
  const QJsonValue streams = document.object().value(QLatin1String("streams"));
  if (!streams.isArray() || streams.toArray().isEmpty()) return source;
  source.Read = true;
  for (const QJsonValue& stream : streams.toArray())
    source.Streams << ReadStream(stream.toObject());
  bool known = false;
  const double seconds =
      Text(document.object().value(QLatin1String("format")).toObject(), "duration")
          .toDouble(&known);
  if (known && seconds >= 0) source.Duration = seconds;
  return source;
}

bool JoinsAsItIs(const JoinSource& first, const JoinSource& other) {
  return std::equal(first.Streams.begin(), first.Streams.end(), other.Streams.begin(),
                    other.Streams.end(), SameForTheDemuxer);
}

JoinPlan PlanJoin(const QList<JoinSource>& sources) {
  for (const JoinSource& source : sources)
    if (!source.Read) return {JoinWay::Refused, source.File, QString()};
  if (std::all_of(sources.begin(), sources.end(),
                  [&](const JoinSource& source) { return JoinsAsItIs(sources.first(), source); }))
    return {JoinWay::Demuxer, QString(), QString()};
  return DecodePlan(sources);
}

void ReadJoinThroughGraph(CommandTable& table) {
  const QString& format = FfmpegTools::State().OptNames.Format;
  for (int row = 1; row <= TableRow::Count; ++row) {
    if (table.Kind(row) != StageKind::Ffmpeg) continue;
    QString& cell = table.At(row, TableColumn::BeforeInput);
    const QList<CommandLine::TypedWord> words = CommandLine::ScanWords(cell);
    // From the end, so that what is changed does not move what comes before.
    for (qsizetype k = words.size() - 2; k >= 0; --k) {
      const CommandLine::TypedWord& word = words[k];
      const CommandLine::TypedWord& value = words[k + 1];
      if (word.value == format && value.value.toLower() == QLatin1String("concat"))
        cell.replace(value.start, value.length, QStringLiteral("lavfi"));
      else if (word.value == QLatin1String("-safe"))
        cell.remove(word.start, value.start + value.length - word.start);
    }
    cell = CollapseSpaces(cell);
  }
}

std::optional<QString> JoinedInput() {
  if (!FfmpegTools::FfprobeExists()) return std::nullopt;
  QList<JoinSource> sources;
  for (const QString& file : Session::State().FileList) sources << ProbeJoinSource(file);
  const JoinPlan plan = PlanJoin(sources);
  switch (plan.Way) {
    case JoinWay::Demuxer: {
      const QString list = WriteConcatList();
      if (list.isEmpty()) return std::nullopt;
      return list;
    }
    case JoinWay::Decode:
      ReadJoinThroughGraph(State().Commands);
      return plan.Graph;
    case JoinWay::Refused:
      break;
  }
  // The main probe tells why ffprobe could not open the file; the quiet one
  // above keeps its report clean to read.
  if (!FfmpegProbe::SaidUnreadable(plan.Culprit, FfmpegProbe::ProbeMedia(plan.Culprit)))
    Lang::MsgCannotReadFile(plan.Culprit);
  return std::nullopt;
}

}  // namespace Conversion
