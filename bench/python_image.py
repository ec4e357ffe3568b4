#!/usr/bin/env python3
"""The dominant wavelengths and excitation purities of a 24-megapixel sRGB
image (docs/python_image_example.py makes it) in one process on every core:
every pixel, and every distinct colour once with the pixels looked up (the
same bits). Best of several rounds; wall and CPU time, which a loaded
machine disturbs less. The target: under 1 s on two cores.

    PYTHONPATH=build/python python3 bench/python_image.py [--rounds N]
"""
import argparse
import os
import pathlib
import sys
import time

import numpy as np

sys.path.insert(0, str(pathlib.Path(__file__).resolve().parents[1] / "docs"))
import python_image_example as example  # noqa: E402


def best(run, rounds):
    walls, cpus = [], []
    for _ in range(rounds):
        wall, cpu = time.perf_counter(), time.process_time()
        run()
        walls.append(time.perf_counter() - wall)
        cpus.append(time.process_time() - cpu)
    return min(walls), min(cpus)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--rounds", type=int, default=3, help="rounds of each (3)")
    arguments = parser.parse_args()
    image = example.make_image()
    dominant, purity = np.empty(image.shape[:2]), np.empty(image.shape[:2])
    pixels = image.shape[0] * image.shape[1]
    per_pixel = best(lambda: example.hue_per_pixel(image, dominant, purity), arguments.rounds)
    colours = []
    per_colour = best(lambda: colours.append(example.hue_per_colour(image, dominant, purity)),
                      arguments.rounds)
    one_thread = best(lambda: example.hue_per_pixel(image[:500], dominant[:500], purity[:500],
                                                    threads=1), arguments.rounds)
    print(f"{pixels / 1e6:.0f} megapixels, {colours[0]:,} distinct colours, "
          f"{len(os.sched_getaffinity(0))} cores, load average {os.getloadavg()[0]:.1f}")
    print(f"  every pixel, every core:        {per_pixel[0]:6.2f} s wall {per_pixel[1]:6.2f} s CPU")
    print(f"  every distinct colour once:     {per_colour[0]:6.2f} s wall {per_colour[1]:6.2f} s CPU")
    print(f"  CPU time a pixel, one thread:   {one_thread[1] / (500 * image.shape[1]) * 1e9:6.0f} ns")
    verdict = "under" if per_colour[0] < 1 else "NOT under"
    print(f"the image's dominant wavelengths and purities (every distinct colour once): "
          f"{per_colour[0]:.2f} s wall, {verdict} the 1 s aimed at")
    return 0


if __name__ == "__main__":
    sys.exit(main())
