// The program's module: owns the state and the core objects, runs start-up and shut-down.
#pragma once

#include <array>
#include <cstdint>

#include "app/logic/settings.h"
#include "app/logic/settings_display.h"
#include "app/logic/value_drag.h"
#include "chordfile/file_commands.h"
#include "chords/chart_scanner.h"
#include "chords/chart_view.h"
#include "chords/chord_types.h"
#include "chords/key_markers.h"
#include "chords/voicing.h"
#include "core/dialogs.h"
#include "midi/midi.h"
#include "midi/midi_out_service.h"
#include "midi/port_menu.h"
#include "player/play_clock.h"
#include "player/play_controls.h"
#include "player/player.h"
#include "songs/song_collection.h"
#include "songs/song_display.h"
#include "songs/song_editor.h"

namespace vamplet {

inline const Text kHelpFileName = U"rifflo.hlp";

// The point sizes of the text size items 0..7, in menu order.
constexpr std::array<int16_t, 8> kTextSizes{8, 10, 12, 14, 20, 28, 36, 56};
// The item of a text size, or -1 when no item has that size.
int TextSizeItem(int16_t size);

// The commands a help request passes to the help viewer.
constexpr int kHelpCommandTopic = 1;
constexpr int kHelpCommandContents = 3;
constexpr int kHelpCommandHelpOnHelp = 4;

// The window steps of start-up, shut-down and the menus that no other seam covers.
class ShellWindows {
 public:
  virtual ~ShellWindows() = default;
  // The text size items "8" to "56" of the Settings menu, each created and then captioned.
  virtual void CreateTextSizeItems() = 0;
  virtual void CheckTextSizeItem(int index, bool checked) = 0;
  // 12000 x 9000 twips, centred on the screen.
  virtual void SizeMainWindow() = 0;
  // The five markers and the 24 keys of the on-screen keyboard.
  virtual void BuildKeyboard() = 0;
  // Creates the song window when needed, maximises and shows it.
  virtual void ShowSongWindow() = 0;
  // Modal; a splash closes itself after two seconds, `nonstop` waits for OK.
  virtual void ShowAbout(bool nonstop) = 0;
  virtual void SetChartFontSize(int points) = 0;
  virtual void ShowHelp(const Text& helpFile, int command, int context) = 0;
  // Ends the process at once; nothing of the program runs afterwards.
  virtual void Quit() = 0;
};

// The seams the module works through, gathered so the constructor stays readable.
struct Seams {
  Dialogs& dialogs;
  SongDisplay& songDisplay;
  ChartView& chart;
  KeyMarkers& markers;
  PortMenu& portMenu;
  SettingsDisplay& settingsDisplay;
  PlayControls& playControls;
  PlayClock& clock;
  MidiOutService& midiService;
  ShellWindows& shell;
};

class Vamplet {
 public:
  explicit Vamplet(const Seams& seams);
  Vamplet(const Vamplet&) = delete;
  Vamplet& operator=(const Vamplet&) = delete;

  // Start-up, from the current working directory or from `workingDir`.
  void MDIForm_Load();
  void MDIForm_Load(const Text& workingDir);
  // Shut-down, whatever started it; runs once, later calls do nothing.
  void MDIForm_Unload();
  void mnuFileExit_Click();

  void mnuSetChordFull_Click();
  void mnuSetChordThree_Click();
  void mnuSetChordInverted_Click();
  void mnuSetChordYamaha_Click();
  void mnuSetChordRoland_Click();
  void mnuText_Click(int index);

  void mnuHelpContents_Click();
  void mnuHelpUsing_Click();
  void mnuHelpAbout_Click();
  void mnuHelpUninstall_Click();

  Settings settings;
  Text HelpFile;
  int HelpCommand = 0;
  int HelpContextNumber = 0;
  bool ShuttingDown = false;

  ChordTypeTable chordTypes;
  SongCollection songs;
  ChartScanner scanner;
  Midi midi;
  Voicing voicing;
  Player player;
  FileCommands files;
  SongEditor editor;
  ValueDrag drag;

 private:
  void SetFingering(int16_t fingering);
  void RequestHelp(int command, int context);

  Seams seams_;
};

}  // namespace vamplet
