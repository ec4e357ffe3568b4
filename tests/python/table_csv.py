# The table's CSV read back as numpy columns, and the bit-for-bit comparison
# the tests make with it.
import numpy as np

NUMBER_COLUMNS = ["wavelength", "l", "lc",
                  "first_X", "first_Y", "first_Z", "first_moment", "first_x", "first_y",
                  "second_X", "second_Y", "second_Z", "second_moment", "second_x", "second_y",
                  "first_l1", "first_l2", "second_l1", "second_l2"]


def table_columns(csv_text):
    """The table's CSV as column -> array; an empty field is NaN."""
    lines = csv_text.splitlines()
    names = lines[0].split(",")
    fields = [line.split(",") for line in lines[1:]]
    columns = {}
    for i, name in enumerate(names):
        values = [row[i] for row in fields]
        columns[name] = (np.array(values) if name == "path" else
                         np.array([float(v) if v else np.nan for v in values]))
    return columns


def assert_same_bits(actual, expected, name):
    """Equal doubles bit for bit (so -0 is not 0), NaN exactly where expected has NaN."""
    assert actual.dtype == np.float64, name
    nan = np.isnan(expected)
    assert np.array_equal(np.isnan(actual), nan), name
    differ = np.flatnonzero(actual.view(np.uint64)[~nan] != expected.view(np.uint64)[~nan])
    assert differ.size == 0, f"{name}: first of {differ.size} differences at row {differ[:1]}"
