// The playback engine: the Play button, the play mode, the pass loop and the clock wait.
#include "player/player.h"

#include <algorithm>

namespace vamplet {

namespace {
constexpr int16_t kTicksPerBeat = 24;
}  // namespace

Player::Player(SongCollection& songs, Settings& settings, ChartView& chart,
               ChartScanner& scanner, Voicing& voicing, Midi& midi, PlayClock& clock,
               PlayControls& controls, Dialogs& dialogs)
    : songs_(songs),
      settings_(settings),
      chart_(chart),
      scanner_(scanner),
      voicing_(voicing),
      midi_(midi),
      clock_(clock),
      controls_(controls),
      dialogs_(dialogs) {}

void Player::btnPlay_Click() {
  if (Playing) {
    LeavePlayMode();
    return;
  }
  const Text refusal = PlayRefusal();
  if (!refusal.empty()) {
    dialogs_.MessageBox(refusal, kAppCaption, MsgButtons::Ok, MsgIcon::Warning);
    return;
  }
  EnterPlayMode();
  PlaySong();
  LeavePlayMode();
}

void Player::EnterPlayMode() {
  controls_.SetPlayCaption(U"Stop");
  controls_.SetPlayControlsEnabled(false);
  Playing = true;
}

void Player::LeavePlayMode() {
  controls_.SetPlayCaption(U"Play");
  controls_.SetPlayControlsEnabled(true);
  Playing = false;
}

Text Player::PlayRefusal() {
  const SongRecord* song = songs_.Current();
  if (song == nullptr) return {};
  if (song->Tempo < kMinPlayTempo || song->Tempo > kMaxPlayTempo) {
    return U"This song's tempo is " + NumberText(song->Tempo) +
           U"; set it between 10 and 250 by dragging the Tempo value, then press Play again.";
  }
  if (song->Beats < kMinPlayBeats || song->Beats > kMaxPlayBeats) {
    return U"This song has " + NumberText(song->Beats) +
           U" beats per measure; set them between 1 and 16 by dragging the Beats value, "
           U"then press Play again.";
  }
  return {};
}

void Player::PlaySong() {
  scanner_.TextPos = 0;
  PlaySelStart = chart_.SelStart();
  PlaySelEnd = PlaySelStart + chart_.SelLength();

  // A song the engine cannot time (see PlayRefusal) plays no pass; the selection is kept.
  if (songs_.Current() != nullptr && PlayRefusal().empty()) {
    while (scanner_.TextPos <= PlaySelEnd && scanner_.TextPos < TextLength() && Playing) {
      RunPass();
    }
  }

  // The start is clipped by the box before the length is computed from it, as when the
  // two are set one after the other.
  const int32_t start = PlaySelStart;
  chart_.SelectChart(start, PlaySelEnd - std::min(start, TextLength()));
  chart_.FocusChart();
}

void Player::RunPass() {
  voicing_.CurRoot = -1;
  voicing_.CurType = 0;
  Tick = 1;
  Beat = 1;
  scanner_.TextPos = 0;
  scanner_.MeasuresRead = 0;
  scanner_.MeasureText.clear();
  scanner_.NextChartLine();

  scanner_.LastRoot = -1;
  scanner_.SeekMode = true;
  do {
    scanner_.ReadMeasure();
  } while (scanner_.TextPos <= PlaySelStart && scanner_.TextPos < TextLength());

  scanner_.SeekMode = false;
  chart_.FocusChart();
  chart_.SelectChart(scanner_.MeasureStart, static_cast<int32_t>(scanner_.MeasureText.size()));

  if (settings_.Intro == kChecked) CountIn();

  midi_.SendShortMsg(kStart);
  TickTime = clock_.Now();
  Beat = 1;
  Tick = 1;

  if (scanner_.BeatRoot[1] >= 0) {
    PlayBeatChord();
  } else if (scanner_.LastRoot >= 0) {
    scanner_.BeatRoot[1] = scanner_.LastRoot;
    scanner_.BeatType[1] = scanner_.LastType;
    PlayBeatChord();
  }

  while (Playing) {
    midi_.SendShortMsg(kTimingClock);
    if (settings_.Fill == kChecked && UpperAscii(scanner_.BraceText).find(U'F') != Text::npos) {
      if (Tick == 1) {
        ClickOn();
      } else if (Tick == 2) {
        ClickOff();
      }
    }
    ++Tick;
    if (Tick == kTicksPerBeat && Beat == Beats()) {
      if (scanner_.TextPos > PlaySelEnd && PlaySelEnd != PlaySelStart) break;
      scanner_.ReadMeasure();
    }
    if (Tick > kTicksPerBeat) {
      if (scanner_.MeasuresRead == 0) break;
      Tick = 1;
      ++Beat;
      if (Beat > Beats()) Beat = 1;
      if (scanner_.BeatRoot[Beat] >= 0) PlayBeatChord();
    }
    Wait();
  }

  voicing_.ReleaseChord();
  if (settings_.Repeat == kChecked) scanner_.TextPos = 0;
  midi_.SendShortMsg(kStop);
}

void Player::CountIn() {
  // The count-in does not test Playing: after Stop its remaining ticks run without waiting.
  TickTime = clock_.Now();
  while (Beat <= Beats()) {
    if (Tick == 1) {
      ClickOn();
    } else if (Tick == 2) {
      ClickOff();
    }
    ++Tick;
    if (Tick > kTicksPerBeat) {
      Tick = 1;
      ++Beat;
    }
    Wait();
  }
}

void Player::Wait() {
  while (true) {
    const double now = clock_.Now();
    if (!Playing) return;
    const double period = TickPeriod();
    const double deadline = TickTime + period;
    if (now >= deadline) {
      // After a stall longer than a period, go on from now rather than catch up in a burst.
      TickTime = now - deadline > period ? now : deadline;
      return;
    }
    clock_.ProcessEvents(deadline);
  }
}

double Player::TickPeriod() {
  const SongRecord* song = songs_.Current();
  const int16_t tempo =
      std::clamp<int16_t>(song ? song->Tempo : kMinPlayTempo, kMinPlayTempo, kMaxPlayTempo);
  const int16_t ticksPerMinute = static_cast<int16_t>(kTicksPerBeat * tempo);
  return 60000.0 / ticksPerMinute;
}

int16_t Player::Beats() {
  // Beats cannot change while playing (its label is disabled); the clamp keeps the beat
  // index inside the scanner's arrays whatever the record holds.
  const SongRecord* song = songs_.Current();
  return std::clamp<int16_t>(song ? song->Beats : kMinPlayBeats, kMinPlayBeats, kMaxPlayBeats);
}

int32_t Player::TextLength() const { return static_cast<int32_t>(chart_.ChartText().size()); }

void Player::PlayBeatChord() {
  voicing_.PlayChord(scanner_.BeatRoot[Beat], scanner_.BeatType[Beat], Playing);
}

void Player::ClickOn() { midi_.SendClickMsg(kClickOnMsg); }

void Player::ClickOff() { midi_.SendClickMsg(kClickOffMsg); }

bool Player::Song_KeyPress(char32_t typed) const {
  return !Playing || typed == U'!' || typed == U'"';
}

void Player::Abort() {
  if (voicing_.CurRoot >= 0) voicing_.ReleaseChord();
  if (Playing) midi_.SendShortMsg(kStop);
  Playing = false;
}

}  // namespace vamplet
