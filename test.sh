#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Sets up and builds Fretlux, then runs every test; exits non-zero when any test fails.
set -euo pipefail
cd "$(dirname "$0")"
scripts/setup.sh
export QT_QPA_PLATFORM=offscreen
ctest --test-dir build --output-on-failure --parallel "$(nproc)"
