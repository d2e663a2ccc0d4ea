// Tests of the MIDI module over a scripted output service and menu.
#include "midi/midi.h"

#include <gtest/gtest.h>

#include "fakes/fake_dialogs.h"
#include "fakes/fake_midi_out_service.h"
#include "fakes/fake_port_menu.h"

namespace vamplet {
namespace {

using test::FakeDialogs;
using test::FakeMidiOutService;
using test::FakePortMenu;
using test::MidiCall;

// The MIDI module with its scripted service, settings, dialogs and menu.
struct MidiRig {
  // The start-up steps in their order, with the settings file giving `storedPort`.
  void StartUp(int16_t storedPort) {
    midi.FillPortMenu();
    midi.FillChannelMenu();
    settings.ChordPort = storedPort;
    midi.CheckChannelMenu();
    midi.ClampChordPort();
    midi.ChordOut = kClosedHandle;
    midi.OpenMidiPorts();
  }

  FakeMidiOutService service;
  Settings settings;
  FakeDialogs dialogs;
  FakePortMenu menu;
  Midi midi{service, settings, dialogs, menu};
};

class MidiTest : public ::testing::Test, public MidiRig {};

TEST_F(MidiTest, WithoutDevicesOnlyTheMapperOpens) {
  StartUp(5);
  EXPECT_EQ(midi.OutDeviceCount, 0);
  EXPECT_EQ(menu.portCaptions, (std::map<int, Text>{{0, U"Device not enabled"}}));
  EXPECT_EQ(settings.ChordPort, 0);
  EXPECT_EQ(menu.CheckedPorts(), std::vector<int>{0});
  EXPECT_EQ(service.CallsOf("Open"), (std::vector<MidiCall>{{"Open", MIDI_MAPPER}}));
  EXPECT_EQ(midi.ChordOut, kClosedHandle);
  EXPECT_EQ(service.DeviceOf(midi.ClickOut), MIDI_MAPPER);
  EXPECT_TRUE(dialogs.messages.empty());
  EXPECT_FALSE(midi.SendShortMsg(PackShortMsg(0xF8)));
}

TEST_F(MidiTest, StoredPortBeyondTheDevicesFallsBackToTheLastDevice) {
  service.names = {"Synth", "USB Keyboard"};
  StartUp(3);
  EXPECT_EQ(menu.portCaptions,
            (std::map<int, Text>{{0, U"Device not enabled"}, {1, U"Synth"}, {2, U"USB Keyboard"}}));
  EXPECT_EQ(settings.ChordPort, 2);
  EXPECT_EQ(menu.CheckedPorts(), std::vector<int>{2});
  EXPECT_EQ(service.DeviceOf(midi.ChordOut), 1);
  EXPECT_EQ(service.DeviceOf(midi.ClickOut), MIDI_MAPPER);

  EXPECT_TRUE(midi.SendShortMsg(PackShortMsg(0x90, 48, 100)));
  EXPECT_EQ(service.calls.back(), (MidiCall{"ShortMsg", midi.ChordOut, 0x643090u}));
  EXPECT_EQ(midi.MidiResult, 0u);
}

TEST_F(MidiTest, NegativeStoredPortMeansNoPort) {
  service.names = {"Synth"};
  StartUp(-4);
  EXPECT_EQ(settings.ChordPort, 0);
  EXPECT_EQ(menu.CheckedPorts(), std::vector<int>{0});
  EXPECT_EQ(service.CallsOf("Open"), (std::vector<MidiCall>{{"Open", MIDI_MAPPER}}));
}

TEST_F(MidiTest, DeviceNotEnabledClosesThePortAndSendsStop) {
  service.names = {"Synth", "USB Keyboard"};
  StartUp(2);
  const int32_t open = midi.ChordOut;

  midi.mnuChordsPort_Click(0);
  EXPECT_EQ(service.DeviceOf(open), -2);
  EXPECT_EQ(midi.ChordOut, kClosedHandle);
  EXPECT_EQ(settings.ChordPort, 0);
  EXPECT_EQ(menu.CheckedPorts(), std::vector<int>{0});

  midi.MidiResult = 12345;
  const size_t callsBefore = service.calls.size();
  EXPECT_FALSE(midi.SendShortMsg(PackShortMsg(0xFA)));
  EXPECT_EQ(midi.MidiResult, 12345u);
  EXPECT_EQ(service.calls.size(), callsBefore);
  EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(MidiTest, PickingTheOpenDeviceClosesAndReopensIt) {
  service.names = {"Synth", "USB Keyboard"};
  StartUp(2);
  const int32_t first = midi.ChordOut;
  service.calls.clear();

  midi.mnuChordsPort_Click(2);
  EXPECT_EQ(service.calls, (std::vector<MidiCall>{
                               {"Close", first}, {"Close", kClosedHandle}, {"Open", 1}}));
  EXPECT_NE(midi.ChordOut, first);
  EXPECT_EQ(service.DeviceOf(midi.ChordOut), 1);
  EXPECT_EQ(menu.CheckedPorts(), std::vector<int>{2});
  EXPECT_EQ(settings.ChordPort, 2);
}

TEST_F(MidiTest, FailedChordPortOpenLeavesNoPort) {
  struct Case {
    uint32_t code;
    Text box;  // empty: no box
  };
  for (const Case& c : {Case{MMSYSERR_ALLOCATED, U""}, Case{MIDIERR_NOTREADY, U"Hardware not ready! "},
                        Case{MIDIERR_NODEVICE, U"Device not present!"}}) {
    SCOPED_TRACE(c.code);
    MidiRig rig;
    FakeMidiOutService& svc = rig.service;
    Settings& set = rig.settings;
    FakeDialogs& dlg = rig.dialogs;
    FakePortMenu& mnu = rig.menu;
    Midi& m = rig.midi;
    svc.names = {"Synth", "USB Keyboard"};
    svc.openResults[1] = c.code;
    rig.StartUp(0);

    m.mnuChordsPort_Click(2);
    EXPECT_EQ(m.MidiResult, c.code);
    EXPECT_EQ(m.ChordOut, kClosedHandle);
    EXPECT_EQ(set.ChordPort, 0);
    EXPECT_EQ(mnu.CheckedPorts(), std::vector<int>{0});
    EXPECT_EQ(svc.DeviceOf(m.ClickOut), MIDI_MAPPER);
    if (c.box.empty()) {
      EXPECT_TRUE(dlg.messages.empty());
    } else {
      ASSERT_EQ(dlg.messages.size(), 1u);
      EXPECT_EQ(dlg.messages[0].text, c.box);
    }
  }
}

TEST_F(MidiTest, FailedMapperOpenKeepsTheChordPort) {
  service.names = {"Synth"};
  service.openResults[MIDI_MAPPER] = MIDIERR_NOMAP;
  StartUp(1);
  ASSERT_EQ(dialogs.messages.size(), 1u);
  EXPECT_EQ(dialogs.messages[0].text, U"MIDI Mapper device not found!");
  EXPECT_EQ(dialogs.messages[0].caption, U"MIDI ERROR");
  EXPECT_EQ(dialogs.messages[0].buttons, MsgButtons::Ok);
  EXPECT_EQ(dialogs.messages[0].icon, MsgIcon::Warning);
  EXPECT_EQ(midi.ClickOut, kClosedHandle);
  EXPECT_EQ(service.DeviceOf(midi.ChordOut), 0);
  EXPECT_EQ(settings.ChordPort, 1);

  // Clicks go to the closed click port all the same; the failure lands in MidiResult only.
  midi.SendClickMsg(PackShortMsg(0x99, 60, 100));
  EXPECT_EQ(service.calls.back(), (MidiCall{"ShortMsg", kClosedHandle, 0x643C99u}));
  EXPECT_EQ(midi.MidiResult, static_cast<uint32_t>(MMSYSERR_INVALHANDLE));
  EXPECT_EQ(dialogs.messages.size(), 1u);
}

TEST_F(MidiTest, OneCauseForBothPortsIsReportedOnce) {
  // Without a sound card the built-in synthesizer fails as chord port and as mapper alike.
  service.names = {"Synth"};
  service.openResults[0] = MIDIERR_NOTREADY;
  service.openResults[MIDI_MAPPER] = MIDIERR_NOTREADY;
  StartUp(1);
  ASSERT_EQ(dialogs.messages.size(), 1u);
  EXPECT_EQ(dialogs.messages[0].text, U"Hardware not ready! ");
  EXPECT_EQ(midi.ChordOut, kClosedHandle);
  EXPECT_EQ(midi.ClickOut, kClosedHandle);

  // A different cause for the mapper is still its own message.
  MidiRig other;
  other.service.names = {"Synth", "USB Keyboard"};
  other.service.openResults[1] = MIDIERR_NODEVICE;
  other.service.openResults[MIDI_MAPPER] = MIDIERR_NOTREADY;
  other.StartUp(2);
  ASSERT_EQ(other.dialogs.messages.size(), 2u);
  EXPECT_EQ(other.dialogs.messages[1].text, U"Hardware not ready! ");
}

TEST_F(MidiTest, FailedSendIsSilent) {
  service.names = {"Synth"};
  StartUp(1);
  service.sendResult = MIDIERR_NODEVICE;
  EXPECT_FALSE(midi.SendShortMsg(PackShortMsg(0xF8)));
  EXPECT_EQ(midi.MidiResult, static_cast<uint32_t>(MIDIERR_NODEVICE));
  EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(MidiTest, FailingQueryStopsTheListAndTheCountFollows) {
  service.names = {"Synth", "USB Keyboard", "Expander"};
  service.capsResults[1] = MMSYSERR_NOMEM;
  StartUp(3);
  ASSERT_EQ(dialogs.messages.size(), 1u);
  EXPECT_EQ(dialogs.messages[0].text, U"Out of memory!");
  EXPECT_EQ(service.CallsOf("GetDevCaps").size(), 2u);
  EXPECT_EQ(menu.portCaptions, (std::map<int, Text>{{0, U"Device not enabled"}, {1, U"Synth"}}));
  EXPECT_EQ(midi.OutDeviceCount, 1);
  EXPECT_EQ(settings.ChordPort, 1);
  EXPECT_EQ(service.DeviceOf(midi.ChordOut), 0);

  // The port handler never touches or opens an item the menu does not hold.
  midi.mnuChordsPort_Click(2);
  EXPECT_EQ(service.DeviceOf(midi.ChordOut), 0);
  EXPECT_EQ(menu.portChecks.count(2), 0u);
  midi.mnuChordsPort_Click(0);
  EXPECT_EQ(FakePortMenu::Checked(menu.portChecks), std::vector<int>{0});
  EXPECT_EQ(menu.portChecks.size(), 2u);
}

TEST_F(MidiTest, CountBeyondSixteenBitsNeverTurnsNegative) {
  service.names = {"Synth", "USB Keyboard"};
  service.numDevs = 40000;
  StartUp(5);
  EXPECT_EQ(midi.OutDeviceCount, 2);
  ASSERT_EQ(dialogs.messages.size(), 1u);
  EXPECT_EQ(dialogs.messages[0].text, U"Bad Device ID! ");
  EXPECT_EQ(settings.ChordPort, 2);
  EXPECT_EQ(service.DeviceOf(midi.ChordOut), 1);
}

TEST_F(MidiTest, ErrorTexts) {
  const std::vector<std::pair<uint32_t, Text>> table = {
      {2, U"Bad Device ID! "},        {3, U"Device not enabled!"},
      {4, U""},                       {5, U"Invalid Device Handle!"},
      {6, U"Driver not found!"},      {7, U"Out of memory!"},
      {65, U"Device still playing!"}, {66, U"MIDI Mapper device not found!"},
      {67, U"Hardware not ready! "},  {68, U"Device not present!"},
      {0, U"Unexpected error!"},      {1, U"Unexpected error!"},
      {8, U"Unexpected error!"},      {64, U"Unexpected error!"},
      {69, U"Unexpected error!"},     {65536 + 2, U"Unexpected error!"}};
  for (const auto& [code, text] : table) {
    EXPECT_EQ(Midi::MidiErrorText(code), text) << code;
  }
  midi.ShowMidiError(MMSYSERR_ALLOCATED);
  EXPECT_TRUE(dialogs.messages.empty());
  midi.ShowMidiError(8);
  ASSERT_EQ(dialogs.messages.size(), 1u);
  EXPECT_EQ(dialogs.messages[0].text, U"Unexpected error!");
}

TEST_F(MidiTest, ChannelMenuHoldsOneCheckMark) {
  midi.FillChannelMenu();
  ASSERT_EQ(menu.channelCaptions.size(), 16u);
  EXPECT_EQ(menu.channelCaptions[0], U"1");
  EXPECT_EQ(menu.channelCaptions[9], U"10");
  EXPECT_EQ(menu.channelCaptions[15], U"16");

  settings.ChordChannel = 3;
  midi.CheckChannelMenu();
  EXPECT_EQ(menu.CheckedChannels(), std::vector<int>{3});

  const size_t callsBefore = service.calls.size();
  midi.mnuChordsChannel_Click(9);
  EXPECT_EQ(menu.CheckedChannels(), std::vector<int>{9});
  EXPECT_EQ(settings.ChordChannel, 9);
  EXPECT_EQ(menu.channelCaptions[settings.ChordChannel], U"10");
  EXPECT_EQ(service.calls.size(), callsBefore);

  settings.ChordChannel = 16;
  midi.CheckChannelMenu();
  EXPECT_TRUE(menu.CheckedChannels().empty());
}

TEST_F(MidiTest, ShutDownClosesBothPorts) {
  service.names = {"Synth"};
  StartUp(1);
  midi.CloseChordPort();
  midi.CloseClickPort();
  EXPECT_TRUE(service.open.empty());
  EXPECT_EQ(midi.ChordOut, kClosedHandle);
  EXPECT_EQ(midi.ClickOut, kClosedHandle);
  EXPECT_TRUE(dialogs.messages.empty());
}

}  // namespace
}  // namespace vamplet
