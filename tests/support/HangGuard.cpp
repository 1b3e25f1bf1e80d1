#include "HangGuard.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>

HangGuard::HangGuard(std::string what, int limitMs)
    : watcher_([this, what = std::move(what), limitMs] {
        std::unique_lock<std::mutex> lock(mutex_);
        if (returned_.wait_for(lock, std::chrono::milliseconds(limitMs), [this] { return done_; }))
          return;
        std::fprintf(stderr, "HANG: %s did not return within %d ms\n", what.c_str(), limitMs);
        std::fflush(stderr);
        std::_Exit(1);
      }) {}

HangGuard::~HangGuard() {
  {
    const std::lock_guard<std::mutex> lock(mutex_);
    done_ = true;
  }
  returned_.notify_one();
  watcher_.join();
}
