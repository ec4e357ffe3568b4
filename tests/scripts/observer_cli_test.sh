#!/usr/bin/env bash
# The CIE observers as a user meets them: table --observer side by side with
# the built-in tables, --illuminant by name and by file, and a clear one-line
# error (status 2, nothing on stdout) for every missing or malformed file.
set -u
vollfarbe=$1
[ -d /usr/share/colord/cmf ] || { echo "SKIP: colord-data not installed (make test installs it)"; exit 0; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# The default stays the built-in tables, byte for byte.
cmp -s <("$vollfarbe" table 600 450) <("$vollfarbe" table --observer legacy 600 450) ||
  fail "--observer legacy differs from the default"

# Side by side: one wavelength column, then each model's columns prefixed.
"$vollfarbe" table --observer legacy,cie1931 600 >"$work/both.csv" 2>"$work/err" || fail "side by side status"
header=$(head -1 "$work/both.csv")
[[ $header == wavelength,legacy_path,legacy_l,legacy_lc,*,legacy_second_l2,cie1931_path,cie1931_l,cie1931_lc,* ]] ||
  fail "side-by-side header: $header"
python3 - "$work/both.csv" <<'PY' || fail "side-by-side values"
import csv, sys
row = list(csv.DictReader(open(sys.argv[1])))[0]
assert len(row) == 1 + 2 * 19, len(row)
assert row["legacy_l"] == "489.996" and row["cie1931_l"] == "489.994", row
assert abs(float(row["cie1931_first_X"]) - 45.0197) < 0.005, row["cie1931_first_X"]
PY
"$vollfarbe" table --observer legacy,cie1931 --format json 600 | python3 -c '
import json, sys; r = json.load(sys.stdin)[0]; assert r["cie1931_path"] == "middle" and r["legacy_lc"] == 600, r' ||
  fail "side-by-side JSON"

# An illuminant by name (any case) and the same one as a file give the same rows.
cmp -s <("$vollfarbe" table --observer cie1964 --illuminant d65 600) \
       <("$vollfarbe" table --observer cie1964 --illuminant /usr/share/colord/illuminant/CIE-D65.sp 600) ||
  fail "--illuminant d65 differs from its file"
cmp -s <("$vollfarbe" table --observer cie1931 600) \
       <("$vollfarbe" table --cmf /usr/share/colord/cmf/CIE1931-2deg-XYZ.cmf 600) ||
  fail "--cmf with the CIE 1931 file differs from --observer cie1931"

# Mistakes: status 2, nothing on stdout, one line naming what is wrong.
cp /usr/share/colord/cmf/CIE1931-2deg-XYZ.cmf "$work/good.cmf"
sed '/SPECTRAL_BANDS/d' "$work/good.cmf" >"$work/no_bands.cmf"
sed '15s/0.0001299\t//' "$work/good.cmf" >"$work/short.cmf"
sed '15s/0.0002321/0.000232l/' "$work/good.cmf" >"$work/letter.cmf"
while IFS='|' read -r args expected; do
  # shellcheck disable=SC2086
  "$vollfarbe" table $args 600 </dev/null >"$work/out" 2>"$work/err"
  status=$?
  [ "$status" = 2 ] || fail "'$args': status $status, expected 2"
  [ ! -s "$work/out" ] || fail "'$args': wrote to stdout"
  # A file's error is one line; a mistake in the options adds the usage line.
  grep -q "^usage:" "$work/err" && lines=2 || lines=1
  [ "$(wc -l <"$work/err")" = "$lines" ] || fail "'$args': not $lines line(s): $(cat "$work/err")"
  grep -qF -- "$expected" "$work/err" || fail "'$args': '$(cat "$work/err")' lacks '$expected'"
done <<CASES
--cmf $work/missing.cmf|vollfarbe: $work/missing.cmf: cannot read: No such file or directory
--cmf $work/no_bands.cmf|no_bands.cmf:13: SPECTRAL_BANDS is missing before BEGIN_DATA
--cmf $work/short.cmf|short.cmf:15: too few values: 94 of SPECTRAL_BANDS 95
--cmf $work/letter.cmf|letter.cmf:15: "0.000232l" is not a number
--observer cie1931 --illuminant D66|"D66" is no illuminant
--observer legacy --illuminant D65|the built-in tables (legacy) have the white point E only
--observer cie2006|"cie2006" is not legacy, cie1931 or cie1964
--observer legacy,legacy|"legacy" is listed twice
--observer cie1931 --cmf $work/good.cmf|give either --observer or --cmf, not both
CASES

# dominant: the 600 nm middle pigment's hue, the white point's empty fields,
# a purple's negative dominant wavelength, stdin in both forms.
got=$("$vollfarbe" dominant --xy 0.34435285842136937 0.598324095759105 | tail -1 | cut -d, -f3-4)
[ "$got" = "556.278," ] || fail "dominant of the 600 nm middle pigment: $got"
white=$("$vollfarbe" table --observer cie1931 --format json 359 2>/dev/null | python3 -c '
import json, sys; r = json.load(sys.stdin)[0]; print(r["second_x"], r["second_y"])')
# shellcheck disable=SC2086
got=$("$vollfarbe" dominant --xy $white | tail -1 | cut -d, -f3-)
[ "$got" = ",,,,yes" ] || fail "the white point has no hue: $got"
got=$(printf '0.4 0.2\n17.0414,16.3049,98.9451\n' | "$vollfarbe" dominant - | tail -n +2 | cut -d, -f3 | tr '\n' ' ')
[ "$got" = "-521.09 476.477 " ] || fail "dominant from stdin: $got"
printf '0.4 0.2 0.1 0.3\n' | "$vollfarbe" dominant - >"$work/out" 2>"$work/err"
[ $? = 2 ] && [ ! -s "$work/out" ] && grep -q "stdin line 1" "$work/err" || fail "dominant: a line of four numbers"
# The built-in tables give the hue-equal wavelengths of the dialogue's
# construction and no purities: the middle pigment of 600 nm has l1 = 556.84,
# as the dialogue shows; the white point has no hue.
got=$("$vollfarbe" dominant --observer legacy --xy 0.3477056641250473 0.5957024090487569 | tail -1)
[ "$got" = "0.3477056641250473,0.5957024090487569,556.84,-556.84,,," ] || fail "dominant --observer legacy: $got"
got=$("$vollfarbe" dominant --observer legacy --XYZ 1 1 1 | tail -1 | cut -d, -f3-)
[ "$got" = ",,,," ] || fail "dominant --observer legacy at the white: $got"

# --white: the hues seen from a rounded D65 white, not the data's.
got=$("$vollfarbe" dominant --illuminant D65 --white 0.3127,0.3290 --xy 0.4 0.4 | tail -1 | cut -d, -f4)
[ "$got" = 481.076 ] || fail "dominant --white: $got"
"$vollfarbe" dominant --white 0.9,0.3 --xy 0.4 0.4 >"$work/out" 2>"$work/err"
[ $? = 2 ] && [ ! -s "$work/out" ] && grep -q "is no chromaticity" "$work/err" || fail "dominant --white 0.9,0.3"

# Outside the locus (left of it, x + y > 1, no light): no purities, one
# warning counting them, status 0; --strict refuses the first (here the first
# line: nothing written).
printf -- '-0.1 0.5\n0.5 0.6\n0.3 0.3\n0 0 0\n' | "$vollfarbe" dominant - >"$work/out" 2>"$work/err"
[ $? = 0 ] || fail "dominant outside the locus: status"
got=$(tail -n +2 "$work/out" | cut -d, -f5- | tr '\n' ' ')
case "$got" in ",,no ,,no "*",yes ,,no ") ;; *) fail "dominant outside the locus: $got" ;; esac
[ "$(grep -c 'warning: 3 of 4 colours lie outside' "$work/err")" = 1 ] || fail "dominant outside the locus: warning"
printf -- '-0.1 0.5\n' | "$vollfarbe" dominant --strict - >"$work/out" 2>"$work/err"
[ $? = 2 ] && [ ! -s "$work/out" ] || fail "dominant --strict outside the locus"

# plot: the second model's locus beside the first's, named in the legend.
"$vollfarbe" plot --observer legacy,cie1964 --wavelength 600 >"$work/plot.svg" || fail "plot --observer status"
grep -q 'spectrum-locus-cie1964' "$work/plot.svg" || fail "plot: no CIE 1964 locus"
grep -q 'CIE 1964 10°, E' "$work/plot.svg" || fail "plot: the legend does not name CIE 1964"
grep -q 'white-compared' "$work/plot.svg" || fail "plot: no white point of CIE 1964"

[ "$failures" = 0 ] && echo "observers: all checks passed"
[ "$failures" = 0 ]
