// A settings display that records which menus and boxes were updated, with the values it saw.
#pragma once

#include <string>
#include <vector>

#include "app/logic/settings.h"
#include "app/logic/settings_display.h"

namespace vamplet::test {

class FakeSettingsDisplay : public SettingsDisplay {
 public:
  explicit FakeSettingsDisplay(const Settings& settings) : settings_(settings) {}

  // Each entry names the call and the value that call had to show, e.g. "Fingering=2".
  void CheckFingeringMenu() override { Record("Fingering=", settings_.Fingering); }
  void CheckTextSizeMenu() override { Record("TextSize=", settings_.TextSize); }
  void CheckChannelMenu() override { Record("Channel=", settings_.ChordChannel); }
  void ShowCheckBoxes() override {
    calls.push_back("Boxes=" + std::to_string(settings_.Intro) + std::to_string(settings_.Fill) +
                    std::to_string(settings_.Chords) + std::to_string(settings_.Repeat));
  }

  std::vector<std::string> calls;

 private:
  void Record(const char* what, int value) { calls.push_back(what + std::to_string(value)); }

  const Settings& settings_;
};

}  // namespace vamplet::test
