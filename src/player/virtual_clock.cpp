// The virtual playback clock: jumps from deadline to deadline.
#include "player/virtual_clock.h"

#include <algorithm>
#include <utility>

namespace vamplet {

void VirtualClock::ProcessEvents(double deadline) {
  if (stopAt_ && *stopAt_ < deadline) {
    now_ = std::max(now_, *stopAt_);
    stopAt_.reset();
    const std::function<void()> press = std::move(press_);
    press_ = nullptr;
    if (press) press();
    return;
  }
  now_ = std::max(now_, deadline);
}

void VirtualClock::StopAt(double ms, std::function<void()> press) {
  stopAt_ = ms;
  press_ = std::move(press);
}

}  // namespace vamplet
