# Zilvane: the two commands a fresh Debian 12 machine needs are
#   make run    build Zilvane.exe and start it under Wine
#   make test   build and run every test (host, Win32 under Wine, end-to-end)
# and, on demand, `make bench` (tick accuracy and CPU use against a plain timer),
# `make dist` (the installer and the portable zip in build/dist) and `make fuzz`
# (each fuzz target for FUZZ_SECONDS, default 600).

SHELL := /bin/bash
JOBS ?= 2
FUZZ_SECONDS ?= 600

.PHONY: all setup build-host build-win32 run test bench dist fuzz clean

all: build-win32

setup:
	@bash scripts/setup.sh

build-host: setup
	cmake --preset host
	cmake --build --preset host -j$(JOBS)

build-win32: setup
	cmake --preset win32
	cmake --build --preset win32 -j$(JOBS)

run: build-win32
	@bash scripts/run.sh

test: setup
	@bash scripts/test.sh

bench: build-win32
	@bash bench/bench.sh

dist: build-win32
	@bash scripts/dist.sh

fuzz: setup
	@bash fuzz/run.sh long $(FUZZ_SECONDS)

clean:
	@bash scripts/clean.sh
