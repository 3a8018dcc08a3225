#!/usr/bin/env bash
# Alarm at 07:30 (local time moved by TZ) on a machine too busy to tick: the
# clock's process is frozen (SIGSTOP) from just before 07:30:00 to 07:30:04.
# Once it runs again the alarm window opens within the minute and the sound
# plays; after Stop nothing more rings in that minute.
. "$(dirname "$0")/lib.sh"
e2e_begin alarm_frozen "$@"

e2e_reg_set "$E2E_STORE_KEY" "Alarm Zamani" "$E2E_ALARM"
e2e_alarm_minute
e2e_start_clock TZ="$E2E_TZ"
e2e_wait_clock "$E2E_PID" >/dev/null
awk -v s="$(e2e_since_boundary)" 'BEGIN { exit !(s < -2) }' ||
    e2e_fail "expected the clock window before 07:29:58 local time; it took until $(TZ=$E2E_TZ date +%T)"
pids=$(zv_pids_of Zilvane.exe "$WINEPREFIX")
[[ -n $pids ]] || e2e_fail "expected a Wine process of Zilvane.exe in $WINEPREFIX; found none"
known=$(e2e_zilvane_windows)

# shellcheck disable=SC2086 # one or more pids
frozen() { kill -STOP $pids; }
# shellcheck disable=SC2086
thawed() { kill -CONT $pids 2>/dev/null || true; }
# A failure while frozen still lets it go, keeping the test's status.
thawed_end() {
    local rc=$?
    thawed
    (exit "$rc")
    e2e_end
}
trap thawed_end EXIT

e2e_sleep_until "$(e2e_calc "$E2E_BOUNDARY - 1.5")"
frozen
e2e_note "froze pid(s) $pids at $(e2e_since_boundary) s from 07:30:00"
e2e_sleep_until "$(e2e_calc "$E2E_BOUNDARY + 4")"
(($(e2e_sink_size) == 0)) || e2e_fail "expected silence while the clock was frozen; the sink holds $(e2e_sink_size) bytes"
thawed
e2e_note "let it run again at $(e2e_since_boundary) s"

alarm=$(e2e_wait_new_window "$known" 5) ||
    e2e_fail "expected the alarm window once the clock ran again at 07:30:04; none appeared by 07:30:09"
e2e_note "alarm window $alarm appeared $(e2e_since_boundary) s after 07:30:00"
sleep 1
(($(e2e_sink_size) > 0)) || e2e_fail "expected the alarm sound with the alarm window; the sink is empty"

# Stop (Enter); the rest of the minute rings no more.
e2e_key "$alarm" Return
e2e_wait_hidden "$alarm" 2 || e2e_fail "expected Enter (Stop) to close the alarm window; it is still open after 2 s"
e2e_expect_silence "Stop"
known=$(e2e_zilvane_windows)
if again=$(e2e_wait_new_window "$known" 4); then
    e2e_fail "expected one alarm in the minute; after Stop window $again opened at $(e2e_since_boundary) s"
fi
e2e_running "$E2E_PID" || e2e_fail "expected the clock to keep running after Stop; it exited"
e2e_pass
