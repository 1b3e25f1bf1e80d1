#pragma once

#include <QTest>
#include <QWidget>

#include "TestEnv.h"

// Shows a window and waits until it is the active one, so that keys go where
// a user's keys would; false when it never became active.
inline bool ShowActive(QWidget* window) {
  window->show();
  window->activateWindow();
  return WaitFor([window] { return window->isActiveWindow(); });
}

// Gives a control of the active window the focus and presses Enter there.
inline void PressEnterOn(QWidget* control) {
  control->setFocus(Qt::TabFocusReason);
  ASSERT_TRUE(WaitFor([control] { return control->hasFocus(); }))
      << control->objectName().toStdString();
  QTest::keyClick(control, Qt::Key_Return);
}
