// Play button caption and the locked controls, as playback leaves them.
#pragma once

#include <vector>

#include "player/play_controls.h"

namespace vamplet::test {

class FakePlayControls : public PlayControls {
 public:
  void SetPlayCaption(const Text& text) override {
    caption = text;
    captions.push_back(text);
  }
  void SetPlayControlsEnabled(bool on) override {
    enabled = on;
    enables.push_back(on);
  }

  Text caption = U"PLay";
  bool enabled = true;
  std::vector<Text> captions;
  std::vector<bool> enables;
};

}  // namespace vamplet::test
