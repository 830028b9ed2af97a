#!/bin/bash
# Builds the Debian package, lists it, runs lintian on it, installs it on this machine with apt-get, then starts
# the installed program hidden as an ordinary user and ends it with "-t". Run as root from anywhere:
#     tools/build-deb.sh [build folder, default build]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}

command -v lintian >/dev/null || apt-get install -y -qq --no-install-recommends lintian >/dev/null

echo "== building the package"
cmake --build "$build" --target package >/dev/null
deb=$(ls -t "$build"/zentick_*.deb | head -n 1)
echo "$deb"

echo "== control"
dpkg-deb --field "$deb"
echo "== contents"
dpkg-deb --contents "$deb" | awk '{print $1, $6}'

# dpkg-shlibdeps made Depends of each program's libraries: the windows' Qt libraries for zentick, Qt Multimedia and
# FluidSynth for the sound helper alone, Qt Network for the network plugin alone.
echo "== libraries each program links (beyond the C and C++ runtimes)"
unpacked=$(mktemp -d)
dpkg-deb -x "$deb" "$unpacked"
for program in usr/bin/zentick usr/lib/zentick/zentick-sound usr/lib/zentick/zentick-net.so; do
    echo "$program: $(objdump -p "$unpacked/$program" | awk '/NEEDED/ {print $2}' |
        grep -Ev '^lib(c|m|gcc_s|stdc\+\+)\.so' | tr '\n' ' ')"
done
rm -rf "$unpacked"

echo "== lintian"
# lintian exits non-zero on errors; the script stops there. Warnings are listed and explained in the README.
lintian --info --display-level ">=info" "$deb"
echo "lintian: no errors"

echo "== installing"
apt-get install -y -qq "$(realpath "$deb")" >/dev/null
dpkg-query --show --showformat='${Package} ${Version} ${Status}\n' zentick

echo "== starting the installed program hidden, as nobody, and ending it with -t"
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
chown 65534:65534 "$home"
chmod 700 "$home"
as_nobody() {
    setpriv --reuid=65534 --regid=65534 --clear-groups env -i PATH=/usr/bin:/bin HOME="$home" \
        XDG_RUNTIME_DIR="$home" QT_QPA_PLATFORM=offscreen "$@"
}
as_nobody zentick -h &
running=$!
for _ in $(seq 100); do
    [ -f "$home/.config/zentick/Settings.xml" ] && break
    sleep 0.1
done
sleep 1
kill -0 "$running" || { echo "zentick -h did not keep running"; exit 1; }
echo "running: $(ls "$home/.config/zentick" | tr '\n' ' ')"
as_nobody zentick -t
wait "$running"
echo "zentick -t ended it (exit status $?)"

echo "== the installed sound helper, as nobody, plays the installed melody (into a silent sink without a sound card)"
as_nobody /usr/lib/zentick/zentick-sound /usr/share/zentick/hurryup.mid 2>/dev/null
echo "played to its end (exit status $?)"
