// vamplet-cli events: a performance on the virtual clock, one line per event.
#include <cstdio>

#include "cli_performance.h"
#include "commands.h"
#include "performance_options.h"

namespace vamplet {

int EventsCommand(const Args& args) {
  PerformanceOptions options;
  if (!ParseCommandOptions("events", "FILE [options]", args, OptionSet{}, options)) return 2;
  VirtualClock clock;
  CliPerformance performance(options, clock, nullptr);
  if (const int status = performance.Record(clock); status != 0) return status;
  for (const std::string& line : performance.recorder().Lines()) std::printf("%s\n", line.c_str());
  return 0;
}

}  // namespace vamplet
