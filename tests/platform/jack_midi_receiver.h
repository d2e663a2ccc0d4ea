// A JACK client with one MIDI input port that keeps every message it receives.
#pragma once

#include <jack/ringbuffer.h>

#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

typedef struct _jack_client jack_client_t;
typedef struct _jack_port jack_port_t;

namespace vamplet::test {

class JackMidiReceiver {
 public:
  // Opens the client under exactly `clientName` with the input port "in"; Ready() tells.
  explicit JackMidiReceiver(const std::string& clientName);
  ~JackMidiReceiver();
  JackMidiReceiver(const JackMidiReceiver&) = delete;
  JackMidiReceiver& operator=(const JackMidiReceiver&) = delete;

  bool Ready() const { return client_ != nullptr; }
  // Waits until `count` messages have arrived or the timeout passes; all arrived so far.
  std::vector<std::vector<uint8_t>> Wait(size_t count, std::chrono::milliseconds timeout);
  // Leaves the server; the port vanishes from the graph.
  void Close();

 private:
  static int Process(uint32_t frames, void* self);
  void Drain();

  jack_client_t* client_ = nullptr;
  jack_port_t* port_ = nullptr;
  jack_ringbuffer_t* ring_ = nullptr;
  std::vector<std::vector<uint8_t>> received_;
};

}  // namespace vamplet::test
