// The seam to the controls that playback locks and the Play button's caption.
#pragma once

#include "core/text.h"

namespace vamplet {

class PlayControls {
 public:
  virtual ~PlayControls() = default;
  virtual void SetPlayCaption(const Text& caption) = 0;
  // Menus File, Song, Settings, Help; btnTitle; the four check boxes; the Title, Composer,
  // Style and Info boxes; the Beats label.
  virtual void SetPlayControlsEnabled(bool enabled) = 0;
};

}  // namespace vamplet
