#!/usr/bin/env bash
# Erase Alarm in the ringing alarm window, confirmed with Yes (Enter): the
# window closes, the sound stops, the clock shows no alarm and the store
# holds no alarm time and "Kapat" = "0".
. "$(dirname "$0")/lib.sh"
e2e_begin alarm_erase "$@"

e2e_reg_set "$E2E_STORE_KEY" "Alarm Zamani" "$E2E_ALARM"
e2e_alarm_minute
e2e_start_clock TZ="$E2E_TZ"
pid=$E2E_PID
clock=$(e2e_wait_clock "$pid")
read -r armed grey < <(e2e_alarm_look "$clock" "$E2E_WORK/label-before.png")
((armed >= 10 && grey == 0)) ||
    e2e_fail "expected the stored alarm $E2E_ALARM shown in the armed colour (192,192,0); saw $armed armed and $grey grey pixels (see $E2E_WORK/label-before.png)"

e2e_sleep_until "$(e2e_calc "$E2E_BOUNDARY - 0.6")"
known=$(e2e_zilvane_windows)
alarm=$(e2e_wait_new_window "$known" 3) ||
    e2e_fail "expected the alarm window at 07:30:00 local time; no new window appeared by 07:30:02"
e2e_note "alarm window $alarm appeared $(e2e_since_boundary) s after 07:30:00"
sleep 1

# Alt+E is Erase Alarm's access key; it asks first.
e2e_key "$alarm" alt+e
question=
end=$((SECONDS + 5))
while [[ -z $question ]] && ((SECONDS < end)); do
    question=$(e2e_windows_of "$pid" | grep -vx "$clock" || true)
    question=${question%%$'\n'*}
    [[ -n $question ]] || sleep 0.1
done
[[ -n $question ]] ||
    e2e_fail "expected Alt+E (Erase Alarm) to ask \"Are you sure you want to erase the alarm?\" in a \"Zilvane\" box; no such box appeared within 5 s"
e2e_visible "$alarm" || e2e_fail "expected the alarm window to stay open while the question is asked; it closed"
e2e_geom "$question"
e2e_shot "$E2E_WORK/question-shot.png"
e2e_crop "$E2E_WORK/question-shot.png" "$GX" "$GY" "$GW" "$GH" "$E2E_WORK/question.png"
e2e_note "erase question ($GW x $GH px) saved as $E2E_WORK/question.png"
s1=$(e2e_sink_size)
sleep 0.5
((s1 > 0 && $(e2e_sink_size) > s1)) ||
    e2e_fail "expected the alarm sound to go on while the question is open; the sink went from $s1 to $(e2e_sink_size) bytes"

# Yes is the default button.
e2e_key "$question" Return
e2e_wait_hidden "$question" 2 || e2e_fail "expected Enter to answer the erase question; the box is still shown after 2 s"
e2e_wait_hidden "$alarm" 2 || e2e_fail "expected the alarm window to close after Yes to Erase Alarm; it is still open after 2 s"
e2e_expect_silence "the erase"
e2e_running "$pid" || e2e_fail "expected the clock to keep running after the alarm was erased; it exited"

stored=$(e2e_store_get "Alarm Zamani") ||
    e2e_fail "expected \"Alarm Zamani\" to be stored as the empty text after Erase; the value is gone"
[[ -z $stored ]] || e2e_fail "expected \"Alarm Zamani\" to be stored empty after Erase; found \"$stored\""
kapat=$(e2e_store_get Kapat) || e2e_fail "expected \"Kapat\" = \"0\" to be stored after Erase; the value does not exist"
[[ $kapat == 0 ]] || e2e_fail "expected \"Kapat\" = \"0\" after Erase; found \"$kapat\""

# The clock shows "no alarm" for good: grey, and no blink back to armed.
for i in 1 2 3; do
    read -r armed grey < <(e2e_alarm_look "$clock" "$E2E_WORK/label-after$i.png")
    ((armed == 0 && grey >= 10)) ||
        e2e_fail "expected the alarm time in grey (128,128,128) after Erase; saw $armed armed and $grey grey pixels (see $E2E_WORK/label-after$i.png)"
    sleep 0.4
done
e2e_pass
