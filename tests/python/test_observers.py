# The CIE observers through the module: every value the table prints for the
# same observer and illuminant, names checked, and the dominant wavelength
# with its purities.
import os
import threading

import numpy as np
import pytest

import vollfarbe
from table_csv import NUMBER_COLUMNS, assert_same_bits, table_columns


@pytest.mark.parametrize("observer, illuminant", [("cie1931", "E"), ("cie1964", "D65")])
def test_sweep_equals_the_table_bit_for_bit(run_program, observer, illuminant):
    table = table_columns(run_program("table", "--observer", observer, "--illuminant", illuminant,
                                      "--from", "380", "--to", "770", "--step", "0.5"))
    computed = vollfarbe.compute(table["wavelength"], observer=observer, illuminant=illuminant)
    assert np.array_equal(computed["path"], table["path"])
    for name in NUMBER_COLUMNS:
        assert_same_bits(computed[name], table[name], name)


def test_names_in_any_case_and_the_same_model_again():
    once = vollfarbe.compute(600, observer="cie1931", illuminant="d65")
    again = vollfarbe.compute(600, observer="cie1931", illuminant="D65")
    assert once["l"] == again["l"] and once["l"] != vollfarbe.compute(600)["l"]


@pytest.mark.parametrize("arguments, error, words", [
    (dict(observer="cie2006"), ValueError, "observer: no observer 'cie2006'; there are: legacy, cie1931"),
    (dict(observer="cie1931", illuminant="D66"), ValueError, "illuminant: no illuminant 'D66'"),
    (dict(illuminant="D65"), ValueError, "white point E only"),
    (dict(observer="cie1931", illuminant="/nonexistent/lamp.sp"), ValueError,
     "/nonexistent/lamp.sp: cannot read"),
    (dict(observer="cie1931", illuminant=65), TypeError, "illuminant: give a name as a str"),
    (dict(observer="cie1931", illuminant="/tmp/\ud800.sp"), ValueError, "a lone surrogate"),
    (dict(observer="cie1931", illuminant="/usr/share/colord/ref/x.sp\0.txt"), ValueError,
     "holds a NUL character"),
    (dict(observer="cie1931", illuminant="/dev/zero"), ValueError, "/dev/zero: cannot read: not a regular file"),
])
def test_bad_models_raise_naming_them(arguments, error, words):
    with pytest.raises(error) as raised:
        vollfarbe.compute(600, **arguments)
    assert words in str(raised.value)


def test_a_fifo_as_illuminant_is_refused_without_waiting(tmp_path):
    fifo = tmp_path / "lamp.sp"
    os.mkfifo(fifo)
    # Should the load wait for a writer after all, one comes: a failure, not a hang.
    writer = threading.Timer(10, lambda: open(fifo, "w").close())
    writer.daemon = True
    writer.start()
    try:
        with pytest.raises(ValueError, match="not a regular file"):
            vollfarbe.compute(600, observer="cie1931", illuminant=str(fifo))
    finally:
        writer.cancel()


def test_questionable_data_give_a_warning(tmp_path):
    far = tmp_path / "far.sp"
    far.write_text("SPECTRAL_START_NM 5000\nSPECTRAL_END_NM 9000\nSPECTRAL_BANDS 2\n"
                   "BEGIN_DATA\n1 1\nEND_DATA\n")
    with pytest.warns(UserWarning, match="its first value is held constant from 360 nm to 830 nm"):
        vollfarbe.compute(600, observer="cie1931", illuminant=str(far))


def narrow_band(w, observer):
    """The chromaticity of a band 0.001 nm wide: a point of the spectrum locus."""
    return vollfarbe.chromaticity(*vollfarbe.optimal_colour(w - 0.0005, w + 0.0005, observer=observer))


def test_dominant_wavelength_of_the_locus_of_purples_and_of_white():
    x, y = narrow_band(np.array([450.0, 520.0, 600.0]), "cie1931")
    dominant, complementary, excitation, colorimetric = vollfarbe.dominant_wavelength(x, y)
    assert np.allclose(dominant, [450, 520, 600], atol=0.002)
    assert np.isnan(complementary[1]) and complementary[0] > 560 and complementary[2] < 495
    assert np.allclose(excitation, 1, atol=1e-4) and np.allclose(colorimetric, 1, atol=1e-4)

    # All but the band 480..600 nm is a purple: minus its complementary wavelength.
    purple = vollfarbe.chromaticity(*vollfarbe.optimal_colour(480, 600, "band-stop", "cie1931"))
    d, c, pe, pc = vollfarbe.dominant_wavelength(*purple)
    assert d < 0 and -d == c and 0 < pe < 1

    white = vollfarbe.chromaticity(*vollfarbe.cumulative_tristimulus(1000, "cie1931"))
    assert np.isnan(vollfarbe.dominant_wavelength(*white)).all()


def test_dominant_wavelength_broadcasts_and_needs_a_cie_observer():
    assert vollfarbe.dominant_wavelength([[0.3], [0.4]], [0.2, 0.3, 0.5])[2].shape == (2, 3)
    with pytest.raises(ValueError, match="observer: .* gives no dominant wavelength"):
        vollfarbe.dominant_wavelength(0.3, 0.5, observer="legacy")
