#!/usr/bin/env python3
"""Soak run: the built recorder against the board simulator for a long while.

Runs `kelvra` against `kelvra-board-sim --fault noise` on a pseudo-terminal under a virtual X
display, samples the recorder's CPU time and resident memory once a second into a CSV file, and
ends with a summary: requests seen on the line, their mean period, CPU use, memory at start and
end, and whether memory grew between the first and the last minute.

    bench/soak/soak.py --minutes 10
"""

import argparse
import csv
import os
import signal
import subprocess
import sys
import tempfile
import time
from pathlib import Path

ROOT = Path(__file__).resolve().parents[2]
SCREEN = "-screen 0 1280x1024x24"
IN_XVFB = "KELVRA_SOAK_IN_XVFB"
REQUESTS = {0x30, 0x31, 0x32, 0x33}
# Below this the difference between the first and last minute is allocator noise.
GROWTH_THRESHOLD_KIB = 1024


def parse_args():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--minutes", type=float, default=10.0, help="how long to run (default 10)")
    parser.add_argument("--build", type=Path, default=ROOT / "build",
                        help="build folder holding kelvra and kelvra-board-sim (default: build)")
    parser.add_argument("--out", type=Path, help="folder for samples.csv and summary.txt (default: a new one in /tmp)")
    parser.add_argument("--fault", action="append", default=None,
                        help="simulator fault mode, repeatable (default: noise)")
    parser.add_argument("--use-display", action="store_true",
                        help="use the current DISPLAY instead of a virtual one")
    return parser.parse_args()


def rerun_under_xvfb():
    env = dict(os.environ, **{IN_XVFB: "1"})
    command = ["xvfb-run", "-a", "-s", SCREEN, sys.executable, str(Path(__file__).resolve()), *sys.argv[1:]]
    os.execvpe(command[0], command, env)


class ByteLog:
    """Follows the simulator's log of received bytes as it grows."""

    def __init__(self, path):
        self.path = path
        self.offset = 0
        self.partial = b""
        self.requests = 0
        self.others = 0
        self.first = None
        self.last = None
        self.longest_gap = 0.0

    def update(self):
        try:
            with open(self.path, "rb") as log:
                log.seek(self.offset)
                data = log.read()
        except FileNotFoundError:
            return
        self.offset += len(data)
        lines = (self.partial + data).split(b"\n")
        self.partial = lines.pop()
        for line in lines:
            fields = line.split()
            if len(fields) < 2:
                continue
            if int(fields[1], 16) not in REQUESTS:
                self.others += 1
                continue
            seconds = float(fields[0])
            if self.last is not None:
                self.longest_gap = max(self.longest_gap, seconds - self.last)
            if self.first is None:
                self.first = seconds
            self.last = seconds
            self.requests += 1

    def mean_period_ms(self):
        if self.requests < 2:
            return float("nan")
        return 1000.0 * (self.last - self.first) / (self.requests - 1)


def cpu_seconds(pid):
    with open(f"/proc/{pid}/stat") as stat:
        fields = stat.read().rsplit(")", 1)[1].split()
    return (int(fields[11]) + int(fields[12])) / os.sysconf("SC_CLK_TCK")


def rss_kib(pid):
    with open(f"/proc/{pid}/status") as status:
        for line in status:
            if line.startswith("VmRSS:"):
                return int(line.split()[1])
    return 0


def wait_for(predicate, seconds):
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        if predicate():
            return True
        time.sleep(0.05)
    return predicate()


def stop(process):
    if process.poll() is None:
        process.send_signal(signal.SIGTERM)
        try:
            process.wait(10)
        except subprocess.TimeoutExpired:
            process.kill()
            process.wait()


def mean(values):
    return sum(values) / len(values) if values else float("nan")


def soak(args, out):
    work = Path(tempfile.mkdtemp(prefix="kelvra-soak-"))
    link = work / "board"
    log = ByteLog(work / "received.log")
    faults = [arg for mode in (args.fault or ["noise"]) for arg in ("--fault", mode)]
    sim = subprocess.Popen([str(args.build / "kelvra-board-sim"), "--link", str(link), "--log", str(log.path),
                            "--quiet", *faults])
    recorder = None
    try:
        if not wait_for(link.is_symlink, 10):
            sys.exit("soak: the simulator made no link")
        env = dict(os.environ, QT_QPA_PLATFORM="xcb")
        with open(out / "recorder.log", "wb") as recorder_log:
            recorder = subprocess.Popen([str(args.build / "kelvra"), "--port", str(link),
                                         "--archive", str(work / "archive")], env=env,
                                        stdout=recorder_log, stderr=subprocess.STDOUT)
        samples, exit_status = sample(recorder, log, args.minutes * 60.0, out)
        return samples, exit_status, log
    finally:
        if recorder:
            stop(recorder)
        stop(sim)


def sample(recorder, log, duration, out):
    samples = []
    start = time.monotonic()
    cpu_start = cpu_seconds(recorder.pid)
    with open(out / "samples.csv", "w", newline="") as csv_file:
        writer = csv.writer(csv_file)
        writer.writerow(["elapsed_s", "cpu_s", "cpu_percent", "rss_kib", "requests"])
        previous_cpu, previous_time = cpu_start, start
        next_sample = start + 1.0
        while time.monotonic() - start < duration:
            time.sleep(max(0.0, next_sample - time.monotonic()))
            next_sample += 1.0
            if recorder.poll() is not None:
                break
            now = time.monotonic()
            cpu = cpu_seconds(recorder.pid)
            log.update()
            row = (now - start, cpu - cpu_start, 100.0 * (cpu - previous_cpu) / (now - previous_time),
                   rss_kib(recorder.pid), log.requests)
            writer.writerow([f"{row[0]:.1f}", f"{row[1]:.2f}", f"{row[2]:.1f}", row[3], row[4]])
            csv_file.flush()
            samples.append(row)
            previous_cpu, previous_time = cpu, now
    log.update()
    return samples, recorder.poll()


def summarise(samples, exit_status, log, args):
    if not samples:
        return "soak: no samples (the recorder ended at once?)\n"
    elapsed = samples[-1][0]
    first_minute = [s[3] for s in samples if s[0] <= 60.0]
    last_minute = [s[3] for s in samples if s[0] > elapsed - 60.0]
    growth = mean(last_minute) - mean(first_minute)
    verdict = "grew" if growth > GROWTH_THRESHOLD_KIB else "did not grow"
    lines = [
        f"soak: {args.minutes:g} min asked, {elapsed:.0f} s sampled, simulator fault: {', '.join(args.fault or ['noise'])}",
        f"recorder: {'still running at the end' if exit_status is None else f'ENDED EARLY, status {exit_status}'}",
        f"requests seen on the line: {log.requests} (other bytes: {log.others})",
        f"mean request period: {log.mean_period_ms():.2f} ms (nominal 20), longest gap {1000 * log.longest_gap:.1f} ms",
        f"CPU: {100.0 * samples[-1][1] / elapsed:.2f} % of one core on average, "
        f"highest one-second sample {max(s[2] for s in samples):.1f} %",
        f"RSS: {samples[0][3]} KiB at start, {samples[-1][3]} KiB at the end, "
        f"highest {max(s[3] for s in samples)} KiB",
        f"memory {verdict}: mean RSS {mean(first_minute):.0f} KiB in the first minute, "
        f"{mean(last_minute):.0f} KiB in the last ({growth:+.0f} KiB)",
    ]
    return "\n".join(lines) + "\n"


def main():
    args = parse_args()
    if not args.use_display and os.environ.get(IN_XVFB) != "1":
        rerun_under_xvfb()
    for program in ("kelvra", "kelvra-board-sim"):
        if not (args.build / program).is_file():
            sys.exit(f"soak: {args.build / program} not found; build first (scripts/build.sh)")
    out = args.out or Path(tempfile.mkdtemp(prefix="kelvra-soak-results-"))
    out.mkdir(parents=True, exist_ok=True)
    print(f"soak: {args.minutes:g} min, samples in {out / 'samples.csv'}", flush=True)
    samples, exit_status, log = soak(args, out)
    summary = summarise(samples, exit_status, log, args)
    (out / "summary.txt").write_text(summary)
    print(summary, end="")
    return 0 if exit_status is None else 1


if __name__ == "__main__":
    sys.exit(main())
