#pragma once

#include <functional>

#include "core/devices/DeviceRun.h"

class QCloseEvent;

// How the device windows take a close.
namespace DeviceWindowClose {

// Lets the close through unless queryUnload cancels it; true when it goes through.
bool AcceptUnlessCancelled(QCloseEvent* event,
                           const std::function<void(bool& cancel)>& queryUnload);

// Does what a close of the recorder or the streamer comes to: a stop of the
// listing it waits for (the window then closes), the window's stop-first
// message while ffmpeg runs, or the way back to its set-up panels. True when
// the window is to stay open.
bool KeepOpen(DeviceRun::CloseStep step, void (*stopFirstMessage)(),
              const std::function<void()>& backToSetup);

}  // namespace DeviceWindowClose
