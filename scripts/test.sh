#!/usr/bin/env bash
# `make test`: host unit tests, then the Win32 build and its tests under Wine
# (unit tests and end-to-end) on a private Xvfb. Every stage runs; the script
# fails if any of them failed.
set -uo pipefail
. "$(dirname "$0")/common.sh"
cd "$ZV_ROOT" || exit 1

failed=()
stage() {
    local name=$1
    shift
    echo "== $name: $*"
    if ! "$@"; then
        failed+=("$name")
        return 1
    fi
}

if stage host-configure cmake --preset host &&
    stage host-build cmake --build --preset host -j2; then
    stage host-tests ctest --preset host --timeout 300
fi

if stage win32-configure cmake --preset win32 &&
    stage win32-build cmake --build --preset win32 -j2; then
    PREFIX=$ZV_ROOT/build/wineprefix-test
    zv_start_xvfb 1024x768x24
    trap 'zv_kill_prefix "$PREFIX"; zv_stop_xvfb' EXIT
    # The Win32 unit tests run through wine in this prefix; the end-to-end
    # tests clone prefixes of their own and only borrow the display.
    if stage wine-prefix zv_init_prefix "$PREFIX" test; then
        mkdir -p "$PREFIX.home"
        # One silent wave device, as a Windows machine has one.
        printf 'pcm.!default { type null }\n' >"$PREFIX.home/.asoundrc"
        (zv_wine_env "$PREFIX" "$PREFIX.home" && ctest --preset win32 --timeout 300) || failed+=(win32-tests)
    fi
fi

if [[ ${#failed[@]} -ne 0 ]]; then
    echo "FAILED: ${failed[*]}" >&2
    exit 1
fi
echo "All tests passed."
