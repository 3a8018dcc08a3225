#!/usr/bin/env bash
# What we ship, made by scripts/dist.sh from the Zilvane.exe under test: the
# portable zip holds exactly the four files a user needs; the installer puts
# the clock into Program Files with a shortcut and an "Apps & features" entry;
# its uninstaller closes a running clock (which then stores its place),
# removes all it installed and the start-with-Windows entry, and keeps the
# user's settings unless told /PURGE.
. "$(dirname "$0")/lib.sh"
e2e_begin installer "$@"

src=$(cd "$E2E_HERE/../.." && pwd)
version=$(sed -En 's/.*VALUE[[:space:]]+"ProductVersion",[[:space:]]*"([^"]*)".*/\1/p' "$src/resources/Zilvane.rc")
[[ -n $version ]] || e2e_fail "expected a ProductVersion string in resources/Zilvane.rc"
dist=$E2E_WORK/dist
bash "$src/scripts/dist.sh" "$E2E_EXE" "$dist" >"$E2E_WORK/dist.log" 2>&1 ||
    { cat "$E2E_WORK/dist.log" >&2; e2e_fail "expected scripts/dist.sh to build both artefacts; it failed"; }
# The 64-bit clock ships as its own -x64 pair, with a 64-bit installer.
suffix= display_name=Zilvane
[[ $E2E_ARCH == x64 ]] && suffix=-x64 display_name='Zilvane (64-bit)'
setup=$dist/Zilvane-$version$suffix-setup.exe
zip=$dist/Zilvane-$version$suffix-portable.zip
wav=$(dirname "$E2E_EXE")/Alarm.wav
[[ -f $setup && -f $zip ]] || e2e_fail "expected $setup and $zip; dist made: $(ls "$dist")"
[[ $(zv_exe_arch "$setup") == "$E2E_ARCH" ]] || e2e_fail "expected an $E2E_ARCH installer for the $E2E_ARCH clock"

# --- Portable zip ---------------------------------------------------------
listing=$(unzip -Z1 "$zip" | sort | tr '\n' ' ')
[[ $listing == "Alarm.wav LICENSE.txt README.txt Zilvane.exe " ]] ||
    e2e_fail "expected the zip to hold exactly Alarm.wav LICENSE.txt README.txt Zilvane.exe; it holds: $listing"
cmp -s <(unzip -p "$zip" Zilvane.exe) "$E2E_EXE" || e2e_fail "expected the zip's Zilvane.exe to be the built one"
cmp -s <(unzip -p "$zip" Alarm.wav) "$wav" || e2e_fail "expected the zip's Alarm.wav to be the built one"
for f in README.txt LICENSE.txt; do
    bare=$(unzip -p "$zip" "$f" | grep -cv $'\r$' || true)
    ((bare == 0)) || e2e_fail "expected CRLF line ends in the zip's $f; $bare lines end in a bare LF"
done
readme=$(unzip -p "$zip" README.txt | tr -d '\r')
for want in "Zilvane $version" 'HKEY_CURRENT_USER\Software\VB and VBA Program Settings\Velorin\Zilvane\Ayarlar' \
    'HKEY_CURRENT_USER\SOFTWARE\Microsoft\Windows\CurrentVersion\Run'; do
    [[ $readme == *"$want"* ]] || e2e_fail "expected the zip's README.txt to say \"$want\"; it does not"
done

# --- Install --------------------------------------------------------------
inst_win='C:\Program Files\Velorin\Zilvane'
inst="$WINEPREFIX/drive_c/Program Files/Velorin/Zilvane"
uninst_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Zilvane'
run_key='HKCU\SOFTWARE\Microsoft\Windows\CurrentVersion\Run'
settings_key='HKCU\Software\VB and VBA Program Settings\Velorin\Zilvane'
neighbour_key='HKCU\Software\VB and VBA Program Settings\Velorin\Neighbour'

key_exists() { zv_wine reg query "$1" >/dev/null 2>&1; }

shortcuts() { find "$WINEPREFIX/drive_c" -iname 'Zilvane.lnk' 2>/dev/null; }

install_silently() {
    local t0=$SECONDS
    zv_wine "$setup" /S >>"$E2E_WORK/wine.log" 2>&1 || e2e_fail "expected setup.exe /S to succeed; it exited with $?"
    e2e_note "setup /S took $((SECONDS - t0)) s"
}

# The uninstaller copies itself to a temporary folder and returns at once;
# it has finished (and so has everything it closed) when the prefix's last
# process has ended.
uninstall_silently() { # EXTRA-ARGS...
    local quiet exe args t0=$SECONDS
    quiet=$(e2e_reg_get "$uninst_key" QuietUninstallString) ||
        e2e_fail "expected a QuietUninstallString to uninstall with"
    [[ $quiet =~ ^\"([^\"]+)\"(.*)$ ]] || e2e_fail "expected a quoted program in QuietUninstallString; found $quiet"
    exe=${BASH_REMATCH[1]}
    read -ra args <<<"${BASH_REMATCH[2]}"
    zv_wine "$exe" "${args[@]}" "$@" >>"$E2E_WORK/wine.log" 2>&1 ||
        e2e_fail "expected $quiet${*:+ $*} to start; it exited with $?"
    if ! timeout 60 "$ZV_WINESERVER" -w; then
        local left='' p arg0
        for p in $(zv_pids_of '*.exe' "$WINEPREFIX"); do
            { IFS= read -r -d '' arg0 <"/proc/$p/cmdline"; } 2>/dev/null || true
            [[ ${arg0,,} == 'c:\windows\'* ]] || left+=" $arg0"
        done
        e2e_fail "expected $quiet${*:+ $*} to end the clock and finish within 60 s; still running:$left"
    fi
    e2e_note "uninstall ${*:-(keep settings)} took $((SECONDS - t0)) s"
}

install_silently
[[ -d $inst ]] || e2e_fail "expected the default folder $inst_win (with its space); it was not made"
installed=$(cd "$inst" && ls | tr '\n' ' ')
[[ $installed == "Alarm.wav Uninstall.exe Zilvane.exe " ]] ||
    e2e_fail "expected Alarm.wav Uninstall.exe Zilvane.exe in $inst_win; found: $installed"
cmp -s "$inst/Zilvane.exe" "$E2E_EXE" || e2e_fail "expected the installed Zilvane.exe to be the built one"
cmp -s "$inst/Alarm.wav" "$wav" || e2e_fail "expected the installed Alarm.wav to be the built one"

lnk=$(shortcuts)
[[ $lnk == */Start\ Menu/Programs/Zilvane.lnk ]] ||
    e2e_fail "expected one Zilvane.lnk in a Start Menu\\Programs folder; found: ${lnk:-none}"
grep -aqF "$inst_win\\Zilvane.exe" "$lnk" || e2e_fail "expected the shortcut to point at $inst_win\\Zilvane.exe"

expect_entry() { # NAME EXPECTED
    local v
    v=$(e2e_reg_get "$uninst_key" "$1") || e2e_fail "expected $uninst_key\\$1; it does not exist"
    [[ $v == "$2" ]] || e2e_fail "expected $uninst_key\\$1 = $2; found $v"
}
expect_entry DisplayName "$display_name"
expect_entry Publisher Velorin
expect_entry DisplayVersion "$version"
expect_entry DisplayIcon "$inst_win\\Zilvane.exe"
expect_entry InstallLocation "$inst_win"
expect_entry UninstallString "\"$inst_win\\Uninstall.exe\""
expect_entry QuietUninstallString "\"$inst_win\\Uninstall.exe\" /S"
expect_entry NoModify 0x1
expect_entry NoRepair 0x1
size=$(e2e_reg_get "$uninst_key" EstimatedSize) || e2e_fail "expected an EstimatedSize in $uninst_key"
bytes=$(cat "$inst"/* | wc -c)
[[ $size == 0x* ]] && e2e_near $((size)) $((bytes / 1024)) 4 ||
    e2e_fail "expected EstimatedSize near $((bytes / 1024)) KB (a DWORD); found $size"

# --- The installed clock, then a silent uninstall while it runs -------------
start_installed_clock() { # sets pid and clock
    "$ZV_WINE" "$inst_win\\Zilvane.exe" >>"$E2E_WORK/wine.log" 2>&1 &
    pid=$!
    clock=$(e2e_wait_clock "$pid")
}
start_installed_clock
e2e_geom "$clock"
x=$GX y=$GY

# "&Run on Startup" is checked on a first run; OK writes the Run value, and
# the installed folder has a space, so the path must be quoted.
dialog=$(e2e_open_from_menu "$clock" s Setting)
e2e_click_child Setting OK
e2e_wait_hidden "$dialog" 3 || e2e_fail "expected OK to close the settings dialog"
run=$(e2e_reg_get "$run_key" Zilvane) || e2e_fail "expected OK to write the Run value Zilvane"
[[ $run == "\"$inst_win\\Zilvane.exe\"" ]] ||
    e2e_fail "expected the Run value to be the quoted installed path \"$inst_win\\Zilvane.exe\"; found $run"
e2e_geom "$clock"
x=$GX y=$GY

# Whatever is stored now goes, so that a stored place afterwards can only
# come from the close the uninstaller asks for.
zv_wine reg delete "$E2E_STORE_KEY" /v Sol /f >/dev/null 2>&1 || true
zv_wine reg delete "$E2E_STORE_KEY" /v Ust /f >/dev/null 2>&1 || true
e2e_reg_set "$run_key" Zilvane "\"$inst_win\\Zilvane.exe\""
e2e_reg_set "$run_key" Neighbour 'C:\neighbour.exe'

uninstall_silently
e2e_running "$pid" && e2e_fail "expected the uninstaller to end the running clock; it still runs"
e2e_expect_stored Sol $((x * E2E_TWIPS)) $E2E_TWIPS
e2e_expect_stored Ust $((y * E2E_TWIPS)) $E2E_TWIPS
[[ ! -e $inst && ! -e $(dirname "$inst") ]] ||
    e2e_fail "expected $inst_win and its Velorin folder removed; left: $(find "$(dirname "$inst")" | tr '\n' ' ')"
[[ -z $(shortcuts) ]] || e2e_fail "expected the Start-menu shortcut removed; left: $(shortcuts)"
key_exists "$uninst_key" && e2e_fail "expected the uninstall entry $uninst_key removed; it is still there"
e2e_reg_get "$run_key" Zilvane >/dev/null && e2e_fail "expected the Run value Zilvane removed; it is still there"
e2e_reg_get "$run_key" Neighbour >/dev/null || e2e_fail "expected other Run values kept; Neighbour was removed"
key_exists "$settings_key" || e2e_fail "expected a plain uninstall to keep $settings_key; it was removed"

# --- Reinstall, install again over the running clock, uninstall with /PURGE -
install_silently
start_installed_clock
install_silently
e2e_running "$pid" && e2e_fail "expected setup.exe to end the running clock before replacing it; it still runs"
cmp -s "$inst/Zilvane.exe" "$E2E_EXE" || e2e_fail "expected the reinstalled Zilvane.exe to be the built one"
e2e_reg_set "$neighbour_key" Kept 1
uninstall_silently /PURGE
key_exists "$settings_key" && e2e_fail "expected /PURGE to remove $settings_key; it is still there"
e2e_reg_get "$neighbour_key" Kept >/dev/null ||
    e2e_fail "expected /PURGE to keep the other settings under Velorin; $neighbour_key went too"
[[ ! -e $inst ]] || e2e_fail "expected the second uninstall to remove $inst_win"

e2e_pass
