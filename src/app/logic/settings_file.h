// The settings file "rifflo.CFG": its byte layout, reading at start-up and writing at exit.
#pragma once

#include <string>
#include <vector>

#include "app/logic/settings.h"
#include "app/logic/settings_display.h"

namespace vamplet {

inline const Text kSettingsFileName = U"rifflo.CFG";

// Reads ProgramDir + "rifflo.CFG" into `settings` and shows them; a missing, short or
// damaged file reads as described for a missing one, field by field.
void ReadSettings(Settings& settings, SettingsDisplay& display);

// Writes the file through a temporary file renamed over it. Returns an empty text, or a
// sentence saying what failed.
Text WriteSettings(Settings& settings);

// The byte image of the file, and its decoding; exposed for tests and fuzzing.
std::vector<unsigned char> EncodeSettings(const Settings& settings);
void DecodeSettings(const std::vector<unsigned char>& bytes, Settings& settings);

}  // namespace vamplet
