#!/usr/bin/env bash
# What `vollfarbe table` reads, as a user hands it over: a file named as an
# argument (refused with the way to read it), lines with comments and blank
# lines on stdin, one column of a measured CSV/TSV file (--column), and the
# correction pass of the dialogue (--partner), which must print what the
# dialogue prints for the same pass.
set -u
vollfarbe=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
cd "$work" || exit 1

# run ARGS... < input: stdout in out, stderr in err, status in status.
run() { "$vollfarbe" table "$@" >out 2>err; status=$?; }
# first_columns: the wavelength and path columns of out, one line.
first_columns() { tail -n +2 out | cut -d, -f1-4 | tr '\n' ' ' | sed 's/ $//'; }

# A file named where a wavelength goes: the message says how to read it.
printf '600\n' >wl.txt
run wl.txt </dev/null
[ "$status" = 2 ] && [ ! -s out ] || fail "table wl.txt: status $status"
grep -qF '"wl.txt" is a file, not a wavelength; read it through stdin: vollfarbe table - < wl.txt' err &&
  grep -qF 'vollfarbe table --column NAME - < wl.txt' err || fail "table wl.txt says: $(cat err)"
run no-such-file </dev/null
grep -qF '"no-such-file" is not a number' err || fail "a name that is no file: $(cat err)"

# Lines of wavelengths: blank lines and # comments are skipped, CR LF taken.
run - < <(printf '# measured 7 December\n\n600\r\n   \n  # 450 left out\n450\n')
[ "$status" = 0 ] && [ "$(first_columns)" = "600,middle,489.996,600 450,middle,450,571.209" ] ||
  fail "table - with comments: status $status, rows '$(first_columns)', $(cat err)"

# One column of a table with a header, however the file was written.
while IFS='|' read -r column input expected; do
  run --column "$column" - < <(printf '%b' "$input")
  [ "$status" = 0 ] && [ "$(first_columns)" = "$expected" ] ||
    fail "--column $column of '$input': status $status, rows '$(first_columns)', $(cat err)"
done <<'CASES'
nm|nm,R\n600,0.1\n450,0.2\n|600,middle,489.996,600 450,middle,450,571.209
1|nm,R\n600,0.1\n|600,middle,489.996,600
lambda (nm)|\xef\xbb\xbf# lab 3\r\n"lambda (nm)","R, %"\r\n600,"0,1"\r\n,\r\n|600,middle,489.996,600
R|x\tR\n0.1\t450\n\n# end\n|450,middle,450,571.209
2|a;b\n1;600\n|600,middle,489.996,600
CASES
printf 'nm,R\n600,0.1\n' | "$vollfarbe" table --column nm >out 2>err ||
  fail "--column without -: $(cat err)"

# A bad cell or header is a clear error naming the line; the rows before it stay.
while IFS='|' read -r column input message; do
  run --column "$column" - < <(printf '%b' "$input")
  [ "$status" = 2 ] && grep -qF -- "$message" err ||
    fail "--column $column of '$input': status $status, '$(cat err)', expected '$message'"
done <<'CASES'
nm|nm,R\n600,1\n6OO,2\n|stdin line 3, column "nm": "6OO" is not a number
nm|nm,R\n600,1\n,2\n|stdin line 3, column "nm": the cell is empty
R|nm,R\n600\n|stdin line 2, column "R": the line has 1 field
wl|# x\nnm,R\n600,1\n|--column "wl": the header (stdin line 2) has no such column; its columns are "nm", "R"
3|nm,R\n600,1\n|--column "3": the header (stdin line 1) has 2 columns
CASES
run --column nm - < <(printf 'nm\n600\nsix\n')
[ "$(first_columns)" = "600,middle,489.996,600" ] || fail "the rows before a bad cell: '$(first_columns)'"
run --column nm 600 </dev/null
[ "$status" = 2 ] && grep -qF -- "--column reads its wavelengths from stdin" err || fail "--column with wavelengths: $(cat err)"

# --partner: the dialogue's pass after a correction, digit for digit as the
# dialogue's report prints it (450, then key 1 and k = 70: the entry 520 with
# the partner 450, the end path; 600, then key 2 and k = 10: 610 with 489.996).
while IFS='|' read -r keys partner entry; do
  printf '%b' "$keys" | "$vollfarbe" >/dev/null 2>&1
  "$vollfarbe" table --partner "$partner" "$entry" --format json >out 2>err || fail "--partner $partner: $(cat err)"
  python3 - vollfarb.txt out <<'PY' || fail "--partner $partner $entry differs from the dialogue's pass"
import json, re, sys
report = open(sys.argv[1], encoding="cp437").read().replace("\r", "")
last = report.split("-" * 80)[-2]
pair = [float(v) for v in re.search(r"^ *l= +(\S+) +lc= +(\S+)$", last, re.MULTILINE).groups()]
printed = re.findall(r"[XYZxy] (?:opt )?= +(-?[0-9][0-9.e+-]*)$", last, re.MULTILINE)
row = json.load(open(sys.argv[2]))[0]
names = [f"{p}_{c}" for p in ("first", "second") for c in ("X", "Y", "Z", "x", "y")]
expected = [f"{row[n]:.16g}" for n in names]
ok = printed == expected and pair == [row["l"], row["lc"]]
if not ok:
    print(pair, printed, expected, row["l"], row["lc"])
sys.exit(0 if ok else 1)
PY
done <<'CASES'
450\n 1 70\n1\n q |450|520
600\n 2 10\n q |489.996|610
CASES

[ "$failures" = 0 ] && echo "table input: all checks passed"
[ "$failures" = 0 ]
