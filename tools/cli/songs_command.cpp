// vamplet-cli songs: placeholder until the subcommand is built.
#include <cstdio>

#include "commands.h"

namespace vamplet {

int SongsCommand(const Args&) {
  std::fputs("vamplet-cli: 'songs' is not available in this build\n", stderr);
  return 2;
}

}  // namespace vamplet
