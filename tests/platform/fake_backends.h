// Scripted stand-ins for the built-in synthesizer and a port family, with what they were sent.
#pragma once

#include <map>
#include <vector>

#include "midi/midi_out_service.h"
#include "platform/midi_backend.h"

namespace vamplet::test {

struct SentLog {
  std::vector<std::vector<uint8_t>> messages;
};

class FakeSynth : public BuiltInSynth {
 public:
  explicit FakeSynth(SentLog& log) : log_(log) {}
  uint32_t Start() override {
    ++starts;
    if (startResult == MMSYSERR_NOERROR) running = true;
    return startResult;
  }
  uint32_t Send(const uint8_t* bytes, size_t size) override {
    log_.messages.emplace_back(bytes, bytes + size);
    return running ? MMSYSERR_NOERROR : MMSYSERR_INVALHANDLE;
  }
  void Stop() override {
    ++stops;
    running = false;
  }

  uint32_t startResult = MMSYSERR_NOERROR;
  int starts = 0;
  int stops = 0;
  bool running = false;

 private:
  SentLog& log_;
};

class FakePortFamily : public MidiPortBackend {
 public:
  FakePortFamily(std::string label, SentLog& log) : label_(std::move(label)), log_(log) {}
  std::string Label() const override { return label_; }
  std::vector<std::string> ListPorts() override {
    ++listings;
    return ports;
  }
  uint32_t Connect(const std::string& port,
                   std::unique_ptr<MidiPortConnection>& connection) override {
    connects.push_back(port);
    if (auto it = connectResults.find(port); it != connectResults.end()) return it->second;
    connection = std::make_unique<Connection>(log_);
    return MMSYSERR_NOERROR;
  }

  std::vector<std::string> ports;
  std::map<std::string, uint32_t> connectResults;
  std::vector<std::string> connects;
  int listings = 0;

 private:
  struct Connection : MidiPortConnection {
    explicit Connection(SentLog& log) : log(log) {}
    uint32_t Send(const uint8_t* bytes, size_t size) override {
      log.messages.emplace_back(bytes, bytes + size);
      return MMSYSERR_NOERROR;
    }
    SentLog& log;
  };
  std::string label_;
  SentLog& log_;
};

}  // namespace vamplet::test
