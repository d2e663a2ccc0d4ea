// The program's module: start-up, shut-down, and the fingering, text size and help menus.
#include "app/logic/application.h"

#include <filesystem>
#include <system_error>

#include "app/logic/settings_file.h"
#include "chordfile/chord_file.h"

namespace vamplet {

int TextSizeItem(int16_t size) {
  for (size_t i = 0; i < kTextSizes.size(); ++i)
    if (kTextSizes[i] == size) return static_cast<int>(i);
  return -1;
}

Vamplet::Vamplet(const Seams& seams)
    : songs(settings, seams.songDisplay, seams.dialogs),
      scanner(seams.chart, chordTypes),
      midi(seams.midiService, settings, seams.dialogs, seams.portMenu),
      voicing(chordTypes, settings, midi, seams.markers),
      player(songs, settings, seams.chart, scanner, voicing, midi, seams.clock,
             seams.playControls, seams.dialogs),
      files(songs),
      editor(songs),
      drag(songs),
      seams_(seams) {}

void Vamplet::MDIForm_Load() {
  std::error_code error;
  const std::filesystem::path cwd = std::filesystem::current_path(error);
  MDIForm_Load(error ? Text(U".") : FromUtf8(cwd.string()));
}

void Vamplet::MDIForm_Load(const Text& workingDir) {
  ShellWindows& shell = seams_.shell;
  settings.ProgramDir = workingDir;
  if (settings.ProgramDir.empty() || settings.ProgramDir.back() != U'/')
    settings.ProgramDir += U'/';
  HelpFile = settings.ProgramDir + kHelpFileName;
  shell.CreateTextSizeItems();
  chordTypes.InitChordTypes();
  shell.SizeMainWindow();
  shell.BuildKeyboard();
  midi.FillPortMenu();
  midi.FillChannelMenu();
  ReadSettings(settings, seams_.settingsDisplay);
  midi.ClampChordPort();
  midi.ChordOut = kClosedHandle;
  midi.OpenMidiPorts();
  if (!FindFile(TrimSpaces(settings.ChordFileName)).empty())
    ReadChordFile(songs);
  else
    songs.NewChordFile();
  shell.ShowSongWindow();
  shell.ShowAbout(false);
}

void Vamplet::MDIForm_Unload() {
  if (ShuttingDown) return;
  ShuttingDown = true;
  // The song window closes first: its save question may choose the chord file name that the
  // settings file then records.
  files.SongWindowUnload();
  const Text failure = WriteSettings(settings);
  if (!failure.empty())
    seams_.dialogs.MessageBox(failure, kAppCaption, MsgButtons::Ok, MsgIcon::Warning);
  seams_.songDisplay.DiscardSelectionList();
  // A shut-down from inside the playback wait would otherwise leave the keyboard's
  // accompaniment running and the last chord held.
  if (player.Playing) player.Abort();
  midi.CloseChordPort();
  midi.CloseClickPort();
  seams_.shell.Quit();
}

void Vamplet::mnuFileExit_Click() { MDIForm_Unload(); }

void Vamplet::SetFingering(int16_t fingering) {
  settings.Fingering = fingering;
  seams_.settingsDisplay.CheckFingeringMenu();
}

void Vamplet::mnuSetChordFull_Click() { SetFingering(0); }
void Vamplet::mnuSetChordThree_Click() { SetFingering(1); }
void Vamplet::mnuSetChordInverted_Click() { SetFingering(2); }
void Vamplet::mnuSetChordYamaha_Click() { SetFingering(3); }
void Vamplet::mnuSetChordRoland_Click() { SetFingering(4); }

void Vamplet::mnuText_Click(int index) {
  if (index < 0 || index >= static_cast<int>(kTextSizes.size())) return;
  for (size_t i = 0; i < kTextSizes.size(); ++i)
    seams_.shell.CheckTextSizeItem(static_cast<int>(i), false);
  settings.TextSize = kTextSizes[index];
  seams_.shell.SetChartFontSize(settings.TextSize);
  seams_.shell.CheckTextSizeItem(index, true);
}

void Vamplet::RequestHelp(int command, int context) {
  HelpCommand = command;
  HelpContextNumber = context;
  seams_.shell.ShowHelp(HelpFile, HelpCommand, HelpContextNumber);
}

void Vamplet::mnuHelpContents_Click() { RequestHelp(kHelpCommandContents, 2000); }
// The help on help carries whatever context the last request left.
void Vamplet::mnuHelpUsing_Click() { RequestHelp(kHelpCommandHelpOnHelp, HelpContextNumber); }
void Vamplet::mnuHelpAbout_Click() { seams_.shell.ShowAbout(true); }
void Vamplet::mnuHelpUninstall_Click() { RequestHelp(kHelpCommandTopic, 21); }

}  // namespace vamplet
