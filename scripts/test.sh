#!/usr/bin/env bash
# Installs what the tests need, builds everything and runs every test: the normal build (unit,
# behaviour, desktop, end-to-end, fuzz), then the whole core suite again under AddressSanitizer
# and UndefinedBehaviorSanitizer. Exits non-zero when anything fails.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh test
jobs="$(nproc)"

cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$jobs"
ctest --test-dir build --output-on-failure -j"$jobs"

cmake -S . -B build-sanitize -DCMAKE_BUILD_TYPE=Debug -DSONOQUILL_SANITIZE=ON \
  -DSONOQUILL_DESKTOP=OFF -DSONOQUILL_BENCHMARKS=OFF >/dev/null
cmake --build build-sanitize -j"$jobs"
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --test-dir build-sanitize --output-on-failure -j"$jobs"
