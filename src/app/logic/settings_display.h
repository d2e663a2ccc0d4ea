// The seam to the menus and check boxes that show the settings.
#pragma once

namespace vamplet {

class SettingsDisplay {
 public:
  virtual ~SettingsDisplay() = default;
  virtual void CheckFingeringMenu() = 0;
  virtual void CheckTextSizeMenu() = 0;
  virtual void CheckChannelMenu() = 0;
  // Puts the values of Intro, Fill, Chords and Repeat on the check boxes.
  virtual void ShowCheckBoxes() = 0;
};

}  // namespace vamplet
