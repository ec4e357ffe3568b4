# The package at the scale of images and clusters: every function handed as
# it is to xarray.apply_ufunc(..., dask="parallelized") and to
# dask.array.map_blocks, run on a dask.distributed cluster of two worker
# processes, gives the in-memory call's bits for any chunking; models go to
# the workers by name or, read from files, as the files' text.
import pathlib
import pickle
import shutil

import numpy as np
import pytest

import vollfarbe

dask_array = pytest.importorskip("dask.array")
xarray = pytest.importorskip("xarray")
distributed = pytest.importorskip("distributed")

# Debian's tornado under distributed warns of its own deprecated call.
pytestmark = pytest.mark.filterwarnings("ignore:make_current is deprecated:DeprecationWarning")

COLORD_CIE1964 = pathlib.Path("/usr/share/colord/cmf/CIE1964-10deg-XYZ.cmf")
SHAPE = (37, 53)
CHUNKINGS = [(37, 53), (10, 20), (7, 1)]


@pytest.fixture(scope="module")
def cluster_client():
    with distributed.LocalCluster(n_workers=2, threads_per_worker=1, processes=True,
                                  dashboard_address=None) as cluster:
        with distributed.Client(cluster) as client:
            yield client


def grid(low, high, seed):
    """A 2-D grid of values with NaN, infinities and a repeated edge among them."""
    values = np.random.default_rng(seed).uniform(low, high, SHAPE)
    values[0, :4] = [np.nan, np.inf, -np.inf, low]
    return values


WAVELENGTHS = grid(375, 780, 1)
PARTNERS = np.where(grid(0, 1, 2) < 0.5, 0.0, grid(380, 700, 3))
XS, YS = grid(0.15, 0.6, 4), grid(0.1, 0.6, 5)
XYZ = (grid(0, 100, 6), grid(0, 100, 7), grid(0, 100, 8))

# Each function with its arguments, its keywords and its number of results.
CALLS = [
    ("compute", (WAVELENGTHS, PARTNERS), dict(columns=("l", "lc", "first_moment", "second_l2")), 4),
    ("compensative_wavelength", (WAVELENGTHS, PARTNERS), dict(observer="cie1931"), 2),
    ("cumulative_tristimulus", (WAVELENGTHS,), dict(), 3),
    ("optimal_colour", (WAVELENGTHS, PARTNERS), dict(kind="band-stop"), 3),
    ("hue_equal_wavelengths", (XS, YS), dict(), 2),
    ("dominant_wavelength", (XS, YS), dict(observer=vollfarbe.Model("cie1964", "D65")), 4),
    ("colour_moment", XYZ, dict(), 1),
    ("chromaticity", XYZ, dict(), 2),
]


def as_tuple(result):
    return result if isinstance(result, tuple) else (result,)


def assert_same_bits(got, expected):
    assert len(got) == len(expected)
    for g, e in zip(got, expected):
        assert np.asarray(g).view(np.uint64).tobytes() == np.asarray(e).view(np.uint64).tobytes()


@pytest.mark.parametrize("name, arguments, keywords, results", CALLS, ids=[c[0] for c in CALLS])
def test_apply_ufunc_on_two_worker_processes_gives_the_same_bits(
        cluster_client, name, arguments, keywords, results):
    function = getattr(vollfarbe, name)
    expected = as_tuple(function(*arguments, **keywords))
    for chunks in CHUNKINGS:
        inputs = [xarray.DataArray(a, dims=("y", "x")).chunk(dict(zip(("y", "x"), chunks)))
                  for a in arguments]
        lazy = xarray.apply_ufunc(function, *inputs, kwargs=keywords, dask="parallelized",
                                  output_core_dims=[[]] * results,
                                  output_dtypes=[np.float64] * results)
        got = cluster_client.compute([r.data for r in as_tuple(lazy)], sync=True)
        assert_same_bits(got, expected)


@pytest.mark.parametrize("chunks", CHUNKINGS)
def test_map_blocks_on_the_cluster_gives_the_same_bits(cluster_client, chunks):
    blocks = [dask_array.from_array(a, chunks=chunks) for a in XYZ]
    moment = dask_array.map_blocks(vollfarbe.colour_moment, *blocks, observer="cie1931",
                                   dtype=np.float64)
    l_column = dask_array.map_blocks(vollfarbe.compute, blocks[0] + 380, columns="l",
                                     dtype=np.float64)
    got = cluster_client.compute([moment, l_column], sync=True)
    assert_same_bits(got, (vollfarbe.colour_moment(*XYZ, observer="cie1931"),
                           vollfarbe.compute(XYZ[0] + 380, columns="l")))


def test_a_model_from_a_cmf_file_travels_as_its_text(cluster_client, tmp_path, run_program):
    cmf = tmp_path / "my-observer.cmf"
    shutil.copyfile(COLORD_CIE1964, cmf)
    lamp = tmp_path / "lamp.sp"
    shutil.copyfile("/usr/share/colord/illuminant/CIE-A.sp", lamp)
    model = vollfarbe.Model(cmf=str(cmf), illuminant=str(lamp))
    # The same model as `vollfarbe table --cmf` reads: the table's bits.
    table = run_program("table", "--cmf", str(cmf), "--illuminant", str(lamp), "600", "450.5")
    l_column = table.splitlines()[0].split(",").index("l")
    assert [float(row.split(",")[l_column]) for row in table.splitlines()[1:]] == \
        list(vollfarbe.compute([600, 450.5], observer=model, columns="l"))
    expected = vollfarbe.dominant_wavelength(XS, YS, observer=model)
    cmf.unlink()
    lamp.unlink()  # the workers cannot read the files: the text goes with the model
    x, y = (dask_array.from_array(a, chunks=(10, 20)) for a in (XS, YS))
    lazy = dask_array.apply_gufunc(vollfarbe.dominant_wavelength, "(),()->(),(),(),()", x, y,
                                   observer=model, output_dtypes=[np.float64] * 4)
    assert_same_bits(cluster_client.compute(list(lazy), sync=True), expected)


def test_models_pickle_by_name_or_as_their_files_text(tmp_path):
    by_name = vollfarbe.Model("cie1931", "D65")
    assert len(pickle.dumps(by_name)) < 200 and pickle.loads(pickle.dumps(by_name)) == by_name
    from_file = vollfarbe.Model(cmf=str(COLORD_CIE1964))
    assert len(pickle.dumps(from_file)) > COLORD_CIE1964.stat().st_size
    # The same model as by name (the name is the file's): the same bits.
    assert_same_bits(vollfarbe.compute(WAVELENGTHS, observer=pickle.loads(pickle.dumps(from_file)),
                                       columns=("l", "first_X")),
                     vollfarbe.compute(WAVELENGTHS, observer="cie1964", columns=("l", "first_X")))


@pytest.mark.parametrize("arguments, error, words", [
    (dict(observer="cie1931", cmf="x.cmf"), ValueError, "give either an observer's name or a cmf"),
    (dict(cmf="/nonexistent/x.cmf"), ValueError, "cmf: /nonexistent/x.cmf: cannot read"),
    (dict(observer="legacy", illuminant="./lamp.sp"), ValueError, "white point E only"),
    (dict(observer="cie1931", illuminant="D66"), ValueError, "no illuminant 'D66'"),
    (dict(observer="cie1931", illuminant="/nonexistent/lamp.sp"), ValueError,
     "under illuminant '/nonexistent/lamp.sp': /nonexistent/lamp.sp: cannot read"),
])
def test_bad_models_raise_naming_them(arguments, error, words):
    with pytest.raises(error) as raised:
        vollfarbe.Model(**arguments)
    assert words in str(raised.value)


def test_a_malformed_file_names_its_line(tmp_path):
    cmf = tmp_path / "short.cmf"
    cmf.write_text(COLORD_CIE1964.read_text().replace("SPECTRAL_BANDS", "SPECTRAL_BANDZ"))
    with pytest.raises(ValueError, match=f"{cmf}:[0-9]+: SPECTRAL_BANDS is missing"):
        vollfarbe.Model(cmf=str(cmf))


def test_a_model_read_from_files_warns_as_the_program_does(tmp_path):
    far = tmp_path / "far.sp"
    far.write_text("SPECTRAL_START_NM 5000\nSPECTRAL_END_NM 9000\nSPECTRAL_BANDS 2\n"
                   "BEGIN_DATA\n1 1\nEND_DATA\n")
    with pytest.warns(UserWarning, match="held constant"):
        vollfarbe.Model(cmf=str(COLORD_CIE1964), illuminant=str(far))


def test_a_model_takes_no_second_illuminant():
    with pytest.raises(ValueError, match="illuminant: a Model has its own illuminant"):
        vollfarbe.compute(600, observer=vollfarbe.Model("cie1931"), illuminant="D65")


def test_the_image_example_gives_the_same_bits_every_way(cluster_client):
    import sys
    script = pathlib.Path(__file__).resolve().parents[2] / "docs" / "python_image_example.py"
    sys.path.insert(0, str(script.parent))
    import python_image_example as example

    cluster_client.upload_file(str(script))  # the workers import it too
    image = example.make_image(90, 140)
    per_pixel = example.hue_per_pixel(image, np.empty((90, 140)), np.empty((90, 140)))
    per_colour = np.empty((90, 140)), np.empty((90, 140))
    assert example.hue_per_colour(image, *per_colour) > 1000
    assert_same_bits(per_colour, per_pixel)
    assert_same_bits(example.hue_on_cluster(cluster_client, image, rows_per_task=13), per_pixel)
    # Purples and spectral hues both, no NaN.
    assert (per_pixel[0] < 0).any() and (per_pixel[0] > 0).any() and not np.isnan(per_pixel[0]).any()
