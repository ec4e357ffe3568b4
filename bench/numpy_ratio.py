#!/usr/bin/env python3
"""The exact sweep against the plain-double numpy version, side by side.

Rounds interleave numpy (bench/numpy_sweep.py) with the C++ sweep pass by
pass (BM_ColourSweep), batched on one thread (BM_ColourSweepBatch) and
batched on every core (BM_ColourSweepBatchAllCores), so that a busy machine
slows all of them alike; each figure is the best wall time of its rounds and
the ratios are what to read. Also counts the numbers numpy's plain doubles
get wrong against the exact table (compared as printed, 0.01 nm sweep).

    python3 bench/numpy_ratio.py [BUILD_DIR] [--rounds N]
"""
import argparse
import json
import os
import pathlib
import subprocess
import sys
import time

import numpy as np

sys.path.insert(0, str(pathlib.Path(__file__).resolve().parent))
import numpy_sweep  # noqa: E402

CPP = {"C++ pass by pass, 1 thread": "BM_ColourSweep",
       "C++ batched, 1 thread": "BM_ColourSweepBatch",
       "C++ batched, every core": "BM_ColourSweepBatchAllCores"}


def cpp_seconds(bench, name):
    report = subprocess.run(
        [bench, f"--benchmark_filter=^{name}(/real_time)?$", "--benchmark_format=json",
         "--benchmark_min_time=0.2"], check=True, capture_output=True, text=True).stdout
    run = json.loads(report)["benchmarks"][0]
    return run["real_time"] * {"ns": 1e-9, "us": 1e-6, "ms": 1e-3, "s": 1.0}[run["time_unit"]]


def numpy_seconds():
    start = time.perf_counter()
    numpy_sweep.sweep(numpy_sweep.SWEEP)
    return time.perf_counter() - start


def wrong_printed_values(vollfarbe):
    """How many numbers of the 0.01 nm table numpy's doubles get wrong."""
    lc = np.arange(38_000, 77_001) / 100
    text = subprocess.run([vollfarbe, "table", "--from", "380", "--to", "770", "--step", "0.01"],
                          check=True, capture_output=True, text=True).stdout.splitlines()[1:]
    exact = [[v for j, v in enumerate(line.split(",")) if j != 1] for line in text]
    ours = numpy_sweep.sweep(lc)
    exact = np.array([[float(e) if e else np.nan for e in row] for row in exact])
    both_nan = np.isnan(ours) & np.isnan(exact)
    last_bits = ~((ours == exact) | both_nan)
    digits = ~(np.isclose(ours, exact, rtol=1e-9, atol=1e-9) | both_nan)
    return last_bits.sum(), digits.sum(), exact.size


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("build", nargs="?", default="build")
    parser.add_argument("--rounds", type=int, default=3)
    arguments = parser.parse_args()
    bench = os.path.join(arguments.build, "bench", "vollfarbe_bench")
    best = {}
    for _ in range(arguments.rounds):
        for label, name in CPP.items():
            best[label] = min(best.get(label, float("inf")), cpp_seconds(bench, name))
        best["numpy, plain doubles"] = min(best.get("numpy, plain doubles", float("inf")),
                                           numpy_seconds())
    passes = len(numpy_sweep.SWEEP)
    numpy_time = best["numpy, plain doubles"]
    print(f"sweep of {passes:,} passes on {len(os.sched_getaffinity(0))} cores, "
          f"best of {arguments.rounds} interleaved rounds (wall time)")
    for label, seconds in best.items():
        print(f"  {label:30s} {seconds * 1e3:7.1f} ms  {seconds / passes * 1e9:6.0f} ns a pass"
              f"  numpy / this = {numpy_time / seconds:5.2f}")
    last_bits, digits, total = wrong_printed_values(os.path.join(arguments.build, "vollfarbe"))
    print(f"numpy's plain doubles against the exact 0.01 nm table ({total:,} numbers): "
          f"{last_bits:,} differ in their last bits, {digits:,} by more than 1e-9 "
          f"(a wavelength floored to the other 0.001 nm)")


if __name__ == "__main__":
    main()
