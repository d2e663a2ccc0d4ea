// A port and channel menu that keeps its captions and check marks for inspection.
#pragma once

#include <map>
#include <vector>

#include "midi/port_menu.h"

namespace vamplet::test {

class FakePortMenu : public PortMenu {
 public:
  void SetPortItem(int index, const Text& caption) override { portCaptions[index] = caption; }
  void CheckPortItem(int index, bool checked) override { portChecks[index] = checked; }
  void SetChannelItem(int index, const Text& caption) override { channelCaptions[index] = caption; }
  void CheckChannelItem(int index, bool checked) override { channelChecks[index] = checked; }

  static std::vector<int> Checked(const std::map<int, bool>& checks) {
    std::vector<int> out;
    for (const auto& [index, on] : checks) {
      if (on) out.push_back(index);
    }
    return out;
  }
  std::vector<int> CheckedPorts() const { return Checked(portChecks); }
  std::vector<int> CheckedChannels() const { return Checked(channelChecks); }

  std::map<int, Text> portCaptions;
  std::map<int, bool> portChecks;
  std::map<int, Text> channelCaptions;
  std::map<int, bool> channelChecks;
};

}  // namespace vamplet::test
