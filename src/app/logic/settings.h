// The settings the program holds in memory for the whole run.
#pragma once

#include <cstdint>

#include "core/text.h"

namespace vamplet {

constexpr int16_t kChecked = 1;
constexpr int16_t kUnchecked = 0;

struct Settings {
  Text ProgramDir;          // working directory at start-up followed by "/"
  int16_t Fingering = 0;    // 0..4, see the fingering menu
  Text ChordFileDir;        // where the file dialogs open
  Text ChordFileName;       // path of the current chord file; empty when it has none
  int16_t TextSize = 0;     // point size chosen in the text size menu; 0 = never chosen
  int16_t ChordPort = 0;    // 0 = no chord port, n = output device n - 1
  int16_t ChordChannel = 0; // 0..15
  // Values of the option check boxes, 1 checked, 0 clear; the initial values are the
  // boxes' design values, which hold until the settings file is read.
  int16_t Chords = kChecked;  // "Play chords"
  int16_t Repeat = kUnchecked;
  int16_t Intro = kChecked;   // "Intro ticks"
  int16_t Fill = kChecked;    // "Fill in ticks"
};

}  // namespace vamplet
