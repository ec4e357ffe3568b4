# Results written into the caller's arrays (out=), as a numpy ufunc writes
# them: the same bits as new arrays, nothing allocated, and every array that
# cannot take them refused with a message naming it.
import numpy as np
import pytest

import vollfarbe

W = np.linspace(370, 790, 40001).reshape(1, 40001)  # long enough for two threads
XS, YS = np.full((3, 5), 0.2), np.linspace(0.1, 0.6, 15).reshape(3, 5)

CALLS = [
    (vollfarbe.compensative_wavelength, (W, 0), {}, 2),
    (vollfarbe.cumulative_tristimulus, (W,), {}, 3),
    (vollfarbe.optimal_colour, (W, W + 30), {}, 3),
    (vollfarbe.hue_equal_wavelengths, (XS, YS), {}, 2),
    (vollfarbe.dominant_wavelength, (XS, YS), dict(observer="cie1964"), 4),
    (vollfarbe.colour_moment, (W, W / 2, 40), {}, 1),
    (vollfarbe.chromaticity, (W, W / 2, 40), {}, 2),
]


@pytest.mark.parametrize("function, arguments, keywords, count", CALLS,
                         ids=[c[0].__name__ for c in CALLS])
def test_out_takes_the_same_bits_and_is_returned(function, arguments, keywords, count):
    expected = function(*arguments, **keywords)
    expected = expected if isinstance(expected, tuple) else (expected,)
    out = tuple(np.full(np.shape(expected[0]), 7.0) for _ in range(count))
    returned = function(*arguments, **keywords, out=out if count > 1 else out[0], threads=2)
    assert returned is (out if count > 1 else out[0])
    for got, want in zip(out, expected):
        assert got.tobytes() == want.tobytes()


def test_compute_writes_every_column_into_the_dict_given():
    w = np.arange(380, 771, 0.25)
    expected = vollfarbe.compute(w)
    out = {name: np.empty_like(column) for name, column in expected.items()}
    assert vollfarbe.compute(w, out=out) is out
    for name, column in expected.items():
        assert out[name].tobytes() == column.tobytes(), name
    # The wavelengths' own array may be their column.
    out["wavelength"] = w
    assert vollfarbe.compute(w, out=out)["l"].tobytes() == expected["l"].tobytes()


def test_compute_gives_columns_alone_for_apply_ufunc():
    rows = vollfarbe.compute([600, 520])
    assert np.array_equal(vollfarbe.compute([600, 520], columns="lc"), rows["lc"])
    path, l = vollfarbe.compute([600, 520], columns=["path", "l"])
    assert list(path) == ["middle", "end"] and np.array_equal(l, rows["l"])
    with pytest.raises(ValueError, match="columns: no column 'L'; there are: wavelength, path, l"):
        vollfarbe.compute(600, columns="L")


x = np.linspace(0.2, 0.4, 6)
y = np.linspace(0.3, 0.5, 6)


@pytest.mark.parametrize("out, error, words", [
    (np.empty(6), TypeError, "out: give a tuple of 4 float64 arrays"),
    ((np.empty(6),) * 3, TypeError, "out: give a tuple of 4"),
    ((np.empty(6), np.empty(6), np.empty(6), [0.0] * 6), TypeError, "out[3]: give a numpy array"),
    ((np.empty(6), np.empty(6, np.float32), np.empty(6), np.empty(6)), TypeError,
     "out[1]: an array of dtype float32 cannot take the results, which are float64"),
    ((np.empty(6), np.empty(6), np.empty((2, 3)), np.empty(6)), ValueError,
     "out[2]: shape (2, 3) is not the arguments' broadcast shape (6,)"),
    ((np.empty(12)[::2], np.empty(6), np.empty(6), np.empty(6)), ValueError,
     "out[0]: the array is not C-contiguous"),
    ((np.empty(6), np.empty(6), np.empty(6), np.broadcast_to(np.empty(1), 6)), ValueError,
     "out[3]: the array is not C-contiguous"),
])
def test_out_arrays_that_cannot_take_the_results_are_refused(out, error, words):
    with pytest.raises(error) as raised:
        vollfarbe.dominant_wavelength(x, y, out=out)
    assert words in str(raised.value)


def test_out_must_be_writeable_and_must_not_overlap():
    frozen = np.empty(6)
    frozen.flags.writeable = False
    with pytest.raises(ValueError, match=r"out\[1\]: the array is read-only"):
        vollfarbe.chromaticity(x, y, 1, out=(np.empty(6), frozen))
    shared = np.empty(6)
    with pytest.raises(ValueError, match=r"out\[1\]: shares memory with out\[0\]"):
        vollfarbe.chromaticity(x, y, 1, out=(shared, shared))
    block = np.linspace(0.2, 0.4, 7)
    with pytest.raises(ValueError, match=r"out\[0\]: overlaps an argument without being that"):
        vollfarbe.chromaticity(block[:6], y, 1, out=(block[1:], np.empty(6)))
    # In place: the argument itself takes its result.
    expected = vollfarbe.chromaticity(x, y, 1)
    same = x.copy()
    vollfarbe.chromaticity(same, y, 1, out=(same, np.empty(6)))
    assert same.tobytes() == expected[0].tobytes()


def test_compute_out_needs_every_column():
    out = {name: np.empty(2) for name in vollfarbe.compute(600)}
    out["path"] = np.empty(2, "<U6")
    del out["l"]
    with pytest.raises(ValueError, match="out: give an array for each of the 20 columns"):
        vollfarbe.compute([600, 610], out=out)
    out["l"] = np.empty(2)
    out["path"] = np.empty(2, "<U5")
    with pytest.raises(TypeError, match=r"out\['path'\]: an array of dtype <U5"):
        vollfarbe.compute([600, 610], out=out)
