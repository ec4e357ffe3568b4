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
             "observers", "illuminants", "macadam_limits", "limit_ratio", "full_colour_content",
             "spectrum_colour", "cct", "daylight"]


def test_every_function_has_a_signature_and_numpy_style_sections():
    for name in FUNCTIONS:
        function = getattr(vollfarbe, name)
        # help() reads the compiled function's text signature; every
        # parameter of the package's function is documented under Parameters.
        assert getattr(vollfarbe._vollfarbe, name).__text_signature__ is not None, name
        for parameter in inspect.signature(function).parameters:
            assert re.search(rf"^(\w+, )*{parameter}(, \w+)* :", function.__doc__, re.M), \
                (name, parameter)
        assert "Examples\n--------" in function.__doc__, name
    assert str(inspect.signature(vollfarbe.optimal_colour)) == \
        "(l, lc=None, kind='band-pass', observer='legacy', illuminant='E', *, out=None, threads=None)"


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
    stub = pathlib.Path(vollfarbe.__file__).with_name("__init__.pyi")
    tree = ast.parse(stub.read_text())
    stubbed = {node.name: [a.arg for a in node.args.args + node.args.kwonlyargs]
               for node in tree.body if isinstance(node, ast.FunctionDef)}
    assert sorted(stubbed) == sorted(FUNCTIONS)
    for name, parameters in stubbed.items():
        assert parameters == list(inspect.signature(getattr(vollfarbe, name)).parameters), name


# The README's line for loading a table with pandas gives back every number
# of the table bit for bit (pandas' default float parser does not: it misses
# the last place of about a thousand cells of the 1 nm table).
def test_readme_pandas_line_reads_the_table_exactly(run_program, tmp_path):
    pd = __import__("pytest").importorskip("pandas")
    import csv, re
    readme = (pathlib.Path(__file__).resolve().parents[2] / "README.md").read_text(encoding="utf-8")
    call = re.search(r'pd\.read_csv\("table\.csv"(.*?)\)\s', readme).group(1)
    path = tmp_path / "table.csv"
    path.write_text(run_program("table"))
    table = eval(f'pd.read_csv(r"{path}"{call})', {"pd": pd})
    rows = list(csv.reader(path.open()))
    header = rows[0]
    differing = sum(float(cell) != table.iat[i, j]
                    for i, row in enumerate(rows[1:]) for j, cell in enumerate(row)
                    if header[j] != "path" and cell != "")
    assert differing == 0
