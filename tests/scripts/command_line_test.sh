#!/usr/bin/env bash
# The command line over the command table: every global option with every
# command (as `vollfarbe --help` lists them, so a new command is covered the
# day it is added), an unknown command, and the shared stdin reader: the same
# rules for every command, and `dominant -` streaming 3 million lines in
# bounded memory.
set -u
vollfarbe=$(realpath "$1")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

commands=$("$vollfarbe" --help | sed -n '/^Commands:/,/^$/p' | awk '/^  [a-z]/ {print $1}')
[ -n "$commands" ] || fail "vollfarbe --help lists no commands"
for command in $commands; do
  "$vollfarbe" --window "$command" >"$work/out" 2>"$work/err"
  status=$?
  [ $status = 2 ] && [ ! -s "$work/out" ] && grep -q -- "--window is for the dialogue, not for $command" "$work/err" ||
    fail "--window $command: status $status, $(head -1 "$work/err")"
  "$vollfarbe" "$command" --help >"$work/out" 2>&1 && grep -q "vollfarbe $command" "$work/out" ||
    fail "$command --help"
  "$vollfarbe" --version "$command" >"$work/out" 2>&1 && grep -q "^vollfarbe [0-9]" "$work/out" ||
    fail "--version $command"
  "$vollfarbe" --help "$command" >"$work/out" 2>&1 || fail "--help $command: status $?"
done

"$vollfarbe" tabel 600 >"$work/out" 2>"$work/err"
status=$?
[ $status = 2 ] && [ ! -s "$work/out" ] &&
  grep -qF "unknown command 'tabel'; did you mean 'table'?" "$work/err" || fail "tabel: status $status, $(head -1 "$work/err")"
"$vollfarbe" frobnicate >"$work/out" 2>"$work/err"
[ $? = 2 ] && grep -qF "unknown command 'frobnicate'; the commands are table" "$work/err" ||
  fail "frobnicate: $(head -1 "$work/err")"

# One reader for every command's stdin: a byte-order mark, comments, CR LF.
printf '\xef\xbb\xbf# wavelengths\r\n600\r\n\r\n' | "$vollfarbe" table - | cut -d, -f1-3 >"$work/table"
[ "$(tail -1 "$work/table")" = "600,middle,489.996" ] || fail "table - with a BOM: $(tail -1 "$work/table")"
printf '\xef\xbb\xbf# colours\r\n0.3, 0.4\r\n' | "$vollfarbe" dominant - | cut -d, -f1-3 >"$work/dominant"
[ "$(tail -1 "$work/dominant")" = "0.3,0.4,521.151" ] || fail "dominant - with a BOM: $(tail -1 "$work/dominant")"
for command in table dominant; do
  first=600; [ "$command" = dominant ] && first="0.3 0.4"
  { echo "$first"; head -c 5000 /dev/zero | tr '\0' 5; echo; } | "$vollfarbe" "$command" - >/dev/null 2>"$work/err"
  grep -q "stdin line 2 is longer than 4096 bytes" "$work/err" || fail "$command -: a long line: $(head -1 "$work/err")"
  "$vollfarbe" "$command" - </ >/dev/null 2>"$work/err"
  [ $? = 2 ] && grep -q "stdin: cannot read: Is a directory" "$work/err" ||
    fail "$command - with a directory as stdin: $(head -1 "$work/err")"
done

# Three million colours through `dominant -`: every row written as its line
# arrives, in memory bounded by a line (AddressSanitizer's shadow memory
# alone is far beyond the bound).
if command -v /usr/bin/time >/dev/null && ! ldd "$vollfarbe" 2>/dev/null | grep -q libasan; then
  yes '0.3 0.4' | head -n 3000000 |
    /usr/bin/time -f %M -o "$work/peak" "$vollfarbe" dominant --observer cie1931 - | wc -l >"$work/rows"
  [ "$(cat "$work/rows")" = 3000001 ] || fail "dominant -: $(cat "$work/rows") lines for 3,000,000 colours"
  [ "$(cat "$work/peak")" -lt 20480 ] || fail "dominant -: peak $(cat "$work/peak") KB for 3,000,000 colours"
fi

[ "$failures" = 0 ] && echo "ok: global options with every command, unknown commands, one stdin reader"
[ "$failures" = 0 ]
