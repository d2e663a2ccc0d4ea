// Fuzzes the chart scanner with the pass the player runs over an arbitrary chart.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>
#include <utility>

#include "chords/chart_scanner.h"
#include "chords/chart_view.h"
#include "chords/chord_types.h"

namespace {

// A chart box that checks every selection it is asked for against its text.
class CheckingView : public vamplet::ChartView {
 public:
  explicit CheckingView(vamplet::Text t) : text_(std::move(t)) {}
  const vamplet::Text& ChartText() const override { return text_; }
  int32_t SelStart() const override { return 0; }
  int32_t SelLength() const override { return 0; }
  void SelectChart(int32_t start, int32_t length) override {
    if (start < 0 || start > static_cast<int32_t>(text_.size()) || length < 0) std::abort();
  }
  void FocusChart() override {}

 private:
  vamplet::Text text_;
};

void Check(bool ok) {
  if (!ok) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const vamplet::Text chart =
      vamplet::FromUtf8(std::string_view(reinterpret_cast<const char*>(data), size));
  const auto length = static_cast<int32_t>(chart.size());
  static const vamplet::ChordTypeTable types;
  CheckingView view(chart);
  vamplet::ChartScanner scanner(view, types);

  scanner.TextPos = 0;
  scanner.MeasuresRead = 0;
  scanner.NextChartLine();
  Check(scanner.TextPos >= 0 && scanner.TextPos <= length);
  do {
    const int32_t before = scanner.TextPos;
    scanner.SeekMode = !scanner.SeekMode;
    scanner.ReadMeasure();
    Check(scanner.TextPos >= before && scanner.TextPos <= length);
    if (scanner.MeasuresRead != 0) {
      Check(scanner.TextPos > before);
      Check(scanner.MeasureEnd == scanner.TextPos);
      Check(scanner.MeasureStart >= before && scanner.MeasureStart < scanner.MeasureEnd);
      Check(chart[scanner.MeasureEnd - 1] == U'|');
    }
    for (int b = 1; b <= vamplet::kMaxBeats; ++b) {
      Check(scanner.BeatRoot[b] >= -1 && scanner.BeatRoot[b] <= 11);
      Check(scanner.BeatType[b] >= 0 && scanner.BeatType[b] < vamplet::kChordTypeCount);
    }
    Check(scanner.LastRoot >= -1 && scanner.LastRoot <= 11);
    Check(scanner.LastType >= 0 && scanner.LastType < vamplet::kChordTypeCount);
  } while (scanner.MeasuresRead != 0);
  return 0;
}
