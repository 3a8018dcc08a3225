#!/usr/bin/env bash
# "Ustte" = "0" stored keeps the clock off the top. The clock reads it again
# each time one of the program's own windows hands the activation back, here
# the close question answered No: the new value holds at once, either way.
. "$(dirname "$0")/lib.sh"
e2e_begin on_top "$@"

e2e_reg_set "$E2E_STORE_KEY" Ustte 0
e2e_start_clock
pid=$E2E_PID
clock=$(e2e_wait_clock "$pid")
sleep 1
! e2e_topmost ||
    e2e_fail "expected the clock not on top with \"Ustte\" = \"0\" stored; its extended style is $E2E_EXSTYLE"

# Esc, answer No, and wait until the question has gone.
ask_and_decline() {
    local end ids
    e2e_confirm_close "$pid" "$clock" n
    end=$((SECONDS + 5))
    while ids=$(e2e_windows_of "$pid") && [[ $ids != "$clock" ]]; do
        ((SECONDS < end)) || e2e_fail "expected the close question to go on No; windows still shown: ${ids//$'\n'/ }"
        sleep 0.1
    done
    sleep 0.5
    e2e_running "$pid" || e2e_fail "expected the clock to keep running after No; it exited"
}

e2e_reg_set "$E2E_STORE_KEY" Ustte 1
ask_and_decline
e2e_topmost ||
    e2e_fail "expected the clock on top once back from the close question with \"Ustte\" = \"1\" stored; its extended style is $E2E_EXSTYLE"

e2e_reg_set "$E2E_STORE_KEY" Ustte 0
ask_and_decline
! e2e_topmost ||
    e2e_fail "expected the clock off the top once back from the close question with \"Ustte\" = \"0\" stored; its extended style is $E2E_EXSTYLE"
e2e_pass
