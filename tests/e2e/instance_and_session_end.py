#!/usr/bin/env python3
"""The real program as processes, under Qt's offscreen platform (no display needed).

- Without any display it says so and exits 1 instead of letting Qt abort.
- Two starts at once: exactly one keeps running; the other shows "すでに起動しています。" and
  exits 0. Nobody can press a button under the offscreen platform, so the runs set
  SONOQUILL_TEST_AUTOCLOSE_BOXES=0: each box is still shown, answers itself with its default
  button and is written to stderr with its answer, which is what this test reads.
- SIGTERM (how a session manager ends programs) closes the running one through its close
  handler: exit code 0, not death by the signal, and the instance lock is free again.

Each run gets its own XDG_RUNTIME_DIR, so parallel test runs never refuse each other.

usage: instance_and_session_end.py PATH/TO/sonoquill
"""
import os
import signal
import subprocess
import sys
import tempfile
import time

REFUSAL = "すでに起動しています。"


def fail(message):
    print("FAIL: " + message, file=sys.stderr)
    sys.exit(1)


def start(program, env):
    return subprocess.Popen([program], env=env, stdout=subprocess.PIPE, stderr=subprocess.PIPE)


def wait_any_exit(processes, timeout):
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        done = [p for p in processes if p.poll() is not None]
        if done:
            return done
        time.sleep(0.05)
    return []


def output(process):
    out, err = process.communicate(timeout=10)
    return out.decode("utf-8", "replace") + err.decode("utf-8", "replace")


def holds_open(pid, path):
    fd_dir = "/proc/%d/fd" % pid
    try:
        for fd in os.listdir(fd_dir):
            try:
                if os.readlink(os.path.join(fd_dir, fd)) == path:
                    return True
            except OSError:
                pass
    except OSError:
        pass
    return False


def wait_until_locked(runtime_dir, process, timeout=15):
    """The program keeps its lock file open exactly while it holds the lock (a refused start
    closes it and ends). Looking at its descriptors leaves the lock alone; probing it with
    flock(1) could make a start that is just coming up refuse."""
    lock = os.path.realpath(os.path.join(runtime_dir, "Sonoquill.lock"))
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        if process.poll() is not None:
            fail("the program ended on its own:\n" + output(process))
        if holds_open(process.pid, lock):
            time.sleep(0.2)
            if process.poll() is None and holds_open(process.pid, lock):
                return
        time.sleep(0.05)
    fail("the program never took its instance lock")


def end_with_sigterm(process, what):
    process.send_signal(signal.SIGTERM)
    try:
        code = process.wait(timeout=15)
    except subprocess.TimeoutExpired:
        process.kill()
        fail(what + ": SIGTERM did not end the program")
    text = output(process)
    if code != 0:
        fail("%s: SIGTERM ended the program with %d, expected 0 through its close handler:\n%s"
             % (what, code, text))


def main():
    program = sys.argv[1]
    base = {k: v for k, v in os.environ.items()
            if k not in ("DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM")}

    # No display at all.
    bare = subprocess.run([program], env=base, capture_output=True, timeout=30)
    if bare.returncode != 1 or b"no display" not in bare.stderr:
        fail("without a display: exit %d, stderr %r" % (bare.returncode, bare.stderr))

    with tempfile.TemporaryDirectory(prefix="sonoquill-e2e-") as runtime:
        os.chmod(runtime, 0o700)
        env = dict(base, QT_QPA_PLATFORM="offscreen", XDG_RUNTIME_DIR=runtime,
                   SONOQUILL_TEST_AUTOCLOSE_BOXES="0")

        # Two starts at once.
        both = [start(program, env), start(program, env)]
        done = wait_any_exit(both, timeout=30)
        if len(done) != 1:
            for p in both:
                p.kill()
            fail("expected exactly one of two starts to end, %d did" % len(done))
        refused = done[0]
        running = both[1] if refused is both[0] else both[0]
        text = output(refused)
        if refused.returncode != 0:
            fail("the refused start exited %d:\n%s" % (refused.returncode, text))
        if REFUSAL not in text or "[Sonoquill]" not in text:
            fail("the refused start did not show its box:\n" + text)
        time.sleep(1.0)
        if running.poll() is not None:
            fail("the other start did not keep running:\n" + output(running))
        wait_until_locked(runtime, running)
        end_with_sigterm(running, "the running program")

        # The lock is free again: the next start runs, and SIGTERM right after its start-up
        # still goes through the close handler.
        again = start(program, env)
        wait_until_locked(runtime, again)
        if again.poll() is not None:
            fail("a start after the first ended was refused:\n" + output(again))
        end_with_sigterm(again, "a later start")

    print("ok: no display refused; one of two starts runs, the other refuses with exit 0; "
          "SIGTERM closes with exit 0")


if __name__ == "__main__":
    main()
