// The playback engine: MIDI clock, count-in, chord changes, fills, highlight, ranges, repeat.
#pragma once

#include <cstdint>

#include "chords/chart_scanner.h"
#include "chords/voicing.h"
#include "midi/midi.h"
#include "player/play_clock.h"
#include "player/play_controls.h"
#include "songs/song_collection.h"

namespace vamplet {

constexpr uint32_t kTimingClock = 0xF8;
constexpr uint32_t kStart = 0xFA;
constexpr uint32_t kStop = 0xFC;
constexpr uint32_t kClickOnMsg = 0x643C99;
constexpr uint32_t kClickOffMsg = 0x643C89;

class Player {
 public:
  Player(SongCollection& songs, Settings& settings, ChartView& chart, ChartScanner& scanner,
         Voicing& voicing, Midi& midi, PlayClock& clock, PlayControls& controls);

  void btnPlay_Click();
  void EnterPlayMode();
  void LeavePlayMode();
  void PlaySong();
  void ClickOn();
  void ClickOff();
  // The typing lock of the chart box: false when the typed character must be discarded.
  bool Song_KeyPress(char32_t typed) const;
  // Shut-down during playback: releases the sounding chord and sends Stop, so the keyboard
  // is not left running.
  void Abort();

  bool Playing = false;
  int16_t Tick = 0;
  int16_t Beat = 0;
  double TickTime = 0;
  int32_t PlaySelStart = 0;
  int32_t PlaySelEnd = 0;

 private:
  SongCollection& songs_;
  Settings& settings_;
  ChartView& chart_;
  ChartScanner& scanner_;
  Voicing& voicing_;
  Midi& midi_;
  PlayClock& clock_;
  PlayControls& controls_;
};

}  // namespace vamplet
