// Records a performance: the chord port, the click port, the chart box and the key markers
// of a run without hardware or window, each event stamped with the playback clock.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "chords/chart_view.h"
#include "chords/key_markers.h"
#include "midi/midi_out_service.h"
#include "player/play_clock.h"

namespace vamplet {

struct PlayEvent {
  enum class Kind { Chord, Click, Select, Keys, HideKeys };
  Kind kind = Kind::Chord;
  double time = 0;              // milliseconds of the playback clock
  uint32_t message = 0;         // Chord and Click: the packed short message
  int32_t start = 0;            // Select: as the engine asked, unclipped
  int32_t length = 0;
  std::vector<int16_t> keys;    // Keys: the notes marked, in marker order
  int16_t root = -1;            // Keys: the chord voiced, when a chord source is set
  int16_t type = 0;
};

// Root and chord type of the chord being voiced (the voicing's CurRoot and CurType).
using ChordSource = std::function<std::pair<int16_t, int16_t>()>;

// One output device stands for the chord port; the mapper stands for the click port.
class PlayRecorder : public MidiOutService, public ChartView, public KeyMarkers {
 public:
  PlayRecorder(PlayClock& clock, Text chart);
  void SetChartText(Text chart) { text_ = std::move(chart); }
  // Lets Keys events name the chord they mark.
  void SetChordSource(ChordSource source) { chordSource_ = std::move(source); }

  uint32_t GetNumDevs() override { return 1; }
  uint32_t GetDevCaps(uint32_t deviceId, std::string& productName) override;
  uint32_t Open(int32_t deviceId, int32_t& handle) override;
  uint32_t ShortMsg(int32_t handle, uint32_t message) override;
  uint32_t Close(int32_t handle) override;

  const Text& ChartText() const override { return text_; }
  int32_t SelStart() const override { return selStart_; }
  int32_t SelLength() const override { return selLength_; }
  // Clips as a text box does; the event keeps the values asked for.
  void SelectChart(int32_t start, int32_t length) override;
  void FocusChart() override {}

  void ShowActiveKey(int16_t note, int16_t marker) override;
  void HideMarkers() override;

  // Forgets the events so far (e.g. setting up the caret before Play).
  void Clear() {
    events_.clear();
    pendingKeys_.clear();
  }
  // The events so far; markers shown after the last chord are added first.
  const std::vector<PlayEvent>& Events();
  // One line per event: "T chord HH [HH HH]", "T click HH HH HH", "T select START LENGTH",
  // "T keys N,N,..." or "T keys -", T in milliseconds with three decimals.
  std::vector<std::string> Lines();
  static std::string FormatEvent(const PlayEvent& event);

  static constexpr int32_t kChordHandle = 1;
  static constexpr int32_t kClickHandle = 2;

 private:
  void Add(PlayEvent event);
  void FlushKeys();

  PlayClock& clock_;
  Text text_;
  int32_t selStart_ = 0;
  int32_t selLength_ = 0;
  std::vector<PlayEvent> events_;
  // Markers shown since the last event: a chord's keys form one event after its note-ons.
  std::vector<int16_t> pendingKeys_;
  double pendingTime_ = 0;
  std::pair<int16_t, int16_t> pendingChord_{-1, 0};
  ChordSource chordSource_;
};

}  // namespace vamplet
