// The built-in synthesizer: FluidSynth with a General MIDI sound font.
#include "platform/fluid_synth_output.h"

#include <fluidsynth.h>

#include <algorithm>
#include <filesystem>

#include "midi/midi_out_service.h"
#include "platform/backend_quiet.h"

namespace vamplet {

namespace {

void CollectOption(void* data, const char*, const char* option) {
  static_cast<std::vector<std::string>*>(data)->push_back(option);
}

}  // namespace

std::vector<std::string> FluidSynthOptions::DefaultSoundFonts() {
  const std::string dir = "/usr/share/sounds/sf2/";
  return {dir + "default-GM.sf2", dir + "FluidR3_GM.sf2", dir + "TimGM6mb.sf2"};
}

FluidSynthOutput::FluidSynthOutput(FluidSynthOptions options) : options_(std::move(options)) {}

FluidSynthOutput::~FluidSynthOutput() { Stop(); }

uint32_t FluidSynthOutput::Start() {
  if (synth_ != nullptr) return MMSYSERR_NOERROR;
  std::error_code ec;
  const auto font = std::find_if(options_.soundFonts.begin(), options_.soundFonts.end(),
                                 [&ec](const std::string& f) {
                                   return std::filesystem::is_regular_file(f, ec);
                                 });
  if (font == options_.soundFonts.end()) return MMSYSERR_NODRIVER;

  settings_ = new_fluid_settings();
  if (settings_ == nullptr) return MMSYSERR_NOMEM;
  // Loading only the samples that the selected presets use keeps the open short.
  fluid_settings_setint(settings_, "synth.dynamic-sample-loading", 1);
  fluid_settings_setint(settings_, "audio.jack.autoconnect", 1);
  fluid_settings_setstr(settings_, "audio.jack.id", "Vamplet synthesizer");
  synth_ = new_fluid_synth(settings_);
  if (synth_ == nullptr) {
    Stop();
    return MMSYSERR_NOMEM;
  }
  // The audio output comes before the sound font, so a machine without sound fails at once.
  if (options_.audio && !StartAudio()) {
    Stop();
    return MIDIERR_NOTREADY;
  }
  if (fluid_synth_sfload(synth_, font->c_str(), 1) == FLUID_FAILED) {
    Stop();
    return MMSYSERR_NODRIVER;
  }
  return MMSYSERR_NOERROR;
}

bool FluidSynthOutput::StartAudio() {
  std::vector<std::string> offered;
  fluid_settings_foreach_option(settings_, "audio.driver", &offered, CollectOption);
  // Never "file" (it writes into the working directory), and JACK only when its server
  // already runs, since FluidSynth's JACK driver may otherwise wait for one to start.
  for (const char* name : {"pipewire", "pulseaudio", "alsa", "jack"}) {
    if (std::find(offered.begin(), offered.end(), name) == offered.end()) continue;
    if (std::string(name) == "jack" && !JackServerRunning()) continue;
    fluid_settings_setstr(settings_, "audio.driver", name);
    driver_ = new_fluid_audio_driver(settings_, synth_);
    if (driver_ != nullptr) {
      driverName_ = name;
      return true;
    }
  }
  return false;
}

void FluidSynthOutput::Stop() {
  if (driver_ != nullptr) delete_fluid_audio_driver(driver_);
  if (synth_ != nullptr) delete_fluid_synth(synth_);
  if (settings_ != nullptr) delete_fluid_settings(settings_);
  driver_ = nullptr;
  synth_ = nullptr;
  settings_ = nullptr;
  driverName_.clear();
}

uint32_t FluidSynthOutput::Send(const uint8_t* bytes, size_t size) {
  if (synth_ == nullptr) return MMSYSERR_INVALHANDLE;
  if (size == 0) return MMSYSERR_NOERROR;
  const int channel = bytes[0] & 0x0F;
  const int d1 = size > 1 ? bytes[1] : 0;
  const int d2 = size > 2 ? bytes[2] : 0;
  // A note-off for a note that no longer sounds is no failure of the device, so the
  // synthesizer's own results are not passed on.
  switch (bytes[0] & 0xF0) {
    case 0x80: fluid_synth_noteoff(synth_, channel, d1); break;
    case 0x90: fluid_synth_noteon(synth_, channel, d1, d2); break;
    case 0xA0: fluid_synth_key_pressure(synth_, channel, d1, d2); break;
    case 0xB0: fluid_synth_cc(synth_, channel, d1, d2); break;
    case 0xC0: fluid_synth_program_change(synth_, channel, d1); break;
    case 0xD0: fluid_synth_channel_pressure(synth_, channel, d1); break;
    case 0xE0: fluid_synth_pitch_bend(synth_, channel, d1 | (d2 << 7)); break;
    default:
      if (bytes[0] == 0xFF) fluid_synth_system_reset(synth_);
      break;  // clock, Start and Stop drive no sound
  }
  return MMSYSERR_NOERROR;
}

bool FluidSynthOutput::Render(float* left, float* right, int frames) {
  if (synth_ == nullptr) return false;
  return fluid_synth_write_float(synth_, frames, left, 0, 1, right, 0, 1) == FLUID_OK;
}

}  // namespace vamplet
