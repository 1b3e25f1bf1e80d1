#include "core/devices/DeviceRun.h"

#include "core/ground/ToolRunner.h"

namespace DeviceRun {

CloseStep StepOnClose(bool waiting, bool running, bool runPanelShown) {
  if (waiting) return CloseStep::StopWaitingAndClose;
  if (running) return CloseStep::StopFirst;
  if (runPanelShown) return CloseStep::BackToSetup;
  return CloseStep::Close;
}

PauseStep TogglePause() {
  const ToolRunner::RunState state = ToolRunner::GetState();
  if (state == ToolRunner::RunState::Idle) return PauseStep::None;
  if (state == ToolRunner::RunState::PauseRequested) {
    ToolRunner::RequestResume();
    return PauseStep::Resumed;
  }
  ToolRunner::RequestPause();
  return PauseStep::Paused;
}

}  // namespace DeviceRun
