#!/usr/bin/env python3
"""The dominant wavelength and excitation purity of every pixel of a
24-megapixel sRGB image, in one process on every core and on a local dask
cluster, and its hue map.

The image is made here (6000 x 4000 pixels, 8 bits a channel: hues sweeping
across, saturation falling and brightness waving down it, with a little
sensor-like noise), decoded from sRGB to linear light and converted to CIE
XYZ (IEC 61966-2-1, D65 white), then to chromaticity; the dominant
wavelengths are seen from the D65 white with the CIE 1931 observer.

Two ways in one process, with the same bits: every pixel, or every distinct
colour once (an 8-bit image has at most 2**24 of them, a photograph far
fewer than its pixels) and the pixels looked up. And the per-pixel way on a
dask.distributed cluster of two worker processes, a band of rows a task.

    PYTHONPATH=build/python /usr/bin/python3 docs/python_image_example.py [hue-map.png] [--no-cluster]
"""
import os
import sys
import time
from concurrent.futures import ThreadPoolExecutor

import numpy as np

import vollfarbe

# sRGB to XYZ (IEC 61966-2-1), Y of the white = 100.
SRGB_TO_XYZ = 100 * np.array([[0.4124, 0.3576, 0.1805],
                              [0.2126, 0.7152, 0.0722],
                              [0.0193, 0.1192, 0.9505]])
CODES = np.arange(256) / 255
# The linear light of each 8-bit code.
DECODED = np.where(CODES <= 0.04045, CODES / 12.92, ((CODES + 0.055) / 1.055) ** 2.4)
MODEL = dict(observer="cie1931", illuminant="D65")


def make_image(height=4000, width=6000, seed=24):
    """An 8-bit sRGB image, (height, width, 3), made a band of rows at a time."""
    from matplotlib.colors import hsv_to_rgb

    rng = np.random.default_rng(seed)
    image = np.empty((height, width, 3), np.uint8)
    across = np.linspace(0, 1, width, dtype=np.float32)[None, :]
    for top in range(0, height, 250):
        rows = min(250, height - top)
        down = (np.arange(top, top + rows, dtype=np.float32) / height)[:, None]
        hsv = np.empty((rows, width, 3), np.float32)
        hsv[..., 0] = (across + 0.08 * np.sin(9 * np.pi * down + 4 * across)) % 1
        hsv[..., 1] = np.clip(1.05 - down + 0.1 * np.cos(7 * np.pi * across), 0, 1)
        hsv[..., 2] = 0.55 + 0.35 * np.sin(5 * np.pi * down) * np.cos(3 * np.pi * across)
        noise = rng.normal(0, 1.2, (rows, width, 3)).astype(np.float32)
        image[top:top + rows] = np.clip(np.rint(hsv_to_rgb(hsv) * 255 + noise), 0, 255)
    return image


def xyz_of(rgb):
    """X, Y, Z of 8-bit sRGB codes (..., 3): each a sum of three products in a
    fixed order, so a pixel's values never depend on how many come along."""
    r, g, b = (DECODED[rgb[..., i]] for i in range(3))
    return tuple(m[0] * r + m[1] * g + m[2] * b for m in SRGB_TO_XYZ)


def hue_per_pixel(image, dominant, purity, threads=None):
    """Every pixel's dominant wavelength and excitation purity, into the two
    arrays given, a band of rows at a time (bounded scratch memory)."""
    band = max(1, (1 << 20) // image.shape[1])
    scratch = np.empty((2, band * image.shape[1]))
    for top in range(0, image.shape[0], band):
        rows = image[top:top + band]
        x, y = (s[:rows.shape[0] * rows.shape[1]].reshape(rows.shape[:2]) for s in scratch)
        vollfarbe.chromaticity(*xyz_of(rows), out=(x, y), threads=threads)
        # The complementary wavelength and the colorimetric purity, not kept
        # here, overwrite x and y: each entry is read before it is written.
        vollfarbe.dominant_wavelength(x, y, **MODEL, threads=threads,
                                      out=(dominant[top:top + band], x, purity[top:top + band], y))
    return dominant, purity


def bands_of(image, count=16):
    """The image's rows in `count` bands, as slices."""
    step = -(-image.shape[0] // count)
    return [slice(top, min(image.shape[0], top + step)) for top in range(0, image.shape[0], step)]


def hue_per_colour(image, dominant, purity, threads=None):
    """The same values, computed once for each distinct colour of the image and
    looked up for every pixel. An 8-bit colour is a 24-bit code: a table of
    2**24 entries marks the codes present, and two more (128 MB each, only
    the pages of present codes ever touched) hold their results, so a pixel
    is two lookups. The image's bands go to a thread each: numpy lets go of
    the GIL in these loops, so they run on every core like the module does."""
    codes = np.empty(image.shape[:2], np.uint32)
    present = np.zeros(1 << 24, np.bool_)

    def mark(band):
        code = codes[band]
        code[...] = image[band, :, 0]
        code <<= 8
        code |= image[band, :, 1]
        code <<= 8
        code |= image[band, :, 2]
        present[code] = True  # every thread writes True alone: no race to lose

    with ThreadPoolExecutor(threads or len(os.sched_getaffinity(0))) as pool:
        list(pool.map(mark, bands_of(image)))
        colours = np.flatnonzero(present)
        rgb = np.stack([colours >> 16, (colours >> 8) & 255, colours & 255], axis=-1)
        d, _, p, _ = vollfarbe.dominant_wavelength(*vollfarbe.chromaticity(*xyz_of(rgb)), **MODEL,
                                                   threads=threads)
        dominant_of, purity_of = np.empty(1 << 24), np.empty(1 << 24)
        dominant_of[colours] = d
        purity_of[colours] = p

        def look_up(band):
            np.take(dominant_of, codes[band], out=dominant[band])
            np.take(purity_of, codes[band], out=purity[band])

        list(pool.map(look_up, bands_of(image)))
    return colours.size


def hue_of_block(block):
    """A dask block of the image, (rows, width, 3), to its (rows, width, 2)
    dominant wavelengths and purities: the per-pixel way, one thread a task."""
    result = np.empty(block.shape[:2] + (2,))
    dominant, purity = np.empty(block.shape[:2]), np.empty(block.shape[:2])
    hue_per_pixel(block, dominant, purity, threads=1)
    result[..., 0], result[..., 1] = dominant, purity
    return result


def hue_on_cluster(client, image, rows_per_task=250):
    """The per-pixel way on a dask.distributed cluster: a band of rows a task."""
    import dask.array

    lazy = dask.array.from_array(image, chunks=(rows_per_task, image.shape[1], 3))
    hue = lazy.map_blocks(hue_of_block, dtype=np.float64,
                          chunks=(lazy.chunks[0], lazy.chunks[1], (2,)))
    result = client.compute(hue, sync=True)
    return result[..., 0], result[..., 1]


def draw_hue_map(image, dominant, purity, path, step=30):
    """The image, its dominant wavelength (purples as their complementary
    wavelength, hatched grey) and its excitation purity, every step-th pixel."""
    import matplotlib

    matplotlib.use("Agg")
    import matplotlib.pyplot as plt

    small = (slice(None, None, step), slice(None, None, step))
    spectral = np.where(dominant[small] > 0, dominant[small], np.nan)
    purple = np.where(dominant[small] < 0, -dominant[small], np.nan)
    figure, axes = plt.subplots(1, 3, figsize=(11, 2.9), layout="constrained")
    axes[0].imshow(image[small], interpolation="nearest")
    axes[0].set_title(f"the sRGB image (every {step}th pixel)", fontsize=9)
    shown = axes[1].imshow(spectral, cmap="turbo", vmin=460, vmax=620, interpolation="nearest")
    axes[1].imshow(purple, cmap="Greys", vmin=420, vmax=600, interpolation="nearest")
    figure.colorbar(shown, ax=axes[1], shrink=0.8).set_label("dominant wavelength, nm", fontsize=8)
    axes[1].set_title("dominant wavelength (purples grey)", fontsize=9)
    shown = axes[2].imshow(purity[small], cmap="magma", vmin=0, vmax=1, interpolation="nearest")
    figure.colorbar(shown, ax=axes[2], shrink=0.8).set_label("excitation purity", fontsize=8)
    axes[2].set_title("excitation purity, CIE 1931 from D65", fontsize=9)
    for axis in axes:
        axis.set_xticks([])
        axis.set_yticks([])
    figure.savefig(path, dpi=80)


def main(arguments):
    png = next((a for a in arguments if not a.startswith("--")), None)
    started = time.perf_counter()
    image = make_image()
    print(f"made a {image.shape[1]} x {image.shape[0]} sRGB image "
          f"({image.shape[0] * image.shape[1] / 1e6:.0f} megapixels) in {time.perf_counter() - started:.1f} s")

    dominant, purity = np.empty(image.shape[:2]), np.empty(image.shape[:2])
    started = time.perf_counter()
    hue_per_pixel(image, dominant, purity)
    print(f"every pixel, every core:   {time.perf_counter() - started:.2f} s")

    by_colour = np.empty(image.shape[:2]), np.empty(image.shape[:2])
    started = time.perf_counter()
    colours = hue_per_colour(image, *by_colour)
    print(f"every distinct colour once ({colours:,} of them), every core: "
          f"{time.perf_counter() - started:.2f} s")
    same = all(a.tobytes() == b.tobytes() for a, b in zip((dominant, purity), by_colour))
    print(f"  the same bits as every pixel: {same}")

    if "--no-cluster" not in arguments:
        from dask.distributed import Client, LocalCluster

        with LocalCluster(n_workers=2, threads_per_worker=1, dashboard_address=None) as cluster, \
                Client(cluster) as client:
            started = time.perf_counter()
            on_cluster = hue_on_cluster(client, image)
            print(f"every pixel on a local dask cluster of 2 worker processes: "
                  f"{time.perf_counter() - started:.2f} s")
            same = all(a.tobytes() == b.tobytes() for a, b in zip((dominant, purity), on_cluster))
            print(f"  the same bits as in one process: {same}")

    spectral = dominant > 0
    print(f"dominant wavelength {np.nanmin(dominant[spectral]):.3f} .. {np.nanmax(dominant):.3f} nm, "
          f"{np.mean(dominant < 0):.1%} purples, median excitation purity {np.nanmedian(purity):.3f}")
    if png:
        draw_hue_map(image, dominant, purity, png)
        print(f"wrote {png}")


if __name__ == "__main__":
    main(sys.argv[1:])
