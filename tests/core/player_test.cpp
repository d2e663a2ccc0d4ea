// The playback engine run on a virtual clock: order and timing of everything it sends.
#include "player/player.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "fakes/fake_dialogs.h"
#include "fakes/fake_play_controls.h"
#include "fakes/fake_song_display.h"
#include "platform/steady_clock.h"
#include "player/play_recorder.h"
#include "player/virtual_clock.h"

namespace vamplet {
namespace {

using Lines = std::vector<std::string>;

class NoPortMenu : public PortMenu {
 public:
  void SetPortItem(int, const Text&) override {}
  void CheckPortItem(int, bool) override {}
  void SetChannelItem(int, const Text&) override {}
  void CheckChannelItem(int, bool) override {}
};

Text Crlf(std::string_view utf8) {
  Text out;
  for (char32_t c : FromUtf8(utf8)) {
    if (c == U'\n') out.push_back(U'\r');
    out.push_back(c);
  }
  return out;
}

// Five measures over two chart lines, after a line that is not played.
constexpr std::string_view kChart = "Song line\n.C,G|Am|F,C|\n.Dm,G7|C|\n";

// Everything playback touches, wired to one recorder. 125 beats a minute gives ticks of
// exactly 20 ms, so times read easily: a beat is 480 ms.
struct Rig {
  explicit Rig(std::string_view chart, int16_t beats = 2, int16_t tempo = 125,
               PlayClock* clockOverride = nullptr)
      : clock(clockOverride ? *clockOverride : virtualClock), recorder(clock, Crlf(chart)) {
    settings.Intro = kUnchecked;
    settings.Fill = kUnchecked;
    settings.Repeat = kUnchecked;
    settings.Chords = kChecked;
    settings.ChordPort = 1;
    songs.Songs.resize(2);
    songs.SongCount = 1;
    songs.CurrentSong = 1;
    songs.Songs[1].Beats = beats;
    songs.Songs[1].Tempo = tempo;
    midi.OpenMidiPorts();
  }

  Lines Play(int32_t selStart = 0, int32_t selLength = 0) {
    recorder.SelectChart(selStart, selLength);
    skipped = recorder.Lines().size();
    player.btnPlay_Click();
    Lines all = recorder.Lines();
    return Lines(all.begin() + static_cast<long>(skipped), all.end());
  }
  void StopAt(double ms) {
    virtualClock.StopAt(ms, [this] { player.btnPlay_Click(); });
  }
  int32_t At(std::string_view needle) const {
    return static_cast<int32_t>(recorder.ChartText().find(FromUtf8(needle)));
  }
  SongRecord& song() { return songs.Songs[1]; }

  Settings settings;
  test::FakeSongDisplay display;
  test::FakeDialogs dialogs;
  SongCollection songs{settings, display, dialogs};
  VirtualClock virtualClock;
  PlayClock& clock;
  PlayRecorder recorder;
  NoPortMenu portMenu;
  Midi midi{recorder, settings, dialogs, portMenu};
  ChordTypeTable types;
  ChartScanner scanner{recorder, types};
  Voicing voicing{types, settings, midi, recorder};
  test::FakePlayControls controls;
  Player player{songs, settings, recorder, scanner, voicing, midi, clock, controls, dialogs};
  size_t skipped = 0;
};

std::string Kind(const std::string& line) { return line.substr(line.find(' ') + 1); }
std::string Time(const std::string& line) { return line.substr(0, line.find(' ')); }

// Runs of Timing Clocks folded into "T clock xN", T the time of the first.
Lines Compact(const Lines& lines) {
  Lines out;
  int run = 0;
  for (const std::string& line : lines) {
    if (Kind(line) == "chord F8") {
      if (run == 0) out.push_back(Time(line) + " clock x");
      ++run;
      out.back() = out.back().substr(0, out.back().find('x') + 1) + std::to_string(run);
    } else {
      run = 0;
      out.push_back(line);
    }
  }
  return out;
}

Lines OfKind(const Lines& lines, std::string_view prefix) {
  Lines out;
  for (const std::string& line : lines)
    if (Kind(line).starts_with(prefix)) out.push_back(line);
  return out;
}

int Clocks(const Lines& lines) { return static_cast<int>(OfKind(lines, "chord F8").size()); }

// The chart text of every highlight, the final restore of the selection left out.
std::vector<std::string> Highlights(const Rig& rig, const Lines& lines) {
  std::vector<std::string> out;
  const Lines selects = OfKind(lines, "select");
  for (size_t i = 0; i + 1 < selects.size(); ++i) {
    int start = 0, length = 0;
    std::sscanf(Kind(selects[i]).c_str(), "select %d %d", &start, &length);
    out.push_back(ToUtf8(rig.recorder.ChartText().substr(start, length)));
  }
  return out;
}

TEST(PlayerTest, PlaysFromTheCaretMeasureWithChordsClockAndHighlightInOrder) {
  Rig rig(kChart);
  const int32_t caret = rig.At("m,G7");
  const Lines lines = rig.Play(caret);
  const Lines expected = {
      "0.000 select 26 5",  // Dm,G7
      "0.000 chord FA",
      "0.000 keys -",
      "0.000 chord 90 26 64", "0.000 chord 90 29 64", "0.000 chord 90 2D 64",
      "0.000 keys 38,41,45",
      "0.000 clock x24",
      "460.000 chord 80 26 64", "460.000 chord 80 29 64", "460.000 chord 80 2D 64",
      "460.000 keys -",
      "460.000 chord 90 2B 64", "460.000 chord 90 2F 64", "460.000 chord 90 32 64",
      "460.000 chord 90 35 64",
      "460.000 keys 43,47,50,53",
      "480.000 clock x23",
      "920.000 select 32 1",  // the next measure, right after the 23rd clock of the last beat
      "940.000 clock x1",
      "940.000 chord 80 2B 64", "940.000 chord 80 2F 64", "940.000 chord 80 32 64",
      "940.000 chord 80 35 64",
      "940.000 keys -",
      "940.000 chord 90 24 64", "940.000 chord 90 28 64", "940.000 chord 90 2B 64",
      "940.000 keys 36,40,43",
      "960.000 clock x48",  // the second beat has no chord: C sounds on
      "1900.000 chord 80 24 64", "1900.000 chord 80 28 64", "1900.000 chord 80 2B 64",
      "1900.000 keys -",
      "1900.000 chord FC",
      "1900.000 select 27 0",
  };
  EXPECT_EQ(Compact(lines), expected);
  EXPECT_EQ(rig.recorder.SelStart(), caret);
  EXPECT_EQ(rig.recorder.SelLength(), 0);
}

// The first "keys" line that marks notes.
std::string FirstChordKeys(const Lines& lines) {
  for (const std::string& line : lines)
    if (Kind(line).starts_with("keys ") && Kind(line) != "keys -") return Kind(line).substr(5);
  return "";
}

TEST(PlayerTest, CaretAndSelectionChooseTheMeasuresPlayed) {
  struct Case {
    const char* name;
    std::string_view from;  // the selection starts where this text starts in the chart;
                            // empty: right after the last bar, before the final line break
    int fromOffset;
    std::string_view to;    // and ends there (the caret alone when empty)
    int toOffset;
    std::vector<std::string> measures;
    int clocks;
    std::string firstKeys;
  };
  const std::vector<Case> cases = {
      {"caret at the start", "Song", 0, "", 0, {"C,G", "Am", "F,C", "Dm,G7", "C"}, 240,
       "36,40,43"},
      {"caret inside measure 3", "F,C", 1, "", 0, {"F,C", "Dm,G7", "C"}, 144, "41,45,48"},
      {"caret right after the bar of measure 2", "F,C", 0, "", 0, {"F,C", "Dm,G7", "C"}, 144,
       "41,45,48"},
      {"caret right before that bar", "|F,C", 0, "", 0, {"Am", "F,C", "Dm,G7", "C"}, 192,
       "45,48,52"},
      // The last beat of a selected range gets 23 clocks.
      {"selection inside 2 to inside 4", "Am", 1, "Dm", 1, {"Am", "F,C", "Dm,G7"}, 143,
       "45,48,52"},
      {"selection ending right after the bar of 4", "Am", 1, "G7|", 3,
       {"Am", "F,C", "Dm,G7", "C"}, 191, "45,48,52"},
      {"selection ending right before that bar", "Am", 1, "|C|", 0, {"Am", "F,C", "Dm,G7"}, 143,
       "45,48,52"},
      // The seek runs off the end: the chart's last chord sounds for one beat.
      {"caret after the last bar", "", 0, "", 0, {""}, 24, "36,40,43"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Rig rig(kChart);
    const int32_t start = c.from.empty()
                              ? static_cast<int32_t>(rig.recorder.ChartText().size()) - 2
                              : rig.At(c.from) + c.fromOffset;
    const int32_t end = c.to.empty() ? start : rig.At(c.to) + c.toOffset;
    const Lines lines = rig.Play(start, end - start);
    EXPECT_EQ(Highlights(rig, lines), c.measures);
    EXPECT_EQ(Clocks(lines), c.clocks);
    EXPECT_EQ(FirstChordKeys(lines), c.firstKeys);
    ASSERT_GE(lines.size(), 3u);
    EXPECT_EQ(Kind(lines[lines.size() - 3]), "keys -");  // released before Stop
    EXPECT_EQ(Kind(lines[lines.size() - 2]), "chord FC");
    EXPECT_EQ(Kind(lines.back()),
              "select " + std::to_string(start) + " " + std::to_string(end - start));
    EXPECT_EQ(rig.recorder.SelStart(), start);
    EXPECT_EQ(rig.recorder.SelLength(), end - start);
  }
}

// Start, Stop and clicks only: the frame of each pass.
Lines Frame(const Lines& lines) {
  Lines out;
  for (const std::string& line : lines) {
    const std::string kind = Kind(line);
    if (kind == "chord FA" || kind == "chord FC" || kind.starts_with("click")) out.push_back(line);
  }
  return out;
}

TEST(PlayerTest, RepeatFramesEveryPassWithCountInStartAndStopUntilStopIsPressed) {
  Rig rig(kChart);
  rig.settings.Repeat = kChecked;
  rig.settings.Intro = kChecked;
  rig.StopAt(5010);
  const Lines lines = rig.Play(rig.At("Am") + 1, rig.At("Dm") - rig.At("Am"));
  const Lines expected = {
      "0.000 click 99 3C 64",    "20.000 click 89 3C 64",   "480.000 click 99 3C 64",
      "500.000 click 89 3C 64",  "960.000 chord FA",
      "3800.000 chord FC",  // 143 clocks after Start
      "3800.000 click 99 3C 64", "3820.000 click 89 3C 64", "4280.000 click 99 3C 64",
      "4300.000 click 89 3C 64", "4760.000 chord FA",       "5010.000 chord FC",
  };
  EXPECT_EQ(Frame(lines), expected);
  EXPECT_EQ(Highlights(rig, lines), (std::vector<std::string>{"Am", "F,C", "Dm,G7", "Am"}));
  EXPECT_FALSE(rig.player.Playing);
}

TEST(PlayerTest, CountInClicksEachBeatWithoutClockAndRunsOutAtOnceAfterStop) {
  {
    Rig rig(".C,,|", 3);
    rig.settings.Intro = kChecked;
    const Lines lines = rig.Play();
    const Lines frame = Frame(lines);
    const Lines expected = {"0.000 click 99 3C 64",   "20.000 click 89 3C 64",
                            "480.000 click 99 3C 64", "500.000 click 89 3C 64",
                            "960.000 click 99 3C 64", "980.000 click 89 3C 64",
                            "1440.000 chord FA",      "2860.000 chord FC"};
    EXPECT_EQ(frame, expected);
    // No clock before Start; the first chord comes with Start.
    const size_t start = std::find(lines.begin(), lines.end(), "1440.000 chord FA") - lines.begin();
    EXPECT_EQ(Clocks(Lines(lines.begin(), lines.begin() + static_cast<long>(start))), 0);
    EXPECT_EQ(Clocks(lines), 72);
  }
  {
    Rig rig(".C,,|", 3);
    rig.settings.Intro = kChecked;
    rig.StopAt(110);
    const Lines lines = rig.Play();
    const Lines expected = {"0.000 click 99 3C 64",   "20.000 click 89 3C 64",
                            "110.000 click 99 3C 64", "110.000 click 89 3C 64",
                            "110.000 click 99 3C 64", "110.000 click 89 3C 64",
                            "110.000 chord FA",       "110.000 chord FC"};
    EXPECT_EQ(Frame(lines), expected);
    EXPECT_EQ(Clocks(lines), 0);
    EXPECT_EQ(FirstChordKeys(lines), "");  // a chord due after Stop never starts
    EXPECT_EQ(rig.controls.captions, (std::vector<Text>{U"Stop", U"Play", U"Play"}));
  }
}

TEST(PlayerTest, FirstBeatWithoutChordCarriesTheLastChordParsed) {
  struct Case {
    std::string_view chart;
    std::string_view caret;  // the caret stands right after this text
    std::string firstKeys;
    std::string firstKeysTime;
  };
  const std::vector<Case> cases = {
      {".F|,G7|", ".F|", "43,47,50,53", "0.000"},  // a later beat of the same measure
      {".Dm|,|", ".Dm|", "38,41,45", "0.000"},     // the measures skipped before it
      {".C|Dm7b5|,|", ".C|Dm7b5|", "38,41,44,48", "0.000"},  // root and type
      {".,|C|", ".", "36,40,43", "940.000"},        // nothing parsed: silent until C
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.chart));
    Rig rig(c.chart);
    const Lines lines = rig.Play(static_cast<int32_t>(c.caret.size()));
    EXPECT_EQ(FirstChordKeys(lines), c.firstKeys);
    for (const std::string& line : lines) {
      if (Kind(line) == "keys " + c.firstKeys) {
        EXPECT_EQ(Time(line), c.firstKeysTime);
        break;
      }
    }
  }
}

TEST(PlayerTest, FillClicksSoundOnEveryBeatOfAMarkedMeasureOnlyWhenChecked) {
  struct Case {
    std::string_view chart;
    int16_t fill;
    Lines clicks;
  };
  const Lines fillOfFirstMeasure = {"0.000 click 99 3C 64", "20.000 click 89 3C 64",
                                    "480.000 click 99 3C 64", "500.000 click 89 3C 64"};
  const std::vector<Case> cases = {
      {".C{F}|G|", kChecked, fillOfFirstMeasure},
      {".C{fill}|G|", kChecked, fillOfFirstMeasure},
      {".C{F}|G|", kUnchecked, {}},
      {".C{x}|G|", kChecked, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.chart));
    Rig rig(c.chart);
    rig.settings.Fill = c.fill;
    EXPECT_EQ(OfKind(rig.Play(), "click"), c.clicks);
  }
}

TEST(PlayerTest, UncheckedChordsSendClockButNoNotesWhileKeysAreStillMarked) {
  Rig rig(".C|G|");
  rig.settings.Chords = kUnchecked;
  const Lines lines = rig.Play();
  EXPECT_TRUE(OfKind(lines, "chord 9").empty());
  EXPECT_TRUE(OfKind(lines, "chord 8").empty());
  EXPECT_EQ(OfKind(lines, "keys 4"), Lines{"940.000 keys 43,47,50"});
  EXPECT_EQ(FirstChordKeys(lines), "36,40,43");
  EXPECT_EQ(Clocks(lines), 96);
  EXPECT_EQ(OfKind(lines, "chord F").size(), 98u);  // Start, clocks, Stop
}

TEST(PlayerTest, ChartsWithoutMeasures) {
  {
    Rig rig("");
    EXPECT_EQ(rig.Play(), Lines{"0.000 select 0 0"});
  }
  {
    // Start, one beat of clock and Stop, the selection restored.
    Rig rig("Lyrics only\n");
    rig.controls.caption = U"PLay";
    const Lines expected = {"0.000 select 13 0", "0.000 chord FA", "0.000 clock x24",
                            "460.000 keys -",    "460.000 chord FC", "460.000 select 0 0"};
    EXPECT_EQ(Compact(rig.Play()), expected);
  }
  {
    Rig rig("Lyrics only\n");
    rig.settings.Repeat = kChecked;
    rig.StopAt(1000);
    const Lines lines = rig.Play();
    EXPECT_EQ(OfKind(lines, "chord FA").size(), 3u);
    EXPECT_EQ(OfKind(lines, "chord FC").size(), 3u);
  }
}

TEST(PlayerTest, PlayButtonLocksTheControlsForTheRunAndStopUnlocksThem) {
  Rig rig(kChart);
  bool lockedWhilePlaying = false;
  rig.virtualClock.StopAt(500, [&] {
    lockedWhilePlaying = rig.player.Playing && !rig.controls.enabled &&
                         rig.controls.caption == U"Stop";
    rig.player.btnPlay_Click();
    EXPECT_EQ(rig.controls.caption, U"Play");
    EXPECT_TRUE(rig.controls.enabled);
  });
  const Lines lines = rig.Play();
  EXPECT_TRUE(lockedWhilePlaying);
  EXPECT_EQ(Time(OfKind(lines, "chord FC").at(0)), "500.000");
  EXPECT_EQ(rig.controls.enables, (std::vector<bool>{false, true, true}));
  EXPECT_FALSE(rig.player.Playing);
}

TEST(PlayerTest, TypingLockPassesOnlyExclamationAndQuoteWhilePlaying) {
  Rig rig(kChart);
  for (char32_t c : {U'x', U'!', U'"', U'#', U' '}) EXPECT_TRUE(rig.player.Song_KeyPress(c));
  rig.player.EnterPlayMode();
  EXPECT_FALSE(rig.player.Song_KeyPress(U'x'));
  EXPECT_FALSE(rig.player.Song_KeyPress(U'#'));
  EXPECT_FALSE(rig.player.Song_KeyPress(U'\r'));
  EXPECT_TRUE(rig.player.Song_KeyPress(U'!'));
  EXPECT_TRUE(rig.player.Song_KeyPress(U'"'));
}

TEST(PlayerTest, TempoOrBeatsOutsideWhatPlaybackCanTimeAreRefusedWithAMessage) {
  const Text tempoHint =
      U"; set it between 10 and 250 by dragging the Tempo value, then press Play again.";
  const Text beatsHint =
      U" beats per measure; set them between 1 and 16 by dragging the Beats value, then press "
      U"Play again.";
  struct Case {
    int16_t beats;
    int16_t tempo;
    Text message;  // empty: it plays
  };
  const std::vector<Case> cases = {
      {4, 0, U"This song's tempo is 0" + tempoHint},
      {4, -5, U"This song's tempo is -5" + tempoHint},
      {4, 1366, U"This song's tempo is 1366" + tempoHint},
      {0, 120, U"This song has 0" + beatsHint},
      {17, 120, U"This song has 17" + beatsHint},
      {16, 1365, U""},
      {1, 1, U""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.beats) + " beats, tempo " + std::to_string(c.tempo));
    Rig rig(".C|", c.beats, c.tempo);
    const Lines lines = rig.Play();
    if (c.message.empty()) {
      EXPECT_TRUE(rig.dialogs.messages.empty());
      EXPECT_EQ(Clocks(lines), 24 * c.beats);
      continue;
    }
    ASSERT_EQ(rig.dialogs.messages.size(), 1u);
    EXPECT_EQ(rig.dialogs.messages[0].text, c.message);
    EXPECT_EQ(rig.dialogs.messages[0].icon, MsgIcon::Warning);
    EXPECT_TRUE(lines.empty());
    EXPECT_TRUE(rig.controls.captions.empty());
  }
}

// A clock whose polls come late: every wait overshoots its deadline by up to `lateMs`, and
// the poll at `stallAt` by `stallMs`.
class LateClock : public PlayClock {
 public:
  explicit LateClock(double lateMs, double stallAt = -1, double stallMs = 0)
      : late_(0.0, lateMs), stallAt_(stallAt), stallMs_(stallMs) {}
  double Now() override { return now_; }
  void ProcessEvents(double deadline) override {
    now_ = deadline + late_(random_);
    if (stallAt_ >= 0 && now_ >= stallAt_) {
      now_ += stallMs_;
      stallAt_ = -1;
    }
  }

 private:
  double now_ = 0;
  std::mt19937 random_{7};
  std::uniform_real_distribution<double> late_;
  double stallAt_;
  double stallMs_;
};

std::vector<double> ClockTimes(const Lines& lines) {
  std::vector<double> times;
  for (const std::string& line : OfKind(lines, "chord F8")) times.push_back(std::stod(Time(line)));
  return times;
}

TEST(PlayerTest, LatePollsDoNotStretchTheTempo) {
  // 120 beats a minute: 20.833 ms a tick, which a millisecond clock cannot hit.
  LateClock clock(1.0);
  Rig rig(".C,,,|C,,,|C,,,|C,,,|C,,,|C,,,|C,,,|C,,,|C,,,|C,,,|", 4, 120, &clock);
  const std::vector<double> times = ClockTimes(rig.Play());
  ASSERT_EQ(times.size(), 960u);
  const double mean = (times.back() - times.front()) / static_cast<double>(times.size() - 1);
  EXPECT_NEAR(mean, 60000.0 / (24 * 120), 0.002);
}

TEST(PlayerTest, AStallContinuesFromNowInsteadOfABurst) {
  LateClock clock(0.0, 200, 95);
  Rig rig(".C,|C,|", 2, 125, &clock);
  const std::vector<double> times = ClockTimes(rig.Play());
  ASSERT_EQ(times.size(), 96u);
  int stalls = 0;
  for (size_t i = 1; i < times.size(); ++i) {
    const double gap = times[i] - times[i - 1];
    EXPECT_GE(gap, 20.0 - 1e-9) << "tick " << i;
    if (gap > 20.0 + 1e-9) ++stalls;
  }
  EXPECT_EQ(stalls, 1);
  EXPECT_DOUBLE_EQ(times.back() - times.front(), 95 * 20.0 + 95);
}

TEST(PlayerTest, TempoChangeAppliesAtTheNextPoll) {
  Rig rig(".C|C|");
  rig.virtualClock.StopAt(105, [&] { rig.song().Tempo = 250; });
  const std::vector<double> times = ClockTimes(rig.Play());
  ASSERT_GE(times.size(), 9u);
  EXPECT_EQ(std::vector<double>(times.begin(), times.begin() + 9),
            (std::vector<double>{0, 20, 40, 60, 80, 100, 110, 120, 130}));
}

TEST(PlayerTest, AbortReleasesTheChordAndStopsTheKeyboard) {
  Rig rig(".C|G|");
  size_t atAbort = 0;
  rig.virtualClock.StopAt(300, [&] {
    rig.player.Abort();
    atAbort = rig.recorder.Lines().size();
  });
  const Lines lines = rig.Play();
  const Lines aborted(lines.begin(), lines.begin() + static_cast<long>(atAbort - rig.skipped));
  const Lines expected = {"300.000 chord 80 24 64", "300.000 chord 80 28 64",
                          "300.000 chord 80 2B 64", "300.000 keys -", "300.000 chord FC"};
  EXPECT_EQ(Lines(aborted.end() - 5, aborted.end()), expected);
  EXPECT_FALSE(rig.player.Playing);
  EXPECT_EQ(Clocks(lines), 16);
}

TEST(PlayerTest, RealTimeRunSendsTheSameEventsInTheSameOrder) {
  // 1365 beats a minute: a tick every 1.83 ms, 96 ticks in under a fifth of a second.
  auto withoutTimes = [](const Lines& lines) {
    Lines out;
    for (const std::string& line : lines) out.push_back(Kind(line));
    return out;
  };
  Rig virtualRig(".C{F}|G7,Am|", 2, 1365);
  virtualRig.settings.Fill = kChecked;
  SteadyClock steady;
  Rig realRig(".C{F}|G7,Am|", 2, 1365, &steady);
  realRig.settings.Fill = kChecked;
  const Lines real = realRig.Play();
  EXPECT_EQ(Clocks(real), 96);
  EXPECT_EQ(withoutTimes(real), withoutTimes(virtualRig.Play()));
  EXPECT_GE(std::stod(Time(real.back())), 95 * 60000.0 / (24 * 1365));
}

}  // namespace
}  // namespace vamplet
