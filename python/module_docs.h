// The docstrings of the module (numpy style). Each function's starts with
// its signature and "--", the form help() and inspect.signature read; every
// example is checked by tests/python/test_docs.py.
#pragma once

namespace vollfarbe_python::docs {

inline constexpr const char* module = R"(The optimal colours of the spectrum, computed exactly, over numpy arrays.

For a limit wavelength the colour model finds its compensative
(complementary) wavelength, the two optimal colours ("Vollfarben") the
pair bounds -- the band between them and the rest of the spectrum -- with
their tristimulus values, chromaticity and colour moment, and their
hue-equal wavelengths. Every value is the double that ``vollfarbe table``
prints for the same entry, bit for bit: the model runs in x87 extended
precision in a fixed order, whatever arithmetic mode the Python process
is in.

The colour model is the built-in tables (observer 'legacy', white point E)
unless a function is given another: the CIE 1931 and 1964 observers
('cie1931', 'cie1964') under any illuminant of colord-data ('E', 'D65',
'A', ...) or one read from a spectral file.

Every function takes numbers, sequences or numpy arrays (anything
``numpy.asarray`` reads as real numbers), broadcasts its arguments against
each other as a numpy ufunc does, and returns float64 arrays of the
broadcast shape (numpy scalars for scalar arguments). Where the model has
no value the result is NaN.

Functions
---------
compute                  the table's row for each wavelength: a dict of columns
compensative_wavelength  the ordered pair (l, lc) of a wavelength and its partner
cumulative_tristimulus   X, Y, Z of the spectrum from its short end up to a wavelength
optimal_colour           X, Y, Z of a band-pass, band-stop, low-pass or high-pass colour
hue_equal_wavelengths    the hue-equal wavelengths l1, l2 of a chromaticity
dominant_wavelength      dominant and complementary wavelength and purities (CIE observers)
colour_moment            the colour moment M of X, Y, Z
chromaticity             x, y of X, Y, Z
macadam_limits           the MacAdam limit at a luminance factor and hue angle (CIE observers)
limit_ratio              where a colour stands: its distance over the limit's from the white point
full_colour_content      c, w, s of a colour and its full colour's compensative pair
observers, illuminants   the names the ``observer`` and ``illuminant`` arguments take
spectrum_colour          X, Y, Z, x, y and the dominant wavelength of sample spectra
cct                      the correlated colour temperature and Duv of emission spectra
daylight                 CIE daylight of a correlated colour temperature
Model                    a colour model as an object: built once, pickled to other processes

Every function and every ``Model`` pickles (a model read from files as the
files' text), so they work in ``dask.array.map_blocks``,
``xarray.apply_ufunc(..., dask="parallelized")`` and on the worker
processes of a ``dask.distributed`` cluster, with the same bits for any
chunking.

Examples
--------
>>> import vollfarbe, pandas
>>> row = vollfarbe.compute(600)
>>> float(row["l"]), float(row["first_X"])
(489.996, 45.676116509685485)
>>> table = pandas.DataFrame(vollfarbe.compute(range(380, 771)))
>>> table.shape
(391, 20)
)";

inline constexpr const char* compute =
    R"(compute(wavelength, partner=0.0, observer='legacy', illuminant='E', threads=None, out=None, columns=None)
--

The first pass of the calculator for each wavelength: the table's rows.

Parameters
----------
wavelength : array_like
    The entered (limit) wavelengths, nm.
partner : array_like, optional
    The previous partner wavelength l of each entry, nm; 0 (the default)
    is a first pass, as the table computes it.
observer, illuminant : str or Model, optional
    The colour model (a ``Model``, or) by the names of its observer and illuminant:
    ``'legacy'`` (the built-in tables, white point E only), ``'cie1931'``
    or ``'cie1964'``; an illuminant of ``illuminants()`` (any case) or the
    path of a spectral file (CGATS, as colord-data's).
threads : int, optional
    How many threads share the work at most; None (the default) uses every
    core the process may run on. The results are the same bits for any
    count.
out : dict of str to ndarray, optional
    Arrays to write the columns into: one for each column, float64 (the
    path ``'<U6'``), C-contiguous, of the broadcast shape; the dict is
    returned. Nothing else is allocated.
columns : str or sequence of str, optional
    Return only this column (an array) or these (a tuple of arrays, in the
    order given) instead of the dict: a function of arrays to arrays, as
    ``xarray.apply_ufunc`` and ``dask.array.map_blocks`` take them.

Returns
-------
dict of str to ndarray
    One array per column of ``vollfarbe table``, in its order, each of the
    broadcast shape of `wavelength` and `partner`:

    - ``wavelength``: the entry;
    - ``path``: ``'middle'`` where a compensative wavelength exists,
      ``'end'`` where it does not (the green range), as str;
    - ``l``, ``lc``: the ordered pair (nm); on the end path the partner and
      the entry;
    - ``first_X``, ``first_Y``, ``first_Z``, ``first_moment``, ``first_x``,
      ``first_y``: the middle pigment (end path: the short-end pigment);
    - ``second_X`` ... ``second_y``: the middle-gap pigment (end path: the
      long-end pigment);
    - ``first_l1``, ``first_l2``, ``second_l1``, ``second_l2``: hue-equal
      wavelengths of each; the second pair is NaN on the middle path.

    NaN stands where the table leaves a field empty.
    ``pandas.DataFrame(compute(w))`` is the table.

Raises
------
TypeError
    An argument is no number (None, a str, an array of objects), a name is
    no str or `threads` no int.
ValueError
    The shapes do not broadcast, a name is unknown or `threads` below 1.

Examples
--------
>>> import vollfarbe
>>> row = vollfarbe.compute(600)
>>> row["path"], float(row["l"]), float(row["lc"]), float(row["first_moment"])
('middle', 489.996, 600.0, 77.95)
>>> rows = vollfarbe.compute([[450, 520], [600, 720]])
>>> rows["path"]
array([['middle', 'end'],
       ['middle', 'middle']], dtype='<U6')
>>> rows["lc"]
array([[571.209, 520.   ],
       [600.   , 720.   ]])
)";

inline constexpr const char* compensative_wavelength =
    R"(compensative_wavelength(wavelength, partner=0.0, observer='legacy', illuminant='E', out=None, threads=None)
--

The compensative (complementary) wavelength of each wavelength, as a pair.

Parameters
----------
wavelength : array_like
    The working wavelengths lc, nm.
partner : array_like, optional
    The previous partner l, nm (0: a first pass).
observer, illuminant : str or Model, optional
    The colour model; see ``observers()``, ``illuminants()`` and ``Model``.
out : tuple of 2 ndarray, optional
    Arrays to write the results into, as a numpy ufunc's ``out``: float64,
    C-contiguous, of the broadcast shape; they are returned. Nothing else is
    allocated.
threads : int, optional
    How many threads share the work at most; None (the default) uses every
    core. The results are the same bits for any count.

Returns
-------
l, lc : ndarray
    The ordered pair, l <= lc, the partner floored to 0.001 nm; NaN where
    there is none (the green range, or no spectral complement).

Examples
--------
>>> import vollfarbe
>>> vollfarbe.compensative_wavelength([600, 450, 520])
(array([489.996, 450.   ,     nan]), array([600.   , 571.209,     nan]))
)";

inline constexpr const char* cumulative_tristimulus =
    R"(cumulative_tristimulus(wavelength, observer='legacy', illuminant='E', out=None, threads=None)
--

The tristimulus values T of the spectrum from its short end up to each wavelength.

Parameters
----------
wavelength : array_like
    Upper end of the spectrum taken, nm.
observer, illuminant : str or Model, optional
    The colour model; see ``observers()``, ``illuminants()`` and ``Model``.
out : tuple of 3 ndarray, optional
    Arrays to write the results into, as a numpy ufunc's ``out``: float64,
    C-contiguous, of the broadcast shape; they are returned. Nothing else is
    allocated.
threads : int, optional
    How many threads share the work at most; None (the default) uses every
    core. The results are the same bits for any count.

Returns
-------
X, Y, Z : ndarray
    In percent of those of the whole spectrum: 0 below the data, 100 at
    their end.

Examples
--------
>>> import vollfarbe
>>> [float(v) for v in vollfarbe.cumulative_tristimulus(520)]
[16.8885, 16.06028, 98.96486]
)";

inline constexpr const char* optimal_colour =
    R"(optimal_colour(l, lc=None, kind='band-pass', observer='legacy', illuminant='E', out=None, threads=None)
--

Tristimulus values of the optimal colour with edges l and lc.

Parameters
----------
l : array_like
    The short edge, nm; for ``'low-pass'`` and ``'high-pass'`` the one edge.
lc : array_like, optional
    The long edge, nm: needed by ``'band-pass'`` and ``'band-stop'``,
    refused by the others.
kind : {'band-pass', 'band-stop', 'low-pass', 'high-pass'}, optional
    Which light the colour reflects: the band from l to lc (the middle
    pigment, T(lc) - T(l) as written, so negative for l > lc), all but that
    band (the middle-gap pigment), the spectrum up to l (the short-end
    pigment) or from l on (the long-end pigment).
observer, illuminant : str or Model, optional
    The colour model; see ``observers()``, ``illuminants()`` and ``Model``.
out : tuple of 3 ndarray, optional
    Arrays to write the results into, as a numpy ufunc's ``out``: float64,
    C-contiguous, of the broadcast shape; they are returned. Nothing else is
    allocated.
threads : int, optional
    How many threads share the work at most; None (the default) uses every
    core. The results are the same bits for any count.

Returns
-------
X, Y, Z : ndarray
    In percent of those of the whole spectrum.

Examples
--------
>>> import vollfarbe
>>> [float(v) for v in vollfarbe.optimal_colour(489.996, 600)]
[45.676116509685485, 78.25403911460552, 7.434159721629669]
>>> [float(v) for v in vollfarbe.optimal_colour(520, kind="high-pass")]
[83.1115, 83.93972, 1.0351399999999984]
)";

inline constexpr const char* hue_equal_wavelengths =
    R"(hue_equal_wavelengths(x, y, observer='legacy', illuminant='E', out=None, threads=None)
--

The hue-equal wavelengths l1, l2 of each chromaticity.

Parameters
----------
x, y : array_like
    Chromaticity coordinates.
observer, illuminant : str or Model, optional
    The colour model; see ``observers()``, ``illuminants()`` and ``Model``.
out : tuple of 2 ndarray, optional
    Arrays to write the results into, as a numpy ufunc's ``out``: float64,
    C-contiguous, of the broadcast shape; they are returned. Nothing else is
    allocated.
threads : int, optional
    How many threads share the work at most; None (the default) uses every
    core. The results are the same bits for any count.

Returns
-------
l1, l2 : ndarray
    l1 the spectral wavelength of the same hue, l2 its compensative
    wavelength, nm. A negative l1 marks a purple: -l1 is its compensative
    wavelength; l2 = -l1 marks an l1 in the green range, which has none.
    NaN where a lookup has no value.

Examples
--------
>>> import vollfarbe
>>> [float(v) for v in vollfarbe.hue_equal_wavelengths(0.3477056641250473, 0.5957024090487569)]
[556.84, -556.84]
)";

inline constexpr const char* dominant_wavelength =
    R"(dominant_wavelength(x, y, observer='cie1931', illuminant='E', out=None, threads=None)
--

The dominant wavelength and the purities of each chromaticity (CIE 15).

Parameters
----------
x, y : array_like
    Chromaticity coordinates.
observer, illuminant : str or Model, optional
    A CIE observer (or a ``Model`` of one) (``'cie1931'``, ``'cie1964'``) and the illuminant whose
    white point the colours are seen from; the built-in tables give no
    purities.
out : tuple of 4 ndarray, optional
    Arrays to write the results into, as a numpy ufunc's ``out``: float64,
    C-contiguous, of the broadcast shape; they are returned. Nothing else is
    allocated.
threads : int, optional
    How many threads share the work at most; None (the default) uses every
    core. The results are the same bits for any count.

Returns
-------
dominant : ndarray
    The wavelength (nm) where the line from the white point through the
    colour meets the spectrum locus, floored to 0.001 nm; for a purple
    minus its complementary wavelength.
complementary : ndarray
    The wavelength on the far side of the white point; NaN where that side
    is the purple line.
excitation_purity : ndarray
    The colour's distance from the white point over that of the locus (or
    purple-line) point in its direction: 0 at the white, 1 on the locus.
colorimetric_purity : ndarray
    The excitation purity times y of that point over y of the colour.

    All four are NaN at the white point itself.

Raises
------
ValueError
    For observer='legacy', or an unknown observer or illuminant.

Examples
--------
>>> import vollfarbe
>>> d, c, pe, pc = vollfarbe.dominant_wavelength(0.6270365997585851, 0.37249114522519133)
>>> float(d), round(float(pe), 6)
(599.999, 1.0)
)";

inline constexpr const char* colour_moment =
    R"(colour_moment(X, Y, Z, observer='legacy', illuminant='E', out=None, threads=None)
--

The colour moment M = sqrt((Y - X)**2 + (Y - Z)**2), rounded to hundredths.

Ties round to even. It tells how far a colour lies from white.

Parameters
----------
X, Y, Z : array_like
    Tristimulus values in percent.
observer, illuminant : str or Model, optional
    The colour model; see ``observers()``, ``illuminants()`` and ``Model``.
out : ndarray, optional
    Arrays to write the results into, as a numpy ufunc's ``out``: float64,
    C-contiguous, of the broadcast shape; they are returned. Nothing else is
    allocated.
threads : int, optional
    How many threads share the work at most; None (the default) uses every
    core. The results are the same bits for any count.

Returns
-------
ndarray

Examples
--------
>>> import vollfarbe
>>> float(vollfarbe.colour_moment(45.676116509685485, 78.25403911460552, 7.434159721629669))
77.95
)";

inline constexpr const char* chromaticity =
    R"(chromaticity(X, Y, Z, out=None, threads=None)
--

The chromaticity coordinates x = X / (X + Y + Z), y = Y / (X + Y + Z).

Parameters
----------
X, Y, Z : array_like
    Tristimulus values.
out : tuple of 2 ndarray, optional
    Arrays to write the results into, as a numpy ufunc's ``out``: float64,
    C-contiguous, of the broadcast shape; they are returned. Nothing else is
    allocated.
threads : int, optional
    How many threads share the work at most; None (the default) uses every
    core. The results are the same bits for any count.

Returns
-------
x, y : ndarray

Examples
--------
>>> import vollfarbe
>>> [float(v) for v in vollfarbe.chromaticity(45.676116509685485, 78.25403911460552, 7.434159721629669)]
[0.3477056641250473, 0.5957024090487569]
)";

inline constexpr const char* observers = R"(observers()
--

The names the ``observer`` argument takes: ``'legacy'`` (the built-in
tables), ``'cie1931'`` (CIE 1931 2 degrees) and ``'cie1964'`` (CIE 1964 10
degrees).

Examples
--------
>>> import vollfarbe
>>> vollfarbe.observers()
['legacy', 'cie1931', 'cie1964']
)";

inline constexpr const char* illuminants = R"(illuminants()
--

The illuminant names the ``illuminant`` argument takes, as colord-data
has them; a path of a spectral file is taken too. The built-in tables
(observer ``'legacy'``) have ``'E'`` only.

Examples
--------
>>> import vollfarbe
>>> "D65" in vollfarbe.illuminants()
True
)";

}  // namespace vollfarbe_python::docs
