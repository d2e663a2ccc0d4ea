// The seams behind the system MIDI service: the built-in synthesizer and the port back ends.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace vamplet {

// The synthesizer that sounds through the computer's speakers.
class BuiltInSynth {
 public:
  virtual ~BuiltInSynth() = default;
  // Brings up the synthesizer and its audio output; a result code.
  virtual uint32_t Start() = 0;
  virtual uint32_t Send(const uint8_t* bytes, size_t size) = 0;
  virtual void Stop() = 0;
};

// One open connection to an external port.
class MidiPortConnection {
 public:
  virtual ~MidiPortConnection() = default;
  virtual uint32_t Send(const uint8_t* bytes, size_t size) = 0;
};

// A family of external ports (the ALSA sequencer, a JACK server).
class MidiPortBackend {
 public:
  virtual ~MidiPortBackend() = default;
  // Shown before the port name, so the user can tell the families apart.
  virtual std::string Label() const = 0;
  // The ports present now; empty when the family is not available.
  virtual std::vector<std::string> ListPorts() = 0;
  virtual uint32_t Connect(const std::string& port,
                           std::unique_ptr<MidiPortConnection>& connection) = 0;
};

}  // namespace vamplet
