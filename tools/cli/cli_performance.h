// The engine wired up without a window: one song of a chord file played on a given clock.
#pragma once

#include <string>
#include <vector>

#include "app/logic/settings.h"
#include "chords/chart_scanner.h"
#include "chords/chord_types.h"
#include "chords/voicing.h"
#include "headless_ui.h"
#include "midi/midi.h"
#include "performance_options.h"
#include "player/play_clock.h"
#include "player/play_recorder.h"
#include "player/player.h"
#include "player/virtual_clock.h"
#include "songs/song_collection.h"

namespace vamplet {

// The recorder stands for the chart box and the key markers; MIDI goes to `output`, which
// is the recorder itself for a run that only records.
class CliPerformance {
 public:
  CliPerformance(const PerformanceOptions& options, PlayClock& clock, MidiOutService* output);

  // Reads the chord file and takes the chosen song. Returns the exit status of a failure
  // (1 the file cannot be read, 2 no such song) after printing why, or 0.
  int Load();
  // Opens the ports: the chord port on menu item `portItem` (0 none) and the click port.
  void OpenPorts(int portItem);
  void ClosePorts();
  // Presses Play with the selection of the options; returns when the performance ends.
  // Returns false, after printing why, when the song cannot be played.
  bool Play();
  // Prints the messages the engine or the ports would have shown in boxes, and forgets them.
  void ReportMessages();
  // A run that records instead of sounding: loads the song, takes the recorder as the chord
  // port, has `clock` press Stop at the --stop-at time and plays. Returns 0, or the exit
  // status of a failure after printing why.
  int Record(VirtualClock& clock);

  Player& player() { return player_; }
  Midi& midi() { return midi_; }
  PlayRecorder& recorder() { return recorder_; }
  const SongRecord& song() { return *songs_.Current(); }

 private:
  PerformanceOptions options_;
  Settings settings_;
  NullSongDisplay display_;
  CapturingDialogs dialogs_;
  SongCollection songs_;
  PlayRecorder recorder_;
  NullPortMenu portMenu_;
  Midi midi_;
  ChordTypeTable types_;
  ChartScanner scanner_;
  Voicing voicing_;
  NullPlayControls controls_;
  Player player_;
};

}  // namespace vamplet
