// The seam to the windows that show the current song and cache the song selection list.
#pragma once

#include "core/text.h"

namespace vamplet {

class SongDisplay {
 public:
  virtual ~SongDisplay() = default;
  // Writing a box raises its change handler, exactly as a typed change would.
  virtual void SetTitleBox(const Text& text) = 0;
  virtual void SetSongBox(const Text& text) = 0;
  virtual void SetComposerBox(const Text& text) = 0;
  virtual void SetBeatsCaption(const Text& caption) = 0;
  virtual void SetStyleBox(const Text& text) = 0;
  virtual void SetInfoBox(const Text& text) = 0;
  virtual void SetTempoCaption(const Text& caption) = 0;
  virtual void FocusTitleBox() = 0;
  // Unloads the song selection dialog when it is loaded, so its list is built anew.
  virtual void DiscardSelectionList() = 0;
};

}  // namespace vamplet
