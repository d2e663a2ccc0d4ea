// The playback clock for programs without a window: a monotonic clock that sleeps.
#pragma once

#include <chrono>

#include "player/play_clock.h"

namespace vamplet {

class SteadyClock : public PlayClock {
 public:
  SteadyClock();
  double Now() override;
  // Sleeps until shortly before the deadline; the caller's short poll finishes the wait.
  void ProcessEvents(double deadline) override;

 private:
  std::chrono::steady_clock::time_point origin_;
};

}  // namespace vamplet
