#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Installs the Debian packages Fretlux needs (only those missing) and builds it into build/.
# --with-gm-soundfont also installs FluidR3_GM, the better-sounding General MIDI soundfont
# (about 140 MB), which the program prefers to the small TimGM6mb when it is present.
# --with-bench also installs Google Benchmark and builds the benchmarks under bench/.
# --with-format-check also installs clang-format 14, which scripts/check-format.sh runs.
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(
    cmake ninja-build g++ pkg-config
    qt6-base-dev qt6-svg-dev qt6-qpa-plugins libgl-dev
    libfluidsynth-dev timgm6mb-soundfont
    libzip-dev libpugixml-dev
    libaubio-dev libfftw3-dev
    portaudio19-dev librtmidi-dev libasound2-dev
    libgtest-dev
    fonts-liberation
)
options=()
for argument in "$@"; do
    case "$argument" in
        --with-gm-soundfont) packages+=(fluid-soundfont-gm) ;;
        --with-bench) packages+=(libbenchmark-dev); options+=(-DFRETLUX_BUILD_BENCH=ON) ;;
        --with-format-check) packages+=(clang-format-14) ;;
        *) echo "setup.sh: unknown argument $argument" >&2; exit 2 ;;
    esac
done

missing=()
for package in "${packages[@]}"; do
    status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
    [[ "$status" == "install ok installed" ]] || missing+=("$package")
done
if ((${#missing[@]})); then
    echo "Installing: ${missing[*]}"
    sudo_cmd=()
    [[ $(id -u) -eq 0 ]] || sudo_cmd=(sudo)
    "${sudo_cmd[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "${options[@]}"
cmake --build build --parallel "$(nproc)"
