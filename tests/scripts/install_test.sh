#!/usr/bin/env bash
# The install rules: `cmake --install` (what `make install` runs) puts every
# file in its place under DESTDIR and under another prefix, and the installed
# program, man page and completion work from there.
set -u
build=${VOLLFARBE_BUILD_DIR:?the build folder, set by ctest}
source_dir=${VOLLFARBE_SOURCE_DIR:?the source folder, set by ctest}
module_dir=${VOLLFARBE_MODULE_INSTALL_DIR:?the module folder below the prefix, set by ctest}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# shellcheck source=installed_files.sh
source "$(dirname "$0")/installed_files.sh"
# The folder Debian's python3 searches for a prefix: its default scheme's
# for /usr/local, posix_prefix's below any other prefix.
python_site() {
  [ -n "${VOLLFARBE_PYTHON:-}" ] || return 0
  "$VOLLFARBE_PYTHON" -c 'import sys, sysconfig
if sys.argv[1] == "/usr/local": print(sysconfig.get_path("platlib"))
else: print(sysconfig.get_path("platlib", "posix_prefix", vars={"base": sys.argv[1], "platbase": sys.argv[1]}))' "$1"
}
# What cmake --install installs: the program's files and the Python package's.
expected_files() {
  { installed_files "$1" "$source_dir"; installed_python_files "$1" "$(python_site "$1")"; } | sort
}

# The staged install a packager makes: prefix /usr/local under DESTDIR.
DESTDIR="$work/stage" cmake --install "$build" --prefix /usr/local >"$work/log" 2>&1 ||
  fail "install into DESTDIR: $(cat "$work/log")"
diff <(expected_files /usr/local) <(cd "$work/stage" && find . -type f -o -type l | sed 's|^\./||' | sort) ||
  fail "installed files under DESTDIR differ (< expected, > installed)"

# Another prefix, without DESTDIR.
cmake --install "$build" --prefix "$work/opt" >"$work/log" 2>&1 || fail "install to a prefix: $(cat "$work/log")"
diff <(expected_files "$work/opt") <(find "$work/opt" -type f -o -type l | sed 's|^/||' | sort) ||
  fail "installed files under the prefix differ (< expected, > installed)"

# The installed program runs from there, away from the build.
installed=$work/stage/usr/local/bin/vollfarbe
[ -x "$installed" ] || fail "the installed program is not executable"
"$installed" --version | grep -q '^vollfarbe ' || fail "installed --version"
[ "$(cd "$work" && "$installed" table 600 | cut -d, -f1-4 | tail -1)" = "600,middle,489.996,600" ] ||
  fail "installed table 600"
"$installed" plot --wavelength 600 -o "$work/figure.png" 2>"$work/err" && [ -s "$work/figure.png" ] ||
  fail "installed plot -o figure.png (the renderer module): $(cat "$work/err")"
[ "$(stat -c %a "$work/stage/usr/local/$module_dir/vollfarbe_raster_output.so")" = 644 ] ||
  fail "the modules are installed executable (shared objects are not programs)"
mkdir "$work/run"
(cd "$work/run" && printf '600\n q ' | "$installed" >out 2>&1) || fail "installed piped pass: status $?"
grep -qF 'Die Grenzwellenlänge ist l = 489.996' "$work/run/out" || fail "installed piped pass: no result"
[ -s "$work/run/vollfarb.txt" ] || fail "installed piped pass: no report file"

# The installed Python package: under /usr/local where Debian's python3
# looks (its default scheme), it imports from there; and installed into a
# home's ~/.local (the user base), python3 imports it with nothing but HOME.
if [ -n "${VOLLFARBE_PYTHON_MODULE:-}" ]; then
  site=$(python_site /usr/local)
  case $site in
    /usr/local/lib/python3*/dist-packages) ;;
    *) fail "python3's site folder for /usr/local is $site" ;;
  esac
  [ "$(cd "$work" && PYTHONPATH="$work/stage$site" "$VOLLFARBE_PYTHON" -c \
      'import vollfarbe; print(vollfarbe.compute(600)["l"])')" = 489.996 ] || fail "the installed module"
  home=$work/home
  mkdir "$home"
  HOME=$home cmake --install "$build" --prefix "$home/.local" >"$work/log" 2>&1 ||
    fail "install into ~/.local: $(cat "$work/log")"
  user_site=$(cd "$work" && env -i HOME="$home" "$VOLLFARBE_PYTHON" -m site --user-site)
  [ "$user_site" = "$home/.local/lib/python3.$("$VOLLFARBE_PYTHON" -c 'import sys; print(sys.version_info[1])')/site-packages" ] ||
    fail "the user site is $user_site"
  [ -f "$user_site/vollfarbe/$VOLLFARBE_PYTHON_MODULE" ] || fail "nothing installed in the user site $user_site"
  [ "$(cd "$work" && env -i HOME="$home" "$VOLLFARBE_PYTHON" -c \
      'import vollfarbe; print(vollfarbe.dominant_wavelength(0.3, 0.5)[0])')" = 543.225 ] ||
    fail "the package installed in the user site does not import with HOME alone"
fi

# The installed man page and README: what a user reads.
man_page=$work/stage/usr/local/share/man/man1/vollfarbe.1.gz
if command -v man >/dev/null; then
  MANWIDTH=80 man -l "$man_page" 2>"$work/man_err" | grep -q 'GLOSSARY' || fail "man -l of the installed page"
  [ ! -s "$work/man_err" ] || fail "man -l warnings: $(cat "$work/man_err")"
fi
# Every picture and relative link of the installed README is installed too.
doc_dir=$work/stage/usr/local/share/doc/vollfarbe
for link in $(grep -oE '\]\([^)#:]+\)' "$doc_dir/README.md" | sed 's/^](//; s/)$//' | sort -u); do
  [ -e "$doc_dir/$link" ] || fail "the installed README links to $link, which is not installed"
done
cmp -s "$work/stage/usr/local/share/doc/vollfarbe/copyright" "$source_dir/LICENSE" ||
  fail "copyright is not the LICENSE"

[ "$failures" = 0 ] && echo "install: all checks passed"
[ "$failures" = 0 ]
