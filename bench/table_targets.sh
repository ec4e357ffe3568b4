#!/usr/bin/env bash
# `vollfarbe table --from 380 --to 770 --step 0.001` as a user runs it: wall
# time and peak memory from /usr/bin/time -v (best of a few runs), CSV and
# JSON, and the SHA-256 of all 390,001 rows against what the program wrote
# before its table writer and passes were made faster (the same bytes).
#   bash bench/table_targets.sh build/vollfarbe [RUNS]
set -u
vollfarbe=$1
runs=${2:-3}
declare -A expected=(
  [csv]=f60a1d3a5abb4999f095a76c08c6fef193e7ee13edfd8df33adf66afd542c60b
  [json]=a5e164eb8df2a022a58042758a8ff80cd8a27bed8406128382e8bce521a14d21
)
memory_target_kb=8192  # 8 MB peak resident, on every core count the table is timed with
report=$(mktemp)
trap 'rm -f "$report"' EXIT
failures=0
echo "table --from 380 --to 770 --step 0.001 on $(nproc) cores, best of $runs (wall s, highest peak RSS):"
for format in csv json; do
  for threads in 1 "$(nproc)"; do
    best_wall=999 best_rss=0
    for _ in $(seq "$runs"); do
      /usr/bin/time -v -o "$report" "$vollfarbe" table --from 380 --to 770 --step 0.001 \
        --format "$format" --threads "$threads" >/dev/null
      wall=$(sed -n 's/.*Elapsed (wall clock) time (h:mm:ss or m:ss): //p' "$report" |
             awk -F: '{print $(NF-1) * 60 + $NF}')
      rss=$(sed -n 's/.*Maximum resident set size (kbytes): //p' "$report")
      best_wall=$(awk -v a="$wall" -v b="$best_wall" 'BEGIN {print (a < b) ? a : b}')
      [ "$rss" -gt "$best_rss" ] && best_rss=$rss
    done
    verdict=$([ "$best_rss" -le "$memory_target_kb" ] && echo "within" || echo "OVER")
    printf '  %-5s %s thread(s): %5.2f s  %6d KB peak (%s the %d KB target)\n' "$format" "$threads" \
      "$best_wall" "$best_rss" "$verdict" "$memory_target_kb"
  done
  digest=$("$vollfarbe" table --from 380 --to 770 --step 0.001 --format "$format" | sha256sum |
           cut -d' ' -f1)
  if [ "$digest" = "${expected[$format]}" ]; then
    echo "  $format: all 390,001 rows byte for byte as before"
  else
    echo "FAIL: $format sha256 $digest"
    failures=$((failures + 1))
  fi
done
baseline=$(/usr/bin/time -f %M "$vollfarbe" --version 2>&1 >/dev/null)
echo "  (the program alone, --version: $baseline KB peak RSS)"
[ "$failures" = 0 ]
