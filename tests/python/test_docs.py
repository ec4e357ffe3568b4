# The help a user reads: every function documented with its signature, every
# example in the docstrings true, and the README's example script running.
import ast
import doctest
import inspect
import re
import pathlib
import subprocess
import sys

import vollfarbe

FUNCTIONS = ["compute", "compensative_wavelength", "cumulative_tristimulus", "optimal_colour",
             "hue_equal_wavelengths", "dominant_wavelength", "colour_moment", "chromaticity",
             "observers", "illuminants", "spectrum_colour", "cct", "daylight"]


def test_every_function_has_a_signature_and_numpy_style_sections():
    for name in FUNCTIONS:
        function = getattr(vollfarbe, name)
        # Python reads the signature from the compiled text signature; every
        # parameter it names is documented under Parameters.
        assert function.__text_signature__ is not None, name
        for parameter in inspect.signature(function).parameters:
            assert re.search(rf"^(\w+, )*{parameter}(, \w+)* :", function.__doc__, re.M), \
                (name, parameter)
        assert "Examples\n--------" in function.__doc__, name
    assert str(inspect.signature(vollfarbe.optimal_colour)) == \
        "(l, lc=None, kind='band-pass', observer='legacy', illuminant='E')"


def test_docstring_examples_hold():
    results = doctest.testmod(vollfarbe, optionflags=doctest.NORMALIZE_WHITESPACE)
    assert results.attempted > 20 and results.failed == 0


def test_readme_example_runs_and_draws(tmp_path):
    script = pathlib.Path(__file__).resolve().parents[2] / "docs" / "python_example.py"
    png = tmp_path / "ring.png"
    printed = subprocess.run([sys.executable, str(script), str(png)], check=True,
                             capture_output=True, text=True).stdout
    assert printed.splitlines()[1].split() == \
        ["380.0", "380.000", "569.672", "34.842623", "59.602738", "99.952158", "47.34"]
    assert png.read_bytes()[:8] == b"\x89PNG\r\n\x1a\n"


def test_type_stub_matches_the_module():
    stub = pathlib.Path(vollfarbe.__file__).with_name("vollfarbe.pyi")
    tree = ast.parse(stub.read_text())
    stubbed = {node.name: [a.arg for a in node.args.args]
               for node in tree.body if isinstance(node, ast.FunctionDef)}
    assert sorted(stubbed) == sorted(FUNCTIONS)
    for name, parameters in stubbed.items():
        assert parameters == list(inspect.signature(getattr(vollfarbe, name)).parameters), name
