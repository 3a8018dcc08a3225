#!/usr/bin/env bash
# `make bench`: how closely Zilvane's seconds digit follows the system clock,
# and what the clock costs in CPU, next to the plainest Win32 clock (a 1000 ms
# SetTimer, bench/minimal_timer.c) measured in the same run on the same Xvfb.
#
# BENCH_SECONDS (default 150) sets the measuring time; at least 120.
set -euo pipefail
. "$(dirname "$0")/../scripts/common.sh"

SECONDS_TO_RUN=${BENCH_SECONDS:-150}
((SECONDS_TO_RUN >= 120)) || zv_die "BENCH_SECONDS must be at least 120"

# The 32-bit clock where this machine runs it, else the 64-bit one; the
# reference is built for the same architecture.
zv_detect_archs
zv_archs_line
arch=${ZV_BENCH_ARCH:-}
if [[ -z $arch ]]; then
    arch=x64
    [[ " $ZV_ARCHS " == *" x86 "* ]] && arch=x86
fi
zv_use_arch "$arch"
echo "Benchmarking the $arch clock ($ZV_BUILD)."
cmake --preset "$ZV_PRESET" >/dev/null
cmake --build --preset "$ZV_PRESET" -j2 --target Zilvane >/dev/null

EXE=${BENCH_EXE:-$ZV_BUILD/bin/Zilvane.exe}
OUT=$ZV_ROOT/build/bench-$arch
[[ -f $EXE ]] || zv_die "$EXE is missing; run the $ZV_PRESET build first"
mkdir -p "$OUT"

# Tools of the run: the reference program and the screen sampler.
if [[ $arch == x86 ]]; then cc=i686-w64-mingw32-gcc; else cc=x86_64-w64-mingw32-gcc; fi
$cc -O2 -Wall -Wextra -o "$OUT/minimal_timer.exe" "$ZV_ROOT/bench/minimal_timer.c" -mwindows
gcc -O2 -Wall -Wextra -o "$OUT/digitwatch" "$ZV_ROOT/bench/digitwatch.c" -lX11 -lm

# One prefix per program, so that each one's Wine server is its own and can
# be charged to it.
zv_start_xvfb 1024x768x24
PRISTINE=$OUT/pristine
cleanup() {
    zv_kill_prefix "$OUT/prefix-zilvane"
    zv_kill_prefix "$OUT/prefix-minimal"
    zv_stop_xvfb
}
trap cleanup EXIT
zv_init_prefix "$PRISTINE" test
for name in zilvane minimal; do
    zv_clone_prefix "$PRISTINE" "$OUT/prefix-$name"
    mkdir -p "$OUT/home-$name"
    # Keep any sound (an hourly chime during the run) off the real devices.
    printf 'pcm.!default { type null }\n' >"$OUT/home-$name/.asoundrc"
done

start_in() { # NAME EXE ARGS...
    local name=$1
    shift
    (zv_wine_env "$OUT/prefix-$name" "$OUT/home-$name" && exec "$ZV_WINE" "$@") \
        >"$OUT/$name.log" 2>&1 &
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

zpid=$(start_in zilvane "$EXE")
mpid=$(start_in minimal "$OUT/minimal_timer.exe" 40 40)
zwin=$(wait_window "$zpid" '^Zilvane$')
wait_window "$mpid" '^MinimalTimer$' >/dev/null
sleep 3 # start-up is not what we measure

read -r zx zy < <(geometry "$zwin")
# Seconds-units digit of the large face: panel at 320 twips, digit at 1800,
# top 337 twips inside it; 16 x 22 px. The reference draws its digit at 0, 0.
zregion="zilvane:$((zx + (320 + 1800) / 15)),$((zy + 337 / 15)),16,22"
mregion="minimal:40,40,16,22"

# The program processes themselves, and everything of their prefixes.
zexe=$(zv_pids_of zilvane.exe "$OUT/prefix-zilvane")
mexe=$(zv_pids_of minimal_timer.exe "$OUT/prefix-minimal")
zall=$(zv_pids_of '*' "$OUT/prefix-zilvane")
mall=$(zv_pids_of '*' "$OUT/prefix-minimal")
[[ -n $zexe && -n $mexe ]] || zv_die "could not find the Wine processes of the two programs"

echo "Measuring for $SECONDS_TO_RUN s (Zilvane pid $zexe, reference pid $mexe) ..."
hz=1000000 # cpu_us counts microseconds
t0=$(date +%s.%N)
z0=$(cpu_us $zexe) m0=$(cpu_us $mexe) za0=$(cpu_us $zall) ma0=$(cpu_us $mall)
"$OUT/digitwatch" "$SECONDS_TO_RUN" "$OUT/events" "$zregion" "$mregion" | tee "$OUT/digitwatch.txt"
t1=$(date +%s.%N)
z1=$(cpu_us $zexe) m1=$(cpu_us $mexe) za1=$(cpu_us $zall) ma1=$(cpu_us $mall)

kill -0 "$zpid" 2>/dev/null || zv_die "Zilvane exited during the run"

echo
awk -v t0="$t0" -v t1="$t1" -v hz="$hz" -v z="$((z1 - z0))" -v m="$((m1 - m0))" \
    -v za="$((za1 - za0))" -v ma="$((ma1 - ma0))" '
    function perMin(ticks) { return ticks / hz * 1000 / ((t1 - t0) / 60) }
    BEGIN {
        printf "CPU per minute (process):            Zilvane %7.1f ms   reference %7.1f ms", perMin(z), perMin(m)
        if (m > 0) printf "   ratio %.2f", z / m
        printf "\n"
        printf "CPU per minute (all of its prefix):  Zilvane %7.1f ms   reference %7.1f ms", perMin(za), perMin(ma)
        if (ma > 0) printf "   ratio %.2f", za / ma
        printf "\n"
        printf "(%.1f s measured)\n", t1 - t0
    }' | tee "$OUT/cpu.txt"

echo
echo "Lag is measured from the system-clock second boundary to the first screen"
echo "sample showing the new digit. Per-change details: $OUT/events-*.txt"
