#!/usr/bin/env bash
# Alarm with "Kapat" = "1": at 07:30:00 the clock asks the system to shut
# down and ends, storing its window settings on the way; no alarm window and
# no sound. Under Wine the shutdown ends this prefix's session only.
. "$(dirname "$0")/lib.sh"
e2e_begin alarm_shutdown "$@"

e2e_reg_set "$E2E_STORE_KEY" "Alarm Zamani" "$E2E_ALARM"
e2e_reg_set "$E2E_STORE_KEY" Kapat 1
e2e_alarm_minute
e2e_start_clock TZ="$E2E_TZ"
pid=$E2E_PID
clock=$(e2e_wait_clock "$pid")
e2e_geom "$clock"
x=$GX y=$GY

e2e_sleep_until "$(e2e_calc "$E2E_BOUNDARY - 0.6")"
e2e_running "$pid" || e2e_fail "expected the clock to run until 07:30:00; it ended at $(TZ=$E2E_TZ date +%T.%N)"
known=$(e2e_zilvane_windows)

# Watch for the end, and for any window on the way (there must be none).
ended=
while [[ -z $ended ]]; do
    if ! e2e_running "$pid"; then
        ended=$(e2e_since_boundary)
        break
    fi
    for w in $(e2e_zilvane_windows); do
        [[ " ${known//$'\n'/ } " == *" $w "* ]] && continue
        e2e_visible "$w" || continue
        size=$(xwininfo -id "$w" 2>/dev/null | awk '/^ *Width:/ { w = $2 } /^ *Height:/ { h = $2 } END { print w "x" h }')
        [[ $size == 1x1 ]] && continue
        e2e_shot "$E2E_WORK/unexpected.png"
        e2e_fail "expected no window at the shutdown alarm; \"$(xdotool getwindowname "$w" 2>/dev/null)\" ($size) appeared $(e2e_since_boundary) s after 07:30:00 (screenshot $E2E_WORK/unexpected.png)"
    done
    awk -v s="$(e2e_since_boundary)" 'BEGIN { exit !(s < 3) }' || break
    sleep 0.05
done
[[ -n $ended ]] || e2e_fail "expected the program to end by 07:30:03 with \"Kapat\" = \"1\"; it still runs"
e2e_note "Zilvane.exe ended $ended s after 07:30:00"
awk -v s="$ended" 'BEGIN { exit !(s >= -0.2) }' || e2e_fail "expected the program to end at 07:30:00; it ended $ended s before it"
wait "$pid" 2>/dev/null || true

played=$(e2e_sink_size)
((played == 0)) || e2e_fail "expected no sound at the shutdown alarm; $played bytes were played"

# What a shutdown of the session leaves in the store.
e2e_expect_stored Sol $((x * E2E_TWIPS)) $E2E_TWIPS
e2e_expect_stored Ust $((y * E2E_TWIPS)) $E2E_TWIPS
e2e_expect_stored Renk 0 0
e2e_expect_stored Olcu 0 0
stored=$(e2e_store_get "Alarm Zamani") || e2e_fail "expected the alarm time to stay stored; \"Alarm Zamani\" is gone"
[[ $stored == "$E2E_ALARM" ]] || e2e_fail "expected the shutdown to leave \"Alarm Zamani\" = $E2E_ALARM; found \"$stored\""
e2e_pass
