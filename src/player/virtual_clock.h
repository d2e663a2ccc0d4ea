// A clock for runs without real time: every wait ends at its deadline, or at a set Stop.
#pragma once

#include <functional>
#include <optional>

#include "player/play_clock.h"

namespace vamplet {

class VirtualClock : public PlayClock {
 public:
  double Now() override { return now_; }
  // Advances time to the deadline; a wait that the Stop time falls into ends there instead,
  // and the Stop action runs (once).
  void ProcessEvents(double deadline) override;
  // At `ms` virtual milliseconds, `press` is called from inside the wait (e.g. a Stop click).
  void StopAt(double ms, std::function<void()> press);

 private:
  double now_ = 0;
  std::optional<double> stopAt_;
  std::function<void()> press_;
};

}  // namespace vamplet
