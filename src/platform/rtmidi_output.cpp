// External MIDI ports: the ALSA sequencer's and a JACK server's, reached through RtMidi.
#include "platform/rtmidi_output.h"

#include <alsa/asoundlib.h>
#include <jack/jack.h>
#include <rtmidi/RtMidi.h>

#include <algorithm>
#include <chrono>

#include "midi/midi_out_service.h"

namespace vamplet {

namespace {

constexpr const char* kClientName = "Vamplet";
// How often a send looks whether its port is still there; listing the ports costs more
// than a Timing Clock interval allows at every message.
constexpr std::chrono::milliseconds kPresenceInterval{200};

// RtMidi reports through this instead of printing or throwing once it is set.
struct ErrorLog {
  bool failed = false;
  RtMidiError::Type type = RtMidiError::UNSPECIFIED;

  static void Record(RtMidiError::Type type, const std::string&, void* self) {
    if (type == RtMidiError::WARNING || type == RtMidiError::DEBUG_WARNING) return;
    auto* log = static_cast<ErrorLog*>(self);
    log->failed = true;
    log->type = type;
  }
};

uint32_t CodeOf(RtMidiError::Type type) {
  switch (type) {
    case RtMidiError::MEMORY_ERROR: return MMSYSERR_NOMEM;
    case RtMidiError::DRIVER_ERROR:
    case RtMidiError::NO_DEVICES_FOUND: return MMSYSERR_NODRIVER;
    case RtMidiError::INVALID_DEVICE:
    case RtMidiError::INVALID_PARAMETER: return MIDIERR_NODEVICE;
    default: return MIDIERR_NOTREADY;
  }
}

class RtMidiConnection : public MidiPortConnection {
 public:
  RtMidiConnection(RtMidiPortBackend& backend, std::string port, std::unique_ptr<RtMidiOut> out,
                   std::unique_ptr<ErrorLog> log)
      : backend_(backend), port_(std::move(port)), out_(std::move(out)), log_(std::move(log)),
        checked_(std::chrono::steady_clock::now()) {}

  uint32_t Send(const uint8_t* bytes, size_t size) override {
    if (vanished_) return MIDIERR_NODEVICE;
    const auto now = std::chrono::steady_clock::now();
    if (now - checked_ >= kPresenceInterval) {
      checked_ = now;
      // Once gone, the connection stays gone: a port plugged in again is a new device
      // that the port menu opens afresh.
      if (!backend_.Present(port_)) {
        vanished_ = true;
        return MIDIERR_NODEVICE;
      }
    }
    log_->failed = false;
    try {
      out_->sendMessage(bytes, size);
    } catch (...) {
      return MIDIERR_NOTREADY;
    }
    return log_->failed ? MIDIERR_NOTREADY : MMSYSERR_NOERROR;
  }

 private:
  RtMidiPortBackend& backend_;
  std::string port_;
  std::unique_ptr<RtMidiOut> out_;
  std::unique_ptr<ErrorLog> log_;
  std::chrono::steady_clock::time_point checked_;
  bool vanished_ = false;
};

}  // namespace

bool RtMidiPortBackend::Present(const std::string& port) {
  const std::vector<std::string> ports = ListPorts();
  return std::find(ports.begin(), ports.end(), port) != ports.end();
}

uint32_t RtMidiPortBackend::Connect(const std::string& port,
                                    std::unique_ptr<MidiPortConnection>& connection) {
  if (!Present(port)) return MIDIERR_NODEVICE;
  auto log = std::make_unique<ErrorLog>();
  std::unique_ptr<RtMidiOut> out;
  try {
    out = std::make_unique<RtMidiOut>(static_cast<RtMidi::Api>(api_), kClientName);
    out->setErrorCallback(ErrorLog::Record, log.get());
    const unsigned count = out->getPortCount();
    unsigned index = count;
    for (unsigned i = 0; i < count && index == count; ++i) {
      if (out->getPortName(i) == port) index = i;
    }
    if (log->failed) return CodeOf(log->type);
    if (index == count) return MIDIERR_NODEVICE;
    out->openPort(index, "Chords");
  } catch (const RtMidiError& e) {
    return CodeOf(e.getType());
  } catch (const std::bad_alloc&) {
    return MMSYSERR_NOMEM;
  } catch (...) {
    return MIDIERR_NOTREADY;
  }
  if (log->failed || !out->isPortOpen()) return log->failed ? CodeOf(log->type) : MIDIERR_NOTREADY;
  connection = std::make_unique<RtMidiConnection>(*this, port, std::move(out), std::move(log));
  return MMSYSERR_NOERROR;
}

AlsaPortBackend::AlsaPortBackend() : RtMidiPortBackend(RtMidi::LINUX_ALSA) {}
AlsaPortBackend::~AlsaPortBackend() = default;

std::vector<std::string> AlsaPortBackend::ListPorts() {
  if (!tried_) {
    tried_ = true;
    // RtMidi prints before it throws when the sequencer is missing; asking first keeps
    // a machine without one quiet.
    snd_seq_t* seq = nullptr;
    if (snd_seq_open(&seq, "default", SND_SEQ_OPEN_OUTPUT, SND_SEQ_NONBLOCK) == 0) {
      snd_seq_close(seq);
      try {
        lister_ = std::make_unique<RtMidiOut>(RtMidi::LINUX_ALSA, kClientName);
        lister_->setErrorCallback([](RtMidiError::Type, const std::string&, void*) {});
      } catch (...) {
        lister_.reset();
      }
    }
  }
  std::vector<std::string> ports;
  if (!lister_) return ports;
  try {
    const unsigned count = lister_->getPortCount();
    for (unsigned i = 0; i < count; ++i) {
      std::string name = lister_->getPortName(i);
      if (!name.empty()) ports.push_back(std::move(name));
    }
  } catch (...) {
    ports.clear();
  }
  return ports;
}

JackPortBackend::JackPortBackend() : RtMidiPortBackend(RtMidi::UNIX_JACK) {}

JackPortBackend::~JackPortBackend() {
  if (client_ != nullptr) jack_client_close(client_);
}

void JackPortBackend::OnShutdown(void* self) {
  static_cast<JackPortBackend*>(self)->gone_ = true;
}

std::vector<std::string> JackPortBackend::ListPorts() {
  if (!tried_) {
    tried_ = true;
    client_ = jack_client_open(kClientName, JackNoStartServer, nullptr);
    if (client_ != nullptr) jack_on_shutdown(client_, OnShutdown, this);
  }
  std::vector<std::string> ports;
  if (client_ == nullptr || gone_) return ports;
  const char** names =
      jack_get_ports(client_, nullptr, JACK_DEFAULT_MIDI_TYPE, JackPortIsInput);
  if (names == nullptr) return ports;
  for (const char** n = names; *n != nullptr; ++n) ports.emplace_back(*n);
  jack_free(names);
  return ports;
}

}  // namespace vamplet
