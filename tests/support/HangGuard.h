#pragma once

#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>

// Ends the test program with a message when the code it guards has not
// returned within the limit, so that a call that hangs (a blocked open, an
// endless loop) fails the run at once rather than stopping it for good. The
// limit bounds a failure only; a passing call ends the guard at once.
class HangGuard {
 public:
  explicit HangGuard(std::string what, int limitMs = 30000);
  ~HangGuard();
  HangGuard(const HangGuard&) = delete;
  HangGuard& operator=(const HangGuard&) = delete;

 private:
  std::mutex mutex_;
  std::condition_variable returned_;
  bool done_ = false;
  std::thread watcher_;
};
