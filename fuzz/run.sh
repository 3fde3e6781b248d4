#!/usr/bin/env bash
# Builds the WAV reader fuzz target with clang (libFuzzer, ASan, UBSan) from the reader and
# writer sources and runs it for a bounded time from a seed corpus made here.
#   fuzz/run.sh OUT_DIR [SECONDS]
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
src="$here/../src"
out="${1:?usage: fuzz/run.sh OUT_DIR [SECONDS]}"
seconds="${2:-60}"
mkdir -p "$out"
cxx="${CXX_FUZZ:-clang++}"

sources=(
  "$here/wav_reader_fuzz.cpp"
  "$src/wavefile/byte_source.cpp" "$src/wavefile/riff_reader.cpp" "$src/wavefile/wave_loader.cpp"
  "$src/wavefile/replacing_file.cpp" "$src/wavefile/wave_writer.cpp"
)
binary="$out/wav_reader_fuzz"
newest="$(ls -t "${sources[@]}" "$src"/wavefile/*.h "$0" | head -1)"
if [ ! -x "$binary" ] || [ "$newest" -nt "$binary" ]; then
  "$cxx" -std=c++20 -g -O1 -fno-omit-frame-pointer -fsanitize=fuzzer,address,undefined \
    -fno-sanitize-recover=all -Wall -Wextra -Werror -I"$src" "${sources[@]}" -o "$binary"
fi

corpus="$out/corpus"
mkdir -p "$corpus"
python3 - "$corpus" <<'PY'
import os, struct, sys
out = sys.argv[1]
def chunk(cid, payload, size=None):
    size = len(payload) if size is None else size
    return cid + struct.pack("<I", size) + payload + (b"\0" if len(payload) % 2 else b"")
def fmt(tag=1, ch=2, rate=44100, bits=16, extra=b""):
    align = ch * bits // 8
    return chunk(b"fmt ", struct.pack("<HHIIHH", tag, ch, rate, rate * align, align, bits) + extra)
def riff(body, form=b"WAVE", size=None):
    body = form + body
    return b"RIFF" + struct.pack("<I", len(body) if size is None else size) + body
data = chunk(b"data", bytes(range(64)))
seeds = {
    "stereo": riff(fmt() + data),
    "mono48k": riff(fmt(ch=1, rate=48000) + data),
    "list_odd": riff(fmt() + chunk(b"LIST", b"INFOabc") + chunk(b"odd ", b"x") + data),
    "extensible": riff(fmt(tag=0xFFFE, extra=struct.pack("<HHI", 22, 16, 3) + bytes(16)) +
                       chunk(b"fact", b"\0\0\0\0") + data),
    "junk_first": chunk(b"JUNK", b"abc") + riff(fmt() + data),
    "data_first": riff(data + fmt()),
    "truncated_data": riff(fmt() + chunk(b"data", b"\1\2\3\4", 1000)),
    "huge_sizes": riff(fmt() + chunk(b"data", b"\1\2", 0xFFFFFFF0), size=0xFFFFFFFF),
    "short_fmt": riff(chunk(b"fmt ", b"\1\0\2\0\x44\xac") + data),
    "eight_bit": riff(fmt(bits=8) + data),
    "zero_rate": riff(fmt(rate=0) + data),
    "three_ch": riff(fmt(ch=3) + data),
}
for name, b in seeds.items():
    with open(os.path.join(out, name), "wb") as f:
        f.write(b)
PY

# Found crashes go to OUT_DIR; a crash makes the run, and the test, fail.
exec "$binary" -max_total_time="$seconds" -max_len=4096 -timeout=10 -rss_limit_mb=2048 \
  -artifact_prefix="$out/" -print_final_stats=1 "$corpus"
