#!/usr/bin/env bash
# The About window as a user opens it: "&About" in the clock's menu shows a
# window titled "About", centred on the screen, with the version line; the
# link starts the system's handler for its address (under Wine, a new
# process) while the window stays open; Esc closes it and the clock takes
# input again.
. "$(dirname "$0")/lib.sh"
e2e_begin about "$@"
WINCTL=${E2E_TOOLS:-$(dirname "$E2E_EXE")/../e2e-tools}/winctl.exe
[[ -f $WINCTL ]] || e2e_fail "expected the test helper $WINCTL; build the e2e_winctl target"
ctl() { wine "$WINCTL" "$@" 2>/dev/null | tr -d '\r'; }

# The system's browser launcher, as Wine's handler for web addresses calls
# it: here it only writes down what it was asked to open.
mkdir -p "$E2E_WORK/bin"
printf '#!/bin/sh\nprintf "%%s\\n" "$*" >>"%s"\n' "$E2E_WORK/opened" >"$E2E_WORK/bin/xdg-open"
chmod +x "$E2E_WORK/bin/xdg-open"
e2e_start_clock PATH="$E2E_WORK/bin:$PATH"
pid=$E2E_PID
clock=$(e2e_wait_clock "$pid")
e2e_geom "$clock"
e2e_right_click $((GX + GW / 2)) $((GY + GH / 2))
sleep 0.5
xdotool key a
end=$((SECONDS + 10))
until about=$(xdotool search --onlyvisible --name '^About$' 2>/dev/null | head -n1) && [[ -n $about ]]; do
    ((SECONDS < end)) || e2e_fail "expected \"&About\" to open a window titled \"About\"; none appeared in 10 s"
    sleep 0.1
done
sleep 0.5
e2e_geom "$about"
e2e_shot "$E2E_WORK/shot.png"
e2e_crop "$E2E_WORK/shot.png" "$GX" "$GY" "$GW" "$GH" "$E2E_WORK/about.png"
e2e_near $((GX + GW / 2)) $((E2E_SCREEN_W / 2)) 3 && e2e_near $((GY + GH / 2)) $((E2E_SCREEN_H / 2)) 3 ||
    e2e_fail "expected the About window centred on the ${E2E_SCREEN_W}x${E2E_SCREEN_H} screen; it is at $GX,$GY size ${GW}x$GH"
ctl rect About "Version: 2.14" >/dev/null || e2e_fail "expected the text \"Version: 2.14\" in the About window"
[[ $(ctl enabled Zilvane) == 0 ]] || e2e_fail "expected the clock disabled while the About window is open"

# The link: a click hands its address to the system's browser.
read -r x y w h < <(ctl rect About "http://www.velorin.example/") ||
    e2e_fail "expected the link http://www.velorin.example/ in the About window"
xdotool mousemove $((x + w / 2)) $((y + h / 2)) click 1
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
[[ $(ctl enabled Zilvane) == 1 ]] || e2e_fail "expected the clock to take input again once the About window closed"
e2e_pass
