#!/usr/bin/env bash
# Installs what is missing, builds Vamplet and starts it in the user's data directory.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build"

"$root/scripts/install-deps.sh" run
cmake -S "$root" -B "$build" >/dev/null
cmake --build "$build" -j"$(nproc)" --target vamplet vamplet-cli

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "Vamplet is built, but there is no display to open its window on: run this command in a desktop session (or set DISPLAY)." >&2
  exit 1
fi

# The launcher the desktop entry uses, pointed at this checkout: it creates the data directory
# on the first start (sample collection, help file, a settings file that plays at once) and
# starts the program there, so the checkout stays clean.
VAMPLET_SHARED_DIR="$root/data" VAMPLET_PROGRAM="$build/src/app/vamplet" \
  exec sh "$build/src/app/vamplet-launch"
