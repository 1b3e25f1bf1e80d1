#include <QApplication>
#include <QPointer>

#include "core/frame/AppState.h"
#include "core/frame/Lifecycle.h"
#include "core/frame/TerminationSignals.h"
#include "core/frame/ToolRunner.h"
#include "gui/convert/MainWindow.h"
#include "gui/frame/WindowServices.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  // Tool windows hide the others while they are open; the program ends when
  // the main window closes, not when the last visible window does.
  QApplication::setQuitOnLastWindowClosed(false);

  AppState state;
  WindowServices::Install();
  Lifecycle::WriteManifest();
  QPointer<MainWindow> main = new MainWindow;
  main->setAttribute(Qt::WA_DeleteOnClose);
  QObject::connect(main, &QObject::destroyed, &app, &QApplication::quit);
  // However the program ends, the tools it started end with it.
  QObject::connect(&app, &QCoreApplication::aboutToQuit, [] { ToolRunner::EndAll(); });
  TerminationSignals::Install([&main] {
    ToolRunner::EndAll();
    if (main) main->close();
    QCoreApplication::exit(0);
  });
  main->Form_Load();
  if (!main) return 0;  // closed during start-up
  main->show();
  return app.exec();
}
