#!/usr/bin/env bash
# A table ended by SIGINT, SIGTERM, SIGQUIT or SIGHUP while it writes into a
# pipe ends its output at a row's end: whoever reads the partial output sees
# only whole rows (a JSON array may lack its closing bracket, as after a bad
# line). The signal still ends the program, by its default action.
set -u
vollfarbe=$(realpath "$1")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# A slow reader (small reads with pauses), so that the table's writes into
# the pipe come out in pieces and a signal meets one half-way.
slow_reader() { python3 -c '
import sys, time
out = sys.stdout.buffer
while True:
    chunk = sys.stdin.buffer.read1(3000)
    if not chunk:
        break
    out.write(chunk)
    time.sleep(0.001)
'; }

runs=0
for signal in INT TERM QUIT HUP; do
  for format in csv json jsonl; do
    for threads in 1 2; do
      runs=$((runs + 1))
      # A background command of a shell without job control ignores SIGINT
      # and SIGQUIT: the table gets their default actions back.
      ( env --default-signal "$vollfarbe" table --from 380 --to 770 --step 0.001 --format "$format" --threads "$threads" &
        echo $! >"$work/pid"; wait ) 2>/dev/null | slow_reader >"$work/out" &
      reader=$!
      for ((i = 0; i < 100; i++)); do [ -s "$work/pid" ] && break; sleep 0.01; done
      sleep 0.$((RANDOM % 3 + 1))
      kill -s "$signal" "$(cat "$work/pid")" 2>/dev/null
      wait "$reader"
      rm -f "$work/pid"
      # Killed before its first row (a slow start, a sanitizer build): no
      # half row either.
      [ -s "$work/out" ] || continue
      last=$(tail -c 1 "$work/out" | od -An -c | tr -d ' ')
      case "$format" in
        json) ok=$( [ "$last" = "}" ] || [ "$last" = '\n' ] && echo yes) ;;
        *) ok=$( [ "$last" = '\n' ] && echo yes) ;;
      esac
      [ "$ok" = yes ] || fail "$signal, $format, $threads threads: output ends inside a row: ...$(tail -c 40 "$work/out")"
    done
  done
done
[ "$failures" = 0 ] && echo "ok: $runs signalled tables end at a row's end"
[ "$failures" = 0 ]
