// The program's module on fakes: start-up order and first start, shut-down order, settings
// carried from one run to the next, and the fingering, text size and help menus.
#include "app/logic/application.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "app/logic/settings_file.h"
#include "fakes/fake_chart_view.h"
#include "fakes/fake_dialogs.h"
#include "fakes/fake_key_markers.h"
#include "fakes/fake_midi_out_service.h"
#include "fakes/fake_play_controls.h"
#include "fakes/fake_port_menu.h"
#include "fakes/fake_settings_display.h"
#include "fakes/fake_song_display.h"
#include "fakes/temp_dir.h"
#include "player/virtual_clock.h"

namespace vamplet {
namespace {

namespace fs = std::filesystem;
using Journal = std::vector<std::string>;

struct HelpRequest {
  Text file;
  int command;
  int context;
  bool operator==(const HelpRequest&) const = default;
};

class FakeShell : public ShellWindows {
 public:
  explicit FakeShell(Journal& journal) : journal_(journal) {}
  void CreateTextSizeItems() override { journal_.push_back("text size items"); }
  void CheckTextSizeItem(int index, bool checked) override {
    journal_.push_back("check text size " + std::to_string(index) + (checked ? " on" : " off"));
  }
  void SizeMainWindow() override { journal_.push_back("size window"); }
  void BuildKeyboard() override { journal_.push_back("keyboard"); }
  void ShowSongWindow() override { journal_.push_back("song window"); }
  void ShowAbout(bool nonstop) override { journal_.push_back(nonstop ? "about nonstop" : "about splash"); }
  void SetChartFontSize(int points) override { journal_.push_back("font " + std::to_string(points)); }
  void ShowHelp(const Text& file, int command, int context) override {
    help.push_back({file, command, context});
  }
  void Quit() override { journal_.push_back("quit"); }

  std::vector<HelpRequest> help;

 private:
  Journal& journal_;
};

// The fakes journal what the shut-down order depends on.
class JournalDialogs : public test::FakeDialogs {
 public:
  explicit JournalDialogs(Journal& journal) : journal_(journal) {}
  MsgAnswer MessageBox(const Text& text, const Text& caption, MsgButtons buttons,
                       MsgIcon icon) override {
    journal_.push_back("message " + ToUtf8(text));
    return FakeDialogs::MessageBox(text, caption, buttons, icon);
  }

 private:
  Journal& journal_;
};

class JournalSongDisplay : public test::FakeSongDisplay {
 public:
  explicit JournalSongDisplay(Journal& journal) : journal_(journal) {}
  void DiscardSelectionList() override {
    FakeSongDisplay::DiscardSelectionList();
    journal_.push_back(!settingsFile.empty() && fs::exists(settingsFile)
                           ? "discard list, settings written"
                           : "discard list");
  }

  fs::path settingsFile;

 private:
  Journal& journal_;
};

class JournalMidi : public test::FakeMidiOutService {
 public:
  explicit JournalMidi(Journal& journal) : journal_(journal) {}
  uint32_t Open(int32_t deviceId, int32_t& handle) override {
    journal_.push_back("open " + std::to_string(deviceId));
    return FakeMidiOutService::Open(deviceId, handle);
  }
  uint32_t ShortMsg(int32_t handle, uint32_t message) override {
    if (message == 0xFC || (message & 0xF0) == 0x80) journal_.push_back("send " + std::to_string(message & 0xFF));
    return FakeMidiOutService::ShortMsg(handle, message);
  }
  uint32_t Close(int32_t handle) override {
    journal_.push_back("close " + std::to_string(DeviceOf(handle)));
    return FakeMidiOutService::Close(handle);
  }

 private:
  Journal& journal_;
};

// Shows the settings as the window does: the channel check through the MIDI module.
class ProgramSettingsDisplay : public SettingsDisplay {
 public:
  void CheckFingeringMenu() override {}
  void CheckTextSizeMenu() override {}
  void CheckChannelMenu() override { app->midi.CheckChannelMenu(); }
  void ShowCheckBoxes() override {}
  Vamplet* app = nullptr;
};

// A fresh program on fakes in its own empty directory.
class ApplicationTest : public ::testing::Test {
 protected:
  ApplicationTest() {
    midi_.names = {"Synth", "Keyboard"};
    songDisplay.settingsFile = dir_.path / "rifflo.CFG";
  }

  // A new run of the program, as a new process would start it.
  Vamplet& Start() {
    journal.clear();
    app_.reset();
    app_ = std::make_unique<Vamplet>(Seams{dialogs, songDisplay, chart, markers, portMenu,
                                           settingsDisplay_, controls, clock, midi_, shell});
    settingsDisplay_.app = app_.get();
    app_->MDIForm_Load(Dir());
    return *app_;
  }

  Text Dir() const { return FromUtf8(dir_.path.string()); }
  void WriteFile(const std::string& name, const std::string& content) {
    std::ofstream(dir_.path / name, std::ios::binary) << content;
  }
  size_t Position(const std::string& entry) const {
    return static_cast<size_t>(std::find(journal.begin(), journal.end(), entry) - journal.begin());
  }

  Journal journal;
  JournalDialogs dialogs{journal};
  JournalSongDisplay songDisplay{journal};
  test::FakeChartView chart;
  test::FakeKeyMarkers markers;
  test::FakePortMenu portMenu;
  test::FakePlayControls controls;
  VirtualClock clock;
  FakeShell shell{journal};
  JournalMidi& Midi() { return midi_; }

 private:
  test::TempDir dir_{"vamplet-app"};
  JournalMidi midi_{journal};
  ProgramSettingsDisplay settingsDisplay_;
  std::unique_ptr<Vamplet> app_;
};

TEST_F(ApplicationTest, FirstStartInAnEmptyDirectory) {
  Vamplet& app = Start();

  EXPECT_EQ(app.settings.ProgramDir, Dir() + U"/");
  EXPECT_EQ(app.HelpFile, Dir() + U"/rifflo.hlp");
  EXPECT_EQ(app.songs.SongCount, 1);
  EXPECT_EQ(app.songs.CurrentSong, 1);
  EXPECT_EQ(songDisplay.title, U"");
  EXPECT_EQ(songDisplay.beats, U"4");
  EXPECT_EQ(songDisplay.tempo, U"120");
  EXPECT_EQ(app.settings.ChordFileName, U"");
  EXPECT_FALSE(app.songs.FileChanged);
  // A missing settings file clears all four boxes, whatever their design values.
  EXPECT_EQ(app.settings.Intro + app.settings.Fill + app.settings.Chords + app.settings.Repeat, 0);
  EXPECT_EQ(portMenu.portCaptions[0], U"Device not enabled");
  EXPECT_EQ(portMenu.CheckedPorts(), std::vector<int>{0});
  EXPECT_EQ(portMenu.CheckedChannels(), std::vector<int>{0});
  EXPECT_EQ(std::count_if(journal.begin(), journal.end(),
                          [](const std::string& e) { return e.ends_with(" on"); }),
            0);
  // No chord port, only the mapper for the clicks.
  EXPECT_EQ(Midi().CallsOf("Open").size(), 1u);
  EXPECT_EQ(Midi().CallsOf("Open")[0].arg, MIDI_MAPPER);
}

TEST_F(ApplicationTest, StartUpRunsItsStepsInOrder) {
  Settings stored;
  stored.ProgramDir = Dir() + U"/";
  stored.ChordPort = 2;
  WriteSettings(stored);
  Start();

  const std::vector<std::string> order = {"text size items", "size window", "keyboard",
                                          "open 1", "open -1", "song window", "about splash"};
  for (size_t i = 1; i < order.size(); ++i)
    EXPECT_LT(Position(order[i - 1]), Position(order[i])) << order[i - 1] << " before " << order[i];
  EXPECT_EQ(journal.back(), "about splash");
  // The port menu is filled before the settings are read, so the stored port is checked.
  EXPECT_EQ(portMenu.portCaptions[2], U"Keyboard");
  EXPECT_EQ(portMenu.CheckedPorts(), std::vector<int>{2});
}

TEST_F(ApplicationTest, StartsWithTheStoredSettingsAndTheLastChordFile) {
  WriteFile("gig.crd", "T:Blue song\r\nB:3\r\nQ:96\r\n.C|F|\r\nT:Next\r\n");
  Settings stored;
  stored.ProgramDir = Dir() + U"/";
  stored.ChordFileName = Dir() + U"/gig.crd";
  stored.Fingering = 3;
  stored.TextSize = 28;
  stored.ChordChannel = 9;
  stored.Intro = 0;
  stored.Fill = 1;
  stored.Chords = 1;
  stored.Repeat = 1;
  WriteSettings(stored);

  Vamplet& app = Start();

  EXPECT_EQ(app.songs.SongCount, 2);
  EXPECT_EQ(songDisplay.title, U"Blue song");
  EXPECT_EQ(songDisplay.tempo, U"96");
  EXPECT_EQ(app.settings.Fingering, 3);
  EXPECT_EQ(app.settings.TextSize, 28);
  EXPECT_EQ(portMenu.CheckedChannels(), std::vector<int>{9});
  EXPECT_EQ(app.settings.Intro, 0);
  EXPECT_EQ(app.settings.Repeat, 1);
  // The stored size is only checked; the chart keeps its design font until one is chosen.
  EXPECT_EQ(std::count_if(journal.begin(), journal.end(),
                          [](const std::string& e) { return e.starts_with("font"); }),
            0);
}

TEST_F(ApplicationTest, ShutDownAsksFirstThenWritesSettingsThenClosesThePorts) {
  Settings stored;
  stored.ProgramDir = Dir() + U"/";
  stored.ChordPort = 1;
  WriteSettings(stored);
  Vamplet& app = Start();
  app.editor.Style_Change(U"Swing");
  ASSERT_TRUE(app.songs.FileChanged);
  dialogs.answers = {MsgAnswer::Yes};
  dialogs.paths = {Dir() + U"/session"};
  fs::remove(songDisplay.settingsFile);
  journal.clear();

  app.MDIForm_Unload();

  EXPECT_EQ(journal, (Journal{"message Chord file has been changed, save it?",
                              "discard list, settings written",
                              "close 0", "close -1", "quit"}));
  // The name chosen in the save dialog is the one the settings file records.
  EXPECT_EQ(app.settings.ChordFileName, Dir() + U"/session.crd");
  Settings written;
  written.ProgramDir = Dir() + U"/";
  test::FakeSettingsDisplay display(written);
  ReadSettings(written, display);
  EXPECT_EQ(written.ChordFileName, Dir() + U"/session.crd");

  // Later closes (the window manager after File > Exit) change nothing.
  journal.clear();
  app.MDIForm_Unload();
  EXPECT_TRUE(journal.empty());

  // The next start opens the collection that was saved at exit.
  Vamplet& next = Start();
  EXPECT_EQ(next.songs.Songs[1].Style, U"Swing");
  EXPECT_FALSE(next.songs.FileChanged);
}

TEST_F(ApplicationTest, ShutDownWithAnUnchangedCollectionAsksNothing) {
  Vamplet& app = Start();
  app.mnuFileExit_Click();
  EXPECT_TRUE(dialogs.messages.empty());
  EXPECT_TRUE(fs::exists(fs::path(ToUtf8(app.settings.ProgramDir + kSettingsFileName))));
  EXPECT_EQ(journal.back(), "quit");
}

TEST_F(ApplicationTest, ShutDownDuringPlaybackReleasesTheChordAndStopsBeforeThePortsClose) {
  Settings stored;
  stored.ProgramDir = Dir() + U"/";
  stored.ChordPort = 1;
  stored.Chords = 1;
  WriteSettings(stored);
  Vamplet& app = Start();
  chart.text = test::FakeChartView::Crlf(".C|F|G|C|");
  // The window closes from inside the playback wait, in the second measure.
  clock.StopAt(3000, [&app] { app.MDIForm_Unload(); });
  journal.clear();

  app.player.btnPlay_Click();

  const auto quit = std::find(journal.begin(), journal.end(), "quit");
  ASSERT_NE(quit, journal.end());
  const Journal beforeQuit(journal.begin(), quit);
  ASSERT_GE(beforeQuit.size(), 3u);
  // Note-offs of the sounding chord, then Stop, then the chord port and the mapper close.
  const Journal tail(beforeQuit.end() - 3, beforeQuit.end());
  EXPECT_EQ(tail, (Journal{"send 252", "close 0", "close -1"}));
  EXPECT_EQ(std::count_if(beforeQuit.begin(), beforeQuit.end(),
                          [](const std::string& e) { return e.starts_with("send 128"); }),
            3);
}

TEST_F(ApplicationTest, AFailedSettingsWriteIsShownAndTheShutDownGoesOn) {
  Vamplet& app = Start();
  app.settings.ProgramDir = Dir() + U"/missing/";
  app.MDIForm_Unload();
  ASSERT_EQ(dialogs.messages.size(), 1u);
  EXPECT_EQ(dialogs.messages[0].icon, MsgIcon::Warning);
  EXPECT_EQ(journal.back(), "quit");
  EXPECT_EQ(Midi().CallsOf("Close").size(), 2u);
}

TEST_F(ApplicationTest, FingeringAndTextSizeMenus) {
  Vamplet& app = Start();
  app.mnuSetChordInverted_Click();
  EXPECT_EQ(app.settings.Fingering, 2);
  app.mnuSetChordRoland_Click();
  EXPECT_EQ(app.settings.Fingering, 4);
  EXPECT_FALSE(app.songs.FileChanged);

  journal.clear();
  app.mnuText_Click(4);
  EXPECT_EQ(app.settings.TextSize, 20);
  ASSERT_EQ(journal.size(), 10u);
  for (int i = 0; i < 8; ++i) EXPECT_EQ(journal[i], "check text size " + std::to_string(i) + " off");
  EXPECT_EQ(journal[8], "font 20");
  EXPECT_EQ(journal[9], "check text size 4 on");
}

TEST_F(ApplicationTest, HelpRequestsPassFileCommandAndContext) {
  Vamplet& app = Start();
  const Text file = Dir() + U"/rifflo.hlp";
  app.mnuHelpUsing_Click();
  app.mnuHelpContents_Click();
  app.mnuHelpUsing_Click();
  app.mnuHelpUninstall_Click();
  app.mnuHelpUsing_Click();
  EXPECT_EQ(shell.help, (std::vector<HelpRequest>{{file, 4, 0},
                                                  {file, 3, 2000},
                                                  {file, 4, 2000},
                                                  {file, 1, 21},
                                                  {file, 4, 21}}));
  app.mnuHelpAbout_Click();
  EXPECT_EQ(journal.back(), "about nonstop");
}

}  // namespace
}  // namespace vamplet
