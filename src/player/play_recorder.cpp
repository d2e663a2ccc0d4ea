// The performance recorder and the text form of its events.
#include "player/play_recorder.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <utility>

namespace vamplet {

namespace {

constexpr uint32_t kNoteOnStatus = 0x90;

// Bytes that the status carries: real-time and system messages one, program change and
// channel pressure two, the rest three.
int MessageLength(uint32_t status) {
  if (status >= 0xF0) return 1;
  const uint32_t kind = status & 0xF0;
  return kind == 0xC0 || kind == 0xD0 ? 2 : 3;
}

std::string HexBytes(uint32_t message, int count) {
  std::string out;
  for (int i = 0; i < count; ++i) {
    std::array<char, 4> byte{};
    std::snprintf(byte.data(), byte.size(), "%s%02X", i == 0 ? "" : " ",
                  static_cast<unsigned>((message >> (8 * i)) & 0xFF));
    out += byte.data();
  }
  return out;
}

}  // namespace

PlayRecorder::PlayRecorder(PlayClock& clock, Text chart) : clock_(clock), text_(std::move(chart)) {}

uint32_t PlayRecorder::GetDevCaps(uint32_t deviceId, std::string& productName) {
  if (deviceId != 0) return MMSYSERR_BADDEVICEID;
  productName = "Event recorder";
  return MMSYSERR_NOERROR;
}

uint32_t PlayRecorder::Open(int32_t deviceId, int32_t& handle) {
  if (deviceId == 0) {
    handle = kChordHandle;
  } else if (deviceId == MIDI_MAPPER) {
    handle = kClickHandle;
  } else {
    return MMSYSERR_BADDEVICEID;
  }
  return MMSYSERR_NOERROR;
}

uint32_t PlayRecorder::ShortMsg(int32_t handle, uint32_t message) {
  if (handle != kChordHandle && handle != kClickHandle) return MMSYSERR_INVALHANDLE;
  PlayEvent event;
  event.kind = handle == kChordHandle ? PlayEvent::Kind::Chord : PlayEvent::Kind::Click;
  event.message = message;
  const bool noteOn = handle == kChordHandle && (message & 0xF0) == kNoteOnStatus;
  if (noteOn) {
    // Note-ons and markers of one chord alternate; the keys line follows the last note-on.
    event.time = clock_.Now();
    events_.push_back(std::move(event));
  } else {
    Add(std::move(event));
  }
  return MMSYSERR_NOERROR;
}

uint32_t PlayRecorder::Close(int32_t handle) {
  return handle == kChordHandle || handle == kClickHandle ? MMSYSERR_NOERROR
                                                          : MMSYSERR_INVALHANDLE;
}

void PlayRecorder::SelectChart(int32_t start, int32_t length) {
  PlayEvent event;
  event.kind = PlayEvent::Kind::Select;
  event.start = start;
  event.length = length;
  Add(std::move(event));
  const int32_t size = static_cast<int32_t>(text_.size());
  selStart_ = std::clamp(start, 0, size);
  selLength_ = std::clamp(length, 0, size - selStart_);
}

void PlayRecorder::ShowActiveKey(int16_t note, int16_t /*marker*/) {
  if (pendingKeys_.empty()) {
    pendingTime_ = clock_.Now();
    pendingChord_ = chordSource_ ? chordSource_() : std::pair<int16_t, int16_t>{-1, 0};
  }
  pendingKeys_.push_back(note);
}

void PlayRecorder::HideMarkers() {
  PlayEvent event;
  event.kind = PlayEvent::Kind::HideKeys;
  Add(std::move(event));
}

const std::vector<PlayEvent>& PlayRecorder::Events() {
  FlushKeys();
  return events_;
}

std::vector<std::string> PlayRecorder::Lines() {
  std::vector<std::string> lines;
  for (const PlayEvent& event : Events()) lines.push_back(FormatEvent(event));
  return lines;
}

std::string PlayRecorder::FormatEvent(const PlayEvent& event) {
  std::array<char, 32> time{};
  std::snprintf(time.data(), time.size(), "%.3f", event.time);
  std::string line = time.data();
  switch (event.kind) {
    case PlayEvent::Kind::Chord:
      return line + " chord " + HexBytes(event.message, MessageLength(event.message & 0xFF));
    case PlayEvent::Kind::Click:
      return line + " click " + HexBytes(event.message, 3);
    case PlayEvent::Kind::Select:
      return line + " select " + std::to_string(event.start) + " " +
             std::to_string(event.length);
    case PlayEvent::Kind::Keys: {
      line += " keys ";
      for (size_t i = 0; i < event.keys.size(); ++i) {
        if (i > 0) line += ",";
        line += std::to_string(event.keys[i]);
      }
      return line;
    }
    case PlayEvent::Kind::HideKeys:
      return line + " keys -";
  }
  return line;
}

void PlayRecorder::Add(PlayEvent event) {
  FlushKeys();
  event.time = clock_.Now();
  events_.push_back(std::move(event));
}

void PlayRecorder::FlushKeys() {
  if (pendingKeys_.empty()) return;
  PlayEvent event;
  event.kind = PlayEvent::Kind::Keys;
  event.time = pendingTime_;
  event.keys = std::move(pendingKeys_);
  event.root = pendingChord_.first;
  event.type = pendingChord_.second;
  pendingKeys_.clear();
  events_.push_back(std::move(event));
}

}  // namespace vamplet
