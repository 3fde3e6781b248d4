#!/usr/bin/env bash
# Times Open + Save of a 115 MB 16-bit stereo 48 kHz WAV file (read whole into memory, written to
# a new file, synced and renamed into place) beside `cp` and `sox` on the same file, warm cache.
# Every command writes a new file: the output of the previous run is removed first.
#   bench/open_save_vs_sox.sh [WAVCHECK] [RUNS]
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
wavcheck="${1:-$root/build/tests/tools/wavcheck}"
runs="${2:-11}"
[ -x "$wavcheck" ] || { echo "build the wavcheck target first ($wavcheck)" >&2; exit 2; }

work="$(mktemp -d "${TMPDIR:-/tmp}/sonoquill-bench.XXXXXX")"
trap 'rm -rf "$work"' EXIT
in="$work/in.wav"
out="$work/out.wav"
sox -D -n -r 48000 -c 2 -b 16 -e signed-integer "$in" synth 600 whitenoise
cat "$in" >/dev/null
echo "input: $(stat -c %s "$in") bytes, 16-bit stereo 48000 Hz; $runs runs each, medians"

declare -A names=(
  [ours]="Sonoquill Open + Save (wavcheck resave, synced)"
  [cp]="cp"
  [cp_sync]="cp, then sync of the copy"
  [sox]="sox in.wav out.wav"
  [sox_sync]="sox, then sync of the output"
)
order=(ours cp cp_sync sox sox_sync)
run_one() {
  case "$1" in
    ours) "$wavcheck" resave "$in" "$out" ;;
    cp) cp "$in" "$out" ;;
    cp_sync) cp "$in" "$out" && sync "$out" ;;
    sox) sox "$in" "$out" ;;
    sox_sync) sox "$in" "$out" && sync "$out" ;;
  esac
}
declare -A times
for ((i = 0; i < runs; i++)); do
  for t in "${order[@]}"; do
    rm -f "$out"
    sync
    start=$(date +%s%N)
    run_one "$t"
    end=$(date +%s%N)
    times[$t]+="$(((end - start) / 1000)) "
  done
done
"$wavcheck" resave "$in" "$out"
cmp <(tail -c +45 "$in") <(tail -c +45 "$out") && echo "check: the saved data equals the input's"

median() { tr ' ' '\n' | grep . | sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }
declare -A med
for t in "${order[@]}"; do med[$t]=$(echo "${times[$t]}" | median); done
for t in "${order[@]}"; do
  awk -v n="${names[$t]}" -v us="${med[$t]}" 'BEGIN {printf "%-50s %8.1f ms\n", n, us / 1000}'
done
awk -v o="${med[ours]}" -v c="${med[cp]}" -v cs="${med[cp_sync]}" -v s="${med[sox]}" \
  'BEGIN {printf "ours / cp: %.2f   ours / (cp + sync): %.2f   ours / sox: %.2f\n", o / c, o / cs, o / s}'
