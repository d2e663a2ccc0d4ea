// Keeps the sound libraries' own diagnostics off the terminal, and asks whether JACK runs.
#pragma once

namespace vamplet {

// Failures reach the user as MIDI result codes; the libraries' console chatter (ALSA,
// JACK, FluidSynth) would only repeat them. Safe to call more than once.
void QuietSoundLibraries();

// True when a JACK server answers; never starts one.
bool JackServerRunning();

}  // namespace vamplet
