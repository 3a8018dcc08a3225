#!/usr/bin/env bash
# `make test`: host unit tests; then both Windows builds, each checked
# statically, and the Wine tiers (Win32 tests, the host under Wine,
# end-to-end) for every architecture this machine runs, on a private Xvfb.
# Every stage runs; the script fails if any of them failed.
set -uo pipefail
. "$(dirname "$0")/common.sh"
cd "$ZV_ROOT" || exit 1

zv_detect_archs
zv_archs_line

failed=()
# Counts of every ctest run ("total failed" lines), read at the end; a file
# because the Wine tiers run ctest in a subshell of their own environment.
COUNTS=$(mktemp)
stage() {
    local name=$1
    shift
    echo "== $name: $*"
    if ! "$@"; then
        failed+=("$name")
        return 1
    fi
}

counted_ctest() {
    local log rc
    log=$(mktemp)
    ctest "$@" 2>&1 | tee "$log"
    rc=${PIPESTATUS[0]}
    if ! sed -En 's/.*tests passed, ([0-9]+) tests? failed out of ([0-9]+).*/\2 \1/p' "$log" | tail -n1 | grep . >>"$COUNTS"; then
        ((rc == 0)) || echo "1 1" >>"$COUNTS"
    fi
    rm -f "$log"
    return "$rc"
}

if stage host-configure cmake --preset host &&
    stage host-build cmake --build --preset host -j2; then
    stage host-tests counted_ctest --preset host --timeout 300
fi

wine_ran=() checked=()
for arch in $ZV_ALL_ARCHS; do
    zv_use_arch "$arch"
    stage "$ZV_PRESET-configure" cmake --preset "$ZV_PRESET" &&
        stage "$ZV_PRESET-build" cmake --build --preset "$ZV_PRESET" -j2 || continue
    # The shipped file is checked on every machine, whether it runs here or not.
    if stage "$ZV_PRESET-exe-check" bash scripts/check_exe.sh "$arch" "$ZV_BUILD/bin/Zilvane.exe"; then
        echo "1 0" >>"$COUNTS"
        checked+=("$arch")
    else
        echo "1 1" >>"$COUNTS"
    fi
    [[ " $ZV_ARCHS " == *" $arch "* ]] || continue

    PREFIX=$ZV_ROOT/build/wineprefix-test-$arch
    zv_start_xvfb 1024x768x24
    trap 'zv_kill_prefix "$PREFIX"; zv_stop_xvfb' EXIT
    # The Win32 unit tests run through wine in this prefix; the end-to-end
    # tests clone prefixes of their own and only borrow the display.
    if stage "$ZV_PRESET-wine-prefix" zv_init_prefix "$PREFIX" test; then
        mkdir -p "$PREFIX.home"
        # One silent wave device, as a Windows machine has one.
        printf 'pcm.!default { type null }\n' >"$PREFIX.home/.asoundrc"
        # shellcheck disable=SC2030 # the environment is the subshell's own
        (zv_wine_env "$PREFIX" "$PREFIX.home" && counted_ctest --preset "$ZV_PRESET" --timeout 300) ||
            failed+=("$ZV_PRESET-tests")
        wine_ran+=("$arch")
    fi
    zv_kill_prefix "$PREFIX"
    zv_stop_xvfb
    trap - EXIT
done

# What ran, so that a green run on a machine that cannot run x86 says so.
not_run=()
for arch in $ZV_ALL_ARCHS; do
    [[ " ${wine_ran[*]} " == *" $arch "* ]] || not_run+=("$arch")
done
line="Wine tests: ${wine_ran[*]:-none}"
[[ " $ZV_ARCHS " == *" x86 "* ]] || line+=" ($ZV_ARCHS_WHY)"
for arch in "${not_run[@]}"; do
    [[ " ${checked[*]} " == *" $arch "* ]] && line+="; $arch exe checked statically"
done
echo "$line"
read -r total bad < <(awk '{ t += $1; f += $2 } END { print t + 0, f + 0 }' "$COUNTS")
rm -f "$COUNTS"

if [[ ${#failed[@]} -ne 0 ]]; then
    echo "FAILED: ${failed[*]}" >&2
    echo "$((total - bad)) passed, $bad failed"
    exit 1
fi
echo "All tests passed."
echo "$((total - bad)) passed, $bad failed"
