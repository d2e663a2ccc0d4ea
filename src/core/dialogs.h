// The seam through which the core asks the user: message boxes, the hourglass and file dialogs.
#pragma once

#include <optional>

#include "core/text.h"

namespace vamplet {

enum class MsgButtons { Ok, YesNo };
enum class MsgIcon { None, Question, Warning, Critical, Information };
enum class MsgAnswer { Ok, Yes, No };
enum class FileDialogMode { Open, Save };

// Caption of message boxes that name no caption of their own.
inline const Text kAppCaption = U"Vamplet";

class Dialogs {
 public:
  virtual ~Dialogs() = default;
  // Modal message box; returns the button the user pressed.
  virtual MsgAnswer MessageBox(const Text& text, const Text& caption, MsgButtons buttons,
                               MsgIcon icon) = 0;
  // The hourglass (busy) mouse pointer on or off.
  virtual void SetHourglass(bool on) = 0;
  // Modal file dialog. `filter` is "Description|pattern|Description|pattern"; `filterIndex`
  // is the 1-based entry shown first. Returns the chosen path, or nothing when cancelled.
  virtual std::optional<Text> FileDialog(FileDialogMode mode, const Text& initialDir,
                                         const Text& filter, int filterIndex) = 0;
};

}  // namespace vamplet
