#!/bin/bash
# The program on a real X server with the desktop's accessibility bus (AT-SPI), driven the way a screen reader
# user drives it: a new alarm from the main menu through accessibility actions and the keyboard alone, then the
# stored record is checked. Exits 77 (skipped) only when a tool it needs is not installed.
# Usage: atspi_xvfb.sh <zentick executable> [file for the main menu as a screen reader finds it]
set -euo pipefail

skip() {
    echo "SKIP: $*"
    exit 77
}

if [ "${1:-}" != --inside ]; then
    for tool in xvfb-run dbus-run-session openbox xdotool; do
        command -v "$tool" >/dev/null || skip "$tool is not installed"
    done
    [ -x /usr/libexec/at-spi-bus-launcher ] || skip "at-spi2-core is not installed"
    /usr/bin/python3 -c 'import pyatspi' 2>/dev/null || skip "python3-pyatspi is not installed"
    work=$(mktemp -d)
    trap 'rm -rf "$work"' EXIT
    cp "$1" "$work/zentick"
    mkdir -m 700 "$work/run"
    export HOME=$work XDG_RUNTIME_DIR=$work/run XDG_CONFIG_HOME=$work/config
    # A private session bus (for the accessibility bus) and no system bus: nothing reaches the machine.
    export DBUS_SYSTEM_BUS_ADDRESS=unix:path=$work/no-bus
    unset QT_QPA_PLATFORM DBUS_SESSION_BUS_ADDRESS
    # -noreset: by default the server starts over whenever its last client leaves, and turns clients away meanwhile.
    xvfb-run -a -s "-screen 0 1024x768x24 -noreset" dbus-run-session -- "$0" --inside "$work" "${2:-}"
    exit
fi

work=$2
dump=$3
here=$(cd "$(dirname "$0")" && pwd)
pids=()
trap 'kill "${pids[@]}" 2>/dev/null || true' EXIT

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

wait_for() {
    for _ in $(seq 150); do
        if "$@" >/dev/null 2>&1; then return 0; fi
        sleep 0.1
    done
    return 1
}

# The keyboard and the activation below need a window manager that is really managing: on a busy machine the
# server may still be settling when openbox starts, so wait for the server and for openbox's mark on the root window,
# and start it once more if it gave up.
wait_for xdpyinfo || fail "the X server did not come up"
wm_ready() { xprop -root _NET_SUPPORTING_WM_CHECK | grep -q 'window id'; }
for _ in 1 2 3; do
    openbox &
    pids+=($!)
    if wait_for wm_ready; then break; fi
done
wm_ready || fail "the window manager did not start"
/usr/libexec/at-spi-bus-launcher --launch-immediately &
pids+=($!)
wait_for gdbus call --session -d org.a11y.Bus -o /org/a11y/bus -m org.a11y.Bus.GetAddress ||
    fail "the accessibility bus did not come up"

QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_QPA_PLATFORM=xcb LANG=en_GB.UTF-8 "$work/zentick" &
pids+=($!)
# The keyboard reaches the active window: make sure the window manager has made it so.
wait_for xdotool search --name 'Zentick' || fail "the main window did not open"
xdotool windowactivate --sync "$(xdotool search --name 'Zentick' | head -n 1)" || true

description="Dentist appointment on Thursday"
/usr/bin/python3 "$here/atspi_new_alarm.py" "$description" "$dump" || fail "the alarm could not be made"

# The record on disk: one alarm with the typed description.
alarms=$(find "$work" -name Alarms.xml | head -n 1)
[ -n "$alarms" ] || fail "no Alarms.xml was written"
grep -q "$description" "$alarms" || fail "the stored alarm lacks its description: $(cat "$alarms")"
echo "PASS: $alarms holds the alarm"
