#!/usr/bin/env bash
# On demand, not in CI: real-time looping on the private null sink. Runs the end-to-end sound test
# for 10 s (CPU of the looping process) and for 60 s (underruns, and the capture sample-exact),
# in mono and stereo, and prints play_block's figures.
#
#   bench/sound_loop_bench.sh BUILD_DIR
#
# Targets: at most 2 % of one core while looping; 0 underruns and a sample-exact capture.
set -euo pipefail
[ $# -eq 1 ] || { echo "usage: $0 BUILD_DIR" >&2; exit 2; }
here=$(dirname "$(realpath "$0")")
play_block=$1/tests/e2e/play_block
[ -x "$play_block" ] || { echo "build play_block first: cmake --build $1 --target play_block" >&2; exit 2; }

status=0
for seconds in 10 60; do
  echo "== ${seconds} s"
  python3 "$here/../tests/e2e/sound_capture_test.py" "$play_block" --seconds "$seconds" --only mono || status=1
  python3 "$here/../tests/e2e/sound_capture_test.py" "$play_block" --seconds "$seconds" --only stereo || status=1
done
exit $status
