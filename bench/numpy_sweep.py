#!/usr/bin/env python3
"""The pass in plain doubles with numpy: the yardstick for the exact sweep.

The same steps and the same tables as the built-in model (read from the C++
sources under colour/), every formula in numpy's float64 with no extended
intermediates: the speed a straightforward array version reaches, and how
many printed values it gets wrong for that. `sweep(lc)` computes first
passes (partner 0) for an array of wavelengths and returns the table's
number columns; run alone it times the 390,001-entry sweep:

    python3 bench/numpy_sweep.py [--rounds N]
"""
import argparse
import pathlib
import re
import time

import numpy as np

SOURCE = pathlib.Path(__file__).resolve().parent.parent / "colour" / "legacy"
RED_END = 700.0
GREEN_LO, GREEN_HI = 493.885, 569.671
SPECTRAL_HUE_LO, SPECTRAL_HUE_HI = 3.65299990773201, 22.7167512690355
HUE_EQUAL_HUE_LO = 3.653
GREEN_PARTNER_LO, GREEN_PARTNER_HI = 493.884, 569.672
RED_END_SHARES = (0.7347, 0.2653, 0.0)


def rows_of(name):
    """The {...} rows of a table source as a float array."""
    text = (SOURCE / name).read_text()
    body = text[text.index("= {{"):]
    return np.array([[float(v) for v in row.split(",")]
                     for row in re.findall(r"\{([-0-9.e+, ]+)\}", body)])


X_LOCUS = rows_of("x_locus_table.cpp")
Z_LOCUS = rows_of("z_locus_table.cpp")
HUE_TABLE = rows_of("hue_to_wavelength_table.cpp")
CUMULATIVE = rows_of("cumulative_table.cpp")


def cubic(table, v, bridge=False):
    """The first row with lo <= v <= hi, evaluated; NaN where none holds v."""
    lo, hi, c0, c1, c2, c3 = table.T
    i = np.searchsorted(hi, v, side="left")
    inside = i < len(table)
    i = np.minimum(i, len(table) - 1)
    row_lo = lo.take(i)
    ok = inside & (row_lo <= v)
    if bridge:  # the z fit's 0.0001 nm slivers belong to the later row
        ok |= inside & (i > 0) & (row_lo - hi.take(np.maximum(i - 1, 0)) < 0.001)
    value = (v * c1.take(i) + c0.take(i)) + (v * c2.take(i)) * v + ((v * c3.take(i)) * v) * v
    value[~ok] = np.nan
    return value


def complement(x, y):
    xr = (2 - 3 * x) / 3
    yr = (2 - 3 * y) / 3
    return xr, yr, (1 - xr) - yr


def hue_number(x, y, z):
    with np.errstate(divide="ignore", invalid="ignore"):
        H = np.full_like(x, np.nan)
        H = np.where(~(x > y) & ~(x > z), 16 - 5 * ((y - z) / (1 - 3 * x)), H)
        H = np.where(~(y > x) & ~(y > z), 26 - 5 * ((z - x) / (1 - 3 * y)), H)
        H = np.where(~(z > y) & ~(z > x), 6 - 5 * ((x - y) / (1 - 3 * z)), H)
    return H


def floor_thousandth(v):
    return np.floor(1000 * v) / 1000


def bessel_terms():
    rows = np.vstack([np.zeros((1, 3)), CUMULATIVE])  # a zero row at 375 nm
    A, B, C, D = rows[0:77], rows[1:78], rows[2:79], rows[3:80]
    return (C + B) / 2, C - B, (D - 2 * C + B) + (C - 2 * B + A), ((D - 3 * C) + 3 * B) - A


MEAN, D1, D2, D3 = bessel_terms()


def cumulative(lam):
    """T(lambda) for an array: Bessel interpolation, zero below 380, a line above 760."""
    m = (lam - 380) / 5
    w = np.clip(np.floor(np.nan_to_num(m)), 0, 76).astype(np.intp)
    t = m - w
    half, quad = t - 0.5, (t - 1) * t
    cubic_factor = quad * half
    T = np.empty((len(lam), 3))
    for k in range(3):
        T[:, k] = (((half * D1[:, k].take(w) + MEAN[:, k].take(w)) + quad * D2[:, k].take(w) / 4)
                   + cubic_factor * D3[:, k].take(w) / 6)
    T = np.where((lam < 380)[:, None], 0.0, T)
    above = lam > 760
    T[above] = np.column_stack([(0.00004 * lam[above] + 99.9996) - 0.0304,
                                np.full(above.sum(), 100.0), np.full(above.sum(), 100.0)])
    T[np.isnan(lam)] = np.nan
    return T


def describe(T):
    """Colour moment (hundredths, ties to even) and chromaticity of pigments."""
    X, Y, Z = T[:, 0], T[:, 1], T[:, 2]
    moment = np.round(100 * np.sqrt((Y - X) ** 2 + (Y - Z) ** 2)) / 100
    S = (X + Y) + Z
    with np.errstate(divide="ignore", invalid="ignore"):
        return moment, X / S, Y / S


def hue_equal(x, y):
    z = (1 - x) - y
    H = hue_number(x, y, z)
    purple = ~((HUE_EQUAL_HUE_LO <= H) & (H <= SPECTRAL_HUE_HI))
    cx, cy, cz = complement(x, y)
    x, y, z = np.where(purple, cx, x), np.where(purple, cy, y), np.where(purple, cz, z)
    H = np.where(purple, hue_number(x, y, z), H)
    sign = np.where(purple, -1.0, 1.0)
    l1 = np.floor(1000 * cubic(HUE_TABLE, H)) * sign / 1000
    lone = (GREEN_PARTNER_LO < l1) & (l1 < GREEN_PARTNER_HI)
    y = (1 - x) - z
    H2 = hue_number(*complement(x, y))
    l2 = floor_thousandth(cubic(HUE_TABLE, H2))
    return l1, np.where(lone, -l1, l2)


def sweep(lc):
    """First passes (partner 0) for the wavelengths lc: the table's 19 number columns."""
    lc = np.asarray(lc, dtype=float)
    beyond, at_red = lc > RED_END, lc == RED_END
    green = (GREEN_LO <= lc) & (lc <= GREEN_HI) & ~beyond & ~at_red
    x = np.where(at_red, RED_END_SHARES[0], cubic(X_LOCUS, lc))
    z = np.where(at_red, RED_END_SHARES[2], cubic(Z_LOCUS, lc, bridge=True))
    sx, sy, sz = complement(x, (1 - x) - z)
    sx = np.where(beyond, RED_END_SHARES[0], sx)
    sy = np.where(beyond, RED_END_SHARES[1], sy)
    sz = np.where(beyond, RED_END_SHARES[2], sz)
    H = np.where(green, np.nan, hue_number(sx, sy, sz))
    spectral = (SPECTRAL_HUE_LO <= H) & (H <= SPECTRAL_HUE_HI)
    c = floor_thousandth(np.where(spectral, cubic(HUE_TABLE, H), np.nan))
    middle = ~np.isnan(c)
    l = np.where(middle, np.minimum(lc, c), 0.0)
    upper = np.where(middle & (c > lc), c, lc)
    T_l, T_lc = cumulative(np.where(middle, l, np.nan)), cumulative(upper)
    m = middle[:, None]
    first = np.where(m, T_lc - T_l, T_lc)
    second = np.where(m, (100 - T_lc) + T_l, 100 - T_lc)
    first_moment, fx, fy = describe(first)
    second_moment, gx, gy = describe(second)
    f1, f2 = hue_equal(fx, fy)
    s1, s2 = hue_equal(gx, gy)
    s1, s2 = np.where(middle, np.nan, s1), np.where(middle, np.nan, s2)
    return np.column_stack([lc, l, upper, first, first_moment, fx, fy,
                            second, second_moment, gx, gy, f1, f2, s1, s2])


SWEEP = np.arange(380_000, 770_001) / 1000  # the nearest doubles to 380.000 ... 770.000


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--rounds", type=int, default=5)
    rounds = parser.parse_args().rounds
    best = min(_time(lambda: sweep(SWEEP)) for _ in range(rounds))
    print(f"numpy sweep of {len(SWEEP)} passes: {best * 1e3:.0f} ms, "
          f"{best / len(SWEEP) * 1e9:.0f} ns a pass")


def _time(run):
    start = time.perf_counter()
    run()
    return time.perf_counter() - start


if __name__ == "__main__":
    main()
