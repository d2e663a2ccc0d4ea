// A monotonic millisecond clock whose wait sleeps instead of spinning.
#include "platform/steady_clock.h"

#include <thread>

namespace vamplet {

namespace {
// The scheduler usually wakes a sleeper within this margin; the rest is polled.
constexpr double kWakeMarginMs = 1.0;
}  // namespace

SteadyClock::SteadyClock() : origin_(std::chrono::steady_clock::now()) {}

double SteadyClock::Now() {
  const auto elapsed = std::chrono::steady_clock::now() - origin_;
  return std::chrono::duration<double, std::milli>(elapsed).count();
}

void SteadyClock::ProcessEvents(double deadline) {
  const double remaining = deadline - Now();
  if (remaining > kWakeMarginMs) {
    std::this_thread::sleep_for(
        std::chrono::duration<double, std::milli>(remaining - kWakeMarginMs));
  } else if (remaining > 0.05) {
    std::this_thread::yield();
  }
}

}  // namespace vamplet
