#!/bin/bash
# The program on a real X server (Xvfb with openbox), without and with a notification area (trayer):
# - no tray: "-h" starts minimised, closing the window minimises it;
# - a tray that turns up later gets the icon;
# - with a tray: "-h" shows only the icon, closing the window hides it.
# Usage: tray_xvfb.sh <zentick executable>
set -euo pipefail

if [ "${1:-}" != --inside ]; then
    work=$(mktemp -d)
    trap 'rm -rf "$work"' EXIT
    cp "$1" "$work/zentick"
    mkdir -m 700 "$work/run"
    export HOME=$work XDG_RUNTIME_DIR=$work/run XDG_CONFIG_HOME=$work/config
    # No bus at all: nothing reaches the machine's logind or a desktop session.
    export DBUS_SESSION_BUS_ADDRESS=unix:path=$work/no-bus DBUS_SYSTEM_BUS_ADDRESS=unix:path=$work/no-bus
    unset QT_QPA_PLATFORM XAUTHORITY
    # Xvfb picks a free display itself and names it once it takes connections (xvfb-run -a guesses a number from
    # the lock files in /tmp, which two X tests starting at once can both take). -noreset: by default the server
    # starts over whenever its last client leaves, and a client connecting meanwhile (openbox after a probe) is
    # turned away.
    mkfifo "$work/display"
    Xvfb -displayfd 3 -noreset -screen 0 1024x640x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
    xvfb=$!
    trap 'kill "$xvfb" 2>/dev/null || true; rm -rf "$work"' EXIT
    read -r display <"$work/display" || true
    [ -n "${display:-}" ] || { cat "$work/xvfb.log" >&2; echo "FAIL: Xvfb did not start" >&2; exit 1; }
    DISPLAY=:$display "$0" --inside "$work"
    exit
fi

work=$2
program=$work/zentick
pids=()
trap 'kill "${pids[@]}" 2>/dev/null || true' EXIT

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

# Waits for a command to succeed: the limit is there to end a test that fails, not to time anything, so it is
# generous enough for a machine under heavy load.
wait_for() {
    for _ in $(seq 300); do
        if "$@" >/dev/null 2>&1; then return 0; fi
        sleep 0.1
    done
    return 1
}

main_window() { xdotool search --name '^Morvi© Zentick®' | head -n 1; }
# Iconic (minimised), Normal (shown) or Withdrawn (hidden); openbox keeps the property up to date.
window_state() {
    local id
    id=$(main_window)
    [ -n "$id" ] || { echo Withdrawn; return; }
    xprop -id "$id" WM_STATE 2>/dev/null | sed -n 's/.*window state: //p' | grep . || echo Withdrawn
}
state_is() { [ "$(window_state)" = "$1" ]; }
# More than two colours in the panel's corner: something is drawn there besides the panel.
tray_shows_icon() {
    [ "$(import -window root -crop 120x32+904+0 png:- | identify -format %k -)" -gt 2 ]
}
tray_is_empty() { ! tray_shows_icon; }
close_window() {
    xdotool windowactivate --sync "$(main_window)"
    xdotool key --clearmodifiers alt+F4
}
start_tray() {
    trayer --edge top --align right --widthtype pixel --width 120 --height 32 --transparent false &
    pids+=($!)
    wait_for xdotool search --class trayer || fail "trayer did not start"
}
end_program() {
    "$program" -t
    wait_for sh -c "! kill -0 $1" || fail "zentick -t did not end the running program"
}
# openbox manages the screen: it names its check window on the root window once it has taken the screen over.
wm_running() { xprop -root _NET_SUPPORTING_WM_CHECK | grep -q 'window id'; }
# Returns once openbox has handled every request made before (a window mapped, say): it handles them in order, and
# it answers this one by changing the number of desktops, which can be seen.
desktops_are() { [ "$(xdotool get_num_desktops)" = "$1" ]; }
wm_caught_up() {
    local n
    n=$(($(xdotool get_num_desktops) % 4 + 1))
    xdotool set_num_desktops "$n"
    wait_for desktops_are "$n" || fail "openbox did not answer"
}

openbox &
pids+=($!)
# A window the program maps while openbox is still taking the screen over can stay unmanaged (seen as Withdrawn).
wait_for wm_running || fail "openbox did not start"

# No notification area.
"$program" -h &
first=$!
pids+=($first)
wait_for state_is Iconic || fail "-h without a tray: the window should start minimised, is $(window_state)"
"$program" # a second start shows the running one's window
wait_for state_is Normal || fail "a second start should show the window, is $(window_state)"
close_window
wait_for state_is Iconic || fail "closing without a tray should minimise, is $(window_state)"

# The notification area turns up later: the icon comes up, and closing now hides.
start_tray
wait_for tray_shows_icon || fail "the icon did not come up in a tray that started later"
"$program"
wait_for state_is Normal || fail "a second start should show the window, is $(window_state)"
close_window
wait_for state_is Withdrawn || fail "closing with a tray should hide, is $(window_state)"
end_program "$first"
# The ended program's icon gone first, so the icon looked for next is the new program's.
wait_for tray_is_empty || fail "the icon stayed after the program ended"

# A notification area from the start: "-h" shows only the icon.
"$program" -h &
second=$!
pids+=($second)
wait_for tray_shows_icon || fail "-h with a tray: the icon did not come up"
# Once the program has answered a request, its start is done: a window it showed has been asked for, and once
# openbox caught up it would be seen.
"$program" --list >/dev/null || fail "the running program did not answer --list"
wm_caught_up
state_is Withdrawn || fail "-h with a tray: the window should stay hidden, is $(window_state)"
end_program "$second"
echo "PASS"
