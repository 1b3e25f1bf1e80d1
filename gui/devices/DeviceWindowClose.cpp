#include "gui/devices/DeviceWindowClose.h"

#include <QCloseEvent>

#include "core/ground/ToolRunner.h"

namespace DeviceWindowClose {

bool AcceptUnlessCancelled(QCloseEvent* event,
                           const std::function<void(bool& cancel)>& queryUnload) {
  bool cancel = false;
  queryUnload(cancel);
  if (cancel) {
    event->ignore();
    return false;
  }
  event->accept();
  return true;
}

bool KeepOpen(DeviceRun::CloseStep step, void (*stopFirstMessage)(),
              const std::function<void()>& backToSetup) {
  using DeviceRun::CloseStep;
  switch (step) {
    case CloseStep::Close:
      return false;
    case CloseStep::StopWaitingAndClose:
      ToolRunner::RequestStop();
      return false;
    case CloseStep::StopFirst:
      stopFirstMessage();
      return true;
    case CloseStep::BackToSetup:
      backToSetup();
      return true;
  }
  return false;
}

}  // namespace DeviceWindowClose
