#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Peak memory and time of fretlux-cli's commands on two hostile inputs: a 60 MB TAB file of 100
# TABs whose string lines are 100,000 characters long, and a 1 GB file without a line end.
# Usage: bench/hostile_input_probe.sh [build directory]   (needs GNU time: Debian's "time")
set -euo pipefail
build=${1:-build}
cli="$build/src/cli/fretlux-cli"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

python3 - "$work/long.tab" <<'PY'
import random, sys
random.seed(7)
with open(sys.argv[1], "w") as out:
    for tab in range(100):
        out.write(f"Part {tab + 1}\n")
        for string in "eBGDAE":
            body = "".join(random.choice("-----0123|") for _ in range(100_000))
            out.write(f"{string}|{body}\n")
PY
head -c 1000000000 /dev/zero | tr '\0' '-' > "$work/no-line-ends.tab"

for input in long.tab no-line-ends.tab; do
    printf '%s: %s bytes\n' "$input" "$(stat -c %s "$work/$input")"
    for command in dump convert play render; do
        case $command in
            dump) args=(dump "$work/$input") ;;
            convert) args=(convert "$work/$input" "$work/out.flx") ;;
            play) args=(play "$work/$input" --log) ;;
            render) args=(render "$work/$input" "$work/out.wav") ;;
        esac
        /usr/bin/time -f "  $command: %e s, peak %M KB, exit %x" "$cli" "${args[@]}" \
            > /dev/null 2> "$work/err" || true
        grep -v '^Error\|^fretlux-cli' "$work/err" || true
    done
done
