#pragma once

#include <QString>
#include <QStringList>

#include "core/convert/Conversion.h"
#include "core/ground/ToolRunner.h"

class QObject;

// Streaming a source to a UDP or RTP address through ffmpeg in real time: the
// main window's whole file list (joined by a concat list) or the recorder's
// live source. The streamer window (StreamerWindow) asks for the address and shows
// the stream's console and end.
namespace Streamer {

// Why the streamer did not do what it was asked; the window says so.
enum class Refusal {
  None,
  NoFilesInList,
  FfmpegNotFound,
  NoAddress,
  InvalidRepeatCount,
  ExternalCodec,
  ProfileMissing,
  ProfileUnreadable,
};

// Back to the state of a fresh start.
void Reset();

// The first non-loopback IPv4 address of this machine, else 127.0.0.1.
QString LocalAddress();
// The command that shows this machine's addresses ("Ver direccion IP").
QString AddressListCommand();

// The input option that repeats the input: "" without repeat, endless for the
// "<Infinito>" item (infiniteItem), else the count as typed. False when the
// count is neither that item nor a whole number without sign.
bool LoopOption(bool repeat, const QString& count, const QString& infiniteItem, QString& option);
// The MPEG-TS muxer for an address: "rtp_mpegts" wraps the transport stream in
// RTP packets for an rtp:// address; any other address gets plain "mpegts".
QString StreamMuxer(const QString& address);
// The fixed low-latency MPEG-TS stream of "<Automático>".
Conversion::StepCommand AutomaticStreamCommand(const QString& loopOption, const QString& inputArgs,
                                               const QString& address);
// The stream encoded as a compiled format profile says; a profile's MPEG-TS
// container goes out in RTP packets to an rtp:// address.
Conversion::StepCommand ProfileStreamCommand(const QString& loopOption,
                                             const CompiledFormat& format, const QString& inputArgs,
                                             const QString& address);

// The main window's file list as an input: a concat list written into a
// folder of its own, which the caller deletes once the stream is over.
struct ListInput {
  QString InputArgs;  // "" when there is nothing to stream
  QString Folder;
  Refusal Refused = Refusal::None;
};
ListInput WriteListInput();

// The addresses offered: udp:// and rtp:// on this machine's address, port
// 8080; sets LocalIPAddress.
QStringList LocalAddresses();

// What "Emitir" is asked for.
struct StreamRequest {
  QString Address;
  bool Repeat = false;
  QString RepeatCount;
  QString InfiniteItem;  // the repeat list's "<Infinito>"
};
// The ffmpeg step streaming StreamInputArgs as asked, or why it is refused.
Refusal PrepareStream(const StreamRequest& request, Conversion::StepCommand& step);

// Shows the stream at address in ffplay beside the streamer, ending with
// owner; false when ffplay is missing (its message is shown) or did not start.
bool WatchStream(const QString& address, QObject* owner);

// How a stream ended.
struct StreamEnd {
  // Another tool kept the runner: nothing was streamed.
  bool RunnerBusy = false;
  int ExitCode = 0;
  QString Output;  // the end of ffmpeg's console
};
// Runs the stream until it ends or is stopped, ffmpeg's console going to
// show; StreamRunning holds meanwhile.
StreamEnd RunStream(const Conversion::StepCommand& step, const ToolRunner::OutputSink& show);

// The streamer's choices and the stream in progress.
struct StreamerState {
  // The input arguments handed in by the opener; emptied when the window closes.
  QString StreamInputArgs;
  // This machine's IPv4 address offered in the address list.
  QString LocalIPAddress;
  // The chosen format profile; "" for "<Automático>".
  QString StreamFormatProfilePath;
  // Set while ffmpeg streams; the window refuses to close meanwhile.
  bool StreamRunning = false;
};

// This module's part of the running program's AppState.
StreamerState& State();

}  // namespace Streamer
