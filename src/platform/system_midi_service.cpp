// The MIDI output service of this system: the built-in synthesizer, then the external ports.
#include "platform/system_midi_service.h"

#include <limits>

#include "platform/backend_quiet.h"
#include "platform/fluid_synth_output.h"
#include "platform/rtmidi_output.h"
#include "platform/short_message_bytes.h"

namespace vamplet {

namespace {

// Not a Windows code in the result table: an argument the call cannot take, such as a
// value that is no complete short message. The user is never shown a failed send.
constexpr uint32_t kInvalidParameter = 11;

}  // namespace

SystemMidiService::SystemMidiService(std::unique_ptr<BuiltInSynth> synth,
                                     std::vector<std::unique_ptr<MidiPortBackend>> backends)
    : synth_(std::move(synth)), backends_(std::move(backends)) {}

SystemMidiService::~SystemMidiService() {
  open_.clear();
  if (synthUsers_ > 0 && synth_) synth_->Stop();
}

void SystemMidiService::TakeDeviceList() {
  if (listed_) return;
  listed_ = true;
  devices_.push_back({kSynthName, nullptr, ""});
  for (const auto& backend : backends_) {
    for (const std::string& port : backend->ListPorts()) {
      devices_.push_back({backend->Label() + ": " + port, backend.get(), port});
    }
  }
}

uint32_t SystemMidiService::GetNumDevs() {
  TakeDeviceList();
  return static_cast<uint32_t>(devices_.size());
}

uint32_t SystemMidiService::GetDevCaps(uint32_t deviceId, std::string& productName) {
  TakeDeviceList();
  if (deviceId >= devices_.size()) return MMSYSERR_BADDEVICEID;
  productName = devices_[deviceId].name;
  return MMSYSERR_NOERROR;
}

uint32_t SystemMidiService::Open(int32_t deviceId, int32_t& handle) {
  TakeDeviceList();
  if (nextHandle_ == std::numeric_limits<int32_t>::max()) return MMSYSERR_NOMEM;
  if (deviceId == MIDI_MAPPER || deviceId == 0) {
    if (!synth_) return MIDIERR_NOMAP;
    if (synthUsers_ == 0) {
      const uint32_t result = synth_->Start();
      if (result != MMSYSERR_NOERROR) return result;
    }
    ++synthUsers_;
    handle = nextHandle_++;
    open_[handle] = OpenPort{};
    return MMSYSERR_NOERROR;
  }
  if (deviceId < 0 || static_cast<size_t>(deviceId) >= devices_.size()) {
    return MMSYSERR_BADDEVICEID;
  }
  const Device& device = devices_[static_cast<size_t>(deviceId)];
  std::unique_ptr<MidiPortConnection> connection;
  const uint32_t result = device.backend->Connect(device.port, connection);
  if (result != MMSYSERR_NOERROR) return result;
  if (!connection) return MIDIERR_NOTREADY;
  handle = nextHandle_++;
  open_[handle] = OpenPort{std::move(connection)};
  return MMSYSERR_NOERROR;
}

uint32_t SystemMidiService::ShortMsg(int32_t handle, uint32_t message) {
  const auto it = open_.find(handle);
  if (it == open_.end()) return MMSYSERR_INVALHANDLE;
  const ShortMessageBytes m = UnpackShortMsg(message);
  if (m.size == 0) return kInvalidParameter;
  if (it->second.connection) return it->second.connection->Send(m.bytes.data(), m.size);
  return synth_->Send(m.bytes.data(), m.size);
}

uint32_t SystemMidiService::Close(int32_t handle) {
  const auto it = open_.find(handle);
  if (it == open_.end()) return MMSYSERR_INVALHANDLE;
  const bool synth = !it->second.connection;
  open_.erase(it);
  if (synth && --synthUsers_ == 0) synth_->Stop();
  return MMSYSERR_NOERROR;
}

std::unique_ptr<MidiOutService> CreateSystemMidiService() {
  QuietSoundLibraries();
  std::vector<std::unique_ptr<MidiPortBackend>> backends;
  backends.push_back(std::make_unique<AlsaPortBackend>());
  backends.push_back(std::make_unique<JackPortBackend>());
  return std::make_unique<SystemMidiService>(std::make_unique<FluidSynthOutput>(),
                                             std::move(backends));
}

}  // namespace vamplet
