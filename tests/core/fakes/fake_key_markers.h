// On-screen key markers held in memory: the calls in order and the five markers' state.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "chords/key_markers.h"

namespace vamplet::test {

struct MarkerCall {
  bool hide;       // true for HideMarkers; note and marker are then 0
  int16_t note;
  int16_t marker;
  bool operator==(const MarkerCall&) const = default;
};

class FakeKeyMarkers : public KeyMarkers {
 public:
  // `journal`, when given, receives "show <note> <marker>" and "hide" entries, so a test can
  // interleave them with what another fake records.
  explicit FakeKeyMarkers(std::vector<std::string>* journal = nullptr) : journal_(journal) {}

  void ShowActiveKey(int16_t note, int16_t marker) override {
    calls.push_back({false, note, marker});
    if (journal_) journal_->push_back("show " + std::to_string(note) + " " + std::to_string(marker));
    if (marker >= 0 && marker < 5) {
      notes[marker] = note;
      visible[marker] = true;
    }
  }
  void HideMarkers() override {
    calls.push_back({true, 0, 0});
    if (journal_) journal_->push_back("hide");
    visible.fill(false);
  }

  // Notes under the visible markers, by marker number.
  std::vector<int16_t> VisibleNotes() const {
    std::vector<int16_t> out;
    for (int i = 0; i < 5; ++i)
      if (visible[i]) out.push_back(notes[i]);
    return out;
  }

  std::vector<MarkerCall> calls;
  std::array<bool, 5> visible{};
  std::array<int16_t, 5> notes{};  // last key of each marker, kept while hidden

 private:
  std::vector<std::string>* journal_;
};

}  // namespace vamplet::test
