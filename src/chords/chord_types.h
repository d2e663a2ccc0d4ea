// The table of the 34 chord types the chart notation knows.
#pragma once

#include <array>
#include <cstdint>

#include "core/text.h"

namespace vamplet {

struct ChordTypeDef {
  Text Name;
  std::array<int16_t, 6> Interval{};  // slots 1..5; element 0 unused; -1 = no tone
};

constexpr int kChordTypeCount = 34;

class ChordTypeTable {
 public:
  ChordTypeTable() { InitChordTypes(); }
  void InitChordTypes();
  std::array<ChordTypeDef, kChordTypeCount> ChordTypes;
};

}  // namespace vamplet
