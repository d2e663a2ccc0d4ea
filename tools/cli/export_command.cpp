// vamplet-cli export: placeholder until the subcommand is built.
#include <cstdio>

#include "commands.h"

namespace vamplet {

int ExportCommand(const Args&) {
  std::fputs("vamplet-cli: 'export' is not available in this build\n", stderr);
  return 2;
}

}  // namespace vamplet
