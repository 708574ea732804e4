#!/usr/bin/env python3
"""Times the utility as a user meets it, beside the shell pipeline
`xclip -o -selection clipboard | espeak-ng`, on the X display and sound
server of the environment (DISPLAY, XDG_RUNTIME_DIR; a null sink "null").

    measure.py PROGRAM WINDOW_PROBE RUNS

The sound is heard on the null sink's monitor. parec delivers it every few
ms; a frame's time comes from the earliest arrival of any recent chunk less
the frames that followed it, so the reader's own delays do not count. Clicks go through
one xdotool reading commands from a pipe; a click's time is when xdotool
answers the question that follows it (the X server has had the click by
then); the pipeline's start is just before it is spawned.
Prints one table on standard output.
"""
import array
import collections
import math
import os
import random
import signal
import statistics
import subprocess
import sys
import tempfile
import threading
import time

RATE = 44100
CHANNELS = 2
LOUD = 500              # of 32767: louder than this is heard
QUIET = 0.2             # s of nothing loud that counts as silence
TITLE = "Tarvenholt Lirra Veriz 5.0"
READ, STOP, QUIT = (40, 12), (120, 12), (120, 36)
PROBE_SPOT = (150, 45)  # a spot of the palette for the window probe
PIPELINE = "xclip -o -selection clipboard | espeak-ng"

SHORT = "The quick brown fox jumps over the lazy dog."
# No punctuation, so that speech has no pause that could pass for silence.
LONG = " ".join(["this text goes on and on without any pause so that there is plenty of speech to cut off"] * 20)
BIG_BYTES = 10 * 1024 * 1024


class Monitor:
    """Records the null sink's monitor and tells when a frame was played."""

    def __init__(self):
        self.process = subprocess.Popen(
            ["parec", "-d", "null.monitor", "--latency-msec=5", "--raw", "--format=s16le",
             f"--rate={RATE}", f"--channels={CHANNELS}"], stdout=subprocess.PIPE)
        self.chunks = []        # (first frame, samples)
        self.frames = 0
        self.offset = math.inf  # monotonic time of frame 0
        self.recent = collections.deque(maxlen=400)  # the last 2 s of estimates: the two clocks drift apart
        self.lock = threading.Lock()
        self.thread = threading.Thread(target=self._read, daemon=True)
        self.thread.start()
        self._wait(lambda: self.frames > RATE // 10, 5)

    def _read(self):
        pending = b""
        fd = self.process.stdout.fileno()
        frame_bytes = 2 * CHANNELS
        while True:
            data = os.read(fd, 1 << 16)
            arrival = time.monotonic()
            if not data:
                return
            pending += data
            usable = len(pending) // frame_bytes * frame_bytes
            samples = array.array("h")
            samples.frombytes(pending[:usable])
            pending = pending[usable:]
            with self.lock:
                self.chunks.append((self.frames, samples))
                self.frames += len(samples) // CHANNELS
                self.recent.append(arrival - self.frames / RATE)
                self.offset = min(self.recent)

    def close(self):
        self.process.terminate()
        self.process.wait()

    def time_of(self, frame):
        return self.offset + frame / RATE

    def frame_at(self, moment):
        return max(0, int((moment - self.offset) * RATE))

    def _wait(self, done, timeout):
        end = time.monotonic() + timeout
        while not done() and time.monotonic() < end:
            time.sleep(0.01)
        return done()

    def _loud_chunks(self, start_frame):
        """Yields (first frame, last frame + 1, loud frame offsets) of each chunk from start_frame on."""
        with self.lock:
            chunks = list(self.chunks)
        for first, samples in chunks:
            end = first + len(samples) // CHANNELS
            if end <= start_frame:
                continue
            if max(samples) <= LOUD and min(samples) >= -LOUD:
                yield first, end, []
                continue
            loud = [i // CHANNELS for i, s in enumerate(samples) if abs(s) > LOUD and first + i // CHANNELS >= start_frame]
            yield first, end, loud

    def first_loud(self, since, timeout=5.0):
        """Seconds from since to the first loud frame after it; None if none came."""
        start = self.frame_at(since)
        deadline = time.monotonic() + timeout
        while True:
            for first, _end, loud in self._loud_chunks(start):
                if loud:
                    return self.time_of(first + loud[0]) - since
            if time.monotonic() > deadline:
                return None
            time.sleep(0.02)

    def silence(self, since, timeout=5.0):
        """Seconds from since to the last loud frame before QUIET seconds of nothing loud (0 when already quiet)."""
        start = self.frame_at(since)
        quiet = int(QUIET * RATE)
        deadline = time.monotonic() + timeout
        while True:
            last = start
            for first, end, loud in self._loud_chunks(start):
                if loud:
                    if first + loud[0] - last >= quiet:
                        return self.time_of(last) - since
                    last = first + loud[-1] + 1
                elif end - last >= quiet:
                    return max(0.0, self.time_of(last) - since)
            if time.monotonic() > deadline:
                return None
            time.sleep(0.05)

    def wait_quiet(self, timeout=10.0):
        self.silence(time.monotonic(), timeout)
        time.sleep(QUIET)


class Pointer:
    """One xdotool that takes its commands as they come, so that no click waits for a process to start.
    Each command is followed by a question to the X server; its answer means the server has had the command."""

    def __init__(self):
        self.process = subprocess.Popen(["xdotool", "-"], stdin=subprocess.PIPE, stdout=subprocess.PIPE, text=True,
                                        bufsize=1)

    def _do(self, command):
        self.process.stdin.write(command + "\ngetmouselocation\n")
        self.process.stdin.flush()
        self.process.stdout.readline()
        return time.monotonic()

    def move(self, window, spot):
        self._do(f"mousemove --window {window} {spot[0]} {spot[1]}")
        time.sleep(0.05)

    def click(self):
        """Clicks where the pointer is; returns when the X server has the click."""
        return self._do("click --delay 0 1")

    def close(self):
        self.process.stdin.close()
        self.process.wait()


POINTER = None


def point_at(window, spot):
    POINTER.move(window, spot)


def click():
    return POINTER.click()


def copy(text=None, path=None):
    if path:
        subprocess.run(["xclip", "-selection", "clipboard", "-i", path], check=True, stderr=subprocess.DEVNULL)
    else:
        subprocess.run(["xclip", "-selection", "clipboard", "-i"], input=text.encode(), check=True,
                       stderr=subprocess.DEVNULL)
    time.sleep(0.1)


def sink_state():
    for line in subprocess.run(["pactl", "list", "sinks", "short"], capture_output=True, text=True).stdout.splitlines():
        fields = line.split()
        if len(fields) > 1 and fields[1] == "null":
            return fields[-1]
    return "?"


class Program:
    def __init__(self, path, stderr):
        self.process = subprocess.Popen([path], stderr=stderr, stdout=subprocess.DEVNULL)
        self.window = None
        for _ in range(100):
            found = subprocess.run(["xdotool", "search", "--name", f"^{TITLE}$"], capture_output=True, text=True)
            if found.stdout.split():
                self.window = found.stdout.split()[0]
                break
            time.sleep(0.05)
        if not self.window:
            sys.exit("measure: the palette did not appear")
        time.sleep(1.0)  # a user sees the window, then clicks

    def press(self, spot):
        point_at(self.window, spot)
        return click()

    def quit(self):
        self.press(QUIT)
        try:
            self.process.wait(5)
        except subprocess.TimeoutExpired:
            self.process.kill()
            self.process.wait()


def pipeline():
    started = time.monotonic()
    return started, subprocess.Popen(["sh", "-c", PIPELINE], start_new_session=True,
                                     stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)


def end(process):
    try:
        os.killpg(process.pid, signal.SIGTERM)
    except ProcessLookupError:
        pass
    process.wait()


def ms(seconds):
    return None if seconds is None else seconds * 1000


def main():
    global POINTER
    program_path, probe_path, runs = sys.argv[1], sys.argv[2], int(sys.argv[3])
    POINTER = Pointer()
    big_runs = max(2, runs // 3)
    first_runs = max(2, runs // 3)
    work = tempfile.mkdtemp()
    big = os.path.join(work, "big.txt")
    with open(big, "w") as out:
        line = SHORT + " " + LONG + "\n"
        out.write((line * (BIG_BYTES // len(line) + 1))[:BIG_BYTES])
    stderr = open(os.path.join(work, "program.stderr"), "w")
    silent = subprocess.Popen(["pacat", "-d", "null", "--raw", "--format=s16le", f"--rate={RATE}",
                               f"--channels={CHANNELS}", "/dev/zero"])
    monitor = Monitor()
    figures = {}

    def note(key, value):
        figures.setdefault(key, []).append(value)

    # The pipeline, with no program running.
    copy(SHORT)
    for run in range(runs + 1):
        monitor.wait_quiet()
        started, process = pipeline()
        note(("first" if run == 0 else "warm", "pipeline"), ms(monitor.first_loud(started)))
        process.wait()
    copy(LONG)
    for _ in range(runs):
        monitor.wait_quiet()
        started, process = pipeline()
        monitor.first_loud(started)
        time.sleep(random.uniform(1.0, 1.5))
        end(process)
        note(("stop", "pipeline"), ms(monitor.silence(time.monotonic())))
    copy(path=big)
    for _ in range(big_runs):
        monitor.wait_quiet()
        started, process = pipeline()
        note(("big", "pipeline"), ms(monitor.first_loud(started, 20)))
        end(process)

    # The program: the first Read after each start, then warm Reads.
    copy(SHORT)
    for _ in range(first_runs):
        monitor.wait_quiet()
        program = Program(program_path, stderr)
        note(("first", "program"), ms(monitor.first_loud(program.press(READ))))
        program.press(STOP)
        program.quit()
    program = Program(program_path, stderr)
    for _ in range(runs):
        monitor.wait_quiet()
        note(("warm", "program"), ms(monitor.first_loud(program.press(READ))))
        program.press(STOP)
    copy(LONG)
    for _ in range(runs):
        monitor.wait_quiet()
        monitor.first_loud(program.press(READ))
        point_at(program.window, STOP)
        time.sleep(random.uniform(1.0, 1.5))
        note(("stop", "program"), ms(monitor.silence(click())))
    copy(path=big)
    for _ in range(big_runs):
        monitor.wait_quiet()
        note(("big", "program"), ms(monitor.first_loud(program.press(READ), 20)))
        program.press(STOP)
    # Apart from the timed Reads: the probe keeps the X server busy too.
    for _ in range(big_runs):
        monitor.wait_quiet()
        point_at(program.window, READ)
        probe = subprocess.Popen([probe_path, program.window, *map(str, PROBE_SPOT), "2.5"],
                                 stdout=subprocess.PIPE, text=True)
        time.sleep(0.3)
        click()
        blocked = probe.communicate()[0].split()
        note(("blocked", "program"), float(blocked[0]) if blocked else None)
        program.press(STOP)
    program.quit()

    # Idle: with nothing recording or playing, what the sink does 5 s on.
    monitor.wait_quiet()
    monitor.close()
    silent.terminate()
    silent.wait()
    copy(SHORT)
    program = Program(program_path, stderr)
    time.sleep(4.0)
    figures[("idle start", "program")] = sink_state()
    program.press(READ)
    time.sleep(3.0 + 5.0)
    figures[("idle after", "program")] = sink_state()
    program.quit()
    time.sleep(1.0)
    _, process = pipeline()
    process.wait()
    time.sleep(5.0)
    figures[("idle after", "pipeline")] = sink_state()
    figures[("idle start", "pipeline")] = "-"

    stderr.close()
    said = open(os.path.join(work, "program.stderr")).read().strip()
    report(figures, runs, big_runs, first_runs)
    if said:
        print("\nstderr of the program:\n" + said)


def summary(values):
    values = [v for v in values if v is not None]
    if not values:
        return "-", None
    median = statistics.median(values)
    return f"{median:7.1f} ({min(values):.1f}-{max(values):.1f})", median


def report(figures, runs, big_runs, first_runs):
    rows = [
        ("warm", f"Read to first sound, warm ({runs} runs)"),
        ("first", f"first Read after start ({first_runs} starts; pipeline: its first run)"),
        ("stop", f"Stop to silence ({runs} runs; pipeline: kill)"),
        ("big", f"10 MB clipboard, Read to first sound ({big_runs} runs)"),
        ("blocked", "10 MB clipboard, window unpainted at most"),
    ]
    print(f"{'ms: median (min-max)':58} | {'program':22} | {'pipeline':22} | ratio")
    print("-" * 58 + "-|-" + "-" * 22 + "-|-" + "-" * 22 + "-|------")
    for key, label in rows:
        program, p = summary(figures.get((key, "program"), []))
        pipe, q = summary(figures.get((key, "pipeline"), []))
        ratio = "-" if p is None or q is None else f"{p / q:.2f}" if q > 0 else "pipeline 0"
        print(f"{label:58} | {program:22} | {pipe:22} | {ratio}")
    for key, label in [("idle start", "sink 4 s after start, nothing spoken"), ("idle after", "sink 5 s after speech")]:
        print(f"{label:58} | {figures[(key, 'program')]:22} | {figures[(key, 'pipeline')]:22} |")


if __name__ == "__main__":
    main()
