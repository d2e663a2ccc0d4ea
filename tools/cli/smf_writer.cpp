// Building the bytes of a Standard MIDI File from recorded events.
#include "smf_writer.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace vamplet {

namespace {

struct TimedBytes {
  int64_t tick;
  std::string bytes;
};

void PutBig(std::string& out, uint32_t value, int count) {
  for (int i = count - 1; i >= 0; --i) out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

void PutVarLen(std::string& out, uint64_t value) {
  std::array<char, 10> groups{};
  int n = 0;
  do {
    groups[n++] = static_cast<char>(value & 0x7F);
    value >>= 7;
  } while (value > 0 && n < 10);
  for (int i = n - 1; i >= 0; --i) out.push_back(static_cast<char>(groups[i] | (i > 0 ? 0x80 : 0)));
}

std::string Meta(uint8_t type, const std::string& data) {
  std::string out = {static_cast<char>(0xFF), static_cast<char>(type)};
  PutVarLen(out, data.size());
  return out + data;
}

std::string Track(const std::vector<TimedBytes>& events, int64_t endTick) {
  std::string body;
  int64_t last = 0;
  for (const TimedBytes& e : events) {
    PutVarLen(body, static_cast<uint64_t>(e.tick - last));
    body += e.bytes;
    last = e.tick;
  }
  PutVarLen(body, static_cast<uint64_t>(std::max<int64_t>(endTick - last, 0)));
  body += Meta(0x2F, "");
  std::string out = "MTrk";
  PutBig(out, static_cast<uint32_t>(body.size()), 4);
  return out + body;
}

std::string ChannelMessage(uint32_t message) {
  const uint8_t status = message & 0xFF;
  std::string out = {static_cast<char>(status), static_cast<char>((message >> 8) & 0x7F)};
  const uint8_t kind = status & 0xF0;
  if (kind != 0xC0 && kind != 0xD0) out.push_back(static_cast<char>((message >> 16) & 0x7F));
  return out;
}

}  // namespace

uint8_t ChordRootByte(int16_t root) {
  // Letter and accidental of each pitch class, C = 0.
  static constexpr std::array<std::array<uint8_t, 2>, 12> kSpelling = {{
      {1, 3}, {1, 4}, {2, 3}, {3, 2}, {3, 3}, {4, 3},
      {4, 4}, {5, 3}, {6, 2}, {6, 3}, {7, 2}, {7, 3},
  }};
  const auto& s = kSpelling[static_cast<size_t>(((root % 12) + 12) % 12)];
  return static_cast<uint8_t>(s[1] << 4 | s[0]);
}

std::string BuildSmf(const std::vector<PlayEvent>& events, const SmfSong& song) {
  const double ticksPerMs = kSmfTicksPerBeat * song.tempo / 60000.0;
  auto tickOf = [&](double ms) { return static_cast<int64_t>(std::llround(ms * ticksPerMs)); };

  std::vector<TimedBytes> conductor, chords, clicks;
  std::string tempo;
  PutBig(tempo, static_cast<uint32_t>(std::llround(60000000.0 / song.tempo)), 3);
  conductor.push_back({0, Meta(0x03, ToUtf8(song.title))});
  conductor.push_back({0, Meta(0x51, tempo)});
  conductor.push_back(
      {0, Meta(0x58, {static_cast<char>(song.beats), 2, 24, 8})});  // beats / quarter notes
  chords.push_back({0, Meta(0x03, "Chords")});
  clicks.push_back({0, Meta(0x03, "Clicks")});

  // The last selection restores the user's; every one before it highlights a measure.
  const auto restore = std::find_if(events.rbegin(), events.rend(), [](const PlayEvent& e) {
    return e.kind == PlayEvent::Kind::Select;
  });
  // A measure's marker stands at its first clock: the first measure of a pass is highlighted
  // before the count-in and its first clock follows Start; every later one is highlighted
  // two clocks ahead of its first.
  constexpr int64_t kTicksPerClock = kSmfTicksPerBeat / 24;
  bool awaitingStart = true;
  std::string pendingMarker;
  bool markerPending = false;
  int64_t endTick = 0;
  for (const PlayEvent& e : events) {
    const int64_t tick = tickOf(e.time);
    endTick = std::max(endTick, tick);
    switch (e.kind) {
      case PlayEvent::Kind::Chord: {
        const uint32_t status = e.message & 0xFF;
        if (status < 0xF0) {
          chords.push_back({tick, ChannelMessage(e.message)});
        } else if (status == 0xFA) {
          if (markerPending) conductor.push_back({tick, pendingMarker});
          markerPending = false;
          awaitingStart = false;
        } else if (status == 0xFC) {
          awaitingStart = true;
        }
        break;
      }
      case PlayEvent::Kind::Click:
        clicks.push_back({tick, ChannelMessage(e.message)});
        break;
      case PlayEvent::Kind::Select: {
        if (restore != events.rend() && &*restore == &e) break;
        const auto size = static_cast<int32_t>(song.chart.size());
        const int32_t start = std::clamp(e.start, 0, size);
        const int32_t length = std::clamp(e.length, 0, size - start);
        const std::string marker = Meta(0x06, ToUtf8(TrimSpaces(song.chart.substr(start, length))));
        if (awaitingStart) {
          pendingMarker = marker;
          markerPending = true;
        } else {
          conductor.push_back({tick + 2 * kTicksPerClock, marker});
        }
        break;
      }
      case PlayEvent::Kind::Keys:
        if (e.root >= 0) {
          chords.push_back({tick, Meta(0x7F, {0x43, 0x7B, 0x01,
                                              static_cast<char>(ChordRootByte(e.root)),
                                              static_cast<char>(e.type), 0x7F, 0x7F})});
        }
        break;
      case PlayEvent::Kind::HideKeys:
        break;
    }
  }
  for (const TimedBytes& e : conductor) endTick = std::max(endTick, e.tick);

  std::string out = "MThd";
  PutBig(out, 6, 4);
  PutBig(out, 1, 2);
  PutBig(out, 3, 2);
  PutBig(out, kSmfTicksPerBeat, 2);
  return out + Track(conductor, endTick) + Track(chords, endTick) + Track(clicks, endTick);
}

}  // namespace vamplet
