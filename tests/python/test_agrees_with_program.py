# Every value the module computes is the double the program prints: the
# dialogue's 16 digits for 600 nm, and the table's shortest round-trip text
# for whole sweeps, read back bit for bit.
import re

import numpy as np
import pytest

import vollfarbe
from table_csv import NUMBER_COLUMNS, assert_same_bits, table_columns

def test_columns_are_the_tables(run_program):
    header = run_program("table", "600").splitlines()[0]
    assert list(vollfarbe.compute([600])) == header.split(",")


def test_600_is_what_the_dialogue_prints(run_program):
    transcript = run_program(stdin="600\n q ")
    printed = re.findall(r"= *(-?[0-9][0-9.e+-]*)\s*$", transcript, re.MULTILINE)
    row = vollfarbe.compute(600)
    # The dialogue's order: the pair, the middle pigment (its moment before
    # its chromaticity), the middle-gap pigment (its moment after), l1, l2.
    order = ["l", "lc", "first_X", "first_Y", "first_Z", "first_moment", "first_x", "first_y",
             "second_X", "second_Y", "second_Z", "second_x", "second_y", "second_moment",
             "first_l1", "first_l2"]
    assert printed == [f"{row[name]:.16g}" for name in order]
    assert printed[:3] == ["489.996", "600", "45.67611650968549"]


@pytest.mark.parametrize("table_arguments", [
    ["--from", "380", "--to", "770", "--step", "1"],
    # Both edges of the green range in 0.001 nm steps.
    ["--from", "493.5", "--to", "494.5", "--step", "0.001"],
    ["--from", "569.2", "--to", "570.2", "--step", "0.001"],
    # Outside the data, extrapolated alike.
    ["--from", "300", "--to", "900", "--step", "7.5"],
], ids=["1nm", "green-short-edge", "green-long-edge", "extrapolated"])
def test_sweep_equals_the_table_bit_for_bit(run_program, table_arguments):
    table = table_columns(run_program("table", *table_arguments))
    computed = vollfarbe.compute(table["wavelength"])
    assert np.array_equal(computed["path"], table["path"])
    for name in NUMBER_COLUMNS:
        assert_same_bits(computed[name], table[name], name)


def test_steps_equal_the_tables_columns(run_program):
    table = table_columns(run_program("table", "--from", "380", "--to", "770", "--step", "0.5"))
    w = table["wavelength"]
    middle = table["path"] == "middle"
    l, lc = vollfarbe.compensative_wavelength(w)
    assert_same_bits(l[middle], table["l"][middle], "l")
    assert_same_bits(lc[middle], table["lc"][middle], "lc")
    assert np.isnan(l[~middle]).all() and np.isnan(lc[~middle]).all()

    band = vollfarbe.optimal_colour(table["l"], table["lc"], kind="band-pass")
    gap = vollfarbe.optimal_colour(table["l"], table["lc"], kind="band-stop")
    short_end = vollfarbe.optimal_colour(w, kind="low-pass")
    long_end = vollfarbe.optimal_colour(w, kind="high-pass")
    for i, axis in enumerate("XYZ"):
        assert_same_bits(np.where(middle, band[i], short_end[i]), table[f"first_{axis}"], axis)
        assert_same_bits(np.where(middle, gap[i], long_end[i]), table[f"second_{axis}"], axis)
        cumulative = vollfarbe.cumulative_tristimulus(w)[i]
        assert_same_bits(cumulative[~middle], table[f"first_{axis}"][~middle], axis)

    for pigment in ("first", "second"):
        X, Y, Z = (table[f"{pigment}_{axis}"] for axis in "XYZ")
        assert_same_bits(vollfarbe.colour_moment(X, Y, Z), table[f"{pigment}_moment"], "moment")
        x, y = vollfarbe.chromaticity(X, Y, Z)
        assert_same_bits(x, table[f"{pigment}_x"], "x")
        assert_same_bits(y, table[f"{pigment}_y"], "y")
        l1, l2 = vollfarbe.hue_equal_wavelengths(x, y)
        rows = np.full(middle.shape, True) if pigment == "first" else ~middle
        assert_same_bits(l1[rows], table[f"{pigment}_l1"][rows], "l1")
        assert_same_bits(l2[rows], table[f"{pigment}_l2"][rows], "l2")


# table --partner L is the correction pass after a pair with l = L, as
# compute(partner=) computes it: the same bits, on both paths.
@pytest.mark.parametrize("partner", ["489.996", "380", "520.5", "700"])
def test_partner_equals_the_tables_correction_pass(run_program, partner):
    table = table_columns(run_program("table", "--partner", partner,
                                      "--from", "380", "--to", "770", "--step", "0.5"))
    computed = vollfarbe.compute(table["wavelength"], partner=float(partner))
    assert np.array_equal(computed["path"], table["path"])
    for name in NUMBER_COLUMNS:
        assert_same_bits(computed[name], table[name], name)
