#!/usr/bin/env bash
# The renderer and the window host are modules the program loads when a run
# needs them: beside the program (the build tree) or in the module folder
# (lib/<triplet>/vollfarbe on Debian) beside its bin folder (the installed
# layout). A program without them still makes
# tables, SVG and the dialogue; a run that needs a missing or foreign module
# fails with the module's file and the loader's reason, writing nothing.
set -u
program=$(realpath "$1")
build=$(dirname "$program")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

mkdir -p "$work/bin" "$work/out"
cp "$program" "$work/bin/vollfarbe"
lone=$work/bin/vollfarbe
modules=$work/${VOLLFARBE_MODULE_INSTALL_DIR:?the module folder below the prefix, set by ctest}
cd "$work/out" || exit 1

# Without its modules.
[ "$("$lone" table 600 | cut -d, -f1-4 | tail -1)" = "600,middle,489.996,600" ] || fail "table without modules"
"$lone" plot --wavelength 600 >plain.svg 2>err && grep -q '</svg>' plain.svg || fail "SVG without modules: $(cat err)"
# expectation: arguments, status, the message's file and reason
expect_failure() {
  local status=$1 file=$2 reason=$3
  shift 3
  "$@" >stdout 2>err
  local got=$?
  [ "$got" = "$status" ] || fail "$*: status $got, not $status"
  grep -qF "$file: $reason" err || fail "$*: the message lacks '$file: $reason': $(cat err)"
  [ ! -s stdout ] || fail "$*: wrote to stdout"
}
expect_failure 1 "$modules/vollfarbe_raster_output.so" "cannot open shared object file" \
  "$lone" plot -o figure.png
[ ! -e figure.png ] || fail "a figure.png without the renderer"
expect_failure 1 "$modules/vollfarbe_raster_output.so" "cannot open shared object file" \
  "$lone" plot -o figure.pdf
expect_failure 1 "$modules/vollfarbe_raster_output.so" "cannot open shared object file" \
  "$lone" plot --fill
expect_failure 1 "$modules/vollfarbe_server.so" "cannot open shared object file" "$lone" serve
if [ -r /usr/share/unifont/unifont.hex ]; then
  DISPLAY=:404 expect_failure 2 "$modules/vollfarbe_window_host.so" "cannot open shared object file" \
    "$lone" --window
fi

# A file in the module's place that is not the module.
mkdir -p "$modules"
cp "$build/vollfarbe_window_host.so" "$modules/vollfarbe_raster_output.so"
expect_failure 1 "$modules/vollfarbe_raster_output.so" "undefined symbol: vollfarbe_raster_renderer_v1" \
  "$lone" plot -o figure.png
printf 'not a shared object' >"$modules/vollfarbe_raster_output.so"
expect_failure 1 "$modules/vollfarbe_raster_output.so" "file too short" "$lone" plot -o figure.png

# A module whose entry point gives a null pointer: named, no crash.
if command -v "${CC:-cc}" >/dev/null; then
  for entry in vollfarbe_raster_renderer_v1 vollfarbe_window_session_v1; do
    printf 'void *%s(void) { return 0; }\n' "$entry" >"$work/$entry.c"
  done
  "${CC:-cc}" -shared -fPIC -o "$modules/vollfarbe_raster_output.so" "$work/vollfarbe_raster_renderer_v1.c"
  expect_failure 1 "$modules/vollfarbe_raster_output.so" \
    "vollfarbe_raster_renderer_v1 returned a null pointer" "$lone" plot -o figure.png
  if [ -r /usr/share/unifont/unifont.hex ]; then
    "${CC:-cc}" -shared -fPIC -o "$modules/vollfarbe_window_host.so" "$work/vollfarbe_window_session_v1.c"
    DISPLAY=:404 expect_failure 2 "$modules/vollfarbe_window_host.so" \
      "vollfarbe_window_session_v1 returned a null pointer" "$lone" --window
    rm "$modules/vollfarbe_window_host.so"
  fi
fi

# In the installed layout.
cp "$build/vollfarbe_raster_output.so" "$modules/"
"$lone" plot --wavelength 600 -o figure.png 2>err || fail "PNG from the installed module folder: $(cat err)"
[ "$(head -c 8 figure.png | od -An -tx1 | tr -d ' ')" = 89504e470d0a1a0a ] || fail "figure.png is no PNG"

[ "$failures" = 0 ] && echo "ok: modules found in both layouts; a missing or foreign one named, with the reason"
[ "$failures" = 0 ]
