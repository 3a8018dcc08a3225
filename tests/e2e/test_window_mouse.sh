#!/usr/bin/env bash
# The clock under a real mouse: the right button opens the pop-up menu, the
# left button drags the window, a drag off the screen is undone by the
# keep-on-screen check, a double-click switches faces, and "Close (Esc)" in
# the menu ends the program without a question and stores the window.
. "$(dirname "$0")/lib.sh"
e2e_begin window_mouse "$@"

e2e_start_clock
pid=$E2E_PID
clock=$(e2e_wait_clock "$pid")
sleep 1
e2e_geom "$clock"
large_w=$GW large_h=$GH

# The digit panel starts 320 twips into the window; aim well inside it. The
# menu is opened near the panel's left end so that it fits on the screen to
# the right of the pointer.
grab_x=100 grab_y=25 menu_x=30

# --- Pop-up menu -------------------------------------------------------------
open_menu() { # prints the menu window's id
    local known
    known=$(e2e_zilvane_windows)
    e2e_geom "$clock"
    e2e_right_click $((GX + menu_x)) $((GY + grab_y))
    e2e_wait_new_window "$known" 3 ||
        e2e_fail "expected a pop-up menu window after a right-click on the clock; none appeared within 3 s"
}
menu=$(open_menu)
sleep 0.3
e2e_geom "$clock"
cx=$((GX + menu_x)) cy=$((GY + grab_y))
e2e_geom "$menu"
e2e_note "menu window $menu at ($GX, $GY), ${GW}x$GH; pointer at ($cx, $cy)"
e2e_near "$GX" "$cx" 3 && e2e_near "$GY" "$cy" 3 ||
    e2e_fail "expected the menu's top left corner at the pointer ($cx, $cy); saw ($GX, $GY)"
e2e_shot "$E2E_WORK/menu-shot.png"
e2e_crop "$E2E_WORK/menu-shot.png" "$GX" "$GY" "$GW" "$GH" "$E2E_WORK/menu.png"
e2e_note "menu crop saved as $E2E_WORK/menu.png"

# Five captions: bands of text rows (dark pixels inside the border; the grey
# separators and border stay out), counted with gaps of up to two rows
# closing an access-key underline onto its caption.
bands=$(convert "$E2E_WORK/menu.png" -colorspace gray -depth 8 txt:- | awk -v w="$GW" '
    NR > 1 {
        split($1, p, /[,:]/)
        if (p[1] < 3 || p[1] > w - 4) next
        if (!match($0, /\([0-9.]+/)) next
        if (substr($0, RSTART + 1, RLENGTH - 1) + 0 < 100) dark[p[2] + 0] = 1
    }
    END {
        last = -10
        for (y = 0; y < 2000; y++)
            if (y in dark) { if (y - last > 3) n++; last = y }
        print n + 0
    }')
((bands == 5)) ||
    e2e_fail "expected five captions in the menu (Setting, Set Date/Time, Minimize, About, Close (Esc)); counted $bands lines of text (see $E2E_WORK/menu.png)"

xdotool key Escape
e2e_wait_hidden "$menu" 2 || e2e_fail "expected Esc to close the pop-up menu; it is still shown after 2 s"
sleep 0.5
e2e_running "$pid" || e2e_fail "expected Esc in the menu to close only the menu; the clock exited"
others=$(e2e_windows_of "$pid" | grep -vx "$clock" || true)
[[ -z $others ]] || e2e_fail "expected no window besides the clock after Esc in the menu; saw \"$(xdotool getwindowname "$others")\""

# --- Drag --------------------------------------------------------------------
e2e_geom "$clock"
x=$GX y=$GY
e2e_drag_hold $((x + grab_x)) $((y + grab_y)) $((x + grab_x - 180)) $((y + grab_y + 120))
# The clock goes on ticking while the button is held: seconds-units digit at
# 320 + 1800 twips, 337 down, 16 x 22 px.
sx=$(((320 + 1800) / E2E_TWIPS)) sy=$((337 / E2E_TWIPS))
e2e_geom "$clock"
e2e_shot "$E2E_WORK/held1.png"
e2e_crop "$E2E_WORK/held1.png" $((GX + sx)) $((GY + sy)) 16 22 "$E2E_WORK/held-sec1.png"
sleep 1.2
e2e_shot "$E2E_WORK/held2.png"
e2e_crop "$E2E_WORK/held2.png" $((GX + sx)) $((GY + sy)) 16 22 "$E2E_WORK/held-sec2.png"
e2e_drag_release
(($(e2e_diff_pixels "$E2E_WORK/held-sec1.png" "$E2E_WORK/held-sec2.png") > 0)) ||
    e2e_fail "expected the seconds to go on during a drag; the seconds digit did not change in 1.2 s with the button held"
sleep 0.5
e2e_geom "$clock"
e2e_near "$GX" $((x - 180)) 3 && e2e_near "$GY" $((y + 120)) 3 ||
    e2e_fail "expected a left-button drag by (-180, +120) px to move the clock from ($x, $y) to ($((x - 180)), $((y + 120))); saw ($GX, $GY)"

# --- Keep on screen ----------------------------------------------------------
# drag_to LEFT TOP: drag the clock so that its top left corner lands there.
drag_to() {
    e2e_geom "$clock"
    e2e_drag $((GX + grab_x)) $((GY + grab_y)) $(($1 + grab_x)) $(($2 + grab_y))
    dropped=$(e2e_now)
    e2e_geom "$clock"
    e2e_note "dropped at ($GX, $GY), asked for ($1, $2)"
}
# settle SECONDS: watch the clock's place until then after the drop; sets
# GX GY GW GH to the final place and MOVED to when it last changed.
settle() {
    local end last="$GX $GY"
    MOVED=never
    end=$(e2e_calc "$dropped + $1")
    while awk -v n="$(e2e_now)" -v e="$end" 'BEGIN { exit !(n < e) }'; do
        e2e_geom "$clock"
        [[ -n $last && "$GX $GY" != "$last" ]] && MOVED=$(e2e_calc "$(e2e_now) - $dropped")
        last="$GX $GY"
        sleep 0.1
    done
}

# Past the left and top edges: both edges come back to 0.
drag_to -60 -15
settle 1.5
((GX == 0 && GY == 0)) ||
    e2e_fail "expected a clock dragged to (-60, -15) to be back at (0, 0) within 1.5 s; it is at ($GX, $GY)"
e2e_note "left and top edges back at 0 (last move: $MOVED s after the drop)"

# 150 twips (10 px) past the right edge: moved back flush.
drag_to $((E2E_SCREEN_W - large_w + 10)) 300
settle 1.5
((GX + GW == E2E_SCREEN_W)) ||
    e2e_fail "expected a clock dragged 10 px (150 twips) past the right edge to end flush with it within 1.5 s; its right edge is at $((GX + GW)) of $E2E_SCREEN_W"
e2e_note "right edge flush (last move: $MOVED s after the drop)"

# 75 twips (5 px) past it is tolerated and left alone.
drag_to $((E2E_SCREEN_W - large_w + 5)) 300
over=$((GX + GW - E2E_SCREEN_W))
((over >= 4 && over <= 6)) || e2e_fail "could not drag the clock 5 px past the right edge; it overhangs by $over px"
settle 2.5
((GX + GW - E2E_SCREEN_W == over)) ||
    e2e_fail "expected an overhang of $over px ($((over * E2E_TWIPS)) twips, under 100) to be left alone; the right edge moved to $((GX + GW)) (screen $E2E_SCREEN_W)"

# Back to a free spot for the rest.
drag_to 300 200

# --- Faces -------------------------------------------------------------------
small_w=$((1185 / E2E_TWIPS)) small_h=$((345 / E2E_TWIPS))
# wait_size W H: the clock window reaches that size (+-1) within 1.5 s.
wait_size() {
    local end=$((SECONDS + 2))
    while :; do
        e2e_geom "$clock"
        e2e_near "$GW" "$1" 1 && e2e_near "$GH" "$2" 1 && return 0
        ((SECONDS < end)) || return 1
        sleep 0.1
    done
}
e2e_geom "$clock"
x=$GX y=$GY
e2e_double_click $((x + grab_x)) $((y + grab_y))
wait_size $small_w $small_h ||
    e2e_fail "expected a double-click on the digits to switch to the small face, ${small_w}x${small_h} px; saw ${GW}x${GH}"
((GX == x && GY == y)) || e2e_fail "expected the switch to the small face to keep the place ($x, $y); saw ($GX, $GY)"

e2e_double_click $((x + small_w / 2)) $((y + small_h / 2))
wait_size "$large_w" "$large_h" ||
    e2e_fail "expected a double-click on the small face to switch back to the large face, ${large_w}x${large_h} px; saw ${GW}x${GH}"
((GX == x && GY == y)) || e2e_fail "expected the switch back to keep the place ($x, $y); saw ($GX, $GY)"

# --- Close from the menu -----------------------------------------------------
open_menu >/dev/null
sleep 0.3
# "Close (Esc)" has no access key: Up from the top wraps to the last item.
xdotool key Up
sleep 0.2
xdotool key Return
end=$((SECONDS + 10))
while e2e_running "$pid"; do
    others=$(e2e_windows_of "$pid" | grep -vx "$clock" || true)
    [[ -z $others ]] ||
        e2e_fail "expected \"Close (Esc)\" to close without asking; a window \"$(xdotool getwindowname "$others")\" appeared"
    ((SECONDS < end)) || e2e_fail "expected \"Close (Esc)\" in the menu to end the program; it still runs after 10 s"
    sleep 0.1
done
e2e_expect_stored Sol $((x * E2E_TWIPS)) $E2E_TWIPS
e2e_expect_stored Ust $((y * E2E_TWIPS)) $E2E_TWIPS
e2e_expect_stored Renk 0 0
e2e_expect_stored Olcu 0 0

e2e_pass
