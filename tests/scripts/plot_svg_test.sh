#!/usr/bin/env bash
# The plot command: well-formed SVG with the locus and E, the construction
# for 600 nm, a file written with -o, and a PNG rendering when librsvg is there.
set -u
vollfarbe=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

"$vollfarbe" plot >"$work/plain.svg" || fail "plot status"
"$vollfarbe" plot --wavelength 600 --ring -o "$work/600.svg" >"$work/stdout" || fail "plot -o status"
[ ! -s "$work/stdout" ] || fail "plot -o wrote to stdout"
"$vollfarbe" plot --wavelength 520 >"$work/520.svg" || fail "plot 520 status"
"$vollfarbe" plot --wavelength 720 >"$work/720.svg" || fail "plot 720 status"

for svg in plain 600 520 720; do
  if command -v xmllint >/dev/null; then
    xmllint --noout "$work/$svg.svg" || fail "$svg.svg is not well-formed"
  fi
  grep -q 'id="spectrum-locus"' "$work/$svg.svg" || fail "$svg.svg: no locus"
  grep -q '>E</text>' "$work/$svg.svg" || fail "$svg.svg: no white point E"
  ! grep -qi 'nan' "$work/$svg.svg" || fail "$svg.svg: NaN in the drawing"
done
for label in '>l 489.996<' '>lc 600<' '>l1 556.84<' ', moment 77.95<' ; do
  grep -qF "$label" "$work/600.svg" || fail "600.svg: no label '$label'"
done
grep -q 'id="full-colour-ring"' "$work/600.svg" || fail "600.svg: no ring"

if command -v rsvg-convert >/dev/null; then
  rsvg-convert -w 400 "$work/600.svg" -o "$work/600.png" && [ -s "$work/600.png" ] ||
    fail "rsvg-convert cannot render the plot"
fi

"$vollfarbe" plot -o "$work/missing/dir/x.svg" 2>"$work/err"
[ $? = 1 ] && grep -q "cannot write $work/missing/dir/x.svg: No such file or directory" "$work/err" ||
  fail "an unwritable -o must fail: $(cat "$work/err")"

[ "$failures" = 0 ] && echo "plot command: all checks passed"
exit "$failures"
