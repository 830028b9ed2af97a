#!/bin/sh
# Every figure of the start-up, memory, sound and idle sections of BENCHMARKS.md for one build of the program, each
# against its reference measured in the same run, on a private X server, niced, on one core (about 11 minutes).
#
#   bench/run-all.sh BUILD_DIR [EXECUTABLE]
#
# BUILD_DIR holds the benchmarks (configured with -DZENTICK_BUILD_BENCH=ON); EXECUTABLE (default BUILD_DIR/zentick,
# with hurryup.mid beside it) is the program measured, so an older build can be measured by the same benchmarks.
set -eu
[ $# -ge 1 ] || { echo "usage: $0 BUILD_DIR [EXECUTABLE]" >&2; exit 2; }
build=$1
exe=${2:-$build/zentick}
here=$(dirname "$0")
"$here/run-x.sh" "$build/bench/startup/startup_bench" --exe "$exe"
"$here/run-x.sh" "$build/bench/firing/firing_bench" --platform xcb --exe "$exe" --no-idle --alarms 40
"$here/run-x.sh" "$build/bench/firing/firing_bench" --platform xcb --exe "$exe" --no-idle --alarms 40 --sound
"$here/run-x.sh" "$build/bench/firing/firing_bench" --platform xcb --exe "$exe" --no-firing
