#!/usr/bin/env bash
# Installs what the tests need, builds everything and runs every test; non-zero when any fails.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh test
jobs="$(nproc)"
cmake -S . -B build >/dev/null
cmake --build build -j"$jobs"
ctest --test-dir build --output-on-failure -j"$jobs"
