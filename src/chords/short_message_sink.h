// The seam through which chords, clock, Start and Stop reach the chord port.
#pragma once

#include <cstdint>

namespace vamplet {

// A packed short message: status + data1 * 256 + data2 * 65536.
inline uint32_t PackShortMsg(int status, int data1 = 0, int data2 = 0) {
  return static_cast<uint32_t>(status) + static_cast<uint32_t>(data1) * 256u +
         static_cast<uint32_t>(data2) * 65536u;
}

class ShortMessageSink {
 public:
  virtual ~ShortMessageSink() = default;
  // Sends one message to the chord port; false when nothing was sent.
  virtual bool SendShortMsg(uint32_t message) = 0;
};

}  // namespace vamplet
