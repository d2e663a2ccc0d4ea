// The window program's playback wait: blocks in Qt's event loop until shortly before a tick.
#pragma once

#include <QTimer>
#include <chrono>

#include "player/play_clock.h"

namespace vamplet {

// Between ticks the event loop runs (the Stop click, the tempo drag and repaints get
// through) and a precise timer wakes it about two milliseconds before the deadline; the
// rest is a sleep and a short poll, so playback costs a few percent of a core instead of a
// whole one.
class QtPlayClock : public PlayClock {
 public:
  QtPlayClock();
  double Now() override;
  void ProcessEvents(double deadline) override;

  // Qt's precise timers keep to about a millisecond; the event loop gets the time before.
  static constexpr double kTimerMarginMs = 2.0;
  // The sleeper usually wakes well within this; the caller's polls finish the wait.
  static constexpr double kSpinMs = 0.25;

 private:
  std::chrono::steady_clock::time_point origin_;
  QTimer wake_;
};

}  // namespace vamplet
