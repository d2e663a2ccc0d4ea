// Stand-ins for the windows when the core runs without a display: messages are kept, not shown.
#pragma once

#include <vector>

#include "core/dialogs.h"
#include "midi/port_menu.h"
#include "player/play_controls.h"
#include "songs/song_display.h"

namespace vamplet {

// Keeps the text of every message box; a question is answered No and a file dialog cancelled,
// so nothing is ever written on the user's behalf.
class CapturingDialogs : public Dialogs {
 public:
  MsgAnswer MessageBox(const Text& text, const Text& caption, MsgButtons buttons,
                       MsgIcon icon) override;
  void SetHourglass(bool on) override;
  std::optional<Text> FileDialog(FileDialogMode mode, const Text& initialDir, const Text& filter,
                                 int filterIndex) override;

  std::vector<Text> messages;
};

// A song display with no windows behind it.
class NullSongDisplay : public SongDisplay {
 public:
  void SetTitleBox(const Text&) override {}
  void SetSongBox(const Text&) override {}
  void SetComposerBox(const Text&) override {}
  void SetBeatsCaption(const Text&) override {}
  void SetStyleBox(const Text&) override {}
  void SetInfoBox(const Text&) override {}
  void SetTempoCaption(const Text&) override {}
  void FocusTitleBox() override {}
  void DiscardSelectionList() override {}
};

// A port menu and play controls with no windows behind them.
class NullPortMenu : public PortMenu {
 public:
  void SetPortItem(int, const Text&) override {}
  void CheckPortItem(int, bool) override {}
  void SetChannelItem(int, const Text&) override {}
  void CheckChannelItem(int, bool) override {}
};

class NullPlayControls : public PlayControls {
 public:
  void SetPlayCaption(const Text&) override {}
  void SetPlayControlsEnabled(bool) override {}
};

}  // namespace vamplet
