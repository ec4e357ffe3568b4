#!/usr/bin/env python3
"""The Python module's speed, side by side in one run.

Times, over the 390,001 wavelengths from 380 to 770 nm in 0.001 nm steps:
  - vollfarbe.compute (the module: arguments in, the table's 20 columns out),
    on one thread and on every core, into new arrays and into arrays kept
    from round to round (out=), as the C++ batch keeps its buffer;
  - the C++ batch call it wraps, compute_passes, on one thread and on every
    core (BM_ColourSweepBatch, BM_ColourSweepBatchAllCores of
    build/bench/vollfarbe_bench, every pass_result kept in a reused buffer);
  - the plain-double numpy version of the same pass (bench/numpy_sweep.py),
    and how many of the wavelengths it gets wrong against the module.
Each figure is the best of several rounds, the rounds interleaved so that a
busy machine slows all of them alike: wall time, and for one thread the CPU
time too, which a loaded machine disturbs less. The ratios are what to read.

    PYTHONPATH=build/python python3 bench/python_sweep.py [BUILD_DIR] [--rounds N]
"""
import argparse
import json
import os
import pathlib
import subprocess
import sys
import time

import numpy as np

import vollfarbe

SWEEP = np.arange(380_000, 770_001) / 1000  # the nearest doubles to 380.000 ... 770.000
HERE = pathlib.Path(__file__).resolve().parent


def timed(run):
    """(wall, CPU) seconds of one run."""
    wall, cpu = time.perf_counter(), time.process_time()
    run()
    return time.perf_counter() - wall, time.process_time() - cpu


def numpy_peer():
    """The numpy version's sweep function, or None where the script is not there."""
    path = HERE / "numpy_sweep.py"
    if not path.exists():
        return None
    sys.path.insert(0, str(HERE))
    import numpy_sweep  # noqa: E402  (found beside this script)

    return numpy_sweep.sweep


# The values printed rounded: the pair and hue-equal wavelengths to 0.001 nm,
# the colour moments to 0.01.
ROUNDED = ("l", "lc", "first_moment", "second_moment",
           "first_l1", "first_l2", "second_l1", "second_l2")


def numpy_wrong_rows(peer):
    """Wavelengths where numpy's doubles differ from the exact values: (in a rounded
    value, in any of the 16 digits the dialogue prints)."""
    exact = vollfarbe.compute(SWEEP)
    names = [name for name in exact if name != "path"]
    plain = peer(SWEEP)
    rounded_wrong = np.zeros(SWEEP.size, dtype=bool)
    digits_wrong = np.zeros(SWEEP.size, dtype=bool)
    for i, name in enumerate(names):
        ours, theirs = exact[name], plain[:, i]
        differ = ~((ours == theirs) | (np.isnan(ours) & np.isnan(theirs)))
        if name in ROUNDED:
            rounded_wrong |= differ
        for row in np.flatnonzero(differ & ~digits_wrong):
            digits_wrong[row] = f"{ours[row]:.16g}" != f"{theirs[row]:.16g}"
    return rounded_wrong.sum(), digits_wrong.sum()


def cpp_batch(bench, name):
    """(wall, CPU) seconds of one C++ benchmark, the best of a few repetitions."""
    report = subprocess.run(
        [bench, f"--benchmark_filter=^{name}(/real_time)?$", "--benchmark_format=json",
         "--benchmark_repetitions=3", "--benchmark_min_time=0.01"],
        check=True, capture_output=True, text=True).stdout
    runs = [b for b in json.loads(report)["benchmarks"] if b.get("run_type") == "iteration"]
    if not runs:
        raise SystemExit(f"{bench} has no benchmark {name}")
    scale = {"ns": 1e-9, "us": 1e-6, "ms": 1e-3, "s": 1.0}
    return (min(b["real_time"] * scale[b["time_unit"]] for b in runs),
            min(b["cpu_time"] * scale[b["time_unit"]] for b in runs))


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("build", nargs="?", default="build", help="the build folder (build)")
    # Many short rounds: on a shared machine the best of each comes from a
    # quiet moment, for the module and the C++ batch alike.
    parser.add_argument("--rounds", type=int, default=15, help="rounds of each (15)")
    arguments = parser.parse_args()
    bench = os.path.join(arguments.build, "bench", "vollfarbe_bench")
    cores = len(os.sched_getaffinity(0))
    peer = numpy_peer()

    kept = {name: np.empty_like(column) for name, column in vollfarbe.compute(SWEEP).items()}
    runs = {
        "module, 1 thread": lambda: vollfarbe.compute(SWEEP, threads=1),
        "module, every core": lambda: vollfarbe.compute(SWEEP),
        "module out=, 1 thread": lambda: vollfarbe.compute(SWEEP, threads=1, out=kept),
        "module out=, every core": lambda: vollfarbe.compute(SWEEP, out=kept),
    }
    if peer:
        runs["numpy, plain doubles"] = lambda: peer(SWEEP)
    benchmarks = {"C++ batch, 1 thread": "BM_ColourSweepBatch",
                  "C++ batch, every core": "BM_ColourSweepBatchAllCores"}
    best = {}
    for _ in range(arguments.rounds):
        figures = {label: timed(run) for label, run in runs.items()}
        figures.update({label: cpp_batch(bench, name) for label, name in benchmarks.items()})
        for label, (wall, cpu) in figures.items():
            old_wall, old_cpu = best.get(label, (float("inf"), float("inf")))
            best[label] = (min(old_wall, wall), min(old_cpu, cpu))

    print(f"390,001 wavelengths, best of {arguments.rounds} interleaved rounds, {cores} cores")
    print(f"  {'':<26} {'wall ms':>9} {'CPU ms':>9}")
    for label, (wall, cpu) in best.items():
        # Over several threads the two clocks count different things (the
        # benchmark's CPU time is its main thread's alone): wall time only.
        cpu_text = "" if "every core" in label else f"{cpu * 1000:9.1f}"
        print(f"  {label:<26} {wall * 1000:9.1f} {cpu_text}")
    ratio = lambda a, b, i: best[a][i] / best[b][i]
    print(f"module / C++ batch, 1 thread:    {ratio('module, 1 thread', 'C++ batch, 1 thread', 0):.2f}x wall,"
          f" {ratio('module, 1 thread', 'C++ batch, 1 thread', 1):.2f}x CPU")
    print(f"module / C++ batch, every core:  {ratio('module, every core', 'C++ batch, every core', 0):.2f}x wall")
    print(f"module out= / C++ batch, 1 thread:    {ratio('module out=, 1 thread', 'C++ batch, 1 thread', 0):.2f}x wall,"
          f" {ratio('module out=, 1 thread', 'C++ batch, 1 thread', 1):.2f}x CPU")
    print(f"module out= / C++ batch, every core:  {ratio('module out=, every core', 'C++ batch, every core', 0):.2f}x wall")
    if peer:
        print(f"numpy / module, 1 thread:        {ratio('numpy, plain doubles', 'module, 1 thread', 0):.2f}x wall")
        print(f"numpy / module, every core:      {ratio('numpy, plain doubles', 'module, every core', 0):.2f}x wall")
        rounded, digits = numpy_wrong_rows(peer)
        print(f"numpy's plain doubles get {rounded:,} of the {SWEEP.size:,} wavelengths wrong in a"
              f" value printed rounded (l, lc, a moment or a hue-equal wavelength), and"
              f" {digits:,} in one of the 16 digits the dialogue prints")
    else:
        print("numpy: bench/numpy_sweep.py is not there")
    return 0


if __name__ == "__main__":
    sys.exit(main())
