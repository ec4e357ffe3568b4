// The docstrings of the optimal-colour solid's functions (numpy style); the
// examples are checked by tests/python/test_docs.py.
#pragma once

namespace vollfarbe_python::docs {

inline constexpr const char* macadam_limits =
    R"(macadam_limits(Y, hue, observer='cie1931', illuminant='E')
--

The MacAdam limit at each luminance factor and hue angle.

The point of the optimal-colour solid's boundary with luminance factor
``Y`` (0 < Y < 100) whose chromaticity lies on the ray from the white point
at the hue angle ``hue`` (degrees, counter-clockwise,
h = atan2(y - yw, x - xw)). Entries in a row with the same Y are solved
as one locus, each from the one before, as ``vollfarbe limits`` does:
the same Y and hues give the same bits.

Parameters
----------
Y : array_like
    Luminance factors, 0 < Y < 100 (ValueError otherwise).
hue : array_like
    Hue angles, degrees (any finite number, taken modulo 360).
observer, illuminant : str, optional
    A CIE observer and illuminant; the built-in tables have no solid.

Returns
-------
x, y, X, Y, Z : ndarray
    The limit's chromaticity and tristimulus values.
transitions : ndarray
    How many times its reflectance changes between 0 and 1; NaN on a flat
    face of the solid (a mix of two reflectances) and where transitions in
    the red tail make the number arbitrary.
first, second : ndarray
    The first two transition wavelengths, nm (NaN where there are none).

Examples
--------
>>> import vollfarbe
>>> x, y, X, Y, Z, n, first, second = vollfarbe.macadam_limits(10, 0, illuminant='C')
>>> round(float(x), 4), round(float(y), 4), int(n), round(float(first), 2)
(0.6837, 0.3161, 8, 588.56)
)";

inline constexpr const char* limit_ratio =
    R"(limit_ratio(X, Y, Z, observer='cie1931', illuminant='E')
--

The limit ratio of each colour: its distance from the white point in the
chromaticity diagram over that of the MacAdam limit at its Y and hue.

Below 1 inside the optimal-colour solid, 1 on its boundary, above 1
outside. Black and the white point's chromaticity (0 < Y <= 100) give 0;
any other colour with Y <= 0, Y >= 100 or X + Y + Z <= 0 gives infinity.

Parameters
----------
X, Y, Z : array_like
    Tristimulus values (the white has Y = 100).
observer, illuminant : str, optional
    A CIE observer and illuminant.

Returns
-------
ratio : ndarray

Examples
--------
>>> import vollfarbe
>>> float(vollfarbe.limit_ratio(0, 0, 0, illuminant='D65'))
0.0
>>> float(vollfarbe.limit_ratio(60, 20, 1, illuminant='D65')) > 1
True
)";

inline constexpr const char* full_colour_content =
    R"(full_colour_content(X, Y, Z, observer='cie1931', illuminant='E')
--

The full-colour content of each colour: X, Y, Z = c F + w W.

F is the full colour: the optimal colour bounded by a compensative pair
l, lc (the band between them, or the spectrum without it) with the
colour's hue, or for hues no pair reaches a band from an end of the data
into the green range; W the ideal white. Black content s = 1 - c - w.

Parameters
----------
X, Y, Z : array_like
    Tristimulus values (the white has Y = 100).
observer, illuminant : str, optional
    A CIE observer and illuminant.

Returns
-------
c, w, s : ndarray
    Full-colour, white and black content; c = 0, w = Y / 100 at the white
    point; NaN outside the solid or where no pair has the colour's hue.
l, lc : ndarray
    The compensative pair, nm (NaN unless a full colour was found).
band_stop : ndarray of bool
    Whether F is the spectrum without the band l .. lc.

Examples
--------
>>> import vollfarbe
>>> c, w, s, l, lc, stop = vollfarbe.full_colour_content(47.52, 50, 54.44, illuminant='D65')
>>> round(float(c + w + s), 12)
1.0
)";

}  // namespace vollfarbe_python::docs
