#!/usr/bin/env bash
# Builds the fuzz targets with clang in fuzz/build and runs each for a fixed time, then prints per target the
# runs, the coverage reached and the findings (inputs that broke a check or crashed, kept in fuzz/findings/).
#   fuzz/run.sh [-t seconds per target] [-j jobs per target] [-n: no build] [target ...]   (default: 30 s, all)
# Exits non-zero when a target found something. The working corpus grows in fuzz/build/corpus/<target>, seeded
# from fuzz/corpus/<target>. Runs at the lowest priority; the build waits for the machine's build lock, unless the
# caller already holds it (ZENTICK_BUILD_LOCK_HELD=1, as when the whole of .ci/run runs under it).
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=30
jobs=1
build_first=1
while getopts "t:j:n" option; do
    case $option in
    t) seconds=$OPTARG ;;
    j) jobs=$OPTARG ;;
    n) build_first=0 ;;
    *) exit 2 ;;
    esac
done
shift $((OPTIND - 1))
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(fuzz_store fuzz_legacy fuzz_firing fuzz_readers fuzz_calendar)

build=fuzz/build
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
if [ ! -f $build/build.ninja ]; then
    cmake -S . -B $build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
        -DZENTICK_BUILD_FUZZ=ON -DZENTICK_BUILD_TESTS=OFF "${launcher[@]}" >/dev/null
fi
if [ $build_first = 1 ]; then
    lock=(flock /tmp/zentick-build.lock)
    [ "${ZENTICK_BUILD_LOCK_HELD:-}" = 1 ] && lock=()
    "${lock[@]}" nice -n 19 cmake --build $build --target "${targets[@]}" >$build/last-build.log ||
        { cat $build/last-build.log; exit 1; }
fi

export TZ=Europe/Berlin
# Qt is built without frame pointers, so the fast unwinder that records where each block was allocated walks on
# into garbage past Qt's frames: every allocation gets a stack of its own, and the store of stacks grows without
# end (a third of a run's time, hundreds of MB). Detection is the same without those stacks; to read a finding's
# allocation history, run the target on it with the default options.
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:malloc_context_size=0} UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1}
mkdir -p fuzz/findings
# Numbers and dates are short texts; documents need room for a few records.
max_len() { if [ "$1" = fuzz_readers ]; then echo 256; else echo 4096; fi; }
status=0
printf '%-14s %12s %8s %8s %9s\n' target runs cov ft findings
for target in "${targets[@]}"; do
    corpus=$build/corpus/$target
    mkdir -p "$corpus"
    log=$build/$target.log
    before=$(find fuzz/findings -name "$target-*" | wc -l)
    set +e
    # A single process has no one to share new inputs with: it need not keep rereading its corpus folder.
    parallel=(-reload=0)
    [ "$jobs" -gt 1 ] && parallel=(-jobs="$jobs" -workers="$jobs")
    nice -n 19 $build/fuzz/$target -max_total_time="$seconds" "${parallel[@]}" -print_final_stats=1 \
        -max_len="$(max_len "$target")" -timeout=20 -rss_limit_mb=2048 -artifact_prefix="fuzz/findings/$target-" \
        "$corpus" "fuzz/corpus/${target#fuzz_}" >"$log" 2>&1
    code=$?
    set -e
    # With -jobs the workers log to fuzz-<n>.log in the working folder.
    if [ "$jobs" -gt 1 ]; then cat fuzz-*.log >>"$log" 2>/dev/null; rm -f fuzz-*.log; fi
    runs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$log" | awk '{s += $2} END {print s + 0}' || true)
    cov=$(grep -o 'cov: [0-9]*' "$log" | tail -1 | awk '{print $2}' || true)
    ft=$(grep -o 'ft: [0-9]*' "$log" | tail -1 | awk '{print $2}' || true)
    found=$(($(find fuzz/findings -name "$target-*" | wc -l) - before))
    printf '%-14s %12s %8s %8s %9s\n' "$target" "$runs" "${cov:-?}" "${ft:-?}" "$found"
    if [ "$code" -ne 0 ] || [ "$found" -ne 0 ]; then
        status=1
        grep -E 'check failed|ERROR: |SUMMARY: |runtime error' "$log" | head -5 | sed 's/^/    /' || true
        echo "    log: $log"
    fi
done
exit $status
