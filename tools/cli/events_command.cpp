// vamplet-cli events: placeholder until the subcommand is built.
#include <cstdio>

#include "commands.h"

namespace vamplet {

int EventsCommand(const Args&) {
  std::fputs("vamplet-cli: 'events' is not available in this build\n", stderr);
  return 2;
}

}  // namespace vamplet
