#!/usr/bin/env bash
# Installs what is missing, builds Vamplet with its tests and runs every test through ctest.
# With CI=true (or --sanitize) the tests are built and run a second time under
# AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
sanitize=false
if [ "${CI:-}" = true ] || [ "${1:-}" = --sanitize ]; then
  sanitize=true
fi
jobs=$(nproc)

"$root/scripts/install-deps.sh" test

run_suite() {
  local build=$1
  shift
  cmake -S "$root" -B "$build" "$@" >/dev/null
  cmake --build "$build" -j"$jobs"
  # Qt tests run on the offscreen platform; nothing needs a display or a sound card.
  QT_QPA_PLATFORM=offscreen ctest --test-dir "$build" --output-on-failure -j"$jobs" --timeout 300
}

run_suite "$root/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo
if $sanitize; then
  echo "== The same tests under AddressSanitizer and UndefinedBehaviorSanitizer"
  ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    run_suite "$root/build-asan" -DCMAKE_BUILD_TYPE=Debug -DVAMPLET_SANITIZE=ON
fi
