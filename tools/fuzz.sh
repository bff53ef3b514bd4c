#!/usr/bin/env bash
# The unit tests under ASan and UBSan, then each fuzz target from its seeds in fuzz/corpus/ for
# $1 seconds (30 by default). A finding fails the run and keeps its input in build/fuzz/findings/.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-30}
build=build/fuzz
cmake --preset fuzz
cmake --build "$build" -j"$(nproc)"
ctest --test-dir "$build" --output-on-failure
for seeds in fuzz/corpus/*/; do
    target=$(basename "$seeds")
    # New inputs go to a scratch corpus, so the seeds in the repo stay as they are.
    mkdir -p "$build/corpus/$target" "$build/findings"
    echo "fuzzing $target for ${seconds}s"
    "$build/fuzz/$target" "$build/corpus/$target" "$seeds" -max_total_time="$seconds" \
        -timeout=10 -rss_limit_mb=1024 -print_final_stats=1 \
        -artifact_prefix="$build/findings/$target-" 2>"$build/$target.log" || {
        tail -n 60 "$build/$target.log"
        echo "fuzz finding in $target; its input is in $build/findings/" >&2
        exit 1
    }
    grep -E 'stat::number_of_executed_units|stat::new_units_added' "$build/$target.log"
done
