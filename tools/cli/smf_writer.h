// A recorded performance as a Standard MIDI File.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/text.h"
#include "player/play_recorder.h"

namespace vamplet {

// 480 ticks per beat: a clock tick (1/24 beat) is exactly 20 of them.
constexpr int kSmfTicksPerBeat = 480;

struct SmfSong {
  Text title;
  Text chart;  // the chart the highlights address, for the measure markers
  int tempo = 120;
  int beats = 4;
};

// Format 1: track 0 tempo, time signature and a marker per measure; track 1 the chord notes
// with a chord event (FF 7F 07 43 7B 01 cr ct 7F 7F) at every chord change; track 2 the
// clicks. Clock, Start and Stop have no place in a file and are left out.
std::string BuildSmf(const std::vector<PlayEvent>& events, const SmfSong& song);

// The chord event's root byte: accidental (2 flat, 3 natural, 4 sharp) in the high nibble,
// letter (1 = C ... 7 = B) in the low. Black keys are spelt C#, Eb, F#, Ab, Bb.
uint8_t ChordRootByte(int16_t root);

}  // namespace vamplet
