#include <QApplication>
#include <QPointer>

#include "convert/Form1.h"
#include "frame/Aplicacion.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  // Tool windows hide the others while they are open; the program ends when
  // the main window closes, not when the last visible window does.
  QApplication::setQuitOnLastWindowClosed(false);

  Aplicacion::WriteManifest();
  QPointer<Form1> main = new Form1;
  main->setAttribute(Qt::WA_DeleteOnClose);
  QObject::connect(main, &QObject::destroyed, &app, &QApplication::quit);
  main->Form_Load();
  if (!main) return 0;  // closed during start-up
  main->show();
  return app.exec();
}
