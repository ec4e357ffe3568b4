# Type stub of the package vollfarbe (python/vollfarbe/__init__.py over the
# compiled _vollfarbe): editors complete from it and type checkers read it.
# The docstrings are in the package itself: help(vollfarbe).
import os
from typing import Literal, Sequence, Union, overload

import numpy as np
import numpy.typing as npt

__version__: str

_Numbers = npt.ArrayLike
# One result: a float64 array of the broadcast shape, or a numpy scalar when
# every argument was a scalar (and no out= was given).
_Result = Union[npt.NDArray[np.float64], np.float64]
_Column = Union[npt.NDArray[np.float64], npt.NDArray[np.str_], np.float64, np.str_]
_Kind = Literal["band-pass", "band-stop", "low-pass", "high-pass"]
_Out2 = tuple[npt.NDArray[np.float64], npt.NDArray[np.float64]]
_Out3 = tuple[npt.NDArray[np.float64], npt.NDArray[np.float64], npt.NDArray[np.float64]]
_Out4 = tuple[npt.NDArray[np.float64], npt.NDArray[np.float64], npt.NDArray[np.float64],
              npt.NDArray[np.float64]]

class Model:
    def __init__(
        self,
        observer: str | None = None,
        illuminant: str | os.PathLike[str] = "E",
        *,
        cmf: str | os.PathLike[str] | None = None,
    ) -> None: ...
    @property
    def name(self) -> str: ...
    @property
    def description(self) -> str: ...

_Observer = Union[str, Model]

@overload
def compute(
    wavelength: _Numbers,
    partner: _Numbers = 0.0,
    observer: _Observer = "legacy",
    illuminant: str = "E",
    threads: int | None = None,
    *,
    out: dict[str, npt.NDArray[np.generic]] | None = None,
    columns: None = None,
) -> dict[str, _Column]: ...
@overload
def compute(
    wavelength: _Numbers,
    partner: _Numbers = 0.0,
    observer: _Observer = "legacy",
    illuminant: str = "E",
    threads: int | None = None,
    *,
    out: dict[str, npt.NDArray[np.generic]] | None = None,
    columns: str,
) -> _Column: ...
@overload
def compute(
    wavelength: _Numbers,
    partner: _Numbers = 0.0,
    observer: _Observer = "legacy",
    illuminant: str = "E",
    threads: int | None = None,
    *,
    out: dict[str, npt.NDArray[np.generic]] | None = None,
    columns: Sequence[str],
) -> tuple[_Column, ...]: ...
def compensative_wavelength(
    wavelength: _Numbers,
    partner: _Numbers = 0.0,
    observer: _Observer = "legacy",
    illuminant: str = "E",
    *,
    out: _Out2 | None = None,
    threads: int | None = None,
) -> tuple[_Result, _Result]: ...
def cumulative_tristimulus(
    wavelength: _Numbers,
    observer: _Observer = "legacy",
    illuminant: str = "E",
    *,
    out: _Out3 | None = None,
    threads: int | None = None,
) -> tuple[_Result, _Result, _Result]: ...
def optimal_colour(
    l: _Numbers,
    lc: _Numbers | None = None,
    kind: _Kind = "band-pass",
    observer: _Observer = "legacy",
    illuminant: str = "E",
    *,
    out: _Out3 | None = None,
    threads: int | None = None,
) -> tuple[_Result, _Result, _Result]: ...
def hue_equal_wavelengths(
    x: _Numbers,
    y: _Numbers,
    observer: _Observer = "legacy",
    illuminant: str = "E",
    *,
    out: _Out2 | None = None,
    threads: int | None = None,
) -> tuple[_Result, _Result]: ...
def dominant_wavelength(
    x: _Numbers,
    y: _Numbers,
    observer: _Observer = "cie1931",
    illuminant: str = "E",
    *,
    out: _Out4 | None = None,
    threads: int | None = None,
) -> tuple[_Result, _Result, _Result, _Result]: ...
def colour_moment(
    X: _Numbers,
    Y: _Numbers,
    Z: _Numbers,
    observer: _Observer = "legacy",
    illuminant: str = "E",
    *,
    out: npt.NDArray[np.float64] | tuple[npt.NDArray[np.float64]] | None = None,
    threads: int | None = None,
) -> _Result: ...
def chromaticity(
    X: _Numbers, Y: _Numbers, Z: _Numbers, *, out: _Out2 | None = None, threads: int | None = None
) -> tuple[_Result, _Result]: ...
def macadam_limits(
    Y: _Numbers, hue: _Numbers, observer: _Observer = "cie1931", illuminant: str = "E"
) -> tuple[_Result, _Result, _Result, _Result, _Result, _Result, _Result, _Result]: ...
def limit_ratio(
    X: _Numbers, Y: _Numbers, Z: _Numbers, observer: _Observer = "cie1931", illuminant: str = "E"
) -> _Result: ...
def full_colour_content(
    X: _Numbers, Y: _Numbers, Z: _Numbers, observer: _Observer = "cie1931", illuminant: str = "E"
) -> tuple[_Result, _Result, _Result, _Result, _Result, _Result]: ...
def spectrum_colour(
    wavelengths: _Numbers,
    values: _Numbers,
    kind: Literal["reflectance", "transmittance", "emission"] = "reflectance",
    observer: _Observer = "cie1931",
    illuminant: str = "E",
    method: Literal["exact", "cie15"] = "exact",
) -> dict[str, _Result]: ...
def cct(wavelengths: _Numbers, values: _Numbers) -> tuple[_Result, _Result]: ...
def daylight(cct: float) -> tuple[npt.NDArray[np.float64], npt.NDArray[np.float64]]: ...
def observers() -> list[str]: ...
def illuminants() -> list[str]: ...
