#!/usr/bin/env bash
# Input an attacker or a careless script would give: each case ends with a
# clear message and the right status, in bounded time and memory, and never
# as a success when the result is wrong or was not written.
# Usage: bash hostile_input_test.sh path/to/vollfarbe
set -u
vollfarbe=$(realpath "$1")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
cmf=/usr/share/colord/cmf/CIE1931-2deg-XYZ.cmf

# The piped dialogue: stdout that takes nothing is a failure (status 1, the
# reason), and the report file is still written.
mkdir "$work/dialogue"
for out in /dev/full closed; do
  if [ "$out" = closed ]; then
    (cd "$work/dialogue" && printf '600\n q ' | "$vollfarbe" >&- 2>"$work/err")
  else
    (cd "$work/dialogue" && printf '600\n q ' | "$vollfarbe" >"$out" 2>"$work/err")
  fi
  status=$?
  [ "$status" = 1 ] && grep -q "^vollfarbe: cannot write the output: " "$work/err" ||
    fail "dialogue with stdout $out: status $status, $(cat "$work/err")"
  [ "$(wc -c <"$work/dialogue/vollfarb.txt")" = 835 ] || fail "dialogue with stdout $out: report lost"
  rm -f "$work/dialogue/vollfarb.txt"
done

# A triple whose sum overflows a double has the chromaticity of its ratios.
if [ -r "$cmf" ]; then
  got=$("$vollfarbe" dominant --observer cie1931 --XYZ 1e308 1e308 1e308 | tail -1 | cut -d, -f1,2)
  [ "$got" = "0.3333333333333333,0.3333333333333333" ] || fail "dominant --XYZ 1e308 x3: $got"
fi

# Spectral files: a FIFO is refused at once, a directory with the reason, an
# empty file at its first line; many data sets cost no memory for those not used.
mkfifo "$work/fifo"
: >"$work/empty.cmf"
# file option, expected message
while IFS='|' read -r option message; do
  # shellcheck disable=SC2086
  timeout 10 "$vollfarbe" table $option 600 >"$work/out" 2>"$work/err"
  status=$?
  [ "$status" = 2 ] && [ ! -s "$work/out" ] && grep -qF "$message" "$work/err" ||
    fail "table $option: status $status, $(cat "$work/err")"
done <<CASES
--cmf $work/fifo|$work/fifo: cannot read: not a regular file
--observer cie1931 --illuminant $work/fifo|$work/fifo: cannot read: not a regular file
--cmf $work|$work: cannot read: Is a directory
--cmf /dev/null|/dev/null: cannot read: not a regular file
--cmf $work/empty.cmf|$work/empty.cmf:1: the file is empty
CASES
{
  printf 'SPECTRAL_START_NM 380\nSPECTRAL_END_NM 780\nSPECTRAL_BANDS 2\nBEGIN_DATA\n'
  yes '1 1' | head -n 4000000
  echo END_DATA
} >"$work/many.sp"
# (AddressSanitizer's shadow memory alone is beyond any such limit.)
if ! ldd "$vollfarbe" 2>/dev/null | grep -q libasan; then
  (ulimit -v 120000; exec "$vollfarbe" table --observer cie1931 --illuminant "$work/many.sp" 600) \
    >"$work/out" 2>"$work/err"
  status=$?
  [ "$status" = 0 ] && [ "$(tail -1 "$work/out" | cut -d, -f1-3)" = 600,middle,489.994 ] ||
    fail "an illuminant of 4,000,000 sets under 120 MB: status $status, $(cat "$work/err")"
fi
rm "$work/many.sp"

# Data that pass with a warning (exit 0; --strict: an error): an illuminant
# far outside the observer's range, a set more than used, a subnormal value.
printf 'SPECTRAL_START_NM 5000\nSPECTRAL_END_NM 9000\nSPECTRAL_BANDS 2\nBEGIN_DATA\n1 1\n1 1e-310\nEND_DATA\n' \
  >"$work/far.sp"
if [ -r "$cmf" ]; then
  "$vollfarbe" table --observer cie1931 --illuminant "$work/far.sp" 600 >"$work/out" 2>"$work/err"
  status=$?
  [ "$status" = 0 ] && [ "$(wc -l <"$work/err")" = 3 ] &&
    grep -qF "warning: $work/far.sp: its data begin at 5000 nm, so its first value is held constant from 360 nm to 830 nm" "$work/err" &&
    grep -qF "warning: $work/far.sp: 2 data sets, of which the first is used" "$work/err" &&
    grep -qF "warning: $work/far.sp: a value below 2.2250738585072014e-308 (subnormal)" "$work/err" ||
    fail "questionable illuminant: status $status, $(cat "$work/err")"
  "$vollfarbe" table --strict --observer cie1931 --illuminant "$work/far.sp" 600 >"$work/out" 2>"$work/err"
  status=$?
  [ "$status" = 2 ] && [ ! -s "$work/out" ] && grep -qF "vollfarbe: --strict: $work/far.sp: its data begin" "$work/err" ||
    fail "questionable illuminant with --strict: status $status, $(cat "$work/err")"
  "$vollfarbe" table --strict --observer cie1931,cie1964 --illuminant B 600 >/dev/null 2>"$work/err" ||
    fail "colord's own illuminant B is no questionable data: $(cat "$work/err")"
fi

# The window's font: a FIFO is refused at once, the path shown escaped.
for font in "$work/fifo" $'/nonexistent/\e[31mred'; do
  VOLLFARBE_FONT=$font DISPLAY=:404 timeout 10 "$vollfarbe" --window </dev/null >/dev/null 2>"$work/err"
  status=$?
  [ "$status" = 2 ] && ! grep -q $'\e' "$work/err" && grep -q "the window's font: cannot read" "$work/err" ||
    fail "VOLLFARBE_FONT=$font: status $status, $(cat -v "$work/err")"
done

# plot: text in the SVG is what XML allows; what no figure can hold is
# refused at once.
"$vollfarbe" plot --title $'a\x01b\x1bc\xff' >"$work/title.svg" || fail "plot --title with control bytes: status"
python3 -c 'import sys, xml.dom.minidom as m; m.parse(sys.argv[1])' "$work/title.svg" 2>"$work/err" ||
  fail "plot --title with control bytes: not XML: $(tail -1 "$work/err")"
# arguments, what the message names
while IFS='|' read -r option value message; do
  timeout 10 "$vollfarbe" plot "$option" "$value" >"$work/out" 2>"$work/err"
  status=$?
  [ "$status" = 2 ] && [ ! -s "$work/out" ] && grep -qF -- "$message" "$work/err" ||
    fail "plot $option (${#value} characters): status $status, $(head -1 "$work/err")"
done <<CASES
--title|$(head -c 100000 /dev/zero | tr '\0' a)|--title: 100000 characters
--wavelength|$(seq -s, 380 1 770)|--wavelength: more than 50 wavelengths
CASES

[ "$failures" = 0 ] && echo "hostile input: all checks passed"
exit "$failures"
