// Tests of the chord type table: the entries the other parts rely on and its invariants.
#include <gtest/gtest.h>

#include <set>

#include "chords/chord_types.h"

namespace vamplet {
namespace {

using Offsets = std::array<int16_t, 6>;

TEST(ChordTypesTest, EntriesOthersDependOn) {
  const ChordTypeTable t;
  struct Case {
    int index;
    Text name;
    Offsets interval;
  } cases[] = {
      {0, U"", {0, 0, 4, 7, -1, -1}},
      {2, U"Maj7", {0, 0, 4, 7, 11, -1}},      // three-finger rule by number
      {5, U"Maj7(9)", {0, 0, 4, 7, 11, 2}},    // the highest note any chord reaches
      {8, U"m", {0, 0, 3, 7, -1, -1}},
      {10, U"m7", {0, 0, 3, 7, 10, -1}},
      {15, U"mMaj7", {0, 0, 3, 7, 11, -1}},
      {19, U"7", {0, 0, 4, 7, 10, -1}},
      {30, U"1+8", {0, 0, 0, 0, -1, -1}},
      {33, U"1+2+5", {0, 0, 2, 7, -1, -1}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.index);
    EXPECT_EQ(t.ChordTypes[c.index].Name, c.name);
    EXPECT_EQ(t.ChordTypes[c.index].Interval, c.interval);
  }
  // Same offsets, still two types with their own numbers.
  EXPECT_EQ(t.ChordTypes[21].Name, U"7b5");
  EXPECT_EQ(t.ChordTypes[23].Name, U"7(#11)");
  EXPECT_EQ(t.ChordTypes[21].Interval, t.ChordTypes[23].Interval);
}

TEST(ChordTypesTest, EveryEntryIsWellFormedAndNamesDifferIgnoringCase) {
  const ChordTypeTable t;
  std::set<Text> upperNames;
  for (int i = 0; i < kChordTypeCount; ++i) {
    SCOPED_TRACE(i);
    const auto& iv = t.ChordTypes[i].Interval;
    EXPECT_EQ(iv[1], 0);
    bool ended = false;
    for (int s = 1; s <= 5; ++s) {
      if (iv[s] == -1) {
        ended = true;
        continue;
      }
      EXPECT_FALSE(ended) << "tone after an empty slot " << s;
      EXPECT_GE(iv[s], 0);
      EXPECT_LE(iv[s], 11);
    }
    upperNames.insert(UpperAscii(t.ChordTypes[i].Name));
  }
  EXPECT_EQ(upperNames.size(), static_cast<size_t>(kChordTypeCount));
}

TEST(ChordTypesTest, InitRestoresTheTable) {
  ChordTypeTable t;
  const auto original = t.ChordTypes;
  t.ChordTypes[7].Name.push_back(U'x');
  t.ChordTypes[7].Interval = {9, 9, 9, 9, 9, 9};
  t.InitChordTypes();
  for (int i = 0; i < kChordTypeCount; ++i) {
    EXPECT_EQ(t.ChordTypes[i].Name, original[i].Name);
    EXPECT_EQ(t.ChordTypes[i].Interval, original[i].Interval);
  }
}

}  // namespace
}  // namespace vamplet
