#include <QApplication>
#include <QPointer>

#include "core/app/AppState.h"
#include "core/app/Lifecycle.h"
#include "core/ground/TerminationSignals.h"
#include "core/ground/ToolRunner.h"
#include "gui/app/MainWindow.h"
#include "gui/app/WindowServices.h"
#include "gui/frame/ScreenFit.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  // Tool windows hide the others while they are open; the program ends when
  // the main window closes, not when the last visible window does.
  QApplication::setQuitOnLastWindowClosed(false);

  ScreenFit::Install();
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
  main->Load();
  if (!main) return 0;  // closed during start-up
  main->show();
  return app.exec();
}
