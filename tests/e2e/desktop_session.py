"""A private desktop for driving the real program: an X server of its own (Xvfb), a PulseAudio
null sink on a private socket, and an ALSA configuration whose default device is the file
plug-in in front of that sink, so that every sample the program plays lands in a capture file.

Everything lives in one temporary directory with its own HOME and XDG_RUNTIME_DIR; leaving the
`with` block stops every process it started and removes the directory.
"""

import os
import re
import shutil
import subprocess
import tempfile
import time


class SessionError(Exception):
    pass


def wait_for(what, condition, timeout, interval=0.05):
    deadline = time.monotonic() + timeout
    while True:
        result = condition()
        if result:
            return result
        if time.monotonic() > deadline:
            raise SessionError("timed out after %g s waiting for %s" % (timeout, what))
        time.sleep(interval)


class DesktopSession:
    def __init__(self, display=True, sound=True, screen="1024x768x24"):
        self.want_display = display
        self.want_sound = sound
        self.screen = screen
        self.processes = []
        self.dir = None
        self.env = None
        self.capture = None

    def __enter__(self):
        self.dir = tempfile.mkdtemp(prefix="sonoquill-session-")
        try:
            self._start()
        except BaseException:
            self.__exit__(None, None, None)
            raise
        return self

    def __exit__(self, *exc):
        for process in reversed(self.processes):
            if process.poll() is None:
                process.terminate()
        for process in reversed(self.processes):
            try:
                process.wait(timeout=10)
            except subprocess.TimeoutExpired:
                process.kill()
                process.wait()
        self.processes = []
        shutil.rmtree(self.dir, ignore_errors=True)
        return False

    def path(self, name):
        return os.path.join(self.dir, name)

    def spawn(self, args, log=None, **kwargs):
        """Starts a process in this session; it is stopped when the session ends."""
        out = open(self.path(log), "wb") if log else subprocess.DEVNULL
        process = subprocess.Popen(args, env=self.env, stdout=out, stderr=subprocess.STDOUT
                                   if log else subprocess.DEVNULL, **kwargs)
        if log:
            out.close()
        self.processes.append(process)
        return process

    def _start(self):
        home, runtime = self.path("home"), self.path("run")
        os.makedirs(home)
        os.makedirs(runtime, mode=0o700)
        keep = ("PATH", "LANG", "LC_ALL", "TMPDIR", "ASAN_OPTIONS", "UBSAN_OPTIONS")
        self.env = {k: v for k, v in os.environ.items() if k in keep}
        self.env.update(HOME=home, XDG_RUNTIME_DIR=runtime,
                        XDG_CONFIG_HOME=os.path.join(home, ".config"))
        if self.want_display:
            self._start_display()
        if self.want_sound:
            self._start_sound()

    def _start_display(self):
        # Xvfb picks a free display number itself and writes it to the pipe.
        read_end, write_end = os.pipe()
        server = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write_end), "-screen", "0", self.screen, "-nolisten",
             "tcp", "-noreset"], pass_fds=(write_end,), stdout=subprocess.DEVNULL,
            stderr=open(self.path("xvfb.log"), "wb"))
        self.processes.append(server)
        os.close(write_end)
        with os.fdopen(read_end) as pipe:
            number = pipe.readline().strip()
        if not number:
            raise SessionError("Xvfb did not start: " + open(self.path("xvfb.log")).read())
        self.env["DISPLAY"] = ":" + number

    def _start_sound(self):
        socket = self.path("pulse.sock")
        self.env["PULSE_SERVER"] = "unix:" + socket
        self.spawn(["pulseaudio", "-n", "--daemonize=no", "--exit-idle-time=-1",
                    "--use-pid-file=no", "--log-target=stderr",
                    "--load=module-null-sink sink_name=nullout rate=44100 channels=2",
                    "--load=module-native-protocol-unix socket=%s auth-anonymous=1" % socket],
                   log="pulse.log")
        try:
            wait_for("the sound server", lambda: subprocess.run(
                ["pactl", "info"], env=self.env, capture_output=True).returncode == 0, 60, 0.1)
            # A steady low-latency client keeps the null sink's latency short; without it
            # playback may start up to two seconds late.
            self.spawn(["pacat", "-p", "--latency-msec=20", "/dev/zero"])
            wait_for("the null sink's latency to fall under 100 ms", self._sink_latency_short,
                     60, 0.1)
        except SessionError as failure:
            with open(self.path("pulse.log"), errors="replace") as log:
                raise SessionError("%s; the sound server said:\n%s"
                                   % (failure, "".join(log.readlines()[-20:])))
        # With ALSA_CONFIG_PATH set ALSA reads no system file, so nothing installed can reroute
        # the default device.
        self.capture = self.path("capture.raw")
        with open(self.path("asound.conf"), "w") as conf:
            conf.write('pcm.!default {\n  type file\n  slave.pcm { type pulse }\n'
                       '  file "%s"\n  format "raw"\n}\n' % self.capture)
        self.env["ALSA_CONFIG_PATH"] = self.path("asound.conf")

    def _sink_latency_short(self):
        sinks = subprocess.run(["pactl", "list", "sinks"], env=self.env, capture_output=True,
                               text=True).stdout
        found = re.search(r"^\s*Latency: (\d+) usec", sinks, re.M)
        return found is not None and int(found.group(1)) < 100000

    def read_capture(self):
        if self.capture is None or not os.path.exists(self.capture):
            return b""
        with open(self.capture, "rb") as f:
            return f.read()
