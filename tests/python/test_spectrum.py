# The spectrum functions compute the program's numbers: the test-colour
# samples bit for bit as `vollfarbe spectrum` prints them, a lamp's CCT, and
# daylight.
import csv
import io

import numpy as np
import pytest

import vollfarbe

TCS = "/usr/share/colord/ref/CIE-TCS.sp"


def tcs_spectra():
    lines = open(TCS).read().split("BEGIN_DATA\n")[1].split("END_DATA")[0].split("\n")
    rows = [line.split() for line in lines if line.strip()]
    return [r[0] for r in rows], np.array([[float(v) for v in r[1:]] for r in rows])


@pytest.mark.parametrize("method", ["exact", "cie15"])
def test_samples_are_the_programs_rows(run_program, method):
    names, values = tcs_spectra()
    colours = vollfarbe.spectrum_colour(np.arange(360, 835, 5), values, illuminant="D65",
                                        method=method)
    printed = list(csv.DictReader(io.StringIO(
        run_program("spectrum", "--illuminant", "D65", "--method", method, TCS))))
    assert [row["sample"] for row in printed] == names
    for column in ["X", "Y", "Z", "x", "y", "dominant", "excitation_purity"]:
        program = np.array([float(row[column]) if row[column] else np.nan for row in printed])
        np.testing.assert_array_equal(colours[column], program, err_msg=column)


def test_a_lamps_temperature_and_daylight():
    nm, power = vollfarbe.daylight(6504)
    assert nm[0] == 300 and nm[-1] == 830 and power[nm == 560] == 100
    cct, duv = vollfarbe.cct(nm, [power, power])
    assert cct.shape == (2,) and abs(cct[0] - 6505.6) < 0.1 and 0.003 < duv[0] < 0.0034
    with pytest.raises(ValueError, match="4000 to 25000"):
        vollfarbe.daylight(3000)


def test_bad_arguments_are_named():
    with pytest.raises(ValueError, match="kind"):
        vollfarbe.spectrum_colour([400, 500], [1, 1], kind="glow")
    with pytest.raises(ValueError, match="values"):
        vollfarbe.spectrum_colour([400, 500], [1, 1, 1])
    with pytest.raises(ValueError, match="built-in tables"):
        vollfarbe.spectrum_colour([400, 500], [1, 1], observer="legacy")
