#!/usr/bin/env bash
# `make bench`: Zilvane next to plain Win32 programs measured in the same run
# on the same Xvfb, printed as one table (bench/README.md says how each
# figure is taken):
#   exe sizes; start-up to the first frame and where its time goes, against
#   a plain window program with the clock's manifest (bench/baseline_window.c);
#   CPU at rest, working set, and how the seconds digit follows the system
#   clock, against a plain 1000 ms SetTimer clock (bench/minimal_timer.c);
#   instructions per tick of the clock's own code (bench/tick_cost.cpp under
#   callgrind, native build); memory and windows after 1 and 200 cycles of
#   the settings dialog, from outside (bench/dialog_cycles.c) and in a
#   simulated hour in process (bench/hour.cpp, the source tree's code).
#
# ZV_BENCH_ARCH   x86 (build/win32, 32-bit Wine) or x64 (build/win64, wine64);
#                 default x86 where the 32-bit loader runs, else x64.
# BENCH_SECONDS   time the clocks tick while measured (default 600, at least
#                 120; 0 measures the sizes and start-ups only).
# BENCH_STARTS    start-ups of each program, alternating (default 7).
# BENCH_CYCLES    settings-dialog cycles after the run at rest (default 200).
# BENCH_EXE       the Zilvane.exe to measure (default: the chosen build's).
# BENCH_OUT       where the figures go (default build/bench-ARCH).
set -euo pipefail
. "$(dirname "$0")/../scripts/common.sh"

SECONDS_TO_RUN=${BENCH_SECONDS:-600}
((SECONDS_TO_RUN >= 120 || SECONDS_TO_RUN == 0)) || zv_die "BENCH_SECONDS must be 0 or at least 120"
CYCLES=${BENCH_CYCLES:-200}
((CYCLES >= 2)) || zv_die "BENCH_CYCLES must be at least 2"
STARTS=${BENCH_STARTS:-7}
((STARTS >= 1)) || zv_die "BENCH_STARTS must be at least 1"

# The 32-bit clock where this machine runs it, else the 64-bit one; the
# baseline programs are built for the same architecture.
zv_detect_archs
zv_archs_line
arch=${ZV_BENCH_ARCH:-}
if [[ -z $arch ]]; then
    arch=x64
    [[ " $ZV_ARCHS " == *" x86 "* ]] && arch=x86
fi
zv_use_arch "$arch" # ZV_WINE: /usr/lib/wine/wine or /usr/lib/wine/wine64
zv_arch_runs "$arch" || zv_die "$ZV_WINE does not run here; try ZV_BENCH_ARCH=x64"
LOADER=$ZV_WINE
if [[ $arch == x86 ]]; then CROSS=i686-w64-mingw32; else CROSS=x86_64-w64-mingw32; fi
echo "Benchmarking the $arch clock ($ZV_BUILD)."
cmake --preset "$ZV_PRESET" >/dev/null
cmake --build --preset "$ZV_PRESET" -j2 --target Zilvane bench_hour >/dev/null

EXE=${BENCH_EXE:-$ZV_BUILD/bin/Zilvane.exe}
OUT=${BENCH_OUT:-$ZV_ROOT/build/bench-$arch}
[[ -f $EXE ]] || zv_die "$EXE is missing; run the $ZV_PRESET build first"
mkdir -p "$OUT"
echo "Benchmark of $EXE ($arch, $LOADER), $SECONDS_TO_RUN s at rest, $STARTS start-ups each, $CYCLES dialog cycles"

# ------------------------------------------------------------------ tools ---
CFLAGS=(-O2 -Wall -Wextra)
"$CROSS-gcc" "${CFLAGS[@]}" -s -o "$OUT/minimal_timer.exe" "$ZV_ROOT/bench/minimal_timer.c" -mwindows
"$CROSS-gcc" "${CFLAGS[@]}" -s -o "$OUT/session.exe" "$ZV_ROOT/bench/session.c" -mwindows
"$CROSS-gcc" "${CFLAGS[@]}" -s -o "$OUT/dialog_cycles.exe" "$ZV_ROOT/bench/dialog_cycles.c"
# The plain window program carries the clock's manifest, as this build made it.
cp "$ZV_BUILD/resources/Zilvane.manifest" "$OUT/baseline.manifest"
cp "$ZV_ROOT/bench/baseline.rc" "$OUT/baseline.rc"
"$CROSS-windres" -I "$OUT" -i "$OUT/baseline.rc" -o "$OUT/baseline.res.o"
"$CROSS-gcc" "${CFLAGS[@]}" -s -o "$OUT/baseline_window.exe" "$ZV_ROOT/bench/baseline_window.c" \
    "$OUT/baseline.res.o" -mwindows
gcc "${CFLAGS[@]}" -o "$OUT/digitwatch" "$ZV_ROOT/bench/digitwatch.c" -lX11 -lm
gcc "${CFLAGS[@]}" -o "$OUT/startwatch" "$ZV_ROOT/bench/startwatch.c" -lX11

# ------------------------------------------- instructions per tick (host) ---
# Native, without sanitizers (valgrind cannot run them), optimised.
tick_ir=
if ((SECONDS_TO_RUN == 0)); then
    :
elif command -v valgrind >/dev/null; then
    echo "Counting the tick's instructions (callgrind) ..."
    cmake -S "$ZV_ROOT" -B "$ZV_ROOT/build/bench-host" -DZILVANE_SANITIZE=OFF \
        -DCMAKE_BUILD_TYPE=Release >"$OUT/bench-host.log" 2>&1 &&
        cmake --build "$ZV_ROOT/build/bench-host" --target tick_cost -j2 >>"$OUT/bench-host.log" 2>&1 ||
        zv_die "the host build of tick_cost failed (see $OUT/bench-host.log)"
    TICKS=3600
    valgrind --tool=callgrind '--toggle-collect=RunTicks*' --callgrind-out-file="$OUT/callgrind.out" \
        "$ZV_ROOT/build/bench-host/bench/tick_cost" "$TICKS" >"$OUT/tick_cost.txt" 2>"$OUT/callgrind.log"
    ir=$(sed -n 's/.*Collected : \([0-9]*\).*/\1/p' "$OUT/callgrind.log")
    [[ -n $ir ]] && tick_ir=$((ir / TICKS))
    cat "$OUT/tick_cost.txt"
else
    echo "valgrind is not installed: no instruction count"
fi

# ------------------------------------------------------------ the session ---
zv_start_xvfb 1024x768x24
PRISTINE=$OUT/pristine
cleanup() {
    zv_kill_prefix "$OUT/prefix-zilvane"
    zv_kill_prefix "$OUT/prefix-baseline"
    zv_stop_xvfb
}
trap cleanup EXIT
zv_init_prefix "$PRISTINE" test
# One prefix per program, so that each one's Wine server is its own and can
# be charged to it.
for name in zilvane baseline; do
    zv_clone_prefix "$PRISTINE" "$OUT/prefix-$name"
    mkdir -p "$OUT/home-$name"
    # Keep any sound (an hourly chime during the run) off the real devices.
    printf 'pcm.!default { type null }\n' >"$OUT/home-$name/.asoundrc"
done

in_prefix() { # NAME COMMAND... : run with the prefix's environment
    local name=$1
    shift
    (zv_wine_env "$OUT/prefix-$name" "$OUT/home-$name" && exec "$@")
}

# A Wine session stays up between start-ups, as Windows does between a
# user's programs: a persistent server, a program that keeps the desktop
# process and services running, and a first, uncounted run of each.
for name in zilvane baseline; do
    in_prefix "$name" "$ZV_WINESERVER" -p
    in_prefix "$name" "$LOADER" "$OUT/session.exe" >/dev/null 2>&1 &
    for ((i = 0; i < 300; i++)); do
        [[ -n $(zv_pids_of explorer.exe "$OUT/prefix-$name") ]] && break
        sleep 0.1
    done
done
sleep 5 # the services that came up with the desktop settle

gone() { # NAME EXE-NAME : wait until no such process is left in the prefix
    local i
    for ((i = 0; i < 100; i++)); do
        [[ -z $(zv_pids_of "$2" "$OUT/prefix-$1") ]] && return 0
        sleep 0.05
    done
    zv_die "$2 did not end"
}

start_once() { # zilvane|baseline -> "created shown painted" in ms
    local out
    if [[ $1 == zilvane ]]; then
        # The face's background; the window is the large face, 193 x 51 px.
        out=$(in_prefix zilvane "$OUT/startwatch" 30 192,0,0 150 40 -- "$LOADER" "$EXE" \
            2>>"$OUT/startwatch.log") || zv_die "Zilvane showed no frame (see $OUT/startwatch.log)"
        gone zilvane zilvane.exe
    else
        out=$(in_prefix baseline "$OUT/startwatch" 30 192,0,0 150 40 -- "$LOADER" \
            "$OUT/baseline_window.exe" 40 100 2>>"$OUT/startwatch.log") ||
            zv_die "the baseline window showed no frame (see $OUT/startwatch.log)"
        gone baseline baseline_window.exe
    fi
    echo "$out"
}

echo "Start-up: $STARTS runs of each, alternating ..."
: >"$OUT/startwatch.log"
start_once zilvane >/dev/null
start_once baseline >/dev/null
: >"$OUT/starts-zilvane.txt"
: >"$OUT/starts-baseline.txt"
for ((i = 0; i < STARTS; i++)); do
    start_once zilvane >>"$OUT/starts-zilvane.txt"
    start_once baseline >>"$OUT/starts-baseline.txt"
done

# --------------------------------------------------------------- at rest ---
start_in() { # NAME EXE ARGS...
    local name=$1
    shift
    in_prefix "$name" "$LOADER" "$@" >"$OUT/$name.log" 2>&1 &
    echo $!
}

wait_window() { # PID NAME-REGEX
    local i id
    for ((i = 0; i < 300; i++)); do
        id=$(xdotool search --onlyvisible --pid "$1" --name "$2" 2>/dev/null | head -n1) || true
        [[ -n $id ]] && { echo "$id"; return 0; }
        sleep 0.1
    done
    zv_die "no window \"$2\" from pid $1 (see $OUT/*.log)"
}

geometry() { # ID -> "X Y"
    xwininfo -id "$1" | awk '/Absolute upper-left X:/ {x = $4} /Absolute upper-left Y:/ {y = $4} END {print x, y}'
}

# CPU time of all threads of the processes, in microseconds. schedstat holds
# the kernel's exact run time in ns; /proc/PID/stat only counts scheduler
# ticks, far too coarse for a program that runs a millisecond a second.
cpu_us() { # PID...
    local p t total=0 ns rest f
    for p in "$@"; do
        if [[ -r /proc/$p/schedstat ]]; then
            for t in /proc/$p/task/*/schedstat; do
                read -r ns rest <"$t" 2>/dev/null || continue
                total=$((total + ns / 1000))
            done
        else
            f=$(cat "/proc/$p/stat" 2>/dev/null) || continue
            f=${f##*) } # fields after the command name
            read -r -a a <<<"$f"
            total=$((total + (a[11] + a[12]) * 1000000 / $(getconf CLK_TCK)))
        fi
    done
    echo "$total"
}

# Resident and private memory of a process, in KiB: "rss private".
memory_kib() { # PID
    awk '/^Rss:/ {r = $2} /^Private_(Clean|Dirty):/ {p += $2} END {print r + 0, p + 0}' \
        "/proc/$1/smaps_rollup" 2>/dev/null || echo "0 0"
}

at_rest() {
    zpid=$(start_in zilvane "$EXE")
    mpid=$(start_in baseline "$OUT/minimal_timer.exe" 40 40)
    zwin=$(wait_window "$zpid" '^Zilvane$')
    wait_window "$mpid" '^MinimalTimer$' >/dev/null
    sleep 3 # start-up is not what is measured here

    read -r zx zy < <(geometry "$zwin")
    # Seconds-units digit of the large face: panel at 320 twips, digit at 1800,
    # top 337 twips inside it; 16 x 22 px. The reference draws its digit at 0, 0.
    zregion="zilvane:$((zx + (320 + 1800) / 15)),$((zy + 337 / 15)),16,22"
    mregion="minimal:40,40,16,22"

    # The program processes themselves, and everything of their prefixes.
    zexe=$(zv_pids_of zilvane.exe "$OUT/prefix-zilvane")
    mexe=$(zv_pids_of minimal_timer.exe "$OUT/prefix-baseline")
    zall=$(zv_pids_of '*' "$OUT/prefix-zilvane")
    mall=$(zv_pids_of '*' "$OUT/prefix-baseline")
    [[ -n $zexe && -n $mexe ]] || zv_die "could not find the Wine processes of the two programs"

    echo "At rest for $SECONDS_TO_RUN s (Zilvane pid $zexe, reference pid $mexe) ..."
    t0=$(date +%s.%N)
    z0=$(cpu_us $zexe) m0=$(cpu_us $mexe) za0=$(cpu_us $zall) ma0=$(cpu_us $mall)
    "$OUT/digitwatch" "$SECONDS_TO_RUN" "$OUT/events" "$zregion" "$mregion" >"$OUT/digitwatch.txt"
    t1=$(date +%s.%N)
    z1=$(cpu_us $zexe) m1=$(cpu_us $mexe) za1=$(cpu_us $zall) ma1=$(cpu_us $mall)
    read -r zrss zpriv < <(memory_kib "$zexe")
    read -r mrss mpriv < <(memory_kib "$mexe")
    kill -0 "$zpid" 2>/dev/null || zv_die "Zilvane exited during the run"

    # The settings dialog opened from the menu and closed, once and then up to
    # CYCLES times; what the process holds after each (the windows a dialog
    # leaves behind, and its memory) should not grow after the first.
    echo "Settings dialog: 1 cycle, then $((CYCLES - 1)) more ..."
    after_cycles() { # N -> "windows gdi user rss private"
        local line
        line=$(in_prefix zilvane "$LOADER" "$OUT/dialog_cycles.exe" "$1" 2>>"$OUT/dialog_cycles.log") ||
            zv_die "the dialog cycles failed (see $OUT/dialog_cycles.log)"
        read -r _ _ _ w _ g _ u <<<"$line"
        echo "$w $g $u $(memory_kib "$zexe")"
    }
    cycle1=$(after_cycles 1)
    cycleN=$(after_cycles $((CYCLES - 1)))

    # The simulated hour, in the other prefix: no clock runs there.
    echo "A simulated hour in process, $CYCLES dialog cycles ..."
    in_prefix baseline "$LOADER" "$ZV_BUILD/bench/hour.exe" "$CYCLES" >"$OUT/hour.txt" \
        2>"$OUT/hour.log" || zv_die "the simulated hour failed (see $OUT/hour.log)"
}

t0=0 t1=0 z0=0 z1=0 m0=0 m1=0 za0=0 za1=0 ma0=0 ma1=0
zrss=- zpriv=- mrss=- mpriv=- cycle1="- - - - -" cycleN="- - - - -"
rm -f "$OUT/hour.txt"
: >"$OUT/digitwatch.txt"
((SECONDS_TO_RUN == 0)) || at_rest

# ----------------------------------------------------------------- table ---
size_of() { if [[ -f $1 ]]; then stat -c %s "$1"; else echo -; fi; }
{
    echo "exe_x86 $(size_of "$ZV_ROOT/build/win32/bin/Zilvane.exe")"
    echo "exe_x64 $(size_of "$ZV_ROOT/build/win64/bin/Zilvane.exe")"
    echo "exe_measured $(size_of "$EXE")"
    echo "exe_baseline $(size_of "$OUT/baseline_window.exe")"
    echo "tick_ir ${tick_ir:--}"
    echo "seconds $(awk -v a="$t0" -v b="$t1" 'BEGIN {printf "%.1f", b - a}')"
    echo "cpu $((z1 - z0)) $((m1 - m0)) $((za1 - za0)) $((ma1 - ma0))"
    echo "mem $zrss $zpriv $mrss $mpriv"
    echo "cycles 1 $cycle1"
    echo "cycles $CYCLES $cycleN"
    grep '^after' "$OUT/hour.txt" 2>/dev/null || true
    grep '^RESULT' "$OUT/digitwatch.txt" || true
    sed 's/^/start_z /' "$OUT/starts-zilvane.txt"
    sed 's/^/start_b /' "$OUT/starts-baseline.txt"
} >"$OUT/figures.txt"

awk -v arch="$arch" -f "$ZV_ROOT/bench/table.awk" "$OUT/figures.txt" | tee "$OUT/table.txt"
echo
echo "Figures: $OUT/figures.txt; digit changes: $OUT/events-*.txt; callgrind: $OUT/callgrind.out"
