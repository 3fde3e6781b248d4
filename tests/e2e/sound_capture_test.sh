#!/usr/bin/env bash
# End-to-end sound test without a sound card. Starts a PulseAudio null sink on a private socket,
# points ALSA at a self-contained configuration whose default PCM is the file plug-in in front of
# that sink, and runs the real playback path (play_block) in mono and stereo; play_block checks
# the capture sample for sample. Also checks that a missing device is reported.
#
#   sound_capture_test.sh PLAY_BLOCK [--seconds N] [--only mono|stereo] [--change-every S]
#
# Everything it starts lives in one temporary directory and is stopped on exit.
set -euo pipefail

usage() {
  echo "usage: $0 PLAY_BLOCK [--seconds N] [--only mono|stereo] [--change-every S]" >&2
  exit 2
}
[ $# -ge 1 ] || usage
play_block=$(realpath "$1")
shift
seconds=3
only=""
change=()
while [ $# -gt 0 ]; do
  case "$1" in
    --seconds) [ $# -ge 2 ] || usage; seconds=$2; shift 2 ;;
    --only) [ $# -ge 2 ] || usage; only=$2; shift 2 ;;
    --change-every) [ $# -ge 2 ] || usage; change=(--change-every "$2"); shift 2 ;;
    *) usage ;;
  esac
done

for tool in pulseaudio pactl pacat; do
  command -v "$tool" > /dev/null || { echo "missing $tool (scripts/install-deps.sh test)" >&2; exit 1; }
done

W=$(mktemp -d "${TMPDIR:-/tmp}/sonoquill-sound.XXXXXX")
pids=()
cleanup() {
  local pid
  for pid in "${pids[@]}"; do kill "$pid" 2> /dev/null || true; done
  for pid in "${pids[@]}"; do wait "$pid" 2> /dev/null || true; done
  rm -rf "$W"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

# A home and runtime directory of our own: no user's sound server, settings or cookie.
export HOME=$W/home XDG_RUNTIME_DIR=$W/run XDG_CONFIG_HOME=$W/home/.config
mkdir -p "$HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
unset DBUS_SESSION_BUS_ADDRESS PULSE_COOKIE
export PULSE_SERVER=unix:$W/pulse.sock

# Polls `condition` every 0.1 s for up to `limit` seconds.
wait_for() {
  local limit=$1 what=$2
  shift 2
  local deadline=$((SECONDS + limit))
  until "$@"; do
    if [ $SECONDS -ge $deadline ]; then
      echo "timed out after ${limit} s waiting for $what" >&2
      [ -f "$W/pulse.log" ] && tail -n 20 "$W/pulse.log" >&2
      return 1
    fi
    sleep 0.1
  done
}

pulseaudio -n --daemonize=no --exit-idle-time=-1 --use-pid-file=no --log-target=stderr \
  --load="module-null-sink sink_name=nullout rate=44100 channels=2" \
  --load="module-native-protocol-unix socket=$W/pulse.sock auth-anonymous=1" \
  > "$W/pulse.log" 2>&1 &
pids+=($!)
wait_for 60 "the sound server" pactl info > /dev/null 2>&1

# A steady low-latency client keeps the null sink's latency short; without it playback may start
# up to two seconds late.
pacat -p --latency-msec=20 /dev/zero > /dev/null 2>&1 &
pids+=($!)
sink_latency_short() {
  local usec
  usec=$(pactl list sinks 2> /dev/null | sed -n 's/^[[:space:]]*Latency: \([0-9]*\) usec.*/\1/p' | head -n 1)
  [ -n "$usec" ] && [ "$usec" -lt 100000 ]
}
wait_for 60 "the null sink's latency to fall under 100 ms" sink_latency_short

# Self-contained: with ALSA_CONFIG_PATH set ALSA reads no system file, so nothing installed can
# reroute the default device. The slave is defined inline.
cat > "$W/asound.conf" << EOF
pcm.!default {
  type file
  slave.pcm { type pulse }
  file "$W/capture.raw"
  format "raw"
}
EOF
export ALSA_CONFIG_PATH=$W/asound.conf

# Runs one case in the background, so that a signal to this script ends it at once too.
failures=0
check() {
  local name=$1
  shift
  "$@" &
  local child=$!
  pids+=("$child")
  if wait "$child"; then
    echo "PASS $name"
  else
    echo "FAIL $name" >&2
    failures=$((failures + 1))
  fi
}
for case in "mono 1 44100" "stereo 2 48000"; do
  read -r name channels rate <<< "$case"
  [ -z "$only" ] || [ "$only" = "$name" ] || continue
  rm -f "$W/capture.raw"
  check "$name" "$play_block" --channels "$channels" --rate "$rate" --seconds "$seconds" \
    --capture "$W/capture.raw" "${change[@]}"
done

# No sound server to reach: the default device cannot be opened, and the failure is reported
# with PortAudio's text. (A configuration naming no device at all makes PortAudio abort.)
if [ -z "$only" ]; then
  check "no device" env PULSE_SERVER="unix:$W/nobody.sock" "$play_block" --channels 1 \
    --rate 44100 --expect-open-failure
fi

[ "$failures" -eq 0 ]
