// The seam to the Settings menu's port and channel submenus.
#pragma once

#include "core/text.h"

namespace vamplet {

class PortMenu {
 public:
  virtual ~PortMenu() = default;
  // Item 0 exists from the start; items are added in ascending order.
  virtual void SetPortItem(int index, const Text& caption) = 0;
  virtual void CheckPortItem(int index, bool checked) = 0;
  virtual void SetChannelItem(int index, const Text& caption) = 0;
  virtual void CheckChannelItem(int index, bool checked) = 0;
};

}  // namespace vamplet
