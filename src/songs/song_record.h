// One song of the collection.
#pragma once

#include <cstdint>

#include "core/text.h"

namespace vamplet {

struct SongRecord {
  Text Title;
  Text Composer;
  int16_t Beats = 0;
  int16_t Tempo = 0;
  Text Style;
  Text Info;
  Text SongText;  // the chord chart, lines separated by CR LF
  bool Deleted = false;
  int16_t ListIndex = 0;  // position in the song list when it was last built
};

}  // namespace vamplet
