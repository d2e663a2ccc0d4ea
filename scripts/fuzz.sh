#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each one in turn, printing a result line each.
# usage: scripts/fuzz.sh [SECONDS] [TARGET...]   (default 600 seconds per target, all targets)
set -uo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build-fuzz"
seconds=${1:-600}
if ! [[ "$seconds" =~ ^[0-9]+$ ]] || [ "$seconds" -eq 0 ]; then
  echo "usage: scripts/fuzz.sh [SECONDS] [TARGET...]: SECONDS must be a whole number above 0, not '$seconds'." >&2
  exit 2
fi
shift $(( $# > 0 ? 1 : 0 ))

if ! command -v clang++ >/dev/null; then
  echo "clang++ is not installed: install the Debian package clang, then run this again." >&2
  exit 2
fi

if [ $# -gt 0 ]; then
  targets=("$@")
else
  targets=()
  for source in "$root"/fuzz/*_fuzz.cpp; do
    [ -e "$source" ] && targets+=("$(basename "$source" .cpp)")
  done
fi
if [ ${#targets[@]} -eq 0 ]; then
  echo "There are no fuzz targets (fuzz/*_fuzz.cpp)." >&2
  exit 2
fi

mkdir -p "$root/fuzz-artifacts"
CC=clang CXX=clang++ cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DVAMPLET_FUZZ=ON -DVAMPLET_SANITIZE=ON -DVAMPLET_BUILD_APP=OFF -DVAMPLET_BUILD_TESTS=OFF \
  >"$root/fuzz-artifacts/configure.log" 2>&1 || { cat "$root/fuzz-artifacts/configure.log" >&2; exit 2; }
if ! cmake --build "$build" -j2 --target "${targets[@]}"; then
  echo "The fuzz targets did not build; see the compiler messages above." >&2
  exit 2
fi

# The 46-byte settings image with every field set, so the fuzzer starts from a valid file.
settings_seed='\x01\x00\x02\x00\x08\x00C:\\Songs\x10\x00C:\\Songs\\gig.crd\x14\x00\x01\x00\x03\x00\x00\x00\x01\x00\x01\x00\x00\x00'

status=0
for target in "${targets[@]}"; do
  corpus="$root/fuzz-corpus/$target"
  artifacts="$root/fuzz-artifacts/$target"
  mkdir -p "$corpus" "$artifacts"
  if [ -z "$(ls -A "$corpus")" ]; then
    cp "$root/data/chords.crd" "$corpus/sample.crd"
    printf "$settings_seed" >"$corpus/settings.cfg"
  fi
  log="$root/fuzz-artifacts/$target.log"
  # Inputs kept from earlier runs stay; only this run's findings are reported.
  marker="$root/fuzz-artifacts/.$target.start"
  touch "$marker"
  "$build/fuzz/$target" "$corpus" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
    -print_final_stats=1 -artifact_prefix="$artifacts/" >"$log" 2>&1
  code=$?
  runs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$' | tail -1)
  files=$(ls -A "$corpus" | wc -l)
  found=$(find "$artifacts" -type f -newer "$marker" | sort)
  if [ $code -eq 0 ] && [ -z "$found" ]; then
    echo "$target: ok, ${runs:-?} runs in ${seconds} s, corpus of $files files"
  else
    status=1
    echo "$target: FAILED (exit $code) after ${runs:-?} runs; log: $log"
    for input in $found; do
      echo "  $input: $(head -c 200 "$input" | od -An -tx1 | tr -s ' \n' ' ')"
    done
  fi
done
exit $status
