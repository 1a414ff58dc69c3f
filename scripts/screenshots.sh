#!/usr/bin/env bash
# Remakes the README's pictures (docs/screenshots/*.png) with the program
# itself, under a private Xvfb and a fresh Wine prefix of its own: at 100
# percent, then the window at 150 and 200 percent (the prefix's DPI set to
# 144 and 192).
#   bash scripts/screenshots.sh
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
export BUILD_DIR="${BUILD_DIR:-$root/build}"
"$root/scripts/build.sh" --target MaterialManager >/dev/null
. "$root/scripts/wine-env.sh"
trap mm_cleanup EXIT
# The same screen whatever display the caller has, large enough for the
# window at 200 percent.
export MM_XVFB=1 MM_SCREEN=1600x1200x24
unset MM_WINEPREFIX
mm_prepare_wine
shots=(/usr/bin/python3 "$root/tools/screenshots.py" "$BUILD_DIR/MaterialManager.exe" "$root/sample"
       "$root/docs/screenshots")
"${shots[@]}"
for percent in 150 200; do
    mm_set_dpi $((percent * 96 / 100))
    "${shots[@]}" --percent "$percent"
done
