# Zilvane: the two commands a fresh Debian 12 machine needs are
#   make run    build Zilvane.exe and start it under Wine
#   make test   build and run every test (host, Win32 under Wine, end-to-end)
# and, on demand, `make bench` (tick accuracy and CPU use against a plain timer)
# and `make dist` (installers and portable zips of both builds in build/dist).
# ZILVANE_ARCHS=x64 (or x86, "x86 x64") chooses the Windows architectures that
# run, test and bench use instead of those this machine runs.

SHELL := /bin/bash
JOBS ?= 2

.PHONY: all setup build-host build-win32 build-win64 run test bench dist clean

all: build-win32 build-win64

setup:
	@bash scripts/setup.sh

build-host: setup
	cmake --preset host
	cmake --build --preset host -j$(JOBS)

build-win32: setup
	cmake --preset win32
	cmake --build --preset win32 -j$(JOBS)

build-win64: setup
	cmake --preset win64
	cmake --build --preset win64 -j$(JOBS)

# The 32-bit clock where this machine runs 32-bit programs, else the 64-bit one.
run: setup
	@bash scripts/run.sh

test: setup
	@bash scripts/test.sh

bench: setup
	@bash bench/bench.sh

dist: build-win32 build-win64
	@bash scripts/dist.sh

clean:
	@bash scripts/clean.sh
