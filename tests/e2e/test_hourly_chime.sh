#!/usr/bin/env bash
# Hourly chime: started in the last minute of an hour (local time moved by
# TZ), the clock is silent until the hour changes and then plays the chime once.
. "$(dirname "$0")/lib.sh"
e2e_begin hourly_chime "$@"

wav=$(dirname "$E2E_EXE")/Alarm.wav
[[ -f $wav ]] || e2e_fail "expected the default sound $wav beside the program; it is missing"
wav_len=$(soxi -D "$wav")
# Wine hands the ALSA sink the sound's own format, so one play writes the
# WAV's sample data once.
wav_bytes=$(($(soxi -s "$wav") * $(soxi -c "$wav") * $(soxi -b "$wav") / 8))

# Start with at least 12 s left in the real minute: Wine needs a few seconds
# to bring the window up, and the load itself must stay silent.
sec=$((10#$(date +%S)))
if ((sec > 48)); then
    e2e_note "waiting $((61 - sec)) s for the next minute"
    sleep $((61 - sec))
fi
boundary=$(( $(date +%s) / 60 * 60 + 60 ))
tz=$(e2e_tz_for 10 59)
e2e_note "TZ=$tz, local time $(TZ=$tz date +%T), chime due at $(TZ=$tz date -d @$boundary +%T)"

e2e_start_clock TZ="$tz"
e2e_wait_clock "$E2E_PID" >/dev/null
awk -v n="$(e2e_now)" -v b=$boundary 'BEGIN { exit !(n < b - 1) }' ||
    e2e_fail "expected the clock window before 10:59:59 local time; it took until $(TZ=$tz date +%T)"

# Nothing may sound before the hour changes.
e2e_sleep_until "$(e2e_calc "$boundary - 0.6")"
before=$(e2e_sink_size)
((before == 0)) ||
    e2e_fail "expected silence before 11:00:00 local time; $before bytes were played at $(TZ=$tz date +%T.%N)"

# The chime starts at 11:00:00 ...
started=
while [[ -z $started ]]; do
    [[ $(e2e_sink_size) -gt 0 ]] && started=$(e2e_now)
    awk -v n="$(e2e_now)" -v b=$boundary 'BEGIN { exit !(n < b + 5) }' || break
    sleep 0.05
done
[[ -n $started ]] ||
    e2e_fail "expected the hourly chime to play at 11:00:00 local time; nothing was played by 11:00:05"
late=$(awk -v s="$started" -v b=$boundary 'BEGIN { printf "%.2f", s - b }')
e2e_note "sound began ${late} s after the hour"
awk -v l="$late" 'BEGIN { exit !(l >= -0.1 && l <= 2.5) }' ||
    e2e_fail "expected the chime to start at the change of the hour; it started $late s after it"

# ... and plays once: the sink stops growing within the sound's length and
# stays still (a repeating sound would keep it growing).
settle_by=$(e2e_calc "$boundary + $wav_len + 3")
e2e_sleep_until "$settle_by"
settled=$(e2e_sink_size)
e2e_sleep_until "$(e2e_calc "$settle_by + 4")"
final=$(e2e_sink_size)
((final == settled)) ||
    e2e_fail "expected one chime of ${wav_len} s; the sound kept playing ($settled bytes $(e2e_calc "$wav_len + 3") s after the hour, $final bytes 4 s later)"

e2e_note "chime wrote $final bytes; sound file is ${wav_len} s, $wav_bytes bytes of samples"
((final * 2 >= wav_bytes && final * 2 <= wav_bytes * 3)) ||
    e2e_fail "expected the chime to play once ($wav_bytes bytes of samples); the sink received $final bytes"
e2e_pass
