// A JACK client with one MIDI input port that keeps every message it receives.
#include "jack_midi_receiver.h"

#include <jack/jack.h>
#include <jack/midiport.h>
#include <jack/ringbuffer.h>

#include <thread>

namespace vamplet::test {

JackMidiReceiver::JackMidiReceiver(const std::string& clientName) {
  ring_ = jack_ringbuffer_create(1 << 16);
  client_ = jack_client_open(clientName.c_str(),
                             static_cast<jack_options_t>(JackNoStartServer | JackUseExactName),
                             nullptr);
  if (client_ == nullptr) return;
  port_ = jack_port_register(client_, "in", JACK_DEFAULT_MIDI_TYPE, JackPortIsInput, 0);
  if (port_ == nullptr || jack_set_process_callback(client_, Process, this) != 0 ||
      jack_activate(client_) != 0) {
    Close();
  }
}

JackMidiReceiver::~JackMidiReceiver() {
  Close();
  jack_ringbuffer_free(ring_);
}

void JackMidiReceiver::Close() {
  if (client_ == nullptr) return;
  jack_client_close(client_);
  client_ = nullptr;
  port_ = nullptr;
}

// Runs on JACK's thread: each message goes into the ring as one length byte and its bytes.
int JackMidiReceiver::Process(uint32_t frames, void* self) {
  auto* r = static_cast<JackMidiReceiver*>(self);
  void* buffer = jack_port_get_buffer(r->port_, frames);
  const uint32_t count = jack_midi_get_event_count(buffer);
  for (uint32_t i = 0; i < count; ++i) {
    jack_midi_event_t event;
    if (jack_midi_event_get(&event, buffer, i) != 0 || event.size > 255) continue;
    if (jack_ringbuffer_write_space(r->ring_) < event.size + 1) break;
    const char size = static_cast<char>(event.size);
    jack_ringbuffer_write(r->ring_, &size, 1);
    jack_ringbuffer_write(r->ring_, reinterpret_cast<const char*>(event.buffer), event.size);
  }
  return 0;
}

void JackMidiReceiver::Drain() {
  unsigned char size = 0;
  while (jack_ringbuffer_peek(ring_, reinterpret_cast<char*>(&size), 1) == 1 &&
         jack_ringbuffer_read_space(ring_) >= size + 1u) {
    jack_ringbuffer_read_advance(ring_, 1);
    std::vector<uint8_t> message(size);
    jack_ringbuffer_read(ring_, reinterpret_cast<char*>(message.data()), size);
    received_.push_back(std::move(message));
  }
}

std::vector<std::vector<uint8_t>> JackMidiReceiver::Wait(size_t count,
                                                         std::chrono::milliseconds timeout) {
  const auto end = std::chrono::steady_clock::now() + timeout;
  Drain();
  while (received_.size() < count && std::chrono::steady_clock::now() < end) {
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
    Drain();
  }
  return received_;
}

}  // namespace vamplet::test
