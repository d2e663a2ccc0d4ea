// Loading, port set-up and playing for the command-line performances.
#include "cli_performance.h"

#include <cstdio>

#include "chordfile/chord_file.h"

namespace vamplet {

CliPerformance::CliPerformance(const PerformanceOptions& options, PlayClock& clock,
                               MidiOutService* output)
    : options_(options),
      songs_(settings_, display_, dialogs_),
      recorder_(clock, Text()),
      midi_(output ? *output : recorder_, settings_, dialogs_, portMenu_),
      scanner_(recorder_, types_),
      voicing_(types_, settings_, midi_, recorder_),
      player_(songs_, settings_, recorder_, scanner_, voicing_, midi_, clock, controls_,
              dialogs_) {
  settings_.Fingering = static_cast<int16_t>(options.fingering);
  settings_.ChordChannel = static_cast<int16_t>(options.channel - 1);
  settings_.Intro = options.intro ? kChecked : kUnchecked;
  settings_.Fill = options.fill ? kChecked : kUnchecked;
  settings_.Repeat = options.repeat ? kChecked : kUnchecked;
  settings_.Chords = options.chords ? kChecked : kUnchecked;
  recorder_.SetChordSource([this] {
    return std::pair<int16_t, int16_t>{voicing_.CurRoot, voicing_.CurType};
  });
}

int CliPerformance::Load() {
  settings_.ChordFileName = FromUtf8(options_.file);
  if (!ReadChordFile(songs_)) {
    if (dialogs_.messages.empty()) {
      std::fprintf(stderr, "vamplet-cli: the chord file \"%s\" could not be read.\n",
                   options_.file.c_str());
    }
    ReportMessages();
    return 1;
  }
  dialogs_.messages.clear();
  if (options_.song > songs_.SongCount) {
    std::fprintf(stderr, "vamplet-cli: --song %d: \"%s\" holds %d song%s.\n", options_.song,
                 options_.file.c_str(), songs_.SongCount, songs_.SongCount == 1 ? "" : "s");
    return 2;
  }
  songs_.CurrentSong = static_cast<int16_t>(options_.song);
  recorder_.SetChartText(songs_.Current()->SongText);
  return 0;
}

void CliPerformance::OpenPorts(int portItem) {
  settings_.ChordPort = static_cast<int16_t>(portItem);
  midi_.OpenMidiPorts();
}

void CliPerformance::ClosePorts() {
  midi_.CloseChordPort();
  midi_.CloseClickPort();
}

bool CliPerformance::Play() {
  const Text refusal = player_.PlayRefusal();
  if (!refusal.empty()) {
    std::fprintf(stderr, "vamplet-cli: %s\n", ToUtf8(refusal).c_str());
    return false;
  }
  recorder_.SelectChart(options_.selStart, options_.selLength);
  recorder_.Clear();
  player_.btnPlay_Click();
  return true;
}

void CliPerformance::ReportMessages() {
  for (const Text& message : dialogs_.messages)
    std::fprintf(stderr, "vamplet-cli: %s\n", ToUtf8(message).c_str());
  dialogs_.messages.clear();
}

int CliPerformance::Record(VirtualClock& clock) {
  if (const int status = Load(); status != 0) return status;
  OpenPorts(1);
  ReportMessages();
  if (options_.stopAt) clock.StopAt(*options_.stopAt, [this] { player_.btnPlay_Click(); });
  return Play() ? 0 : 1;
}

}  // namespace vamplet
