#!/bin/sh
# A short fuzzing run of one target on its seed corpus: long enough to catch a
# regression that the seeds reach, short enough for every test run.
set -e
target="$1" corpus="$2" work="$3"
rm -rf "$work" && mkdir -p "$work"
[ -d "$corpus" ] && cp -r "$corpus"/. "$work"/
exec "$target" -max_total_time="${KZ8_FUZZ_SECONDS:-10}" -print_final_stats=1 "$work"
