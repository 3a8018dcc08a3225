#!/usr/bin/env bash
# Closing stores the window's place, colour and face; the next start comes
# back where the store says.
. "$(dirname "$0")/lib.sh"
e2e_begin store "$@"

# Esc answered No keeps the clock; Esc answered Yes closes it and stores.
e2e_start_clock
pid=$E2E_PID
clock=$(e2e_wait_clock "$pid")
e2e_geom "$clock"
x=$GX y=$GY

e2e_confirm_close "$pid" "$clock" n
sleep 1
e2e_running "$pid" || e2e_fail "expected \"No\" in the close question to keep the clock running; it exited"
[[ -z $(xdotool search --onlyvisible --pid "$pid" --name '^Zilvane$' | grep -vx "$clock") ]] ||
    e2e_fail "expected the close question to be gone after \"No\"; it is still shown"

e2e_confirm_close "$pid" "$clock" Return
e2e_wait_gone "$pid" 10 ||
    e2e_fail "expected the clock to exit within 10 s after Esc answered Yes; it still runs"

check_value() { # NAME EXPECTED TOLERANCE
    local v
    v=$(e2e_store_get "$1") || e2e_fail "expected $E2E_STORE_KEY\\$1 after a clean close; it does not exist"
    [[ $v =~ ^-?[0-9]+([.][0-9]+)?$ ]] && e2e_near "$v" "$2" "$3" ||
        e2e_fail "expected $1 = $2 (+-$3) after a clean close; found \"$v\""
}
check_value Sol $((x * E2E_TWIPS)) $E2E_TWIPS
check_value Ust $((y * E2E_TWIPS)) $E2E_TWIPS
check_value Renk 0 0
check_value Olcu 0 0

# A stored place wins over the default one.
e2e_reg_set "$E2E_STORE_KEY" Sol 3000
e2e_reg_set "$E2E_STORE_KEY" Ust 4500
e2e_start_clock
pid=$E2E_PID
clock=$(e2e_wait_clock "$pid")
e2e_geom "$clock"
((GX == 3000 / E2E_TWIPS && GY == 4500 / E2E_TWIPS)) ||
    e2e_fail "expected the clock at the stored place (3000, 4500) twips = (200, 300) px; saw ($GX, $GY)"

e2e_confirm_close "$pid" "$clock" Return
e2e_wait_gone "$pid" 10 || e2e_fail "expected the clock to exit after the second Esc answered Yes; it still runs"
check_value Sol 3000 $E2E_TWIPS
check_value Ust 4500 $E2E_TWIPS

e2e_pass
