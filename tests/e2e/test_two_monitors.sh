#!/usr/bin/env bash
# Two 1024 x 768 monitors side by side: an X server with the dummy video
# driver, its two screens joined by Xinerama (Xvfb puts every screen at 0,0).
# The clock starts on the primary, stays on the second monitor once dragged
# there, is kept on that monitor's right edge (not pulled back to the
# primary), and its About window opens in the middle of that monitor.
# Skips (77) where that X server is missing or cannot start (it runs as root).
. "$(dirname "$0")/lib.sh"

skip() {
    echo "SKIP [two_monitors]: $*"
    exit 77
}
dummy=/usr/lib/xorg/modules/drivers/dummy_drv.so
if ! command -v Xorg >/dev/null || [[ ! -f $dummy ]]; then
    skip "needs Xorg with the dummy video driver (xserver-xorg-core, xserver-xorg-video-dummy)"
fi
(($(id -u) == 0)) || skip "Xorg with a private configuration runs as root only"

# The server, before the harness picks a display.
xdir=$(realpath -m "${2:-.}")/two_monitors.xorg
rm -rf "$xdir"
mkdir -p "$xdir"
{
    cat <<'EOF'
Section "ServerFlags"
    Option "Xinerama" "on"
    Option "AutoAddDevices" "false"
    Option "DontVTSwitch" "true"
EndSection
Section "ServerLayout"
    Identifier "Two"
    Screen 0 "Screen0"
    Screen 1 "Screen1" RightOf "Screen0"
EndSection
EOF
    for i in 0 1; do
        cat <<EOF
Section "Device"
    Identifier "Card$i"
    Driver "dummy"
    VideoRam 16384
EndSection
Section "Monitor"
    Identifier "Monitor$i"
    HorizSync 5.0-1000.0
    VertRefresh 5.0-200.0
    Modeline "1024x768" 63.50 1024 1072 1176 1328 768 771 775 798 -hsync +vsync
EndSection
Section "Screen"
    Identifier "Screen$i"
    Device "Card$i"
    Monitor "Monitor$i"
    DefaultDepth 24
    SubSection "Display"
        Depth 24
        Modes "1024x768"
        Virtual 1024 768
    EndSubSection
EndSection
EOF
    done
} >"$xdir/xorg.conf"
Xorg -displayfd 9 -config "$xdir/xorg.conf" -noreset -nolisten tcp -logfile "$xdir/xorg.log" \
    9>"$xdir/display" >"$xdir/xorg.out" 2>&1 &
xorg=$!
for ((i = 0; i < 100; i++)); do
    [[ -s $xdir/display ]] && break
    kill -0 "$xorg" 2>/dev/null || skip "Xorg did not start: $(tail -n 3 "$xdir/xorg.out" | tr '\n' ' ')"
    sleep 0.1
done
[[ -s $xdir/display ]] || { kill "$xorg"; skip "Xorg gave no display number in 10 s"; }
DISPLAY=":$(head -n1 "$xdir/display")"
export DISPLAY

e2e_begin two_monitors "$@"
# The prefix's Wine ends before its X server.
end_all() {
    local rc=$?
    zv_kill_prefix "$E2E_PREFIX"
    kill "$xorg" 2>/dev/null
    wait "$xorg" 2>/dev/null
    (exit "$rc")
    e2e_end
}
trap end_all EXIT

# Wine 8 crashes listing the video modes of two Xinerama screens through
# XF86VidMode and then sees one monitor; it has nothing to do with monitors.
zv_wine reg add 'HKCU\Software\Wine\X11 Driver' /v UseXVidMode /t REG_SZ /d N /f >/dev/null 2>&1 ||
    e2e_fail "could not turn off XF86VidMode in the test prefix"
monitors=$(e2e_winctl monitors | tr '\n' ';')
[[ $monitors == "0 0 1024 768;1024 0 2048 768;" ]] ||
    e2e_fail "expected Wine to see two monitors, (0,0)-(1024,768) and (1024,0)-(2048,768); saw \"$monitors\""

e2e_start_clock
pid=$E2E_PID
clock=$(e2e_wait_clock "$pid")
sleep 1
e2e_geom "$clock"
((GX >= 0 && GX + GW <= 1024)) ||
    e2e_fail "expected the clock's first place on the primary monitor (0..1024); it is at x $GX, $GW px wide"

# drag_to LEFT TOP: drag the clock by its digits so its top left lands there.
grab_x=100 grab_y=25
drag_to() {
    e2e_geom "$clock"
    e2e_drag $((GX + grab_x)) $((GY + grab_y)) $(($1 + grab_x)) $(($2 + grab_y))
    sleep 2 # two keep-on-screen checks
    e2e_geom "$clock"
}

drag_to 1400 300
e2e_near "$GX" 1400 3 && e2e_near "$GY" 300 3 ||
    e2e_fail "expected a clock dragged to (1400, 300) on the second monitor to stay there for 2 s; it is at ($GX, $GY)"

# Half past the second monitor's right edge: back flush with that edge.
drag_to $((2048 - GW / 2)) 300
((GX + GW == 2048)) ||
    e2e_fail "expected a clock dragged half past the second monitor's right edge to end flush with it (right edge 2048); its right edge is at $((GX + GW))"

# The About window opened from there.
about=$(e2e_open_from_menu "$clock" a About)
e2e_geom "$about"
e2e_near $((GX + GW / 2)) 1536 3 && e2e_near $((GY + GH / 2)) 384 3 ||
    e2e_fail "expected the About window centred on the second monitor (1536, 384); it is at ($GX, $GY) size ${GW}x$GH"
e2e_key "$about" Escape
e2e_wait_hidden "$about" 3 || e2e_fail "expected Esc to close the About window"
e2e_pass
