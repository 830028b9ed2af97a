#!/bin/sh
# Renders every page of the main window and the other windows offscreen into docs/screenshots, at scale 1
# (<name>.png) and scale 2 (<name>@2x.png). Build the tool first:
#   cmake --build build --target zentick_screenshots
# Usage: tools/screenshots/render-pages.sh [output-folder [locale]]      (BUILD_DIR overrides ./build)
# The locale (default en_GB) gives the language of the texts and the dates and numbers, e.g.
#   tools/screenshots/render-pages.sh docs/screenshots/de de_DE
set -eu
root=$(cd "$(dirname "$0")/../.." && pwd)
build=${BUILD_DIR:-$root/build}
tool=$build/tools/screenshots/zentick_screenshots
out=${1:-$root/docs/screenshots}
if [ ! -x "$tool" ]; then
    echo "missing $tool: cmake --build $build --target zentick_screenshots" >&2
    exit 1
fi
locale=${2:-en_GB}
mkdir -p "$out"
export QT_QPA_PLATFORM=offscreen LANG=$locale.UTF-8 LC_ALL=$locale.UTF-8 LANGUAGE=${locale%%_*} TZ=Europe/Berlin
"$tool" "$out"
QT_SCALE_FACTOR=2 "$tool" "$out" @2x
