// vamplet-cli play: placeholder until the subcommand is built.
#include <cstdio>

#include "commands.h"

namespace vamplet {

int PlayCommand(const Args&) {
  std::fputs("vamplet-cli: 'play' is not available in this build\n", stderr);
  return 2;
}

}  // namespace vamplet
