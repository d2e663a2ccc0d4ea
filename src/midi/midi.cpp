// The MIDI module: device list, chord port, click port, channel, sending and error reports.
#include "midi/midi.h"

#include <algorithm>
#include <limits>

namespace vamplet {

namespace {

const Text kMidiErrorCaption = U"MIDI ERROR";
const Text kNoPortCaption = U"Device not enabled";
constexpr int kChannelCount = 16;

}  // namespace

Midi::Midi(MidiOutService& service, Settings& settings, Dialogs& dialogs, PortMenu& menu)
    : service_(service), settings_(settings), dialogs_(dialogs), menu_(menu) {}

bool Midi::SendShortMsg(uint32_t message) {
  if (ChordOut == kClosedHandle) return false;
  MidiResult = service_.ShortMsg(ChordOut, message);
  return MidiResult == MMSYSERR_NOERROR;
}

void Midi::SendClickMsg(uint32_t message) { MidiResult = service_.ShortMsg(ClickOut, message); }

void Midi::OpenChordPort(int deviceId) {
  CloseChordPort();
  int32_t handle = kClosedHandle;
  MidiResult = service_.Open(deviceId, handle);
  if (MidiResult != MMSYSERR_NOERROR) {
    ShowMidiError(MidiResult);
    ChordOut = kClosedHandle;
    // The menu follows ChordPort, so it never shows a port that is not open.
    if (settings_.ChordPort >= 0 && settings_.ChordPort <= OutDeviceCount) {
      menu_.CheckPortItem(settings_.ChordPort, false);
    }
    settings_.ChordPort = 0;
    menu_.CheckPortItem(0, true);
    return;
  }
  ChordOut = handle;
}

void Midi::CloseChordPort() {
  MidiResult = service_.Close(ChordOut);
  ChordOut = kClosedHandle;
}

void Midi::OpenMidiPorts() {
  uint32_t chordPortError = MMSYSERR_NOERROR;
  if (settings_.ChordPort > 0) {
    OpenChordPort(settings_.ChordPort - 1);
    if (ChordOut == kClosedHandle) chordPortError = MidiResult;
  }
  int32_t handle = kClosedHandle;
  MidiResult = service_.Open(MIDI_MAPPER, handle);
  if (MidiResult != MMSYSERR_NOERROR) {
    // The built-in synthesizer serves both ports, so one missing sound card fails both opens
    // with the same code: the user is told once.
    if (MidiResult != chordPortError) ShowMidiError(MidiResult);
    ClickOut = kClosedHandle;
    return;
  }
  ClickOut = handle;
}

void Midi::CloseClickPort() {
  MidiResult = service_.Close(ClickOut);
  ClickOut = kClosedHandle;
}

Text Midi::MidiErrorText(uint32_t code) {
  switch (code) {
    case MMSYSERR_BADDEVICEID: return U"Bad Device ID! ";
    case MMSYSERR_NOTENABLED: return U"Device not enabled!";
    case MMSYSERR_ALLOCATED: return U"";
    case MMSYSERR_INVALHANDLE: return U"Invalid Device Handle!";
    case MMSYSERR_NODRIVER: return U"Driver not found!";
    case MMSYSERR_NOMEM: return U"Out of memory!";
    case MIDIERR_STILLPLAYING: return U"Device still playing!";
    case MIDIERR_NOMAP: return U"MIDI Mapper device not found!";
    case MIDIERR_NOTREADY: return U"Hardware not ready! ";
    case MIDIERR_NODEVICE: return U"Device not present!";
    default: return U"Unexpected error!";
  }
}

void Midi::ShowMidiError(uint32_t code) {
  // A device that another program holds is left alone without a word.
  if (code == MMSYSERR_ALLOCATED) return;
  dialogs_.MessageBox(MidiErrorText(code), kMidiErrorCaption, MsgButtons::Ok, MsgIcon::Warning);
}

void Midi::FillPortMenu() {
  // Device ids beyond the 16-bit count could not be chosen anyway; a negative count would
  // turn the clamp of the stored port into an invalid device id.
  const uint32_t count = service_.GetNumDevs();
  const int16_t reported = static_cast<int16_t>(
      std::min<uint32_t>(count, static_cast<uint32_t>(std::numeric_limits<int16_t>::max())));
  menu_.SetPortItem(0, kNoPortCaption);
  OutDeviceCount = 0;
  for (int16_t d = 0; d < reported; ++d) {
    std::string name;
    MidiResult = service_.GetDevCaps(static_cast<uint32_t>(d), name);
    if (MidiResult != MMSYSERR_NOERROR) {
      ShowMidiError(MidiResult);
      break;
    }
    menu_.SetPortItem(d + 1, FromUtf8(name));
    OutDeviceCount = static_cast<int16_t>(d + 1);
  }
}

void Midi::FillChannelMenu() {
  for (int i = 0; i < kChannelCount; ++i) menu_.SetChannelItem(i, NumberText(i + 1));
}

void Midi::ClampChordPort() {
  if (settings_.ChordPort > OutDeviceCount) settings_.ChordPort = OutDeviceCount;
  // A negative stored port names no menu item and no device: it means no port.
  if (settings_.ChordPort < 0) settings_.ChordPort = 0;
  menu_.CheckPortItem(settings_.ChordPort, true);
}

void Midi::CheckChannelMenu() {
  for (int i = 0; i < kChannelCount; ++i) menu_.CheckChannelItem(i, i == settings_.ChordChannel);
}

void Midi::mnuChordsPort_Click(int index) {
  if (index < 0 || index > OutDeviceCount) return;
  for (int i = 0; i <= OutDeviceCount; ++i) menu_.CheckPortItem(i, false);
  if (settings_.ChordPort != 0) CloseChordPort();
  settings_.ChordPort = static_cast<int16_t>(index);
  menu_.CheckPortItem(index, true);
  if (settings_.ChordPort == 0) {
    CloseChordPort();
  } else {
    OpenChordPort(settings_.ChordPort - 1);
  }
}

void Midi::mnuChordsChannel_Click(int index) {
  if (index < 0 || index >= kChannelCount) return;
  for (int i = 0; i < kChannelCount; ++i) menu_.CheckChannelItem(i, false);
  settings_.ChordChannel = static_cast<int16_t>(index);
  menu_.CheckChannelItem(index, true);
}

}  // namespace vamplet
