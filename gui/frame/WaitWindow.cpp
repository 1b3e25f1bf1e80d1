#include "gui/frame/WaitWindow.h"

#include <QCloseEvent>
#include <QLabel>
#include <QPointer>
#include <QVBoxLayout>

#include "core/ground/ToolRunner.h"
#include "core/lang/Lang.h"
#include "gui/ground/MainWindowLink.h"
#include "gui/ground/WidgetFactory.h"
#include "gui/lang/Translators.h"

using WidgetFactory::Named;

namespace {
QPointer<WaitWindow> g_instance;
}  // namespace

// A window of its own rather than a child of the main window, so that
// disabling the main window leaves this one alone.
WaitWindow::WaitWindow() : QWidget(nullptr, Qt::Dialog) {
  g_instance = this;
  setObjectName("Form17");
  setWindowTitle("Analizar archivo seleccionado");
  setWindowModality(Qt::ApplicationModal);
  auto* layout = new QVBoxLayout(this);
  waitLabel = Named(new QLabel("Espere...", this), "Label1");
  waitLabel->setAlignment(Qt::AlignCenter);
  layout->addWidget(waitLabel);
  resize(240, 90);
}

WaitWindow::~WaitWindow() { EnableMainWindow(); }

WaitWindow* WaitWindow::Instance() { return g_instance.data(); }

void WaitWindow::Load() {
  QWidget* main = MainWindowLink::Window();
  if (main) main->setEnabled(false);
  Lang::TranslateWaitWindow();
  if (main) {
    const QRect outer = main->frameGeometry();
    move(outer.left() + outer.width() / 2 - width() / 2,
         outer.top() + outer.height() / 2 - height() / 2);
  }
  show();
}

void WaitWindow::EnableMainWindow() {
  if (QWidget* main = MainWindowLink::Window()) main->setEnabled(true);
}

void WaitWindow::closeEvent(QCloseEvent* event) {
  if (ToolRunner::GetState() != ToolRunner::RunState::Idle) {
    toolStopped_ = true;
    ToolRunner::RequestStop();
    event->ignore();
    return;
  }
  EnableMainWindow();
  event->accept();
}
