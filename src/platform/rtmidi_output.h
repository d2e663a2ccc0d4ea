// External MIDI ports: the ALSA sequencer's and a JACK server's, reached through RtMidi.
#pragma once

#include <atomic>
#include <memory>
#include <string>
#include <vector>

#include "platform/midi_backend.h"

class RtMidiOut;
typedef struct _jack_client jack_client_t;

namespace vamplet {

// What the port families share: opening a port by name through RtMidi.
class RtMidiPortBackend : public MidiPortBackend {
 public:
  uint32_t Connect(const std::string& port,
                   std::unique_ptr<MidiPortConnection>& connection) override;
  // True when the port is still listed; asked while sending, so a port that went away
  // (a keyboard unplugged) fails the send instead of swallowing it.
  virtual bool Present(const std::string& port);

 protected:
  explicit RtMidiPortBackend(int api) : api_(api) {}
  int api_;
};

// The sequencer's writable ports; no ports when /dev/snd/seq cannot be opened.
class AlsaPortBackend : public RtMidiPortBackend {
 public:
  AlsaPortBackend();
  ~AlsaPortBackend() override;
  std::string Label() const override { return "ALSA"; }
  std::vector<std::string> ListPorts() override;

 private:
  bool tried_ = false;
  std::unique_ptr<RtMidiOut> lister_;
};

// The MIDI input ports of a JACK server that already runs; none when no server answers
// or after the server has gone.
class JackPortBackend : public RtMidiPortBackend {
 public:
  JackPortBackend();
  ~JackPortBackend() override;
  std::string Label() const override { return "JACK"; }
  std::vector<std::string> ListPorts() override;

 private:
  static void OnShutdown(void* self);

  bool tried_ = false;
  jack_client_t* client_ = nullptr;
  std::atomic<bool> gone_{false};
};

}  // namespace vamplet
