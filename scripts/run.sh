#!/usr/bin/env bash
# Installs what Sonoquill needs, builds it and starts it on the desktop.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh run
cmake -S . -B build -DBUILD_TESTING=OFF -DSONOQUILL_BENCHMARKS=OFF >/dev/null
cmake --build build -j"$(nproc)" --target sonoquill
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "Sonoquill is built (build/src/desktop/sonoquill), but there is no display to open its" >&2
  echo "window on: neither DISPLAY nor WAYLAND_DISPLAY is set. Start it from a desktop session," >&2
  echo "or under a virtual display: xvfb-run -a build/src/desktop/sonoquill" >&2
  exit 1
fi
exec build/src/desktop/sonoquill
