#!/usr/bin/env bash
# Builds everything and runs all tests under Wine, in a private prefix and,
# without a display, a private Xvfb.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
export BUILD_DIR="${BUILD_DIR:-$root/build}"
"$root/scripts/build.sh"
# The program's sources through a second compiler (clang), compile-only.
if command -v clang++ >/dev/null; then
    bash "$root/scripts/clang-check.sh"
fi
. "$root/scripts/wine-env.sh"
trap mm_cleanup EXIT
mm_prepare_wine
export MM_SOURCE_DIR="$root"
(cd "$BUILD_DIR" && ctest --output-on-failure "$@")

# The pure helpers natively, under AddressSanitizer and UndefinedBehavior-
# Sanitizer, with each fuzzer run for MM_FUZZ_SECONDS (default 20).
if [ "${MM_NATIVE:-1}" = 1 ] && command -v clang++ >/dev/null; then
    native="$BUILD_DIR/native"
    CC=clang CXX=clang++ cmake -S "$root/tests/native" -B "$native" \
        -DMM_FUZZ_SECONDS="${MM_FUZZ_SECONDS:-20}" >/dev/null
    cmake --build "$native" -j"$(nproc)"
    (cd "$native" && ctest --output-on-failure "$@")
fi
