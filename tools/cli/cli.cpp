// Dispatch of vamplet-cli's subcommands and its usage text.
#include "cli.h"

#include <cstdio>
#include <string>

#include "commands.h"

namespace vamplet {

namespace {

constexpr const char* kUsage =
    "usage: vamplet-cli COMMAND [arguments]\n"
    "  songs FILE                      print the songs of a chord file as JSON\n"
    "  events FILE [options]           print the MIDI events of a performance\n"
    "  export FILE -o OUT.mid [options] write a performance as a Standard MIDI File\n"
    "  ports                           list the MIDI output ports\n"
    "  play FILE --port N [options]    play a song to a MIDI output port\n"
    "options: --song N, --select START[:LENGTH], --fingering 0..4, --channel 1..16,\n"
    "         --intro, --fill, --repeat, --no-chords, --stop-at MS\n";

}  // namespace

int RunCli(int argc, char** argv) {
  if (argc < 2) {
    std::fputs(kUsage, stderr);
    return 2;
  }
  const std::string command = argv[1];
  const Args args(argv + 2, argv + argc);
  if (command == "songs") return SongsCommand(args);
  if (command == "events") return EventsCommand(args);
  if (command == "export") return ExportCommand(args);
  if (command == "ports") return PortsCommand(args);
  if (command == "play") return PlayCommand(args);
  if (command == "--help" || command == "-h" || command == "help") {
    std::fputs(kUsage, stdout);
    return 0;
  }
  std::fprintf(stderr, "vamplet-cli: unknown command '%s'\n%s", command.c_str(), kUsage);
  return 2;
}

}  // namespace vamplet
