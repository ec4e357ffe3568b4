#!/usr/bin/env python3
"""The Python module's speed, side by side in one run.

Times, over the 390,001 wavelengths from 380 to 770 nm in 0.001 nm steps:
  - vollfarbe.compute (the module: arguments in, the table's 20 columns out),
    on one thread and on every core;
  - the plain-double numpy version of the same pass (bench/numpy_sweep.py);
  - the C++ batch call it wraps (compute_passes in build/bench/vollfarbe_bench).
Each figure is the best of several rounds, the rounds interleaved so that a
busy machine slows all of them alike; the ratios are what to read.

    PYTHONPATH=build/python python3 bench/python_sweep.py [BUILD_DIR] [--rounds N]
"""
import argparse
import importlib.util
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


def best_seconds(run, rounds):
    best = float("inf")
    for _ in range(rounds):
        start = time.perf_counter()
        run()
        best = min(best, time.perf_counter() - start)
    return best


def numpy_peer():
    """The numpy version's sweep function, or None where the script is not there."""
    path = HERE / "numpy_sweep.py"
    if not path.exists():
        return None
    spec = importlib.util.spec_from_file_location("numpy_sweep", path)
    module = importlib.util.module_from_spec(spec)
    spec.loader.exec_module(module)
    return module.sweep


def cpp_batch_seconds(bench, name):
    """The best real time of one C++ benchmark, in seconds."""
    report = subprocess.run(
        [bench, f"--benchmark_filter=^{name}$", "--benchmark_format=json",
         "--benchmark_repetitions=3", "--benchmark_min_time=0.01"],
        check=True, capture_output=True, text=True).stdout
    runs = [b for b in json.loads(report)["benchmarks"] if b.get("run_type") == "iteration"]
    if not runs:
        raise SystemExit(f"{bench} has no benchmark {name}")
    scale = {"ns": 1e-9, "us": 1e-6, "ms": 1e-3, "s": 1.0}
    return min(b["real_time"] * scale[b["time_unit"]] for b in runs)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("build", nargs="?", default="build", help="the build folder (build)")
    parser.add_argument("--rounds", type=int, default=5, help="rounds of each (5)")
    arguments = parser.parse_args()
    bench = os.path.join(arguments.build, "bench", "vollfarbe_bench")
    peer = numpy_peer()
    cores = len(os.sched_getaffinity(0))

    figures = {}
    timed = {
        "module, 1 thread": lambda: vollfarbe.compute(SWEEP, threads=1),
        f"module, {cores} threads": lambda: vollfarbe.compute(SWEEP),
    }
    if peer:
        timed["numpy, plain doubles"] = lambda: peer(SWEEP)
    cpp = {"C++ batch, 1 thread": "BM_ColourSweepBatch"}
    for _ in range(arguments.rounds):
        for label, run in timed.items():
            figures[label] = min(figures.get(label, float("inf")), best_seconds(run, 1))
        for label, name in cpp.items():
            figures[label] = min(figures.get(label, float("inf")), cpp_batch_seconds(bench, name))

    print(f"390,001 wavelengths, best of {arguments.rounds} interleaved rounds, {cores} cores:")
    for label, seconds in figures.items():
        print(f"  {label:<24} {seconds * 1000:8.1f} ms")
    one = figures["module, 1 thread"]
    print(f"module / C++ batch, 1 thread: {one / figures['C++ batch, 1 thread']:.2f}x")
    if peer:
        fastest = min(one, figures[f"module, {cores} threads"])
        print(f"numpy / module: {figures['numpy, plain doubles'] / fastest:.2f}x")
    else:
        print("numpy: bench/numpy_sweep.py is not there")
    return 0


if __name__ == "__main__":
    sys.exit(main())
