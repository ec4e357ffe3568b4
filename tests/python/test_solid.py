# The optimal-colour solid through the module: the MacAdam limits with their
# transitions, broadcast as the other functions, a locus the same bits as its
# points asked one Y at a time in the same order, and where colours stand.
import numpy as np
import pytest

import vollfarbe


def test_the_eight_transitions_of_illuminant_c():
    x, y, X, Y, Z, n, first, second = vollfarbe.macadam_limits(10, 0, illuminant="C")
    assert n == 8 and Y == pytest.approx(10, rel=1e-12)
    assert first == pytest.approx(588.56, abs=0.005)


def test_runs_of_one_luminance_are_loci_the_same_bits_as_alone():
    hues = np.arange(0, 360, 7.5)
    together = vollfarbe.macadam_limits(np.array([[30.0], [60.0]]), hues, illuminant="D65")
    assert together[0].shape == (2, len(hues))
    alone = vollfarbe.macadam_limits(60.0, hues, illuminant="D65")
    for joint, single in zip(together, alone):
        np.testing.assert_array_equal(joint[1], single)
    x, y = together[0], together[1]
    white = vollfarbe.cumulative_tristimulus(830, observer="cie1931", illuminant="D65")
    white_x, white_y = vollfarbe.chromaticity(*white)
    angles = np.degrees(np.arctan2(y - white_y, x - white_x)) % 360
    np.testing.assert_allclose(angles, np.broadcast_to(hues, angles.shape), atol=1e-6)


def test_limit_points_have_ratio_one_and_beyond_is_outside():
    x, y, X, Y, Z, *_ = vollfarbe.macadam_limits(50, [20, 140, 260], illuminant="A")
    np.testing.assert_allclose(vollfarbe.limit_ratio(X, Y, Z, illuminant="A"), 1, atol=1e-9)
    assert np.all(vollfarbe.limit_ratio(X * 1.01, Y * 1.01, Z * 1.01, illuminant="A") > 1)
    assert vollfarbe.limit_ratio(0, 0, 0) == 0 and np.isinf(vollfarbe.limit_ratio(1, 101, 1))


def test_full_colour_content_adds_up():
    c, w, s, l, lc, stop = vollfarbe.full_colour_content([20, 30], [30, 20], [25, 40],
                                                         illuminant="D65")
    np.testing.assert_allclose(c + w + s, 1, atol=1e-12)
    assert stop.dtype == bool and np.all(l < lc)


@pytest.mark.parametrize("call, words", [
    (lambda: vollfarbe.macadam_limits(50, 0, observer="legacy"), "colour-matching functions"),
    (lambda: vollfarbe.macadam_limits(100, 0), "0 < Y < 100"),
    (lambda: vollfarbe.macadam_limits(50, np.inf), "finite hue"),
    (lambda: vollfarbe.limit_ratio(np.nan, 1, 1), "finite tristimulus"),
])
def test_mistakes_raise_value_errors_naming_them(call, words):
    with pytest.raises(ValueError) as raised:
        call()
    assert words in str(raised.value)
