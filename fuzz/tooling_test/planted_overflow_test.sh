#!/usr/bin/env bash
# The fuzz tooling fails on undefined behaviour: a target whose every
# non-empty input overflows a signed int stops at the report even when told
# to recover (the build has no recovery), and run_fuzzers, run on it as on a
# real target, exits non-zero with the report in its log and a reproducer.
#
#   planted_overflow_test.sh PLANTED_FUZZER RUN_FUZZERS
set -euo pipefail
planted=$1
run_fuzzers=$2
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

# The build itself: told to recover, the target must still stop.
printf 'x' > "$scratch/input"
if UBSAN_OPTIONS=halt_on_error=0 "$planted" "$scratch/input" > "$scratch/direct.txt" 2>&1; then
  cat "$scratch/direct.txt" >&2
  fail "the planted overflow was reported and the run went on: the build recovers from undefined behaviour"
fi
grep -q 'runtime error: signed integer overflow' "$scratch/direct.txt" ||
  { cat "$scratch/direct.txt" >&2; fail "the target stopped, but not at the overflow's report"; }

# run_fuzzers on a build folder holding only the planted target.
mkdir "$scratch/build" "$scratch/build/fuzz"
cp "$planted" "$scratch/build/fuzz/"
name=$(basename "$planted")
if "$run_fuzzers" "$scratch/build" 20 > "$scratch/run.txt" 2>&1; then
  cat "$scratch/run.txt" >&2
  fail "run_fuzzers exited 0 on a target with a signed overflow"
fi
grep -q "^FAILED: $name" "$scratch/run.txt" || { cat "$scratch/run.txt" >&2; fail "run_fuzzers failed, but not for $name"; }
grep -q 'runtime error: signed integer overflow' "$scratch/build/fuzz-work/$name/log.txt" ||
  fail "the fuzz log holds no overflow report"
compgen -G "$scratch/build/fuzz-work/$name/artifacts/crash-*" > /dev/null || fail "no reproducer was written"
echo "run_fuzzers failed on the planted overflow, as it must:"
grep -m1 'runtime error:' "$scratch/build/fuzz-work/$name/log.txt"
