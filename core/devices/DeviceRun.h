#pragma once

// What the recorder's and the streamer's windows do with the ffmpeg run they
// start: whether a close goes through, and pause / resume.
namespace DeviceRun {

// What a close of the window comes to, in this order: while it waits for
// ffmpeg's listing, the listing is stopped and the window closes (a listing
// that hangs never traps the user); refused with a request to stop first while
// ffmpeg runs; back to the set-up panels when the run panel shows (the window
// stays); else the window closes.
enum class CloseStep { Close, StopWaitingAndClose, StopFirst, BackToSetup };
CloseStep StepOnClose(bool waiting, bool running, bool runPanelShown);

// What "Pause / Resume" did to the run.
enum class PauseStep { None, Resumed, Paused };
// Nothing without a run, a resume of a paused run, else a pause.
PauseStep TogglePause();

}  // namespace DeviceRun
