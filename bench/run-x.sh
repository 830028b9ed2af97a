#!/bin/sh
# Runs one benchmark on a private X server with a window manager (Xvfb + openbox), at the lowest priority and on
# one core, so that it disturbs the machine as little as possible; the reference in each benchmark shares both.
#
#   bench/run-x.sh build/bench/startup/startup_bench [options]
#   bench/run-x.sh build/bench/firing/firing_bench --platform xcb [options]
set -eu
[ $# -ge 1 ] || { echo "usage: $0 BENCHMARK [options]" >&2; exit 2; }
exec xvfb-run -a -s "-screen 0 1280x1024x24" sh -c '
    openbox >/dev/null 2>&1 & wm=$!
    sleep 1
    status=0
    nice -n 19 taskset -c 1 "$@" || status=$?
    kill "$wm" 2>/dev/null || true
    exit "$status"' run-x "$@"
