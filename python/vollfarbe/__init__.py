# The Python layer over the compiled module _vollfarbe: a Python function of
# the same name and signature for each compiled one, because compiled
# functions cannot be pickled and dask sends functions to its worker
# processes by pickling them; and Model, a colour model that pickles as its
# names or, read from files, as the files' text.
import os as _os
import stat as _stat

from . import _vollfarbe

__version__ = _vollfarbe.__version__
__doc__ = _vollfarbe.__doc__
__all__ = ["compute", "compensative_wavelength", "cumulative_tristimulus", "optimal_colour",
           "hue_equal_wavelengths", "dominant_wavelength", "colour_moment", "chromaticity",
           "macadam_limits", "limit_ratio", "full_colour_content", "spectrum_colour", "cct",
           "daylight", "observers", "illuminants", "Model"]

# Where colord-data keeps the observers and illuminants the names stand for
# (the program's catalogue of models).
_COLORD = _vollfarbe._colord_data_dir
_OBSERVER_FILES = _vollfarbe._observer_files()
# No spectral table comes near this; a larger file is a mistake.
_MAX_FILE_BYTES = 64 << 20


def _documented(function):
    """Gives the Python function the compiled one's docstring, without its signature line."""
    text = getattr(_vollfarbe, function.__name__).__doc__
    function.__doc__ = text.split("--\n\n", 1)[1] if "--\n\n" in text else text
    return function


def _is_file_name(text):
    # As the program takes it: a text with '/' or '.' is a file.
    return "/" in text or "." in text


def _read(path, argument):
    try:
        # As the program reads them: regular files only, opened without
        # waiting (a FIFO would block).
        with open(_os.open(path, _os.O_RDONLY | _os.O_NONBLOCK), "rb") as file:
            if not _stat.S_ISREG(_os.fstat(file.fileno()).st_mode):
                raise ValueError(f"{argument}: {path}: cannot read: not a regular file")
            data = file.read(_MAX_FILE_BYTES + 1)
    except OSError as error:
        raise ValueError(f"{argument}: {path}: cannot read: {error.strerror}") from None
    if len(data) > _MAX_FILE_BYTES:
        raise ValueError(f"{argument}: {path}: too large for spectral data")
    return data


def _file_label(path):
    return _os.path.basename(path)


def _model_name(cmf_path):
    # As the program names a --cmf model: the file's name without its
    # extension, plain characters only (it may become a column prefix).
    name = _os.path.basename(cmf_path)
    if "." in name[1:]:
        name = name[:name.rindex(".")]
    return "".join(c if c.isascii() and (c.isalnum() or c in "-_") else "_" for c in name)


# Models rebuilt from pickles, once per process: every chunk a worker
# computes names the same model.
_rebuilt = {}


class Model:
    """A colour model: an observer under an illuminant, as an object.

    Every function takes one as ``observer=`` (leave ``illuminant`` out
    then). A model pickles, so it goes to dask's worker processes: a model
    by name as its names (the worker loads it from colord-data as this
    process did), a model read from files as the files' text, so the
    workers need no access to them. Either way the workers compute with the
    same bits.

    Parameters
    ----------
    observer : str, optional
        ``'legacy'`` (the built-in tables, the default), ``'cie1931'`` or
        ``'cie1964'``.
    illuminant : str, optional
        An illuminant of ``illuminants()`` (any case, default ``'E'``) or the
        path of a spectral file (CGATS, as colord-data's ``.sp``).
    cmf : str, optional
        The path of a file of colour-matching functions (colord's ``.cmf``
        format), as ``vollfarbe table --cmf`` reads it, instead of
        `observer`.

    Examples
    --------
    >>> import pickle, vollfarbe
    >>> d65 = vollfarbe.Model("cie1931", "D65")
    >>> d65
    Model('cie1931', 'D65')
    >>> again = pickle.loads(pickle.dumps(d65))
    >>> vollfarbe.compute(600, observer=again, columns="l")
    489.866
    >>> own = vollfarbe.Model(cmf="/usr/share/colord/cmf/CIE1964-10deg-XYZ.cmf")
    >>> own.name
    'CIE1964-10deg-XYZ'
    """

    def __init__(self, observer=None, illuminant="E", *, cmf=None):
        if cmf is not None and observer is not None:
            raise ValueError("observer and cmf: give either an observer's name or a cmf file, not both")
        if cmf is not None and not isinstance(cmf, (str, _os.PathLike)):
            raise TypeError(f"cmf: give a file's path, not {cmf!r}")
        if isinstance(illuminant, _os.PathLike):
            illuminant = _os.fspath(illuminant)
        if observer is None and cmf is None:
            observer = "legacy"
        if cmf is None and isinstance(illuminant, str) and not _is_file_name(illuminant):
            self._state = ("names", observer, illuminant)
            self._compiled = _built(self._state)
            return
        if not isinstance(illuminant, str):
            raise TypeError(f"illuminant: give a name as a str or a file's path, not {illuminant!r}")
        # Read here as the program reads the files (its checks, errors and
        # warnings), and their text kept for other processes.
        if cmf is not None:
            compiled = _vollfarbe._model_from_cmf(_os.fspath(cmf), illuminant)
        else:
            compiled = _vollfarbe._model_from_names(observer, illuminant)
        self._state = self._data_state(observer, illuminant, cmf)
        self._compiled = _rebuilt.setdefault(self._state, compiled)

    @staticmethod
    def _data_state(observer, illuminant, cmf):
        """The model as the text of its two files, each with the name its messages give."""
        if not isinstance(illuminant, str):
            raise TypeError(f"illuminant: give a name as a str or a file's path, not {illuminant!r}")
        if cmf is not None:
            cmf = _os.fspath(cmf)
            name = _model_name(cmf)
            cmf_label, cmf_text = cmf, _read(cmf, "cmf")
        else:
            if not isinstance(observer, str):
                raise TypeError(f"observer: give a name as a str, not {observer!r}")
            if observer not in _OBSERVER_FILES:
                known = ", ".join(_vollfarbe.observers())
                raise ValueError(f"observer: no CIE observer {observer!r} to use with an "
                                 f"illuminant from a file; there are: {known}")
            name = observer
            cmf_label = _OBSERVER_FILES[observer]
            cmf_text = _read(cmf_label, "observer")
        if _is_file_name(illuminant):
            illuminant_label, illuminant_text = illuminant, _read(illuminant, "illuminant")
            shown = _file_label(illuminant)
        else:
            if illuminant.upper() not in _vollfarbe.illuminants():
                known = ", ".join(_vollfarbe.illuminants())
                raise ValueError(f"illuminant: no illuminant {illuminant!r}; there are: {known}, "
                                 "or give a file's path")
            shown = illuminant.upper()
            illuminant_label = f"{_COLORD}/illuminant/CIE-{shown}.sp"
            illuminant_text = _read(illuminant_label, "illuminant")
        return ("data", name, f"{name}, {shown}", cmf_label, cmf_text, illuminant_label,
                illuminant_text)

    @property
    def name(self):
        """The model's name, as the table's column prefixes give it."""
        return self._compiled.name

    @property
    def description(self):
        """The observer and the illuminant in words."""
        return self._compiled.description

    def __repr__(self):
        if self._state[0] == "names":
            return f"Model({self._state[1]!r}, {self._state[2]!r})"
        return f"<vollfarbe.Model {self.description!r} from files>"

    def __reduce__(self):
        return _rebuild, (self._state,)

    def __eq__(self, other):
        return isinstance(other, Model) and self._state == other._state

    def __hash__(self):
        return hash(self._state)

    def __dask_tokenize__(self):
        return ("vollfarbe.Model", self._state)


def _built(state):
    if state not in _rebuilt:
        if state[0] == "names":
            _rebuilt[state] = _vollfarbe._model_from_names(state[1], state[2])
        else:
            _rebuilt[state] = _vollfarbe._model_from_data(*state[1:])
    return _rebuilt[state]


def _rebuild(state):
    model = Model.__new__(Model)
    model._state = state
    model._compiled = _built(state)
    return model


def _model(observer, illuminant):
    """The observer and illuminant arguments as the compiled functions take them."""
    if isinstance(observer, Model):
        if not (isinstance(illuminant, str) and illuminant.upper() == "E"):
            raise ValueError(f"illuminant: a Model has its own illuminant; give {illuminant!r} "
                             "to Model() instead")
        return observer._compiled, "E"
    return observer, illuminant


@_documented
def compute(wavelength, partner=0.0, observer="legacy", illuminant="E", threads=None, *,
            out=None, columns=None):
    observer, illuminant = _model(observer, illuminant)
    table = _vollfarbe.compute(wavelength, partner, observer, illuminant, threads, out)
    if columns is None:
        return table
    if isinstance(columns, str):
        if columns not in table:
            raise ValueError(f"columns: no column {columns!r}; there are: {', '.join(table)}")
        return table[columns]
    chosen = tuple(columns)
    for name in chosen:
        if not isinstance(name, str) or name not in table:
            raise ValueError(f"columns: no column {name!r}; there are: {', '.join(table)}")
    return tuple(table[name] for name in chosen)


@_documented
def compensative_wavelength(wavelength, partner=0.0, observer="legacy", illuminant="E", *,
                            out=None, threads=None):
    return _vollfarbe.compensative_wavelength(wavelength, partner, *_model(observer, illuminant),
                                              out, threads)


@_documented
def cumulative_tristimulus(wavelength, observer="legacy", illuminant="E", *, out=None,
                           threads=None):
    return _vollfarbe.cumulative_tristimulus(wavelength, *_model(observer, illuminant), out,
                                             threads)


@_documented
def optimal_colour(l, lc=None, kind="band-pass", observer="legacy", illuminant="E", *, out=None,
                   threads=None):
    return _vollfarbe.optimal_colour(l, lc, kind, *_model(observer, illuminant), out, threads)


@_documented
def hue_equal_wavelengths(x, y, observer="legacy", illuminant="E", *, out=None, threads=None):
    return _vollfarbe.hue_equal_wavelengths(x, y, *_model(observer, illuminant), out, threads)


@_documented
def dominant_wavelength(x, y, observer="cie1931", illuminant="E", *, out=None, threads=None):
    return _vollfarbe.dominant_wavelength(x, y, *_model(observer, illuminant), out, threads)


@_documented
def colour_moment(X, Y, Z, observer="legacy", illuminant="E", *, out=None, threads=None):
    return _vollfarbe.colour_moment(X, Y, Z, *_model(observer, illuminant), out, threads)


@_documented
def chromaticity(X, Y, Z, *, out=None, threads=None):
    return _vollfarbe.chromaticity(X, Y, Z, out, threads)


@_documented
def macadam_limits(Y, hue, observer="cie1931", illuminant="E"):
    return _vollfarbe.macadam_limits(Y, hue, *_model(observer, illuminant))


@_documented
def limit_ratio(X, Y, Z, observer="cie1931", illuminant="E"):
    return _vollfarbe.limit_ratio(X, Y, Z, *_model(observer, illuminant))


@_documented
def full_colour_content(X, Y, Z, observer="cie1931", illuminant="E"):
    return _vollfarbe.full_colour_content(X, Y, Z, *_model(observer, illuminant))


@_documented
def spectrum_colour(wavelengths, values, kind="reflectance", observer="cie1931", illuminant="E",
                    method="exact"):
    return _vollfarbe.spectrum_colour(wavelengths, values, kind, *_model(observer, illuminant),
                                      method)


@_documented
def cct(wavelengths, values):
    return _vollfarbe.cct(wavelengths, values)


@_documented
def daylight(cct):
    return _vollfarbe.daylight(cct)


@_documented
def observers():
    return _vollfarbe.observers()


@_documented
def illuminants():
    return _vollfarbe.illuminants()
