#!/usr/bin/env bash
# Installs every Debian 12 package Sonoquill needs. `run` is enough to build and start it; `test`
# adds what the test suite, the end-to-end flows, the fuzzer and the benchmarks use.
set -euo pipefail

build_and_run=(
  cmake g++ make pkg-config
  qt6-base-dev qt6-translations-l10n
  portaudio19-dev libasound2-dev libasound2-plugins
  fonts-ipafont-gothic
)
testing=(
  libgtest-dev libgmock-dev libbenchmark-dev clang libclang-rt-14-dev clang-format
  xvfb xauth xdotool x11-apps imagemagick
  pulseaudio pulseaudio-utils sox python3
)

case "${1:-run}" in
  run) packages=("${build_and_run[@]}") ;;
  test) packages=("${build_and_run[@]}" "${testing[@]}") ;;
  *) echo "usage: $0 [run|test]" >&2; exit 2 ;;
esac

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi
sudo=""
if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
echo "Installing: ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
