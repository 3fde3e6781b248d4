#!/usr/bin/env python3
"""End-to-end sound test without a sound card: the real playback path (play_block) in mono and
stereo, each in a session of its own whose default ALSA device is the file plug-in in front of a
private PulseAudio null sink (desktop_session.py); play_block checks the capture sample for
sample. Also checks that a sound server nobody can reach is reported as an open failure.

usage: sound_capture_test.py PLAY_BLOCK [--seconds N] [--only mono|stereo|no-device]
                             [--change-every S]
"""

import argparse
import os
import signal
import subprocess
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from desktop_session import DesktopSession, SessionError  # noqa: E402

CASES = {"mono": (1, 44100), "stereo": (2, 48000), "no-device": (1, 44100)}


def run_case(name, options):
    channels, rate = CASES[name]
    args = [options.play_block, "--channels", str(channels), "--rate", str(rate)]
    with DesktopSession(display=False) as session:
        env = dict(session.env)
        if name == "no-device":
            # The default device cannot be opened, and the failure must be reported with
            # PortAudio's text. (A configuration naming no device at all makes PortAudio abort.)
            env["PULSE_SERVER"] = "unix:" + session.path("nobody.sock")
            args += ["--expect-open-failure"]
        else:
            args += ["--seconds", str(options.seconds), "--capture", session.capture]
            if options.change_every:
                args += ["--change-every", str(options.change_every)]
        code = subprocess.run(args, env=env).returncode
    print("%s %s" % ("PASS" if code == 0 else "FAIL", name), flush=True)
    return code == 0


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("play_block")
    parser.add_argument("--seconds", type=float, default=3)
    parser.add_argument("--only", choices=list(CASES))
    parser.add_argument("--change-every", type=float, default=0)
    options = parser.parse_args()
    options.play_block = os.path.abspath(options.play_block)
    # A signal ends the run through the sessions' clean-up, so no sound server is left behind.
    signal.signal(signal.SIGTERM, lambda *_: sys.exit(130))
    try:
        results = [run_case(name, options) for name in ([options.only] if options.only else CASES)]
    except SessionError as failure:
        print("FAIL: " + str(failure), file=sys.stderr)
        sys.exit(1)
    sys.exit(0 if all(results) else 1)


if __name__ == "__main__":
    main()
