# Type stub of the compiled module vollfarbe (python/vollfarbe_module.cpp):
# editors complete from it and type checkers read it. The docstrings are in
# the module itself: help(vollfarbe).
from typing import Literal, Union

import numpy as np
import numpy.typing as npt

__version__: str

_Numbers = npt.ArrayLike
# One result: a float64 array of the broadcast shape, or a numpy scalar when
# every argument was a scalar.
_Result = Union[npt.NDArray[np.float64], np.float64]
_Column = Union[npt.NDArray[np.float64], npt.NDArray[np.str_], np.float64, np.str_]
_Kind = Literal["band-pass", "band-stop", "low-pass", "high-pass"]

def compute(
    wavelength: _Numbers,
    partner: _Numbers = 0.0,
    observer: str = "legacy",
    illuminant: str = "E",
    threads: int | None = None,
) -> dict[str, _Column]: ...
def compensative_wavelength(
    wavelength: _Numbers,
    partner: _Numbers = 0.0,
    observer: str = "legacy",
    illuminant: str = "E",
) -> tuple[_Result, _Result]: ...
def cumulative_tristimulus(
    wavelength: _Numbers, observer: str = "legacy", illuminant: str = "E"
) -> tuple[_Result, _Result, _Result]: ...
def optimal_colour(
    l: _Numbers,
    lc: _Numbers | None = None,
    kind: _Kind = "band-pass",
    observer: str = "legacy",
    illuminant: str = "E",
) -> tuple[_Result, _Result, _Result]: ...
def hue_equal_wavelengths(
    x: _Numbers, y: _Numbers, observer: str = "legacy", illuminant: str = "E"
) -> tuple[_Result, _Result]: ...
def dominant_wavelength(
    x: _Numbers, y: _Numbers, observer: str = "cie1931", illuminant: str = "E"
) -> tuple[_Result, _Result, _Result, _Result]: ...
def colour_moment(
    X: _Numbers, Y: _Numbers, Z: _Numbers, observer: str = "legacy", illuminant: str = "E"
) -> _Result: ...
def chromaticity(X: _Numbers, Y: _Numbers, Z: _Numbers) -> tuple[_Result, _Result]: ...
def observers() -> list[str]: ...
def illuminants() -> list[str]: ...
def spectrum_colour(
    wavelengths: _Numbers,
    values: _Numbers,
    kind: Literal["reflectance", "transmittance", "emission"] = "reflectance",
    observer: str = "cie1931",
    illuminant: str = "E",
    method: Literal["exact", "cie15"] = "exact",
) -> dict[str, _Result]: ...
def cct(wavelengths: _Numbers, values: _Numbers) -> tuple[_Result, _Result]: ...
def daylight(cct: float) -> tuple[npt.NDArray[np.float64], npt.NDArray[np.float64]]: ...
