#!/bin/sh
# The default melody must sound: fluidsynth renders it with the General MIDI font the program uses, and
# sox measures the result. Usage: render_melody.sh <hurryup.mid> [sound font]
set -eu
melody=$1
font=${2:-/usr/share/sounds/sf2/TimGM6mb.sf2}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

[ -s "$melody" ] || { echo "no melody at $melody"; exit 1; }
fluidsynth -ni -g 1.0 -F "$work/out.wav" -r 44100 "$font" "$melody" >"$work/fluidsynth.log" 2>&1 \
    || { cat "$work/fluidsynth.log"; exit 1; }
# The audible part: the file with the silence that fluidsynth leaves after the last note cut off.
sox "$work/out.wav" "$work/audible.wav" reverse silence 1 0.01 -60d reverse

stat_of() { LC_ALL=C sox "$1" -n stat 2>&1; }
value() { printf '%s\n' "$1" | sed -n "s/^$2: *//p"; }
whole=$(stat_of "$work/out.wav")
audible=$(stat_of "$work/audible.wav")
length=$(value "$whole" 'Length (seconds)')
rms=$(value "$whole" 'RMS     amplitude')
audible_length=$(value "$audible" 'Length (seconds)')
audible_rms=$(value "$audible" 'RMS     amplitude')
echo "rendered ${length} s, RMS ${rms}; audible ${audible_length} s, RMS ${audible_rms}"

awk -v whole="$length" -v rms="$rms" -v audible="$audible_length" -v arms="$audible_rms" 'BEGIN {
    fail = 0
    if (!(whole >= 3 && whole <= 15)) { print "FAIL: rendered length " whole " s is not between 3 and 15 s"; fail = 1 }
    if (!(audible >= 5 && audible <= 10)) { print "FAIL: audible length " audible " s is not between 5 and 10 s"; fail = 1 }
    if (!(rms > 0.02)) { print "FAIL: RMS amplitude " rms " is near silence"; fail = 1 }
    if (!(arms > 0.04)) { print "FAIL: RMS amplitude of the audible part " arms " is too quiet"; fail = 1 }
    exit fail
}'
