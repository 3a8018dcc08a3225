#!/usr/bin/env bash
# The clock at 120, 144 and 192 dpi (LogPixels of the prefix): the window is
# its twips at that DPI, the six digits and two colons are the strip made for
# that scale, cell for cell (so adjacent and full size, never stretched), and
# the settings dialog's client area is its 4305 x 4920 twips. Screenshots of
# the clock and the dialog at each DPI are kept in the work folder.
. "$(dirname "$0")/lib.sh"
e2e_begin display_scale "$@"
art=$(cd "$(dirname "$0")/../../resources" && pwd)

px() { echo $((($1 * $2 + 720) / 1440)); } # twips dpi, as MulDiv rounds

# match_cells SHOT STRIP COLUMNS BOXES...: each box "x y" (pixels of the
# shot) must equal one cell of the strip exactly; prints what failed.
match_cells() {
    local shot=$1 strip=$2 columns=$3
    shift 3
    python3 - "$shot" "$strip" "$columns" "$@" <<'PY'
import subprocess, sys
def load(path):
    ppm = subprocess.run(["convert", path, "-depth", "8", "ppm:-"], check=True,
                         capture_output=True).stdout
    parts = ppm.split(maxsplit=4)
    w, h = int(parts[1]), int(parts[2])
    return w, h, parts[4]
sw, sh, shot = load(sys.argv[1])
tw, th, strip = load(sys.argv[2])
columns = int(sys.argv[3]); cw = tw // columns
def block(data, width, x, y, w, h):
    return b"".join(data[((y + r) * width + x) * 3:((y + r) * width + x + w) * 3] for r in range(h))
cells = [block(strip, tw, k * cw, 0, cw, th) for k in range(columns)]
bad = []
for box in sys.argv[4:]:
    x, y = map(int, box.split(","))
    if block(shot, sw, x, y, cw, th) not in cells:
        bad.append(box)
print(" ".join(bad))
PY
}

for dpi in 120 144 192; do
    scale=$((dpi * 100 / 96))
    zv_wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f \
        >/dev/null 2>&1 || e2e_fail "could not set LogPixels to $dpi"
    xdotool mousemove 0 767 # no tooltip over the digits
    e2e_start_clock
    pid=$E2E_PID
    clock=$(e2e_wait_clock "$pid")
    sleep 1
    e2e_geom "$clock"
    [[ $GW == "$(px 2900 "$dpi")" && $GH == "$(px 770 "$dpi")" ]] ||
        e2e_fail "at $dpi dpi expected a $(px 2900 "$dpi") x $(px 770 "$dpi") px window (2900 x 770 twips); saw $GW x $GH"

    shot=$E2E_WORK/clock-$dpi.png
    e2e_shot "$E2E_WORK/shot.png"
    e2e_crop "$E2E_WORK/shot.png" "$GX" "$GY" "$GW" "$GH" "$shot"
    panel=$(px 320 "$dpi")
    boxes=()
    for left in 150 420 840 1110 1530 1800; do
        boxes+=("$((panel + $(px "$left" "$dpi"))),$(px 337 "$dpi")")
    done
    bad=$(match_cells "$shot" "$art/Haneler0_$scale.bmp" 10 "${boxes[@]}")
    [[ -z $bad ]] || e2e_fail "at $dpi dpi the digits at ($bad) px are not cells of Haneler0_$scale.bmp"
    bad=$(match_cells "$shot" "$art/Noktalar_$scale.bmp" 3 \
        "$((panel + $(px 690 "$dpi"))),$(px 390 "$dpi")" "$((panel + $(px 1380 "$dpi"))),$(px 390 "$dpi")")
    [[ -z $bad ]] || e2e_fail "at $dpi dpi the colons at ($bad) px are not cells of Noktalar_$scale.bmp"

    dialog=$(e2e_open_from_menu "$clock" s Setting)
    sleep 0.5
    read -r _ _ cw ch <<<"$(e2e_winctl rect Setting)"
    e2e_near "$cw" "$(px 4305 "$dpi")" 1 && e2e_near "$ch" "$(px 4920 "$dpi")" 1 ||
        e2e_fail "at $dpi dpi expected the settings dialog's client area $(px 4305 "$dpi") x $(px 4920 "$dpi") px (4305 x 4920 twips); saw $cw x $ch"
    e2e_geom "$dialog"
    e2e_shot "$E2E_WORK/shot.png"
    e2e_crop "$E2E_WORK/shot.png" "$GX" "$GY" "$GW" "$GH" "$E2E_WORK/settings-$dpi.png"
    xdotool key Escape
    sleep 0.5
    kill "$pid" 2>/dev/null || true
    zv_kill_prefix "$E2E_PREFIX"
    e2e_wait_gone "$pid" 10 || e2e_fail "the clock at $dpi dpi did not end"
done
e2e_pass
