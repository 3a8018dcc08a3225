# End-to-end harness: drives the shipped Zilvane.exe under Wine on X the way a
# user would and looks at what a user sees (windows, pixels), hears (an ALSA
# sink file) and what is stored (the registry of the prefix).
#
# A test script does:
#   . "$(dirname "$0")/lib.sh"
#   e2e_begin <name> "$@"        # args from CTest: <Zilvane.exe> <work root>
#   ... e2e_start_clock / e2e_wait_clock / checks / e2e_fail ...
#   e2e_pass
#
# Each test gets a fresh prefix cloned from a pristine one (made once, under a
# lock), a private HOME whose .asoundrc sends all sound to a file, and either
# the DISPLAY it was given or an Xvfb of its own (always, with
# E2E_OWN_DISPLAY=1). Every Wine process of the
# prefix is killed when the test ends, pass or fail.

set -euo pipefail

E2E_HERE=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
. "$E2E_HERE/../../scripts/common.sh"

# shellcheck disable=SC2034 # used by the test scripts
E2E_TWIPS=15 # twips per pixel at 96 dpi
E2E_STORE_KEY='HKCU\Software\VB and VBA Program Settings\Velorin\Zilvane\Ayarlar'
E2E_OWN_XVFB=false
E2E_PREFIX=

e2e_note() { printf '[%s] %s\n' "$E2E_NAME" "$*" >&2; }

e2e_fail() {
    printf 'FAIL [%s]: %s\n' "$E2E_NAME" "$*" >&2
    [[ -s ${E2E_WORK:-/nonexistent}/wine.log ]] &&
        { echo "--- wine.log (tail) ---" >&2; tail -n 20 "$E2E_WORK/wine.log" >&2; }
    [[ -n ${E2E_WORK:-} ]] && echo "(work files kept in $E2E_WORK)" >&2
    exit 1
}

e2e_pass() {
    E2E_PASSED=true
    printf 'PASS [%s]\n' "$E2E_NAME"
    exit 0
}

# e2e_begin NAME EXE ROOT
e2e_begin() {
    E2E_NAME=$1
    local exe=${2:-} root=${3:-}
    E2E_PASSED=false
    [[ -n $exe && -n $root ]] || { echo "usage: $0 <Zilvane.exe> <work root>" >&2; exit 2; }
    [[ -f $exe ]] || e2e_fail "expected the program at $exe; it does not exist"
    E2E_EXE=$(realpath "$exe")
    # Every Wine call of the test uses the loader of the program's own architecture.
    E2E_ARCH=$(zv_exe_arch "$E2E_EXE") || e2e_fail "expected a 32- or 64-bit Windows program at $E2E_EXE"
    zv_use_arch "$E2E_ARCH"
    E2E_ROOT=$(realpath -m "$root")
    E2E_WORK=$E2E_ROOT/$E2E_NAME
    rm -rf "$E2E_WORK"
    mkdir -p "$E2E_WORK"
    trap e2e_end EXIT

    zv_init_prefix "$E2E_ROOT/pristine" test || e2e_fail "could not prepare the pristine Wine prefix"
    E2E_PREFIX=$E2E_WORK/prefix
    zv_clone_prefix "$E2E_ROOT/pristine" "$E2E_PREFIX"
    zv_wine_env "$E2E_PREFIX" "$E2E_WORK/home"

    # All sound of this prefix ends up in one file: empty until something plays.
    E2E_SINK=$E2E_WORK/sink.raw
    cat >"$HOME/.asoundrc" <<EOF
pcm.!default {
    type file
    slave.pcm "null"
    file "$E2E_SINK"
    format "raw"
}
EOF

    if [[ ${E2E_OWN_DISPLAY:-0} == 1 ]] || ! zv_display_ok; then
        zv_start_xvfb 1024x768x24
        E2E_OWN_XVFB=true
    fi
    local dim
    dim=$(xdpyinfo | awk '/dimensions:/ && !d { print $2; d = 1 }')
    E2E_SCREEN_W=${dim%x*}
    E2E_SCREEN_H=${dim#*x}
    e2e_note "display $DISPLAY ${E2E_SCREEN_W}x${E2E_SCREEN_H}, prefix $WINEPREFIX"
}

e2e_end() {
    local rc=$?
    [[ -n ${E2E_PREFIX:-} ]] && zv_kill_prefix "$E2E_PREFIX"
    $E2E_OWN_XVFB && zv_stop_xvfb
    # The clone is mostly hard links, but there is no reason to keep it.
    ${E2E_PASSED:-false} && rm -rf "$E2E_PREFIX"
    exit "$rc"
}

# e2e_start_clock [VAR=value ...]: start Zilvane.exe; sets E2E_PID.
e2e_start_clock() {
    env "$@" "$ZV_WINE" "$E2E_EXE" >>"$E2E_WORK/wine.log" 2>&1 &
    E2E_PID=$!
}

e2e_running() { kill -0 "$1" 2>/dev/null && [[ $(cut -d' ' -f3 "/proc/$1/stat" 2>/dev/null) != Z ]]; }

# e2e_wait_gone PID SECONDS: true when the process has ended in time.
e2e_wait_gone() {
    local pid=$1 end=$((SECONDS + $2))
    while e2e_running "$pid"; do
        ((SECONDS < end)) || return 1
        sleep 0.1
    done
    wait "$pid" 2>/dev/null || true
    return 0
}

# Visible windows captioned exactly "Zilvane" that belong to PID.
e2e_windows_of() {
    xdotool search --all --onlyvisible --pid "$1" --name '^Zilvane$' 2>/dev/null || true
}

# Visible windows captioned exactly "Zilvane" of every Zilvane.exe process of
# this test's prefix (the display may be shared with other tests).
e2e_prefix_windows() {
    local p
    for p in $(zv_pids_of Zilvane.exe "$WINEPREFIX"); do
        e2e_windows_of "$p"
    done
}

# e2e_wait_clock PID [SECONDS]: prints the id of the clock window once shown.
e2e_wait_clock() {
    local pid=$1 end=$((SECONDS + ${2:-30})) ids
    while ((SECONDS < end)); do
        ids=$(e2e_windows_of "$pid")
        if [[ -n $ids ]]; then
            head -n1 <<<"$ids"
            return 0
        fi
        e2e_running "$pid" || e2e_fail "expected the clock window to appear; Zilvane.exe (pid $pid) exited first"
        sleep 0.1
    done
    e2e_fail "expected a visible window captioned \"Zilvane\" within ${2:-30} s; none appeared"
}

# e2e_geom ID: sets GX GY GW GH (absolute position and size in pixels).
# shellcheck disable=SC2034 # GX GY GW GH are read by the test scripts
e2e_geom() {
    local info
    info=$(xwininfo -id "$1" 2>/dev/null) || e2e_fail "window $1 vanished while being measured"
    GX=$(awk '/Absolute upper-left X:/ {print $4}' <<<"$info")
    GY=$(awk '/Absolute upper-left Y:/ {print $4}' <<<"$info")
    GW=$(awk '/^ *Width:/ {print $2}' <<<"$info")
    GH=$(awk '/^ *Height:/ {print $2}' <<<"$info")
}

# e2e_near ACTUAL EXPECTED TOLERANCE (numbers may be fractional)
e2e_near() {
    awk -v a="$1" -v e="$2" -v t="$3" 'BEGIN { d = a - e; if (d < 0) d = -d; exit !(d <= t) }'
}

# Screen pixels: e2e_shot FILE; e2e_crop SRC X Y W H DST
e2e_shot() { import -window root "$1" || e2e_fail "could not take a screenshot"; }
e2e_crop() { convert "$1" -crop "$4x$5+$2+$3" +repage "$6"; }

# e2e_count_pixels IMG RMIN RMAX GMIN GMAX BMIN BMAX: pixels inside the box.
e2e_count_pixels() {
    convert "$1" -depth 8 txt:- | awk -v r0="$2" -v r1="$3" -v g0="$4" -v g1="$5" \
        -v b0="$6" -v b1="$7" '
        NR > 1 {
            if (!match($0, /\([0-9.]+,[0-9.]+,[0-9.]+/)) next
            split(substr($0, RSTART + 1, RLENGTH - 1), c, ",")
            if (c[1] >= r0 && c[1] <= r1 && c[2] >= g0 && c[2] <= g1 && c[3] >= b0 && c[3] <= b1) n++
        }
        END { print n + 0 }'
}

# Number of pixels that differ between two images of the same size.
e2e_diff_pixels() {
    # compare exits 1 when the images differ, which is an answer, not an error
    { compare -metric AE "$1" "$2" null: 2>&1 || true; } | awk '{ print int($1) }'
}

# Registry of the test prefix. e2e_reg_get KEY VALUE prints the data, or
# nothing (and fails) when the value does not exist.
e2e_reg_get() {
    local out
    out=$(zv_wine reg query "$1" /v "$2" 2>/dev/null | tr -d '\r') || return 1
    # Lines read "    <name>    REG_<type>    <data>".
    awk -v name="$2" '
        {
            head = "    " name "    "
            if (substr($0, 1, length(head)) != head) next
            rest = substr($0, length(head) + 1)
            if (!match(rest, /^REG_[A-Z_]+/)) next
            print substr(rest, RLENGTH + 5)
            found = 1
            exit
        }
        END { exit !found }' <<<"$out"
}

e2e_reg_set() {
    zv_wine reg add "$1" /v "$2" /t REG_SZ /d "$3" /f >/dev/null 2>&1 ||
        e2e_fail "could not write $1\\$2 in the test prefix"
}

e2e_store_get() { e2e_reg_get "$E2E_STORE_KEY" "$1"; }

# Sound sink: bytes written so far (0 while nothing has played).
e2e_sink_size() { stat -c %s "$E2E_SINK" 2>/dev/null || echo 0; }

# e2e_expect_silence AFTER: a second after AFTER (e.g. "Stop") the sink must
# not grow any more over 1.5 s.
e2e_expect_silence() {
    local a b
    sleep 1
    a=$(e2e_sink_size)
    sleep 1.5
    b=$(e2e_sink_size)
    ((b == a)) || e2e_fail "expected the sound to stop within 1 s of $1; the sink still grew by $((b - a)) bytes in the next 1.5 s"
}

# Local time for a Wine process: TZ with a whole-minute offset moves the clock
# to a chosen hour and minute while the seconds stay those of the real clock.
# e2e_tz_for HH MM prints a POSIX TZ that makes the local time HH:MM now.
e2e_tz_for() {
    local now h m off sign
    now=$(date -u +%H:%M)
    h=$((10#${now%:*}))
    m=$((10#${now#*:}))
    off=$(((10#$1 * 60 + 10#$2 - h * 60 - m + 1440) % 1440))
    ((off > 720)) && off=$((off - 1440))
    # POSIX offsets are west-positive: "ZV-01:23" is 1 h 23 min east of UTC.
    if ((off >= 0)); then sign=-; else sign=+; off=$((-off)); fi
    printf 'ZVT%s%02d:%02d\n' "$sign" $((off / 60)) $((off % 60))
}

# Seconds (fractional) since the epoch, arithmetic on them, and the wait for a
# moment of the real clock.
e2e_now() { date +%s.%N; }
e2e_calc() { awk "BEGIN { printf \"%.3f\", $* }"; }
e2e_sleep_until() { # EPOCH_SECONDS (fractional)
    local d
    d=$(awk -v t="$1" -v n="$(e2e_now)" 'BEGIN { d = t - n; printf "%.3f", (d > 0 ? d : 0) }')
    sleep "$d"
}

# e2e_key WINDOW KEY: give WINDOW the keyboard focus and press KEY as real
# (XTEST) input. Wine takes synthetic (XSendEvent) keys only now and then.
e2e_key() {
    xdotool windowfocus "$1" 2>/dev/null || true
    xdotool key "$2" 2>/dev/null || true
}

# Close the clock the way a user does: Esc, then answer the confirmation box.
# e2e_confirm_close PID CLOCK_ID ANSWER   (ANSWER: Return = Yes, n = No)
e2e_confirm_close() {
    local pid=$1 clock=$2 answer=$3 box='' end ids='' w
    e2e_key "$clock" Escape
    end=$((SECONDS + 10))
    while ((SECONDS < end)) && [[ -z $box ]]; do
        ids=$(e2e_windows_of "$pid")
        for w in $ids; do
            [[ $w != "$clock" ]] && box=$w
        done
        [[ -n $box ]] || sleep 0.1
    done
    [[ -n $box ]] || e2e_fail "expected a \"Zilvane\" confirmation box after Esc; no second window appeared (windows: ${ids//$'\n'/ })"
    sleep 0.3
    e2e_key "$box" "$answer"
}

# Visible top-level windows of Wine programs named Zilvane.exe on the display
# (pop-up menus and dialogs included: Wine marks them by the program, not by
# the Windows class, and they carry no pid).
e2e_zilvane_windows() {
    xdotool search --onlyvisible --maxdepth 1 --classname '^zilvane\.exe$' 2>/dev/null || true
}

# e2e_wait_new_window "KNOWN IDS" SECONDS: prints the first visible Zilvane
# window that is not among KNOWN IDS and is more than a pixel in size (Wine
# keeps 1x1 helper windows); fails (status 1) when none came in time.
e2e_wait_new_window() {
    local known=" ${1//$'\n'/ } " end w size
    end=$(e2e_calc "$(e2e_now) + $2")
    while :; do
        for w in $(e2e_zilvane_windows); do
            [[ $known == *" $w "* ]] && continue
            size=$(xwininfo -id "$w" 2>/dev/null | awk '/^ *Width:/ { w = $2 } /^ *Height:/ { h = $2 } END { print w + 0, h + 0 }')
            [[ $size == "0 0" || $size == 1\ * || $size == *\ 1 ]] && continue
            echo "$w"
            return 0
        done
        awk -v n="$(e2e_now)" -v e="$end" 'BEGIN { exit !(n < e) }' || return 1
        sleep 0.1
    done
}

# e2e_topmost [CAPTION ...]: true when the window with one of the captions
# (default "Zilvane") is WS_EX_TOPMOST, as its extended style reads in the
# test's prefix. Fails the test when no such window exists.
e2e_topmost() {
    local tool=${E2E_TOOLS:-$(dirname "$E2E_EXE")/../e2e-tools}/exstyle.exe style
    [[ -f $tool ]] || e2e_fail "expected the test helper $tool; build the e2e_exstyle target"
    style=$(zv_wine "$tool" "$@" 2>/dev/null | tr -d '\r') ||
        e2e_fail "expected a window captioned \"${1:-Zilvane}\" to read the extended style of; there is none"
    E2E_EXSTYLE=$style
    (((style & 0x8) != 0)) # WS_EX_TOPMOST
}

# Is window ID still shown?
e2e_visible() { xwininfo -id "$1" 2>/dev/null | grep -q 'Map State: IsViewable'; }

# e2e_wait_hidden ID SECONDS: true once the window is gone or unmapped.
e2e_wait_hidden() {
    local end=$((SECONDS + $2))
    while e2e_visible "$1"; do
        ((SECONDS < end)) || return 1
        sleep 0.1
    done
}

# Real (XTEST) mouse input at screen positions.
e2e_right_click() { xdotool mousemove "$1" "$2" && sleep 0.2 && xdotool click 3; }
e2e_double_click() { xdotool mousemove "$1" "$2" && sleep 0.2 && xdotool click --repeat 2 --delay 80 1; }

# e2e_drag X0 Y0 X1 Y1: press the left button at (X0, Y0), move to (X1, Y1)
# in small steps and release. Wine's move loop follows slow moves only. The
# window starts to follow at the first move, a one-pixel step that the last
# step makes up for, so the window moves by (X1 - X0, Y1 - Y0).
# e2e_drag_hold takes the same arguments and keeps the button down;
# e2e_drag_release lets it go.
e2e_drag_hold() {
    local x0=$1 y0=$2 x1=$3 y1=$4 i steps=12 sx
    sx=$((x1 > x0 ? 1 : x1 < x0 ? -1 : 0))
    xdotool mousemove "$x0" "$y0"
    sleep 0.2
    xdotool mousedown 1
    sleep 0.2
    if ((sx != 0)); then
        xdotool mousemove "$((x0 + sx))" "$y0"
        x1=$((x1 + sx))
    else
        xdotool mousemove "$x0" "$((y0 + (y1 > y0 ? 1 : -1)))"
        y1=$((y1 + (y1 > y0 ? 1 : -1)))
    fi
    sleep 0.2
    for ((i = 1; i <= steps; i++)); do
        xdotool mousemove "$((x0 + (x1 - x0) * i / steps))" "$((y0 + (y1 - y0) * i / steps))"
        sleep 0.05
    done
    sleep 0.2
}
e2e_drag_release() { xdotool mouseup 1; }
e2e_drag() { e2e_drag_hold "$@" && e2e_drag_release; }

# e2e_expect_stored NAME EXPECTED TOLERANCE: a numeric value of the store.
e2e_expect_stored() {
    local v
    v=$(e2e_store_get "$1") || e2e_fail "expected $E2E_STORE_KEY\\$1 to be stored; it does not exist"
    [[ $v =~ ^-?[0-9]+([.][0-9]+)?$ ]] && e2e_near "$v" "$2" "$3" ||
        e2e_fail "expected the stored $1 = $2 (+-$3); found \"$v\""
}

# The alarm minute of the alarm tests, in the local time that TZ makes.
E2E_ALARM=07:30

# e2e_alarm_minute: wait until the next real minute boundary is 12 to 40 s
# away (Wine needs a few seconds to bring the clock up), then set
# E2E_BOUNDARY (epoch seconds of that boundary) and E2E_TZ (a TZ whose local
# time is 07:29 now, so 07:30:00 falls on the boundary).
e2e_alarm_minute() {
    local now minute sec at
    now=$(e2e_now)
    minute=$((${now%.*} / 60 * 60))
    sec=$((${now%.*} - minute))
    if ((sec > 47)); then
        e2e_sleep_until $((minute + 80))
    elif ((sec < 20)); then
        e2e_sleep_until $((minute + 20))
    fi
    E2E_BOUNDARY=$(($(date +%s) / 60 * 60 + 60))
    E2E_TZ=$(e2e_tz_for 07 29)
    at=$(TZ=$E2E_TZ date -d "@$E2E_BOUNDARY" +%H:%M)
    [[ $at == "$E2E_ALARM" ]] || e2e_fail "could not set the local time: TZ=$E2E_TZ gives $at at the next minute, not $E2E_ALARM"
    e2e_note "TZ=$E2E_TZ, local time $(TZ=$E2E_TZ date +%T), alarm due at $E2E_ALARM:00 ($(e2e_calc "$E2E_BOUNDARY - $(e2e_now)") s from now)"
}

# Seconds (fractional) from the alarm boundary to now; negative before it.
e2e_since_boundary() { e2e_calc "$(e2e_now) - $E2E_BOUNDARY"; }

# e2e_alarm_look CLOCK_ID FILE: crops the alarm time of the large face into
# FILE and prints how many of its pixels are in the armed colour (192,192,0)
# and how many in the unarmed grey (128,128,128).
e2e_alarm_look() {
    local shot=${2%.png}-shot.png
    e2e_geom "$1"
    e2e_shot "$shot"
    # The label sits 320 + 1440 twips in and 60 down: 117, 4 px.
    e2e_crop "$shot" $((GX + 117)) $((GY + 3)) 32 15 "$2"
    echo "$(e2e_count_pixels "$2" 182 202 182 202 0 10) $(e2e_count_pixels "$2" 118 138 118 138 118 138)"
}

# The windows reader (tests/e2e/tools/winctl.c), run under Wine:
# e2e_winctl rect|state|focus|enabled CAPTION [TEXT]
e2e_winctl() {
    local tool=${E2E_TOOLS:-$(dirname "$E2E_EXE")/../e2e-tools}/winctl.exe
    [[ -f $tool ]] || e2e_fail "expected the test helper $tool; build the e2e_winctl target"
    zv_wine "$tool" "$@" 2>/dev/null | tr -d '\r'
}

# e2e_open_from_menu CLOCK_ID KEY TITLE: right-click the clock, choose a menu
# item by its access key and print the id of the window titled TITLE.
e2e_open_from_menu() {
    local end w
    e2e_geom "$1"
    e2e_right_click $((GX + GW / 2)) $((GY + GH / 2))
    sleep 0.5
    xdotool key "$2"
    end=$((SECONDS + 10))
    until w=$(xdotool search --onlyvisible --name "^$3\$" 2>/dev/null | head -n1) && [[ -n $w ]]; do
        ((SECONDS < end)) || e2e_fail "expected the clock's menu key \"$2\" to open a window titled \"$3\"; none appeared in 10 s"
        sleep 0.1
    done
    sleep 0.5
    echo "$w"
}

# e2e_click_child CAPTION TEXT: a real left click on the middle of the child
# captioned TEXT in the window captioned CAPTION.
e2e_click_child() {
    local x y w h
    read -r x y w h < <(e2e_winctl rect "$1" "$2") ||
        e2e_fail "expected a control captioned \"$2\" in the window \"$1\"; there is none"
    xdotool mousemove $((x + w / 2)) $((y + h / 2)) click 1
    sleep 0.3
}
