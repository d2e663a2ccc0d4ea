// The MIDI module: device list, chord port, click port, channel, sending and error reports.
#pragma once

#include <cstdint>

#include "app/logic/settings.h"
#include "chords/short_message_sink.h"
#include "core/dialogs.h"
#include "midi/midi_out_service.h"
#include "midi/port_menu.h"

namespace vamplet {

class Midi : public ShortMessageSink {
 public:
  Midi(MidiOutService& service, Settings& settings, Dialogs& dialogs, PortMenu& menu);

  bool SendShortMsg(uint32_t message) override;
  // Sends on the click port directly, storing the result; used for the clicks.
  void SendClickMsg(uint32_t message);
  void OpenChordPort(int deviceId);
  void CloseChordPort();
  void OpenMidiPorts();
  void CloseClickPort();
  void ShowMidiError(uint32_t code);
  static Text MidiErrorText(uint32_t code);  // empty for code 4, which shows no box

  // Start-up steps: the port menu (before the settings are read), the channel menu, and
  // the clamp of the stored port with its check mark (after they are read).
  void FillPortMenu();
  void FillChannelMenu();
  void ClampChordPort();
  // Puts the check mark of the channel menu on ChordChannel (none when out of range).
  void CheckChannelMenu();

  void mnuChordsPort_Click(int index);
  void mnuChordsChannel_Click(int index);

  int32_t ChordOut = kClosedHandle;
  int32_t ClickOut = kClosedHandle;
  // Number of devices listed in the port menu; a query that fails part-way stops the list,
  // and the count then covers only the devices listed.
  int16_t OutDeviceCount = 0;
  uint32_t MidiResult = 0;

 private:
  MidiOutService& service_;
  Settings& settings_;
  Dialogs& dialogs_;
  PortMenu& menu_;
};

}  // namespace vamplet
