"""Where a Python package belongs below an install prefix, as this
interpreter's own sysconfig schemes say: the folder that interpreter
searches for that prefix, printed as an absolute path.

  /usr              -> /usr/lib/python3/dist-packages       (Debian's own: deb_system)
  /usr/local        -> /usr/local/lib/python3.11/dist-packages  (the default scheme)
  ~/.local          -> ~/.local/lib/python3.11/site-packages   (the user site: posix_user)
  any other prefix  -> PREFIX/lib/python3.11/site-packages     (posix_prefix; needs PYTHONPATH)

    python3 site_dir.py PREFIX
"""
import os
import site
import sys
import sysconfig


def below(path, prefix):
    """The path relative to prefix when it lies there as lib/..., else None."""
    relative = os.path.relpath(path, prefix)
    return relative if relative.split(os.sep)[0] == "lib" else None


def site_dir(prefix):
    prefix = os.path.normpath(os.path.abspath(prefix))
    if prefix == os.path.normpath(site.getuserbase()):
        return sysconfig.get_path("platlib", "posix_user")
    schemes = sysconfig.get_scheme_names()
    for scheme in (sysconfig.get_default_scheme(), "deb_system", "posix_prefix"):
        if scheme in schemes:
            path = sysconfig.get_path("platlib", scheme)
            if below(path, prefix) is not None:
                return path
    return sysconfig.get_path("platlib", "posix_prefix", vars={"base": prefix, "platbase": prefix})


if __name__ == "__main__":
    if len(sys.argv) != 2:
        sys.exit("usage: site_dir.py PREFIX")
    print(site_dir(sys.argv[1]))
