#!/usr/bin/env bash
# The 32- and 64-bit clocks keep the user's settings in one place: a place
# stored by the 32-bit clock is where the 64-bit clock opens, and back.
# Needs a machine that runs both; elsewhere it is skipped.
#   test_shared_settings.sh <64-bit Zilvane.exe> <work root> <32-bit Zilvane.exe>
. "$(dirname "$0")/lib.sh"
exe32=${3:-}
if [[ ! -f $exe32 ]] || ! zv_arch_runs x86 || ! zv_arch_runs x64; then
    echo "SKIP: needs both the 32- and the 64-bit Wine (this machine runs: $(for a in x86 x64; do zv_arch_runs $a && printf '%s ' $a; done))"
    exit 77
fi
e2e_begin shared_settings "$1" "$2"
exe64=$E2E_EXE
exe32=$(realpath "$exe32")
[[ $(zv_exe_arch "$exe32") == x86 ]] || e2e_fail "expected a 32-bit program at $exe32"

# Both run in this 64-bit prefix, each with its own loader.
run_clock() { # ARCH EXE: starts it, sets pid and clock
    zv_use_arch "$1"
    E2E_EXE=$2
    e2e_start_clock
    pid=$E2E_PID
    clock=$(e2e_wait_clock "$pid")
}
grab_x=100 grab_y=25
move_and_close() { # X Y: drag the clock there, close it (it stores its place)
    e2e_geom "$clock"
    e2e_drag $((GX + grab_x)) $((GY + grab_y)) $(($1 + grab_x)) $(($2 + grab_y))
    sleep 0.5
    e2e_geom "$clock"
    ((GX == $1 && GY == $2)) || e2e_fail "expected the drag to put the clock at ($1, $2); it is at ($GX, $GY)"
    e2e_confirm_close "$pid" "$clock" Return
    e2e_wait_gone "$pid" 10 || e2e_fail "expected the clock to exit after Esc answered Yes; it still runs"
}
expect_at() { # X Y WHO
    e2e_geom "$clock"
    ((GX == $1 && GY == $2)) ||
        e2e_fail "expected the $3 clock where the other one was closed, ($1, $2); it opened at ($GX, $GY)"
}

run_clock x86 "$exe32"
move_and_close 200 300
run_clock x64 "$exe64"
expect_at 200 300 64-bit
move_and_close 260 180
run_clock x86 "$exe32"
expect_at 260 180 32-bit
e2e_confirm_close "$pid" "$clock" Return
e2e_wait_gone "$pid" 10 || true
e2e_pass
