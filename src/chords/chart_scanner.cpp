// The chart scanner: chart lines, measures, beats, brace text and chord symbols.
#include "chords/chart_scanner.h"

#include <limits>

namespace vamplet {

namespace {

// Moves `pos` (1-based, last consumed) to the dot of the next chart line, or to the end.
void SkipToChartLine(const Text& text, int32_t& pos) {
  const int32_t size = static_cast<int32_t>(text.size());
  while (pos < size) {
    ++pos;
    if (text[pos - 1] == U'.' && (pos == 1 || text[pos - 2] == U'\n')) return;
  }
}

}  // namespace

ChartScanner::ChartScanner(ChartView& view, const ChordTypeTable& types)
    : view_(view), types_(types) {
  BeatRoot.fill(-1);
}

void ChartScanner::NextChartLine() {
  if (TextPos < 0) TextPos = 0;
  SkipToChartLine(view_.ChartText(), TextPos);
}

void ChartScanner::ReadMeasure() {
  const Text& text = view_.ChartText();
  const int32_t size = static_cast<int32_t>(text.size());
  if (TextPos < 0) TextPos = 0;

  MeasureStart = TextPos;
  MeasureEnd = 0;
  MeasureText.clear();
  // Saturates rather than wrapping: a wrap to 0 would end a very long chart early.
  if (MeasuresRead < std::numeric_limits<int16_t>::max()) ++MeasuresRead;

  while (TextPos < size && MeasureEnd == 0) {
    ++TextPos;
    const char32_t c = text[TextPos - 1];
    if (c == U'|') {
      MeasureEnd = TextPos;
    } else if (c == U'\r') {
      // What stood after the line's last bar is kept and continues on the next chart line.
      SkipToChartLine(text, TextPos);
      MeasureStart = TextPos;
    } else {
      MeasureText.push_back(c);
    }
  }

  BeatRoot.fill(-1);
  BeatType.fill(0);
  BraceText.clear();
  if (MeasureEnd == 0) {
    MeasuresRead = 0;
    return;
  }

  if (!SeekMode) {
    view_.FocusChart();
    view_.SelectChart(MeasureStart, static_cast<int32_t>(MeasureText.size()));
  }

  int beat = 1;
  Text beatText;
  bool inBraces = false;
  const size_t n = MeasureText.size();
  for (size_t i = 0; i < n; ++i) {
    const char32_t c = MeasureText[i];
    if (c == U'{') {
      ParseChord(beatText, beat);
      inBraces = true;
    } else if (c == U'}') {
      inBraces = false;
    } else if (c == U',') {
      ParseChord(beatText, beat);
      ++beat;
    } else if (inBraces) {
      BraceText.push_back(c);
    } else {
      beatText.push_back(c);
    }
    if (i == n - 1) ParseChord(beatText, beat);
  }
}

void ChartScanner::ParseChord(Text& text, int beat) {
  text = TrimSpaces(text);
  if (text.empty()) return;
  if (beat < 1 || beat > kMaxBeats) {
    text.clear();
    return;
  }

  int16_t& root = BeatRoot[beat];
  switch (UpperAscii(text[0])) {
    case U'C': root = 0; break;
    case U'D': root = 2; break;
    case U'E': root = 4; break;
    case U'F': root = 5; break;
    case U'G': root = 7; break;
    case U'A': root = 9; break;
    case U'B': root = 11; break;
    default: break;
  }

  Text suffix;
  if (text.size() > 1) {
    const char32_t second = UpperAscii(text[1]);
    // The accidental acts on whatever the beat holds, so "H#" and "Hb" still yield a root.
    if (second == U'#') {
      root = root + 1 > 11 ? 0 : root + 1;
    } else if (second == U'B') {
      root = root - 1 < 0 ? 11 : root - 1;
    } else {
      suffix.push_back(second);
    }
    suffix += UpperAscii(text.substr(2));
  }

  suffix = TrimSpaces(suffix);
  if (!suffix.empty()) {
    for (int i = 0; i < kChordTypeCount; ++i) {
      if (UpperAscii(types_.ChordTypes[i].Name) == suffix) {
        BeatType[beat] = static_cast<int16_t>(i);
        break;
      }
    }
  }

  text.clear();
  if (root >= 0) {
    LastRoot = root;
    LastType = BeatType[beat];
  }
}

}  // namespace vamplet
