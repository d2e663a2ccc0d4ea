// The seam to the clock and the event loop that playback waits on.
#pragma once

namespace vamplet {

class PlayClock {
 public:
  virtual ~PlayClock() = default;
  // Milliseconds on a monotonic clock, with sub-millisecond resolution.
  virtual double Now() = 0;
  // Lets pending events through (a Stop click, a tempo drag, repaints) and returns at the
  // latest shortly before `deadline`, without busy-waiting. The caller polls Now() again.
  virtual void ProcessEvents(double deadline) = 0;
};

}  // namespace vamplet
