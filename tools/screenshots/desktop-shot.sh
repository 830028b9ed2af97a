#!/bin/bash
# One real X screenshot: the main window on a small desktop (Xvfb, openbox) with Zentick's icon in a tray
# (trayer), and a second one with the tray menu open. The program runs from a copy in a temporary folder,
# so its settings and data never touch the build tree, with a runtime folder of its own, so a Zentick that
# is already running elsewhere does not take the start over.
# Usage: tools/screenshots/desktop-shot.sh [output-folder]      (BUILD_DIR overrides ./build)
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=${BUILD_DIR:-$root/build}
out=$(cd "${1:-$root/docs/screenshots}" && pwd)
if [ ! -x "$build/zentick" ]; then
    echo "missing $build/zentick: cmake --build $build --target zentick" >&2
    exit 1
fi
if [ -z "${ZENTICK_SHOT_INSIDE_X:-}" ]; then
    exec env ZENTICK_SHOT_INSIDE_X=1 xvfb-run -a -s "-screen 0 1024x640x24" "$0" "$out"
fi

work=$(mktemp -d)
pids=()
finish() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    wait 2>/dev/null || true
    rm -rf "$work"
}
trap finish EXIT
cp "$build/zentick" "$work/"
[ -f "$build/hurryup.mid" ] && cp "$build/hurryup.mid" "$work/"
mkdir -m 700 "$work/runtime"
export XDG_RUNTIME_DIR=$work/runtime LANG=en_GB.UTF-8

# A plain gradient for the desktop, so the window stands out as it would on a real one.
convert -size 1024x640 gradient:'#58789c-#26364a' "$work/desktop.png"
display -window root "$work/desktop.png" 2>/dev/null || true
openbox >/dev/null 2>&1 &
pids+=($!)
sleep 0.5
trayer --edge top --align right --widthtype pixel --width 120 --height 32 --transparent false \
    >/dev/null 2>&1 &
pids+=($!)
sleep 1
"$work/zentick" >/dev/null 2>&1 &
pids+=($!)
sleep 3

# The pointer starts in the middle of the screen, on a menu entry; a screenshot shows it resting elsewhere.
xdotool mousemove 900 600
sleep 0.3
import -window root "$out/desktop-tray.png"

# The tray menu: a right click on the icon, the only one in the tray, which fills it from the right.
xdotool mousemove $((1024 - 12)) 16 click 3
sleep 1
import -window root "$out/desktop-tray-menu.png"

colours=$(identify -format %k "$out/desktop-tray.png")
echo "desktop-tray.png: $colours colours"
if [ "$colours" -le 2 ]; then
    echo "the screen came out blank" >&2
    exit 1
fi
