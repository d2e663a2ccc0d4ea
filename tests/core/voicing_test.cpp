// Tests of the chord voicing: the keys of every fingering, the messages sent and the markers.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "chords/voicing.h"
#include "fakes/fake_key_markers.h"
#include "fakes/recording_sink.h"

namespace vamplet {
namespace {

using test::FakeKeyMarkers;
using test::MarkerCall;
using test::RecordingSink;
using Notes = std::array<int16_t, 6>;

uint32_t On(int note, int channel = 0) { return PackShortMsg(144 + channel, note, 100); }
uint32_t Off(int note, int channel = 0) { return PackShortMsg(128 + channel, note, 100); }

class VoicingTest : public ::testing::Test {
 protected:
  ChordTypeTable types;
  Settings settings;
  std::vector<std::string> journal;
  RecordingSink sink{&journal};
  FakeKeyMarkers markers{&journal};
  Voicing voicing{types, settings, sink, markers};
};

TEST_F(VoicingTest, KeysOfEachFingering) {
  enum { C = 0, Cs = 1, D = 2, E = 4, F = 5, Fs = 6, G = 7, A = 9, B = 11 };
  struct Case {
    int fingering;
    int16_t root;
    int16_t type;
    Notes notes;  // slots 1..5
  } cases[] = {
      {0, C, 0, {0, 36, 40, 43, -1, -1}},
      {0, G, 19, {0, 43, 47, 50, 53, -1}},
      {0, B, 5, {0, 47, 51, 54, 58, 49}},
      {0, C, 30, {0, 36, 36, 36, -1, -1}},
      {1, G, 19, {0, 43, 47, -1, 53, -1}},
      {1, C, 2, {0, 36, 40, -1, 47, -1}},
      {1, C, 10, {0, 36, 39, -1, 46, -1}},
      {1, C, 15, {0, 36, 39, -1, 47, -1}},
      {1, C, 1, {0, 36, 40, 43, -1, -1}},
      {1, C, 22, {0, 36, 40, 43, -1, -1}},
      {1, C, 11, {0, 36, 39, 42, -1, -1}},
      {2, G, 19, {0, 43, 47, -1, 41, -1}},
      {2, A, 8, {0, 45, 36, 40, -1, -1}},
      {2, B, 5, {0, 47, 39, 42, -1, -1}},
      {3, C, 19, {0, 48, 47, -1, -1, -1}},
      {3, C, 8, {0, 48, 46, -1, -1, -1}},
      {3, C, 10, {0, 48, 46, -1, -1, -1}},
      {3, Cs, 8, {0, 49, 47, -1, -1, -1}},
      {3, Cs, 19, {0, 49, 48, -1, -1, -1}},
      {3, D, 19, {0, 38, 36, -1, -1, -1}},
      {3, D, 8, {0, 38, 37, -1, -1, -1}},
      {3, E, 19, {0, 40, 38, -1, -1, -1}},
      {3, F, 8, {0, 41, 39, -1, -1, -1}},
      {3, Fs, 8, {0, 42, 40, -1, -1, -1}},
      {3, C, 2, {0, 48, 47, -1, -1, -1}},
      {3, C, 1, {0, 48, -1, -1, -1, -1}},
      {3, B, 17, {0, 47, -1, -1, -1, -1}},
      {4, C, 2, {0, 48, 47, -1, -1, -1}},
      {4, C, 15, {0, 48, 47, -1, -1, -1}},
      {4, C, 28, {0, 48, 47, -1, -1, -1}},
      {4, C, 8, {0, 48, 51, -1, -1, -1}},
      {4, C, 19, {0, 48, 46, -1, -1, -1}},
      {4, C, 18, {0, 48, 46, -1, -1, -1}},
      {4, C, 17, {0, 48, 54, -1, -1, -1}},
      {4, C, 7, {0, 48, -1, -1, -1, -1}},
      {4, D, 19, {0, 38, 36, -1, -1, -1}},
      {4, Cs, 17, {0, 49, 55, -1, -1, -1}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message() << "fingering " << c.fingering << " root " << c.root
                                      << " type " << c.type);
    settings.Fingering = static_cast<int16_t>(c.fingering);
    sink.messages.clear();
    markers.calls.clear();
    voicing.CurRoot = -1;
    voicing.PlayChord(c.root, c.type, true);

    std::vector<uint32_t> expectedMessages;
    std::vector<MarkerCall> expectedMarkers{{true, 0, 0}};
    for (int i = 1; i <= 5; ++i) {
      EXPECT_EQ(voicing.ChordNotes[i], c.notes[i]) << "slot " << i;
      if (c.notes[i] < 0) continue;
      expectedMessages.push_back(On(c.notes[i]));
      expectedMarkers.push_back({false, c.notes[i], static_cast<int16_t>(i - 1)});
    }
    EXPECT_EQ(sink.messages, expectedMessages);
    EXPECT_EQ(markers.calls, expectedMarkers);
    EXPECT_EQ(voicing.CurRoot, c.root);
    EXPECT_EQ(voicing.CurType, c.type);
  }
}

// Every chord stays on the on-screen keys, and its release silences exactly what it struck.
TEST_F(VoicingTest, EveryChordStaysInRangeAndReleasesWhatItStruck) {
  const int16_t lowest[] = {36, 36, 36, 36, 36};
  const int16_t highest[] = {58, 58, 47, 49, 55};
  for (int16_t f = 0; f <= 4; ++f) {
    settings.Fingering = f;
    for (int16_t root = 0; root <= 11; ++root) {
      for (int16_t type = 0; type < kChordTypeCount; ++type) {
        SCOPED_TRACE(::testing::Message() << f << "/" << root << "/" << type);
        sink.messages.clear();
        voicing.PlayChord(root, type, true);
        ASSERT_FALSE(sink.messages.empty());
        std::vector<uint32_t> offs;
        for (uint32_t m : sink.messages) {
          const int note = static_cast<int>((m >> 8) & 0xFF);
          EXPECT_GE(note, lowest[f]);
          EXPECT_LE(note, highest[f]);
          offs.push_back(Off(note));
        }
        sink.messages.clear();
        voicing.ReleaseChord();
        EXPECT_EQ(sink.messages, offs);
      }
    }
  }
}

TEST_F(VoicingTest, EachNoteIsSentBeforeItsMarkerAndTheOldChordGoesFirst) {
  settings.Fingering = 1;
  voicing.PlayChord(7, 19, true);
  journal.clear();
  voicing.PlayChord(7, 19, true);  // the same chord is struck again
  EXPECT_EQ(journal, (std::vector<std::string>{
                         "send " + std::to_string(Off(43)), "send " + std::to_string(Off(47)),
                         "send " + std::to_string(Off(53)), "hide",
                         "send " + std::to_string(On(43)), "show 43 0",
                         "send " + std::to_string(On(47)), "show 47 1",
                         "send " + std::to_string(On(53)), "show 53 3"}));
}

TEST_F(VoicingTest, MessagesCarryTheChordChannel) {
  settings.Fingering = 3;
  voicing.PlayChord(0, 0, true);
  voicing.ReleaseChord();
  EXPECT_EQ(sink.messages, (std::vector<uint32_t>{144u + 48u * 256u + 100u * 65536u,
                                                  128u + 48u * 256u + 100u * 65536u}));
  sink.messages.clear();
  settings.ChordChannel = 15;
  voicing.PlayChord(0, 0, true);
  voicing.ReleaseChord();
  EXPECT_EQ(sink.messages, (std::vector<uint32_t>{0x64309F, 0x64308F}));
}

TEST_F(VoicingTest, UnisonChordSendsAndMarksEverySlot) {
  voicing.PlayChord(0, 30, true);  // "1+8"
  EXPECT_EQ(sink.messages, (std::vector<uint32_t>(3, On(36))));
  EXPECT_EQ(markers.VisibleNotes(), (std::vector<int16_t>{36, 36, 36}));
  sink.messages.clear();
  voicing.ReleaseChord();
  EXPECT_EQ(sink.messages, (std::vector<uint32_t>(3, Off(36))));
}

TEST_F(VoicingTest, WithoutPlayChordsOnlyTheMarkersMove) {
  settings.Chords = kUnchecked;
  voicing.PlayChord(9, 10, true);
  EXPECT_TRUE(sink.messages.empty());
  EXPECT_EQ(markers.VisibleNotes(), (std::vector<int16_t>{45, 48, 52, 55}));
  voicing.ReleaseChord();
  EXPECT_TRUE(sink.messages.empty());
  EXPECT_TRUE(markers.VisibleNotes().empty());
  EXPECT_EQ(voicing.CurRoot, -1);
}

TEST_F(VoicingTest, FailedSendsDoNotStopTheVoicing) {
  sink.accept = false;
  voicing.PlayChord(0, 19, true);
  EXPECT_EQ(sink.messages.size(), 4u);
  EXPECT_EQ(markers.VisibleNotes(), (std::vector<int16_t>{36, 40, 43, 46}));
  voicing.ReleaseChord();
  EXPECT_EQ(sink.messages.size(), 8u);
}

TEST_F(VoicingTest, ReleaseSilencesOnceAndKeepsTheNotes) {
  voicing.PlayChord(0, 0, true);
  sink.messages.clear();
  markers.calls.clear();
  voicing.ReleaseChord();
  voicing.ReleaseChord();
  EXPECT_EQ(sink.messages, (std::vector<uint32_t>{Off(36), Off(40), Off(43)}));
  // Both releases hide the markers, the second although nothing sounds.
  EXPECT_EQ(markers.calls, (std::vector<MarkerCall>{{true, 0, 0}, {true, 0, 0}}));
  EXPECT_EQ(voicing.CurRoot, -1);
  EXPECT_EQ(voicing.ChordNotes, (Notes{-1, 36, 40, 43, -1, -1}));
}

TEST_F(VoicingTest, StoppedPlaybackOnlyReleases) {
  voicing.PlayChord(0, 0, true);
  sink.messages.clear();
  voicing.PlayChord(7, 0, false);
  EXPECT_EQ(sink.messages, (std::vector<uint32_t>{Off(36), Off(40), Off(43)}));
  EXPECT_EQ(voicing.CurRoot, -1);
  EXPECT_TRUE(markers.VisibleNotes().empty());
}

TEST_F(VoicingTest, UnknownFingeringOrChordOnlyReleases) {
  struct Case {
    int16_t fingering;
    int16_t root;
    int16_t type;
  } cases[] = {{5, 0, 0}, {-1, 7, 19}, {0, 12, 0}, {0, -1, 0}, {0, 0, 34}, {3, 0, -1}};
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.fingering << "/" << c.root << "/" << c.type);
    settings.Fingering = 0;
    voicing.PlayChord(0, 0, true);
    settings.Fingering = c.fingering;
    sink.messages.clear();
    markers.calls.clear();
    voicing.PlayChord(c.root, c.type, true);
    EXPECT_EQ(sink.messages, (std::vector<uint32_t>{Off(36), Off(40), Off(43)}));
    EXPECT_EQ(markers.calls, (std::vector<MarkerCall>{{true, 0, 0}}));
    // Nothing sounds, so the next release sends nothing.
    sink.messages.clear();
    voicing.ReleaseChord();
    EXPECT_TRUE(sink.messages.empty());
  }
}

TEST(IsBlackKeyTest, FollowsTheKeyboardPattern) {
  const std::string pattern = "wbwbwwbwbwbw";  // C to B
  for (int16_t note = 0; note < 128; ++note)
    EXPECT_EQ(Voicing::IsBlackKey(note), pattern[note % 12] == 'b') << note;
}

}  // namespace
}  // namespace vamplet
