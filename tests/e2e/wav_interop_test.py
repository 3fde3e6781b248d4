#!/usr/bin/env python3
"""WAV files travel both ways between Sonoquill and other software.

Files that sox writes (mono and stereo, 8000 to 48000 Hz, with a LIST chunk or an odd-sized
chunk before the data, in the extensible format) open with the reader of the Open command and
hold the samples sox reads from them. Files that Sonoquill saves (the generated block, and an
opened file saved again) are read by sox and by Python's wave module with the same samples.
"""

import argparse
import os
import struct
import subprocess
import sys
import tempfile
import wave

failures = []


def check(condition, what):
    if not condition:
        failures.append(what)
        print("FAIL:", what)


def run(*args):
    return subprocess.run(args, check=True, capture_output=True).stdout


def chunks(data):
    """The chunks inside a RIFF file: (id, payload) in order."""
    assert data[:4] == b"RIFF"
    out, at = [], 12
    while at + 8 <= len(data):
        cid, size = data[at:at + 4], struct.unpack("<I", data[at + 4:at + 8])[0]
        out.append((cid, data[at + 8:at + 8 + size]))
        at += 8 + size + (size & 1)
    return out


def riff(form, chunk_list):
    body = form
    for cid, payload in chunk_list:
        body += cid + struct.pack("<I", len(payload)) + payload + (b"\0" if len(payload) % 2 else b"")
    return b"RIFF" + struct.pack("<I", len(body)) + body


def insert_before_data(data, extra):
    out = []
    for cid, payload in chunks(data):
        if cid == b"data":
            out.extend(extra)
        out.append((cid, payload))
    return riff(data[8:12], out)


def extensible(data):
    """The same samples with a 40-byte WAVE_FORMAT_EXTENSIBLE fmt chunk."""
    out = []
    for cid, payload in chunks(data):
        if cid == b"fmt ":
            tag, ch, rate, avg, align, bits = struct.unpack("<HHIIHH", payload[:16])
            mask = 0x3 if ch == 2 else 0x4
            pcm_guid = struct.pack("<IHH", 1, 0x0000, 0x0010) + bytes.fromhex("800000aa00389b71")
            payload = struct.pack("<HHIIHHHHI", 0xFFFE, ch, rate, avg, align, bits, 22, bits, mask) + pcm_guid
        out.append((cid, payload))
    return riff(b"WAVE", out)


class Tools:
    def __init__(self, wavcheck, sox, work):
        self.wavcheck, self.sox, self.work = wavcheck, sox, work
        self.n = 0

    def path(self, name):
        self.n += 1
        return os.path.join(self.work, f"{self.n:03d}-{name}")

    def info(self, path):
        status, ch, rate, size = run(self.wavcheck, "info", path).decode().split()
        return status, int(ch), int(rate), int(size)

    def ours(self, path):
        raw = self.path("ours.raw")
        run(self.wavcheck, "dump", path, raw)
        with open(raw, "rb") as f:
            return f.read()

    def theirs(self, path):
        raw = self.path("sox.raw")
        run(self.sox, "-D", path, "-t", "raw", "-e", "signed-integer", "-b", "16", "-L", raw)
        with open(raw, "rb") as f:
            return f.read()

    def sox_make(self, ch, rate, bits=16, seconds="0.25"):
        out = self.path(f"sox-{ch}ch-{rate}-{bits}.wav")
        run(self.sox, "-D", "-n", "-r", str(rate), "-c", str(ch), "-b", str(bits),
            "-e", "signed-integer", out, "synth", seconds, "whitenoise")
        return out

    def write(self, name, data):
        p = self.path(name)
        with open(p, "wb") as f:
            f.write(data)
        return p


def python_wave_frames(path):
    with wave.open(path, "rb") as w:
        return w.getnchannels(), w.getframerate(), w.getsampwidth(), w.readframes(w.getnframes())


def check_opens(t, path, what, ch, rate):
    status, got_ch, got_rate, size = t.info(path)
    check(status == "Loaded", f"{what}: loaded ({status})")
    if status != "Loaded":
        return
    check((got_ch, got_rate) == (ch, rate), f"{what}: {got_ch} ch {got_rate} Hz")
    samples = t.theirs(path)
    check(size == len(samples), f"{what}: {size} data bytes, sox reads {len(samples)}")
    check(t.ours(path) == samples, f"{what}: the same samples as sox reads")

    # Saved again, as after an Open: a plain file with the same samples for sox and Python.
    out = t.path("resaved.wav")
    run(t.wavcheck, "resave", path, out)
    check(os.path.getsize(out) == 44 + len(samples), f"{what}: resaved file holds no other chunk")
    check(t.theirs(out) == samples, f"{what}: sox reads the resaved samples unchanged")
    pch, prate, width, frames = python_wave_frames(out)
    check((pch, prate, width) == (ch, rate, 2), f"{what}: Python reads {pch} ch {prate} Hz")
    check(frames == samples, f"{what}: Python reads the resaved samples unchanged")


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--wavcheck", required=True)
    ap.add_argument("--sox", default="sox")
    args = ap.parse_args()

    with tempfile.TemporaryDirectory(prefix="sonoquill-interop-") as work:
        t = Tools(args.wavcheck, args.sox, work)

        for ch in (1, 2):
            for rate in (8000, 11025, 16000, 22050, 32000, 44100, 48000):
                check_opens(t, t.sox_make(ch, rate), f"sox {ch} ch {rate} Hz", ch, rate)

        base = open(t.sox_make(2, 44100), "rb").read()
        info = b"INFO" + b"ISFT" + struct.pack("<I", 6) + b"sox!!\0"
        variants = {
            "LIST chunk before data": insert_before_data(base, [(b"LIST", info)]),
            "odd-sized chunk before data": insert_before_data(base, [(b"junk", b"abc")]),
            "LIST and odd chunk before data":
                insert_before_data(base, [(b"odd ", b"x"), (b"LIST", info)]),
            "extensible format": extensible(base),
            "extensible format with a fact chunk":
                insert_before_data(extensible(base), [(b"fact", struct.pack("<I", 11025))]),
        }
        for what, data in variants.items():
            path = t.write(what.replace(" ", "_") + ".wav", data)
            check(t.theirs(path) == t.theirs(t.write("base.wav", base)), f"{what}: fixture sane")
            check_opens(t, path, what, 2, 44100)

        refused = {
            "sox 3 channels (extensible)": (t.sox_make(3, 44100), "UnsupportedChannels"),
            "sox 24 bits": (t.sox_make(2, 44100, bits=24), "NotSixteenBit"),
            "sox 8 bits": (t.sox_make(1, 8000, bits=8), "NotSixteenBit"),
            "sox 96000 Hz": (t.sox_make(2, 96000), "RateTooHigh"),
        }
        for what, (path, expected) in refused.items():
            status = t.info(path)[0]
            check(status == expected, f"{what}: refused as {expected}, got {status}")

        for ch in (1, 2):
            for rate in (8000, 44100, 48000):
                what = f"generated block {ch} ch {rate} Hz"
                out, expected_raw = t.path("block.wav"), t.path("block.raw")
                run(t.wavcheck, "block", out, expected_raw, str(ch), str(rate))
                expected = open(expected_raw, "rb").read()
                check(len(expected) == 3 * rate * ch * 2, f"{what}: three seconds")
                check(t.theirs(out) == expected, f"{what}: sox reads the samples")
                sox_info = run(t.sox, "--i", "-c", out).decode().strip(), \
                    run(t.sox, "--i", "-r", out).decode().strip()
                check(sox_info == (str(ch), str(rate)), f"{what}: sox sees {sox_info}")
                check(python_wave_frames(out) == (ch, rate, 2, expected),
                      f"{what}: Python reads the samples")

    if failures:
        print(f"{len(failures)} check(s) failed")
        return 1
    print("all WAV interoperability checks passed")
    return 0


if __name__ == "__main__":
    sys.exit(main())
