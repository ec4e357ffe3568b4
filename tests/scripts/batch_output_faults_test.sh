#!/usr/bin/env bash
# table and plot when their output fails or their input never ends: they stop
# at the first failed write with status 1 and the reason, stream `table -`
# line by line, and never leave a broken file where a good one was.
# Usage: bash batch_output_faults_test.sh path/to/vollfarbe
set -u
vollfarbe=$(realpath "$1")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
huge=(table --from 0 --to 999999999)

# A full disk: stop at once, say why.
timeout 10 "$vollfarbe" "${huge[@]}" >/dev/full 2>"$work/err"
[ $? = 1 ] || fail "table >/dev/full: status $? (still running after 10 s?)"
[ "$(cat "$work/err")" = "vollfarbe table: cannot write the output: No space left on device" ] ||
  fail "table >/dev/full: $(cat "$work/err")"

# A reader that has gone: SIGPIPE ends the command quietly, and the shell
# reports 141 (128 + 13), as the man page and the README say.
(timeout 10 env --default-signal=PIPE "$vollfarbe" "${huge[@]}" 2>"$work/err" | head -1 >/dev/null
 echo "${PIPESTATUS[0]}" >"$work/status")
[ "$(cat "$work/status")" = 141 ] || fail "table | head -1 with SIGPIPE: status $(cat "$work/status")"
[ ! -s "$work/err" ] || fail "table | head -1 with SIGPIPE: $(cat "$work/err")"
grep -q '141' "${VOLLFARBE_BUILD_DIR:?}/docs/vollfarbe.1" || fail "the man page does not give the status 141"

# A reader that has gone, with SIGPIPE ignored: quietly status 1.
(trap '' PIPE; timeout 10 "$vollfarbe" "${huge[@]}" 2>"$work/err" | head -1 >/dev/null
 echo "${PIPESTATUS[0]}" >"$work/status")
[ "$(cat "$work/status")" = 1 ] || fail "table | head -1: status $(cat "$work/status")"
[ ! -s "$work/err" ] || fail "table | head -1: $(cat "$work/err")"

# A file-size limit: the write fails, the program is not killed.
(ulimit -f 1; exec "$vollfarbe" table) >"$work/table.csv" 2>"$work/err.pipe" </dev/null
status=$?
[ "$status" = 1 ] || fail "table under ulimit -f: status $status"

# --help and --version are output too.
for args in --help --version "table --help"; do
  # shellcheck disable=SC2086
  "$vollfarbe" $args >/dev/full 2>"$work/err"
  [ $? = 1 ] && grep -q "No space left on device" "$work/err" || fail "$args >/dev/full"
  # shellcheck disable=SC2086
  "$vollfarbe" $args >&- 2>"$work/err"
  [ $? = 1 ] && grep -q "Bad file descriptor" "$work/err" || fail "$args >&-"
done
"$vollfarbe" table 600 >&- 2>"$work/err"
[ $? = 1 ] && grep -q "Bad file descriptor" "$work/err" || fail "table >&-: $(cat "$work/err")"

# plot -o on a full file system: the good file stays, no temporary is left.
"$vollfarbe" plot -o "$work/good.svg" || fail "plot -o status"
cp "$work/good.svg" "$work/before.svg"
(ulimit -f 1; exec "$vollfarbe" plot --ring -o "$work/good.svg") 2>&1 | cat >"$work/err"
[ "${PIPESTATUS[0]}" = 1 ] || fail "plot under ulimit -f: status ${PIPESTATUS[0]}"
[ "$(cat "$work/err")" = "vollfarbe plot: cannot write $work/good.svg: File too large" ] ||
  fail "plot under ulimit -f: $(cat "$work/err")"
cmp -s "$work/good.svg" "$work/before.svg" || fail "plot under ulimit -f replaced the good file"
[ "$(ls -A "$work" | grep -c '^\.good')" = 0 ] || fail "plot left a temporary file: $(ls -A "$work")"
"$vollfarbe" plot >/dev/full 2>"$work/err"
[ $? = 1 ] && grep -q "No space left on device" "$work/err" || fail "plot >/dev/full: $(cat "$work/err")"

# `table -` streams: each row comes as its line arrives, memory stays flat,
# a byte-order mark is skipped.
python3 - "$vollfarbe" <<'PY' || fail "table - streaming"
import os, select, subprocess, sys
exe = sys.argv[1]
p = subprocess.Popen([exe, "table", "-"], stdin=subprocess.PIPE, stdout=subprocess.PIPE,
                     stderr=subprocess.PIPE)
p.stdin.write(b"\xef\xbb\xbf600\n")
p.stdin.flush()
seen = b""
while seen.count(b"\n") < 2 and select.select([p.stdout], [], [], 5)[0]:
    seen += p.stdout.read1(65536)
assert seen.startswith(b"wavelength,path,") and b"\n600,middle,489.996," in seen, seen
p.stdin.write(b"sechshundert\n")
p.stdin.close()
assert p.wait(timeout=5) == 2
assert b"stdin line 2" in p.stderr.read()

# Memory stays flat however long the input: 16 MB of blank lines and one
# wavelength take no more than the wavelength alone (peak RSS of each run).
def peak_kib(blank_lines):
    feed = subprocess.Popen(["bash", "-c", "head -c %d /dev/zero | tr '\\0' '\\n'; echo 600"
                             % blank_lines], stdout=subprocess.PIPE)
    p = subprocess.Popen([exe, "table", "-"], stdin=feed.stdout, stdout=subprocess.DEVNULL)
    feed.stdout.close()
    _, status, usage = os.wait4(p.pid, 0)
    feed.wait()
    assert status == 0, status
    return usage.ru_maxrss
alone = peak_kib(0)
long_input = peak_kib(16 << 20)
assert long_input - alone < 4096, (alone, long_input)
PY

# Messages: out of range, escaped bytes, decimal steps with exponents.
"$vollfarbe" table 1e400 2>&1 >/dev/null | grep -qF '"1e400" is out of range' || fail "1e400 message"
"$vollfarbe" table $'6\x9b' 2>&1 >/dev/null | grep -qF '"6\x9b" is not a number' || fail "\\x9b escaped"
[ "$("$vollfarbe" table --from 0.1 --to 0.3 --step 1e-1 2>/dev/null | cut -d, -f1 | tr '\n' ' ')" = "wavelength 0.1 0.2 0.3 " ] ||
  fail "--step 1e-1 steps in decimal"

[ "$failures" = 0 ] && echo "batch output faults: all checks passed"
exit "$failures"
