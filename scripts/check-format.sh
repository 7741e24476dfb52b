#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Fails when a C++ file differs from .clang-format. The version is named so that the check does
# not drift with whatever clang-format a machine happens to have.
set -euo pipefail
cd "$(dirname "$0")/.."
formatter=clang-format-14
mapfile -t files < <(git ls-files '*.cpp' '*.h')
"$formatter" --dry-run --Werror "${files[@]}"
