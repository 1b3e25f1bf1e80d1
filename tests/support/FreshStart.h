#pragma once

#include <QProcessEnvironment>
#include <QString>

#include <gtest/gtest.h>

#include <functional>
#include <vector>

// Puts the program back as it started after every test, so that the tests of
// one test program pass in any order, all in one process: the program's
// settings, choices and tables, the windows a test closed or left behind, the
// translation installed in Qt, the environment and the current folder.
// Made in main() before any test runs; the state it keeps is that of a fresh
// program.
class FreshStart : public ::testing::EmptyTestEventListener {
 public:
  FreshStart();
  // Runs after the test's fixture is gone.
  void OnTestEnd(const ::testing::TestInfo& test) override;

 private:
  // Remembers the value the program starts with, to give it back after each test.
  template <class T>
  void Keep(T& value) {
    restorers_.push_back([&value, start = value] { value = start; });
  }
  void KeepProgramValues();
  void RemoveWindows(const ::testing::TestInfo& test) const;
  void RestoreEnvironment() const;

  std::vector<std::function<void()>> restorers_;
  QProcessEnvironment startEnvironment_;
  QString startFolder_;
};
