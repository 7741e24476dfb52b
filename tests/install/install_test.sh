#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Installs the build into a temporary prefix and checks that everything stands where the desktop
# entry, the desktop's MIME database and the installed program look for it.
# Usage: install_test.sh BUILD_DIR
set -euo pipefail
build=$1
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

cmake --install "$build" --prefix "$prefix" > /dev/null

for file in bin/fretlux bin/fretlux-cli share/fretlux/GSGMMIDI.LST share/fretlux/help/help.htm \
    share/fretlux/help/tab.htm share/applications/fretlux.desktop \
    share/icons/hicolor/scalable/apps/fretlux.svg share/mime/packages/fretlux.xml; do
    [[ -e "$prefix/$file" ]] || fail "$file is not installed"
done

desktop=$prefix/share/applications/fretlux.desktop
entry() { sed -n "s/^$1=//p" "$desktop"; }
program=$(entry Exec | cut -d' ' -f1)
[[ -x "$prefix/bin/$program" ]] || fail "the desktop entry runs '$program', which is not in bin/"
icon=$(entry Icon)
[[ -e "$prefix/share/icons/hicolor/scalable/apps/$icon.svg" ]] || fail "no icon named '$icon'"
for type in $(entry MimeType | tr ';' ' '); do
    grep -q "<mime-type type=\"$type\">" "$prefix/share/mime/packages/fretlux.xml" ||
        fail "the MIME type $type of the desktop entry is not defined"
done
grep -q '<glob pattern="\*.flx"/>' "$prefix/share/mime/packages/fretlux.xml" ||
    fail ".flx files get no MIME type"

# The installed program finds its data under the prefix, not in the source tree it was built from.
help=$(env -u FRETLUX_PROGRAM_DIR "$prefix/bin/fretlux" --help)
grep -qx "Program directory: $(cd "$prefix/share/fretlux" && pwd -P)" <<< "$help" ||
    grep -qx "Program directory: $prefix/share/fretlux" <<< "$help" ||
    fail "the installed program looks for its data elsewhere: $help"
[[ $("$prefix/bin/fretlux" --version) == "Fretlux 1.10" ]] || fail "--version"

# The help pages stand on their own: no scripts, nothing fetched from elsewhere.
for page in "$prefix"/share/fretlux/help/*.htm; do
    ! grep -qiE '<script|(src|href)="(https?:)?//' "$page" || fail "$page reaches outside"
done

if ((failures)); then
    echo "0 passed, $failures failed"
    exit 1
fi
echo "install: 1 passed, 0 failed"
