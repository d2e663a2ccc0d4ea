// The chord type table: suffixes and tone offsets of the 34 chord types.
#include "chords/chord_types.h"

namespace vamplet {

namespace {

struct Row {
  const char32_t* name;
  int16_t i1, i2, i3, i4, i5;
};

// The order fixes the type numbers that charts, the voicing and the three-finger rule use.
constexpr Row kRows[kChordTypeCount] = {
    {U"", 0, 4, 7, -1, -1},          {U"6", 0, 4, 7, 9, -1},
    {U"Maj7", 0, 4, 7, 11, -1},      {U"Maj7(#11)", 0, 4, 6, 11, -1},
    {U"add(9)", 0, 4, 7, 2, -1},     {U"Maj7(9)", 0, 4, 7, 11, 2},
    {U"6(9)", 0, 4, 7, 9, 2},        {U"aug", 0, 4, 8, -1, -1},
    {U"m", 0, 3, 7, -1, -1},         {U"m6", 0, 3, 7, 9, -1},
    {U"m7", 0, 3, 7, 10, -1},        {U"m7b5", 0, 3, 6, 10, -1},
    {U"madd(9)", 0, 3, 7, 2, -1},    {U"m7(9)", 0, 3, 7, 10, 2},
    {U"m7(11)", 0, 3, 7, 10, 5},     {U"mMaj7", 0, 3, 7, 11, -1},
    {U"mMaj7(9)", 0, 3, 7, 11, 2},   {U"dim", 0, 3, 6, -1, -1},
    {U"dim7", 0, 3, 6, 9, -1},       {U"7", 0, 4, 7, 10, -1},
    {U"7sus4", 0, 5, 7, 10, -1},     {U"7b5", 0, 4, 6, 10, -1},
    {U"7(9)", 0, 4, 7, 10, 2},       {U"7(#11)", 0, 4, 6, 10, -1},
    {U"7(13)", 0, 4, 7, 10, 9},      {U"7(b9)", 0, 4, 7, 10, 1},
    {U"7(b13)", 0, 4, 7, 10, 8},     {U"7(#9)", 0, 4, 7, 10, 3},
    {U"Maj7aug", 0, 4, 7, 11, 8},    {U"7aug", 0, 4, 8, 10, -1},
    {U"1+8", 0, 0, 0, -1, -1},       {U"1+5", 0, 7, 7, -1, -1},
    {U"sus4", 0, 5, 7, -1, -1},      {U"1+2+5", 0, 2, 7, -1, -1},
};

}  // namespace

void ChordTypeTable::InitChordTypes() {
  for (int i = 0; i < kChordTypeCount; ++i) {
    const Row& r = kRows[i];
    ChordTypes[i].Name = r.name;
    ChordTypes[i].Interval = {0, r.i1, r.i2, r.i3, r.i4, r.i5};
  }
}

}  // namespace vamplet
