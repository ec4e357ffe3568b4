# The help a user reads: every function documented with its signature, and
# every example in the docstrings true.
import doctest
import inspect

import vollfarbe

FUNCTIONS = ["compute", "compensative_wavelength", "cumulative_tristimulus", "optimal_colour",
             "hue_equal_wavelengths", "colour_moment", "chromaticity", "observers", "illuminants"]


def test_every_function_has_a_signature_and_numpy_style_sections():
    for name in FUNCTIONS:
        function = getattr(vollfarbe, name)
        assert inspect.signature(function), name
        assert "Examples\n--------" in function.__doc__, name
    assert str(inspect.signature(vollfarbe.optimal_colour)) == \
        "(l, lc=None, kind='band-pass', observer='legacy', illuminant='E')"


def test_docstring_examples_hold():
    results = doctest.testmod(vollfarbe, optionflags=doctest.NORMALIZE_WHITESPACE)
    assert results.attempted > 20 and results.failed == 0
