#!/bin/sh
# Installs what Zentick needs to build, run and test on Debian 12. Safe to run again.
set -eu
export DEBIAN_FRONTEND=noninteractive
apt-get update -qq
apt-get install -y -qq --no-install-recommends \
    build-essential cmake ninja-build pkg-config \
    qt6-base-dev qt6-multimedia-dev qt6-svg-dev libfluidsynth-dev qt6-tools-dev qt6-l10n-tools qt6-translations-l10n libgl-dev libical-dev qtkeychain-qt6-dev \
    gstreamer1.0-plugins-base gstreamer1.0-plugins-good gstreamer1.0-plugins-bad gstreamer1.0-plugins-ugly gstreamer1.0-libav timgm6mb-soundfont fonts-dejavu-core \
    xvfb xauth trayer openbox imagemagick xdotool python3 python3-dbusmock dbus sox fluidsynth \
    at-spi2-core python3-pyatspi \
    desktop-file-utils appstream man-db x11-utils \
    qt6-qpa-plugins libqt6svg6 \
    clang libclang-rt-14-dev \
    libbenchmark-dev libpugixml-dev \
    radicale >/dev/null
