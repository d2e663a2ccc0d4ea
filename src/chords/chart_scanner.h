// The chart scanner and chord parser: reads the chart measure by measure during playback.
#pragma once

#include <array>
#include <cstdint>

#include "chords/chart_view.h"
#include "chords/chord_types.h"

namespace vamplet {

constexpr int kMaxBeats = 16;

class ChartScanner {
 public:
  ChartScanner(ChartView& view, const ChordTypeTable& types);

  void NextChartLine();
  void ReadMeasure();
  // Parses one beat's chord symbol into BeatRoot/BeatType; always leaves `text` empty.
  // Beats beyond kMaxBeats are ignored.
  void ParseChord(Text& text, int beat);

  // Positions are 1-based and 32-bit, so charts longer than 32767 characters play too.
  int32_t TextPos = 0;
  Text MeasureText;
  Text BraceText;
  int32_t MeasureStart = 0;
  int32_t MeasureEnd = 0;
  int16_t MeasuresRead = 0;
  bool SeekMode = false;
  std::array<int16_t, kMaxBeats + 1> BeatRoot{};  // 1..16, element 0 unused; -1 = no chord
  std::array<int16_t, kMaxBeats + 1> BeatType{};  // 1..16, element 0 unused
  int16_t LastRoot = -1;
  int16_t LastType = 0;

 private:
  ChartView& view_;
  const ChordTypeTable& types_;
};

}  // namespace vamplet
