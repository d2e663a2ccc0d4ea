// The tempo and beats drags: the value follows the whole distance from the press.
#include "app/logic/value_drag.h"

#include <cmath>

namespace vamplet {

namespace {

// A mouse held far off the label (capture keeps reporting it) must not overflow the
// distance; beyond this many twips every value is clamped anyway.
constexpr double kMaxDistance = 1.0e7;

// Rounds to the nearest whole number, a half going to the even neighbour, whatever
// floating-point rounding mode is in force.
long RoundHalfEven(double d) {
  const double lower = std::floor(d);
  const double rest = d - lower;
  long n = static_cast<long>(lower);
  if (rest > 0.5 || (rest == 0.5 && n % 2 != 0)) ++n;
  return n;
}

}  // namespace

struct ValueDrag::Label {
  int16_t id;
  int16_t SongRecord::*field;
  long twipsPerStep;
  long lowest;
  long highest;
  void (SongDisplay::*setCaption)(const Text&);
};

const ValueDrag::Label ValueDrag::kTempo{kDragTempo, &SongRecord::Tempo, 30, 10, 250,
                                         &SongDisplay::SetTempoCaption};
const ValueDrag::Label ValueDrag::kBeats{kDragBeats, &SongRecord::Beats, 100, 1, 16,
                                         &SongDisplay::SetBeatsCaption};

void ValueDrag::Tempo_MouseDown(float y) { MouseDown(kTempo, y); }
void ValueDrag::Tempo_MouseMove(float y) { MouseMove(kTempo, y); }
void ValueDrag::Tempo_MouseUp(float) { MouseUp(); }
void ValueDrag::Beats_MouseDown(float y) { MouseDown(kBeats, y); }
void ValueDrag::Beats_MouseMove(float y) { MouseMove(kBeats, y); }
void ValueDrag::Beats_MouseUp(float) { MouseUp(); }

void ValueDrag::MouseDown(const Label& label, float y) {
  const SongRecord* song = songs_.Current();
  if (song == nullptr) return;
  DragStartY = y;
  DragStartValue = song->*label.field;
  DragLabel = label.id;
  Dragging = true;
}

void ValueDrag::MouseMove(const Label& label, float y) {
  if (!Dragging || DragLabel != label.id) return;
  SongRecord* song = songs_.Current();
  if (song == nullptr) return;
  const float distance = DragStartY - y;
  if (std::isnan(distance)) return;
  const long d = RoundHalfEven(std::fmax(-kMaxDistance, std::fmin(kMaxDistance, distance)));
  long v = DragStartValue + d / label.twipsPerStep;
  if (v < label.lowest) v = label.lowest;
  if (v > label.highest) v = label.highest;
  (songs_.display().*label.setCaption)(NumberText(v));
  song->*label.field = static_cast<int16_t>(v);
  songs_.FileChanged = true;
}

void ValueDrag::MouseUp() { Dragging = false; }

}  // namespace vamplet
