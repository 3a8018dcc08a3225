#!/usr/bin/env bash
# First run with an empty store: size and place of the window, kept on top,
# green face on the red window background, and a seconds digit that moves.
. "$(dirname "$0")/lib.sh"
e2e_begin first_run "$@"

e2e_start_clock
clock=$(e2e_wait_clock "$E2E_PID")
sleep 1 # let the first paint land
e2e_geom "$clock"

# 2900 x 770 twips, right edge and top 250 twips from the screen's edges.
exp_w=$(awk -v t=$E2E_TWIPS 'BEGIN { print 2900 / t }')
exp_h=$(awk -v t=$E2E_TWIPS 'BEGIN { print 770 / t }')
exp_x=$(awk -v t=$E2E_TWIPS -v s="$E2E_SCREEN_W" 'BEGIN { print (s * t - 2900 - 250) / t }')
exp_y=$(awk -v t=$E2E_TWIPS 'BEGIN { print 250 / t }')
e2e_near "$GW" "$exp_w" 1 && e2e_near "$GH" "$exp_h" 1 ||
    e2e_fail "expected a 2900x770-twip window (${exp_w}x${exp_h} px, +-1); saw ${GW}x${GH} px"
e2e_near "$GX" "$exp_x" 1 && e2e_near "$GY" "$exp_y" 1 ||
    e2e_fail "expected the window at ($exp_x, $exp_y) px, i.e. right edge and top 250 twips from the screen edges; saw ($GX, $GY), right gap $((E2E_SCREEN_W - GX - GW)) px"

# On top is the default: the window itself is top-most, not only what it owns.
e2e_topmost || e2e_fail "expected the clock window on top (WS_EX_TOPMOST) on a first run; its extended style is $E2E_EXSTYLE"

shot=$E2E_WORK/shot1.png
e2e_shot "$shot"
e2e_crop "$shot" "$GX" "$GY" "$GW" "$GH" "$E2E_WORK/window1.png"
green=$(e2e_count_pixels "$E2E_WORK/window1.png" 0 40 215 255 0 40)
cyan=$(e2e_count_pixels "$E2E_WORK/window1.png" 0 40 215 255 215 255)
red=$(e2e_count_pixels "$E2E_WORK/window1.png" 215 255 0 40 0 40)
((green >= 100)) || e2e_fail "expected green (0,255,0) digits; saw only $green green pixels in the window"
((cyan == 0 && red == 0)) ||
    e2e_fail "expected only the green colour set on a first run; saw $cyan cyan and $red bright red pixels"

# The 320-twip strip left of the digit panel shows the window background.
strip_w=$((320 / E2E_TWIPS - 1))
e2e_crop "$shot" "$GX" "$GY" "$strip_w" "$GH" "$E2E_WORK/strip.png"
bg=$(e2e_count_pixels "$E2E_WORK/strip.png" 184 200 0 8 0 8)
total=$((strip_w * GH))
((bg * 10 >= total * 9)) ||
    e2e_fail "expected the left strip of the window in the background colour (192,0,0); only $bg of $total pixels are"

# Seconds-units digit: panel at 320 twips, digit at 1800, top 337, 16 x 22 px.
sx=$(((320 + 1800) / E2E_TWIPS))
sy=$((337 / E2E_TWIPS))
e2e_crop "$shot" $((GX + sx)) $((GY + sy)) 16 22 "$E2E_WORK/sec1.png"
digit_green=$(e2e_count_pixels "$E2E_WORK/sec1.png" 0 120 120 255 0 120)
((digit_green >= 10)) ||
    e2e_fail "expected a green digit image at ($sx, $sy) px inside the window; saw $digit_green green pixels there"
sleep 1.2
e2e_shot "$E2E_WORK/shot2.png"
e2e_crop "$E2E_WORK/shot2.png" $((GX + sx)) $((GY + sy)) 16 22 "$E2E_WORK/sec2.png"
changed=$(e2e_diff_pixels "$E2E_WORK/sec1.png" "$E2E_WORK/sec2.png")
((changed > 0)) ||
    e2e_fail "expected the seconds digit to change between two screenshots 1.2 s apart; it did not"

e2e_pass
