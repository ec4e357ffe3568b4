#!/usr/bin/env bash
# The dialogue scripted through a pipe: the transcript shows the pass, the
# report file is complete, and the program ends with status 0 (after "q",
# at the end of the input, and on SIGTERM while it waits).
# Usage: bash piped_program_test.sh path/to/vollfarbe
set -u
program=$(realpath "$1")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

run_in() {  # run_in DIR INPUT -> transcript in DIR/out, status in DIR/status
  mkdir -p "$1"
  (cd "$1" && printf "$2" | timeout 20 "$program" >out 2>err; echo $? >status)
}

# A whole pass, the pause, "q" and the last key.
run_in "$work/quit" '600\n q '
[ "$(cat "$work/quit/status")" = 0 ] || fail "q: exit status $(cat "$work/quit/status")"
grep -qF '   Berechnung einer Vollfarbe und ihrer farbtongleichen Wellenlänge' "$work/quit/out" ||
  fail "q: title missing from the transcript"
grep -qF '   Die Grenzwellenlänge ist l = 489.996' "$work/quit/out" || fail "q: result missing"
grep -qF ' Eingabe der Grenzwellenlänge:? 600' "$work/quit/out" || fail "q: echoed entry missing"
[ "$(grep -c 'Berechnung einer Vollfarbe' "$work/quit/out")" = 1 ] || fail "q: title written twice"
if LC_ALL=C grep -q $'\e' "$work/quit/out"; then fail "q: escape sequences in the transcript"; fi
[ -f "$work/quit/vollfarb.txt" ] || fail "q: no vollfarb.txt"
first_line=$(head -c 23 "$work/quit/vollfarb.txt" | od -An -c | tr -s ' ')
expected=$(printf 'l=  489.996  lc=  600\r\n' | od -An -c | tr -s ' ')
[ "$first_line" = "$expected" ] || fail "q: first report line is$first_line"
# The whole report of the pass, byte for byte (code page 437, CR LF, the
# closing lines as CR CR LF).
{
  printf 'l=  489.996  lc=  600\r\n\r\r\n'
  printf '   Ergebnis Mittelpigment: X opt =  45.67611650968549\r\n'
  printf '                           Y opt =  78.25403911460552\r\n'
  printf '                           Z opt =  7.434159721629669\r\n'
  printf '   Farbwertanteile\r\n'
  printf '                               x =  0.3477056641250473\r\n'
  printf '                               y =  0.5957024090487569\r\n\r\r\n'
  printf '   Ergebnis Mittelfehlpigment: X opt =  54.32388349031451\r\n'
  printf '                               Y opt =  21.74596088539449\r\n'
  printf '                               Z opt =  92.56584027837033\r\n'
  printf '   Farbwertanteile\r\n'
  printf '                                   x =  0.3221375333562914\r\n'
  printf '                                   y =  0.1289523088188704\r\n\r\r\n'
  printf '     Die fartongleiche Wellenl\204nge ist l1 = 556.84\r\n'
  printf '     Die fartongleiche Wellenl\204nge ist l2 =-556.84\r\n'
  printf '%080d\r\n\r\r\n' 0 | tr 0 -
} >"$work/expected_report"
cmp "$work/quit/vollfarb.txt" "$work/expected_report" || fail "q: report differs from the worked example"
[ -s "$work/quit/err" ] && fail "q: unexpected stderr: $(cat "$work/quit/err")"

# The input ends in the middle of the dialogue: the report is still complete
# up to there and the status is 0.
run_in "$work/eof" '600\n'
[ "$(cat "$work/eof/status")" = 0 ] || fail "eof: exit status $(cat "$work/eof/status")"
cmp -s "$work/eof/vollfarb.txt" "$work/quit/vollfarb.txt" || fail "eof: report differs from the q run"

# Keys beyond 255 as a two-byte code: Left moves into the entry, so
# "60" Left "5" Enter reads 650 ("6", "5", "0").
run_in "$work/left" '60\377K5\n q '
grep -qF ' Eingabe der Grenzwellenlänge:? 650' "$work/left/out" || fail "left: entry not edited"
grep -qF 'lc=  650' "$work/left/vollfarb.txt" || grep -qF 'l=  650' "$work/left/vollfarb.txt" ||
  fail "left: 650 not in the report"

# SIGTERM while the dialogue waits on an open pipe: status 143, report written.
mkdir -p "$work/term"
(
  cd "$work/term" || exit
  mkfifo keys
  timeout 20 "$program" <keys >out 2>err &
  pid=$!
  exec 3>keys
  printf '600\n' >&3
  for _ in $(seq 50); do grep -q 'Grenzwellenlänge ist' out 2>/dev/null && break; sleep 0.1; done
  kill -TERM "$pid"
  wait "$pid"
  echo $? >status
  exec 3>&-
)
[ "$(cat "$work/term/status")" = 143 ] || fail "term: exit status $(cat "$work/term/status")"
cmp -s "$work/term/vollfarb.txt" "$work/quit/vollfarb.txt" || fail "term: report not written out"

# A report file that cannot be created is reported on stderr after the end.
mkdir -p "$work/locked/vollfarb.txt"
run_in "$work/locked" '600\n q '
[ "$(cat "$work/locked/status")" = 0 ] || fail "locked: exit status $(cat "$work/locked/status")"
grep -q '^vollfarbe: ' "$work/locked/err" || fail "locked: no message on stderr"
grep -qF '   Die Grenzwellenlänge ist l = 489.996' "$work/locked/out" || fail "locked: dialogue differs"

[ "$failures" = 0 ] && echo "piped program: all checks passed"
[ "$failures" = 0 ]
