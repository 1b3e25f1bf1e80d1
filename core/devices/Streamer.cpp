#include "core/devices/Streamer.h"

#include <QFileInfo>
#include <QHostAddress>
#include <QNetworkInterface>

#include "core/devices/Recorder.h"
#include "core/frame/FfmpegTools.h"
#include "core/frame/Session.h"
#include "core/ground/CommandLine.h"
#include "core/ground/ConsoleText.h"
#include "core/ground/FileServices.h"
#include "core/ground/ToolRunner.h"

namespace Streamer {

namespace {

const FfmpegOptionNames& Opt() { return FfmpegTools::State().OptNames; }

// The compiled profile, or why it cannot be streamed with.
Refusal LoadStreamFormat(CompiledFormat& format) {
  using Conversion::FormatStatus;
  FormatStatus status = FormatStatus::Compiled;
  format = Conversion::LoadFormat(State().StreamFormatProfilePath, status);
  // A profile whose external encoder could not even be compiled is refused
  // with the same message, not silently.
  if (status == FormatStatus::AudioEncoderFailed || status == FormatStatus::VideoEncoderFailed ||
      !format.AudioExtCodecName.isEmpty() || !format.VideoExtCodecName.isEmpty())
    return Refusal::ExternalCodec;
  if (status == FormatStatus::FileMissing) return Refusal::ProfileMissing;
  if (status == FormatStatus::ReadError) return Refusal::ProfileUnreadable;
  return Refusal::None;
}

bool IsRtpAddress(const QString& address) {
  return address.trimmed().startsWith(QStringLiteral("rtp://"), Qt::CaseInsensitive);
}

// The profile's output options, with an MPEG-TS container carried in RTP
// packets when the address is an RTP one.
QString ProfileOutputOptions(const CompiledFormat& format, const QString& address) {
  const QString mpegts = Opt().Format + " mpegts";
  if (!IsRtpAddress(address) || Conversion::GetFormatOption(format.OutputOptions) != mpegts)
    return format.OutputOptions;
  QString options = " " + format.OutputOptions + " ";
  options.replace(options.indexOf(" " + mpegts + " "), mpegts.size() + 2,
                  " " + Opt().Format + " " + StreamMuxer(address) + " ");
  return options;
}

}  // namespace

void Reset() {
  State().StreamInputArgs.clear();
  State().LocalIPAddress.clear();
  State().StreamFormatProfilePath.clear();
  State().StreamRunning = false;
}

QString LocalAddress() {
  for (const QHostAddress& address : QNetworkInterface::allAddresses()) {
    if (address.protocol() == QAbstractSocket::IPv4Protocol && !address.isLoopback())
      return address.toString();
  }
  return QStringLiteral("127.0.0.1");
}

QString AddressListCommand() { return QStringLiteral("ip address"); }

// ffmpeg's "-loop" belongs to the image demuxer and is refused by the concat
// list and by live inputs; "-stream_loop" repeats any input (-1: endlessly).
bool LoopOption(bool repeat, const QString& count, const QString& infiniteItem, QString& option) {
  option.clear();
  if (!repeat) return true;
  if (count == infiniteItem) {
    option = "-stream_loop -1";
    return true;
  }
  if (!Recorder::IsNumeric(count) || count.contains('-') || count.contains(',') ||
      count.contains('.'))
    return false;
  option = "-stream_loop " + count;
  return true;
}

QString StreamMuxer(const QString& address) {
  return IsRtpAddress(address) ? QStringLiteral("rtp_mpegts") : QStringLiteral("mpegts");
}

Conversion::StepCommand AutomaticStreamCommand(const QString& loopOption, const QString& inputArgs,
                                               const QString& address) {
  const QString options =
      " " + loopOption + " -re " + inputArgs + " " + Opt().Format + " " + StreamMuxer(address) +
      " " + Opt().VideoCodec + " libx264 " + Opt().AudioCodec + " libmp3lame " +
      Opt().AudioBitrate + " 24k " + Opt().SampleRate + " 22050 " + Opt().VideoMaxRate +
      " 750k -preset ultrafast -tune zerolatency -async 1 -bsf:v h264_mp4toannexb "
      "-bufsize 3000k ";
  return Recorder::FfmpegOutputStep(options, address);
}

Conversion::StepCommand ProfileStreamCommand(const QString& loopOption,
                                             const CompiledFormat& format, const QString& inputArgs,
                                             const QString& address) {
  const QStringList pieces{loopOption,
                           format.InputOptions,
                           inputArgs,
                           ProfileOutputOptions(format, address),
                           format.AudioOptions,
                           format.SubtitleCodecOption,
                           format.VideoOptions,
                           format.AspectOption,
                           format.SizeOption,
                           format.NoAudioOption,
                           format.NoSubtitlesOption,
                           format.NoVideoOption};
  QString options;
  for (const QString& piece : pieces) options += " " + piece;
  options += " ";
  return Recorder::FfmpegOutputStep(options, address);
}

ListInput WriteListInput() {
  if (Session::FileCount() == 0) return {QString(), QString(), Refusal::NoFilesInList};
  const QString list = Conversion::WriteConcatList();
  if (list.isEmpty()) return {};
  // The concat demuxer refuses the list's absolute paths unless told they are safe.
  return {Opt().Format + " concat -safe 0 -i " + CommandLine::QuoteArgument(list),
          QFileInfo(list).path(), Refusal::None};
}

QStringList LocalAddresses() {
  State().LocalIPAddress = LocalAddress();
  return {"udp://" + State().LocalIPAddress + ":8080", "rtp://" + State().LocalIPAddress + ":8080"};
}

Refusal PrepareStream(const StreamRequest& request, Conversion::StepCommand& step) {
  if (!FileServices::FileExists(FfmpegTools::State().FfmpegPath)) return Refusal::FfmpegNotFound;
  if (request.Address.isEmpty()) return Refusal::NoAddress;
  QString loop;
  if (!LoopOption(request.Repeat, request.RepeatCount, request.InfiniteItem, loop))
    return Refusal::InvalidRepeatCount;
  if (State().StreamFormatProfilePath.isEmpty()) {
    step = AutomaticStreamCommand(loop, State().StreamInputArgs, request.Address);
    return Refusal::None;
  }
  CompiledFormat format;
  if (const Refusal why = LoadStreamFormat(format); why != Refusal::None) return why;
  step = ProfileStreamCommand(loop, format, State().StreamInputArgs, request.Address);
  return Refusal::None;
}

bool WatchStream(const QString& address, QObject* owner) {
  if (!FfmpegTools::FfplayExists()) return false;
  return ToolRunner::StartCompanion({FfmpegTools::State().FfplayPath, {"-i", address}}, owner);
}

StreamEnd RunStream(const Conversion::StepCommand& step, const ToolRunner::OutputSink& show) {
  State().StreamRunning = true;
  StreamEnd end;
  end.RunnerBusy =
      ToolRunner::RunCaptured(CommandLine::Pipeline{step.Command}, QString(), false, false, show,
                              ConsoleText::Display::ReplaceByVisibleChunk, end.Output, 1024,
                              end.ExitCode) == ToolRunner::RunResult::Busy;
  State().StreamRunning = false;
  return end;
}

}  // namespace Streamer
