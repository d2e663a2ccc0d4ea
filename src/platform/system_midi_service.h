// The MIDI output service of this system: the built-in synthesizer, then the external ports.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "midi/midi_out_service.h"
#include "platform/midi_backend.h"

namespace vamplet {

// Device 0 and MIDI_MAPPER both open the one built-in synthesizer, which starts at the
// first open and stops at the last close. The external ports follow, family by family.
// The device list is taken once, at the first query, so ids stay fixed for the run.
class SystemMidiService : public MidiOutService {
 public:
  SystemMidiService(std::unique_ptr<BuiltInSynth> synth,
                    std::vector<std::unique_ptr<MidiPortBackend>> backends);
  ~SystemMidiService() override;

  uint32_t GetNumDevs() override;
  uint32_t GetDevCaps(uint32_t deviceId, std::string& productName) override;
  uint32_t Open(int32_t deviceId, int32_t& handle) override;
  uint32_t ShortMsg(int32_t handle, uint32_t message) override;
  uint32_t Close(int32_t handle) override;

  static constexpr const char* kSynthName = "Vamplet built-in synthesizer";

 private:
  struct Device {
    std::string name;
    MidiPortBackend* backend = nullptr;  // null for the synthesizer
    std::string port;
  };
  struct OpenPort {
    std::unique_ptr<MidiPortConnection> connection;  // null for the synthesizer
  };

  void TakeDeviceList();

  std::unique_ptr<BuiltInSynth> synth_;
  std::vector<std::unique_ptr<MidiPortBackend>> backends_;
  bool listed_ = false;
  std::vector<Device> devices_;
  // Declared after the back ends, so connections close before their back ends go.
  std::map<int32_t, OpenPort> open_;
  int synthUsers_ = 0;
  int32_t nextHandle_ = 1;
};

// The service over the real back ends: FluidSynth, the ALSA sequencer and JACK.
std::unique_ptr<MidiOutService> CreateSystemMidiService();

}  // namespace vamplet
