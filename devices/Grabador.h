#pragma once

#include <QString>
#include <QStringList>
#include <cstdint>

#include "convert/Convertidor.h"

// Recording a live source (capture devices or a network address) into a file
// through ffmpeg, or handing it to the network streamer; the recorder window
// is Form14.
//
// On Linux the capture devices are ffmpeg's input devices (v4l2 for video,
// pulse or alsa for audio). A device is written "<input format>:<device>",
// as the lists offer it ("pulse:default", "v4l2:/dev/video0", "lavfi:sine");
// a name without a known input format is taken as pulse for audio and v4l2
// for video.
namespace Grabador {

// Recording buffer size in megabytes as text; "0" or "" = the tool's default.
extern QString RecBufferSizeMB;
// Destination chosen with the save dialog; it outlives the window.
extern QString RecOutputPath;
// The chosen format profile; "" for "<Automático>".
extern QString RecFormatProfilePath;
// 1 while ffmpeg records; the window refuses to close meanwhile.
extern uint8_t RecRunning;
// 1 once the user stopped ffmpeg, so that its exit code is no error.
extern uint8_t RecStoppedByUser;

// Back to the state of a fresh start; the buffer size (a setting) stays.
void Reset();

// ---- Capture devices and input arguments ----

// The command that lists the input devices' sources.
QString DeviceListCommand();
// The audio and video sources of that listing, as "<format>:<device>".
void ParseDeviceList(const QString& output, QStringList& audio, QStringList& video);

struct Device {
  QString Format;
  QString Name;
  bool operator==(const Device&) const = default;
};
// Splits "<format>:<device>"; a text without a known input format prefix is
// a device of defaultFormat.
Device ParseDevice(const QString& text, const QString& defaultFormat);

// The source as the recorder window's controls give it.
struct Source {
  bool Network = false;  // Option1: a network address
  bool Devices = false;  // Option2: capture devices
  QString Address;
  bool UseAudio = false;
  QString AudioDevice;
  bool UseVideo = false;
  QString VideoDevice;
};

// The ffmpeg input arguments of a source, "" when none is set: "-i" and the
// address as typed, or the audio device's input followed by the video
// device's, each with the real-time buffer option when withBuffer is set and
// bufferSizeMB is neither "" nor "0".
QString InputArgs(const Source& source, bool withBuffer, const QString& bufferSizeMB);
// ffplay's arguments to show a source in a 640 by 480 window; ffplay reads
// one input, so two devices go in as one lavfi graph. "" when no source.
QString PreviewArgs(const Source& source);
// A whole number of megabytes as the user may type it (no point, comma or sign).
bool IsValidBufferSize(const QString& text);
// The program's test for a number: blanks around a decimal number.
bool IsNumeric(const QString& text);

// Refills Form14's device lists from ffmpeg's listing.
void ListDevices();
// The input arguments of Form14's source.
QString BuildInputArgs(uint8_t withBuffer);
// Shows Form14's source in ffplay: detached, beside the recording and ending
// with it or with the window, or in the player window, waiting until it is closed.
void PlayPreview(uint8_t detached);

// ---- Recording ----

// ffmpeg with these options and then the output as one whole argument; shown
// as the quoted program, the options and the quoted output.
Convertidor::StepCommand FfmpegOutputStep(const QString& options, const QString& output);

// The ffmpeg step that records inputArgs into outputFile with the compiled
// format and the duration option ("-t <seconds>" or ""); an existing file is
// replaced only with replace, else ffmpeg refuses to touch it.
Convertidor::StepCommand RecordCommand(const CompiledFormat& format, const QString& inputArgs,
                                       const QString& durationOption, const QString& outputFile,
                                       bool replace);

// Opens the recorder, lists the devices, and returns when it has been closed.
void ShowRecorder();
// "Grabar": records Form14's source, or hands it to the streamer.
void Record();

}  // namespace Grabador
