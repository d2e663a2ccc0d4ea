// A chart box held in memory: clips selections as a text box does and records what was asked.
#pragma once

#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "chords/chart_view.h"

namespace vamplet::test {

struct SelectCall {
  int32_t start;
  int32_t length;
  bool operator==(const SelectCall&) const = default;
};

class FakeChartView : public ChartView {
 public:
  FakeChartView() = default;
  explicit FakeChartView(Text chart) : text(std::move(chart)) {}

  // Builds a chart from UTF-8 lines written with "\n", held with CR LF as the box holds it.
  static Text Crlf(std::string_view utf8) {
    Text out;
    for (char32_t c : FromUtf8(utf8)) {
      if (c == U'\n') out.push_back(U'\r');
      out.push_back(c);
    }
    return out;
  }

  const Text& ChartText() const override {
    ++textReads;
    return text;
  }
  int32_t SelStart() const override { return selStart; }
  int32_t SelLength() const override { return selLength; }
  void SelectChart(int32_t start, int32_t length) override {
    selects.push_back({start, length});
    events.push_back("select");
    const int32_t size = static_cast<int32_t>(text.size());
    selStart = std::clamp(start, 0, size);
    selLength = std::clamp(length, 0, size - selStart);
  }
  void FocusChart() override {
    ++focusCalls;
    events.push_back("focus");
  }

  // The characters the box shows selected.
  Text Selected() const { return text.substr(selStart, selLength); }

  Text text;
  int32_t selStart = 0;
  int32_t selLength = 0;
  std::vector<SelectCall> selects;  // as asked, before clipping
  std::vector<std::string> events;  // "focus" and "select" in call order
  int focusCalls = 0;
  mutable int textReads = 0;
};

}  // namespace vamplet::test
