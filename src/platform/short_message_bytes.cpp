// Unpacking a packed short message into the bytes that go over the wire.
#include "platform/short_message_bytes.h"

namespace vamplet {

namespace {

size_t MessageLength(uint8_t status) {
  if (status < 0x80) return 0;
  if (status < 0xC0) return 3;
  if (status < 0xE0) return 2;
  if (status < 0xF0) return 3;
  switch (status) {
    case 0xF1:
    case 0xF3: return 2;
    case 0xF2: return 3;
    case 0xF6: return 1;
    case 0xF0:
    case 0xF4:
    case 0xF5:
    case 0xF7: return 0;
    default: return 1;  // real-time messages 0xF8..0xFF
  }
}

}  // namespace

ShortMessageBytes UnpackShortMsg(uint32_t message) {
  ShortMessageBytes out;
  for (size_t i = 0; i < 3; ++i) out.bytes[i] = static_cast<uint8_t>(message >> (8 * i));
  const size_t length = MessageLength(out.bytes[0]);
  for (size_t i = 1; i < length; ++i) {
    if (out.bytes[i] & 0x80) return {};
  }
  out.size = length;
  return out;
}

}  // namespace vamplet
