#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Measures, under a virtual display, how long Fretlux takes from launch to its main window being
# mapped, and its resident memory once the synthesiser has finished setting up, for each
# soundfont given. Needs Xvfb and xdotool (Debian packages xvfb, xdotool).
# Usage: bench/launch_probe.sh [runs] [soundfont ...]
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-10}
shift || true
soundfonts=("$@")
((${#soundfonts[@]})) || soundfonts=(/usr/share/sounds/sf2/FluidR3_GM.sf2 /usr/share/sounds/sf2/TimGM6mb.sf2)
program=build/src/ui/fretlux

display=:73
Xvfb "$display" -screen 0 1366x768x24 >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null' EXIT
until DISPLAY=$display xdotool getdisplaygeometry >/dev/null 2>&1; do sleep 0.05; done

median() { sort -n | awk '{a[NR]=$1} END {print (NR % 2) ? a[(NR+1)/2] : (a[NR/2] + a[NR/2+1]) / 2}'; }

for soundfont in "${soundfonts[@]}"; do
    [[ -f "$soundfont" ]] || { echo "$soundfont: missing, skipped"; continue; }
    times=(); memories=()
    for ((run = 0; run < runs; run++)); do
        runtime=$(mktemp -d); config=$(mktemp -d); chmod 700 "$runtime"
        start=$(date +%s%N)
        DISPLAY=$display XDG_RUNTIME_DIR=$runtime XDG_CONFIG_HOME=$config \
            FRETLUX_SOUNDFONT=$soundfont "$program" >/dev/null 2>>"${FRETLUX_PROBE_LOG:-/dev/null}" &
        pid=$!
        # xdotool's own --sync waits half a second between looks; look every few milliseconds.
        until DISPLAY=$display xdotool search --onlyvisible --pid "$pid" >/dev/null 2>&1; do
            kill -0 "$pid" 2>/dev/null || { echo "Fretlux ended before its window showed" >&2; exit 1; }
            sleep 0.002
        done
        end=$(date +%s%N)
        sleep 2  # the synthesiser sets itself up off the window's thread
        memories+=("$(awk '/VmRSS/ {print $2}' "/proc/$pid/status")")
        kill "$pid"; wait "$pid" 2>/dev/null || true
        rm -rf "$runtime" "$config"
        times+=("$(((end - start) / 1000000))")
    done
    echo "$(basename "$soundfont"): window mapped in $(printf '%s\n' "${times[@]}" | median) ms" \
        "(median of $runs; all: ${times[*]}), resident memory" \
        "$(($(printf '%s\n' "${memories[@]}" | median | cut -d. -f1) / 1024)) MB"
done
