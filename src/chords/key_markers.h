// The seam to the five green markers of the on-screen keyboard.
#pragma once

#include <cstdint>

namespace vamplet {

class KeyMarkers {
 public:
  virtual ~KeyMarkers() = default;
  // Puts marker 0..4 on the key of note 36..59 and shows it.
  virtual void ShowActiveKey(int16_t note, int16_t marker) = 0;
  // Hides all five markers; each keeps its last position.
  virtual void HideMarkers() = 0;
};

}  // namespace vamplet
