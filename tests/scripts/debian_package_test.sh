#!/usr/bin/env bash
# The Debian packages as `make deb` builds them: their control fields, their
# files, lintian without errors, the unpacked program (--version, a table and
# the piped pass for 600 nm with its report file) and, when the Python
# package is built, python3-vollfarbe: its module imports from the unpacked
# tree.
set -u
build=${VOLLFARBE_BUILD_DIR:?the build folder, set by ctest}
version=${VOLLFARBE_VERSION:?the project version, set by ctest}
for tool in cpack dpkg-deb dpkg-shlibdeps; do
  command -v "$tool" >/dev/null || { echo "SKIP: $tool not installed (make test installs it)"; exit 0; }
done
# shellcheck source=installed_files.sh
source "$(dirname "$0")/installed_files.sh"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

cpack --config "$build/CPackConfig.cmake" -B "$work/package" >"$work/log" 2>&1 ||
  { echo "FAIL: cpack: $(cat "$work/log")"; exit 1; }
deb=$work/package/vollfarbe_${version}_$(dpkg --print-architecture).deb
[ -f "$deb" ] || { echo "FAIL: no $deb; cpack made: $(ls "$work/package")"; exit 1; }

field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = vollfarbe ] || fail "Package: $(field Package)"
[ "$(field Version)" = "$version" ] || fail "Version: $(field Version)"
[ "$(field Section)" = science ] || fail "Section: $(field Section)"
# Dependencies come from the linked shared libraries, the modules' too.
for library in libc6 libncursesw6 libstdc++6 librsvg2-2 libcairo2 libsdl2-2.0-0 libx11-6 libcpp-httplib0.11; do
  field Depends | grep -q "\b$library\b" || fail "Depends lacks $library: $(field Depends)"
done
field Description | sed -n 2p | grep -q 'optimal colours' || fail "no long description"
# What the README's Install section says of the package: each package the
# .deb recommends, by name; and the description names plot's formats as
# plot --help does.
install_section=$(sed -n '/^## Install/,/^## /p' "${VOLLFARBE_SOURCE_DIR:?}/README.md")
for package in $(field Recommends | tr -d ','); do
  grep -qF "\`$package\`" <<<"$install_section" || fail "the README's Install section does not name the recommended $package"
done
formats=$("$1" plot --help | head -1 | grep -oE 'SVG[A-Z, ]*(or|and) [A-Z]+')
field Description | tr '\n' ' ' | grep -qF "$formats" || fail "the description does not say plot writes $formats"

# The same files as `make install`, under /usr.
dpkg-deb -c "$deb" | awk '$1 !~ /^d/ { print $NF }' | sed 's|^\./||' | sort >"$work/files"
installed_files /usr "${VOLLFARBE_SOURCE_DIR:?}" >"$work/expected_files"
diff "$work/expected_files" "$work/files" || fail "package files differ (< expected, > packaged)"

if command -v lintian >/dev/null; then
  lintian --fail-on error --tag-display-limit 0 "$work"/package/*.deb >"$work/lintian" 2>&1 ||
    fail "lintian reports errors: $(cat "$work/lintian")"
fi

# python3-vollfarbe: the package in Debian's /usr/lib/python3/dist-packages,
# for the Python version it is built for, with numpy; it imports from the
# unpacked tree with the same results as the build's.
if [ -n "${VOLLFARBE_PYTHON_MODULE:-}" ]; then
  python_deb=$work/package/python3-vollfarbe_${version}_$(dpkg --print-architecture).deb
  if [ ! -f "$python_deb" ]; then
    fail "no $python_deb; cpack made: $(ls "$work/package")"
  else
    pfield() { dpkg-deb -f "$python_deb" "$1"; }
    minor=$("$VOLLFARBE_PYTHON" -c 'import sys; print(sys.version_info[1])')
    for dependency in "python3 (>= 3.$minor)" "python3 (<< 3.$((minor + 1)))" python3-numpy libstdc++6; do
      pfield Depends | grep -qF "$dependency" || fail "python3-vollfarbe Depends lacks $dependency: $(pfield Depends)"
    done
    pfield Description | head -1 | grep -q 'Python' || fail "python3-vollfarbe summary: $(pfield Description | head -1)"
    dpkg-deb -c "$python_deb" | awk '$1 !~ /^d/ { print $NF }' | sed 's|^\./||' | sort >"$work/python_files"
    installed_python_files /usr /usr/lib/python3/dist-packages >"$work/python_expected"
    diff "$work/python_expected" "$work/python_files" ||
      fail "python3-vollfarbe files differ (< expected, > packaged)"
    dpkg-deb -x "$python_deb" "$work/python_root"
    [ "$(cd "$work" && env -i PYTHONPATH="$work/python_root/usr/lib/python3/dist-packages" \
        "$VOLLFARBE_PYTHON" -c 'import vollfarbe; print(vollfarbe.__file__); print(vollfarbe.compute(600)["l"])')" = \
      "$(printf '%s\n489.996' "$work/python_root/usr/lib/python3/dist-packages/vollfarbe/__init__.py")" ] ||
      fail "the unpacked python3-vollfarbe does not import"
  fi
fi

# The unpacked program.
dpkg-deb -x "$deb" "$work/root"
program=$work/root/usr/bin/vollfarbe
"$program" --version | grep -q "^vollfarbe $version" || fail "unpacked --version: $("$program" --version)"
[ "$("$program" table 600 520 | cut -d, -f1-4)" = "$(printf 'wavelength,path,l,lc\n600,middle,489.996,600\n520,end,0,520')" ] ||
  fail "unpacked table"
"$program" plot --wavelength 600 -o "$work/figure.pdf" 2>"$work/err" && [ -s "$work/figure.pdf" ] ||
  fail "unpacked plot -o figure.pdf (the renderer module): $(cat "$work/err")"
mkdir "$work/run"
(cd "$work/run" && printf '600\n q ' | "$program" >out 2>err) || fail "unpacked piped pass: status $?"
grep -qF 'Die Grenzwellenlänge ist l = 489.996' "$work/run/out" || fail "unpacked piped pass: no result"
grep -qF "$(printf 'l=  489.996  lc=  600\r')" "$work/run/vollfarb.txt" || fail "unpacked piped pass: report"
[ ! -s "$work/run/err" ] || fail "unpacked piped pass wrote to stderr: $(cat "$work/run/err")"

[ "$failures" = 0 ] && echo "Debian package: all checks passed"
[ "$failures" = 0 ]
