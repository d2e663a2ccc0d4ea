#!/usr/bin/env bash
# Installs what is missing, builds Vamplet and starts it in the user's data directory.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build"

"$root/scripts/install-deps.sh" run
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DVAMPLET_BUILD_TESTS=OFF >/dev/null
cmake --build "$build" -j"$(nproc)" --target vamplet vamplet-cli

# The program keeps its settings file and looks for its chord file and help file in the
# directory it starts in, so it starts in a data directory of the user's, never the checkout.
data="${XDG_DATA_HOME:-$HOME/.local/share}/vamplet"
if [ ! -d "$data" ]; then
  mkdir -p "$data"
  cp "$root/data/chords.crd" "$data/chords.crd"
  # A first start that makes music at once: the built-in synthesizer as chord port, channel 1,
  # and "Intro ticks", "Fill in ticks" and "Play chords" checked; no stored paths, so the
  # program opens chords.crd here. Byte layout of rifflo.CFG, 16-bit little-endian fields:
  # 1, fingering 0, dir length 0, name length 0, text size 0, port 1, channel 0,
  # intro 1, fill 1, chords 1, repeat 0.
  printf '\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x01\x00\x00\x00\x01\x00\x01\x00\x01\x00\x00\x00' \
    > "$data/rifflo.CFG"
  echo "Created $data with the sample collection chords.crd."
fi
# The help file follows the program's version.
cp "$root/data/rifflo.hlp" "$data/rifflo.hlp"

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "Vamplet is built, but there is no display to open its window on: run this command in a desktop session (or set DISPLAY)." >&2
  exit 1
fi

cd "$data"
exec "$build/src/app/vamplet"
