#!/usr/bin/env bash
# Installs what building, running and testing Zilvane needs on Debian 12.
# Idempotent: when everything is present it only asks dpkg and returns.
#
# The 64-bit side is required everywhere. The 32-bit Wine is installed where
# it can be, and missing it is no error: some x86-64 kernels cannot run
# 32-bit programs (its package scripts then fail with "Exec format error"),
# and the scripts find out what runs (scripts/common.sh) and test that.
set -euo pipefail

# Native build and unit tests.
HOST_PKGS=(cmake make g++ googletest)
# Cross builds of the 32- and 64-bit Windows program.
CROSS_PKGS=(g++-mingw-w64-i686 g++-mingw-w64-x86-64)
# Running them: 64-bit Wine, its fonts and a virtual X server.
WINE_PKGS=(wine64 fonts-wine xvfb)
# End-to-end tests and the benchmark: window lookup and input, screenshots,
# WAV inspection, Xlib headers for the benchmark's screen sampler,
# callgrind for its instruction count per tick, and an X server with two
# monitors side by side (Xorg's dummy driver).
# The ALSA "file" and "null" PCMs the sound tests use are part of libasound2
# itself; no plugin package is needed for them.
TEST_PKGS=(xdotool x11-utils imagemagick sox libx11-dev valgrind xserver-xorg-core
    xserver-xorg-video-dummy)
# `make dist`: the installer compiler and the portable zip (unzip lists it in
# the installer test).
DIST_PKGS=(nsis zip unzip)
# Fuzz targets over the portable code (libFuzzer's runtime is its own package).
FUZZ_PKGS=(clang libclang-rt-14-dev)
# 32-bit Wine and its sound library, where this machine can have them.
WINE32_PKGS=(wine32:i386 libasound2:i386)

PKGS=("${HOST_PKGS[@]}" "${CROSS_PKGS[@]}" "${WINE_PKGS[@]}" "${TEST_PKGS[@]}" "${DIST_PKGS[@]}"
    "${FUZZ_PKGS[@]}")

# A failed attempt at the 32-bit packages is not repeated for an hour, so
# that every make on a machine without them does not ask the archive again.
WINE32_STAMP=/var/tmp/zilvane-setup-wine32-failed

as_root() {
    if [[ $(id -u) -eq 0 ]]; then
        "$@"
    elif command -v sudo >/dev/null 2>&1; then
        sudo "$@"
    else
        echo "error: need root (or sudo) to run: $*" >&2
        exit 1
    fi
}

installed() {
    [[ $(dpkg-query -W -f='${db:Status-Status}' "$1" 2>/dev/null) == installed ]]
}

missing_of() { # PKG... -> the ones not installed
    local p
    for p in "$@"; do installed "$p" || printf '%s\n' "$p"; done
}

mapfile -t missing < <(missing_of "${PKGS[@]}")
mapfile -t missing32 < <(missing_of "${WINE32_PKGS[@]}")
if ((${#missing32[@]})) && [[ -n $(find "$WINE32_STAMP" -mmin -60 2>/dev/null) ]]; then
    missing32=()
fi

need_i386=false
if ((${#missing32[@]})) && [[ $(dpkg --print-architecture) != i386 ]] &&
    ! dpkg --print-foreign-architectures | grep -qx i386; then
    need_i386=true
fi

if ((${#missing[@]} == 0 && ${#missing32[@]} == 0)); then
    exit 0
fi

export DEBIAN_FRONTEND=noninteractive
if $need_i386; then
    echo "setup: enabling the i386 architecture" >&2
    as_root dpkg --add-architecture i386
fi

# An archive mirror in the middle of a sync fails one index now and then;
# try again, then go on with what was fetched (the install says if it lacks).
updated=false
for try in 1 2 3; do
    if as_root apt-get update -qq; then
        updated=true
        break
    fi
    echo "setup: apt-get update failed (try $try of 3)" >&2
    sleep $((try * 5))
done
$updated || echo "setup: going on with the package lists as they are" >&2

apt_install() {
    as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -q "$@"
}

# Installs what is missing of a set and prints what is still missing after.
install_set() { # what PKG... (the set's missing ones)
    local what=$1
    shift
    echo "setup: installing $what: $*" >&2
    apt_install "$@" >&2 || true
    missing_of "$@"
}

if ((${#missing[@]})); then
    mapfile -t still < <(install_set "the build and test tools" "${missing[@]}")
    if ((${#still[@]})); then
        echo "error: still missing after install: ${still[*]}" >&2
        exit 1
    fi
fi

if ((${#missing32[@]})); then
    mapfile -t still32 < <(install_set "the 32-bit Wine where this machine can have it" "${missing32[@]}")
    if ((${#still32[@]})); then
        echo "setup: could not install ${still32[*]}; only 64-bit Windows programs will run here" >&2
        as_root touch "$WINE32_STAMP" 2>/dev/null || true
    else
        as_root rm -f "$WINE32_STAMP" 2>/dev/null || true
    fi
fi
