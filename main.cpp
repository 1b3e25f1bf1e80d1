#include <QApplication>
#include <QPointer>

#include "convert/Form1.h"
#include "frame/Aplicacion.h"
#include "frame/CaptureConsole.h"
#include "frame/TerminationSignals.h"
#include "frame/WindowServices.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  // Tool windows hide the others while they are open; the program ends when
  // the main window closes, not when the last visible window does.
  QApplication::setQuitOnLastWindowClosed(false);

  WindowServices::Install();
  Aplicacion::WriteManifest();
  QPointer<Form1> main = new Form1;
  main->setAttribute(Qt::WA_DeleteOnClose);
  QObject::connect(main, &QObject::destroyed, &app, &QApplication::quit);
  // However the program ends, the tools it started end with it.
  QObject::connect(&app, &QCoreApplication::aboutToQuit, [] { CaptureConsole::EndAll(); });
  TerminationSignals::Install([&main] {
    CaptureConsole::EndAll();
    if (main) main->close();
    QCoreApplication::exit(0);
  });
  main->Form_Load();
  if (!main) return 0;  // closed during start-up
  main->show();
  return app.exec();
}
