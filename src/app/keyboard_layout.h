// The on-screen keyboard's geometry in twips: keys 36..59 and the places of the markers.
#pragma once

#include <cstdint>

namespace vamplet {

constexpr int kFirstKey = 36;
constexpr int kLastKey = 59;
constexpr int kMarkerCount = 5;

// Design values of the templates Key(0) and KeyActive(0).
constexpr double kKeyTemplateLeft = -15;
constexpr double kKeyTemplateTop = 0;
constexpr double kKeyTemplateHeight = 1905;
constexpr double kKeyPitch = 307;
constexpr double kOctaveWidth = 7 * kKeyPitch;
constexpr double kMarkerLeft = 90;
constexpr double kMarkerTop = 1200;
constexpr double kMarkerWidth = 135;
constexpr double kMarkerHeight = 255;

struct TwipRect {
  double left = 0;
  double top = 0;
  double width = 0;
  double height = 0;
  bool operator==(const TwipRect&) const = default;
};

// White (0xFFFFFF) for the white keys, 0 for the black ones.
int32_t KeyColour(int16_t note);

// The key of `note` (36..59) as the keyboard is built: black keys half as wide and high.
TwipRect KeyRect(int note);

// Where ShowActiveKey puts a marker on the key of `note`.
TwipRect MarkerRect(int note);

}  // namespace vamplet
