// The playback engine: MIDI clock, count-in, chord changes, fills, highlight, ranges, repeat.
#pragma once

#include <cstdint>

#include "chords/chart_scanner.h"
#include "chords/voicing.h"
#include "core/dialogs.h"
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

// The song values playback can handle: 24 x Tempo must fit 16 bits and not be zero, and a
// measure holds at most as many beats as the scanner keeps.
constexpr int16_t kMinPlayTempo = 1;
constexpr int16_t kMaxPlayTempo = 1365;
constexpr int16_t kMinPlayBeats = 1;
constexpr int16_t kMaxPlayBeats = kMaxBeats;

class Player {
 public:
  Player(SongCollection& songs, Settings& settings, ChartView& chart, ChartScanner& scanner,
         Voicing& voicing, Midi& midi, PlayClock& clock, PlayControls& controls,
         Dialogs& dialogs);

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

  // The message that refuses to play the current song, or empty when it can be played.
  Text PlayRefusal();
  // Milliseconds between two clock ticks at the current song's tempo.
  double TickPeriod();

  bool Playing = false;
  int16_t Tick = 0;
  int16_t Beat = 0;
  // When the last tick was due: the deadline its wait ended at, so that late polls do not
  // stretch the following periods.
  double TickTime = 0;
  int32_t PlaySelStart = 0;
  int32_t PlaySelEnd = 0;

 private:
  void RunPass();
  void CountIn();
  void Wait();
  int16_t Beats();
  int32_t TextLength() const;
  void PlayBeatChord();

  SongCollection& songs_;
  Settings& settings_;
  ChartView& chart_;
  ChartScanner& scanner_;
  Voicing& voicing_;
  Midi& midi_;
  PlayClock& clock_;
  PlayControls& controls_;
  Dialogs& dialogs_;
};

}  // namespace vamplet
