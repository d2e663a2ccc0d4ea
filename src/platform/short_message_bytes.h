// Unpacking a packed short message into the bytes that go over the wire.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace vamplet {

struct ShortMessageBytes {
  std::array<uint8_t, 3> bytes{};
  size_t size = 0;  // 0 when the value is no complete short message
};

// Status byte first; the length follows from the status. Running status, system exclusive
// and data bytes with the top bit set give size 0, since they would corrupt the stream.
ShortMessageBytes UnpackShortMsg(uint32_t message);

}  // namespace vamplet
