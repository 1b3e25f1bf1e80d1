#pragma once

#include <QString>
#include <cstdint>

#include "convert/Convertidor.h"

// Streaming a source to a UDP or RTP address through ffmpeg in real time: the
// main window's whole file list (joined by a concat list) or the recorder's
// live source. The streamer window is Form15.
namespace Emisor {

// The input arguments handed in by the opener; emptied when the window closes.
extern QString StreamInputArgs;
// This machine's IPv4 address offered in the address list.
extern QString LocalIPAddress;
// The chosen format profile; "" for "<Automático>".
extern QString StreamFormatProfilePath;
// 1 while ffmpeg streams; the window refuses to close meanwhile.
extern uint8_t StreamRunning;

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
Convertidor::StepCommand AutomaticStreamCommand(const QString& loopOption, const QString& inputArgs,
                                                const QString& address);
// The stream encoded as a compiled format profile says; a profile's MPEG-TS
// container goes out in RTP packets to an rtp:// address.
Convertidor::StepCommand ProfileStreamCommand(const QString& loopOption,
                                              const CompiledFormat& format,
                                              const QString& inputArgs, const QString& address);

// Streams the main window's file list; the concat list's folder is deleted
// when the streamer closes.
void StreamFileList();
// Opens the streamer on these input arguments and returns when it has closed.
void ShowStreamer(const QString& inputArgs);
// Offers udp:// and rtp:// on this machine's address, port 8080.
void FillLocalAddresses();
// "Emitir": runs the stream until it ends or is stopped.
void StartStream();

}  // namespace Emisor
