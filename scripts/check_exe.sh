#!/usr/bin/env bash
# Static check of a built Zilvane.exe, for an architecture this machine may
# not run: the PE kind and machine, the GUI subsystem, imports from Windows'
# own DLLs only, the version resource of resources/Zilvane.rc and the
# embedded manifest for that architecture.
#
#   scripts/check_exe.sh x86|x64 Zilvane.exe
set -uo pipefail
. "$(dirname "$0")/common.sh"

arch=${1:?usage: check_exe.sh x86|x64 Zilvane.exe}
exe=${2:?usage: check_exe.sh x86|x64 Zilvane.exe}
case $arch in
x86) tools=i686-w64-mingw32 format=pei-i386 magic=PE32 manifest_arch=x86 ;;
x64) tools=x86_64-w64-mingw32 format=pei-x86-64 magic=PE32+ manifest_arch=amd64 ;;
*) zv_die "unknown architecture \"$arch\" (x86, x64)" ;;
esac
[[ -f $exe ]] || zv_die "no program at $exe"

problems=()
headers=$("$tools-objdump" -p "$exe" 2>&1) || zv_die "$tools-objdump cannot read $exe: $headers"

[[ $headers == *"file format $format"* ]] || problems+=("not a $format file")
grep -Eq "^Magic[[:space:]]+0*$([[ $magic == PE32 ]] && echo 10b || echo 20b)[[:space:]]" <<<"$headers" ||
    problems+=("optional header is not $magic")
grep -Eq '^Subsystem[[:space:]]+0*2[[:space:]]' <<<"$headers" || problems+=("subsystem is not Windows GUI (2)")

allowed=" user32.dll gdi32.dll kernel32.dll advapi32.dll shell32.dll comdlg32.dll comctl32.dll winmm.dll version.dll msvcrt.dll "
imports=$(sed -En 's/^[[:space:]]*DLL Name: (.*)$/\1/p' <<<"$headers" | tr 'A-Z' 'a-z' | sort -u)
[[ -n $imports ]] || problems+=("no imports found")
for dll in $imports; do
    [[ $allowed == *" $dll "* ]] || problems+=("imports $dll, which is not one of Windows' own DLLs")
done

# The resources, as one blob: the fixed version record and the manifest.
rsrc=$(mktemp)
trap 'rm -f "$rsrc"' EXIT
"$tools-objcopy" -O binary --only-section=.rsrc "$exe" "$rsrc" 2>/dev/null
want=$(sed -En 's/^[[:space:]]*FILEVERSION[[:space:]]+([0-9]+),[[:space:]]*([0-9]+),[[:space:]]*([0-9]+),[[:space:]]*([0-9]+)[[:space:]]*$/\1.\2.\3.\4/p' \
    "$ZV_ROOT/resources/Zilvane.rc")
# VS_FIXEDFILEINFO starts with 0xFEEF04BD; the file version follows the
# structure version as two little-endian DWORDs (major.minor, build.revision).
at=$(LC_ALL=C grep -obUaP '\xBD\x04\xEF\xFE' "$rsrc" | head -n1 | cut -d: -f1)
if [[ -z $at ]]; then
    problems+=("no version resource")
else
    read -r minor major revision build < <(od -An -tu2 -j $((at + 8)) -N8 "$rsrc")
    got=$major.$minor.$build.$revision
    [[ $got == "$want" ]] || problems+=("version resource says $got, resources/Zilvane.rc says $want")
fi
grep -aq 'urn:schemas-microsoft-com:asm.v1' "$rsrc" || problems+=("no manifest embedded")
n=$(grep -ao "processorArchitecture=\"$manifest_arch\"" "$rsrc" | wc -l)
((n == 2)) || problems+=("the manifest does not name $manifest_arch for the program and common controls")
grep -aq 'Microsoft.Windows.Common-Controls' "$rsrc" || problems+=("the manifest does not ask for common controls 6")

if ((${#problems[@]})); then
    printf 'FAIL: %s (%s):\n' "$exe" "$arch"
    printf '  %s\n' "${problems[@]}"
    exit 1
fi
echo "ok: $exe is $magic $arch, Windows GUI, imports $(echo $imports | tr ' ' ','), version $want, manifest $manifest_arch"
