// Chord voicing: the keys a keyboard's chord recognition expects, sent and marked.
#pragma once

#include <array>
#include <cstdint>

#include "app/logic/settings.h"
#include "chords/chord_types.h"
#include "chords/key_markers.h"
#include "chords/short_message_sink.h"

namespace vamplet {

class Voicing {
 public:
  Voicing(const ChordTypeTable& types, const Settings& settings, ShortMessageSink& midi,
          KeyMarkers& markers);

  // Releases the sounding chord, then, while `playing`, voices, sends and marks the chord
  // of the given root (0..11) and type.
  void PlayChord(int16_t beatRoot, int16_t beatType, bool playing);
  void ReleaseChord();
  static bool IsBlackKey(int16_t note);

  int16_t CurRoot = -1;
  int16_t CurType = 0;
  std::array<int16_t, 6> ChordNotes{-1, -1, -1, -1, -1, -1};  // slots 1..5; element 0 unused

 private:
  const ChordTypeTable& types_;
  const Settings& settings_;
  ShortMessageSink& midi_;
  KeyMarkers& markers_;
};

}  // namespace vamplet
