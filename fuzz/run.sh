#!/usr/bin/env bash
# Builds the fuzz targets (clang, libFuzzer, ASan/UBSan) and runs each one:
#   fuzz/run.sh brief           each target over its committed corpus plus a
#                               few seconds (FUZZ_BRIEF_SECONDS, default 5)
#   fuzz/run.sh long [seconds]  each target for that long (default 600)
# FUZZ_TARGETS picks some ("clock property_store"). Exits non-zero when a
# target finds a crash or a broken promise; the input that did it is kept
# in build/fuzz/<target>-crash-*. Inputs found on the way
# go to build/fuzz/corpus/<target>; the committed seeds in fuzz/corpus stay
# as they are (to add some: fuzz_<target> -merge=1 fuzz/corpus/<target> DIR).
set -uo pipefail
cd "$(dirname "$0")/.." || exit 1

mode=${1:-brief}
case $mode in
    brief) seconds=${FUZZ_BRIEF_SECONDS:-5} ;;
    long) seconds=${2:-600} ;;
    *)
        echo "usage: fuzz/run.sh brief | long [seconds]" >&2
        exit 2
        ;;
esac

build=build/fuzz
cmake -S fuzz -B "$build" -DCMAKE_CXX_COMPILER="${CXX_FUZZ:-clang++}" >/dev/null &&
    cmake --build "$build" -j2 >"$build/build.log" 2>&1 || {
    cat "$build/build.log" >&2 2>/dev/null
    echo "fuzz: build failed" >&2
    exit 1
}

failed=()
for target in ${FUZZ_TARGETS:-stored_values property_store clock strip_art}; do
    found=$build/corpus/$target
    mkdir -p "$found"
    log=$build/$target.log
    echo "== fuzz $target ($mode, ${seconds}s)"
    "$build/fuzz_$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
        -print_final_stats=1 -artifact_prefix="$build/$target-" \
        "$found" "fuzz/corpus/$target" >"$log" 2>&1
    status=$?
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
    rate=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log")
    echo "   $target: ${runs:-?} runs, ${rate:-?} exec/s," \
        "corpus $(ls "$found" | wc -l) found + $(ls "fuzz/corpus/$target" | wc -l) seeds"
    if [[ $status -ne 0 ]]; then
        grep -E -A30 "^==[0-9]+==|runtime error|deadly signal" "$log" | head -60
        echo "   $target: FAILED (exit $status), see $log"
        failed+=("$target")
    fi
done

if [[ ${#failed[@]} -ne 0 ]]; then
    echo "fuzz: findings in ${failed[*]}" >&2
    exit 1
fi
echo "fuzz: no findings"
