#!/usr/bin/env bash
# Builds everything and runs all tests under Wine, in a private prefix and,
# without a display, a private Xvfb.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
export BUILD_DIR="${BUILD_DIR:-$root/build}"
"$root/scripts/build.sh"
. "$root/scripts/wine-env.sh"
trap mm_cleanup EXIT
mm_prepare_wine
export MM_SOURCE_DIR="$root"
cd "$BUILD_DIR"
ctest --output-on-failure "$@"
