#!/usr/bin/env bash
# A simulated year of the clock (bench/year_sim.cpp), built natively and
# optimised, without the sanitizers of the host tests. Prints its counts;
# fails when the simulation found a fault.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$root/build/year
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DZILVANE_SANITIZE=OFF >/dev/null
cmake --build "$build" --target year_sim -j"${JOBS:-2}" >/dev/null
exec "$build/bench/year_sim"
