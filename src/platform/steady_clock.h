// The playback clock for programs without a window: a monotonic clock that sleeps.
#pragma once

#include <chrono>
#include <thread>

#include "player/play_clock.h"

namespace vamplet {

// Kept in this header alone so that tests of the core can run it without the platform
// libraries.
class SteadyClock : public PlayClock {
 public:
  SteadyClock() : origin_(std::chrono::steady_clock::now()) {}

  double Now() override {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - origin_)
        .count();
  }

  // Sleeps until shortly before the deadline; the caller's polls finish the wait, so the
  // processor is busy for a fraction of a millisecond per tick.
  void ProcessEvents(double deadline) override {
    const double wakeAt = deadline - kSpinMs;
    if (wakeAt <= Now()) return;
    std::this_thread::sleep_until(
        origin_ + std::chrono::duration_cast<std::chrono::steady_clock::duration>(
                      std::chrono::duration<double, std::milli>(wakeAt)));
  }

  // The scheduler usually wakes a sleeper well within this; the rest is polled.
  static constexpr double kSpinMs = 0.25;

 private:
  std::chrono::steady_clock::time_point origin_;
};

}  // namespace vamplet
