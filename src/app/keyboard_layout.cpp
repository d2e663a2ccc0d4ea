// The on-screen keyboard's geometry, computed step by step as the keys are built.
#include "app/keyboard_layout.h"

namespace vamplet {

namespace {

bool IsWhite(int note) {
  switch (note % 12) {
    case 0: case 2: case 4: case 5: case 7: case 9: case 11: return true;
    default: return false;
  }
}

// The key's place within its octave: white keys count white keys, black keys count the white
// key they follow.
int KeyStep(int note) {
  static constexpr int kSteps[12] = {0, 0, 1, 1, 2, 3, 3, 4, 4, 5, 5, 6};
  return kSteps[note % 12];
}

}  // namespace

int32_t KeyColour(int16_t note) {
  const int pitch = ((note % 12) + 12) % 12;
  return IsWhite(pitch) ? 0xFFFFFF : 0;
}

TwipRect KeyRect(int note) {
  const double width = kKeyPitch + 20;
  const double octave = kOctaveWidth * ((note - kFirstKey) / 12);
  if (IsWhite(note))
    return {kKeyTemplateLeft + kKeyPitch * KeyStep(note) + octave, kKeyTemplateTop, width,
            kKeyTemplateHeight};
  return {kKeyTemplateLeft + 238 + kKeyPitch * KeyStep(note) + octave, kKeyTemplateTop,
          width / 2, kKeyTemplateHeight / 2};
}

TwipRect MarkerRect(int note) {
  const TwipRect key = KeyRect(note);
  TwipRect marker{key.left + 15, key.top + key.height - kMarkerHeight - 100, kMarkerWidth,
                  kMarkerHeight};
  if (KeyColour(static_cast<int16_t>(note)) != 0) {
    marker.left += 80;
    marker.top -= 300;
  }
  return marker;
}

}  // namespace vamplet
