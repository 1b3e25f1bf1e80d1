#include "FreshStart.h"

#include <QApplication>
#include <QDir>
#include <QPointer>
#include <QProcessEnvironment>
#include <QTranslator>
#include <QWidget>
#include <iostream>

#include "gui/app/WindowServices.h"

FreshStart::FreshStart()
    : startEnvironment_(QProcessEnvironment::systemEnvironment()),
      startFolder_(QDir::currentPath()) {}

void FreshStart::OnTestStart(const ::testing::TestInfo& /*test*/) {
  state_ = std::make_unique<AppState>();
  WindowServices::Install();
}

void FreshStart::OnTestEnd(const ::testing::TestInfo& test) {
  RemoveWindows(test);
  qDeleteAll(qApp->findChildren<QTranslator*>(Qt::FindDirectChildrenOnly));
  state_.reset();
  RestoreEnvironment();
  QDir::setCurrent(startFolder_);
}

// A window closed with Qt::WA_DeleteOnClose goes only when the event loop next
// runs, which between two tests it does not: until then its Instance() and a
// search by its name still find it. A window that outlived its test is named,
// so that the test can be mended, and removed.
void FreshStart::RemoveWindows(const ::testing::TestInfo& test) const {
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  QList<QPointer<QWidget>> left;
  for (QWidget* window : QApplication::topLevelWidgets()) {
    if (!window->parentWidget()) left << window;
  }
  for (const QPointer<QWidget>& window : left) {
    if (!window) continue;
    std::cerr << "A window outlived " << test.test_suite_name() << '.' << test.name() << ": "
              << window->metaObject()->className() << ' ' << window->objectName().toStdString()
              << '\n';
    delete window.data();
  }
}

void FreshStart::RestoreEnvironment() const {
  const QProcessEnvironment now = QProcessEnvironment::systemEnvironment();
  for (const QString& name : now.keys()) {
    if (!startEnvironment_.contains(name)) qunsetenv(name.toLocal8Bit());
  }
  for (const QString& name : startEnvironment_.keys()) {
    const QString value = startEnvironment_.value(name);
    if (!now.contains(name) || now.value(name) != value) {
      qputenv(name.toLocal8Bit(), value.toLocal8Bit());
    }
  }
}
