// Timing of playback through the window program's wait while the event loop is kept busy
// with repaints: tempo error, per-tick jitter and processor use.
#include <QApplication>
#include <QPainter>
#include <QTimer>
#include <QWidget>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>
#include <vector>

#include "chords/chart_scanner.h"
#include "chords/voicing.h"
#include "headless_ui.h"
#include "platform/qt/qt_play_clock.h"
#include "player/play_recorder.h"
#include "player/player.h"
#include "songs/song_collection.h"

namespace {

using namespace vamplet;

// A widget that paints a little on every repaint, repainted every 5 ms.
class BusyWidget : public QWidget {
 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    for (int i = 0; i < 40; ++i)
      painter.fillRect((i * 13 + frame_) % width(), (i * 7) % height(), 30, 20,
                       QColor::fromHsv((i * 9 + frame_) % 360, 200, 200));
    painter.drawText(rect(), Qt::AlignCenter, QString::number(frame_++));
  }

 private:
  int frame_ = 0;
};

double Percentile(std::vector<double> values, double p) {
  std::sort(values.begin(), values.end());
  const size_t index = static_cast<size_t>(std::ceil(p / 100.0 * values.size())) - 1;
  return values[std::min(index, values.size() - 1)];
}

}  // namespace

int main(int argc, char** argv) {
  const double seconds = argc > 1 ? std::atof(argv[1]) : 60;
  const int tempo = argc > 2 ? std::atoi(argv[2]) : 120;
  if (seconds <= 0 || tempo < 1 || tempo > 1365) {
    std::fprintf(stderr, "usage: play_timing_bench [SECONDS [TEMPO 1..1365]]\n");
    return 2;
  }
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);

  BusyWidget widget;
  widget.resize(640, 400);
  widget.show();
  QTimer repaint;
  repaint.setTimerType(Qt::PreciseTimer);
  QObject::connect(&repaint, &QTimer::timeout, &widget, [&] { widget.repaint(); });
  repaint.start(5);

  // Enough measures of four beats for the whole run.
  const int measures = static_cast<int>(seconds * tempo / 60.0 / 4.0) + 2;
  Text chart = U".";
  for (int i = 0; i < measures; ++i) chart += i % 2 ? U"C,,G7,|" : U"Am{F},,Dm,|";

  Settings settings;
  settings.Intro = kUnchecked;
  settings.Fill = kChecked;
  settings.ChordPort = 1;
  NullSongDisplay display;
  CapturingDialogs dialogs;
  SongCollection songs(settings, display, dialogs);
  songs.Songs.resize(2);
  songs.SongCount = 1;
  songs.CurrentSong = 1;
  songs.Songs[1].Beats = 4;
  songs.Songs[1].Tempo = static_cast<int16_t>(tempo);
  songs.Songs[1].SongText = chart;

  QtPlayClock clock;
  PlayRecorder recorder(clock, chart);
  NullPortMenu portMenu;
  Midi midi(recorder, settings, dialogs, portMenu);
  midi.OpenMidiPorts();
  ChordTypeTable types;
  ChartScanner scanner(recorder, types);
  Voicing voicing(types, settings, midi, recorder);
  NullPlayControls controls;
  Player player(songs, settings, recorder, scanner, voicing, midi, clock, controls, dialogs);

  const std::clock_t cpuStart = std::clock();
  const double wallStart = clock.Now();
  QTimer::singleShot(0, [&] {
    QTimer::singleShot(static_cast<int>(seconds * 1000), Qt::PreciseTimer,
                       [&] { player.btnPlay_Click(); });
    player.btnPlay_Click();
    app.quit();
  });
  app.exec();
  const double cpu = static_cast<double>(std::clock() - cpuStart) / CLOCKS_PER_SEC;
  const double wall = (clock.Now() - wallStart) / 1000.0;
  for (const Text& message : dialogs.messages)
    std::fprintf(stderr, "%s\n", ToUtf8(message).c_str());

  std::vector<double> ticks;
  for (const PlayEvent& e : recorder.Events())
    if (e.kind == PlayEvent::Kind::Chord && e.message == kTimingClock) ticks.push_back(e.time);
  if (ticks.size() < 2) {
    std::fprintf(stderr, "no clock was sent\n");
    return 1;
  }
  const double period = 60000.0 / (24 * tempo);
  const double measured = (ticks.back() - ticks.front()) / static_cast<double>(ticks.size() - 1);
  std::vector<double> jitterUs;
  for (size_t k = 0; k < ticks.size(); ++k)
    jitterUs.push_back(std::abs(ticks[k] - (ticks.front() + k * period)) * 1000.0);

  std::printf("ticks: %zu at %d BPM over %.1f s (ideal period %.4f ms, measured %.4f ms)\n",
              ticks.size(), tempo, wall, period, measured);
  std::printf("tempo error: %+.5f %%\n", (period / measured - 1.0) * 100.0);
  std::printf("jitter against the ideal grid: median %.0f us, p99 %.0f us, max %.0f us\n",
              Percentile(jitterUs, 50), Percentile(jitterUs, 99),
              *std::max_element(jitterUs.begin(), jitterUs.end()));
  // A stall longer than a period makes the wait go on from then: the grid moves once.
  int stalls = 0;
  double longest = 0;
  for (size_t k = 1; k < ticks.size(); ++k) {
    longest = std::max(longest, ticks[k] - ticks[k - 1]);
    if (ticks[k] - ticks[k - 1] > 2 * period) ++stalls;
  }
  std::printf("longest tick gap: %.3f ms; stalls over two periods: %d\n", longest, stalls);
  std::printf("processor time / wall time: %.2f %%\n", cpu / wall * 100.0);
  return 0;
}
