#!/usr/bin/env bash
# `make clean`: stop any Wine server still running in one of our prefixes,
# then remove the build tree.
set -euo pipefail
. "$(dirname "$0")/common.sh"
BUILD=$ZV_ROOT/build
if [[ -d $BUILD ]]; then
    while IFS= read -r -d '' stamp; do
        zv_kill_prefix "$(dirname "$stamp")"
    done < <(find "$BUILD" -name .zilvane-prefix -print0 2>/dev/null)
    while IFS= read -r -d '' reg; do
        zv_kill_prefix "$(dirname "$reg")"
    done < <(find "$BUILD" -maxdepth 5 -name system.reg -print0 2>/dev/null)
fi
rm -rf "$BUILD"
echo "Removed $BUILD"
