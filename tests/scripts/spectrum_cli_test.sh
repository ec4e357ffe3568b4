#!/usr/bin/env bash
# `vollfarbe spectrum` as a user meets it: colord's test-colour samples, a
# band of CSV, a lamp's colour temperature, published white points by
# --method cie15, colours outside the locus, and a clear error (status 2,
# nothing on stdout) for every bad file or option.
set -u
vollfarbe=$1
[ -d /usr/share/colord/ref ] || { echo "SKIP: colord-data not installed (make test installs it)"; exit 0; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
tcs=/usr/share/colord/ref/CIE-TCS.sp

# The 15 test-colour samples under D65: one row each, named as in the file.
"$vollfarbe" spectrum --illuminant D65 "$tcs" >"$work/tcs.csv" 2>"$work/err" || fail "TCS status"
[ "$(head -1 "$work/tcs.csv")" = "sample,X,Y,Z,x,y,u_prime,v_prime,dominant,complementary,excitation_purity,colorimetric_purity,inside_locus,limit_ratio,inside_solid,full_l,full_lc,full_kind,c,w,s" ] ||
  fail "TCS header: $(head -1 "$work/tcs.csv")"
# Real reflectances lie inside the optimal-colour solid, and each has its full
# colour: XYZ = c F + w W with c + w + s = 1 (TCS03's yellow-green hue lies
# where the band's pairs end at the green range and the long-end bands begin).
awk -F, 'NR > 1 && ($14 >= 1 || $15 != "yes" || $18 == "" || ($19 + $20 + $21 - 1)^2 > 1e-20) {print}' \
  "$work/tcs.csv" >"$work/bad"
[ ! -s "$work/bad" ] || fail "TCS in the solid: $(head -2 "$work/bad")"
[ "$(wc -l <"$work/tcs.csv")" = 16 ] || fail "TCS rows"
[ ! -s "$work/err" ] || fail "TCS warnings: $(cat "$work/err")"
python3 - "$work/tcs.csv" <<'PY' || fail "TCS values"
import csv, sys
rows = {r["sample"]: r for r in csv.DictReader(open(sys.argv[1]))}
assert abs(float(rows["TCS01"]["Y"]) - 29.8817) < 1e-4, rows["TCS01"]
assert rows["TCS09"]["dominant"] == "623.573" and rows["TCS07"]["dominant"] == "-564.109", rows["TCS09"]
assert all(r["inside_locus"] == "yes" for r in rows.values())
PY

# A 0/1 band from 500 to 600 nm is the optimal colour that table computes for
# the same pair; an uneven grid is said in a warning.
printf 'nm,band\n500,0\n500,1\n600,1\n600,0\n' >"$work/band.csv"
"$vollfarbe" spectrum --illuminant E "$work/band.csv" >"$work/band.out" 2>"$work/err" || fail "band status"
grep -q "not evenly spaced" "$work/err" || fail "band: no warning on the uneven grid"
python3 - "$work/band.out" <<'PY' || fail "band values"
import csv, sys
r = list(csv.DictReader(open(sys.argv[1])))[0]
# CIE 1931 under E: T(600) - T(500) of the model's band integrals.
assert abs(float(r["Y"]) - 75.7815) < 1e-4 and r["dominant"] == "558.476", r
PY

# A lamp: Planck's radiator at 2856 K as CSV of emission, every 5 nm; its
# CCT is its temperature, Duv 0.
python3 -c '
import math
print("nm,lamp")
for nm in range(360, 835, 5):
    print(nm, (560 / nm) ** 5 / math.expm1(1.4388e-2 / (nm * 1e-9 * 2856)), sep=",")' >"$work/lamp.csv"
"$vollfarbe" spectrum --kind emission "$work/lamp.csv" >"$work/lamp.out" || fail "lamp status"
python3 - "$work/lamp.out" <<'PY' || fail "lamp CCT"
import csv, sys
r = list(csv.DictReader(open(sys.argv[1])))[0]
assert abs(float(r["cct"]) - 2856) < 0.01 and abs(float(r["duv"])) < 1e-6 and r["Y"] == "100", r
PY
got=$("$vollfarbe" spectrum --illuminant A | tail -1 | cut -d, -f14 | cut -c1-4)
[ "$got" = 2855 ] || fail "the CCT of illuminant A: $got"

# CIE 15's white points by its summation: D65 with CIE 1931, A with CIE 1964.
got=$("$vollfarbe" spectrum --illuminant D65 --method cie15 | tail -1 | cut -d, -f5,6)
python3 -c 'import sys; x, y = map(float, sys.argv[1].split(",")); assert (round(x, 5), round(y, 5)) == (0.31272, 0.32903), (x, y)' "$got" ||
  fail "D65 by cie15: $got"
got=$("$vollfarbe" spectrum --observer cie1964 --illuminant A --method cie15 | tail -1 | cut -d, -f5,6)
python3 -c 'import sys; x, y = map(float, sys.argv[1].split(",")); assert (round(x, 5), round(y, 5)) == (0.45117, 0.40594), (x, y)' "$got" ||
  fail "A 10° by cie15: $got"

# --method is a model option of every command: the hues seen from the summed white.
got=$("$vollfarbe" table --observer cie1931 --illuminant D65 --method cie15 600 | tail -1 | cut -d, -f3)
[ "$got" = 489.868 ] || fail "table --method cie15: $got"
"$vollfarbe" table --method cie15 600 >"$work/out" 2>"$work/err"
[ $? = 2 ] && [ ! -s "$work/out" ] && grep -q "needs a CIE observer" "$work/err" || fail "table --method cie15 with the built-in tables"

# Light of 730 nm with the 1964 observer has the chromaticity of 676.061 nm.
printf 'nm,line\n729.99,0\n730,1\n730.01,0\n' >"$work/line.csv"
got=$("$vollfarbe" spectrum --observer cie1964 --illuminant D65 --kind emission "$work/line.csv" 2>/dev/null | tail -1 | cut -d, -f9)
[ "$got" = 676.061 ] || fail "730 nm with CIE 1964: $got"

# Outside the locus (a negative reflectance): no purities, one warning, exit
# 0; --strict refuses it and writes nothing.
printf 'nm,odd\n380,-1\n600,-1\n700,2\n' >"$work/odd.csv"
"$vollfarbe" spectrum "$work/odd.csv" >"$work/out" 2>"$work/err" || fail "outside: status"
[ "$(tail -1 "$work/out" | cut -d, -f5-13)" = ",,,,,,,,no" ] || fail "outside: $(tail -1 "$work/out")"
grep -q "1 of 1 colours lie outside the spectrum locus" "$work/err" || fail "outside: no warning"
"$vollfarbe" spectrum --strict "$work/odd.csv" >"$work/out" 2>"$work/err"
[ $? = 2 ] && [ ! -s "$work/out" ] || fail "outside with --strict"

# Daylight at any temperature; a bad file or option: status 2, one clear
# line, nothing on stdout.
"$vollfarbe" spectrum --illuminant D:5003 >/dev/null || fail "D:5003"
printf 'nm,a\n380,0.5\n390,x\n' >"$work/bad.csv"
while IFS='|' read -r args message; do
  # shellcheck disable=SC2086
  "$vollfarbe" spectrum $args >"$work/out" 2>"$work/err"
  status=$?
  [ $status = 2 ] && [ ! -s "$work/out" ] && grep -qF -- "$message" "$work/err" ||
    fail "spectrum $args: status $status, $(cat "$work/err")"
done <<CASES
$work/bad.csv|bad.csv:3: "x" is not a number
$work/missing.csv|missing.csv: cannot read
--kind glow $tcs|"glow" is not reflectance, transmittance or emission
--method cie16 $tcs|"cie16" is not exact or cie15
--white 0.3 $tcs|--white takes x,y
--observer legacy $tcs|the built-in tables have no spectral data
--illuminant D:3000|daylight is D:T with T from 4000 to 25000
CASES

[ "$failures" = 0 ] && echo "spectrum: all checks passed"
