// Tests of the system MIDI service over scripted synthesizer and port families.
#include "platform/system_midi_service.h"

#include <gtest/gtest.h>

#include "chords/short_message_sink.h"
#include "fake_backends.h"
#include "platform/short_message_bytes.h"

namespace vamplet {
namespace {

using test::FakePortFamily;
using test::FakeSynth;
using test::SentLog;
using Bytes = std::vector<uint8_t>;

class SystemMidiServiceTest : public ::testing::Test {
 protected:
  SystemMidiServiceTest() {
    auto synthPtr = std::make_unique<FakeSynth>(synthLog);
    synth = synthPtr.get();
    auto alsaPtr = std::make_unique<FakePortFamily>("ALSA", portLog);
    alsa = alsaPtr.get();
    alsa->ports = {"USB Keyboard:USB Keyboard MIDI 1 20:0", "Midi Through:Midi Through Port-0 14:0"};
    auto jackPtr = std::make_unique<FakePortFamily>("JACK", portLog);
    jack = jackPtr.get();
    jack->ports = {"system:midi_playback_1"};
    std::vector<std::unique_ptr<MidiPortBackend>> families;
    families.push_back(std::move(alsaPtr));
    families.push_back(std::move(jackPtr));
    service = std::make_unique<SystemMidiService>(std::move(synthPtr), std::move(families));
  }

  std::vector<std::string> Names() {
    std::vector<std::string> names;
    const uint32_t count = service->GetNumDevs();
    for (uint32_t d = 0; d < count; ++d) {
      std::string name;
      EXPECT_EQ(service->GetDevCaps(d, name), 0u);
      names.push_back(name);
    }
    return names;
  }

  SentLog synthLog, portLog;
  FakeSynth* synth = nullptr;
  FakePortFamily* alsa = nullptr;
  FakePortFamily* jack = nullptr;
  std::unique_ptr<SystemMidiService> service;
};

TEST_F(SystemMidiServiceTest, SynthesizerFirstThenEachFamilyWithItsLabel) {
  EXPECT_EQ(Names(), (std::vector<std::string>{"Vamplet built-in synthesizer",
                                               "ALSA: USB Keyboard:USB Keyboard MIDI 1 20:0",
                                               "ALSA: Midi Through:Midi Through Port-0 14:0",
                                               "JACK: system:midi_playback_1"}));
  std::string name = "kept";
  EXPECT_EQ(service->GetDevCaps(4, name), static_cast<uint32_t>(MMSYSERR_BADDEVICEID));
  EXPECT_EQ(name, "kept");
}

TEST_F(SystemMidiServiceTest, DeviceIdsStayFixedWhenPortsComeAndGo) {
  ASSERT_EQ(service->GetNumDevs(), 4u);
  alsa->ports = {"Midi Through:Midi Through Port-0 14:0"};
  jack->ports.push_back("fluidsynth:midi");
  EXPECT_EQ(service->GetNumDevs(), 4u);
  EXPECT_EQ(alsa->listings, 1);

  int32_t handle = -1;
  ASSERT_EQ(service->Open(2, handle), 0u);
  EXPECT_EQ(alsa->connects, std::vector<std::string>{"Midi Through:Midi Through Port-0 14:0"});
  EXPECT_EQ(service->Open(4, handle), static_cast<uint32_t>(MMSYSERR_BADDEVICEID));
  EXPECT_EQ(service->Open(-2, handle), static_cast<uint32_t>(MMSYSERR_BADDEVICEID));
}

TEST_F(SystemMidiServiceTest, MapperAndDeviceZeroShareOneSynthesizer) {
  int32_t clicks = -1, chords = -1;
  ASSERT_EQ(service->Open(MIDI_MAPPER, clicks), 0u);
  ASSERT_EQ(service->Open(0, chords), 0u);
  EXPECT_NE(clicks, chords);
  EXPECT_NE(clicks, kClosedHandle);
  EXPECT_EQ(synth->starts, 1);

  EXPECT_EQ(service->ShortMsg(clicks, PackShortMsg(0x99, 60, 100)), 0u);
  EXPECT_EQ(service->ShortMsg(chords, PackShortMsg(0xF8)), 0u);
  EXPECT_EQ(synthLog.messages, (std::vector<Bytes>{{0x99, 60, 100}, {0xF8}}));

  EXPECT_EQ(service->Close(chords), 0u);
  EXPECT_EQ(synth->stops, 0);
  EXPECT_EQ(service->Close(clicks), 0u);
  EXPECT_EQ(synth->stops, 1);
  EXPECT_EQ(service->Close(clicks), static_cast<uint32_t>(MMSYSERR_INVALHANDLE));
  EXPECT_EQ(service->ShortMsg(clicks, 0xF8), static_cast<uint32_t>(MMSYSERR_INVALHANDLE));

  // Opened again after the last close, the synthesizer starts afresh.
  ASSERT_EQ(service->Open(MIDI_MAPPER, clicks), 0u);
  EXPECT_EQ(synth->starts, 2);
}

TEST_F(SystemMidiServiceTest, FailedOpensPassTheirCodeAndGiveNoHandle) {
  synth->startResult = MIDIERR_NOTREADY;
  jack->connectResults["system:midi_playback_1"] = MIDIERR_NODEVICE;
  int32_t handle = 77;
  EXPECT_EQ(service->Open(MIDI_MAPPER, handle), static_cast<uint32_t>(MIDIERR_NOTREADY));
  EXPECT_EQ(service->Open(3, handle), static_cast<uint32_t>(MIDIERR_NODEVICE));
  EXPECT_EQ(handle, 77);
  EXPECT_EQ(service->ShortMsg(kClosedHandle, 0xF8), static_cast<uint32_t>(MMSYSERR_INVALHANDLE));
  EXPECT_EQ(service->Close(kClosedHandle), static_cast<uint32_t>(MMSYSERR_INVALHANDLE));

  synth->startResult = MMSYSERR_NOERROR;
  EXPECT_EQ(service->Open(0, handle), 0u);
}

TEST_F(SystemMidiServiceTest, PortsGetTheUnpackedBytes) {
  int32_t handle = -1;
  ASSERT_EQ(service->Open(1, handle), 0u);
  for (uint32_t m : {PackShortMsg(0xFA), PackShortMsg(0x93, 48, 100), PackShortMsg(0xC2, 5),
                     PackShortMsg(0x83, 48, 100), PackShortMsg(0xFC)}) {
    EXPECT_EQ(service->ShortMsg(handle, m), 0u);
  }
  EXPECT_EQ(portLog.messages, (std::vector<Bytes>{
                                  {0xFA}, {0x93, 48, 100}, {0xC2, 5}, {0x83, 48, 100}, {0xFC}}));
  // A value that is no complete message is refused rather than corrupting the stream.
  EXPECT_EQ(service->ShortMsg(handle, 0x643C), 11u);
  EXPECT_EQ(portLog.messages.size(), 5u);
}

TEST(ShortMessageBytesTest, LengthFollowsTheStatusAndBadValuesGiveNothing) {
  struct Case {
    uint32_t message;
    Bytes bytes;
  };
  const std::vector<Case> cases = {
      {0x0000F8, {0xF8}},           {0x643C99, {0x99, 60, 100}},
      {0x00FFF8, {0xF8}},           {0x000AC0, {0xC0, 10}},
      {0x00053DD1, {0xD1, 0x3D}},   {0x400000E0, {0xE0, 0, 0}},
      {0x0001F3, {0xF3, 1}},        {0x000000, {}},
      {0x64303C, {}},               {0x0000F0, {}},
      {0x0000F7, {}},               {0x643C90 | 0x800000, {}},
      {0x00A090, {}}};
  for (const Case& c : cases) {
    const ShortMessageBytes m = UnpackShortMsg(c.message);
    EXPECT_EQ(Bytes(m.bytes.begin(), m.bytes.begin() + m.size), c.bytes) << std::hex << c.message;
  }
}

}  // namespace
}  // namespace vamplet
