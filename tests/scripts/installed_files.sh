# Every file the install rules install, for the install and package tests:
# `installed_files PREFIX SOURCE_DIR` prints them sorted, relative to the
# root (PREFIX without its leading /). A new installed file goes here.
installed_files() {
  {
    echo "$1/bin/vollfarbe"
    # The modules, in the program's module folder (lib/<triplet>/vollfarbe on
    # Debian; ctest sets VOLLFARBE_MODULE_INSTALL_DIR).
    echo "$1/$VOLLFARBE_MODULE_INSTALL_DIR/vollfarbe_raster_output.so"
    echo "$1/$VOLLFARBE_MODULE_INSTALL_DIR/vollfarbe_server.so"
    echo "$1/$VOLLFARBE_MODULE_INSTALL_DIR/vollfarbe_window_host.so"
    echo "$1/share/bash-completion/completions/vollfarbe"
    echo "$1/share/doc/vollfarbe/README.md"
    echo "$1/share/doc/vollfarbe/changelog.gz"
    echo "$1/share/doc/vollfarbe/copyright"
    echo "$1/share/man/man1/vollfarbe.1.gz"
    compgen -G "$2/*/vollfarbe.desktop" >/dev/null && echo "$1/share/applications/vollfarbe.desktop"
    echo "$1/share/icons/hicolor/scalable/apps/vollfarbe.svg"
    # The pictures the README shows, beside it as its links expect.
    for picture in "$2"/docs/*.png; do echo "$1/share/doc/vollfarbe/docs/${picture##*/}"; done
  } | sed 's|^/||' | sort
}

# The Python package's files, when it is built (ctest sets VOLLFARBE_PYTHON_*):
# `installed_python_files PREFIX SITE` with SITE the folder python3 searches
# for that prefix; the program's Debian package leaves them out.
installed_python_files() {
  [ -n "${VOLLFARBE_PYTHON_MODULE:-}" ] || return 0
  {
    for file in __init__.py __init__.pyi py.typed "$VOLLFARBE_PYTHON_MODULE"; do
      echo "$2/vollfarbe/$file"
    done
    echo "$1/share/doc/python3-vollfarbe/changelog.gz"
    echo "$1/share/doc/python3-vollfarbe/copyright"
  } | sed 's|^/||' | sort
}
