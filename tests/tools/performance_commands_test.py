"""vamplet-cli events and export on a small chord file; the MIDI file is read back with mido."""
import os
import signal
import subprocess
import sys
import tempfile
import time

import mido

CLI = sys.argv[1]
failures = []


def check(condition, what):
    if not condition:
        failures.append(what)


def run(*args):
    return subprocess.run([CLI, *args], capture_output=True, text=True, timeout=60)


with tempfile.TemporaryDirectory() as work:
    chords = os.path.join(work, "two.crd")
    with open(chords, "wb") as f:
        f.write(b"T:Export\r\nB:3\r\nQ:100\r\nlyrics\r\n.C,G7|Bbm7{f},,F#dim|\r\n.Ab|\r\n"
                b"T:Silent\r\nQ:0\r\n.C|\r\n")

    # events: timing and formats of the lines.
    r = run("events", chords, "--channel", "3", "--fingering", "1")
    check(r.returncode == 0, "events exits 0: " + r.stderr)
    lines = r.stdout.splitlines()
    check(lines[0] == "0.000 select 9 4", "first highlight: " + lines[0])
    check(lines[1] == "0.000 chord FA", "Start follows: " + lines[1])
    check("0.000 chord 92 24 64" in lines, "C on channel 3 in three fingers")
    check("0.000 keys 36,40,43" in lines, "keys of C")
    clocks = [l for l in lines if l.endswith(" chord F8")]
    check(len(clocks) == 3 * 24 * 3, "three measures of clock: %d" % len(clocks))
    check(clocks[1].startswith("25.000 "), "tick period at 100: " + clocks[1])
    check(lines[-2].endswith(" chord FC") and lines[-1] == lines[-2].split()[0] + " select 0 0",
          "Stop then the restored selection: %s" % lines[-2:])

    for args, status in [
        (["events", chords, "--repeat"], 2),
        (["events", chords, "--channel", "17"], 2),
        (["events", chords, "--bogus"], 2),
        (["events", chords, "--song", "3"], 2),
        (["events", os.path.join(work, "missing.crd")], 1),
        (["events", chords, "--song", "2"], 1),
        (["export", chords], 2),
    ]:
        r = run(*args)
        check(r.returncode == status and r.stderr.strip(),
              "%s: exit %d (%s)" % (" ".join(args[2:]) or args[0], r.returncode, r.stderr))

    r = run("events", chords, "--repeat", "--stop-at", "6000")
    check(r.returncode == 0 and r.stdout.count("chord FA") == 2, "repeat until the Stop time")

    # export
    out = os.path.join(work, "out.mid")
    r = run("export", chords, "-o", out, "--intro", "--fill", "--channel", "2")
    check(r.returncode == 0, "export exits 0: " + r.stderr)
    midi = mido.MidiFile(out)
    check(midi.type == 1 and midi.ticks_per_beat == 480 and len(midi.tracks) == 3, "layout")

    def absolute(track):
        tick = 0
        for message in track:
            tick += message.time
            yield tick, message

    conductor = list(absolute(midi.tracks[0]))
    tempos = [m.tempo for _, m in conductor if m.type == "set_tempo"]
    check(tempos == [600000], "tempo 100: %s" % tempos)
    signatures = [(m.numerator, m.denominator) for _, m in conductor if m.type == "time_signature"]
    check(signatures == [(3, 4)], "time signature: %s" % signatures)
    markers = [(t, m.text) for t, m in conductor if m.type == "marker"]
    # The count-in takes one measure; each measure's marker stands at its first clock.
    check(markers == [(1440, "C,G7"), (2880, "Bbm7{f},,F#dim"), (4320, "Ab")],
          "markers: %s" % markers)

    chord_track = list(absolute(midi.tracks[1]))
    notes_on = [(t, m.note) for t, m in chord_track if m.type == "note_on"]
    check(all(m.channel == 1 for _, m in chord_track if m.type in ("note_on", "note_off")),
          "chord notes on channel 2")
    check(notes_on[:3] == [(1440, 36), (1440, 40), (1440, 43)], "C at Start: %s" % notes_on[:3])
    # G7 comes one clock (20 ticks) ahead of its beat.
    check((1900, 43) in notes_on, "G7 one clock ahead of beat 2")
    ons = sum(1 for _, m in chord_track if m.type == "note_on")
    offs = sum(1 for _, m in chord_track if m.type == "note_off")
    check(ons == offs and ons > 0, "every note released: %d on, %d off" % (ons, offs))
    chord_events = [(t, tuple(m.data)) for t, m in chord_track if m.type == "sequencer_specific"]
    expected = [
        (1440, (0x43, 0x7B, 0x01, 0x31, 0, 0x7F, 0x7F)),    # C
        (1900, (0x43, 0x7B, 0x01, 0x35, 19, 0x7F, 0x7F)),   # G7
        (2860, (0x43, 0x7B, 0x01, 0x27, 10, 0x7F, 0x7F)),   # Bbm7
        (3820, (0x43, 0x7B, 0x01, 0x44, 17, 0x7F, 0x7F)),   # F#dim
        (4300, (0x43, 0x7B, 0x01, 0x26, 0, 0x7F, 0x7F)),    # Ab
    ]
    check(chord_events == expected, "chord events: %s" % chord_events)

    clicks = [(t, m.type) for t, m in absolute(midi.tracks[2])
              if m.type in ("note_on", "note_off")]
    check(all(m.channel == 9 and m.note == 60 for _, m in absolute(midi.tracks[2])
              if m.type in ("note_on", "note_off")), "clicks on channel 10, key 60")
    count_in = [(0, "note_on"), (20, "note_off"), (480, "note_on"), (500, "note_off"),
                (960, "note_on"), (980, "note_off")]
    fill = [(2880 + 480 * b + d, k) for b in range(3) for d, k in ((0, "note_on"), (20, "note_off"))]
    check(clicks == count_in + fill, "count-in and fill clicks: %s" % clicks)

    # play: port item 0 sends the chord port nothing; Ctrl-C ends even a repeat cleanly.
    r = run("play", chords, "--port", "99")
    check(r.returncode == 2 and "ports" in r.stderr, "play to a missing port: " + r.stderr)
    player = subprocess.Popen([CLI, "play", chords, "--port", "0", "--repeat"],
                              stdout=subprocess.PIPE, stderr=subprocess.PIPE, text=True)
    time.sleep(0.5)
    player.send_signal(signal.SIGINT)
    try:
        player.communicate(timeout=10)
        check(player.returncode == 0, "play stops on Ctrl-C with exit 0: %d" % player.returncode)
    except subprocess.TimeoutExpired:
        player.kill()
        check(False, "play did not stop on Ctrl-C")

if failures:
    print("\n".join(failures))
    sys.exit(1)
print("ok")
