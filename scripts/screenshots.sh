#!/usr/bin/env bash
# Remakes the README's pictures (docs/screenshots/*.png) with the program
# itself, under a private Xvfb and a fresh Wine prefix of its own.
#   bash scripts/screenshots.sh
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
export BUILD_DIR="${BUILD_DIR:-$root/build}"
"$root/scripts/build.sh" --target MaterialManager >/dev/null
. "$root/scripts/wine-env.sh"
trap mm_cleanup EXIT
# The same screen whatever display the caller has.
export MM_XVFB=1
unset MM_WINEPREFIX
mm_prepare_wine
/usr/bin/python3 "$root/tools/screenshots.py" "$BUILD_DIR/MaterialManager.exe" "$root/sample" "$root/docs/screenshots"
