// The core's seams over the main window's widgets: song display, port and channel menus,
// settings display, play controls, and the shell's window steps.
#pragma once

#include <functional>

#include "app/logic/application.h"
#include "app/logic/settings_display.h"
#include "midi/port_menu.h"
#include "player/play_controls.h"
#include "songs/song_display.h"

namespace vamplet {

class MainWindow;

class QtSongDisplay : public SongDisplay {
 public:
  explicit QtSongDisplay(MainWindow& window) : window_(window) {}
  void SetTitleBox(const Text& text) override;
  void SetSongBox(const Text& text) override;
  void SetComposerBox(const Text& text) override;
  void SetBeatsCaption(const Text& caption) override;
  void SetStyleBox(const Text& text) override;
  void SetInfoBox(const Text& text) override;
  void SetTempoCaption(const Text& caption) override;
  void FocusTitleBox() override;
  void DiscardSelectionList() override;

 private:
  MainWindow& window_;
};

class QtPortMenu : public PortMenu {
 public:
  explicit QtPortMenu(MainWindow& window) : window_(window) {}
  void SetPortItem(int index, const Text& caption) override;
  void CheckPortItem(int index, bool checked) override;
  void SetChannelItem(int index, const Text& caption) override;
  void CheckChannelItem(int index, bool checked) override;

 private:
  MainWindow& window_;
};

class QtSettingsDisplay : public SettingsDisplay {
 public:
  explicit QtSettingsDisplay(MainWindow& window) : window_(window) {}
  void CheckFingeringMenu() override;
  void CheckTextSizeMenu() override;
  void CheckChannelMenu() override;
  void ShowCheckBoxes() override;

 private:
  MainWindow& window_;
};

class QtPlayControls : public PlayControls {
 public:
  explicit QtPlayControls(MainWindow& window) : window_(window) {}
  void SetPlayCaption(const Text& caption) override;
  void SetPlayControlsEnabled(bool enabled) override;

 private:
  MainWindow& window_;
};

class QtShell : public ShellWindows {
 public:
  QtShell(MainWindow& window, int splashMs, std::function<void()> exitProcess)
      : window_(window), splashMs_(splashMs), exitProcess_(std::move(exitProcess)) {}
  void CreateTextSizeItems() override;
  void CheckTextSizeItem(int index, bool checked) override;
  void SizeMainWindow() override;
  void BuildKeyboard() override;
  void ShowSongWindow() override;
  void ShowAbout(bool nonstop) override;
  void SetChartFontSize(int points) override;
  void ShowHelp(const Text& helpFile, int command, int context) override;
  void Quit() override;

 private:
  MainWindow& window_;
  int splashMs_;
  std::function<void()> exitProcess_;
};

}  // namespace vamplet
