#pragma once

#include <QString>
#include <QStringList>
#include <functional>

#include "core/convert/Conversion.h"
#include "core/ground/Dialogs.h"
#include "core/ground/ToolRunner.h"

class QObject;

// Recording a live source (capture devices or a network address) into a file
// through ffmpeg, or handing it to the network streamer. The recorder window
// (RecorderWindow) reads its controls into a request and shows what the recording
// comes to.
//
// On Linux the capture devices are ffmpeg's input devices (v4l2 for video,
// pulse or alsa for audio). A device is written "<input format>:<device>",
// as the lists offer it ("pulse:default", "v4l2:/dev/video0", "lavfi:sine");
// a name without a known input format is taken as pulse for audio and v4l2
// for video.
namespace Recorder {

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
  // The source chosen: a network address, or capture devices (both false: none).
  bool Network = false;
  bool Devices = false;
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

// Why the recorder did not do what it was asked; the window says so.
enum class Refusal {
  None,
  NoOutputPath,
  FfmpegNotFound,
  FfplayNotFound,     // the player that shows the source alone
  PlayerFileMissing,  // ffplay, to watch beside a recording
  NoExtension,
  InvalidDuration,
  NoSource,
  ProfileMissing,
  ProfileUnreadable,
  ExternalCodec,
  AnotherToolRunning,  // the player window cannot play while another tool runs
};

struct DeviceLists {
  // Another tool kept the runner: ffmpeg did not run, and the lists say nothing.
  bool RunnerBusy = false;
  QStringList Audio;
  QStringList Video;
};
// The sources of ffmpeg's listing; empty lists when it gives none.
DeviceLists ListDevices();
// Shows the source in ffplay: detached, beside the recording and ending with
// it or with companionOwner, or in the player window, waiting until it is
// closed. Refused when ffplay or the source is missing, and, in the player
// window, while another tool runs.
Refusal PlayPreview(const Source& source, bool detached, QObject* companionOwner);

// ---- Recording ----

// ffmpeg with these options and then the output as one whole argument; shown
// as the quoted program, the options and the quoted output.
Conversion::StepCommand FfmpegOutputStep(const QString& options, const QString& output);

// The ffmpeg step that records inputArgs into outputFile with the compiled
// format and the duration option ("-t <seconds>" or ""); an existing file is
// replaced only with replace, else ffmpeg refuses to touch it.
Conversion::StepCommand RecordCommand(const CompiledFormat& format, const QString& inputArgs,
                                      const QString& durationOption, const QString& outputFile,
                                      bool replace);

// What "Grabar" is asked for, as the recorder window's controls give it.
struct RecordRequest {
  Source From;
  bool ToFile = false;           // into RecOutputPath
  bool ToStreamer = false;       // hand the source to the streamer
  bool WithPlayer = false;       // ffplay shows the source meanwhile
  bool AutomaticFormat = false;  // "<Automático>": the file's extension decides
  QString Duration;              // "HH:MM:SS.mm", or "" for no limit
  // The existing file whose replacement the user confirmed in the save dialog.
  QString ReplaceConfirmedFor;
};

// What "Grabar" comes to.
struct RecordPlan {
  enum class Action { Nothing, Stream, Record };
  Action What = Action::Nothing;
  // Nothing: why, or None when the user cancelled the replace question.
  Refusal Refused = Refusal::None;
  // Stream: the source's input arguments, with the real-time buffer.
  QString InputArgs;
  // Record: the ffmpeg step, and the next free name when the user chose not
  // to replace an existing file (RecOutputPath follows it).
  Conversion::StepCommand Step;
  QString NextFreeName;
};
// Checks the request and, through askReplace (Yes, No, else cancel), whether
// an existing file is to be replaced; Nothing when refused or cancelled.
RecordPlan PlanRecording(const RecordRequest& request,
                         const std::function<Dialogs::Button()>& askReplace);

// How a recording ended.
struct RecordingEnd {
  // RunnerBusy: another tool kept the runner, so nothing was recorded.
  enum class Outcome { Finished, NotStarted, FfmpegFailed, RunnerBusy };
  Outcome Result = Outcome::Finished;
  // FfmpegFailed: the end of ffmpeg's console, or that nothing was written
  // when ffmpeg put nothing into the file.
  QString Output;
};
// Runs the recording with ffmpeg's newest console line going to show;
// RecRunning holds meanwhile. A stop by the user is no failure unless ffmpeg
// could not write the end of its file or wrote nothing into it.
RecordingEnd RunRecording(const Conversion::StepCommand& step, const ToolRunner::OutputSink& show);

// "Detener": ffmpeg gets "q" on its input and true is returned. A paused
// ffmpeg is asked to resume first and false is returned: StopOnceResumed then
// sends the "q".
bool StopRecording();
// The "q" of a stop that waits for a resume: false while the resume (or a
// pause) is pending, else it is sent and true is returned.
bool StopOnceResumed();
// Ends ffmpeg at once, without letting it finish its file.
void ForceStop();

// The recorder's choices and the recording in progress.
struct RecorderState {
  // Recording buffer size in megabytes as text; "0" or "" = the tool's default.
  QString RecBufferSizeMB;
  // Destination chosen with the save dialog; it outlives the window.
  QString RecOutputPath;
  // The chosen format profile; "" for "<Automático>".
  QString RecFormatProfilePath;
  // Set while ffmpeg records; the window refuses to close meanwhile.
  bool RecRunning = false;
  // Set once the user stopped ffmpeg, so that its exit code is no error.
  bool RecStoppedByUser = false;
};

// This module's part of the running program's AppState.
RecorderState& State();

}  // namespace Recorder
