#!/usr/bin/env python3
"""On demand, not in CI: start-up time and resident memory of the real program under Xvfb.

Start-up: whole-process starts, each timed from just before the process is started to the end
of its first painted frame (the program reports that moment with SONOQUILL_STARTUP_PROBE set;
both sides read the system's monotonic clock). Median and spread of the runs.

Memory: resident memory once the window is up, then after Open of a WAV file of the given size
through the file dialog and a Save of it (the peak, VmHWM), against 60 MB plus the file's size.

usage: startup_memory_bench.py PATH/TO/sonoquill [--runs N] [--file-mb MB]

Targets: start-up at most 300 ms (median); resident memory at most 60 MB plus the file.
"""

import argparse
import os
import statistics
import subprocess
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "e2e"))
from desktop_session import DesktopSession, wait_for  # noqa: E402
from user_flows import MENU_OPEN, MENU_SAVE, User  # noqa: E402

MiB = 1024 * 1024


def first_frame_ms(session, program):
    env = dict(session.env, SONOQUILL_STARTUP_PROBE="1")
    started = time.monotonic_ns()
    process = subprocess.Popen([program], env=env, stdout=subprocess.DEVNULL,
                               stderr=subprocess.PIPE, text=True)
    try:
        for line in process.stderr:
            if line.startswith("sonoquill: first frame at "):
                at = int(line.split()[4].rstrip(","))
                resident = int(line.split()[6])
                return (at - started) / 1e6, resident
        raise SystemExit("the program ended without a first frame (exit %s)" % process.wait())
    finally:
        process.terminate()
        process.wait(timeout=15)


def status_kib(pid, field):
    with open("/proc/%d/status" % pid) as status:
        for line in status:
            if line.startswith(field + ":"):
                return int(line.split()[1])
    return 0


def memory_with_file(session, program, megabytes):
    wav = session.path("large.wav")
    seconds = max(1, megabytes * MiB // (48000 * 4))
    subprocess.run(["sox", "-n", "-r", "48000", "-c", "2", "-b", "16", wav, "synth",
                    str(seconds), "sine", "440", "sine", "660", "vol", "0.5"], check=True)
    size = os.path.getsize(wav)
    user = User(session, program)
    pid = user.program.pid
    time.sleep(1.0)
    idle = status_kib(pid, "VmRSS")
    user.file_dialog(user.menu(MENU_OPEN), wav)

    # Loaded once resident memory has taken the file in and stays put.
    def settled():
        now = status_kib(pid, "VmRSS")
        time.sleep(0.5)
        return now > idle + size // 1024 // 2 and status_kib(pid, "VmRSS") == now
    wait_for("the file to be loaded", settled, 60)
    opened = status_kib(pid, "VmRSS")
    saved = session.path("saved.wav")
    user.file_dialog(user.menu(MENU_SAVE), saved)
    wait_for("the saved file", lambda: os.path.exists(saved), 60)
    peak = status_kib(pid, "VmHWM")
    user.end_with_sigterm()
    return size, idle, opened, peak


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("program")
    parser.add_argument("--runs", type=int, default=21)
    parser.add_argument("--file-mb", type=int, default=110)
    options = parser.parse_args()
    program = os.path.abspath(options.program)

    with DesktopSession() as session:
        first_frame_ms(session, program)  # warms the caches, not counted
        runs = [first_frame_ms(session, program) for _ in range(options.runs)]
        times = sorted(ms for ms, _ in runs)
        median = statistics.median(times)
        print("start-up to the first frame, %d runs: median %.1f ms (min %.1f, max %.1f); "
              "target 300 ms: %s" % (len(times), median, times[0], times[-1],
                                     "met" if median <= 300 else "MISSED"))
        print("resident at the first frame: median %.1f MiB"
              % (statistics.median(kib for _, kib in runs) / 1024))

        size, idle, opened, peak = memory_with_file(session, program, options.file_mb)
        budget = 60 * MiB + size
        print("resident: %.1f MiB with the window up; %.1f MiB with a %.1f MiB file open "
              "(target 60 MiB + the file = %.1f MiB: %s); peak through Open and Save %.1f MiB"
              % (idle / 1024, opened / 1024, size / MiB, budget / MiB,
                 "met" if opened * 1024 <= budget else "MISSED", peak / 1024))


if __name__ == "__main__":
    main()
