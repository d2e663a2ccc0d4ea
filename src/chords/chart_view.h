// The seam to the text box that holds the chart of the current song.
#pragma once

#include <cstdint>

#include "core/text.h"

namespace vamplet {

// Positions are 0-based characters of the chart with CR LF line breaks.
class ChartView {
 public:
  virtual ~ChartView() = default;
  // The box's whole text; valid until the text next changes.
  virtual const Text& ChartText() const = 0;
  virtual int32_t SelStart() const = 0;
  virtual int32_t SelLength() const = 0;
  // Selects `length` characters from `start`; the box clips both to its text, as a text box
  // does. `start` and `length` arrive as computed, unclipped.
  virtual void SelectChart(int32_t start, int32_t length) = 0;
  // Gives the song window and its chart box the input focus.
  virtual void FocusChart() = 0;
};

}  // namespace vamplet
