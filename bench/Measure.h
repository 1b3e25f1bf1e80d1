#pragma once

// What a benchmarked job cost: wall time, the tools' CPU time and our own.
#include <sys/resource.h>

#include <QElapsedTimer>

struct Usage {
  double wallSeconds = 0;
  double toolCpuSeconds = 0;
  double ownCpuSeconds = 0;
  Usage& operator+=(const Usage& other) {
    wallSeconds += other.wallSeconds;
    toolCpuSeconds += other.toolCpuSeconds;
    ownCpuSeconds += other.ownCpuSeconds;
    return *this;
  }
};

inline double CpuSeconds(int who) {
  rusage usage{};
  getrusage(who, &usage);
  auto seconds = [](const timeval& t) { return double(t.tv_sec) + double(t.tv_usec) / 1e6; };
  return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

// Children's CPU counts once they have been waited for, so the job must wait
// for every tool it starts.
template <typename Job>
Usage Measure(Job job) {
  const double toolBefore = CpuSeconds(RUSAGE_CHILDREN);
  const double ownBefore = CpuSeconds(RUSAGE_SELF);
  QElapsedTimer clock;
  clock.start();
  job();
  return {double(clock.nsecsElapsed()) / 1e9, CpuSeconds(RUSAGE_CHILDREN) - toolBefore,
          CpuSeconds(RUSAGE_SELF) - ownBefore};
}
