#!/usr/bin/env bash
# Starts the built program under a virtual X display with the sample collection, waits past
# its About splash and saves a screenshot of the screen. Builds nothing.
# usage: scripts/screenshot.sh [path/to/vamplet] [output.png]
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
program=$(realpath "${1:-$root/build/src/app/vamplet}")
output=$(realpath -m "${2:-$root/docs/screenshot.png}")
[ -x "$program" ] || { echo "No program at $program: build the vamplet target first." >&2; exit 1; }
for tool in Xvfb xwininfo import; do
  command -v "$tool" >/dev/null || { echo "$tool is missing: install xvfb, x11-utils and imagemagick." >&2; exit 1; }
done

data=$(mktemp -d)
display=:$((90 + RANDOM % 9))
cleanup() {
  [ -n "${app_pid:-}" ] && kill "$app_pid" 2>/dev/null || true
  [ -n "${jack_pid:-}" ] && kill "$jack_pid" 2>/dev/null || true
  [ -n "${x_pid:-}" ] && kill "$x_pid" 2>/dev/null || true
  rm -rf "$data"
}
trap cleanup EXIT

cp "$root/data/chords.crd" "$data/chords.crd"
[ -f "$root/data/rifflo.hlp" ] && cp "$root/data/rifflo.hlp" "$data/rifflo.hlp"
# The settings a new user starts with (see scripts/run.sh): the built-in synthesizer as chord
# port and "Play chords", "Intro ticks" and "Fill in ticks" checked.
printf '\001\000\000\000\000\000\000\000\000\000\001\000\000\000\001\000\001\000\001\000\000\000' \
  > "$data/rifflo.CFG"

Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
x_pid=$!
for _ in $(seq 50); do xwininfo -display "$display" -root >/dev/null 2>&1 && break; sleep 0.1; done

# A machine without a sound card gets a silent JACK server of its own, so the built-in
# synthesizer opens and no MIDI error covers the window.
if command -v jackd >/dev/null; then
  export JACK_DEFAULT_SERVER="vamplet-screenshot-$$"
  jackd --no-realtime -d dummy -r 48000 >/dev/null 2>&1 &
  jack_pid=$!
  sleep 1
fi

(cd "$data" && DISPLAY=$display exec "$program") >/dev/null 2>&1 &
app_pid=$!
for _ in $(seq 100); do
  xwininfo -display "$display" -root -tree 2>/dev/null | grep -q '"Vamplet"' && break
  sleep 0.1
done
# The About box closes itself after two seconds.
sleep 3
# The main window alone when it can be found, else the whole screen.
window=$(xwininfo -display "$display" -root -tree 2>/dev/null |
  awk '/"Vamplet"/ { size = $(NF-1); split(size, d, /[x+]/); if (d[1] >= 400) { print $1; exit } }')
import -display "$display" -window "${window:-root}" "$output"
echo "Saved $output"
