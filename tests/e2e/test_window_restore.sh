#!/usr/bin/env bash
# A start with a stored place, small face and colour comes back exactly so:
# at the stored place, 1185 x 345 twips, digits in the red set.
. "$(dirname "$0")/lib.sh"
e2e_begin window_restore "$@"

e2e_reg_set "$E2E_STORE_KEY" Sol 4500
e2e_reg_set "$E2E_STORE_KEY" Ust 6000
e2e_reg_set "$E2E_STORE_KEY" Renk 2
e2e_reg_set "$E2E_STORE_KEY" Olcu -1

e2e_start_clock
pid=$E2E_PID
clock=$(e2e_wait_clock "$pid")
sleep 1 # let the first paint land
e2e_geom "$clock"

exp_w=$((1185 / E2E_TWIPS)) exp_h=$((345 / E2E_TWIPS))
e2e_near "$GW" "$exp_w" 1 && e2e_near "$GH" "$exp_h" 1 ||
    e2e_fail "expected the small face, 1185x345 twips (${exp_w}x${exp_h} px, +-1), with Olcu = -1 stored; saw ${GW}x${GH} px"
((GX == 4500 / E2E_TWIPS && GY == 6000 / E2E_TWIPS)) ||
    e2e_fail "expected the clock at the stored place (4500, 6000) twips = ($((4500 / E2E_TWIPS)), $((6000 / E2E_TWIPS))) px; saw ($GX, $GY)"

e2e_shot "$E2E_WORK/shot.png"
e2e_crop "$E2E_WORK/shot.png" "$GX" "$GY" "$GW" "$GH" "$E2E_WORK/small.png"
red=$(e2e_count_pixels "$E2E_WORK/small.png" 215 255 0 60 0 60)
green=$(e2e_count_pixels "$E2E_WORK/small.png" 0 60 215 255 0 60)
cyan=$(e2e_count_pixels "$E2E_WORK/small.png" 0 60 215 255 215 255)
((red >= 30)) ||
    e2e_fail "expected the small face's digits in red (255,0,0) with Renk = 2 stored; saw only $red red pixels (window crop: $E2E_WORK/small.png)"
((green == 0 && cyan == 0)) ||
    e2e_fail "expected only the red colour set with Renk = 2; saw $green green and $cyan cyan pixels"

e2e_pass
