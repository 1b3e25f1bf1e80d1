#pragma once

#include <memory>

// Everything the program holds while it runs: the session's choices, the
// conversion and its run, the tools, the language, the editors' and devices'
// state. main() owns one for the program's life; each test starts from a
// fresh one. The modules reach their part through their own State().
class AppState {
 public:
  // The new state is the running program's until it is destroyed; the one it
  // replaced is then the running program's again.
  AppState();
  ~AppState();
  AppState(const AppState&) = delete;
  AppState& operator=(const AppState&) = delete;

  // The running program's state; there must be one.
  static AppState& Current();

  struct Parts;
  Parts& parts() { return *parts_; }

 private:
  std::unique_ptr<Parts> parts_;
  AppState* previous_;
};
