#!/usr/bin/env bash
# The About window as a user opens it: "&About" in the clock's menu shows a
# window titled "About", centred on the screen, with the version line; the
# link starts the system's handler for its address (under Wine, a new
# process) while the window stays open; Esc closes it and the clock takes
# input again.
. "$(dirname "$0")/lib.sh"
e2e_begin about "$@"

# The system's browser launcher, as Wine's handler for web addresses calls
# it: here it only writes down what it was asked to open.
mkdir -p "$E2E_WORK/bin"
printf '#!/bin/sh\nprintf "%%s\\n" "$*" >>"%s"\n' "$E2E_WORK/opened" >"$E2E_WORK/bin/xdg-open"
chmod +x "$E2E_WORK/bin/xdg-open"
e2e_start_clock PATH="$E2E_WORK/bin:$PATH"
pid=$E2E_PID
clock=$(e2e_wait_clock "$pid")
about=$(e2e_open_from_menu "$clock" a About)
e2e_geom "$about"
e2e_shot "$E2E_WORK/shot.png"
e2e_crop "$E2E_WORK/shot.png" "$GX" "$GY" "$GW" "$GH" "$E2E_WORK/about.png"
e2e_near $((GX + GW / 2)) $((E2E_SCREEN_W / 2)) 3 && e2e_near $((GY + GH / 2)) $((E2E_SCREEN_H / 2)) 3 ||
    e2e_fail "expected the About window centred on the ${E2E_SCREEN_W}x${E2E_SCREEN_H} screen; it is at $GX,$GY size ${GW}x$GH"
e2e_winctl rect About "Version: 2.14" >/dev/null || e2e_fail "expected the text \"Version: 2.14\" in the About window"
[[ $(e2e_winctl enabled Zilvane) == 0 ]] || e2e_fail "expected the clock disabled while the About window is open"

# The link: a click hands its address to the system's browser.
e2e_click_child About "http://www.velorin.example/"
end=$((SECONDS + 15))
until grep -q 'velorin.example' "$E2E_WORK/opened" 2>/dev/null; do
    ((SECONDS < end)) || e2e_fail "expected a click on the link to open http://www.velorin.example/ with the system's browser; nothing was opened in 15 s"
    sleep 0.2
done
e2e_note "the browser was asked to open: $(cat "$E2E_WORK/opened")"
sleep 0.5
e2e_visible "$about" || e2e_fail "expected the About window to stay open after the link was clicked"

e2e_key "$about" Escape
e2e_wait_hidden "$about" 3 || e2e_fail "expected Esc to close the About window"
sleep 0.3
[[ $(e2e_winctl enabled Zilvane) == 1 ]] || e2e_fail "expected the clock to take input again once the About window closed"
e2e_pass
