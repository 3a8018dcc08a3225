#!/usr/bin/env bash
# `make dist`: the Windows installer and the portable zip of a built
# Zilvane.exe, both named and stamped with the version of resources/Zilvane.rc.
#
#   scripts/dist.sh                          both builds: build/win32 and build/win64
#   scripts/dist.sh Zilvane.exe [folder]     one built program
#
# The program's own PE header says which it is: the 32-bit one gives
# Zilvane-<version>-setup.exe and -portable.zip, the 64-bit one
# Zilvane-<version>-x64-setup.exe and -x64-portable.zip. Output goes to
# build/dist (ZV_DIST_DIR), next to the Alarm.wav the build put beside it.
set -euo pipefail
. "$(dirname "$0")/common.sh"

if [[ $# -eq 0 && -z ${ZV_DIST_EXE:-} ]]; then
    for preset in win32 win64; do
        bash "$0" "$ZV_ROOT/build/$preset/bin/Zilvane.exe"
    done
    exit 0
fi

exe=${1:-${ZV_DIST_EXE:-}}
out=${2:-${ZV_DIST_DIR:-$ZV_ROOT/build/dist}}
[[ -f $exe ]] || zv_die "no program at $exe (build it first: make build-win32 build-win64)"
exe=$(realpath "$exe")
arch=$(zv_exe_arch "$exe") || zv_die "$exe is neither a 32- nor a 64-bit Windows program"
wav=$(dirname "$exe")/Alarm.wav
[[ -f $wav ]] || zv_die "no Alarm.wav beside $exe"
command -v makensis >/dev/null || zv_die "makensis not found (scripts/setup.sh installs it)"
command -v zip >/dev/null || zv_die "zip not found (scripts/setup.sh installs it)"

# The one place the version is written down is the program's own version
# resource; its two spellings must agree.
rc=$ZV_ROOT/resources/Zilvane.rc
version=$(sed -En 's/^[[:space:]]*FILEVERSION[[:space:]]+([0-9]+),[[:space:]]*([0-9]+),[[:space:]]*([0-9]+),[[:space:]]*([0-9]+)[[:space:]]*$/\1.\2.\3.\4/p' "$rc")
[[ $version =~ ^[0-9]+(\.[0-9]+){3}$ ]] || zv_die "no FILEVERSION a,b,c,d line in $rc"
product=$(sed -En 's/.*VALUE[[:space:]]+"ProductVersion",[[:space:]]*"([^"]*)".*/\1/p' "$rc")
[[ $product == "$version" ]] ||
    zv_die "$rc: FILEVERSION says $version but ProductVersion says \"$product\""

mkdir -p "$out"
out=$(realpath "$out")
stage=$(mktemp -d "$out/.stage.XXXXXX")
trap 'rm -rf "$stage"' EXIT

# Notepad before Windows 10 shows LF-only text as one long line.
crlf() { sed 's/\r$//; s/$/\r/'; }
cp "$exe" "$stage/Zilvane.exe"
cp "$wav" "$stage/Alarm.wav"
sed "s/@VERSION@/$version/g" "$ZV_ROOT/installer/README.txt" | crlf >"$stage/README.txt"
crlf <"$ZV_ROOT/LICENSE" >"$stage/LICENSE.txt"

# The same sources give the same zip: fixed file times, no Unix extras.
stamp=${SOURCE_DATE_EPOCH:-$(git -C "$ZV_ROOT" log -1 --format=%ct 2>/dev/null || date +%s)}
touch -d "@$stamp" "$stage"/*
# The 32-bit files keep the names they always had.
suffix=
[[ $arch == x64 ]] && suffix=-x64
zipfile=$out/Zilvane-$version$suffix-portable.zip
rm -f "$zipfile" "$stage/portable.zip"
(cd "$stage" && TZ=UTC zip -q -X -D portable.zip Zilvane.exe Alarm.wav README.txt LICENSE.txt)
mv "$stage/portable.zip" "$zipfile"

setup=$out/Zilvane-$version$suffix-setup.exe
makensis -V2 -WX -NOCD \
    "-DVERSION=$version" \
    "-DARCH=$arch" \
    "-DEXE=$stage/Zilvane.exe" \
    "-DWAV=$stage/Alarm.wav" \
    "-DLICENSE=$stage/LICENSE.txt" \
    "-DICON=$ZV_ROOT/resources/Zilvane.ico" \
    "-DOUTFILE=$setup" \
    "$ZV_ROOT/installer/Zilvane.nsi" || zv_die "makensis failed"

echo "installer:     $setup"
echo "portable copy: $zipfile"
