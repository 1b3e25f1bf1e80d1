#include "frame/IntDocView.h"

#include <QEvent>
#include <QEventLoop>
#include <QPlainTextEdit>
#include <QPointer>
#include <QTimer>

#include "frame/CaptureConsole.h"
#include "frame/Form6.h"

namespace IntDocView {

namespace {

// Unloads the viewer once its owner has been closed. A hidden owner (a window
// that steps aside while the viewer is shown) stays loaded; a closed one does not.
class OwnerWatcher : public QObject {
 public:
  OwnerWatcher(QWidget* owner, Form6* viewer) : owner_(owner), viewer_(viewer) {
    if (owner) owner->installEventFilter(this);
  }
  ~OwnerWatcher() override {
    if (owner_) owner_->removeEventFilter(this);
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Close) {
      QTimer::singleShot(0, this, [this] {
        if (owner_ && !owner_->isVisible()) Form6::Unload(viewer_);
      });
    }
    return QObject::eventFilter(watched, event);
  }

 private:
  QPointer<QWidget> owner_;
  QPointer<Form6> viewer_;
};

}  // namespace

void ShowCommandOutput(const QString& cmdLine, QWidget* owner) {
  Form6::Unload(Form6::Instance());
  QPointer<Form6> viewer = new Form6;
  viewer->Form_Load();
  viewer->show();
  // Watched from the start, so that an owner closed while the command runs
  // still takes the viewer with it.
  OwnerWatcher watcher(owner, viewer);
  if (owner) {
    QObject::connect(owner, &QObject::destroyed, viewer, [viewer] { Form6::Unload(viewer); });
  }

  QString output;
  int32_t exitCode = 0;
  CaptureConsole::RunCaptured(cmdLine, QString(), 0, 0, nullptr, false, CaptureConsole::NoDisplay,
                              output, -1, exitCode);
  if (!viewer) return;
  viewer->ShowOutput(output);

  QEventLoop loop;
  QObject::connect(viewer, &QObject::destroyed, &loop, &QEventLoop::quit);
  loop.exec();
}

void CloseViewer() { Form6::Unload(Form6::Instance()); }

int FindNext(const QString& text, const QString& what, int position, bool matchCase) {
  if (text.isEmpty() || what.isEmpty()) return 0;
  const auto found =
      text.indexOf(what, position, matchCase ? Qt::CaseSensitive : Qt::CaseInsensitive);
  return found < 0 ? 0 : static_cast<int>(found) + 1;
}

int FindPrevious(const QString& text, const QString& what, int position, bool matchCase) {
  if (what.isEmpty()) return 0;
  const qsizetype lastStart =
      position == 0 ? text.size() - what.size() : position - 1 - what.size();
  if (lastStart < 0) return 0;
  const auto found =
      text.lastIndexOf(what, lastStart, matchCase ? Qt::CaseSensitive : Qt::CaseInsensitive);
  return found < 0 ? 0 : static_cast<int>(found) + 1;
}

}  // namespace IntDocView
