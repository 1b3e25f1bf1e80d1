#include <gtest/gtest.h>

#include <QApplication>

#include "FreshStart.h"
#include "core/app/AppState.h"
#include "gui/app/WindowServices.h"
#include "gui/frame/ScreenFit.h"

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  QApplication::setQuitOnLastWindowClosed(false);
  ScreenFit::Install();
  // The program's state between tests; each test runs on a fresh one of its
  // own, which FreshStart hands the windows as this one.
  AppState program;
  WindowServices::Install();
  ::testing::InitGoogleTest(&argc, argv);
  ::testing::UnitTest::GetInstance()->listeners().Append(new FreshStart);
  return RUN_ALL_TESTS();
}
