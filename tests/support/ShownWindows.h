#pragma once

#include <QApplication>
#include <QEvent>
#include <QObject>
#include <QStringList>
#include <QWidget>

// Notes the object name of every window shown while it lives, however briefly:
// a window that opens and closes again within one call is seen too.
class ShownWindows : public QObject {
 public:
  ShownWindows() { QApplication::instance()->installEventFilter(this); }
  ~ShownWindows() override { QApplication::instance()->removeEventFilter(this); }
  const QStringList& Names() const { return names_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    auto* widget = qobject_cast<QWidget*>(watched);
    if (event->type() == QEvent::Show && widget && widget->isWindow())
      names_ << widget->objectName();
    return false;
  }

 private:
  QStringList names_;
};
