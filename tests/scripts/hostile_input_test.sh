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

[ "$failures" = 0 ] && echo "hostile input: all checks passed"
exit "$failures"
