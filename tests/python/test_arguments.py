# Arguments as numpy ufuncs take them: anything numpy.asarray reads as real
# numbers, broadcast, shapes kept; every mistake a Python exception that
# names the argument.
import numpy as np
import pytest

import vollfarbe


def test_scalars_give_numpy_scalars():
    row = vollfarbe.compute(600)
    assert isinstance(row["l"], np.float64) and row["l"] == 489.996
    assert row["path"] == "middle"
    l, lc = vollfarbe.compensative_wavelength(600)
    assert np.ndim(l) == 0 and np.ndim(lc) == 0


@pytest.mark.parametrize("wavelength, partner, shape", [
    ([600, 450, 520], 0, (3,)),
    (600, [0, 0, 0, 0], (4,)),
    (np.arange(380, 392).reshape(3, 4), 0, (3, 4)),
    (np.full((2, 1), 600.0), np.zeros((1, 3)), (2, 3)),
    (np.empty((0, 2)), 0, (0, 2)),
])
def test_results_keep_the_broadcast_shape(wavelength, partner, shape):
    rows = vollfarbe.compute(wavelength, partner)
    assert all(np.shape(column) == shape for column in rows.values())
    flat = vollfarbe.compute(np.ravel(np.broadcast_to(wavelength, shape)),
                             np.ravel(np.broadcast_to(partner, shape)))
    for name, column in rows.items():
        assert np.array_equal(np.ravel(column), flat[name], equal_nan=name != "path"), name


def test_any_real_dtype_and_layout():
    expected = vollfarbe.compute([600.0, 450.0])["l"]
    for given in ([600, 450], (600, 450), np.array([600, 450], dtype=np.int16),
                  np.array([600, 450], dtype=np.float32), np.array([450, 0, 600])[::-2]):
        assert np.array_equal(vollfarbe.compute(given)["l"], expected)


def test_every_function_broadcasts():
    x = np.array([[0.3477056641250473], [0.2]])
    assert vollfarbe.hue_equal_wavelengths(x, [0.5957024090487569, 0.3, 0.4])[0].shape == (2, 3)
    assert vollfarbe.colour_moment(np.ones((2, 1)), np.ones(3), 1)[0].shape == (3,)
    assert vollfarbe.optimal_colour([[450]], [600, 610])[0].shape == (1, 2)
    assert vollfarbe.chromaticity(1, 2, [3, 4])[1].shape == (2,)


@pytest.mark.parametrize("call, error, words", [
    (lambda: vollfarbe.compute("600"), TypeError, "wavelength: '600' is a string"),
    (lambda: vollfarbe.compute(None), TypeError, "wavelength: None"),
    (lambda: vollfarbe.compute([600, None]), TypeError, "wavelength: an array of dtype object"),
    (lambda: vollfarbe.compute(600, partner=b"0"), TypeError, "partner:"),
    (lambda: vollfarbe.compute(600 + 1j), TypeError, "complex128"),
    (lambda: vollfarbe.compute([[600], [600, 610]]), ValueError, "wavelength: cannot be read"),
    (lambda: vollfarbe.compute([1, 2, 3], [1, 2]), ValueError,
     "wavelength and partner: shapes (3,), (2,) do not broadcast"),
    (lambda: vollfarbe.compute(600, observer=None), TypeError, "observer: give a name as a str"),
    (lambda: vollfarbe.optimal_colour(450, 600, kind="band"), ValueError, "kind: 'band' is not"),
    (lambda: vollfarbe.optimal_colour(450), TypeError, "lc: a band-pass colour needs both edges"),
    (lambda: vollfarbe.optimal_colour(450, 600, kind="low-pass"), ValueError, "lc: a low-pass"),
    (lambda: vollfarbe.chromaticity(1, 2, "3"), TypeError, "Z: '3' is a string"),
])
def test_bad_arguments_raise_naming_them(call, error, words):
    with pytest.raises(error) as raised:
        call()
    assert words in str(raised.value)


def test_nan_and_infinite_entries_flow_through():
    rows = vollfarbe.compute([np.nan, np.inf, -np.inf, 600])
    assert list(rows["path"]) == ["end", "middle", "end", "middle"]
    assert np.isnan(rows["first_X"][0]) and np.isnan(rows["lc"][0])
    # At or beyond the red end a pass takes the red end's partner.
    assert rows["l"][1] == 699.999 and rows["lc"][1] == np.inf
    # No light below the data: the short-end pigment is black.
    assert rows["first_X"][2] == 0 and rows["second_X"][2] == 100
    assert rows["l"][3] == 489.996
    l, lc = vollfarbe.compensative_wavelength([np.nan, 720], [0, np.nan])
    assert np.isnan(l[0]) and np.isnan(lc[0])
    assert (l[1], lc[1]) == (699.999, 720)
