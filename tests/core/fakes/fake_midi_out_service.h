// A scripted MIDI output service: devices and result codes set by the test, calls recorded.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "midi/midi_out_service.h"

namespace vamplet::test {

struct MidiCall {
  std::string op;  // "Open", "ShortMsg", "Close", "GetDevCaps"
  int32_t arg = 0;  // device id or handle
  uint32_t message = 0;

  bool operator==(const MidiCall&) const = default;
};

class FakeMidiOutService : public MidiOutService {
 public:
  uint32_t GetNumDevs() override { return numDevs.value_or(static_cast<uint32_t>(names.size())); }
  uint32_t GetDevCaps(uint32_t deviceId, std::string& productName) override {
    calls.push_back({"GetDevCaps", static_cast<int32_t>(deviceId)});
    if (auto it = capsResults.find(deviceId); it != capsResults.end()) return it->second;
    if (deviceId >= names.size()) return MMSYSERR_BADDEVICEID;
    productName = names[deviceId];
    return MMSYSERR_NOERROR;
  }
  uint32_t Open(int32_t deviceId, int32_t& handle) override {
    calls.push_back({"Open", deviceId});
    if (auto it = openResults.find(deviceId); it != openResults.end() && it->second != 0) {
      return it->second;
    }
    handle = nextHandle++;
    open[handle] = deviceId;
    return MMSYSERR_NOERROR;
  }
  uint32_t ShortMsg(int32_t handle, uint32_t message) override {
    calls.push_back({"ShortMsg", handle, message});
    if (!open.count(handle)) return MMSYSERR_INVALHANDLE;
    return sendResult;
  }
  uint32_t Close(int32_t handle) override {
    calls.push_back({"Close", handle});
    return open.erase(handle) ? MMSYSERR_NOERROR : MMSYSERR_INVALHANDLE;
  }

  // The device a handle belongs to, or -2 when the handle is not open.
  int32_t DeviceOf(int32_t handle) const {
    auto it = open.find(handle);
    return it == open.end() ? -2 : it->second;
  }
  std::vector<MidiCall> CallsOf(const std::string& op) const {
    std::vector<MidiCall> out;
    for (const MidiCall& c : calls) {
      if (c.op == op) out.push_back(c);
    }
    return out;
  }

  std::vector<std::string> names;          // device id -> product name
  std::optional<uint32_t> numDevs;         // overrides the count when set
  std::map<uint32_t, uint32_t> capsResults;  // device id -> failing query result
  std::map<int32_t, uint32_t> openResults;   // device id (or MIDI_MAPPER) -> open result
  uint32_t sendResult = MMSYSERR_NOERROR;
  std::map<int32_t, int32_t> open;           // handle -> device id
  int32_t nextHandle = 100;
  std::vector<MidiCall> calls;
};

}  // namespace vamplet::test
