#include "core/frame/AnotherToolRunning.h"

#include "core/ground/ToolRunner.h"
#include "core/lang/Lang.h"

namespace AnotherToolRunning {

bool Refuse() {
  if (ToolRunner::GetState() == ToolRunner::RunState::Idle) return false;
  Lang::MsgAnotherToolRunning();
  return true;
}

}  // namespace AnotherToolRunning
