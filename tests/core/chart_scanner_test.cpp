// Tests of the chart scanner: chord symbols, measures, beats, braces, highlighting and seeking.
#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

#include "chords/chart_scanner.h"
#include "fakes/fake_chart_view.h"

namespace vamplet {
namespace {

using test::FakeChartView;
using test::SelectCall;

// One measure as the scanner left it: its text, "beat=root/type" for each beat with a chord,
// and the brace text.
struct Measure {
  std::string text;
  std::string chords;
  std::string braces;
  bool operator==(const Measure&) const = default;
};

void PrintTo(const Measure& m, std::ostream* os) {
  *os << "{\"" << m.text << "\", \"" << m.chords << "\", \"" << m.braces << "\"}";
}

std::string Chords(const ChartScanner& s) {
  std::string out;
  for (int b = 1; b <= kMaxBeats; ++b) {
    if (s.BeatRoot[b] < 0) continue;
    if (!out.empty()) out += ' ';
    out += std::to_string(b) + "=" + std::to_string(s.BeatRoot[b]) + "/" +
           std::to_string(s.BeatType[b]);
  }
  return out;
}

// Runs a pass as the player does and collects every measure read.
std::vector<Measure> ReadAll(ChartScanner& s) {
  std::vector<Measure> out;
  s.TextPos = 0;
  s.MeasuresRead = 0;
  s.NextChartLine();
  for (;;) {
    s.ReadMeasure();
    if (s.MeasuresRead == 0) break;
    out.push_back({ToUtf8(s.MeasureText), Chords(s), ToUtf8(s.BraceText)});
  }
  return out;
}

class ChartScannerTest : public ::testing::Test {
 protected:
  void SetChart(std::string_view utf8) { view.text = FakeChartView::Crlf(utf8); }

  ChordTypeTable types;
  FakeChartView view;
  ChartScanner scanner{view, types};
};

TEST_F(ChartScannerTest, ParsesChordSymbols) {
  struct Case {
    const char* symbol;
    int root;
    int type;
  } cases[] = {
      {"C", 0, 0},       {"c", 0, 0},        {"Bb", 10, 0},     {"bb", 10, 0},
      {"BB", 10, 0},     {"B", 11, 0},       {"Cb", 11, 0},     {"E#", 5, 0},
      {"B#", 0, 0},      {"F#", 6, 0},       {"CM7", 0, 10},    {"Cmaj7", 0, 2},
      {"CMAJ7", 0, 2},   {"CM", 0, 8},       {"C7", 0, 19},     {"F#m7b5", 6, 11},
      {"Cxyz", 0, 0},    {"C m7", 0, 10},    {" G ", 7, 0},     {"Ab m", 8, 8},
      {"bbm7", 10, 10},  {"gsus4", 7, 32},   {"C1+2+5", 0, 33}, {"D##", 3, 0},
      {"H7", -1, 19},    {"H#", 0, 0},       {"Hb", 11, 0},     {"C\u00e9", 0, 0},
      {"Eb7(#9)", 3, 27},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.symbol);
    ChartScanner s(view, types);
    Text text = FromUtf8(c.symbol);
    s.ParseChord(text, 3);
    EXPECT_TRUE(text.empty());
    EXPECT_EQ(s.BeatRoot[3], c.root);
    EXPECT_EQ(s.BeatType[3], c.type);
    EXPECT_EQ(s.LastRoot, c.root);
    EXPECT_EQ(s.LastType, c.root < 0 ? 0 : c.type);
  }
}

TEST_F(ChartScannerTest, LastChordSurvivesSymbolsWithoutRootAndBlankBeats) {
  Text text = U"Am7";
  scanner.ParseChord(text, 1);
  for (const Text& other : {Text(U"H7"), Text(U"   "), Text(U"x")}) {
    text = other;
    scanner.ParseChord(text, 2);
    EXPECT_TRUE(text.empty());
  }
  EXPECT_EQ(scanner.LastRoot, 9);
  EXPECT_EQ(scanner.LastType, 10);
}

TEST_F(ChartScannerTest, BeatsBeyondSixteenAreIgnored) {
  const auto before = scanner.BeatRoot;
  Text text = U"G7";
  scanner.ParseChord(text, kMaxBeats + 1);
  EXPECT_TRUE(text.empty());
  EXPECT_EQ(scanner.BeatRoot, before);
  EXPECT_EQ(scanner.LastRoot, -1);

  // Beat 16 still takes a chord; the symbol on beat 17 changes nothing, and the chart reads on.
  SetChart(". ,,,,,,,,,,,,,,,F,G | D |");
  EXPECT_EQ(ReadAll(scanner), (std::vector<Measure>{
                                  {" ,,,,,,,,,,,,,,,F,G ", "16=5/0", ""},
                                  {" D ", "1=2/0", ""}}));
  EXPECT_EQ(scanner.LastRoot, 2);
}

TEST_F(ChartScannerTest, ReadsMeasuresBeatsAndBraces) {
  struct Case {
    const char* chart;
    std::vector<Measure> measures;
  } cases[] = {
      {". C, G | F |", {{" C, G ", "1=0/0 2=7/0", ""}, {" F ", "1=5/0", ""}}},
      {". C,, G |", {{" C,, G ", "1=0/0 3=7/0", ""}}},
      {". , G |", {{" , G ", "2=7/0", ""}}},
      {". C {F} |", {{" C {F} ", "1=0/0", "F"}}},
      {". C {F, x} G |", {{" C {F, x} G ", "1=0/0 2=7/0", "F x"}}},
      {". Cm{x}G |", {{" Cm{x}G ", "1=7/8", "x"}}},
      // An unclosed brace ends with its measure.
      {". {F | G |", {{" {F ", "", "F "}, {" G ", "1=7/0", ""}}},
      {". C ||D |", {{" C ", "1=0/0", ""}, {"", "", ""}, {"D ", "1=2/0", ""}}},
      {". C | D", {{" C ", "1=0/0", ""}}},
      // Lines without a dot in the first column are skipped, bars and all.
      {"Intro: C | D |\n . C |\nlyrics | here\n. E |", {{" E ", "1=4/0", ""}}},
      // Text after a line's last bar opens the next line's first measure.
      {". C | D |  \n. E |", {{" C ", "1=0/0", ""}, {" D ", "1=2/0", ""}, {"   E ", "1=4/0", ""}}},
      {". C | Dm\n. , G7 |", {{" C ", "1=0/0", ""}, {" Dm , G7 ", "1=2/8 2=7/19", ""}}},
      {"no chart\nlines | here", {}},
      {"", {}},
      {".", {}},
      {"|. C |", {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.chart);
    SetChart(c.chart);
    EXPECT_EQ(ReadAll(scanner), c.measures);
  }
}

TEST_F(ChartScannerTest, HighlightsEachMeasureAfterFocusing) {
  SetChart(". C | D |  \n. E ||");
  scanner.NextChartLine();
  EXPECT_EQ(scanner.TextPos, 1);

  scanner.ReadMeasure();
  EXPECT_EQ(scanner.MeasureStart, 1);
  EXPECT_EQ(scanner.MeasureEnd, 5);
  EXPECT_EQ(view.Selected(), U" C ");
  EXPECT_EQ(view.events, (std::vector<std::string>{"focus", "select"}));

  scanner.ReadMeasure();
  EXPECT_EQ(view.Selected(), U" D ");

  // The two carried spaces lengthen the highlight, which starts after the second line's dot.
  view.textReads = 0;
  scanner.ReadMeasure();
  EXPECT_EQ(view.textReads, 1);
  EXPECT_EQ(scanner.MeasureStart, 14);
  EXPECT_EQ(scanner.MeasureEnd, 18);
  EXPECT_EQ(scanner.TextPos, 18);
  EXPECT_EQ(view.selects.back(), (SelectCall{14, 5}));

  scanner.ReadMeasure();  // the empty measure of "||"
  EXPECT_EQ(scanner.MeasuresRead, 4);
  EXPECT_EQ(view.selects.back(), (SelectCall{18, 0}));
  EXPECT_EQ(view.selLength, 0);
  EXPECT_EQ(view.focusCalls, 4);
}

TEST_F(ChartScannerTest, PositionsCountCharactersNotBytes) {
  SetChart("\u00e9\u20ac\n. C | D |");
  scanner.NextChartLine();
  EXPECT_EQ(scanner.TextPos, 5);
  scanner.ReadMeasure();
  EXPECT_EQ(view.selects.back(), (SelectCall{5, 3}));
  EXPECT_EQ(view.Selected(), U" C ");
  EXPECT_EQ(scanner.MeasureEnd, 9);
}

TEST_F(ChartScannerTest, MeasuresBeyondPosition32767AreAddressed) {
  view.text = Text(40000, U'x') + FakeChartView::Crlf("\n. C | G7 |");
  scanner.NextChartLine();
  scanner.ReadMeasure();
  scanner.ReadMeasure();
  EXPECT_EQ(scanner.MeasureStart, 40007);
  EXPECT_EQ(view.Selected(), U" G7 ");
  EXPECT_EQ(scanner.BeatType[1], 19);
}

TEST_F(ChartScannerTest, EndOfChartClearsTheBeatsAndSelectsNothing) {
  SetChart(". C | D");
  scanner.NextChartLine();
  scanner.ReadMeasure();
  EXPECT_EQ(scanner.MeasuresRead, 1);
  scanner.ReadMeasure();
  EXPECT_EQ(scanner.MeasuresRead, 0);
  EXPECT_EQ(scanner.MeasureEnd, 0);
  EXPECT_EQ(scanner.TextPos, static_cast<int32_t>(view.text.size()));
  for (int b = 1; b <= kMaxBeats; ++b) EXPECT_EQ(scanner.BeatRoot[b], -1);
  EXPECT_EQ(view.selects.size(), 1u);
  EXPECT_EQ(scanner.LastRoot, 0);

  // Without any chart line the first measure already ends the chart.
  SetChart("lyrics only\nand more");
  scanner.TextPos = 0;
  scanner.NextChartLine();
  EXPECT_EQ(scanner.TextPos, static_cast<int32_t>(view.text.size()));
  scanner.ReadMeasure();
  EXPECT_EQ(scanner.MeasuresRead, 0);
}

TEST_F(ChartScannerTest, SeekModeParsesAlikeButSelectsNothing) {
  const char* chart = ". C | {F} Dm7, G | H |\n. Bb |";
  FakeChartView seekView(FakeChartView::Crlf(chart));
  ChartScanner seeker(seekView, types);
  seeker.SeekMode = true;
  SetChart(chart);
  scanner.NextChartLine();
  seeker.NextChartLine();
  do {
    scanner.ReadMeasure();
    seeker.ReadMeasure();
    EXPECT_EQ(seeker.MeasuresRead, scanner.MeasuresRead);
    EXPECT_EQ(seeker.TextPos, scanner.TextPos);
    EXPECT_EQ(seeker.BeatRoot, scanner.BeatRoot);
    EXPECT_EQ(seeker.BeatType, scanner.BeatType);
    EXPECT_EQ(seeker.BraceText, scanner.BraceText);
    EXPECT_EQ(seeker.LastRoot, scanner.LastRoot);
    EXPECT_EQ(seeker.LastType, scanner.LastType);
    if (scanner.MeasuresRead == 3) {
      EXPECT_EQ(seeker.LastRoot, 7);  // "H" keeps G
    }
  } while (scanner.MeasuresRead != 0);
  EXPECT_EQ(seeker.LastRoot, 10);
  EXPECT_TRUE(seekView.selects.empty());
  EXPECT_EQ(seekView.focusCalls, 0);
  EXPECT_EQ(view.selects.size(), 4u);
}

TEST_F(ChartScannerTest, MeasureCountDoesNotWrapToEnd) {
  SetChart(". C | D |");
  scanner.NextChartLine();
  scanner.MeasuresRead = std::numeric_limits<int16_t>::max();
  scanner.ReadMeasure();
  EXPECT_NE(scanner.MeasuresRead, 0);
  EXPECT_GT(scanner.MeasuresRead, 0);
}

TEST_F(ChartScannerTest, ReadsTheChartAsTheBoxHoldsItNow) {
  SetChart(". C | D |");
  scanner.NextChartLine();
  scanner.ReadMeasure();
  view.text = FakeChartView::Crlf(". C | E7 |");
  scanner.ReadMeasure();
  EXPECT_EQ(scanner.MeasureText, U" E7 ");
  // A chart shortened under the scan position simply ends.
  view.text = U". C";
  scanner.ReadMeasure();
  EXPECT_EQ(scanner.MeasuresRead, 0);
}

}  // namespace
}  // namespace vamplet
