#!/usr/bin/env python3
"""What a user does, done to the real program on a private X server with xdotool, its sound
captured by the file-backed ALSA device (see desktop_session.py).

  draw-play-save  paint a stroke, "生成", "再生" for 3 s, "停止", "保存..." through the dialog:
                  the capture is the block looped sample for sample, and the saved file holds
                  the block three times.
  open-edit-save  "開く..." a file sox made, move the track bar to second 2, "決定", repaint,
                  "生成", "保存...": the saved file differs from the opened one in second 2 only.
  second-start    a second start while the first runs shows its box and ends when it is
                  answered; the first runs on.

Each flow runs in its own session (display, sound server, runtime directory) and ends the
program with SIGTERM, which must close it with exit code 0.

usage: user_flows.py PATH/TO/sonoquill [--screenshot PNG] [FLOW...]
"""

import argparse
import os
import signal
import struct
import subprocess
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from desktop_session import DesktopSession, SessionError, wait_for  # noqa: E402

# Places inside the main window (its client area; there is no window manager, so no frame).
CANVAS = (0, 0, 510, 240)
# Ink only takes between the time axis and the 100 msec line, and between the +1 and -1 lines;
# a press outside is refused ("NGゾーン").
INK_LEFT, INK_RIGHT = 40, 460
GENERATE = (416 + 37, 264 + 12)
PLAY = (8 + 37, 416 + 12)
STOP = (112 + 37, 416 + 12)
CONFIRM = (272 + 28, 440 + 12)
TRACK_BAR_HANDLE = (264 + 6, 416 + 10)
# Popup-menu items, counted from the top without the separators.
MENU_OPEN = 2
MENU_SAVE = 3


class FlowFailure(Exception):
    pass


def expect(condition, what):
    if not condition:
        raise FlowFailure(what)


class User:
    """The program's windows as a user sees them, through xdotool."""

    def __init__(self, session, program):
        self.session = session
        self.program = session.spawn([program], log="program.log")
        self.main = self.wait_new_window(set(), "the main window")
        self.left, self.top = self.geometry(self.main)

    def xdotool(self, *args):
        result = subprocess.run(["xdotool", *map(str, args)], env=self.session.env,
                                capture_output=True, text=True)
        return result.stdout

    def visible_windows(self, process=None):
        """The titled windows showing for `process` (the program by default)."""
        self.check_running()
        process = process or self.program
        return set(self.xdotool("search", "--all", "--onlyvisible", "--pid", process.pid,
                                "--name", ".").split())

    def wait_new_window(self, known, what, timeout=20):
        """A window of the program that shows up beside `known`, once it has a size."""
        def appeared():
            fresh = self.visible_windows() - known
            return sorted(fresh)[0] if fresh else None
        window = wait_for(what, appeared, timeout)
        time.sleep(0.3)  # let it paint its first frame
        return window

    def geometry(self, window):
        fields = dict(line.split("=") for line in
                      self.xdotool("getwindowgeometry", "--shell", window).split())
        return int(fields["X"]), int(fields["Y"])

    def check_running(self):
        if self.program.poll() is not None:
            raise FlowFailure("the program ended by itself (exit %s):\n%s"
                              % (self.program.returncode, self.log()))

    def log(self):
        with open(self.session.path("program.log"), errors="replace") as f:
            return f.read()

    def move(self, x, y):
        self.xdotool("mousemove", "--sync", self.left + x, self.top + y)

    def to_front(self):
        # After a stereo Open the right-channel window shows too, maybe over the main window.
        # Without a window manager nobody raises a window for a click, so the user does.
        self.xdotool("windowraise", self.main)

    def click(self, place, button=1):
        self.to_front()
        self.move(*place)
        self.xdotool("click", button)
        time.sleep(0.15)

    def stroke(self, points):
        """Paints with the left button through `points` (window coordinates)."""
        self.to_front()
        self.move(*points[0])
        self.xdotool("mousedown", 1)
        for (x0, y0), (x1, y1) in zip(points, points[1:]):
            for i in range(1, 11):
                self.move(x0 + (x1 - x0) * i // 10, y0 + (y1 - y0) * i // 10)
        self.xdotool("mouseup", 1)
        time.sleep(0.15)

    def keys(self, *names):
        self.xdotool("key", "--delay", 60, *names)

    def menu(self, item):
        """Opens the canvas's popup menu and picks the item-th entry with the keyboard. Returns
        the windows that were showing before, so that a window the item opens can be told."""
        before = self.visible_windows()
        self.click((CANVAS[2] // 2, CANVAS[3] // 2), button=3)
        time.sleep(0.3)
        self.keys(*(["Down"] * item), "Return")
        return before

    def file_dialog(self, before, path):
        """Answers with `path` the file dialog that opened beside the windows `before`."""
        dialog = self.wait_new_window(before, "the file dialog")
        self.xdotool("windowfocus", "--sync", dialog)
        self.keys("ctrl+a")
        self.xdotool("type", "--delay", 20, path)
        # The name field may be showing its completion list, which takes the first Return.
        for _ in range(3):
            time.sleep(0.5)
            if dialog not in self.visible_windows():
                return
            self.xdotool("windowfocus", "--sync", dialog)
            self.keys("Return")
        wait_for("the file dialog to close", lambda: dialog not in self.visible_windows(), 10)

    def keep_evidence(self, folder, name):
        """The whole screen and the program's output, for a flow that failed."""
        os.makedirs(folder, exist_ok=True)
        subprocess.run(["import", "-window", "root", os.path.join(folder, name + ".png")],
                       env=self.session.env)
        with open(os.path.join(folder, name + ".log"), "w") as f:
            f.write(self.log())

    def screenshot(self, path):
        subprocess.run(["import", "-window", self.main, path], env=self.session.env, check=True)

    def end_with_sigterm(self):
        self.program.send_signal(signal.SIGTERM)
        try:
            code = self.program.wait(timeout=15)
        except subprocess.TimeoutExpired:
            raise FlowFailure("SIGTERM did not end the program")
        expect(code == 0, "SIGTERM ended the program with %d:\n%s" % (code, self.log()))


def read_wav(path):
    """(channels, rate, bits, data bytes) of a canonical 44-byte-header WAV file."""
    with open(path, "rb") as f:
        data = f.read()
    expect(data[:4] == b"RIFF" and data[8:16] == b"WAVEfmt ", path + " is not a WAV file")
    _, channels, rate, _, _, bits = struct.unpack("<HHIIHH", data[20:36])
    expect(data[36:40] == b"data", path + " has no data chunk after its format")
    size = struct.unpack("<I", data[40:44])[0]
    return channels, rate, bits, data[44:44 + size]


def wait_for_file(path):
    # The program writes beside the target and renames at the end: once the name exists the
    # file is whole.
    wait_for("the saved file " + path, lambda: os.path.exists(path), 20)


def check_capture_loops(capture, block):
    """The capture is silence, then `block` over and over, the last time cut off by Stop."""
    start = capture.find(block)
    expect(start >= 0, "the block never shows whole in the capture (%d bytes)" % len(capture))
    expect(capture[:start].count(0) == start, "sound before the block starts")
    expect(start % 2 == 0, "the block starts inside a sample")
    looped = capture[start:]
    whole = len(looped) // len(block)
    for i in range(whole):
        expect(looped[i * len(block):(i + 1) * len(block)] == block,
               "repetition %d of the block differs from the saved block" % i)
    rest = looped[whole * len(block):]
    expect(block.startswith(rest), "the last, cut-off repetition differs from the block")
    expect(whole >= 2, "only %d whole repetitions in 3 s of playing" % whole)
    return whole, start


def draw_play_save(session, user, options):
    user.stroke([(INK_LEFT, 200), (120, 40), (260, 180), (380, 60), (INK_RIGHT, 120)])
    user.click(GENERATE)
    if options.screenshot:
        user.screenshot(options.screenshot)
    user.click(PLAY)
    time.sleep(3)
    user.click(STOP)
    time.sleep(0.5)
    saved = session.path("drawn.wav")
    user.file_dialog(user.menu(MENU_SAVE), saved)
    wait_for_file(saved)
    user.end_with_sigterm()

    channels, rate, bits, data = read_wav(saved)
    expect((channels, rate, bits) == (1, 44100, 16),
           "saved as %d channels, %d Hz, %d bits" % (channels, rate, bits))
    second_bytes = rate * 2
    expect(len(data) == 3 * second_bytes, "saved %d bytes, not three seconds" % len(data))
    block = data[:second_bytes]
    expect(data == block * 3, "the three seconds of the saved file differ")
    expect(block.count(0) < len(block), "the saved block is silent: the stroke made nothing")
    whole, start = check_capture_loops(session.read_capture(), block)
    return "saved three equal seconds; the capture loops them sample-exact (%d whole " \
           "repetitions after %.3f s of silence)" % (whole, start / second_bytes)


def open_edit_save(session, user, _options):
    opened, saved = session.path("sox.wav"), session.path("edited.wav")
    subprocess.run(["sox", "-n", "-r", "44100", "-c", "2", "-b", "16", opened,
                    "synth", "4", "sine", "440", "sine", "660", "vol", "0.5"], check=True)
    user.file_dialog(user.menu(MENU_OPEN), opened)
    time.sleep(0.5)
    # The track bar to second 2: Home, then two steps to the right.
    user.click(TRACK_BAR_HANDLE)
    user.keys("Home", "Right", "Right")
    user.click(CONFIRM)
    time.sleep(0.3)
    user.stroke([(INK_LEFT, 30), (250, 210), (INK_RIGHT, 30)])
    user.click(GENERATE)
    user.file_dialog(user.menu(MENU_SAVE), saved)
    wait_for_file(saved)
    user.end_with_sigterm()

    before, after = read_wav(opened), read_wav(saved)
    expect(before[:3] == after[:3], "saved as %s, opened as %s" % (after[:3], before[:3]))
    old, new = before[3], after[3]
    expect(len(old) == len(new), "saved %d data bytes of %d" % (len(new), len(old)))
    second_bytes = 44100 * 4
    changed = [s for s in range(len(old) // second_bytes)
               if old[s * second_bytes:(s + 1) * second_bytes]
               != new[s * second_bytes:(s + 1) * second_bytes]]
    expect(changed == [2], "seconds changed: %s, expected only second 2" % changed)
    return "of the four seconds of the sox file only second 2 changed"


def second_start(session, user, options):
    second = session.spawn([options.program], log="second.log")
    box = wait_for("the second start's box", lambda: sorted(user.visible_windows(second)), 20)[0]
    title = user.xdotool("getwindowname", box).strip()
    expect(title == "Sonoquill", "the second start shows a window titled %r" % title)
    time.sleep(0.3)
    user.xdotool("windowfocus", "--sync", box)
    user.keys("Return")
    try:
        code = second.wait(timeout=15)
    except subprocess.TimeoutExpired:
        raise FlowFailure("the second start did not end after its box was answered")
    expect(code == 0, "the refused second start exited with %d" % code)
    user.check_running()
    user.end_with_sigterm()
    return "a second start shows its box, ends with 0 once it is answered; the first runs on"


FLOWS = {"draw-play-save": draw_play_save, "open-edit-save": open_edit_save,
         "second-start": second_start}


def run_flow(name, options):
    """Runs one flow in a session of its own; on failure keeps a screenshot and the log."""
    with DesktopSession() as session:
        user = None
        try:
            user = User(session, options.program)
            print("ok %s: %s" % (name, FLOWS[name](session, user, options)), flush=True)
            return True
        except (FlowFailure, SessionError) as failure:
            print("FAIL %s: %s" % (name, failure), file=sys.stderr, flush=True)
            if user is not None and options.evidence:
                user.keep_evidence(options.evidence, name)
                print("  screen and log kept in " + options.evidence, file=sys.stderr)
            return False


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("program")
    parser.add_argument("--screenshot", help="where draw-play-save saves the window after 生成")
    parser.add_argument("--evidence", help="folder for the screen and log of a failed flow")
    parser.add_argument("flows", nargs="*", metavar="FLOW", help=", ".join(FLOWS))
    options = parser.parse_intermixed_args()
    unknown = [name for name in options.flows if name not in FLOWS]
    if unknown:
        parser.error("unknown flow: " + ", ".join(unknown))
    options.program = os.path.abspath(options.program)
    # A signal ends the run through the sessions' clean-up, so nothing is left running.
    signal.signal(signal.SIGTERM, lambda *_: sys.exit(130))
    results = [run_flow(name, options) for name in options.flows or FLOWS]
    sys.exit(0 if all(results) else 1)


if __name__ == "__main__":
    main()
