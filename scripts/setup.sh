#!/usr/bin/env bash
# Installs what building, running and testing Zilvane needs on Debian 12.
# Idempotent: when everything is present it only asks dpkg and returns.
set -euo pipefail

# Native build and unit tests.
HOST_PKGS=(cmake make g++ googletest)
# Cross build of the 32-bit Windows program.
CROSS_PKGS=(g++-mingw-w64-i686)
# Running it: Wine (32-bit), its fonts and a virtual X server.
WINE_PKGS=(wine wine32:i386 fonts-wine xvfb)
# End-to-end tests and the benchmark: window lookup and input, screenshots,
# WAV inspection, and Xlib headers for the benchmark's screen sampler.
# The ALSA "file" and "null" PCMs the sound tests use are part of libasound2
# itself; no plugin package is needed for them.
TEST_PKGS=(xdotool x11-utils imagemagick sox libasound2:i386 libx11-dev)
# `make dist`: the installer compiler and the portable zip (unzip lists it in
# the installer test).
DIST_PKGS=(nsis zip unzip)

PKGS=("${HOST_PKGS[@]}" "${CROSS_PKGS[@]}" "${WINE_PKGS[@]}" "${TEST_PKGS[@]}" "${DIST_PKGS[@]}")

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

missing=()
for p in "${PKGS[@]}"; do
    installed "$p" || missing+=("$p")
done

need_i386=false
if [[ $(dpkg --print-architecture) != i386 ]] &&
    ! dpkg --print-foreign-architectures | grep -qx i386; then
    need_i386=true
fi

if [[ ${#missing[@]} -eq 0 ]] && ! $need_i386; then
    exit 0
fi

export DEBIAN_FRONTEND=noninteractive
if $need_i386; then
    echo "setup: enabling the i386 architecture" >&2
    as_root dpkg --add-architecture i386
fi
echo "setup: installing ${missing[*]}" >&2
as_root apt-get update -q
as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -q "${missing[@]}"

still=()
for p in "${PKGS[@]}"; do
    installed "$p" || still+=("$p")
done
if [[ ${#still[@]} -ne 0 ]]; then
    echo "error: still missing after install: ${still[*]}" >&2
    exit 1
fi
