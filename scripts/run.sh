#!/usr/bin/env bash
# `make run`: start the built clock under Wine in a private prefix. With a
# display, the clock runs there until it is closed. Without one, it runs on a
# private Xvfb for a few seconds and leaves a screenshot behind.
#
# It runs the 32-bit clock where this machine runs 32-bit programs, else the
# 64-bit one (ZILVANE_ARCHS chooses: its first architecture is the one run).
set -euo pipefail
. "$(dirname "$0")/common.sh"

zv_detect_archs
zv_archs_line
if [[ -n ${ZILVANE_ARCHS:-} ]]; then
    arch=${ZV_ARCHS%% *}
elif [[ " $ZV_ARCHS " == *" x86 "* ]]; then
    arch=x86
else
    arch=x64
fi
zv_use_arch "$arch"
echo "Running the $([[ $arch == x86 ]] && echo 32 || echo 64)-bit clock ($arch, $ZV_BUILD)."
cmake --preset "$ZV_PRESET" >/dev/null
cmake --build --preset "$ZV_PRESET" -j"${JOBS:-2}" --target Zilvane

EXE=$ZV_BUILD/bin/Zilvane.exe
PREFIX=$ZV_ROOT/build/wineprefix-$arch
SHOT=$ZV_ROOT/build/screenshot.png

[[ -f $EXE ]] || zv_die "$EXE is missing; the $ZV_PRESET build did not produce it"

own_display=false
if ! zv_display_ok; then
    own_display=true
    zv_start_xvfb 1024x768x24
    trap 'zv_kill_prefix "$PREFIX"; zv_stop_xvfb' EXIT
fi

zv_init_prefix "$PREFIX" run
zv_wine_env "$PREFIX" "$PREFIX.home"

if ! $own_display; then
    echo "Starting Zilvane on $DISPLAY (prefix $PREFIX); close it with Esc or its menu."
    exec "$ZV_WINE" "$EXE"
fi

echo "No display: running Zilvane on a private Xvfb ($DISPLAY) for a few seconds."
"$ZV_WINE" "$EXE" >"$PREFIX.run.log" 2>&1 &
pid=$!
found=
for ((i = 0; i < 200; i++)); do
    found=$(xdotool search --onlyvisible --name '^Zilvane$' 2>/dev/null | head -n1) || true
    [[ -n $found ]] && break
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
done
if [[ -z $found ]]; then
    echo "Zilvane showed no window (log: $PREFIX.run.log)" >&2
    exit 1
fi
sleep 3
import -window root "$SHOT"
echo "Screenshot of the running clock: $SHOT"
