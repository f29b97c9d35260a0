#!/usr/bin/env python3
"""Runs every Numoria benchmark and prints their figures as one table.

Usage (as `make bench` does, under one virtual X server):
    xvfb-run -a python3 bench/run-bench.py --bench-build build-bench --program build/numoria

- Rule: numoria_bench (the numeral rule against ICU over every number).
- Start-up: exec to first painted window, the program's probe beside an empty
  QWidget and beside a window of the same widgets with nothing behind them,
  runs interleaved; ratios of the medians.
- Memory: peak resident set of the probe after start-up, the clip shown and
  100 conversions, with the committed clip and with each clip that
  bench/make_bench_clips.py makes (FFmpeg checks that it decodes them
  cleanly), beside the same-widgets window's and the empty window's.
- Click to paint: numoria_click_bench, offscreen.
- Idle: CPU time of the real program (with each clip) and of the same-widgets
  window over the same seconds, all on screen and left alone.

Nothing here fails on a figure: targets are only reported as met or not.
"""

import argparse
import datetime
import json
import os
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

ENGINE_TARGET = 10.0  # times faster than ICU
STARTUP_TARGET = 1.15  # times an empty QWidget
CLICK_TARGET_US = 1000.0  # median
IDLE_TARGET_PERCENT = 0.2  # of one core, committed clip
IDLE_CLIP_TARGET_PERCENT = 0.5  # each bench clip
MEMORY_TARGET_MB = 10.0  # above the same widgets, committed clip
MEMORY_CLIP_TARGET_MB = 16.0  # above the empty window, every clip


class BenchError(Exception):
    pass


def parse_arguments():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--bench-build", required=True, help="the Release build directory with -DNUMORIA_BENCH=ON")
    parser.add_argument("--program", required=True, help="the program itself, for the idle figure")
    parser.add_argument("--runs", type=int, default=25, help="start-up runs of each program (default 25)")
    parser.add_argument("--idle-seconds", type=float, default=20.0, help="idle measuring time (default 20)")
    parser.add_argument("--settle-seconds", type=float, default=2.0,
                        help="wait after the windows appear before the idle time starts (default 2)")
    return parser.parse_args()


def executable(path):
    if not (os.path.isfile(path) and os.access(path, os.X_OK)):
        raise BenchError(f"{path} is missing; build it first")
    return os.path.abspath(path)


def cpu_model():
    try:
        with open("/proc/cpuinfo", encoding="utf-8") as info:
            for line in info:
                if line.startswith("model name"):
                    return line.split(":", 1)[1].strip()
    except OSError:
        pass
    return "unknown CPU"


def gui_environment(platform):
    env = dict(os.environ)
    env["QT_QPA_PLATFORM"] = platform
    env.pop("NUMORIA_BENCH_EXEC_NS", None)
    return env


def key_values(output, program):
    """Lines 'name value...' of a probe's standard output, by name."""
    values = {}
    for line in output.splitlines():
        parts = line.split()
        if len(parts) >= 2:
            values.setdefault(parts[0], []).append(parts[1:])
    if not values:
        raise BenchError(f"{program} printed no figures")
    return values


# ---- Engine against ICU ----

def engine_rows(bench_build):
    program = executable(os.path.join(bench_build, "bench", "numoria_bench"))
    with tempfile.TemporaryDirectory() as work:
        out = os.path.join(work, "engine.json")
        subprocess.run([program, f"--benchmark_out={out}", "--benchmark_out_format=json"],
                       stdout=subprocess.DEVNULL, check=True)
        with open(out, encoding="utf-8") as file:
            results = json.load(file)["benchmarks"]
    rows = {}
    for result in results:
        if result.get("run_type") != "aggregate" or result.get("error_occurred"):
            continue
        name = result["run_name"].split("/repeats:")[0]
        row = rows.setdefault(name, {"order": result.get("family_index", 0)})
        if result["aggregate_name"] == "median":
            scale = {"ns": 1, "us": 1e3, "ms": 1e6, "s": 1e9}[result["time_unit"]]
            row["ns"] = result["cpu_time"] * scale / max(result.get("numbers", 1), 1)
        elif result["aggregate_name"] == "cv":
            row["cv"] = result["cpu_time"] * 100
    return sorted(rows.items(), key=lambda item: item[1]["order"])


# ---- Start-up and memory ----

def probe_run(launcher, program):
    done = subprocess.run([launcher, program], env=gui_environment("xcb"), capture_output=True, text=True,
                          timeout=60)
    values = key_values(done.stdout, program)
    if done.returncode != 0 or "startup_ms" not in values or "vmhwm_kb" not in values:
        raise BenchError(f"{program} failed (exit {done.returncode}): {done.stderr.strip()[-500:]}")
    # clip_frames <count> <1 if it moved on>, from the program's probe only
    plays = values.get("clip_frames", [[0, 0]])[0]
    return float(values["startup_ms"][0][0]), int(values["vmhwm_kb"][0][0]), (int(plays[0]), plays[1] == "1")


def bench_clips(directory):
    """The clips of bench/make_bench_clips.py, each checked with FFmpeg: it
    must decode every frame without a word. Returns (name, path, frames)."""
    maker = os.path.join(os.path.dirname(os.path.abspath(__file__)), "make_bench_clips.py")
    made = subprocess.run([sys.executable, maker, directory], check=True, capture_output=True, text=True)
    clips = [tuple(line.split("\t")) for line in made.stdout.splitlines()]
    for name, path, frames in clips:
        decoded = subprocess.run(["ffprobe", "-v", "error", "-count_frames", "-select_streams", "v:0", "-show_entries",
                                  "stream=nb_read_frames", "-of", "csv=p=0", path], capture_output=True, text=True)
        if decoded.returncode != 0 or decoded.stderr.strip() or decoded.stdout.strip() != frames:
            raise BenchError(f"FFmpeg does not decode {path} cleanly: {decoded.stderr.strip()[-300:]}")
    return [(name, path, int(frames)) for name, path, frames in clips]


def beside_clip(program, clip, directory):
    """A copy of the program in the clip's directory, which it reads its clip from."""
    copy = os.path.join(directory, os.path.basename(program))
    shutil.copy2(program, copy)
    return copy


def startup_and_memory(bench_build, runs, clip_probes):
    """Start-up, peak and clip of the program's probe, the same widgets, the
    empty window, then each probe beside a bench clip."""
    launcher = executable(os.path.join(bench_build, "bench", "numoria_exec_timed"))
    probe = executable(os.path.join(bench_build, "numoria_startup_probe"))
    bare = executable(os.path.join(bench_build, "bench", "numoria_bare_probe"))
    empty = executable(os.path.join(bench_build, "bench", "numoria_empty_probe"))
    programs = [probe, bare, empty] + clip_probes
    for program in programs:  # libraries and fonts into the page cache
        probe_run(launcher, program)
    figures = {program: ([], [], []) for program in programs}
    for run in range(runs):
        # Interleaved, each in a different place of the turn every time.
        turn = run % len(programs)
        for program in programs[turn:] + programs[:turn]:
            for figure, value in zip(figures[program], probe_run(launcher, program)):
                figure.append(value)
    return [figures[program] for program in programs]


# ---- Click to paint ----

def click_figures(bench_build):
    program = executable(os.path.join(bench_build, "numoria_click_bench"))
    done = subprocess.run([program], env=gui_environment("offscreen"), capture_output=True, text=True, timeout=300)
    if done.returncode != 0:
        raise BenchError(f"{program} failed: {done.stderr.strip()[-500:]}")
    figures = {}
    for fields in key_values(done.stdout, program).get("click_us", []):
        # <number> median <µs> max <µs> clicks <n>
        figures[fields[0]] = {"median": float(fields[2]), "max": float(fields[4]), "clicks": int(fields[6])}
    return figures


# ---- Idle ----

def cpu_seconds(pid):
    """Time on a CPU, in nanoseconds from the scheduler: utime and stime come
    in 10 ms ticks, too coarse for a fraction of a per cent."""
    with open(f"/proc/{pid}/schedstat", encoding="utf-8") as stat:
        return int(stat.read().split()[0]) / 1e9


def wait_for_window(process, timeout):
    """Until the process has a mapped window (xdotool reads _NET_WM_PID)."""
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        if process.poll() is not None:
            raise BenchError(f"{process.args[0]} ended (exit {process.returncode}) before showing a window: "
                             f"{said(process)}")
        found = subprocess.run(["xdotool", "search", "--onlyvisible", "--pid", str(process.pid)],
                               stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
        if found.returncode == 0 and found.stdout.strip():
            return
        time.sleep(0.1)
    raise BenchError(f"{process.args[0]} showed no window within {timeout} s")


def said(process):
    """The end of what a program started by idle_percent wrote to standard error."""
    process.said.seek(0)
    return process.said.read().decode(errors="replace").strip()[-300:]


def idle_percent(programs, seconds, settle):
    """Each program is a path, or a path and its arguments in a list."""
    processes = []
    for command in programs:
        command = command if isinstance(command, list) else [command]
        log = tempfile.TemporaryFile()
        environment = gui_environment("xcb")
        if "--tick" in command:
            # Pictures sent as plain images, as the program sends them.
            environment["QT_XCB_NO_MITSHM"] = "1"
        processes.append(subprocess.Popen(command, env=environment, stdout=subprocess.DEVNULL, stderr=log,
                                          cwd=os.path.dirname(command[0])))
        processes[-1].said = log
    try:
        for process in processes:
            wait_for_window(process, 30)
        time.sleep(settle)
        before = [cpu_seconds(process.pid) for process in processes]
        started = time.monotonic()
        time.sleep(seconds)
        after = [cpu_seconds(process.pid) for process in processes]
        elapsed = time.monotonic() - started
        for process in processes:
            if process.poll() is not None:
                raise BenchError(f"{process.args[0]} ended (exit {process.returncode}) while idle: {said(process)}")
    finally:
        for process in processes:
            process.terminate()
        for process in processes:
            process.wait(timeout=10)
    return [100.0 * (a - b) / elapsed for a, b in zip(after, before)]


# ---- The table ----

def verdict(met):
    return "yes" if met else "NO"


def print_table(rows, header):
    widths = [max(len(str(row[i])) for row in rows + [header]) for i in range(len(header))]
    line = lambda cells: "| " + " | ".join(str(c).ljust(w) for c, w in zip(cells, widths)) + " |"
    print(line(header))
    print("|" + "|".join("-" * (w + 2) for w in widths) + "|")
    for row in rows:
        print(line(row))


def main():
    arguments = parse_arguments()
    if not os.environ.get("DISPLAY"):
        raise BenchError("no DISPLAY: run under a virtual X server, e.g. xvfb-run -a python3 bench/run-bench.py ...")
    if not shutil.which("xdotool"):
        raise BenchError("xdotool is missing (scripts/install-deps.sh bench installs it)")
    program = executable(arguments.program)
    bare_window = executable(os.path.join(arguments.bench_build, "bench", "numoria_bare_window"))
    if not os.path.isfile(os.path.join(os.path.dirname(program), "numoria.avi")):
        print(f"warning: no numoria.avi beside {program}: the idle figure has no clip playing", file=sys.stderr)

    started = datetime.datetime.now().astimezone()
    load = os.getloadavg()[0]
    print(f"Numoria benchmarks, {started:%Y-%m-%d %H:%M %Z}: {os.cpu_count()} CPUs, {cpu_model()}, "
          f"load average {load:.2f} at the start", flush=True)

    print("running the numeral rule against ICU (about 30 s) ...", file=sys.stderr, flush=True)
    engine = engine_rows(arguments.bench_build)
    scratch = tempfile.mkdtemp(prefix="numoria-clips-")
    try:
        print("making the bench clips, checked with FFmpeg ...", file=sys.stderr, flush=True)
        clips = bench_clips(scratch)
        probe = os.path.join(arguments.bench_build, "numoria_startup_probe")
        clip_probes = [beside_clip(probe, path, os.path.dirname(path)) for _, path, _ in clips]
        clip_programs = [beside_clip(program, path, os.path.dirname(path)) for _, path, _ in clips]
        print(f"running start-up and memory, {arguments.runs} runs of each program ...", file=sys.stderr, flush=True)
        (probe_startup, probe_peak, probe_plays), (bare_startup, bare_peak, _), (empty_startup, empty_peak, _), \
            *clip_figures = startup_and_memory(arguments.bench_build, arguments.runs, clip_probes)
        print("running click to paint ...", file=sys.stderr, flush=True)
        clicks = click_figures(arguments.bench_build)
        print(f"running idle for {arguments.idle_seconds:g} s ...", file=sys.stderr, flush=True)
        idle_program, *idle_clips, idle_bare, idle_ticking = idle_percent(
            [program] + clip_programs + [bare_window, [bare_window, "--tick"]],
            arguments.idle_seconds, arguments.settle_seconds)
    finally:
        shutil.rmtree(scratch, ignore_errors=True)

    rows = []
    icu = next((row["ns"] for name, row in engine if name.startswith("ICU") and "ns" in row), None)
    for name, row in engine:
        if "ns" not in row:
            rows.append([f"Rule: {name}", "failed", "", "", "", ""])
            continue
        figure = f"{row['ns']:.1f} ns/number (cv {row.get('cv', 0):.1f} %)"
        if name.startswith("ICU"):
            rows.append([f"Yardstick: {name}", figure, "", "", "", ""])
            continue
        ratio = icu / row["ns"] if icu else 0
        is_engine = name.startswith("Numoria rule")
        rows.append([f"Rule: {name}", figure, f"ICU {icu:.1f}" if icu else "", f"{ratio:.1f} x faster",
                     f">= {ENGINE_TARGET:g} x faster" if is_engine else "(floor)",
                     verdict(ratio >= ENGINE_TARGET) if is_engine else ""])

    program_ms = statistics.median(probe_startup)
    empty_ms = statistics.median(empty_startup)
    floor_ms = statistics.median(bare_startup)
    rows.append([f"Start-up, exec to first paint (median of {len(probe_startup)}, Xvfb)", f"{program_ms:.1f} ms",
                 f"empty QWidget {empty_ms:.1f} ms", f"{program_ms / empty_ms:.2f} x",
                 f"<= {STARTUP_TARGET:g} x", verdict(program_ms <= STARTUP_TARGET * empty_ms)])
    rows.append(["Start-up beside the same widgets with nothing behind them", f"{program_ms:.1f} ms",
                 f"same widgets {floor_ms:.1f} ms", f"{program_ms / floor_ms:.2f} x", "(second floor)", ""])

    for number in ("99999", "7"):
        figure = clicks.get(number)
        if not figure:
            rows.append([f"Click to paint {number}", "failed", "", "", "", ""])
            continue
        rows.append([f"Click to paint {number}, median of {figure['clicks']} (offscreen)",
                     f"{figure['median']:.0f} us", "", "", f"< {CLICK_TARGET_US:g} us",
                     verdict(figure["median"] < CLICK_TARGET_US)])
        rows.append([f"Click to paint {number}, worst of {figure['clicks']}", f"{figure['max']:.0f} us",
                     "", "", "", ""])

    floor_mb = statistics.median(bare_peak) / 1024
    empty_mb = statistics.median(empty_peak) / 1024
    committed = ("committed clip", probe_peak, probe_plays, idle_program, IDLE_TARGET_PERCENT)
    for name, peak, plays, idle, idle_target in [committed] + [
            (name, peak, plays, idle, IDLE_CLIP_TARGET_PERCENT)
            for (name, _, _), (_, peak, plays), idle in zip(clips, clip_figures, idle_clips)]:
        # Plays: every run's probe saw all its frames and saw them move on.
        frames = min(count for count, _ in plays)
        moving = all(moved for _, moved in plays)
        floor = f"same widgets {idle_bare:.2f} %" if name == "committed clip" else \
            f"same widgets painting 25/s {idle_ticking:.2f} %"
        rows.append([f"Idle CPU over {arguments.idle_seconds:g} s, {name} playing (Xvfb)", f"{idle:.2f} % of a core",
                     floor, "", f"<= {idle_target:g} %", verdict(idle <= idle_target)])
        peak_mb = statistics.median(peak) / 1024
        if name == "committed clip":
            rows.append(["Peak RSS (VmHWM), committed clip shown + 100 conversions", f"{peak_mb:.1f} MiB",
                         f"same widgets {floor_mb:.1f} MiB", f"+{peak_mb - floor_mb:.1f} MiB",
                         f"<= +{MEMORY_TARGET_MB:g} MiB", verdict(peak_mb - floor_mb <= MEMORY_TARGET_MB)])
        rows.append([f"Peak RSS, {name} ({frames} frames, {'plays' if moving else 'DOES NOT PLAY'})",
                     f"{peak_mb:.1f} MiB", f"empty QWidget {empty_mb:.1f} MiB", f"+{peak_mb - empty_mb:.1f} MiB",
                     f"<= +{MEMORY_CLIP_TARGET_MB:g} MiB, plays",
                     verdict(moving and peak_mb - empty_mb <= MEMORY_CLIP_TARGET_MB)])

    print()
    print_table(rows, ["Measure", "Numoria", "Floor / yardstick", "Ratio", "Target", "Met"])
    quartiles = lambda values: statistics.quantiles(values, n=4)
    p, b, e = quartiles(probe_startup), quartiles(bare_startup), quartiles(empty_startup)
    print(f"\nStart-up quartiles: program {p[0]:.1f}-{p[2]:.1f} ms (min {min(probe_startup):.1f}), "
          f"same widgets {b[0]:.1f}-{b[2]:.1f} ms (min {min(bare_startup):.1f}), "
          f"empty QWidget {e[0]:.1f}-{e[2]:.1f} ms (min {min(empty_startup):.1f}). "
          f"Peak RSS range: program {min(probe_peak) / 1024:.1f}-{max(probe_peak) / 1024:.1f} MiB, "
          f"same widgets {min(bare_peak) / 1024:.1f}-{max(bare_peak) / 1024:.1f} MiB, "
          f"empty QWidget {min(empty_peak) / 1024:.1f}-{max(empty_peak) / 1024:.1f} MiB.")
    elapsed = datetime.datetime.now().astimezone() - started
    print(f"Took {elapsed.total_seconds():.0f} s; load average {os.getloadavg()[0]:.2f} at the end.")


if __name__ == "__main__":
    # Qt wants a private runtime directory, and says so on every start without one.
    with tempfile.TemporaryDirectory(prefix="numoria-bench-") as runtime:
        os.chmod(runtime, 0o700)
        os.environ.setdefault("XDG_RUNTIME_DIR", runtime)
        try:
            main()
        except (BenchError, subprocess.CalledProcessError, subprocess.TimeoutExpired) as error:
            print(f"run-bench: {error}", file=sys.stderr)
            sys.exit(1)
