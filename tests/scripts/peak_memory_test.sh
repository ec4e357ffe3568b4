#!/usr/bin/env bash
# What the program costs in memory: a table of 20,001 rows (CSV and JSON,
# two threads) peaks under 8 MB resident (/usr/bin/time), and the runs that
# draw no picture and open no window (--version, a table, the piped
# dialogue) load none of the rendering and window libraries, which a PNG
# does load. (`make bench` measures the full 390,001 rows.)
set -u
vollfarbe=$(realpath "$1")
command -v /usr/bin/time >/dev/null || { echo "SKIP: /usr/bin/time not installed (make test installs it)"; exit 0; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
limit_kb=8192

# AddressSanitizer's shadow memory alone is far beyond the limit.
if ldd "$vollfarbe" 2>/dev/null | grep -q libasan; then
  echo "note: AddressSanitizer build: peak memory not checked"
else
  for format in csv json; do
    peak=$(/usr/bin/time -f %M "$vollfarbe" table --from 380 --to 400 --step 0.001 \
             --format "$format" --threads 2 2>&1 >/dev/null)
    [ "$peak" -lt "$limit_kb" ] 2>/dev/null || fail "table --format $format peaks at $peak KB, over $limit_kb KB"
  done
fi

# The files the dynamic loader opens for a run, by their names.
heavy_libraries='librsvg|libcairo|libpango|libSDL2|libX11'
loaded() { LD_DEBUG=files "$@" 2>&1 >/dev/null | sed -n 's/.*file=\([^ ]*\).*/\1/p'; }
loaded "$vollfarbe" --version </dev/null >"$work/version"
loaded "$vollfarbe" table --from 380 --to 381 --step 0.01 </dev/null >"$work/table"
(cd "$work" && printf '600\n q ' | loaded "$vollfarbe") >"$work/dialogue"
for run in version table dialogue; do
  [ -s "$work/$run" ] || fail "no loader output for the $run run"
  ! grep -Eq "$heavy_libraries" "$work/$run" ||
    fail "the $run run loads $(grep -E "$heavy_libraries" "$work/$run" | tr '\n' ' ')"
done
(cd "$work" && loaded "$vollfarbe" plot -o "$work/figure.png") >"$work/png"
grep -q librsvg "$work/png" || fail "a PNG is made without librsvg being loaded: $(tr '\n' ' ' <"$work/png")"

[ "$failures" = 0 ] && echo "ok: the table peaks under 8 MB; only the runs that render load the renderer"
[ "$failures" = 0 ]
