#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Measures, under a virtual display, how long Fretlux takes from launch to its main window being
# mapped, and its resident memory once the synthesiser has finished setting up, for each
# soundfont given. map_probe watches the display for the window's MapNotify, so the figure is
# not coarsened by polling. Needs Xvfb (Debian package xvfb) and a build with bench/map_probe.
# Usage: bench/launch_probe.sh [runs] [soundfont ...]
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-10}
shift || true
soundfonts=("$@")
((${#soundfonts[@]})) || soundfonts=(/usr/share/sounds/sf2/FluidR3_GM.sf2 /usr/share/sounds/sf2/TimGM6mb.sf2)
program=${FRETLUX_PROGRAM:-build/src/ui/fretlux}
probe=${FRETLUX_MAP_PROBE:-build/bench/map_probe}

display=:73
Xvfb "$display" -screen 0 1366x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null' EXIT
for _ in $(seq 100); do [[ -e /tmp/.X11-unix/X${display#:} ]] && break; sleep 0.05; done

for soundfont in "${soundfonts[@]}"; do
    [[ -f "$soundfont" ]] || { echo "$soundfont: missing, skipped"; continue; }
    echo "$(basename "$soundfont"): $(DISPLAY=$display FRETLUX_SOUNDFONT=$soundfont \
        "$probe" "$runs" "$program")"
done
