#!/usr/bin/env bash
# A second start while the clock runs ends by itself, leaves the running clock
# alone and writes nothing.
. "$(dirname "$0")/lib.sh"
e2e_begin single_instance "$@"

e2e_start_clock
first=$E2E_PID
clock=$(e2e_wait_clock "$first")

e2e_start_clock
second=$E2E_PID
e2e_wait_gone "$second" 10 ||
    e2e_fail "expected the second start to exit within 10 s; it is still running"
e2e_running "$first" || e2e_fail "expected the first clock to keep running after a second start; it exited"

sleep 0.5
running=$(zv_pids_of Zilvane.exe "$WINEPREFIX" | wc -l)
((running == 1)) || e2e_fail "expected one Zilvane.exe process in the prefix; saw $running"
windows=$(e2e_prefix_windows | wc -l)
((windows == 1)) || e2e_fail "expected exactly one visible \"Zilvane\" window; saw $windows"
[[ -n $(e2e_windows_of "$first") && $(e2e_windows_of "$first") == "$clock" ]] ||
    e2e_fail "expected the first clock's window ($clock) to stay visible; saw \"$(e2e_windows_of "$first")\""

# Nothing is stored before a clean close, and the second start stores nothing.
if value=$(e2e_store_get Sol); then
    e2e_fail "expected no stored settings while the first clock runs; found Sol = \"$value\""
fi

e2e_pass
