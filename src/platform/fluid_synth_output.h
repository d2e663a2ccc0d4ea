// The built-in synthesizer: FluidSynth with a General MIDI sound font.
#pragma once

#include <string>
#include <vector>

#include "platform/midi_backend.h"

typedef struct _fluid_hashtable_t fluid_settings_t;
typedef struct _fluid_synth_t fluid_synth_t;
typedef struct _fluid_audio_driver_t fluid_audio_driver_t;

namespace vamplet {

struct FluidSynthOptions {
  // Sound font files tried in order; the first that exists is loaded.
  std::vector<std::string> soundFonts = DefaultSoundFonts();
  // Without audio the synthesizer only renders on request (Render); for checks of its sound.
  bool audio = true;

  static std::vector<std::string> DefaultSoundFonts();
};

class FluidSynthOutput : public BuiltInSynth {
 public:
  explicit FluidSynthOutput(FluidSynthOptions options = {});
  ~FluidSynthOutput() override;
  FluidSynthOutput(const FluidSynthOutput&) = delete;
  FluidSynthOutput& operator=(const FluidSynthOutput&) = delete;

  // Result codes: 6 when no sound font can be loaded, 67 when no audio output opens,
  // 7 when FluidSynth cannot allocate the synthesizer.
  uint32_t Start() override;
  uint32_t Send(const uint8_t* bytes, size_t size) override;
  void Stop() override;

  // Renders frames of stereo audio into the two buffers; only while started.
  bool Render(float* left, float* right, int frames);
  // The audio driver that opened, empty while none runs.
  const std::string& AudioDriver() const { return driverName_; }

 private:
  bool StartAudio();

  FluidSynthOptions options_;
  fluid_settings_t* settings_ = nullptr;
  fluid_synth_t* synth_ = nullptr;
  fluid_audio_driver_t* driver_ = nullptr;
  std::string driverName_;
};

}  // namespace vamplet
