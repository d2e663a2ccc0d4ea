#!/usr/bin/env bash
# Installs the Debian packages Vamplet needs to build, run and test; nothing when all are there.
# usage: scripts/install-deps.sh [run|test]
set -euo pipefail

build_packages=(
  cmake g++ make pkg-config
  qt6-base-dev librtmidi-dev libfluidsynth-dev fluid-soundfont-gm nlohmann-json3-dev
  libjack-jackd2-dev libasound2-dev fonts-liberation
)
test_packages=(
  googletest libgtest-dev libgmock-dev libbenchmark-dev
  jackd2
  xvfb xauth python3 python3-mido
)

wanted=("${build_packages[@]}")
if [ "${1:-run}" = test ]; then
  wanted+=("${test_packages[@]}")
fi

missing=()
for package in "${wanted[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$package")
  fi
done

if [ "${#missing[@]}" -eq 0 ]; then
  exit 0
fi

if [ "$(id -u)" -ne 0 ]; then
  echo "These packages are missing: ${missing[*]}. Run this command as root (or install them with sudo apt-get install)." >&2
  exit 1
fi

echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
# jackd2 asks whether to enable real-time priority; the tests need none.
echo "jackd2 jackd/tweak_rt_limits boolean false" | debconf-set-selections
apt-get update -qq
apt-get install -y -qq --no-install-recommends "${missing[@]}"
