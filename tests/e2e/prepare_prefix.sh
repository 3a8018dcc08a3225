#!/usr/bin/env bash
# Fixture: build the pristine test prefix that every end-to-end test clones.
# Does nothing when it already exists for this Wine version.
set -euo pipefail
. "$(dirname "$0")/../../scripts/common.sh"
root=${1:?usage: prepare_prefix.sh <work root> x86|x64}
zv_use_arch "${2:?usage: prepare_prefix.sh <work root> x86|x64}"
mkdir -p "$root"
zv_init_prefix "$(realpath -m "$root")/pristine" test
echo "pristine prefix ready: $root/pristine"
