// Keeps the sound libraries' own diagnostics off the terminal, and asks whether JACK runs.
#include "platform/backend_quiet.h"

#include <alsa/asoundlib.h>
#include <fluidsynth.h>
#include <jack/jack.h>

namespace vamplet {

namespace {

void QuietAlsa(const char*, int, const char*, int, const char*, ...) {}
void QuietJack(const char*) {}
void QuietFluid(int, const char*, void*) {}

}  // namespace

void QuietSoundLibraries() {
  snd_lib_error_set_handler(QuietAlsa);
  jack_set_error_function(QuietJack);
  jack_set_info_function(QuietJack);
  for (int level = FLUID_PANIC; level < LAST_LOG_LEVEL; ++level) {
    fluid_set_log_function(level, QuietFluid, nullptr);
  }
}

bool JackServerRunning() {
  jack_client_t* client = jack_client_open("Vamplet probe", JackNoStartServer, nullptr);
  if (client == nullptr) return false;
  jack_client_close(client);
  return true;
}

}  // namespace vamplet
