#!/bin/bash
# Runs a command against a private JACK server (dummy driver) that this script starts and stops.
# Exits 77 when jackd is not installed, so a test runner can count the run as skipped.
set -u

if [ $# -eq 0 ]; then
  echo "usage: with-jack.sh COMMAND [ARGS...]" >&2
  exit 2
fi
if ! command -v jackd >/dev/null 2>&1; then
  echo "with-jack: jackd is not installed; skipping" >&2
  exit 77
fi

# A name of our own, so a user's server or a parallel run is never touched.
export JACK_DEFAULT_SERVER="vamplet-test-$$-${RANDOM}"
export JACK_NO_AUDIO_RESERVATION=1
export JACK_NO_START_SERVER=1

log="$(mktemp -t vamplet-jackd.XXXXXX)"
jackd_pid=""

cleanup() {
  if [ -n "$jackd_pid" ] && kill -0 "$jackd_pid" 2>/dev/null; then
    kill "$jackd_pid" 2>/dev/null
    for _ in $(seq 50); do
      kill -0 "$jackd_pid" 2>/dev/null || break
      sleep 0.1
    done
    kill -9 "$jackd_pid" 2>/dev/null
  fi
  [ -n "$jackd_pid" ] && wait "$jackd_pid" 2>/dev/null
  rm -f "$log"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

jackd --no-realtime --name "$JACK_DEFAULT_SERVER" -d dummy -r 48000 -p 256 >"$log" 2>&1 &
jackd_pid=$!
# Lets a test stop the server on purpose, to see how the program takes its going.
export VAMPLET_TEST_JACKD_PID="$jackd_pid"

ready=no
for _ in $(seq 100); do
  if ! kill -0 "$jackd_pid" 2>/dev/null; then break; fi
  if timeout 2 jack_wait --check 2>/dev/null | grep -qx running; then
    ready=yes
    break
  fi
  sleep 0.1
done
if [ "$ready" != yes ]; then
  echo "with-jack: the JACK server did not start; its output:" >&2
  cat "$log" >&2
  exit 1
fi

timeout --kill-after=5 60 "$@"
