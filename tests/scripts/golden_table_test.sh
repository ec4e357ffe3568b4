#!/usr/bin/env bash
# The 1 nm table as the program writes it, byte for byte against the committed
# copy: every printed digit of 391 passes. Regenerate the copy only when the
# results are meant to change:
#   build/vollfarbe table > tests/golden/table_1nm.csv
set -u
vollfarbe=$1
golden="$(dirname "$0")/../golden/table_1nm.csv"
out=$(mktemp)
trap 'rm -f "$out"' EXIT
"$vollfarbe" table >"$out" || { echo "FAIL: table exited $?"; exit 1; }
if ! cmp -s "$out" "$golden"; then
  echo "FAIL: the 1 nm table differs from tests/golden/table_1nm.csv:"
  diff "$golden" "$out" | head -20
  exit 1
fi
echo "ok: 1 nm table identical to the golden copy"
