// vamplet-cli ports: placeholder until the subcommand is built.
#include <cstdio>

#include "commands.h"

namespace vamplet {

int PortsCommand(const Args&) {
  std::fputs("vamplet-cli: 'ports' is not available in this build\n", stderr);
  return 2;
}

}  // namespace vamplet
