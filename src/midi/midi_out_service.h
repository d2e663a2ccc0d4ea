// What the program needs of the system's MIDI output: the multimedia calls' contract.
#pragma once

#include <cstdint>
#include <string>

namespace vamplet {

// Result codes, as the multimedia MIDI calls give them.
enum MidiResultCode : uint32_t {
  MMSYSERR_NOERROR = 0,
  MMSYSERR_BADDEVICEID = 2,
  MMSYSERR_NOTENABLED = 3,
  MMSYSERR_ALLOCATED = 4,
  MMSYSERR_INVALHANDLE = 5,
  MMSYSERR_NODRIVER = 6,
  MMSYSERR_NOMEM = 7,
  MIDIERR_STILLPLAYING = 65,
  MIDIERR_NOMAP = 66,
  MIDIERR_NOTREADY = 67,
  MIDIERR_NODEVICE = 68,
};

// The device id that opens the mapper: the output for the count-in and fill clicks.
constexpr int32_t MIDI_MAPPER = -1;
// The handle value of a port that is not open.
constexpr int32_t kClosedHandle = -1;

class MidiOutService {
 public:
  virtual ~MidiOutService() = default;
  virtual uint32_t GetNumDevs() = 0;
  // Stores the device's product name (UTF-8) and returns a result code.
  virtual uint32_t GetDevCaps(uint32_t deviceId, std::string& productName) = 0;
  // Opens a device id 0..count-1, or MIDI_MAPPER; stores a handle on success.
  virtual uint32_t Open(int32_t deviceId, int32_t& handle) = 0;
  virtual uint32_t ShortMsg(int32_t handle, uint32_t message) = 0;
  virtual uint32_t Close(int32_t handle) = 0;
};

}  // namespace vamplet
