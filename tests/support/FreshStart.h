#pragma once

#include <gtest/gtest.h>

#include <QProcessEnvironment>
#include <QString>
#include <memory>

#include "core/app/AppState.h"

// Gives every test a fresh program, so that the tests of one test program pass
// in any order, all in one process: each test runs on a new AppState (the
// program's folder, settings, choices and tables, the notifiers the windows
// listen to, and the windows the modules ask for, handed over as the program
// does at start-up), and after it the windows it
// closed or left behind, the translation installed in Qt, the environment and
// the current folder are put back as they were.
class FreshStart : public ::testing::EmptyTestEventListener {
 public:
  FreshStart();
  // Runs before the test's fixture is made.
  void OnTestStart(const ::testing::TestInfo& test) override;
  // Runs after the test's fixture is gone.
  void OnTestEnd(const ::testing::TestInfo& test) override;

 private:
  void RemoveWindows(const ::testing::TestInfo& test) const;
  void RestoreEnvironment() const;

  std::unique_ptr<AppState> state_;
  QProcessEnvironment startEnvironment_;
  QString startFolder_;
};
