// End to end over a running JACK server: the program's own device list to a real receiver.
#include <gtest/gtest.h>

#include <signal.h>

#include <chrono>
#include <cstdlib>
#include <memory>
#include <thread>

#include "chords/short_message_sink.h"
#include "jack_midi_receiver.h"
#include "midi/midi_out_service.h"
#include "platform/backend_quiet.h"
#include "platform/system_midi_service.h"

namespace vamplet {
namespace {

using Bytes = std::vector<uint8_t>;
using namespace std::chrono_literals;

// The device id whose product name is `name`, or -1.
int32_t FindDevice(MidiOutService& service, const std::string& name) {
  const uint32_t count = service.GetNumDevs();
  for (uint32_t d = 0; d < count; ++d) {
    std::string product;
    if (service.GetDevCaps(d, product) == 0 && product == name) return static_cast<int32_t>(d);
  }
  return -1;
}

class JackEndToEndTest : public ::testing::Test {
 protected:
  void SetUp() override {
    QuietSoundLibraries();
    if (!JackServerRunning()) GTEST_SKIP() << "no JACK server; run under scripts/with-jack.sh";
  }

  // Starts the receiving client and opens its port through the program's own device list.
  void OpenReceiverPort() {
    receiver = std::make_unique<test::JackMidiReceiver>("vamplet-receiver");
    ASSERT_TRUE(receiver->Ready());
    service = CreateSystemMidiService();
    device = FindDevice(*service, "JACK: vamplet-receiver:in");
    ASSERT_GT(device, 0);
    ASSERT_EQ(service->Open(device, handle), 0u);
  }

  std::unique_ptr<test::JackMidiReceiver> receiver;
  std::unique_ptr<MidiOutService> service;
  int32_t device = -1;
  int32_t handle = kClosedHandle;
};

TEST_F(JackEndToEndTest, ReceiverGetsExactlyTheMessagesInOrder) {
  ASSERT_NO_FATAL_FAILURE(OpenReceiverPort());
  const std::vector<uint32_t> messages = {
      PackShortMsg(0xFA),           PackShortMsg(0xF8),           PackShortMsg(0x92, 48, 100),
      PackShortMsg(0x92, 52, 100),  PackShortMsg(0x92, 55, 100),  PackShortMsg(0xF8),
      PackShortMsg(0xF8),           PackShortMsg(0x82, 48, 100),  PackShortMsg(0x82, 52, 100),
      PackShortMsg(0x82, 55, 100),  PackShortMsg(0xFC)};
  for (uint32_t m : messages) EXPECT_EQ(service->ShortMsg(handle, m), 0u);

  const std::vector<Bytes> expected = {
      {0xFA}, {0xF8}, {0x92, 48, 100}, {0x92, 52, 100}, {0x92, 55, 100}, {0xF8}, {0xF8},
      {0x82, 48, 100}, {0x82, 52, 100}, {0x82, 55, 100}, {0xFC}};
  EXPECT_EQ(receiver->Wait(expected.size(), 3s), expected);
  // Nothing else trails behind.
  EXPECT_EQ(receiver->Wait(expected.size() + 1, 200ms).size(), expected.size());

  // The receiver goes away: sends now fail with "not present" instead of vanishing unseen.
  receiver->Close();
  std::this_thread::sleep_for(300ms);
  EXPECT_EQ(service->ShortMsg(handle, PackShortMsg(0xF8)), static_cast<uint32_t>(MIDIERR_NODEVICE));
  EXPECT_EQ(service->Close(handle), 0u);
  // The device keeps its id, and opening it again says why it fails.
  EXPECT_EQ(service->Open(device, handle), static_cast<uint32_t>(MIDIERR_NODEVICE));
}

TEST_F(JackEndToEndTest, BuiltInSynthesizerPlaysThroughJack) {
  service = CreateSystemMidiService();
  int32_t clicks = kClosedHandle;
  ASSERT_EQ(service->Open(MIDI_MAPPER, clicks), 0u);
  EXPECT_EQ(service->ShortMsg(clicks, PackShortMsg(0x99, 60, 100)), 0u);
  EXPECT_EQ(service->ShortMsg(clicks, PackShortMsg(0x89, 60, 100)), 0u);
  EXPECT_EQ(service->Close(clicks), 0u);
}

// Run on its own (the server does not survive it): the server quits while a port is open.
TEST_F(JackEndToEndTest, ServerGoneFailsSendsAndClosesAtOnce) {
  const char* pid = std::getenv("VAMPLET_TEST_JACKD_PID");
  if (pid == nullptr) GTEST_SKIP() << "needs the server's process id from scripts/with-jack.sh";
  ASSERT_NO_FATAL_FAILURE(OpenReceiverPort());

  ASSERT_EQ(kill(static_cast<pid_t>(std::atol(pid)), SIGTERM), 0);
  std::this_thread::sleep_for(500ms);
  const auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(service->ShortMsg(handle, PackShortMsg(0xF8)), static_cast<uint32_t>(MIDIERR_NODEVICE));
  EXPECT_EQ(service->Close(handle), 0u);
  service.reset();
  // Bounded, not timed: a hang would show as a ctest timeout, this only names the culprit.
  EXPECT_LT(std::chrono::steady_clock::now() - start, 5s);
}

}  // namespace
}  // namespace vamplet
