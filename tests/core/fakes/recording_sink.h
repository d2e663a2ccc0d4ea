// A chord port that records every short message and can be told to refuse them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "chords/short_message_sink.h"

namespace vamplet::test {

class RecordingSink : public ShortMessageSink {
 public:
  // `journal`, when given, receives a "send <message>" entry (decimal) per message.
  explicit RecordingSink(std::vector<std::string>* journal = nullptr) : journal_(journal) {}

  bool SendShortMsg(uint32_t message) override {
    messages.push_back(message);
    if (journal_) journal_->push_back("send " + std::to_string(message));
    return accept;
  }

  std::vector<uint32_t> messages;  // every message offered, accepted or not
  bool accept = true;              // false: report every send as failed

 private:
  std::vector<std::string>* journal_;
};

}  // namespace vamplet::test
