// vamplet-cli play: a performance in real time to a port of the port menu; Ctrl-C stops it.
#include <algorithm>
#include <atomic>
#include <csignal>
#include <cstdio>
#include <functional>
#include <memory>
#include <optional>

#include "cli_performance.h"
#include "commands.h"
#include "performance_options.h"
#include "platform/backend_quiet.h"
#include "platform/steady_clock.h"
#include "platform/system_midi_service.h"

namespace vamplet {

namespace {

std::atomic<bool> interrupted{false};

extern "C" void OnInterrupt(int) { interrupted.store(true); }

// The steady clock, woken at least every 50 ms to see Ctrl-C or the Stop time; either one
// presses Stop from inside the wait, as a click on the button would.
class InterruptibleClock : public PlayClock {
 public:
  InterruptibleClock(std::optional<double> stopAt, std::function<void()> pressStop)
      : stopAt_(stopAt), pressStop_(std::move(pressStop)) {}

  double Now() override { return steady_.Now(); }

  void ProcessEvents(double deadline) override {
    const double now = steady_.Now();
    if (!stopped_ && (interrupted.load() || (stopAt_ && now >= *stopAt_))) {
      stopped_ = true;
      pressStop_();
      return;
    }
    double wakeAt = std::min(deadline, now + kCheckEveryMs);
    if (stopAt_ && !stopped_) wakeAt = std::min(wakeAt, *stopAt_ + SteadyClock::kSpinMs);
    steady_.ProcessEvents(wakeAt);
  }

 private:
  static constexpr double kCheckEveryMs = 50;
  SteadyClock steady_;
  std::optional<double> stopAt_;
  std::function<void()> pressStop_;
  bool stopped_ = false;
};

}  // namespace

int PlayCommand(const Args& args) {
  PerformanceOptions options;
  OptionSet allowed;
  allowed.port = true;
  allowed.repeatNeedsStop = false;  // Ctrl-C ends a repeat
  if (!ParseCommandOptions("play", "FILE --port N [options]", args, allowed, options)) return 2;
  // From here on Ctrl-C only asks for Stop; one pressed while the ports open stops at once.
  const auto previous = std::signal(SIGINT, OnInterrupt);
  QuietSoundLibraries();
  std::unique_ptr<MidiOutService> service = CreateSystemMidiService();
  CliPerformance* running = nullptr;
  InterruptibleClock clock(options.stopAt, [&] {
    if (running) running->player().btnPlay_Click();
  });
  CliPerformance performance(options, clock, service.get());
  running = &performance;
  if (const int status = performance.Load(); status != 0) return status;

  performance.midi().FillPortMenu();
  if (*options.port > performance.midi().OutDeviceCount) {
    std::fprintf(stderr,
                 "vamplet-cli play: there is no port %d; 'vamplet-cli ports' lists the ports.\n",
                 *options.port);
    return 2;
  }
  performance.OpenPorts(*options.port);
  performance.ReportMessages();

  const bool played = performance.Play();
  performance.ClosePorts();
  performance.ReportMessages();
  std::signal(SIGINT, previous);
  return played ? 0 : 1;
}

}  // namespace vamplet
