#include <gtest/gtest.h>

#include "core/devices/DeviceRun.h"
#include "core/devices/Recorder.h"
#include "core/ground/ToolRunner.h"

namespace {

using DeviceRun::CloseStep;
using DeviceRun::PauseStep;

TEST(DeviceRunClose, WaitingComesBeforeRunningAndRunningBeforeTheRunPanel) {
  struct Case {
    bool waiting;
    bool running;
    bool runPanelShown;
    CloseStep step;
  } cases[] = {
      {false, false, false, CloseStep::Close},
      {true, false, false, CloseStep::StopWaitingAndClose},
      {true, true, true, CloseStep::StopWaitingAndClose},
      {false, true, false, CloseStep::StopFirst},
      {false, true, true, CloseStep::StopFirst},
      {false, false, true, CloseStep::BackToSetup},
  };
  for (const Case& c : cases)
    EXPECT_EQ(DeviceRun::StepOnClose(c.waiting, c.running, c.runPanelShown), c.step)
        << c.waiting << c.running << c.runPanelShown;
}

// The runner's request state stands in for a run here; a real run is paused,
// resumed and stopped in RecorderTest and StreamerTest.
TEST(DeviceRunPause, PausesARunResumesAPausedOneAndLeavesNoRunAlone) {
  struct Case {
    ToolRunner::RunState before;
    PauseStep step;
    ToolRunner::RunState after;
  } cases[] = {
      {ToolRunner::RunState::Idle, PauseStep::None, ToolRunner::RunState::Idle},
      {ToolRunner::RunState::Running, PauseStep::Paused, ToolRunner::RunState::PauseRequested},
      {ToolRunner::RunState::Waiting, PauseStep::Paused, ToolRunner::RunState::PauseRequested},
      {ToolRunner::RunState::PauseRequested, PauseStep::Resumed,
       ToolRunner::RunState::ResumeRequested},
  };
  for (const Case& c : cases) {
    ToolRunner::State().ConsoleState = c.before;
    EXPECT_EQ(DeviceRun::TogglePause(), c.step) << int(c.before);
    EXPECT_EQ(ToolRunner::GetState(), c.after) << int(c.before);
  }
}

TEST(RecorderStop, APausedRecordingIsResumedBeforeItsQuitGoesOut) {
  ToolRunner::State().ConsoleState = ToolRunner::RunState::Waiting;
  EXPECT_TRUE(Recorder::StopRecording());
  EXPECT_EQ(ToolRunner::GetState(), ToolRunner::RunState::InputPending);
  EXPECT_EQ(ToolRunner::State().ConsoleInput, "q\n");
  EXPECT_TRUE(Recorder::State().RecStoppedByUser);

  Recorder::Reset();
  ToolRunner::Reset();
  ToolRunner::State().ConsoleState = ToolRunner::RunState::PauseRequested;
  EXPECT_FALSE(Recorder::StopRecording());
  EXPECT_EQ(ToolRunner::GetState(), ToolRunner::RunState::ResumeRequested);
  EXPECT_TRUE(ToolRunner::State().ConsoleInput.isEmpty());
  EXPECT_FALSE(Recorder::State().RecStoppedByUser);

  // The quit waits while the resume, or a new pause, is pending.
  EXPECT_FALSE(Recorder::StopOnceResumed());
  ToolRunner::State().ConsoleState = ToolRunner::RunState::PauseRequested;
  EXPECT_FALSE(Recorder::StopOnceResumed());
  EXPECT_FALSE(Recorder::State().RecStoppedByUser);
  ToolRunner::State().ConsoleState = ToolRunner::RunState::Waiting;
  EXPECT_TRUE(Recorder::StopOnceResumed());
  EXPECT_EQ(ToolRunner::State().ConsoleInput, "q\n");
  EXPECT_TRUE(Recorder::State().RecStoppedByUser);
}

}  // namespace
