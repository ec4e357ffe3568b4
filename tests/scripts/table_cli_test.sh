#!/usr/bin/env bash
# The table command as a user calls it: output that CSV and JSON readers take
# back, --help/--version on stdout, and status 2 with an empty stdout for
# every mistake in the arguments.
set -u
vollfarbe=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# --version: the project's version, and the commit of the checkout it was
# built from (CMake passes the version and the source folder).
"$vollfarbe" --version >"$work/out" 2>"$work/err" || fail "--version status"
version=${VOLLFARBE_VERSION:?the project version, set by ctest}
version_pattern="^vollfarbe ${version//./\\.}( \\(commit [0-9a-f]{7,}(, modified)?\\))?\$"
grep -Eq "$version_pattern" "$work/out" || fail "--version text: $(cat "$work/out")"
source_dir=${VOLLFARBE_SOURCE_DIR:?the source folder, set by ctest}
if [ "$(git -C "$source_dir" rev-parse --show-toplevel 2>/dev/null)" = "$(realpath "$source_dir")" ]; then
  head=$(git -C "$source_dir" rev-parse HEAD)
  commit=$(sed -n 's/.*(commit \([0-9a-f]*\).*/\1/p' "$work/out")
  [ -n "$commit" ] && [ "${head#"$commit"}" != "$head" ] ||
    fail "--version names commit '$commit', the checkout is at $head"
fi
for args in "--help" "table --help" "plot --help"; do
  # shellcheck disable=SC2086
  "$vollfarbe" $args >"$work/out" 2>"$work/err" || fail "$args status"
  [ -s "$work/out" ] && [ ! -s "$work/err" ] || fail "$args: help belongs on stdout"
done
grep -q "second_l2" <("$vollfarbe" table --help) || fail "table --help explains the columns"

while IFS= read -r args; do
  # shellcheck disable=SC2086
  "$vollfarbe" $args </dev/null >"$work/out" 2>"$work/err"
  status=$?
  [ "$status" = 2 ] || fail "'$args': status $status, expected 2"
  [ ! -s "$work/out" ] || fail "'$args': wrote to stdout"
  grep -q "^usage: vollfarbe" "$work/err" || fail "'$args': no usage line on stderr"
done <<'CASES'
--bogus
bogus
table --bogus
table --format xml
table 600nm
table 600 abc
table --from 500 --to 400
table --step 0
table --from abc
table --to
table 600 --from 500
table - 600
table nan
plot --wavelength grün
plot --bogus
plot --wavelength 5000
plot --wavelength 379.999
table --strict 0 300 -5
table --strict --from 700 --to 800
table --strict=false 600
plot --ring=3
CASES

# Outside the tables: rows as the dialogue computes them, one warning.
"$vollfarbe" table 0 300 -5 >"$work/out" 2>"$work/err"
[ $? = 0 ] && [ "$(wc -l <"$work/out")" = 4 ] || fail "table 0 300 -5: status or rows"
[ "$(wc -l <"$work/err")" = 1 ] && grep -q "3 wavelengths lie outside the tables' range 380 to 770 nm" "$work/err" ||
  fail "table 0 300 -5: warning: $(cat "$work/err")"
"$vollfarbe" table --strict 0 300 -5 >/dev/null 2>"$work/err"
grep -q "380 to 770 nm" "$work/err" || fail "--strict names the range: $(cat "$work/err")"
"$vollfarbe" plot --wavelength 5000 >/dev/null 2>"$work/err"
grep -q "outside the range the model covers, 380 to 770 nm" "$work/err" ||
  fail "plot --wavelength 5000 names the range: $(cat "$work/err")"

printf '600\n520\nsechshundert\n700\n' | "$vollfarbe" table - >"$work/out" 2>"$work/err"
[ $? = 2 ] && [ "$(wc -l <"$work/out")" = 3 ] || fail "a bad stdin line ends the table after the rows before it"
grep -q 'stdin line 3: "sechshundert"' "$work/err" || fail "stdin message: $(cat "$work/err")"

python3 - "$vollfarbe" <<'PY' || fail "CSV/JSON read-back"
import csv, io, json, math, subprocess, sys
exe = sys.argv[1]
run = lambda *a, stdin=None: subprocess.run([exe, "table", *a], input=stdin, capture_output=True,
                                            text=True, check=True).stdout
rows = list(csv.DictReader(io.StringIO(run("--from", "380", "--to", "770", "--step", "0.5"))))
assert len(rows) == 781, len(rows)
objs = json.loads(run("--from", "380", "--to", "770", "--step", "0.5", "--format", "json"))
lines = [json.loads(l) for l in run("-", "--format", "jsonl",
                                   stdin="\n".join(r["wavelength"] for r in rows)).splitlines()]
assert len(objs) == len(lines) == 781
for r, o, l in zip(rows, objs, lines):
    assert o == l, (o, l)
    for k, v in r.items():
        if k == "path":
            assert v == o[k] in ("middle", "end")
        elif v == "":
            assert o[k] is None, (k, o)
        else:
            assert float(v) == o[k], (k, v, o[k])
row600 = next(o for o in objs if o["wavelength"] == 600)
assert "%.16g" % row600["first_X"] == "45.67611650968549"
assert "%.16g" % row600["second_y"] == "0.1289523088188704"
assert (row600["l"], row600["first_moment"], row600["first_l1"], row600["first_l2"]) == \
       (489.996, 77.95, 556.84, -556.84)
tsv = list(csv.DictReader(io.StringIO(run("600", "520", "--format", "tsv")), delimiter="\t"))
assert [r["path"] for r in tsv] == ["middle", "end"]
PY

[ "$failures" = 0 ] && echo "table command: all checks passed"
exit "$failures"
