#!/usr/bin/env bash
# Alarm at 07:30 (local time moved by TZ): at 07:30:00 the alarm window opens
# right below the clock, its title blinks between "Alarm Time!" and "07:30",
# the alarm sound repeats until Stop (Enter), and Stop leaves the clock
# running with the alarm still set. With "Ustte" = "1" both windows are on
# top, the clock still after the alarm window has gone.
. "$(dirname "$0")/lib.sh"
e2e_begin alarm_ring "$@"

wav=$(dirname "$E2E_EXE")/Alarm.wav
[[ -f $wav ]] || e2e_fail "expected the default sound $wav beside the program; it is missing"
wav_len=$(soxi -D "$wav")
wav_rate=$(($(soxi -r "$wav") * $(soxi -c "$wav") * $(soxi -b "$wav") / 8)) # bytes per second
wav_bytes=$(($(soxi -s "$wav") * $(soxi -c "$wav") * $(soxi -b "$wav") / 8))

e2e_reg_set "$E2E_STORE_KEY" "Alarm Zamani" "$E2E_ALARM"
e2e_reg_set "$E2E_STORE_KEY" Ustte 1
e2e_alarm_minute
e2e_start_clock TZ="$E2E_TZ"
pid=$E2E_PID
clock=$(e2e_wait_clock "$pid")
awk -v s="$(e2e_since_boundary)" 'BEGIN { exit !(s < -1) }' ||
    e2e_fail "expected the clock window before 07:29:59 local time; it took until $(TZ=$E2E_TZ date +%T)"

# Nothing rings before the minute.
e2e_sleep_until "$(e2e_calc "$E2E_BOUNDARY - 0.6")"
known=$(e2e_zilvane_windows)
before=$(e2e_sink_size)
((before == 0)) || e2e_fail "expected silence before 07:30:00; $before bytes were played by $(TZ=$E2E_TZ date +%T.%N)"
[[ $(wc -w <<<"$known") -eq 1 ]] ||
    e2e_fail "expected the clock as the only window before 07:30:00; saw $(wc -w <<<"$known") (${known//$'\n'/ })"

alarm=$(e2e_wait_new_window "$known" 3) ||
    e2e_fail "expected the alarm window at 07:30:00 local time; no new window appeared by 07:30:02"
late=$(e2e_since_boundary)
e2e_note "alarm window $alarm appeared $late s after 07:30:00"
awk -v l="$late" 'BEGIN { exit !(l >= -0.2 && l <= 1.5) }' ||
    e2e_fail "expected the alarm window at 07:30:00 (+1.5 s); it appeared $late s after it"

# Right below the clock, as wide as the clock.
sleep 0.3
e2e_geom "$clock"
cx=$GX cy=$GY cw=$GW ch=$GH
e2e_geom "$alarm"
e2e_note "clock at ($cx, $cy) ${cw}x$ch; alarm window at ($GX, $GY) ${GW}x$GH"
e2e_near "$GX" "$cx" 4 && e2e_near "$GY" $((cy + ch)) 4 ||
    e2e_fail "expected the alarm window's top left corner at the clock's bottom left ($cx, $((cy + ch))) (+-4 px); saw ($GX, $GY)"
e2e_near "$GW" "$cw" 2 ||
    e2e_fail "expected the alarm window as wide as the clock ($cw px); saw $GW px"
((GH > 40)) || e2e_fail "expected an alarm window with a message and two buttons; it is only $GH px high"

e2e_shot "$E2E_WORK/ringing-shot.png"
e2e_crop "$E2E_WORK/ringing-shot.png" "$cx" "$cy" "$cw" $((GY + GH - cy)) "$E2E_ROOT/alarm-ringing.png"
e2e_note "screenshot of the ringing alarm: $E2E_ROOT/alarm-ringing.png"

# The title alternates every half second; meanwhile the sound plays on.
s1=$(e2e_sink_size)
t1=$(e2e_now)
saw_text=0 saw_time=0 others=
for ((i = 0; i < 30; i++)); do
    title=$(xdotool getwindowname "$alarm" 2>/dev/null) || e2e_fail "the alarm window closed by itself while ringing"
    case $title in
        "Alarm Time!") saw_text=$((saw_text + 1)) ;;
        "$E2E_ALARM") saw_time=$((saw_time + 1)) ;;
        *) others="$others \"$title\"" ;;
    esac
    sleep 0.1
done
[[ -z $others ]] || e2e_fail "expected the alarm window's title to be \"Alarm Time!\" or \"$E2E_ALARM\"; saw$others"
((saw_text >= 3 && saw_time >= 3)) ||
    e2e_fail "expected the title to alternate between \"Alarm Time!\" and \"$E2E_ALARM\" over 3 s; saw the first $saw_text and the second $saw_time times in 30 polls"

e2e_topmost "Alarm Time!" "$E2E_ALARM" ||
    e2e_fail "expected the alarm window on top (WS_EX_TOPMOST) with \"Ustte\" = \"1\"; its extended style is $E2E_EXSTYLE"

# The sound repeats for as long as the window is open.
e2e_sleep_until "$(e2e_calc "$t1 + 5")"
s2=$(e2e_sink_size)
e2e_note "sink grew by $((s2 - s1)) bytes in 5 s ($s2 in all; one play of the ${wav_len} s sound is $wav_bytes bytes)"
((s2 > wav_bytes * 2)) ||
    e2e_fail "expected the alarm sound to repeat (${wav_len} s per play); 5 s into the ringing the sink holds $s2 bytes (one play is $wav_bytes)"
((s2 - s1 >= wav_rate * 4)) ||
    e2e_fail "expected the sound to keep playing while the alarm window is open; the sink grew by only $((s2 - s1)) bytes in 5 s ($wav_rate bytes/s)"

# Enter presses Stop, the default button.
e2e_key "$alarm" Return
e2e_wait_hidden "$alarm" 2 || e2e_fail "expected Enter (Stop) to close the alarm window; it is still open after 2 s"
e2e_expect_silence "Stop"

e2e_running "$pid" || e2e_fail "expected the clock to keep running after Stop; it exited"
e2e_visible "$clock" || e2e_fail "expected the clock window to stay shown after Stop; it is hidden"
e2e_topmost ||
    e2e_fail "expected the clock on top (WS_EX_TOPMOST) after the alarm window closed, with \"Ustte\" = \"1\"; its extended style is $E2E_EXSTYLE"
# The seconds digit still moves (same place as in the first-run test).
sx=$(((320 + 1800) / E2E_TWIPS)) sy=$((337 / E2E_TWIPS))
e2e_shot "$E2E_WORK/after1.png"
e2e_crop "$E2E_WORK/after1.png" $((cx + sx)) $((cy + sy)) 16 22 "$E2E_WORK/sec1.png"
sleep 1.2
e2e_shot "$E2E_WORK/after2.png"
e2e_crop "$E2E_WORK/after2.png" $((cx + sx)) $((cy + sy)) 16 22 "$E2E_WORK/sec2.png"
(($(e2e_diff_pixels "$E2E_WORK/sec1.png" "$E2E_WORK/sec2.png") > 0)) ||
    e2e_fail "expected the clock to go on ticking after Stop; its seconds digit did not change in 1.2 s"

# Stop leaves the alarm armed, whatever turn the blink was in, and the blink
# is over.
for i in 1 2 3; do
    read -r armed grey < <(e2e_alarm_look "$clock" "$E2E_WORK/label-after$i.png")
    ((armed >= 10 && grey == 0)) ||
        e2e_fail "expected the alarm time in the armed colour (192,192,0) after Stop; saw $armed armed and $grey grey pixels (see $E2E_WORK/label-after$i.png)"
    sleep 0.4
done

stored=$(e2e_store_get "Alarm Zamani") || e2e_fail "expected \"Alarm Zamani\" to stay stored after Stop; it is gone"
[[ $stored == "$E2E_ALARM" ]] || e2e_fail "expected Stop to keep \"Alarm Zamani\" = $E2E_ALARM; found \"$stored\""
e2e_pass
