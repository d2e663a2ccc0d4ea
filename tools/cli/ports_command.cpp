// vamplet-cli ports: the port menu as the program would show it, one item per line.
#include <cstdio>
#include <memory>
#include <string>

#include "commands.h"
#include "midi/midi_out_service.h"
#include "platform/system_midi_service.h"

namespace vamplet {

int PortsCommand(const Args& args) {
  if (!args.empty()) {
    std::fputs("vamplet-cli: 'ports' takes no arguments\n", stderr);
    return 2;
  }
  std::unique_ptr<MidiOutService> service = CreateSystemMidiService();
  std::printf("0\tDevice not enabled\n");
  const uint32_t count = service->GetNumDevs();
  for (uint32_t d = 0; d < count; ++d) {
    std::string name;
    if (service->GetDevCaps(d, name) != MMSYSERR_NOERROR) {
      std::fprintf(stderr, "vamplet-cli: the name of MIDI output device %u could not be read\n",
                   d);
      return 1;
    }
    std::printf("%u\t%s\n", d + 1, name.c_str());
  }
  return 0;
}

}  // namespace vamplet
