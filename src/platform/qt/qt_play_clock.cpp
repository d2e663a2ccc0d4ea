// The Qt playback wait: event loop with a precise wake-up, then a short sleep.
#include "platform/qt/qt_play_clock.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <cmath>
#include <thread>

namespace vamplet {

QtPlayClock::QtPlayClock() : origin_(std::chrono::steady_clock::now()) {
  wake_.setSingleShot(true);
  wake_.setTimerType(Qt::PreciseTimer);
}

double QtPlayClock::Now() {
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - origin_)
      .count();
}

void QtPlayClock::ProcessEvents(double deadline) {
  const double remaining = deadline - Now();
  if (remaining > kTimerMarginMs) {
    // Returns after the wake-up or any other event; the caller polls and comes back.
    wake_.start(static_cast<int>(std::floor(remaining - kTimerMarginMs)));
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    wake_.stop();
    return;
  }
  // The last stretch is slept through: an event handled now (a repaint) could overrun the
  // tick, and events wait at most this long.
  const double wakeAt = deadline - kSpinMs;
  if (wakeAt > Now()) {
    std::this_thread::sleep_until(
        origin_ + std::chrono::duration_cast<std::chrono::steady_clock::duration>(
                      std::chrono::duration<double, std::milli>(wakeAt)));
  }
}

}  // namespace vamplet
