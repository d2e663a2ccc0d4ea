// The built-in synthesizer sounds: clicks and chords rendered without an audio device.
#include "platform/fluid_synth_output.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <vector>

#include "chords/short_message_sink.h"
#include "midi/midi_out_service.h"
#include "platform/backend_quiet.h"
#include "platform/short_message_bytes.h"

namespace vamplet {
namespace {

constexpr int kRate = 44100;  // FluidSynth's default sample rate

bool HaveSoundFont() {
  std::error_code ec;
  for (const std::string& f : FluidSynthOptions::DefaultSoundFonts()) {
    if (std::filesystem::is_regular_file(f, ec)) return true;
  }
  return false;
}

class FluidSynthRenderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    QuietSoundLibraries();
    if (!HaveSoundFont()) GTEST_SKIP() << "no General MIDI sound font installed";
    ASSERT_EQ(synth.Start(), 0u);
  }

  void Send(uint32_t message) {
    const ShortMessageBytes m = UnpackShortMsg(message);
    ASSERT_EQ(synth.Send(m.bytes.data(), m.size), 0u);
  }

  // The loudest sample of the next `seconds` of output.
  float Peak(double seconds) {
    const int frames = static_cast<int>(seconds * kRate);
    std::vector<float> left(frames), right(frames);
    EXPECT_TRUE(synth.Render(left.data(), right.data(), frames));
    float peak = 0;
    for (int i = 0; i < frames; ++i) peak = std::max({peak, std::fabs(left[i]), std::fabs(right[i])});
    return peak;
  }

  // Renders until a quiet stretch, at most `limit` seconds; true when it fell silent.
  bool FallsSilent(double limit) {
    for (double t = 0; t < limit; t += 0.1) {
      if (Peak(0.1) < 1e-4f) return true;
    }
    return false;
  }

  FluidSynthOutput synth{FluidSynthOptions{FluidSynthOptions::DefaultSoundFonts(), false}};
};

TEST_F(FluidSynthRenderTest, ClickSoundsAndDiesAway) {
  EXPECT_LT(Peak(0.2), 1e-4f);
  Send(PackShortMsg(0x99, 60, 100));
  EXPECT_GT(Peak(0.1), 0.01f);
  Send(PackShortMsg(0x89, 60, 100));
  EXPECT_TRUE(FallsSilent(5.0));
}

TEST_F(FluidSynthRenderTest, ChordSoundsWhileHeldAndStopsAfterItsNoteOffs) {
  // Clock and Start reach the synthesizer too and must not disturb it.
  Send(PackShortMsg(0xFA));
  for (int note : {48, 52, 55}) Send(PackShortMsg(0x90, note, 100));
  Send(PackShortMsg(0xF8));
  EXPECT_GT(Peak(0.1), 0.01f);
  EXPECT_GT(Peak(0.5), 0.001f);
  for (int note : {48, 52, 55}) Send(PackShortMsg(0x80, note, 100));
  Send(PackShortMsg(0xFC));
  EXPECT_TRUE(FallsSilent(8.0));
}

TEST(FluidSynthOutputTest, FailuresGiveCodesTheUserCanRead) {
  QuietSoundLibraries();
  FluidSynthOutput noFont{FluidSynthOptions{{"/nonexistent/none.sf2"}, false}};
  EXPECT_EQ(noFont.Start(), static_cast<uint32_t>(MMSYSERR_NODRIVER));
  const uint8_t note[] = {0x90, 60, 100};
  EXPECT_EQ(noFont.Send(note, 3), static_cast<uint32_t>(MMSYSERR_INVALHANDLE));
  float l = 0, r = 0;
  EXPECT_FALSE(noFont.Render(&l, &r, 1));

  const std::filesystem::path bad = std::filesystem::temp_directory_path() / "vamplet-not-a-font.sf2";
  { std::ofstream(bad) << "not a sound font"; }
  FluidSynthOutput badFont{FluidSynthOptions{{bad.string()}, false}};
  EXPECT_EQ(badFont.Start(), static_cast<uint32_t>(MMSYSERR_NODRIVER));
  std::filesystem::remove(bad);

  // With audio, the result depends on the machine's sound: playing or "not ready".
  if (!HaveSoundFont()) return;
  FluidSynthOutput withAudio;
  const uint32_t result = withAudio.Start();
  EXPECT_TRUE(result == MMSYSERR_NOERROR || result == MIDIERR_NOTREADY) << result;
  EXPECT_EQ(result == MMSYSERR_NOERROR, !withAudio.AudioDriver().empty());
}

}  // namespace
}  // namespace vamplet
