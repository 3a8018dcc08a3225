# Shared shell helpers for running Zilvane.exe under Wine: private X servers,
# private Wine prefixes and cheap prefix clones. Sourced by the run, test and
# bench scripts and by the end-to-end harness. Nothing here touches ~/.wine or
# the user's home: every Wine process gets a WINEPREFIX and HOME of our own.

ZV_ROOT=${ZV_ROOT:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)}

# Keep Wine from offering to download Mono/Gecko (a modal dialog nobody can
# answer on Xvfb) and from writing desktop menu entries.
ZV_DLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"

# Bump when the settings zv_init_prefix puts into a prefix change, so that
# existing prefixes are rebuilt.
ZV_PREFIX_LAYOUT=3

zv_log() { printf '%s\n' "$*" >&2; }
zv_die() { printf 'error: %s\n' "$*" >&2; exit 1; }

# --- Windows architectures -------------------------------------------------
# x86 is the 32-bit program (build/win32) under the 32-bit Wine loader; x64
# the 64-bit one (build/win64) under wine64. Some x86-64 kernels cannot run
# 32-bit Linux programs at all, and Debian's `wine` wrapper picks the 32-bit
# loader whenever it is installed, so every Wine call here names its loader.
ZV_WINE32_LOADER=/usr/lib/wine/wine
ZV_WINE64_LOADER=/usr/lib/wine/wine64
ZV_WINESERVER=/usr/lib/wine/wineserver
ZV_ALL_ARCHS="x86 x64"

# The architectures this machine runs, in ZV_ARCHS ("x86 x64", "x64", ...),
# and why, in ZV_ARCHS_WHY. ZILVANE_ARCHS chooses them instead.
zv_detect_archs() {
    local a runs=()
    if [[ -n ${ZILVANE_ARCHS:-} ]]; then
        for a in $ZILVANE_ARCHS; do
            [[ " $ZV_ALL_ARCHS " == *" $a "* ]] || zv_die "ZILVANE_ARCHS: unknown architecture \"$a\" (x86, x64)"
            zv_arch_runs "$a" || zv_die "ZILVANE_ARCHS asks for $a, but this machine cannot run it ($(zv_loader_of "$a") does not start)"
            [[ " ${runs[*]} " == *" $a "* ]] || runs+=("$a")
        done
        ZV_ARCHS_WHY="chosen by ZILVANE_ARCHS"
    else
        for a in $ZV_ALL_ARCHS; do
            zv_arch_runs "$a" && runs+=("$a")
        done
        if [[ " ${runs[*]} " != *" x86 "* ]]; then
            if [[ -x $ZV_WINE32_LOADER ]]; then
                ZV_ARCHS_WHY="this machine cannot run 32-bit programs"
            else
                ZV_ARCHS_WHY="32-bit Wine is not installed"
            fi
        else
            ZV_ARCHS_WHY="this machine runs them"
        fi
    fi
    ((${#runs[@]})) || zv_die "this machine runs no Windows programs: neither $ZV_WINE32_LOADER nor $ZV_WINE64_LOADER starts (scripts/setup.sh installs them)"
    ZV_ARCHS="${runs[*]}"
}

zv_loader_of() { if [[ $1 == x86 ]]; then echo "$ZV_WINE32_LOADER"; else echo "$ZV_WINE64_LOADER"; fi; }
zv_arch_runs() { "$(zv_loader_of "$1")" --version >/dev/null 2>&1; }
zv_preset_of() { if [[ $1 == x86 ]]; then echo win32; else echo win64; fi; }

# One line saying what this machine runs, for the logs of run, test and bench.
zv_archs_line() { echo "Windows architectures: $ZV_ARCHS ($ZV_ARCHS_WHY)"; }

# Work with one architecture: sets ZV_ARCH, ZV_WINE (its loader), ZV_PRESET
# and ZV_BUILD (its build folder).
zv_use_arch() {
    case $1 in x86 | x64) ;; *) zv_die "unknown architecture \"$1\" (x86, x64)" ;; esac
    ZV_ARCH=$1
    ZV_WINE=$(zv_loader_of "$1")
    ZV_PRESET=$(zv_preset_of "$1")
    ZV_BUILD=$ZV_ROOT/build/$ZV_PRESET
}

# The architecture a Windows program is built for, from the machine field
# of its PE header: x86 or x64 (empty when it is neither).
zv_exe_arch() {
    local pe machine
    pe=$(od -An -tu4 -j 60 -N4 "$1" 2>/dev/null | tr -d ' ') || return 1
    [[ -n $pe ]] || return 1
    machine=$(od -An -tx2 -j $((pe + 4)) -N2 "$1" 2>/dev/null | tr -d ' ')
    case $machine in
    014c) echo x86 ;;
    8664) echo x64 ;;
    *) return 1 ;;
    esac
}

# Run a Windows program (or wineboot, reg, regedit) with this architecture's loader.
zv_wine() { "${ZV_WINE:?zv_use_arch first}" "$@"; }

# Environment for one prefix: zv_wine_env PREFIX HOME
zv_wine_env() {
    export WINEPREFIX=$1
    export HOME=$2
    export WINEDEBUG=${ZV_WINEDEBUG:--all}
    export WINEDLLOVERRIDES=$ZV_DLLOVERRIDES
    unset XDG_CONFIG_HOME XDG_DATA_HOME XDG_CACHE_HOME
    mkdir -p "$HOME"
}

# Start a private Xvfb; sets DISPLAY and ZV_XVFB_PID. The display number is
# picked by the server itself (-displayfd), so parallel runs never collide.
zv_start_xvfb() {
    local geometry=${1:-1024x768x24} fdfile i
    fdfile=$(mktemp)
    Xvfb -displayfd 9 -screen 0 "$geometry" -nolisten tcp -noreset \
        9>"$fdfile" >/dev/null 2>&1 &
    ZV_XVFB_PID=$!
    for ((i = 0; i < 100; i++)); do
        if [[ -s $fdfile ]]; then
            DISPLAY=":$(head -n1 "$fdfile")"
            export DISPLAY
            rm -f "$fdfile"
            return 0
        fi
        kill -0 "$ZV_XVFB_PID" 2>/dev/null || break
        sleep 0.1
    done
    rm -f "$fdfile"
    zv_die "Xvfb did not start"
}

zv_stop_xvfb() {
    if [[ -n ${ZV_XVFB_PID:-} ]]; then
        kill "$ZV_XVFB_PID" 2>/dev/null || true
        wait "$ZV_XVFB_PID" 2>/dev/null || true
        ZV_XVFB_PID=
    fi
}

zv_display_ok() {
    [[ -n ${DISPLAY:-} ]] && xdpyinfo >/dev/null 2>&1
}

# Initialise a Wine prefix once, for the architecture of zv_use_arch:
# zv_init_prefix PREFIX [test]
# With "test", windows are unmanaged (Wine otherwise waits ~2 s on every hide
# when no window manager runs), sound goes through ALSA so a test can
# redirect it to a file, and a crashing program ends with a backtrace on
# stderr instead of waiting in a crash dialog. The stamp records the Wine version and kind that built it.
zv_init_prefix() {
    local prefix=$1 kind=${2:-run} stamp want
    stamp="$prefix/.zilvane-prefix"
    want="$(zv_wine --version 2>/dev/null) $ZV_ARCH $kind $ZV_PREFIX_LAYOUT"
    [[ -f $stamp && $(cat "$stamp") == "$want" ]] && return 0
    (
        exec 8>"$prefix.lock"
        flock 8
        [[ -f $stamp && $(cat "$stamp") == "$want" ]] && exit 0
        zv_kill_prefix "$prefix"
        rm -rf "$prefix"
        mkdir -p "$(dirname "$prefix")"
        zv_wine_env "$prefix" "$prefix.home"
        zv_log "Initialising Wine prefix $prefix ..."
        # A 64-bit prefix also runs 32-bit programs where the machine can.
        if [[ $ZV_ARCH == x86 ]]; then export WINEARCH=win32; else export WINEARCH=win64; fi
        zv_wine wineboot -i >"$prefix.log" 2>&1 || { cat "$prefix.log" >&2; exit 1; }
        unset WINEARCH
        if [[ $kind == test ]]; then
            local reg="$prefix.reg"
            cat >"$reg" <<'EOF'
REGEDIT4

[HKEY_CURRENT_USER\Software\Wine\X11 Driver]
"Managed"="N"

[HKEY_CURRENT_USER\Software\Wine\Drivers]
"Audio"="alsa"

[HKEY_CURRENT_USER\Software\Wine\WineDbg]
"ShowCrashDialog"=dword:00000000
EOF
            zv_wine regedit /S "$reg" >>"$prefix.log" 2>&1
            rm -f "$reg"
            zv_wine reg query 'HKCU\Software\Wine\X11 Driver' /v Managed 2>&1 |
                grep -q 'REG_SZ *N' || { echo "registry settings not applied" >&2; exit 1; }
        fi
        # Let the server write the registry to disk before anyone copies it.
        "$ZV_WINESERVER" -w
        printf '%s\n' "$want" >"$stamp"
    ) || { zv_log "error: could not initialise Wine prefix $prefix (see $prefix.log)"; return 1; }
}

# Clone an initialised prefix in a fraction of a second: the large, read-only
# Windows binaries are hard links, everything Wine may rewrite in place
# (registry, ini files, manifests) is a real copy. The server socket record
# "wineserver" is left out so the clone gets a server of its own.
zv_clone_prefix() {
    local src=$1 dst=$2
    rm -rf "$dst"
    mkdir -p "$(dirname "$dst")"
    (
        # Shared lock: a source being rebuilt is not copied half-way.
        exec 8>"$src.lock"
        flock -s 8
        cp -al "$src" "$dst"
        rm -f "$dst/wineserver"
        cd "$src" || exit 1
        find . -type f ! -name wineserver ! \( -iname '*.dll' -o -iname '*.exe' \
            -o -iname '*.drv' -o -iname '*.sys' -o -iname '*.tlb' -o -iname '*.ocx' \
            -o -iname '*.cpl' -o -iname '*.acm' -o -iname '*.ax' -o -iname '*.nls' \
            -o -iname '*.msstyles' -o -iname '*.com' -o -iname '*.vxd' -o -iname '*.ds' \
            -o -iname '*.msi' \) -print0 |
            xargs -0 cp -p --parents --remove-destination -t "$dst"
    )
}

# Stop every Wine process of a prefix and its server.
zv_kill_prefix() {
    local prefix=$1
    [[ -d $prefix ]] || return 0
    WINEPREFIX=$prefix "$ZV_WINESERVER" -k >/dev/null 2>&1 || true
    WINEPREFIX=$prefix "$ZV_WINESERVER" -w >/dev/null 2>&1 || true
}

# Pids of running processes of a Wine prefix whose program name matches the
# glob NAME, case-insensitively ("zilvane.exe", "wineserver*"). A Windows
# process's argv[0] is the path of its .exe.
zv_pids_of() {
    local name=${1,,} prefix=$2 p arg0
    for p in /proc/[0-9]*; do
        arg0=
        { IFS= read -r -d '' arg0 <"$p/cmdline"; } 2>/dev/null || [[ -n $arg0 ]] || continue
        arg0=${arg0,,}
        arg0=${arg0##*[/\\]}
        # shellcheck disable=SC2053 # NAME is a glob on purpose
        [[ $arg0 == $name ]] || continue
        { tr '\0' '\n' <"$p/environ"; } 2>/dev/null | grep -qxF "WINEPREFIX=$prefix" || continue
        printf '%s\n' "${p#/proc/}"
    done
}
