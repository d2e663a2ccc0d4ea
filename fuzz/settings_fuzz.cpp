// Fuzz target: any bytes decode as settings, and the decoded settings survive a write and read.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <vector>

#include "app/logic/settings_file.h"

namespace {

void Require(bool condition) {
  if (!condition) std::abort();
}

bool SameStored(const vamplet::Settings& a, const vamplet::Settings& b) {
  return a.Fingering == b.Fingering && a.ChordFileDir == b.ChordFileDir &&
         a.ChordFileName == b.ChordFileName && a.TextSize == b.TextSize &&
         a.ChordPort == b.ChordPort && a.ChordChannel == b.ChordChannel && a.Intro == b.Intro &&
         a.Fill == b.Fill && a.Chords == b.Chords && a.Repeat == b.Repeat;
}

bool FitsLengthField(const vamplet::Text& text) {
  return vamplet::ToUtf8(text).size() <= static_cast<size_t>(std::numeric_limits<int16_t>::max());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using vamplet::Settings;
  const std::vector<unsigned char> bytes(data, data + size);

  Settings first;
  first.ProgramDir = U"/program/";
  vamplet::DecodeSettings(bytes, first);
  const std::vector<unsigned char> image = vamplet::EncodeSettings(first);
  Require(image.size() >= 22);
  const size_t n = static_cast<size_t>(image[4] | (image[5] << 8));
  Require(image.size() >= 8 + n);
  const size_t m = static_cast<size_t>(image[6 + n] | (image[7 + n] << 8));
  Require(image.size() == 22 + n + m);

  Settings second;
  second.ProgramDir = first.ProgramDir;
  vamplet::DecodeSettings(image, second);
  Require(vamplet::EncodeSettings(second) == image);
  // Only a text too long for its length field may change: it is stored empty on purpose.
  if (FitsLengthField(first.ChordFileDir) && FitsLengthField(first.ChordFileName)) {
    Require(SameStored(first, second));
  }
  return 0;
}
