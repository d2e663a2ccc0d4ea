// A scripted stand-in for the user: records every message box and answers from a queue.
#pragma once

#include <deque>
#include <optional>
#include <vector>

#include "core/dialogs.h"

namespace vamplet::test {

struct ShownMessage {
  Text text;
  Text caption;
  MsgButtons buttons;
  MsgIcon icon;
};

struct ShownFileDialog {
  FileDialogMode mode;
  Text initialDir;
  Text filter;
  int filterIndex;
};

class FakeDialogs : public Dialogs {
 public:
  MsgAnswer MessageBox(const Text& text, const Text& caption, MsgButtons buttons,
                       MsgIcon icon) override {
    messages.push_back({text, caption, buttons, icon});
    if (buttons == MsgButtons::Ok) return MsgAnswer::Ok;
    if (answers.empty()) return MsgAnswer::No;
    const MsgAnswer a = answers.front();
    answers.pop_front();
    return a;
  }
  void SetHourglass(bool on) override {
    hourglass = on;
    hourglassChanges.push_back(on);
  }
  std::optional<Text> FileDialog(FileDialogMode mode, const Text& initialDir, const Text& filter,
                                 int filterIndex) override {
    fileDialogs.push_back({mode, initialDir, filter, filterIndex});
    if (paths.empty()) return std::nullopt;
    std::optional<Text> p = paths.front();
    paths.pop_front();
    return p;
  }

  std::deque<MsgAnswer> answers;              // for Yes/No boxes; No when empty
  std::deque<std::optional<Text>> paths;      // for file dialogs; cancel when empty
  std::vector<ShownMessage> messages;
  std::vector<ShownFileDialog> fileDialogs;
  std::vector<bool> hourglassChanges;
  bool hourglass = false;
};

}  // namespace vamplet::test
