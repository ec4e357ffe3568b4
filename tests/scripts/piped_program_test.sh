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

# start_waiting DIR [LOGS]: the program in DIR with keys from the FIFO
# LOGS/keys (held open on descriptor 3), after one pass of 600, waiting at
# the pause; transcript in LOGS/out, stderr in LOGS/err (LOGS is DIR unless
# given), its process id in $pid.
start_waiting() {
  local logs=${2:-$1}
  mkdir -p "$1" "$logs"
  mkfifo "$logs/keys"
  # No `timeout` in between: the signals must reach the program itself.
  (cd "$1" && exec "$program" <"$logs/keys" >"$logs/out" 2>"$logs/err") &
  pid=$!
  exec 3>"$logs/keys"
  printf '600\n' >&3
  for _ in $(seq 50); do grep -q 'l2 =-556.84' "$logs/out" 2>/dev/null && break; sleep 0.1; done
}
# finish DIR: closes the keys and puts the status in DIR/status (killed
# after 10 s).
finish() {
  exec 3>&-
  for _ in $(seq 100); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
  kill -KILL "$pid" 2>/dev/null
  wait "$pid"
  echo $? >"$1/status"
}

# Every signal that ends a program, while the dialogue waits on an open pipe:
# status 128 + n, report written.
for signal in TERM INT HUP QUIT USR1 USR2 ALRM VTALRM PROF XCPU; do
  start_waiting "$work/$signal"
  kill -"$signal" "$pid"
  finish "$work/$signal"
  expected_status=$((128 + $(kill -l "$signal")))
  [ "$(cat "$work/$signal/status")" = "$expected_status" ] ||
    fail "$signal: exit status $(cat "$work/$signal/status"), expected $expected_status"
  cmp -s "$work/$signal/vollfarb.txt" "$work/quit/vollfarb.txt" || fail "$signal: report not written out"
done

# Two programs in one directory: the second leaves the report of the first
# alone, runs its dialogue all the same and says so after its end.
start_waiting "$work/two"
(cd "$work/two" && printf '520\n1\n' | timeout 20 "$program" >second.out 2>second.err
 echo $? >second.status)
printf ' q ' >&3
finish "$work/two"
[ "$(cat "$work/two/status")" = 0 ] || fail "two: first run's status $(cat "$work/two/status")"
[ "$(cat "$work/two/second.status")" = 0 ] || fail "two: second run's status $(cat "$work/two/second.status")"
cmp -s "$work/two/vollfarb.txt" "$work/quit/vollfarb.txt" || fail "two: the first run's report was damaged"
[ "$(cat "$work/two/second.err")" = "vollfarbe: vollfarb.txt was in use by another running vollfarbe: this run's results were not written" ] ||
  fail "two: second run said: $(cat "$work/two/second.err")"
grep -qF '    Ergebnis Kurzendpigment' "$work/two/second.out" || fail "two: second run's dialogue differs"

# A FIFO named like the report neither hangs the program nor takes the report.
mkdir -p "$work/fifo"
mkfifo "$work/fifo/vollfarb.txt"
run_in "$work/fifo" '600\n q '
[ "$(cat "$work/fifo/status")" = 0 ] || fail "fifo: exit status $(cat "$work/fifo/status")"
[ "$(cat "$work/fifo/err")" = "vollfarbe: could not create vollfarb.txt: not a regular file" ] ||
  fail "fifo: stderr: $(cat "$work/fifo/err")"

# A closed stdin is the end of the input, not a keyboard made of the
# program's own descriptors.
mkdir -p "$work/closed"
(cd "$work/closed" && timeout 10 "$program" <&- >out 2>err; echo $? >status)
[ "$(cat "$work/closed/status")" = 0 ] || fail "closed stdin: exit status $(cat "$work/closed/status")"
grep -qF ' Eingabe der Grenzwellenlänge:?' "$work/closed/out" || fail "closed stdin: no dialogue"

# A file-size limit: the report is lost with a message, the program is not
# killed in the middle of a write.
# (The limit holds for every file the program writes: stderr goes through
# the pipe too, after the transcript.)
mkdir -p "$work/limit"
(cd "$work/limit" && printf '600\n q ' | (ulimit -f 0; exec timeout 20 "$program" 2>&1) | cat >out
 echo "${PIPESTATUS[1]}" >status)
[ "$(cat "$work/limit/status")" = 0 ] || fail "file-size limit: exit status $(cat "$work/limit/status")"
[ "$(tail -n 1 "$work/limit/out")" = "vollfarbe: could not write vollfarb.txt: File too large" ] ||
  fail "file-size limit: last line: $(tail -n 1 "$work/limit/out")"
grep -qF '   Die Grenzwellenlänge ist l = 489.996' "$work/limit/out" || fail "file-size limit: dialogue differs"

# The working directory removed during the run: the report is lost, and the
# user is told.
start_waiting "$work/gone" "$work/gone.logs"
rm -rf "$work/gone"
printf ' q ' >&3
finish "$work/gone.logs"
[ "$(cat "$work/gone.logs/status")" = 0 ] || fail "directory gone: exit status $(cat "$work/gone.logs/status")"
[ "$(cat "$work/gone.logs/err")" = "vollfarbe: could not write vollfarb.txt: the file or its directory was deleted during the run" ] ||
  fail "directory gone: stderr: $(cat "$work/gone.logs/err")"

# A report file that cannot be created is reported on stderr after the end.
mkdir -p "$work/locked/vollfarb.txt"
run_in "$work/locked" '600\n q '
[ "$(cat "$work/locked/status")" = 0 ] || fail "locked: exit status $(cat "$work/locked/status")"
grep -q '^vollfarbe: ' "$work/locked/err" || fail "locked: no message on stderr"
grep -qF '   Die Grenzwellenlänge ist l = 489.996' "$work/locked/out" || fail "locked: dialogue differs"

[ "$failures" = 0 ] && echo "piped program: all checks passed"
[ "$failures" = 0 ]
