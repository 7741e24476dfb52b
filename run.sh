#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Sets up and builds Fretlux, then starts it; arguments are passed on to the program.
set -euo pipefail
cd "$(dirname "$0")"
scripts/setup.sh --with-gm-soundfont
exec build/src/ui/fretlux "$@"
