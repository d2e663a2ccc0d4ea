// Stand-ins for the windows when the core runs without a display.
#include "headless_ui.h"

namespace vamplet {

MsgAnswer CapturingDialogs::MessageBox(const Text& text, const Text&, MsgButtons buttons,
                                       MsgIcon) {
  messages.push_back(text);
  return buttons == MsgButtons::YesNo ? MsgAnswer::No : MsgAnswer::Ok;
}

void CapturingDialogs::SetHourglass(bool) {}

std::optional<Text> CapturingDialogs::FileDialog(FileDialogMode, const Text&, const Text&, int) {
  return std::nullopt;
}

}  // namespace vamplet
