#!/usr/bin/env bash
# The settings dialog as a user drives it: the menu opens it, the hour and
# minute lists take 07 and 30 from the keyboard, Set Alarm arms the clock at
# once, OK stores the alarm and writes the start-with-Windows entry; a second
# opening tries "Re&d" (the clock turns red at once) and Esc cancels it (back
# to green). Screenshots of the three tabs are kept in the work folder.
. "$(dirname "$0")/lib.sh"
e2e_begin settings_dialog "$@"
RUN_KEY='HKCU\SOFTWARE\Microsoft\Windows\CurrentVersion\Run'

e2e_start_clock
pid=$E2E_PID
clock=$(e2e_wait_clock "$pid")

# "&Setting" by its access key.
open_dialog() { dialog=$(e2e_open_from_menu "$clock" s Setting); }
state() { e2e_winctl state Setting "$1"; }
tab_shot() {
    e2e_geom "$dialog"
    e2e_shot "$E2E_WORK/shot.png"
    e2e_crop "$E2E_WORK/shot.png" "$GX" "$GY" "$GW" "$GH" "$E2E_WORK/$1.png"
}
# Bright red digits in the clock's panel (the window's side strips are a
# darker red).
red_in_clock() {
    e2e_geom "$clock"
    e2e_shot "$E2E_WORK/clock-shot.png"
    e2e_crop "$E2E_WORK/clock-shot.png" $((GX + 21)) "$GY" 149 "$GH" "$E2E_WORK/clock.png"
    e2e_count_pixels "$E2E_WORK/clock.png" 215 255 0 40 0 40
}

open_dialog
tab_shot tab-alarm
[[ $(state "Set Alar&m") == "0 "* ]] || e2e_fail "expected \"Set Alar&m\" disabled before an hour and a minute are chosen; state $(state "Set Alar&m")"

# "H&our" and "Min&ute" take the focus to their lists; Down from no choice
# picks "00", seven more make "07".
xdotool key alt+o
sleep 0.2
xdotool key --delay 40 Down Down Down Down Down Down Down Down
xdotool key alt+u
sleep 0.2
for _ in $(seq 31); do xdotool key --delay 20 Down; done
sleep 0.2
[[ $(state "Set Alar&m") == "1 "* ]] || e2e_fail "expected \"Set Alar&m\" enabled with an hour and a minute chosen; state $(state "Set Alar&m")"
xdotool key alt+m
sleep 0.5
[[ $(e2e_store_get "Alarm Zamani") == 07:30 ]] ||
    e2e_fail "expected Set Alarm to store \"Alarm Zamani\" = 07:30 at once; found \"$(e2e_store_get "Alarm Zamani" || true)\""
tab_shot tab-alarm-armed
xdotool key ctrl+Tab
sleep 0.3
tab_shot tab-warning
xdotool key ctrl+Tab
sleep 0.3
tab_shot tab-clock
e2e_reg_get "$RUN_KEY" Zilvane >/dev/null && e2e_fail "expected no Run value before the first OK"
e2e_click_child Setting OK
e2e_wait_hidden "$dialog" 3 || e2e_fail "expected OK to close the settings dialog; it is still shown after 3 s"

read -r armed grey < <(e2e_alarm_look "$clock" "$E2E_WORK/label-armed.png")
((armed >= 10 && grey == 0)) ||
    e2e_fail "expected the clock's alarm text 07:30 in yellow (192,192,0) after OK; saw $armed yellow and $grey grey pixels"
kapat=$(e2e_store_get Kapat) && [[ $kapat == 0 ]] || e2e_fail "expected \"Kapat\" = \"0\" after Set Alarm with a sound device; found \"${kapat:-}\""
run=$(e2e_reg_get "$RUN_KEY" Zilvane) || e2e_fail "expected OK with \"&Run on Startup\" checked to write the Run value \"Zilvane\"; it does not exist"
exe=$(winepath -w "$E2E_EXE" 2>/dev/null | tr -d '\r')
[[ ${run,,} == "${exe,,}" || ${run,,} == "\"${exe,,}\"" ]] || e2e_fail "expected the Run value to start $exe; found $run"

# The colour is tried live and Cancel (Esc) takes it back.
open_dialog
xdotool key ctrl+Tab ctrl+Tab
sleep 0.3
xdotool key alt+d
sleep 0.6
red=$(red_in_clock)
((red >= 100)) || e2e_fail "expected \"Re&d\" to turn the clock's digits red (255,0,0) at once; saw $red red pixels"
xdotool key Escape
e2e_wait_hidden "$dialog" 3 || e2e_fail "expected Esc to close the settings dialog as Cancel; it is still shown"
sleep 0.5
red=$(red_in_clock)
((red == 0)) || e2e_fail "expected Cancel to put the stored green back; $red red pixels remain"
[[ $(e2e_store_get Renk) == 0 ]] || e2e_fail "expected \"Renk\" to stay \"0\" after Cancel; found \"$(e2e_store_get Renk || true)\""
e2e_pass
